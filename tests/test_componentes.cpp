// The Firebird component set: parameter translation, transaction parameter
// lines, typed values in and out of a real database, the buffered dataset and
// stored procedures found by name.

#include <gtest/gtest.h>

#include <ibase.h>

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

#include "Base_prueba.h"
#include "Ibx_query.h"
#include "Ibx_sql.h"
#include "Ibx_storedproc.h"
#include "Ibx_transaction.h"
#include "Util_fechas.h"

namespace {

TEST(TraducirParametros, NombresRepetidosYSinDistinguirMayusculas) {
  const TSqlTraducida t =
      Traducir_Parametros("select * from T where A = :Id or B = :ID or C = :nombre and D = :id");
  EXPECT_EQ(t.texto, "select * from T where A = ? or B = ? or C = ? and D = ?");
  EXPECT_EQ(t.nombres, QStringList({"Id", "nombre"}));
  EXPECT_EQ(t.posiciones, (std::vector<int>{0, 0, 1, 0}));
}

TEST(TraducirParametros, DosPuntosEnLiteralesComentariosEIdentificadoresSeRespetan) {
  const TSqlTraducida t = Traducir_Parametros(
      "select '12:30 :NO', \"COL:X\" from T -- :COMENTARIO\n where /* :TAMPOCO */ H = :HORA and S = 'it''s :x'");
  EXPECT_EQ(t.texto,
            "select '12:30 :NO', \"COL:X\" from T -- :COMENTARIO\n where /* :TAMPOCO */ H = ? and S = 'it''s :x'");
  EXPECT_EQ(t.nombres, QStringList({"HORA"}));
}

TEST(TraducirParametros, SinParametrosYDosPuntosSueltos) {
  EXPECT_EQ(Traducir_Parametros("select 1 from RDB$DATABASE").nombres.size(), 0);
  const TSqlTraducida t = Traducir_Parametros("select a : b, :_x1$ from T");
  EXPECT_EQ(t.texto, "select a : b, ? from T");
  EXPECT_EQ(t.nombres, QStringList({"_x1$"}));
}

TEST(TraducirParametros, EnUnBloqueSoloLaCabeceraTieneParametros) {
  const TSqlTraducida t = Traducir_Parametros(
      "EXECUTE BLOCK (A VARCHAR(10) = :A, B TYPE OF COLUMN T.B = :B) RETURNS (N INTEGER) AS BEGIN "
      "INSERT INTO T (A, B) VALUES (:A, :B) RETURNING ID INTO :N; SUSPEND; END");
  EXPECT_EQ(t.texto, "EXECUTE BLOCK (A VARCHAR(10) = ?, B TYPE OF COLUMN T.B = ?) RETURNS (N INTEGER) AS BEGIN "
                     "INSERT INTO T (A, B) VALUES (:A, :B) RETURNING ID INTO :N; SUSPEND; END");
  EXPECT_EQ(t.nombres, QStringList({"A", "B"}));
}

TEST(EntradasBloque, CadaParametroUnaVezConSuTipoYSuSufijo) {
  const struct {
    const char* sentencia;
    const char* sufijo;
    QStringList comunes;
    QStringList entradas;
    const char* renombrada;
  } casos[] = {
      {"insert into T (A, B) values (:A, :b)", "", {}, {"A TYPE OF COLUMN T.A = :A", "b TYPE OF COLUMN T.b = :b"},
       "insert into T (A, B) values (:A, :b)"},
      // Each line of a block its own inputs; the shared key is the block's.
      {"insert into T (K, AB, A) values (:K, :AB, :A) -- :NO", "_1", {"k"},
       {"AB_1 TYPE OF COLUMN T.AB = :AB_1", "A_1 TYPE OF COLUMN T.A = :A_1"},
       "insert into T (K, AB, A) values (:K, :AB_1, :A_1) -- :NO"},
      {"update T set A = :A where A = :a or C = ':A'", "_0", {}, {"A_0 TYPE OF COLUMN T.A = :A_0"},
       "update T set A = :A_0 where A = :A_0 or C = ':A'"},
  };
  for (const auto& c : casos) {
    QString sentencia = c.sentencia;
    EXPECT_EQ(Entradas_Bloque(sentencia, "T", c.sufijo, c.comunes), c.entradas) << c.sentencia;
    EXPECT_EQ(sentencia, c.renombrada) << c.sentencia;
  }
}

TEST(ParametrosTransaccion, LineasConocidasYDesconocidas) {
  const std::string tpb = TIBTransaction::Bloque_Parametros({"read_committed", "rec_version", "nowait"});
  EXPECT_EQ(tpb, std::string({char(isc_tpb_version3), char(isc_tpb_read_committed), char(isc_tpb_rec_version),
                              char(isc_tpb_nowait)}));
  EXPECT_NO_THROW(TIBTransaction::Bloque_Parametros(
      {"concurrency", "wait", "lock_timeout=5", "read", "write", "isc_tpb_consistency", " NOWAIT "}));
  for (const char* malo : {"read_comitted", "nowait=3", "lock_timeout=", "lock_timeout=x"}) {
    try {
      TIBTransaction::Bloque_Parametros({"read_committed", malo});
      ADD_FAILURE() << malo;
    } catch (const EIBError& e) {
      EXPECT_EQ(e.IBErrorCode(), isc_bad_tpb_form) << malo;
    }
  }
}

class ComponentesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db = bd.Conectar();
    Ejecutar_SQL(*db,
                 "create table PRUEBA (ID integer, REAL_ double precision, TEXTO varchar(40), "
                 "FIJO char(5), FECHA timestamp, DIA date, NUM numeric(15,2), CORTO smallint, MEMO blob sub_type text)");
    tra.DefaultDatabase = db.get();
    tra.Params = QStringList{"read_committed", "rec_version", "nowait"};
    q.Database = db.get();
    q.Transaction = &tra;
  }

  void Insertar(int id, double real, const QString& texto, double fecha) {
    q.SQL.Clear();
    q.SQL.Add("insert into PRUEBA (ID, REAL_, TEXTO, FECHA) values (:ID, :REAL_, :TEXTO, :FECHA)");
    q.ParamByName("ID").AsInteger(id);
    q.ParamByName("REAL_").AsFloat(real);
    q.ParamByName("TEXTO").AsString(texto);
    q.ParamByName("FECHA").AsDateTime(fecha);
    q.ExecSQL();
  }

  TBaseDatosPrueba bd;
  std::unique_ptr<TIBDatabase> db;
  TIBTransaction tra;
  TIBQuery q;
};

