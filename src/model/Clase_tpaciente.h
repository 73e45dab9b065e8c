#pragma once
// A patient (table PACIENTE). The lens module never edits one: it loads it to
// show and print its data, its age and sex, and stamps its last visit.

#include "Clase_tpersona.h"

class TPaciente : public TPersona {
 public:
  TPaciente(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  void Limpiar() override;

  // Loads the patient of the held ID through BUSCAR_PACIENTE with the given
  // deleted-rows filter: 0 found, -5 not found (ID and CODIGO -1, surname empty).
  int Buscar(int filtroBorrado);
  // Whole years: days since the birth date / 365,25, cut; 0 without birth date.
  void Calcular_Edad();
  // "Hombre" (1), "Mujer" (2), otherwise the empty text.
  static void Texto_Sexo(int sexo, QString& texto);
  static QString Texto_Sexo(int sexo);
  // Stamps the date of last visit: 0 when a row changed, -302 otherwise.
  [[nodiscard]] int Fijar_Ultima_Visita(int32_t idPaciente, double fecha);

  double FECHA_NACIMIENTO() const { return fechaNacimiento_; }
  double FECHA_PRIMERA_VISITA() const { return fechaPrimeraVisita_; }
  double FECHA_ULTIMA_VISITA() const { return fechaUltimaVisita_; }
  double FECHA_CARNET() const { return fechaCarnet_; }
  const QString& PROFESION() const { return profesion_; }
  const QString& VIENE_POR() const { return vienePor_; }
  const QString& NOMBRE_COMPLETO() const { return nombreCompleto_; }
  const QString& FOTOGRAFIA() const { return fotografia_; }
  double ULTIMO_DESCUENTO() const { return ultimoDescuento_; }
  double TOTAL_COMPRADO_M1() const { return totalM1_; }
  double TOTAL_COMPRADO_M2() const { return totalM2_; }
  double LICENCIA() const { return licencia_; }
  double TIENDA() const { return tienda_; }
  int32_t SEXO() const { return sexo_; }
  int32_t EDAD() const { return edad_; }
  int32_t CORREO() const { return correo_; }
  // Multi-line summary of the patient, shown as a hint.
  const QString& Texto_Informacion() const { return informacion_; }

  void FECHA_NACIMIENTO(double v) { if (v != fechaNacimiento_) fechaNacimiento_ = v; }

 private:
  void Cargar_Observaciones();
  void Construir_Informacion();

  double fechaNacimiento_ = 0, fechaPrimeraVisita_ = 0, fechaUltimaVisita_ = 0, fechaCarnet_ = 0;
  QString profesion_, vienePor_, nombreCompleto_, fotografia_;
  double ultimoDescuento_ = 0, totalM1_ = 0, totalM2_ = 0, licencia_ = 0, tienda_ = -1;
  int32_t sexo_ = 0, edad_ = 0, correo_ = 0;
  QString informacion_;
};
