// Articles: lookups by key, reference and barcode at each load level, the
// rewrite with its second-currency amounts and observations, the price and
// typed-text rules of the lens screen, the descriptive texts, the money
// properties of the field holder and the article-search module.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "Anfitrion_prueba.h"
#include "Clase_tarticulo.h"
#include "Clase_tbasearticulo.h"
#include "Clase_tbuscararticulo.h"
#include "Ibx_query.h"
#include "Ibx_transaction.h"
#include "Util_fechas.h"

namespace {

constexpr double kPesetas = 166.386;

class ArticulosTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* sql : {
             "insert into MONEDA values (1, 'Euros', 'Pesetas', '€', 'Pts', 2, 0, 166.386, 1)",
             "insert into IVA (ID_IVA, DESCRIPCION, PORCENTAJE) values (21, 'General 21%', 21)",
             "insert into FAMILIA (ID_FAMILIA, CODIGO, DESCRIPCION, ID_IVA_COMPRA, ID_IVA_VENTA) "
             "values (1, 'LC', 'Lentes de contacto', -1, -1)",
             "insert into PROVEEDOR (ID_PROVEEDOR, CODIGO, NOMBRE) values (12, 112, 'Lentes Iberia S.L.')",
             "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (5, 'MSH', 'Mensual silicona hidrogel')",
             "insert into TCRISTAL values (1, 'Orgánico')",
             "insert into TRATAMIENTO values (1, 'Antirreflejante')",
             "insert into TRATAMIENTO values (2, 'Endurecido')",
             "insert into MARCA_MON values (1, 'Ray-Ban')",
             "insert into MARCA_AUD values (1, 'Phonak')",
             // A lens sold at its first price, whose second-currency price is out of step.
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, CODIGO_BARRAS, DESCRIPCION, MODELO, "
             "ID_FAMILIA, ID_PROVEEDOR, ID_PROVEEDOR_ULTIMO, ID_IVA_COMPRA, ID_IVA_VENTA, ID_TIPO, "
             "PRECIO_VENTA1_M1, PRECIO_VENTA1_M2, PRECIO_VENTA2_M1, PRECIO_VENTA2_M2, PRECIO_COSTE_M1, "
             "PRECIO_COSTE_M2, PRECIO_PVP1_PVP2, RADIO_1, DIAMETRO, FECHA_CREACION) values (10, 3, "
             "'ACUVUE-OASYS6', 8412345678901, 'Acuvue Oasys 6 unidades', 'Oasys', 1, 12, 12, 21, 21, 5, "
             "30, 1, 35, 2, 12.5, 3, 0, '8,40', 14, '2024-03-01')",
             // Its 14-character twin, never looked up by reference.
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, DESCRIPCION) values "
             "(16, 3, 'ACUVUE-OASYS12', 'Acuvue Oasys 12 unidades')",
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, ID_TIPO, ID_TRATAMIENTO_1, "
             "ID_TRATAMIENTO_2, ID_TRATAMIENTO_3, ESFERA, CILINDRO, DIAMETRO) values "
             "(11, 1, 'CR-ORG-150', 1, 1, 2, -1, -2.5, 0, 65)",
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, REFERENCIA_PROVEEDOR, ID_MARCA, MODELO, "
             "TAMANO, COLOR, VARILLA) values (12, 2, 'RB-3025', 'RB3025-001', 1, 'Aviator', '58', '', '135')",
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, ID_MARCA) values (13, 4, 'AUD-01', 1)",
             // A liquid of no kind that still carries type and brand keys.
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, ID_TIPO, ID_MARCA, PRECIO_VENTA1_M1) "
             "values (14, -1, 'LIQ-01', 5, 1, 9.95)",
             "insert into ARTOBSERVACIONES (ID_ARTICULO, OBSERVACIONES) values (14, 'Caduca al mes de abrirlo')",
         })
      Ejecutar_SQL(*h.principal, QString::fromUtf8(sql));
  }

  std::unique_ptr<TArticulo> Nuevo() {
    return std::make_unique<TArticulo>(&h.aplicacion, h.secundaria.get(), h.principal.get());
  }
  std::unique_ptr<TArticulo> Cargar(double id, int nivel) {
    auto a = Nuevo();
    a->ID_ARTICULO(id);
    EXPECT_EQ(a->Buscar_Por_Id(nivel), 0) << id;
    return a;
  }
  // A column of an article as stored.
  double Columna(const char* columna, int id) {
    TIBTransaction t;
    t.DefaultDatabase = h.consulta.get();
    TIBQuery q;
    q.Database = h.consulta.get();
    q.Transaction = &t;
    q.SQL.Add(QString("select %1 from ARTICULO where ID_ARTICULO = %2").arg(QLatin1String(columna)).arg(id));
    q.Open();
    const double v = q.Fields(0).AsFloat();
    t.Commit();
    return v;
  }

  TAnfitrionPrueba h;
};

