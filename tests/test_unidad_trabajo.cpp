// Units of work: several writes of TBase objects on one connection committed
// together or not at all, always judged from a second attachment (another
// workstation), which sees only what was committed.

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "Anfitrion_prueba.h"
#include "Clase_tbase.h"
#include "Ibx_query.h"
#include "Unidad_trabajo.h"

namespace {

class UnidadTrabajoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    conexionA = bd.Conectar();
    conexionB = bd.Conectar();
    otra = bd.Conectar();
    tipos = Nueva_Base();
    observaciones = Nueva_Base();
  }
  std::unique_ptr<TBase> Nueva_Base() { return std::make_unique<TBase>(nullptr, conexionA.get(), conexionB.get()); }

  // A lens type through channel 1; the result of the write.
  int Insertar_Tipo(TBase& b, const QString& codigo, const QString& descripcion) {
    b.Preparar(1, b.Catalogo()[466]);
    b.Consulta(1).ParamByName("CODIGO").AsString(codigo);
    b.Consulta(1).ParamByName("DESCRIPCION").AsString(descripcion);
    const int r = b.Ejecutar(1);
    b.Cerrar(1);
    return r;
  }
  // The key the ID_TLENTILLA procedure gives on channel 6.
  int Ultimo_Tipo(TBase& b) {
    b.Preparar(6, "ID_TLENTILLA");
    b.Ejecutar(6);
    const int id = b.Procedimiento(6).ParamByName("ID").AsInteger();
    b.Cerrar(6);
    return id;
  }
  int Escribir_Observaciones(TBase& b, double idFicha, const QString& texto) {
    return b.Grabar_Texto_Unico("LOBSERVACIONES", "ID_MLENTILLA", idFicha, texto);
  }
  qint64 Visibles(const QString& sql) { return Consultar_Entero(*otra, sql); }
  qint64 Tipos_Visibles() { return Visibles("select count(*) from TLENTILLA where ID_TLENTILLA <> 0"); }

  TBaseDatosPrueba bd;
  std::unique_ptr<TIBDatabase> conexionA, conexionB, otra;
  std::unique_ptr<TBase> tipos, observaciones;
};

const QString kCodigoLargo = "CODIGO-DE-MAS-DE-DIEZ";  // TLENTILLA.CODIGO is VARCHAR(10)

TEST_F(UnidadTrabajoTest, UnaEscrituraFallidaDeshaceLasAnterioresDeOtrosObjetos) {
  {
    TUnidadTrabajo unidad(conexionB.get());
    EXPECT_EQ(Insertar_Tipo(*tipos, "A1", "Blanda mensual"), 0);
    EXPECT_EQ(Escribir_Observaciones(*observaciones, 40, "primera"), 0);
    // Nothing is committed statement by statement while the unit is open.
    EXPECT_EQ(Tipos_Visibles(), 0);
    EXPECT_EQ(Visibles("select count(*) from LOBSERVACIONES"), 0);

    EXPECT_EQ(Insertar_Tipo(*tipos, kCodigoLargo, "no cabe"), TBase::kErrorEscritura);
    EXPECT_EQ(tipos->Num_Registros, -1);
    EXPECT_TRUE(unidad.Fallida());
    // The caller gives up: the unit goes unconfirmed.
  }
  EXPECT_EQ(Tipos_Visibles(), 0);
  EXPECT_EQ(Visibles("select count(*) from LOBSERVACIONES"), 0);
  EXPECT_EQ(Consultar_Entero(*conexionB, "select count(*) from TLENTILLA where ID_TLENTILLA <> 0"), 0);

  // The objects write on their own again afterwards.
  EXPECT_EQ(Insertar_Tipo(*tipos, "B2", "después"), 0);
  EXPECT_EQ(Tipos_Visibles(), 1);
}

TEST_F(UnidadTrabajoTest, ConfirmarTrasUnaEscrituraFallidaNoConfirmaNada) {
  TUnidadTrabajo unidad(conexionB.get());
  EXPECT_EQ(Insertar_Tipo(*tipos, "A1", "uno"), 0);
  EXPECT_EQ(Insertar_Tipo(*observaciones, "A2", "dos"), 0);
  EXPECT_EQ(Insertar_Tipo(*tipos, kCodigoLargo, "tres"), TBase::kErrorEscritura);
  EXPECT_FALSE(unidad.Confirmar());  // a caller that overlooked the code
  EXPECT_FALSE(unidad.Confirmar());
  EXPECT_EQ(Tipos_Visibles(), 0);
}

