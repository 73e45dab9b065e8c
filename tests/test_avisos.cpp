// The "Avisos" part of the lens module: the expired-prescription guard of
// "Venta" and "Encargo" (driven through the record screen), the lot recall
// and the run-out reminders on a real database, their SMS against the gateway
// simulator.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>

#include "Aviso_caducidad.h"
#include "Pantalla_prueba.h"
#include "Util_fechas.h"

inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }

namespace {

// ------------------------------------------------------------ The guard ---

// Record 11 of patient 7, its expiry date as the test wants it; Venta and
// Encargo start a test sibling that notes each start.
class CaducidadTest : public TPantallaPrueba {
 protected:
  void SetUp() override {
    h.usuario.preguntarCopia = 0;
    h.puesto.carpetaModulos = modulos.path();
    for (const char* m : {"salesmod.so", "ordermod.so"})
      QFile::copy(QStringLiteral(OPTICA_MODULOS_PRUEBA "/hermano_prueba.so"), modulos.filePath(m));
  }
  void Abrir_Con_Caducidad(const QString& caducidad) {
    Ejecutar_SQL(*h.principal, QString("insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, "
                                       "FECHA_CADUCIDAD) values (11, 7, 1, '2025-06-01', %1)")
                                   .arg(caducidad));
    h.ctx.seleccion.idFicha = 11;
    h.ctx.seleccion.ultimaFicha = 1;
    h.ctx.seleccion.tieneFichas = 1;
    Abrir();
  }
  QToolButton* B(const char* nombre) { return W<QToolButton>(nombre); }
  const QString& Anotado() { return h.ctx.seleccion.textos[7]; }

  QTemporaryDir modulos;
};

TEST(CaducidadReglaTest, TheExpiryDayItselfIsStillValid) {
  const double hoy = fechas::Codificar(2026, 12, 5);
  EXPECT_TRUE(avisos::Graduacion_Caducada(fechas::Codificar(2026, 12, 4, 23, 59), hoy));
  EXPECT_FALSE(avisos::Graduacion_Caducada(fechas::Codificar(2026, 12, 5), hoy + 0.75));
  EXPECT_FALSE(avisos::Graduacion_Caducada(fechas::Codificar(2027, 1, 1), hoy));
  EXPECT_FALSE(avisos::Graduacion_Caducada(0, hoy));
  EXPECT_EQ(avisos::Pregunta_Caducidad(fechas::Codificar(2026, 3, 9)),
            "La graduación de esta ficha caducó el 09/03/2026. ¿Desea continuar?");
}

TEST_F(CaducidadTest, AnExpiredRecordAsksAndNoStopsTheSale) {
  Abrir_Con_Caducidad("'2026-11-30'");
  const QStringList antes = h.Filas_Acceso();
  h.mensajes.respuestas = {mb::IDNO};
  B("btnVenta")->click();
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "La graduación de esta ficha caducó el 30/11/2026. ¿Desea continuar?");
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "PREGUNTA");
  EXPECT_EQ(h.mensajes.cajas[0].flags, mb::YESNO | mb::ICONQUESTION);
  EXPECT_TRUE(Anotado().isEmpty());
  EXPECT_FALSE(pantalla->Hermano_Ejecutado());
  EXPECT_EQ(h.Filas_Acceso(), antes);  // no override, no module
}

TEST_F(CaducidadTest, GoingOnWithAnExpiredOrderLogsTheOverrideBeforeTheModule) {
  Abrir_Con_Caducidad("'2026-12-04'");
  const QStringList antes = h.Filas_Acceso();
  h.mensajes.respuestas = {mb::IDYES};
  B("btnEncargo")->click();
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "La graduación de esta ficha caducó el 04/12/2026. ¿Desea continuar?");
  EXPECT_EQ(Anotado(), "[2 0 0]");
  EXPECT_EQ(h.Filas_Acceso(), antes + QStringList({"8000/8", "8000/0"}));

  TSentenciaPrueba s(*h.consulta,
                     "select ID_USUARIO, ID_OPERACION, OPERACION_COD, OPERACION_DET, OPERACION_ENT, OPERACION_FECHA "
                     "from ACCESO where OPERACION_TIP = 8");
  s.q.Open();
  ASSERT_FALSE(s.q.Eof());
  EXPECT_EQ(s.q.Fields(0).AsInteger(), 1);
  EXPECT_EQ(s.q.Fields(1).AsInteger(), 11);
  EXPECT_EQ(s.q.Fields(2).AsString(), "1");
  EXPECT_TRUE(s.q.Fields(3).AsString().startsWith("Se encarga con la graduación caducada el 04/12/2026 de la ficha "
                                                  "de lentillas: 1"))
      << s.q.Fields(3).AsString().toStdString();
  EXPECT_EQ(s.q.Fields(4).AsInteger(), 23);
  EXPECT_EQ(s.q.Fields(5).AsDateTime(), fechas::Codificar(2026, 12, 4));
  s.t.Commit();
}

TEST_F(CaducidadTest, NotExpiredOrWithoutExpiryNothingIsAsked) {
  Abrir_Con_Caducidad("'2026-12-05'");  // expires today: still valid
  B("btnVenta")->click();
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(Anotado(), "[1 0 0]");

  Ejecutar_SQL(*h.principal, "update MLENTILLA set FECHA_CADUCIDAD = null where ID_MLENTILLA = 11");
  pantalla->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  h.ctx.seleccion.textos[7].clear();
  Abrir();
  B("btnEncargo")->click();
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(Anotado(), "[2 0 0]");
  for (const QString& f : h.Filas_Acceso()) EXPECT_FALSE(f.endsWith("/8")) << f.toStdString();
}

}  // namespace
