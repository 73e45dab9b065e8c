// The script runner: splitting, SET TERM, comments and literals, and errors
// that name the line of the failing statement.

#include <gtest/gtest.h>

#include "Base_prueba.h"
#include "Script_sql.h"

namespace {

TEST(DividirScript, TerminadoresComentariosYLiterales) {
  const QString script =
      "-- cabecera; con punto y coma\n"
      "create table A (X varchar(10));\n"
      "/* bloque; */ insert into A values ('a;b -- no es comentario');\n"
      "SET TERM ^ ;\n"
      "create procedure P returns (R integer) as begin R = 1; end^\n"
      "SET TERM ; ^\n"
      "insert into A values ('fin');  -- cola\n";
  const auto s = TScriptSQL::Dividir(script);
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[0].texto, "create table A (X varchar(10))");
  EXPECT_EQ(s[0].linea, 2);
  EXPECT_EQ(s[1].texto, "insert into A values ('a;b -- no es comentario')");
  EXPECT_EQ(s[1].linea, 3);
  EXPECT_EQ(s[2].texto, "create procedure P returns (R integer) as begin R = 1; end");
  EXPECT_EQ(s[2].linea, 5);
  EXPECT_EQ(s[3].texto, "insert into A values ('fin')");
  EXPECT_EQ(s[3].linea, 7);
}

TEST(DividirScript, ElEsquemaSeDivideEnSentenciasCompletas) {
  const auto s = TScriptSQL::Dividir(TScriptSQL::Esquema());
  ASSERT_GT(s.size(), 50u);
  for (const auto& x : s) {
    EXPECT_FALSE(x.texto.startsWith("SET TERM", Qt::CaseInsensitive)) << x.linea;
    EXPECT_FALSE(x.texto.trimmed().isEmpty()) << x.linea;
  }
}

TEST(EjecutarScript, ObjetosNuevosUsablesYErrorConLinea) {
  TBaseDatosPrueba bd;
  auto db = bd.Conectar();
  const int n = TScriptSQL::Ejecutar(*db,
                                     "create table B (X integer);\n"
                                     "insert into B values (1);\n"
                                     "commit;\n"
                                     "insert into B values (2);\n");
  EXPECT_EQ(n, 3);
  EXPECT_EQ(Consultar_Entero(*db, "select sum(X) from B"), 3);
  try {
    TScriptSQL::Ejecutar(*db, "insert into B values (3);\n\ninsert into NO_HAY values (1);\n");
    FAIL();
  } catch (const EIBError& e) {
    EXPECT_TRUE(e.Message().startsWith("Línea 3:")) << e.Message().toStdString();
  }
}

}  // namespace

namespace {

// A database as an earlier version left it: without the test noted on its
// records, the box expiry of the lines (and the lines' procedure that returns
// it) and the pending SMS requests.
TEST(ActualizarEsquema, DaLoQueFaltaYUnaSegundaVezNada) {
  TBaseDatosPrueba bd;
  auto db = bd.Conectar();
  TScriptSQL::Ejecutar(*db, "SET TERM ^ ;\n"
                            "ALTER PROCEDURE BUSCAR_DLENTILLA AS BEGIN END^\n"
                            "SET TERM ; ^\n"
                            "DROP TRIGGER SMS_MAESTRO_AU;\n"
                            "DROP INDEX IX_SMS_MAESTRO_SITUACION;\n"
                            "REVOKE UPDATE (id_mensaje, situacion) ON sms_maestro FROM ROLE OPTICA_USUARIO;\n"
                            "ALTER TABLE sms_maestro DROP clave_envio, DROP situacion, DROP anotado;\n"
                            "DROP INDEX IX_MLENTILLA_PRUEBA;\n"
                            "ALTER TABLE MLENTILLA DROP ID_PRUEBA_ORIGEN;\n"
                            "ALTER TABLE DLENTILLA DROP CADUCIDAD_CAJA;\n");

  EXPECT_EQ(TScriptSQL::Actualizar(*db),
            QStringList({"la prueba de la que sale cada ficha", "la caducidad de la caja de las líneas",
                         "los envíos de SMS pendientes de confirmar"}));
  // What was added works as the program uses it.
  TScriptSQL::Ejecutar(*db, "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, ID_PRUEBA_ORIGEN) "
                            "values (1, 1, 1, 9);\n"
                            "insert into DLENTILLA (ID_DLENTILLA, ID_MLENTILLA, OJO, CADUCIDAD_CAJA) "
                            "values (1, 1, 1, '2027-03-31');\n"
                            "insert into sms_maestro (id_sms_maestro, situacion) values (1, 1);\n"
                            "insert into AVISO_REPOSICION (ID_MLENTILLA, FECHA_REPOSICION, ID_SMS_MAESTRO) "
                            "values (1, '2027-01-01', 1);\n"
                            "update sms_maestro set situacion = 2 where id_sms_maestro = 1;\n");
  EXPECT_EQ(Consultar_Entero(*db, "select count(*) from RDB$PROCEDURE_PARAMETERS where RDB$PROCEDURE_NAME = "
                                  "'BUSCAR_DLENTILLA' and RDB$PARAMETER_NAME = 'RES_CADUCIDAD_CAJA'"),
            1);
  EXPECT_GT(Consultar_Entero(*db, "execute procedure BUSCAR_DLENTILLA(1, -1)"), 0);
  EXPECT_EQ(Consultar_Entero(*db, "select count(*) from AVISO_REPOSICION"), 0);  // the trigger is back
  EXPECT_EQ(Consultar_Entero(*db, "select count(*) from RDB$USER_PRIVILEGES where RDB$USER = 'OPTICA_USUARIO' and "
                                  "RDB$RELATION_NAME = 'SMS_MAESTRO' and RDB$PRIVILEGE = 'U'"),
            2);

  EXPECT_EQ(TScriptSQL::Actualizar(*db), QStringList());
}

}  // namespace
