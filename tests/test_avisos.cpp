// The "Avisos" part of the lens module: the expired-prescription guard of
// "Venta" and "Encargo" (driven through the record screen), the lot recall
// and the run-out reminders on a real database, their SMS against the gateway
// simulator.

#include <gtest/gtest.h>

#include <QFile>
#include <chrono>
#include <thread>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>

#include "Aviso_caducidad.h"
#include "Clase_tavisoreposicion.h"
#include "Clase_tretiradalote.h"
#include "Clase_tseguridad.h"
#include "Clase_tsms.h"
#include "Frm_avisos.h"
#include "Frm_hoja_retirada.h"
#include "Pantalla_prueba.h"
#include "Pdf_prueba.h"
#include "Simulador_sms.h"
#include "Util_fechas.h"
#include "Ventana_modal.h"

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
  EXPECT_TRUE(
      s.q.Fields(3).AsString().startsWith("Se encarga con la graduación caducada el 04/12/2026 de la ficha "
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

// ------------------------------------------------- Recall and reminders ---

// The test host's database with a few more patients, and SMS settings of the
// test's own that point at a gateway simulator (account demo/demo).
class AvisosBaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ajustes.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ajustes.path());
    TSeguridad seg;
    seg.Modo(TSeguridad::kModoSMS);
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Miravel", "3.0");
    s.setValue("SMS/Proveedor", 0);
    s.setValue("SMS/Servidor", "127.0.0.1");
    s.setValue("SMS/Puerto", sim.Puerto());
    s.setValue("SMS/Proxy/PARAM_1", false);
    for (int i = 2; i <= 4; ++i) s.setValue(QString("SMS/Proxy/PARAM_%1").arg(i), seg.Cifrar(""));
    s.setValue("SMS/Proxy/PARAM_5", 0);
    s.setValue("SMS/P1/PARAM_1", seg.Cifrar("demo"));
    s.setValue("SMS/P1/PARAM_2", seg.Cifrar("demo"));
    for (int i = 3; i <= 5; ++i) s.setValue(QString("SMS/P1/PARAM_%1").arg(i), seg.Cifrar(""));
    s.sync();
    Sql("update PACIENTE set TELEFONO = '910000007', TELEFONO_MOVIL = '600000007' where ID_PACIENTE = 7");
    Paciente(8, "Beatriz", "Campos Díaz", "", "611000008");
    Paciente(9, "Carlos", "Durán", "920000009", "");  // no mobile
    Paciente(10, "Diego", "Esteban", "", "622000010");
    Paciente(11, "Elena", "Fraile", "", "633000011");
  }
  void Sql(const QString& sql) { Ejecutar_SQL(*h.principal, sql); }
  void Paciente(int id, const QString& nombre, const QString& apellidos, const QString& fijo, const QString& movil) {
    Sql(QString("insert into PACIENTE (ID_PACIENTE, CODIGO, NOMBRE, APELLIDOS, TELEFONO, TELEFONO_MOVIL) "
                "values (%1, %2, '%3', '%4', '%5', '%6')")
            .arg(id)
            .arg(1000 + id)
            .arg(nombre, apellidos, fijo, movil));
  }
  // A record and its lens line per eye ("" leaves that eye without one).
  void Ficha(int id, int paciente, int numero, const QString& fecha, const QString& reposicion, const QString& loteOD,
             const QString& loteOI, const QString& referencia = "AC-OAS-6") {
    Sql(QString("insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, FECHA_REPOSICION) "
                "values (%1, %2, %3, '%4', %5)")
            .arg(id)
            .arg(paciente)
            .arg(numero)
            .arg(fecha, reposicion.isEmpty() ? "null" : "'" + reposicion + "'"));
    int ojo = 1;
    for (const QString& lote : {loteOD, loteOI}) {
      if (!lote.isEmpty())
        Sql(QString("insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, LOTE) "
                    "values (%1, %2, '%3', 'Acuvue Oasys', '%4')")
                .arg(id)
                .arg(ojo)
                .arg(referencia, lote));
      ++ojo;
    }
  }
  void Prueba(int id, int paciente, int numero, const QString& fecha, const QString& loteOD, const QString& loteOI) {
    Sql(QString("insert into PLENTILLA (ID_PRUEBA_LENTILLAS, ID_PACIENTE, NUMERO_FICHA, FECHA, OD_REFERENCIA_ART, "
                "OD_DESCRIPCION_ART, OD_LOTE, OI_REFERENCIA_ART, OI_DESCRIPCION_ART, OI_LOTE) values "
                "(%1, %2, %3, '%4', 'BIOTOR', 'Biofinity Toric', '%5', 'BIOTOR', 'Biofinity Toric', '%6')")
            .arg(id)
            .arg(paciente)
            .arg(numero)
            .arg(fecha, loteOD, loteOI));
  }
  std::unique_ptr<TSMS> Nuevo_Sms() {
    return std::make_unique<TSMS>(nullptr, h.secundaria.get(), h.principal.get(), OPTICA_SEMAPI);
  }
  QStringList Telefonos_Enviados() {
    QStringList t;
    for (const QJsonObject& m : sim.Mensajes()) t << m.value("phone").toString();
    return t;
  }
  qint64 Contar(const QString& sql) { return Consultar_Entero(*h.consulta, sql); }

  QTemporaryDir ajustes;
  TSimuladorSms sim;
  TAnfitrionPrueba h;
};

