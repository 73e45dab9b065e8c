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
