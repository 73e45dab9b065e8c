#pragma once
// The measurements and graduation of one eye of a lens record, and the one
// table that names the column of each of them; the same for a fitting test. A record holds one of these
// per eye (0 right, 1 left); its columns are the table's names behind the
// eye's prefix ("OD_" or "OI_"), so that writing, reading and clearing a
// record walk the table instead of naming each field twice.
//
// Graduation values use the codes of Graduacion.h: 98 no value, 97 "Neutro",
// 99 "Compen".

#include <QLatin1String>
#include <QString>
#include <variant>

struct TGraduacionOjo {
  double abertura = 98;  // palpebral aperture
  double pupilar = 98;   // pupil diameter
  double iris = 98;      // iris diameter
  QString radio1, radio2;
  double esfera = 98;
  double cilindro = 98;
  int eje = 98;
  double diametro = 98;
  double zona = 98;  // optical zone
  double adicion = 98;
  double agudeza = 98;  // visual acuity with correction
  QString queratometria;
};

// One field of an eye: its column (without the eye's prefix) and where the
// eye's struct `Ojo` keeps it.
template <class Ojo>
struct TCampoDeOjo {
  const char* columna;
  std::variant<double Ojo::*, int Ojo::*, QString Ojo::*> miembro;
};
using TCampoOjo = TCampoDeOjo<TGraduacionOjo>;

// The columns of MLENTILLA (and, behind "RES_", the outputs of BUSCAR_MLENTILLA).
inline constexpr TCampoOjo kCamposOjoFicha[] = {
    {"ABERTURA_PARPEBRAL", &TGraduacionOjo::abertura},
    {"DIAMETRO_PUPILAR", &TGraduacionOjo::pupilar},
    {"DIAMETRO_IRIS", &TGraduacionOjo::iris},
    {"RADIO_1", &TGraduacionOjo::radio1},
    {"RADIO_2", &TGraduacionOjo::radio2},
    {"ESFERA", &TGraduacionOjo::esfera},
    {"CILINDRO", &TGraduacionOjo::cilindro},
    {"EJE", &TGraduacionOjo::eje},
    {"DIAMETRO", &TGraduacionOjo::diametro},
    {"ZONA_OPTICA", &TGraduacionOjo::zona},
    {"ADICION", &TGraduacionOjo::adicion},
    {"AGUDEZA_VISUAL_CC", &TGraduacionOjo::agudeza},
    {"QUERATOMETRIA", &TGraduacionOjo::queratometria},
};

// One eye of a fitting test (table PLENTILLA): the trial graduation, in the
// fields the record has too (the test leaves the aperture, pupil, iris and
// keratometry unused), the over-refraction measured over the trial lens, the
// trial lens article and its batch.
struct TPruebaOjo : TGraduacionOjo {
  double sobEsfera = 98;
  double sobCilindro = 98;
  int sobEje = 98;
  double sobAgudeza = 98;
  QString referenciaArt, descripcionArt, modeloArt, radio1Art, radio2Art, colorArt;
  double diametroArt = 0;
  QString lote;
};

// The columns of PLENTILLA (and, behind "RES_", the outputs of
// BUSCAR_PRUEBA_LENTILLA). A test's acuity column has no "_CC". The colour
// columns are spelled COlOR_ART in the table and the insert; names are matched
// without regard to case, and the upper-case spelling is found fastest.
inline constexpr TCampoDeOjo<TPruebaOjo> kCamposOjoPrueba[] = {
    {"RADIO_1", &TPruebaOjo::radio1},
    {"RADIO_2", &TPruebaOjo::radio2},
    {"ESFERA", &TPruebaOjo::esfera},
    {"CILINDRO", &TPruebaOjo::cilindro},
    {"EJE", &TPruebaOjo::eje},
    {"DIAMETRO", &TPruebaOjo::diametro},
    {"ZONA_OPTICA", &TPruebaOjo::zona},
    {"ADICION", &TPruebaOjo::adicion},
    {"AGUDEZA_VISUAL", &TPruebaOjo::agudeza},
    {"SOB_ESFERA", &TPruebaOjo::sobEsfera},
    {"SOB_CILINDRO", &TPruebaOjo::sobCilindro},
    {"SOB_EJE", &TPruebaOjo::sobEje},
    {"SOB_AGUDEZA_VISUAL", &TPruebaOjo::sobAgudeza},
    {"REFERENCIA_ART", &TPruebaOjo::referenciaArt},
    {"DESCRIPCION_ART", &TPruebaOjo::descripcionArt},
    {"MODELO_ART", &TPruebaOjo::modeloArt},
    {"RADIO_1_ART", &TPruebaOjo::radio1Art},
    {"RADIO_2_ART", &TPruebaOjo::radio2Art},
    {"DIAMETRO_ART", &TPruebaOjo::diametroArt},
    {"COLOR_ART", &TPruebaOjo::colorArt},
    {"LOTE", &TPruebaOjo::lote},
};

// "OD_ESFERA", "RES_OI_EJE": the name of a field of eye `ojo` (0 or 1).
template <class Ojo>
QString Nombre_Campo_Ojo(const char* prefijo, int ojo, const TCampoDeOjo<Ojo>& campo) {
  return QLatin1String(prefijo) + (ojo == 0 ? QLatin1String("OD_") : QLatin1String("OI_")) +
         QLatin1String(campo.columna);
}

// One lambda per kind of member, for visiting the member of a field.
template <class... F>
struct TSegun : F... {
  using F::operator()...;
};
template <class... F>
TSegun(F...) -> TSegun<F...>;

class TValor;
class TParam;

// Reads one field of an eye from a row or a procedure's output.
template <class Ojo>
void Leer_Campo_Ojo(const TValor& valor, Ojo& ojo, const TCampoDeOjo<Ojo>& campo);
// Gives a statement's parameter the value of one field of an eye.
template <class Ojo>
void Poner_Campo_Ojo(TParam& parametro, const Ojo& ojo, const TCampoDeOjo<Ojo>& campo);
