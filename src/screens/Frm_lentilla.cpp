#include "Frm_lentilla.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <stdexcept>

#include "Clase_tagenda.h"
#include "Clase_tagente.h"
#include "Clase_tarticulo.h"
#include "Clase_tbdacceso.h"
#include "Clase_tctrlteclado.h"
#include "Clase_tlentilla.h"
#include "Clase_tpaciente.h"
#include "Clase_ttienda.h"
#include "Clase_ttlentilla.h"
#include "Dm_lentilla.h"
#include "Edit_fecha.h"
#include "Frm_error.h"
#include "Ibx_transaction.h"
#include "Util_fechas.h"
#include "Util_locale.h"

namespace {
TfrmLentilla* g_activa = nullptr;

const QString kPantalla = QStringLiteral("Ficha de Lentillas");
const QString kAviso = QStringLiteral("AVISO");
const QString kPregunta = QStringLiteral("PREGUNTA");
const QString kSinUltima = QStringLiteral("No ha sido posible encontrar la última ficha para copiar los datos");

}  // namespace

TfrmLentilla* TfrmLentilla::Activa() { return g_activa; }

QString TfrmLentilla::Texto_Importe(double valor) { return locale_es::Formatear(valor, QStringLiteral("0.00")); }

double TfrmLentilla::Leer_Importe(const QString& texto) {
  double v = 0;
  QString limpio = texto;
  limpio.remove(QLatin1Char('.'));  // thousands
  return locale_es::Texto_A_Float(limpio, v) ? v : 0;
}

