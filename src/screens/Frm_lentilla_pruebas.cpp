#include "Frm_lentilla_pruebas.h"
#include "Etiquetas_lentilla.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "Aviso_resultado.h"
#include "Clase_tagente.h"
#include "Clase_tprueba.h"
#include "Clase_ttlentilla.h"
#include "Dm_lentilla.h"
#include "Edit_fecha.h"
#include "Frm_calculos_adaptacion.h"
#include "Frm_ficha_prueba.h"
#include "Objetos_lentilla.h"
#include "Servicio_pruebas.h"

namespace {
const QString kAviso = QStringLiteral("AVISO");
const QString kSufijo[2] = {QStringLiteral("OD"), QStringLiteral("OI")};
}  // namespace

TPaginaPruebas::TPaginaPruebas(TReglasEntrada& reglas, TObjetosLentilla& objetos, TSeleccion& seleccion,
                               QWidget* padre)
    : TPaginaLentilla(reglas, padre), objetos_(objetos), seleccion_(seleccion) {
  setObjectName(QStringLiteral("tstPruebas"));
  Crear_Controles();
  Conectar_Cambios();
  Enlazar_Reglas();
  Enlazar_Selectores();
}

TPrueba& TPaginaPruebas::Prueba() { return objetos_.Prueba(); }

// ---- Controls ----------------------------------------------------------------------