// ---- Lookups ------------------------------------------------------------------------

TEST_F(ArticulosTest, ReferenciaDe13SeBuscaYDesde14NoSeEjecutaNada) {
  auto a = Nuevo();
  a->REFERENCIA("ACUVUE-OASYS6");
  ASSERT_EQ(a->Buscar_Por_Referencia(0), 0);
  EXPECT_EQ(a->ID_ARTICULO(), 10);
  EXPECT_EQ(a->CODIGO_BARRAS(), 8412345678901.0);

  // Without the procedure any lookup that runs fails with -1.
  Ejecutar_SQL(*h.principal, "drop procedure BUSCAR_ARTICULO");
  a->REFERENCIA("ACUVUE-OASYS12");
  EXPECT_EQ(a->Buscar_Por_Referencia(0), TArticulo::kReferenciaErronea);
  EXPECT_EQ(a->ID_ARTICULO(), 10);  // untouched
  EXPECT_EQ(a->DESCRIPCION(), "Acuvue Oasys 6 unidades");
  a->REFERENCIA("");
  EXPECT_EQ(a->Buscar_Por_Referencia(0), TArticulo::kReferenciaErronea);
  a->REFERENCIA("ACUVUE-OASYS6");
  EXPECT_EQ(a->Buscar_Por_Referencia(0), -1);
}

TEST_F(ArticulosTest, TextoTecleadoReferenciaLuegoCodigoDeBarras) {
  auto a = Nuevo();
  EXPECT_EQ(a->Buscar_Texto("CR-ORG-150"), 0);
  EXPECT_EQ(a->ID_ARTICULO(), 11);
  EXPECT_EQ(a->Buscar_Texto("8412345678901"), 0);  // no such reference: found by barcode
  EXPECT_EQ(a->ID_ARTICULO(), 10);
  EXPECT_EQ(a->Tipo_Lentilla()->DESCRIPCION(), "Mensual silicona hidrogel");  // level 1

  // Neither a reference nor a number; then a number that is no barcode.
  for (const char* texto : {"NO-EXISTE", "12,5,1", "841234567890"}) {
    EXPECT_EQ(a->Buscar_Texto(texto), -5) << texto;
    EXPECT_EQ(a->ID_ARTICULO(), -1);
  }
}

TEST_F(ArticulosTest, UnaBusquedaFallidaDejaElArticuloVacio) {
  auto a = Cargar(10, 1);
  a->Observaciones() << "algo";
  a->ID_ARTICULO(999);
  EXPECT_EQ(a->Buscar_Por_Id(1), -5);
  EXPECT_EQ(a->ID_ARTICULO(), -1);
  EXPECT_EQ(a->PRECIO_PVP1_PVP2(), 1);
  for (double precio : {a->PRECIO_VENTA1_M1(), a->PRECIO_VENTA1_M2(), a->PRECIO_VENTA2_M1(), a->PRECIO_VENTA2_M2(),
                        a->PRECIO_COSTE_M1(), a->PRECIO_COSTE_M2()})
    EXPECT_EQ(precio, 0);
  EXPECT_EQ(a->REFERENCIA(), "");
  EXPECT_EQ(a->FECHA_CREACION(), 0);
  EXPECT_TRUE(a->Observaciones().isEmpty());
  EXPECT_EQ(a->Texto_Informacion(0), "REFERENCIA: ");  // no name of the old article stays
}

