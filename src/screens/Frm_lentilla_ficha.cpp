#include "Frm_lentilla_ficha.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "Clase_tagente.h"
#include "Clase_tarticulo.h"
#include "Codigo_gs1.h"
#include "Receta_qr.h"
#include "Clase_tdlentilla.h"
#include "Clase_tlentilla.h"
#include "Clase_ttlentilla.h"
#include "Dm_lentilla.h"
#include "Edit_fecha.h"
#include "Importes_lentilla.h"
#include "Objetos_lentilla.h"
#include "Util_fechas.h"
#include "Variables_documento.h"

namespace {
const QString kAviso = QStringLiteral("AVISO");
// The lens type selectors keep each type's replacement period beside its key.
constexpr int kRolDiasTipo = Qt::UserRole + 1;

// Shows a text only when it differs from what the edit holds: an edit given its
// own text again is laid out and painted again for nothing. Either way the text
// counts as the screen's, not as typed (as setText leaves it).
void Poner(QLineEdit* e, const QString& texto) {
  if (e->text() != texto)
    e->setText(texto);
  else
    e->setModified(false);
}
}  // namespace

template <class Ojo>
QString Texto_Graduacion(const TFilaDeOjo<Ojo>& fila, const Ojo& ojo) {
  return std::visit(TSegun{[&](double Ojo::*m) {
                             return fila.vista == TVistaGraduacion::kSigno ? TLentilla::Valor_A_Texto_Con_Signo(ojo.*m)
                                                                           : TLentilla::Valor_A_Texto(ojo.*m);
                           },
                           [&](int Ojo::*m) { return TLentilla::Eje_A_Texto(ojo.*m); },
                           [&](QString Ojo::*m) { return ojo.*m; }},
                    fila.miembro);
}

template <class Ojo>
void Leer_Graduacion(const TFilaDeOjo<Ojo>& fila, const QString& texto, Ojo& ojo) {
  std::visit(TSegun{[&](double Ojo::*m) { ojo.*m = TLentilla::Texto_A_Valor(texto); },
                    [&](int Ojo::*m) { ojo.*m = static_cast<int>(std::trunc(TLentilla::Texto_A_Eje(texto))); },
                    [&](QString Ojo::*m) { ojo.*m = texto; }},
             fila.miembro);
}

template QString Texto_Graduacion(const TFilaGraduacion&, const TGraduacionOjo&);
template QString Texto_Graduacion(const TFilaPrueba&, const TPruebaOjo&);
template void Leer_Graduacion(const TFilaGraduacion&, const QString&, TGraduacionOjo&);
template void Leer_Graduacion(const TFilaPrueba&, const QString&, TPruebaOjo&);

TPaginaFicha::TPaginaFicha(TReglasEntrada& reglas, TEdicion& ficha, TObjetosLentilla& objetos, QWidget* padre)
    : TParteFicha(reglas, ficha, padre), objetos_(objetos) {
  setObjectName(QStringLiteral("tstFicha"));
  Crear_Controles();
  Conectar_Cambios();
  Enlazar_Reglas();
  Enlazar_Selectores();
}

// ---- Controls ----------------------------------------------------------------------

