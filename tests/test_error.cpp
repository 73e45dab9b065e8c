// The error report: the Spanish long date, the dialog's fields, the report
// read back from the PDF it produces, the e-mail and its failure box, the ways
// the dialog closes (also the modal round trip the lens screen uses), and a
// handler of the report that fails.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>
#include <functional>
#include <memory>

#include "Anfitrion_prueba.h"
#include "Clase_tlocalidad.h"
#include "Frm_error.h"

namespace {

const QDateTime kNueveYCinco(QDate(2026, 12, 5), QTime(9, 5));

// Runs `accion` on the modal dialog of type T as soon as it is up (the code
// under test is blocked in its exec meanwhile).
template <typename T>
void Cuando_Aparezca(std::function<void(T*)> accion) {
  auto* sondeo = new QTimer;
  QObject::connect(sondeo, &QTimer::timeout, [sondeo, accion] {
    if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget())) {
      sondeo->stop();
      sondeo->deleteLater();
      accion(d);
    }
  });
  sondeo->start(10);
}

class ErrorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.empresa.nombre = "Óptica Miravel, S.L.";
    h.empresa.direccion = "C/ Libreros 14";
    h.empresa.telefono = "918 830 011";
    h.empresa.fax = "918 830 012";
    h.empresa.email = "tienda@opticamiravel.es";
  }

  void Con_Localidad() {
    Ejecutar_SQL(*h.principal, "insert into PROVINCIA (ID_PROVINCIA, CODIGO, DESCRIPCION) values (28, 28, 'Madrid')");
    Ejecutar_SQL(*h.principal,
                 "insert into LOCALIDAD (ID_LOCALIDAD, ID_PROVINCIA, CODIGO_POSTAL, DESCRIPCION) "
                 "values (12, 28, 28801, 'Alcalá de Henares')");
    localidad = std::make_unique<TLocalidad>(&h.aplicacion, h.secundaria.get(), h.principal.get());
    ASSERT_EQ(localidad->Buscar(0, 12), 0);
    h.empresa.localidad = localidad.get();
  }

  std::unique_ptr<TfrmError> Dialogo(const QString& funcion, const QString& descripcion) {
    auto d = std::make_unique<TfrmError>(&h.aplicacion);
    d->Fijar_Contexto(&h.ctx);
    d->Pantalla(TfrmError::kPantallaLentillas);
    d->Funcion(funcion);
    d->Descripcion(descripcion);
    return d;
  }

  // The report of `d` as pdftotext reads it, whitespace collapsed and
  // typographic ligatures ("ﬁ") undone; `pagina` 0 for the whole document.
  QString Texto_PDF(const TfrmError& d, int pagina = 0) {
    const QString ruta = dir.filePath("informe.pdf");
    if (!QFile::exists(ruta)) {
      EXPECT_TRUE(d.Guardar_PDF(ruta, kNueveYCinco));
    }
    QStringList args{"-enc", "UTF-8"};
    if (pagina > 0) args << "-f" << QString::number(pagina) << "-l" << QString::number(pagina);
    QProcess p;
    p.start("pdftotext", args << ruta << "-");
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC).simplified();
  }
  QString Info_PDF() {
    QProcess p;
    p.start("pdfinfo", {dir.filePath("informe.pdf")});
    EXPECT_TRUE(p.waitForFinished(30000));
    return QString::fromUtf8(p.readAllStandardOutput());
  }

  TAnfitrionPrueba h;
  std::unique_ptr<TLocalidad> localidad;
  QTemporaryDir dir;
};

TEST(FechaError, NombresEspanolesConDosBlancosAntesDeLaHora) {
  // The machine's locale must not leak into the names.
  const QLocale anterior;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(TfrmError::Texto_Fecha(kNueveYCinco), "sábado, 5 de diciembre de 2026  09:05");
  EXPECT_EQ(TfrmError::Texto_Fecha(QDateTime(QDate(2027, 3, 1), QTime(18, 0))), "lunes, 1 de marzo de 2027  18:00");
  QLocale::setDefault(anterior);
}

