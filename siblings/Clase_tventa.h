#pragma once
// A direct sale (VENTA, DVENTA) or a customer order to the supplier (ENCARGO,
// DENCARGO) built from the sale lines a lens record hands over. Each line's
// article is read again from the catalogue: its VAT rate prices the line and,
// for an order, its supplier receives it. The amount handed over is the unit
// price; before the document is stored the user may change each line's
// quantity, unit price and discount. A line's amount (quantity times price
// less the discount, to the cent) is what the customer pays for it: with a
// rate whose VAT is included the VAT is taken out of it, otherwise it is
// added on top.

#include <QString>
#include <vector>

#include "Clase_tbase.h"
#include "Contexto_host.h"

struct TLineaDocumento {
  double idArticulo = -1;
  double idProveedor = -1;
  QString referencia, descripcion;  // the catalogue's reference and name of the article
  int32_t cantidad = 1;
  double precioM1 = 0;   // unit price, main currency, VAT as the rate says
  double descuento = 0;  // percentage off quantity times price
  double importeM1 = 0;  // the line's amount
  int32_t idIva = -1;
  double porcentajeIva = 0;
  bool ivaIncluido = true;
  // Worked out from the amount and the rate, main and second currency.
  double baseM1 = 0, baseM2 = 0, ivaM1 = 0, ivaM2 = 0, totalM1 = 0, totalM2 = 0;
};

class TVenta : public TBase {
 public:
  enum TClase { kVenta, kEncargo };
  // Why a hand-off cannot become a document.
  static constexpr int kSinLineas = -1501;
  static constexpr int kSinArticulo = -1502;
  static constexpr int kSinPrecio = -1503;
  static constexpr int kSinIva = -1504;
  static constexpr int kSinProveedor = -1505;
  static constexpr int kSinFormaPago = -1506;
  static constexpr int kDatoNoValido = -1507;

  // What the user may change in a line.
  enum class TCampo { kCantidad, kPrecio, kDescuento };

  TVenta(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB, TClase clase);

  // The lines of the hand-off's sale lines that carry an article. 0, or one of
  // the codes above with Problema() saying which line and why, in Spanish.
  int Preparar(const THostContext& ctx);
  // Changes a line's quantity, unit price or discount to the number typed
  // (decimal comma) and works the line and the totals out again. 0; or
  // kDatoNoValido, with Problema() saying what the field takes and the line
  // as it was.
  int Cambiar_Linea(int fila, TCampo campo, const QString& texto);
  // Stores the document and its lines in one unit of work, paid with the
  // payment method given. 0; kSinFormaPago; -1 when the database refused it
  // (Problema() gives its text) and nothing was stored.
  int Grabar(const THostContext& ctx, double idFormaPago);

  TClase Clase() const { return clase_; }
  const std::vector<TLineaDocumento>& Lineas() const { return lineas_; }
  double Base_M1() const { return baseM1_; }
  double Iva_M1() const { return ivaM1_; }
  double Total_M1() const { return totalM1_; }
  double Total_M2() const { return totalM2_; }
  double ID() const { return id_; }
  const QString& Problema() const { return problema_; }

  // The VAT of an amount at a rate: taken out of it when the VAT is included,
  // added on top otherwise; to the cent, half away from zero.
  static void Calcular_Iva(TLineaDocumento& linea, double conversion);

 private:
  // The line's amount from its quantity, price and discount, to the cent,
  // half away from zero.
  static double Importe_Linea(const TLineaDocumento& linea);
  void Calcular_Totales();

  TClase clase_;
  double conversion_ = 0;
  std::vector<TLineaDocumento> lineas_;
  double baseM1_ = 0, baseM2_ = 0, ivaM1_ = 0, ivaM2_ = 0, totalM1_ = 0, totalM2_ = 0;
  double id_ = -1;
  QString problema_;
};
