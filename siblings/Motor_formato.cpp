#include "Motor_formato.h"

#include <cmath>

#include <QFileInfo>
#include <QMap>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <algorithm>

#include "Clase_tdocumento.h"

namespace {
// A hair of tolerance for sizes written with a decimal or two.
constexpr double kHolgura = 0.01;
// The largest measure a format may give, in millimetres (above A0's long
// side): beyond it, or "nan" and "inf", the format is wrong, not the paper.
constexpr double kMedidaMaxima = 5000;
bool Medida(double v) { return std::isfinite(v) && v >= 0 && v <= kMedidaMaxima; }
}  // namespace

bool THojaFormato::Fallo(int linea, const QString& que) {
  const QString fichero = QFileInfo(documento_.Fichero_Formato()).fileName();
  error_ = linea > 0 ? QStringLiteral("El formato '%1', línea %2: %3.").arg(fichero).arg(linea).arg(que)
                     : QStringLiteral("El formato '%1': %2.").arg(fichero, que);
  error_ += QStringLiteral(" No se imprime nada.");
  return false;
}

bool THojaFormato::Preparar_Controles() {
  controles_.clear();
  error_.clear();
  if (!Leer_Pagina()) return false;
  const TLectorIni& l = *documento_.Lector();
  const int total = documento_.Total_Controles();
  if (total < 1)
    return Fallo(l.Linea(QStringLiteral("CONTROLS"), QStringLiteral("TOTAL")),
                 QStringLiteral("[CONTROLS] TOTAL debe indicar cuántos controles tiene el formato"));
  for (int n = 1; n <= total; ++n)
    if (!Leer_Control(n)) return false;
  return true;
}

bool THojaFormato::Leer_Pagina() {
  const TLectorIni& l = *documento_.Lector();
  struct TMedida {
    const char* seccion;
    const char* clave;
    double* destino;
    bool obligatoria;
  } medidas[] = {
      {"PAPER", "WIDTH", &ancho_, true},      {"PAPER", "HEIGHT", &alto_, true},
      {"MARGIN", "TOP", &superior_, false},   {"MARGIN", "BOTTOM", &inferior_, false},
      {"MARGIN", "LEFT", &izquierdo_, false}, {"MARGIN", "RIGHT", &derecho_, false},
      {"BANDS", "HEADER", &cabecera_, false}, {"BANDS", "DETAIL", &detalle_, false},
      {"BANDS", "FOOTER", &pie_, false},
  };
  for (const TMedida& m : medidas) {
    const QString s = QLatin1String(m.seccion), k = QLatin1String(m.clave);
    *m.destino = 0;  // an absent margin or band is none
    if (!l.Hay_Clave(s, k)) {
      if (m.obligatoria) return Fallo(l.Linea(s), QStringLiteral("falta [%1] %2").arg(s, k));
      continue;
    }
    const double v = l.Real(s, k, -1);
    if (!l.Es_Numero(s, k) || !Medida(v) || (m.obligatoria && v <= 0))
      return Fallo(l.Linea(s, k), QStringLiteral("[%1] %2 debe ser una medida en milímetros%3 y de %4 como mucho")
                                      .arg(s, k,
                                           m.obligatoria ? QStringLiteral(" mayor que 0")
                                                         : QStringLiteral(" no negativa"))
                                      .arg(kMedidaMaxima));
    *m.destino = v;
  }
  anchoUtil_ = ancho_ - izquierdo_ - derecho_;
  altoUtil_ = alto_ - superior_ - inferior_;
  if (anchoUtil_ <= 0 || altoUtil_ <= 0)
    return Fallo(l.Linea(QStringLiteral("MARGIN")), QStringLiteral("los márgenes no dejan sitio en el papel"));
  if (cabecera_ + detalle_ + pie_ > altoUtil_ + kHolgura)
    return Fallo(l.Linea(QStringLiteral("BANDS")),
                 QStringLiteral("las bandas miden %1 mm y entre los márgenes solo caben %2 mm")
                     .arg(cabecera_ + detalle_ + pie_)
                     .arg(altoUtil_));
  return true;
}

