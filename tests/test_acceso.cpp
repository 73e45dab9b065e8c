// The access log: what each kind of row holds, the user-name lookup, the
// validation codes, and failures that never reach the user.

#include <gtest/gtest.h>

#include <cmath>

#include "Anfitrion_prueba.h"
#include "Ibx_query.h"
#include "Util_fechas.h"

namespace {

struct TFilaAcceso {
  int usuario, opcion, operacion, tienda, tipo, entidad;
  QString nombreUsuario, nombreOpcion, codigo, detalle;
  double importe, sistema, programa, fecha;
};

class AccesoTest : public ::testing::Test {
 protected:
  std::vector<TFilaAcceso> Filas() {
    std::vector<TFilaAcceso> r;
    TIBTransaction t;
    t.DefaultDatabase = h.consulta.get();
    TIBQuery q;
    q.Database = h.consulta.get();
    q.Transaction = &t;
    q.SQL.Add("select * from ACCESO order by ID_ACCESO");
    q.Open();
    for (; !q.Eof(); q.Next())
      r.push_back({q.FieldByName("ID_USUARIO").AsInteger(), q.FieldByName("ID_OPCION").AsInteger(),
                   q.FieldByName("ID_OPERACION").AsInteger(), q.FieldByName("ID_TIENDA").AsInteger(),
                   q.FieldByName("OPERACION_TIP").AsInteger(), q.FieldByName("OPERACION_ENT").AsInteger(),
                   q.FieldByName("USUARIO_NOM").AsString(), q.FieldByName("OPCION_NOM").AsString(),
                   q.FieldByName("OPERACION_COD").AsString(), q.FieldByName("OPERACION_DET").AsString(),
                   q.FieldByName("OPERACION_IMP").AsFloat(), q.FieldByName("FECHA_SISTEMA").AsDateTime(),
                   q.FieldByName("FECHA_PROGRAMA").AsDateTime(), q.FieldByName("OPERACION_FECHA").AsDateTime()});
    t.Commit();
    return r;
  }

  TAnfitrionPrueba h;
};

TEST_F(AccesoTest, EntradaYSalidaDelModulo) {
  const double antes = fechas::Ahora();
  EXPECT_EQ(h.acceso->Registrar_Entrada_Salida(h.ctx, 0), 0);
  EXPECT_EQ(h.acceso->Registrar_Entrada_Salida(h.ctx, 1), 0);
  const auto f = Filas();
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].tipo, 0);
  EXPECT_EQ(f[1].tipo, 1);
  for (const auto& x : f) {
    EXPECT_EQ(x.usuario, 1);
    EXPECT_EQ(x.nombreUsuario, "Carmen Ruiz");
    EXPECT_EQ(x.opcion, 8002);
    EXPECT_EQ(x.nombreOpcion, "Mantenimiento de lentillas");
    EXPECT_EQ(x.operacion, -1);
    EXPECT_EQ(x.tienda, 1);
    EXPECT_EQ(x.entidad, 0);
    EXPECT_EQ(x.codigo, "");
    EXPECT_EQ(x.detalle, "");
    EXPECT_EQ(x.importe, 0);
    EXPECT_EQ(x.fecha, 0);
    EXPECT_GE(x.sistema, antes - 1e-6);
    // The working date with the current time of day.
    EXPECT_EQ(std::trunc(x.programa), fechas::Codificar(2026, 12, 5));
    EXPECT_NEAR(x.programa - std::trunc(x.programa), antes - std::trunc(antes), 1.0 / 24 / 60);
  }
}

TEST_F(AccesoTest, UsuarioTruncadoYDesconocido) {
  h.usuario.idUsuario = 15.9;
  EXPECT_EQ(h.acceso->Registrar_Entrada_Salida(h.ctx, 0), 0);
  h.usuario.idUsuario = 2.99;
  EXPECT_EQ(h.acceso->Registrar_Entrada_Salida(h.ctx, 0), 0);
  const auto f = Filas();
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].usuario, 15);
  EXPECT_EQ(f[0].nombreUsuario, "Desconocido");
  EXPECT_EQ(f[1].usuario, 2);
  EXPECT_EQ(f[1].nombreUsuario, "Javier Gómez");

  // The name is read once per user, but a user not found is looked for again.
  Ejecutar_SQL(*h.principal, "insert into USUARIO (ID_USUARIO, NOMBRE_USUARIO, PUEDE_MODIFICAR) values (15, 'Nuevo', 0)");
  for (double u : {15.0, 1.0, 2.0}) {
    h.usuario.idUsuario = u;
    EXPECT_EQ(h.acceso->Registrar_Entrada_Salida(h.ctx, 0), 0);
  }
  const auto g = Filas();
  ASSERT_EQ(g.size(), 5u);
  EXPECT_EQ(g[2].nombreUsuario, "Nuevo");
  EXPECT_EQ(g[3].nombreUsuario, "Carmen Ruiz");
  EXPECT_EQ(g[4].nombreUsuario, "Javier Gómez");
}

