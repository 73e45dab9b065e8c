#include "Frm_calculos_adaptacion.h"

#include <algorithm>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "Util_locale.h"

using namespace calculos;

namespace {

const QLatin1String kOjos[2] = {QLatin1String("OD"), QLatin1String("OI")};

QLabel* Etiqueta(const QString& texto, QWidget* padre) { return new QLabel(texto, padre); }

QString Describir_Pasos(const TPasos& p) {
  if (p.grueso == p.fino || p.limite <= 0)
    return QStringLiteral("de %1 en %1").arg(locale_es::Formatear(p.grueso, QStringLiteral("0.00")));
  return QStringLiteral("de %1 en %1 hasta ±%2 y de %3 en %3 después")
      .arg(locale_es::Formatear(p.fino, QStringLiteral("0.00")), locale_es::Formatear(p.limite, QStringLiteral("0.00")),
           locale_es::Formatear(p.grueso, QStringLiteral("0.00")));
}

// "-9,00 -1,50 x 165   (sin redondear: -8,93 -1,56 x 165)"
QString Con_Sin_Redondear(const TGraduacion& redondeado, const TGraduacion& exacto, TFormaCilindro forma) {
  return QStringLiteral("%1   (sin redondear: %2)").arg(Formatear(redondeado), Formatear(En_Forma(exacto, forma)));
}

}  // namespace

TfrmCalculosAdaptacion::TfrmCalculosAdaptacion(const TPruebaOjo& od, const TPruebaOjo& oi, TAplicacion* owner)
    : TDialogo(owner ? owner->ventanaPrincipal : nullptr, kMarcoDialogo) {
  soloAplicacion_.aplicacion = owner;
  Fijar_Contexto(&soloAplicacion_);
  setObjectName(QStringLiteral("frmCalculosAdaptacion"));
  setWindowTitle(QStringLiteral("Cálculos de adaptación"));
  Crear_Controles();
  Poner_Textos(ojos_[0], od);
  Poner_Textos(ojos_[1], oi);
  Poner_Pasos(pasosEsfera_, pasosCilindro_);
}

