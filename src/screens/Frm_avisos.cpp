#include "Frm_avisos.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "Envio_en_curso.h"
#include "Clase_tavisoreposicion.h"
#include "Clase_tbiblioteca.h"
#include "Clase_tsms.h"
#include "Frm_hoja_retirada.h"
#include "Frm_lentilla.h"
#include "Frm_sms.h"
#include "Util_fechas.h"

// The rows of a list as the grid shows them: texts under captions.
class TModeloAvisos : public QAbstractTableModel {
 public:
  TModeloAvisos(QStringList cabeceras, QObject* padre) : QAbstractTableModel(padre), cabeceras_(std::move(cabeceras)) {}
  void Poner(QList<QStringList> filas) {
    beginResetModel();
    filas_ = std::move(filas);
    endResetModel();
  }
  int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : static_cast<int>(filas_.size()); }
  int columnCount(const QModelIndex& p = {}) const override {
    return p.isValid() ? 0 : static_cast<int>(cabeceras_.size());
  }
  QVariant data(const QModelIndex& i, int rol) const override {
    if (rol != Qt::DisplayRole || !i.isValid()) return {};
    return filas_[i.row()].value(i.column());
  }
  QVariant headerData(int seccion, Qt::Orientation o, int rol) const override {
    if (rol != Qt::DisplayRole || o != Qt::Horizontal) return QAbstractTableModel::headerData(seccion, o, rol);
    return cabeceras_.value(seccion);
  }

 private:
  QStringList cabeceras_;
  QList<QStringList> filas_;
};

namespace {
const QString kTitulo = QStringLiteral("Avisos");

QPushButton* Boton(const char* nombre, const QString& texto, QWidget* padre) {
  auto* b = new QPushButton(texto, padre);
  b->setObjectName(QString::fromLatin1(nombre));
  b->setAutoDefault(false);
  return b;
}

QTableView* Rejilla(const char* nombre, TModeloAvisos* modelo, QWidget* padre) {
  auto* g = new QTableView(padre);
  g->setObjectName(QString::fromLatin1(nombre));
  g->setModel(modelo);
  g->setSelectionBehavior(QAbstractItemView::SelectRows);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->verticalHeader()->hide();
  g->horizontalHeader()->setStretchLastSection(true);
  return g;
}
}  // namespace

QString TfrmAvisos::Texto_Retirada(const QString& lote) {
  // Letters of the GSM alphabet only: one SMS, whatever lot it names.
  return QStringLiteral("El fabricante ha retirado el lote %1 de sus lentillas. Pase por nuestra tienda y se las "
                        "cambiaremos.")
      .arg(lote);
}

