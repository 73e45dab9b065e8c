// The database's stored procedures, called the way the domain classes call
// them (TBase channels 5 and 6): the key procedures, which must give each
// workstation the key of its own last insert, and the BUSCAR_ lookups with
// their -1 convention for an input that takes no part.

#include <gtest/gtest.h>
#include <ibase.h>

#include <QElapsedTimer>
#include <QHash>
#include <array>
#include <vector>

#include "Base_prueba.h"
#include "Clase_tbase.h"
#include "Util_fechas.h"

namespace {

class ProcedimientosTest : public ::testing::Test {
 protected:
  void SetUp() override {
    conexionA = bd.Conectar();
    conexionB = bd.Conectar();
    base = std::make_unique<TBase>(nullptr, conexionA.get(), conexionB.get());
  }

  TBaseDatosPrueba bd;
  std::unique_ptr<TIBDatabase> conexionA, conexionB;
  std::unique_ptr<TIBDatabase> otra = bd.Conectar();  // set-up and checks
  std::unique_ptr<TBase> base;
};

// ---- Key procedures --------------------------------------------------------

// An insert the module makes (a catalogue slot, or the statement when the
// slot lives outside the module) and the integer column it is told apart by.
struct Clave {
  const char* procedimiento;
  int ranura;
  const char* sentencia;
  const char* marca;
  const char* tabla;
  const char* columnaClave;
};

const Clave kClaves[] = {
    {"ID_MLENTILLA", 270, nullptr, "ID_PACIENTE", "MLENTILLA", "ID_MLENTILLA"},
    {"ID_DLENTILLA", 286, nullptr, "ID_MLENTILLA", "DLENTILLA", "ID_DLENTILLA"},
    {"ID_TLENTILLA", 466, nullptr, "CODIGO", "TLENTILLA", "ID_TLENTILLA"},
    {"ID_PLENTILLA", 291, nullptr, "ID_PACIENTE", "PLENTILLA", "ID_PRUEBA_LENTILLAS"},
    {"ID_REPOSICION", 632, nullptr, "ID_PACIENTE", "REPOSICION", "ID_REPOSICION"},
    {"ID_AGENTE", 44, nullptr, "CODIGO", "AGENTE", "ID_AGENTE"},
    {"ID_DOCTOR", 0, "insert into DOCTOR (CODIGO, NOMBRE) values (:CODIGO, 'Dra. Soto')", "CODIGO", "DOCTOR",
     "ID_DOCTOR"},
    {"ID_DOBSERVACIONES", 0, "insert into DOBSERVACIONES (ID_DOCTOR, OBSERVACIONES) values (:ID_DOCTOR, 'nota')",
     "ID_DOCTOR", "DOBSERVACIONES", "ID_DOBSERVACIONES"},
    {"ID_SMS_MAESTRO", 0, "insert into SMS_MAESTRO (ID_OPERACION, TIPO_OPERACION) values (:ID_OPERACION, 4)",
     "ID_OPERACION", "SMS_MAESTRO", "ID_SMS_MAESTRO"},
    {"ID_SMS_DETALLE", 0, "insert into SMS_DETALLE (ID_SMS_MAESTRO, TELEFONO) values (:ID_SMS_MAESTRO, '600')",
     "ID_SMS_MAESTRO", "SMS_DETALLE", "ID_SMS_DETALLE"},
};

void Insertar(TBase& b, const Clave& c, int marca) {
  ASSERT_EQ(b.Preparar(1, c.ranura ? b.Catalogo()[c.ranura] : QString::fromUtf8(c.sentencia)), 0);
  b.Consulta(1).ParamByName(c.marca).AsInteger(marca);
  ASSERT_EQ(b.Ejecutar(1), 0);
  b.Cerrar(1);
}

int Ultima_Clave(TBase& b, const char* procedimiento, int canal) {
  b.Preparar(canal, procedimiento);
  EXPECT_EQ(b.Ejecutar(canal), 0);
  const int id = b.Procedimiento(canal).ParamByName("ID").AsInteger();
  b.Cerrar(canal);
  return id;
}

TEST_F(ProcedimientosTest, CadaProcedimientoDeClaveDaLaDeLaUltimaInsercionDeSuConexion) {
  for (const Clave& c : kClaves) {
    SCOPED_TRACE(c.procedimiento);
    EXPECT_EQ(Ultima_Clave(*base, c.procedimiento, 6), -1);  // nothing inserted yet
    Insertar(*base, c, 5001);
    Insertar(*base, c, 5002);
    const int id = Ultima_Clave(*base, c.procedimiento, 6);
    EXPECT_EQ(Consultar_Entero(*otra, QString("select %1 from %2 where %3 = %4")
                                          .arg(c.marca, c.tabla, c.columnaClave).arg(id)),
              5002);
    EXPECT_EQ(id, Consultar_Entero(*otra, QString("select max(%1) from %2").arg(c.columnaClave, c.tabla)));
    // Connection A of the same object has inserted nothing.
    EXPECT_EQ(Ultima_Clave(*base, c.procedimiento, 5), -1);
  }
}

// Two workstations add lens types in turn. After each insert the other one
// asks for its own last key, so the newest key of the table is never the
// right answer for the one asking.
TEST_F(ProcedimientosTest, DosPuestosInsertandoATurnosRecibenCadaUnoSuClave) {
  constexpr int kRondas = 1000;
  auto a1 = bd.Conectar(), a2 = bd.Conectar(), b1 = bd.Conectar(), b2 = bd.Conectar();
  TBase puestoA(nullptr, a1.get(), a2.get()), puestoB(nullptr, b1.get(), b2.get());
  TBase* puestos[2] = {&puestoA, &puestoB};
  const QString prefijo[2] = {"A", "B"};
  std::vector<int> claves[2];

  QElapsedTimer reloj;
  reloj.start();
  for (int n = 0; n < 2 * kRondas; ++n) {
    const int p = n % 2;
    TBase& b = *puestos[p];
    ASSERT_EQ(b.Preparar(1, b.Catalogo()[466]), 0);
    b.Consulta(1).ParamByName("CODIGO").AsString(prefijo[p]);
    b.Consulta(1).ParamByName("DESCRIPCION").AsString(QString::number(n / 2));
    ASSERT_EQ(b.Ejecutar(1), 0);
    b.Cerrar(1);
    if (n > 0) claves[1 - p].push_back(Ultima_Clave(*puestos[1 - p], "ID_TLENTILLA", 6));
  }
  claves[1].push_back(Ultima_Clave(puestoB, "ID_TLENTILLA", 6));
  const qint64 ms = reloj.elapsed();
  RecordProperty("ms", static_cast<int>(ms));
  std::printf("[          ] %d rondas en %lld ms\n", kRondas, static_cast<long long>(ms));

  ASSERT_EQ(base->Preparar(0, "select ID_TLENTILLA, CODIGO, DESCRIPCION from TLENTILLA where ID_TLENTILLA <> 0"), 0);
  ASSERT_EQ(base->Ejecutar(0), 0);
  EXPECT_EQ(base->Num_Registros, 2 * kRondas);
  QHash<int, QString> filas;
  for (TIBQuery& q = base->Consulta(0); !q.Eof(); q.Next())
    filas.insert(q.FieldByName("ID_TLENTILLA").AsInteger(),
                 q.FieldByName("CODIGO").AsString() + q.FieldByName("DESCRIPCION").AsString());
  base->Cerrar(0);

  for (int p = 0; p < 2; ++p) {
    ASSERT_EQ(claves[p].size(), size_t{kRondas});
    for (int i = 0; i < kRondas; ++i) {
      ASSERT_EQ(filas.value(claves[p][i]).toStdString(), (prefijo[p] + QString::number(i)).toStdString())
          << "puesto " << p << ", ronda " << i << ", clave " << claves[p][i];
    }
  }
}

// ---- Lookups ---------------------------------------------------------------

// An input or an expected output: a whole number, a real, a text (UTF-8),
// a date or NULL. A date keeps its parts and becomes a day count when used.
struct Valor {
  enum Tipo { Nulo, Entero, Real, Texto, Fecha } tipo;
  qint64 entero = 0;
  double real = 0;
  const char* texto = nullptr;
  std::array<int, 6> fecha{};
  Valor(int v) : tipo(Entero), entero(v) {}
  Valor(long long v) : tipo(Entero), entero(v) {}
  Valor(double v) : tipo(Real), real(v) {}
  Valor(const char* v) : tipo(Texto), texto(v) {}
  explicit Valor(Tipo t, std::array<int, 6> f = {}) : tipo(t), fecha(f) {}
  double Dias() const { return fechas::Codificar(fecha[0], fecha[1], fecha[2], fecha[3], fecha[4], fecha[5]); }
};
const Valor NULO(Valor::Nulo);
Valor Dia(int a, int m, int d, int h = 0, int mi = 0, int s = 0) { return Valor(Valor::Fecha, {a, m, d, h, mi, s}); }

using Pares = std::vector<std::pair<std::string, Valor>>;

// Inputs in the order of Busqueda::entradas.
struct Llamada {
  std::vector<Valor> entradas;
  bool encontrado;
  Pares salidas;
};

struct Busqueda {
  const char* procedimiento;
  std::vector<const char*> banderas;  // outputs that say whether it was found
  std::vector<std::string> entradas;
  std::vector<std::string> filas;  // set-up inserts
  std::vector<Llamada> llamadas;
};
void PrintTo(const Busqueda& b, std::ostream* os) { *os << b.procedimiento; }

const std::vector<const char*> kResultado{"RES_RESULTADO"};
const std::vector<const char*> kAmbas{"RES_ENCONTRADAS", "RES_RESULTADO"};

// The four small catalogues share one shape: key and description.
Busqueda Catalogo_Simple(const char* proc, const std::string& tabla, const std::string& columna,
                         const char* descripcion) {
  return {proc, kResultado, {"ORG_" + columna, "ORG_DESCRIPCION"},
          {"insert into " + tabla + " (" + columna + ", DESCRIPCION) values (15, '" + descripcion + "')"},
          {{{15, "-1"}, true, {{"RES_DESCRIPCION", descripcion}}},
           {{-1, descripcion}, true, {{"RES_" + columna, 15}}},
           {{99, "-1"}, false, {}},
           {{15, "Otra"}, false, {}},
           {{-1, "-1"}, false, {}}}};
}

// Rows with a higher key go in first, so that "the lowest key wins" is not
// the order in which the rows were stored. The last call of each procedure
// gives no criterion at all.
const std::vector<Busqueda> kBusquedas = {
    {"BUSCAR_MLENTILLA", kResultado, {"ORG_ID", "ORG_ID_PACIENTE", "ORG_NUMERO_FICHA"},
     {"insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA) values (11, 7, 2, '2024-05-01')",
      "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, ID_DOCTOR, OD_ESFERA, OD_EJE, OI_EJE, "
      "OD_RADIO_1, LIQUIDOS) values (10, 7, 1, '2024-03-01 10:15:00', 999, -1.25, 400, 98, '8,60', 'Renu')"},
     {{{10, -1, -1}, true,
       {{"RES_ID", 10}, {"RES_FECHA", Dia(2024, 3, 1, 10, 15)}, {"RES_OD_EJE", 400}, {"RES_OD_ESFERA", -1.25},
        {"RES_OD_RADIO_1", "8,60"}, {"RES_OI_CILINDRO", NULO}}},
      {{-1, 7, 2}, true, {{"RES_ID", 11}}},
      {{-1, 7, -1}, true, {{"RES_ID", 10}}},
      {{NULO, 7, 2}, true, {{"RES_ID", 11}}},  // NULL is no criterion either
      {{10, 8, -1}, false, {{"RES_ID", NULO}}},
      {{99, -1, -1}, false, {{"RES_ID", NULO}}},
      {{-1, -1, -1}, false, {}}}},
    {"BUSCAR_DLENTILLA", kResultado, {"ORG_ID_DLENTILLA", "ORG_ID_MLENTILLA"},
     {"insert into DLENTILLA (ID_DLENTILLA, ID_MLENTILLA, OJO, REFERENCIA) values (21, 10, 2, 'REF2')",
      "insert into DLENTILLA (ID_DLENTILLA, ID_MLENTILLA, OJO, REFERENCIA, ID_TLENTILLA, IMPORTE_M2, FECHA_GARANTIA, "
      "LOTE) values (20, 10, 1, '0', -1, 4991.58, '1899-12-30', 'L-1')"},
     {{{20, -1}, true,
       {{"RES_REFERENCIA", "0"}, {"RES_ID_TLENTILLA", -1}, {"RES_IMPORTE_M2", 4991.58},
        {"RES_FECHA_GARANTIA", Dia(1899, 12, 30)}, {"RES_LOTE", "L-1"}}},
      {{-1, 10}, true, {{"RES_OJO", 1}}},
      {{21, 10}, true, {{"RES_OJO", 2}}},
      {{21, 11}, false, {{"RES_OJO", NULO}}},
      {{-1, -1}, false, {}}}},
    {"BUSCAR_PRUEBA_LENTILLA", kResultado, {"ORG_ID", "ORG_ID_PACIENTE", "ORG_NUMERO_FICHA"},
     {"insert into PLENTILLA (ID_PRUEBA_LENTILLAS, ID_PACIENTE, NUMERO_FICHA) values (31, 7, 2)",
      "insert into PLENTILLA (ID_PRUEBA_LENTILLAS, ID_PACIENTE, NUMERO_FICHA, OD_TLENTILLA_ART, OD_COLOR_ART, "
      "OI_COLOR_ART, OD_SOB_EJE, ID_AGENTE) values (30, 7, 1, 5, 'Azul', 'Verde', 90, 2)"},
     {{{30, -1, -1}, true,
       {{"RES_OD_TIPO_LENTILLA_ART", 5}, {"RES_OD_COLOR_ART", "Azul"}, {"RES_OI_COLOR_ART", "Verde"},
        {"RES_OD_SOB_EJE", 90}, {"RES_ID_AGENTE", 2}}},
      {{-1, 7, 2}, true, {{"RES_NUMERO_FICHA", 2}}},
      {{-1, 7, -1}, true, {{"RES_NUMERO_FICHA", 1}}},
      {{32, -1, -1}, false, {}},
      {{-1, -1, -1}, false, {}}}},
    // Key 0 is the placeholder row: a real key, not a missing criterion.
    {"BUSCAR_TLENTILLA", kResultado, {"ORG_ID_TLENTILLA", "ORG_CODIGO", "ORG_DESCRIPCION"},
     {"insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (6, 'DI', 'Diaria')",
      "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (5, 'MS', 'Mensual silicona')"},
     {{{5.0, "-1", "-1"}, true,
       {{"RES_ID_TLENTILLA", 5}, {"RES_CODIGO", "MS"}, {"RES_DESCRIPCION", "Mensual silicona"}}},
      {{-1, "DI", "-1"}, true, {{"RES_ID_TLENTILLA", 6}}},
      {{-1, NULO, "Diaria"}, true, {{"RES_ID_TLENTILLA", 6}}},
      {{0, "-1", "-1"}, true, {{"RES_ID_TLENTILLA", 0}}},
      {{-1, "MS", "Diaria"}, false, {}},
      {{-1, "XX", "-1"}, false, {}},
      {{-1, "-1", "-1"}, false, {}}}},
    // The barcode comes as a real. Money and dates come back exactly.
    {"BUSCAR_ARTICULO", kResultado, {"ORG_ID_ARTICULO", "ORG_CBARRAS", "ORG_REFERENCIA", "ORG_DESCRIPCION"},
     {"insert into ARTICULO (ID_ARTICULO, REFERENCIA, DESCRIPCION) values (41, 'LIQ-1', 'Renu 360 ml')",
      "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, CODIGO_BARRAS, DESCRIPCION, PRECIO_VENTA1_M1, "
      "PRECIO_VENTA1_M2, PRECIO_COSTE_M1, NUEVO_DESDE, FECHA_CREACION, VENDIDAS_UNIDADES) values (40, 3, 'AC-OAS-6', "
      "8412345678901, 'Acuvue Oasys', 25.5, 4242.84, 0.1, '2024-01-01', '2023-11-05 17:30:15', 12)"},
     {{{-1, 8412345678901.0, "-1", "-1"}, true,
       {{"RES_ID_ARTICULO", 40}, {"RES_CODIGO_BARRAS", 8412345678901LL}, {"RES_PRECIO_VENTA1_M1", 25.5},
        {"RES_PRECIO_VENTA1_M2", 4242.84}, {"RES_PRECIO_COSTE_M1", 0.1}, {"RES_NUEVO_DESDE", Dia(2024, 1, 1)},
        {"RES_FECHA_CREACION", Dia(2023, 11, 5, 17, 30, 15)}, {"RES_VENDIDAS_UNIDADES", 12}}},
      {{-1, 8412345678901.0, "AC-OAS-6", "-1"}, true, {{"RES_ID_ARTICULO", 40}}},
      {{-1, -1, "AC-OAS-6", "-1"}, true, {{"RES_ID_ARTICULO", 40}}},
      {{41.0, -1, "-1", "-1"}, true, {{"RES_REFERENCIA", "LIQ-1"}, {"RES_CODIGO_BARRAS", NULO}}},
      {{-1, -1, "-1", "Renu 360 ml"}, true, {{"RES_ID_ARTICULO", 41}}},
      {{40, -1, "LIQ-1", "-1"}, false, {}},
      {{-1, 8412345678902.0, "-1", "-1"}, false, {}},
      {{-1, 8412345678901.5, "-1", "-1"}, false, {}},
      {{-1, 1e19, "-1", "-1"}, false, {}},  // out of the BIGINT range: no match, no overflow
      {{-1, -1, "-1", "-1"}, false, {}}}},
    // The schema brings the four kinds (1 Cristal ... 4 Audifono).
    {"BUSCAR_TARTICULO", kResultado, {"ORG_ID_TARTICULO", "ORG_DESCRIPCION"},
     {"insert into TARTICULO (ID_TARTICULO, DESCRIPCION) values (7, 'Cristal')"},
     {{{3, "-1"}, true, {{"RES_DESCRIPCION", "Lentilla"}}},
      {{-1, "Audifono"}, true, {{"RES_ID_TARTICULO", 4}}},
      {{-1, "Cristal"}, true, {{"RES_ID_TARTICULO", 1}}},
      {{9, "-1"}, false, {}},
      {{-1, "-1"}, false, {}}}},
    {"BUSCAR_IVA", kAmbas, {"ORG_ID_IVA", "ORG_TIPO", "ORG_DESCRIPCION"},
     {"insert into IVA (ID_IVA, DESCRIPCION, PORCENTAJE, TIPO) values (3, 'Reducido', 10, 2)",
      "insert into IVA (ID_IVA, DESCRIPCION, PORCENTAJE, RECARGO_EQUIVALENCIA, TIPO, IVA_INCLUIDO, "
      "ID_CUEN_REPERCUTIDO, ID_CUEN_SOPORTADO) values (2, 'General', 21, 5.2, 1, 1, -1, 60)"},
     {{{2, -1, "-1"}, true,
       {{"RES_PORCENTAJE", 21.0}, {"RES_RECARGO_EQUIVALENCIA", 5.2}, {"RES_ID_CUEN_REPERCUTIDO", -1},
        {"RES_ID_CUEN_SOPORTADO", 60}}},
      {{-1, 2.0, "-1"}, true, {{"RES_ID_IVA", 3}}},
      {{-1, -1, "General"}, true, {{"RES_ID_IVA", 2}}},
      {{9, -1, "-1"}, false, {}},
      {{-1, -1, "-1"}, false, {}}}},
    {"BUSCAR_FORMA_PAGO", kResultado, {"ORG_ID", "ORG_CODIGO", "ORG_DESCRIPCION", "ORG_TIPO"},
     {"insert into FORMA_PAGO (ID_FORMA_PAGO, CODIGO, DESCRIPCION, TIPO, COMISION, DIAS_VENCIMIENTO_1, ID_CUENTA) "
      "values (4, 1, 'Contado', 0, 0.5, 30, 61)"},
     {{{4, -1, "-1", -1}, true, {{"RES_COMISION", 0.5}, {"RES_DIAS_VENCIMIENTO_1", 30}, {"RES_ID_CUENTA", 61}}},
      {{-1, 1, "-1", -1}, true, {{"RES_ID", 4}}},
      {{-1, -1, "-1", 0}, true, {{"RES_ID", 4}}},
      {{4, -1, "-1", 3}, false, {}},
      {{-1, -1, "-1", -1}, false, {}}}},
    {"BUSCAR_FAMILIA", kAmbas, {"ORG_ID", "ORG_CODIGO", "ORG_DESCRIPCION"},
     {"insert into FAMILIA (ID_FAMILIA, CODIGO, DESCRIPCION, ID_IVA_VENTA, ID_GRUPO, DESCUENTO, VENDER_NEGATIVO) "
      "values (8, 'LC', 'Lentes de contacto', 2, 9, 5, 1)"},
     {{{8, "-1", "-1"}, true, {{"RES_CODIGO", "LC"}, {"RES_ID_GRUPO", 9}, {"RES_DESCUENTO", 5.0}}},
      {{-1, "LC", "-1"}, true, {{"RES_ID_FAMILIA", 8}}},
      {{-1, "-1", "Lentes de contacto"}, true, {{"RES_ID_FAMILIA", 8}}},
      {{18, "-1", "-1"}, false, {}},
      {{-1, "-1", "-1"}, false, {}}}},
    {"BUSCAR_PROVEEDOR", kResultado, {"ORG_ID_PROVEEDOR", "ORG_CODIGO", "ORG_NOMBRE"},
     {"insert into PROVEEDOR (ID_PROVEEDOR, CODIGO, NOMBRE, CIF, ID_FPAGO, TOTAL_COMPRADO) "
      "values (12, 101, 'Lentes SL', 'B123', 4, 1500.75)"},
     {{{12, -1, "-1"}, true, {{"RES_CIF", "B123"}, {"RES_TOTAL_COMPRADO", 1500.75}, {"RES_ID_FPAGO", 4}}},
      {{-1, 101, "-1"}, true, {{"RES_ID_PROVEEDOR", 12}}},
      {{-1, -1, "Lentes SL"}, true, {{"RES_ID_PROVEEDOR", 12}}},
      {{13, -1, "-1"}, false, {}},
      {{-1, -1, "-1"}, false, {}}}},
    // ORG_BORRADO filters (0 active, 1 deleted, other values both) and is no
    // criterion by itself.
    {"BUSCAR_CUENTA", kResultado, {"ORG_ID", "ORG_CODIGO", "ORG_DESCRIPCION", "ORG_BORRADO", "ORG_ANYO_CREACION"},
     {"insert into CUENTA (ID_CUENTA, CODIGO, DESCRIPCION, ANYO_CREACION, BORRADO) values (61, '5700000', 'Caja', "
      "2023, 1)",
      "insert into CUENTA (ID_CUENTA, CODIGO, DESCRIPCION, ANYO_CREACION, BORRADO) values (60, '4720000', "
      "'IVA soportado', 2023, 0)"},
     {{{60, "-1", "-1", -1, -1}, true, {{"RES_CODIGO", "4720000"}, {"RES_BORRADO", 0}}},
      {{-1, "5700000", "-1", -1, -1}, true, {{"RES_ID", 61}}},
      {{61, "-1", "-1", 0, -1}, false, {}},
      {{61, "-1", "-1", 1, -1}, true, {{"RES_ID", 61}}},
      {{-1, "-1", "-1", -1, 2023}, true, {{"RES_ID", 60}}},
      {{-1, "-1", "-1", 0, -1}, false, {}}}},
    {"BUSCAR_GRUPO", kResultado, {"ORG_ID_GRUPO", "ORG_CODIGO", "ORG_DESCRIPCION"},
     {"insert into GRUPO (ID_GRUPO, CODIGO, DESCRIPCION, ID_CUENTA) values (9, 'G1', 'Contactología', 60)"},
     {{{9, "-1", "-1"}, true, {{"RES_DESCRIPCION", "Contactología"}, {"RES_ID_CUENTA", 60}}},
      {{-1, "G1", "-1"}, true, {{"RES_ID_GRUPO", 9}}},
      {{10, "-1", "-1"}, false, {}},
      {{-1, "-1", "-1"}, false, {}}}},
    Catalogo_Simple("BUSCAR_TCRISTAL", "TCRISTAL", "ID_TCRISTAL", "Orgánico"),
    Catalogo_Simple("BUSCAR_TRATAMIENTO", "TRATAMIENTO", "ID_TRATAMIENTO", "Antirreflejante"),
    Catalogo_Simple("BUSCAR_MARCA_MON", "MARCA_MON", "ID_MARCA", "Ray-Ban"),
    Catalogo_Simple("BUSCAR_MARCA_AUD", "MARCA_AUD", "ID_MARCA", "Phonak"),
    // A NULL BORRADO is an active row; the empty surname is no criterion.
    {"BUSCAR_PACIENTE", kResultado, {"ORG_ID", "ORG_CODIGO", "ORG_APELLIDOS", "ORG_BORRADO"},
     {"insert into PACIENTE (ID_PACIENTE, CODIGO, APELLIDOS, NOMBRE, BORRADO) values (17, 1017, 'Pérez', 'Luis', 1)",
      "insert into PACIENTE (ID_PACIENTE, CODIGO, APELLIDOS, BORRADO) values (27, 1027, 'Sanz', null)",
      "insert into PACIENTE (ID_PACIENTE, CODIGO, APELLIDOS, NOMBRE, NOMBRE_COMPLETO, SEXO, FECHA_NACIMIENTO, "
      "TOTAL_COMPRADO_M2, TIENDA, EMAIL) values (7, 1007, 'García López', 'Ana', 'Ana García López', 2, "
      "'1980-06-15', 16638, 3, 'ana@example.com')"},
     {{{7, -1, "", 0}, true,
       {{"RES_NOMBRE_COMPLETO", "Ana García López"}, {"RES_FECHA_NACIMIENTO", Dia(1980, 6, 15)},
        {"RES_TOTAL_COMPRADO_M2", 16638.0}, {"RES_TIENDA", 3}, {"RES_BORRADO", 0}}},
      {{17, -1, "", 0}, false, {}},
      {{17, -1, "", 2}, true, {{"RES_ID", 17}}},
      {{-1, 1017, "-1", 1}, true, {{"RES_ID", 17}}},
      {{-1, 1007, "-1", 1}, false, {}},
      {{27, -1, "", 0}, true, {{"RES_ID", 27}}},
      {{-1, -1, "García López", 2}, true, {{"RES_ID", 7}}},
      {{-1, -1, "", 2}, false, {}}}},
    // The agent's key and code come as reals.
    {"BUSCAR_AGENTE", kResultado, {"ORG_ID_AGENTE", "ORG_CODIGO", "ORG_BORRADO"},
     {"insert into AGENTE (ID_AGENTE, CODIGO, NOMBRE, APELLIDOS, BORRADO) values (3, 6, 'Pedro', 'Gil', 1)",
      "insert into AGENTE (ID_AGENTE, CODIGO, NOMBRE, APELLIDOS, COMISION_TIPO, COMISION_PORCENTAJE, BORRADO) "
      "values (2, 5, 'Marta', 'Ruiz', -1, 7.5, 0)"},
     {{{2.0, -1.0, 0}, true, {{"RES_NOMBRE", "Marta"}, {"RES_COMISION_TIPO", -1}, {"RES_COMISION_PORCENTAJE", 7.5}}},
      {{-1.0, 5.0, 0}, true, {{"RES_ID_AGENTE", 2}}},
      {{-1.0, 6.0, 0}, false, {}},
      {{-1.0, 6.0, 2}, true, {{"RES_ID_AGENTE", 3}}},
      {{0.0, -1.0, 0}, true, {{"RES_ID_AGENTE", 0}}},
      {{-1.0, -1.0, 0}, false, {}}}},
};

void Poner(TParam& p, const Valor& v) {
  switch (v.tipo) {
    case Valor::Nulo: p.Clear(); break;
    case Valor::Entero: p.AsInteger(v.entero); break;
    case Valor::Real: p.AsFloat(v.real); break;
    case Valor::Texto: p.AsString(QString::fromUtf8(v.texto)); break;
    case Valor::Fecha: p.AsDateTime(v.Dias()); break;
  }
}

void Comprobar(const TParam& p, const std::string& nombre, const Valor& v) {
  SCOPED_TRACE(nombre);
  if (v.tipo == Valor::Nulo) {
    EXPECT_TRUE(p.IsNull());
    return;
  }
  ASSERT_FALSE(p.IsNull());
  switch (v.tipo) {
    case Valor::Entero: EXPECT_EQ(p.AsInt64(), v.entero); break;
    case Valor::Real: EXPECT_EQ(p.AsFloat(), v.real); break;  // exact: the stored double
    case Valor::Texto: EXPECT_EQ(p.AsString().toStdString(), std::string(v.texto)); break;
    case Valor::Fecha: EXPECT_EQ(p.AsDateTime(), v.Dias()); break;
    case Valor::Nulo: break;
  }
}

class BuscarTest : public ProcedimientosTest, public ::testing::WithParamInterface<Busqueda> {};

TEST_P(BuscarTest, EncuentraPorCadaEntradaYMenosUnoNoCuenta) {
  const Busqueda& b = GetParam();
  for (const std::string& fila : b.filas) Ejecutar_SQL(*otra, QString::fromStdString(fila));
  for (size_t i = 0; i < b.llamadas.size(); ++i) {
    const Llamada& ll = b.llamadas[i];
    SCOPED_TRACE("llamada " + std::to_string(i + 1));
    const int canal = 5 + static_cast<int>(i % 2);  // the domain classes use both
    ASSERT_EQ(base->Preparar(canal, b.procedimiento), 0);
    TIBStoredProc& sp = base->Procedimiento(canal);
    ASSERT_EQ(ll.entradas.size(), b.entradas.size());
    for (size_t e = 0; e < ll.entradas.size(); ++e)
      Poner(sp.ParamByName(QString::fromStdString(b.entradas[e])), ll.entradas[e]);
    ASSERT_EQ(base->Ejecutar(canal), 0);
    for (const char* bandera : b.banderas)
      EXPECT_EQ(sp.ParamByName(bandera).AsInteger() > 0, ll.encontrado) << bandera;
    for (const auto& [nombre, valor] : ll.salidas)
      Comprobar(sp.ParamByName(QString::fromStdString(nombre)), nombre, valor);
    base->Cerrar(canal);
  }
}

INSTANTIATE_TEST_SUITE_P(Procedimientos, BuscarTest, ::testing::ValuesIn(kBusquedas),
                         [](const auto& info) { return std::string(info.param.procedimiento); });

// ---- Errors ----------------------------------------------------------------

// A database error in a procedure call reaches the caller as EIBError, with
// Firebird's own code, and the channel can be used again after Cerrar.
TEST_F(ProcedimientosTest, ErrorDeLaBaseEnUnProcedimientoLlegaComoEIBError) {
  base->Preparar(5, "BUSCAR_QUE_NO_EXISTE");
  try {
    base->Ejecutar(5);
    ADD_FAILURE() << "se esperaba EIBError";
  } catch (const EIBError& e) {
    EXPECT_EQ(e.SQLCode(), -204);
    EXPECT_NE(e.IBErrorCode(), 0);
  }
  base->Cerrar(5);

  // A key that does not fit the INTEGER input: raised while the call runs.
  base->Preparar(6, "BUSCAR_MLENTILLA");
  base->Procedimiento(6).ParamByName("ORG_ID").AsFloat(1e10);
  base->Procedimiento(6).ParamByName("ORG_ID_PACIENTE").AsInteger(-1);
  base->Procedimiento(6).ParamByName("ORG_NUMERO_FICHA").AsInteger(-1);
  try {
    base->Ejecutar(6);
    ADD_FAILURE() << "se esperaba EIBError";
  } catch (const EIBError& e) {
    EXPECT_TRUE(e.Contiene(isc_arith_except)) << e.Message().toStdString();
  }
  base->Cerrar(6);

  for (int canal : {5, 6}) {
    base->Preparar(canal, "BUSCAR_TLENTILLA");
    TIBStoredProc& sp = base->Procedimiento(canal);
    sp.ParamByName("ORG_ID_TLENTILLA").AsInteger(0);
    sp.ParamByName("ORG_CODIGO").AsString("-1");
    sp.ParamByName("ORG_DESCRIPCION").AsString("-1");
    EXPECT_EQ(base->Ejecutar(canal), 0);
    EXPECT_GT(sp.ParamByName("RES_RESULTADO").AsInteger(), 0);
    EXPECT_EQ(base->Cerrar(canal), 0);
    EXPECT_FALSE(base->Transaccion(canal - 5).InTransaction());
  }
}

}  // namespace
