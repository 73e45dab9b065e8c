#include "Hoja_informe.h"

#include <QGuiApplication>
#include <QScreen>

#include <QDir>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTextLayout>
#include <algorithm>

#include "Contexto_host.h"

const QColor TLienzoInforme::kPlata(192, 192, 192);

QString Fecha_Para_Informe(const QString& texto) {
  return texto == QLatin1String("30/12/1899") ? QString() : texto;
}

QFont TLienzoInforme::Crear_Fuente(const QString& familia, double puntos, bool negrita, bool cursiva) {
  QFont f(familia);
  f.setPointSizeF(puntos);
  f.setBold(negrita);
  f.setItalic(cursiva);
  // Where Arial or Verdana are missing, fontconfig's metric-compatible
  // replacements keep the layout; never a serif face. No ligatures: a
  // printed "fi" stays two letters for whoever reads the file back.
  f.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
  return f;
}

TLienzoInforme::TLienzoInforme(QPainter& painter, QPrinter& impresora, double puntosFuente)
    : painter_(painter),
      impresora_(impresora),
      puntosPorMm_(impresora.resolution() / 25.4),
      fuente_(Crear_Fuente(QStringLiteral("Arial"), puntosFuente)),
      etiqueta_(Crear_Fuente(QStringLiteral("Verdana"), 8, true)),
      encabezado_(Crear_Fuente(QStringLiteral("Verdana"), 10, true, true)),
      titulo_(Crear_Fuente(QStringLiteral("Verdana"), 14, true, true)),
      completa_(Crear_Fuente(QStringLiteral("Verdana"), 8, false, true)) {}

double TLienzoInforme::Alto_Linea(const QFont& fuente) const {
  return QFontMetricsF(fuente, &impresora_).height() / puntosPorMm_;
}

double TLienzoInforme::Ancho_Texto(const QFont& fuente, const QString& texto) const {
  return QFontMetricsF(fuente, &impresora_).horizontalAdvance(texto) / puntosPorMm_;
}

double TLienzoInforme::Linea_Base(double alto) const {
  const QFontMetricsF base(fuente_, &impresora_);
  return (Mm(alto) + base.ascent() - base.descent()) / 2 / puntosPorMm_;
}

void TLienzoInforme::Reservar(double alto) {
  // A band taller than a whole page would leave a page empty for nothing:
  // it starts where it is and is cut at the page ends.
  if (alto > Restante() && alto <= kAlto && y_ > 0) Nueva_Pagina();
}

void TLienzoInforme::Nueva_Pagina() {
  impresora_.newPage();
  y_ = 0;
  ++pagina_;
}

void TLienzoInforme::Titulo(const QString& texto) {
  constexpr double kAltoCaja = 16;
  const QRectF caja = Rect(0, y_, kAncho, kAltoCaja);
  painter_.fillRect(caja, kPlata);
  Marco(0, y_, kAncho, kAltoCaja);
  Texto(0, y_ + 1.5, kAncho, 8, titulo_, texto, Qt::AlignCenter);
  Texto(0, y_ + 10, kAncho, 4.5, completa_, QStringLiteral("Completa"), Qt::AlignCenter);
  y_ += kAltoCaja + 4;
}

void TLienzoInforme::Encabezado(const QString& texto) {
  const double alto = Alto_Linea(encabezado_);
  Reservar(alto + 8);  // a heading never stays alone at the foot of a page
  Texto(0, y_, kAncho, alto, encabezado_, texto);
  painter_.fillRect(Rect(0, y_ + alto + 0.3, kAncho, 0.8), kPlata);
  y_ += alto + 2.8;
}

void TLienzoInforme::Texto(double x, double y, double ancho, double alto, const QFont& fuente, const QString& texto,
                           Qt::Alignment alineacion) {
  if (texto.isEmpty()) return;
  painter_.setFont(fuente);
  // Measured in millimetres, a line that just fits may come back a hair
  // wider than its box: it is drawn whole all the same.
  painter_.drawText(Rect(x, y, ancho, alto), static_cast<int>(alineacion) | Qt::TextSingleLine | Qt::TextDontClip,
                    texto);
}