// Each row as "patient/origin/number/eye/lot".
QStringList Resumen(const std::vector<st_retirada_lote>& filas) {
  QStringList r;
  for (const auto& f : filas)
    r << QString("%1/%2/%3/%4/%5")
             .arg(f.idPaciente)
             .arg(TRetiradaLote::Nombre_Origen(f.origen))
             .arg(f.numero)
             .arg(TRetiradaLote::Nombre_Ojo(f.ojo), f.lote);
  return r;
}

class RetiradaTest : public AvisosBaseTest {
 protected:
  void SetUp() override {
    AvisosBaseTest::SetUp();
    Ficha(21, 7, 1, "2025-03-10", "", "L123", "L123");  // both eyes
    Ficha(22, 7, 2, "2026-02-01", "", "X9", "X9");
    Ficha(23, 10, 1, "2026-05-20", "", "L123", "", "BIOTOR");
    Prueba(31, 8, 1, "2025-09-15", "L123", "K77");
    Prueba(32, 9, 1, "2026-01-05", "Q1", "AL1234");
  }
  std::vector<st_retirada_lote> Buscar(const st_criterio_lote& c, int esperado = 0) {
    TRetiradaLote r(&h.aplicacion, h.secundaria.get(), h.principal.get());
    EXPECT_EQ(r.Buscar(c), esperado);
    return r.Filas();
  }
};

TEST_F(RetiradaTest, AWholeLotInLensLinesAndTrialLensesOnePerEye) {
  const auto filas = Buscar({"L123"});
  EXPECT_EQ(Resumen(filas),
            (QStringList{"7/Ficha/1/OD/L123", "7/Ficha/1/OI/L123", "8/Prueba/1/OD/L123", "10/Ficha/1/OD/L123"}));
  ASSERT_EQ(filas.size(), 4u);
  EXPECT_EQ(filas[0].paciente, "Álvarez Gil, Marta");
  EXPECT_EQ(filas[0].telefono, "600000007");  // the mobile first
  EXPECT_EQ(filas[0].fecha, fechas::Codificar(2025, 3, 10));
  EXPECT_EQ(filas[0].descripcion, "Acuvue Oasys");
  EXPECT_EQ(filas[2].referencia, "BIOTOR");
  EXPECT_EQ(filas[2].descripcion, "Biofinity Toric");
  EXPECT_EQ(filas[2].fecha, fechas::Codificar(2025, 9, 15));
  // Spaces around what was typed do not count; the lot itself must match.
  EXPECT_EQ(Buscar({"  L123 "}).size(), 4u);
  EXPECT_TRUE(Buscar({"L12"}).empty());
}

TEST_F(RetiradaTest, PartOfALotAnywhereAndInAnyCase) {
  st_criterio_lote c{"l12"};
  c.parte = true;
  EXPECT_EQ(Resumen(Buscar(c)), (QStringList{"7/Ficha/1/OD/L123", "7/Ficha/1/OI/L123", "8/Prueba/1/OD/L123",
                                             "9/Prueba/1/OI/AL1234", "10/Ficha/1/OD/L123"}));
}

