#pragma once
// The columns of an article (table ARTICULO) as properties, for the classes
// that hand an article over rather than load it (the article search). Each
// setter stores only a changed value; the money properties go through one
// two-currency amount (TXMoneda), which turns the main-currency value into
// the pair and its display text.

#include <QString>
#include <cstdint>

#include "Campos.h"
#include "Clase_tbase.h"
#include "Clase_txmoneda.h"

// One money property: both amounts and the main amount's display text.
struct TImporteArticulo {
  double M1 = 0;
  double M2 = 0;
  QString Texto;
};

// A money property: a new main amount goes through the article's TXMoneda and
// the pair and text it gives are copied back.
#define BASEARTICULO_IMPORTE(Nombre)                                  \
 public:                                                              \
  const TImporteArticulo& Nombre() const { return Nombre##_; }        \
  void Nombre(double v) {                                             \
    if (v != Nombre##_.M1) Pasar_Por_Moneda(v, Nombre##_);            \
  }                                                                   \
                                                                      \
 private:                                                             \
  TImporteArticulo Nombre##_;

class TBaseArticulo : public TBase {
 public:
  using TBase::TBase;

  // The two-currency amount the money properties use. Its owner fills the
  // currency names, symbols, decimals and rate; while they are empty the
  // texts carry no symbol and the second amounts stay 0.
  TXMoneda& Moneda() { return moneda_; }
  const TXMoneda& Moneda() const { return moneda_; }

  CAMPO_TEXTO(Referencia)
  CAMPO_TEXTO(ReferenciaProv)
  CAMPO_TEXTO(Descripcion)
  CAMPO_TEXTO(Modelo)
  CAMPO_TEXTO(Radio1)
  CAMPO_TEXTO(Radio2)
  CAMPO_TEXTO(Color)
  CAMPO_TEXTO(Varilla)
  CAMPO_TEXTO(Imagen)
  CAMPO_TEXTO(Tamano)

  CAMPO_VALOR(double, IdArticulo, -1)
  CAMPO_VALOR(int32_t, IdFamilia, -1)
  CAMPO_VALOR(double, IdProveedor, -1)
  CAMPO_VALOR(double, IdUltimoProveedor, -1)
  CAMPO_VALOR(int32_t, IdIvaCompra, -1)
  CAMPO_VALOR(int32_t, IdIvaVenta, -1)
  CAMPO_VALOR(double, IdTipoArticulo, -1)
  CAMPO_VALOR(double, IdTipoLentilla, -1)
  CAMPO_VALOR(double, IdTipoCristal, -1)
  CAMPO_VALOR(double, IdMarcaAudifono, -1)
  CAMPO_VALOR(double, IdMarcaMontura, -1)
  CAMPO_VALOR(double, IdTratamiento1, -1)
  CAMPO_VALOR(double, IdTratamiento2, -1)
  CAMPO_VALOR(double, IdTratamiento3, -1)
  CAMPO_VALOR(double, CodBarras, 0)

  BASEARTICULO_IMPORTE(Pvp1)
  BASEARTICULO_IMPORTE(Pvp2)
  BASEARTICULO_IMPORTE(NuevoPvp)
  BASEARTICULO_IMPORTE(PrecioCoste)
  BASEARTICULO_IMPORTE(PrecioCosteMedio)
  BASEARTICULO_IMPORTE(ImporteComprado)
  BASEARTICULO_IMPORTE(OfertaImporte)
  BASEARTICULO_IMPORTE(ImporteVendido)

  CAMPO_VALOR(double, PorcDtoCompra, 0)
  CAMPO_VALOR(double, UltimoDto, 0)
  CAMPO_VALOR(double, MargenBeneficio, 0)
  CAMPO_VALOR(double, StockMaximo, 0)
  CAMPO_VALOR(double, StockMinimo, 0)
  CAMPO_VALOR(double, StockPedido, 0)
  CAMPO_VALOR(double, UnidadesCompradas, 0)
  CAMPO_VALOR(int32_t, UnidadesVendidas, 0)
  CAMPO_VALOR(double, Diametro, 0)
  CAMPO_VALOR(double, Esfera, 0)
  CAMPO_VALOR(double, Cilindro, 0)
  CAMPO_VALOR(int32_t, DigitoControl, 0)

 private:
  void Pasar_Por_Moneda(double importe, TImporteArticulo& destino);

  TXMoneda moneda_;
};

#undef BASEARTICULO_IMPORTE
