#pragma once
// The measurements and graduation of one eye of a lens record, and the one
// table that names the column of each of them. A record holds one of these
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
// struct keeps it.
struct TCampoOjo {
  const char* columna;
  std::variant<double TGraduacionOjo::*, int TGraduacionOjo::*, QString TGraduacionOjo::*> miembro;
};

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

// "OD_ESFERA", "RES_OI_EJE": the name of a field of eye `ojo` (0 or 1).
inline QString Nombre_Campo_Ojo(const char* prefijo, int ojo, const TCampoOjo& campo) {
  return QLatin1String(prefijo) + (ojo == 0 ? QLatin1String("OD_") : QLatin1String("OI_")) +
         QLatin1String(campo.columna);
}

class TValor;
class TParam;

// Reads one field of an eye from a row or a procedure's output.
void Leer_Campo_Ojo(const TValor& valor, TGraduacionOjo& ojo, const TCampoOjo& campo);
// Gives a statement's parameter the value of one field of an eye.
void Poner_Campo_Ojo(TParam& parametro, const TGraduacionOjo& ojo, const TCampoOjo& campo);