void TfrmCalculosAdaptacion::Crear_Controles() {
  // The edits of an eye, by group: the name's tail after "edt_OD_", where the
  // eye keeps it and how many characters it takes (those of the test tab).
  const struct {
    const char* cola;
    QLineEdit* TControlesOjo::*miembro;
    int largo;
  } gafa[] = {{"Esf_Gafa", &TControlesOjo::esfGafa, 6},
              {"Cil_Gafa", &TControlesOjo::cilGafa, 6},
              {"Eje_Gafa", &TControlesOjo::ejeGafa, 3}},
    prueba[] = {{"Esf_Lente", &TControlesOjo::esfLente, 6}, {"Cil_Lente", &TControlesOjo::cilLente, 6},
                {"Eje_Lente", &TControlesOjo::ejeLente, 3}, {"Esf_Sobre", &TControlesOjo::esfSobre, 6},
                {"Cil_Sobre", &TControlesOjo::cilSobre, 6}, {"Eje_Sobre", &TControlesOjo::ejeSobre, 3},
                {"Rotacion", &TControlesOjo::rotacion, 2}};

  auto nuevaEdit = [this](const QString& nombre, int largo) {
    auto* e = new QLineEdit(this);
    e->setObjectName(nombre);
    e->setMaxLength(largo);
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(Ancho_Caracteres(e, largo + 1));
    Al_Emitir(e, &QLineEdit::textEdited, nombre + QStringLiteral(" -> OnChange"), [this] { Invalidar(); });
    return e;
  };
  // `invalida`: a choice that changes the results, as a typed figure does.
  auto nuevoCombo = [this](const QString& nombre, const QStringList& items, bool invalida = true) {
    auto* c = new QComboBox(this);
    c->setObjectName(nombre);
    c->addItems(items);
    if (invalida) Al_Emitir(c, &QComboBox::activated, nombre + QStringLiteral(" -> OnChange"), [this] { Invalidar(); });
    return c;
  };

  // Spectacle to contact lens.
  auto* grupoGafa = new QGroupBox(QStringLiteral("Gafa a lentilla (distancia al vértice)"), this);
  auto* rejillaGafa = new QGridLayout(grupoGafa);
  const QStringList cabGafa = {QStringLiteral("Esfera"), QStringLiteral("Cilindro"), QStringLiteral("Eje")};
  for (int i = 0; i < cabGafa.size(); ++i) rejillaGafa->addWidget(Etiqueta(cabGafa[i], this), 0, i + 1);
  for (int ojo = 0; ojo < 2; ++ojo) {
    rejillaGafa->addWidget(Etiqueta(kOjos[ojo], this), ojo + 1, 0);
    int col = 1;
    for (const auto& campo : gafa)
      rejillaGafa->addWidget(ojos_[ojo].*campo.miembro = nuevaEdit(
                                 QStringLiteral("edt_%1_%2").arg(kOjos[ojo], QLatin1String(campo.cola)), campo.largo),
                             ojo + 1, col++);
  }
  edtDistancia_ = nuevaEdit(QStringLiteral("edtDistancia"), 4);
  edtDistancia_->setText(locale_es::Float_A_Texto(kDistanciaVertice));
  rejillaGafa->addWidget(Etiqueta(QStringLiteral("Distancia (mm)"), this), 0, 5);
  rejillaGafa->addWidget(edtDistancia_, 1, 5);
  rejillaGafa->setColumnStretch(6, 1);

  // Trial lens, its rotation and the over-refraction.
  auto* grupoPrueba = new QGroupBox(QStringLiteral("Lente de prueba, rotación y sobrerrefracción"), this);
  auto* rejillaPrueba = new QGridLayout(grupoPrueba);
  const QStringList cabPrueba = {QStringLiteral("Esfera"),      QStringLiteral("Cilindro"), QStringLiteral("Eje"),
                                 QStringLiteral("Sobre esf."),  QStringLiteral("Sobre cil."),
                                 QStringLiteral("Sobre eje"),   QStringLiteral("Rotación (°)"),
                                 QStringLiteral("Sentido")};
  for (int i = 0; i < cabPrueba.size(); ++i) rejillaPrueba->addWidget(Etiqueta(cabPrueba[i], this), 0, i + 1);
  for (int ojo = 0; ojo < 2; ++ojo) {
    TControlesOjo& c = ojos_[ojo];
    rejillaPrueba->addWidget(Etiqueta(kOjos[ojo], this), ojo + 1, 0);
    int col = 1;
    for (const auto& campo : prueba)
      rejillaPrueba->addWidget(c.*campo.miembro = nuevaEdit(
                                   QStringLiteral("edt_%1_%2").arg(kOjos[ojo], QLatin1String(campo.cola)), campo.largo),
                               ojo + 1, col++);
    // As the optician sees the mark turn: to the left adds, to the right subtracts.
    c.sentido = nuevoCombo(QStringLiteral("cbx_%1_Sentido").arg(kOjos[ojo]),
                           {QStringLiteral("A la izquierda"), QStringLiteral("A la derecha")});
    rejillaPrueba->addWidget(c.sentido, ojo + 1, col);
  }
  rejillaPrueba->setColumnStretch(cabPrueba.size() + 1, 1);

  // How the lens is made.
  auto* grupoRedondeo = new QGroupBox(QStringLiteral("Redondeo"), this);
  auto* filaRedondeo = new QHBoxLayout(grupoRedondeo);
  cbxForma_ = nuevoCombo(QStringLiteral("cbxForma"), {QStringLiteral("Cilindro negativo"), QStringLiteral("Cilindro positivo")});
  cbxPasoEje_ = nuevoCombo(QStringLiteral("cbxPasoEje"),
                           {QStringLiteral("Eje de 1° en 1°"), QStringLiteral("Eje de 5° en 5°"),
                            QStringLiteral("Eje de 10° en 10°")});
  lblPasos_ = new QLabel(this);
  lblPasos_->setObjectName(QStringLiteral("lblPasos"));
  filaRedondeo->addWidget(cbxForma_);
  filaRedondeo->addWidget(cbxPasoEje_);
  filaRedondeo->addWidget(lblPasos_, 1);

  // Results of each eye, and which one to apply.
  auto* grupoResultados = new QGroupBox(QStringLiteral("Resultados"), this);
  auto* rejillaResultados = new QGridLayout(grupoResultados);
  const QStringList filas = {QStringLiteral("Gafa a lentilla:"), QStringLiteral("Regla LARS:"),
                             QStringLiteral("Por vectores:"), QStringLiteral("Consejo:"),
                             QStringLiteral("Aplicar:")};
  for (int i = 0; i < filas.size(); ++i) rejillaResultados->addWidget(Etiqueta(filas[i], this), i + 1, 0);
  for (int ojo = 0; ojo < 2; ++ojo) {
    TControlesOjo& c = ojos_[ojo];
    rejillaResultados->addWidget(Etiqueta(kOjos[ojo], this), 0, ojo + 1);
    const struct {
      const char* cola;
      QLabel* TControlesOjo::*miembro;
    } etiquetas[] = {{"Gafa", &TControlesOjo::gafa},
                     {"LARS", &TControlesOjo::lars},
                     {"Vectores", &TControlesOjo::vectores},
                     {"Consejo", &TControlesOjo::consejo}};
    int fila = 1;
    for (const auto& e : etiquetas) {
      auto* l = new QLabel(this);
      l->setObjectName(QStringLiteral("lbl_%1_%2").arg(kOjos[ojo], QLatin1String(e.cola)));
      if (e.miembro == &TControlesOjo::consejo) {
        // Room for the longest advice, so that the dialog does not jump.
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setMinimumHeight(3 * l->fontMetrics().lineSpacing());
      }
      l->setTextInteractionFlags(Qt::TextSelectableByMouse);
      rejillaResultados->addWidget(c.*e.miembro = l, fila++, ojo + 1);
    }
    c.eleccion = nuevoCombo(QStringLiteral("cbx_%1_Resultado").arg(kOjos[ojo]),
                            {QStringLiteral("Gafa a lentilla"), QStringLiteral("Regla LARS"),
                             QStringLiteral("Por vectores")},
                            false);
    rejillaResultados->addWidget(c.eleccion, fila, ojo + 1);
  }
  rejillaResultados->setColumnStretch(1, 1);
  rejillaResultados->setColumnStretch(2, 1);

  lblMensaje_ = new QLabel(this);
  lblMensaje_->setObjectName(QStringLiteral("lblMensaje"));
  lblMensaje_->setWordWrap(true);
  lblMensaje_->setStyleSheet(QStringLiteral("color: #b00000"));

  btnCalcular_ = new QPushButton(QStringLiteral("C&alcular"), this);
  btnCalcular_->setObjectName(QStringLiteral("btnCalcular"));
  btnAplicar_ = new QPushButton(QStringLiteral("A&plicar"), this);
  btnAplicar_->setObjectName(QStringLiteral("btnAplicar"));
  btnCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
  btnCancelar_->setObjectName(QStringLiteral("btnCancelar"));
  for (auto* b : {btnCalcular_, btnAplicar_, btnCancelar_}) b->setAutoDefault(false);
  Al_Pulsar(btnCalcular_, [this] { btnCalcularClick(); });
  Al_Pulsar(btnAplicar_, [this] { btnAplicarClick(); });
  Al_Pulsar(btnCancelar_, [this] { btnCancelarClick(); });

  auto* botones = new QHBoxLayout;
  botones->addWidget(btnCalcular_);
  botones->addStretch(1);
  botones->addWidget(btnAplicar_);
  botones->addWidget(btnCancelar_);
  auto* principal = new QVBoxLayout(this);
  principal->addWidget(grupoGafa);
  principal->addWidget(grupoPrueba);
  principal->addWidget(grupoRedondeo);
  principal->addWidget(grupoResultados);
  principal->addWidget(lblMensaje_);
  principal->addLayout(botones);
  Reservar_Ancho_Titulo(this, principal);
}

