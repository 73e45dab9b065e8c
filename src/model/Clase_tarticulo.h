#pragma once
// One article (table ARTICULO) with its observations and the reference rows
// it points at: lookups by key, reference or barcode, the rewrite of the row,
// its descriptive texts, and the two rules of the lens screen's article
// fields (which price an article sells at on a record, and how a typed text
// becomes an article).

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "Campos.h"
#include "Clase_tbase.h"
#include "Clase_tfamilia.h"
#include "Clase_tiva.h"
#include "Clase_tmarca_aud.h"
#include "Clase_tmarca_mon.h"
#include "Clase_tmoneda.h"
#include "Clase_tproveedor.h"
#include "Clase_ttarticulo.h"
#include "Clase_ttcristal.h"
#include "Clase_ttlentilla.h"
#include "Clase_ttratamiento.h"
#include "Objeto_perezoso.h"

class TArticulo : public TBase {
 public:
  // Lookup results besides 0 (found), -5 (not found) and -1 (database error).
  static constexpr int kReferenciaErronea = -21506;
  // Crear_Objeto.
  static constexpr int kObjetoCreado = -21509;
  static constexpr int kObjetoExistente = -21510;
  static constexpr int kObjetoDesconocido = -302;
  // A reference of this length or longer is never looked up.
  static constexpr int kLongitudReferencia = 14;

  // The reference objects, by the identifiers Crear_Objeto takes.
  enum Objeto {
    kMoneda = 19,
    kTCristal = 21,
    kMarcaMontura = 22,
    kFamilia = 24,
    kProveedor = 25,
    kTLentilla = 26,
    kTArticulo = 27,
    kMarcaAudifono = 28,
    kProveedorUltimo = 1000,
    kIvaCompra = 1001,
    kIvaVenta = 1002,
    kTratamiento1 = 1003,
    kTratamiento2 = 1004,
    kTratamiento3 = 1005,
  };

  // Load levels of the lookups: 0 the row and its observations only, 2 also
  // the article's kind with the keys of its type-specific rows, 1 everything
  // with every reference row read from the database.
  enum Nivel { kSoloCampos = 0, kCompleto = 1, kLigero = 2 };

