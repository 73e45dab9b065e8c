#pragma once
// TfrmLentilla, "Gestión de fichas de lentillas": the window of the lens
// module. The entry creates it with the host's application object as owner,
// gives it the host context, initialises it and shows it without blocking; it
// lives in the host's event loop until the user closes it, and then hands the
// selection back to the host and frees itself.

#include <QWidget>

#include "Clase_tbiblioteca.h"
#include "Contexto_host.h"

class QTabWidget;
class QStatusBar;
class QToolBar;
class QToolButton;

class TfrmLentilla : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmLentilla(TAplicacion* owner);
  ~TfrmLentilla() override;

  // The screen of the module while it is open (one per load), or null.
  static TfrmLentilla* Activa();

  void Fijar_Contexto(THostContext* ctx) { ctx_ = ctx; }
  THostContext* Contexto() const { return ctx_; }
  // Prepares the screen on the host's selection. Raises on a host context
  // that lacks what the screen needs.
  void Inicializar();

  TModulosHermanos& Modulos() { return modulos_; }
  // The screen's copy of the host's selection block.
  const TSeleccion& Seleccion() const { return seleccion_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void Crear_Controles();
  void FormClose();
  void Devolver_Seleccion();

  TAplicacion* owner_;
  THostContext* ctx_ = nullptr;
  TSeleccion seleccion_;
  TModulosHermanos modulos_;
  bool cerrada_ = false;

  QToolBar* tlbBotones_ = nullptr;
  QToolButton* btnSalir_ = nullptr;
  QTabWidget* pclLentilla_ = nullptr;
  QStatusBar* sbr_Ayuda_ = nullptr;
};