QStringList TLienzoInforme::Partir_Lineas(const QFont& fuente, const QString& texto, double ancho) const {
  QStringList lineas;
  QString limpio = texto;
  limpio.remove(QLatin1Char('\r'));
  for (const QString& parrafo : limpio.split(QLatin1Char('\n'))) {
    if (parrafo.isEmpty()) {
      lineas << QString();
      continue;
    }
    QTextLayout maqueta(parrafo, fuente, &impresora_);
    QTextOption opcion;
    opcion.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    maqueta.setTextOption(opcion);
    maqueta.beginLayout();
    for (QTextLine l = maqueta.createLine(); l.isValid(); l = maqueta.createLine()) {
      // Widths measured in millimetres come back a hair short: a text as
      // wide as its column stays on one line.
      l.setLineWidth(Mm(ancho) + 1);
      lineas << parrafo.mid(l.textStart(), l.textLength()).trimmed();
    }
    maqueta.endLayout();
  }
  return lineas;
}

void TLienzoInforme::Lineas(double x, const QFont& fuente, const QStringList& lineas, double ancho) {
  const double alto = Alto_Linea(fuente);
  for (const QString& l : lineas) {
    if (alto > Restante()) Nueva_Pagina();
    Texto(x, y_, ancho, alto, fuente, l);
    y_ += alto;
  }
}

void TLienzoInforme::Marco(double x, double y, double ancho, double alto) {
  painter_.setPen(QPen(Qt::black, Mm(0.2)));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(Rect(x, y, ancho, alto));
}

void TLienzoInforme::Linea(double x1, double y, double x2, const QColor& color) {
  painter_.setPen(QPen(color, Mm(0.2)));
  painter_.drawLine(QPointF(Mm(x1), Mm(y)), QPointF(Mm(x2), Mm(y)));
  painter_.setPen(Qt::black);
}

QPageLayout THojaInforme::Disposicion() const {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                     QPageLayout::Millimeter);
}

void THojaInforme::Preparar(QPrinter& impresora) const {
  impresora.setPageLayout(Disposicion());
  impresora.setFullPage(false);
}

void THojaInforme::Sacar(const QString& fichero, QWidget* padre, TAplicacion* aplicacion) {
  const QString carpeta = qEnvironmentVariable("OPTICA_IMPRESION_PDF");
  if (carpeta.isEmpty()) {
    Mostrar_Vista_Previa(padre);
    return;
  }
  const QString ruta = QDir(carpeta).filePath(fichero);
  if (!Imprimir_Pdf(ruta))
    aplicacion->MessageBox(QStringLiteral("No se ha podido escribir %1. Compruebe que la carpeta existe y se puede "
                                          "escribir en ella.")
                               .arg(ruta),
                           QStringLiteral("AVISO"), mb::OK | mb::ICONWARNING);
}

bool THojaInforme::Imprimir_Pdf(const QString& ruta) {
  QPrinter impresora(QPrinter::HighResolution);
  impresora.setOutputFormat(QPrinter::PdfFormat);
  impresora.setOutputFileName(ruta);
  return Imprimir(impresora);
}

bool THojaInforme::Imprimir(QPrinter& impresora) {
  Preparar(impresora);
  return Pintar(impresora);
}

bool THojaInforme::Pintar(QPrinter& impresora) {
  QPainter painter;
  if (!painter.begin(&impresora)) return false;
  painter.setPen(Qt::black);
  TLienzoInforme lienzo(painter, impresora, Puntos_Fuente());
  Dibujar(lienzo);
  return painter.end();
}

void THojaInforme::Mostrar_Vista_Previa(QWidget* padre) {
  QPrinter impresora(QPrinter::HighResolution);
  Preparar(impresora);
  QPrintPreviewDialog vista(&impresora, padre);
  QObject::connect(&vista, &QPrintPreviewDialog::paintRequested, [this](QPrinter* p) { Pintar(*p); });
  if (auto* hoja = vista.findChild<QPrintPreviewWidget*>()) hoja->fitToWidth();
  // Maximised; where no window manager maximises it, it takes the screen anyway.
  if (const QScreen* pantalla = padre ? padre->screen() : QGuiApplication::primaryScreen())
    vista.setGeometry(pantalla->availableGeometry());
  vista.setWindowState(vista.windowState() | Qt::WindowMaximized);
  vista.exec();
}

namespace {
constexpr double kAltoCabecera = 5.5, kAltoFila = 6.5, kMargenCelda = 1.0;
}

void TTablaInforme::Columna(const QString& titulo, double ancho, Qt::Alignment alineacion) {
  columnas_.append({titulo, ancho, alineacion, separar_});
  separar_ = false;
}

