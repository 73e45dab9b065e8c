// The SQL catalogue: the statements the module runs, to the character, and
// every one of them accepted by the real schema.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <set>

#include "Base_prueba.h"
#include "Clase_tconstante.h"
#include "Graduacion_ojo.h"
#include "Ibx_query.h"
#include "Ibx_transaction.h"

namespace {

struct TTextoEsperado {
  int slot;
  const char* texto;
};

// Statements quoted word for word in the application's design.
const TTextoEsperado kTextos[] = {
    {12,
      "Select OBSERVACIONES From ARTOBSERVACIONES Where ID_ARTICULO = :ID_ARTICULO"},
    {13,
      "Insert Into ARTOBSERVACIONES (ID_ARTICULO, OBSERVACIONES) Values (:ID_ARTICULO, "
      ":OBSERVACIONES)"},
    {14,
      "Update ARTOBSERVACIONES Set OBSERVACIONES = :OBSERVACIONES Where ID_ARTICULO = :ID_ARTICULO"},
    {44,
      "Insert Into AGENTE (CODIGO, NOMBRE, APELLIDOS, DIRECCION, ID_LOCALIDAD, NIF, E_MAIL, "
      "COMISION_TIPO, COMISION_PORCENTAJE, TELEFONO, TELEFONO_MOVIL, WEB, "
      "BORRADO) Values (:CODIGO, :NOMBRE, :APELLIDOS, :DIRECCION, :ID_LOCALIDAD, :NIF, "
      ":E_MAIL, :COMISION_TIPO, :COMISION_PORCENTAJE, :TELEFONO, :TELEFONO_MOVIL, :WEB, "
      ":BORRADO)"},
    {48,
      "Select Max(CODIGO)ULTIMO From AGENTE Where BORRADO = :BORRADO"},
    {51,
      "Select ID_AGENTE, CODIGO, NOMBRE, "
      "APELLIDOS From AGENTE Where ID_AGENTE != 0  Order By NOMBRE"},
    {52,
      "Select ID_AGENTE, CODIGO, NOMBRE, "
      "APELLIDOS From AGENTE Where ID_AGENTE != 0 And BORRADO = :BORRADO Order By NOMBRE"},
    {64,
      "Select * From MONEDA"},
    {179,
      "Select * from POBSERVACIONES where ID_PACIENTE = :ID_PACIENTE"},
    {209,
      "Update PACIENTE Set FECHA_ULTIMA_VISITA = :FECHA_ULTIMA_VISITA Where ID_PACIENTE = :ID_PACIENTE"},
    {270,
      "Insert into MLENTILLA (ID_PACIENTE, NUMERO_FICHA, FECHA, FECHA_REVISION, "
      "FECHA_LIMPIEZA, FECHA_CADUCIDAD, FECHA_REPOSICION, ID_DOCTOR, PROPIA_AJENA, ID_AGENTE, "
      "LIQUIDOS, OD_ABERTURA_PARPEBRAL, OD_DIAMETRO_PUPILAR, OD_DIAMETRO_IRIS, "
      "OI_ABERTURA_PARPEBRAL, OI_DIAMETRO_PUPILAR, OI_DIAMETRO_IRIS, OD_ESFERA, OD_CILINDRO, "
      "OD_EJE, OD_AGUDEZA_VISUAL_CC, OD_ADICION, OD_DIAMETRO, OD_ZONA_OPTICA, OD_RADIO_1, "
      "OD_RADIO_2, OD_QUERATOMETRIA, OI_ESFERA, OI_CILINDRO, OI_EJE, OI_AGUDEZA_VISUAL_CC, "
      "OI_ADICION, OI_DIAMETRO, OI_ZONA_OPTICA, OI_RADIO_1, OI_RADIO_2, OI_QUERATOMETRIA, "
      "ID_TIENDA) Values (:ID_PACIENTE, :NUMERO_FICHA, :FECHA, :FECHA_REVISION, "
      ":FECHA_LIMPIEZA, :FECHA_CADUCIDAD, :FECHA_REPOSICION, :ID_DOCTOR, :PROPIA_AJENA, "
      ":ID_AGENTE, :LIQUIDOS, :OD_ABERTURA_PARPEBRAL, :OD_DIAMETRO_PUPILAR, :OD_DIAMETRO_IRIS, "
      ":OI_ABERTURA_PARPEBRAL, :OI_DIAMETRO_PUPILAR, :OI_DIAMETRO_IRIS, :OD_ESFERA, "
      ":OD_CILINDRO, :OD_EJE, :OD_AGUDEZA_VISUAL_CC, :OD_ADICION, :OD_DIAMETRO, "
      ":OD_ZONA_OPTICA, :OD_RADIO_1, :OD_RADIO_2, :OD_QUERATOMETRIA, :OI_ESFERA, :OI_CILINDRO, "
      ":OI_EJE, :OI_AGUDEZA_VISUAL_CC, :OI_ADICION, :OI_DIAMETRO, :OI_ZONA_OPTICA, "
      ":OI_RADIO_1, :OI_RADIO_2, :OI_QUERATOMETRIA, :ID_TIENDA)"},
    {272,
      "Delete from MLENTILLA where ID_MLENTILLA = :ID_MLENTILLA"},
    {275,
      "Insert into LOBSERVACIONES (ID_MLENTILLA, OBSERVACIONES) Values (:ID_MLENTILLA, "
      ":OBSERVACIONES)"},
    {276,
      "Update LOBSERVACIONES set OBSERVACIONES = :OBSERVACIONES where ID_MLENTILLA = :ID_MLENTILLA"},
    {277,
      "Delete from LOBSERVACIONES Where ID_LOBSERVACIONES = :ID_LOBSERVACIONES"},
    {279,
      "Select * from LOBSERVACIONES where ID_MLENTILLA = :ID_MLENTILLA"},
    {281,
      "Select * From MLENTILLA where ID_PACIENTE = :ID_PACIENTE Order By NUMERO_FICHA"},
    {283,
      "select ID_MLENTILLA from MLENTILLA where ID_PACIENTE = :ID_PACIENTE ORDER BY FECHA"},
    {285,
      "UPDATE MLENTILLA set NUMERO_FICHA = :NUMERO_FICHA WHERE ID_MLENTILLA = :ID_MLENTILLA "},
    {286,
      "insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, ID_TLENTILLA, "
      "MODELO, RADIO_1, RADIO_2, DIAMETRO, COLOR, IMPORTE_M1, IMPORTE_M2, FECHA_GARANTIA, "
      "LOTE)values (:ID_MLENTILLA, :OJO, :REFERENCIA, :DESCRIPCION, :ID_TLENTILLA, :MODELO, "
      ":RADIO_1, :RADIO_2, :DIAMETRO, :COLOR, :IMPORTE_M1, :IMPORTE_M2, :FECHA_GARANTIA, :LOTE)"},
    {288,
      "delete from DLENTILLA Where ID_MLENTILLA = :ID_MLENTILLA"},
    {290,
      "Select ID_DLENTILLA from DLENTILLA where ID_MLENTILLA = :ID_MLENTILLA"},
    {291,
      "Insert into PLENTILLA (ID_PACIENTE, NUMERO_FICHA, FECHA, OD_RADIO_1, OD_RADIO_2, "
      "OD_ESFERA, OD_CILINDRO, OD_EJE, OD_DIAMETRO, OD_ZONA_OPTICA, OD_ADICION, "
      "OD_AGUDEZA_VISUAL, OI_RADIO_1, OI_RADIO_2, OI_ESFERA, OI_CILINDRO, OI_EJE, OI_DIAMETRO, "
      "OI_ZONA_OPTICA, OI_ADICION, OI_AGUDEZA_VISUAL, OD_SOB_ESFERA, OD_SOB_CILINDRO, "
      "OD_SOB_EJE, OD_SOB_AGUDEZA_VISUAL, OI_SOB_ESFERA, OI_SOB_CILINDRO, OI_SOB_EJE, "
      "OI_SOB_AGUDEZA_VISUAL, OD_TLENTILLA_ART, OD_REFERENCIA_ART, OD_DESCRIPCION_ART, "
      "OD_MODELO_ART, OD_RADIO_1_ART, OD_RADIO_2_ART, OD_DIAMETRO_ART, OD_COlOR_ART, "
      "OI_TLENTILLA_ART, OI_REFERENCIA_ART, OI_DESCRIPCION_ART, OI_MODELO_ART, OI_RADIO_1_ART, "
      "OI_RADIO_2_ART, OI_DIAMETRO_ART, OI_COlOR_ART, ID_AGENTE, OD_LOTE, "
      "OI_LOTE) Values (:ID_PACIENTE, :NUMERO_FICHA, :FECHA, :OD_RADIO_1, :OD_RADIO_2, "
      ":OD_ESFERA, :OD_CILINDRO, :OD_EJE, :OD_DIAMETRO, :OD_ZONA_OPTICA, :OD_ADICION, "
      ":OD_AGUDEZA_VISUAL, :OI_RADIO_1, :OI_RADIO_2, :OI_ESFERA, :OI_CILINDRO, :OI_EJE, "
      ":OI_DIAMETRO, :OI_ZONA_OPTICA, :OI_ADICION, :OI_AGUDEZA_VISUAL, :OD_SOB_ESFERA, "
      ":OD_SOB_CILINDRO, :OD_SOB_EJE, :OD_SOB_AGUDEZA_VISUAL, :OI_SOB_ESFERA, "
      ":OI_SOB_CILINDRO, :OI_SOB_EJE, :OI_SOB_AGUDEZA_VISUAL, :OD_TLENTILLA_ART, "
      ":OD_REFERENCIA_ART, :OD_DESCRIPCION_ART, :OD_MODELO_ART, :OD_RADIO_1_ART, "
      ":OD_RADIO_2_ART, :OD_DIAMETRO_ART, :OD_COlOR_ART, :OI_TLENTILLA_ART, "
      ":OI_REFERENCIA_ART, :OI_DESCRIPCION_ART, :OI_MODELO_ART, :OI_RADIO_1_ART, "
      ":OI_RADIO_2_ART, :OI_DIAMETRO_ART, :OI_COlOR_ART, :ID_AGENTE, :OD_LOTE, :OI_LOTE)"},
    {293,
      "Delete from PLENTILLA where ID_PRUEBA_LENTILLAS = :ID_PRUEBA"},
    {295,
      "select ID_PRUEBA_LENTILLAS from PLENTILLA where ID_PACIENTE = :ID_PACIENTE Order by NUMERO_FICHA ASC"},
    {296,
      "Select MAX(NUMERO_FICHA) from PLENTILLA where ID_PACIENTE = :ID_PACIENTE"},
    {297,
      "Insert into PLOBSERVACIONES (ID_MLENTILLA, OBSERVACIONES) Values (:ID_MLENTILLA, "
      ":OBSERVACIONES)"},
    {298,
      "Update PLOBSERVACIONES set OBSERVACIONES = :OBSERVACIONES where ID_MLENTILLA = :ID_MLENTILLA"},
    {301,
      "Select * from PLOBSERVACIONES where ID_MLENTILLA = :ID_PLENTILLA"},
    {466,
      "Insert into TLENTILLA (CODIGO, DESCRIPCION) values (:CODIGO, :DESCRIPCION)"},
    {469,
      "Select * from TLENTILLA where ID_TLENTILLA != 0 ORDER BY DESCRIPCION"},
    {471,
      "insert into agenda (id_usuario, fecha, hora, tipo, persona, avisar, fecha_aviso, "
      "hora_aviso, repeticion, prioridad, observaciones, tipo_ficha, id_ficha, fecha_fin, "
      "status) values (:id_usuario, :fecha, :hora, :tipo, :persona, :avisar, :fecha_aviso, "
      ":hora_aviso, :repeticion, :prioridad, :observaciones, :tipo_ficha, :id_ficha, "
      ":fecha_fin, :status)"},
    {475,
      "Delete from AGENDA where TIPO_FICHA = :TIPO_FICHA AND ID_FICHA = :ID_FICHA"},
    {481,
      "Select COUNT(*) NUMERO from AGENDA where CAST(FECHA AS DATE) = :FECHA AND TIPO_FICHA = :TIPO_FICHA AND PERSONA = :PERSONA AND ID_FICHA != -1"},
    {632,
      "Insert into REPOSICION (ID_PACIENTE, NUMERO_FICHA, TIPO_REPOSICION, FECHA, TIPO, OJO, "
      "IMPORTE_M1, IMPORTE_M2, OBSERVACIONES) values (:ID_PACIENTE, :NUMERO_FICHA, "
      ":TIPO_REPOSICION, :FECHA, :TIPO, :OJO, :IMPORTE_M1, :IMPORTE_M2, :OBSERVACIONES)"},
    {634,
      "Delete from REPOSICION where ID_PACIENTE = :ID_PACIENTE And TIPO_REPOSICION = :TIPO_REPOSICION"},
    {635,
      "Delete from REPOSICION where ID_REPOSICION = :ID_REPOSICION"},
};

const std::set<int> kUsados = {1,   12,  13,  14,  44,  48,  51,  52,  64,  179, 209, 270, 271, 272,
                               275, 276, 277, 279, 281, 283, 285, 286, 288, 290, 291, 292, 293, 295,
                               296, 297, 298, 301, 466, 469, 471, 475, 481, 632, 634, 635};

// "A = :B, C = :D ..." of an UPDATE, as (column, parameter) pairs.
std::vector<std::pair<QString, QString>> Asignaciones(const QString& sql, const QString& antesDe) {
  const int ini = sql.indexOf(QRegularExpression("\\bset\\b", QRegularExpression::CaseInsensitiveOption)) + 4;
  const int fin = sql.lastIndexOf(antesDe, -1, Qt::CaseInsensitive);
  std::vector<std::pair<QString, QString>> r;
  for (const QString& a : sql.mid(ini, fin - ini).split(',')) {
    const QStringList lados = a.split('=');
    EXPECT_EQ(lados.size(), 2) << a.toStdString();
    if (lados.size() == 2) r.emplace_back(lados[0].trimmed(), lados[1].trimmed());
  }
  return r;
}

QStringList Columnas_Insert(const QString& sql) {
  const int a = sql.indexOf('(') + 1;
  return sql.mid(a, sql.indexOf(')') - a).split(", ");
}

TEST(Catalogo, TextosCitadosAlCaracter) {
  const TConstante c;
  for (const auto& t : kTextos) EXPECT_EQ(c[t.slot], QString::fromUtf8(t.texto)) << "ranura " << t.slot;
  EXPECT_TRUE(c[285].endsWith("ID_MLENTILLA "));
  EXPECT_TRUE(c[51].contains("!= 0  Order By"));
}

TEST(Catalogo, SoloLasRanurasUsadasTienenTexto) {
  const TConstante c;
  for (int i = 0; i < TConstante::kNumSlots; ++i)
    EXPECT_EQ(c[i].isEmpty(), kUsados.count(i) == 0) << "ranura " << i;
  for (int vacia : {11, 122, 123, 152, 159, 201, 202, 244, 282, 284, 299, 309, 422, 560, 589})
    EXPECT_TRUE(c[vacia].isEmpty());
  EXPECT_TRUE(c[-1].isEmpty());
  EXPECT_TRUE(c[810].isEmpty());
}

TEST(Catalogo, ActualizacionDeFichaIgualQueSuInsercionSinTienda) {
  const TConstante c;
  QStringList columnas = Columnas_Insert(c[270]);
  ASSERT_EQ(columnas.size(), 38);
  columnas.removeAll("ID_TIENDA");
  const auto asign = Asignaciones(c[271], " where ID_MLENTILLA = :ID_MLENTILLA");
  ASSERT_EQ(asign.size(), columnas.size());
  for (size_t i = 0; i < asign.size(); ++i) {
    EXPECT_EQ(asign[i].first, columnas[i]);
    EXPECT_EQ(asign[i].second.toUpper(), ":" + columnas[i]);
  }
  EXPECT_TRUE(c[271].contains(":OD_Abertura_PARPEBRAL"));
  EXPECT_TRUE(c[271].endsWith(" where ID_MLENTILLA = :ID_MLENTILLA"));
}

TEST(Catalogo, ActualizacionDePruebaConLosColoresEscritosConL) {
  const TConstante c;
  const QStringList columnas = Columnas_Insert(c[291]);
  ASSERT_EQ(columnas.size(), 48);
  const auto asign = Asignaciones(c[292], " Where ID_PRUEBA_LENTILLAS");
  ASSERT_EQ(asign.size(), 48u);
  for (size_t i = 0; i < asign.size(); ++i) {
    EXPECT_EQ(asign[i].first, columnas[i]);
    EXPECT_EQ(asign[i].second.toUpper(), ":" + columnas[i].toUpper());
  }
  EXPECT_TRUE(c[292].contains("OD_COlOR_ART = :OD_COLOR_ART"));
  EXPECT_TRUE(c[292].contains("OI_COlOR_ART = :OI_COLOR_ART"));
  EXPECT_TRUE(c[292].endsWith(" Where ID_PRUEBA_LENTILLAS = :ID_PRUEBA_LENTILLAS"));
}

TEST(Catalogo, ActualizacionDeArticuloCon57Asignaciones) {
  const TConstante c;
  EXPECT_TRUE(c[1].startsWith("Update ARTICULO Set "));
  EXPECT_TRUE(c[1].endsWith(" where ID_ARTICULO = :ID_ARTICULO"));
  const auto asign = Asignaciones(c[1], " where ID_ARTICULO");
  ASSERT_EQ(asign.size(), 57u);
  std::set<QString> vistas;
  for (const auto& [col, par] : asign) {
    EXPECT_EQ(":" + col, par);
    EXPECT_TRUE(vistas.insert(col).second) << col.toStdString();
  }
  for (const char* col : {"PRECIO_VENTA1_M1", "PRECIO_VENTA1_M2", "NUEVO_PRECIO_M2", "PRECIO_PVP1_PVP2",
                          "CODIGO_BARRAS", "ID_TRATAMIENTO_3", "VENDIDAS_UNIDADES", "NUEVO_DESDE"})
    EXPECT_TRUE(vistas.count(col)) << col;
}

TEST(Catalogo, CadaSentenciaLaAceptaElEsquema) {
  TBaseDatosPrueba bd;
  auto db = bd.Conectar();
  TIBTransaction t;
  t.DefaultDatabase = db.get();
  const TConstante c;
  for (int slot : kUsados) {
    TIBQuery q;
    q.Database = db.get();
    q.Transaction = &t;
    q.SQL.Add(c[slot]);
    try {
      q.Prepare();
    } catch (const EIBError& e) {
      ADD_FAILURE() << "ranura " << slot << ": " << e.Message().toStdString();
    }
  }
  t.Rollback();
}

TEST(Catalogo, CopiarEsBarato) {
  const TConstante a;
  const TConstante b = a;  // shares the literal texts
  EXPECT_EQ(a[270].constData(), b[270].constData());
}

// A slot's name says what its statement does and on which table: a name
// given the wrong number runs another statement.
TEST(Catalogo, CadaNombreEsLaSentenciaQueDice) {
  struct TNombrada {
    sql::TSlot slot;
    const char* verbo;
    const char* tabla;
  };
  const TNombrada kNombradas[] = {
      {sql::kActualizarArticulo, "update", "ARTICULO"},
      {sql::kLeerObservacionesArticulo, "select", "ARTOBSERVACIONES"},
      {sql::kInsertarObservacionesArticulo, "insert", "ARTOBSERVACIONES"},
      {sql::kActualizarObservacionesArticulo, "update", "ARTOBSERVACIONES"},
      {sql::kInsertarAgente, "insert", "AGENTE"},
      {sql::kUltimoCodigoAgente, "select", "AGENTE"},
      {sql::kListaAgentes, "select", "AGENTE"},
      {sql::kListaAgentesPorBorrado, "select", "AGENTE"},
      {sql::kMonedas, "select", "MONEDA"},
      {sql::kLeerObservacionesPaciente, "select", "POBSERVACIONES"},
      {sql::kActualizarUltimaVisita, "update", "PACIENTE"},
      {sql::kInsertarFicha, "insert", "MLENTILLA"},
      {sql::kActualizarFicha, "update", "MLENTILLA"},
      {sql::kBorrarFicha, "delete", "MLENTILLA"},
      {sql::kInsertarObservacionesFicha, "insert", "LOBSERVACIONES"},
      {sql::kActualizarObservacionesFicha, "update", "LOBSERVACIONES"},
      {sql::kBorrarObservacionesFicha, "delete", "LOBSERVACIONES"},
      {sql::kLeerObservacionesFicha, "select", "LOBSERVACIONES"},
      {sql::kFichasPaciente, "select", "MLENTILLA"},
      {sql::kClavesFichasPorFecha, "select", "MLENTILLA"},
      {sql::kRenumerarFicha, "update", "MLENTILLA"},
      {sql::kInsertarLineaFicha, "insert", "DLENTILLA"},
      {sql::kBorrarLineasFicha, "delete", "DLENTILLA"},
      {sql::kClavesLineasFicha, "select", "DLENTILLA"},
      {sql::kInsertarPrueba, "insert", "PLENTILLA"},
      {sql::kActualizarPrueba, "update", "PLENTILLA"},
      {sql::kBorrarPrueba, "delete", "PLENTILLA"},
      {sql::kClavesPruebas, "select", "PLENTILLA"},
      {sql::kMayorNumeroPrueba, "select", "PLENTILLA"},
      {sql::kInsertarObservacionesPrueba, "insert", "PLOBSERVACIONES"},
      {sql::kActualizarObservacionesPrueba, "update", "PLOBSERVACIONES"},
      {sql::kLeerObservacionesPrueba, "select", "PLOBSERVACIONES"},
      {sql::kInsertarTipoLentilla, "insert", "TLENTILLA"},
      {sql::kTiposLentilla, "select", "TLENTILLA"},
      {sql::kInsertarAviso, "insert", "AGENDA"},
      {sql::kBorrarAvisos, "delete", "AGENDA"},
      {sql::kContarAvisos, "select", "AGENDA"},
      {sql::kInsertarReposicion, "insert", "REPOSICION"},
      {sql::kBorrarReposicionesPaciente, "delete", "REPOSICION"},
      {sql::kBorrarReposicion, "delete", "REPOSICION"},
  };
  const TConstante c;
  std::set<int> vistas;
  for (const auto& n : kNombradas) {
    const QString texto = c[n.slot];
    EXPECT_TRUE(texto.startsWith(QLatin1String(n.verbo), Qt::CaseInsensitive)) << n.slot;
    const QRegularExpression tabla(QStringLiteral("\\b(into|from|update) %1\\b").arg(n.tabla),
                                   QRegularExpression::CaseInsensitiveOption);
    EXPECT_TRUE(tabla.match(texto).hasMatch()) << n.slot << " " << n.tabla;
    EXPECT_TRUE(vistas.insert(n.slot).second) << "dos nombres para la ranura " << n.slot;
  }
  // Every filled slot has its name.
  EXPECT_EQ(vistas, kUsados);
}

// The per-eye columns of a table, without the eye's prefix, as the insert
// lists them.
std::set<QString> Columnas_Ojo(const QString& insercion, const char* prefijo) {
  std::set<QString> r;
  for (const QString& col : Columnas_Insert(insercion))
    if (col.startsWith(QLatin1String(prefijo))) r.insert(col.mid(3).toUpper());
  return r;
}

template <class Ojo, std::size_t N>
std::set<QString> Columnas_Tabla(const TCampoDeOjo<Ojo> (&tabla)[N]) {
  std::set<QString> r;
  for (const auto& campo : tabla) EXPECT_TRUE(r.insert(QString::fromLatin1(campo.columna)).second) << campo.columna;
  return r;
}

// Each eye's column table names every per-eye column the statements write,
// once, and nothing else (the lens type of a test's eye goes apart: its
// output has another name).
TEST(Catalogo, LasTablasDeCadaOjoCubrenSusColumnas) {
  const TConstante c;
  for (const char* ojo : {"OD_", "OI_"}) {
    EXPECT_EQ(Columnas_Tabla(kCamposOjoFicha), Columnas_Ojo(c[sql::kInsertarFicha], ojo)) << ojo;
    std::set<QString> prueba = Columnas_Ojo(c[sql::kInsertarPrueba], ojo);
    EXPECT_EQ(prueba.erase(QStringLiteral("TLENTILLA_ART")), 1u);
    EXPECT_EQ(Columnas_Tabla(kCamposOjoPrueba), prueba) << ojo;
  }
}

// The lookups read each field of an eye behind "RES_": each name must be an
// output of its procedure in the real schema.
TEST(Catalogo, LasTablasDeCadaOjoSonSalidasDeSuBusqueda) {
  TBaseDatosPrueba bd;
  auto db = bd.Conectar();
  const auto salidas = [&](const char* procedimiento) {
    std::set<QString> r;
    TIBTransaction t;
    t.DefaultDatabase = db.get();
    TIBQuery q;
    q.Database = db.get();
    q.Transaction = &t;
    q.SQL.Add(QStringLiteral("select trim(RDB$PARAMETER_NAME) from RDB$PROCEDURE_PARAMETERS "
                             "where RDB$PROCEDURE_NAME = '%1' and RDB$PARAMETER_TYPE = 1")
                  .arg(procedimiento));
    t.StartTransaction();
    for (q.Open(); !q.Eof(); q.Next()) r.insert(q.Fields(0).AsString());
    q.Close();
    t.Commit();
    return r;
  };
  const std::set<QString> ficha = salidas("BUSCAR_MLENTILLA");
  const std::set<QString> prueba = salidas("BUSCAR_PRUEBA_LENTILLA");
  ASSERT_FALSE(ficha.empty());
  ASSERT_FALSE(prueba.empty());
  for (int ojo = 0; ojo < 2; ++ojo) {
    for (const auto& campo : kCamposOjoFicha)
      EXPECT_TRUE(ficha.count(Nombre_Campo_Ojo("RES_", ojo, campo))) << campo.columna;
    for (const auto& campo : kCamposOjoPrueba)
      EXPECT_TRUE(prueba.count(Nombre_Campo_Ojo("RES_", ojo, campo))) << campo.columna;
  }
}

}  // namespace
