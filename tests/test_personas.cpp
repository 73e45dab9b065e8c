// Patients, towns, provinces, the doctors' observations and the shop, against
// a real database.

#include <gtest/gtest.h>

#include "Anfitrion_prueba.h"
#include "Clase_tbddobservaciones.h"
#include "Clase_tpaciente.h"
#include "Clase_ttienda.h"
#include "Util_fechas.h"

namespace {

class PersonasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Ejecutar_SQL(*h.principal, "insert into PROVINCIA (ID_PROVINCIA, CODIGO, DESCRIPCION) values (28, 28, 'Madrid')");
    Ejecutar_SQL(*h.principal,
                 "insert into LOCALIDAD (ID_LOCALIDAD, ID_PROVINCIA, CODIGO_POSTAL, DESCRIPCION) values "
                 "(5, 28, 28130, 'Valdeolmos')");
    Ejecutar_SQL(*h.principal,
                 "insert into LOCALIDAD (ID_LOCALIDAD, ID_PROVINCIA, CODIGO_POSTAL, DESCRIPCION) values "
                 "(6, 28, 28130, 'Alalpardo')");
    Ejecutar_SQL(*h.principal,
                 "update PACIENTE set DIRECCION = 'C/ Mayor, 3', ID_LOCALIDAD = 5, TELEFONO = '918000000', "
                 "TELEFONO_MOVIL = '600111222', EMAIL = 'marta@example.es', SEXO = 2, TIENDA = 1, "
                 "FECHA_NACIMIENTO = '1980-05-20', TOTAL_COMPRADO_M1 = 10.5 where ID_PACIENTE = 7");
  }

  TAnfitrionPrueba h;
};

TEST_F(PersonasTest, BuscarPacienteCargaDatosLocalidadEInformacion) {
  TPaciente p(&h.aplicacion, h.secundaria.get(), h.principal.get());
  p.ID(7);
  ASSERT_EQ(p.Buscar(0), 0);
  EXPECT_EQ(p.CODIGO(), 1007);
  EXPECT_EQ(p.NOMBRE_COMPLETO(), "Marta Álvarez Gil");
  EXPECT_EQ(p.SEXO(), 2);
  EXPECT_EQ(p.TOTAL_COMPRADO_M1(), 10.5);
  EXPECT_EQ(p.Localidad().DESCRIPCION(), "Valdeolmos");
  EXPECT_EQ(p.Localidad().Provincia().DESCRIPCION(), "Madrid");
  EXPECT_EQ(p.Texto_Informacion(),
            "DATOS DEL PACIENTE\n---------------------------\nNOMBRE: Marta Álvarez Gil\nDIRECCIÓN: C/ Mayor, 3\n"
            "C. POSTAL: 28130\nLOCALIDAD: Valdeolmos\nPROVINCIA: Madrid\n\nTELEFONO: 918000000\n"
            "T. MOVIL: 600111222\nE-MAIL: marta@example.es");
  // No observations row: key 0 and an empty text.
  EXPECT_EQ(p.ID_OBSERVACIONES(), 0);
  EXPECT_EQ(p.Observaciones(), QStringList({""}));
}

TEST_F(PersonasTest, ObservacionesDelPaciente) {
  Ejecutar_SQL(*h.principal,
               "insert into POBSERVACIONES (ID_POBSERVACIONES, ID_PACIENTE, OBSERVACIONES) values "
               "(3, 7, 'Ojo seco.' || ascii_char(10) || 'Usa lágrimas artificiales.')");
  TPaciente p(&h.aplicacion, h.secundaria.get(), h.principal.get());
  p.ID(7);
  ASSERT_EQ(p.Buscar(0), 0);
  EXPECT_EQ(p.ID_OBSERVACIONES(), 3);
  EXPECT_EQ(p.Observaciones(), QStringList({"Ojo seco.", "Usa lágrimas artificiales."}));
}

TEST_F(PersonasTest, PacienteQueNoExiste) {
  TPaciente p(&h.aplicacion, h.secundaria.get(), h.principal.get());
  p.ID(99);
  EXPECT_EQ(p.Buscar(0), -5);
  EXPECT_EQ(p.ID(), -1);
  EXPECT_EQ(p.CODIGO(), -1);
  EXPECT_EQ(p.APELLIDOS(), "");
  Ejecutar_SQL(*h.principal, "update PACIENTE set BORRADO = 1 where ID_PACIENTE = 7");
  p.ID(7);
  EXPECT_EQ(p.Buscar(0), -5);  // active patients only
  p.ID(7);
  EXPECT_EQ(p.Buscar(2), 0);   // any
}

