#pragma once
// What the sibling windows (article search, sale, order, article form) read
// from the shop's catalogues as lists: every article in the short form a
// search list shows, the families and the payment methods. The search list
// is read once per window and filtered in memory as the user types.

#include <QString>
#include <QStringList>
#include <vector>

#include "Clase_tbase.h"

// One article as the search list shows it. The texts are also kept folded to
// lower case, so that a keystroke's filter compares without converting.
struct TFilaArticulo {
  double id = -1;
  QString referencia, descripcion, codigoBarras;
  int32_t familia = -1;
  double precio = 0;  // first retail price, main currency
  QString referenciaMinus, descripcionMinus;
};

// An entry of a picker: key and text.
struct TEntradaLista {
  double id = -1;
  QString texto;
};

// What the article form creates: a sellable article, lens data included.
struct TArticuloNuevo {
  double idTipoArticulo = -1;  // ID_TARTICULO (3: a contact lens)
  double idTipoLentilla = -1;  // ID_TIPO of a lens
  QString referencia, descripcion, modelo, color, radio1, radio2;
  double diametro = 0;
  double codigoBarras = 0;  // CODIGO_BARRAS, 0: none
  double idFamilia = -1, idProveedor = -1, idIva = -1;
  double precioM1 = 0, precioM2 = 0;
  double fechaCreacion = 0;
};

class TCatalogoHermanos : public TBase {
 public:
  using TBase::TBase;

  // Every article with a key above 0 (the placeholder row 0 is no article),
  // by description. 0, or -1 when the database failed.
  int Cargar_Articulos(std::vector<TFilaArticulo>& filas);
  // Families and payment methods by description, without the placeholder row.
  int Cargar_Familias(std::vector<TEntradaLista>& familias);
  int Cargar_Formas_Pago(std::vector<TEntradaLista>& formas);
  // The suppliers by name, for the article form.
  int Cargar_Proveedores(std::vector<TEntradaLista>& proveedores);
  int Cargar_Ivas(std::vector<TEntradaLista>& ivas);
  int Cargar_Tipos_Articulo(std::vector<TEntradaLista>& tipos);
  int Cargar_Tipos_Lentilla(std::vector<TEntradaLista>& tipos);

  // Whether an article already has this reference.
  bool Existe_Referencia(const QString& referencia);
  // Inserts the article in one unit of work, sold at its first retail price,
  // and gives its key. 0, or -1 with `error` holding the database's text.
  int Crear_Articulo(const TArticuloNuevo& a, double& id, QString& error);

 private:
  int Cargar_Lista(const QString& sql, std::vector<TEntradaLista>& lista);
};

// The rows whose reference or description contain `texto` (any case), or
// whose barcode starts with it, and whose family is `familia` (-1: any).
// The empty text keeps every row.
std::vector<int> Filtrar_Articulos(const std::vector<TFilaArticulo>& filas, const QString& texto, int32_t familia);
