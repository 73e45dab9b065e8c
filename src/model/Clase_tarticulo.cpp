#include "Clase_tarticulo.h"

#include <cmath>
#include <utility>

#include "Graduacion.h"
#include "Util_fechas.h"
#include "Util_locale.h"

namespace {

// A key output left NULL means no row.
double Clave(const TParam& p) { return p.IsNull() ? -1 : p.AsFloat(); }
int32_t Clave_Entera(const TParam& p) { return p.IsNull() ? -1 : p.AsInteger(); }

double Dia(double fecha) { return std::floor(fecha); }

// The key a reference object holds; -1 when it was never created.
double Clave_De(const TTCristal* o) { return o ? o->ID_TCRISTAL() : -1; }
double Clave_De(const TTratamiento* o) { return o ? o->ID_TRATAMIENTO() : -1; }
double Clave_De(const TMarca_Mon* o) { return o ? o->ID_MARCA() : -1; }
double Clave_De(const TMarca_Aud* o) { return o ? o->ID_MARCA() : -1; }
double Clave_De(const TTLentilla* o) { return o ? o->ID_TLENTILLA() : -1; }

}  // namespace

TArticulo::TArticulo(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB) {}

// ---- Reference objects ------------------------------------------------------------

namespace {

template <typename T>
int Crear(TPerezoso<T>& p, TBase& base) {
  if (p.Actual()) return TArticulo::kObjetoExistente;
  p.Obtener(base.Owner(), base.ConexionA(), base.ConexionB());
  return TArticulo::kObjetoCreado;
}

}  // namespace

int TArticulo::Crear_Objeto(int identificador) {
  switch (identificador) {
    case kMoneda: return Crear(moneda_, *this);
    case kFamilia: return Crear(familia_, *this);
    case kProveedor: return Crear(proveedor_, *this);
    case kProveedorUltimo: return Crear(proveedorUltimo_, *this);
    case kIvaCompra: return Crear(ivaCompra_, *this);
    case kIvaVenta: return Crear(ivaVenta_, *this);
    case kTLentilla: return Crear(tipoLentilla_, *this);
    case kTArticulo: return Crear(tipoArticulo_, *this);
    case kTCristal: return Crear(tipoCristal_, *this);
    case kMarcaAudifono: return Crear(marcaAudifono_, *this);
    case kMarcaMontura: return Crear(marcaMontura_, *this);
    case kTratamiento1: return Crear(tratamientos_[0], *this);
    case kTratamiento2: return Crear(tratamientos_[1], *this);
    case kTratamiento3: return Crear(tratamientos_[2], *this);
  }
  return kObjetoDesconocido;
}

TTratamiento* TArticulo::Tratamiento(int n) const {
  return n >= 1 && n <= 3 ? tratamientos_[n - 1].Actual() : nullptr;
}

// ---- Lookups ----------------------------------------------------------------------

int TArticulo::Buscar_Por_Id(int nivel) { return Buscar_Articulo(ID_ARTICULO(), -1, QStringLiteral("-1"), nivel); }

int TArticulo::Buscar_Por_Codigo_Barras(int nivel) {
  return Buscar_Articulo(-1, CODIGO_BARRAS(), QStringLiteral("-1"), nivel);
}

int TArticulo::Buscar_Por_Referencia(int nivel) {
  if (REFERENCIA().isEmpty() || REFERENCIA().size() >= kLongitudReferencia) return resultado_ = kReferenciaErronea;
  return Buscar_Articulo(-1, -1, REFERENCIA(), nivel);
}

int TArticulo::Buscar_Articulo(double clave, double codigoBarras, const QString& referencia, int nivel) {
  try {
    TSentencia s(*this, 6, QStringLiteral("BUSCAR_ARTICULO"));
    s.Parametro(QStringLiteral("ORG_ID_ARTICULO")).AsFloat(clave);
    s.Parametro(QStringLiteral("ORG_CBARRAS")).AsFloat(codigoBarras);
    s.Parametro(QStringLiteral("ORG_REFERENCIA")).AsString(referencia);
    s.Parametro(QStringLiteral("ORG_DESCRIPCION")).AsString(QStringLiteral("-1"));
    s.Ejecutar();
    resResultado_ = s.Parametro(QStringLiteral("RES_RESULTADO")).AsInteger();
    if (resResultado_ == 0) {
      s.Cerrar();
      Limpiar();
      return resultado_ = -5;
    }
    Leer_Salidas(s.Procedimiento());
    s.Cerrar();
    Cargar_Referencias(nivel);
    Cargar_Observaciones();
    return resultado_ = 0;
  } catch (const EIBError& e) {
    return resultado_ = Fallo(e);
  }
}

