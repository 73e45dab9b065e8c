#include "Frm_crear_doctor.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Clase_tdoctor.h"

TfrmCrearDoctor::TfrmCrearDoctor(QWidget* parent) : TDialogo(parent, kMarcoDialogo) {
  setObjectName(QStringLiteral("frmCrearDoctor"));
  setWindowTitle(QStringLiteral("Creación rápida de doctores"));
  Crear_Controles();
}

TfrmCrearDoctor::~TfrmCrearDoctor() = default;

void TfrmCrearDoctor::Crear_Controles() {
  auto* principal = new QVBoxLayout(this);
  auto* campos = new QFormLayout;
  principal->addLayout(campos);

  edtCodigo_ = new QSpinBox(this);
  edtCodigo_->setObjectName(QStringLiteral("edtCodigo"));
  edtCodigo_->setRange(1, 99999);
  edtCodigo_->setButtonSymbols(QAbstractSpinBox::NoButtons);
  edtCodigo_->setValue(1);
  edtCodigo_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  campos->addRow(QStringLiteral("Código:"), edtCodigo_);

  edtNombre_ = new QLineEdit(this);
  edtNombre_->setObjectName(QStringLiteral("edtNombre"));
  edtNombre_->setMaxLength(kLargoNombre);
  edtNombre_->setMinimumWidth(Ancho_Caracteres(edtNombre_, 30));  // a usual name, not the longest
  campos->addRow(QStringLiteral("Nombre:"), edtNombre_);

  edtApellidos_ = new QLineEdit(this);
  edtApellidos_->setObjectName(QStringLiteral("edtApellidos"));
  edtApellidos_->setMaxLength(kLargoApellidos);
  edtApellidos_->setMinimumWidth(Ancho_Caracteres(edtApellidos_, 30));
  campos->addRow(QStringLiteral("Apellidos:"), edtApellidos_);

  cbxTipoGraduacion_ = new QComboBox(this);
  cbxTipoGraduacion_->setObjectName(QStringLiteral("cbxTipoGraduacion"));
  campos->addRow(QStringLiteral("T. Graduación:"), cbxTipoGraduacion_);

  auto* botones = new QHBoxLayout;
  botones->addStretch(1);
  btnAceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
  btnAceptar_->setObjectName(QStringLiteral("btnAceptar"));
  btnCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
  btnCancelar_->setObjectName(QStringLiteral("btnCancelar"));
  // Enter belongs to the keyboard controller, not to a default button.
  for (QPushButton* b : {btnAceptar_, btnCancelar_}) {
    b->setAutoDefault(false);
    botones->addWidget(b);
  }
  principal->addLayout(botones);
  Reservar_Ancho_Titulo(this, principal);
  Al_Pulsar(btnAceptar_, [this] { btnAceptarClick(); });
  Al_Pulsar(btnCancelar_, [this] { btnCancelarClick(); });
  Tecla(Qt::Key_F5, btnAceptar_);
  Tecla(Qt::Key_F12, btnCancelar_);

  principal->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmCrearDoctor::Preparar() {
  doctor_ = std::make_unique<TDoctor>(ctx_->aplicacion, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
  doctor_->Limpiar();
  edtCodigo_->setValue(doctor_->Siguiente_Codigo());
  edtNombre_->clear();
  edtApellidos_->clear();
  cbxTipoGraduacion_->clear();
  cbxTipoGraduacion_->addItems({QStringLiteral("Propia"), QStringLiteral("Ajena"), QString()});
  cbxTipoGraduacion_->setCurrentIndex(0);

  // Centred on the host's main window, or on the screen.
  const QWidget* ventana = ctx_->aplicacion->ventanaPrincipal;
  adjustSize();
  const QRect zona =
      ventana ? ventana->frameGeometry() : (screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800));
  move(zona.center() - rect().center());
}

void TfrmCrearDoctor::btnAceptarClick() {
  if (edtNombre_->text().isEmpty()) {
    Error(QStringLiteral("Debe introducir un nombre para el paciente"), QStringLiteral("ERROR"));
    edtNombre_->setFocus();
    return;
  }
  // Only an active doctor blocks the code: a deleted doctor's code may be reused.
  doctor_->CODIGO(edtCodigo_->value());
  if (doctor_->Buscar_Por_Codigo(0) == 0) {
    Error(QStringLiteral("El Doctor que está intentando crear ya existe"), QStringLiteral("AVISO"));
    edtCodigo_->setFocus();
    return;
  }

  // A failed attempt with a code in use loaded that doctor: start from a clean
  // object so the new doctor takes none of its address, phones or notes.
  doctor_->Limpiar();
  doctor_->CODIGO(edtCodigo_->value());
  const TLocalidad* localidadTienda = ctx_->empresa ? ctx_->empresa->localidad : nullptr;
  doctor_->NOMBRE(edtNombre_->text());
  doctor_->APELLIDOS(edtApellidos_->text());
  doctor_->Localidad().ID_LOCALIDAD(localidadTienda ? localidadTienda->ID_LOCALIDAD() : -1);
  doctor_->PROPIA_AJENA(cbxTipoGraduacion_->currentIndex());
  if (doctor_->Insertar() != 0) {
    Error(QStringLiteral("Ha ocurrido un error al crear el Registro. Imposible continuar"), QStringLiteral("ERROR"));
    Sin_Resultado();
    done(mrAbort);
    return;
  }
  idDoctor_ = doctor_->ID();
  idLocalidad_ = doctor_->Localidad().ID_LOCALIDAD();
  codigo_ = doctor_->CODIGO();
  nombre_ = doctor_->NOMBRE();
  apellidos_ = doctor_->APELLIDOS();
  tipoGraduacion_ = static_cast<int16_t>(cbxTipoGraduacion_->currentIndex());
  done(mrOk);
}

void TfrmCrearDoctor::btnCancelarClick() {
  Sin_Resultado();
  done(mrCancel);
}

void TfrmCrearDoctor::reject() { btnCancelar_->click(); }

void TfrmCrearDoctor::done(int resultado) {
  doctor_.reset();
  QDialog::done(resultado);
}

void TfrmCrearDoctor::Error(const QString& texto, const QString& titulo) {
  ctx_->aplicacion->MessageBox(texto, titulo, mb::OK | mb::ICONSTOP);
}

void TfrmCrearDoctor::Sin_Resultado() {
  idDoctor_ = idLocalidad_ = -1;
  codigo_ = -1;
  nombre_.clear();
  apellidos_.clear();
}
