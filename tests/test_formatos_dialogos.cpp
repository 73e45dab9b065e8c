// The format search and the default-format dialog through their widgets, on a
// formats folder written by each test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "Anfitrion_prueba.h"
#include "Frm_buscar_formatos.h"
#include "Frm_formato_defecto.h"

inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }

namespace {

class FormatosDialogosTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.puesto.carpetaFormatos = carpeta.path();
    // Two prescriptions, a warranty, a standard label sheet, an EPL/2 label
    // and a file that is no format.
    Escribir("receta_a", "[FORMAT]\nDOCUMENT=16\n[PAPER]\nWIDTH=148\nHEIGHT=210\n");
    Escribir("RECETA_B", "[FORMAT]\nDOCUMENT=16\n[PAPER]\nWIDTH=148,5\nHEIGHT=210\n");
    Escribir("garantia", "[FORMAT]\nDOCUMENT=25\n[PAPER]\nWIDTH=148\nHEIGHT=210\n");
    Escribir("etiquetas", "[FORMAT]\nDOCUMENT=34\n[PAPER]\nWIDTH=210\nHEIGHT=297\n[LABEL]\nWIDTH=70\nHEIGHT=37\n"
                          "ROWS=8\nCOLUMNS=3\n");
    Escribir("envio_epl", "[FORMATO]\nTIPO=138\n[PAPEL]\nANCHO=100\nALTO=60\n");
    Escribir("roto", "esto no es un formato\n");
  }
  void Escribir(const char* nombre, const char* texto) {
    QFile f(carpeta.filePath(QString::fromLatin1(nombre) + ".prn"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(texto);
  }
  // The default-format dialog as a print opens it: document type and format.
  void Preparar(TfrmFormatoDefecto& d, int tipo, const QString& formato) {
    d.Fijar_Contexto(&h.ctx);
    d.Tipo_Documento(tipo);
    d.Formato_Defecto(formato);
    d.Inicializar();
  }
  // The function keys are the window's shortcuts: they reach the active window only.
  static void Activar(QWidget& d) {
    d.show();
    QApplication::setActiveWindow(&d);
    QApplication::processEvents();
  }
  static QStringList Lista(TfrmBuscarFormatos& d) {
    QStringList l;
    auto* lista = d.findChild<QListWidget*>("lvwFormatos");
    for (int i = 0; i < lista->count(); ++i) l << lista->item(i)->text();
    return l;
  }
  QTemporaryDir carpeta;
  TAnfitrionPrueba h;
};

TEST_F(FormatosDialogosTest, LaBusquedaListaSoloLosFormatosDelTipoYEligeElPredeterminado) {
  h.usuario.formatoReceta = "receta_b";  // the default, matched ignoring case
  TfrmBuscarFormatos d(&h.aplicacion);
  d.Fijar_Contexto(&h.ctx);
  d.Tipo_Documento(16);
  EXPECT_EQ(d.findChild<QLabel*>("pnlTipo")->text(), " Receta con lentilla");
  EXPECT_EQ(Lista(d), QStringList({"receta_a", "RECETA_B"}));
  EXPECT_EQ(d.findChild<QListWidget*>("lvwFormatos")->currentItem()->text(), "RECETA_B");
  EXPECT_EQ(d.findChild<QLabel*>("lblTipo")->text(), "Formato estandar");
  EXPECT_EQ(d.findChild<QLabel*>("lblPapel")->text(), "148,5 x 210");
  d.findChild<QPushButton*>("btnAceptar")->click();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.Formato(), "RECETA_B");
  EXPECT_EQ(d.Columna(), 1);
  EXPECT_EQ(d.Fila(), 1);

  // Only an exact name is preselected.
  h.usuario.formatoReceta = "receta";
  TfrmBuscarFormatos otra(&h.aplicacion);
  otra.Fijar_Contexto(&h.ctx);
  otra.Tipo_Documento(16);
  EXPECT_EQ(otra.findChild<QListWidget*>("lvwFormatos")->currentItem()->text(), "receta_a");

  // A type no file has: an empty list that cannot be accepted, not even with
  // F5; F12 gives up.
  TfrmBuscarFormatos vacia(&h.aplicacion);
  vacia.Fijar_Contexto(&h.ctx);
  vacia.Tipo_Documento(30);
  EXPECT_TRUE(Lista(vacia).isEmpty());
  EXPECT_FALSE(vacia.findChild<QPushButton*>("btnAceptar")->isEnabled());
  Activar(vacia);
  QTest::keyClick(&vacia, Qt::Key_F5);
  EXPECT_TRUE(vacia.isVisible());
  EXPECT_TRUE(h.mensajes.cajas.empty());
  QTest::keyClick(&vacia, Qt::Key_F12);
  EXPECT_FALSE(vacia.isVisible());
  EXPECT_EQ(vacia.result(), QDialog::Rejected);
}

