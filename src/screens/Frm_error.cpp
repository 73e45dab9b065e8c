#include "Frm_error.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFont>
#include <QFontMetricsF>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextLayout>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "Clase_tlocalidad.h"

const QString TfrmError::kTelefonoSoporte = QStringLiteral("902 36 57 40");
const QString TfrmError::kFaxSoporte = QStringLiteral("902 36 57 41");
const QString TfrmError::kCorreoSoporte = QStringLiteral("soporte@miravel.es");
const QString TfrmError::kPantallaLentillas = QStringLiteral("Definición de fichas de lentillas");

namespace {

const QString kTituloInforme = QStringLiteral("Informe de error");

// A4 portrait with 10 mm margins on every side.
QPageLayout Formato_Informe() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                     QPageLayout::Millimeter);
}

QString Normalizar_Saltos(QString texto) {
  texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return texto;
}

// Lays the report out line by line on the pages of a device, opening a new
// page (with its header) whenever the next line does not fit.
class TPaginador {
 public:
  TPaginador(QPagedPaintDevice* dispositivo, QPainter& pintor, const QDateTime& impreso)
      : dispositivo_(dispositivo),
        pintor_(pintor),
        impreso_(impreso),
        puntosMm_(dispositivo->logicalDpiY() / 25.4),
        ancho_(dispositivo->width()),
        alto_(dispositivo->height()) {
    normal_.setPointSizeF(10);
    negrita_ = normal_;
    negrita_.setBold(true);
    Cabecera();
  }

  double Mm(double mm) const { return mm * puntosMm_; }
  double Ancho() const { return ancho_; }
  const QFont& Normal() const { return normal_; }
  const QFont& Negrita() const { return negrita_; }
  double Alto_Linea(const QFont& fuente) const { return QFontMetricsF(fuente, dispositivo_).lineSpacing(); }

  // Makes room for `alto` more; starts a new page when it does not fit.
  void Reservar(double alto) {
    if (y_ + alto > alto_ && y_ > inicioDetalle_) {
      dispositivo_->newPage();
      Cabecera();
    }
  }

  // One line of text at `x` (from the left margin); `etiqueta`, when given,
  // goes at the margin on the same line.
  void Linea(const QString& texto, const QFont& fuente, double x = 0, const QString& etiqueta = {}) {
    const QFontMetricsF m(fuente, dispositivo_);
    Reservar(m.lineSpacing());
    pintor_.setFont(fuente);
    if (!etiqueta.isEmpty()) pintor_.drawText(QPointF(0, y_ + m.ascent()), etiqueta);
    if (!texto.isEmpty()) pintor_.drawText(QPointF(x, y_ + m.ascent()), texto);
    y_ += m.lineSpacing();
  }

  // A paragraph broken into lines that fit between `x` and the right margin.
  void Parrafo(const QString& texto, double x, const QString& etiqueta = {}) {
    if (texto.isEmpty()) {
      Linea({}, normal_, x, etiqueta);
      return;
    }
    QTextLayout disposicion(texto, normal_, dispositivo_);
    disposicion.beginLayout();
    QStringList lineas;
    for (QTextLine l = disposicion.createLine(); l.isValid(); l = disposicion.createLine()) {
      l.setLineWidth(ancho_ - x);
      lineas << texto.mid(l.textStart(), l.textLength());
    }
    disposicion.endLayout();
    for (int i = 0; i < lineas.size(); ++i) Linea(lineas[i], normal_, x, i == 0 ? etiqueta : QString());
  }

  void Regla() {
    Reservar(Mm(2));
    pintor_.setPen(QPen(Qt::black, Mm(0.3)));
    pintor_.drawLine(QPointF(0, y_ + Mm(1)), QPointF(ancho_, y_ + Mm(1)));
    y_ += Mm(2);
  }

  void Espacio(double mm) { y_ += Mm(mm); }

