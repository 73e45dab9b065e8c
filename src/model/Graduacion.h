#pragma once
// Graduation values and their texts. A graduation is kept as a double that is
// either a number or one of the codes below; these pure functions convert
// between the stored values and the texts on screen, and check typed values.
// Those that reject a value tell the user through `avisos` when one is given
// (the application object's message service), with caption "AVISO".

#include <QString>

class TAplicacion;

namespace graduacion {

inline constexpr double kSinValor = 98;   // no value: shown as the empty text
inline constexpr double kNeutro = 97;     // "Neutro"
inline constexpr double kCompen = 99;     // "Compen"
inline constexpr double kEjeVacio = 400;  // an empty axis as read from the screen
// A text conversion returns this text when it rejected the entry.
inline const QString kRechazo = QStringLiteral("-11010");

// A typed number: optional sign, digits, at most one decimal comma.
bool Leer_Numero(const QString& texto, double& valor);

QString Formatear_Decimal(const QString& texto, TAplicacion* avisos = nullptr);
QString Poner_Signo(const QString& texto, TAplicacion* avisos = nullptr);
QString Normalizar_Graduacion(const QString& texto, TAplicacion* avisos = nullptr);
double Texto_A_Valor(const QString& texto);
double Texto_A_Eje(const QString& texto);
QString Valor_A_Texto(double valor);
QString Valor_A_Texto_Con_Signo(double valor);
QString Eje_A_Texto(double valor);
// 0 accepted, -3 rejected (sphere, cylinder and addition).
int Validar_Esfera(const QString& texto, TAplicacion* avisos = nullptr);
int Validar_Eje(const QString& texto, TAplicacion* avisos = nullptr);
// Diameters, optical zone and visual acuity: 0 <= value < 100.
int Validar_Distancia(const QString& texto, TAplicacion* avisos = nullptr);
// The date moved by whole calendar months, the day clamped to the month's end.
double Sumar_Meses(double fecha, int meses);

}  // namespace graduacion
