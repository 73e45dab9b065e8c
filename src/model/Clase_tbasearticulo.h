#pragma once
// The columns of an article (table ARTICULO) as properties, for the classes
// that hand an article over rather than load it (the article search). Each
// setter stores only a changed value; the money properties go through one
// two-currency amount (TXMoneda), which turns the main-currency value into
// the pair and its display text.

#include <QString>
#include <cstdint>

#include "Clase_tbase.h"
#include "Clase_txmoneda.h"

// One money property: both amounts and the main amount's display text.
struct TImporteArticulo {
  double M1 = 0;
  double M2 = 0;
  QString Texto;
};

// Getter Nombre() and setter Nombre(valor) that keeps an unchanged value.
#define BASEARTICULO_PROPIEDAD(Tipo, Nombre, Inicial) \
 public:                                              \
  Tipo Nombre() const { return Nombre##_; }           \
  void Nombre(Tipo v) {                               \
    if (!(v == Nombre##_)) Nombre##_ = v;             \
  }                                                   \
                                                      \
 private:                                             \
  Tipo Nombre##_ = Inicial;

#define BASEARTICULO_TEXTO(Nombre)                   \
 public:                                             \
  const QString& Nombre() const { return Nombre##_; } \
  void Nombre(const QString& v) {                    \
    if (v != Nombre##_) Nombre##_ = v;               \
  }                                                  \
                                                     \
 private:                                            \
  QString Nombre##_;

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

  BASEARTICULO_TEXTO(Referencia)
  BASEARTICULO_TEXTO(ReferenciaProv)
  BASEARTICULO_TEXTO(Descripcion)
  BASEARTICULO_TEXTO(Modelo)
  BASEARTICULO_TEXTO(Radio1)
  BASEARTICULO_TEXTO(Radio2)
  BASEARTICULO_TEXTO(Color)
  BASEARTICULO_TEXTO(Varilla)
  BASEARTICULO_TEXTO(Imagen)
  BASEARTICULO_TEXTO(Tamano)

  BASEARTICULO_PROPIEDAD(double, IdArticulo, -1)
  BASEARTICULO_PROPIEDAD(int32_t, IdFamilia, -1)
  BASEARTICULO_PROPIEDAD(double, IdProveedor, -1)
  BASEARTICULO_PROPIEDAD(double, IdUltimoProveedor, -1)
  BASEARTICULO_PROPIEDAD(int32_t, IdIvaCompra, -1)
  BASEARTICULO_PROPIEDAD(int32_t, IdIvaVenta, -1)
  BASEARTICULO_PROPIEDAD(double, IdTipoArticulo, -1)
  BASEARTICULO_PROPIEDAD(double, IdTipoLentilla, -1)
  BASEARTICULO_PROPIEDAD(double, IdTipoCristal, -1)
  BASEARTICULO_PROPIEDAD(double, IdMarcaAudifono, -1)
  BASEARTICULO_PROPIEDAD(double, IdMarcaMontura, -1)
  BASEARTICULO_PROPIEDAD(double, IdTratamiento1, -1)
  BASEARTICULO_PROPIEDAD(double, IdTratamiento2, -1)
  BASEARTICULO_PROPIEDAD(double, IdTratamiento3, -1)
  BASEARTICULO_PROPIEDAD(double, CodBarras, 0)

  BASEARTICULO_IMPORTE(Pvp1)
  BASEARTICULO_IMPORTE(Pvp2)
  BASEARTICULO_IMPORTE(NuevoPvp)
  BASEARTICULO_IMPORTE(PrecioCoste)
  BASEARTICULO_IMPORTE(PrecioCosteMedio)
  BASEARTICULO_IMPORTE(ImporteComprado)
  BASEARTICULO_IMPORTE(OfertaImporte)
  BASEARTICULO_IMPORTE(ImporteVendido)

  BASEARTICULO_PROPIEDAD(double, PorcDtoCompra, 0)
  BASEARTICULO_PROPIEDAD(double, UltimoDto, 0)
  BASEARTICULO_PROPIEDAD(double, MargenBeneficio, 0)
  BASEARTICULO_PROPIEDAD(double, StockMaximo, 0)
  BASEARTICULO_PROPIEDAD(double, StockMinimo, 0)
  BASEARTICULO_PROPIEDAD(double, StockPedido, 0)
  BASEARTICULO_PROPIEDAD(double, UnidadesCompradas, 0)
  BASEARTICULO_PROPIEDAD(int32_t, UnidadesVendidas, 0)
  BASEARTICULO_PROPIEDAD(double, Diametro, 0)
  BASEARTICULO_PROPIEDAD(double, Esfera, 0)
  BASEARTICULO_PROPIEDAD(double, Cilindro, 0)
  BASEARTICULO_PROPIEDAD(int32_t, DigitoControl, 0)

 private:
  void Pasar_Por_Moneda(double importe, TImporteArticulo& destino);

  TXMoneda moneda_;
};

#undef BASEARTICULO_PROPIEDAD
#undef BASEARTICULO_TEXTO
#undef BASEARTICULO_IMPORTE