 private:
  // The page header: the title in a box at the left, the printing moment at
  // the right.
  void Cabecera() {
    QFont titulo = normal_;
    titulo.setPointSizeF(16);
    titulo.setBold(true);
    const QFontMetricsF mt(titulo, dispositivo_);
    const double margen = Mm(2);
    const QRectF caja(0, 0, mt.horizontalAdvance(kTituloInforme) + 2 * margen, mt.height() + 2 * margen);
    pintor_.setPen(QPen(Qt::black, Mm(0.4)));
    pintor_.setBrush(Qt::NoBrush);
    pintor_.drawRect(caja);
    pintor_.setFont(titulo);
    pintor_.drawText(caja, Qt::AlignCenter, kTituloInforme);

    pintor_.setFont(normal_);
    pintor_.drawText(QRectF(caja.right(), 0, ancho_ - caja.right(), caja.height()), Qt::AlignRight | Qt::AlignVCenter,
                     impreso_.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")));
    y_ = inicioDetalle_ = caja.bottom() + Mm(6);
  }

  QPagedPaintDevice* dispositivo_;
  QPainter& pintor_;
  QDateTime impreso_;
  double puntosMm_;
  double ancho_, alto_;
  double y_ = 0, inicioDetalle_ = 0;
  QFont normal_, negrita_;
};

bool Informe_En_Pantalla() {
  const QWidgetList ventanas = QApplication::topLevelWidgets();
  return std::any_of(ventanas.cbegin(), ventanas.cend(),
                     [](const QWidget* w) { return w->isVisible() && qobject_cast<const TfrmError*>(w); });
}

}  // namespace