void TPaginaPruebas::Crear_Controles() {
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(8, 4, 8, 6);
  v->setSpacing(6);

  // The tab's own toolbar.
  auto* tlbPruebas = new QToolBar(this);
  tlbPruebas->setObjectName(QStringLiteral("tlbPruebas"));
  tlbPruebas->setIconSize(QSize(18, 18));
  const auto guardado = [this](const char* etiqueta, void (TPaginaPruebas::*metodo)()) {
    return [this, etiqueta, metodo] { reglas_.Guardia(QLatin1String(etiqueta), [this, metodo] { (this->*metodo)(); }); };
  };
  const struct {
    const char *nombre, *texto, *ayuda, *icono, *etiqueta;
    void (TPaginaPruebas::*accion)();
    bool separador;
  } botones[] = {
      {"btnPruebaNueva", "Nuevo", "Nueva Prueba", "nuevo", etiqueta::kbtnPruebaNueva_OnClick,
       &TPaginaPruebas::btnPruebaNuevaClick, false},
      {"btnPruebaGrabar", "Grabar", "Grabar prueba", "grabar", etiqueta::kbtnPruebaGrabar_OnClick,
       &TPaginaPruebas::btnPruebaGrabarClick, false},
      {"btnPruebaBorrar", "Borrar", "Borrar prueba", "borrar", etiqueta::kbtnPruebaBorrar_OnClick,
       &TPaginaPruebas::btnPruebaBorrarClick, true},
      {"btnPruebaPrimero", "Primero", "Primera prueba", "primero", etiqueta::kbtnPruebaPrimero_OnClick,
       &TPaginaPruebas::btnPruebaPrimeroClick, false},
      {"btnPruebaAnterior", "Anterior", "Prueba anterior", "anterior", etiqueta::kbtnPruebaAnterior_OnClick,
       &TPaginaPruebas::btnPruebaAnteriorClick, false},
      {"btnPruebaSiguiente", "Siguiente", "Prueba siguiente", "siguiente", etiqueta::kbtnPruebaSiguiente_OnClick,
       &TPaginaPruebas::btnPruebaSiguienteClick, false},
      {"btnPruebaUltimo", "Último", "Última prueba", "ultimo", etiqueta::kbtnPruebaUltimo_OnClick,
       &TPaginaPruebas::btnPruebaUltimoClick, true},
      {"btnPruebaImprimir", "Imprimir", "Imprimir prueba", "imprimir", nullptr, nullptr, false},
      {"btnPruebaDefinitiva", "Definitiva", "Pasar la prueba a la ficha de lentillas", "ficha", nullptr, nullptr,
       true},
      {"btnPruebaCalcular", "Calcular", "Calcular la lentilla a pedir: distancia al vértice, rotación y sobrerrefracción",
       "trasponer", etiqueta::kbtnPruebaCalcular_OnClick, &TPaginaPruebas::btnPruebaCalcularClick, false},
  };
  for (const auto& b : botones) {
    auto* boton = new QToolButton(tlbPruebas);
    boton->setObjectName(QString::fromLatin1(b.nombre));
    boton->setText(QString::fromUtf8(b.texto));
    boton->setToolTip(QString::fromUtf8(b.ayuda));
    boton->setStatusTip(QString::fromUtf8(b.ayuda));
    boton->setIcon(TdmLentilla::Imagen(QString::fromLatin1(b.icono)));
    boton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tlbPruebas->addWidget(boton);
    if (b.separador) tlbPruebas->addSeparator();
    if (b.accion) connect(boton, &QToolButton::clicked, this, guardado(b.etiqueta, b.accion));
    if (b.nombre == std::string_view("btnPruebaNueva")) btnPruebaNueva_ = boton;
    if (b.nombre == std::string_view("btnPruebaGrabar")) btnPruebaGrabar_ = boton;
    if (b.nombre == std::string_view("btnPruebaBorrar")) btnPruebaBorrar_ = boton;
    if (b.nombre == std::string_view("btnPruebaImprimir"))
      connect(boton, &QToolButton::clicked, this, &TPaginaPruebas::Imprimir);
    if (b.nombre == std::string_view("btnPruebaDefinitiva"))
      connect(boton, &QToolButton::clicked, this, &TPaginaPruebas::Definitiva);
  }
  v->addWidget(tlbPruebas);

  const auto etiqueta = [](const QString& t, QWidget* padre) { return new QLabel(t, padre); };
  const auto edit = [](QWidget* padre, const QString& nombre, const QString& ayuda, int longitud) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(nombre);
    e->setStatusTip(ayuda);
    e->setMaxLength(longitud);
    e->setAlignment(Qt::AlignRight);
    return e;
  };

  // The test's number, date and agent.
  auto* datos = new QGroupBox(this);
  auto* hDatos = new QHBoxLayout(datos);
  edtFichaPrueba_ = edit(datos, QStringLiteral("edt_Ficha_Prueba"), QStringLiteral("Número de la prueba"), 6);
  edtFichaPrueba_->setReadOnly(true);
  edtFichaPrueba_->setMaximumWidth(70);
  dtmFechaPrueba_ = new TEditFecha(datos);
  dtmFechaPrueba_->setObjectName(QStringLiteral("dtm_Fecha_Prueba"));
  dtmFechaPrueba_->setStatusTip(QStringLiteral("Fecha de la prueba"));
  cbxAgentePrueba_ = new QComboBox(datos);
  cbxAgentePrueba_->setObjectName(QStringLiteral("cbxAgentePrueba"));
  cbxAgentePrueba_->setStatusTip(QStringLiteral("Agente (Insert: crear un agente)"));
  cbxAgentePrueba_->setMinimumWidth(220);
  tbnAgentePrueba_ = new QToolButton(datos);
  tbnAgentePrueba_->setObjectName(QStringLiteral("tbnAgentePrueba"));
  tbnAgentePrueba_->setIcon(TdmLentilla::Imagen(QStringLiteral("actualizar")));
  tbnAgentePrueba_->setToolTip(QStringLiteral("Actualizar la lista de agentes"));
  tbnAgentePrueba_->setStatusTip(tbnAgentePrueba_->toolTip());
  tbnAgentePrueba_->setVisible(false);  // shown only when the test's agent left the list
  hDatos->addWidget(etiqueta(QStringLiteral("Prueba nº:"), datos));
  hDatos->addWidget(edtFichaPrueba_);
  hDatos->addSpacing(12);
  hDatos->addWidget(etiqueta(QStringLiteral("Fecha:"), datos));
  hDatos->addWidget(dtmFechaPrueba_);
  hDatos->addSpacing(12);
  hDatos->addWidget(etiqueta(QStringLiteral("Agente:"), datos));
  hDatos->addWidget(cbxAgentePrueba_);
  hDatos->addWidget(tbnAgentePrueba_);
  hDatos->addStretch(1);
  v->addWidget(datos);

  // The two eyes side by side: the trial graduation, then the over-refraction
  // in the same columns.
  auto* cuerpo = new QHBoxLayout;
  cuerpo->setSpacing(8);
  auto* graduacion = new QGroupBox(QStringLiteral(" Graduación de prueba y sobrerrefracción "), this);
  auto* gg = new QGridLayout(graduacion);
  gg->addWidget(etiqueta(QStringLiteral("<b>Ojo derecho (OD)</b>"), graduacion), 0, 1, Qt::AlignCenter);
  gg->addWidget(etiqueta(QStringLiteral("<b>Ojo izquierdo (OI)</b>"), graduacion), 0, 2, Qt::AlignCenter);
  int fila = 1;
  for (int i = 0; i < kNumFilasPrueba; ++i) {
    const TFilaPrueba& f = kFilasPrueba[i];
    if (f.medida && !kFilasPrueba[i - 1].medida) {
      auto* titulo = etiqueta(QStringLiteral("<b>Sobrerrefracción</b>"), graduacion);
      titulo->setContentsMargins(0, 6, 0, 0);
      gg->addWidget(titulo, fila++, 0, 1, 3);
    }
    gg->addWidget(etiqueta(QString::fromUtf8(f.titulo) + QLatin1Char(':'), graduacion), fila, 0);
    for (int o = 0; o < 2; ++o) {
      const QString nombre = QStringLiteral("edt_%1_%2_Prueba").arg(kSufijo[o], QLatin1String(f.campo));
      const QString ayuda = QString::fromUtf8(f.titulo) + (f.medida ? QStringLiteral(" de la sobrerrefracción") : QString()) +
                            (o == 0 ? QStringLiteral(" del ojo derecho") : QStringLiteral(" del ojo izquierdo"));
      ojos_[o].campos[i] = edit(graduacion, nombre, ayuda, f.longitud);
      ojos_[o].campos[i]->setMinimumWidth(80);
      ojos_[o].campos[i]->setMaximumWidth(140);
      gg->addWidget(ojos_[o].campos[i], fila, o + 1);
    }
    ++fila;
  }
  gg->setColumnStretch(1, 1);
  gg->setColumnStretch(2, 1);
  gg->setRowStretch(fila, 1);

  auto* derecha = new QVBoxLayout;
  auto* lente = new QGroupBox(QStringLiteral(" Lentilla de prueba "), this);
  auto* gl = new QGridLayout(lente);
  gl->addWidget(etiqueta(QStringLiteral("<b>Ojo derecho (OD)</b>"), lente), 0, 1, Qt::AlignCenter);
  gl->addWidget(etiqueta(QStringLiteral("<b>Ojo izquierdo (OI)</b>"), lente), 0, 2, Qt::AlignCenter);
  gl->addWidget(etiqueta(QStringLiteral("Tipo:"), lente), 1, 0);
  gl->addWidget(etiqueta(QStringLiteral("Descripción:"), lente), 2, 0);
  gl->addWidget(etiqueta(QStringLiteral("Lote:"), lente), 3, 0);
  for (int o = 0; o < 2; ++o) {
    TOjo& ojo = ojos_[o];
    ojo.tipo = new QComboBox(lente);
    ojo.tipo->setObjectName(QStringLiteral("cbx_%1_TLentilla_Prueba").arg(kSufijo[o]));
    ojo.tipo->setStatusTip(QStringLiteral("Tipo de lentilla (Insert: crear un tipo)"));
    ojo.tipo->setMinimumWidth(150);
    ojo.descripcion = edit(lente, QStringLiteral("edt_%1_Descripcion_Prueba").arg(kSufijo[o]),
                           QStringLiteral("Lentilla de prueba (F4: buscar el artículo; Insert: crear uno; Supr: quitarlo)"),
                           50);
    ojo.descripcion->setMinimumWidth(150);
    ojo.lote = edit(lente, QStringLiteral("edt%1LotePrueba").arg(kSufijo[o]), QStringLiteral("Lote de la lentilla"), 30);
    ojo.lote->setAlignment(Qt::AlignLeft);
    gl->addWidget(ojo.tipo, 1, o + 1);
    gl->addWidget(ojo.descripcion, 2, o + 1);
    gl->addWidget(ojo.lote, 3, o + 1);
  }
  gl->setColumnStretch(1, 1);
  gl->setColumnStretch(2, 1);
  derecha->addWidget(lente);
  auto* observaciones = new QGroupBox(QStringLiteral(" Observaciones "), this);
  auto* vo = new QVBoxLayout(observaciones);
  memObservacionesPruebas_ = new QPlainTextEdit(observaciones);
  memObservacionesPruebas_->setObjectName(QStringLiteral("memObservacionesPruebas"));
  memObservacionesPruebas_->setStatusTip(QStringLiteral("Observaciones de la prueba"));
  memObservacionesPruebas_->setTabChangesFocus(true);
  vo->addWidget(memObservacionesPruebas_);
  derecha->addWidget(observaciones, 1);

  cuerpo->addWidget(graduacion, 2);
  cuerpo->addLayout(derecha, 3);
  v->addLayout(cuerpo, 1);

  // Tab order follows the eye columns: all of the right eye, then the left.
  QList<QWidget*> orden{edtFichaPrueba_, dtmFechaPrueba_, cbxAgentePrueba_};
  for (const TOjo& o : ojos_)
    for (QLineEdit* e : o.campos) orden << e;
  for (const TOjo& o : ojos_) orden << o.tipo << o.descripcion << o.lote;
  orden << memObservacionesPruebas_;
  for (int i = 1; i < orden.size(); ++i) QWidget::setTabOrder(orden[i - 1], orden[i]);
}

