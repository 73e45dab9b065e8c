#pragma once
// TfrmLentilla, "Gestión de fichas de lentillas": the window of the lens
// module. The entry creates it with the host's application object as owner,
// gives it the host context, initialises it and shows it without blocking; it
// lives in the host's event loop until the user closes it, and then hands the
// selection back to the host and frees itself.
//
// The window is a frame: the toolbar, walking the patient's records, the
// unsaved-changes questions, the keys, closing and the guard around every
// handler. Each tab is a page of its own (Frm_lentilla_ficha.h,
// Frm_lentilla_observaciones.h, Frm_lentilla_pruebas.h); the frame clears,
// fills and collects the record's pages and asks each page whether the user
// changed it. Frm_lentilla_definitiva.cpp turns a fitting test into a record;
// Frm_lentilla_hojas.cpp prints the fitting-test and replacement sheets.

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "Clase_tbiblioteca.h"
#include "Contexto_host.h"
#include "Objetos_lentilla.h"
#include "Reglas_entrada.h"

class EIBError;
class QLabel;
class QStatusBar;
class QTabWidget;
class QToolButton;
class TLentilla;
class TPaginaFicha;
class TPaginaLentilla;
class TPaginaObservaciones;
class TPaginaPruebas;
class TPaginaReposiciones;
class TdmLentilla;