TEST_F(ErrorTest, DialogoMuestraFechaDatosYDescripcionLineaALinea) {
  auto d = Dialogo("OD Eje -> OnExit", "Conversión no válida\r\nCampo: EJE\nValor: 'abc'");
  auto* memo = d->findChild<QPlainTextEdit*>("memDescripcion");
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->toPlainText(), "Conversión no válida\nCampo: EJE\nValor: 'abc'");
  EXPECT_EQ(d->findChild<QLineEdit*>("edtPantalla")->text(), "Definición de fichas de lentillas");
  EXPECT_EQ(d->findChild<QLineEdit*>("edtFuncion")->text(), "OD Eje -> OnExit");

  // A new description replaces the lines, it is not added to them.
  d->Descripcion("Otro error");
  EXPECT_EQ(memo->toPlainText(), "Otro error");

  // The date field shows the moment the dialog appears.
  const QString antes = TfrmError::Texto_Fecha(QDateTime::currentDateTime());
  d->show();
  const QString despues = TfrmError::Texto_Fecha(QDateTime::currentDateTime());
  const QString fecha = d->findChild<QLabel*>("lblFecha")->text();
  EXPECT_TRUE(fecha == antes || fecha == despues) << fecha.toStdString();
}

TEST_F(ErrorTest, InformePdfConEmpresaYDatosDelError) {
  Con_Localidad();
  auto d = Dialogo("tbnPruebaDefinitiva -> OnClick", "Violación de clave única\nTabla: PLENTILLA\n\nCódigo -803");
  const QString t = Texto_PDF(*d);
  for (const char* esperado :
       {"Informe de error", "05/12/2026 09:05:00", "Óptica Miravel, S.L.", "C/ Libreros 14", "28801 - Alcalá de Henares",
        "Madrid", "tienda@opticamiravel.es", "Tel.- 918 830 011", "Fax.- 918 830 012", "Datos del error", "Pantalla:",
        "Definición de fichas de lentillas", "Función:", "tbnPruebaDefinitiva -> OnClick", "Descripción:",
        "Violación de clave única", "Tabla: PLENTILLA", "Código -803"})
    EXPECT_TRUE(t.contains(QString::fromUtf8(esperado))) << esperado << "\n" << t.toStdString();
  // The company block comes before the error data, the description last.
  EXPECT_LT(t.indexOf("Fax.- "), t.indexOf("Datos del error"));
  EXPECT_LT(t.indexOf("Tabla: PLENTILLA"), t.indexOf("Código -803"));
  EXPECT_TRUE(Info_PDF().contains("(A4)")) << Info_PDF().toStdString();
}

TEST_F(ErrorTest, DescripcionLargaSeAjustaYContinuaEnOtraPagina) {
  QStringList lineas;
  for (int i = 1; i <= 90; ++i) lineas << QString("Linea %1 de la traza").arg(i);
  QString larga;
  for (int i = 0; i < 60; ++i) larga += QString("palabra%1 ").arg(i);
  lineas << larga.trimmed();
  auto d = Dialogo("PclLentilla -> OnChange", lineas.join("\n"));

  const QString todo = Texto_PDF(*d);
  EXPECT_FALSE(todo.contains(" - "));  // no town: no lone " - " line
  // The long line is wrapped, never cut: every word is there, in order.
  EXPECT_TRUE(todo.contains(larga.trimmed())) << todo.right(800).toStdString();

  ASSERT_EQ(Info_PDF().section("Pages:", 1).section('\n', 0, 0).trimmed(), "2");
  const QString segunda = Texto_PDF(*d, 2);
  EXPECT_TRUE(segunda.startsWith("Informe de error")) << segunda.left(200).toStdString();
  EXPECT_TRUE(segunda.contains("Linea 90 de la traza"));
  EXPECT_FALSE(segunda.contains("Linea 1 de la traza "));

  EXPECT_FALSE(d->Guardar_PDF(dir.filePath("no/existe/informe.pdf")));
}

TEST_F(ErrorTest, CorreoLlevaElInformeOAvisaSiNoSePuedeEnviar) {
  Con_Localidad();
  auto d = Dialogo("cbxDoctor -> OnKeyDown", "Lista vacía\nÍndice 3 & 4 + 5");
  d->show();

  QList<QUrl> abiertas;
  d->Abrir_Correo = [&](const QUrl& url) {
    abiertas << url;
    return true;
  };
  d->findChild<QPushButton*>("btnEMail")->click();
  ASSERT_EQ(abiertas.size(), 1);
  EXPECT_TRUE(h.mensajes.cajas.empty());
  const QUrl url = abiertas[0];
  EXPECT_EQ(url.scheme(), "mailto");
  EXPECT_EQ(url.path(), TfrmError::kCorreoSoporte);
  const QUrlQuery q(url);
  EXPECT_EQ(q.queryItemValue("subject", QUrl::FullyDecoded), "Informe de error - Óptica Miravel, S.L.");
  const QString cuerpo = q.queryItemValue("body", QUrl::FullyDecoded);
  for (const char* esperado : {"\r\nPantalla: Definición de fichas de lentillas\r\n",
                               "\r\nFunción: cbxDoctor -> OnKeyDown\r\n", "\r\nLista vacía\r\nÍndice 3 & 4 + 5",
                               "\r\n28801 - Alcalá de Henares\r\n"})
    EXPECT_TRUE(cuerpo.contains(QString::fromUtf8(esperado))) << esperado << "\n" << cuerpo.toStdString();

  // No mail program: the user is told and the dialog stays.
  d->Abrir_Correo = [](const QUrl&) { return false; };
  d->findChild<QPushButton*>("btnEMail")->click();
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "No se ha podido enviar el correo, conectese a internet e intentelo mas tarde");
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "ERROR");
  EXPECT_EQ(h.mensajes.cajas[0].flags, mb::OK | mb::ICONSTOP);
  EXPECT_TRUE(d->isVisible());
}