void TArticulo::Leer_Salidas(TIBStoredProc& sp) {
  const auto res = [&](const char* n) -> TParam& { return sp.ParamByName(QLatin1String(n)); };
  ID_ARTICULO(res("RES_ID_ARTICULO").AsFloat());
  ID_TARTICULO(Clave(res("RES_ID_TARTICULO")));
  REFERENCIA(res("RES_REFERENCIA").AsString());
  CODIGO_BARRAS(res("RES_CODIGO_BARRAS").AsFloat());
  REFERENCIA_PROVEEDOR(res("RES_REFERENCIA_PROVEEDOR").AsString());
  DESCRIPCION(res("RES_DESCRIPCION").AsString());
  MODELO(res("RES_MODELO").AsString());
  ID_FAMILIA(Clave_Entera(res("RES_ID_FAMILIA")));
  ID_PROVEEDOR(Clave(res("RES_ID_PROVEEDOR")));
  ID_PROVEEDOR_ULTIMO(Clave(res("RES_ID_PROVEEDOR_ULTIMO")));
  ID_IVA_COMPRA(Clave_Entera(res("RES_ID_IVA_COMPRA")));
  ID_IVA_VENTA(Clave_Entera(res("RES_ID_IVA_VENTA")));
  ID_MARCA(Clave(res("RES_ID_MARCA")));
  ID_TIPO(Clave(res("RES_ID_TIPO")));
  ID_TRATAMIENTO_1(Clave(res("RES_ID_TRATAMIENTO_1")));
  ID_TRATAMIENTO_2(Clave(res("RES_ID_TRATAMIENTO_2")));
  ID_TRATAMIENTO_3(Clave(res("RES_ID_TRATAMIENTO_3")));
  PRECIO_COSTE_M1(res("RES_PRECIO_COSTE_M1").AsFloat());
  PRECIO_COSTE_M2(res("RES_PRECIO_COSTE_M2").AsFloat());
  PRECIO_VENTA1_M1(res("RES_PRECIO_VENTA1_M1").AsFloat());
  PRECIO_VENTA1_M2(res("RES_PRECIO_VENTA1_M2").AsFloat());
  PRECIO_VENTA2_M1(res("RES_PRECIO_VENTA2_M1").AsFloat());
  PRECIO_VENTA2_M2(res("RES_PRECIO_VENTA2_M2").AsFloat());
  PRECIO_COSTE_MED_M1(res("RES_PRECIO_COSTE_MED_M1").AsFloat());
  PRECIO_COSTE_MED_M2(res("RES_PRECIO_COSTE_MED_M2").AsFloat());
  COMPRADAS_IMP_M1(res("RES_COMPRADAS_IMP_M1").AsFloat());
  COMPRADAS_IMP_M2(res("RES_COMPRADAS_IMP_M2").AsFloat());
  VENDIDAS_IMP_M1(res("RES_VENDIDAS_IMP_M1").AsFloat());
  VENDIDAS_IMP_M2(res("RES_VENDIDAS_IMP_M2").AsFloat());
  OFERTA_IMPORTE_M1(res("RES_OFERTA_IMPORTE_M1").AsFloat());
  OFERTA_IMPORTE_M2(res("RES_OFERTA_IMPORTE_M2").AsFloat());
  NUEVO_PRECIO_M1(res("RES_NUEVO_PRECIO_M1").AsFloat());
  NUEVO_PRECIO_M2(res("RES_NUEVO_PRECIO_M2").AsFloat());
  PRECIO_PVP1_PVP2(res("RES_PRECIO_PVP1_PVP2").AsInteger());
  DESCUENTO_COMPRA(res("RES_DESCUENTO_COMPRA").AsFloat());
  MARGEN_BENEFICIO(res("RES_MARGEN_BENEFICIO").AsFloat());
  STOCK_MAXIMO(res("RES_STOCK_MAXIMO").AsFloat());
  STOCK_MINIMO(res("RES_STOCK_MINIMO").AsFloat());
  STOCK_PEDIDO(res("RES_STOCK_PEDIDO").AsFloat());
  ULTIMO_DESCUENTO(res("RES_ULTIMO_DESCUENTO").AsFloat());
  COMPRADAS_UNIDADES(res("RES_COMPRADAS_UNIDADES").AsFloat());
  VENDIDAS_UNIDADES(res("RES_VENDIDAS_UNIDADES").AsInteger());
  FECHA_GARANTIA(res("RES_FECHA_GARANTIA").AsDateTime());
  FECHA_CADUCIDAD(res("RES_FECHA_CADUCIDAD").AsDateTime());
  FECHA_ULTIMA_COMPRA(res("RES_FECHA_ULTIMA_COMPRA").AsDateTime());
  FECHA_ULTIMA_VENTA(res("RES_FECHA_ULTIMA_VENTA").AsDateTime());
  OFERTA_DESDE(res("RES_OFERTA_DESDE").AsDateTime());
  OFERTA_HASTA(res("RES_OFERTA_HASTA").AsDateTime());
  NUEVO_DESDE(res("RES_NUEVO_DESDE").AsDateTime());
  FECHA_CREACION(res("RES_FECHA_CREACION").AsDateTime());
  DIAMETRO(res("RES_DIAMETRO").AsFloat());
  ESFERA(res("RES_ESFERA").AsFloat());
  CILINDRO(res("RES_CILINDRO").AsFloat());
  RADIO_1(res("RES_RADIO_1").AsString());
  RADIO_2(res("RES_RADIO_2").AsString());
  TAMANO(res("RES_TAMANO").AsString());
  COLOR(res("RES_COLOR").AsString());
  VARILLA(res("RES_VARILLA").AsString());
  IMAGEN(res("RES_IMAGEN").AsString());
  DIGITO_CONTROL(res("RES_DIGITO_CONTROL").AsInteger());
}