// ---- Load levels and reference objects ----------------------------------------------

TEST_F(ArticulosTest, NivelesDeCarga) {
  auto a = Cargar(10, 0);
  EXPECT_EQ(a->Familia()->ID_FAMILIA(), 1);
  EXPECT_EQ(a->Tipo_Articulo()->ID_TARTICULO(), 3);
  EXPECT_EQ(a->Tipo_Articulo()->DESCRIPCION(), "");  // not typed
  EXPECT_EQ(a->Tipo_Lentilla()->ID_TLENTILLA(), -1);

  ASSERT_EQ(a->Buscar_Por_Id(2), 0);
  EXPECT_EQ(a->Tipo_Articulo()->DESCRIPCION(), "Lentilla");
  EXPECT_EQ(a->Tipo_Lentilla()->ID_TLENTILLA(), 5);
  EXPECT_EQ(a->Tipo_Lentilla()->DESCRIPCION(), "");  // key only
  EXPECT_EQ(a->Familia()->DESCRIPCION(), "");

  ASSERT_EQ(a->Buscar_Por_Id(1), 0);
  EXPECT_EQ(a->Tipo_Lentilla()->DESCRIPCION(), "Mensual silicona hidrogel");
  EXPECT_EQ(a->Familia()->DESCRIPCION(), "Lentes de contacto");
  EXPECT_EQ(a->Proveedor()->NOMBRE(), "Lentes Iberia S.L.");
  EXPECT_EQ(a->Proveedor_Ultimo()->NOMBRE(), "Lentes Iberia S.L.");
  EXPECT_EQ(a->Iva_Compra()->DESCRIPCION(), "General 21%");
  EXPECT_EQ(a->Moneda()->CONVERSION, kPesetas);
}

TEST_F(ArticulosTest, GenericoSinObjetoDeTipoYCristalConSusTratamientos) {
  auto a = Cargar(10, 1);  // a lens first: its type must not stay behind
  a->ID_ARTICULO(14);
  ASSERT_EQ(a->Buscar_Por_Id(1), 0);
  EXPECT_EQ(a->Tipo_Articulo()->DESCRIPCION(), "Generico");
  EXPECT_EQ(a->Tipo_Lentilla()->ID_TLENTILLA(), -1);  // despite ID_TIPO 5
  EXPECT_EQ(a->Tipo_Lentilla()->DESCRIPCION(), "");
  EXPECT_EQ(a->Marca_Montura()->ID_MARCA(), -1);
  EXPECT_EQ(a->Marca_Audifono()->ID_MARCA(), -1);
  EXPECT_EQ(a->Familia()->DESCRIPCION(), "");  // no family: the lens's is forgotten
  EXPECT_EQ(a->Observaciones(), QStringList{"Caduca al mes de abrirlo"});

  a->ID_ARTICULO(11);
  ASSERT_EQ(a->Buscar_Por_Id(1), 0);
  EXPECT_EQ(a->Tipo_Cristal()->DESCRIPCION(), "Orgánico");
  EXPECT_EQ(a->Tratamiento(1)->DESCRIPCION(), "Antirreflejante");
  EXPECT_EQ(a->Tratamiento(2)->DESCRIPCION(), "Endurecido");
  EXPECT_EQ(a->Tratamiento(3)->ID_TRATAMIENTO(), -1);
  EXPECT_TRUE(a->Observaciones().isEmpty());
}

TEST_F(ArticulosTest, CrearObjetoPorIdentificador) {
  auto a = Nuevo();
  for (int id : {19, 24, 25, 1000, 1001, 1002, 26, 27, 21, 28, 22, 1003, 1004, 1005}) {
    EXPECT_EQ(a->Crear_Objeto(id), TArticulo::kObjetoCreado) << id;
    EXPECT_EQ(a->Crear_Objeto(id), TArticulo::kObjetoExistente) << id;
  }
  for (int id : {0, 20, 23, 1006}) EXPECT_EQ(a->Crear_Objeto(id), TArticulo::kObjetoDesconocido) << id;
  EXPECT_EQ(a->Moneda()->CONVERSION, kPesetas);  // loaded when created
  a->Limpiar();                                   // also with only part of the objects
}