void TPaginaPruebas::Conectar_Cambios() {
  // Every edit, selector, the memo and the lots mark the test changed; the
  // left description has its own handler (it also forgets the left article).
  for (QLineEdit* e : findChildren<QLineEdit*>()) {
    if (qobject_cast<QComboBox*>(e->parentWidget()) || e == ojos_[1].descripcion) continue;
    connect(e, &QLineEdit::textChanged, this, &TPaginaPruebas::Modificado_Pruebas);
  }
  for (QComboBox* c : findChildren<QComboBox*>())
    connect(c, &QComboBox::currentIndexChanged, this, &TPaginaPruebas::Modificado_Pruebas);
  connect(memObservacionesPruebas_, &QPlainTextEdit::textChanged, this, &TPaginaPruebas::Modificado_Pruebas);
  connect(ojos_[1].descripcion, &QLineEdit::textChanged, this, [this] {
    reglas_.Guardia(QLatin1String(etiqueta::kedt_OI_Descripcion_Prueba_OnChange),
                    [this] { edt_OI_Descripcion_Prueba_Change(); });
  });
}

// ---- Initialisation ------------------------------------------------------------------

void TPaginaPruebas::Inicializar(TServicioPruebas& servicio) {
  servicio_ = &servicio;
  // The record tab has just read the agents and the lens types: the lists
  // are filled from what it read.
  const auto carga = reglas_.Cargando();
  Rellenar_Agentes();
  Rellenar_Tipos();
  Limpiar_Prueba();
}