TEST_F(ComponentesTest, CadaTipoVuelveIgualDeLaBaseDeDatos) {
  const double fecha = fechas::Codificar(2026, 12, 5, 17, 45, 30, 250);
  const QString memo = QString("Línea uno\r\nPeña, €, ñ\n") + QString(70000, QChar(u'á'));
  q.SQL.Add(
      "insert into PRUEBA (ID, REAL_, TEXTO, FIJO, FECHA, DIA, NUM, CORTO, MEMO) "
      "values (:ID, :REAL_, :TEXTO, :FIJO, :FECHA, :DIA, :NUM, :CORTO, :MEMO)");
  q.ParamByName("ID").AsInteger(-7);
  q.ParamByName("REAL_").AsFloat(-65.75);
  q.ParamByName("TEXTO").AsString("Óptica Núñez «ojo»");
  q.ParamByName("FIJO").AsString("ab");
  q.ParamByName("FECHA").AsDateTime(fecha);
  q.ParamByName("DIA").AsDateTime(fechas::Codificar(1899, 12, 30));
  q.ParamByName("NUM").AsFloat(1234.565);
  q.ParamByName("CORTO").AsInteger(400);
  q.ParamByName("MEMO").AsMemo(memo);
  q.ExecSQL();
  EXPECT_EQ(q.RowsAffected(), 1);
  tra.Commit();

  q.SQL.Clear();
  q.SQL.Add("select * from PRUEBA");
  q.Open();
  ASSERT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.FieldByName("ID").AsInteger(), -7);
  EXPECT_EQ(q.FieldByName("REAL_").AsFloat(), -65.75);
  EXPECT_EQ(q.FieldByName("REAL_").AsString(), "-65,75");
  EXPECT_EQ(q.FieldByName("TEXTO").AsString(), "Óptica Núñez «ojo»");
  EXPECT_EQ(q.FieldByName("FIJO").AsString(), "ab");  // CHAR padding removed
  EXPECT_EQ(q.FieldByName("FECHA").AsDateTime(), fecha);
  EXPECT_EQ(q.FieldByName("FECHA").AsString(), "05/12/2026 17:45:30");
  EXPECT_EQ(q.FieldByName("DIA").AsDateTime(), 0.0);
  EXPECT_DOUBLE_EQ(q.FieldByName("NUM").AsFloat(), 1234.57);
  EXPECT_EQ(q.FieldByName("CORTO").AsInteger(), 400);
  EXPECT_EQ(q.FieldByName("MEMO").AsString(), memo);
  q.Close();
  tra.Commit();
}