TEST_F(RetiradaTest, ALotNobodyReceivedAndNoLotAtAll) {
  EXPECT_TRUE(Buscar({"ZZ-000"}).empty());
  st_criterio_lote parte{"ZZ"};
  parte.parte = true;
  EXPECT_TRUE(Buscar(parte).empty());
  EXPECT_TRUE(Buscar({"   "}, TRetiradaLote::kSinLote).empty());
}

TEST_F(RetiradaTest, TheArticleAndTheDatesNarrowTheSearch) {
  st_criterio_lote c{"L123"};
  c.referencia = "BIOTOR";
  EXPECT_EQ(Resumen(Buscar(c)), (QStringList{"8/Prueba/1/OD/L123", "10/Ficha/1/OD/L123"}));
  c.referencia.clear();
  c.desde = fechas::Codificar(2025, 9, 15);  // both days count whole
  c.hasta = fechas::Codificar(2026, 5, 20);
  EXPECT_EQ(Resumen(Buscar(c)), (QStringList{"8/Prueba/1/OD/L123", "10/Ficha/1/OD/L123"}));
  c.hasta = fechas::Codificar(2026, 5, 19);
  EXPECT_EQ(Resumen(Buscar(c)), (QStringList{"8/Prueba/1/OD/L123"}));
}

TEST_F(RetiradaTest, TheCsvHasAHeaderALinePerRowAndQuotesWhereNeeded) {
  Sql("update PACIENTE set NOMBRE = 'Beatriz \"Bea\"; hija' where ID_PACIENTE = 8");
  const QString csv = TRetiradaLote::Csv(Buscar({"L123"}));
  const QStringList lineas = csv.split("\r\n");
  ASSERT_EQ(lineas.size(), 6);  // header, four rows, and the empty text after the last CR LF
  EXPECT_EQ(lineas[0], "Paciente;Teléfono;Origen;Número;Fecha;Ojo;Referencia;Artículo;Lote");
  EXPECT_EQ(lineas[1], "Álvarez Gil, Marta;600000007;Ficha;1;10/03/2025;OD;AC-OAS-6;Acuvue Oasys;L123");
  EXPECT_EQ(lineas[3],
            "\"Campos Díaz, Beatriz \"\"Bea\"\"; hija\";611000008;Prueba;1;15/09/2025;OD;BIOTOR;"
            "Biofinity Toric;L123");
  EXPECT_TRUE(lineas[5].isEmpty());

  // A cell a spreadsheet would run as a formula is written as text.
  Sql("update PACIENTE set APELLIDOS = '=HYPERLINK(\"http://x\")', NOMBRE = '' where ID_PACIENTE = 7");
  Sql("update DLENTILLA set DESCRIPCION = '@SUM(A1)' where LOTE = 'L123'");
  const QStringList neutras = TRetiradaLote::Csv(Buscar({"L123"})).split("\r\n");
  EXPECT_TRUE(neutras[1].startsWith("\"'=HYPERLINK(\"\"http://x\"\")\";600000007;")) << neutras[1].toStdString();
  EXPECT_TRUE(neutras[1].endsWith(";'@SUM(A1);L123")) << neutras[1].toStdString();
}

TEST_F(RetiradaTest, OneSmsToEveryRecipientOnceEachAndLogged) {
  // Patient 9 has no mobile: the request leaves that phone out.
  st_criterio_lote c{"L123"};
  auto filas = Buscar(c);
  const auto otros = Buscar({"AL1234"});
  filas.insert(filas.end(), otros.begin(), otros.end());
  auto sms = Nuevo_Sms();
  ASSERT_EQ(TRetiradaLote::Enviar_SMS(*sms, filas, "Optica", "Retirada del lote L123: pase por la tienda"), 0);
  EXPECT_EQ(Telefonos_Enviados(), (QStringList{"600000007", "611000008", "622000010"}));
  EXPECT_EQ(sms->Omitidos(), 1);
  for (const QJsonObject& m : sim.Mensajes())
    EXPECT_EQ(m.value("text").toString(), "Retirada del lote L123: pase por la tienda");
  EXPECT_EQ(Contar("select count(*) from sms_maestro"), 1);
  EXPECT_EQ(Contar(QString("select count(*) from sms_detalle where id_sms_maestro = %1").arg(sms->Id_Registro())), 3);
}

