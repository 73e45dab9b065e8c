#pragma once
// The entry rules of a screen's edits, in one object that every page of the
// screen binds its edits to, with one watcher for the keys and focus moves of
// all of them.
//
// A measurement edit is checked when the user leaves it, by its family:
// graduations (sphere, cylinder, addition) are written back with sign and two
// decimals, distances with two decimals, an axis stays as typed; free texts
// are not checked. A rejected value keeps its text and gets the focus back
// (the check has already told the user why). A right-eye value can be copied
// into its still empty left-eye twin, as the user's options say.
//
// The rules run only while the screen is open and not filling its controls
// itself: `Cargando()` gives a guard for the time the screen fills them.

#include <QHash>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QScopedValueRollback>
#include <QSet>
#include <functional>

#include "Contexto_host.h"


class TReglasEntrada : public QObject {
  Q_OBJECT

 public:
  enum class TRegla { kGraduacion, kEje, kDistancia, kTexto };
  // Runs a handler under the screen's guard, naming it in the error report.
  using TGuardia = std::function<void(const QString& etiqueta, const std::function<void()>& accion)>;

  TReglasEntrada(QObject* padre, TGuardia guardia);
  void Fijar_Contexto(THostContext* ctx) { ctx_ = ctx; }
  THostContext* Contexto() const { return ctx_; }

  // Runs a handler of a page under the screen's guard.
  void Guardia(const QString& etiqueta, const std::function<void()>& accion) {
    if (guardia_)
      guardia_(etiqueta, accion);
    else
      accion();
  }

  // Whether the screen is open; keys are answered and rules run only then.
  std::function<bool()> abierta;

  // Held while the screen fills its controls: no rule or focus handler runs,
  // and the pages mark nothing changed.
  [[nodiscard]] QScopedValueRollback<bool> Cargando() { return QScopedValueRollback<bool>(cargando_, true); }
  bool En_Carga() const { return cargando_; }
  // The rules and focus handlers run now.
  bool Activas() const { return (!abierta || abierta()) && !cargando_ && !soloLectura_; }
  // A record shown only to be looked at: no rule, focus handler or key of a
  // picker acts on it.
  void Fijar_Solo_Lectura(bool soloLectura) { soloLectura_ = soloLectura; }
  bool Solo_Lectura() const { return soloLectura_; }

  // Tells the user, in the status bar, why an entry was not taken when no
  // message box says it.
  std::function<void(const QString&)> aviso;

  // What happens when the user leaves or enters a widget, or presses a key
  // in it (`tecla` says whether it took the key; Shift/Ctrl/Alt keys are
  // left to the widget).
  void Al_Salir(QWidget* w, std::function<void()> salida);
  void Al_Entrar(QWidget* w, std::function<void()> entrada);
  void Al_Pulsar(QWidget* w, std::function<bool(int)> tecla);
  // The edit counts as typed over only from the user's entry into it on.
  void Olvidar_Al_Entrar(QLineEdit* edit);
  // Turns a typed "." (the keypad's included) into "," in this edit.
  void Mascara_Coma(QLineEdit* edit);

  // Binds the exit rule of a measurement edit. `gemeloOI` is the left-eye
  // twin of a right-eye edit (null for a left-eye one); `etiqueta` names the
  // handler in the error report (empty: the rule runs unguarded); `antes`
  // runs first. Every family but free text also gets the decimal-comma mask.
  void Enlazar_Medida(QLineEdit* edit, TRegla regla, QLineEdit* gemeloOI, const QString& etiqueta,
                      std::function<void()> antes = {});
  // Writes a text the rules produced, through the edit's change hook: a value
  // the rules rewrite or copy is part of the user's entry.
  static void Escribir(QLineEdit* edit, const QString& texto);
  // Puts the focus back into an edit whose entry was rejected.
  void Devolver_Foco(QLineEdit* edit);
  // The edit the focus is being put back into, or null.
  QLineEdit* Devolviendo() const { return devuelto_.data(); }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void Salir_Medida(QLineEdit* edit, TRegla regla, QLineEdit* gemeloOI);
  void Copiar_Al_Gemelo(QLineEdit* edit, QLineEdit* gemeloOI);
  void Vigilar(QObject* objeto);

  TGuardia guardia_;
  THostContext* ctx_ = nullptr;
  bool cargando_ = false;
  bool soloLectura_ = false;
  QPointer<QLineEdit> devuelto_;
  QHash<QObject*, std::function<void()>> salidas_, entradas_;
  QHash<QObject*, std::function<bool(int)>> teclas_;
  QSet<QObject*> comas_, olvidar_;
  QSet<QObject*> vigilados_;
};