void TArticulo::Cargar_Referencias(int nivel) {
  for (int id : {kMoneda, kFamilia, kProveedor, kProveedorUltimo, kIvaCompra, kIvaVenta, kTCristal, kMarcaMontura,
                 kTLentilla, kTArticulo, kMarcaAudifono, kTratamiento1, kTratamiento2, kTratamiento3})
    Crear_Objeto(id);

  // An object whose key changes forgets what it had loaded, so that no name
  // of another row stays behind.
  TTArticulo& tipoArticulo = Dar(tipoArticulo_);
  TFamilia& familia = Dar(familia_);
  if (tipoArticulo.ID_TARTICULO() != ID_TARTICULO()) {
    tipoArticulo.Limpiar();
    tipoArticulo.ID_TARTICULO(ID_TARTICULO());
  }
  if (familia.ID_FAMILIA() != ID_FAMILIA()) {
    familia.Limpiar();
    familia.ID_FAMILIA(ID_FAMILIA());
  }
  for (auto [proveedor, clave] : {std::pair{&Dar(proveedor_), ID_PROVEEDOR()},
                                  std::pair{&Dar(proveedorUltimo_), ID_PROVEEDOR_ULTIMO()}}) {
    if (proveedor->ID_PROVEEDOR() == clave) continue;
    proveedor->Limpiar();
    proveedor->ID_PROVEEDOR(clave);
  }
  for (auto [iva, clave] :
       {std::pair{&Dar(ivaCompra_), ID_IVA_COMPRA()}, std::pair{&Dar(ivaVenta_), ID_IVA_VENTA()}}) {
    if (iva->ID_IVA() == clave) continue;
    iva->Limpiar();
    iva->ID_IVA(clave);
  }

  if (nivel != kCompleto && nivel != kLigero) return;
  Dar_Tipo();
  if (nivel != kCompleto) return;

  if (ID_FAMILIA() != -1) familia.Buscar(1);
  if (ID_PROVEEDOR() != -1) Dar(proveedor_).Buscar();
  if (ID_IVA_COMPRA() != -1) Dar(ivaCompra_).Buscar(0);
  if (ID_IVA_VENTA() != -1) Dar(ivaVenta_).Buscar(0);
  if (ID_PROVEEDOR_ULTIMO() != -1) Dar(proveedorUltimo_).Buscar();
  const QString& tipo = tipoArticulo.DESCRIPCION();
  if (tipo == QLatin1String("Montura")) {
    if (Dar(marcaMontura_).ID_MARCA() != -1) Dar(marcaMontura_).Buscar();
  } else if (tipo == QLatin1String("Audifono")) {
    if (Dar(marcaAudifono_).ID_MARCA() != -1) Dar(marcaAudifono_).Buscar();
  } else if (tipo == QLatin1String("Cristal")) {
    if (Dar(tipoCristal_).ID_TCRISTAL() != -1) Dar(tipoCristal_).Buscar();
    for (auto& t : tratamientos_)
      if (Dar(t).ID_TRATAMIENTO() != -1) Dar(t).Buscar();
  } else if (tipo == QLatin1String("Lentilla")) {
    if (Dar(tipoLentilla_).ID_TLENTILLA() != -1) Dar(tipoLentilla_).Buscar();
  }
}