void TfrmCalculosAdaptacion::Poner_Textos(TControlesOjo& c, const TPruebaOjo& ojo) {
  const TTextoGraduacion lente = Textos_Graduacion(ojo.esfera, ojo.cilindro, ojo.eje);
  const TTextoGraduacion sobre = Textos_Graduacion(ojo.sobEsfera, ojo.sobCilindro, ojo.sobEje);
  c.esfLente->setText(lente.esfera);
  c.cilLente->setText(lente.cilindro);
  c.ejeLente->setText(lente.eje);
  c.esfSobre->setText(sobre.esfera);
  c.cilSobre->setText(sobre.cilindro);
  c.ejeSobre->setText(sobre.eje);
}

void TfrmCalculosAdaptacion::Poner_Gafa(int ojo, double esfera, double cilindro, int eje) {
  const TTextoGraduacion t = Textos_Graduacion(esfera, cilindro, eje);
  TControlesOjo& c = ojos_[ojo];
  c.esfGafa->setText(t.esfera);
  c.cilGafa->setText(t.cilindro);
  c.ejeGafa->setText(t.eje);
  Invalidar();
}

void TfrmCalculosAdaptacion::Poner_Pasos(const TPasos& esfera, const TPasos& cilindro) {
  pasosEsfera_ = esfera;
  pasosCilindro_ = cilindro;
  lblPasos_->setText(QStringLiteral("Esfera %1; cilindro %2.").arg(Describir_Pasos(esfera), Describir_Pasos(cilindro)));
  Invalidar();
}

