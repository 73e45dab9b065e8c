#pragma once
// Spanish number conventions, whatever the machine's locale: decimal comma,
// "." as thousands separator. Keys written into SQL are whole numbers and never
// go through these helpers.

#include <QString>

namespace locale_es {

// General float-to-text: the shortest text (at most 15 significant digits)
// that reads back to the same double, decimal comma, no trailing zeros;
// scientific notation ("1,5E-7", "1E20") only for very small or large values.
QString Float_A_Texto(double valor);

// Text to number with the decimal comma (a point is also taken as the decimal
// mark when there is no comma). Leading and trailing blanks are ignored.
// Returns false for anything that is not a plain finite number.
bool Texto_A_Float(const QString& texto, double& valor);

// Formats a number with a float-format mask: "0" a forced digit, "#" an
// optional one, "." the decimal comma, "," anywhere asks for "." thousands
// separators, anything else is copied as it stands ("'...'" quoted). A mask
// may have sections "positive;negative;zero". Half away from zero.
//   Formatear(1234.5, ",0.00 €") == "1.234,50 €";  Formatear(3, "0.000") == "3,000"
QString Formatear(double valor, const QString& mascara);

// Rounds to the given decimals, halves away from zero (2,675 -> 2,68),
// correcting the binary representation error first.
double Redondear(double valor, int decimales);

}  // namespace locale_es
