#include "Clase_tventa.h"

#include <cmath>

#include "Clase_tarticulo.h"
#include "Clase_tiva.h"
#include "Clase_tmoneda.h"
#include "Ibx_error.h"
#include "Unidad_trabajo.h"
#include "Util_locale.h"

TVenta::TVenta(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB, TClase clase)
    : TBase(owner, conexionA, conexionB), clase_(clase) {}

void TVenta::Calcular_Iva(TLineaDocumento& l, double conversion) {
  const double p = l.porcentajeIva;
  if (l.ivaIncluido) {
    l.totalM1 = l.importeM1;
    l.ivaM1 = locale_es::Redondear(l.importeM1 * p / (100 + p), 2);
    l.baseM1 = l.totalM1 - l.ivaM1;
  } else {
    l.baseM1 = l.importeM1;
    l.ivaM1 = locale_es::Redondear(l.importeM1 * p / 100, 2);
    l.totalM1 = l.baseM1 + l.ivaM1;
  }
  // The second currency is the main one times the rate, unrounded.
  l.baseM2 = l.baseM1 * conversion;
  l.ivaM2 = l.ivaM1 * conversion;
  l.totalM2 = l.totalM1 * conversion;
}

double TVenta::Importe_Linea(const TLineaDocumento& l) {
  return locale_es::Redondear(l.cantidad * l.precioM1 * (100 - l.descuento) / 100, 2);
}

void TVenta::Calcular_Totales() {
  baseM1_ = baseM2_ = ivaM1_ = ivaM2_ = totalM1_ = totalM2_ = 0;
  for (const TLineaDocumento& l : lineas_) {
    baseM1_ += l.baseM1;
    baseM2_ += l.baseM2;
    ivaM1_ += l.ivaM1;
    ivaM2_ += l.ivaM2;
    totalM1_ += l.totalM1;
    totalM2_ += l.totalM2;
  }
}

int TVenta::Preparar(const THostContext& ctx) {
  lineas_.clear();
  Calcular_Totales();
  problema_.clear();
  conversion_ = ctx.moneda ? ctx.moneda->CONVERSION : 0;
  TArticulo a(Owner(), ConexionA(), ConexionB());
  for (int o = 0; o < 2; ++o) {
    const TLineaVenta& v = ctx.lineasVenta[o];
    if (!v.activa) continue;
    const QString ojo = o == 0 ? QStringLiteral("del ojo derecho") : QStringLiteral("del ojo izquierdo");
    const QString nombre = v.descripcion.isEmpty() ? v.referencia : v.descripcion;
    // A saved record names its article by reference only.
    int r = -5;
    if (v.idArticulo > 0) {
      a.ID_ARTICULO(v.idArticulo);
      r = a.Buscar_Por_Id(TArticulo::kCompleto);
    }
    if (r != 0 && !v.referencia.isEmpty()) r = a.Buscar_Texto(v.referencia);
    if (r != 0) {
      problema_ = QStringLiteral("La lentilla %1 («%2») no es un artículo del catálogo: no se puede %3. Elija el "
                                 "artículo en la ficha (búsqueda o Insert para crearlo) y vuelva a intentarlo.")
                      .arg(ojo, nombre, clase_ == kVenta ? QStringLiteral("vender") : QStringLiteral("encargar"));
      return kSinArticulo;
    }
    TLineaDocumento l;
    l.idArticulo = a.ID_ARTICULO();
    l.idProveedor = a.ID_PROVEEDOR();
    l.referencia = a.REFERENCIA();
    // The record's field shows a stored line by its reference: the document
    // names the article as the catalogue does.
    l.descripcion = a.DESCRIPCION().isEmpty() ? nombre : a.DESCRIPCION();
    l.cantidad = v.cantidad > 0 ? v.cantidad : 1;
    l.precioM1 = v.importe;
    if (l.precioM1 <= 0) {
      problema_ = QStringLiteral("La lentilla %1 («%2») no tiene importe. Ponga el precio en la ficha o en el "
                                 "artículo y vuelva a intentarlo.")
                      .arg(ojo, nombre);
      return kSinPrecio;
    }
    const TIva* iva = a.Iva_Venta();
    if (a.ID_IVA_VENTA() <= 0 || !iva || iva->ID_IVA() <= 0) {
      problema_ = QStringLiteral("El artículo «%1» no tiene tipo de I.V.A. de venta. Asígnele uno en el "
                                 "mantenimiento de artículos y vuelva a intentarlo.")
                      .arg(a.DESCRIPCION().isEmpty() ? a.REFERENCIA() : a.DESCRIPCION());
      return kSinIva;
    }
    l.idIva = iva->ID_IVA();
    l.porcentajeIva = iva->PORCENTAJE();
    l.ivaIncluido = iva->IVA_INCLUIDO();
    if (clase_ == kEncargo && l.idProveedor <= 0) {
      problema_ = QStringLiteral("El artículo «%1» no tiene proveedor: no se sabe a quién encargarlo. Asígnele uno "
                                 "en el mantenimiento de artículos y vuelva a intentarlo.")
                      .arg(a.DESCRIPCION().isEmpty() ? a.REFERENCIA() : a.DESCRIPCION());
      return kSinProveedor;
    }
    l.importeM1 = Importe_Linea(l);
    Calcular_Iva(l, conversion_);
    lineas_.push_back(std::move(l));
  }
  Calcular_Totales();
  if (lineas_.empty()) {
    problema_ = clase_ == kVenta
                    ? QStringLiteral("La ficha no tiene ninguna lentilla con artículo: no hay nada que vender.")
                    : QStringLiteral("La ficha no tiene ninguna lentilla con artículo: no hay nada que encargar.");
    return kSinLineas;
  }
  return 0;
}