TEST_F(AccesoTest, OperacionesSobreUnaFicha) {
  const double fechaFicha = fechas::Codificar(2026, 3, 1);
  const char* detalles[] = {"Se consulta la ficha de lentillas: 3 - Marta Álvarez Gil",
                            "Se crea la ficha de lentillas: 3 - Marta Álvarez Gil",
                            "Se modifica la ficha de lentillas: 3 - Marta Álvarez Gil",
                            "Se borra la ficha de lentillas: 3 - Marta Álvarez Gil",
                            "Se imprime la ficha de lentillas: 3 - Marta Álvarez Gil"};
  for (int tipo = 3; tipo <= 7; ++tipo) EXPECT_EQ(h.acceso->Registrar_Ficha(h.ctx, tipo, 41.7, 3, fechaFicha), 0);
  const auto f = Filas();
  ASSERT_EQ(f.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(f[i].tipo, i + 3);
    EXPECT_EQ(f[i].detalle, QString::fromUtf8(detalles[i]));
    EXPECT_EQ(f[i].operacion, 41);
    EXPECT_EQ(f[i].codigo, "3");
    EXPECT_EQ(f[i].entidad, 23);
    EXPECT_EQ(f[i].opcion, 8002);
    EXPECT_EQ(f[i].programa, fechas::Codificar(2026, 12, 5));
    EXPECT_EQ(f[i].fecha, fechaFicha);
  }
}

TEST_F(AccesoTest, ArranqueDeOtrosModulosYOpcionDesconocida) {
  EXPECT_EQ(h.acceso->Registrar_Modulo(h.ctx, 2004), 0);
  EXPECT_EQ(h.acceso->Registrar_Modulo(h.ctx, 8000), 0);
  EXPECT_EQ(h.acceso->Registrar_Modulo(h.ctx, 3202), 0);
  EXPECT_EQ(h.acceso->Registrar_Modulo(h.ctx, 1234), -24704);
  EXPECT_EQ(TBDAcceso::Nombre_Opcion(1234), "");
  const auto f = Filas();
  ASSERT_EQ(f.size(), 3u);
  EXPECT_EQ(f[0].nombreOpcion, "Venta directa");
  EXPECT_EQ(f[1].nombreOpcion, "Mantenimiento de encargos");
  EXPECT_EQ(f[2].nombreOpcion, "Artículos");
  for (const auto& x : f) EXPECT_EQ(x.tipo, 0);
}

TEST_F(AccesoTest, CadaComprobacionFallidaNoEscribeNada) {
  const struct {
    void (*estropear)(TBDAcceso&);
    int codigo;
  } casos[] = {
      {[](TBDAcceso& a) { a.Id_Opcion = -1; }, -24700},
      {[](TBDAcceso& a) { a.Id_Usuario = -1; }, -24701},
      {[](TBDAcceso& a) { a.Tipo_Operacion = 12; }, -24703},
      {[](TBDAcceso& a) { a.Tipo_Operacion = -1; }, -24703},
      {[](TBDAcceso& a) { a.Nombre_Usuario.clear(); }, -24705},
      {[](TBDAcceso& a) { a.Nombre_Opcion_Texto.clear(); }, -24704},
      {[](TBDAcceso& a) { a.Fecha_Sistema = 0; }, -24707},
      {[](TBDAcceso& a) { a.Fecha_Programa = -3; }, -24708},
  };
  for (const auto& c : casos) {
    TBDAcceso& a = *h.acceso;
    a.Id_Opcion = 8002;
    a.Id_Usuario = 1;
    a.Tipo_Operacion = 11;
    a.Nombre_Usuario = "Carmen Ruiz";
    a.Nombre_Opcion_Texto = "Mantenimiento de lentillas";
    a.Fecha_Sistema = a.Fecha_Programa = fechas::Ahora();
    ASSERT_EQ(a.Validar(), 0);
    c.estropear(a);
    EXPECT_EQ(a.Insertar(), c.codigo);
  }
  EXPECT_TRUE(Filas().empty());
}

TEST_F(AccesoTest, LosErroresDeLaBaseDeDatosNoSalen) {
  h.principal->Close();  // the log writes through the main connection
  EXPECT_EQ(h.acceso->Registrar_Entrada_Salida(h.ctx, 0), -1);
  h.secundaria->Close();  // and reads user names through the second one
  EXPECT_NO_THROW(h.acceso->Registrar_Ficha(h.ctx, 3, 1, 1, 0));
  EXPECT_TRUE(Filas().empty());
}

}  // namespace