void TPaginaPruebas::Cargar_Agentes() {
  objetos_.Agente().Cargar_Lista(0);
  Rellenar_Agentes();
}

void TPaginaPruebas::Rellenar_Agentes() {
  const auto carga = reglas_.Cargando();
  const QVariant elegido = cbxAgentePrueba_->currentIndex() >= 0 ? cbxAgentePrueba_->currentData() : QVariant();
  cbxAgentePrueba_->clear();
  const TAgente& a = objetos_.Agente();
  for (int i = 0; i < a.Lista_Nombres().size(); ++i)
    cbxAgentePrueba_->addItem(a.Lista_Nombres()[i], a.Lista_Ids()[i].toDouble());
  cbxAgentePrueba_->setCurrentIndex(elegido.isValid() ? cbxAgentePrueba_->findData(elegido) : -1);
}

void TPaginaPruebas::Rellenar_Tipos() {
  const auto carga = reglas_.Cargando();
  const TTLentilla& tipos = objetos_.Tipos();
  for (TOjo& o : ojos_) {
    const QVariant elegido = o.tipo->currentIndex() >= 0 ? o.tipo->currentData() : QVariant();
    o.tipo->clear();
    for (int i = 0; i < tipos.Descripciones.size(); ++i) o.tipo->addItem(tipos.Descripciones[i], tipos.Claves[i].toDouble());
    o.tipo->setCurrentIndex(elegido.isValid() ? o.tipo->findData(elegido) : -1);
  }
}

// ---- State ------------------------------------------------------------------------------

void TPaginaPruebas::Marcar_Prueba(bool modificada) {
  modificada_ = puedeModificar_ && modificada;
  btnPruebaGrabar_->setEnabled(modificada_);
  btnPruebaBorrar_->setEnabled(puedeModificar_);
}

void TPaginaPruebas::Derechos(bool puedeModificar, bool) {
  puedeModificar_ = puedeModificar;
  Fijar_Solo_Lectura(!puedeModificar);
  btnPruebaNueva_->setEnabled(puedeModificar);
  Marcar_Prueba(modificada_);
}

QString TPaginaPruebas::Pregunta_Cambios() const {
  return QStringLiteral("Los datos de la Prueba han cambiado. ¿Desea guardar los cambios?");
}