// A search by part of a lot finds several: each line says which one the
// patient has.
TEST_F(RetiradaTest, TheSheetShowsTheSearchAndEveryLineWithItsLotCaptionsOnEachPage) {
  st_criterio_lote c{"l12"};
  c.parte = true;
  c.desde = fechas::Codificar(2025, 1, 1);
  auto filas = Buscar(c);
  ASSERT_EQ(filas.size(), 5u);
  // Enough lines to run over a second page.
  for (int i = 0; i < 80; ++i) filas.push_back(filas[i % 5]);
  filas.back().paciente = "Última Línea";
  QTemporaryDir dir;
  const QString pdf = dir.filePath("retirada.pdf");
  TfrmHojaRetirada hoja(c, filas);
  ASSERT_TRUE(hoja.Imprimir_Pdf(pdf));

  const QString p1 = Texto_Pdf(pdf, 1), p2 = Texto_Pdf(pdf, 2);
  EXPECT_TRUE(p1.contains("Retirada de Lote"));
  EXPECT_TRUE(p1.contains("Lote: l12 (parte)"));
  EXPECT_TRUE(p1.contains("Desde: 01/01/2025"));
  EXPECT_TRUE(p1.contains("Pacientes (85 líneas)"));
  EXPECT_TRUE(p1.contains(QRegularExpression("Álvarez Gil, Marta +600000007 +Ficha +1 +10/03/2025 +OI +L123 +"
                                             "AC-OAS-6 Acuvue Oasys")))
      << p1.toStdString();
  EXPECT_TRUE(p1.contains(QRegularExpression("Durán, Carlos +920000009 +Prueba +1 +05/01/2026 +OI +AL1234 +BIOTOR")));
  EXPECT_TRUE(p2.contains(QRegularExpression("Paciente +Teléfono +Origen +Nº +Fecha +Ojo +Lote +Artículo")));
  EXPECT_TRUE(p2.contains("Última Línea"));
  EXPECT_FALSE(p1.contains("Última Línea"));
}

// The working date is 05/12/2026; the list looks 15 days ahead.
class ReposicionTest : public AvisosBaseTest {
 protected:
  void SetUp() override {
    AvisosBaseTest::SetUp();
    Ficha(41, 7, 1, "2026-01-10", "2026-12-05 10:30", "L1", "L1");  // due today
    Ficha(42, 8, 1, "2026-02-10", "2026-12-20", "L2", "");          // in 15 days
    Ficha(43, 9, 1, "2026-03-10", "2026-12-21", "L3", "");          // in 16 days
    Ficha(44, 10, 1, "2026-04-10", "2026-12-10", "L4", "");         // superseded
    Ficha(45, 10, 2, "2026-11-30", "2027-06-01", "L5", "");
    Ficha(46, 11, 1, "2026-05-10", "2026-12-04", "L6", "");  // ran out yesterday
  }
  std::unique_ptr<TAvisoReposicion> Nuevo() {
    auto a = std::make_unique<TAvisoReposicion>(&h.aplicacion, h.secundaria.get(), h.principal.get());
    EXPECT_EQ(a->Buscar(h.puesto.fechaTrabajo, 15), 0);
    return a;
  }
  static QStringList Fichas(const TAvisoReposicion& a) {
    QStringList r;
    for (const auto& f : a.Filas()) r << QString("%1%2").arg(f.idFicha).arg(f.avisado > 0 ? "*" : "");
    return r;
  }
};