void TPaginaFicha::Crear_Controles() {
  auto* v = new QVBoxLayout(this);
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
  const auto etiqueta = [](const QString& t, QWidget* padre) { return new QLabel(t, padre); };

  // Title panel with the patient's record counts.
  auto* pnlTituloDatosFicha = new QWidget(this);
  pnlTituloDatosFicha->setObjectName(QStringLiteral("pnlTituloDatosFicha"));
  pnlTituloDatosFicha->setAutoFillBackground(true);
  pnlTituloDatosFicha->setStyleSheet(QStringLiteral("#pnlTituloDatosFicha { background: #1f5fa8; }"
                                                     "#pnlTituloDatosFicha QLabel { color: white; }"));
  auto* hTitulo = new QHBoxLayout(pnlTituloDatosFicha);
  hTitulo->setContentsMargins(8, 3, 8, 3);
  lblTituloDatosFicha_ = new QLabel(QStringLiteral(" Datos de la ficha"), pnlTituloDatosFicha);
  QFont negrita = lblTituloDatosFicha_->font();
  negrita.setBold(true);
  lblTituloDatosFicha_->setFont(negrita);
  txt_Titulo_NFichas_ = new QLabel(pnlTituloDatosFicha);
  txt_Titulo_NFichas_->setObjectName(QStringLiteral("txt_Titulo_NFichas"));
  hTitulo->addWidget(lblTituloDatosFicha_);
  hTitulo->addStretch(1);
  hTitulo->addWidget(txt_Titulo_NFichas_);
  v->addWidget(pnlTituloDatosFicha);

  // Record data: number, dates, doctor, agent.
  auto* datos = new QGroupBox(this);
  auto* g = new QGridLayout(datos);
  edtFicha_ = edit(datos, QStringLiteral("edtFicha"), QStringLiteral("Número de la ficha"), 50);
  edtFicha_->setReadOnly(true);
  edtFicha_->setValidator(new QIntValidator(0, 999999, edtFicha_));
  edtFicha_->setMaxLength(6);
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
  g->addWidget(etiqueta(QStringLiteral("Caducidad:"), datos), 1, 4);
  auto* hFechas = new QHBoxLayout;
  hFechas->addWidget(dtmFechaCaducidad_);
  hFechas->addSpacing(12);
  hFechas->addWidget(etiqueta(QStringLiteral("Reposición:"), datos));
  hFechas->addWidget(dtmFechaReposicion_);
  hFechas->addStretch(1);
  g->addLayout(hFechas, 1, 5);
  g->setColumnStretch(5, 2);
  g->setColumnStretch(7, 2);
  v->addWidget(datos);

  // The two eyes side by side: one row per value, right eye then left eye.
  auto* ojos = new QHBoxLayout;
  ojos->setSpacing(8);
  const QString sufijo[2] = {QStringLiteral("OD"), QStringLiteral("OI")};
  auto* medidasGrad = new QGroupBox(QStringLiteral(" Medidas y graduación "), this);
  auto* gg = new QGridLayout(medidasGrad);
  auto* lentes = new QGroupBox(QStringLiteral(" Lentillas suministradas "), this);
  auto* gl = new QGridLayout(lentes);
  for (QGridLayout* rejilla : {gg, gl}) {
    rejilla->addWidget(etiqueta(QStringLiteral("<b>Ojo derecho (OD)</b>"), rejilla->parentWidget()), 0, 1,
                       Qt::AlignCenter);
    rejilla->addWidget(etiqueta(QStringLiteral("<b>Ojo izquierdo (OI)</b>"), rejilla->parentWidget()), 0, 2,
                       Qt::AlignCenter);
    rejilla->setColumnStretch(1, 1);
    rejilla->setColumnStretch(2, 1);
  }
  for (int i = 0; i < kNumFilasGraduacion; ++i) {
    const TFilaGraduacion& f = kFilasGraduacion[i];
    gg->addWidget(etiqueta(QString::fromUtf8(f.titulo) + QLatin1Char(':'), medidasGrad), i + 1, 0);
    for (int o = 0; o < 2; ++o) {
      const QString nombre = QStringLiteral("edt_%1_%2").arg(sufijo[o], QLatin1String(f.campo));
      ojos_[o].campos[i] = edit(medidasGrad, nombre,
                                QString::fromUtf8(f.titulo) + (o == 0 ? QStringLiteral(" del ojo derecho")
                                                                      : QStringLiteral(" del ojo izquierdo")));
      ojos_[o].campos[i]->setMaxLength(f.longitud);
      gg->addWidget(ojos_[o].campos[i], i + 1, o + 1);
    }
  }
  gg->setRowStretch(kNumFilasGraduacion + 1, 1);

  int fila = 1;
  gl->addWidget(etiqueta(QStringLiteral("Tipo:"), lentes), fila, 0);
  for (int o = 0; o < 2; ++o) {
    ojos_[o].tipo = combo(lentes, QStringLiteral("cbx_%1_Tipo_Lentilla").arg(sufijo[o]),
                          QStringLiteral("Tipo de lentilla (Insert: crear un tipo)"));
    gl->addWidget(ojos_[o].tipo, fila, o + 1);
  }
  ++fila;
  // The article edit shows the article's description (DESCRIPCION of the
  // line); the lot is stored in LOTE.
  const struct {
    const char* titulo;
    QLineEdit* TOjo::*miembro;
    const char* nombre[2];
    const char* ayuda;
    int longitud;
  } filasLentes[] = {
      {"Artículo", &TOjo::articulo, {"edt_OD_Articulo", "edt_OI_Articulo"},
       "Referencia o código de barras del artículo (Supr: quitar el artículo)", kLongitudDescripcion},
      {"Importe", &TOjo::importe, {"edt_OD_Importe", "edt_OI_Importe"}, "Importe de la lentilla", 16},
      {"Lote", &TOjo::lote, {"edtODLote", "edtOILote"}, "Lote de la lentilla", 50},
      {"Unidades", &TOjo::unidades, {"edt_OD_Unidades", "edt_OI_Unidades"},
       "Lentillas suministradas (con los días del tipo dan la fecha de reposición)", 3},
  };
  for (const auto& f : filasLentes) {
    gl->addWidget(etiqueta(QString::fromUtf8(f.titulo) + QLatin1Char(':'), lentes), fila, 0);
    for (int o = 0; o < 2; ++o) {
      ojos_[o].*f.miembro = edit(lentes, QString::fromLatin1(f.nombre[o]), QString::fromUtf8(f.ayuda), 120);
      (ojos_[o].*f.miembro)->setMaxLength(f.longitud);
      gl->addWidget(ojos_[o].*f.miembro, fila, o + 1);
    }
    ++fila;
  }
  for (TOjo& o : ojos_) {
    o.importe->setAlignment(Qt::AlignRight);
    // An amount only: digits and the decimal comma (the keypad's point becomes one).
    o.importe->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?[0-9]{0,9}(\\.[0-9]{3})*(,[0-9]{0,4})?")), o.importe));
    reglas_.Mascara_Coma(o.importe);
    o.unidades->setValidator(new QIntValidator(0, 999, o.unidades));
    o.unidades->setAlignment(Qt::AlignRight);
  }
  gl->addWidget(etiqueta(QStringLiteral("Garantía:"), lentes), fila, 0);
  for (int o = 0; o < 2; ++o) {
    ojos_[o].garantia = fecha(lentes, QStringLiteral("dtm_%1_Fecha_Garantia").arg(sufijo[o]),
                              QStringLiteral("Fecha de fin de la garantía"));
    gl->addWidget(ojos_[o].garantia, fila, o + 1);
  }
  ++fila;
  gl->addWidget(etiqueta(QStringLiteral("Caducidad caja:"), lentes), fila, 0);
  for (int o = 0; o < 2; ++o) {
    ojos_[o].caja = fecha(lentes, QStringLiteral("dtm_%1_Caducidad_Caja").arg(sufijo[o]),
                          QStringLiteral("Caducidad de la caja de la lentilla (la da su código al escanearla)"));
    gl->addWidget(ojos_[o].caja, fila, o + 1);
  }
  ++fila;
  gl->addWidget(etiqueta(QStringLiteral("Líquido:"), lentes), fila, 0);
  edtLiquido_ = edit(lentes, QStringLiteral("edt_Liquido"), QStringLiteral("Líquido de mantenimiento"), 120);
  edtLiquido_->setMaxLength(255);
  gl->addWidget(edtLiquido_, fila, 1, 1, 2);
  gl->setRowStretch(fila + 1, 1);

  ojos->addWidget(medidasGrad, 3);
  ojos->addWidget(lentes, 2);
  v->addLayout(ojos, 1);

  // Tab order follows the eye columns: all of the right eye, then the left.
  QList<QWidget*> orden{edtFicha_, dtmFecha_, cbxDoctor_, cbxPropiaAjena_, cbxAgente_, dtmFechaRevision_,
                        dtmFechaLimpieza_, dtmFechaCaducidad_, dtmFechaReposicion_};
  for (const TOjo& o : ojos_)
    for (QLineEdit* e : o.campos) orden << e;
  for (const TOjo& o : ojos_)
    orden << o.tipo << o.articulo << o.importe << o.lote << o.unidades << o.garantia << o.caja;
  orden << edtLiquido_;
  for (int i = 1; i < orden.size(); ++i) QWidget::setTabOrder(orden[i - 1], orden[i]);
}

