#include "Codigo_gs1.h"

#include <cmath>

namespace gs1 {
namespace {

enum class TDato { kNumerico, kAlfanumerico, kFecha, kGtin };

// The application identifiers a lens box (or a shipping label beside it) may
// carry. `fijo`: the field's data has exactly `longitud` characters and needs
// no separator after it; otherwise it has 1 to `longitud` characters.
struct TIdentificador {
  const char* ai;
  int longitud;
  bool fijo;
  TDato dato;
};

constexpr TIdentificador kIdentificadores[] = {
    {"00", 18, true, TDato::kNumerico},      {"01", 14, true, TDato::kGtin},
    {"02", 14, true, TDato::kGtin},          {"10", 20, false, TDato::kAlfanumerico},
    {"11", 6, true, TDato::kFecha},          {"12", 6, true, TDato::kFecha},
    {"13", 6, true, TDato::kFecha},          {"15", 6, true, TDato::kFecha},
    {"16", 6, true, TDato::kFecha},          {"17", 6, true, TDato::kFecha},
    {"20", 2, true, TDato::kNumerico},       {"21", 20, false, TDato::kAlfanumerico},
    {"22", 20, false, TDato::kAlfanumerico}, {"235", 28, false, TDato::kAlfanumerico},
    {"240", 30, false, TDato::kAlfanumerico}, {"241", 30, false, TDato::kAlfanumerico},
    {"242", 6, false, TDato::kNumerico},     {"30", 8, false, TDato::kNumerico},
    {"37", 8, false, TDato::kNumerico},      {"7240", 20, false, TDato::kAlfanumerico},
};

// AIs 91 to 99 are each company's own; 310n to 369n are measures of 6 digits
// and 410 to 417 location numbers of 13, each family with a fixed length.
bool Buscar_Identificador(QStringView resto, TIdentificador& id, QString& ai) {
  for (const TIdentificador& i : kIdentificadores) {
    const QLatin1String a(i.ai);
    if (resto.startsWith(a)) {
      id = i;
      ai = a;
      return true;
    }
  }
  if (resto.size() >= 2 && resto[0] == u'9' && resto[1].isDigit() && resto[1] != u'0') {
    id = {"9x", 90, false, TDato::kAlfanumerico};
    ai = resto.left(2).toString();
    return true;
  }
  if (resto.size() >= 4 && resto[0] == u'3' && resto[1] >= u'1' && resto[1] <= u'6' && resto[2].isDigit() &&
      resto[3].isDigit()) {
    id = {"3xxx", 6, true, TDato::kNumerico};
    ai = resto.left(4).toString();
    return true;
  }
  if (resto.size() >= 3 && resto[0] == u'4' && resto[1] == u'1' && resto[2] >= u'0' && resto[2] <= u'7') {
    id = {"41x", 13, true, TDato::kNumerico};
    ai = resto.left(3).toString();
    return true;
  }
  return false;
}

// GS1's character set 82, the one alphanumeric fields are made of.
bool Caracter_82(QChar c) {
  const char16_t u = c.unicode();
  if ((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')) return true;
  return QStringView(u"!\"%&'()*+,-./:;<=>?_").contains(c);
}

bool Solo_Digitos(QStringView s) {
  for (QChar c : s)
    if (c < u'0' || c > u'9') return false;
  return !s.isEmpty();
}

// The symbology identifiers of the GS1 symbols: DataMatrix, GS1-128, QR
// Code, DataBar, Aztec.
bool Identificador_Gs1(QStringView s) {
  for (const char16_t* i : {u"]d2", u"]C1", u"]Q3", u"]e0", u"]z1"})
    if (s == QStringView(i)) return true;
  return false;
}

TLectura Fallo(TFallo f, const QString& mensaje) {
  TLectura l;
  l.fallo = f;
  l.mensaje = mensaje;
  return l;
}

QString Caracter_Legible(QChar c) {
  if (c.unicode() < 32) return QStringLiteral("el carácter de control %1").arg(c.unicode());
  return QStringLiteral("«%1»").arg(c);
}

}  // namespace

int Digito_Control(QStringView digitos) {
  // Weights 3 and 1 from the right, the digit that makes the sum a multiple of 10.
  int suma = 0;
  for (qsizetype i = 0; i < digitos.size(); ++i) {
    const int d = digitos[digitos.size() - 1 - i].unicode() - u'0';
    suma += i % 2 == 0 ? 3 * d : d;
  }
  return (10 - suma % 10) % 10;
}

bool Gtin_Valido(QStringView gtin) {
  const auto n = gtin.size();
  if ((n != 8 && n != 12 && n != 13 && n != 14) || !Solo_Digitos(gtin)) return false;
  return Digito_Control(gtin.left(n - 1)) == gtin[n - 1].unicode() - u'0';
}

QString Gtin14(double codigoBarras) {
  if (!(codigoBarras > 0) || codigoBarras >= 1e14 || std::floor(codigoBarras) != codigoBarras) return {};
  const QString gtin = QStringLiteral("%1").arg(static_cast<qint64>(codigoBarras), 14, 10, QLatin1Char('0'));
  return Gtin_Valido(gtin) ? gtin : QString();
}

QDate Fecha_Yymmdd(QStringView t, bool diaCeroFinDeMes, QDate hoy) {
  if (t.size() != 6 || !Solo_Digitos(t)) return {};
  const int yy = t.left(2).toInt(), mm = t.mid(2, 2).toInt(), dd = t.mid(4, 2).toInt();
  // The century that puts the year nearest to today: up to 49 years back and
  // 50 ahead (GS1 General Specifications, 7.12).
  const int actual = hoy.isValid() ? hoy.year() : QDate::currentDate().year();
  const int siglo = actual / 100 * 100;
  int anio = siglo + yy;
  const int diferencia = yy - actual % 100;
  if (diferencia >= 51) anio -= 100;
  else if (diferencia <= -50) anio += 100;
  if (mm < 1 || mm > 12) return {};
  if (dd == 0) return diaCeroFinDeMes ? QDate(anio, mm, 1).addMonths(1).addDays(-1) : QDate();
  return QDate(anio, mm, dd);  // invalid when the month has no such day
}

bool Parece_Gs1(QStringView t, QChar sustituto) {
  if (t.size() >= 3 && t[0] == u']') return Identificador_Gs1(t.left(3));
  if (t.contains(QChar(kSeparador))) return true;
  if (!sustituto.isNull() && t.contains(sustituto)) return true;
  return t.size() > 16 && t.startsWith(u"01") && Solo_Digitos(t.mid(2, 14));
}

namespace {

// A code that carries no separator at all came from a scanner that may have
// dropped them, and its last field, of variable length, runs to the end. Most
// such codes are what they seem; but when the end of that field is itself a
// field of fixed length whose data GS1 can check (a GTIN with its check
// digit, a date) and the code read with a separator before it is a whole,
// valid code too, the text has two readings and nothing in it says which:
// the code is refused, never guessed. A serial's "21" inside a lot is not
// such a case: any lot may hold those characters, and nothing checks them.
TLectura Otra_Lectura(const QString& t, qsizetype inicio, const QString& ai, QDate hoy) {
  for (qsizetype j = inicio + 1; j < t.size(); ++j) {
    TIdentificador id;
    QString otro;
    const QStringView cola = QStringView(t).mid(j);
    if (!Buscar_Identificador(cola, id, otro) || !id.fijo || (id.dato != TDato::kGtin && id.dato != TDato::kFecha))
      continue;
    const QString partida = t.left(j) + QChar(kSeparador) + t.mid(j);
    if (!Leer(partida, QChar(), hoy).Valida()) continue;
    return Fallo(TFallo::kSinSeparador,
                 QStringLiteral("El código se puede leer de dos maneras: el campo (%1) «%2», o el campo (%1) «%3» "
                                "seguido del campo (%4) «%5»%6. El lector no ha enviado el separador de campos: "
                                "configure el lector para que lo envíe, o indique el carácter que envía en su lugar.")
                     .arg(ai, t.mid(inicio), t.mid(inicio, j - inicio), otro,
                          cola.mid(otro.size(), id.longitud).toString(),
                          cola.size() > otro.size() + id.longitud ? QStringLiteral(" y de otros") : QString()));
  }
  return {};
}

}  // namespace

TLectura Leer(QStringView texto, QChar sustituto, QDate hoy) {
  QString t = texto.trimmed().toString();
  if (!sustituto.isNull() && sustituto != QChar(kSeparador)) t.replace(sustituto, QChar(kSeparador));
  if (t.size() >= 3 && t[0] == u']') {
    if (!Identificador_Gs1(QStringView(t).left(3)))
      return Fallo(TFallo::kNoGs1, QStringLiteral("El código leído (%1) no es un código GS1.").arg(t.left(3)));
    t.remove(0, 3);
  }
  // A scanner whose replacement the workstation names sends separators, and
  // so does one that sends the symbol's leading FNC1 as one (some do).
  const bool conSeparadores = !sustituto.isNull() || t.contains(QChar(kSeparador));
  while (!t.isEmpty() && t[0] == QChar(kSeparador)) t.remove(0, 1);
  if (t.isEmpty()) return Fallo(TFallo::kVacio, QStringLiteral("No se ha leído ningún código."));

  TLectura l;
  TCaja& c = l.caja;
  QStringView resto(t);
  // The last field read, when it is of variable length: where its data
  // starts in `t`, and its AI.
  qsizetype inicioVariable = -1;
  QString aiVariable;
  while (!resto.isEmpty()) {
    TIdentificador id;
    QString ai;
    if (!Buscar_Identificador(resto, id, ai))
      return Fallo(TFallo::kIdentificador,
                   QStringLiteral("El código lleva un campo que no se reconoce («%1…»): no es el código de una caja "
                                  "o el lector no ha enviado el separador de campos.")
                       .arg(resto.left(4).toString()));
    resto = resto.mid(ai.size());
    QStringView dato;
    if (id.fijo) {
      dato = resto.left(id.longitud);
      if (dato.size() < id.longitud || dato.contains(QChar(kSeparador)))
        return Fallo(TFallo::kCorto, QStringLiteral("El campo (%1) del código debe tener %2 caracteres.")
                                         .arg(ai)
                                         .arg(id.longitud));
      resto = resto.mid(id.longitud);
    } else {
      const qsizetype fin = resto.indexOf(QChar(kSeparador));
      dato = fin < 0 ? resto : resto.left(fin);
      inicioVariable = fin < 0 ? t.size() - resto.size() : -1;
      aiVariable = ai;
      resto = fin < 0 ? QStringView() : resto.mid(fin);
      if (dato.isEmpty())
        return Fallo(TFallo::kCorto, QStringLiteral("El campo (%1) del código está vacío.").arg(ai));
      if (dato.size() > id.longitud)
        return Fallo(TFallo::kSinSeparador,
                     QStringLiteral("El campo (%1) del código tiene %2 caracteres y admite %3 como mucho: el lector "
                                    "no ha enviado el separador de campos. Configure el lector para que lo envíe, o "
                                    "indique el carácter que envía en su lugar.")
                         .arg(ai)
                         .arg(dato.size())
                         .arg(id.longitud));
    }
    // A separator after a field of fixed length is allowed, and skipped.
    while (!resto.isEmpty() && resto[0] == QChar(kSeparador)) resto = resto.mid(1);

    for (QChar ch : dato) {
      const bool bien = id.dato == TDato::kAlfanumerico ? Caracter_82(ch) : (ch >= u'0' && ch <= u'9');
      if (!bien)
        return Fallo(TFallo::kCaracter,
                     QStringLiteral("El campo (%1) del código lleva %2, que no puede llevar. Si el lector cambia el "
                                    "separador de campos por otro carácter, indíquelo en la configuración.")
                         .arg(ai, Caracter_Legible(ch)));
    }
    QDate fecha;
    switch (id.dato) {
      case TDato::kGtin:
        if (!Gtin_Valido(dato))
          return Fallo(TFallo::kDigitoControl,
                       QStringLiteral("El GTIN %1 del código no es válido: su dígito de control debería ser %2.")
                           .arg(dato.toString())
                           .arg(Digito_Control(dato.left(13))));
        break;
      case TDato::kFecha:
        // Only an expiry or best-before date may say "day 00".
        fecha = Fecha_Yymmdd(dato, ai == QLatin1String("17") || ai == QLatin1String("15") ||
                                       ai == QLatin1String("16") || ai == QLatin1String("12"),
                             hoy);
        if (!fecha.isValid())
          return Fallo(TFallo::kFecha,
                       QStringLiteral("La fecha del campo (%1) del código («%2») no es una fecha.").arg(ai, dato));
        break;
      default: break;
    }
    bool repetido = false;
    for (const auto& [a, v] : c.campos) {
      if (a != ai) continue;
      if (v != dato)
        return Fallo(TFallo::kRepetido, QStringLiteral("El código lleva dos veces el campo (%1) con datos distintos.")
                                            .arg(ai));
      repetido = true;
    }
    if (repetido) continue;
    c.campos.append({ai, dato.toString()});
    if (ai == QLatin1String("01")) c.gtin = dato.toString();
    else if (ai == QLatin1String("10")) c.lote = dato.toString();
    else if (ai == QLatin1String("21")) c.serie = dato.toString();
    else if (ai == QLatin1String("17")) c.caducidad = fecha;
    else if (ai == QLatin1String("11")) c.fabricacion = fecha;
  }
  if (!conSeparadores && inicioVariable >= 0)
    if (TLectura otra = Otra_Lectura(t, inicioVariable, aiVariable, hoy); !otra.Valida()) return otra;
  return l;
}

QString Rechazo_Caja(const TCaja& caja, QDate hoy, int anchoLote) {
  if (caja.gtin.isEmpty())
    return QStringLiteral("El código leído no lleva el GTIN del artículo (01): no es el código de una caja de lentes.");
  if (caja.caducidad.isValid() && caja.caducidad < hoy)
    return QStringLiteral("La caja está caducada desde el %1. No se ha rellenado nada: retírela y escanee otra.")
        .arg(caja.caducidad.toString(QStringLiteral("dd/MM/yyyy")));
  if (caja.lote.size() > anchoLote)
    return QStringLiteral("El lote de la caja («%1») tiene %2 caracteres y aquí caben %3. No se ha rellenado nada.")
        .arg(caja.lote)
        .arg(caja.lote.size())
        .arg(anchoLote);
  return {};
}

namespace {
QString Yymmdd(QDate d) { return d.toString(QStringLiteral("yyMMdd")); }
}  // namespace

QString Cadena_Corchetes(const TCaja& c) {
  if (c.gtin.isEmpty()) return {};
  QString s = QStringLiteral("[01]") + c.gtin;
  if (c.fabricacion.isValid()) s += QStringLiteral("[11]") + Yymmdd(c.fabricacion);
  if (c.caducidad.isValid()) s += QStringLiteral("[17]") + Yymmdd(c.caducidad);
  if (!c.lote.isEmpty()) s += QStringLiteral("[10]") + c.lote;
  if (!c.serie.isEmpty()) s += QStringLiteral("[21]") + c.serie;
  return s;
}

QString Cadena_Elementos(const TCaja& c, QChar separador) {
  if (c.gtin.isEmpty()) return {};
  QString s = QStringLiteral("01") + c.gtin;
  if (c.fabricacion.isValid()) s += QStringLiteral("11") + Yymmdd(c.fabricacion);
  if (c.caducidad.isValid()) s += QStringLiteral("17") + Yymmdd(c.caducidad);
  if (!c.lote.isEmpty()) s += QStringLiteral("10") + c.lote;
  if (!c.serie.isEmpty()) s += (c.lote.isEmpty() ? QString() : QString(separador)) + QStringLiteral("21") + c.serie;
  return s;
}

}  // namespace gs1