TEST_F(ReposicionTest, FromTodayToNDaysAheadOnlyThePatientsLastRecord) {
  // Made today: one whose replacement date is its own day has not run out
  // (older records got their own date), one due tomorrow has.
  Ficha(47, 11, 2, "2026-12-05 09:00", "2026-12-05 09:00", "L7", "");
  Ficha(48, 9, 2, "2026-12-05", "2026-12-06", "L8", "");
  auto a = Nuevo();
  EXPECT_EQ(Fichas(*a), (QStringList{"41", "48", "42"}));
  const auto& f = a->Filas()[0];
  EXPECT_EQ(f.idPaciente, 7);
  EXPECT_EQ(f.numero, 1);
  EXPECT_EQ(f.paciente, "Álvarez Gil, Marta");
  EXPECT_EQ(f.telefono, "600000007");
  EXPECT_EQ(f.articulo, "Acuvue Oasys");  // the same lens in both eyes, once
  EXPECT_EQ(f.fechaReposicion, fechas::Codificar(2026, 12, 5, 10, 30));
  // One more day takes in the 16th; the superseded record stays out.
  Sql("delete from MLENTILLA where ID_MLENTILLA = 48");
  a->Buscar(h.puesto.fechaTrabajo, 16);
  EXPECT_EQ(Fichas(*a), (QStringList{"41", "42", "43"}));
}

TEST_F(ReposicionTest, OneRequestRemembersWhoWasRemindedAndNobodyGetsItTwice) {
  auto a = Nuevo();
  auto sms = Nuevo_Sms();
  ASSERT_EQ(a->Enviar(*sms, h.ctx, "Optica", "Sus lentillas se acaban: pida su reposición"), 0);
  EXPECT_EQ(Telefonos_Enviados(), (QStringList{"600000007", "611000008"}));
  EXPECT_EQ(Fichas(*a), (QStringList{"41*", "42*"}));
  EXPECT_EQ(Contar("select count(*) from sms_maestro"), 1);
  EXPECT_EQ(Contar(QString("select count(*) from AVISO_REPOSICION where ID_USUARIO = 1 and ID_SMS_MAESTRO = %1")
                       .arg(sms->Id_Registro())),
            2);

  // The same list again, here or on another workstation: nobody to remind.
  EXPECT_EQ(a->Enviar(*sms, h.ctx, "Optica", "otra vez"), TAvisoReposicion::kNadieQueAvisar);
  auto otra = Nuevo();
  EXPECT_EQ(Fichas(*otra), (QStringList{"41*", "42*"}));
  EXPECT_EQ(otra->Enviar(*sms, h.ctx, "Optica", "otra vez"), TAvisoReposicion::kNadieQueAvisar);
  EXPECT_EQ(sim.Mensajes().size(), 2);

  // A new patient in the window gets it; the reminded ones do not.
  Ficha(47, 11, 2, "2026-12-01", "2026-12-15", "L7", "");
  auto tercera = Nuevo();
  ASSERT_EQ(tercera->Enviar(*sms, h.ctx, "Optica", "Sus lentillas se acaban"), 0);
  EXPECT_EQ(Telefonos_Enviados(), (QStringList{"600000007", "611000008", "633000011"}));
}

TEST_F(ReposicionTest, ARemindedRecordSentFromAStaleListStopsTheWholeRequest) {
  auto vieja = Nuevo();  // read before the other workstation sent
  auto sms = Nuevo_Sms();
  ASSERT_EQ(Nuevo()->Enviar(*sms, h.ctx, "Optica", "primero"), 0);
  EXPECT_EQ(vieja->Enviar(*sms, h.ctx, "Optica", "segundo"), TAvisoReposicion::kYaAvisado);
  EXPECT_EQ(sim.Mensajes().size(), 2);
  EXPECT_EQ(Contar("select count(*) from AVISO_REPOSICION"), 2);
}

TEST_F(ReposicionTest, ARefusedSendingRemembersNobody) {
  auto a = Nuevo();
  auto sms = Nuevo_Sms();
  sim.Encargar(R"({"answer":"KO-EXC-AMNT"})");
  EXPECT_EQ(a->Enviar(*sms, h.ctx, "Optica", "hola"), -25520);
  EXPECT_EQ(Contar("select count(*) from AVISO_REPOSICION"), 0);
  EXPECT_EQ(Fichas(*a), (QStringList{"41", "42"}));
  ASSERT_EQ(a->Enviar(*sms, h.ctx, "Optica", "hola"), 0);
  EXPECT_EQ(Contar("select count(*) from AVISO_REPOSICION"), 2);
}

