// TBase against a real embedded database: the channel operations and their
// result codes, commits and rollbacks, and a lock held by another workstation.

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "Base_prueba.h"
#include "Clase_tbase.h"

namespace {

class TBaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    conexionA = bd.Conectar();
    conexionB = bd.Conectar();
    base = std::make_unique<TBase>(nullptr, conexionA.get(), conexionB.get());
  }

  // Adds a lens type through channel 1 and returns its key (through channel 6).
  int Nuevo_Tipo(const QString& codigo, const QString& descripcion) {
    EXPECT_EQ(base->Preparar(1, base->Catalogo()[466]), 0);
    base->Consulta(1).ParamByName("CODIGO").AsString(codigo);
    base->Consulta(1).ParamByName("DESCRIPCION").AsString(descripcion);
    EXPECT_EQ(base->Ejecutar(1), 0);
    base->Cerrar(1);
    base->Preparar(6, "ID_TLENTILLA");
    base->Ejecutar(6);
    const int id = base->Procedimiento(6).ParamByName("ID").AsInteger();
    base->Cerrar(6);
    return id;
  }

  QString Descripcion(int id) {
    return Consultar_Texto(*otra, QString("select DESCRIPCION from TLENTILLA where ID_TLENTILLA = %1").arg(id));
  }

  TBaseDatosPrueba bd;
  std::unique_ptr<TIBDatabase> conexionA, conexionB;
  std::unique_ptr<TIBDatabase> otra = bd.Conectar();  // another workstation
  std::unique_ptr<TBase> base;
};

TEST_F(TBaseTest, SelectEnMinusculasCuentaFilasYQuedaEnLaPrimera) {
  Nuevo_Tipo("A1", "Blanda mensual");
  Nuevo_Tipo("B2", "Rígida");
  Nuevo_Tipo("C3", "Tórica diaria");

  ASSERT_EQ(base->Preparar(1, "select * from TLENTILLA where ID_TLENTILLA <> 0 order by CODIGO"), 0);
  EXPECT_EQ(base->Ejecutar(1), 0);
  EXPECT_EQ(base->Num_Registros, 3);
  TIBQuery& q = base->Consulta(1);
  EXPECT_TRUE(q.Bof());
  EXPECT_FALSE(q.Eof());
  EXPECT_EQ(q.FieldByName("codigo").AsString(), "A1");
  q.Next();
  q.Next();
  EXPECT_EQ(q.FieldByName("DESCRIPCION").AsString(), "Tórica diaria");
  q.Next();
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(base->Cerrar(1), 0);
  EXPECT_FALSE(base->Transaccion(1).InTransaction());
}

TEST_F(TBaseTest, SinContarElNumeroDeRegistrosEsCero) {
  Nuevo_Tipo("A1", "x");
  base->Contar_Registros = false;
  base->Preparar(1, "Select * from TLENTILLA");
  EXPECT_EQ(base->Ejecutar(1), 0);
  EXPECT_EQ(base->Num_Registros, 0);
  base->Cerrar(1);
}

TEST_F(TBaseTest, SelectSinFilasDejaLaConsultaAbiertaHastaCerrar) {
  base->Preparar(0, "Select * from REPOSICION");
  EXPECT_EQ(base->Ejecutar(0), TBase::kSinFilas);
  EXPECT_EQ(base->Ultimo_Resultado(), -21301);
  EXPECT_EQ(base->Num_Registros, 0);
  EXPECT_TRUE(base->Consulta(0).Active());
  // A read runs in the connection's read transaction, never in the channel's.
  EXPECT_EQ(base->Consulta(0).Transaction, &base->ConexionA()->Transaccion_Lectura());
  EXPECT_TRUE(base->ConexionA()->Transaccion_Lectura().InTransaction());
  EXPECT_FALSE(base->Transaccion(0).InTransaction());
  base->Cerrar(0);
  EXPECT_FALSE(base->Consulta(0).Active());
  EXPECT_FALSE(base->Transaccion(0).InTransaction());
}