// ---- Rewrite --------------------------------------------------------------------------

TEST_F(ArticulosTest, ModificarRecalculaLaSegundaMonedaYConservaLaFechaDeCreacion) {
  auto a = Cargar(10, 0);
  a->DESCRIPCION("Acuvue Oasys (6)");
  a->OFERTA_IMPORTE_M1(25);
  ASSERT_EQ(a->Modificar(), 0);
  EXPECT_DOUBLE_EQ(Columna("PRECIO_VENTA1_M2", 10), 30 * kPesetas);
  EXPECT_DOUBLE_EQ(Columna("PRECIO_VENTA2_M2", 10), 35 * kPesetas);
  EXPECT_DOUBLE_EQ(Columna("PRECIO_COSTE_M2", 10), 12.5 * kPesetas);
  EXPECT_DOUBLE_EQ(Columna("OFERTA_IMPORTE_M2", 10), 25 * kPesetas);
  EXPECT_DOUBLE_EQ(a->PRECIO_VENTA1_M2(), 30 * kPesetas);
  EXPECT_EQ(Columna("CODIGO_BARRAS", 10), 8412345678901.0);

  auto b = Cargar(10, 1);  // read back: the rest of the row as it was
  EXPECT_EQ(b->DESCRIPCION(), "Acuvue Oasys (6)");
  EXPECT_EQ(b->ID_TIPO(), 5);
  EXPECT_EQ(b->ID_MARCA(), -1);
  EXPECT_EQ(b->RADIO_1(), "8,40");
  EXPECT_EQ(b->FECHA_CREACION(), fechas::Codificar(2024, 3, 1));
}

TEST_F(ArticulosTest, ObservacionesSeActualizanOSeInsertan) {
  auto a = Cargar(14, 0);
  a->Observaciones() = QStringList{"Caduca al mes de abrirlo", "No mezclar"};
  ASSERT_EQ(a->Modificar(), 0);
  a->ID_ARTICULO(10);
  ASSERT_EQ(a->Buscar_Por_Id(0), 0);
  a->Observaciones() = QStringList{"Pedir por cajas"};
  ASSERT_EQ(a->Modificar(), 0);

  EXPECT_EQ(Consultar_Entero(*h.consulta, "select count(*) from ARTOBSERVACIONES where ID_ARTICULO = 14"), 1);
  EXPECT_EQ(Consultar_Entero(*h.consulta, "select count(*) from ARTOBSERVACIONES where ID_ARTICULO = 10"), 1);
  EXPECT_EQ(Cargar(14, 0)->Observaciones(), QStringList({"Caduca al mes de abrirlo", "No mezclar"}));
  EXPECT_EQ(Cargar(10, 0)->Observaciones(), QStringList{"Pedir por cajas"});
}

// ---- Price on a lens record -------------------------------------------------------------

TEST_F(ArticulosTest, PrecioNuevoYaEmpezadoSustituyeAlPrimeroYSeGraba) {
  Ejecutar_SQL(*h.principal,
               "update ARTICULO set NUEVO_PRECIO_M1 = 32, NUEVO_DESDE = '2026-12-04' where ID_ARTICULO = 10");
  auto a = Cargar(10, 1);
  const double trabajo = h.puesto.fechaTrabajo;  // 05/12/2026
  double m2 = 0;
  EXPECT_EQ(a->Precio_Ficha(trabajo, trabajo, m2), 32);
  EXPECT_DOUBLE_EQ(m2, 32 * kPesetas);
  EXPECT_EQ(Columna("PRECIO_VENTA1_M1", 10), 32);
  EXPECT_DOUBLE_EQ(Columna("PRECIO_VENTA1_M2", 10), 32 * kPesetas);

  // A coming price that starts on the working day itself waits for the next day.
  Ejecutar_SQL(*h.principal,
               "update ARTICULO set NUEVO_PRECIO_M1 = 40, NUEVO_DESDE = '2026-12-05' where ID_ARTICULO = 10");
  auto b = Cargar(10, 1);
  EXPECT_EQ(b->Precio_Ficha(trabajo, trabajo, m2), 32);
  EXPECT_EQ(Columna("PRECIO_VENTA1_M1", 10), 32);
}

