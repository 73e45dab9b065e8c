// The rights of a workstation on a shop server: the schema opens every table,
// procedure and generator to the role OPTICA_USUARIO, and a workstation user
// holding it can insert a row into each table (the key triggers take values
// from their generators with the user's rights) and run each procedure, but
// cannot change the schema nor read anything without the role. The last two
// need a server; on the embedded engine they are skipped.

#include <gtest/gtest.h>
#include <ibase.h>

#include <QStringList>

#include "Base_prueba.h"
#include "Ibx_query.h"
#include "Ibx_transaction.h"

namespace {

const QString kRol = QStringLiteral("OPTICA_USUARIO");

QStringList Nombres(TIBDatabase& db, const QString& sql) {
  QStringList r;
  TSentenciaPrueba s(db, sql);
  s.q.Open();
  for (; !s.q.Eof(); s.q.Next()) r << s.q.Fields(0).AsString().trimmed();
  s.t.Commit();
  return r;
}

// The objects of the schema that lack one of the rights the role must have.
// RDB$USER_TYPE 13 is a role; RDB$OBJECT_TYPE 0 a table, 5 a procedure,
// 14 a generator.
QStringList Sin_Permiso(TIBDatabase& db, const QString& objetos, int tipoObjeto, const QString& privilegio) {
  return Nombres(db, QStringLiteral("select trim(o.NOMBRE) from (%1) o where not exists ("
                                    "select 1 from RDB$USER_PRIVILEGES p where p.RDB$USER = '%2' "
                                    "and p.RDB$USER_TYPE = 13 and p.RDB$RELATION_NAME = o.NOMBRE "
                                    "and p.RDB$OBJECT_TYPE = %3 and p.RDB$PRIVILEGE = '%4') order by 1")
                         .arg(objetos, kRol)
                         .arg(tipoObjeto)
                         .arg(privilegio));
}

const QString kTablas = QStringLiteral(
    "select RDB$RELATION_NAME as NOMBRE from RDB$RELATIONS "
    "where coalesce(RDB$SYSTEM_FLAG, 0) = 0 and RDB$VIEW_BLR is null");
const QString kProcedimientos = QStringLiteral(
    "select RDB$PROCEDURE_NAME as NOMBRE from RDB$PROCEDURES where coalesce(RDB$SYSTEM_FLAG, 0) = 0");
const QString kGeneradores = QStringLiteral(
    "select RDB$GENERATOR_NAME as NOMBRE from RDB$GENERATORS where coalesce(RDB$SYSTEM_FLAG, 0) = 0");

class PermisosTest : public ::testing::Test {
 protected:
  TBaseDatosPrueba bd;
  std::unique_ptr<TIBDatabase> db = bd.Conectar();
};

TEST_F(PermisosTest, ElRolAlcanzaCadaTablaProcedimientoYGeneradorDelEsquema) {
  ASSERT_EQ(Consultar_Entero(*db, QStringLiteral("select count(*) from RDB$ROLES where RDB$ROLE_NAME = '%1'").arg(kRol)), 1);
  ASSERT_GT(Nombres(*db, kTablas).size(), 30);
  for (const char* p : {"S", "I", "U", "D"})
    EXPECT_EQ(Sin_Permiso(*db, kTablas, 0, QLatin1String(p)).join(' ').toStdString(), "") << "privilegio " << p;
  ASSERT_GT(Nombres(*db, kProcedimientos).size(), 20);
  EXPECT_EQ(Sin_Permiso(*db, kProcedimientos, 5, QStringLiteral("X")).join(' ').toStdString(), "");
  ASSERT_GT(Nombres(*db, kGeneradores).size(), 30);
  EXPECT_EQ(Sin_Permiso(*db, kGeneradores, 14, QStringLiteral("G")).join(' ').toStdString(), "");
}

// Every table with a key trigger takes a row without its key: the trigger
// draws it from the generator and leaves it in the attachment's context,
// where the ID_ procedures read it. Then every procedure runs with NULL
// inputs (a lookup that finds nothing).
TEST_F(PermisosTest, UnPuestoInsertaEnCadaTablaYLlamaACadaProcedimiento) {
  const QStringList tablas = Nombres(*db, QStringLiteral(
      "select r.RDB$RELATION_NAME from RDB$RELATIONS r where coalesce(r.RDB$SYSTEM_FLAG, 0) = 0 "
      "and exists (select 1 from RDB$TRIGGERS t where t.RDB$RELATION_NAME = r.RDB$RELATION_NAME "
      "and t.RDB$TRIGGER_NAME = trim(r.RDB$RELATION_NAME) || '_BI') order by 1"));
  ASSERT_GT(tablas.size(), 30);
  for (const QString& t : tablas) {
    SCOPED_TRACE(t.toStdString());
    Ejecutar_SQL(*db, QStringLiteral("insert into \"%1\" default values").arg(t));
    EXPECT_GT(Consultar_Entero(*db, QStringLiteral("select cast(coalesce(rdb$get_context('USER_SESSION', "
                                                   "'ID_%1'), 0) as integer) from RDB$DATABASE")
                                        .arg(t.toUpper())),
              0);
  }

  const QStringList procedimientos = Nombres(*db, kProcedimientos + QStringLiteral(" order by 1"));
  for (const QString& p : procedimientos) {
    SCOPED_TRACE(p.toStdString());
    const qint64 entradas = Consultar_Entero(
        *db, QStringLiteral("select count(*) from RDB$PROCEDURE_PARAMETERS where RDB$PROCEDURE_NAME = '%1' "
                            "and RDB$PARAMETER_TYPE = 0")
                 .arg(p));
    QStringList nulos;
    for (qint64 i = 0; i < entradas; ++i) nulos << QStringLiteral("null");
    const QString llamada = entradas ? QStringLiteral("execute procedure %1(%2)").arg(p, nulos.join(", "))
                                     : QStringLiteral("execute procedure %1").arg(p);
    EXPECT_NO_THROW(Ejecutar_SQL(*db, llamada));
  }
}

// What a denied statement says.
QString Error_De(TIBDatabase& db, const QString& sql) {
  try {
    Ejecutar_SQL(db, sql);
  } catch (const EIBError& e) {
    return e.Message();
  }
  return {};
}

TEST_F(PermisosTest, SinElRolUnPuestoNoLeeNiEscribe) {
  const TServidorPrueba* s = Servidor_Prueba();
  if (!s) GTEST_SKIP() << "solo en un servidor";
  TIBDatabase sinRol;
  sinRol.DatabaseName = bd.Nombre();
  sinRol.UserName = s->usuario;
  sinRol.Password = s->clave;
  sinRol.Open();
  EXPECT_EQ(Consultar_Texto(sinRol, "select current_role from RDB$DATABASE").trimmed(), "NONE");
  const QStringList denegadas = {"select count(*) from MLENTILLA", "insert into ACCESO (ID_USUARIO) values (1)",
                                 "update PACIENTE set NOMBRE = 'X'", "delete from DLENTILLA",
                                 "execute procedure ID_MLENTILLA"};
  for (const QString& sql : denegadas)
    EXPECT_TRUE(Error_De(sinRol, sql).contains(QLatin1String("no permission"))) << sql.toStdString();
  // With the role the same user reads and writes.
  EXPECT_EQ(Consultar_Texto(*db, "select current_role from RDB$DATABASE").trimmed(), kRol);
  for (const QString& sql : denegadas) EXPECT_EQ(Error_De(*db, sql).toStdString(), "") << sql.toStdString();
}

TEST_F(PermisosTest, UnPuestoNoCambiaElEsquema) {
  const TServidorPrueba* s = Servidor_Prueba();
  if (!s) GTEST_SKIP() << "solo en un servidor";
  // Straight on the workstation's connection, not through the set-up helper
  // (which hands changes of schema to the owner).
  const auto intentar = [&](const char* sql) {
    TSentenciaPrueba s(*db, sql);
    try {
      s.q.ExecSQL();
      s.t.Commit();
    } catch (const EIBError& e) {
      return e.Message();
    }
    return QString();
  };
  EXPECT_NE(intentar("create table AJENA (X integer)"), "");
  EXPECT_NE(intentar("alter table MLENTILLA add AJENA integer"), "");
  EXPECT_NE(intentar("drop procedure ID_MLENTILLA"), "");
  EXPECT_NE(intentar("grant select on PACIENTE to PUBLIC"), "");
  EXPECT_EQ(Consultar_Entero(*db, "select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = 'AJENA'"), 0);
  EXPECT_EQ(Consultar_Entero(*db, "select count(*) from RDB$RELATION_FIELDS where RDB$FIELD_NAME = 'AJENA'"), 0);
  EXPECT_EQ(Consultar_Entero(*db, "select count(*) from RDB$PROCEDURES where RDB$PROCEDURE_NAME = 'ID_MLENTILLA'"), 1);
}

}  // namespace
