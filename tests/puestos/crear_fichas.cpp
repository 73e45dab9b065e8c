// One workstation creating lens records for one patient on the record screen,
// as its user would: "Nuevo", the maintenance liquid and the observations
// typed, a pause as long as the user takes, "Grabar", and another pause
// before the next one. Two of these running at once against one database keep
// saving under a number that the other has just taken.
//
//   optica-crear-fichas BASE PUESTO CUANTAS SEMILLA
//
// BASE is what a connection opens (a file, or "server:file"); on a server the
// workstation's user, password and role come from the test server's settings
// (OPTICA_TEST_SERVIDOR_CONF). The database holds user 1, shop 1, the
// currency and patient 7, whose records these are. Each pause lasts 0 to 50
// ms, drawn from SEMILLA. Record I (1..CUANTAS) of workstation PUESTO gets
// the liquid Liquido_De(PUESTO, I) and the observations Observaciones_De
// (test_puestos.cpp checks them). After each save one line goes to the
// standard output, written when the screen has answered:
//
//   GRABADA PUESTO I CLAVE NUMERO OCUPADO
//     saved as record CLAVE with number NUMERO (what the screen shows);
//     OCUPADO is the number the status bar said another workstation had just
//     taken, or 0 when it said nothing.
//   FALLIDA PUESTO I TEXTO
//     the screen kept the record unsaved; TEXTO is what it told the user.
//
// Ends with 0 after CUANTAS attempts, whatever they gave.

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <random>

#include "Anfitrion_prueba.h"
#include "Clase_tmoneda.h"
#include "Frm_error.h"
#include "Frm_lentilla.h"
#include "Ibx_error.h"
#include "Puestos_fichas.h"

namespace {

template <typename T>
T* Control(QWidget* pantalla, const char* nombre) {
  T* w = pantalla->findChild<T*>(QLatin1String(nombre));
  if (!w) {
    std::fprintf(stderr, "La pantalla no tiene el control %s\n", nombre);
    std::exit(2);
  }
  return w;
}

// The number in "La ficha se ha grabado con el número N: otro puesto acababa
// de usar el M.", or 0.
int Numero_Ocupado(const QString& estado) {
  static const QString prefijo = QStringLiteral("otro puesto acababa de usar el ");
  const int i = estado.indexOf(prefijo);
  if (i < 0) return 0;
  QString resto = estado.mid(i + prefijo.size());
  if (resto.endsWith(QLatin1Char('.'))) resto.chop(1);
  return resto.toInt();
}

void Escribir(const QString& linea) {
  std::fputs(qPrintable(linea + QLatin1Char('\n')), stdout);
  std::fflush(stdout);
}

int Crear_Fichas(const QString& base, int puesto, int cuantas, unsigned semilla) {
  TAnfitrionPrueba h(base);
  TMoneda moneda(&h.aplicacion, h.secundaria.get(), h.principal.get());
  h.ctx.moneda = &moneda;
  h.usuario.preguntarCopia = 0;

  QPointer<TfrmLentilla> pantalla = new TfrmLentilla(&h.aplicacion);
  pantalla->Fijar_Contexto(&h.ctx);
  pantalla->Inicializar();
  pantalla->show();
  QApplication::setActiveWindow(pantalla);

  auto* nuevo = Control<QToolButton>(pantalla, "btnNuevo");
  auto* grabar = Control<QToolButton>(pantalla, "btnGrabar");
  auto* liquido = Control<QLineEdit>(pantalla, "edt_Liquido");
  auto* observaciones = Control<QPlainTextEdit>(pantalla, "memObservaciones");
  auto* numero = Control<QLineEdit>(pantalla, "edtFicha");
  auto* estado = Control<QStatusBar>(pantalla, "sbr_Ayuda");

  // An unexpected failure opens the error report, modally: it is closed and
  // counts as what the user was told.
  QString informe;
  QTimer cerrarInformes;
  QObject::connect(&cerrarInformes, &QTimer::timeout, [&] {
    if (auto* dlg = qobject_cast<TfrmError*>(QApplication::activeModalWidget())) {
      informe = QStringLiteral("informe de errores de %1: %2").arg(dlg->Funcion(), dlg->Descripcion());
      dlg->accept();
    }
  });
  cerrarInformes.start(50);

  std::mt19937 azar(semilla);
  std::uniform_int_distribution<int> pausa(0, 50);
  for (int i = 1; i <= cuantas; ++i) {
    QTest::qWait(pausa(azar));
    // A record this workstation could not save is dropped before the next.
    h.mensajes.respuestas = {mb::IDNO};
    nuevo->click();
    h.mensajes.respuestas.clear();
    liquido->setFocus();
    liquido->selectAll();
    QTest::keyClicks(liquido, Liquido_De(puesto, i));
    observaciones->setFocus();
    observaciones->setPlainText(Observaciones_De(puesto, i));
    QTest::qWait(pausa(azar));

    const size_t cajas = h.mensajes.cajas.size();
    informe.clear();
    estado->clearMessage();
    grabar->click();
    if (pantalla->Modificado() || h.mensajes.cajas.size() != cajas || !informe.isEmpty()) {
      const QString texto = h.mensajes.cajas.size() != cajas ? h.mensajes.cajas.back().texto
                            : !informe.isEmpty()             ? informe
                                                             : QStringLiteral("la ficha sigue sin grabar");
      Escribir(QStringLiteral("FALLIDA %1 %2 %3").arg(puesto).arg(i).arg(texto.simplified()));
      continue;
    }
    Escribir(QStringLiteral("GRABADA %1 %2 %3 %4 %5")
                 .arg(puesto)
                 .arg(i)
                 .arg(static_cast<qint64>(pantalla->Seleccion().idFicha))
                 .arg(numero->text())
                 .arg(Numero_Ocupado(estado->currentMessage())));
  }
  h.mensajes.respuestas = {mb::IDNO};
  pantalla->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList a = app.arguments();
  bool ok1 = false, ok2 = false, ok3 = false;
  const int puesto = a.value(2).toInt(&ok1), cuantas = a.value(3).toInt(&ok2);
  const unsigned semilla = a.value(4).toUInt(&ok3);
  if (a.size() != 5 || !ok1 || !ok2 || !ok3 || puesto < 1 || cuantas < 1) {
    std::fprintf(stderr, "Uso: optica-crear-fichas BASE PUESTO CUANTAS SEMILLA\n");
    return 64;
  }
  try {
    return Crear_Fichas(a[1], puesto, cuantas, semilla);
  } catch (const EIBError& e) {
    std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
    return 2;
  }
}