void TPaginaPruebas::Fijar_Numero(double numero) {
  const auto carga = reglas_.Cargando();
  edtFichaPrueba_->setReadOnly(false);
  edtFichaPrueba_->setText(QString::number(static_cast<qint64>(numero)));
  edtFichaPrueba_->setReadOnly(true);
}

// ---- Loading and walking ------------------------------------------------------------------

void TPaginaPruebas::Hay_Pruebas(bool hay) {
  if (hay) {
    Fijar_Imagen(2);
    return;
  }
  Fijar_Imagen(3);
  Marcar_Prueba(false);
  Limpiar_Prueba();
  TPrueba& p = Prueba();
  p.ID_PRUEBA_LENTILLAS(-1);
  // No test read: the first is number 1 (the save numbers it again).
  p.NUMERO_SIGUIENTE(1);
  Fijar_Numero(1);
  modo_ = 0;
  Marcar_Prueba(false);
}

int TPaginaPruebas::Cargar_Pruebas(bool cargar) {
  TPrueba& p = Prueba();
  p.ID_PACIENTE(seleccion_.idPaciente);
  if (p.Cargar_Lista_Pruebas() != 0) return -1;
  Hay_Pruebas(!p.Lista_Pruebas().isEmpty());
  if (p.Lista_Pruebas().isEmpty() || !cargar) return 0;
  p.ID_PRUEBA_LENTILLAS(p.Lista_Pruebas().last().toDouble());
  if (p.Buscar() != 0) return -1;
  if (Mostrar_Prueba() != 0) return -1;
  p.NUMERO_SIGUIENTE(p.NUMERO_FICHA());
  modo_ = 1;
  return 0;
}

int TPaginaPruebas::Navegar_Pruebas(int direccion) {
  // A save that fails keeps the test on screen, and the walk stops there.
  if (!Dejar_Edicion(Ctx()->aplicacion, *this, QStringLiteral("Los datos han cambiado. ¿Desea guardar los cambios?"),
                     kAviso, mb::YESNO))
    return 0;
  TPrueba& p = Prueba();
  p.ID_PACIENTE(seleccion_.idPaciente);
  if (p.Cargar_Lista_Pruebas() != 0) return -1;
  const QStringList& lista = p.Lista_Pruebas();
  if (lista.isEmpty()) return 0;  // nothing stored to show
  int posicion = -1;
  for (int i = 0; i < lista.size() && posicion < 0; ++i)
    if (lista[i].toDouble() == p.ID_PRUEBA_LENTILLAS()) posicion = i;
  double clave = p.ID_PRUEBA_LENTILLAS();
  switch (direccion) {
    case 1: clave = lista.first().toDouble(); break;
    case 2:
      if (posicion > 0) clave = lista[posicion - 1].toDouble();
      break;
    case 3:
      if (posicion < lista.size() - 1) clave = lista[posicion + 1].toDouble();
      break;
    case 4: clave = lista.last().toDouble(); break;
  }
  // A test not yet stored (Previous from it) stays on screen as it is.
  if (posicion < 0 && clave == p.ID_PRUEBA_LENTILLAS()) return 0;
  p.ID_PRUEBA_LENTILLAS(clave);
  if (p.Buscar() == -1) return -1;
  if (Mostrar_Prueba() != 0) return -1;
  Marcar_Prueba(false);
  modo_ = 1;
  return 0;
}

// ---- Showing, collecting, clearing ----------------------------------------------------------

