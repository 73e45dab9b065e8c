#pragma once
// The "Pruebas" tab of the lens record screen: the patient's fitting tests,
// one at a time. Its own toolbar creates, saves, deletes and walks the tests
// and turns the one shown into a lens record ("Definitiva", which the frame
// carries out: it writes a record and shows it on the "Ficha" tab). The tab
// shows the test's number, date and agent, the trial graduation and the
// over-refraction of both eyes side by side, the trial lens of each eye and
// the observations.
//
// Frm_lentilla_pruebas.cpp builds, clears, shows, collects, loads, walks,
// saves and deletes; Frm_lentilla_pruebas_selectores.cpp binds the entry rules
// and the pickers (lens types, the trial article search, the agent, the
// left-eye copies).

#include "Frm_lentilla_graduacion.h"
#include "Pagina_lentilla.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;
class TEditFecha;
class TEscaneoCaja;
class TObjetosLentilla;
class TPrueba;
class TServicioPruebas;
struct TDatosFichaPrueba;
struct TSeleccion;

class TPaginaPruebas : public TPaginaLentilla, public TEdicion {
  Q_OBJECT

 public:
  TPaginaPruebas(TReglasEntrada& reglas, TObjetosLentilla& objetos, TSeleccion& seleccion,
                 QWidget* padre = nullptr);

  // The agent list and the lens types, once the host context is known; the
  // service that writes the tests.
  void Inicializar(TServicioPruebas& servicio);

  // ---- The page and what it edits ----
  TEdicion& Edicion() override { return *this; }
  // A test is saved only by a user with the right to modify: without it the
  // tab only shows the tests.
  void Derechos(bool puedeModificar, bool) override;
  bool Modificada() const override { return modificada_; }
  bool Grabar() override { return Grabar_Prueba(); }
  void Nuevo() override { btnPruebaNuevaClick(); }
  void Borrar() override { btnPruebaBorrarClick(); }
  QString Pregunta_Cambios() const override;

  // The trial article chosen for one eye: what a save writes into the test's
  // article fields and what "Definitiva" writes into the record's lens line.
  struct TArticuloPrueba {
    QString referencia, modelo, radio1, radio2, color;
    double diametro = 0, precio = 0;
  };

  // ---- Screen operations ----
  // Loads the patient's tests: with `cargar` the last one is shown; without,
  // only the tab's image says whether there are any. 0, or -1 on a database
  // error.
  int Cargar_Pruebas(bool cargar);
  // First, previous, next or last test (1 to 4). 0, or -1.
  int Navegar_Pruebas(int direccion);
  int Mostrar_Prueba();
  int Recoger_Prueba();
  int Limpiar_Prueba();
  // Marks the test changed (or not), as the user's right to modify allows.
  void Marcar_Prueba(bool modificada);

  // ---- Toolbar ----
  void btnPruebaNuevaClick();
  void btnPruebaGrabarClick() { Grabar_Prueba(); }
  // Saves the test whole; false when nothing was saved (the user told why)
  // or there was nothing to save.
  bool Grabar_Prueba();
  void btnPruebaBorrarClick();
  void btnPruebaPrimeroClick() { Navegar_Pruebas(1); }
  void btnPruebaAnteriorClick() { Navegar_Pruebas(2); }
  void btnPruebaSiguienteClick() { Navegar_Pruebas(3); }
  void btnPruebaUltimoClick() { Navegar_Pruebas(4); }
  // The fitting calculators on the graduation on screen; the result the
  // optician applies becomes a new test, not yet saved.
  void btnPruebaCalcularClick();

  // 0 while a new test is being entered, 1 while a stored one is shown.
  int Modo() const { return modo_; }
  // The tests are to be loaded the first time the tab is shown.
  bool Pendiente() const { return pendiente_; }
  void Fijar_Pendiente(bool pendiente) { pendiente_ = pendiente; }
  // The tab's image (and, without tests, the empty test) before the tests
  // are read.
  void Hay_Pruebas(bool hay);

  // Refills the two lens type selectors from the screen's catalogue, each
  // keeping its type.
  void Rellenar_Tipos();
  // Reads the agents again and refills the list; Rellenar_Agentes refills it
  // from the list last read.
  void Cargar_Agentes();
  void Rellenar_Agentes();

