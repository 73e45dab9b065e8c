#include "Frm_formato_defecto.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Dm_lentilla.h"
#include "Frm_buscar_formatos.h"

QString TfrmFormatoDefecto::Titulo_Tipo(int tipo) {
  switch (tipo) {
    case 15: return QStringLiteral("Receta Graduación");
    case 16: return QStringLiteral("Receta Lentilla");
    case 17: return QStringLiteral("Receta Audfiono");
    case 24: return QStringLiteral("Garantía Graduación");
    case 25: return QStringLiteral("Garantía Lentilla");
    case 26: return QStringLiteral("Garantía Audfiono");
    case 28: return QStringLiteral("Ficha Paciente");
    case 29: return QStringLiteral("Ficha Graduación");
    case 30: return QStringLiteral("Ficha Lentilla");
    case 31: return QStringLiteral("Ficha Audfiono");
    default: return {};
  }
}

TfrmFormatoDefecto::TfrmFormatoDefecto(TAplicacion* owner) : TDialogo(owner ? owner->ventanaPrincipal : nullptr) {
  setObjectName(QStringLiteral("frmFormatoDefecto"));
  setWindowTitle(QStringLiteral("Seleccione el formato por defecto"));
  auto* v = new QVBoxLayout(this);
  auto* cabecera = new QLabel(QStringLiteral("<b>Formato por Defecto</b><br>En esta pantalla se le muestra el formato "
                                             "por defecto para la impresión. Si desea imprimir con otro formato "
                                             "distinto al mostrado,pinche en la lupa o pulse F4 para modificarlo"),
                              this);
  cabecera->setWordWrap(true);
  v->addWidget(cabecera);
  auto* f = new QFormLayout;
  cbxTipoFormato_ = new QComboBox(this);
  cbxTipoFormato_->setObjectName(QStringLiteral("cbxTipoFormato"));
  edtFormatoDefecto_ = new QLineEdit(this);
  edtFormatoDefecto_->setObjectName(QStringLiteral("edtFormatoDefecto"));
  QAction* lupa = edtFormatoDefecto_->addAction(TdmLentilla::Imagen(QStringLiteral("buscar")), QLineEdit::TrailingPosition);
  lupa->setObjectName(QStringLiteral("actBuscarFormato"));
  lupa->setToolTip(QStringLiteral("Buscar otro formato (F4)"));
  edtNCopias_ = new QSpinBox(this);
  edtNCopias_->setObjectName(QStringLiteral("edtNCopias"));
  edtNCopias_->setRange(1, 99);
  f->addRow(QStringLiteral("Tipo de Formato:"), cbxTipoFormato_);
  f->addRow(QStringLiteral("Formato Por Defecto:"), edtFormatoDefecto_);
  f->addRow(QStringLiteral("Nº de Copias:"), edtNCopias_);
  v->addLayout(f);
  auto* botones = new QHBoxLayout;
  botones->addStretch(1);
  tbnCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
  tbnCancelar_->setObjectName(QStringLiteral("tbnCancelar"));
  tbnAceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
  tbnAceptar_->setObjectName(QStringLiteral("tbnAceptar"));
  for (QPushButton* b : {tbnCancelar_, tbnAceptar_}) b->setAutoDefault(false);
  botones->addWidget(tbnCancelar_);
  botones->addWidget(tbnAceptar_);
  v->addLayout(botones);
  Al_Pulsar(tbnAceptar_, [this] { tbnAceptarClick(); });
  Al_Pulsar(tbnCancelar_, [this] { tbnCancelarClick(); });
  const QString buscar = QStringLiteral("edtFormatoDefecto -> OnButtonClick");
  Al_Emitir(lupa, &QAction::triggered, buscar, [this] { edtFormatoDefectoButtonClick(); });
  Tecla(Qt::Key_F4, buscar, [this] { edtFormatoDefectoButtonClick(); });
  Tecla(Qt::Key_F5, tbnAceptar_);
  Tecla(Qt::Key_F7, tbnCancelar_);
  Tecla(Qt::Key_F12, tbnCancelar_);
  resize(440, 220);
}

void TfrmFormatoDefecto::Inicializar() {
  cbxTipoFormato_->clear();
  cbxTipoFormato_->addItem(Titulo_Tipo(tipo_));
  cbxTipoFormato_->setEnabled(false);
  edtFormatoDefecto_->setText(formato_);
  edtNCopias_->setValue(static_cast<int>(copias_));
}

void TfrmFormatoDefecto::edtFormatoDefectoButtonClick() {
  TfrmBuscarFormatos buscar(ctx_ ? ctx_->aplicacion : nullptr);
  buscar.Fijar_Contexto(ctx_);
  buscar.Tipo_Documento(tipo_);
  if (buscar.exec() == QDialog::Accepted) edtFormatoDefecto_->setText(buscar.Formato());
}

void TfrmFormatoDefecto::tbnAceptarClick() {
  if (edtFormatoDefecto_->text().isEmpty()) {
    if (ctx_ && ctx_->aplicacion)
      ctx_->aplicacion->MessageBox(QStringLiteral("Debe Indicar un formato válido"), QStringLiteral("ERROR"),
                                   mb::OK | mb::ICONSTOP);
    return;
  }
  formato_ = edtFormatoDefecto_->text();
  copias_ = edtNCopias_->value();
  accept();
}

void TfrmFormatoDefecto::tbnCancelarClick() {
  formato_.clear();
  copias_ = 1;
  QDialog::reject();
}

void TfrmFormatoDefecto::reject() { tbnCancelar_->click(); }