TfrmAvisos::TfrmAvisos(THostContext* ctx, QWidget* parent) : TDialogo(parent) {
  Fijar_Contexto(ctx);
  // Enter in the lot's edit searches, and the focus stays there.
  Enter_Sin_Mover_Foco();
  setObjectName(QStringLiteral("frmAvisos"));
  setWindowTitle(kTitulo);
  retirada_ = std::make_unique<TRetiradaLote>(ctx_->aplicacion, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
  reposicion_ = std::make_unique<TAvisoReposicion>(ctx_->aplicacion, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
  Crear_Controles();
}

TfrmAvisos::~TfrmAvisos() = default;

void TfrmAvisos::Crear_Controles() {
  auto* principal = new QVBoxLayout(this);
  auto* de = new QHBoxLayout;
  de->addWidget(new QLabel(QStringLiteral("Remitente:"), this));
  edtDe_ = new QLineEdit(this);
  edtDe_->setObjectName(QStringLiteral("edtDe"));
  edtDe_->setMaxLength(TfrmSMS::kLargoDe);
  if (ctx_->empresa) edtDe_->setText(ctx_->empresa->nombre.left(TfrmSMS::kLargoDe));
  de->addWidget(edtDe_);
  de->addStretch();
  principal->addLayout(de);

  auto* pcl = new QTabWidget(this);
  pcl->setObjectName(QStringLiteral("pclAvisos"));
  principal->addWidget(pcl);

  // ---- Lot recall
  auto* lote = new QWidget(pcl);
  auto* vl = new QVBoxLayout(lote);
  auto* criterio = new QHBoxLayout;
  const auto edit = [&](const char* nombre, const QString& etiqueta) {
    criterio->addWidget(new QLabel(etiqueta, lote));
    auto* e = new QLineEdit(lote);
    e->setObjectName(QString::fromLatin1(nombre));
    criterio->addWidget(e);
    return e;
  };
  edtLote_ = edit("edtLote", QStringLiteral("Lote:"));
  edtLote_->setMaxLength(50);
  chxParte_ = new QCheckBox(QStringLiteral("Parte del lote"), lote);
  chxParte_->setObjectName(QStringLiteral("chxParte"));
  criterio->addWidget(chxParte_);
  edtReferencia_ = edit("edtReferencia", QStringLiteral("Artículo:"));
  edtReferencia_->setMaxLength(30);
  const auto fecha = [&](const char* chx, const char* edt, const QString& texto, QCheckBox*& c, QDateEdit*& d) {
    c = new QCheckBox(texto, lote);
    c->setObjectName(QString::fromLatin1(chx));
    d = new QDateEdit(fechas::A_QDate(ctx_->puesto ? ctx_->puesto->fechaTrabajo : fechas::Hoy()), lote);
    d->setObjectName(QString::fromLatin1(edt));
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    d->setEnabled(false);
    connect(c, &QCheckBox::toggled, d, &QWidget::setEnabled);
    criterio->addWidget(c);
    criterio->addWidget(d);
  };
  fecha("chxDesde", "edtDesde", QStringLiteral("Desde"), chxDesde_, edtDesde_);
  fecha("chxHasta", "edtHasta", QStringLiteral("Hasta"), chxHasta_, edtHasta_);
  auto* buscarLote = Boton("btnBuscarLote", QStringLiteral("Buscar"), lote);
  criterio->addWidget(buscarLote);
  vl->addLayout(criterio);
  modeloRetirada_ = new TModeloAvisos(
      {QStringLiteral("Paciente"), QStringLiteral("Teléfono"), QStringLiteral("Origen"), QStringLiteral("Número"),
       QStringLiteral("Fecha"), QStringLiteral("Ojo"), QStringLiteral("Artículo"), QStringLiteral("Lote")},
      this);
  grdRetirada_ = Rejilla("grdRetirada", modeloRetirada_, lote);
  vl->addWidget(grdRetirada_);
  memMensajeLote_ = new QPlainTextEdit(lote);
  memMensajeLote_->setObjectName(QStringLiteral("memMensajeLote"));
  memMensajeLote_->setMaximumHeight(60);
  vl->addWidget(memMensajeLote_);
  auto* accionesLote = new QHBoxLayout;
  auto* imprimir = Boton("btnImprimirLote", QStringLiteral("Imprimir"), lote);
  auto* exportar = Boton("btnExportarLote", QStringLiteral("Exportar CSV"), lote);
  auto* smsLote = Boton("btnSMSLote", QStringLiteral("Enviar SMS a todos"), lote);
  accionesLote->addWidget(imprimir);
  accionesLote->addWidget(exportar);
  accionesLote->addStretch();
  accionesLote->addWidget(smsLote);
  vl->addLayout(accionesLote);
  pcl->addTab(lote, QStringLiteral("Retirada de lote"));

  // ---- Run-out reminders
  auto* repo = new QWidget(pcl);
  auto* vr = new QVBoxLayout(repo);
  auto* dias = new QHBoxLayout;
  dias->addWidget(new QLabel(QStringLiteral("Se acaban en los próximos"), repo));
  spnDias_ = new QSpinBox(repo);
  spnDias_->setObjectName(QStringLiteral("spnDias"));
  spnDias_->setRange(1, 365);
  spnDias_->setValue(TAvisoReposicion::Dias_Configurados());
  dias->addWidget(spnDias_);
  dias->addWidget(new QLabel(QStringLiteral("días"), repo));
  auto* buscarRepo = Boton("btnBuscarReposicion", QStringLiteral("Buscar"), repo);
  dias->addWidget(buscarRepo);
  dias->addStretch();
  vr->addLayout(dias);
  modeloReposicion_ =
      new TModeloAvisos({QStringLiteral("Paciente"), QStringLiteral("Teléfono"), QStringLiteral("Ficha"),
                         QStringLiteral("Reposición"), QStringLiteral("Artículo"), QStringLiteral("Avisado")},
                        this);
  grdReposicion_ = Rejilla("grdReposicion", modeloReposicion_, repo);
  vr->addWidget(grdReposicion_);
  memMensajeReposicion_ = new QPlainTextEdit(
      // Letters of the GSM alphabet only: each message costs one SMS.
      QStringLiteral("Sus lentillas se acaban pronto. Pase por nuestra tienda para reponerlas."), repo);
  memMensajeReposicion_->setObjectName(QStringLiteral("memMensajeReposicion"));
  memMensajeReposicion_->setMaximumHeight(60);
  vr->addWidget(memMensajeReposicion_);
  auto* avisar = Boton("btnAvisarReposicion", QStringLiteral("Enviar aviso"), repo);
  auto* accionesRepo = new QHBoxLayout;
  accionesRepo->addStretch();
  accionesRepo->addWidget(avisar);
  vr->addLayout(accionesRepo);
  pcl->addTab(repo, QStringLiteral("Reposiciones"));

  auto* cerrar = Boton("btnCerrar", QStringLiteral("Cerrar"), this);
  auto* pie = new QHBoxLayout;
  pie->addStretch();
  pie->addWidget(cerrar);
  principal->addLayout(pie);

  Al_Pulsar(cerrar, [this] { reject(); });
  Al_Pulsar(buscarLote, [this] { btnBuscarLoteClick(); });
  Al_Pulsar(imprimir, [this] { btnImprimirLoteClick(); });
  Al_Pulsar(exportar, [this] { btnExportarLoteClick(); });
  Al_Pulsar(smsLote, [this] { btnSMSLoteClick(); });
  Al_Pulsar(buscarRepo, [this] { btnBuscarReposicionClick(); });
  Al_Pulsar(avisar, [this] { btnAvisarReposicionClick(); });
  connect(edtLote_, &QLineEdit::returnPressed, buscarLote, &QPushButton::click);
  resize(960, 560);
}

st_criterio_lote TfrmAvisos::Criterio() const {
  st_criterio_lote c;
  c.lote = edtLote_->text().trimmed();
  c.parte = chxParte_->isChecked();
  c.referencia = edtReferencia_->text().trimmed();
  if (chxDesde_->isChecked()) c.desde = fechas::Desde_QDate(edtDesde_->date());
  if (chxHasta_->isChecked()) c.hasta = fechas::Desde_QDate(edtHasta_->date());
  return c;
}

TSMS& TfrmAvisos::Sms() {
  if (!sms_) {
    QString ruta = biblioteca_;
    if (ruta.isEmpty()) {
      ruta = Ruta_Modulo(ctx_->puesto, QStringLiteral("semapi.so"));
      if (!QFileInfo::exists(ruta)) ruta = QStringLiteral("semapi.so");
    }
    sms_ = std::make_unique<TSMS>(ctx_->aplicacion, ctx_->conexionSecundaria, ctx_->conexionPrincipal, ruta);
  }
  return *sms_;
}

void TfrmAvisos::btnBuscarLoteClick() {
  const st_criterio_lote c = Criterio();
  if (retirada_->Buscar(c) == TRetiradaLote::kSinLote) {
    ctx_->aplicacion->MessageBox(QStringLiteral("Escriba el lote que busca."), kTitulo, mb::OK | mb::ICONWARNING);
    edtLote_->setFocus();
    return;
  }
  criterioBuscado_ = c;
  QList<QStringList> filas;
  for (const st_retirada_lote& f : retirada_->Filas())
    filas << QStringList{f.paciente,
                         f.telefono,
                         TRetiradaLote::Nombre_Origen(f.origen),
                         QString::number(f.numero),
                         fechas::Fecha_A_Texto(f.fecha),
                         TRetiradaLote::Nombre_Ojo(f.ojo),
                         f.descripcion.isEmpty() ? f.referencia : f.referencia + QStringLiteral(" ") + f.descripcion,
                         f.lote};
  modeloRetirada_->Poner(filas);
  if (filas.isEmpty())
    ctx_->aplicacion->MessageBox(QStringLiteral("Ningún paciente ha recibido ese lote."), kTitulo,
                                 mb::OK | mb::ICONINFORMATION);
  else if (memMensajeLote_->toPlainText().isEmpty())
    memMensajeLote_->setPlainText(Texto_Retirada(c.lote));
}

void TfrmAvisos::btnImprimirLoteClick() {
  if (retirada_->Filas().empty()) return;
  TfrmHojaRetirada hoja(criterioBuscado_, retirada_->Filas());
  hoja.Sacar(QStringLiteral("retirada-lote.pdf"), this, ctx_->aplicacion);
}

void TfrmAvisos::btnExportarLoteClick() {
  if (retirada_->Filas().empty()) return;
  QString ruta = ficheroCsv_;
  if (ruta.isEmpty())
    ruta = QFileDialog::getSaveFileName(this, QStringLiteral("Exportar"), QStringLiteral("retirada-lote.csv"),
                                        QStringLiteral("CSV (*.csv)"));
  if (ruta.isEmpty()) return;
  QFile f(ruta);
  // With its byte-order mark a spreadsheet reads the accents right.
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      f.write(QByteArray("\xEF\xBB\xBF") + TRetiradaLote::Csv(retirada_->Filas()).toUtf8()) < 0 || !f.flush())
    ctx_->aplicacion->MessageBox(QStringLiteral("No se ha podido escribir %1.").arg(ruta), kTitulo,
                                 mb::OK | mb::ICONWARNING);
}

void TfrmAvisos::Informar_Envio(int resultado, const char* boton, const TAvanceEnvio& avance) {
  // Those sent before a request failed are told with the failure.
  const QString antes =
      avance.validos > 0 ? QStringLiteral("\n\nAntes se había enviado a %1 teléfonos.").arg(avance.validos) : QString();
  if (resultado != 0) {
    auto* b = findChild<QPushButton*>(QLatin1String(boton));
    ctx_->aplicacion->MessageBox(TfrmSMS::Texto_Fallo(resultado, QString()) + antes, QStringLiteral("Mensaje"),
                                 mb::OK | mb::ICONSTOP);
    // Perhaps sent, or sent but not logged as sent: it stays pending, and it
    // cannot be sent again from here by mistake.
    if ((resultado == TSMS::kErrorRegistro || TSMS::Incierto(resultado)) && b) b->setEnabled(false);
    return;
  }
  QString texto = QStringLiteral("Mensaje enviado a %1 teléfonos.").arg(avance.validos);
  if (avance.omitidos > 0) texto += QStringLiteral(" %1 sin teléfono móvil se han omitido.").arg(avance.omitidos);
  if (avance.cancelado)
    texto += QStringLiteral(" Envío cancelado: quedan %1 pacientes sin enviar.").arg(avance.total - avance.hechos);
  ctx_->aplicacion->MessageBox(texto, kTitulo, mb::OK | mb::ICONINFORMATION);
}

void TfrmAvisos::done(int resultado) {
  if (enviando_) return;  // the sending in course uses the lists and the request
  TDialogo::done(resultado);
}

void TfrmAvisos::btnSMSLoteClick() {
  if (retirada_->Filas().empty()) return;
  const QString de = edtDe_->text(), texto = TfrmSMS::Texto_Mensaje(memMensajeLote_->toPlainText());
  TAvanceEnvio avance;
  TSMS& sms = Sms();
  enviando_ = true;
  const int r = Enviar_En_Segundo_Plano(this, QStringLiteral("Enviando el mensaje a los pacientes del lote…"), avance,
                                        [&] { return TRetiradaLote::Enviar_SMS(sms, retirada_->Filas(), de, texto, &avance); });
  enviando_ = false;
  Informar_Envio(r, "btnSMSLote", avance);
}

void TfrmAvisos::btnBuscarReposicionClick() {
  const double hoy = ctx_->puesto ? ctx_->puesto->fechaTrabajo : fechas::Hoy();
  reposicion_->Buscar(hoy, spnDias_->value());
  QList<QStringList> filas;
  for (const st_aviso_reposicion& f : reposicion_->Filas())
    filas << QStringList{f.paciente,
                         f.telefono,
                         QString::number(f.numero),
                         fechas::Fecha_A_Texto(f.fechaReposicion),
                         f.articulo,
                         f.avisado > 0 ? fechas::Fecha_A_Texto(f.avisado) : QString()};
  modeloReposicion_->Poner(filas);
}

void TfrmAvisos::btnAvisarReposicionClick() {
  if (reposicion_->Filas().empty()) return;
  const QString de = edtDe_->text(), texto = TfrmSMS::Texto_Mensaje(memMensajeReposicion_->toPlainText());
  TAvanceEnvio avance;
  TSMS& sms = Sms();
  enviando_ = true;
  const int r = Enviar_En_Segundo_Plano(this, QStringLiteral("Enviando el aviso a los pacientes de la lista…"), avance,
                                        [&] { return reposicion_->Enviar(sms, *ctx_, de, texto, &avance); });
  enviando_ = false;
  if (r == TAvisoReposicion::kNadieQueAvisar) {
    ctx_->aplicacion->MessageBox(QStringLiteral("Todos los pacientes de la lista ya tienen su aviso."), kTitulo,
                                 mb::OK | mb::ICONINFORMATION);
    return;
  }
  if (r == TAvisoReposicion::kYaAvisado) {
    ctx_->aplicacion->MessageBox(QStringLiteral("Otro puesto acaba de avisar a alguno de estos pacientes. Se vuelve "
                                                "a buscar: envíe el aviso de nuevo si queda alguien."),
                                 kTitulo, mb::OK | mb::ICONWARNING);
    btnBuscarReposicionClick();
    return;
  }
  if (r == TBase::kErrorEscritura) {
    // The reminders could not be written: the database refused them, and the
    // list, searched again, shows who is still to be reminded.
    ctx_->aplicacion->MessageBox(QStringLiteral("No se han podido anotar los avisos."), kTitulo, mb::OK | mb::ICONSTOP);
    btnBuscarReposicionClick();
    return;
  }
  Informar_Envio(r, "btnAvisarReposicion", avance);
  btnBuscarReposicionClick();
}

void TfrmAvisos::Comprobar_Pendientes() {
  enviando_ = true;
  TfrmSMS::Comprobar_Pendientes(this, ctx_, Sms());
  enviando_ = false;
}

void Abrir_Avisos(THostContext* ctx, QWidget* owner) {
  TfrmAvisos dlg(ctx, owner);
  dlg.Comprobar_Pendientes();
  dlg.exec();
}

void TfrmLentilla::btnAvisosClick() { Abrir_Avisos(ctx_, this); }