TEST(PrecioFicha, OfertaEnLaFechaDeLaFichaYSinoPrimerOSegundoPrecio) {
  TAnfitrionPrueba h;
  TArticulo a(&h.aplicacion, h.secundaria.get(), h.principal.get());
  a.PRECIO_VENTA1_M1(30);
  a.PRECIO_VENTA1_M2(4991.58);
  a.PRECIO_VENTA2_M1(35);
  a.PRECIO_VENTA2_M2(5823.51);
  a.OFERTA_IMPORTE_M1(25);
  a.OFERTA_IMPORTE_M2(4159.65);
  a.PRECIO_PVP1_PVP2(0);
  const double trabajo = fechas::Codificar(2026, 12, 20);
  double m2 = 0;
  EXPECT_EQ(a.Precio_Ficha(trabajo, fechas::Codificar(2026, 12, 5), m2), 30);  // no offer dates
  EXPECT_EQ(m2, 4991.58);

  a.OFERTA_DESDE(fechas::Codificar(2026, 12, 1));
  a.OFERTA_HASTA(fechas::Codificar(2026, 12, 10));
  for (int dia : {1, 5, 10}) {
    EXPECT_EQ(a.Precio_Ficha(trabajo, fechas::Codificar(2026, 12, dia, 17, 30), m2), 25) << dia;
    EXPECT_EQ(m2, 4159.65);
  }
  EXPECT_EQ(a.Precio_Ficha(trabajo, fechas::Codificar(2026, 11, 30), m2), 30);
  EXPECT_EQ(a.Precio_Ficha(trabajo, fechas::Codificar(2026, 12, 11), m2), 30);
  a.PRECIO_PVP1_PVP2(2);
  EXPECT_EQ(a.Precio_Ficha(trabajo, fechas::Codificar(2026, 12, 11), m2), 35);
  EXPECT_EQ(m2, 5823.51);
}

// ---- Descriptive texts ------------------------------------------------------------------

TEST_F(ArticulosTest, TextoCortoPorTipoSinLosValoresAusentes) {
  const struct {
    double id;
    const char* texto;
  } casos[] = {
      {10, "REFERENCIA: ACUVUE-OASYS6\nC.BARRAS: 8412345678901\nTIPO: Mensual silicona hidrogel\n"
           "MODELO: Oasys\nRADIO 1: 8,40\nDIAMETRO: 14"},
      {11, "REFERENCIA: CR-ORG-150\nTIPO: Orgánico\nESFERA: -2,5\nDIAMETRO: 65\n"
           "TRATAMIENTO 1: Antirreflejante\nTRATAMIENTO 2: Endurecido"},
      {12, "REFERENCIA: RB-3025\nREF.PROVEEDOR: RB3025-001\nMARCA: Ray-Ban\nMODELO: Aviator\nTAMAÑO: 58\n"
           "VARILLA: 135"},
      {13, "REFERENCIA: AUD-01\nMARCA: Phonak"},
      {14, "REFERENCIA: LIQ-01"},
  };
  auto a = Nuevo();
  for (const auto& c : casos) {
    a->ID_ARTICULO(c.id);
    ASSERT_EQ(a->Buscar_Por_Id(1), 0);
    EXPECT_EQ(a->Texto_Informacion(0), QString::fromUtf8(c.texto)) << c.id;
    EXPECT_EQ(a->Texto_Informacion(2), a->Texto_Informacion(-1));
  }
}