// A text for a blob travels as a string up to the longest one a message
// holds, and is written as a blob from the client beyond it: both read back
// the same, whatever the characters.
TEST_F(ComponentesTest, TextoDeUnBlobVuelveIgualAAmbosLadosDelLimiteDeUnaCadena) {
  const QString casi = QString(32763, QChar('x')) + QChar(u'ñ');  // 32765 bytes in UTF-8
  const QStringList textos{"", "Peña\r\nojo €", casi, casi + "y", casi + QChar(u'é')};
  q.SQL.Add("insert into PRUEBA (ID, MEMO) values (:ID, :MEMO)");
  for (int i = 0; i < textos.size(); ++i) {
    q.ParamByName("ID").AsInteger(i);
    q.ParamByName("MEMO").AsMemo(textos[i]);
    q.ExecSQL();
  }
  tra.Commit();
  q.SQL.Clear();
  q.SQL.Add("select ID, MEMO, MEMO is null NULO from PRUEBA order by ID");
  q.Open();
  ASSERT_EQ(q.RecordCount(), textos.size());
  for (int i = 0; i < textos.size(); ++i, q.Next()) {
    EXPECT_EQ(q.FieldByName("MEMO").AsString(), textos[i]) << i;
    EXPECT_EQ(q.FieldByName("NULO").AsInteger(), 0) << i;
  }
  q.Close();
  tra.Commit();
}

TEST_F(ComponentesTest, NuloSeLeeComoCeroOTextoVacio) {
  q.SQL.Add("insert into PRUEBA (ID, TEXTO, FECHA, MEMO) values (:ID, :TEXTO, :FECHA, :MEMO)");
  q.ParamByName("ID").AsInteger(5).Clear();
  q.ParamByName("TEXTO").Clear();
  q.ParamByName("FECHA").Clear();
  q.ParamByName("MEMO").Clear();
  q.ExecSQL();
  q.SQL.Clear();
  q.SQL.Add("select ID, TEXTO, FECHA, MEMO, REAL_ from PRUEBA");
  q.Open();
  for (int i = 0; i < q.FieldCount(); ++i) {
    EXPECT_TRUE(q.Fields(i).IsNull()) << i;
    EXPECT_EQ(q.Fields(i).AsString(), "");
    EXPECT_EQ(q.Fields(i).AsFloat(), 0);
  }
  tra.Rollback();
}

TEST_F(ComponentesTest, ElMotorConvierteAlTipoDeclarado) {
  // An integer into a DOUBLE, a double into an INTEGER (rounded by Firebird),
  // a text into a TIMESTAMP: the value is sent with its own type.
  q.SQL.Add("insert into PRUEBA (ID, REAL_, FECHA, TEXTO) values (:ID, :REAL_, :FECHA, :TEXTO)");
  q.ParamByName("ID").AsFloat(15.9);
  q.ParamByName("REAL_").AsInteger(3);
  q.ParamByName("FECHA").AsString("2026-01-31 10:00:00");
  q.ParamByName("TEXTO").AsInteger(42);
  q.ExecSQL();
  q.SQL.Clear();
  q.SQL.Add("select ID, REAL_, FECHA, TEXTO from PRUEBA");
  q.Open();
  EXPECT_EQ(q.FieldByName("ID").AsInteger(), 16);
  EXPECT_EQ(q.FieldByName("REAL_").AsFloat(), 3.0);
  EXPECT_EQ(q.FieldByName("FECHA").AsDateTime(), fechas::Codificar(2026, 1, 31, 10));
  EXPECT_EQ(q.FieldByName("TEXTO").AsString(), "42");
  tra.Rollback();
}