TEST_F(FormatosDialogosTest, LasEtiquetasMuestranSuHojaYLaPrimeraEtiqueta) {
  TfrmBuscarFormatos d(&h.aplicacion);
  d.Fijar_Contexto(&h.ctx);
  d.Tipo_Documento(34);
  // Patient labels: the standard sheet, and an EPL/2 label of a type 100 or
  // more above.
  EXPECT_EQ(Lista(d), QStringList({"envio_epl", "etiquetas"}));
  d.findChild<QListWidget*>("lvwFormatos")->setCurrentRow(1);
  EXPECT_EQ(d.findChild<QLabel*>("lblEtiqueta")->text(), "70 x 37");
  EXPECT_EQ(d.findChild<QLabel*>("lblColumnas")->text(), "3");
  EXPECT_EQ(d.findChild<QLabel*>("lblFilas")->text(), "8");
  auto* fila = d.findChild<QSpinBox*>("edtFila");
  EXPECT_EQ(fila->maximum(), 8);
  fila->setValue(4);
  d.findChild<QSpinBox*>("edtColumna")->setValue(2);
  Activar(d);
  QTest::keyClick(&d, Qt::Key_F5);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.Fila(), 4);
  EXPECT_EQ(d.Columna(), 2);

  // Shipping labels: no standard sheet of the type, the EPL/2 one.
  TfrmBuscarFormatos epl(&h.aplicacion);
  epl.Fijar_Contexto(&h.ctx);
  epl.Tipo_Documento(38);
  EXPECT_EQ(Lista(epl), QStringList({"envio_epl"}));
  EXPECT_EQ(epl.findChild<QLabel*>("lblTipo")->text(), "Formato EPL/2");
  EXPECT_EQ(epl.findChild<QLabel*>("lblPapel")->text(), "100 x 60");
}

TEST_F(FormatosDialogosTest, ElFormatoPorDefectoSeConfirmaSeCambiaOSeCancela) {
  TfrmFormatoDefecto d(&h.aplicacion);
  Preparar(d, 25, "garantia");
  auto* tipo = d.findChild<QComboBox*>("cbxTipoFormato");
  EXPECT_EQ(tipo->currentText(), "Garantía Lentilla");
  EXPECT_FALSE(tipo->isEnabled());
  auto* formato = d.findChild<QLineEdit*>("edtFormatoDefecto");
  EXPECT_EQ(formato->text(), "garantia");

  // Empty: refused with its message, the dialog stays.
  formato->clear();
  d.findChild<QPushButton*>("tbnAceptar")->click();
  ASSERT_FALSE(h.mensajes.cajas.empty());
  EXPECT_EQ(h.mensajes.cajas.back().texto, "Debe Indicar un formato válido");
  EXPECT_EQ(h.mensajes.cajas.back().titulo, "ERROR");
  EXPECT_NE(d.result(), QDialog::Accepted);

  // F4 opens the search; the format chosen there comes back.
  Activar(d);
  QTimer::singleShot(0, [] {
    auto* b = qobject_cast<TfrmBuscarFormatos*>(QApplication::activeModalWidget());
    ASSERT_NE(b, nullptr);
    b->findChild<QPushButton*>("btnAceptar")->click();
  });
  QTest::keyClick(&d, Qt::Key_F4);
  EXPECT_EQ(formato->text(), "garantia");
  d.findChild<QSpinBox*>("edtNCopias")->setValue(2);
  Activar(d);
  QTest::keyClick(&d, Qt::Key_F5);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.Formato(), "garantia");
  EXPECT_EQ(d.Copias(), 2);
  EXPECT_EQ(d.Tipo(), 25);

  // Cancel (F7, or Escape): no format, one copy.
  for (const Qt::Key tecla : {Qt::Key_F7, Qt::Key_Escape}) {
    TfrmFormatoDefecto c(&h.aplicacion);
    Preparar(c, 16, "receta_a");
    c.findChild<QSpinBox*>("edtNCopias")->setValue(3);
    Activar(c);
    QTest::keyClick(c.findChild<QSpinBox*>("edtNCopias"), tecla);
    EXPECT_EQ(c.result(), QDialog::Rejected);
    EXPECT_EQ(c.Formato(), "");
    EXPECT_EQ(c.Copias(), 1);
  }
}

// Enter on the focused "Aceptar" accepts, as a click does; it does not move
// the focus on.
TEST_F(FormatosDialogosTest, EnterEnElAceptarConFocoAcepta) {
  TfrmFormatoDefecto d(&h.aplicacion);
  Preparar(d, 25, "garantia");
  Activar(d);
  auto* aceptar = d.findChild<QPushButton*>("tbnAceptar");
  aceptar->setFocus();
  QTest::keyClick(aceptar, Qt::Key_Return);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.Formato(), "garantia");

  TfrmBuscarFormatos b(&h.aplicacion);
  b.Fijar_Contexto(&h.ctx);
  b.Tipo_Documento(25);
  Activar(b);
  auto* aceptarBusqueda = b.findChild<QPushButton*>("btnAceptar");
  aceptarBusqueda->setFocus();
  QTest::keyClick(aceptarBusqueda, Qt::Key_Return);
  EXPECT_EQ(b.result(), QDialog::Accepted);
}

}  // namespace
