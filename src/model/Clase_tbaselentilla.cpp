#include "Clase_tbaselentilla.h"

TBaseLentilla::TBaseLentilla(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB),
      doctor_(std::make_unique<TDoctor>(owner, conexionA, conexionB)),
      agente_(std::make_unique<TAgente>(owner, conexionA, conexionB)) {}

void TBaseLentilla::Limpiar() {
  // Assigned directly: clearing must reach every field whatever it held.
  ID_MLENTILLA_ = -1;
  NUMERO_FICHA_ = 0;
  PROPIA_AJENA_ = 0;
  FECHA_ = FECHA_REVISION_ = FECHA_LIMPIEZA_ = FECHA_CADUCIDAD_ = FECHA_REPOSICION_ = 0;
  LIQUIDOS_.clear();
  ID_PACIENTE_ = -1;
  OD_ABERTURA_PARPEBRAL_ = OD_DIAMETRO_PUPILAR_ = OD_DIAMETRO_IRIS_ = 98;
  OI_ABERTURA_PARPEBRAL_ = OI_DIAMETRO_PUPILAR_ = OI_DIAMETRO_IRIS_ = 98;
  OD_RADIO_1_.clear();
  OD_RADIO_2_.clear();
  OI_RADIO_1_.clear();
  OI_RADIO_2_.clear();
  ID_LOBSERVACIONES_ = -1;
  observaciones_.clear();
  OD_ESFERA_ = OD_CILINDRO_ = OD_AGUDEZA_VISUAL_CC_ = OD_ADICION_ = OD_DIAMETRO_ = OD_ZONA_OPTICA_ = 98;
  OI_ESFERA_ = OI_CILINDRO_ = OI_AGUDEZA_VISUAL_CC_ = OI_ADICION_ = OI_DIAMETRO_ = OI_ZONA_OPTICA_ = 98;
  OD_EJE_ = OI_EJE_ = 98;
  OD_QUERATOMETRIA_.clear();
  OI_QUERATOMETRIA_.clear();
  ID_TIENDA_ = -1;
}
