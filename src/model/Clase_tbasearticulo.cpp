#include "Clase_tbasearticulo.h"

void TBaseArticulo::Pasar_Por_Moneda(double importe, TImporteArticulo& destino) {
  moneda_.Fijar_Importe_M1(importe);
  destino.M1 = moneda_.Importe_M1();
  destino.M2 = moneda_.Importe_M2();
  destino.Texto = moneda_.Texto_M1();
}
