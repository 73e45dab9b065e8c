#pragma once
// The GS1 code on a contact-lens box (a GS1 DataMatrix, or a GS1-128 on
// older boxes), read from the element string a scanner sends: the lens's
// GTIN, its lot, its expiry and production dates and its serial number.
//
// An element string is a run of fields, each an application identifier (AI)
// followed by its data: "01" and 14 digits, "17" and YYMMDD, "10" and up to
// 20 characters... A field of variable length that is not the last ends at
// a group separator (ASCII 29, the symbol's FNC1). Many keyboard-wedge
// scanners drop that character or send another in its place: the one the
// workstation names is taken as the separator, and a code whose fields cannot
// be told apart without it is refused, never guessed.
//
// Pure functions, no database and no widgets: the record screen, the print
// documents and the tests share them.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>
#include <utility>

namespace gs1 {

// The group separator (FNC1 inside the symbol).
inline constexpr char16_t kSeparador = 0x1D;

// What a lens box's code says. Fields the code does not carry stay empty
// (dates invalid).
struct TCaja {
  QString gtin;  // AI 01: 14 digits, check digit verified
  QString lote;  // AI 10
  QString serie;  // AI 21
  QDate caducidad;  // AI 17: day 00 is the month's last day
  QDate fabricacion;  // AI 11
  // Every field in the order of the code (AI, data), those above included.
  QList<std::pair<QString, QString>> campos;
};

enum class TFallo {
  kNinguno,
  kVacio,  // nothing was read
  kNoGs1,  // the symbol is not a GS1 one (another symbology identifier)
  kIdentificador,  // an application identifier this reader does not know
  kCorto,  // a field shorter than its fixed length
  kSinSeparador,  // the separator is missing: a variable field runs past its maximum, or the code reads two ways
  kCaracter,  // a character a GS1 field cannot hold
  kDigitoControl,  // a GTIN whose check digit is wrong
  kFecha,  // a date that is no date
  kRepetido,  // the same AI twice with different data
};

struct TLectura {
  TFallo fallo = TFallo::kNinguno;
  // Why the code was refused, in Spanish, for the user.
  QString mensaje;
  TCaja caja;
  bool Valida() const { return fallo == TFallo::kNinguno; }
};

// Reads a GS1 element string as a scanner sends it: an optional symbology
// identifier ("]d2" DataMatrix, "]C1" GS1-128, "]Q3" QR, "]e0" DataBar),
// the fields, ASCII 29 or `sustituto` (when it is not null) between them. A
// two-digit year is read within 49 years before and 50 after `hoy`'s year,
// as GS1 prescribes. A code without any separator whose last, variable field
// ends in a checked field of fixed length (a GTIN, a date) that could as well
// be a field of its own is refused (kSinSeparador): it reads two ways.
TLectura Leer(QStringView texto, QChar sustituto = QChar(), QDate hoy = QDate::currentDate());

// Whether a text looks like a GS1 element string rather than a reference or
// a plain barcode: it starts with a GS1 symbology identifier, or carries a
// separator, or starts with AI 01 followed by a full GTIN and more.
bool Parece_Gs1(QStringView texto, QChar sustituto = QChar());

// The GS1 check digit of a run of digits (the digits without it).
int Digito_Control(QStringView digitos);
// A GTIN-8, -12, -13 or -14 whose last digit is its check digit.
bool Gtin_Valido(QStringView gtin);
// A barcode number (as ARTICULO.CODIGO_BARRAS keeps it) as a GTIN-14 with
// its leading zeros; empty when it has more than 14 digits or is no GTIN.
QString Gtin14(double codigoBarras);

// Why a box read well is still not to be put on a lens line, in Spanish, or
// empty: it has no GTIN, it expired before `hoy`, or its lot is longer than
// the `anchoLote` characters the line keeps.
QString Rechazo_Caja(const TCaja& caja, QDate hoy, int anchoLote);

// The day an expiry field means: day 00 is the last day of its month.
QDate Fecha_Yymmdd(QStringView yymmdd, bool diaCeroFinDeMes, QDate hoy = QDate::currentDate());

// A box's fields written for zint's GS1 mode: "[01]…[17]…[10]…[21]…", only
// the fields it carries (GTIN first, the variable fields last); empty
// without a GTIN.
QString Cadena_Corchetes(const TCaja& caja);
// The same fields as a scanner sends them: separators after a variable
// field that is followed by another.
QString Cadena_Elementos(const TCaja& caja, QChar separador = QChar(kSeparador));

}  // namespace gs1