int TVenta::Cambiar_Linea(int fila, TCampo campo, const QString& texto) {
  problema_.clear();
  if (fila < 0 || fila >= static_cast<int>(lineas_.size())) return kDatoNoValido;
  double valor = 0;
  const bool numero = locale_es::Texto_A_Float(texto, valor);
  // Amounts and percentages go to the cent, as the document stores them.
  const bool centimos = numero && locale_es::Redondear(valor, 2) == valor;
  TLineaDocumento l = lineas_[fila];
  switch (campo) {
    case TCampo::kCantidad:
      if (!numero || valor != std::trunc(valor) || valor < 1 || valor > 999) {
        problema_ = QStringLiteral("La cantidad ha de ser un número entero entre 1 y 999.");
        return kDatoNoValido;
      }
      l.cantidad = static_cast<int32_t>(valor);
      break;
    case TCampo::kPrecio:
      if (!centimos || valor <= 0 || valor >= 1e7) {
        problema_ = QStringLiteral("El precio ha de ser un número mayor que 0 y menor que 10.000.000, con dos "
                                   "decimales como mucho (coma decimal).");
        return kDatoNoValido;
      }
      l.precioM1 = valor;
      break;
    case TCampo::kDescuento:
      if (!centimos || valor < 0 || valor > 100) {
        problema_ = QStringLiteral("El descuento ha de ser un porcentaje entre 0 y 100, con dos decimales como "
                                   "mucho (coma decimal).");
        return kDatoNoValido;
      }
      l.descuento = valor;
      break;
  }
  l.importeM1 = Importe_Linea(l);
  Calcular_Iva(l, conversion_);
  lineas_[fila] = std::move(l);
  Calcular_Totales();
  return 0;
}