void TArticulo::Olvidar_Tipo_Especifico() {
  if (TTLentilla* t = tipoLentilla_.Actual()) {
    t->ID_TLENTILLA(-1);
    t->CODIGO(QString());
    t->DESCRIPCION(QString());
  }
  if (TTCristal* t = tipoCristal_.Actual()) t->Limpiar();
  if (TMarca_Aud* m = marcaAudifono_.Actual()) m->Limpiar();
  if (TMarca_Mon* m = marcaMontura_.Actual()) m->Limpiar();
  for (auto& t : tratamientos_)
    if (TTratamiento* actual = t.Actual()) actual->Limpiar();
}

void TArticulo::Dar_Tipo() {
  // Only the rows of the article's own kind keep a key.
  Olvidar_Tipo_Especifico();
  TTArticulo& tipo = Dar(tipoArticulo_);
  if (ID_TARTICULO() == -1) {
    tipo.Limpiar();
    tipo.DESCRIPCION(QStringLiteral("Generico"));
    return;
  }
  tipo.Limpiar();
  tipo.ID_TARTICULO(ID_TARTICULO());
  if (tipo.Buscar() != 0) return;
  const QString& d = tipo.DESCRIPCION();
  if (d == QLatin1String("Montura")) {
    Dar(marcaMontura_).ID_MARCA(ID_MARCA());
  } else if (d == QLatin1String("Audifono")) {
    Dar(marcaAudifono_).ID_MARCA(ID_MARCA());
  } else if (d == QLatin1String("Cristal")) {
    Dar(tipoCristal_).ID_TCRISTAL(ID_TIPO());
    Dar(tratamientos_[0]).ID_TRATAMIENTO(ID_TRATAMIENTO_1());
    Dar(tratamientos_[1]).ID_TRATAMIENTO(ID_TRATAMIENTO_2());
    Dar(tratamientos_[2]).ID_TRATAMIENTO(ID_TRATAMIENTO_3());
  } else if (d == QLatin1String("Lentilla")) {
    Dar(tipoLentilla_).ID_TLENTILLA(ID_TIPO());
  }
}

void TArticulo::Cargar_Observaciones() {
  observaciones_.clear();
  TSentencia s(*this, 1, sql::kLeerObservacionesArticulo);
  s.Parametro(QStringLiteral("ID_ARTICULO")).AsFloat(ID_ARTICULO());
  if (s.Ejecutar() == 0) {
    const QString texto = s.Campo(QStringLiteral("OBSERVACIONES")).AsString();
    if (!texto.isEmpty()) {
      observaciones_ = texto.split(QLatin1Char('\n'));
      for (QString& linea : observaciones_)
        if (linea.endsWith(QLatin1Char('\r'))) linea.chop(1);
    }
  }
}