TEST_F(PersonasTest, EdadPorDiasEntre365Con25) {
  TPaciente p(&h.aplicacion, h.secundaria.get(), h.principal.get());
  const QDate hoy = QDate::currentDate();
  p.FECHA_NACIMIENTO(fechas::Desde_QDate(hoy.addYears(-30).addDays(1)));
  p.Calcular_Edad();
  EXPECT_EQ(p.EDAD(), 29);  // the birthday is tomorrow
  p.FECHA_NACIMIENTO(fechas::Desde_QDate(hoy.addYears(-30).addDays(-1)));
  p.Calcular_Edad();
  EXPECT_EQ(p.EDAD(), 30);
  // days / 365,25 lags a calendar count when few leap days have passed.
  p.FECHA_NACIMIENTO(fechas::Hoy() - 365);
  p.Calcular_Edad();
  EXPECT_EQ(p.EDAD(), 0);
  p.FECHA_NACIMIENTO(0);
  p.Calcular_Edad();
  EXPECT_EQ(p.EDAD(), 0);
}

TEST_F(PersonasTest, TextoDelSexo) {
  EXPECT_EQ(TPaciente::Texto_Sexo(1), "Hombre");
  EXPECT_EQ(TPaciente::Texto_Sexo(2), "Mujer");
  EXPECT_EQ(TPaciente::Texto_Sexo(0), "");
  EXPECT_EQ(TPaciente::Texto_Sexo(3), "");
}

TEST_F(PersonasTest, UltimaVisita) {
  TPaciente p(&h.aplicacion, h.secundaria.get(), h.principal.get());
  EXPECT_EQ(p.Fijar_Ultima_Visita(7, fechas::Codificar(2026, 12, 5)), 0);
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select FECHA_ULTIMA_VISITA from PACIENTE where ID_PACIENTE = 7"),
            "05/12/2026");
  EXPECT_EQ(p.Fijar_Ultima_Visita(99, fechas::Codificar(2026, 12, 5)), -302);
}

TEST_F(PersonasTest, LocalidadesYProvincias) {
  TLocalidad l(&h.aplicacion, h.secundaria.get(), h.principal.get());
  ASSERT_EQ(l.Buscar(3, 28130), 0);  // two towns share the code: the first row read
  EXPECT_EQ(l.Lista().size(), 2u);
  EXPECT_EQ(l.ID_LOCALIDAD(), l.Lista().front().id);
  EXPECT_EQ(l.DESCRIPCION(), l.Lista().front().descripcion);
  EXPECT_EQ(l.Provincia().DESCRIPCION(), "Madrid");
  const int id = l.ID_LOCALIDAD();
  EXPECT_EQ(l.Buscar(0, 12345), -5);  // nothing found: the town stays as it was
  EXPECT_EQ(l.ID_LOCALIDAD(), id);
  EXPECT_EQ(l.Buscar(7, 5), -5);      // unknown mode runs nothing
  ASSERT_EQ(l.Buscar(1, 28), 0);
  EXPECT_EQ(l.Lista().size(), 2u);
  l.Limpiar();
  EXPECT_EQ(l.ID_LOCALIDAD(), -1);
  EXPECT_EQ(l.CODIGO_POSTAL(), 0);
  EXPECT_EQ(l.Provincia().ID_PROVINCIA(), -1);
}

TEST_F(PersonasTest, ObservacionesDeDoctores) {
  TBDDObservaciones o(&h.aplicacion, h.secundaria.get(), h.principal.get());
  o.Id_Doctor(4);
  o.Observaciones("Adaptador de lentes rígidas");
  ASSERT_EQ(o.Insertar(), 0);
  const int id = o.Id_DObservaciones();
  EXPECT_GT(id, 0);
  TBDDObservaciones leida(&h.aplicacion, h.secundaria.get(), h.principal.get());
  EXPECT_EQ(leida.Buscar(1, 4), 1);
  EXPECT_EQ(leida.Id_DObservaciones(), id);
  EXPECT_EQ(leida.Observaciones(), "Adaptador de lentes rígidas");
}

TEST_F(PersonasTest, Tienda) {
  Ejecutar_SQL(*h.principal,
               "insert into TIENDA (ID_TIENDA, CODIGO, DESCRIPCION, DIRECCION, ID_LOCALIDAD) values "
               "(1, 10, 'Óptica Miravel - Centro', 'C/ Mayor, 1', 6)");
  TTienda t(&h.aplicacion, h.secundaria.get(), h.principal.get());
  t.ID_TIENDA(1);
  ASSERT_EQ(t.Buscar(), 0);
  EXPECT_EQ(t.DESCRIPCION(), "Óptica Miravel - Centro");
  EXPECT_EQ(t.Localidad().DESCRIPCION(), "Alalpardo");
  t.ID_TIENDA(2);
  EXPECT_EQ(t.Buscar(), -5);
  EXPECT_EQ(t.DESCRIPCION(), "");
  EXPECT_EQ(t.Localidad().ID_LOCALIDAD(), -1);
}

}  // namespace