bool THojaFormato::Leer_Control(int n) {
  const TLectorIni& l = *documento_.Lector();
  const QString s = QStringLiteral("CONTROL%1").arg(n);
  if (!l.Hay_Seccion(s))
    return Fallo(l.Linea(QStringLiteral("CONTROLS"), QStringLiteral("TOTAL")),
                 QStringLiteral("falta la sección [%1] de los %2 controles").arg(s).arg(documento_.Total_Controles()));
  TControlFormato c;
  c.numero = n;
  const auto linea = [&](const char* k) {
    const int ln = l.Linea(s, QLatin1String(k));
    return ln > 0 ? ln : l.Linea(s);
  };

  const QString clase = l.Texto(s, QStringLiteral("KIND")).toUpper();
  if (clase == QLatin1String("TEXT")) c.clase = TControlFormato::Texto;
  else if (clase == QLatin1String("VARIABLE")) c.clase = TControlFormato::Variable;
  else if (clase == QLatin1String("LINE")) c.clase = TControlFormato::Linea;
  else if (clase == QLatin1String("BOX")) c.clase = TControlFormato::Caja;
  else if (clase == QLatin1String("BARCODE")) c.clase = TControlFormato::Codigo;
  else
    return Fallo(linea("KIND"), QStringLiteral("[%1] KIND '%2' no es TEXT, VARIABLE, LINE, BOX ni BARCODE")
                                    .arg(s, l.Texto(s, QStringLiteral("KIND"))));

  const QString banda = l.Texto(s, QStringLiteral("BAND"), QStringLiteral("DETAIL")).toUpper();
  if (banda == QLatin1String("HEADER")) c.banda = TControlFormato::Cabecera;
  else if (banda == QLatin1String("DETAIL")) c.banda = TControlFormato::Detalle;
  else if (banda == QLatin1String("FOOTER")) c.banda = TControlFormato::Pie;
  else return Fallo(linea("BAND"), QStringLiteral("[%1] BAND debe ser HEADER, DETAIL o FOOTER").arg(s));

  struct TMedida {
    const char* clave;
    double* destino;
    double defecto;
  } medidas[] = {{"LEFT", &c.x, 0}, {"TOP", &c.y, 0}, {"WIDTH", &c.ancho, 0}, {"HEIGHT", &c.alto, 0},
                 {"PEN", &c.grosor, 0.2}, {"SIZE", &c.puntos, 10}};
  for (const TMedida& m : medidas) {
    const QString k = QLatin1String(m.clave);
    *m.destino = m.defecto;
    if (!l.Hay_Clave(s, k)) continue;
    if (!l.Es_Numero(s, k) || !Medida(l.Real(s, k, -1)))
      return Fallo(linea(m.clave), QStringLiteral("[%1] %2 '%3' debe ser un número no negativo de %4 como mucho")
                                       .arg(s, k, l.Texto(s, k))
                                       .arg(kMedidaMaxima));
    *m.destino = l.Real(s, k, m.defecto);
  }
  if (c.puntos <= 0) return Fallo(linea("SIZE"), QStringLiteral("[%1] SIZE debe ser mayor que 0").arg(s));

  const bool conTexto = c.clase == TControlFormato::Texto || c.clase == TControlFormato::Variable;
  if ((conTexto || c.clase == TControlFormato::Caja || c.clase == TControlFormato::Codigo) &&
      (c.ancho <= 0 || c.alto <= 0))
    return Fallo(l.Linea(s), QStringLiteral("[%1] necesita WIDTH y HEIGHT mayores que 0").arg(s));
  if (c.clase == TControlFormato::Linea && c.ancho > 0 && c.alto > 0)
    return Fallo(l.Linea(s), QStringLiteral("[%1] una línea es horizontal (HEIGHT=0) o vertical (WIDTH=0)").arg(s));

  const double altoBanda = c.banda == TControlFormato::Cabecera ? cabecera_
                           : c.banda == TControlFormato::Detalle ? detalle_
                                                                 : pie_;
  if (c.x + c.ancho > anchoUtil_ + kHolgura)
    return Fallo(linea("LEFT"), QStringLiteral("[%1] se sale por la derecha: acaba a %2 mm y caben %3 mm")
                                    .arg(s).arg(c.x + c.ancho).arg(anchoUtil_));
  if (c.y + c.alto > altoBanda + kHolgura)
    return Fallo(linea("TOP"), QStringLiteral("[%1] se sale de su banda %2 de %3 mm").arg(s, banda).arg(altoBanda));

  c.texto = l.Texto(s, conTexto && c.clase == TControlFormato::Variable ? QStringLiteral("PREFIX")
                                                                        : QStringLiteral("TEXT"));
  for (const auto& [clave, destino] : {std::pair{"BOLD", &c.negrita}, std::pair{"ITALIC", &c.cursiva},
                                       std::pair{"WRAP", &c.partir}, std::pair{"FILL", &c.relleno},
                                       std::pair{"OPTIONAL", &c.opcional}}) {
    const QString v = l.Texto(s, QLatin1String(clave), QStringLiteral("0"));
    if (v != QLatin1String("0") && v != QLatin1String("1"))
      return Fallo(linea(clave), QStringLiteral("[%1] %2 debe ser 0 o 1").arg(s, QLatin1String(clave)));
    *destino = v == QLatin1String("1");
  }
  if (c.clase == TControlFormato::Codigo &&
      !codigo_barras::Simbologia(l.Texto(s, QStringLiteral("SYMBOLOGY")), c.simbologia))
    return Fallo(linea("SYMBOLOGY"), QStringLiteral("[%1] SYMBOLOGY debe ser GS1DATAMATRIX, DATAMATRIX, QR, GS1-128 o "
                                                    "CODE128")
                                         .arg(s));
  if (c.clase == TControlFormato::Variable || c.clase == TControlFormato::Codigo) {
    if (!l.Hay_Clave(s, QStringLiteral("VARIABLE")))
      return Fallo(l.Linea(s), QStringLiteral("[%1] no dice qué VARIABLE imprime").arg(s));
    bool ok = false;
    c.codigo = l.Texto(s, QStringLiteral("VARIABLE")).toInt(&ok);
    if (!ok) return Fallo(linea("VARIABLE"), QStringLiteral("[%1] VARIABLE debe ser un código").arg(s));
    // Some values exist only for some records (the company's town, the
    // patient's sex): a control that says so prints nothing without them.
    if (!c.opcional && !documento_.Valor(c.codigo))
      return Fallo(linea("VARIABLE"), QStringLiteral("[%1] la variable %2 no está en el documento (%3)")
                                          .arg(s).arg(c.codigo).arg(documento_.Nombre_Tipo_Documento()));
    // Data the symbology cannot hold is told before anything prints.
    QString datos;
    documento_.Valor(c.codigo, &datos);
    if (c.clase == TControlFormato::Codigo && !datos.isEmpty()) {
      const codigo_barras::TSimbolo simbolo = codigo_barras::Codificar(c.simbologia, datos);
      if (!simbolo.Valido())
        return Fallo(linea("VARIABLE"), QStringLiteral("[%1] la variable %2 no se puede escribir en el código (%3)")
                                            .arg(s)
                                            .arg(c.codigo)
                                            .arg(simbolo.error));
    }
  }

  c.familia = l.Texto(s, QStringLiteral("FONT"), c.familia);
  const QString alin = l.Texto(s, QStringLiteral("ALIGN"), QStringLiteral("LEFT")).toUpper();
  if (alin == QLatin1String("LEFT")) c.alineacion = Qt::AlignLeft;
  else if (alin == QLatin1String("CENTER")) c.alineacion = Qt::AlignHCenter;
  else if (alin == QLatin1String("RIGHT")) c.alineacion = Qt::AlignRight;
  else return Fallo(linea("ALIGN"), QStringLiteral("[%1] ALIGN debe ser LEFT, CENTER o RIGHT").arg(s));

  controles_.append(c);
  return true;
}