void TArticulo::Limpiar() {
  ID_ARTICULO(-1);
  ID_TARTICULO(-1);
  REFERENCIA(QString());
  CODIGO_BARRAS(0);
  REFERENCIA_PROVEEDOR(QString());
  DESCRIPCION(QString());
  MODELO(QString());
  ID_FAMILIA(-1);
  ID_PROVEEDOR(-1);
  ID_PROVEEDOR_ULTIMO(-1);
  ID_IVA_COMPRA(-1);
  ID_IVA_VENTA(-1);
  ID_MARCA(-1);
  ID_TIPO(-1);
  ID_TRATAMIENTO_1(-1);
  ID_TRATAMIENTO_2(-1);
  ID_TRATAMIENTO_3(-1);
  PRECIO_COSTE_M1(0);
  PRECIO_COSTE_M2(0);
  PRECIO_VENTA1_M1(0);
  PRECIO_VENTA1_M2(0);
  PRECIO_VENTA2_M1(0);
  PRECIO_VENTA2_M2(0);
  PRECIO_COSTE_MED_M1(0);
  PRECIO_COSTE_MED_M2(0);
  COMPRADAS_IMP_M1(0);
  COMPRADAS_IMP_M2(0);
  VENDIDAS_IMP_M1(0);
  VENDIDAS_IMP_M2(0);
  OFERTA_IMPORTE_M1(0);
  OFERTA_IMPORTE_M2(0);
  NUEVO_PRECIO_M1(0);
  NUEVO_PRECIO_M2(0);
  DESCUENTO_COMPRA(0);
  MARGEN_BENEFICIO(0);
  STOCK_MAXIMO(0);
  STOCK_MINIMO(0);
  STOCK_PEDIDO(0);
  ULTIMO_DESCUENTO(0);
  COMPRADAS_UNIDADES(0);
  FECHA_GARANTIA(0);
  FECHA_CADUCIDAD(0);
  FECHA_ULTIMA_COMPRA(0);
  FECHA_ULTIMA_VENTA(0);
  OFERTA_DESDE(0);
  OFERTA_HASTA(0);
  NUEVO_DESDE(0);
  FECHA_CREACION(0);
  DIAMETRO(0);
  ESFERA(0);
  CILINDRO(0);
  VENDIDAS_UNIDADES(0);
  DIGITO_CONTROL(0);
  PRECIO_PVP1_PVP2(1);
  RADIO_1(QString());
  RADIO_2(QString());
  TAMANO(QString());
  COLOR(QString());
  VARILLA(QString());
  IMAGEN(QString());

  observaciones_.clear();
  Claves.clear();
  Referencias.clear();
  Descripciones.clear();
  Precios.clear();

  if (TTArticulo* t = tipoArticulo_.Actual()) t->Limpiar();
  if (TFamilia* f = familia_.Actual()) f->Limpiar();
  for (TProveedor* p : {proveedor_.Actual(), proveedorUltimo_.Actual()}) {
    if (!p) continue;
    p->Limpiar();
    p->ID_PROVEEDOR(-1);
  }
  for (TIva* i : {ivaCompra_.Actual(), ivaVenta_.Actual()})
    if (i) i->Limpiar();
  Olvidar_Tipo_Especifico();
}

// ---- Rewrite ----------------------------------------------------------------------