void TPaginaFicha::Conectar_Cambios() {
  // Every edit marks the record changed; the lens fields also mark the lens
  // lines for rewriting.
  for (QLineEdit* e : findChildren<QLineEdit*>()) {
    if (qobject_cast<QComboBox*>(e->parentWidget())) continue;
    bool lentes = false;
    for (const TOjo& o : ojos_)
      lentes = lentes || e == o.articulo || e == o.importe || e == o.lote || e == o.unidades || e == o.garantia ||
               e == o.caja;
    connect(e, &QLineEdit::textEdited, this, lentes ? &TPaginaFicha::Marcar_Lentes : &TPaginaFicha::Marcar_Cambio);
  }
  // A replacement date typed by the user stays; emptied, it follows the lenses again.
  connect(dtmFechaReposicion_, &QLineEdit::textEdited, this,
          [this] { reposicionPropuesta_ = dtmFechaReposicion_->Vacia(); });
  connect(dtmFecha_, &QLineEdit::textEdited, this, [this] {
    if (!dtmFecha_->Vacia() && dtmFecha_->Valida()) Proponer_Reposicion();
  });
  for (QComboBox* c : {cbxDoctor_, cbxPropiaAjena_, cbxAgente_})
    connect(c, &QComboBox::activated, this, &TPaginaFicha::Marcar_Cambio);
  for (const TOjo& o : ojos_) connect(o.tipo, &QComboBox::activated, this, &TPaginaFicha::Marcar_Lentes);
}

