#pragma once
// The measurement and graduation rows of the "Ficha" and "Pruebas" tabs, one
// per field of an eye: the record's (or the test's) field, the edit's name and
// caption, how the value is shown, its entry rule and the names of its exit
// handlers in the error report. Building, clearing, showing, collecting and
// binding the rules of the rows all walk these tables, in their order (which
// is also the tab order of each eye's column).

#include <variant>

#include "Graduacion_ojo.h"
#include "Etiquetas_lentilla.h"
#include "Reglas_entrada.h"

// How a stored value is shown: as it is, with its sign, as an axis, or a text.
enum class TVistaGraduacion { kValor, kSigno, kEje, kTexto };

template <class Ojo>
struct TFilaDeOjo {
  std::variant<double Ojo::*, int Ojo::*, QString Ojo::*> miembro;
  const char* campo;   // the edits are "edt_OD_<campo>" and "edt_OI_<campo>" (plus "_Prueba" on the test tab)
  const char* titulo;  // caption of the row
  TVistaGraduacion vista;
  TReglasEntrada::TRegla regla;
  bool medida;                // record: a measurement, shown with the rest of the record;
                              // test: a row of the over-refraction
  const char* etiqueta[2];    // right eye, left eye; empty: the rule runs unguarded
  int longitud;               // most characters the edit takes (texts: their column's width)
};
using TFilaGraduacion = TFilaDeOjo<TGraduacionOjo>;
using TFilaPrueba = TFilaDeOjo<TPruebaOjo>;

// A number, "Neutro" or "Compen" fit in this many characters.
inline constexpr int kLongitudNumero = 10;

inline constexpr TFilaGraduacion kFilasGraduacion[] = {
    {&TGraduacionOjo::abertura, "Abert_Parpebral", "Abertura parpebral", TVistaGraduacion::kValor,
     TReglasEntrada::TRegla::kDistancia, true, {etiqueta::kOD_Abertura_Parpebral_OnExit, etiqueta::kOI_Abertura_Papebral_OnExit}, kLongitudNumero},
    {&TGraduacionOjo::pupilar, "Diametro_Pupilar", "Diámetro pupilar", TVistaGraduacion::kValor,
     TReglasEntrada::TRegla::kDistancia, true, {etiqueta::kOD_Diametro_Pupilar_OnExit, etiqueta::kOI_Diametro_Pupilar_OnExit}, kLongitudNumero},
    {&TGraduacionOjo::iris, "Diametro_Iris", "Diámetro de iris", TVistaGraduacion::kValor,
     TReglasEntrada::TRegla::kDistancia, true, {etiqueta::kOD_Diametro_Iris_OnExit, etiqueta::kOI_Diametro_Iris_OnExit}, kLongitudNumero},
    {&TGraduacionOjo::radio1, "Radio_1", "Radio 1", TVistaGraduacion::kTexto, TReglasEntrada::TRegla::kTexto, false,
     {"", ""}, 20},
    {&TGraduacionOjo::radio2, "Radio_2", "Radio 2", TVistaGraduacion::kTexto, TReglasEntrada::TRegla::kTexto, false,
     {"", ""}, 20},
    {&TGraduacionOjo::esfera, "Esfera", "Esfera", TVistaGraduacion::kSigno, TReglasEntrada::TRegla::kGraduacion, false,
     {etiqueta::kOD_Esferta_OnExit, etiqueta::kOI_Esfera_OnExit}, kLongitudNumero},
    {&TGraduacionOjo::cilindro, "Cilindro", "Cilindro", TVistaGraduacion::kSigno,
     TReglasEntrada::TRegla::kGraduacion, false, {etiqueta::kOD_Cilindro_OnExit, etiqueta::kOI_Cilindro_OnExit}, kLongitudNumero},
    {&TGraduacionOjo::eje, "Eje", "Eje", TVistaGraduacion::kEje, TReglasEntrada::TRegla::kEje, false,
     {etiqueta::kOD_Eje_OnExit, etiqueta::kOI_Eje_OnExit}, kLongitudNumero},
    {&TGraduacionOjo::diametro, "Diametro", "Diámetro", TVistaGraduacion::kValor, TReglasEntrada::TRegla::kDistancia,
     false, {etiqueta::kOD_Diametro_OnExit, etiqueta::kOI_Diametro_OnExit}, kLongitudNumero},
    {&TGraduacionOjo::zona, "Zona_Optica", "Zona óptica", TVistaGraduacion::kValor,
     TReglasEntrada::TRegla::kDistancia, false, {etiqueta::kOD_Zona_Optica_OnExit, etiqueta::kOI_Zona_Optica_OnExit}, kLongitudNumero},
    {&TGraduacionOjo::adicion, "Adicion", "Adición", TVistaGraduacion::kValor, TReglasEntrada::TRegla::kGraduacion,
     false, {etiqueta::kOD_Adicion_OnExit, etiqueta::kOI_Adicion_OnExit}, kLongitudNumero},
    {&TGraduacionOjo::agudeza, "Agudeza_CC", "Agudeza visual c/c", TVistaGraduacion::kValor,
     TReglasEntrada::TRegla::kDistancia, false, {etiqueta::kOD_Agudeza_CC_OnExit, etiqueta::kOI_Agudeza_CC_OnExit}, kLongitudNumero},
    {&TGraduacionOjo::queratometria, "Queratometria", "Queratometría", TVistaGraduacion::kTexto,
     TReglasEntrada::TRegla::kTexto, false, {"", ""}, 50},
};
inline constexpr int kNumFilasGraduacion = static_cast<int>(std::size(kFilasGraduacion));

