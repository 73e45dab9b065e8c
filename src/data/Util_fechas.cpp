#include "Util_fechas.h"

#include <cmath>

namespace fechas {

namespace {
// Constant-initialized, so it is right even for callers that run during static
// initialization (a dynamically built QDate could still be empty then).
constexpr QDate kDiaCero = QDate::fromJulianDay(2415019);  // 30/12/1899
constexpr double kMsPorDia = 86400000.0;

// The day count's integer part is the day; for dates before the zero date the
// fraction still counts forward into the day (-1.25 is 29/12/1899 06:00).
void Partir(TDateTime valor, qint64& dias, qint64& ms) {
  const double entero = std::trunc(valor);
  dias = static_cast<qint64>(entero);
  ms = std::llround(std::fabs(valor - entero) * kMsPorDia);
  if (ms >= static_cast<qint64>(kMsPorDia)) {
    ms = 0;
    dias += valor < 0 ? -1 : 1;
  }
}

TDateTime Unir(qint64 dias, qint64 ms) {
  const double fraccion = static_cast<double>(ms) / kMsPorDia;
  return dias < 0 ? static_cast<double>(dias) - fraccion : static_cast<double>(dias) + fraccion;
}
}  // namespace

QDateTime A_QDateTime(TDateTime valor) {
  qint64 dias, ms;
  Partir(valor, dias, ms);
  return QDateTime(kDiaCero.addDays(dias), QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

QDate A_QDate(TDateTime valor) {
  qint64 dias, ms;
  Partir(valor, dias, ms);
  return kDiaCero.addDays(dias);
}

TDateTime Desde_QDateTime(const QDateTime& valor) {
  if (!valor.isValid()) return 0;
  return Unir(kDiaCero.daysTo(valor.date()), valor.time().msecsSinceStartOfDay());
}

TDateTime Desde_QDate(const QDate& valor) {
  return valor.isValid() ? static_cast<double>(kDiaCero.daysTo(valor)) : 0.0;
}

TDateTime Codificar(int anio, int mes, int dia, int hora, int minuto, int segundo, int milisegundo) {
  const QDate d(anio, mes, dia);
  if (!d.isValid()) return 0;
  const qint64 ms = ((hora * 60LL + minuto) * 60LL + segundo) * 1000LL + milisegundo;
  return Unir(kDiaCero.daysTo(d), ms);
}

TDateTime Ahora() { return Desde_QDateTime(QDateTime::currentDateTime()); }
TDateTime Hoy() { return Desde_QDate(QDate::currentDate()); }
double Hora_Actual() { return QTime::currentTime().msecsSinceStartOfDay() / kMsPorDia; }

QString Fecha_A_Texto(TDateTime valor) {
  if (valor == 0) return {};
  return A_QDate(valor).toString(QStringLiteral("dd/MM/yyyy"));
}

QString Fecha_Hora_A_Texto(TDateTime valor) {
  if (valor == 0) return {};
  const QDateTime dt = A_QDateTime(valor);
  if (dt.time().msecsSinceStartOfDay() == 0) return dt.date().toString(QStringLiteral("dd/MM/yyyy"));
  return dt.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
}

bool Texto_A_Fecha(const QString& texto, TDateTime& valor) {
  const QString t = texto.trimmed();
  const QStringList partes = t.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (partes.isEmpty() || partes.size() > 2) return false;
  const QStringList dma = partes[0].split(QLatin1Char('/'));
  if (dma.size() != 3) return false;
  bool ok1, ok2, ok3;
  const int dia = dma[0].toInt(&ok1);
  const int mes = dma[1].toInt(&ok2);
  int anio = dma[2].toInt(&ok3);
  if (!ok1 || !ok2 || !ok3) return false;
  if (dma[2].size() <= 2) anio += anio < 50 ? 2000 : 1900;
  const QDate d(anio, mes, dia);
  if (!d.isValid()) return false;
  QTime h(0, 0);
  if (partes.size() == 2) {
    h = QTime::fromString(partes[1], partes[1].count(QLatin1Char(':')) == 2 ? QStringLiteral("H:mm:ss")
                                                                            : QStringLiteral("H:mm"));
    if (!h.isValid()) return false;
  }
  valor = Desde_QDateTime(QDateTime(d, h));
  return true;
}

void A_Firebird(TDateTime valor, int& fecha, unsigned& hora) {
  qint64 dias, ms;
  Partir(valor, dias, ms);
  fecha = static_cast<int>(dias + kDiasBaseFirebird);
  hora = static_cast<unsigned>(ms * 10);
}

TDateTime Desde_Firebird(int fecha, unsigned hora) {
  // Rounded to the millisecond, the precision the application keeps.
  return Unir(static_cast<qint64>(fecha) - kDiasBaseFirebird, (hora + 5) / 10);
}

}  // namespace fechas
