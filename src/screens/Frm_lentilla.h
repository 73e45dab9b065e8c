#pragma once
// TfrmLentilla, "Gestión de fichas de lentillas": the window of the lens
// module. The entry creates it with the host's application object as owner,
// gives it the host context, initialises it and shows it without blocking; it
// lives in the host's event loop until the user closes it, and then hands the
// selection back to the host and frees itself.
//
// The "Ficha" tab holds the record: its number and dates, doctor, agent, the
// measurements and the graduation of both eyes side by side, and the lenses
// supplied for each eye; "Observaciones" its free text.

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "Clase_tbiblioteca.h"
#include "Contexto_host.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class TAgenda;
class TAgente;
class TArticulo;
class TDLentilla;
class TEditFecha;
class TLentilla;
class TPaciente;
class TTLentilla;
class TTienda;
class TdmLentilla;
class TFiltroEntrada;
class TFiltroSelectores;

class TfrmLentilla : public QWidget {
  Q_OBJECT

 public:
  // Codes of the domain objects the screen creates on first need.
  enum Objeto { kArticulo = 0, kAgente = 9, kLentilla = 13, kTienda = 31, kAgenda = 35, kPaciente = 46 };

  explicit TfrmLentilla(TAplicacion* owner);
  ~TfrmLentilla() override;

  // The screen of the module while it is open (one per load), or null.
  static TfrmLentilla* Activa();

  void Fijar_Contexto(THostContext* ctx) { ctx_ = ctx; }
  THostContext* Contexto() const { return ctx_; }
  // Prepares the screen on the host's selection: the chosen record, or a new
  // one. Raises on a host context that lacks what the screen needs.
  void Inicializar();

  TModulosHermanos& Modulos() { return modulos_; }
  // The screen's copy of the host's selection block.
  const TSeleccion& Seleccion() const { return seleccion_; }
  bool Modificado() const { return modificado_; }
  bool Ficha_Existente() const { return fichaExistente_ == 1; }
  TdmLentilla* Datos() const { return dm_.get(); }

  // Runs one handler inside the screen's guard: an unexpected error is shown
  // in the error report and the screen stays as it was.
  void Guardia(const QString& etiqueta, const std::function<void()>& accion);

  // Toolbar actions, also reachable from the keyboard.
  void btnPrimeroClick() { Navegar(1); }
  void btnAnteriorClick() { Navegar(2); }
  void btnSiguienteClick() { Navegar(3); }
  void btnUltimoClick() { Navegar(4); }
  void btnNuevoClick();
  void btnGrabarClick();
  void btnBorrarClick();
  // Transposes the graduation of both eyes (Frm_lentilla_selectores.cpp).
  void btnTrasponerClick();

  // Marks the record changed (or not), as the user's right to modify allows.
  void Modificado_Estado(bool modificado);

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  bool event(QEvent* e) override;

 private:
  void* Objeto_Dominio(Objeto codigo);
  TLentilla& Lentilla();
  TTienda& Tienda();
  TAgente& Agente();
  TAgenda& Agenda();

  void Crear_Controles();
  void Crear_Pestana_Ficha();
  void Conectar_Cambios();
  void Poner_Botones();

  void Limpiar_Controles();
  void Limpiar_Graduacion();
  void Cargar_Doctores();
  void Cargar_Agentes();
  void Cargar_Tipos();
  void Titulo_Fichas();
  void Poner_Titulo(const QString& tienda = QString());

  int Cargar_Ficha(double idFicha);
  void Mostrar_Ficha(TLentilla& l, bool graduacion, bool lentes, bool resto);
  void Mostrar_Medidas(TLentilla& l);
  void Mostrar_Lentes(double idFicha);
  int Preparar_Nueva();
  void Navegar(int direccion);
  // The unsaved-changes questions; false when the user cancelled.
  bool Preguntar_Cambios(bool soloFicha);
  bool Comprobar_Fechas();
  void Recoger_Controles(TLentilla& l);
  int Grabar_Lineas(double idFicha);
  void Teclas(int tecla);

  void FormClose();
  void Devolver_Seleccion();

  // ---- Entry rules of the measurement and date edits (Frm_lentilla_entrada.cpp) ----
  // Which check a measurement edit makes when the user leaves it, and what it
  // writes back: graduations (sphere, cylinder, addition) are normalised with
  // sign and two decimals, distances get two decimals, an axis stays as typed;
  // free texts are not checked, only copied to the left eye.
  enum class TRegla { kGraduacion, kEje, kDistancia, kTexto };
  // The check a date edit makes on a changed entry before its exit check: none,
  // the record date's (never left blank) or a date not earlier than the record's.
  enum class TValidacionFecha { kNinguna, kFicha, kNoAnterior };