TEST_F(ArticulosTest, TextoCompletoConNombresYFechas) {
  Ejecutar_SQL(*h.principal, "update ARTICULO set FECHA_CADUCIDAD = '2027-06-30', VENDIDAS_UNIDADES = 7, "
                             "MARGEN_BENEFICIO = 42.5 where ID_ARTICULO = 10");
  auto a = Cargar(10, 1);
  const QStringList lineas = a->Texto_Informacion(9).split('\n');
  ASSERT_EQ(lineas.size(), 23);
  EXPECT_EQ(lineas[0], "C.BARRAS: 8412345678901");
  EXPECT_EQ(lineas[1], "REF.PROVEEDOR: ");
  EXPECT_EQ(lineas[2], "PROVEEDOR: Lentes Iberia S.L.");
  EXPECT_EQ(lineas[4], "FAMILIA: Lentes de contacto");
  EXPECT_EQ(lineas[6], "I.V.A VENTA: General 21%");
  EXPECT_EQ(lineas[7], "GARANTIA: ");
  EXPECT_EQ(lineas[8], "CADUCIDAD: 30/06/2027");
  EXPECT_EQ(lineas[11], "P.V.P 2: 35");
  EXPECT_EQ(lineas[14], "% BENEFICIO: 42,5");
  EXPECT_EQ(lineas[20], "UNID.VENDIDAS: 7");
  EXPECT_EQ(a->Texto_Informacion(3), "");
  EXPECT_EQ(a->Texto_Informacion(10), "");
}

// ---- Field holder --------------------------------------------------------------------

TEST(BaseArticulo, ImportesPasanPorLaMonedaYSoloCambianConOtroValor) {
  TAnfitrionPrueba h;
  TBaseArticulo b(&h.aplicacion, h.secundaria.get(), h.principal.get());
  b.Moneda().Decimales_M1 = 2;
  b.Moneda().Cambio = kPesetas;
  b.Pvp1(1234.5);
  EXPECT_EQ(b.Pvp1().M1, 1234.5);
  EXPECT_DOUBLE_EQ(b.Pvp1().M2, 1234.5 * kPesetas);
  EXPECT_EQ(b.Pvp1().Texto, "1.234,50");
  b.OfertaImporte(10);
  EXPECT_DOUBLE_EQ(b.OfertaImporte().M2, 10 * kPesetas);
  EXPECT_EQ(b.Pvp1().M1, 1234.5);  // each property keeps its own pair

  b.Moneda().Cambio = 2;
  b.Pvp1(1234.5);  // same value: nothing recalculated
  EXPECT_DOUBLE_EQ(b.Pvp1().M2, 1234.5 * kPesetas);
  b.Pvp1(1);
  EXPECT_EQ(b.Pvp1().M2, 2);
}

// ---- Article-search module --------------------------------------------------------------

TEST(BuscarArticulo, ModoSegunLasDosMarcas) {
  EXPECT_EQ(TBuscarArticulo::Modo(false, false), -1);
  EXPECT_EQ(TBuscarArticulo::Modo(false, true), 0);
  EXPECT_EQ(TBuscarArticulo::Modo(true, false), 1);
  EXPECT_EQ(TBuscarArticulo::Modo(true, true), 2);
}

TEST(BuscarArticulo, ConElModuloDeBusqueda) {
  TAnfitrionPrueba h;
  QTemporaryDir dir;
  h.puesto.carpetaModulos = dir.path();
  TBuscarArticulo b(&h.aplicacion, h.secundaria.get(), h.principal.get());
  b.Fijar_Contexto(&h.ctx);
  EXPECT_EQ(b.Buscar_Articulo(false, false), -8);
  EXPECT_EQ(b.Cargar_Modulo(), -11800);

  const QString origen = QStringLiteral(OPTICA_MODULOS_PRUEBA "/busqueda_prueba.so");
  ASSERT_TRUE(QFile::copy(origen, dir.filePath("artsearch.so")));
  ASSERT_EQ(b.Cargar_Modulo(), 0);

  b.Texto_Busqueda("AC-OAS-6");
  EXPECT_EQ(b.Buscar_Articulo(false, false), 0);
  EXPECT_EQ(h.ctx.seleccion.textos[6], "-1");  // the mode the module was given
  EXPECT_EQ(b.Articulo_Elegido(), 40);
  EXPECT_EQ(b.IdArticulo(), 40);

  b.Texto_Busqueda("NADA");
  EXPECT_EQ(b.Buscar_Articulo(true, true), -301);
  EXPECT_EQ(h.ctx.seleccion.textos[6], "2");
  EXPECT_EQ(b.Articulo_Elegido(), -1);
  EXPECT_EQ(b.Registro().texto, "");  // the module's leftovers are cleared
}

}  // namespace
