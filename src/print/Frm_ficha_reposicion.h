#pragma once
// The replacement sheet: the patient's address block once, on the first page,
// then every replacement of the list with its date, kind, eye, amount and
// word-wrapped observations, over as many pages as the list needs.

#include <QList>
#include <QString>
#include <utility>

#include "Hoja_informe.h"

class TMoneda;
class TPaciente;

struct TFilaReposicionInforme {
  QString Fecha, Tipo, Ojo;
  double Importe = 0;  // main currency
  QString Observaciones;
};

struct TDatosFichaReposicion {
  QString Nombre, Direccion, Codigo_Postal, Localidad, Provincia, Telefono, Movil;
  // Display mask of the amounts: the main currency's (",0.00 €").
  QString Mascara_Importe;
  QList<TFilaReposicionInforme> Filas;

  // The address block from a loaded patient; `nombre` is the patient display
  // text of the host's selection.
  void Rellenar_Paciente(const TPaciente& paciente, const QString& nombre);
  // The amounts are shown with the main currency's display mask.
  void Fijar_Moneda(const TMoneda& moneda);
  // An amount as the sheet prints it.
  QString Texto_Importe(double importe) const;
};

class TfrmFichaReposicion : public THojaInforme {
 public:
  explicit TfrmFichaReposicion(TDatosFichaReposicion datos = {}) : mem_Datos(std::move(datos)) {}

  TDatosFichaReposicion mem_Datos;

 protected:
  double Puntos_Fuente() const override { return 9; }
  void Dibujar(TLienzoInforme& lienzo) override;

 private:
  void Dibujar_Titulo(TLienzoInforme& lienzo) const;
  void Dibujar_Fila(TLienzoInforme& lienzo, const TFilaReposicionInforme& fila) const;
};