void TPaginaFicha::Marcar_Lentes() {
  if (reglas_.En_Carga()) return;
  lineasModificadas_ = true;
  Proponer_Reposicion();
  Marcar_Cambio();
}

void TPaginaFicha::Lineas_Copiadas() {
  lineasModificadas_ = true;
  Proponer_Reposicion();
}

double TPaginaFicha::Fin_Lentes() const {
  TSuministro lineas[2];
  for (int o = 0; o < 2; ++o) {
    const TOjo& ojo = ojos_[o];
    lineas[o].diasTipo = ojo.tipo->currentIndex() >= 0 ? ojo.tipo->currentData(kRolDiasTipo).toInt() : 0;
    lineas[o].unidades = ojo.unidades->text().toInt();
  }
  return Fin_Suministro(dtmFecha_->Fecha(), lineas);
}

void TPaginaFicha::Proponer_Reposicion() {
  if (!reposicionPropuesta_ || reglas_.En_Carga()) return;
  const double fin = Fin_Lentes();
  if (fin == dtmFechaReposicion_->Fecha()) return;
  const auto carga = reglas_.Cargando();
  dtmFechaReposicion_->Fijar_Fecha(fin);
}

// ---- Initialisation and clearing --------------------------------------------------------

void TPaginaFicha::Inicializar() {
  const auto carga = reglas_.Cargando();
  lblTituloDatosFicha_->setText(QStringLiteral("DATOS DE LA FICHA"));
  cbxPropiaAjena_->addItems({QStringLiteral("Propia"), QStringLiteral("Ajena")});
  Limpiar();
  Limpiar_Graduacion();
  Cargar_Doctores();
  Cargar_Agentes();
  Cargar_Tipos();
}

void TPaginaFicha::Titulo_Fichas(const TSeleccion& s) {
  lblTituloDatosFicha_->setText(QStringLiteral("DATOS DE LA FICHA"));
  txt_Titulo_NFichas_->setText(QStringLiteral("Grad:%1, Len:%2, Optm:%3, O.Red:%4, Aud:%5")
                                   .arg(s.numGraduaciones)
                                   .arg(s.numLentillas)
                                   .arg(s.numOptometrias)
                                   .arg(s.numOptometriasReducidas)
                                   .arg(s.numAudifonos));
}

void TPaginaFicha::Cargar_Doctores() {
  const auto carga = reglas_.Cargando();
  cbxDoctor_->clear();
  TDoctor& d = objetos_.Lentilla().Doctor();
  d.Cargar_Lista(0);
  for (int i = 0; i < d.Numero_Doctores(); ++i) {
    const TEntradaDoctor& e = d.Doctor(i);
    cbxDoctor_->addItem(e.nombre + QLatin1Char(' ') + e.apellidos, e.id_doctor);
  }
  cbxDoctor_->setCurrentIndex(-1);
}