TEST_F(ErrorTest, SalirEnterEImprimirCierranConOk) {
  auto d = Dialogo("OD Eje -> OnExit", "x");
  d->show();
  d->findChild<QPushButton*>("btnSalir")->click();
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(d->result(), QDialog::Accepted);

  // Enter presses "&Salir" from any field, read-only ones included: it does
  // not move the focus here.
  d = Dialogo("OD Eje -> OnExit", "x");
  d->show();
  QApplication::setActiveWindow(d.get());
  auto* pantalla = d->findChild<QLineEdit*>("edtPantalla");
  pantalla->setFocus();
  QTest::keyClick(pantalla, Qt::Key_Return);
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(d->result(), QDialog::Accepted);

  // "&Imprimir" waits for the preview; the dialog ends with OK once it closes.
  d = Dialogo("OD Eje -> OnExit", "x");
  d->show();
  bool vista = false;
  Cuando_Aparezca<QPrintPreviewDialog>([&](QPrintPreviewDialog* p) {
    vista = true;
    p->reject();
  });
  d->findChild<QPushButton*>("btnImprimir")->click();
  EXPECT_TRUE(vista);
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(d->result(), QDialog::Accepted);
}

// The mail program itself raising: a plain box names the handler and what
// went wrong, no second report opens over this one, and this one stays.
TEST_F(ErrorTest, UnFalloDelPropioInformeSeDiceEnUnaCajaYNoEnOtroInforme) {
  auto d = Dialogo("cbxDoctor -> OnKeyDown", "Lista vacía");
  d->show();
  bool otroInforme = false;
  const auto vigilar = [&] {
    QTimer::singleShot(0, [&] {
      auto* otro = qobject_cast<TfrmError*>(QApplication::activeModalWidget());
      if (otro && otro != d.get()) {
        otroInforme = true;
        otro->reject();
      }
    });
  };
  vigilar();
  d->Abrir_Correo = [](const QUrl&) -> bool { throw std::runtime_error("Sin programa de correo"); };
  d->findChild<QPushButton*>("btnEMail")->click();
  vigilar();
  d->Abrir_Correo = [](const QUrl&) -> bool { throw 42; };
  d->findChild<QPushButton*>("btnEMail")->click();
  QApplication::processEvents();

  EXPECT_FALSE(otroInforme);
  EXPECT_TRUE(d->isVisible());
  ASSERT_EQ(h.mensajes.cajas.size(), 2u);
  EXPECT_EQ(h.mensajes.cajas[0].texto,
            "Se ha producido un error inesperado en btnEMail -> OnClick:\n\nSin programa de correo");
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "ERROR");
  EXPECT_EQ(h.mensajes.cajas[0].flags, mb::OK | mb::ICONSTOP);
  EXPECT_EQ(h.mensajes.cajas[1].texto,
            "Se ha producido un error inesperado en btnEMail -> OnClick:\n\nError desconocido");
}

TEST_F(ErrorTest, MostrarEsModalYLiberaElDialogo) {
  QWidget ventana;
  h.aplicacion.ventanaPrincipal = &ventana;
  QString funcion, descripcion;
  Cuando_Aparezca<TfrmError>([&](TfrmError* d) {
    funcion = d->findChild<QLineEdit*>("edtFuncion")->text();
    descripcion = d->findChild<QPlainTextEdit*>("memDescripcion")->toPlainText();
    d->findChild<QPushButton*>("btnSalir")->click();
  });
  TfrmError::Mostrar(&h.ctx, "edtLiquido -> OnClick", "Acceso fuera de rango");
  EXPECT_EQ(funcion, "edtLiquido -> OnClick");
  EXPECT_EQ(descripcion, "Acceso fuera de rango");
  EXPECT_TRUE(ventana.findChildren<TfrmError*>().isEmpty());
  h.aplicacion.ventanaPrincipal = nullptr;
}

}  // namespace