TEST_F(UnidadTrabajoTest, UnaSentenciaErroneaLlegaAlLlamadorYAnulaLaUnidad) {
  TUnidadTrabajo unidad(conexionB.get());
  EXPECT_EQ(Insertar_Tipo(*tipos, "A1", "uno"), 0);
  tipos->Preparar(1, "insert into TLENTILLA (NO_EXISTE) values (1)");
  EXPECT_THROW(tipos->Ejecutar(1), EIBError);
  tipos->Cerrar(1);
  EXPECT_TRUE(unidad.Fallida());
  EXPECT_FALSE(unidad.Confirmar());
  EXPECT_EQ(Tipos_Visibles(), 0);
}

TEST_F(UnidadTrabajoTest, UnaLecturaFallidaNoAnulaLaUnidad) {
  TUnidadTrabajo unidad(conexionB.get());
  EXPECT_EQ(Insertar_Tipo(*tipos, "A1", "uno"), 0);
  observaciones->Preparar(1, "select NO_EXISTE from TLENTILLA");
  EXPECT_THROW(observaciones->Ejecutar(1), EIBError);
  observaciones->Cerrar(1);
  EXPECT_FALSE(unidad.Fallida());
  EXPECT_TRUE(unidad.Confirmar());
  EXPECT_EQ(Tipos_Visibles(), 1);
}

TEST_F(UnidadTrabajoTest, ConfirmadaSeVenTodasLasEscriturasALaVez) {
  TUnidadTrabajo unidad(conexionB.get());
  EXPECT_EQ(Insertar_Tipo(*tipos, "A1", "uno"), 0);
  EXPECT_EQ(Insertar_Tipo(*tipos, "A2", "dos"), 0);
  EXPECT_EQ(Escribir_Observaciones(*observaciones, 40, "nota"), 0);
  // An update of a row written by the unit itself finds it.
  tipos->Preparar(1, "update TLENTILLA set DESCRIPCION = 'uno bis' where CODIGO = 'A1'");
  EXPECT_EQ(tipos->Ejecutar(1), 0);
  EXPECT_EQ(tipos->Num_Registros, 1);
  tipos->Cerrar(1);
  EXPECT_EQ(Tipos_Visibles(), 0);

  EXPECT_TRUE(unidad.Confirmar());
  EXPECT_EQ(Tipos_Visibles(), 2);
  EXPECT_EQ(Consultar_Texto(*otra, "select DESCRIPCION from TLENTILLA where CODIGO = 'A1'"), "uno bis");
  EXPECT_EQ(Visibles("select count(*) from LOBSERVACIONES where ID_MLENTILLA = 40"), 1);
  // Once confirmed, the connection writes statement by statement again,
  // even while the unit object still exists.
  EXPECT_EQ(Insertar_Tipo(*tipos, "A3", "tres"), 0);
  EXPECT_EQ(Tipos_Visibles(), 3);
}

TEST_F(UnidadTrabajoTest, LasLecturasDeLaUnidadVenSusPropiasEscrituras) {
  TUnidadTrabajo unidad(conexionB.get());
  // The count before the observations sees the row the unit inserted: the
  // second save updates it instead of adding another.
  EXPECT_EQ(Escribir_Observaciones(*observaciones, 40, "primera"), 0);
  EXPECT_EQ(Escribir_Observaciones(*tipos, 40, "segunda"), 0);
  EXPECT_EQ(tipos->Lista_Claves(290, "ID_MLENTILLA", 40), QStringList());  // a read on a table not written
  ASSERT_TRUE(unidad.Confirmar());
  EXPECT_EQ(Visibles("select count(*) from LOBSERVACIONES where ID_MLENTILLA = 40"), 1);
  EXPECT_EQ(Consultar_Texto(*otra, "select OBSERVACIONES from LOBSERVACIONES where ID_MLENTILLA = 40"), "segunda");
}