TfrmLentilla::TfrmLentilla(TAplicacion* owner)
    : QWidget(owner ? owner->ventanaPrincipal : nullptr, Qt::Window), owner_(owner) {
  setObjectName(QStringLiteral("frmLentilla"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Gestión de fichas de lentillas"));
  // The screen goes with its owner if the host drops the application object first.
  if (owner) connect(owner, &QObject::destroyed, this, [this] { delete this; });
  Crear_Controles();
  g_activa = this;
}

TfrmLentilla::~TfrmLentilla() {
  qApp->removeEventFilter(this);
  if (g_activa == this) g_activa = nullptr;
}

// ---- Domain objects ----------------------------------------------------------------

void* TfrmLentilla::Objeto_Dominio(Objeto codigo) {
  TIBDatabase* a = ctx_->conexionSecundaria;
  TIBDatabase* b = ctx_->conexionPrincipal;
  switch (codigo) {
    case kLentilla:  // a fresh record object every time it is asked for
      lentilla_ = std::make_unique<TLentilla>(owner_, a, b);
      return lentilla_.get();
    case kTienda:
      if (!tienda_) tienda_ = std::make_unique<TTienda>(owner_, a, b);
      return tienda_.get();
    case kAgente:
      if (!agente_) agente_ = std::make_unique<TAgente>(owner_, a, b);
      return agente_.get();
    case kAgenda:
      if (!agenda_) {
        agenda_ = std::make_unique<TAgenda>(owner_, a, b);
        agenda_->Paso(ctx_);
        agenda_->Inicializar();
      }
      return agenda_.get();
    case kPaciente:
      if (!paciente_) paciente_ = std::make_unique<TPaciente>(owner_, a, b);
      return paciente_.get();
    case kArticulo:
      if (!articulo_) articulo_ = std::make_unique<TArticulo>(owner_, a, b);
      return articulo_.get();
  }
  return nullptr;
}

TLentilla& TfrmLentilla::Lentilla() {
  if (!lentilla_) Objeto_Dominio(kLentilla);
  return *lentilla_;
}
TTienda& TfrmLentilla::Tienda() { return *static_cast<TTienda*>(Objeto_Dominio(kTienda)); }
TAgente& TfrmLentilla::Agente() { return *static_cast<TAgente*>(Objeto_Dominio(kAgente)); }
TAgenda& TfrmLentilla::Agenda() { return *static_cast<TAgenda*>(Objeto_Dominio(kAgenda)); }

// ---- Controls ----------------------------------------------------------------------

void TfrmLentilla::Crear_Controles() {
  auto* principal = new QVBoxLayout(this);
  principal->setContentsMargins(0, 0, 0, 0);
  principal->setSpacing(0);

  tlbBotones_ = new QToolBar(this);
  tlbBotones_->setObjectName(QStringLiteral("tlbBotones"));
  tlbBotones_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  tlbBotones_->setIconSize(QSize(24, 24));
  const struct {
    const char *nombre, *texto, *icono;
    bool separador;
  } botones[] = {
      {"btnPrimero", "Primero", "primero", false},   {"btnAnterior", "Anterior", "anterior", false},
      {"btnSiguiente", "Siguiente", "siguiente", false}, {"btnUltimo", "Último", "ultimo", true},
      {"btnNuevo", "Nuevo", "nuevo", false},          {"btnGrabar", "Grabar", "grabar", false},
      {"btnBorrar", "Borrar", "borrar", true},        {"btnVenta", "Venta", "venta", false},
      {"btnEncargo", "Encargo", "encargo", false},    {"btnTrasponer", "Trasponer", "trasponer", true},
      {"btnImprimir", "Imprimir", "imprimir", false}, {"btnSMS", "SMS", "sms", true},
      {"btnSalir", "Salir", "salir", false},
  };
  for (const auto& b : botones) {
    auto* boton = new QToolButton(tlbBotones_);
    boton->setObjectName(QString::fromLatin1(b.nombre));
    boton->setText(QString::fromUtf8(b.texto));
    boton->setToolTip(QString::fromUtf8(b.texto));
    boton->setStatusTip(QString::fromUtf8(b.texto));
    boton->setIcon(TdmLentilla::Imagen(QString::fromLatin1(b.icono)));
    boton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    boton->setMinimumWidth(64);
    tlbBotones_->addWidget(boton);
    if (b.separador) tlbBotones_->addSeparator();
    botones_.insert(QString::fromLatin1(b.nombre), boton);
  }
  botones_[QStringLiteral("btnSMS")]->setStatusTip(QStringLiteral("Envío de mensajes SMS"));
  botones_[QStringLiteral("btnSMS")]->setToolTip(QStringLiteral("Envío de mensajes SMS"));
  auto* menuImprimir = new QMenu(botones_[QStringLiteral("btnImprimir")]);
  for (const auto& [nombre, texto] : {std::pair{"btnImpFicha", "Ficha"}, std::pair{"btnImpGarantia", "Garantia"},
                                      std::pair{"btnImpReceta", "Receta"}})
    menuImprimir->addAction(QString::fromLatin1(texto))->setObjectName(QString::fromLatin1(nombre));
  botones_[QStringLiteral("btnImprimir")]->setMenu(menuImprimir);
  botones_[QStringLiteral("btnImprimir")]->setPopupMode(QToolButton::InstantPopup);
  // Sales, orders, printing and SMS come with their own parts.
  for (const char* n : {"btnVenta", "btnEncargo", "btnImprimir", "btnSMS"})
    botones_[QLatin1String(n)]->setEnabled(false);
  principal->addWidget(tlbBotones_);

  const auto accion = [this](const char* boton, const char* etiqueta, void (TfrmLentilla::*metodo)()) {
    connect(botones_[QLatin1String(boton)], &QToolButton::clicked, this,
            [this, etiqueta, metodo] { Guardia(QLatin1String(etiqueta), [this, metodo] { (this->*metodo)(); }); });
  };
  accion("btnPrimero", "btnPrimero -> OnClick", &TfrmLentilla::btnPrimeroClick);
  accion("btnAnterior", "btnAnterior -> OnClick", &TfrmLentilla::btnAnteriorClick);
  accion("btnSiguiente", "btnSiguiente -> OnClick", &TfrmLentilla::btnSiguienteClick);
  accion("btnUltimo", "btnUltimo -> OnClick", &TfrmLentilla::btnUltimoClick);
  accion("btnNuevo", "btnNuevo -> OnClick", &TfrmLentilla::btnNuevoClick);
  accion("btnGrabar", "btnGrabar -> OnClick", &TfrmLentilla::btnGrabarClick);
  accion("btnBorrar", "btnBorrar -> OnClick", &TfrmLentilla::btnBorrarClick);
  accion("btnTrasponer", "btnTrasponer -> OnClick", &TfrmLentilla::btnTrasponerClick);
  connect(botones_[QStringLiteral("btnSalir")], &QToolButton::clicked, this, &QWidget::close);

  pclLentilla_ = new QTabWidget(this);
  pclLentilla_->setObjectName(QStringLiteral("pclLentilla"));
  pclLentilla_->setIconSize(QSize(20, 20));
  Crear_Pestana_Ficha();
  // Each page goes into its tab before it is filled: a filled page moved into
  // the tab widget has every one of its controls walked through again.
  auto* obs = new QWidget;
  obs->setObjectName(QStringLiteral("tstObservaciones"));
  pclLentilla_->addTab(obs, QStringLiteral("Observaciones"));
  auto* vObs = new QVBoxLayout(obs);
  memObservaciones_ = new QPlainTextEdit(obs);
  memObservaciones_->setObjectName(QStringLiteral("memObservaciones"));
  memObservaciones_->setStatusTip(QStringLiteral("Observaciones de la ficha"));
  vObs->addWidget(memObservaciones_);
  for (const auto& [nombre, titulo, icono] :
       {std::tuple{"tstPruebas", "Pruebas", "pruebas"}, std::tuple{"tstReposiciones", "Reposiciones", "reposiciones"}}) {
    auto* w = new QWidget(pclLentilla_);
    w->setObjectName(QString::fromLatin1(nombre));
    pclLentilla_->addTab(w, TdmLentilla::Imagen(QString::fromLatin1(icono)), QString::fromLatin1(titulo));
  }
  connect(pclLentilla_, &QTabWidget::currentChanged, this, [this](int) {
    Guardia(QStringLiteral("PclLentilla -> OnChange"), [this] {
      // The test and replacement tabs load on first showing; they come with
      // their own parts of the screen.
      if (pclLentilla_->currentIndex() == 3) cargarReposiciones_ = false;
      if (pclLentilla_->currentIndex() == 2) cargarPruebas_ = false;
    });
  });
  principal->addWidget(pclLentilla_, 1);

  sbr_Ayuda_ = new QStatusBar(this);
  sbr_Ayuda_->setObjectName(QStringLiteral("sbr_Ayuda"));
  sbr_Ayuda_->setSizeGripEnabled(false);
  principal->addWidget(sbr_Ayuda_);

  for (int tecla : {Qt::Key_F5, Qt::Key_F6, Qt::Key_F12}) {
    auto* atajo = new QShortcut(QKeySequence(tecla), this);
    atajo->setContext(Qt::WindowShortcut);
    connect(atajo, &QShortcut::activated, this, [this, tecla] { Teclas(tecla); });
  }
  Conectar_Cambios();
  Enlazar_Reglas_Ficha();
  Enlazar_Selectores();
  resize(1280, 800);
}

void TfrmLentilla::Crear_Pestana_Ficha() {
  auto* pagina = new QWidget;
  pagina->setObjectName(QStringLiteral("tstFicha"));
  pclLentilla_->addTab(pagina, TdmLentilla::Imagen(QStringLiteral("ficha")), QStringLiteral("Ficha"));
  auto* v = new QVBoxLayout(pagina);
  v->setContentsMargins(8, 6, 8, 6);
  v->setSpacing(6);

  const auto edit = [](QWidget* padre, const QString& nombre, const QString& ayuda, int ancho = 80) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(nombre);
    e->setStatusTip(ayuda);
    e->setMinimumWidth(ancho);
    return e;
  };
  const auto fecha = [](QWidget* padre, const QString& nombre, const QString& ayuda) {
    auto* f = new TEditFecha(padre);
    f->setObjectName(nombre);
    f->setStatusTip(ayuda);
    return f;
  };
  const auto combo = [](QWidget* padre, const QString& nombre, const QString& ayuda) {
    auto* c = new QComboBox(padre);
    c->setObjectName(nombre);
    c->setStatusTip(ayuda);
    c->setMinimumWidth(200);
    return c;
  };
  const auto boton = [](QWidget* padre, const QString& nombre, const QString& ayuda) {
    auto* b = new QToolButton(padre);
    b->setObjectName(nombre);
    b->setIcon(TdmLentilla::Imagen(QStringLiteral("actualizar")));
    b->setToolTip(ayuda);
    b->setStatusTip(ayuda);
    b->setVisible(false);  // shown only when the record's doctor or agent left the list
    return b;
  };

  // Title panel with the patient's record counts.
  pnlTituloDatosFicha_ = new QWidget(pagina);
  pnlTituloDatosFicha_->setObjectName(QStringLiteral("pnlTituloDatosFicha"));
  pnlTituloDatosFicha_->setAutoFillBackground(true);
  pnlTituloDatosFicha_->setStyleSheet(QStringLiteral("#pnlTituloDatosFicha { background: #1f5fa8; }"
                                                      "#pnlTituloDatosFicha QLabel { color: white; }"));
  auto* hTitulo = new QHBoxLayout(pnlTituloDatosFicha_);
  hTitulo->setContentsMargins(8, 3, 8, 3);
  lblTituloDatosFicha_ = new QLabel(QStringLiteral(" Datos de la ficha"), pnlTituloDatosFicha_);
  QFont negrita = lblTituloDatosFicha_->font();
  negrita.setBold(true);
  lblTituloDatosFicha_->setFont(negrita);
  txt_Titulo_NFichas_ = new QLabel(pnlTituloDatosFicha_);
  txt_Titulo_NFichas_->setObjectName(QStringLiteral("txt_Titulo_NFichas"));
  hTitulo->addWidget(lblTituloDatosFicha_);
  hTitulo->addStretch(1);
  hTitulo->addWidget(txt_Titulo_NFichas_);
  v->addWidget(pnlTituloDatosFicha_);

  // Record data: number, dates, doctor, agent.
  auto* datos = new QGroupBox(pagina);
  auto* g = new QGridLayout(datos);
  edtFicha_ = edit(datos, QStringLiteral("edtFicha"), QStringLiteral("Número de la ficha"), 50);
  edtFicha_->setReadOnly(true);
  edtFicha_->setValidator(new QIntValidator(0, 999999, edtFicha_));
  edtFicha_->setMaximumWidth(70);
  dtmFecha_ = fecha(datos, QStringLiteral("dtmFecha"), QStringLiteral("Fecha de la ficha"));
  cbxDoctor_ = combo(datos, QStringLiteral("cbxDoctor"), QStringLiteral("Doctor (Insert: crear un doctor)"));
  tbnDoctor_ = boton(datos, QStringLiteral("tbnDoctor"), QStringLiteral("Actualizar la lista de doctores"));
  cbxPropiaAjena_ = combo(datos, QStringLiteral("cbx_Propia_Ajena"), QStringLiteral("Graduación propia o ajena"));
  cbxPropiaAjena_->setMinimumWidth(90);
  cbxAgente_ = combo(datos, QStringLiteral("cbxAgente"), QStringLiteral("Agente (Insert: crear un agente)"));
  tbnAgente_ = boton(datos, QStringLiteral("tbnAgente"), QStringLiteral("Actualizar la lista de agentes"));
  dtmFechaRevision_ = fecha(datos, QStringLiteral("dtmFechaRevision"), QStringLiteral("Fecha de la próxima revisión"));
  dtmFechaLimpieza_ = fecha(datos, QStringLiteral("dtm_Fecha_Limpieza"), QStringLiteral("Fecha de limpieza"));
  dtmFechaCaducidad_ = fecha(datos, QStringLiteral("dtm_Fecha_Caducidad"), QStringLiteral("Fecha de caducidad"));
  dtmFechaReposicion_ = fecha(datos, QStringLiteral("dtm_Fecha_Reposicion"), QStringLiteral("Fecha de reposición"));
  const auto etiqueta = [](const QString& t, QWidget* padre) { return new QLabel(t, padre); };
  g->addWidget(etiqueta(QStringLiteral("Ficha nº:"), datos), 0, 0);
  g->addWidget(edtFicha_, 0, 1);
  g->addWidget(etiqueta(QStringLiteral("Fecha:"), datos), 0, 2);
  g->addWidget(dtmFecha_, 0, 3);
  g->addWidget(etiqueta(QStringLiteral("Doctor:"), datos), 0, 4);
  auto* hDoctor = new QHBoxLayout;
  hDoctor->addWidget(cbxDoctor_, 1);
  hDoctor->addWidget(tbnDoctor_);
  hDoctor->addWidget(cbxPropiaAjena_);
  g->addLayout(hDoctor, 0, 5);
  g->addWidget(etiqueta(QStringLiteral("Agente:"), datos), 0, 6);
  auto* hAgente = new QHBoxLayout;
  hAgente->addWidget(cbxAgente_, 1);
  hAgente->addWidget(tbnAgente_);
  g->addLayout(hAgente, 0, 7);
  g->addWidget(etiqueta(QStringLiteral("Revisión:"), datos), 1, 0);
  g->addWidget(dtmFechaRevision_, 1, 1);
  g->addWidget(etiqueta(QStringLiteral("Limpieza:"), datos), 1, 2);
  g->addWidget(dtmFechaLimpieza_, 1, 3);
  auto* hFechas = new QHBoxLayout;
  hFechas->addWidget(etiqueta(QStringLiteral("Caducidad:"), datos));
  hFechas->addWidget(dtmFechaCaducidad_);
  hFechas->addSpacing(12);
  hFechas->addWidget(etiqueta(QStringLiteral("Reposición:"), datos));
  hFechas->addWidget(dtmFechaReposicion_);
  hFechas->addStretch(1);
  g->addWidget(etiqueta(QStringLiteral("Fechas:"), datos), 1, 4);
  g->addLayout(hFechas, 1, 5);
  g->setColumnStretch(5, 2);
  g->setColumnStretch(7, 2);
  v->addWidget(datos);

  // The two eyes side by side: one row per value, right eye then left eye.
  auto* ojos = new QHBoxLayout;
  ojos->setSpacing(8);
  const QString sufijo[2] = {QStringLiteral("OD"), QStringLiteral("OI")};
  auto* medidasGrad = new QGroupBox(QStringLiteral(" Medidas y graduación "), pagina);
  auto* gg = new QGridLayout(medidasGrad);
  auto* lentes = new QGroupBox(QStringLiteral(" Lentillas suministradas "), pagina);
  auto* gl = new QGridLayout(lentes);
  for (QGridLayout* rejilla : {gg, gl}) {
    rejilla->addWidget(etiqueta(QStringLiteral("<b>Ojo derecho (OD)</b>"), rejilla->parentWidget()), 0, 1,
                       Qt::AlignCenter);
    rejilla->addWidget(etiqueta(QStringLiteral("<b>Ojo izquierdo (OI)</b>"), rejilla->parentWidget()), 0, 2,
                       Qt::AlignCenter);
    rejilla->setColumnStretch(1, 1);
    rejilla->setColumnStretch(2, 1);
  }
  const struct {
    const char* campo;
    const char* titulo;
    QLineEdit* TOjo::*miembro;
  } filasGrad[] = {
      {"Abert_Parpebral", "Abertura parpebral", &TOjo::abertura},
      {"Diametro_Pupilar", "Diámetro pupilar", &TOjo::pupilar},
      {"Diametro_Iris", "Diámetro de iris", &TOjo::iris},
      {"Radio_1", "Radio 1", &TOjo::radio1},
      {"Radio_2", "Radio 2", &TOjo::radio2},
      {"Esfera", "Esfera", &TOjo::esfera},
      {"Cilindro", "Cilindro", &TOjo::cilindro},
      {"Eje", "Eje", &TOjo::eje},
      {"Diametro", "Diámetro", &TOjo::diametro},
      {"Zona_Optica", "Zona óptica", &TOjo::zona},
      {"Adicion", "Adición", &TOjo::adicion},
      {"Agudeza_CC", "Agudeza visual c/c", &TOjo::agudeza},
      {"Queratometria", "Queratometría", &TOjo::queratometria},
  };
  int fila = 1;
  for (const auto& f : filasGrad) {
    gg->addWidget(etiqueta(QString::fromUtf8(f.titulo) + QLatin1Char(':'), medidasGrad), fila, 0);
    for (int o = 0; o < 2; ++o) {
      const QString nombre = QStringLiteral("edt_%1_%2").arg(sufijo[o], QLatin1String(f.campo));
      ojos_[o].*f.miembro = edit(medidasGrad, nombre,
                                 QString::fromUtf8(f.titulo) + (o == 0 ? QStringLiteral(" del ojo derecho")
                                                                       : QStringLiteral(" del ojo izquierdo")));
      gg->addWidget(ojos_[o].*f.miembro, fila, o + 1);
    }
    ++fila;
  }
  gg->setRowStretch(fila, 1);

  fila = 1;
  gl->addWidget(etiqueta(QStringLiteral("Tipo:"), lentes), fila, 0);
  for (int o = 0; o < 2; ++o) {
    ojos_[o].tipo = combo(lentes, QStringLiteral("cbx_%1_Tipo_Lentilla").arg(sufijo[o]),
                          QStringLiteral("Tipo de lentilla (Insert: crear un tipo)"));
    gl->addWidget(ojos_[o].tipo, fila, o + 1);
  }
  ++fila;
  const struct {
    const char* titulo;
    QLineEdit* TOjo::*miembro;
    const char* nombre[2];
    const char* ayuda;
  } filasLentes[] = {
      {"Artículo", &TOjo::articulo, {"edt_OD_Articulo", "edt_OI_Articulo"},
       "Referencia o código de barras del artículo (Supr: quitar el artículo)"},
      {"Importe", &TOjo::importe, {"edt_OD_Importe", "edt_OI_Importe"}, "Importe de la lentilla"},
      {"Lote", &TOjo::lote, {"edtODLote", "edtOILote"}, "Lote de la lentilla"},
  };
  for (const auto& f : filasLentes) {
    gl->addWidget(etiqueta(QString::fromUtf8(f.titulo) + QLatin1Char(':'), lentes), fila, 0);
    for (int o = 0; o < 2; ++o) {
      ojos_[o].*f.miembro = edit(lentes, QString::fromLatin1(f.nombre[o]), QString::fromUtf8(f.ayuda), 120);
      gl->addWidget(ojos_[o].*f.miembro, fila, o + 1);
    }
    ++fila;
  }
  for (int o = 0; o < 2; ++o) ojos_[o].importe->setAlignment(Qt::AlignRight);
  gl->addWidget(etiqueta(QStringLiteral("Garantía:"), lentes), fila, 0);
  for (int o = 0; o < 2; ++o) {
    ojos_[o].garantia = fecha(lentes, QStringLiteral("dtm_%1_Fecha_Garantia").arg(sufijo[o]),
                              QStringLiteral("Fecha de fin de la garantía"));
    gl->addWidget(ojos_[o].garantia, fila, o + 1);
  }
  ++fila;
  gl->addWidget(etiqueta(QStringLiteral("Líquido:"), lentes), fila, 0);
  edtLiquido_ = edit(lentes, QStringLiteral("edt_Liquido"), QStringLiteral("Líquido de mantenimiento"), 120);
  gl->addWidget(edtLiquido_, fila, 1, 1, 2);
  gl->setRowStretch(fila + 1, 1);

  ojos->addWidget(medidasGrad, 3);
  ojos->addWidget(lentes, 2);
  v->addLayout(ojos, 1);

  // Tab order follows the eye columns: all of the right eye, then the left.
  QList<QWidget*> orden{edtFicha_, dtmFecha_, cbxDoctor_, cbxPropiaAjena_, cbxAgente_, dtmFechaRevision_,
                        dtmFechaLimpieza_, dtmFechaCaducidad_, dtmFechaReposicion_};
  for (int o = 0; o < 2; ++o)
    for (const auto& f : filasGrad) orden << ojos_[o].*f.miembro;
  for (int o = 0; o < 2; ++o)
    orden << ojos_[o].tipo << ojos_[o].articulo << ojos_[o].importe << ojos_[o].lote << ojos_[o].garantia;
  orden << edtLiquido_;
  for (int i = 1; i < orden.size(); ++i) QWidget::setTabOrder(orden[i - 1], orden[i]);
}

void TfrmLentilla::Conectar_Cambios() {
  // Every edit of the record tabs marks the record changed; the lens fields
  // also mark the lens lines for rewriting.
  const auto cambio = [this](bool lentes) {
    return [this, lentes] {
      if (cargando_) return;
      if (lentes) lineasModificadas_ = true;
      Modificado_Estado(true);
    };
  };
  for (QLineEdit* e : findChildren<QLineEdit*>()) {
    if (qobject_cast<QComboBox*>(e->parentWidget())) continue;
    const bool lentes = e == ojos_[0].articulo || e == ojos_[1].articulo || e == ojos_[0].importe ||
                        e == ojos_[1].importe || e == ojos_[0].lote || e == ojos_[1].lote ||
                        e == ojos_[0].garantia || e == ojos_[1].garantia;
    connect(e, &QLineEdit::textEdited, this, cambio(lentes));
  }
  for (QComboBox* c : {cbxDoctor_, cbxPropiaAjena_, cbxAgente_})
    connect(c, &QComboBox::activated, this, cambio(false));
  for (int o = 0; o < 2; ++o) connect(ojos_[o].tipo, &QComboBox::activated, this, cambio(true));
  connect(memObservaciones_, &QPlainTextEdit::textChanged, this, cambio(false));
}

void TfrmLentilla::Poner_Botones() {
  const bool guardada = fichaExistente_ == 1;
  botones_[QStringLiteral("btnGrabar")]->setEnabled(modificado_);
  botones_[QStringLiteral("btnBorrar")]->setEnabled(guardada && ctx_ && ctx_->usuario->puedeModificar == 1);
}

// ---- Initialisation ------------------------------------------------------------------

void TfrmLentilla::Inicializar() {
  if (!ctx_ || !ctx_->aplicacion || !ctx_->puesto || !ctx_->empresa || !ctx_->usuario)
    throw std::runtime_error("El contexto del programa no está completo.");
  if (!ctx_->conexionPrincipal || !ctx_->conexionSecundaria)
    throw std::runtime_error("El programa no ha abierto la base de datos.");

  // 1. The objects needed first.
  Objeto_Dominio(kLentilla);
  Objeto_Dominio(kTienda);
  Objeto_Dominio(kAgente);
  // 2. The data module on the host's connection and transaction.
  dm_ = std::make_unique<TdmLentilla>(owner_);
  dm_->Fijar_Contexto(ctx_);
  dm_->Enlazar();
  // 3. The selection.
  ctx_->seleccion.moduloAbierto = 1;
  seleccion_ = ctx_->seleccion;
  // 4. Static controls, then everything cleared and the pickers filled.
  cargando_ = true;
  lblTituloDatosFicha_->setText(QStringLiteral("DATOS DE LA FICHA"));
  Titulo_Fichas();
  cbxPropiaAjena_->addItems({QStringLiteral("Propia"), QStringLiteral("Ajena")});
  Limpiar_Controles();
  Limpiar_Graduacion();
  Cargar_Doctores();
  Cargar_Agentes();
  Cargar_Tipos();
  cargando_ = false;
  // 5-6. The chosen record, or a new one.
  if (seleccion_.idFicha == 0) {
    edtFicha_->setText(QString::number(seleccion_.ultimaFicha + 1));
    if (Preparar_Nueva() == 0) {
      Objeto_Dominio(kLentilla);
      fichaExistente_ = 0;
    }
  } else if (Cargar_Ficha(seleccion_.idFicha) == 0) {
    lineasModificadas_ = false;
    ctx_->acceso->Registrar_Ficha(*ctx_, TBDAcceso::kConsulta, Lentilla().ID_MLENTILLA(), Lentilla().NUMERO_FICHA(),
                                  Lentilla().FECHA());
  }
  // 7. The record tab in front, the other tabs loaded when first shown.
  pclLentilla_->setCurrentIndex(0);
  dtmFecha_->setFocus();
  cargarReposiciones_ = cargarPruebas_ = true;
  Modificado_Estado(modificado_);

  qApp->installEventFilter(this);
  const QWidget* ventana = ctx_->aplicacion->ventanaPrincipal;
  const QRect zona = ventana ? ventana->frameGeometry()
                             : (screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800));
  move(zona.center() - rect().center());
}