// The read transaction stays open from one statement to the next, yet each
// read sees what another workstation committed since, and a write alone is
// committed at once while that transaction is open.
TEST_F(TBaseTest, LaTransaccionDeLecturaVeLoQueOtrosConfirmanYNoRetieneEscrituras) {
  const auto contar = [&] {
    TSentencia s(*base, 1, QStringLiteral("select count(*) from TLENTILLA where CODIGO = 'OT'"));
    s.Ejecutar();
    return s.Consulta().Fields(0).AsInteger();
  };
  EXPECT_EQ(contar(), 0);
  ASSERT_TRUE(conexionB->Transaccion_Lectura().InTransaction());
  Ejecutar_SQL(*otra, "insert into TLENTILLA (CODIGO, DESCRIPCION) values ('OT', 'de otro puesto')");
  EXPECT_EQ(contar(), 1);

  const int id = Nuevo_Tipo("MI", "mío");
  EXPECT_EQ(Descripcion(id), "mío");  // the other workstation sees it already
  EXPECT_TRUE(conexionB->Transaccion_Lectura().InTransaction());
  // A read-only transaction refuses writes: a write that ran in it would fail.
  EXPECT_FALSE(base->Transaccion(1).InTransaction());
}

TEST_F(TBaseTest, UpdateSinCoincidenciasDevuelve21305YConfirma) {
  base->Preparar(1, "Update TLENTILLA set DESCRIPCION = :D where ID_TLENTILLA = :ID");
  base->Consulta(1).ParamByName("D").AsString("nada");
  base->Consulta(1).ParamByName("ID").AsInteger(12345);
  EXPECT_EQ(base->Ejecutar(1), -21305);
  EXPECT_EQ(base->Num_Registros, 0);
  EXPECT_FALSE(base->Transaccion(1).InTransaction());
}

TEST_F(TBaseTest, UpdateYDeleteCuentanLasFilasTocadas) {
  const int a = Nuevo_Tipo("A1", "uno");
  Nuevo_Tipo("A2", "dos");
  base->Preparar(1, "UPDATE TLENTILLA set DESCRIPCION = 'cambiada' where CODIGO starting with 'A'");
  EXPECT_EQ(base->Ejecutar(1), 0);
  EXPECT_EQ(base->Num_Registros, 2);
  EXPECT_EQ(Descripcion(a), "cambiada");  // committed: another attachment sees it

  // A table the program deletes from (a workstation never deletes a type).
  Ejecutar_SQL(*otra, "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA) values (50, 7, 1)");
  Ejecutar_SQL(*otra, "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA) values (51, 7, 2)");
  base->Preparar(1, "delete from MLENTILLA where ID_MLENTILLA = :ID");
  base->Consulta(1).ParamByName("id").AsInteger(50);
  EXPECT_EQ(base->Ejecutar(1), 0);
  EXPECT_EQ(base->Num_Registros, 1);
}

TEST_F(TBaseTest, InsertConfirmaAlMomento) {
  base->Preparar(1, base->Catalogo()[466]);
  base->Consulta(1).ParamByName("CODIGO").AsString("Z9");
  base->Consulta(1).ParamByName("DESCRIPCION").AsString("Esclerales");
  EXPECT_EQ(base->Ejecutar(1), 0);
  EXPECT_EQ(base->Num_Registros, 0);
  EXPECT_FALSE(base->Transaccion(1).InTransaction());
  EXPECT_EQ(Consultar_Entero(*otra, "select count(*) from TLENTILLA where DESCRIPCION = 'Esclerales'"), 1);
}

TEST_F(TBaseTest, CanalFueraDeRangoNoTocaNada) {
  base->Preparar(1, "Select * from TLENTILLA");
  EXPECT_EQ(base->Preparar(7, "Select * from TLENTILLA"), TBase::kCanalErroneo);
  EXPECT_EQ(base->Ejecutar(7), -11);
  EXPECT_EQ(base->Cerrar(-1), -11);
  EXPECT_EQ(base->Ultimo_Resultado(), -11);
  EXPECT_EQ(base->Consulta(1).SQL.Text(), "Select * from TLENTILLA");
  EXPECT_FALSE(base->Consulta(1).Active());
}

TEST_F(TBaseTest, SentenciaQueNoEsDeLasCuatroNiUnBloqueNoSeEjecuta) {
  base->Preparar(1,
                 "merge into TLENTILLA t using RDB$DATABASE d on t.CODIGO = 'EB' when not matched then insert "
                 "(CODIGO, DESCRIPCION) values ('EB', 'x')");
  EXPECT_EQ(base->Ejecutar(1), TBase::kSentenciaDesconocida);
  base->Cerrar(1);
  EXPECT_EQ(Consultar_Entero(*otra, "select count(*) from TLENTILLA where CODIGO = 'EB'"), 0);
}

