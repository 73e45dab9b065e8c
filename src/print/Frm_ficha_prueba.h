#pragma once
// The fitting-test sheet: the patient's data, the test's trial graduation and
// over-refraction of both eyes, its trial lenses and observations, on one A4
// page. The screen fills one TDatosFichaPrueba (the texts of the test tab as
// shown, the patient through Rellenar_Paciente) and hands it to the sheet.

#include <QString>
#include <utility>

#include "Hoja_informe.h"

class TPaciente;

// The sheet's one row: every field is the text printed.
struct TDatosFichaPrueba {
  QString Ficha, Fecha, Agente;
  QString OD_Radio1, OD_Radio2, OD_Esfera, OD_Cilindro, OD_Eje, OD_Diametro, OD_ZOptica, OD_Adicion, OD_AVisual;
  QString OD_Sob_Esfera, OD_Sob_Cilindro, OD_Sob_Eje, OD_Sob_AV;
  QString OI_Radio1, OI_Radio2, OI_Esfera, OI_Cilindro, OI_Eje, OI_Diametro, OI_ZOptica, OI_Adicion, OI_AVisual;
  QString OI_Sob_Esfera, OI_Sob_Cilindro, OI_Sob_Eje, OI_Sob_AV;
  QString OD_Tipo_Lentilla, OI_Tipo_Lentilla, OD_Descripcion, OI_Descripcion, ODLote, OILote;
  QString Observaciones;
  QString Nombre, Sexo, Direccion, Codigo_Postal, Localidad, Provincia, Profesion, VienePor, Telefono, Movil, Nif;
  QString Fecha_Nacimiento, Fecha1Visita, Fecha_Ult_Visita, Edad;

  // The patient's fields from a loaded patient; `nombre` is the patient
  // display text of the host's selection. The age is computed now, from the
  // birth date.
  void Rellenar_Paciente(TPaciente& paciente, const QString& nombre);
};

class TfrmFichaPrueba : public THojaInforme {
 public:
  explicit TfrmFichaPrueba(TDatosFichaPrueba datos = {}) : mem_Datos(std::move(datos)) {}

  TDatosFichaPrueba mem_Datos;

 protected:
  double Puntos_Fuente() const override { return 10; }
  void Dibujar(TLienzoInforme& lienzo) override;

 private:
  void Dibujar_Paciente(TLienzoInforme& lienzo) const;
  void Dibujar_Graduacion(TLienzoInforme& lienzo) const;
  void Dibujar_Lentes(TLienzoInforme& lienzo) const;
};