  TArticulo(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  // Creates the reference object of an identifier the first time it is
  // asked for (the currency is loaded at once): -21509 created, -21510 it
  // already existed, -302 unknown identifier.
  int Crear_Objeto(int identificador);

  // The lookups run BUSCAR_ARTICULO with the held key, barcode or reference:
  // 0 found and loaded at the given level; -5 not found, with the article
  // cleared; -1 a database error. A reference that is empty or has 14
  // characters or more gives -21506 with nothing run and nothing changed.
  int Buscar_Por_Id(int nivel);
  int Buscar_Por_Referencia(int nivel);
  int Buscar_Por_Codigo_Barras(int nivel);

  // Rewrites the row with the held values, every second-currency amount
  // recomputed from its main amount with the current rate (the held _M2
  // values are replaced by the ones written), then writes the observations:
  // the article's row of ARTOBSERVACIONES is updated, or inserted when it has
  // none. 0, or the TBase code of the write that failed; errors of
  // the database reach the caller.
  [[nodiscard]] int Modificar();

  // Descriptive text: modes below 3 give the short one (the hint of an
  // article field), mode 9 the full one; any other mode the empty text.
  QString Texto_Informacion(int modo);

  // The price the article sells at on a lens record dated `fechaFicha`,
  // worked out on the working date `fechaTrabajo`. Returns the main-currency
  // amount and leaves the second-currency one in `precioM2`.
  //  - A coming price whose start date (NUEVO_DESDE, when set) is a day
  //    earlier than the working date becomes the first retail price and the
  //    article is rewritten (Modificar).
  //  - An offer applies when both its dates are set and the record's day lies
  //    between OFERTA_DESDE and OFERTA_HASTA, both days included.
  //  - Otherwise the first retail price when PRECIO_PVP1_PVP2 is 0, else the
  //    second.
  double Precio_Ficha(double fechaTrabajo, double fechaFicha, double& precioM2);
  // Whether the offer applies on a day (same bounds as Precio_Ficha).
  bool Oferta_Vigente(double fecha) const;

  // A text typed in an article field: looked up as a reference at level 1;
  // when that finds nothing and the text is a number (digits, one decimal
  // comma at most, a leading sign), as a barcode at level 1. 0 found; the
  // last lookup's code otherwise. The empty text runs nothing: -21506.
  int Buscar_Texto(const QString& texto);

  // Clears the article: key -1, texts and lists empty, dates, amounts and
  // figures 0, link keys -1, PRECIO_PVP1_PVP2 1; the reference objects
  // forget what they held.
  void Limpiar();

  // The reference objects (null until created).
  TMoneda* Moneda() const { return moneda_.Actual(); }
  TFamilia* Familia() const { return familia_.Actual(); }
  TProveedor* Proveedor() const { return proveedor_.Actual(); }
  TProveedor* Proveedor_Ultimo() const { return proveedorUltimo_.Actual(); }
  TIva* Iva_Compra() const { return ivaCompra_.Actual(); }
  TIva* Iva_Venta() const { return ivaVenta_.Actual(); }
  TTLentilla* Tipo_Lentilla() const { return tipoLentilla_.Actual(); }
  TTArticulo* Tipo_Articulo() const { return tipoArticulo_.Actual(); }
  TTCristal* Tipo_Cristal() const { return tipoCristal_.Actual(); }
  TMarca_Aud* Marca_Audifono() const { return marcaAudifono_.Actual(); }
  TMarca_Mon* Marca_Montura() const { return marcaMontura_.Actual(); }
  TTratamiento* Tratamiento(int n) const;  // n = 1, 2 or 3

  // One line per entry.
  QStringList& Observaciones() { return observaciones_; }
  // Filled by the article pickers of other modules.
  QStringList Claves, Referencias, Descripciones, Precios;

  // RES_RESULTADO of the last lookup and the lookup's result code.
  int32_t RES_RESULTADO() const { return resResultado_; }
  int16_t Resultado() const { return resultado_; }

  CAMPO_VALOR(double, ID_ARTICULO, -1)
  CAMPO_VALOR(double, ID_TARTICULO, -1)
  CAMPO_TEXTO(REFERENCIA)
  CAMPO_VALOR(double, CODIGO_BARRAS, 0)
  CAMPO_TEXTO(REFERENCIA_PROVEEDOR)
  CAMPO_TEXTO(DESCRIPCION)
  CAMPO_TEXTO(MODELO)

  // Links. The reference objects are given these keys when the article is
  // loaded; the row is always rewritten from these.
  CAMPO_VALOR(int32_t, ID_FAMILIA, -1)
  CAMPO_VALOR(double, ID_PROVEEDOR, -1)
  CAMPO_VALOR(double, ID_PROVEEDOR_ULTIMO, -1)
  CAMPO_VALOR(int32_t, ID_IVA_COMPRA, -1)
  CAMPO_VALOR(int32_t, ID_IVA_VENTA, -1)
  CAMPO_VALOR(double, ID_MARCA, -1)
  CAMPO_VALOR(double, ID_TIPO, -1)
  CAMPO_VALOR(double, ID_TRATAMIENTO_1, -1)
  CAMPO_VALOR(double, ID_TRATAMIENTO_2, -1)
  CAMPO_VALOR(double, ID_TRATAMIENTO_3, -1)

  CAMPO_VALOR(double, PRECIO_COSTE_M1, 0)
  CAMPO_VALOR(double, PRECIO_COSTE_M2, 0)
  CAMPO_VALOR(double, PRECIO_VENTA1_M1, 0)
  CAMPO_VALOR(double, PRECIO_VENTA1_M2, 0)
  CAMPO_VALOR(double, PRECIO_VENTA2_M1, 0)
  CAMPO_VALOR(double, PRECIO_VENTA2_M2, 0)
  CAMPO_VALOR(double, PRECIO_COSTE_MED_M1, 0)
  CAMPO_VALOR(double, PRECIO_COSTE_MED_M2, 0)
  CAMPO_VALOR(double, COMPRADAS_IMP_M1, 0)
  CAMPO_VALOR(double, COMPRADAS_IMP_M2, 0)
  CAMPO_VALOR(double, VENDIDAS_IMP_M1, 0)
  CAMPO_VALOR(double, VENDIDAS_IMP_M2, 0)
  CAMPO_VALOR(double, OFERTA_IMPORTE_M1, 0)
  CAMPO_VALOR(double, OFERTA_IMPORTE_M2, 0)
  CAMPO_VALOR(double, NUEVO_PRECIO_M1, 0)
  CAMPO_VALOR(double, NUEVO_PRECIO_M2, 0)
  // 0 sells at the first retail price, anything else at the second.
  CAMPO_VALOR(int32_t, PRECIO_PVP1_PVP2, 1)

  CAMPO_VALOR(double, DESCUENTO_COMPRA, 0)
  CAMPO_VALOR(double, MARGEN_BENEFICIO, 0)
  CAMPO_VALOR(double, STOCK_MAXIMO, 0)
  CAMPO_VALOR(double, STOCK_MINIMO, 0)
  CAMPO_VALOR(double, STOCK_PEDIDO, 0)
  CAMPO_VALOR(double, ULTIMO_DESCUENTO, 0)
  CAMPO_VALOR(double, COMPRADAS_UNIDADES, 0)
  CAMPO_VALOR(int32_t, VENDIDAS_UNIDADES, 0)

  CAMPO_VALOR(double, FECHA_GARANTIA, 0)
  CAMPO_VALOR(double, FECHA_CADUCIDAD, 0)
  CAMPO_VALOR(double, FECHA_ULTIMA_COMPRA, 0)
  CAMPO_VALOR(double, FECHA_ULTIMA_VENTA, 0)
  CAMPO_VALOR(double, OFERTA_DESDE, 0)
  CAMPO_VALOR(double, OFERTA_HASTA, 0)
  CAMPO_VALOR(double, NUEVO_DESDE, 0)
  CAMPO_VALOR(double, FECHA_CREACION, 0)

  CAMPO_VALOR(double, DIAMETRO, 0)
  CAMPO_VALOR(double, ESFERA, 0)
  CAMPO_VALOR(double, CILINDRO, 0)
  CAMPO_TEXTO(RADIO_1)
  CAMPO_TEXTO(RADIO_2)
  CAMPO_TEXTO(TAMANO)
  CAMPO_TEXTO(COLOR)
  CAMPO_TEXTO(VARILLA)
  CAMPO_TEXTO(IMAGEN)
  CAMPO_VALOR(int32_t, DIGITO_CONTROL, 0)

 private:
  int Buscar_Articulo(double clave, double codigoBarras, const QString& referencia, int nivel);
  void Leer_Salidas(TIBStoredProc& sp);
  void Cargar_Referencias(int nivel);
  void Dar_Tipo();
  void Olvidar_Tipo_Especifico();
  void Cargar_Observaciones();
  [[nodiscard]] int Grabar_Observaciones();
  QString Texto_Corto() const;
  QString Texto_Completo() const;
  // A reference object, created now if it was not yet.
  template <class T>
  T& Dar(TPerezoso<T>& holder) {
    return holder.Obtener(Owner(), ConexionA(), ConexionB());
  }

  QStringList observaciones_;
  int32_t resResultado_ = 0;
  int16_t resultado_ = 0;
  QString texto_;

  TPerezoso<TMoneda> moneda_;
  TPerezoso<TFamilia> familia_;
  TPerezoso<TProveedor> proveedor_, proveedorUltimo_;
  TPerezoso<TIva> ivaCompra_, ivaVenta_;
  TPerezoso<TTLentilla> tipoLentilla_;
  TPerezoso<TTArticulo> tipoArticulo_;
  TPerezoso<TTCristal> tipoCristal_;
  TPerezoso<TMarca_Aud> marcaAudifono_;
  TPerezoso<TMarca_Mon> marcaMontura_;
  TPerezoso<TTratamiento> tratamientos_[3];
};