TEST_F(UnidadTrabajoTest, ElProcedimientoIdDevuelveLaClaveDeLaInsercionDeLaUnidad) {
  TUnidadTrabajo unidad(conexionB.get());
  ASSERT_EQ(Insertar_Tipo(*tipos, "A1", "uno"), 0);
  const int primera = Ultimo_Tipo(*tipos);
  // Another workstation inserts meanwhile, and commits.
  Ejecutar_SQL(*otra, "insert into TLENTILLA (CODIGO, DESCRIPCION) values ('OT', 'del otro puesto')");
  ASSERT_EQ(Insertar_Tipo(*observaciones, "A2", "dos"), 0);
  const int segunda = Ultimo_Tipo(*tipos);  // asked by another object of the same connection
  EXPECT_NE(primera, segunda);
  ASSERT_TRUE(unidad.Confirmar());
  EXPECT_EQ(Consultar_Texto(*otra, QString("select CODIGO from TLENTILLA where ID_TLENTILLA = %1").arg(primera)), "A1");
  EXPECT_EQ(Consultar_Texto(*otra, QString("select CODIGO from TLENTILLA where ID_TLENTILLA = %1").arg(segunda)), "A2");
}

TEST_F(UnidadTrabajoTest, FueraDeUnaUnidadCadaEscrituraSeConfirmaAlMomento) {
  EXPECT_EQ(Insertar_Tipo(*tipos, "A1", "uno"), 0);
  EXPECT_EQ(Tipos_Visibles(), 1);
  EXPECT_FALSE(tipos->Transaccion(1).InTransaction());
  EXPECT_EQ(Insertar_Tipo(*tipos, kCodigoLargo, "no cabe"), TBase::kErrorEscritura);
  EXPECT_EQ(Insertar_Tipo(*tipos, "A2", "dos"), 0);
  EXPECT_EQ(Tipos_Visibles(), 2);
}

TEST_F(UnidadTrabajoTest, UnaUnidadEnOtraConexionNoRecogeLasEscrituras) {
  TUnidadTrabajo unidad(conexionA.get());
  EXPECT_EQ(Insertar_Tipo(*tipos, "B1", "por la conexión B"), 0);  // channel 1 is connection B
  EXPECT_EQ(Tipos_Visibles(), 1);
  // Channel 0 is connection A: it joins.
  tipos->Preparar(0, tipos->Catalogo()[466]);
  tipos->Consulta(0).ParamByName("CODIGO").AsString("A1");
  tipos->Consulta(0).ParamByName("DESCRIPCION").AsString("por la conexión A");
  EXPECT_EQ(tipos->Ejecutar(0), 0);
  tipos->Cerrar(0);
  EXPECT_EQ(Tipos_Visibles(), 1);
}

TEST_F(UnidadTrabajoTest, SoloLaUnidadExteriorConfirma) {
  TUnidadTrabajo exterior(conexionB.get());
  {
    TUnidadTrabajo interior(conexionB.get());
    EXPECT_TRUE(interior.Interior());
    EXPECT_EQ(&interior.Transaccion(), &exterior.Transaccion());
    EXPECT_EQ(Insertar_Tipo(*tipos, "A1", "uno"), 0);
    EXPECT_TRUE(interior.Confirmar());
  }
  EXPECT_EQ(Tipos_Visibles(), 0);
  EXPECT_EQ(Insertar_Tipo(*tipos, "A2", "dos"), 0);
  EXPECT_TRUE(exterior.Confirmar());
  EXPECT_EQ(Tipos_Visibles(), 2);
}

TEST_F(UnidadTrabajoTest, UnaUnidadInteriorAbandonadaAnulaLaExterior) {
  {
    TUnidadTrabajo exterior(conexionB.get());
    EXPECT_EQ(Insertar_Tipo(*tipos, "A1", "uno"), 0);
    {
      TUnidadTrabajo interior(conexionB.get());
      EXPECT_EQ(Insertar_Tipo(*tipos, "A2", "dos"), 0);
    }
    EXPECT_TRUE(exterior.Fallida());
    EXPECT_FALSE(exterior.Confirmar());
  }
  EXPECT_EQ(Tipos_Visibles(), 0);
  EXPECT_EQ(TUnidadTrabajo::Abierta(conexionB.get()), nullptr);
}