class TfrmLentilla : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmLentilla(TAplicacion* owner);
  ~TfrmLentilla() override;

  // The screen of the module while it is open (one per load), or null.
  static TfrmLentilla* Activa();

  void Fijar_Contexto(THostContext* ctx);
  THostContext* Contexto() const { return ctx_; }
  // Prepares the screen on the host's selection: the chosen record, or a new
  // one. Raises on a host context that lacks what the screen needs.
  void Inicializar();

  TModulosHermanos& Modulos() { return modulos_; }
  // The screen's copy of the host's selection block.
  const TSeleccion& Seleccion() const { return seleccion_; }
  // The record shown was changed by the user and not saved yet.
  bool Modificado() const;
  bool Ficha_Existente() const { return fichaExistente_; }
  TdmLentilla* Datos() const { return dm_.get(); }

  // Runs one handler inside the screen's guard: an unexpected error is shown
  // in the error report and the screen stays as it was.
  void Guardia(const QString& etiqueta, const std::function<void()>& accion);

  // Toolbar actions, also reachable from the keyboard.
  enum class TDireccion { kPrimero, kAnterior, kSiguiente, kUltimo };
  void btnPrimeroClick() { Navegar(TDireccion::kPrimero); }
  void btnAnteriorClick() { Navegar(TDireccion::kAnterior); }
  void btnSiguienteClick() { Navegar(TDireccion::kSiguiente); }
  void btnUltimoClick() { Navegar(TDireccion::kUltimo); }
  void btnNuevoClick();
  void btnGrabarClick();
  void btnBorrarClick();
  void btnTrasponerClick();
  // The SMS dialog for this record's patient.
  void btnSMSClick();
  // Lot recalls and run-out reminders (Frm_avisos.cpp).
  void btnAvisosClick();
  // The fitting-test sheet and the replacement sheet, in a print preview (or,
  // with OPTICA_IMPRESION_PDF naming a folder, as PDF files there).
  void btnPruebaImprimirClick();
  void btnReposicionImprimirClick();
  // The record sheet, the prescription and the warranty through the shop's
  // print engine and the user's default format of each.
  void btnImpFichaClick();
  void btnImpRecetaClick();
  void btnImpGarantiaClick();
  // Turns the fitting test on the "Pruebas" tab into a new lens record.
  void btnPruebaDefinitivaClick();
  // Hand the record over to the sales or the orders module
  // (Frm_lentilla_traspasos.cpp).
  void btnVentaClick() { Traspasar(TModulosHermanos::Ventas); }
  void btnEncargoClick() { Traspasar(TModulosHermanos::Encargos); }
  // The screen is active again: an article created in the article module
  // goes into the field that asked for it.
  void FormActivate();
  // A sibling module (sales, orders, articles) was started from the screen.
  bool Hermano_Ejecutado() const { return hermanoEjecutado_; }

  // Marks the record changed (or not), as the user's right to modify allows.
  void Modificado_Estado(bool modificado);

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  bool event(QEvent* e) override;

 private:
  // The pages that show the record: "Ficha" and "Observaciones".
  std::array<TPaginaLentilla*, 2> Paginas_Ficha() const;

  void Crear_Controles();
  void Poner_Titulo(const QString& tienda = QString());
  void Icono_Observaciones();

  int Cargar_Ficha(double idFicha);
  void Mostrar_Ficha(TLentilla& l);
  int Preparar_Nueva();
  void Navegar(TDireccion direccion);
  // The unsaved-changes questions; false when the user cancelled.
  bool Preguntar_Cambios(bool soloFicha);
  void Recoger_Ficha(TLentilla& l);
  int Grabar_Lineas(double idFicha);
  // Saves the record whole; false (the user told why) when nothing was saved.
  bool Grabar_Ficha();
  // One attempt at writing the record whole: 0, kNumeroOcupado when its new
  // number was taken meanwhile, -1 when it failed (the user told why).
  static constexpr int kNumeroOcupado = -9;
  int Grabar_Unidad(TLentilla& l, bool nueva, bool lineas);
  // Whether a new record's save failed on a number another workstation has
  // just taken; the record then takes the next free number, and the status
  // bar says so. Returns that number.
  static bool Numero_Ocupado(const EIBError* causa);
  int Tomar_Numero_Libre(TLentilla& l);
  // Tells why a save or a delete wrote nothing: a refusal the user can act on
  // in a box, anything else in the error report.
  enum class TAccion { kGrabar, kBorrar };
  enum class TObjeto { kFicha, kPrueba, kDefinitiva, kReposiciones };
  void Avisar_Fallo(const EIBError* causa, int resultado, TAccion accion, TObjeto objeto = TObjeto::kFicha);
  // Another workstation changed (or deleted) the record since it was read:
  // says who and when, and offers to show it as it is now.
  void Avisar_Cambio_Ajeno(int resultado, const QString& quien, double cuando);
  void Solo_Lectura(bool soloLectura);
  void Teclas(int tecla);
  // The print of a document type through the engine with a format.
  void Imprimir_Motor(int tipo, const QString& formato);
  void pcl_Lentilla_Change();
  // After a test or the replacements are saved: offers to make today the
  // patient's last visit.
  void Actualizar_Ultima_Visita();

  void FormClose();
  void Devolver_Seleccion();

  // Hand-offs to the sibling modules (Frm_lentilla_traspasos.cpp).
  void Enlazar_Traspasos();
  void Traspasar(TModulosHermanos::Modulo modulo);
  // The fields that can ask the article module for a new article.
  enum TPeticion { kFichaOD, kFichaOI, kPruebaOD, kPruebaOI, kNumPeticiones };
  void Pedir_Articulo(TPeticion peticion);
  void Servir_Articulo(TPeticion peticion, double clave);

  TAplicacion* owner_;
  THostContext* ctx_ = nullptr;
  TSeleccion seleccion_;
  TModulosHermanos modulos_;
  TObjetosLentilla objetos_;
  std::unique_ptr<TdmLentilla> dm_;
  TReglasEntrada* reglas_ = nullptr;
  bool fichaExistente_ = false;
  bool cerrada_ = false;
  bool hermanoEjecutado_ = false;
  std::array<bool, kNumPeticiones> peticiones_{};

  QToolButton *btnGrabar_ = nullptr, *btnBorrar_ = nullptr, *btnTrasponer_ = nullptr;
  QLabel* lblSoloLectura_ = nullptr;
  QTabWidget* pclLentilla_ = nullptr;
  TPaginaFicha* ficha_ = nullptr;
  TPaginaObservaciones* observaciones_ = nullptr;
  TPaginaPruebas* pruebas_ = nullptr;
  TPaginaReposiciones* reposiciones_ = nullptr;
  QStatusBar* sbr_Ayuda_ = nullptr;
};