void TPaginaFicha::Cargar_Agentes() {
  const auto carga = reglas_.Cargando();
  cbxAgente_->setCurrentIndex(-1);
  objetos_.Agente().Cargar_Lista(0);
  Rellenar_Agentes();
}

void TPaginaFicha::Rellenar_Agentes() {
  const auto carga = reglas_.Cargando();
  const QVariant elegido = cbxAgente_->currentIndex() >= 0 ? cbxAgente_->currentData() : QVariant();
  cbxAgente_->clear();
  const TAgente& a = objetos_.Agente();
  for (int i = 0; i < a.Lista_Nombres().size(); ++i)
    cbxAgente_->addItem(a.Lista_Nombres()[i], a.Lista_Ids()[i].toDouble());
  cbxAgente_->setCurrentIndex(elegido.isValid() ? cbxAgente_->findData(elegido) : -1);
}

void TPaginaFicha::Cargar_Tipos() {
  const auto carga = reglas_.Cargando();
  objetos_.Tipos().Cargar_Tipos();
  for (TOjo& o : ojos_) o.tipo->setCurrentIndex(-1);
  Rellenar_Tipos();
}

void TPaginaFicha::Rellenar_Tipos() {
  const auto carga = reglas_.Cargando();
  const TTLentilla& tipos = objetos_.Tipos();
  for (TOjo& o : ojos_) {
    const QVariant elegido = o.tipo->currentIndex() >= 0 ? o.tipo->currentData() : QVariant();
    o.tipo->clear();
    for (int i = 0; i < tipos.Descripciones.size(); ++i) {
      o.tipo->addItem(tipos.Descripciones[i], tipos.Claves[i].toDouble());
      o.tipo->setItemData(i, tipos.Dias.value(i), kRolDiasTipo);
    }
    o.tipo->setCurrentIndex(elegido.isValid() ? o.tipo->findData(elegido) : -1);
  }
}

void TPaginaFicha::Limpiar() {
  const auto carga = reglas_.Cargando();
  for (QLineEdit* e : findChildren<QLineEdit*>())
    if (e != edtFicha_ && !qobject_cast<QComboBox*>(e->parentWidget())) e->clear();
  for (QComboBox* c : {cbxDoctor_, cbxPropiaAjena_, cbxAgente_, ojos_[0].tipo, ojos_[1].tipo}) c->setCurrentIndex(-1);
  const THostContext* ctx = Ctx();
  const double hoy = ctx->puesto->fechaTrabajo;
  for (TEditFecha* f : {dtmFecha_, dtmFechaLimpieza_, dtmFechaCaducidad_}) f->Fijar_Fecha(hoy);
  // No lenses yet: nothing runs out until the lines say when.
  dtmFechaReposicion_->Fijar_Fecha(0);
  reposicionPropuesta_ = true;
  const int revision = ctx->empresa->mesesRevision, garantia = ctx->empresa->mesesGarantia;
  dtmFechaRevision_->Fijar_Fecha(revision != 0 ? TLentilla::Sumar_Meses(hoy, revision) : 0);
  for (TOjo& o : ojos_) {
    o.garantia->Fijar_Fecha(garantia != 0 ? TLentilla::Sumar_Meses(hoy, garantia) : 0);
    o.caja->Fijar_Fecha(0);
  }
}

void TPaginaFicha::Limpiar_Graduacion() { Limpiar_Filas(false); }

void TPaginaFicha::Limpiar_Medidas() { Limpiar_Filas(true); }

void TPaginaFicha::Limpiar_Filas(bool medidas) {
  const auto carga = reglas_.Cargando();
  for (int i = 0; i < kNumFilasGraduacion; ++i)
    if (kFilasGraduacion[i].medida == medidas)
      for (TOjo& o : ojos_) o.campos[i]->clear();
}

// ---- Showing and collecting ----------------------------------------------------------------

void TPaginaFicha::Mostrar_Campos(const TLentilla& l, bool medidas) {
  for (int i = 0; i < kNumFilasGraduacion; ++i)
    if (kFilasGraduacion[i].medida == medidas)
      for (int o = 0; o < 2; ++o) Poner(ojos_[o].campos[i], Texto_Graduacion(kFilasGraduacion[i], l.Ojo(o)));
}

void TPaginaFicha::Mostrar_Medidas(TLentilla& l) {
  const auto carga = reglas_.Cargando();
  Mostrar_Campos(l, true);
}

