// The rights of a workstation on a shop server: the role OPTICA_USUARIO reads
// every table, runs every procedure and writes only where the program does
// (the access log and the SMS log only grow; users, rights and shops are
// read only), takes no value from a generator itself (each key trigger has
// its own), and cannot change the schema nor read anything without the role.
// What is refused needs a server; on the embedded engine it is skipped.

#include <gtest/gtest.h>
#include <ibase.h>

#include <QStringList>
#include <map>

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

// What the program writes, table by table: insert, update, delete (a row
// read "with lock" to be rewritten counts as updated). Every other table is
// only read.
const std::map<QString, QString> kEscrituras = {
    {"MLENTILLA", "IUD"}, {"LOBSERVACIONES", "IUD"}, {"DLENTILLA", "IUD"}, {"PLENTILLA", "IUD"},
    {"PLOBSERVACIONES", "IU"}, {"TLENTILLA", "IU"}, {"REPOSICION", "IUD"}, {"ACCESO", "I"},
    {"AGENDA", "ID"}, {"AGENTE", "I"}, {"DOCTOR", "I"}, {"DOBSERVACIONES", "I"},
    {"ARTICULO", "IU"}, {"ARTOBSERVACIONES", "IU"}, {"AVISO_REPOSICION", "IU"}, {"VENTA", "I"},
    {"DVENTA", "I"}, {"ENCARGO", "I"}, {"DENCARGO", "I"}, {"SMS_MAESTRO", "IU"},
    {"SMS_DETALLE", "IU"}, {"PACIENTE", "U"},
};

TEST_F(PermisosTest, ElRolTieneLoQueHaceElProgramaYNadaMas) {
  ASSERT_EQ(Consultar_Entero(*db, QStringLiteral("select count(*) from RDB$ROLES where RDB$ROLE_NAME = '%1'").arg(kRol)), 1);
  const QStringList tablas = Nombres(*db, kTablas + QStringLiteral(" order by 1"));
  ASSERT_GT(tablas.size(), 30);
  EXPECT_EQ(Sin_Permiso(*db, kTablas, 0, QStringLiteral("S")).join(' ').toStdString(), "");
  for (const QString& t : tablas) {
    const QString esperado = kEscrituras.count(t.toUpper()) ? kEscrituras.at(t.toUpper()) : QString();
    QString tiene;
    for (const char* p : {"I", "U", "D"})
      if (Consultar_Entero(*db, QStringLiteral("select count(*) from RDB$USER_PRIVILEGES where RDB$USER = '%1' and "
                                               "RDB$USER_TYPE = 13 and RDB$RELATION_NAME = '%2' and "
                                               "RDB$OBJECT_TYPE = 0 and RDB$PRIVILEGE = '%3'")
                                    .arg(kRol, t, QLatin1String(p))) > 0)
        tiene += QLatin1String(p);
    EXPECT_EQ(tiene.toStdString(), esperado.toStdString()) << t.toStdString();
  }
  ASSERT_GT(Nombres(*db, kProcedimientos).size(), 20);
  EXPECT_EQ(Sin_Permiso(*db, kProcedimientos, 5, QStringLiteral("X")).join(' ').toStdString(), "");
  // No generator for the role; each key trigger has the one it draws from.
  EXPECT_EQ(Consultar_Entero(*db, QStringLiteral("select count(*) from RDB$USER_PRIVILEGES where RDB$USER = '%1' "
                                                 "and RDB$OBJECT_TYPE = 14")
                                      .arg(kRol)),
            0);
  EXPECT_EQ(Nombres(*db, QStringLiteral(
                             "select t.RDB$TRIGGER_NAME from RDB$TRIGGERS t where coalesce(t.RDB$SYSTEM_FLAG, 0) = 0 "
                             "and t.RDB$TRIGGER_NAME like '%\_BI' escape '\\' and not exists (select 1 from "
                             "RDB$USER_PRIVILEGES p where p.RDB$USER = t.RDB$TRIGGER_NAME and p.RDB$USER_TYPE = 2 "
                             "and p.RDB$OBJECT_TYPE = 14 and p.RDB$PRIVILEGE = 'G')"))
                .join(' ')
                .toStdString(),
            "");
}

