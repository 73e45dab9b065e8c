#include "Frm_crear_tipo_lentilla.h"

#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <stdexcept>

#include "Clase_ttlentilla.h"

namespace {
// A hint in two parts: the short one for the tool tip, the long one for the
// status bar.
void Ayuda(QWidget* w, const char* corta, const char* larga) {
  w->setToolTip(QString::fromUtf8(corta));
  w->setStatusTip(QString::fromUtf8(larga));
}
}  // namespace

TfrmCrearTipoLentilla::TfrmCrearTipoLentilla(TAplicacion* owner)
    : TDialogo(owner ? owner->ventanaPrincipal : nullptr, kMarcoDialogo) {
  setObjectName(QStringLiteral("frmCrearTipoLentilla"));
  setWindowTitle(QStringLiteral("Creación rápida de tipos de lentilla"));
  Crear_Controles();
  // The dialog's usual width (wider if its content needs it at the font in
  // use) and the height its content takes there; the user does not resize it.
  const int ancho = qMax(kAnchoHabitual, sizeHint().width());
  setFixedSize(ancho, hasHeightForWidth() ? heightForWidth(ancho) : sizeHint().height());
}

TfrmCrearTipoLentilla::~TfrmCrearTipoLentilla() = default;

void TfrmCrearTipoLentilla::Crear_Controles() {
  // Title panel: image, bold title and what the dialog is for.
  auto* pnlTitulo = new QFrame(this);
  pnlTitulo->setObjectName(QStringLiteral("pnlTitulo"));
  pnlTitulo->setFrameShape(QFrame::StyledPanel);
  pnlTitulo->setAutoFillBackground(true);
  QPalette fondo = pnlTitulo->palette();
  fondo.setColor(QPalette::Window, Qt::white);
  pnlTitulo->setPalette(fondo);

  auto* imgTitulo = new QLabel(pnlTitulo);
  imgTitulo->setObjectName(QStringLiteral("imgTitulo"));
  imgTitulo->setPixmap(style()->standardIcon(QStyle::SP_FileDialogNewFolder).pixmap(48, 48));
  imgTitulo->setAlignment(Qt::AlignTop);

  lblTitulo_ = new QLabel(QStringLiteral("Creación rápida de tipos de lentilla"), pnlTitulo);
  lblTitulo_->setObjectName(QStringLiteral("lblTitulo"));
  QFont negrita = font();
  negrita.setBold(true);
  lblTitulo_->setFont(negrita);

  lblTexto_ = new QLabel(QStringLiteral("Formulario que permite la creación rápida de tipos de lentilla "
                                        "introduciendo los datos mínimos necesarios."),
                         pnlTitulo);
  lblTexto_->setObjectName(QStringLiteral("lblTexto"));
  lblTexto_->setWordWrap(true);

  auto* textos = new QVBoxLayout;
  textos->addWidget(lblTitulo_);
  textos->addWidget(lblTexto_);
  textos->addStretch(1);
  auto* titulo = new QHBoxLayout(pnlTitulo);
  titulo->addWidget(imgTitulo);
  titulo->addLayout(textos, 1);

  // The data.
  edtCodigo_ = new QLineEdit(this);
  edtCodigo_->setObjectName(QStringLiteral("edtCodigo"));
  edtCodigo_->setMaxLength(kLargoCodigo);
  edtCodigo_->setFixedWidth(Ancho_Caracteres(edtCodigo_, 2 * kLargoCodigo));  // room for wide letters
  edtDescripcion_ = new QLineEdit(this);
  edtDescripcion_->setObjectName(QStringLiteral("edtDescripcion"));
  edtDescripcion_->setMaxLength(kLargoDescripcion);
  edtDescripcion_->setMinimumWidth(Ancho_Caracteres(edtDescripcion_, 40));

  // How long one lens is worn: with the units of a record's line it gives the
  // day the lenses run out. Empty for lenses not replaced by a period.
  edtDias_ = new QSpinBox(this);
  edtDias_->setObjectName(QStringLiteral("edtDiasReposicion"));
  edtDias_->setRange(0, kMaxDias);
  edtDias_->setSpecialValueText(QStringLiteral(" "));  // 0: not replaced by a period
  edtDias_->setButtonSymbols(QAbstractSpinBox::NoButtons);
  edtDias_->setAlignment(Qt::AlignRight);
  edtDias_->setFixedWidth(Ancho_Caracteres(edtDias_, 6));
  Ayuda(edtDias_, "Días que dura cada lentilla",
        "Días que se usa cada lentilla de este tipo (1 diaria, 15 quincenal, 30 mensual); vacío si no se repone "
        "por tiempo");

  auto* campos = new QFormLayout;
  campos->addRow(QStringLiteral("Código:"), edtCodigo_);
  campos->addRow(QStringLiteral("Descripción:"), edtDescripcion_);
  campos->addRow(QStringLiteral("Días de reposición:"), edtDias_);

  btnAceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
  btnAceptar_->setObjectName(QStringLiteral("btnAceptar"));
  btnCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
  btnCancelar_->setObjectName(QStringLiteral("btnCancelar"));
  auto* botones = new QHBoxLayout;
  botones->addStretch(1);
  // Enter belongs to the keyboard controller, never to a default button.
  for (QPushButton* b : {btnAceptar_, btnCancelar_}) {
    b->setAutoDefault(false);
    botones->addWidget(b);
  }
  Al_Pulsar(btnAceptar_, [this] { btnAceptarClick(); });
  Al_Pulsar(btnCancelar_, [this] { btnCancelarClick(); });
  Tecla(Qt::Key_F5, btnAceptar_);
  Tecla(Qt::Key_F12, btnCancelar_);

  auto* principal = new QVBoxLayout(this);
  principal->addWidget(pnlTitulo);
  principal->addSpacing(12);
  principal->addLayout(campos);
  principal->addSpacing(12);
  principal->addStretch(1);
  principal->addLayout(botones);
  Reservar_Ancho_Titulo(this, principal);
}