void TPaginaFicha::Mostrar_Partes(TLentilla& l, bool graduacion, bool lentes, bool resto) {
  const auto carga = reglas_.Cargando();
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
    Mostrar_Campos(l, true);
  }
  if (graduacion) Mostrar_Campos(l, false);
  if (lentes) {
    Poner(edtLiquido_, l.LIQUIDOS());
    Mostrar_Lentes(l.ID_MLENTILLA());
  }
  if (resto || lentes) {
    // A stored date that is the lenses' own run-out day (or none, or the
    // record's own day, as older records have it) follows the lenses; any
    // other was set by the user.
    const double reposicion = std::floor(dtmFechaReposicion_->Fecha());
    reposicionPropuesta_ =
        reposicion <= 0 || reposicion <= std::floor(dtmFecha_->Fecha()) || reposicion == Fin_Lentes();
  }
}

void TPaginaFicha::Mostrar_Lentes(double idFicha) {
  // What each eye shows, gathered first so that every control is set once.
  struct {
    int tipo = -1;
    QString articulo, importe, lote, unidades;
    double garantia = 0, caja = 0;
  } vista[2];
  const THostContext* ctx = Ctx();
  TDLentilla linea(ctx->aplicacion, ctx->conexionSecundaria, ctx->conexionPrincipal);
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
    } else if (!linea.DESCRIPCION().isEmpty()) {
      // A lens named only by its description (a trial lens typed by hand on a
      // fitting test): shown by it, and saved again as it is.
      vista[o].articulo = linea.DESCRIPCION();
      articulosOjo_[o] = TArticuloOjo{-1, QStringLiteral("0"), linea.DESCRIPCION(), linea.MODELO(), linea.COLOR(),
                                      linea.RADIO_1(), linea.RADIO_2(), linea.DIAMETRO()};
    }
    vista[o].importe = importes::Texto(linea.IMPORTE(), ctx->moneda);
    vista[o].lote = linea.LOTE();
    vista[o].unidades = linea.UNIDADES() > 0 ? QString::number(linea.UNIDADES()) : QString();
    vista[o].garantia = linea.FECHA_GARANTIA();
    vista[o].caja = linea.CADUCIDAD_CAJA();
  }
  for (int o = 0; o < 2; ++o) {
    ojos_[o].tipo->setCurrentIndex(vista[o].tipo);
    Poner(ojos_[o].articulo, vista[o].articulo);
    Poner(ojos_[o].importe, vista[o].importe);
    Poner(ojos_[o].lote, vista[o].lote);
    Poner(ojos_[o].unidades, vista[o].unidades);
    ojos_[o].garantia->Fijar_Fecha(vista[o].garantia);
    ojos_[o].caja->Fijar_Fecha(vista[o].caja);
  }
  lineasModificadas_ = false;
}

void TPaginaFicha::Recoger(TLentilla& l) const {
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
  for (int i = 0; i < kNumFilasGraduacion; ++i)
    for (int o = 0; o < 2; ++o) Leer_Graduacion(kFilasGraduacion[i], ojos_[o].campos[i]->text(), l.Ojo(o));
}

std::vector<TLineaLentilla> TPaginaFicha::Lineas() const {
  std::vector<TLineaLentilla> lineas;
  for (int o = 0; o < 2; ++o) {
    const TOjo& ojo = ojos_[o];
    if (ojo.articulo->text().isEmpty() && ojo.tipo->currentIndex() < 0) continue;
    TLineaLentilla l;
    l.ojo = o + 1;
    l.idTipo = ojo.tipo->currentIndex() >= 0 ? ojo.tipo->currentData().toDouble() : -1;
    // A known article gives its reference and description; a text that names
    // no article is kept as both.
    const TArticuloOjo& a = articulosOjo_[o];
    l.referencia = a.referencia.isEmpty() ? ojo.articulo->text() : a.referencia;
    l.descripcion = a.descripcion.isEmpty() ? ojo.articulo->text() : a.descripcion;
    l.modelo = a.modelo;
    l.radio1 = a.radio1;
    l.radio2 = a.radio2;
    l.diametro = a.diametro;
    l.color = a.color;
    l.fechaGarantia = ojo.garantia->Vacia() ? 0 : ojo.garantia->Fecha();
    l.importe = importes::Leer(ojo.importe->text());
    l.lote = ojo.lote->text();
    l.unidades = ojo.unidades->text().toInt();
    l.caducidadCaja = ojo.caja->Vacia() ? 0 : ojo.caja->Fecha();
    lineas.push_back(l);
  }
  return lineas;
}