// Every table the program adds to takes a row without its key: the trigger
// draws it from its generator and leaves it in the attachment's context,
// where the ID_ procedures read it. Then every procedure runs with NULL
// inputs (a lookup that finds nothing).
TEST_F(PermisosTest, UnPuestoInsertaDondeElProgramaLoHaceYLlamaACadaProcedimiento) {
  int probadas = 0;
  for (const auto& [t, permisos] : kEscrituras) {
    if (!permisos.contains(QLatin1Char('I'))) continue;
    SCOPED_TRACE(t.toStdString());
    Ejecutar_Directo(*db, QStringLiteral("insert into \"%1\" default values").arg(t));
    EXPECT_GT(Consultar_Entero(*db, QStringLiteral("select cast(coalesce(rdb$get_context('USER_SESSION', "
                                                   "'ID_%1'), 0) as integer) from RDB$DATABASE")
                                        .arg(t)),
              0);
    ++probadas;
  }
  EXPECT_GT(probadas, 15);

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
    EXPECT_NO_THROW(Ejecutar_Directo(*db, llamada));
  }
}

// What a denied statement says: straight on the connection, not through the
// set-up helper (which hands what the workstation may not do to the owner).
QString Error_De(TIBDatabase& db, const QString& sql) {
  try {
    Ejecutar_Directo(db, sql);
  } catch (const EIBError& e) {
    return e.Message();
  }
  return {};
}

// What the program never does, the workstation cannot do either: erase or
// change the access log or the SMS log (beyond settling a request with the
// gateway's answer), give itself rights, move a key generator.
TEST_F(PermisosTest, UnPuestoNoBorraElRegistroNiSeDaDerechosNiMueveClaves) {
  if (!Servidor_Prueba()) GTEST_SKIP() << "solo en un servidor";
  Ejecutar_Directo(*db, "insert into ACCESO (ID_USUARIO, OPERACION_TIP) values (1, 0)");
  Ejecutar_SQL(*db, "insert into USUARIO (ID_USUARIO, NOMBRE_USUARIO, PUEDE_MODIFICAR) values (2, 'Ana', 0)");
  const auto dueno = bd.Conectar_Dueno();
  const qint64 clave = Consultar_Entero(*dueno, "select gen_id(GEN_MLENTILLA, 0) from RDB$DATABASE");
  for (const char* sql : {"delete from ACCESO", "update ACCESO set OPERACION_DET = 'x'",
                          "update USUARIO set PUEDE_MODIFICAR = 1", "delete from SMS_MAESTRO",
                          "update SMS_DETALLE set ESTADO = 9", "update SMS_MAESTRO set MENSAJE = 'x'", "update TIENDA set DESCRIPCION = 'x'",
                          "select gen_id(GEN_MLENTILLA, 1000000) from RDB$DATABASE",
                          "select next value for GEN_ACCESO from RDB$DATABASE"}) {
    const QString error = Error_De(*db, QString::fromUtf8(sql));
    EXPECT_TRUE(error.contains(QLatin1String("no permission"))) << sql << ": " << error.toStdString();
  }
  EXPECT_EQ(Consultar_Entero(*db, "select count(*) from ACCESO"), 1);
  EXPECT_EQ(Consultar_Entero(*db, "select PUEDE_MODIFICAR from USUARIO where ID_USUARIO = 2"), 0);
  EXPECT_EQ(Consultar_Entero(*dueno, "select gen_id(GEN_MLENTILLA, 0) from RDB$DATABASE"), clave);
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
  const auto intentar = [&](const char* sql) { return Error_De(*db, QString::fromUtf8(sql)); };
  EXPECT_NE(intentar("create table AJENA (X integer)"), "");
  EXPECT_NE(intentar("alter table MLENTILLA add AJENA integer"), "");
  EXPECT_NE(intentar("drop procedure ID_MLENTILLA"), "");
  EXPECT_NE(intentar("grant select on PACIENTE to PUBLIC"), "");
  EXPECT_EQ(Consultar_Entero(*db, "select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = 'AJENA'"), 0);
  EXPECT_EQ(Consultar_Entero(*db, "select count(*) from RDB$RELATION_FIELDS where RDB$FIELD_NAME = 'AJENA'"), 0);
  EXPECT_EQ(Consultar_Entero(*db, "select count(*) from RDB$PROCEDURES where RDB$PROCEDURE_NAME = 'ID_MLENTILLA'"), 1);
}

}  // namespace