int TPaginaPruebas::Mostrar_Prueba() {
  const auto carga = reglas_.Cargando();
  TPrueba& p = Prueba();
  Fijar_Numero(p.NUMERO_FICHA());
  dtmFechaPrueba_->Fijar_Fecha(p.FECHA());
  const double agente = p.Agente().ID();
  cbxAgentePrueba_->setCurrentIndex(cbxAgentePrueba_->findData(agente));
  tbnAgentePrueba_->setVisible(cbxAgentePrueba_->currentIndex() < 0 && agente > 0);
  const TTLentilla* tiposPrueba[2] = {&p.TLentilla_OD(), &p.TLentilla_OI()};
  p.Resumen_Articulos();
  const QString resumen[2] = {p.Resumen_OD(), p.Resumen_OI()};
  for (int o = 0; o < 2; ++o) {
    TOjo& ojo = ojos_[o];
    const TPruebaOjo& datos = p.Ojo(o);
    for (int i = 0; i < kNumFilasPrueba; ++i) ojo.campos[i]->setText(Texto_Graduacion(kFilasPrueba[i], datos));
    const double tipo = tiposPrueba[o]->ID_TLENTILLA();
    ojo.tipo->setCurrentIndex(tipo == -1 ? -1 : ojo.tipo->findData(tipo));
    ojo.descripcion->setText(datos.descripcionArt);
    ojo.descripcion->setCursorPosition(0);  // a long description shows its beginning
    ojo.descripcion->setToolTip(resumen[o]);
    ojo.lote->setText(datos.lote);
    // The trial lens stored with the test is the one chosen: saving the test
    // unchanged keeps it. Set after the description, whose change forgets the
    // left-eye choice.
    elegidos_[o] = TArticuloPrueba{datos.referenciaArt, datos.modeloArt, datos.radio1Art, datos.radio2Art,
                                   datos.colorArt, datos.diametroArt, 0};
  }
  memObservacionesPruebas_->setPlainText(p.Observaciones().join(QLatin1Char('\n')));
  return 0;
}

int TPaginaPruebas::Recoger_Prueba() {
  TPrueba& p = Prueba();
  p.ID_PACIENTE(seleccion_.idPaciente);
  p.NUMERO_FICHA(edtFichaPrueba_->text().toDouble());
  p.FECHA(dtmFechaPrueba_->Fecha());
  p.Agente().ID(Agente());
  TTLentilla* tiposPrueba[2] = {&p.TLentilla_OD(), &p.TLentilla_OI()};
  for (int o = 0; o < 2; ++o) {
    TPruebaOjo& datos = p.Ojo(o);
    const TOjo& ojo = ojos_[o];
    for (int i = 0; i < kNumFilasPrueba; ++i) Leer_Graduacion(kFilasPrueba[i], ojo.campos[i]->text(), datos);
    tiposPrueba[o]->ID_TLENTILLA(Tipo(o));
    datos.descripcionArt = ojo.descripcion->text();
    const TArticuloPrueba& a = elegidos_[o];
    datos.referenciaArt = a.referencia;
    datos.modeloArt = a.modelo;
    datos.radio1Art = a.radio1;
    datos.radio2Art = a.radio2;
    datos.diametroArt = a.diametro;
    datos.colorArt = a.color;
    datos.lote = ojo.lote->text();
  }
  const QString texto = memObservacionesPruebas_->toPlainText();
  p.Observaciones() = texto.isEmpty() ? QStringList() : texto.split(QLatin1Char('\n'));
  return 0;
}

int TPaginaPruebas::Limpiar_Prueba() {
  const auto carga = reglas_.Cargando();
  edtFichaPrueba_->setReadOnly(false);
  edtFichaPrueba_->setText(QStringLiteral("0"));
  edtFichaPrueba_->setReadOnly(true);
  dtmFechaPrueba_->Fijar_Fecha(Ctx()->puesto->fechaTrabajo);
  for (QLineEdit* e : findChildren<QLineEdit*>())
    if (e != edtFichaPrueba_ && e != dtmFechaPrueba_ && !qobject_cast<QComboBox*>(e->parentWidget())) {
      e->clear();
      e->setToolTip(QString());
    }
  for (QComboBox* c : findChildren<QComboBox*>()) c->setCurrentIndex(-1);
  tbnAgentePrueba_->setVisible(false);
  memObservacionesPruebas_->clear();
  // A new test has no trial lens until one is chosen.
  elegidos_[0] = elegidos_[1] = TArticuloPrueba();
  return 0;
}

// ---- New, save, delete ----------------------------------------------------------------------

void TPaginaPruebas::btnPruebaNuevaClick() {
  if (!puedeModificar_) return;  // a test could not be saved (F6 included)
  // The test on screen is saved without asking; a save that failed keeps it.
  if (!Dejar_Edicion(Ctx()->aplicacion, *this, QString(), QString(), 0)) return;
  if (!edtFichaPrueba_->text().isEmpty() && Limpiar_Prueba() != 0) return;
  TPrueba& p = Prueba();
  p.ID_PACIENTE(seleccion_.idPaciente);
  p.ID_PRUEBA_LENTILLAS(-1);  // not stored: "Siguiente" from it goes to the first test
  const double siguiente = p.Siguiente_Numero();
  if (siguiente < 0) throw std::runtime_error("No se ha podido leer el número de la prueba siguiente.");
  Fijar_Numero(siguiente);
  dtmFechaPrueba_->setFocus();
  modo_ = 0;
  Marcar_Prueba(true);
}

