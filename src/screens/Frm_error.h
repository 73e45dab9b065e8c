#pragma once
// TfrmError, "Miravel® v3 - Informe de error": tells the user that a handler of
// the lens screen failed, when and where, and lets the report go to the support
// service by e-mail or on paper ("Informe de error", previewed and printable,
// also to PDF).
//
// The guards only need Mostrar, which shows the dialog modally and frees it.
// Code that must not block (tests) builds the dialog itself:
//
//   TfrmError dlg(ctx->aplicacion);
//   dlg.Fijar_Contexto(ctx);
//   dlg.Pantalla("Definición de fichas de lentillas");
//   dlg.Funcion("OD Eje -> OnExit");
//   dlg.Descripcion(error.what());
//   dlg.show();   // or exec()
//
// "&Salir" closes with QDialog::Accepted, and so does "&Imprimir" once the
// preview has been closed.

#include <QDateTime>
#include <QString>
#include <functional>

#include "Contexto_host.h"
#include "Marco_dialogo.h"

class QLabel;
class QLineEdit;
class QPagedPaintDevice;
class QPlainTextEdit;
class QPushButton;
class QUrl;

// Runs one handler of a window of the module. Whatever escapes it is shown in
// the error report under `etiqueta` ("btnAceptar -> OnClick") and the window
// stays as the handler left it, nothing unwinding through Qt's event loops.
// While an error report is on screen (a handler of the report itself failing)
// a plain box tells it instead, so that reports never pile up. Never raises.
void Guardia(THostContext* ctx, const QString& etiqueta, const std::function<void()>& accion);

class TfrmError : public TDialogo {
  Q_OBJECT

 public:
  // The support service the instructions and the e-mail point to.
  static const QString kTelefonoSoporte;
  static const QString kFaxSoporte;
  static const QString kCorreoSoporte;
  // The screen every report of the lens module names.
  static const QString kPantallaLentillas;

  explicit TfrmError(TAplicacion* owner);
  ~TfrmError() override;

  // Shows the report of a failed handler modally and frees the dialog. Never
  // raises: it is called from inside the guard.
  static void Mostrar(THostContext* ctx, const QString& funcion, const QString& descripcion);

  // Each setter stores only a value that differs from the one held.
  void Pantalla(const QString& texto);
  void Funcion(const QString& texto);
  // Replaces the memo's lines with those of the text ("\r\n", "\r" or "\n").
  void Descripcion(const QString& texto);
  const QString& Pantalla() const { return pantalla_; }
  const QString& Funcion() const { return funcion_; }
  const QString& Descripcion() const { return descripcion_; }
  // The description's lines as the memo and the report show them.
  QStringList Lineas_Descripcion() const;

  // "sábado, 5 de diciembre de 2026  09:05": Spanish names whatever the
  // machine's locale, two blanks before the time.
  static QString Texto_Fecha(const QDateTime& momento);

  // Paints "Informe de error" onto a device already laid out (A4 portrait,
  // 10 mm margins: see Guardar_PDF); `impreso` is the printing moment shown in
  // the page header. Long descriptions go on to further pages. False when
  // the device cannot be painted on (a PDF file that cannot be written).
  bool Pintar_Informe(QPagedPaintDevice* dispositivo, const QDateTime& impreso) const;
  // Writes the report to a PDF file. False when the file cannot be written.
  bool Guardar_PDF(const QString& ruta, const QDateTime& impreso = QDateTime::currentDateTime()) const;
  // The report as plain text, the body of the e-mail.
  QString Texto_Informe() const;
  // mailto: for the support service with the report as subject and body.
  QUrl Url_Correo() const;

  // Hands the mailto: to the user's mail program; false when there is none.
  // The desktop's URL handler unless replaced.
  std::function<bool(const QUrl&)> Abrir_Correo;

  void btnEMailClick();
  void btnImprimirClick();
  void btnSalirClick();

 protected:
  // The date and time field shows the moment the dialog appears.
  void showEvent(QShowEvent* evento) override;

 private:
  void Crear_Controles();
  // The company block of the report, one entry a line (empty lines kept).
  QStringList Lineas_Empresa() const;

  QString pantalla_, funcion_, descripcion_;
  QDateTime momento_;

  QLabel* lblFecha_ = nullptr;
  QLineEdit* edtPantalla_ = nullptr;
  QLineEdit* edtFuncion_ = nullptr;
  QPlainTextEdit* memDescripcion_ = nullptr;
  QPushButton* btnEMail_ = nullptr;
  QPushButton* btnImprimir_ = nullptr;
  QPushButton* btnSalir_ = nullptr;
};