void TfrmCrearTipoLentilla::Preparar() {
  if (!ctx_ || !ctx_->aplicacion || !ctx_->conexionPrincipal || !ctx_->conexionSecundaria)
    throw std::runtime_error("El contexto del programa no está completo.");
  tipo_ = std::make_unique<TTLentilla>(ctx_->aplicacion, ctx_->conexionSecundaria, ctx_->conexionPrincipal);

  Ayuda(btnAceptar_, "Grabar", "Grabar los Cambios");
  Ayuda(btnCancelar_, "Salir", "Salir de la Opción");

  edtCodigo_->clear();
  edtDescripcion_->clear();
  edtDias_->setValue(0);
  // Results until the user decides: those of Cancel.
  Fijar_Resultados(-1, {}, {});

  // Centred on the host's main window, or on the screen.
  const QWidget* ventana = ctx_->aplicacion->ventanaPrincipal;
  const QRect zona = ventana ? ventana->frameGeometry()
                             : (screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800));
  move(zona.center() - rect().center());
}

void TfrmCrearTipoLentilla::btnAceptarClick() {
  if (!tipo_) return;  // not prepared, or already ended
  if (edtCodigo_->text().isEmpty()) {
    Error(QStringLiteral("Debe introducir un código para el tipo de lentilla."), QStringLiteral("ERROR"), edtCodigo_);
    return;
  }
  if (edtDescripcion_->text().isEmpty()) {
    Error(QStringLiteral("Debe introducir una descripción para el Registro"), QStringLiteral("ERROR"),
          edtDescripcion_);
    return;
  }
  // Codes are unique; descriptions may repeat.
  tipo_->CODIGO(edtCodigo_->text());
  if (tipo_->Buscar_Codigo() == 0) {
    Error(QStringLiteral("El Tipo de Lentilla que esta intentado crear ya existe"), QStringLiteral("AVISO"),
          edtCodigo_);
    return;
  }

  // The lookup may have loaded another type's data: code and description are
  // given again, and the key comes from the insert.
  tipo_->CODIGO(edtCodigo_->text());
  tipo_->DESCRIPCION(edtDescripcion_->text());
  tipo_->DIAS_REPOSICION(edtDias_->value());
  if (tipo_->Insertar() != 0) {
    Fijar_Resultados(-1, {}, {});
    Error(QStringLiteral("Ha ocurrido un error al crear el Registro. Imposible continuar"), QStringLiteral("ERROR"),
          nullptr);
    done(mrAbort);
    return;
  }
  Fijar_Resultados(static_cast<int32_t>(tipo_->ID_TLENTILLA()), tipo_->CODIGO(), tipo_->DESCRIPCION());
  done(mrOk);
}

void TfrmCrearTipoLentilla::btnCancelarClick() {
  Fijar_Resultados(-1, {}, {});
  done(mrCancel);
}

void TfrmCrearTipoLentilla::reject() { btnCancelar_->click(); }

void TfrmCrearTipoLentilla::done(int resultado) {
  tipo_.reset();
  QDialog::done(resultado);
}

void TfrmCrearTipoLentilla::Fijar_Resultados(int32_t id, const QString& codigo, const QString& descripcion) {
  idTLentilla_ = id;
  codigo_ = codigo;
  descripcion_ = descripcion;
}

void TfrmCrearTipoLentilla::Error(const QString& texto, const QString& titulo, QWidget* foco) {
  ctx_->aplicacion->MessageBox(texto, titulo, mb::OK | mb::ICONSTOP);
  if (foco) foco->setFocus();
}