// A block writes its rows alone (committed at once) and gives back what its
// inserts returned; its :NAME past the header are its own variables.
TEST_F(TBaseTest, UnBloqueEscribeYDevuelveSusFilas) {
  base->Preparar(1,
                 "execute block (C varchar(10) = :C, D varchar(10) = :D) returns (N integer) as begin "
                 "insert into TLENTILLA (CODIGO, DESCRIPCION) values (:C, :D) returning ID_TLENTILLA into :N; "
                 "suspend; insert into TLENTILLA (CODIGO, DESCRIPCION) values (:C || '2', :D) returning "
                 "ID_TLENTILLA into :N; suspend; end");
  base->Consulta(1).ParamByName("C").AsString("EB");
  base->Consulta(1).ParamByName("D").AsString("x");
  ASSERT_EQ(base->Ejecutar(1), TBase::kOk);
  TIBQuery& q = base->Consulta(1);
  q.First();
  const int primera = q.Fields(0).AsInteger();
  q.Next();
  const int segunda = q.Fields(0).AsInteger();
  base->Cerrar(1);
  EXPECT_GT(segunda, primera);
  EXPECT_EQ(Consultar_Texto(*otra, QString("select list(CODIGO, ' ') from (select CODIGO from TLENTILLA where "
                                           "ID_TLENTILLA in (%1, %2) order by ID_TLENTILLA)")
                                       .arg(primera)
                                       .arg(segunda)),
            "EB EB2");
}

TEST_F(TBaseTest, RanuraVaciaDevuelve21302) {
  ASSERT_TRUE(base->Catalogo()[282].isEmpty());
  base->Preparar(1, base->Catalogo()[282]);
  EXPECT_EQ(base->Ejecutar(1), TBase::kSentenciaVacia);
}

TEST_F(TBaseTest, EscrituraFallidaDeshaceYDevuelve21306) {
  base->Preparar(1, base->Catalogo()[466]);
  base->Consulta(1).ParamByName("CODIGO").AsString(QString(300, 'x'));  // too long for the column
  base->Consulta(1).ParamByName("DESCRIPCION").AsString("no debe quedar");
  EXPECT_EQ(base->Ejecutar(1), TBase::kErrorEscritura);
  EXPECT_EQ(base->Num_Registros, -1);
  EXPECT_FALSE(base->Transaccion(1).InTransaction());
  EXPECT_EQ(Consultar_Entero(*otra, "select count(*) from TLENTILLA where DESCRIPCION = 'no debe quedar'"), 0);
}

TEST_F(TBaseTest, ErroresDeSelectLleganComoExcepcion) {
  base->Preparar(0, "Select * from NO_EXISTE");
  try {
    base->Ejecutar(0);
    FAIL() << "se esperaba EIBError";
  } catch (const EIBError& e) {
    EXPECT_EQ(e.SQLCode(), -204);
    EXPECT_NE(e.IBErrorCode(), 0);
    EXPECT_TRUE(e.Message().contains("NO_EXISTE")) << e.Message().toStdString();
  }
}

TEST_F(TBaseTest, BloqueoDeOtroPuestoFallaAlMomentoSinCambiarNada) {
  const int id = Nuevo_Tipo("L1", "original");
  const int vecino = Nuevo_Tipo("L2", "vecino");

  // Another workstation changes the row and has not committed yet.
  TIBTransaction t;
  t.DefaultDatabase = otra.get();
  t.Params = QStringList{"read_committed", "rec_version", "nowait"};
  TIBQuery q;
  q.Database = otra.get();
  q.Transaction = &t;
  q.SQL.Add("update TLENTILLA set DESCRIPCION = 'del otro puesto' where ID_TLENTILLA = :ID");
  q.ParamByName("ID").AsInteger(id);
  q.ExecSQL();

  base->Preparar(1, "Update TLENTILLA set DESCRIPCION = :D where ID_TLENTILLA = :ID");
  base->Consulta(1).ParamByName("D").AsString("de este puesto");
  base->Consulta(1).ParamByName("ID").AsInteger(id);
  QElapsedTimer reloj;
  reloj.start();
  EXPECT_EQ(base->Ejecutar(1), TBase::kErrorEscritura);
  EXPECT_LT(reloj.elapsed(), 2000);  // nowait: no waiting for the other workstation
  EXPECT_EQ(base->Num_Registros, -1);
  base->Cerrar(1);

  t.Rollback();
  EXPECT_EQ(Descripcion(id), "original");
  EXPECT_EQ(Descripcion(vecino), "vecino");
}