void TfrmCalculosAdaptacion::Invalidar() {
  calculado_ = false;
  resultados_ = {};
  for (TControlesOjo& c : ojos_) {
    for (QLabel* l : {c.gafa, c.lars, c.vectores, c.consejo}) l->clear();
    c.eleccion->setEnabled(false);
  }
  btnAplicar_->setEnabled(false);
}

bool TfrmCalculosAdaptacion::Rechazar(const QString& mensaje, QLineEdit* donde) {
  Invalidar();
  lblMensaje_->setText(mensaje);
  if (ctx_ && ctx_->aplicacion) ctx_->aplicacion->MessageBox(mensaje, QStringLiteral("AVISO"), mb::OK | mb::ICONSTOP);
  if (donde) donde->setFocus();
  return false;
}

bool TfrmCalculosAdaptacion::Calcular_Ojo(int ojo, double distancia, const TRedondeo& redondeo, TResultadosOjo& r) {
  TControlesOjo& c = ojos_[ojo];
  const QString ojoTexto = kOjos[ojo];
  QString mensaje;
  TGraduacion gafa, lente, sobre{0, 0, 180};
  double rotacion = 0;

  const int leidaGafa = Leer_Graduacion({c.esfGafa->text(), c.cilGafa->text(), c.ejeGafa->text()},
                                        ojoTexto + QStringLiteral(", gafa"), gafa, mensaje);
  if (leidaGafa == kRechazado) return Rechazar(mensaje, c.esfGafa);
  const int leidaLente = Leer_Graduacion({c.esfLente->text(), c.cilLente->text(), c.ejeLente->text()},
                                         ojoTexto + QStringLiteral(", lente de prueba"), lente, mensaje);
  if (leidaLente == kRechazado) return Rechazar(mensaje, c.esfLente);
  const int leidaSobre = Leer_Graduacion({c.esfSobre->text(), c.cilSobre->text(), c.ejeSobre->text()},
                                         ojoTexto + QStringLiteral(", sobrerrefracción"), sobre, mensaje);
  if (leidaSobre == kRechazado) return Rechazar(mensaje, c.esfSobre);
  if (Leer_Rotacion(c.rotacion->text(), ojoTexto, rotacion, mensaje) == kRechazado)
    return Rechazar(mensaje, c.rotacion);
  if (c.sentido->currentIndex() == 1) rotacion = -rotacion;
  if (leidaLente == kVacio && (leidaSobre == kLeido || rotacion != 0))
    return Rechazar(ojoTexto + QStringLiteral(": la sobrerrefracción y la rotación necesitan la lente de prueba."),
                    c.esfLente);

  if (leidaGafa == kLeido) {
    const TGraduacion exacta = Gafa_A_Lentilla(gafa, distancia);
    r.redondeados[kGafa] = Redondear(exacta, redondeo);
    c.gafa->setText(Con_Sin_Redondear(*r.redondeados[kGafa], exacta, redondeo.forma));
  }
  if (leidaLente == kLeido) {
    const TGraduacion lars = Por_LARS(lente, rotacion, sobre);
    const TGraduacion vectores = Por_Vectores(lente, rotacion, sobre);
    r.redondeados[kLARS] = Redondear(lars, redondeo);
    r.redondeados[kVectores] = Redondear(vectores, redondeo);
    c.lars->setText(Con_Sin_Redondear(*r.redondeados[kLARS], lars, redondeo.forma));
    c.vectores->setText(Con_Sin_Redondear(*r.redondeados[kVectores], vectores, redondeo.forma));
    const TConsejo consejo = Aconsejar(rotacion, leidaSobre == kLeido, sobre, lars, vectores);
    c.consejo->setText(consejo.texto);
    r.propuesto = consejo.fiable == TFiable::Vectores ? kVectores : kLARS;
  }
  return true;
}

