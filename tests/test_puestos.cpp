// Several workstations of one shop working at once on one database: two
// programs drive the record screen on their own attachments, each creating
// records for the same patient with random pauses, and what they leave must
// be exactly what their users were shown.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "Base_prueba.h"
#include "Clase_tbdacceso.h"
#include "Puestos_fichas.h"

namespace {

// One save a workstation reported finished.
struct TGrabada {
  int puesto = 0, vez = 0;
  qint64 clave = 0;
  int numero = 0;
  int ocupado = 0;  // the number the status bar said another one had just taken
};

struct TFicha {
  qint64 paciente = 0;
  int numero = 0;
  QString liquido;
  QStringList observaciones;
  QStringList acceso;  // OPERACION_COD of each creation logged for it
};

class PuestosTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto db = bd.Conectar();
    for (const char* sql : {
             "insert into USUARIO (ID_USUARIO, NOMBRE_USUARIO, PUEDE_MODIFICAR) values (1, 'Carmen Ruiz', 1)",
             "insert into PACIENTE (ID_PACIENTE, CODIGO, NOMBRE, APELLIDOS, NOMBRE_COMPLETO) "
             "values (7, 1007, 'Marta', 'Álvarez Gil', 'Marta Álvarez Gil')",
             "insert into TIENDA (ID_TIENDA, CODIGO, DESCRIPCION) values (1, 1, 'Centro')",
             "insert into MONEDA (ID_MONEDA, DESCRIPCION_M1, DESCRIPCION_M2, SIMBOLO_M1, SIMBOLO_M2, DECIMALES_M1, "
             "DECIMALES_M2, CONVERSION, USAR_SEGUNDA_MONEDA) values (1, 'Euros', 'Pesetas', '€', 'Pts', 2, 0, "
             "166.386, 1)",
         })
      Ejecutar_SQL(*db, sql);
    // The workstations open the database while nobody else has it open.
    db->Close();
  }

  // Every record in the database by key, with its observations and the
  // creations the access log holds for it; rows hanging from no record are
  // failures.
  QMap<qint64, TFicha> Leer_Fichas() {
    auto db = bd.Conectar();
    QMap<qint64, TFicha> fichas;
    const auto leer = [&](const char* sql, auto&& fila) {
      TSentenciaPrueba s(*db, QString::fromUtf8(sql));
      s.q.Open();
      for (; !s.q.Eof(); s.q.Next()) fila(s.q);
      s.t.Commit();
    };
    leer("select ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, LIQUIDOS from MLENTILLA", [&](TIBQuery& q) {
      TFicha& f = fichas[q.Fields(0).AsInt64()];
      f.paciente = q.Fields(1).AsInt64();
      f.numero = q.Fields(2).AsInteger();
      f.liquido = q.Fields(3).AsString();
    });
    leer("select ID_MLENTILLA, OBSERVACIONES from LOBSERVACIONES", [&](TIBQuery& q) {
      const qint64 clave = q.Fields(0).AsInt64();
      EXPECT_TRUE(fichas.contains(clave)) << "observaciones de la ficha " << clave << ", que no existe";
      fichas[clave].observaciones << q.Fields(1).AsString();
    });
    leer(qPrintable(QStringLiteral("select ID_OPERACION, OPERACION_COD from ACCESO where OPERACION_TIP = %1")
                        .arg(TBDAcceso::kCreacion)),
         [&](TIBQuery& q) {
           const qint64 clave = q.Fields(0).AsInt64();
           EXPECT_TRUE(fichas.contains(clave)) << "creación registrada de la ficha " << clave << ", que no existe";
           fichas[clave].acceso << q.Fields(1).AsString();
         });
    db->Close();
    return fichas;
  }

  // The environment of the workstations. Embedded, the engine of each is in
  // Classic mode, the one in which programs of one machine share a database
  // file (through a lock folder they share); in the usual mode the first
  // program takes the file for itself.
  QProcessEnvironment Entorno() {
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    if (Servidor_Prueba()) return entorno;
    // Where the system's Firebird 3 keeps its plugin list and messages (as
    // for scripts/servidor-prueba).
    const QString motor = QStringLiteral("/usr/lib/x86_64-linux-gnu/firebird/3.0");
    const QDir dir(clasico.path());
    QFile conf(dir.filePath(QStringLiteral("firebird.conf")));
    EXPECT_TRUE(conf.open(QIODevice::WriteOnly) && conf.write("ServerMode = Classic\n") > 0);
    conf.close();
    EXPECT_TRUE(QFile::copy(motor + QStringLiteral("/plugins.conf"), dir.filePath(QStringLiteral("plugins.conf"))));
    EXPECT_TRUE(dir.mkpath(QStringLiteral("bloqueos")));
    entorno.insert(QStringLiteral("FIREBIRD"), dir.path());
    entorno.insert(QStringLiteral("FIREBIRD_LOCK"), dir.filePath(QStringLiteral("bloqueos")));
    if (!entorno.contains(QStringLiteral("FIREBIRD_MSG"))) entorno.insert(QStringLiteral("FIREBIRD_MSG"), motor);
    return entorno;
  }

  TBaseDatosPrueba bd;
  QTemporaryDir clasico;
};