int TArticulo::Modificar() {
  TMoneda& moneda = Dar(moneda_);
  TSentencia s(*this, 1, sql::kActualizarArticulo);
  TIBQuery& q = s.Consulta();
  const auto p = [&](const char* n) -> TParam& { return q.ParamByName(QLatin1String(n)); };

  p("ID_ARTICULO").AsFloat(ID_ARTICULO());
  p("ID_TARTICULO").AsFloat(ID_TARTICULO());
  p("REFERENCIA").AsString(REFERENCIA());
  p("CODIGO_BARRAS").AsFloat(CODIGO_BARRAS());
  p("REFERENCIA_PROVEEDOR").AsString(REFERENCIA_PROVEEDOR());
  p("DESCRIPCION").AsString(DESCRIPCION());
  p("MODELO").AsString(MODELO());
  p("ID_FAMILIA").AsInteger(ID_FAMILIA());
  p("ID_PROVEEDOR").AsFloat(ID_PROVEEDOR());
  p("ID_PROVEEDOR_ULTIMO").AsFloat(ID_PROVEEDOR_ULTIMO());
  p("ID_IVA_COMPRA").AsInteger(ID_IVA_COMPRA());
  p("ID_IVA_VENTA").AsInteger(ID_IVA_VENTA());
  p("ID_MARCA").AsFloat(ID_MARCA());
  p("ID_TIPO").AsFloat(ID_TIPO());
  p("ID_TRATAMIENTO_1").AsFloat(ID_TRATAMIENTO_1());
  p("ID_TRATAMIENTO_2").AsFloat(ID_TRATAMIENTO_2());
  p("ID_TRATAMIENTO_3").AsFloat(ID_TRATAMIENTO_3());

  // Each pair: the main amount as held, the second one worked out now.
  struct TPar {
    const char *m1, *m2;
    double (TArticulo::*leer)() const;
    void (TArticulo::*poner)(double);
    double conversion;
  };
  TPar pares[] = {
      {"PRECIO_COSTE_M1", "PRECIO_COSTE_M2", &TArticulo::PRECIO_COSTE_M1, &TArticulo::PRECIO_COSTE_M2, 0},
      {"PRECIO_VENTA1_M1", "PRECIO_VENTA1_M2", &TArticulo::PRECIO_VENTA1_M1, &TArticulo::PRECIO_VENTA1_M2, 0},
      {"PRECIO_VENTA2_M1", "PRECIO_VENTA2_M2", &TArticulo::PRECIO_VENTA2_M1, &TArticulo::PRECIO_VENTA2_M2, 0},
      {"PRECIO_COSTE_MED_M1", "PRECIO_COSTE_MED_M2", &TArticulo::PRECIO_COSTE_MED_M1,
       &TArticulo::PRECIO_COSTE_MED_M2, 0},
      {"COMPRADAS_IMP_M1", "COMPRADAS_IMP_M2", &TArticulo::COMPRADAS_IMP_M1, &TArticulo::COMPRADAS_IMP_M2, 0},
      {"VENDIDAS_IMP_M1", "VENDIDAS_IMP_M2", &TArticulo::VENDIDAS_IMP_M1, &TArticulo::VENDIDAS_IMP_M2, 0},
      {"OFERTA_IMPORTE_M1", "OFERTA_IMPORTE_M2", &TArticulo::OFERTA_IMPORTE_M1, &TArticulo::OFERTA_IMPORTE_M2, 0},
      {"NUEVO_PRECIO_M1", "NUEVO_PRECIO_M2", &TArticulo::NUEVO_PRECIO_M1, &TArticulo::NUEVO_PRECIO_M2, 0},
  };
  for (TPar& par : pares) {
    const double importe = (this->*par.leer)();
    moneda.Fijar_Importe(importe);
    par.conversion = moneda.Conversion();
    p(par.m1).AsFloat(importe);
    p(par.m2).AsFloat(par.conversion);
  }

  p("PRECIO_PVP1_PVP2").AsInteger(PRECIO_PVP1_PVP2());
  p("DESCUENTO_COMPRA").AsFloat(DESCUENTO_COMPRA());
  p("MARGEN_BENEFICIO").AsFloat(MARGEN_BENEFICIO());
  p("STOCK_MAXIMO").AsFloat(STOCK_MAXIMO());
  p("STOCK_MINIMO").AsFloat(STOCK_MINIMO());
  p("STOCK_PEDIDO").AsFloat(STOCK_PEDIDO());
  p("ULTIMO_DESCUENTO").AsFloat(ULTIMO_DESCUENTO());
  p("COMPRADAS_UNIDADES").AsFloat(COMPRADAS_UNIDADES());
  p("VENDIDAS_UNIDADES").AsInteger(VENDIDAS_UNIDADES());
  p("FECHA_GARANTIA").AsDateTime(FECHA_GARANTIA());
  p("FECHA_CADUCIDAD").AsDateTime(FECHA_CADUCIDAD());
  p("FECHA_ULTIMA_COMPRA").AsDateTime(FECHA_ULTIMA_COMPRA());
  p("FECHA_ULTIMA_VENTA").AsDateTime(FECHA_ULTIMA_VENTA());
  p("OFERTA_DESDE").AsDateTime(OFERTA_DESDE());
  p("OFERTA_HASTA").AsDateTime(OFERTA_HASTA());
  p("NUEVO_DESDE").AsDateTime(NUEVO_DESDE());
  p("DIAMETRO").AsFloat(DIAMETRO());
  p("ESFERA").AsFloat(ESFERA());
  p("CILINDRO").AsFloat(CILINDRO());
  p("RADIO_1").AsString(RADIO_1());
  p("RADIO_2").AsString(RADIO_2());
  p("TAMANO").AsString(TAMANO());
  p("COLOR").AsString(COLOR());
  p("VARILLA").AsString(VARILLA());
  p("IMAGEN").AsString(IMAGEN());

  const int r = s.Ejecutar();
  s.Cerrar();
  if (r != 0) return r;
  for (const TPar& par : pares) (this->*par.poner)(par.conversion);
  return Grabar_Observaciones();
}

