#pragma once
// The measurement and graduation rows of the "Ficha" tab, one per field of
// an eye: the record's field, the edit's name and caption, how the value is
// shown, its entry rule and the names of its exit handlers in the error
// report. Building, clearing, showing, collecting and binding the rules of the
// rows all walk this table, in its order (which is also the tab order of each
// eye's column).

#include <variant>

#include "Graduacion_ojo.h"
#include "Reglas_entrada.h"

// How a stored value is shown: as it is, with its sign, as an axis, or a text.
enum class TVistaGraduacion { kValor, kSigno, kEje, kTexto };

struct TFilaGraduacion {
  std::variant<double TGraduacionOjo::*, int TGraduacionOjo::*, QString TGraduacionOjo::*> miembro;
  const char* campo;   // the edits are "edt_OD_<campo>" and "edt_OI_<campo>"
  const char* titulo;  // caption of the row
  TVistaGraduacion vista;
  TReglasEntrada::TRegla regla;
  bool medida;                // a measurement, shown with the rest of the record
  const char* etiqueta[2];    // right eye, left eye; empty: the rule runs unguarded
  int longitud;               // most characters the edit takes (texts: their column's width)
};

// A number, "Neutro" or "Compen" fit in this many characters.
inline constexpr int kLongitudNumero = 10;

inline constexpr TFilaGraduacion kFilasGraduacion[] = {
    {&TGraduacionOjo::abertura, "Abert_Parpebral", "Abertura parpebral", TVistaGraduacion::kValor,
     TReglasEntrada::TRegla::kDistancia, true, {"OD Abertura Parpebral -> OnExit", "OI Abertura Papebral -> OnExit"}, kLongitudNumero},
    {&TGraduacionOjo::pupilar, "Diametro_Pupilar", "Diámetro pupilar", TVistaGraduacion::kValor,
     TReglasEntrada::TRegla::kDistancia, true, {"OD Diametro Pupilar -> OnExit", "OI Diametro Pupilar -> OnExit"}, kLongitudNumero},
    {&TGraduacionOjo::iris, "Diametro_Iris", "Diámetro de iris", TVistaGraduacion::kValor,
     TReglasEntrada::TRegla::kDistancia, true, {"OD Diametro Iris -> OnExit", "OI Diametro Iris -> OnExit"}, kLongitudNumero},
    {&TGraduacionOjo::radio1, "Radio_1", "Radio 1", TVistaGraduacion::kTexto, TReglasEntrada::TRegla::kTexto, false,
     {"", ""}, 20},
    {&TGraduacionOjo::radio2, "Radio_2", "Radio 2", TVistaGraduacion::kTexto, TReglasEntrada::TRegla::kTexto, false,
     {"", ""}, 20},
    {&TGraduacionOjo::esfera, "Esfera", "Esfera", TVistaGraduacion::kSigno, TReglasEntrada::TRegla::kGraduacion, false,
     {"OD Esferta -> OnExit", "OI Esfera -> OnExit"}, kLongitudNumero},
    {&TGraduacionOjo::cilindro, "Cilindro", "Cilindro", TVistaGraduacion::kSigno,
     TReglasEntrada::TRegla::kGraduacion, false, {"OD Cilindro -> OnExit", "OI Cilindro -> OnExit"}, kLongitudNumero},
    {&TGraduacionOjo::eje, "Eje", "Eje", TVistaGraduacion::kEje, TReglasEntrada::TRegla::kEje, false,
     {"OD Eje -> OnExit", "OI Eje -> OnExit"}, kLongitudNumero},
    {&TGraduacionOjo::diametro, "Diametro", "Diámetro", TVistaGraduacion::kValor, TReglasEntrada::TRegla::kDistancia,
     false, {"OD Diametro -> OnExit", "OI Diametro -> OnExit"}, kLongitudNumero},
    {&TGraduacionOjo::zona, "Zona_Optica", "Zona óptica", TVistaGraduacion::kValor,
     TReglasEntrada::TRegla::kDistancia, false, {"OD Zona Optica -> OnExit", "OI Zona Optica -> OnExit"}, kLongitudNumero},
    {&TGraduacionOjo::adicion, "Adicion", "Adición", TVistaGraduacion::kValor, TReglasEntrada::TRegla::kGraduacion,
     false, {"OD Adicion -> OnExit", "OI Adicion -> OnExit"}, kLongitudNumero},
    {&TGraduacionOjo::agudeza, "Agudeza_CC", "Agudeza visual c/c", TVistaGraduacion::kValor,
     TReglasEntrada::TRegla::kDistancia, false, {"OD Agudeza CC -> OnExit", "OI Agudeza CC -> OnExit"}, kLongitudNumero},
    {&TGraduacionOjo::queratometria, "Queratometria", "Queratometría", TVistaGraduacion::kTexto,
     TReglasEntrada::TRegla::kTexto, false, {"", ""}, 50},
};
inline constexpr int kNumFilasGraduacion = static_cast<int>(std::size(kFilasGraduacion));

// The text an edit of the row shows for a stored value, and back.
QString Texto_Graduacion(const TFilaGraduacion& fila, const TGraduacionOjo& ojo);
void Leer_Graduacion(const TFilaGraduacion& fila, const QString& texto, TGraduacionOjo& ojo);