QPageLayout THojaFormato::Disposicion() const {
  // A page wider than tall is the same paper turned.
  const bool apaisada = ancho_ > alto_;
  const QSizeF tamano = apaisada ? QSizeF(alto_, ancho_) : QSizeF(ancho_, alto_);
  return QPageLayout(QPageSize(tamano, QPageSize::Millimeter), apaisada ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(izquierdo_, superior_, derecho_, inferior_), QPageLayout::Millimeter);
}

QString THojaFormato::Texto_Control(const TControlFormato& c) const {
  if (c.clase == TControlFormato::Texto) return c.texto;
  if (c.clase != TControlFormato::Variable) return {};
  QString valor;
  documento_.Valor(c.codigo, &valor);
  // The prefix is a caption of the value: no value, no caption.
  return valor.isEmpty() ? QString() : c.texto + valor;
}

double THojaFormato::TColocado::Arriba() const {
  return control->partir ? y : y + std::max(0.0, (control->alto - altoLinea) / 2);
}

double THojaFormato::TColocado::Necesario() const {
  const double margen = control->partir ? 0 : std::max(0.0, control->alto - altoLinea);
  return margen + lineas.size() * altoLinea;
}

THojaFormato::TBandaColocada THojaFormato::Colocar(TLienzoInforme& lienzo, TControlFormato::TBanda banda,
                                                   double alto) const {
  TBandaColocada b;
  // Where each text needs more height than its box has: at the box's foot
  // (in hundredths of a millimetre, so that 5,5 and 5,50 are one place), by
  // the most any box ending there needs.
  QMap<qint64, double> empujes;
  const auto lugar = [](double mm) { return qRound64(mm * 100); };
  for (const TControlFormato& c : controles_) {
    if (c.banda != banda) continue;
    TColocado k;
    k.control = &c;
    if (c.clase == TControlFormato::Codigo) {
      QString datos;
      documento_.Valor(c.codigo, &datos);
      if (!datos.isEmpty()) k.simbolo = codigo_barras::Codificar(c.simbologia, datos);
    } else if (const QString texto = Texto_Control(c); !texto.isEmpty()) {
      k.fuente = TLienzoInforme::Crear_Fuente(c.familia, c.puntos, c.negrita, c.cursiva);
      k.altoLinea = lienzo.Alto_Linea(k.fuente);
      // A field is one paragraph: line breaks in its value read as blanks.
      k.lineas = lienzo.Partir_Lineas(k.fuente, c.partir ? texto : texto.simplified(), c.ancho);
      const double falta = k.Necesario() - c.alto;
      if (falta > kHolgura) {
        double& empuje = empujes[lugar(c.y + c.alto)];
        empuje = std::max(empuje, falta);
      }
    }
    b.controles.append(k);
  }
  const auto bajada = [&](double y) {
    double d = 0;
    for (auto i = empujes.cbegin(); i != empujes.cend() && i.key() <= lugar(y); ++i) d += i.value();
    return d;
  };
  for (TColocado& k : b.controles) {
    const TControlFormato& c = *k.control;
    k.y = c.y + bajada(c.y);
    k.alto = c.y + c.alto + bajada(c.y + c.alto) - k.y;
  }
  b.alto = alto + bajada(alto);
  return b;
}