TEST_F(ComponentesTest, TextoDemasiadoLargoEsErrorDeFirebird) {
  q.SQL.Add("insert into PRUEBA (TEXTO) values (:TEXTO)");
  q.ParamByName("TEXTO").AsString(QString(41, 'x'));
  try {
    q.ExecSQL();
    FAIL();
  } catch (const EIBError& e) {
    EXPECT_TRUE(e.Contiene(isc_string_truncation) || e.Contiene(isc_arith_except)) << e.Message().toStdString();
  }
  tra.Rollback();
}

TEST_F(ComponentesTest, ParametroRepetidoYNombreDesconocido) {
  Insertar(1, 1, "uno", 0);
  Insertar(2, 2, "dos", 0);
  q.SQL.Clear();
  q.SQL.Add("select count(*) from PRUEBA where ID = :X or REAL_ = :x + 1");
  q.ParamByName("X").AsInteger(1);
  q.Open();
  EXPECT_EQ(q.Fields(0).AsInteger(), 2);
  try {
    q.ParamByName("Y");
    FAIL();
  } catch (const EIBError& e) {
    EXPECT_EQ(e.IBErrorCode(), 0);
  }
  EXPECT_THROW(q.FieldByName("NO_HAY"), EIBError);
  tra.Rollback();
}

TEST_F(ComponentesTest, NavegacionDelConjuntoEnMemoria) {
  for (int i = 1; i <= 3; ++i) Insertar(i, i, QString::number(i), 0);
  q.SQL.Clear();
  q.SQL.Add("select ID from PRUEBA order by ID");
  q.Open();
  EXPECT_EQ(q.RecordCount(), 3);
  EXPECT_TRUE(q.Bof());
  EXPECT_FALSE(q.Eof());
  std::vector<int> vistos;
  while (!q.Eof()) {
    vistos.push_back(q.FieldByName("ID").AsInteger());
    q.Next();
  }
  EXPECT_EQ(vistos, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(q.FieldByName("ID").AsInteger(), 3);  // Next past the end stays on the last row
  q.Prior();
  EXPECT_EQ(q.FieldByName("ID").AsInteger(), 2);
  EXPECT_FALSE(q.Eof());
  q.First();
  q.Prior();
  EXPECT_TRUE(q.Bof());
  EXPECT_EQ(q.FieldByName("ID").AsInteger(), 1);
  q.Last();
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(q.FieldByName("ID").AsInteger(), 3);

  q.SQL.Clear();
  q.SQL.Add("select ID from PRUEBA where ID > 10");
  q.Open();
  EXPECT_TRUE(q.Bof() && q.Eof());
  EXPECT_EQ(q.RecordCount(), 0);
  EXPECT_TRUE(q.FieldByName("ID").IsNull());
  tra.Rollback();
}

TEST_F(ComponentesTest, FilasAfectadasDeUpdateYDelete) {
  for (int i = 1; i <= 4; ++i) Insertar(i, i, "x", 0);
  q.SQL.Clear();
  q.SQL.Add("update PRUEBA set TEXTO = 'y' where ID > :DESDE");
  q.ParamByName("DESDE").AsInteger(1);
  q.ExecSQL();
  EXPECT_EQ(q.RowsAffected(), 3);
  q.SQL.Clear();
  q.SQL.Add("delete from PRUEBA where ID = 99");
  q.ExecSQL();
  EXPECT_EQ(q.RowsAffected(), 0);
  tra.Rollback();
}

TEST_F(ComponentesTest, InsertConReturningDaUnaFila) {
  q.SQL.Add("insert into PRUEBA (ID, TEXTO) values (:ID, 'r') returning ID, TEXTO");
  q.ParamByName("ID").AsInteger(31);
  q.Open();
  ASSERT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.FieldByName("ID").AsInteger(), 31);
  EXPECT_EQ(q.FieldByName("TEXTO").AsString(), "r");
  q.SQL.Clear();
  q.SQL.Add("insert into PRUEBA (ID) values (32) returning ID");
  q.ExecSQL();
  EXPECT_EQ(Consultar_Entero(*db, "select count(*) from PRUEBA"), 0);  // not committed yet
  tra.Commit();
  EXPECT_EQ(Consultar_Entero(*db, "select count(*) from PRUEBA"), 2);
}

