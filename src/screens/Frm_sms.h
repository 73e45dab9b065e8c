#pragma once
// TfrmSMS, "Envío de mensaje SMS": sends a short text to a patient's mobile
// through the SMS gateway and logs it (TSMS).
//
// The caller creates it, gives it the host context, the operation (type and
// key of what the message is about) and the phone to propose, calls
// Inicializar, shows it modally and frees it. It closes with Accepted once a
// message has been sent, Rejected when the user gives up; a refused sending
// keeps it open with what was typed.

#include <QString>
#include <memory>

#include "Contexto_host.h"
#include "Marco_dialogo.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TSMS;

class TfrmSMS : public TDialogo {
  Q_OBJECT

 public:
  static constexpr int kLargoTelefono = 9;
  static constexpr int kLargoDe = 20;
  static constexpr int kLargoMensaje = 153;

  explicit TfrmSMS(QWidget* parent = nullptr);
  ~TfrmSMS() override;

  void Paso(THostContext* ctx) { Fijar_Contexto(ctx); }
  void Tipo_Operacion(int v) { tipoOperacion_ = v; }
  void Id_Operacion(int v) { idOperacion_ = v; }
  void Telefono(const QString& v) { telefono_ = v; }
  // The provider's library; by default semapi.so of the workstation's
  // modules folder, or of the system's library path when it is not there.
  void Biblioteca(const QString& v) { biblioteca_ = v; }

  void Inicializar();

  // The length the gateway sees: a line break is a carriage return and a
  // line feed.
  static int Longitud(const QString& texto);
  // The text as the gateway gets it, line breaks as CR LF.
  static QString Texto_Mensaje(const QString& texto);
  // The message of a code of TSMS, or the empty text for one the user is not
  // told about.
  static QString Mensaje_Error(int codigo);
  // What the user is told of a failed sending: the message of its code and,
  // when the sending may have gone, that it is noted as pending and how it
  // is settled: with the button `boton`, or (no button) the next time the
  // SMS dialog or the reminders open.
  static QString Texto_Fallo(int codigo, const QString& boton);
  // The requests left pending by earlier sendings (no answer, a crash): the
  // user is asked, and those he wants are sent again under their keys and
  // settled, off the user-interface thread. None: nothing is asked.
  static void Comprobar_Pendientes(QWidget* padre, THostContext* ctx, TSMS& sms);

  void btnAceptarClick();
  void btnCancelarClick();
  void memMensajeChange();
  void chxFechaClick();

  void done(int resultado) override;

 private:
  void Crear_Controles();

  int tipoOperacion_ = 0;
  int idOperacion_ = -1;
  QString telefono_;
  QString biblioteca_;
  std::unique_ptr<TSMS> sms_;
  bool enviando_ = false;  // a sending in course, off the user-interface thread
  int pendiente_ = -1;     // the request of this dialog whose answer never came

  QComboBox* cbxProveedor_ = nullptr;
  QComboBox* cbxPrefijo_ = nullptr;
  QLineEdit* edtTelefono_ = nullptr;
  QLineEdit* edtDe_ = nullptr;
  QPlainTextEdit* memMensaje_ = nullptr;
  QLabel* txtEspacio_ = nullptr;
  QLabel* txtCoste_ = nullptr;  // how many messages the text costs
  QCheckBox* chxFecha_ = nullptr;
  QDateTimeEdit* edtFecha_ = nullptr;
  QPushButton* btnAceptar_ = nullptr;
  QPushButton* btnCancelar_ = nullptr;
};

// The record screen's "SMS": the dialog for a lens record (operation 4, the
// record's key truncated, the patient's mobile from the selection's second
// text), shown modally over `owner` and freed; its modal result.
int Abrir_SMS_Ficha(THostContext* ctx, double idMLentilla, QWidget* owner);