bool TPaginaPruebas::Grabar_Prueba() {
  if (edtFichaPrueba_->text().toDouble() == 0 || Recoger_Prueba() != 0) return false;
  TPrueba& p = Prueba();
  const TResultado r = servicio_->Grabar(p, modo_ == 0);
  if (r.Estado() == TResultado::TEstado::kBorradoPorOtro) {
    // What is on screen can still be kept: saved again, it is a new test.
    modo_ = 0;
    p.ID_PRUEBA_LENTILLAS(-1);
  }
  if (!r.Hecho_Bien()) {
    if (Avisar_Resultado(Ctx(), r, TEscrito::kPrueba, TAccion::kGrabar) && p.Buscar() == 0 && Mostrar_Prueba() == 0)
      Marcar_Prueba(false);
    return false;
  }
  Marcar_Prueba(false);
  modo_ = 1;
  Fijar_Imagen(2);
  emit Grabada();
  return true;
}

void TPaginaPruebas::btnPruebaBorrarClick() {
  TPrueba& p = Prueba();
  const TResultado r = servicio_->Borrar(p);
  if (!r.Hecho_Bien()) {
    Avisar_Resultado(Ctx(), r, TEscrito::kPrueba, TAccion::kBorrar);
    return;
  }
  // The deleted test is no longer listed: "Siguiente" shows the first one
  // left; with none left the tab starts a new test 1.
  modificada_ = false;
  p.ID_PACIENTE(seleccion_.idPaciente);
  if (p.Cargar_Lista_Pruebas() == 0 && p.Lista_Pruebas().isEmpty()) {
    Cargar_Pruebas(true);
    return;
  }
  Navegar_Pruebas(3);
  Marcar_Prueba(false);
  modo_ = 1;
}

// ---- What "Definitiva" takes ------------------------------------------------------------------

double TPaginaPruebas::Fecha() const { return dtmFechaPrueba_->Fecha(); }

double TPaginaPruebas::Agente() const {
  return cbxAgentePrueba_->currentIndex() >= 0 ? cbxAgentePrueba_->currentData().toDouble() : 0;
}

double TPaginaPruebas::Tipo(int ojo) const {
  const QComboBox* c = ojos_[ojo].tipo;
  if (c->currentText().isEmpty() || c->currentIndex() < 0) return -1;
  return c->currentData().toDouble();
}

bool TPaginaPruebas::Con_Lente(int ojo) const {
  return !ojos_[ojo].tipo->currentText().isEmpty() || !ojos_[ojo].descripcion->text().isEmpty();
}

QString TPaginaPruebas::Descripcion(int ojo) const { return ojos_[ojo].descripcion->text(); }
QString TPaginaPruebas::Lote(int ojo) const { return ojos_[ojo].lote->text(); }

// ---- Calculators -----------------------------------------------------------------------------