TEST_F(ComponentesTest, LaTransaccionSinConfirmarSeDeshaceAlDestruirse) {
  {
    TIBTransaction t;
    t.DefaultDatabase = db.get();
    TIBQuery q2;
    q2.Database = db.get();
    q2.Transaction = &t;
    q2.SQL.Add("insert into PRUEBA (ID) values (77)");
    q2.ExecSQL();
  }
  EXPECT_EQ(Consultar_Entero(*db, "select count(*) from PRUEBA"), 0);
}

TEST_F(ComponentesTest, ProcedimientoConParametrosLeidosDeLaBaseDeDatos) {
  Ejecutar_SQL(*db,
               "create procedure SUMAR (ORG_A integer, ORG_TEXTO varchar(20)) returns (RES_SUMA integer, "
               "RES_TEXTO varchar(30), RES_NULO integer) as begin RES_SUMA = coalesce(ORG_A, -100) + 1; "
               "RES_TEXTO = 'eco ' || coalesce(ORG_TEXTO, '(nulo)'); end");
  TIBStoredProc sp;
  sp.Transaction = &tra;
  sp.SetStoredProcName("sumar");
  EXPECT_EQ(sp.ParamCount(), 5);
  sp.ParamByName("org_a").AsInteger(41);
  sp.ParamByName("ORG_TEXTO").AsString("ñandú");
  sp.ExecProc();
  EXPECT_EQ(sp.ParamByName("RES_SUMA").AsInteger(), 42);
  EXPECT_EQ(sp.ParamByName("RES_TEXTO").AsString(), "eco ñandú");
  EXPECT_TRUE(sp.ParamByName("RES_NULO").IsNull());
  EXPECT_EQ(sp.RecordCount(), 1);

  // Inputs left unset go as NULL.
  sp.Unprepare();
  sp.SetStoredProcName("");
  sp.SetStoredProcName("SUMAR");
  sp.ExecProc();
  EXPECT_EQ(sp.ParamByName("RES_SUMA").AsInteger(), -99);
  EXPECT_EQ(sp.ParamByName("RES_TEXTO").AsString(), "eco (nulo)");
  EXPECT_THROW(sp.ParamByName("ORG_B"), EIBError);
  tra.Commit();

  TIBStoredProc inexistente;
  inexistente.Transaction = &tra;
  inexistente.SetStoredProcName("NO_EXISTE");
  EXPECT_THROW(inexistente.ExecProc(), EIBError);
  tra.Rollback();
}

