#include "Catalogo_hermanos.h"

#include "Ibx_error.h"
#include "Unidad_trabajo.h"

int TCatalogoHermanos::Cargar_Articulos(std::vector<TFilaArticulo>& filas) {
  filas.clear();
  try {
    TSentencia s(*this, 1,
                 QStringLiteral("select ID_ARTICULO, REFERENCIA, DESCRIPCION, CODIGO_BARRAS, ID_FAMILIA, "
                                "PRECIO_VENTA1_M1 from ARTICULO where ID_ARTICULO > 0 order by DESCRIPCION"));
    // An empty table is an empty list, not a failure.
    if (const int r = s.Ejecutar(); r != 0) return r == kSinFilas ? 0 : -1;
    for (TIBQuery& q = s.Consulta(); !q.Eof(); q.Next()) {
      TFilaArticulo f;
      f.id = q.Fields(0).AsFloat();
      f.referencia = q.Fields(1).AsString();
      f.descripcion = q.Fields(2).AsString();
      const TField barras = q.Fields(3);
      if (!barras.IsNull() && barras.AsFloat() != 0) f.codigoBarras = QString::number(barras.AsInt64());
      f.familia = q.Fields(4).IsNull() ? -1 : q.Fields(4).AsInteger();
      f.precio = q.Fields(5).AsFloat();
      f.referenciaMinus = f.referencia.toLower();
      f.descripcionMinus = f.descripcion.toLower();
      filas.push_back(std::move(f));
    }
    return 0;
  } catch (const EIBError&) {
    filas.clear();
    return -1;
  }
}

int TCatalogoHermanos::Cargar_Lista(const QString& sql, std::vector<TEntradaLista>& lista) {
  lista.clear();
  try {
    TSentencia s(*this, 1, sql);
    if (const int r = s.Ejecutar(); r != 0) return r == kSinFilas ? 0 : -1;
    for (TIBQuery& q = s.Consulta(); !q.Eof(); q.Next()) lista.push_back({q.Fields(0).AsFloat(), q.Fields(1).AsString()});
    return 0;
  } catch (const EIBError&) {
    lista.clear();
    return -1;
  }
}

int TCatalogoHermanos::Cargar_Familias(std::vector<TEntradaLista>& familias) {
  return Cargar_Lista(QStringLiteral("select ID_FAMILIA, DESCRIPCION from FAMILIA where ID_FAMILIA > 0 "
                                     "order by DESCRIPCION"),
                      familias);
}

int TCatalogoHermanos::Cargar_Formas_Pago(std::vector<TEntradaLista>& formas) {
  return Cargar_Lista(QStringLiteral("select ID_FORMA_PAGO, DESCRIPCION from FORMA_PAGO where ID_FORMA_PAGO > 0 "
                                     "order by CODIGO, DESCRIPCION"),
                      formas);
}

int TCatalogoHermanos::Cargar_Proveedores(std::vector<TEntradaLista>& proveedores) {
  return Cargar_Lista(QStringLiteral("select ID_PROVEEDOR, NOMBRE from PROVEEDOR where ID_PROVEEDOR > 0 "
                                     "order by NOMBRE"),
                      proveedores);
}

int TCatalogoHermanos::Cargar_Ivas(std::vector<TEntradaLista>& ivas) {
  return Cargar_Lista(QStringLiteral("select ID_IVA, DESCRIPCION from IVA where ID_IVA > 0 order by PORCENTAJE desc"),
                      ivas);
}

int TCatalogoHermanos::Cargar_Tipos_Articulo(std::vector<TEntradaLista>& tipos) {
  return Cargar_Lista(QStringLiteral("select ID_TARTICULO, DESCRIPCION from TARTICULO where ID_TARTICULO > 0 "
                                     "order by DESCRIPCION"),
                      tipos);
}

int TCatalogoHermanos::Cargar_Tipos_Lentilla(std::vector<TEntradaLista>& tipos) {
  return Cargar_Lista(QStringLiteral("select ID_TLENTILLA, DESCRIPCION from TLENTILLA where ID_TLENTILLA > 0 "
                                     "order by DESCRIPCION"),
                      tipos);
}

bool TCatalogoHermanos::Existe_Referencia(const QString& referencia) {
  TSentencia s(*this, 1, QStringLiteral("select count(*) from ARTICULO where REFERENCIA = :REFERENCIA"));
  s.Parametro(QStringLiteral("REFERENCIA")).AsString(referencia);
  if (s.Ejecutar() != 0) return false;
  return s.Consulta().Fields(0).AsInteger() > 0;
}