TEST_F(TBaseTest, ProcedimientoDeBusquedaPorElCanal5) {
  const int id = Nuevo_Tipo("T7", "Tórica");
  ASSERT_EQ(base->Preparar(5, "BUSCAR_TLENTILLA"), 0);
  TIBStoredProc& sp = base->Procedimiento(5);
  sp.ParamByName("ORG_ID_TLENTILLA").AsFloat(id);
  sp.ParamByName("ORG_CODIGO").AsString("-1");
  sp.ParamByName("ORG_DESCRIPCION").AsString("-1");
  EXPECT_EQ(base->Ejecutar(5), 0);
  EXPECT_EQ(base->Num_Registros, 1);
  EXPECT_GT(sp.ParamByName("RES_RESULTADO").AsInteger(), 0);
  EXPECT_EQ(sp.ParamByName("RES_CODIGO").AsString(), "T7");
  EXPECT_EQ(sp.ParamByName("RES_DESCRIPCION").AsString(), "Tórica");
  EXPECT_EQ(base->Procedimiento(5).Transaction, &base->ConexionA()->Transaccion_Lectura());
  EXPECT_EQ(base->Cerrar(5), 0);
  EXPECT_FALSE(base->Transaccion(0).InTransaction());
}

TEST_F(TBaseTest, LosCanalesSinBaseDeDatosNoEjecutan) {
  EXPECT_THROW(base->Preparar(3, "Select * from TLENTILLA"), EIBError);
}

// A statement left by an exception is closed on the way out: its query is
// freed, and the next statement starts on a clean channel.
TEST_F(TBaseTest, SentenciaQueFallaDejaElCanalCerrado) {
  Nuevo_Tipo("S1", "uno");
  for (int canal : {0, 1}) {
    try {
      TSentencia s(*base, canal, QStringLiteral("Select * from TLENTILLA"));
      ASSERT_EQ(s.Ejecutar(), 0);
      s.Campo(QStringLiteral("NO_EXISTE")).AsString();
      FAIL() << "se esperaba EIBError";
    } catch (const EIBError&) {
    }
    EXPECT_FALSE(base->Consulta(canal).Active()) << canal;
    EXPECT_TRUE(base->Consulta(canal).SQL.Text().isEmpty()) << canal;
    EXPECT_FALSE(base->Transaccion(canal).InTransaction()) << canal;
  }
  // The same for a procedure whose parameter is misspelt before it runs.
  EXPECT_THROW(
      {
        TSentencia s(*base, 6, QStringLiteral("BUSCAR_TLENTILLA"));
        s.Parametro(QStringLiteral("ORG_NO_EXISTE")).AsFloat(1);
      },
      EIBError);
  EXPECT_FALSE(base->Transaccion(1).InTransaction());
}

// Closed by hand, a statement leaves the channel to whoever prepares it next.
TEST_F(TBaseTest, SentenciaCerradaNoCierraLaSiguiente) {
  const int id = Nuevo_Tipo("S2", "dos");
  {
    TSentencia s(*base, 1, sql::kTiposLentilla);
    ASSERT_EQ(s.Ejecutar(), 0);
    EXPECT_EQ(s.Campo(QStringLiteral("ID_TLENTILLA")).AsInteger(), id);
    s.Cerrar();
    EXPECT_FALSE(base->Transaccion(1).InTransaction());
    base->Preparar(1, QStringLiteral("Select CODIGO from TLENTILLA where ID_TLENTILLA = %1").arg(id));
  }
  EXPECT_EQ(base->Consulta(1).SQL.Text(), QStringLiteral("Select CODIGO from TLENTILLA where ID_TLENTILLA = %1").arg(id));
  EXPECT_EQ(base->Ejecutar(1), 0);
  EXPECT_EQ(base->Consulta(1).Fields(0).AsString(), QStringLiteral("S2"));
  base->Cerrar(1);
}

// A write through a statement and the key read back through another on the
// procedure channel, as the domain classes insert.
TEST_F(TBaseTest, SentenciaDeEscrituraYSuClave) {
  int id = 0;
  {
    TSentencia s(*base, 1, sql::kInsertarTipoLentilla);
    s.Parametro(QStringLiteral("CODIGO")).AsString(QStringLiteral("S3"));
    s.Parametro(QStringLiteral("DESCRIPCION")).AsString(QStringLiteral("tres"));
    EXPECT_EQ(s.Ejecutar(), 0);
  }
  {
    TSentencia clave(*base, 6, QStringLiteral("ID_TLENTILLA"));
    clave.Ejecutar();
    id = clave.Parametro(QStringLiteral("ID")).AsInteger();
  }
  EXPECT_TRUE(base->Procedimiento(6).StoredProcName().isEmpty());
  EXPECT_EQ(Descripcion(id), "tres");
}

}  // namespace