// Each text is described once per connection. A table changed after that must
// never be misread: at worst one execution fails, and the next one sees the
// table as it is now.
TEST_F(ComponentesTest, TablaCambiadaTrasDescribirLaSentenciaNoSeLeeMal) {
  Insertar(1, 2.5, "uno", 0);
  tra.Commit();
  const auto leer = [&](const char* campo) {
    q.SQL.Clear();
    q.SQL.Add("select * from PRUEBA where ID = :ID");
    q.ParamByName("ID").AsInteger(1);
    int fallos = 0;
    try {
      q.Open();
    } catch (const EIBError&) {
      ++fallos;
      if (tra.InTransaction()) tra.Rollback();
      q.ParamByName("ID").AsInteger(1);
      q.Open();
    }
    EXPECT_LE(fallos, 1);
    const QString v = q.FieldByName(campo).AsString();
    q.Close();
    tra.Commit();
    return v;
  };
  EXPECT_EQ(leer("TEXTO"), "uno");

  // A new column in front of the others.
  Ejecutar_SQL(*db, "alter table PRUEBA add NUEVA varchar(10)");
  Ejecutar_SQL(*db, "alter table PRUEBA alter NUEVA position 1");
  Ejecutar_SQL(*db, "update PRUEBA set NUEVA = 'nueva'");
  EXPECT_EQ(leer("NUEVA"), "nueva");
  EXPECT_EQ(leer("TEXTO"), "uno");

  // A column dropped and one of the same name back with another type.
  Ejecutar_SQL(*db, "alter table PRUEBA drop REAL_");
  Ejecutar_SQL(*db, "alter table PRUEBA add REAL_ varchar(20)");
  Ejecutar_SQL(*db, "update PRUEBA set REAL_ = 'texto'");
  EXPECT_EQ(leer("REAL_"), "texto");

  // A procedure given another output.
  Ejecutar_SQL(*db, "create procedure ECO (ORG_A integer) returns (RES_A integer) as begin RES_A = ORG_A; end");
  TIBStoredProc sp;
  sp.Transaction = &tra;
  sp.SetStoredProcName("ECO");
  sp.ParamByName("ORG_A").AsInteger(5);
  sp.ExecProc();
  EXPECT_EQ(sp.ParamByName("RES_A").AsInteger(), 5);
  tra.Commit();
  sp.Unprepare();
  Ejecutar_SQL(*db, "alter procedure ECO (ORG_A integer) returns (RES_A varchar(10)) as begin RES_A = 'x' || ORG_A; end");
  int fallos = 0;
  try {
    sp.ExecProc();
  } catch (const EIBError&) {
    ++fallos;
    tra.Rollback();
    sp.Unprepare();
    sp.ExecProc();
  }
  EXPECT_LE(fallos, 1);
  EXPECT_EQ(sp.ParamByName("RES_A").AsString(), "x5");
  tra.Commit();
}

// What the engine says when a database cannot be opened, told in Spanish:
// real failures of the engine, then the rest by their codes.
QString Al_Abrir(const QString& nombre) {
  TIBDatabase db;
  db.DatabaseName = nombre;
  try {
    db.Open();
  } catch (const EIBError& e) {
    EXPECT_FALSE(db.Connected());
    return e.Texto_Conexion();
  }
  ADD_FAILURE() << "se abrió " << nombre.toStdString();
  return {};
}

TEST(Conexion, LosFallosAlAbrirSeDicenEnEspanol) {
  EXPECT_TRUE(Al_Abrir("/nonexistent/folder/nothing.fdb").startsWith("No existe la base de datos."));
  QTemporaryDir dir;
  QFile basura(dir.filePath("no-es-una-base.fdb"));
  ASSERT_TRUE(basura.open(QIODevice::WriteOnly));
  basura.write(QByteArray(16384, 'x'));
  basura.close();
  EXPECT_TRUE(Al_Abrir(basura.fileName()).startsWith("El fichero no es una base de datos")) << Al_Abrir(basura.fileName()).toStdString();
  EXPECT_TRUE(Al_Abrir("127.0.0.1/1:/x.fdb").startsWith("No se puede llegar al servidor"));

  const struct {
    std::vector<long> codigos;
    int sistema;
    const char* empieza;
  } casos[] = {
      {{isc_io_error, isc_io_open_err}, EACCES, "El programa no tiene permiso"},
      {{isc_io_error, isc_io_write_err}, ENOSPC, "El disco de la base de datos está lleno"},
      {{isc_login}, 0, "El servidor no acepta el usuario o la contraseña"},
      {{isc_shutdown}, 0, "La base de datos está cerrada por mantenimiento"},
      {{isc_lock_timeout}, 0, "La base de datos está ocupada por otro puesto"},
      {{isc_wrong_ods}, 0, "El fichero no es una base de datos"},
      {{isc_io_error}, EIO, ""},  // a fault of the disk: only the engine knows
      {{isc_dsql_error}, 0, ""},
  };
  for (const auto& c : casos) {
    const EIBError e(c.codigos.front(), 0, "engine text", c.codigos, c.sistema);
    if (*c.empieza)
      EXPECT_TRUE(e.Texto_Conexion().startsWith(QString::fromUtf8(c.empieza))) << c.empieza;
    else
      EXPECT_TRUE(e.Texto_Conexion().isEmpty()) << e.Texto_Conexion().toStdString();
  }
}

}  // namespace