  // ---- What "Definitiva" takes from the tab ----
  QLineEdit* Campo(int ojo, int fila) const { return ojos_[ojo].campos[fila]; }
  double Fecha() const;
  // The agent chosen, 0 when none.
  double Agente() const;
  // The lens type key of an eye's selector: -1 when it shows none.
  double Tipo(int ojo) const;
  // Whether an eye names a lens: a type or a description.
  bool Con_Lente(int ojo) const;
  QString Descripcion(int ojo) const;
  QString Lote(int ojo) const;
  const TArticuloPrueba& Articulo_Elegido(int ojo) const { return elegidos_[ojo]; }
  // The test's part of the fitting-test sheet: the texts the tab shows.
  void Rellenar_Hoja(TDatosFichaPrueba& hoja) const;
  // Shows the article the screen's article object holds as the trial lens of
  // an eye (0 right, 1 left); one created in the article module for a
  // scanned box also takes the box's lot.
  void Poner_Articulo(int ojo);

  // The page's image: 2 the patient has tests, 3 none.

 signals:
  // The user asked for the test to become a lens record.
  void Definitiva();
  // "Imprimir": the fitting-test sheet.
  void Imprimir();
  // A lens type was created from this tab: the record tab's lists are stale.
  void Tipos_Cambiados();
  // An agent was created from this tab: the record tab's list is stale.
  void Agentes_Cambiados();
  // Insert in an eye's description, or a scanned box whose GTIN no article
  // has: the user wants to create the article (with that barcode, if any).
  void Articulo_Pedido(int ojo, const QString& codigoBarras);

 private:
  struct TOjo {
    QLineEdit* campos[kNumFilasPrueba] = {};
    QComboBox* tipo = nullptr;
    QLineEdit *descripcion = nullptr, *lote = nullptr;
    // A lens box scanned into the description (a test keeps no box expiry:
    // an expired box is refused all the same).
    TEscaneoCaja* escaneo = nullptr;
  };

  void Crear_Controles();
  void Conectar_Cambios();
  void Modificado_Pruebas() {
    if (!reglas_.En_Carga()) Marcar_Prueba(true);
  }
  void Fijar_Numero(double numero);
  THostContext* Ctx() const { return reglas_.Contexto(); }
  TPrueba& Prueba();

  // Entry rules and pickers (Frm_lentilla_pruebas_selectores.cpp).
  void Enlazar_Reglas();
  void Enlazar_Selectores();
  void Tipo_Lentilla_KeyDown(int ojo);
  int Buscar_Articulo_Prueba(int ojo, const QString& texto);
  void Quitar_Articulo(int ojo);
  void Mostrar_Articulo(int ojo);
  void edt_OI_Descripcion_Prueba_Change();
  void cbx_OI_TLentilla_Prueba_Enter();
  void edt_OI_Descripcion_Prueba_Enter();
  void edtOILotePruebaEnter();
  void cbxAgentePruebaKeyDown();
  void tbnAgentePruebaClick();

  TObjetosLentilla& objetos_;
  TSeleccion& seleccion_;
  TServicioPruebas* servicio_ = nullptr;
  bool modificada_ = false;
  bool puedeModificar_ = false;
  int modo_ = 0;
  bool pendiente_ = false;
  TArticuloPrueba elegidos_[2];
  // The left choice and whether the test was changed, as a scanner's burst
  // found them: its keys, typed into the description, are no change.
  TArticuloPrueba elegidoAntes_;
  bool modificadaAntes_ = false;

  QToolButton *btnPruebaNueva_ = nullptr, *btnPruebaGrabar_ = nullptr, *btnPruebaBorrar_ = nullptr;
  QLineEdit* edtFichaPrueba_ = nullptr;
  TEditFecha* dtmFechaPrueba_ = nullptr;
  QComboBox* cbxAgentePrueba_ = nullptr;
  QToolButton* tbnAgentePrueba_ = nullptr;
  QPlainTextEdit* memObservacionesPruebas_ = nullptr;
  TOjo ojos_[2];
};