// No answer: the message may have gone, so the patients count as reminded
// (another workstation does not remind them again) with their request
// pending; settled later, they are reminded once.
TEST_F(ReposicionTest, WithoutAnAnswerThePatientsStayRemindedWithTheirPendingRequest) {
  auto a = Nuevo();
  auto sms = Nuevo_Sms();
  qputenv("SEMAPI_TIMEOUT_MS", "400");
  sim.Encargar(R"({"delay_ms":900,"accept":true})");
  EXPECT_EQ(a->Enviar(*sms, h.ctx, "Optica", "hola"), -25512);
  qunsetenv("SEMAPI_TIMEOUT_MS");
  EXPECT_EQ(Contar("select count(*) from AVISO_REPOSICION a join sms_maestro m on m.id_sms_maestro = "
                   "a.ID_SMS_MAESTRO where m.situacion = 1"),
            2);
  auto b = Nuevo();
  EXPECT_EQ(b->Enviar(*Nuevo_Sms(), h.ctx, "Optica", "hola"), TAvisoReposicion::kNadieQueAvisar);
  const auto pendientes = sms->Pendientes(0);
  ASSERT_EQ(pendientes.size(), 1u);
  EXPECT_EQ(sms->Reintentar(pendientes[0].id_sms_maestro), 0);
  QTest::qWait(600);
  EXPECT_EQ(sim.Mensajes().size(), 2);
  EXPECT_EQ(Contar("select count(*) from sms_detalle where id_sms > 0"), 2);
}

// A long list goes in requests of 100: a stop asked for while the first is
// on its way lets it end and sends no other; what went is logged, each once.
TEST_F(ReposicionTest, ALongListGoesInRequestsAndCancelStopsBeforeTheNext) {
  std::vector<st_retirada_lote> filas;
  for (int i = 0; i < 250; ++i) {
    st_retirada_lote f;
    f.idPaciente = 1000 + i;
    f.telefono = QString("6%1").arg(10000000 + i);
    filas.push_back(f);
    if (i % 5 == 0) filas.push_back(f);  // a patient with both eyes: texted once
  }
  auto sms = Nuevo_Sms();
  TAvanceEnvio todo;
  ASSERT_EQ(TRetiradaLote::Enviar_SMS(*sms, filas, "Optica", "hola", &todo), 0);
  EXPECT_EQ(todo.validos, 250);
  EXPECT_EQ(todo.hechos, 250);
  EXPECT_FALSE(todo.cancelado);
  EXPECT_EQ(sim.Mensajes().size(), 250);
  EXPECT_EQ(Contar("select count(*) from sms_maestro where situacion = 0"), 3);

  sim.Encargar(R"({"delay_ms":600})");
  TAvanceEnvio parte;
  std::thread parar([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    parte.cancelar = true;
  });
  ASSERT_EQ(TRetiradaLote::Enviar_SMS(*sms, filas, "Optica", "hola", &parte), 0);
  parar.join();
  EXPECT_TRUE(parte.cancelado);
  EXPECT_EQ(parte.hechos, 100);
  EXPECT_EQ(parte.validos, 100);
  EXPECT_EQ(sim.Mensajes().size(), 350);
  EXPECT_EQ(Contar("select count(*) from sms_detalle d join sms_maestro m on m.id_sms_maestro = d.id_sms_maestro "
                   "where m.situacion = 0 and d.id_sms > 0"),
            350);
}

TEST_F(ReposicionTest, TheDaysComeFromTheSettingsOrAreFifteen) {
  EXPECT_EQ(TAvisoReposicion::Dias_Configurados(), 15);
  QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Miravel", "3.0");
  s.setValue("Avisos/DiasReposicion", 30);
  s.sync();
  EXPECT_EQ(TAvisoReposicion::Dias_Configurados(), 30);
  for (const char* malo : {"abc", "0", "-4"}) {
    s.setValue("Avisos/DiasReposicion", malo);
    s.sync();
    EXPECT_EQ(TAvisoReposicion::Dias_Configurados(), 15) << malo;
  }
}

// ----------------------------------------------------------- The dialog ---