TEST_F(UnidadTrabajoTest, LaUnidadNoEsperaPorUnBloqueoDeOtroPuesto) {
  ASSERT_EQ(Insertar_Tipo(*tipos, "A1", "original"), 0);
  TCambioAjeno otroPuesto(*otra, "update TLENTILLA set DESCRIPCION = 'del otro puesto' where CODIGO = 'A1'");

  TUnidadTrabajo unidad(conexionB.get());
  EXPECT_EQ(Insertar_Tipo(*tipos, "A2", "nuevo"), 0);
  tipos->Preparar(1, "update TLENTILLA set DESCRIPCION = 'de este puesto' where CODIGO = 'A1'");
  QElapsedTimer reloj;
  reloj.start();
  EXPECT_EQ(tipos->Ejecutar(1), TBase::kErrorEscritura);
  EXPECT_LT(reloj.elapsed(), 2000);  // nowait, as every write transaction
  tipos->Cerrar(1);
  EXPECT_FALSE(unidad.Confirmar());
  otroPuesto.Soltar();
  EXPECT_EQ(Tipos_Visibles(), 1);
  EXPECT_EQ(Consultar_Texto(*otra, "select DESCRIPCION from TLENTILLA where CODIGO = 'A1'"), "original");
}

TEST_F(UnidadTrabajoTest, CerrarLaConexionAbandonaLaUnidadAbierta) {
  TUnidadTrabajo unidad(conexionB.get());
  EXPECT_EQ(Insertar_Tipo(*tipos, "A1", "uno"), 0);
  // The connection detaches instead of leaving the attachment, with the
  // unit's transaction, to the engine's shutdown at the program's exit.
  EXPECT_NO_THROW(conexionB->Close());
  EXPECT_FALSE(conexionB->Connected());
  EXPECT_EQ(TUnidadTrabajo::Abierta(conexionB.get()), nullptr);
  EXPECT_FALSE(unidad.Confirmar());
  EXPECT_EQ(Tipos_Visibles(), 0);
}

// ---- Optional parts ------------------------------------------------------------------------------

// A side write that fails (a log row, a reminder) is undone alone by the
// engine, and the unit goes on to commit the rest.
TEST_F(UnidadTrabajoTest, UnaParteOpcionalFallidaSeDeshaceSolaYLaUnidadSigue) {
  TUnidadTrabajo unidad(conexionB.get());
  ASSERT_EQ(Insertar_Tipo(*tipos, "A1", "uno"), 0);
  {
    TParteOpcional parte(conexionB.get());
    EXPECT_EQ(Insertar_Tipo(*observaciones, kCodigoLargo, "no cabe"), TBase::kErrorEscritura);
    EXPECT_FALSE(parte.Terminar());
    ASSERT_NE(parte.Causa(), nullptr);
  }
  EXPECT_FALSE(unidad.Fallida());
  EXPECT_EQ(unidad.Causa(), nullptr);
  EXPECT_EQ(Insertar_Tipo(*tipos, "A2", "dos"), 0);
  ASSERT_TRUE(unidad.Confirmar());
  EXPECT_EQ(Visibles("select count(*) from TLENTILLA where CODIGO starting 'A'"), 2);
}

// A part that went well commits with its unit, and no part saves a unit that
// had already failed.
TEST_F(UnidadTrabajoTest, UnaParteOpcionalSeConfirmaConSuUnidadYNoSalvaUnaFallida) {
  {
    TUnidadTrabajo unidad(conexionB.get());
    TParteOpcional parte(conexionB.get());
    EXPECT_EQ(Insertar_Tipo(*observaciones, "B1", "de la parte"), 0);
    EXPECT_TRUE(parte.Terminar());
    EXPECT_EQ(Tipos_Visibles(), 0);
    ASSERT_TRUE(unidad.Confirmar());
  }
  EXPECT_EQ(Tipos_Visibles(), 1);
  {
    TUnidadTrabajo unidad(conexionB.get());
    EXPECT_EQ(Insertar_Tipo(*tipos, kCodigoLargo, "no cabe"), TBase::kErrorEscritura);
    TParteOpcional parte(conexionB.get());
    EXPECT_EQ(Insertar_Tipo(*observaciones, "B2", "de la parte"), 0);
    EXPECT_TRUE(parte.Terminar());
    EXPECT_FALSE(unidad.Confirmar());
  }
  EXPECT_EQ(Tipos_Visibles(), 1);
}

}  // namespace