int TfrmCalculosAdaptacion::Calcular() {
  Invalidar();
  lblMensaje_->clear();

  TRedondeo redondeo;
  redondeo.esfera = pasosEsfera_;
  redondeo.cilindro = pasosCilindro_;
  static constexpr int kPasosEje[] = {1, 5, 10};  // the items of cbxPasoEje
  redondeo.pasoEje = kPasosEje[cbxPasoEje_->currentIndex()];
  redondeo.forma = cbxForma_->currentIndex() == 1 ? TFormaCilindro::Positivo : TFormaCilindro::Negativo;

  // The distance matters only to a spectacle graduation.
  double distancia = kDistanciaVertice;
  const bool hayGafa = std::any_of(ojos_.begin(), ojos_.end(), [](const TControlesOjo& c) {
    return !(c.esfGafa->text().trimmed() + c.cilGafa->text().trimmed() + c.ejeGafa->text().trimmed()).isEmpty();
  });
  QString mensaje;
  if (hayGafa && Leer_Distancia(edtDistancia_->text(), distancia, mensaje) == kRechazado) {
    Rechazar(mensaje, edtDistancia_);
    return kRechazado;
  }

  std::array<TResultadosOjo, 2> r;
  for (int ojo = 0; ojo < 2; ++ojo)
    if (!Calcular_Ojo(ojo, distancia, redondeo, r[ojo])) return kRechazado;
  const auto vacio = [](const TResultadosOjo& o) {
    return std::none_of(o.redondeados.begin(), o.redondeados.end(), [](const auto& g) { return g.has_value(); });
  };
  if (vacio(r[0]) && vacio(r[1])) {
    Rechazar(QStringLiteral("No hay nada que calcular: escriba la graduación de la gafa o la de la lente de prueba."),
             ojos_[0].esfLente);
    return kRechazado;
  }

  resultados_ = r;
  for (int ojo = 0; ojo < 2; ++ojo) {
    TControlesOjo& c = ojos_[ojo];
    if (vacio(r[ojo])) continue;
    // Offer what was computed; propose the one the advice trusts, or the
    // spectacle's when there is no trial lens.
    if (auto* m = qobject_cast<QStandardItemModel*>(c.eleccion->model()))
      for (int i = 0; i < m->rowCount(); ++i) m->item(i)->setEnabled(r[ojo].redondeados[i].has_value());
    c.eleccion->setCurrentIndex(r[ojo].propuesto);
    c.eleccion->setEnabled(true);
  }
  calculado_ = true;
  btnAplicar_->setEnabled(true);
  return kLeido;
}

std::optional<TGraduacion> TfrmCalculosAdaptacion::Resultado(int ojo) const { return elegidos_[ojo]; }

void TfrmCalculosAdaptacion::btnCalcularClick() { Calcular(); }

void TfrmCalculosAdaptacion::btnAplicarClick() {
  if (!calculado_) return;
  for (int ojo = 0; ojo < 2; ++ojo) elegidos_[ojo] = resultados_[ojo].redondeados[ojos_[ojo].eleccion->currentIndex()];
  accept();
}

void TfrmCalculosAdaptacion::btnCancelarClick() {
  elegidos_ = {};
  QDialog::reject();
}

void TfrmCalculosAdaptacion::reject() { btnCancelar_->click(); }