void TfrmLentilla::Titulo_Fichas() {
  txt_Titulo_NFichas_->setText(QStringLiteral("Grad:%1, Len:%2, Optm:%3, O.Red:%4, Aud:%5")
                                   .arg(seleccion_.numGraduaciones)
                                   .arg(seleccion_.numLentillas)
                                   .arg(seleccion_.numOptometrias)
                                   .arg(seleccion_.numOptometriasReducidas)
                                   .arg(seleccion_.numAudifonos));
}

void TfrmLentilla::Poner_Titulo(const QString& tienda) {
  QString t = kPantalla + QStringLiteral(" - ") + seleccion_.textoPaciente;
  if (!tienda.isNull()) t += QStringLiteral(" - ") + tienda;
  setWindowTitle(t);
}

void TfrmLentilla::Cargar_Doctores() {
  cbxDoctor_->clear();
  TDoctor& d = Lentilla().Doctor();
  d.Cargar_Lista(0);
  for (int i = 0; i < d.Numero_Doctores(); ++i) {
    const TEntradaDoctor& e = d.Doctor(i);
    cbxDoctor_->addItem(e.nombre + QLatin1Char(' ') + e.apellidos, e.id_doctor);
  }
  cbxDoctor_->setCurrentIndex(-1);
}

void TfrmLentilla::Cargar_Agentes() {
  cbxAgente_->clear();
  TAgente& a = Agente();
  a.Cargar_Lista(0);
  for (int i = 0; i < a.Lista_Nombres().size(); ++i)
    cbxAgente_->addItem(a.Lista_Nombres()[i], a.Lista_Ids()[i].toDouble());
  cbxAgente_->setCurrentIndex(-1);
}

