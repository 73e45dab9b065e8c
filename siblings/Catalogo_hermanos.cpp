#include "Catalogo_hermanos.h"

#include "Ibx_error.h"

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