int TCatalogoHermanos::Crear_Articulo(const TArticuloNuevo& a, double& id, QString& error) {
  id = -1;
  TUnidadTrabajo unidad(ConexionB());
  double clave = -1;
  try {
    {
      TSentencia s(*this, 1,
                   QStringLiteral(
                       "insert into ARTICULO (ID_TARTICULO, ID_TIPO, REFERENCIA, DESCRIPCION, MODELO, COLOR, RADIO_1, "
                       "RADIO_2, DIAMETRO, CODIGO_BARRAS, ID_FAMILIA, ID_PROVEEDOR, ID_PROVEEDOR_ULTIMO, ID_IVA_COMPRA, ID_IVA_VENTA, "
                       "PRECIO_VENTA1_M1, PRECIO_VENTA1_M2, PRECIO_PVP1_PVP2, FECHA_CREACION) values (:ID_TARTICULO, "
                       ":ID_TIPO, :REFERENCIA, :DESCRIPCION, :MODELO, :COLOR, :RADIO_1, :RADIO_2, :DIAMETRO, :CODIGO_BARRAS, "
                       ":ID_FAMILIA, :ID_PROVEEDOR, :ID_PROVEEDOR, :ID_IVA, :ID_IVA, :PRECIO_M1, :PRECIO_M2, 0, "
                       ":FECHA_CREACION)"));
      s.Parametro(QStringLiteral("ID_TARTICULO")).AsInteger(static_cast<qint64>(a.idTipoArticulo));
      s.Parametro(QStringLiteral("ID_TIPO")).AsInteger(static_cast<qint64>(a.idTipoLentilla));
      s.Parametro(QStringLiteral("REFERENCIA")).AsString(a.referencia);
      s.Parametro(QStringLiteral("DESCRIPCION")).AsString(a.descripcion);
      s.Parametro(QStringLiteral("MODELO")).AsString(a.modelo);
      s.Parametro(QStringLiteral("COLOR")).AsString(a.color);
      s.Parametro(QStringLiteral("RADIO_1")).AsString(a.radio1);
      s.Parametro(QStringLiteral("RADIO_2")).AsString(a.radio2);
      s.Parametro(QStringLiteral("DIAMETRO")).AsFloat(a.diametro);
      if (a.codigoBarras > 0) s.Parametro(QStringLiteral("CODIGO_BARRAS")).AsInteger(static_cast<qint64>(a.codigoBarras));
      else s.Parametro(QStringLiteral("CODIGO_BARRAS")).Clear();
      s.Parametro(QStringLiteral("ID_FAMILIA")).AsInteger(static_cast<qint64>(a.idFamilia));
      s.Parametro(QStringLiteral("ID_PROVEEDOR")).AsInteger(static_cast<qint64>(a.idProveedor));
      s.Parametro(QStringLiteral("ID_IVA")).AsInteger(static_cast<qint64>(a.idIva));
      s.Parametro(QStringLiteral("PRECIO_M1")).AsFloat(a.precioM1);
      s.Parametro(QStringLiteral("PRECIO_M2")).AsFloat(a.precioM2);
      s.Parametro(QStringLiteral("FECHA_CREACION")).AsDateTime(a.fechaCreacion);
      if (s.Ejecutar() != 0) unidad.Anular();
    }
    if (!unidad.Fallida()) {
      TSentencia s(*this, 6, QStringLiteral("ID_ARTICULO"));
      s.Ejecutar();
      clave = s.Parametro(QStringLiteral("ID")).AsFloat();
    }
  } catch (const EIBError& e) {
    unidad.Anular(e);
  }
  if (!unidad.Confirmar()) {
    error = unidad.Causa() ? unidad.Causa()->Message() : QString();
    return -1;
  }
  id = clave;
  return 0;
}

std::vector<int> Filtrar_Articulos(const std::vector<TFilaArticulo>& filas, const QString& texto, int32_t familia) {
  std::vector<int> indices;
  indices.reserve(filas.size());
  const QString buscado = texto.trimmed().toLower();
  for (int i = 0; i < static_cast<int>(filas.size()); ++i) {
    const TFilaArticulo& f = filas[i];
    if (familia != -1 && f.familia != familia) continue;
    if (!buscado.isEmpty() && !f.referenciaMinus.contains(buscado) && !f.descripcionMinus.contains(buscado) &&
        !f.codigoBarras.startsWith(buscado))
      continue;
    indices.push_back(i);
  }
  return indices;
}