void TTablaInforme::Reglas(double alto) {
  const double y = lienzo_.Y();
  double x = 0;
  lienzo_.Marco(x, y, anchoEtiqueta_, alto);
  x += anchoEtiqueta_;
  for (const TColumna& c : columnas_) {
    lienzo_.Marco(x, y, c.ancho, alto);
    if (c.grupo) lienzo_.Marco(x - 0.6, y, 0.6, alto);
    x += c.ancho;
  }
}

void TTablaInforme::Cabecera() {
  lienzo_.Reservar(kAltoCabecera + 2 * kAltoFila);
  QPainter& p = lienzo_.Painter();
  const double y = lienzo_.Y();
  double x = anchoEtiqueta_;
  for (const TColumna& c : columnas_) {
    p.fillRect(lienzo_.Rect(x, y, c.ancho, kAltoCabecera), TLienzoInforme::kPlata);
    QFont f = lienzo_.Fuente_Etiqueta();
    const double disponible = c.ancho - kMargenCelda;
    const double ancho = lienzo_.Ancho_Texto(f, c.titulo);
    if (ancho > disponible) f.setStretch(static_cast<int>(100 * disponible / ancho));
    lienzo_.Texto(x, y, c.ancho, kAltoCabecera, f, c.titulo, Qt::AlignCenter);
    x += c.ancho;
  }
  Reglas(kAltoCabecera);
  lienzo_.Avanzar(kAltoCabecera);
}

void TTablaInforme::Fila(const QString& etiqueta, const QStringList& valores) {
  TRenglonInforme renglon(lienzo_, kAltoFila);
  renglon.Texto(0, anchoEtiqueta_, lienzo_.Fuente_Etiqueta(), etiqueta, Qt::AlignHCenter);
  double x = anchoEtiqueta_;
  for (int i = 0; i < columnas_.size(); ++i) {
    const TColumna& c = columnas_[i];
    renglon.Texto(x + kMargenCelda, c.ancho - 2 * kMargenCelda, lienzo_.Fuente(),
                  i < valores.size() ? valores[i] : QString(), c.alineacion);
    x += c.ancho;
  }
  const double alto = renglon.Dibujar();
  Reglas(alto);
  lienzo_.Avanzar(alto);
}

TRenglonInforme& TRenglonInforme::Texto(double x, double ancho, const QFont& fuente, const QString& texto,
                                        Qt::Alignment alineacion) {
  if (!texto.isEmpty())
    // A field is one paragraph: line breaks typed into it read as blanks.
    piezas_.append({x, ancho, fuente, lienzo_.Partir_Lineas(fuente, texto.simplified(), ancho), alineacion});
  return *this;
}

TRenglonInforme& TRenglonInforme::Campo(double x, double xValor, double xFin, const QString& etiqueta,
                                        const QString& valor) {
  Texto(x, xValor - x, lienzo_.Fuente_Etiqueta(), etiqueta);
  return Texto(xValor, xFin - xValor, lienzo_.Fuente(), valor);
}

double TRenglonInforme::Alto() const {
  double alto = alto_;
  for (const TPieza& p : piezas_) alto = std::max(alto, alto_ + (p.lineas.size() - 1) * lienzo_.Alto_Linea(p.fuente));
  return alto;
}

double TRenglonInforme::Dibujar() {
  const double alto = Alto();
  lienzo_.Reservar(alto);
  const double base = lienzo_.Y() + lienzo_.Linea_Base(alto_);
  QPainter& p = lienzo_.Painter();
  for (const TPieza& pieza : piezas_) {
    p.setFont(pieza.fuente);
    const QFontMetricsF fm(pieza.fuente, p.device());
    const double salto = lienzo_.Alto_Linea(pieza.fuente);
    for (int i = 0; i < pieza.lineas.size(); ++i) {
      const QString& linea = pieza.lineas[i];
      double x = lienzo_.Mm(pieza.x);
      const double sobra = lienzo_.Mm(pieza.ancho) - fm.horizontalAdvance(linea);
      if (pieza.alineacion & Qt::AlignRight) x += sobra;
      else if (pieza.alineacion & Qt::AlignHCenter) x += sobra / 2;
      p.drawText(QPointF(x, lienzo_.Mm(base + i * salto)), linea);
    }
  }
  return alto;
}