void TPaginaPruebas::btnPruebaCalcularClick() {
  // The graduation as it stands on screen, saved or not.
  TPruebaOjo ojos[2];
  for (int o = 0; o < 2; ++o)
    for (int i = 0; i < kNumFilasPrueba; ++i) Leer_Graduacion(kFilasPrueba[i], ojos_[o].campos[i]->text(), ojos[o]);
  TfrmCalculosAdaptacion dlg(ojos[0], ojos[1], Ctx()->aplicacion);
  dlg.Fijar_Contexto(Ctx());
  if (dlg.exec() != QDialog::Accepted) return;
  std::optional<calculos::TGraduacion> resultados[2] = {dlg.Resultado(0), dlg.Resultado(1)};
  if (!resultados[0] && !resultados[1]) return;
  // The new test is the lens to order: the same trial lens (radii, diameter,
  // type, article) and agent, with the graduation computed.
  struct TLente {
    QString radio1, radio2, diametro, descripcion, ayuda;
    int tipo = -1;
    TArticuloPrueba articulo;
  } lentes[2];
  const auto fila = [](std::string_view campo) {
    for (int i = 0; i < kNumFilasPrueba; ++i)
      if (!kFilasPrueba[i].medida && campo == kFilasPrueba[i].campo) return i;
    return -1;
  };
  const int radio1 = fila("Radio_1"), radio2 = fila("Radio_2"), diametro = fila("Diametro");
  for (int o = 0; o < 2; ++o) {
    const TOjo& ojo = ojos_[o];
    lentes[o] = {ojo.campos[radio1]->text(), ojo.campos[radio2]->text(),   ojo.campos[diametro]->text(),
                 ojo.descripcion->text(),    ojo.descripcion->toolTip(),    ojo.tipo->currentIndex(),
                 elegidos_[o]};
  }
  const int agente = cbxAgentePrueba_->currentIndex();

  btnPruebaNuevaClick();
  if (modo_ != 0) return;  // the test on screen could not be saved first: it stays
  cbxAgentePrueba_->setCurrentIndex(agente);
  for (int o = 0; o < 2; ++o) {
    TOjo& ojo = ojos_[o];
    const TLente& l = lentes[o];
    TReglasEntrada::Escribir(ojo.campos[radio1], l.radio1);
    TReglasEntrada::Escribir(ojo.campos[radio2], l.radio2);
    TReglasEntrada::Escribir(ojo.campos[diametro], l.diametro);
    ojo.tipo->setCurrentIndex(l.tipo);
    ojo.descripcion->setText(l.descripcion);
    ojo.descripcion->setToolTip(l.ayuda);
    elegidos_[o] = l.articulo;  // after the description, whose change forgets the left-eye choice
    if (!resultados[o]) continue;
    TPruebaOjo nuevo;
    calculos::Escribir_Graduacion(*resultados[o], nuevo);
    for (int i = 0; i < kNumFilasPrueba; ++i) {
      const TFilaPrueba& f = kFilasPrueba[i];
      const std::string_view campo(f.campo);
      if (!f.medida && (campo == "Esfera" || campo == "Cilindro" || campo == "Eje"))
        TReglasEntrada::Escribir(ojo.campos[i], Texto_Graduacion(f, nuevo));
    }
  }
  Marcar_Prueba(true);
}

// ---- The fitting-test sheet ---------------------------------------------------------------------

void TPaginaPruebas::Rellenar_Hoja(TDatosFichaPrueba& d) const {
  // The sheet's fields of each eye, in the order of the test's rows.
  QString TDatosFichaPrueba::* const campos[2][kNumFilasPrueba] = {
      {&TDatosFichaPrueba::OD_Radio1, &TDatosFichaPrueba::OD_Radio2, &TDatosFichaPrueba::OD_Esfera,
       &TDatosFichaPrueba::OD_Cilindro, &TDatosFichaPrueba::OD_Eje, &TDatosFichaPrueba::OD_Diametro,
       &TDatosFichaPrueba::OD_ZOptica, &TDatosFichaPrueba::OD_Adicion, &TDatosFichaPrueba::OD_AVisual,
       &TDatosFichaPrueba::OD_Sob_Esfera, &TDatosFichaPrueba::OD_Sob_Cilindro, &TDatosFichaPrueba::OD_Sob_Eje,
       &TDatosFichaPrueba::OD_Sob_AV},
      {&TDatosFichaPrueba::OI_Radio1, &TDatosFichaPrueba::OI_Radio2, &TDatosFichaPrueba::OI_Esfera,
       &TDatosFichaPrueba::OI_Cilindro, &TDatosFichaPrueba::OI_Eje, &TDatosFichaPrueba::OI_Diametro,
       &TDatosFichaPrueba::OI_ZOptica, &TDatosFichaPrueba::OI_Adicion, &TDatosFichaPrueba::OI_AVisual,
       &TDatosFichaPrueba::OI_Sob_Esfera, &TDatosFichaPrueba::OI_Sob_Cilindro, &TDatosFichaPrueba::OI_Sob_Eje,
       &TDatosFichaPrueba::OI_Sob_AV}};
  d.Ficha = edtFichaPrueba_->text();
  d.Fecha = dtmFechaPrueba_->text();
  d.Agente = cbxAgentePrueba_->currentText();
  for (int o = 0; o < 2; ++o)
    for (int i = 0; i < kNumFilasPrueba; ++i) d.*campos[o][i] = ojos_[o].campos[i]->text();
  d.OD_Tipo_Lentilla = ojos_[0].tipo->currentText();
  d.OI_Tipo_Lentilla = ojos_[1].tipo->currentText();
  d.OD_Descripcion = ojos_[0].descripcion->text();
  d.OI_Descripcion = ojos_[1].descripcion->text();
  d.ODLote = ojos_[0].lote->text();
  d.OILote = ojos_[1].lote->text();
  d.Observaciones = memObservacionesPruebas_->toPlainText();
}