void TfrmLentilla::Cargar_Tipos() {
  if (!tipos_) tipos_ = std::make_unique<TTLentilla>(owner_, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
  tipos_->Cargar_Tipos();
  for (int o = 0; o < 2; ++o) {
    ojos_[o].tipo->clear();
    for (int i = 0; i < tipos_->Descripciones.size(); ++i)
      ojos_[o].tipo->addItem(tipos_->Descripciones[i], tipos_->Claves[i].toDouble());
    ojos_[o].tipo->setCurrentIndex(-1);
  }
}

void TfrmLentilla::Limpiar_Controles() {
  const bool antes = cargando_;
  cargando_ = true;
  for (QLineEdit* e : findChildren<QLineEdit*>())
    if (e != edtFicha_ && !qobject_cast<QComboBox*>(e->parentWidget())) e->clear();
  for (QComboBox* c : {cbxDoctor_, cbxPropiaAjena_, cbxAgente_, ojos_[0].tipo, ojos_[1].tipo}) c->setCurrentIndex(-1);
  memObservaciones_->clear();
  Poner_Titulo();
  const double hoy = ctx_->puesto->fechaTrabajo;
  for (TEditFecha* f : {dtmFecha_, dtmFechaLimpieza_, dtmFechaCaducidad_, dtmFechaReposicion_}) f->Fijar_Fecha(hoy);
  const int revision = ctx_->empresa->mesesRevision, garantia = ctx_->empresa->mesesGarantia;
  dtmFechaRevision_->Fijar_Fecha(revision != 0 ? TLentilla::Sumar_Meses(hoy, revision) : 0);
  for (int o = 0; o < 2; ++o) ojos_[o].garantia->Fijar_Fecha(garantia != 0 ? TLentilla::Sumar_Meses(hoy, garantia) : 0);
  cargando_ = antes;
}

void TfrmLentilla::Limpiar_Graduacion() {
  for (int o = 0; o < 2; ++o)
    for (QLineEdit* e : {ojos_[o].radio1, ojos_[o].radio2, ojos_[o].esfera, ojos_[o].cilindro, ojos_[o].eje,
                         ojos_[o].diametro, ojos_[o].zona, ojos_[o].adicion, ojos_[o].agudeza, ojos_[o].queratometria})
      e->clear();
}

// ---- Showing a record ------------------------------------------------------------------

int TfrmLentilla::Cargar_Ficha(double idFicha) {
  TLentilla& l = Lentilla();
  l.ID_MLENTILLA(idFicha);
  const int r = l.Buscar();
  ultimaRespuesta_ = r;
  if (r == -5) {
    ctx_->aplicacion->MessageBox(kSinUltima, kAviso, mb::OK);
    return r;
  }
  if (r != 0) return r;
  Mostrar_Ficha(l, true, true, true);
  modificado_ = false;
  fichaExistente_ = 1;
  return 0;
}

// Shows a text only when it differs from what the edit holds: an edit given its
// own text again is laid out and painted again for nothing. Either way the text
// counts as the screen's, not as typed (as setText leaves it).
static void Poner(QLineEdit* e, const QString& texto) {
  if (e->text() != texto)
    e->setText(texto);
  else
    e->setModified(false);
}

void TfrmLentilla::Mostrar_Medidas(TLentilla& l) {
  const double valores[2][3] = {{l.OD_ABERTURA_PARPEBRAL(), l.OD_DIAMETRO_PUPILAR(), l.OD_DIAMETRO_IRIS()},
                                {l.OI_ABERTURA_PARPEBRAL(), l.OI_DIAMETRO_PUPILAR(), l.OI_DIAMETRO_IRIS()}};
  for (int o = 0; o < 2; ++o) {
    Poner(ojos_[o].abertura, TLentilla::Valor_A_Texto(valores[o][0]));
    Poner(ojos_[o].pupilar, TLentilla::Valor_A_Texto(valores[o][1]));
    Poner(ojos_[o].iris, TLentilla::Valor_A_Texto(valores[o][2]));
  }
}

void TfrmLentilla::Mostrar_Ficha(TLentilla& l, bool graduacion, bool lentes, bool resto) {
  const bool antes = cargando_;
  cargando_ = true;
  if (resto) {
    Poner(edtFicha_, QString::number(l.NUMERO_FICHA()));
    dtmFecha_->Fijar_Fecha(l.FECHA());
    dtmFechaRevision_->Fijar_Fecha(l.FECHA_REVISION());
    dtmFechaLimpieza_->Fijar_Fecha(l.FECHA_LIMPIEZA());
    dtmFechaCaducidad_->Fijar_Fecha(l.FECHA_CADUCIDAD());
    dtmFechaReposicion_->Fijar_Fecha(l.FECHA_REPOSICION());
    const int doctor = cbxDoctor_->findData(l.Doctor().ID());
    cbxDoctor_->setCurrentIndex(doctor);
    tbnDoctor_->setVisible(doctor < 0 && l.Doctor().ID() > 0);
    const int agente = cbxAgente_->findData(l.Agente().ID());
    cbxAgente_->setCurrentIndex(agente);
    tbnAgente_->setVisible(agente < 0 && l.Agente().ID() > 0);
    cbxPropiaAjena_->setCurrentIndex(l.PROPIA_AJENA() >= 0 && l.PROPIA_AJENA() < 2 ? l.PROPIA_AJENA() : -1);
    const QString observaciones = l.Observaciones().join(QLatin1Char('\n'));
    if (memObservaciones_->toPlainText() != observaciones) memObservaciones_->setPlainText(observaciones);
    Mostrar_Medidas(l);
  }
  if (graduacion) {
    struct {
      QString radio1, radio2, queratometria;
      double esfera, cilindro, eje, diametro, zona, adicion, agudeza;
    } g[2] = {{l.OD_RADIO_1(), l.OD_RADIO_2(), l.OD_QUERATOMETRIA(), l.OD_ESFERA(), l.OD_CILINDRO(),
               static_cast<double>(l.OD_EJE()), l.OD_DIAMETRO(), l.OD_ZONA_OPTICA(), l.OD_ADICION(),
               l.OD_AGUDEZA_VISUAL_CC()},
              {l.OI_RADIO_1(), l.OI_RADIO_2(), l.OI_QUERATOMETRIA(), l.OI_ESFERA(), l.OI_CILINDRO(),
               static_cast<double>(l.OI_EJE()), l.OI_DIAMETRO(), l.OI_ZONA_OPTICA(), l.OI_ADICION(),
               l.OI_AGUDEZA_VISUAL_CC()}};
    for (int o = 0; o < 2; ++o) {
      Poner(ojos_[o].radio1, g[o].radio1);
      Poner(ojos_[o].radio2, g[o].radio2);
      Poner(ojos_[o].queratometria, g[o].queratometria);
      Poner(ojos_[o].esfera, TLentilla::Valor_A_Texto_Con_Signo(g[o].esfera));
      Poner(ojos_[o].cilindro, TLentilla::Valor_A_Texto_Con_Signo(g[o].cilindro));
      Poner(ojos_[o].eje, TLentilla::Eje_A_Texto(g[o].eje));
      Poner(ojos_[o].diametro, TLentilla::Valor_A_Texto(g[o].diametro));
      Poner(ojos_[o].zona, TLentilla::Valor_A_Texto(g[o].zona));
      Poner(ojos_[o].adicion, TLentilla::Valor_A_Texto(g[o].adicion));
      Poner(ojos_[o].agudeza, TLentilla::Valor_A_Texto(g[o].agudeza));
    }
  }
  if (lentes) {
    Poner(edtLiquido_, l.LIQUIDOS());
    Mostrar_Lentes(l.ID_MLENTILLA());
  }
  cargando_ = antes;
}

void TfrmLentilla::Mostrar_Lentes(double idFicha) {
  // What each eye shows, gathered first so that every control is set once.
  struct {
    int tipo = -1;
    QString articulo, importe, lote;
    double garantia = 0;
  } vista[2];
  TDLentilla linea(owner_, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
  linea.ID_MLENTILLA(idFicha);
  linea.Cargar_Lista_Lineas();
  for (const QString& clave : linea.Lista_Lineas()) {
    linea.ID_DLENTILLA(clave.toDouble());
    if (linea.Buscar() != 0 || (linea.OJO() != 1 && linea.OJO() != 2)) continue;
    const int o = linea.OJO() - 1;
    vista[o].tipo = ojos_[o].tipo->findData(linea.ID_TLENTILLA());
    vista[o].articulo = linea.REFERENCIA() == QLatin1String("0") ? QString() : linea.REFERENCIA();
    if (!vista[o].articulo.isEmpty()) {
      // The line names its article; the key is not kept with it.
      articulosOjo_[o] = TArticuloOjo{-1, linea.REFERENCIA(), linea.DESCRIPCION(), linea.MODELO(), linea.COLOR(),
                                      linea.RADIO_1(), linea.RADIO_2(), linea.DIAMETRO()};
    }
    vista[o].importe = Texto_Importe(linea.IMPORTE());
    vista[o].lote = linea.LOTE();
    vista[o].garantia = linea.FECHA_GARANTIA();
  }
  for (int o = 0; o < 2; ++o) {
    ojos_[o].tipo->setCurrentIndex(vista[o].tipo);
    Poner(ojos_[o].articulo, vista[o].articulo);
    Poner(ojos_[o].importe, vista[o].importe);
    Poner(ojos_[o].lote, vista[o].lote);
    ojos_[o].garantia->Fijar_Fecha(vista[o].garantia);
  }
}

int TfrmLentilla::Preparar_Nueva() {
  if (seleccion_.tieneFichas == 0) {
    for (int o = 0; o < 2; ++o)
      for (QLineEdit* e : {ojos_[o].abertura, ojos_[o].pupilar, ojos_[o].iris}) e->clear();
    modificado_ = false;
    return 0;
  }
  TLentilla& l = Lentilla();
  l.ID_PACIENTE(seleccion_.idPaciente);
  const int r = l.Buscar_Ultima();
  if (r != 0) return r;
  const bool antes = cargando_;
  cargando_ = true;
  Mostrar_Medidas(l);
  int respuesta = mb::IDYES;
  if (ctx_->usuario->preguntarCopia)
    respuesta = ctx_->aplicacion->MessageBox(QStringLiteral("¿Desea copiar los datos de la última ficha?"), kPregunta,
                                             mb::YESNO | mb::ICONQUESTION);
  if (respuesta == mb::IDYES) {
    if (ctx_->usuario->copiarUltimaGraduacion) Mostrar_Ficha(l, true, false, false);
    if (ctx_->usuario->copiarUltimosLentes) {
      Mostrar_Ficha(l, false, true, false);
      lineasModificadas_ = true;  // the copied lenses belong to the new record
    }
  } else {
    Limpiar_Graduacion();
  }
  cargando_ = antes;
  modificado_ = false;
  return 0;
}

// ---- Changes and questions ---------------------------------------------------------------

void TfrmLentilla::Modificado_Estado(bool modificado) {
  if (ctx_ && ctx_->usuario->puedeModificar != 1 && fichaExistente_ == 1) {
    botones_[QStringLiteral("btnGrabar")]->setEnabled(false);
    botones_[QStringLiteral("btnBorrar")]->setEnabled(false);
    modificado_ = false;
    return;
  }
  modificado_ = modificado;
  botones_[QStringLiteral("btnGrabar")]->setEnabled(modificado);
  botones_[QStringLiteral("btnBorrar")]->setEnabled(fichaExistente_ == 1);
}

bool TfrmLentilla::Preguntar_Cambios(bool soloFicha) {
  TAplicacion* app = ctx_->aplicacion;
  if (modificado_) {
    const int r = soloFicha
                      ? app->MessageBox(QStringLiteral("Los datos han cambiado. ¿Desea guardar los cambios?"), kPregunta,
                                        mb::YESNOCANCEL | mb::ICONQUESTION)
                      : app->MessageBox(QStringLiteral("Los datos han cambiado. ¿Desea guardar los cambios?"), kAviso,
                                        mb::YESNOCANCEL);
    ultimaRespuesta_ = r;
    if (r == mb::IDCANCEL) return false;
    if (r == mb::IDYES) btnGrabarClick();
  }
  if (soloFicha) return true;
  if (pruebaModificada_)
    app->MessageBox(QStringLiteral("Los datos de la Prueba han cambiado. ¿Desea guardar los cambios?"), kAviso,
                    mb::YESNOCANCEL);
  if (reposicionesModificadas_ &&
      app->MessageBox(QStringLiteral("Los datos de Reposiciones han cambiado. ¿Desea guardar los cambios?"), kAviso,
                      mb::YESNOCANCEL) == mb::IDCANCEL)
    return false;
  return true;
}

// ---- Navigation --------------------------------------------------------------------------

void TfrmLentilla::Navegar(int direccion) {
  if (!Preguntar_Cambios(false)) return;
  TLentilla& actual = Lentilla();
  const QString p = QString::number(static_cast<qint64>(seleccion_.idPaciente));
  const QString n = QString::number(edtFicha_->text().toLongLong());
  QString sql = QStringLiteral("Select ID_MLENTILLA from MLENTILLA where ID_PACIENTE = ") + p;
  switch (direccion) {
    case 1: sql += QStringLiteral(" Order By NUMERO_FICHA"); break;
    case 2: sql += QStringLiteral(" And NUMERO_FICHA < ") + n + QStringLiteral(" Order By NUMERO_FICHA DESC"); break;
    case 3: sql += QStringLiteral(" And NUMERO_FICHA > ") + n + QStringLiteral(" Order By NUMERO_FICHA"); break;
    default: sql += QStringLiteral(" Order By NUMERO_FICHA DESC"); break;
  }
  TIBQuery& q = dm_->dstDatos;
  q.Close();
  q.SQL.Clear();
  q.SQL.Add(sql);
  q.Open();
  const double clave = q.Eof() ? 0 : q.FieldByName(QStringLiteral("ID_MLENTILLA")).AsFloat();
  q.Close();
  if (q.Transaction && q.Transaction->InTransaction()) q.Transaction->Commit();

  const double mostrada = fichaExistente_ == 1 ? actual.ID_MLENTILLA() : -1;
  if (clave != 0 && clave != mostrada) {
    TLentilla& l = Lentilla();
    l.ID_PACIENTE(seleccion_.idPaciente);
    l.ID_MLENTILLA(clave);
    const int r = l.Buscar();
    if (r == -5) {
      ctx_->aplicacion->MessageBox(kSinUltima, kAviso, mb::OK);
    } else if (r == 0) {
      cargando_ = true;
      // Every control of the record is shown again, so nothing is cleared first.
      Poner_Titulo();
      Mostrar_Ficha(l, true, true, true);
      cargando_ = false;
      fichaExistente_ = 1;
      lineasModificadas_ = false;
      ctx_->acceso->Registrar_Ficha(*ctx_, TBDAcceso::kConsulta, l.ID_MLENTILLA(), l.NUMERO_FICHA(), l.FECHA());
    }
  }
  Modificado_Estado(false);
}

// ---- New, save, delete ----------------------------------------------------------------------

void TfrmLentilla::btnNuevoClick() {
  if (modificado_ && !Preguntar_Cambios(true)) return;
  cargando_ = true;
  Limpiar_Controles();
  Limpiar_Graduacion();
  Cargar_Doctores();
  Cargar_Agentes();
  cargando_ = false;
  if (edtFicha_->text().isEmpty()) return;
  if (Preparar_Nueva() != 0) return;
  TLentilla& l = Lentilla();
  // For a patient with records the preparation has just loaded the last one.
  if (seleccion_.tieneFichas == 0) {
    l.ID_PACIENTE(seleccion_.idPaciente);
    l.Buscar_Ultima();
  }
  edtFicha_->setReadOnly(false);
  edtFicha_->setText(QString::number(l.ID_MLENTILLA() > 0 ? l.NUMERO_FICHA() + 1 : 1));
  edtFicha_->setReadOnly(true);
  Objeto_Dominio(kLentilla);  // a fresh object for the new record
  pclLentilla_->setCurrentIndex(0);
  dtmFecha_->setFocus();
  fichaExistente_ = 0;
  Modificado_Estado(true);
}

bool TfrmLentilla::Comprobar_Fechas() {
  const struct {
    TEditFecha* fecha;
    const char* mensaje;
  } fechas[] = {
      {dtmFechaRevision_, "La Fecha de Revisión no es Válida"},
      {dtmFecha_, "La Fecha no es Válida"},
      {ojos_[0].garantia, "La Fecha de Garantia de la Lente Derecha no es Válida"},
      {ojos_[1].garantia, "La Fecha de Garantia de la Lente Izquierda no es Válida"},
      {dtmFechaLimpieza_, "La Fecha de Limpieza no es Válida"},
      {dtmFechaCaducidad_, "La Fecha de Caducidad no es Válida"},
      {dtmFechaReposicion_, "La Fecha de Reposición no es Válida"},
  };
  for (const auto& f : fechas)
    if (!f.fecha->Valida()) {
      ctx_->aplicacion->MessageBox(QString::fromUtf8(f.mensaje), kAviso, mb::OK | mb::ICONSTOP);
      return false;
    }
  return true;
}

void TfrmLentilla::Recoger_Controles(TLentilla& l) {
  l.ID_PACIENTE(seleccion_.idPaciente);
  l.NUMERO_FICHA(edtFicha_->text().toInt());
  l.FECHA(dtmFecha_->Fecha());
  l.FECHA_REVISION(dtmFechaRevision_->Fecha());
  l.FECHA_LIMPIEZA(dtmFechaLimpieza_->Fecha());
  l.FECHA_CADUCIDAD(dtmFechaCaducidad_->Fecha());
  l.FECHA_REPOSICION(dtmFechaReposicion_->Fecha());
  l.Doctor().ID(cbxDoctor_->currentIndex() >= 0 ? cbxDoctor_->currentData().toInt() : 0);
  l.Agente().ID(cbxAgente_->currentIndex() >= 0 ? cbxAgente_->currentData().toDouble() : 0);
  l.PROPIA_AJENA(std::max(0, cbxPropiaAjena_->currentIndex()));
  l.LIQUIDOS(edtLiquido_->text());
  const auto v = [](QLineEdit* e) { return TLentilla::Texto_A_Valor(e->text()); };
  const auto eje = [](QLineEdit* e) { return static_cast<int>(std::trunc(TLentilla::Texto_A_Eje(e->text()))); };
  l.OD_ABERTURA_PARPEBRAL(v(ojos_[0].abertura));
  l.OD_DIAMETRO_PUPILAR(v(ojos_[0].pupilar));
  l.OD_DIAMETRO_IRIS(v(ojos_[0].iris));
  l.OI_ABERTURA_PARPEBRAL(v(ojos_[1].abertura));
  l.OI_DIAMETRO_PUPILAR(v(ojos_[1].pupilar));
  l.OI_DIAMETRO_IRIS(v(ojos_[1].iris));
  l.OD_RADIO_1(ojos_[0].radio1->text());
  l.OD_RADIO_2(ojos_[0].radio2->text());
  l.OI_RADIO_1(ojos_[1].radio1->text());
  l.OI_RADIO_2(ojos_[1].radio2->text());
  l.OD_ESFERA(v(ojos_[0].esfera));
  l.OD_CILINDRO(v(ojos_[0].cilindro));
  l.OD_EJE(eje(ojos_[0].eje));
  l.OD_DIAMETRO(v(ojos_[0].diametro));
  l.OD_ZONA_OPTICA(v(ojos_[0].zona));
  l.OD_ADICION(v(ojos_[0].adicion));
  l.OD_AGUDEZA_VISUAL_CC(v(ojos_[0].agudeza));
  l.OD_QUERATOMETRIA(ojos_[0].queratometria->text());
  l.OI_ESFERA(v(ojos_[1].esfera));
  l.OI_CILINDRO(v(ojos_[1].cilindro));
  l.OI_EJE(eje(ojos_[1].eje));
  l.OI_DIAMETRO(v(ojos_[1].diametro));
  l.OI_ZONA_OPTICA(v(ojos_[1].zona));
  l.OI_ADICION(v(ojos_[1].adicion));
  l.OI_AGUDEZA_VISUAL_CC(v(ojos_[1].agudeza));
  l.OI_QUERATOMETRIA(ojos_[1].queratometria->text());
  const QString obs = memObservaciones_->toPlainText();
  l.Observaciones() = obs.isEmpty() ? QStringList() : obs.split(QLatin1Char('\n'));
}

int TfrmLentilla::Grabar_Lineas(double idFicha) {
  TLentilla& l = Lentilla();
  l.Crear_Detalle();
  TDLentilla& d = *l.Detalle();
  d.Moneda(ctx_->moneda);
  d.ID_MLENTILLA(idFicha);
  int r = d.Borrar_Lineas();
  if (r != 0) return r;
  for (int o = 0; o < 2; ++o) {
    const TOjo& ojo = ojos_[o];
    if (ojo.articulo->text().isEmpty() && ojo.tipo->currentIndex() < 0) continue;
    d.OJO(o + 1);
    d.ID_TLENTILLA(ojo.tipo->currentIndex() >= 0 ? ojo.tipo->currentData().toDouble() : -1);
    const TArticuloOjo& a = articulosOjo_[o];
    d.REFERENCIA(ojo.articulo->text());
    d.DESCRIPCION(a.descripcion.isEmpty() ? ojo.articulo->text() : a.descripcion);
    d.MODELO(a.modelo);
    d.RADIO_1(a.radio1);
    d.RADIO_2(a.radio2);
    d.DIAMETRO(a.diametro);
    d.COLOR(a.color);
    d.FECHA_GARANTIA(ojo.garantia->Vacia() ? 0 : ojo.garantia->Fecha());
    d.IMPORTE(Leer_Importe(ojo.importe->text()));
    d.LOTE(ojo.lote->text());
    r = d.Insertar();
    if (r != 0) return r;
  }
  return 0;
}

void TfrmLentilla::btnGrabarClick() {
  if (edtFicha_->text() == QLatin1String("0")) return;
  if (!Comprobar_Fechas()) return;
  TLentilla& l = Lentilla();
  Recoger_Controles(l);
  const bool nueva = fichaExistente_ != 1;
  int r;
  if (nueva) {
    l.ID_TIENDA(ctx_->puesto->idTienda);
    r = l.Insertar();
  } else {
    r = l.Modificar();
  }
  ultimaRespuesta_ = r;
  if (r != 0) return;  // nothing is lost: the typed data stays on screen, still marked changed
  ctx_->acceso->Registrar_Ficha(*ctx_, nueva ? TBDAcceso::kCreacion : TBDAcceso::kModificacion, l.ID_MLENTILLA(),
                                l.NUMERO_FICHA(), l.FECHA());
  if (lineasModificadas_) {
    r = Grabar_Lineas(l.ID_MLENTILLA());
    if (r != 0) return;
    lineasModificadas_ = false;
  }
  TTienda& tienda = Tienda();
  tienda.ID_TIENDA(static_cast<int32_t>(l.ID_TIENDA()));
  tienda.Buscar();
  Poner_Titulo(tienda.DESCRIPCION());

  seleccion_.idFicha = l.ID_MLENTILLA();
  seleccion_.ultimaFicha = edtFicha_->text().toInt();
  seleccion_.tieneFichas = seleccion_.fichaGrabada = 1;
  if (nueva) {
    ++seleccion_.numLentillas;
    lblTituloDatosFicha_->setText(QStringLiteral("DATOS DE LA FICHA"));
    Titulo_Fichas();
  }
  if (ctx_->empresa->avisoRevision == 1 && !dtmFechaRevision_->Vacia())
    Agenda().Recordatorio_Revision(l.ID_MLENTILLA(), dtmFechaRevision_->Fecha());

  fichaExistente_ = 1;
  Modificado_Estado(false);
  pclLentilla_->setCurrentIndex(0);
  // A new tab icon lays the tab bar out again and repaints the whole page: only
  // when the observations appear or go.
  const bool conObservaciones = !memObservaciones_->toPlainText().isEmpty();
  if (pclLentilla_->tabIcon(1).isNull() == conObservaciones)
    pclLentilla_->setTabIcon(1, conObservaciones ? TdmLentilla::Imagen(QStringLiteral("observaciones")) : QIcon());
}

void TfrmLentilla::btnBorrarClick() {
  if (edtFicha_->text() == QLatin1String("0")) return;
  TLentilla& l = Lentilla();
  const double clave = l.ID_MLENTILLA();
  const int numero = l.NUMERO_FICHA();
  const double fecha = l.FECHA();
  const int r = l.Borrar();
  ultimaRespuesta_ = r;
  if (r != 0) return;  // -6 declined, -1 failed
  Agenda().Borrar(static_cast<int>(clave), TAgenda::kTipoFichaLentillas);
  ctx_->acceso->Registrar_Ficha(*ctx_, TBDAcceso::kBorrado, clave, numero, fecha);
  l.ID_PACIENTE(seleccion_.idPaciente);
  l.Renumerar();
  if (l.Buscar_Ultima() == 0) {
    cargando_ = true;
    Limpiar_Graduacion();
    Mostrar_Ficha(l, true, true, true);
    cargando_ = false;
    --seleccion_.numLentillas;
    seleccion_.ultimaFicha = l.NUMERO_FICHA();
    seleccion_.idFicha = l.ID_MLENTILLA();
    lblTituloDatosFicha_->setText(QStringLiteral("DATOS DE LA FICHA"));
    Titulo_Fichas();
  }
  fichaExistente_ = 1;
  Modificado_Estado(false);
}

// ---- Keys, guard, close ----------------------------------------------------------------------

void TfrmLentilla::Teclas(int tecla) {
  switch (tecla) {
    case Qt::Key_F5:
      // The test and replacement tabs save their own data with their parts.
      if (pclLentilla_->currentIndex() <= 1) Guardia(QStringLiteral("btnGrabar -> OnClick"), [this] { btnGrabarClick(); });
      break;
    case Qt::Key_F6:
      if (pclLentilla_->currentIndex() <= 1) Guardia(QStringLiteral("btnNuevo -> OnClick"), [this] { btnNuevoClick(); });
      break;
    case Qt::Key_F12: close(); break;
  }
}

void TfrmLentilla::Guardia(const QString& etiqueta, const std::function<void()>& accion) {
  try {
    accion();
  } catch (const std::exception& e) {
    TfrmError::Mostrar(ctx_, etiqueta, QString::fromUtf8(e.what()));
  } catch (...) {
    TfrmError::Mostrar(ctx_, etiqueta, QStringLiteral("Error desconocido"));
  }
}

bool TfrmLentilla::event(QEvent* e) {
  if (e->type() == QEvent::StatusTip) {
    sbr_Ayuda_->showMessage(static_cast<QStatusTipEvent*>(e)->tip());
    return true;
  }
  return QWidget::event(e);
}

bool TfrmLentilla::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress && ctx_ && ctx_->teclado) {
    auto* tecla = static_cast<QKeyEvent*>(evento);
    auto* w = qobject_cast<QWidget*>(objeto);
    if ((tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) && w && (w == this || isAncestorOf(w)) &&
        w == QApplication::focusWidget() && ctx_->teclado->Enter_Mueve_Foco(this)) {
      focusNextChild();
      return true;
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

void TfrmLentilla::closeEvent(QCloseEvent* e) {
  if (!cerrada_ && ctx_ && !Preguntar_Cambios(false)) {
    e->ignore();
    return;
  }
  FormClose();
  e->accept();
}

void TfrmLentilla::FormClose() {
  if (cerrada_ || !ctx_) return;
  cerrada_ = true;
  if (ctx_->acceso) ctx_->acceso->Registrar_Entrada_Salida(*ctx_, 1);
  seleccion_.moduloAbierto = 0;
  lentilla_.reset();
  tienda_.reset();
  agente_.reset();
  agenda_.reset();
  paciente_.reset();
  tipos_.reset();
  articulo_.reset();
  modulos_.Liberar_Todos();
  dm_.reset();
  Devolver_Seleccion();
}

void TfrmLentilla::Devolver_Seleccion() {
  TSeleccion& s = ctx_->seleccion;
  s.idPaciente = seleccion_.idFicha;  // 168 receives the record key the screen held
  s.ultimaFicha = seleccion_.ultimaFicha;
  s.numGraduaciones = seleccion_.numGraduaciones;
  s.numLentillas = seleccion_.numLentillas;
  s.numAudifonos = seleccion_.numAudifonos;
  s.numOptometrias = seleccion_.numOptometrias;
  s.numOptometriasReducidas = seleccion_.numOptometriasReducidas;
  s.tieneFichas = seleccion_.tieneFichas;
  s.fichaGrabada = seleccion_.fichaGrabada;
  s.moduloAbierto = 0;
  for (int i = 0; i < 3; ++i) s.textos[i] = seleccion_.textos[i];
}
