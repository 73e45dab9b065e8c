#pragma once
// Dates as the whole application keeps them: a double counting days since
// 30/12/1899, the fraction being the time of day. 0 is the zero date, which
// means "no date" and is shown as the empty text.

#include <QDate>
#include <QDateTime>
#include <QString>

namespace fechas {

using TDateTime = double;

// Days between 17/11/1858 (Firebird's day 0) and 30/12/1899 (our day 0).
inline constexpr int kDiasBaseFirebird = 15018;

QDateTime A_QDateTime(TDateTime valor);
QDate A_QDate(TDateTime valor);
TDateTime Desde_QDateTime(const QDateTime& valor);
TDateTime Desde_QDate(const QDate& valor);
TDateTime Codificar(int anio, int mes, int dia, int hora = 0, int minuto = 0, int segundo = 0,
                    int milisegundo = 0);

// Current moment, current day (without time) and the time of day alone.
TDateTime Ahora();
TDateTime Hoy();
double Hora_Actual();

// "dd/mm/yyyy"; the zero date gives the empty text.
QString Fecha_A_Texto(TDateTime valor);
// "dd/mm/yyyy hh:mm:ss", or only the date when there is no time of day.
QString Fecha_Hora_A_Texto(TDateTime valor);
// Reads "d/m/yyyy" (also with two-digit years and an optional "hh:mm[:ss]").
// Returns false for text that is not a real date.
bool Texto_A_Fecha(const QString& texto, TDateTime& valor);

// Firebird's encoding: days since 17/11/1858 and ten-thousandths of a second.
void A_Firebird(TDateTime valor, int& fecha, unsigned& hora);
TDateTime Desde_Firebird(int fecha, unsigned hora);

}  // namespace fechas