QList<double> THojaFormato::Saltos(const TBandaColocada& detalle, double disponible) {
  // What a page break may not go through: a row or a field kept whole, or,
  // for a box taller than a third of the page, each line of its text.
  QList<std::pair<double, double>> enteros;
  for (const TColocado& k : detalle.controles) {
    // A barcode is never split between two pages.
    if (k.simbolo.Valido()) enteros.append({k.y, k.y + k.alto});
    if (k.lineas.isEmpty()) continue;
    if (k.alto <= disponible / 3) {
      enteros.append({k.y, k.y + k.alto});
      continue;
    }
    for (int i = 0; i < k.lineas.size(); ++i)
      enteros.append({k.Arriba() + i * k.altoLinea, k.Arriba() + (i + 1) * k.altoLinea});
  }
  QList<double> saltos;
  for (double desde = 0; detalle.alto - desde > disponible + kHolgura;) {
    double salto = desde + disponible;
    for (bool movido = true; movido;) {
      movido = false;
      for (const auto& [a, b] : enteros)
        if (a < salto - kHolgura && b > salto + kHolgura && a > desde + kHolgura) {
          salto = a;
          movido = true;
        }
    }
    // Nothing to break between (a line taller than the page): the page is
    // filled and the rest goes on over the next.
    if (salto <= desde + kHolgura) salto = desde + disponible;
    saltos.append(salto);
    desde = salto;
  }
  return saltos;
}

