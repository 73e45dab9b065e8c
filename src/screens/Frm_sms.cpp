#include "Frm_sms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>
#include <cmath>

#include "Envio_en_curso.h"
#include "Clase_tbiblioteca.h"
#include "Clase_tsms.h"

namespace {

// The countries the shop can text, in the order the list shows them.
const struct {
  const char* texto;
  int prefijo;
} kPrefijos[] = {
    {"Alemania (+49)", 49},
    {"Andorra (+376)", 376},
    {"Austria (+43)", 43},
    {"Belgica (+32)", 32},
    {"Bosnia (+387)", 387},
    {"Bulgaria (+359)", 359},
    {"Chipre (+357)", 357},
    {"Croacia (+385)", 385},
    {"Dinamarca (+45)", 45},
    {"Eslovaquia (+421)", 421},
    {"Eslovenia (+386)", 386},
    {"España (+34)", 34},
    {"Estonia (+372)", 372},
    {"Finlandia (+358)", 358},
    {"Francia (+33)", 33},
    {"Grecia (+30)", 30},
    {"Hungria (+36)", 36},
    {"Irlanda (+353)", 353},
    {"Islandia (+354)", 354},
    {"Italia (+39)", 39},
    {"Letonia (+371)", 371},
    {"Lituania (+370)", 370},
    {"Luxemburgo (+352)", 352},
    {"Malta (+356)", 356},
    {"Montenegro (+382)", 382},
    {"Noruega (+47)", 47},
    {"Paises Bajos (+31)", 31},
    {"Polonia (+48)", 48},
    {"Portugal (+351)", 351},
    {"Reino Unido (+44)", 44},
    {"Republica Checa (+420)", 420},
    {"Rumania (+40)", 40},
    {"Rusia (+7)", 7},
    {"Serbia / Kosovo (+381)", 381},
    {"Suecia (+46)", 46},
    {"Suiza (+41)", 41},
    {"Turquia (+90)", 90},
    {"Ucrania (+380)", 380},
};

const char* const kEspana = "España (+34)";

}  // namespace

TfrmSMS::TfrmSMS(QWidget* parent) : TDialogo(parent, kMarcoDialogo) {
  setObjectName(QStringLiteral("frmSMS"));
  setWindowTitle(QStringLiteral("Envío de mensaje SMS"));
  Crear_Controles();
}

TfrmSMS::~TfrmSMS() = default;

void TfrmSMS::Crear_Controles() {
  auto* principal = new QVBoxLayout(this);
  auto* titulo = new QLabel(QStringLiteral("Mensaje corto para teléfonos móviles."), this);
  QFont negrita = titulo->font();
  negrita.setBold(true);
  titulo->setFont(negrita);
  principal->addWidget(titulo);
  auto* explicacion = new QLabel(
      QStringLiteral("Introduzca el mensaje que quiere enviar así como el teléfono al cual quiere enviarlo."), this);
  explicacion->setWordWrap(true);
  principal->addWidget(explicacion);

  auto* campos = new QFormLayout;
  principal->addLayout(campos);
  cbxProveedor_ = new QComboBox(this);
  cbxProveedor_->setObjectName(QStringLiteral("cbxProveedor"));
  cbxProveedor_->addItem(QStringLiteral("Mensario"));
  campos->addRow(QStringLiteral("Proveedor"), cbxProveedor_);

  cbxPrefijo_ = new QComboBox(this);
  cbxPrefijo_->setObjectName(QStringLiteral("cbxPrefijo"));
  campos->addRow(QStringLiteral("Prefijo"), cbxPrefijo_);

  edtTelefono_ = new QLineEdit(this);
  edtTelefono_->setObjectName(QStringLiteral("edtTelefono"));
  edtTelefono_->setMaxLength(kLargoTelefono);
  edtTelefono_->setMaximumWidth(Ancho_Caracteres(edtTelefono_, 12));
  campos->addRow(QStringLiteral("Teléfono"), edtTelefono_);

  edtDe_ = new QLineEdit(this);
  edtDe_->setObjectName(QStringLiteral("edtDe"));
  edtDe_->setMaxLength(kLargoDe);
  edtDe_->setMaximumWidth(Ancho_Caracteres(edtDe_, 22));
  campos->addRow(QStringLiteral("De"), edtDe_);

  memMensaje_ = new QPlainTextEdit(this);
  memMensaje_->setObjectName(QStringLiteral("memMensaje"));
  memMensaje_->setTabChangesFocus(true);
  memMensaje_->setMinimumWidth(Ancho_Caracteres(memMensaje_, 40));
  memMensaje_->setFixedHeight(memMensaje_->fontMetrics().lineSpacing() * 5 + 12);
  campos->addRow(QStringLiteral("Mensaje"), memMensaje_);

  txtEspacio_ = new QLabel(this);
  txtEspacio_->setObjectName(QStringLiteral("txtEspacio"));
  campos->addRow(QString(), txtEspacio_);
  txtCoste_ = new QLabel(this);
  txtCoste_->setObjectName(QStringLiteral("txtCoste"));
  txtCoste_->setWordWrap(true);
  campos->addRow(QString(), txtCoste_);

  chxFecha_ = new QCheckBox(QStringLiteral("Enviar el mensaje en un día y hora específico"), this);
  chxFecha_->setObjectName(QStringLiteral("chxFecha"));
  principal->addWidget(chxFecha_);
  edtFecha_ = new QDateTimeEdit(this);
  edtFecha_->setObjectName(QStringLiteral("edtFecha"));
  edtFecha_->setDisplayFormat(QStringLiteral("dd/MM/yyyy HH:mm"));
  edtFecha_->setCalendarPopup(true);
  edtFecha_->setEnabled(false);
  principal->addWidget(edtFecha_);

  auto* botones = new QHBoxLayout;
  botones->addStretch(1);
  btnCancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
  btnCancelar_->setObjectName(QStringLiteral("btnCancelar"));
  btnAceptar_ = new QPushButton(QStringLiteral("Aceptar"), this);
  btnAceptar_->setObjectName(QStringLiteral("btnAceptar"));
  for (QPushButton* b : {btnCancelar_, btnAceptar_}) {
    b->setAutoDefault(false);
    botones->addWidget(b);
  }
  principal->addLayout(botones);
  Reservar_Ancho_Titulo(this, principal);

  Al_Pulsar(btnAceptar_, [this] { btnAceptarClick(); });
  Al_Pulsar(btnCancelar_, [this] { btnCancelarClick(); });
  Al_Emitir(memMensaje_, &QPlainTextEdit::textChanged, QStringLiteral("memMensaje -> OnChange"),
            [this] { memMensajeChange(); });
  Al_Emitir(chxFecha_, &QCheckBox::toggled, QStringLiteral("chxFecha -> OnClick"), [this] { chxFechaClick(); });
}

