#include "Frm_crear_agente.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <stdexcept>

#include "Clase_tagente.h"
#include "Clase_tlocalidad.h"

namespace {
// A long hint: no tool-tip title, the text for the tool tip and the status bar.
void Ayuda(QWidget* w, const char* texto) {
  w->setToolTip(QString::fromUtf8(texto));
  w->setStatusTip(QString::fromUtf8(texto));
}
}  // namespace

TfrmCrearAgente::TfrmCrearAgente(TAplicacion* owner)
    : TDialogo(owner ? owner->ventanaPrincipal : nullptr, kMarcoDialogo) {
  setObjectName(QStringLiteral("frmCrearAgente"));
  setWindowTitle(QStringLiteral("Creación rápida de agentes"));
  Crear_Controles();
}

TfrmCrearAgente::~TfrmCrearAgente() = default;

void TfrmCrearAgente::Crear_Controles() {
  edtCodigo_ = new QSpinBox(this);
  edtCodigo_->setObjectName(QStringLiteral("edtCodigo"));
  edtCodigo_->setRange(1, 99999);
  edtCodigo_->setValue(1);
  edtCodigo_->setButtonSymbols(QAbstractSpinBox::NoButtons);
  edtCodigo_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

  edtNombre_ = new QLineEdit(this);
  edtNombre_->setObjectName(QStringLiteral("edtNombre"));
  edtNombre_->setMaxLength(kLargoNombre);
  edtNombre_->setMinimumWidth(Ancho_Caracteres(edtNombre_, 30));  // a usual name, not the longest
  edtApellidos_ = new QLineEdit(this);
  edtApellidos_->setObjectName(QStringLiteral("edtApellidos"));
  edtApellidos_->setMaxLength(kLargoApellidos);
  edtApellidos_->setMinimumWidth(Ancho_Caracteres(edtApellidos_, 30));

  cbxTipoComision_ = new QComboBox(this);
  cbxTipoComision_->setObjectName(QStringLiteral("cbxTipoComision"));

  // Shown as ",0.00 %": decimal comma whatever the machine's locale.
  edtPorcComision_ = new QDoubleSpinBox(this);
  edtPorcComision_->setObjectName(QStringLiteral("edtPorcComision"));
  edtPorcComision_->setLocale(QLocale(QLocale::Spanish, QLocale::Spain));
  edtPorcComision_->setRange(0, 100);
  edtPorcComision_->setDecimals(2);
  edtPorcComision_->setSuffix(QStringLiteral(" %"));
  edtPorcComision_->setButtonSymbols(QAbstractSpinBox::NoButtons);
  edtPorcComision_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

  btnAceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
  btnAceptar_->setObjectName(QStringLiteral("btnAceptar"));
  btnCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
  btnCancelar_->setObjectName(QStringLiteral("btnCancelar"));
  // Enter belongs to the keyboard controller, never to a default button.
  btnAceptar_->setAutoDefault(false);
  btnCancelar_->setAutoDefault(false);
  Al_Pulsar(btnAceptar_, [this] { btnAceptarClick(); });
  Al_Pulsar(btnCancelar_, [this] { btnCancelarClick(); });
  Tecla(Qt::Key_F5, btnAceptar_);
  Tecla(Qt::Key_F7, btnCancelar_);

  auto* campos = new QFormLayout;
  campos->addRow(QStringLiteral("Código:"), edtCodigo_);
  campos->addRow(QStringLiteral("Nombre:"), edtNombre_);
  campos->addRow(QStringLiteral("Apellidos:"), edtApellidos_);
  campos->addRow(QStringLiteral("Tipo de comisión:"), cbxTipoComision_);
  campos->addRow(QStringLiteral("% Comisión:"), edtPorcComision_);
  auto* botones = new QHBoxLayout;
  botones->addStretch(1);
  botones->addWidget(btnAceptar_);
  botones->addWidget(btnCancelar_);
  auto* principal = new QVBoxLayout(this);
  principal->addLayout(campos);
  principal->addLayout(botones);
  Reservar_Ancho_Titulo(this, principal);
  principal->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmCrearAgente::Preparar() {
  if (!ctx_ || !ctx_->aplicacion || !ctx_->conexionPrincipal || !ctx_->conexionSecundaria)
    throw std::runtime_error("El contexto del programa no está completo.");
  agente_ = std::make_unique<TAgente>(ctx_->aplicacion, ctx_->conexionSecundaria, ctx_->conexionPrincipal);

  cbxTipoComision_->clear();
  cbxTipoComision_->addItems(
      {QStringLiteral("Comisión Fija"), QStringLiteral("Comisión Variable"), QStringLiteral("Comisión por Familias")});
  cbxTipoComision_->setCurrentIndex(-1);

  Ayuda(edtCodigo_, "Introduzca el código del agente");
  Ayuda(edtApellidos_, "Apellidos del agente");
  Ayuda(edtNombre_, "Nombre del agente");
  Ayuda(cbxTipoComision_, "Tipo de comisión del agente");
  Ayuda(edtPorcComision_, "Porcentaje de comisión del agente");
  Ayuda(btnCancelar_, "Cancelar la creación rápida del registro");
  Ayuda(btnAceptar_, "Crea la familia");

  edtCodigo_->setValue(agente_->Siguiente_Codigo(0));
  // Results until the user decides: those of Cancel.
  Fijar_Resultados(-1, -1, 0, {}, {}, {});
}

void TfrmCrearAgente::btnAceptarClick() {
  if (!agente_) return;  // not prepared, or already ended
  if (edtNombre_->text().isEmpty()) {
    Error(QStringLiteral("Debe introducir un nombre para el agente"), QStringLiteral("ERROR"), edtNombre_);
    return;
  }
  agente_->CODIGO(edtCodigo_->value());
  if (agente_->Buscar_Por_Codigo(0) == 0) {
    Error(QStringLiteral("El código ya esta en uso, cambie el código del registro"), QStringLiteral("AVISO"),
          edtCodigo_);
    return;
  }

  // The lookup may have loaded another agent's data: start from a clean one.
  agente_->Limpiar();
  agente_->CODIGO(edtCodigo_->value());
  agente_->NOMBRE(edtNombre_->text());
  agente_->APELLIDOS(edtApellidos_->text());
  const TLocalidad* tienda = ctx_->empresa ? ctx_->empresa->localidad : nullptr;
  agente_->Localidad().ID_LOCALIDAD(tienda ? tienda->ID_LOCALIDAD() : -1);
  agente_->COMISION_TIPO(cbxTipoComision_->currentIndex());
  agente_->COMISION_PORCENTAJE(edtPorcComision_->value());
  agente_->BORRADO(0);

  if (agente_->Insertar() == TAgente::kErrorBaseDatos) {
    Error(QStringLiteral("Ha ocurrido un error al crear el Registro. Imposible continuar"), QStringLiteral("ERROR"),
          nullptr);
    Fijar_Resultados(-1, 0, -1, {}, {}, {});
    done(mrAbort);
    return;
  }
  Fijar_Resultados(static_cast<int32_t>(agente_->ID()), agente_->COMISION_TIPO(), agente_->COMISION_PORCENTAJE(),
                   agente_->NOMBRE(), agente_->APELLIDOS(), cbxTipoComision_->currentText());
  done(mrOk);
}

void TfrmCrearAgente::btnCancelarClick() {
  Fijar_Resultados(-1, -1, 0, {}, {}, {});
  done(mrCancel);
}

void TfrmCrearAgente::reject() { btnCancelar_->click(); }

void TfrmCrearAgente::done(int resultado) {
  agente_.reset();
  QDialog::done(resultado);
}

void TfrmCrearAgente::Fijar_Resultados(int32_t id, int32_t tipo, double porcentaje, const QString& nombre,
                                       const QString& apellidos, const QString& textoComision) {
  idAgente_ = id;
  comisionTipo_ = tipo;
  comisionPorcentaje_ = porcentaje;
  nombre_ = nombre;
  apellidos_ = apellidos;
  textoComision_ = textoComision;
}

void TfrmCrearAgente::Error(const QString& texto, const QString& titulo, QWidget* foco) {
  ctx_->aplicacion->MessageBox(texto, titulo, mb::OK | mb::ICONSTOP);
  if (foco) foco->setFocus();
}