void Guardia(THostContext* ctx, const QString& etiqueta, const std::function<void()>& accion) {
  QString detalle;
  try {
    accion();
    return;
  } catch (const std::exception& e) {
    detalle = QString::fromUtf8(e.what());
  } catch (...) {
    detalle = QStringLiteral("Error desconocido");
  }
  // Reported once the exception is gone: the report runs an event loop of
  // its own.
  TAplicacion* aplicacion = ctx ? ctx->aplicacion : nullptr;
  if (!aplicacion) {
    qWarning("%s: %s", qUtf8Printable(etiqueta), qUtf8Printable(detalle));
    return;
  }
  if (!Informe_En_Pantalla()) {
    TfrmError::Mostrar(ctx, etiqueta, detalle);
    return;
  }
  try {
    aplicacion->MessageBox(QStringLiteral("Se ha producido un error inesperado en %1:\n\n%2").arg(etiqueta, detalle),
                           QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
  } catch (...) {
    // Nothing is left to tell it with.
  }
}

TfrmError::TfrmError(TAplicacion* owner)
    : TDialogo(owner ? owner->ventanaPrincipal : nullptr, kMarcoDialogo),
      Abrir_Correo([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
  setObjectName(QStringLiteral("frmError"));
  setWindowTitle(QStringLiteral("Miravel® v3 - Informe de error"));
  setModal(true);
  // The report is read and dismissed: Enter presses "&Salir".
  Enter_Sin_Mover_Foco();
  Crear_Controles();
}

TfrmError::~TfrmError() = default;

void TfrmError::Crear_Controles() {
  auto* pnlCabecera = new QFrame(this);
  pnlCabecera->setObjectName(QStringLiteral("pnlCabecera"));
  pnlCabecera->setFrameShape(QFrame::StyledPanel);
  pnlCabecera->setAutoFillBackground(true);
  QPalette fondo = pnlCabecera->palette();
  fondo.setColor(QPalette::Window, Qt::white);
  pnlCabecera->setPalette(fondo);

  auto* lblTitulo = new QLabel(QStringLiteral("Se ha producido un error"), pnlCabecera);
  lblTitulo->setObjectName(QStringLiteral("lblTitulo"));
  QFont negrita = lblTitulo->font();
  negrita.setBold(true);
  lblTitulo->setFont(negrita);

  auto* lblInstrucciones = new QLabel(pnlCabecera);
  lblInstrucciones->setObjectName(QStringLiteral("lblInstrucciones"));
  lblInstrucciones->setWordWrap(true);
  lblInstrucciones->setText(
      QStringLiteral("Se ha producido un error inesperado:\n"
                     "  1. Envíe el error por correo electrónico con el botón E-Mail.\n"
                     "  2. Imprima el error y envíelo por fax al %1, explicando qué estaba haciendo "
                     "cuando se produjo.\n"
                     "  3. Llame al servicio técnico al %2 y tenga a mano la información del error.")
          .arg(kFaxSoporte, kTelefonoSoporte));

  auto* cabecera = new QVBoxLayout(pnlCabecera);
  cabecera->addWidget(lblTitulo);
  cabecera->addWidget(lblInstrucciones);

  auto* grbFecha = new QGroupBox(QStringLiteral(" Fecha y hora del error "), this);
  grbFecha->setObjectName(QStringLiteral("grbFecha"));
  lblFecha_ = new QLabel(grbFecha);
  lblFecha_->setObjectName(QStringLiteral("lblFecha"));
  (new QVBoxLayout(grbFecha))->addWidget(lblFecha_);

  auto* grbDetalle = new QGroupBox(QStringLiteral(" Detalle del Error "), this);
  grbDetalle->setObjectName(QStringLiteral("grbDetalle"));
  edtPantalla_ = new QLineEdit(grbDetalle);
  edtPantalla_->setObjectName(QStringLiteral("edtPantalla"));
  edtFuncion_ = new QLineEdit(grbDetalle);
  edtFuncion_->setObjectName(QStringLiteral("edtFuncion"));
  memDescripcion_ = new QPlainTextEdit(grbDetalle);
  memDescripcion_->setObjectName(QStringLiteral("memDescripcion"));
  for (QLineEdit* e : {edtPantalla_, edtFuncion_}) e->setReadOnly(true);
  memDescripcion_->setReadOnly(true);
  auto* detalle = new QGridLayout(grbDetalle);
  detalle->addWidget(new QLabel(QStringLiteral("Pantalla:"), grbDetalle), 0, 0);
  detalle->addWidget(edtPantalla_, 0, 1);
  detalle->addWidget(new QLabel(QStringLiteral("Función:"), grbDetalle), 1, 0);
  detalle->addWidget(edtFuncion_, 1, 1);
  detalle->addWidget(new QLabel(QStringLiteral("Descripción"), grbDetalle), 2, 0, Qt::AlignTop);
  detalle->addWidget(memDescripcion_, 2, 1);

  btnEMail_ = new QPushButton(QStringLiteral("&E-Mail"), this);
  btnEMail_->setObjectName(QStringLiteral("btnEMail"));
  btnImprimir_ = new QPushButton(QStringLiteral("&Imprimir"), this);
  btnImprimir_->setObjectName(QStringLiteral("btnImprimir"));
  btnSalir_ = new QPushButton(QStringLiteral("&Salir"), this);
  btnSalir_->setObjectName(QStringLiteral("btnSalir"));
  btnSalir_->setDefault(true);
  auto* botones = new QHBoxLayout;
  botones->addWidget(btnEMail_);
  botones->addWidget(btnImprimir_);
  botones->addStretch(1);
  botones->addWidget(btnSalir_);
  Al_Pulsar(btnEMail_, [this] { btnEMailClick(); });
  Al_Pulsar(btnImprimir_, [this] { btnImprimirClick(); });
  Al_Pulsar(btnSalir_, [this] { btnSalirClick(); });

  auto* principal = new QVBoxLayout(this);
  principal->addWidget(pnlCabecera);
  principal->addWidget(grbFecha);
  principal->addWidget(grbDetalle, 1);
  principal->addLayout(botones);
  // Room for a description of a few lines; more if the font needs it.
  resize(sizeHint().expandedTo(QSize(560, 480)));
}

void TfrmError::Mostrar(THostContext* ctx, const QString& funcion, const QString& descripcion) {
  if (!ctx || !ctx->aplicacion) return;
  try {
    QPointer<TfrmError> dlg = new TfrmError(ctx->aplicacion);
    dlg->Fijar_Contexto(ctx);
    dlg->Pantalla(kPantallaLentillas);
    dlg->Funcion(funcion);
    dlg->Descripcion(descripcion);
    dlg->exec();
    delete dlg.data();  // unless its owner window went away meanwhile
  } catch (...) {
    // This is the last stop of a failure already being reported: nothing
    // above the guard could do better with a second one.
  }
}

void TfrmError::Pantalla(const QString& texto) {
  if (texto == pantalla_) return;
  pantalla_ = texto;
  edtPantalla_->setText(texto);
}

void TfrmError::Funcion(const QString& texto) {
  if (texto == funcion_) return;
  funcion_ = texto;
  edtFuncion_->setText(texto);
}

void TfrmError::Descripcion(const QString& texto) {
  if (texto == descripcion_) return;
  descripcion_ = texto;
  memDescripcion_->setPlainText(Lineas_Descripcion().join(QLatin1Char('\n')));
}

QStringList TfrmError::Lineas_Descripcion() const {
  if (descripcion_.isEmpty()) return {};
  return Normalizar_Saltos(descripcion_).split(QLatin1Char('\n'));
}

QString TfrmError::Texto_Fecha(const QDateTime& momento) {
  static const QLocale espanol(QLocale::Spanish, QLocale::Spain);
  return espanol.toString(momento, QStringLiteral("dddd, d 'de' MMMM 'de' yyyy  hh:mm"));
}

void TfrmError::showEvent(QShowEvent* evento) {
  momento_ = QDateTime::currentDateTime();
  lblFecha_->setText(Texto_Fecha(momento_));
  QDialog::showEvent(evento);
}

QStringList TfrmError::Lineas_Empresa() const {
  const TEmpresa* e = ctx_ ? ctx_->empresa : nullptr;
  if (!e) return {};
  QString poblacion, provincia;
  if (const TLocalidad* l = e->localidad) {
    const QString cp = l->CODIGO_POSTAL() != 0 ? QString::number(l->CODIGO_POSTAL()) : QString();
    // A company without a town shows no lone " - ".
    if (!cp.isEmpty() || !l->DESCRIPCION().isEmpty()) poblacion = cp + QStringLiteral(" - ") + l->DESCRIPCION();
    provincia = l->Provincia().DESCRIPCION();
  }
  return {e->nombre,
          e->direccion,
          poblacion,
          provincia,
          e->email,
          QStringLiteral("Tel.- ") + e->telefono,
          QStringLiteral("Fax.- ") + e->fax};
}

bool TfrmError::Pintar_Informe(QPagedPaintDevice* dispositivo, const QDateTime& impreso) const {
  QPainter pintor;
  if (!pintor.begin(dispositivo)) return false;
  TPaginador p(dispositivo, pintor, impreso);

  const QStringList empresa = Lineas_Empresa();
  for (int i = 0; i < empresa.size(); ++i) p.Linea(empresa[i], i == 0 ? p.Negrita() : p.Normal());

  p.Espacio(3);
  p.Regla();
  p.Linea(QStringLiteral("Datos del error"), p.Negrita());
  p.Regla();
  p.Espacio(2);

  const double columna = p.Mm(28);
  p.Parrafo(pantalla_, columna, QStringLiteral("Pantalla:"));
  p.Parrafo(funcion_, columna, QStringLiteral("Función:"));
  const QStringList lineas = Lineas_Descripcion();
  if (lineas.isEmpty()) p.Linea({}, p.Normal(), columna, QStringLiteral("Descripción:"));
  for (int i = 0; i < lineas.size(); ++i)
    p.Parrafo(lineas[i], columna, i == 0 ? QStringLiteral("Descripción:") : QString());
  return true;
}

bool TfrmError::Guardar_PDF(const QString& ruta, const QDateTime& impreso) const {
  QPrinter impresora(QPrinter::HighResolution);
  impresora.setOutputFormat(QPrinter::PdfFormat);
  impresora.setOutputFileName(ruta);
  impresora.setPageLayout(Formato_Informe());
  impresora.setDocName(kTituloInforme);
  return Pintar_Informe(&impresora, impreso);
}

QString TfrmError::Texto_Informe() const {
  const QDateTime momento = momento_.isValid() ? momento_ : QDateTime::currentDateTime();
  QStringList t{kTituloInforme, Texto_Fecha(momento), QString()};
  t << Lineas_Empresa();
  t << QString() << QStringLiteral("Datos del error") << QStringLiteral("Pantalla: ") + pantalla_
    << QStringLiteral("Función: ") + funcion_ << QStringLiteral("Descripción:");
  t << Lineas_Descripcion();
  return t.join(QStringLiteral("\r\n"));
}

QUrl TfrmError::Url_Correo() const {
  const QString asunto = kTituloInforme + QStringLiteral(" - ") + (ctx_ && ctx_->empresa ? ctx_->empresa->nombre : QString());
  QByteArray url = "mailto:" + kCorreoSoporte.toUtf8();
  url += "?subject=" + QUrl::toPercentEncoding(asunto);
  url += "&body=" + QUrl::toPercentEncoding(Texto_Informe());
  return QUrl::fromEncoded(url, QUrl::StrictMode);
}

void TfrmError::btnEMailClick() {
  if (Abrir_Correo && Abrir_Correo(Url_Correo())) return;
  TAplicacion* aplicacion = ctx_ ? ctx_->aplicacion : nullptr;
  if (aplicacion)
    aplicacion->MessageBox(
        QStringLiteral("No se ha podido enviar el correo, conectese a internet e intentelo mas tarde"),
        QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
}

void TfrmError::btnImprimirClick() {
  QPrinter impresora(QPrinter::HighResolution);
  impresora.setPageLayout(Formato_Informe());
  impresora.setDocName(kTituloInforme);
  const QDateTime impreso = QDateTime::currentDateTime();
  QPrintPreviewDialog vista(&impresora, this);
  vista.setObjectName(QStringLiteral("frmVistaInforme"));
  vista.setWindowTitle(kTituloInforme);
  connect(&vista, &QPrintPreviewDialog::paintRequested, this,
          [this, impreso](QPrinter* destino) { Pintar_Informe(destino, impreso); });
  vista.exec();
  accept();
}

void TfrmError::btnSalirClick() { accept(); }