int TVenta::Grabar(const THostContext& ctx, double idFormaPago) {
  problema_.clear();
  if (idFormaPago <= 0) {
    problema_ = QStringLiteral("Elija la forma de pago.");
    return kSinFormaPago;
  }
  const bool venta = clase_ == kVenta;
  const QString tabla = venta ? QStringLiteral("VENTA") : QStringLiteral("ENCARGO");
  TUnidadTrabajo unidad(ConexionB());
  double id = -1;
  try {
    {
      TSentencia s(*this, 1,
                   QStringLiteral("insert into %1 (ID_PACIENTE, ID_MLENTILLA, ID_TIENDA, ID_USUARIO, ID_FORMA_PAGO, "
                                  "FECHA, BASE_M1, BASE_M2, IVA_M1, IVA_M2, TOTAL_M1, TOTAL_M2) values (:ID_PACIENTE, "
                                  ":ID_MLENTILLA, :ID_TIENDA, :ID_USUARIO, :ID_FORMA_PAGO, :FECHA, :BASE_M1, :BASE_M2, "
                                  ":IVA_M1, :IVA_M2, :TOTAL_M1, :TOTAL_M2)")
                       .arg(tabla));
      s.Parametro(QStringLiteral("ID_PACIENTE")).AsInteger(ctx.traspaso.idPaciente);
      s.Parametro(QStringLiteral("ID_MLENTILLA")).AsInteger(ctx.traspaso.idFicha);
      s.Parametro(QStringLiteral("ID_TIENDA")).AsInteger(ctx.puesto ? ctx.puesto->idTienda : -1);
      s.Parametro(QStringLiteral("ID_USUARIO"))
          .AsInteger(ctx.usuario ? static_cast<qint64>(std::trunc(ctx.usuario->idUsuario)) : -1);
      s.Parametro(QStringLiteral("ID_FORMA_PAGO")).AsInteger(static_cast<qint64>(idFormaPago));
      s.Parametro(QStringLiteral("FECHA")).AsDateTime(ctx.puesto ? ctx.puesto->fechaTrabajo : 0);
      s.Parametro(QStringLiteral("BASE_M1")).AsFloat(baseM1_);
      s.Parametro(QStringLiteral("BASE_M2")).AsFloat(baseM2_);
      s.Parametro(QStringLiteral("IVA_M1")).AsFloat(ivaM1_);
      s.Parametro(QStringLiteral("IVA_M2")).AsFloat(ivaM2_);
      s.Parametro(QStringLiteral("TOTAL_M1")).AsFloat(totalM1_);
      s.Parametro(QStringLiteral("TOTAL_M2")).AsFloat(totalM2_);
      if (s.Ejecutar() != 0) unidad.Anular();
    }
    if (!unidad.Fallida()) {
      TSentencia clave(*this, 6, QStringLiteral("ID_") + tabla);
      clave.Ejecutar();
      id = clave.Parametro(QStringLiteral("ID")).AsFloat();
    }
    int numero = 0;
    for (const TLineaDocumento& l : lineas_) {
      if (unidad.Fallida()) break;
      TSentencia s(*this, 1,
                   venta ? QStringLiteral("insert into DVENTA (ID_VENTA, LINEA, ID_ARTICULO, REFERENCIA, DESCRIPCION, "
                                          "CANTIDAD, IMPORTE_M1, IMPORTE_M2, ID_IVA, PORCENTAJE_IVA, IVA_M1, IVA_M2) "
                                          "values (:ID, :LINEA, :ID_ARTICULO, :REFERENCIA, :DESCRIPCION, :CANTIDAD, "
                                          ":IMPORTE_M1, :IMPORTE_M2, :ID_IVA, :PORCENTAJE_IVA, :IVA_M1, :IVA_M2)")
                         : QStringLiteral("insert into DENCARGO (ID_ENCARGO, LINEA, ID_ARTICULO, ID_PROVEEDOR, "
                                          "REFERENCIA, DESCRIPCION, CANTIDAD, IMPORTE_M1, IMPORTE_M2, ID_IVA, "
                                          "PORCENTAJE_IVA, IVA_M1, IVA_M2) values (:ID, :LINEA, :ID_ARTICULO, "
                                          ":ID_PROVEEDOR, :REFERENCIA, :DESCRIPCION, :CANTIDAD, :IMPORTE_M1, "
                                          ":IMPORTE_M2, :ID_IVA, :PORCENTAJE_IVA, :IVA_M1, :IVA_M2)"));
      s.Parametro(QStringLiteral("ID")).AsInteger(static_cast<qint64>(id));
      s.Parametro(QStringLiteral("LINEA")).AsInteger(++numero);
      s.Parametro(QStringLiteral("ID_ARTICULO")).AsInteger(static_cast<qint64>(l.idArticulo));
      if (!venta) s.Parametro(QStringLiteral("ID_PROVEEDOR")).AsInteger(static_cast<qint64>(l.idProveedor));
      s.Parametro(QStringLiteral("REFERENCIA")).AsString(l.referencia);
      s.Parametro(QStringLiteral("DESCRIPCION")).AsString(l.descripcion);
      s.Parametro(QStringLiteral("CANTIDAD")).AsInteger(l.cantidad);
      s.Parametro(QStringLiteral("IMPORTE_M1")).AsFloat(l.totalM1);
      s.Parametro(QStringLiteral("IMPORTE_M2")).AsFloat(l.totalM2);
      s.Parametro(QStringLiteral("ID_IVA")).AsInteger(l.idIva);
      s.Parametro(QStringLiteral("PORCENTAJE_IVA")).AsFloat(l.porcentajeIva);
      s.Parametro(QStringLiteral("IVA_M1")).AsFloat(l.ivaM1);
      s.Parametro(QStringLiteral("IVA_M2")).AsFloat(l.ivaM2);
      if (s.Ejecutar() != 0) unidad.Anular();
    }
  } catch (const EIBError& e) {
    unidad.Anular(e);
  }
  if (!unidad.Confirmar()) {
    problema_ = unidad.Causa() ? unidad.Causa()->Message() : QStringLiteral("La base de datos no ha aceptado el documento.");
    return -1;
  }
  id_ = id;
  return 0;
}