  // Binds the rules of the record tab's edits; called once the controls exist.
  void Enlazar_Reglas_Ficha();
  // Binds the exit rule of one measurement edit. `gemeloOI` is the left-eye
  // twin of a right-eye edit (null for a left-eye one); `etiqueta` names the
  // handler in the error report (empty: the rule runs unguarded); `antes` runs
  // first (the record tab's axes transpose there). Every family but free text
  // also gets the decimal-comma mask.
  void Enlazar_Medida(QLineEdit* edit, TRegla regla, QLineEdit* gemeloOI, const QString& etiqueta,
                      std::function<void()> antes = {});
  // Turns a typed "." (the keypad's included) into "," in this edit.
  void Mascara_Coma(QLineEdit* edit);
  // The one exit rule of every measurement edit of both tabs.
  void Salir_Medida(QLineEdit* edit, TRegla regla, QLineEdit* gemeloOI);
  // Automatic transposition of one eye of the record tab, when its axis is left.
  void Trasponer_Ojo(int ojo);
  // Binds a date edit of the record tab: its check of a changed entry, then
  // `aviso` when the date is earlier than the record date (no message when
  // empty); `condicion`, when given, must hold for the exit check to run.
  void Enlazar_Fecha(TEditFecha* fecha, TValidacionFecha validacion, const QString& aviso,
                     std::function<bool()> condicion = {});
  void Salir_Fecha(TEditFecha* fecha, TValidacionFecha validacion, const QString& aviso, bool comprobar);
  // The date checks of a changed entry; false when the entry was rejected.
  bool FechaOnValidate(TEditFecha* fecha);
  bool dtmFechaOnValidate();
  // Copies the text into the left-eye twin when the user asks for it and the twin is empty.
  void Copiar_Al_Gemelo(QLineEdit* edit, QLineEdit* gemeloOI);
  // Writes a text the rules produced, through the edit's change hook.
  void Escribir(QLineEdit* edit, const QString& texto);
  // An amount as the lens lines show it ("1.234,50") and back (0 for no number).
  static QString Texto_Importe(double valor);
  static double Leer_Importe(const QString& texto);
  // Puts the focus back into an edit whose entry was rejected.
  void Devolver_Foco(QLineEdit* edit);
  // The watcher of the ruled edits, created with the first binding.
  TFiltroEntrada& Filtro_Entrada();

  // ---- Pickers of the record tab (Frm_lentilla_selectores.cpp) ----
  // The article chosen for one eye: it names the lens lines and goes with the
  // left-eye copy. Key -1: the article edit holds no known article.
  struct TArticuloOjo {
    double id = -1;
    QString referencia, descripcion, modelo, color, radio1, radio2;
    double diametro = 0;
  };

  TArticulo& Articulo();
  // Binds the doctor, agent, lens-type, article, amount and lot pickers.
  void Enlazar_Selectores();
  void cbxDoctorKeyDown();
  void tbnDoctorClick();
  void cbxDoctorChange();
  void cbxAgenteKeyDown();
  void tbnAgenteClick();
  void Tipo_Lentilla_KeyDown(int ojo);
  // Looks up the typed article of one eye; `siempre` also when the text is
  // the one already looked up (the edit's search button).
  void Buscar_Articulo(int ojo, bool siempre);
  // Fills the eye from the article just found: description, price and hint.
  void Mostrar_Articulo(int ojo);
  void Quitar_Articulo(int ojo);
  void Importe_Change(int ojo);
  // Copies the right eye's lens data into the left-eye field being entered.
  void Copiar_Lente_OI(QWidget* campo);
  TFiltroSelectores& Filtro_Selectores();

  TAplicacion* owner_;
  THostContext* ctx_ = nullptr;
  TSeleccion seleccion_;
  TModulosHermanos modulos_;
  std::unique_ptr<TdmLentilla> dm_;
  std::unique_ptr<TLentilla> lentilla_;
  std::unique_ptr<TTienda> tienda_;
  std::unique_ptr<TAgente> agente_;
  std::unique_ptr<TAgenda> agenda_;
  std::unique_ptr<TPaciente> paciente_;
  std::unique_ptr<TTLentilla> tipos_;
  std::unique_ptr<TArticulo> articulo_;

  bool modificado_ = false;
  bool pruebaModificada_ = false;
  bool reposicionesModificadas_ = false;
  int fichaExistente_ = 0;
  bool lineasModificadas_ = false;
  bool cargarReposiciones_ = false, cargarPruebas_ = false;
  bool moduloLanzado_ = false;
  bool cargando_ = false;  // controls being filled by the screen, not typed
  int ultimaRespuesta_ = 0;
  bool cerrada_ = false;
  TFiltroEntrada* filtroEntrada_ = nullptr;  // focus and key events of the ruled edits
  QPointer<QLineEdit> focoDevuelto_;        // edit the focus is being put back into
  TFiltroSelectores* filtroSelectores_ = nullptr;  // keys and focus of the pickers
  TArticuloOjo articulosOjo_[2];

  // Controls, by their designed names.
  QToolBar* tlbBotones_ = nullptr;
  QHash<QString, QToolButton*> botones_;
  QTabWidget* pclLentilla_ = nullptr;
  QStatusBar* sbr_Ayuda_ = nullptr;
  QWidget* pnlTituloDatosFicha_ = nullptr;
  QLabel* lblTituloDatosFicha_ = nullptr;
  QLabel* txt_Titulo_NFichas_ = nullptr;
  QLineEdit* edtFicha_ = nullptr;
  TEditFecha *dtmFecha_ = nullptr, *dtmFechaRevision_ = nullptr, *dtmFechaLimpieza_ = nullptr,
             *dtmFechaCaducidad_ = nullptr, *dtmFechaReposicion_ = nullptr;
  QComboBox *cbxDoctor_ = nullptr, *cbxPropiaAjena_ = nullptr, *cbxAgente_ = nullptr;
  QToolButton *tbnDoctor_ = nullptr, *tbnAgente_ = nullptr;
  QLineEdit* edtLiquido_ = nullptr;
  QPlainTextEdit* memObservaciones_ = nullptr;
  // Per eye (0 right, 1 left): the edits of one row of the eye columns.
  struct TOjo {
    QLineEdit *abertura, *pupilar, *iris, *radio1, *radio2, *esfera, *cilindro, *eje, *diametro, *zona, *adicion,
        *agudeza, *queratometria, *articulo, *importe, *lote;
    QComboBox* tipo;
    TEditFecha* garantia;
  } ojos_[2] = {};
};
