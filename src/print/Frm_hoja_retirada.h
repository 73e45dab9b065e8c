#pragma once
// The lot-recall sheet: what was searched (lot, article, dates) and every
// patient who received the lot, one line per eye with phone, record or test,
// date, the lot itself (a search by part of a lot finds several) and the
// article, over as many pages as the list needs; the column captions are
// repeated at the top of each page.

#include <QString>
#include <utility>
#include <vector>

#include "Clase_tretiradalote.h"
#include "Hoja_informe.h"

class TfrmHojaRetirada : public THojaInforme {
 public:
  TfrmHojaRetirada(st_criterio_lote criterio, std::vector<st_retirada_lote> filas)
      : criterio_(std::move(criterio)), filas_(std::move(filas)) {}

 protected:
  double Puntos_Fuente() const override { return 8; }
  void Dibujar(TLienzoInforme& lienzo) override;

 private:
  void Cabecera_Columnas(TLienzoInforme& lienzo) const;

  st_criterio_lote criterio_;
  std::vector<st_retirada_lote> filas_;
};
