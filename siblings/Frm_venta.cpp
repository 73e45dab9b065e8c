#include "Frm_venta.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "Catalogo_hermanos.h"
#include "Clase_tmoneda.h"
#include "Util_locale.h"

namespace {
const char* const kColumnas[] = {"Artículo", "Descripción", "Cant.", "Importe", "Importe 2ª moneda", "% I.V.A.",
                                 "Cuota I.V.A."};
}  // namespace

// ---- Lines ---------------------------------------------------------------------------

int TModeloLineasVenta::rowCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : static_cast<int>(venta_.Lineas().size());
}

int TModeloLineasVenta::columnCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : static_cast<int>(std::size(kColumnas));
}

QVariant TModeloLineasVenta::data(const QModelIndex& indice, int rol) const {
  if (!indice.isValid()) return {};
  if (rol == Qt::TextAlignmentRole && indice.column() >= 2) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (rol != Qt::DisplayRole) return {};
  const TLineaDocumento& l = venta_.Lineas()[indice.row()];
  switch (indice.column()) {
    case 0: return l.referencia;
    case 1: return l.descripcion;
    case 2: return l.cantidad;
    case 3: return TfrmVenta::Texto_M1(l.totalM1);
    case 4:
      return locale_es::Formatear(l.totalM2, moneda_ && !moneda_->Mascara_M2().isEmpty() ? moneda_->Mascara_M2()
                                                                                           : QStringLiteral(",0"));
    case 5: return locale_es::Float_A_Texto(l.porcentajeIva);
    case 6: return TfrmVenta::Texto_M1(l.ivaM1);
  }
  return {};
}

QVariant TModeloLineasVenta::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
  if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole) return {};
  return QString::fromUtf8(kColumnas[seccion]);
}

// ---- The window ----------------------------------------------------------------------

TfrmVenta::TfrmVenta(THostContext* ctx, TVenta::TClase clase, QWidget* padre)
    : QDialog(padre),
      ctx_(ctx),
      venta_(std::make_unique<TVenta>(ctx->aplicacion, ctx->conexionSecundaria, ctx->conexionPrincipal, clase)) {
  const bool venta = clase == TVenta::kVenta;
  setObjectName(venta ? QStringLiteral("frmVenta") : QStringLiteral("frmEncargo"));
  setWindowTitle(venta ? QStringLiteral("Venta directa") : QStringLiteral("Mantenimiento de encargos"));
  auto* principal = new QVBoxLayout(this);
  lblPaciente_ = new QLabel(this);
  lblPaciente_->setObjectName(QStringLiteral("lblPaciente"));
  principal->addWidget(lblPaciente_);

  modelo_ = new TModeloLineasVenta(*venta_, ctx->moneda, this);
  grdLineas_ = new QTableView(this);
  grdLineas_->setObjectName(QStringLiteral("grdLineas"));
  grdLineas_->setModel(modelo_);
  grdLineas_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdLineas_->verticalHeader()->setVisible(false);
  grdLineas_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  principal->addWidget(grdLineas_, 1);

  auto* totales = new QFormLayout;
  const auto etiqueta = [this](const char* nombre) {
    auto* l = new QLabel(this);
    l->setObjectName(QLatin1String(nombre));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
  };
  lblBase_ = etiqueta("lblBase");
  lblIva_ = etiqueta("lblIva");
  lblTotal_ = etiqueta("lblTotal");
  lblTotalM2_ = etiqueta("lblTotalM2");
  totales->addRow(QStringLiteral("Base imponible:"), lblBase_);
  totales->addRow(QStringLiteral("I.V.A.:"), lblIva_);
  totales->addRow(QStringLiteral("Total:"), lblTotal_);
  totales->addRow(QStringLiteral("Total 2ª moneda:"), lblTotalM2_);
  cbxFormaPago_ = new QComboBox(this);
  cbxFormaPago_->setObjectName(QStringLiteral("cbxFormaPago"));
  totales->addRow(QStringLiteral("Forma de pago:"), cbxFormaPago_);
  principal->addLayout(totales);

  auto* botones = new QHBoxLayout;
  botones->addStretch(1);
  auto* btnCobrar = new QPushButton(venta ? QStringLiteral("Cobrar") : QStringLiteral("Encargar"), this);
  btnCobrar->setObjectName(QStringLiteral("btnCobrar"));
  auto* btnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
  btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
  botones->addWidget(btnCobrar);
  botones->addWidget(btnCancelar);
  principal->addLayout(botones);
  connect(btnCobrar, &QPushButton::clicked, this, [this] {
    if (btnCobrarClick()) accept();
  });
  connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
  resize(820, 360);
}

TfrmVenta::~TfrmVenta() = default;

QString TfrmVenta::Texto_M1(double importe) { return locale_es::Formatear(importe, QStringLiteral(",0.00")); }

QString TfrmVenta::Texto_M2(double importe) const {
  // A shop without a second currency has no mask for it: whole units.
  const bool mascara = ctx_->moneda && !ctx_->moneda->Mascara_M2().isEmpty();
  return locale_es::Formatear(importe, mascara ? ctx_->moneda->Mascara_M2() : QStringLiteral(",0"));
}

int TfrmVenta::Preparar() {
  const QString titulo = windowTitle();
  if (const int r = venta_->Preparar(*ctx_); r != 0) {
    ctx_->aplicacion->MessageBox(venta_->Problema(), QStringLiteral("AVISO"), mb::OK | mb::ICONWARNING);
    return r;
  }
  std::vector<TEntradaLista> formas;
  TCatalogoHermanos catalogo(ctx_->aplicacion, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
  if (catalogo.Cargar_Formas_Pago(formas) != 0 || formas.empty()) {
    ctx_->aplicacion->MessageBox(QStringLiteral("No hay formas de pago en la base de datos: dé de alta al menos una "
                                                "antes de %1.")
                                     .arg(venta_->Clase() == TVenta::kVenta ? QStringLiteral("cobrar")
                                                                            : QStringLiteral("encargar")),
                                 QStringLiteral("AVISO"), mb::OK | mb::ICONWARNING);
    return -1;
  }
  for (const TEntradaLista& f : formas) cbxFormaPago_->addItem(f.texto, f.id);
  const TTraspaso& t = ctx_->traspaso;
  const QString nombre = (t.nombre + QLatin1Char(' ') + t.apellidos).trimmed();
  lblPaciente_->setText(QStringLiteral("Paciente: %1 (código %2)")
                            .arg(nombre.isEmpty() ? ctx_->seleccion.textoPaciente : nombre)
                            .arg(t.codigoPaciente));
  modelo_->Actualizar();
  lblBase_->setText(Texto_M1(venta_->Base_M1()));
  lblIva_->setText(Texto_M1(venta_->Iva_M1()));
  lblTotal_->setText(Texto_M1(venta_->Total_M1()));
  lblTotalM2_->setText(Texto_M2(venta_->Total_M2()));
  return 0;
}

bool TfrmVenta::btnCobrarClick() {
  const double forma = cbxFormaPago_->currentIndex() < 0 ? -1 : cbxFormaPago_->currentData().toDouble();
  const int r = venta_->Grabar(*ctx_, forma);
  if (r == 0) return true;
  const bool venta = venta_->Clase() == TVenta::kVenta;
  ctx_->aplicacion->MessageBox(
      r == TVenta::kSinFormaPago
          ? venta_->Problema()
          : (venta ? QStringLiteral("No se ha podido grabar la venta; no se ha guardado nada.\n\n")
                   : QStringLiteral("No se ha podido grabar el encargo; no se ha guardado nada.\n\n")) +
                venta_->Problema(),
      QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
  return false;
}