// The rows of a fitting test: the trial graduation, then the over-refraction
// measured over the trial lens. The test's edits are narrower than the
// record's: six characters for a value, three for an axis, five for an acuity.
inline constexpr TFilaPrueba kFilasPrueba[] = {
    {&TPruebaOjo::radio1, "Radio_1", "Radio 1", TVistaGraduacion::kTexto, TReglasEntrada::TRegla::kTexto, false,
     {"", ""}, 10},
    {&TPruebaOjo::radio2, "Radio_2", "Radio 2", TVistaGraduacion::kTexto, TReglasEntrada::TRegla::kTexto, false,
     {"", ""}, 10},
    {&TPruebaOjo::esfera, "Esfera", "Esfera", TVistaGraduacion::kSigno, TReglasEntrada::TRegla::kGraduacion, false,
     {etiqueta::kedt_OD_Esfera_Prueba_OnExit, etiqueta::kedt_OI_Esfera_Prueba_OnExit}, 6},
    {&TPruebaOjo::cilindro, "Cilindro", "Cilindro", TVistaGraduacion::kSigno, TReglasEntrada::TRegla::kGraduacion,
     false, {etiqueta::kedt_OD_Cilindro_Prueba_OnExit, etiqueta::kedt_OI_Cilindro_Prueba_OnExit}, 6},
    {&TPruebaOjo::eje, "Eje", "Eje", TVistaGraduacion::kEje, TReglasEntrada::TRegla::kEje, false,
     {etiqueta::kedt_OD_Eje_Prueba_OnExit, etiqueta::kedt_OI_Eje_Prueba_OnExit}, 3},
    {&TPruebaOjo::diametro, "Diametro", "Diámetro", TVistaGraduacion::kValor, TReglasEntrada::TRegla::kDistancia,
     false, {etiqueta::kedt_OD_Diametro_Prueba_OnExit, etiqueta::kedt_OI_Diametro_Prueba_OnExit}, 6},
    {&TPruebaOjo::zona, "ZOptica", "Zona óptica", TVistaGraduacion::kValor, TReglasEntrada::TRegla::kDistancia, false,
     {etiqueta::kedt_OD_ZOptica_Prueba_OnExit, etiqueta::kedt_OI_ZOptica_Prueba_OnExit}, 6},
    {&TPruebaOjo::adicion, "Adicion", "Adición", TVistaGraduacion::kValor, TReglasEntrada::TRegla::kGraduacion, false,
     {etiqueta::kedt_OD_Adicion_Prueba_OnExit, etiqueta::kedt_OI_Adicion_Prueba_OnExit}, 6},
    {&TPruebaOjo::agudeza, "AV", "Agudeza visual", TVistaGraduacion::kValor, TReglasEntrada::TRegla::kDistancia, false,
     {etiqueta::kedt_OD_AV_Prueba_OnExit, etiqueta::kedt_OI_AV_Prueba_OnExit}, 5},
    {&TPruebaOjo::sobEsfera, "Esf_Sobre", "Esfera", TVistaGraduacion::kSigno, TReglasEntrada::TRegla::kGraduacion,
     true, {etiqueta::kedt_OD_Esf_Sobre_Prueba_OnExit, etiqueta::kedt_OI_Esf_Sobre_Prueba_OnExit}, 6},
    {&TPruebaOjo::sobCilindro, "Cil_Sobre", "Cilindro", TVistaGraduacion::kSigno, TReglasEntrada::TRegla::kGraduacion,
     true, {etiqueta::kedt_OD_Cil_Sobre_Prueba_OnExit, etiqueta::kedt_OI_Cil_Sobre_Prueba_OnExit}, 6},
    {&TPruebaOjo::sobEje, "Eje_Sobre", "Eje", TVistaGraduacion::kEje, TReglasEntrada::TRegla::kEje, true,
     {etiqueta::kedt_OD_Eje_Sobre_Prueba_OnExit, etiqueta::kedt_OI_Eje_Sobre_Prueba_OnExit}, 3},
    {&TPruebaOjo::sobAgudeza, "AV_Sobre", "Agudeza visual", TVistaGraduacion::kValor,
     TReglasEntrada::TRegla::kDistancia, true, {etiqueta::kedt_OD_AV_Sobre_Prueba_OnExit, etiqueta::kedt_OI_AV_Sobre_Prueba_OnExit},
     5},
};
inline constexpr int kNumFilasPrueba = static_cast<int>(std::size(kFilasPrueba));

// The text an edit of the row shows for a stored value, and back (a value
// through the record's conversions, an axis keeping its whole part).
template <class Ojo>
QString Texto_Graduacion(const TFilaDeOjo<Ojo>& fila, const Ojo& ojo);
template <class Ojo>
void Leer_Graduacion(const TFilaDeOjo<Ojo>& fila, const QString& texto, Ojo& ojo);