bool TPaginaFicha::Comprobar_Fechas() const {
  const struct {
    TEditFecha* fecha;
    const char* mensaje;
  } fechas[] = {
      {dtmFechaRevision_, "La Fecha de Revisión no es Válida"},
      {dtmFecha_, "La Fecha no es Válida"},
      {ojos_[0].garantia, "La Fecha de Garantia de la Lente Derecha no es Válida"},
      {ojos_[1].garantia, "La Fecha de Garantia de la Lente Izquierda no es Válida"},
      {ojos_[0].caja, "La Fecha de Caducidad de la Caja de la Lente Derecha no es Válida"},
      {ojos_[1].caja, "La Fecha de Caducidad de la Caja de la Lente Izquierda no es Válida"},
      {dtmFechaLimpieza_, "La Fecha de Limpieza no es Válida"},
      {dtmFechaCaducidad_, "La Fecha de Caducidad no es Válida"},
      {dtmFechaReposicion_, "La Fecha de Reposición no es Válida"},
  };
  for (const auto& f : fechas)
    if (!f.fecha->Valida()) {
      Ctx()->aplicacion->MessageBox(QString::fromUtf8(f.mensaje), kAviso, mb::OK | mb::ICONSTOP);
      return false;
    }
  return true;
}

bool TPaginaFicha::Comprobar_Lineas() const {
  for (int o = 0; o < 2; ++o) {
    const QString texto = ojos_[o].articulo->text();
    if (!articulosOjo_[o].referencia.isEmpty() || texto.size() <= kLongitudReferencia) continue;
    Ctx()->aplicacion->MessageBox(
        QStringLiteral("El artículo del ojo %1 («%2») no está en el catálogo y es demasiado largo para guardarlo como "
                       "referencia (%3 caracteres como máximo). Búsquelo de nuevo o acórtelo antes de grabar.")
            .arg(o == 0 ? QStringLiteral("derecho") : QStringLiteral("izquierdo"), texto)
            .arg(kLongitudReferencia),
        kAviso, mb::OK | mb::ICONWARNING);
    return false;
  }
  return true;
}

QString TPaginaFicha::Texto_Numero() const { return edtFicha_->text(); }

void TPaginaFicha::Fijar_Numero(int numero) {
  const auto carga = reglas_.Cargando();
  edtFicha_->setText(QString::number(numero));
}

double TPaginaFicha::Fecha_Revision() const { return dtmFechaRevision_->Fecha(); }
bool TPaginaFicha::Sin_Fecha_Revision() const { return dtmFechaRevision_->Vacia(); }

void TPaginaFicha::Enfocar() { dtmFecha_->setFocus(); }