void THojaFormato::Dibujar_Control(TLienzoInforme& lienzo, const TColocado& k, double yBanda, double desde,
                                   double hasta) {
  const TControlFormato& c = *k.control;
  QPainter& p = lienzo.Painter();
  const double x = c.x, y = yBanda + k.y;
  switch (c.clase) {
    case TControlFormato::Linea:
      p.setPen(QPen(Qt::black, lienzo.Mm(c.grosor)));
      p.drawLine(QPointF(lienzo.Mm(x), lienzo.Mm(y)), QPointF(lienzo.Mm(x + c.ancho), lienzo.Mm(y + k.alto)));
      return;
    case TControlFormato::Caja:
      if (c.relleno) p.fillRect(lienzo.Rect(x, y, c.ancho, k.alto), TLienzoInforme::kPlata);
      p.setPen(QPen(Qt::black, lienzo.Mm(c.grosor)));
      p.setBrush(Qt::NoBrush);
      if (c.grosor > 0) p.drawRect(lienzo.Rect(x, y, c.ancho, k.alto));
      return;
    case TControlFormato::Codigo:
      codigo_barras::Dibujar(p, lienzo.Rect(x, y, c.ancho, k.alto), k.simbolo, c.simbologia);
      return;
    case TControlFormato::Texto:
    case TControlFormato::Variable: break;
  }
  p.setPen(Qt::black);
  for (int i = 0; i < k.lineas.size(); ++i) {
    // Each line is printed on the one page whose part of the band holds it.
    const double linea = k.Arriba() + i * k.altoLinea;
    if (linea < desde - kHolgura || linea + k.altoLinea > hasta + kHolgura) continue;
    lienzo.Texto(x, yBanda + linea, c.ancho, k.altoLinea, k.fuente, k.lineas[i], c.alineacion | Qt::AlignVCenter);
  }
}

void THojaFormato::Dibujar(TLienzoInforme& lienzo) {
  const TBandaColocada cabecera = Colocar(lienzo, TControlFormato::Cabecera, cabecera_);
  const TBandaColocada detalle = Colocar(lienzo, TControlFormato::Detalle, detalle_);
  const TBandaColocada pie = Colocar(lienzo, TControlFormato::Pie, pie_);
  const double yPie = altoUtil_ - pie.alto;
  // A header and a footer that leave no room between them: the detail is
  // printed whole under the header, where it lands.
  const double disponible = yPie - cabecera.alto > 1 ? yPie - cabecera.alto : detalle.alto;
  QList<double> cortes{0};
  cortes << Saltos(detalle, disponible) << std::max(detalle.alto, 0.0);

  QPainter& p = lienzo.Painter();
  const int copias = std::max(1, documento_.Copias());
  for (int copia = 0; copia < copias; ++copia) {
    for (int i = 0; i + 1 < cortes.size(); ++i) {
      if (copia > 0 || i > 0) lienzo.Nueva_Pagina();
      for (const TColocado& k : cabecera.controles) Dibujar_Control(lienzo, k, 0, 0, cabecera.alto);
      for (const TColocado& k : pie.controles) Dibujar_Control(lienzo, k, yPie, 0, pie.alto);
      // This page's part of the detail: frames and rules crossing a break
      // are drawn on both pages, open at the break.
      const double desde = cortes[i], hasta = cortes[i + 1];
      const double arriba = i == 0 ? -superior_ : cabecera.alto;
      const double abajo = i + 2 == cortes.size() ? alto_ : cabecera.alto + hasta - desde;
      p.save();
      p.setClipRect(lienzo.Rect(-izquierdo_, arriba, ancho_, abajo - arriba));
      for (const TColocado& k : detalle.controles) Dibujar_Control(lienzo, k, cabecera.alto - desde, desde, hasta);
      p.restore();
    }
  }
}