int TArticulo::Grabar_Observaciones() {
  return Grabar_Texto_Unico(QStringLiteral("ARTOBSERVACIONES"), QStringLiteral("ID_ARTICULO"), ID_ARTICULO(),
                            observaciones_.join(QLatin1Char('\n')));
}

// ---- The lens screen's rules --------------------------------------------------------

bool TArticulo::Oferta_Vigente(double fecha) const {
  if (OFERTA_DESDE() == 0 || OFERTA_HASTA() == 0) return false;
  return Dia(OFERTA_DESDE()) <= Dia(fecha) && Dia(fecha) <= Dia(OFERTA_HASTA());
}

double TArticulo::Precio_Ficha(double fechaTrabajo, double fechaFicha, double& precioM2) {
  if (NUEVO_DESDE() != 0 && Dia(NUEVO_DESDE()) < Dia(fechaTrabajo)) {
    PRECIO_VENTA1_M1(NUEVO_PRECIO_M1());
    // The new price applies from today whether or not it could be stored: the
    // next record that reads the article tries again.
    static_cast<void>(Modificar());
  }
  if (Oferta_Vigente(fechaFicha)) {
    precioM2 = OFERTA_IMPORTE_M2();
    return OFERTA_IMPORTE_M1();
  }
  if (PRECIO_PVP1_PVP2() == 0) {
    precioM2 = PRECIO_VENTA1_M2();
    return PRECIO_VENTA1_M1();
  }
  precioM2 = PRECIO_VENTA2_M2();
  return PRECIO_VENTA2_M1();
}

int TArticulo::Buscar_Texto(const QString& texto) {
  if (texto.isEmpty()) return kReferenciaErronea;
  REFERENCIA(texto);
  const int r = Buscar_Por_Referencia(kCompleto);
  if (r == 0) return 0;
  double numero = 0;
  if (!graduacion::Leer_Numero(texto, numero)) return r;
  CODIGO_BARRAS(numero);
  return Buscar_Por_Codigo_Barras(kCompleto);
}

// ---- Descriptive texts --------------------------------------------------------------

QString TArticulo::Texto_Informacion(int modo) {
  if (modo < 3)
    texto_ = Texto_Corto();
  else if (modo == 9)
    texto_ = Texto_Completo();
  else
    texto_.clear();
  return texto_;
}