int TfrmSMS::Longitud(const QString& texto) { return static_cast<int>(texto.size() + texto.count(QLatin1Char('\n'))); }

QString TfrmSMS::Texto_Mensaje(const QString& texto) {
  QString t = texto;
  return t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

void TfrmSMS::Inicializar() {
  QString ruta = biblioteca_;
  if (ruta.isEmpty()) {
    ruta = Ruta_Modulo(ctx_ ? ctx_->puesto : nullptr, QStringLiteral("semapi.so"));
    if (!QFileInfo::exists(ruta)) ruta = QStringLiteral("semapi.so");
  }
  sms_ = std::make_unique<TSMS>(ctx_->aplicacion, ctx_->conexionSecundaria, ctx_->conexionPrincipal, ruta);

  cbxPrefijo_->clear();
  for (const auto& p : kPrefijos) cbxPrefijo_->addItem(QString::fromUtf8(p.texto), p.prefijo);
  cbxPrefijo_->setCurrentIndex(cbxPrefijo_->findText(QString::fromUtf8(kEspana)));
  cbxProveedor_->setCurrentIndex(0);
  edtTelefono_->setText(telefono_);
  edtFecha_->setDateTime(QDateTime::currentDateTime());
  memMensajeChange();
  Comprobar_Pendientes(this, ctx_, *sms_);
}

// The memo takes no more than the gateway's 153: what was just typed or
// pasted (the text before the cursor) is cut to what fits, as an edit with a
// maximum length does.
void TfrmSMS::memMensajeChange() {
  QString texto = memMensaje_->toPlainText();
  if (Longitud(texto) > kLargoMensaje) {
    int posicion = memMensaje_->textCursor().position();
    while (Longitud(texto) > kLargoMensaje && posicion > 0) texto.remove(--posicion, 1);
    const QSignalBlocker bloqueo(memMensaje_);
    memMensaje_->setPlainText(texto);
    QTextCursor c = memMensaje_->textCursor();
    c.setPosition(posicion);
    memMensaje_->setTextCursor(c);
  }
  txtEspacio_->setText(QStringLiteral("Caracteres disponibles: %1").arg(kLargoMensaje - Longitud(texto)));
  // What the text costs, as the gateway charges it.
  const TSMS::TCoste coste = TSMS::Coste(Texto_Mensaje(texto));
  QString c = coste.partes == 1 ? QStringLiteral("Se envía en 1 mensaje.")
                                : QStringLiteral("Se envía en %1 mensajes.").arg(coste.partes);
  if (!coste.gsm)
    c += QStringLiteral(" Con á, í, ó, ú u otros signos especiales cada mensaje lleva solo 70 caracteres.");
  txtCoste_->setText(coste.partes == 0 ? QString() : c);
}

void TfrmSMS::chxFechaClick() { edtFecha_->setEnabled(chxFecha_->isChecked()); }

QString TfrmSMS::Mensaje_Error(int codigo) {
  switch (codigo) {
    case -25501:
      return QStringLiteral(
          "Debe introducir quien envía el SMS para que el destinatario del mismo sepa quien lo envía.");
    case -25502:
      return QStringLiteral("Debe introducir un mensaje para el envío del SMS.");
    case -25503:
      return QStringLiteral("Debe introducir el teléfono al cual se enviará el mensaje SMS.");
    case -25504:
      return QStringLiteral("El teléfono introducido no es un teléfono movil válido.");
    case -25505:
      return QStringLiteral("El prefijo seleccionado no es válido.");
    case -25506:
      return QStringLiteral("La fecha introducida no es válida.");
    case -25507:
      return QStringLiteral("La programación máxima de mensajes es de un año.");
    case -25510:
      return QStringLiteral(
          "Los datos del proveedor de mensajes no son válidos. Revise la configuración de mensajes SMS.");
    case -25511:
      return QStringLiteral("Ha ocurrido un error al establecer la zona horaria. Intentelo mas tarde.");
    case -25512:
      return QStringLiteral("El servicio de mensajes SMS no esta disponible actualmente. Intentelo mas tarde.");
    case -25513:
      return QStringLiteral("Ha ocurrido un error interno en el servidor de mensajes. Intentelo mas tarde.");
    case -25514:
      return QStringLiteral(
          "Los datos del proveedor de mensanes no son válidos. Revise la configuración de mensajes SMS.");
    case -25517:
      return QStringLiteral("Los datos del mensaje no son correctos. Imposible continuar.");
    case -25518:
      return QStringLiteral("El teléfono introducido no es válido. Compruebe que el número es correcto.");
    case -25519:
      return QStringLiteral("El prefijo seleccionado no es válido. Compruebe que el prefijo es correcto.");
    case -25520:
      return QStringLiteral("No dispone de saldo suficiente.");
    case -25521:
      return QStringLiteral(
          "La fecha de envío del mensaje es demasiado grande. El periodo máximo para la programación es de un año.");
    case -25522:
      return QStringLiteral("La zona horaria no es válida. Imposible continuar.");
    case -603:
      return QStringLiteral("No se encuentra la biblioteca de envío de mensajes (semapi.so) en la carpeta de módulos, "
                            "o está dañada. El mensaje no se ha enviado: avise al responsable del programa.");
    case -25530:
      return QStringLiteral("El mensaje se ha enviado, pero no se ha podido anotar como enviado en el registro de "
                            "mensajes: queda pendiente de confirmar. No lo envíe otra vez; se confirmará, sin "
                            "enviarlo dos veces, la próxima vez que abra el envío de SMS o los avisos.");
    case -25531:
      return QStringLiteral("El mensaje no se ha enviado: no se ha podido anotar en el registro de mensajes. "
                            "Inténtelo de nuevo y, si se repite, avise al responsable del programa.");
    default:
      return QStringLiteral("El servicio de mensajes ha dado una respuesta que el programa no conoce (código %1). "
                            "Si se repite, avise al responsable del programa.")
          .arg(codigo);
  }
}

QString TfrmSMS::Texto_Fallo(int codigo, const QString& boton) {
  QString texto = Mensaje_Error(codigo);
  // No answer, or one that is not the service's: the message may have gone.
  // It is noted as pending under the key it went with; sent again under that
  // key, the service answers what it did and does not send it twice.
  if (TSMS::Incierto(codigo))
    texto += boton.isEmpty()
                 ? QStringLiteral("\n\nPuede que el mensaje haya salido: queda anotado como pendiente de confirmar y "
                                  "se comprobará, sin enviarlo dos veces, la próxima vez que abra el envío de SMS o "
                                  "los avisos.")
                 : QStringLiteral("\n\nPuede que el mensaje haya salido: queda anotado como pendiente de confirmar. "
                                  "Pulse «%1» para comprobarlo; si ya salió, no se envía otra vez.")
                       .arg(boton);
  return texto;
}

void TfrmSMS::Comprobar_Pendientes(QWidget* padre, THostContext* ctx, TSMS& sms) {
  const std::vector<st_BD_SMS_MAESTRO> pendientes = sms.Pendientes();
  if (pendientes.empty()) return;
  if (ctx->aplicacion->MessageBox(
          QStringLiteral("Hay %1 envío(s) de SMS sin confirmar: el servicio de mensajes no respondió y puede que "
                         "hayan salido. ¿Desea comprobarlos ahora? Un mensaje que ya salió no se envía otra vez.")
              .arg(pendientes.size()),
          QStringLiteral("Mensaje"), mb::YESNO | mb::ICONQUESTION) != mb::IDYES)
    return;
  int enviados = 0, rechazados = 0, siguen = 0;
  Enviar_En_Segundo_Plano(padre, QStringLiteral("Comprobando los envíos pendientes…"), [&] {
    for (const st_BD_SMS_MAESTRO& p : pendientes) {
      const int r = sms.Reintentar(p.id_sms_maestro);
      if (r == 0)
        ++enviados;
      else if (TSMS::Incierto(r) || r == TSMS::kErrorRegistro || r == TSMS::kSinAnotar)
        ++siguen;
      else
        ++rechazados;
    }
    return 0;
  });
  QString texto = QStringLiteral("Envíos comprobados: %1 enviado(s) y anotado(s), %2 rechazado(s) por el servicio.")
                      .arg(enviados)
                      .arg(rechazados);
  if (siguen > 0)
    texto += QStringLiteral(" %1 sigue(n) sin confirmar: el servicio no responde; inténtelo más tarde.").arg(siguen);
  ctx->aplicacion->MessageBox(texto, QStringLiteral("Mensaje"),
                              mb::OK | (siguen > 0 ? mb::ICONWARNING : mb::ICONINFORMATION));
}

void TfrmSMS::btnAceptarClick() {
  // Each Accept builds the request again from the controls.
  sms_->De(edtDe_->text());
  sms_->Mensaje(Texto_Mensaje(memMensaje_->toPlainText()));
  sms_->Id_Operacion(idOperacion_);
  sms_->Tipo_Operacion(tipoOperacion_);
  sms_->Proveedor(cbxProveedor_->currentIndex());
  sms_->Fecha(chxFecha_->isChecked() ? std::optional<QDateTime>(edtFecha_->dateTime()) : std::nullopt);
  sms_->Borrar_Destinatarios();
  sms_->Anadir_Destinatario(cbxPrefijo_->currentData().toInt(), edtTelefono_->text());

  // The dialog stays as it is until the sending ends (closing it then waits).
  // After a sending whose answer never came the button asks for that one
  // again, under its key, whatever is on screen: never a second copy.
  enviando_ = true;
  const int pendiente = pendiente_;
  const int r = Enviar_En_Segundo_Plano(this, QStringLiteral("Enviando el mensaje…"), [this, pendiente] {
    return pendiente > 0 ? sms_->Reintentar(pendiente) : sms_->Enviar();
  });
  enviando_ = false;
  if (r != 0) {
    // The dialog stays as it is, with what was typed.
    ctx_->aplicacion->MessageBox(Texto_Fallo(r, QStringLiteral("Reintentar")), QStringLiteral("Mensaje"),
                                 mb::OK | mb::ICONSTOP);
    if (TSMS::Incierto(r)) {
      pendiente_ = sms_->Id_Registro();
      btnAceptar_->setText(QStringLiteral("&Reintentar"));
    }
    // Sent but not logged as sent: it cannot be sent again from here.
    if (r == TSMS::kErrorRegistro) btnAceptar_->setEnabled(false);
    return;
  }
  if (sms_->Validos() == 0) {
    // Nothing went: the number is no mobile. The dialog stays, with the text.
    ctx_->aplicacion->MessageBox(
        QStringLiteral("El número «%1» no es un móvil: un SMS solo llega a un móvil de 9 cifras que empiece por 6 o "
                       "7. No se ha enviado nada; corrija el número e inténtelo de nuevo.")
            .arg(edtTelefono_->text()),
        QStringLiteral("Mensaje"), mb::OK | mb::ICONWARNING);
    edtTelefono_->setFocus();
    return;
  }
  QString texto = QStringLiteral("El coste del envío ha sido de %1 mensaje(s).").arg(sms_->Cantidad()) +
                  QStringLiteral("\n\nSe ha enviado un total de %1 mensaje(s).").arg(sms_->Validos());
  if (sms_->Omitidos() > 0)
    texto += QStringLiteral("\n\nSe ha omitido un total de %1 mensaje(s) por no ser un número correcto.")
                 .arg(sms_->Omitidos());
  ctx_->aplicacion->MessageBox(texto, QStringLiteral("Resultado"), mb::OK | mb::ICONINFORMATION);
  done(QDialog::Accepted);
}

void TfrmSMS::btnCancelarClick() { done(QDialog::Rejected); }

void TfrmSMS::done(int resultado) {
  if (enviando_) return;  // the sending in course uses the request
  sms_.reset();
  QDialog::done(resultado);
}

int Abrir_SMS_Ficha(THostContext* ctx, double idMLentilla, QWidget* owner) {
  TfrmSMS dlg(owner);
  dlg.Paso(ctx);
  dlg.Tipo_Operacion(4);
  dlg.Id_Operacion(static_cast<int>(std::trunc(idMLentilla)));
  dlg.Telefono(ctx->seleccion.textos[1]);
  dlg.Inicializar();
  return dlg.exec();
}
