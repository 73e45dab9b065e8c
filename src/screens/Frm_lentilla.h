#pragma once
// TfrmLentilla, "Gestión de fichas de lentillas": the window of the lens
// module. The entry creates it with the host's application object as owner,
// gives it the host context, initialises it and shows it without blocking; it
// lives in the host's event loop until the user closes it, and then hands the
// selection back to the host and frees itself.
//
// The window is a frame: the toolbar, walking the patient's records, the
// unsaved-changes questions, the keys, closing and the guard around every
// handler. Each tab is a page of its own (Pagina_lentilla.h): the record's
// two pages (Frm_lentilla_ficha.h, Frm_lentilla_observaciones.h), the fitting
// tests (Frm_lentilla_pruebas.h) and the replacements
// (Frm_lentilla_reposiciones.h). The frame edits the record itself through
// its two pages; it routes the keys to the page in front, asks every page's
// edition before an action leaves it and tells every page what the user may
// change. Every write goes through a service (src/servicios), which decides
// the right, the version, the number and the unit of work; the frame and its
// pages only collect and tell. Frm_lentilla_definitiva.cpp turns a fitting
// test into a record; Frm_lentilla_hojas.cpp prints.

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "Clase_tbiblioteca.h"
#include "Contexto_host.h"
#include "Edicion.h"
#include "Objetos_lentilla.h"
#include "Reglas_entrada.h"

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
class TParteFicha;
class TdmLentilla;
class TResultado;
struct TServiciosLentilla;

class TfrmLentilla : public QWidget, private TEdicion {
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

  // The tabs, in their order.
  std::array<TPaginaLentilla*, 4> Paginas() const;

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
  // The record as an HL7 FHIR prescription, and a prescription into a new
  // fitting test (Frm_lentilla_fhir.cpp): each asks for its file.
  void btnFhirExportarClick();
  void btnFhirImportarClick();
  // Writes the stored record on screen to `fichero`; false (the user told
  // why) when nothing was written.
  bool Exportar_Fhir(const QString& fichero);
  // A prescription's JSON text (a file's, or what a prescription's code
  // carried) becomes the patient's next fitting test, once the user has seen
  // what it will write and accepted; true when the test was written.
  bool Importar_Fhir(const QByteArray& json);
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
  // The record as an edition: its two pages, the toolbar's save, new and
  // delete, and its unsaved-changes question.
  bool Modificada() const override { return Modificado(); }
  bool Grabar() override { return Grabar_Ficha(); }
  void Nuevo() override { btnNuevoClick(); }
  void Borrar() override { btnBorrarClick(); }
  QString Pregunta_Cambios() const override;

  // The pages that show the record: "Ficha" and "Observaciones".
  std::array<TParteFicha*, 2> Partes_Ficha() const;
  TPaginaLentilla* Pagina_Activa() const;
  // What the screen edits, in the order of the closing questions: the
  // record, the fitting test, the replacement list.
  std::array<TEdicion*, 3> Ediciones();

  void Crear_Controles();
  void Poner_Titulo(const QString& tienda = QString());
  void Icono_Observaciones();

  int Cargar_Ficha(double idFicha);
  void Mostrar_Ficha(TLentilla& l);
  int Preparar_Nueva();
  void Navegar(TDireccion direccion);
  // Before walking the records or closing: every edition's question in
  // turn. False when the user cancelled or a save failed.
  bool Dejar_Todo();
  // Before an action that replaces the record on screen ("Nuevo", a sale,
  // an order, a print, "Definitiva"): the record's question alone.
  bool Dejar_Ficha();
  void Recoger_Ficha(TLentilla& l);
  // Saves the record whole; false (the user told why) when nothing was saved.
  bool Grabar_Ficha();
  // A new record saved under another number than it had: the status bar
  // says so.
  void Avisar_Numero(const TResultado& r, int numero);
  // Tells every page what the user may change, when that changes.
  void Derechos();
  void Teclas(int tecla);
  // The print of a document type through the engine with a format; false
  // when the user stopped it before it began (at the unsaved-changes question).
  bool Imprimir_Motor(int tipo, const QString& formato);
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
  void Pedir_Articulo(TPeticion peticion, const QString& codigoBarras);
  void Servir_Articulo(TPeticion peticion, double clave);

  TAplicacion* owner_;
  THostContext* ctx_ = nullptr;
  TSeleccion seleccion_;
  TModulosHermanos modulos_;
  TObjetosLentilla objetos_;
  std::unique_ptr<TServiciosLentilla> servicios_;
  std::unique_ptr<TdmLentilla> dm_;
  TReglasEntrada* reglas_ = nullptr;
  bool fichaExistente_ = false;
  bool cerrada_ = false;
  bool hermanoEjecutado_ = false;
  std::array<bool, kNumPeticiones> peticiones_{};
  int derechos_ = -1;  // what the pages were last told (-1: nothing yet)

  QToolButton *btnGrabar_ = nullptr, *btnBorrar_ = nullptr, *btnTrasponer_ = nullptr;
  QLabel* lblSoloLectura_ = nullptr;
  QTabWidget* pclLentilla_ = nullptr;
  TPaginaFicha* ficha_ = nullptr;
  TPaginaObservaciones* observaciones_ = nullptr;
  TPaginaPruebas* pruebas_ = nullptr;
  TPaginaReposiciones* reposiciones_ = nullptr;
  QStatusBar* sbr_Ayuda_ = nullptr;
};