QString TArticulo::Texto_Corto() const {
  QString t = QStringLiteral("REFERENCIA: ") + REFERENCIA();
  const auto linea = [&](const char* etiqueta, const QString& valor) {
    t += QLatin1Char('\n') + QString::fromUtf8(etiqueta) + valor;
  };
  const auto texto = [&](const char* etiqueta, const QString& valor) {
    if (!valor.isEmpty()) linea(etiqueta, valor);
  };
  const auto numero = [&](const char* etiqueta, double valor) {
    if (valor != 0) linea(etiqueta, locale_es::Float_A_Texto(valor));
  };
  // A reference row counts when it has a key.
  const auto nombre = [&](const char* etiqueta, const auto* objeto) {
    if (Clave_De(objeto) != -1) linea(etiqueta, objeto->DESCRIPCION());
  };

  numero("C.BARRAS: ", CODIGO_BARRAS());
  texto("REF.PROVEEDOR: ", REFERENCIA_PROVEEDOR());
  switch (static_cast<int>(ID_TARTICULO())) {
    case 1:  // glass
      nombre("TIPO: ", tipoCristal_.Actual());
      texto("MODELO: ", MODELO());
      numero("ESFERA: ", ESFERA());
      numero("CILINDRO: ", CILINDRO());
      numero("DIAMETRO: ", DIAMETRO());
      nombre("TRATAMIENTO 1: ", tratamientos_[0].Actual());
      nombre("TRATAMIENTO 2: ", tratamientos_[1].Actual());
      nombre("TRATAMIENTO 3: ", tratamientos_[2].Actual());
      break;
    case 2:  // frame
      nombre("MARCA: ", marcaMontura_.Actual());
      texto("MODELO: ", MODELO());
      texto("TAMAÑO: ", TAMANO());
      texto("COLOR: ", COLOR());
      texto("VARILLA: ", VARILLA());
      break;
    case 3:  // contact lens
      nombre("TIPO: ", tipoLentilla_.Actual());
      texto("MODELO: ", MODELO());
      texto("RADIO 1: ", RADIO_1());
      texto("RADIO 2: ", RADIO_2());
      texto("COLOR: ", COLOR());
      numero("DIAMETRO: ", DIAMETRO());
      break;
    case 4:  // hearing aid
      nombre("MARCA: ", marcaAudifono_.Actual());
      texto("MODELO: ", MODELO());
      break;
    default:
      break;
  }
  return t;
}

QString TArticulo::Texto_Completo() const {
  QStringList lineas;
  const auto linea = [&](const char* etiqueta, const QString& valor) {
    lineas << QString::fromUtf8(etiqueta) + valor;
  };
  const auto numero = [&](const char* etiqueta, double valor) { linea(etiqueta, locale_es::Float_A_Texto(valor)); };
  const auto fecha = [&](const char* etiqueta, double valor) { linea(etiqueta, fechas::Fecha_A_Texto(valor)); };

  numero("C.BARRAS: ", CODIGO_BARRAS());
  linea("REF.PROVEEDOR: ", REFERENCIA_PROVEEDOR());
  const auto nombre = [](const TProveedor* p) { return p ? p->NOMBRE() : QString(); };
  const auto descripcion = [](const auto* o) { return o ? o->DESCRIPCION() : QString(); };
  linea("PROVEEDOR: ", nombre(proveedor_.Actual()));
  linea("ULT.PROVEEDOR: ", nombre(proveedorUltimo_.Actual()));
  linea("FAMILIA: ", descripcion(familia_.Actual()));
  linea("I.V.A COMPRA: ", descripcion(ivaCompra_.Actual()));
  linea("I.V.A VENTA: ", descripcion(ivaVenta_.Actual()));
  fecha("GARANTIA: ", FECHA_GARANTIA());
  fecha("CADUCIDAD: ", FECHA_CADUCIDAD());
  fecha("ULT. COMPRA: ", FECHA_ULTIMA_COMPRA());
  fecha("ULT. VENTA: ", FECHA_ULTIMA_VENTA());
  numero("P.V.P 2: ", PRECIO_VENTA2_M1());
  numero("P.V.P OFERTA: ", OFERTA_IMPORTE_M1());
  numero("COSTE MEDIO: ", PRECIO_COSTE_MED_M1());
  numero("% BENEFICIO: ", MARGEN_BENEFICIO());
  numero("STOCK PEDIDO: ", STOCK_PEDIDO());
  numero("STOCK MAXIMO: ", STOCK_MAXIMO());
  numero("STOCK MINIMO: ", STOCK_MINIMO());
  numero("UNID.COMPRADAS: ", COMPRADAS_UNIDADES());
  numero("IMPORTE COMPRADOR: ", COMPRADAS_IMP_M1());
  linea("UNID.VENDIDAS: ", QString::number(VENDIDAS_UNIDADES()));
  numero("IMPORTE VENDIDO: ", VENDIDAS_IMP_M1());
  numero("ULT. % DTO: ", ULTIMO_DESCUENTO());
  return lineas.join(QLatin1Char('\n'));
}