// Two workstations creating 100 records each for one patient, with random
// pauses before "Grabar" and between records: every save the users were told
// about is there, under the key and number the screen showed, with what was
// typed into it and one creation in the access log; no number is used twice
// and none is skipped (a number is skipped only when a save that took it
// fails, and none fails here). A save whose number the other workstation had
// just taken says so, and that number is indeed the other one's.
TEST_F(PuestosTest, DosPuestosCreandoFichasDeUnPacienteALaVez) {
  constexpr int kPuestos = 2, kFichas = 100;
  const unsigned semilla = std::random_device{}();
  SCOPED_TRACE(testing::Message() << "semilla " << semilla);

  const QProcessEnvironment entorno = Entorno();
  const auto inicio = std::chrono::steady_clock::now();
  std::vector<std::unique_ptr<QProcess>> puestos;
  for (int p = 1; p <= kPuestos; ++p) {
    auto proceso = std::make_unique<QProcess>();
    proceso->setProcessEnvironment(entorno);
    proceso->start(QStringLiteral(OPTICA_CREAR_FICHAS),
                   {bd.Nombre(), QString::number(p), QString::number(kFichas), QString::number(semilla + p)});
    ASSERT_TRUE(proceso->waitForStarted(10000)) << qPrintable(proceso->errorString());
    puestos.push_back(std::move(proceso));
  }

  std::vector<TGrabada> grabadas;
  for (int p = 1; p <= kPuestos; ++p) {
    QProcess& proceso = *puestos[p - 1];
    if (!proceso.waitForFinished(50000)) {
      proceso.kill();
      proceso.waitForFinished(5000);
      ADD_FAILURE() << "el puesto " << p << " no ha terminado en 50 s";
    }
    const QString error = QString::fromUtf8(proceso.readAllStandardError());
    EXPECT_EQ(proceso.exitStatus(), QProcess::NormalExit) << "puesto " << p << ": " << qPrintable(error);
    EXPECT_EQ(proceso.exitCode(), 0) << "puesto " << p << ": " << qPrintable(error);
    int vez = 0;
    for (const QByteArray& linea : proceso.readAllStandardOutput().split('\n')) {
      if (linea.isEmpty()) continue;
      const QList<QByteArray> c = linea.split(' ');
      if (c.value(0) == "FALLIDA") {
        ADD_FAILURE() << "el puesto " << p << " no ha grabado una ficha: " << linea.toStdString();
        ++vez;
        continue;
      }
      ASSERT_TRUE(c.size() == 6 && c[0] == "GRABADA") << linea.toStdString();
      const TGrabada g{c[1].toInt(), c[2].toInt(), c[3].toLongLong(), c[4].toInt(), c[5].toInt()};
      EXPECT_EQ(g.puesto, p);
      EXPECT_EQ(g.vez, ++vez) << linea.toStdString();
      grabadas.push_back(g);
    }
    EXPECT_EQ(vez, kFichas) << "puesto " << p;
  }
  const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();

  const QMap<qint64, TFicha> fichas = Leer_Fichas();
  ASSERT_EQ(fichas.size(), kPuestos * kFichas);
  std::vector<int> numeros;
  for (const TFicha& f : fichas) {
    EXPECT_EQ(f.paciente, 7);
    numeros.push_back(f.numero);
  }
  std::sort(numeros.begin(), numeros.end());
  for (int n = 1; n <= kPuestos * kFichas; ++n) ASSERT_EQ(numeros[n - 1], n) << "números repetidos o saltados";

  QSet<qint64> claves;
  QHash<int, int> puestoDelNumero;
  for (const TGrabada& g : grabadas) {
    SCOPED_TRACE(testing::Message() << "puesto " << g.puesto << ", ficha " << g.vez << ", clave " << g.clave);
    EXPECT_FALSE(claves.contains(g.clave)) << "dos grabaciones con la misma clave";
    claves.insert(g.clave);
    ASSERT_TRUE(fichas.contains(g.clave)) << "una grabación terminada que no está";
    const TFicha& f = fichas[g.clave];
    EXPECT_EQ(f.numero, g.numero) << "otro número que el que mostró la pantalla";
    EXPECT_EQ(f.liquido, Liquido_De(g.puesto, g.vez));
    EXPECT_EQ(f.observaciones, QStringList{Observaciones_De(g.puesto, g.vez)});
    EXPECT_EQ(f.acceso, QStringList{QString::number(g.numero)}) << "la creación en el registro de accesos";
    puestoDelNumero.insert(g.numero, g.puesto);
  }

  int ocupados = 0;
  for (const TGrabada& g : grabadas) {
    if (g.ocupado == 0) continue;
    ++ocupados;
    EXPECT_LT(g.ocupado, g.numero);
    EXPECT_NE(puestoDelNumero.value(g.ocupado), g.puesto)
        << "el puesto " << g.puesto << " dijo que otro acababa de usar el número " << g.ocupado;
  }
  // Without a number taken by the other one meanwhile, the run has not
  // tested what it is for.
  EXPECT_GT(ocupados, 0);
  std::printf("%d fichas de %d puestos en %.1f s; %d grabadas con otro número porque el otro puesto acababa de usar "
              "el suyo\n",
              static_cast<int>(grabadas.size()), kPuestos, segundos, ocupados);
}

}  // namespace
