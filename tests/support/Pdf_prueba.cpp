#include "Pdf_prueba.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>

namespace {

QString Ejecutar(const QString& programa, const QStringList& argumentos) {
  QProcess p;
  p.start(programa, argumentos);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return QStringLiteral("<error de %1>").arg(programa);
  return QString::fromUtf8(p.readAllStandardOutput());
}

QString Sin_Blancos(const QString& texto) {
  QString s = texto.normalized(QString::NormalizationForm_KC);
  s.remove(QRegularExpression(QStringLiteral("\\s")));
  return s;
}

// The word that goes on with a value after `anterior`, whose text is the
// next piece of `resto` (or holds the last piece and more: a neighbour's
// text run into it): on the same line just after it, else on the next line,
// else on the next page (under the page's header). Of several, the longest
// (a short one may be a piece of some other value), then the nearest the
// columns the value has taken so far, [x0, x1] (a wrapped line starts at its
// box's edge, which may be left of the value's first word, after a caption).
const TPalabra* Siguiente(const QList<TPalabra>& palabras, const TPalabra& anterior, const QString& resto, double x0,
                          double x1) {
  const double alto = anterior.y1 - anterior.y0;
  const auto distancia = [&](const TPalabra& w) { return std::max({0.0, x0 - w.x1, w.x0 - x1}); };
  const auto mejor = [&](const TPalabra* a, const TPalabra& b, bool porLinea) {
    if (!a) return true;
    if (porLinea && std::abs(b.y0 - a->y0) > alto / 3) return b.y0 < a->y0;
    if (b.texto.size() != a->texto.size()) return b.texto.size() > a->texto.size();
    return distancia(b) < distancia(*a);
  };
  const TPalabra *linea = nullptr, *debajo = nullptr, *pagina = nullptr;
  for (const TPalabra& w : palabras) {
    if (w.texto.isEmpty() || &w == &anterior) continue;
    if (!resto.startsWith(w.texto) && !w.texto.startsWith(resto)) continue;
    if (w.pagina == anterior.pagina && std::abs(w.y0 - anterior.y0) < alto / 3) {
      if (w.x0 > anterior.x1 - 0.5 && w.x0 < anterior.x1 + 2 * alto && (!linea || w.x0 < linea->x0)) linea = &w;
    } else if (w.pagina == anterior.pagina && w.y0 > anterior.y0 + alto / 2 && w.y0 < anterior.y1 + alto) {
      if (mejor(debajo, w, true)) debajo = &w;
    } else if (w.pagina == anterior.pagina + 1) {
      if (mejor(pagina, w, false)) pagina = &w;
    }
  }
  return linea ? linea : debajo ? debajo : pagina;
}

}  // namespace

QString Texto_Pdf(const QString& pdf, int pagina) {
  QStringList a{QStringLiteral("-layout")};
  if (pagina > 0) a << "-f" << QString::number(pagina) << "-l" << QString::number(pagina);
  return Ejecutar(QStringLiteral("pdftotext"), a << pdf << QStringLiteral("-"));
}

QString Info_Pdf(const QString& pdf, const char* campo) {
  const auto m = QRegularExpression(QStringLiteral("%1:\\s+([^\\n]+)").arg(QLatin1String(campo)))
                     .match(Ejecutar(QStringLiteral("pdfinfo"), {pdf}));
  return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

int Paginas_Pdf(const QString& pdf) {
  bool ok = false;
  const int n = Info_Pdf(pdf, "Pages").toInt(&ok);
  return ok ? n : -1;
}

QList<TPalabra> Palabras_Pdf(const QString& pdf) {
  QList<TPalabra> palabras;
  QXmlStreamReader xml(Ejecutar(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"}));
  int pagina = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("page")) ++pagina;
    if (xml.name() != QLatin1String("word")) continue;
    const auto a = xml.attributes();
    TPalabra p{{}, a.value("xMin").toDouble(), a.value("yMin").toDouble(), a.value("xMax").toDouble(),
               a.value("yMax").toDouble(), pagina};
    p.texto = xml.readElementText();
    palabras << p;
  }
  return palabras;
}

TPalabra Palabra(const QList<TPalabra>& palabras, const QString& texto, int n) {
  for (const TPalabra& p : palabras)
    if (p.texto == texto && n-- == 0) return p;
  return {texto + QStringLiteral(" (no está)"), -1000, -1000, -1000, -1000, 0};
}

QString Texto_Largo(const QString& campo, int longitud) {
  QString t;
  for (int i = 1; t.size() < longitud; ++i)
    t += (t.isEmpty() ? QString() : QStringLiteral(" ")) + campo + QString::number(i);
  t.truncate(longitud);
  // A blank at the end would be lost on the way: the last word ends it.
  if (t.endsWith(QLatin1Char(' '))) t[t.size() - 1] = QLatin1Char('x');
  return t;
}

bool Impreso_Entero(const QList<TPalabra>& leidas, const QString& valor) {
  const QString buscado = Sin_Blancos(valor);
  if (buscado.isEmpty()) return true;
  QList<TPalabra> palabras = leidas;
  for (TPalabra& w : palabras) w.texto = Sin_Blancos(w.texto);
  for (const TPalabra& primera : palabras) {
    const QString& t = primera.texto;
    // The value's last piece may have a neighbour's text run into it; its
    // first piece no: "180" is not found in "Observacion180".
    if (t.startsWith(buscado)) return true;
    if (t.isEmpty() || !buscado.startsWith(t)) continue;
    QString resto = buscado.mid(t.size());
    const TPalabra* w = &primera;
    double x0 = w->x0, x1 = w->x1;
    while (!resto.isEmpty()) {
      w = Siguiente(palabras, *w, resto, x0, x1);
      if (!w) break;
      resto = w->texto.startsWith(resto) ? QString() : resto.mid(w->texto.size());
      x0 = std::min(x0, w->x0);
      x1 = std::max(x1, w->x1);
    }
    if (resto.isEmpty()) return true;
  }
  return false;
}

void Comprobar_Sin_Solapes(const QList<TPalabra>& palabras, const QRectF& area) {
  const QRectF dentro = area.adjusted(-0.5, -0.5, 0.5, 0.5);
  for (int i = 0; i < palabras.size(); ++i) {
    const TPalabra& a = palabras[i];
    EXPECT_TRUE(a.x0 >= dentro.left() && a.x1 <= dentro.right() && a.y0 >= dentro.top() && a.y1 <= dentro.bottom())
        << a.texto.toStdString() << " fuera de los márgenes en la página " << a.pagina;
    for (int j = i + 1; j < palabras.size(); ++j) {
      const TPalabra& b = palabras[j];
      if (a.pagina != b.pagina) continue;
      // Glyph boxes of neighbouring lines may touch; a real overlap covers
      // a good part of the smaller word.
      const double ancho = std::min(a.x1, b.x1) - std::max(a.x0, b.x0);
      const double alto = std::min(a.y1, b.y1) - std::max(a.y0, b.y0);
      EXPECT_FALSE(ancho > 0.5 && alto > 0.35 * std::min(a.y1 - a.y0, b.y1 - b.y0))
          << a.texto.toStdString() << " y " << b.texto.toStdString() << " se pisan en la página " << a.pagina;
    }
  }
}