// The dialog on the recall and run-out data above, driven through its
// widgets; the sheet goes to a PDF folder of the test's own.
class DialogoAvisosTest : public ReposicionTest {
 protected:
  void SetUp() override {
    ReposicionTest::SetUp();
    Ficha(21, 11, 2, "2025-03-10", "", "L123", "L123");
    Prueba(31, 8, 1, "2025-09-15", "L123", "K77");
    dlg = std::make_unique<TfrmAvisos>(&h.ctx);
    dlg->Biblioteca(OPTICA_SEMAPI);
    dlg->show();
  }
  template <typename T = QLineEdit>
  T* W(const char* nombre) {
    T* w = dlg->findChild<T*>(nombre);
    EXPECT_NE(w, nullptr) << nombre;
    return w;
  }
  void Pulsar(const char* boton) { W<QPushButton>(boton)->click(); }
  QString Celda(const char* rejilla, int fila, int columna) {
    QAbstractItemModel* m = W<QTableView>(rejilla)->model();
    return m->data(m->index(fila, columna)).toString();
  }
  int Filas(const char* rejilla) { return W<QTableView>(rejilla)->model()->rowCount(); }

  std::unique_ptr<TfrmAvisos> dlg;
};

TEST_F(DialogoAvisosTest, ALotSearchedPrintedExportedAndTextedToAll) {
  QTemporaryDir salida;
  qputenv("OPTICA_IMPRESION_PDF", salida.path().toUtf8());
  W("edtLote")->setText("L123");
  W("edtDe")->setText("Optica");
  Pulsar("btnBuscarLote");
  ASSERT_EQ(Filas("grdRetirada"), 3);
  EXPECT_EQ(Celda("grdRetirada", 0, 0), "Campos Díaz, Beatriz");
  EXPECT_EQ(Celda("grdRetirada", 0, 2), "Prueba");
  EXPECT_EQ(Celda("grdRetirada", 0, 6), "BIOTOR Biofinity Toric");
  EXPECT_EQ(Celda("grdRetirada", 2, 0), "Fraile, Elena");
  EXPECT_EQ(Celda("grdRetirada", 2, 5), "OI");
  EXPECT_TRUE(W<QPlainTextEdit>("memMensajeLote")->toPlainText().contains("L123"));

  Pulsar("btnImprimirLote");
  qunsetenv("OPTICA_IMPRESION_PDF");
  EXPECT_TRUE(Texto_Pdf(salida.filePath("retirada-lote.pdf"), 1).contains("Fraile, Elena"));

  dlg->Fichero_Csv(salida.filePath("lote.csv"));
  Pulsar("btnExportarLote");
  QFile csv(salida.filePath("lote.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QByteArray bytes = csv.readAll();
  EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFPaciente;"));
  EXPECT_EQ(bytes.count("\r\n"), 4);

  W<QPlainTextEdit>("memMensajeLote")->setPlainText("Lote L123 retirado");
  Pulsar("btnSMSLote");
  EXPECT_EQ(Telefonos_Enviados(), (QStringList{"611000008", "633000011"}));
  ASSERT_FALSE(h.mensajes.cajas.empty());
  EXPECT_EQ(h.mensajes.cajas.back().texto, "Mensaje enviado a 2 teléfonos.");
}

// A lot 1,000 patients received: while the list goes out the window keeps
// answering (a timer of the window's thread never waits 100 ms), Cancelar
// is taken at once and stops the sending before its next request.
TEST_F(DialogoAvisosTest, MilPacientesLaVentanaRespondeYCancelarParaAntesDelSiguiente) {
  Sql("execute block as declare i integer = 0; begin while (i < 1000) do begin "
      "insert into PACIENTE (ID_PACIENTE, CODIGO, NOMBRE, APELLIDOS, TELEFONO_MOVIL) values (5000 + :i, 9000 + :i, "
      "'P', 'Mil', '6' || (20000000 + :i)); "
      "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA) values (5000 + :i, 5000 + :i, 1, "
      "'2025-05-05'); "
      "insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, LOTE) values (5000 + :i, 1, 'AC-OAS-6', 'LMIL'); "
      "i = i + 1; end end");
  W("edtLote")->setText("LMIL");
  W("edtDe")->setText("Optica");
  Pulsar("btnBuscarLote");
  ASSERT_EQ(Filas("grdRetirada"), 1000);

  sim.Encargar(R"({"delay_ms":700})");
  QElapsedTimer reloj;
  qint64 ultimo = 0, mayorHueco = 0, respuestaCancelar = -1;
  QTimer latido;
  QObject::connect(&latido, &QTimer::timeout, [&] {
    mayorHueco = std::max(mayorHueco, reloj.elapsed() - ultimo);
    ultimo = reloj.elapsed();
  });
  QTimer::singleShot(250, [&] {
    auto* progreso = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(progreso, nullptr);
    EXPECT_EQ(progreso->objectName(), "dlgEnviando");
    QElapsedTimer t;
    t.start();
    progreso->findChild<QPushButton*>()->click();
    if (progreso->labelText().contains("Cancelando")) respuestaCancelar = t.elapsed();
  });
  reloj.start();
  latido.start(10);
  Pulsar("btnSMSLote");
  latido.stop();
  EXPECT_LT(mayorHueco, 100);
  EXPECT_GE(respuestaCancelar, 0);
  EXPECT_LT(respuestaCancelar, 100);
  EXPECT_EQ(sim.Mensajes().size(), 100);
  ASSERT_FALSE(h.mensajes.cajas.empty());
  EXPECT_EQ(h.mensajes.cajas.back().texto,
            "Mensaje enviado a 100 teléfonos. Envío cancelado: quedan 900 pacientes sin enviar.");
}

TEST_F(DialogoAvisosTest, NoLotOrNobodyIsToldAndNothingCanBeSent) {
  Pulsar("btnBuscarLote");
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "Escriba el lote que busca.");
  // Enter in the lot's edit searches as well, and leaves the user there.
  QApplication::setActiveWindow(dlg.get());
  W("edtLote")->setFocus();
  W("edtLote")->setText("NADIE");
  QTest::keyClick(W("edtLote"), Qt::Key_Return);
  EXPECT_EQ(h.mensajes.cajas.back().texto, "Ningún paciente ha recibido ese lote.");
  EXPECT_TRUE(W("edtLote")->hasFocus());
  EXPECT_EQ(Filas("grdRetirada"), 0);
  Pulsar("btnSMSLote");
  EXPECT_TRUE(sim.Mensajes().isEmpty());
}

TEST_F(DialogoAvisosTest, RunOutRemindersFromTheSettingsDaysOnceOnly) {
  EXPECT_EQ(W<QSpinBox>("spnDias")->value(), 15);
  W("edtDe")->setText("Optica");
  Pulsar("btnBuscarReposicion");
  ASSERT_EQ(Filas("grdReposicion"), 2);
  EXPECT_EQ(Celda("grdReposicion", 0, 3), "05/12/2026");
  EXPECT_EQ(Celda("grdReposicion", 1, 0), "Campos Díaz, Beatriz");
  EXPECT_TRUE(Celda("grdReposicion", 1, 5).isEmpty());
  Pulsar("btnAvisarReposicion");
  EXPECT_EQ(Telefonos_Enviados(), (QStringList{"600000007", "611000008"}));
  EXPECT_FALSE(Celda("grdReposicion", 1, 5).isEmpty());  // the list shows them reminded
  Pulsar("btnAvisarReposicion");
  EXPECT_EQ(h.mensajes.cajas.back().texto, "Todos los pacientes de la lista ya tienen su aviso.");
  EXPECT_EQ(sim.Mensajes().size(), 2);
}

TEST_F(DialogoAvisosTest, TheRecordScreensAvisosButtonOpensTheDialog) {
  dlg.reset();
  h.puesto.carpetaModulos = QFileInfo(OPTICA_SEMAPI).absolutePath();
  auto* pantalla = new TfrmLentilla(&h.aplicacion);
  pantalla->Fijar_Contexto(&h.ctx);
  pantalla->Inicializar();
  pantalla->show();
  bool abierta = false;
  QString titulo;
  Al_Abrirse_Modal(abierta, [&](QWidget* w) {
    titulo = w->objectName();
    w->close();
  });
  pantalla->findChild<QToolButton*>("btnAvisos")->click();
  EXPECT_TRUE(abierta);
  EXPECT_EQ(titulo, "frmAvisos");
  h.mensajes.respuestas = {mb::IDNO};
  pantalla->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
