#include "Frm_importar_fhir.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "Graduacion.h"
#include "Util_fechas.h"

namespace {

using graduacion::Eje_A_Texto;
using graduacion::Valor_A_Texto;
using graduacion::Valor_A_Texto_Con_Signo;

// One row of the preview: its caption and the text of each eye.
struct TFilaVista {
  const char* campo;
  QString (*texto)(const TServicioFhir::TImportacion&, int ojo);
};

const TFilaVista kFilas[] = {
    {"Esfera", [](const auto& im, int o) { return Valor_A_Texto_Con_Signo(im.ojos[o].esfera); }},
    {"Cilindro", [](const auto& im, int o) { return Valor_A_Texto_Con_Signo(im.ojos[o].cilindro); }},
    {"Eje", [](const auto& im, int o) { return Eje_A_Texto(im.ojos[o].eje); }},
    {"Adición", [](const auto& im, int o) { return Valor_A_Texto(im.ojos[o].adicion); }},
    {"Radio 1", [](const auto& im, int o) { return im.ojos[o].radio1; }},
    {"Diámetro", [](const auto& im, int o) { return Valor_A_Texto(im.ojos[o].diametro); }},
    {"Tipo de lentilla", [](const auto& im, int o) { return im.nombresTipo[o]; }},
    {"Descripción (marca)", [](const auto& im, int o) { return im.ojos[o].descripcionArt; }},
    {"Color", [](const auto& im, int o) { return im.ojos[o].colorArt; }},
};

QLabel* Lista(const QString& titulo, const QStringList& lineas, QWidget* padre, const char* nombre) {
  auto* l = new QLabel(QStringLiteral("<b>%1</b><ul><li>%2</li></ul>")
                           .arg(titulo.toHtmlEscaped(), lineas.join(QLatin1String("\n")).toHtmlEscaped().replace(
                                                            QLatin1String("\n"), QLatin1String("</li><li>"))),
                       padre);
  l->setObjectName(QLatin1String(nombre));
  l->setWordWrap(true);
  l->setTextFormat(Qt::RichText);
  return l;
}

}  // namespace

TfrmImportarFhir::TfrmImportarFhir(QWidget* padre, const TServicioFhir::TImportacion& im, const QString& paciente,
                                   int numero)
    : TDialogo(padre, kMarcoDialogo) {
  setObjectName(QStringLiteral("frmImportarFhir"));
  setWindowTitle(QStringLiteral("Importar una receta FHIR"));
  auto* principal = new QVBoxLayout(this);
  auto* lblTitulo = new QLabel(QStringLiteral("Se creará la prueba nº %1 de %2, del %3, con:")
                                   .arg(numero)
                                   .arg(paciente, fechas::Fecha_A_Texto(im.fecha)),
                               this);
  lblTitulo->setObjectName(QStringLiteral("lblTitulo"));
  lblTitulo->setWordWrap(true);
  principal->addWidget(lblTitulo);

  grdCampos_ = new QTableWidget(static_cast<int>(std::size(kFilas)), 2, this);
  grdCampos_->setObjectName(QStringLiteral("grdCampos"));
  grdCampos_->setHorizontalHeaderLabels({QStringLiteral("OD"), QStringLiteral("OI")});
  grdCampos_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdCampos_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  for (int f = 0; f < static_cast<int>(std::size(kFilas)); ++f) {
    grdCampos_->setVerticalHeaderItem(f, new QTableWidgetItem(QString::fromUtf8(kFilas[f].campo)));
    for (int o = 0; o < 2; ++o) grdCampos_->setItem(f, o, new QTableWidgetItem(kFilas[f].texto(im, o)));
  }
  grdCampos_->setMinimumHeight(grdCampos_->verticalHeader()->length() + grdCampos_->horizontalHeader()->height() + 4);
  principal->addWidget(grdCampos_);
  if (!im.observaciones.isEmpty())
    principal->addWidget(Lista(QStringLiteral("Observaciones:"), im.observaciones, this, "lblObservaciones"));
  if (!im.noGuardado.isEmpty())
    principal->addWidget(
        Lista(QStringLiteral("La prueba no guarda (solo se muestra):"), im.noGuardado, this, "lblNoGuardado"));
  if (!im.lectura.rechazos.isEmpty()) {
    QLabel* rechazos = Lista(QStringLiteral("No se puede importar: la prueba no puede guardar lo siguiente."),
                             im.lectura.rechazos, this, "lblRechazos");
    QPalette rojo = rechazos->palette();
    rojo.setColor(QPalette::WindowText, Qt::darkRed);
    rechazos->setPalette(rojo);
    principal->addWidget(rechazos);
  }

  auto* botones = new QDialogButtonBox(this);
  btnAceptar_ = botones->addButton(QStringLiteral("Crear la prueba"), QDialogButtonBox::AcceptRole);
  btnAceptar_->setObjectName(QStringLiteral("btnAceptar"));
  btnAceptar_->setEnabled(im.Importable());
  QPushButton* cancelar = botones->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
  cancelar->setObjectName(QStringLiteral("btnCancelar"));
  Al_Pulsar(btnAceptar_, [this] { accept(); });
  Al_Pulsar(cancelar, [this] { reject(); });
  principal->addWidget(botones);
  Reservar_Ancho_Titulo(this, principal);
}