void TPaginaFicha::Rellenar_Documento(TLentilla& l, TFichaDocumento& d) const {
  const auto fecha = [](double f) {
    return std::lround(f) == 0 ? QString() : fechas::Fecha_A_Texto(f);  // the zero date is no date
  };
  const double clave = l.ID_MLENTILLA();
  d.conClave = clave != -1 && clave != 0;
  if (!d.conClave) return;
  d.numero = QString::number(l.NUMERO_FICHA());
  d.fecha = fecha(l.FECHA());
  d.revision = fecha(l.FECHA_REVISION());
  d.limpieza = fecha(l.FECHA_LIMPIEZA());
  d.caducidad = fecha(l.FECHA_CADUCIDAD());
  d.reposicion = fecha(l.FECHA_REPOSICION());
  d.doctor = cbxDoctor_->currentText();
  d.colegiado = l.Doctor().COLEGIADO();
  d.propiaAjena = cbxPropiaAjena_->currentText();
  d.agente = cbxAgente_->currentText();
  d.liquidos = edtLiquido_->text();
  for (int o = 0; o < 2; ++o) {
    const TGraduacionOjo& g = l.Ojo(o);
    TFichaDocumento::TOjo& e = d.ojos[o];
    e.abertura = TLentilla::Valor_A_Texto(g.abertura);
    e.pupila = TLentilla::Valor_A_Texto(g.pupilar);
    e.iris = TLentilla::Valor_A_Texto(g.iris);
    e.radio1 = g.radio1;
    e.radio2 = g.radio2;
    e.esfera = TLentilla::Valor_A_Texto_Con_Signo(g.esfera);
    e.cilindro = TLentilla::Valor_A_Texto_Con_Signo(g.cilindro);
    e.eje = TLentilla::Eje_A_Texto(g.eje);
    e.diametro = TLentilla::Valor_A_Texto(g.diametro);
    e.zonaOptica = TLentilla::Valor_A_Texto(g.zona);
    e.adicion = TLentilla::Valor_A_Texto(g.adicion);
    e.queratometria = g.queratometria;
    e.agudeza = TLentilla::Valor_A_Texto(g.agudeza);
  }
  d.observaciones = l.Observaciones().join(QLatin1Char('\n'));
  receta_qr::TReceta receta;
  receta.paciente = d.apellidos + QStringLiteral(", ") + d.nombre;
  receta.prescriptor = d.doctor;
  receta.colegiado = d.colegiado;
  const auto dia = [](double f) { return std::lround(f) == 0 ? QDate() : fechas::A_QDate(f); };
  receta.fecha = dia(l.FECHA());
  receta.revision = dia(l.FECHA_REVISION());
  receta.caducidad = dia(l.FECHA_CADUCIDAD());
  for (int o = 0; o < 2; ++o) receta.ojos[o] = l.Ojo(o);
  const THostContext* ctx = Ctx();
  TDLentilla linea(ctx->aplicacion, ctx->conexionSecundaria, ctx->conexionPrincipal);
  linea.ID_MLENTILLA(clave);
  linea.Cargar_Lista_Lineas();
  for (const QString& k : linea.Lista_Lineas()) {
    linea.ID_DLENTILLA(k.toDouble());
    if (linea.Buscar() != 0) continue;
    const int o = linea.OJO() == 1 ? 0 : 1;
    TLineaLenteDocumento lente;
    lente.ojo = linea.OJO();
    lente.tipo = ojos_[o].tipo->currentText();
    lente.referencia = linea.REFERENCIA();
    lente.descripcion = linea.DESCRIPCION();
    lente.modelo = linea.MODELO();
    lente.radio1 = linea.RADIO_1();
    lente.radio2 = linea.RADIO_2();
    lente.diametro = TLentilla::Valor_A_Texto(linea.DIAMETRO());
    lente.color = linea.COLOR();
    lente.lote = linea.LOTE();
    if (ctx->moneda) {
      lente.precioM1 = locale_es::Formatear(linea.IMPORTE(), ctx->moneda->Mascara_M1());
      lente.precioM2 = locale_es::Formatear(linea.IMPORTE_M2(), ctx->moneda->Mascara_M2());
    } else {
      lente.precioM1 = importes::Texto(linea.IMPORTE());
    }
    lente.garantia = fecha(linea.FECHA_GARANTIA());
    lente.gs1 = Datos_Caja(linea.REFERENCIA(), linea.LOTE(), linea.CADUCIDAD_CAJA());
    d.lentes << lente;
    receta.lentes[o] = {lente.referencia, lente.descripcion, lente.tipo, lente.lote};
  }
  d.receta = receta_qr::Texto(receta);
}

QString TPaginaFicha::Datos_Caja(const QString& referencia, const QString& lote, double caducidad) const {
  // The box's code needs the article's GTIN; a lot typed by hand that a GS1
  // code cannot hold leaves the box without one rather than print it wrong.
  TArticulo& a = objetos_.Articulo();
  a.REFERENCIA(referencia);
  if (referencia == QLatin1String("0") || a.Buscar_Por_Referencia(TArticulo::kSoloCampos) != 0) return {};
  gs1::TCaja caja;
  caja.gtin = gs1::Gtin14(a.CODIGO_BARRAS());
  caja.lote = lote;
  if (caducidad > 0) caja.caducidad = fechas::A_QDate(caducidad);
  if (caja.gtin.isEmpty() || !gs1::Leer(gs1::Cadena_Elementos(caja), QChar(), caja.caducidad).Valida()) return {};
  return gs1::Cadena_Corchetes(caja);
}
