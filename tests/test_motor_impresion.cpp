// The print engine printsvc.so, loaded as the lens module loads it (TFormato
// from the workstation's modules folder) and writing its PDF into the folder
// OPTICA_IMPRESION_PDF names; the PDF is read back with pdftotext.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "Anfitrion_prueba.h"
#include "Clase_tdocumento.h"
#include "Clase_tformato.h"

namespace {

QString Ejecutar(const QString& programa, const QStringList& argumentos) {
  QProcess p;
  p.start(programa, argumentos);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return QStringLiteral("<error de %1>").arg(programa);
  return QString::fromUtf8(p.readAllStandardOutput());
}

QString Texto_Pdf(const QString& pdf, int pagina = 0) {
  QStringList a{QStringLiteral("-layout")};
  if (pagina > 0) a << "-f" << QString::number(pagina) << "-l" << QString::number(pagina);
  return Ejecutar(QStringLiteral("pdftotext"), a << pdf << QStringLiteral("-"));
}

QString Info_Pdf(const QString& pdf, const char* campo) {
  const auto m = QRegularExpression(QStringLiteral("%1:\\s+([^\\n]+)").arg(QLatin1String(campo)))
                     .match(Ejecutar(QStringLiteral("pdfinfo"), {pdf}));
  return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

// Index of the first line of `texto` that contains `que`, or -1.
int Linea_De(const QString& texto, const QString& que) {
  const QStringList lineas = texto.split(QLatin1Char('\n'));
  for (int i = 0; i < lineas.size(); ++i)
    if (lineas[i].contains(que)) return i;
  return -1;
}

// An A5 page, 10 mm margins, a 30 mm header, an 80 mm detail and a 15 mm
// footer; the controls are the test's.
QByteArray Formato_A5(int total, const QByteArray& controles) {
  return "[FORMAT]\nDOCUMENT=16\n[PAPER]\nWIDTH=148\nHEIGHT=210\n"
         "[MARGIN]\nTOP=10\nBOTTOM=10\nLEFT=10\nRIGHT=10\n"
         "[BANDS]\nHEADER=30\nDETAIL=80\nFOOTER=15\n"
         "[CONTROLS]\nTOTAL=" +
         QByteArray::number(total) + "\n" + controles;
}

const QByteArray kControles =
    "[CONTROL1]\nKIND=TEXT\nBAND=HEADER\nLEFT=0\nTOP=0\nWIDTH=128\nHEIGHT=8\nTEXT=Óptica Miravel, receta\n"
    "SIZE=14\nBOLD=1\nALIGN=CENTER\n"
    "[CONTROL2]\nKIND=LINE\nBAND=HEADER\nLEFT=0\nTOP=28\nWIDTH=128\nHEIGHT=0\n"
    "[CONTROL3]\nKIND=VARIABLE\nLEFT=0\nTOP=5\nWIDTH=90\nHEIGHT=6\nPREFIX=\"Paciente: \"\nVARIABLE=103\n"
    "[CONTROL4]\nKIND=BOX\nLEFT=0\nTOP=20\nWIDTH=128\nHEIGHT=10\n"
    "[CONTROL5]\nKIND=VARIABLE\nLEFT=2\nTOP=22\nWIDTH=30\nHEIGHT=6\nVARIABLE=3423\nALIGN=RIGHT\n"
    "[CONTROL6]\nKIND=VARIABLE\nBAND=FOOTER\nLEFT=0\nTOP=5\nWIDTH=128\nHEIGHT=6\nVARIABLE=903\nITALIC=1\n"
    "[CONTROL7]\nKIND=VARIABLE\nLEFT=0\nTOP=40\nWIDTH=60\nHEIGHT=20\nVARIABLE=126\nWRAP=1\n"
    "[CONTROL8]\nKIND=VARIABLE\nLEFT=70\nTOP=40\nWIDTH=50\nHEIGHT=6\nPREFIX=\"Lote: \"\nVARIABLE=3622\n";

class MotorImpresionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.servicio = &mensajes;
    puesto.carpetaModulos = QStringLiteral(OPTICA_MODULOS_DIR);
    ctx.puesto = &puesto;
    ctx.aplicacion = &app;
    qputenv("OPTICA_IMPRESION_PDF", pdfs.path().toUtf8());
  }
  void TearDown() override { qunsetenv("OPTICA_IMPRESION_PDF"); }

  // Reads the format into the document; false (with the box in `mensajes`)
  // when the document refuses it.
  bool Preparar(const QByteArray& formato, const QString& nombre = QStringLiteral("receta.prn")) {
    const QString ruta = formatos.filePath(nombre);
    QFile f(ruta);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(formato);
    f.close();
    documento.Inicializar();
    documento.Fichero_Formato(ruta);
    if (documento.Leer_Formato() != 0) return false;
    documento.Variable(103, QStringLiteral("García Pérez, Lucía"));
    documento.Variable(3423, QStringLiteral("+1,50"));
    documento.Variable(903, QStringLiteral("Calle Mayor, 3 - 28001 Madrid"));
    documento.Variable(126, QStringLiteral("Usa las lentes ocho horas al día y descansa los domingos"));
    documento.Variable(3622, QString());
    return true;
  }
  int Imprimir() {
    TFormato f;
    f.Contexto(&ctx);
    f.Documento(&documento);
    f.Indicador(1);
    return f.Imprimir();
  }
  QString Pdf(const QString& nombre = QStringLiteral("receta.pdf")) const { return pdfs.filePath(nombre); }

  QTemporaryDir formatos, pdfs;
  TMensajesGuion mensajes;
  TAplicacion app;
  TPuesto puesto;
  THostContext ctx;
  TDocumento documento{&app};
};

TEST_F(MotorImpresionTest, CadaControlSaleEnSuBandaConElValorDeSuVariable) {
  ASSERT_TRUE(Preparar(Formato_A5(8, kControles)));
  ASSERT_EQ(Imprimir(), 0);
  EXPECT_TRUE(mensajes.cajas.empty());
  EXPECT_EQ(Info_Pdf(Pdf(), "Pages"), "1");
  EXPECT_TRUE(Info_Pdf(Pdf(), "Page size").contains("(A5)")) << Info_Pdf(Pdf(), "Page size").toStdString();
  const QString t = Texto_Pdf(Pdf());
  const int cabecera = Linea_De(t, "Óptica Miravel, receta");
  const int paciente = Linea_De(t, "Paciente: García Pérez, Lucía");
  const int esfera = Linea_De(t, "+1,50");
  const int notas = Linea_De(t, "Usa las lentes");
  const int pie = Linea_De(t, "Calle Mayor, 3 - 28001 Madrid");
  for (int i : {cabecera, paciente, esfera, notas, pie}) ASSERT_GE(i, 0) << t.toStdString();
  EXPECT_LT(cabecera, paciente);  // header, then the detail in its order, then the footer
  EXPECT_LT(paciente, esfera);
  EXPECT_LT(esfera, notas);
  EXPECT_LT(notas, pie);
  // The long observation wraps inside its 60 mm instead of running on.
  EXPECT_FALSE(t.contains("ocho horas al día y descansa los domingos"));
  EXPECT_TRUE(t.contains("domingos"));
  // An empty variable prints nothing, not even its caption.
  EXPECT_FALSE(t.contains("Lote:"));
  // The right-aligned sphere ends near the right of its 30 mm cell, not at
  // its left edge where the patient line starts.
  const QString lineaEsfera = t.split('\n')[esfera];
  EXPECT_GT(lineaEsfera.indexOf("+1,50"), t.split('\n')[paciente].indexOf("Paciente"));
}

TEST_F(MotorImpresionTest, DosCopiasSonDosPaginasIguales) {
  ASSERT_TRUE(Preparar(Formato_A5(8, kControles)));
  documento.Copias(2);
  ASSERT_EQ(Imprimir(), 0);
  EXPECT_EQ(Info_Pdf(Pdf(), "Pages"), "2");
  EXPECT_EQ(Texto_Pdf(Pdf(), 1), Texto_Pdf(Pdf(), 2));
  EXPECT_TRUE(Texto_Pdf(Pdf(), 2).contains("García Pérez, Lucía"));
}

TEST_F(MotorImpresionTest, UnFormatoApaisadoSaleApaisado) {
  QByteArray f = Formato_A5(1, "[CONTROL1]\nKIND=TEXT\nWIDTH=150\nHEIGHT=8\nTEXT=Apaisada\n");
  f.replace("WIDTH=148\nHEIGHT=210", "WIDTH=210\nHEIGHT=148");
  f.replace("DETAIL=80", "DETAIL=60");
  ASSERT_TRUE(Preparar(f));
  ASSERT_EQ(Imprimir(), 0);
  const QString tamano = Info_Pdf(Pdf(), "Page size");
  const auto m = QRegularExpression("([\\d.]+) x ([\\d.]+)").match(tamano);
  ASSERT_TRUE(m.hasMatch()) << tamano.toStdString();
  EXPECT_GT(m.captured(1).toDouble(), m.captured(2).toDouble());
  EXPECT_TRUE(Texto_Pdf(Pdf()).contains("Apaisada"));
}

TEST_F(MotorImpresionTest, UnControlSinSentidoSeRechazaConElFicheroYLaLinea) {
  // Each case spoils one value (most of them of CONTROL3, the patient, from
  // line 35 of the file) and expects the line and words of its message.
  struct TCaso {
    QByteArray de, a;
    const char* mensaje;
  } casos[] = {
      {"KIND=VARIABLE\nLEFT=0\nTOP=5", "KIND=IMAGEN\nLEFT=0\nTOP=5", "línea 36: [CONTROL3] KIND 'IMAGEN' no es"},
      {"WIDTH=90\nHEIGHT=6\nPREFIX", "WIDTH=-90\nHEIGHT=6\nPREFIX", "línea 39: [CONTROL3] WIDTH '-90' debe ser"},
      {"TOP=5\nWIDTH=90", "TOP=cinco\nWIDTH=90", "línea 38: [CONTROL3] TOP 'cinco'"},
      {"VARIABLE=103", "VARIABLE=4711", "línea 42: [CONTROL3] la variable 4711 no está en el documento"},
      {"VARIABLE=103", "VARIABLE=nombre", "línea 42: [CONTROL3] VARIABLE debe ser un código"},
      {"LEFT=0\nTOP=5\nWIDTH=90", "LEFT=50\nTOP=5\nWIDTH=90", "línea 37: [CONTROL3] se sale por la derecha"},
      {"LEFT=0\nTOP=5\nWIDTH=90", "LEFT=0\nTOP=78\nWIDTH=90", "línea 38: [CONTROL3] se sale de su banda DETAIL"},
      {"TOTAL=8", "TOTAL=9", "línea 16: falta la sección [CONTROL9]"},
      {"TOTAL=8", "TOTAL=0", "línea 16: [CONTROLS] TOTAL debe indicar"},
      {"DETAIL=80", "DETAIL=180", "línea 11: las bandas miden 225 mm"},
      {"WIDTH=148\n", "WIDTH=0\n", "línea 4: [PAPER] WIDTH debe ser una medida en milímetros mayor que 0"},
      {"[CONTROL2]\nKIND=LINE\nBAND=HEADER\nLEFT=0\nTOP=28\nWIDTH=128\nHEIGHT=0",
       "[CONTROL2]\nKIND=LINE\nBAND=HEADER\nLEFT=0\nTOP=28\nWIDTH=128\nHEIGHT=1", "[CONTROL2] una línea es"},
      {"ITALIC=1", "ITALIC=si", "[CONTROL6] ITALIC debe ser 0 o 1"},
      {"ALIGN=RIGHT", "ALIGN=JUSTIFY", "[CONTROL5] ALIGN debe ser"},
      {"BAND=FOOTER", "BAND=PIE", "[CONTROL6] BAND debe ser"},
  };
  for (const TCaso& c : casos) {
    SCOPED_TRACE(c.mensaje);
    QByteArray formato = Formato_A5(8, kControles);
    ASSERT_TRUE(formato.contains(c.de));
    formato.replace(formato.indexOf(c.de), c.de.size(), c.a);
    QFile::remove(Pdf());
    mensajes.cajas.clear();
    ASSERT_TRUE(Preparar(formato));
    EXPECT_EQ(Imprimir(), TFormato::kFormatoRechazado);
    ASSERT_EQ(mensajes.cajas.size(), 1u);
    EXPECT_TRUE(mensajes.cajas[0].texto.startsWith("El formato 'receta.prn'")) << mensajes.cajas[0].texto.toStdString();
    EXPECT_TRUE(mensajes.cajas[0].texto.contains(QString::fromUtf8(c.mensaje)))
        << mensajes.cajas[0].texto.toStdString();
    EXPECT_EQ(mensajes.cajas[0].titulo, "ERROR");
    EXPECT_FALSE(QFile::exists(Pdf()));  // nothing half-printed
  }
}

TEST_F(MotorImpresionTest, SinFormatoLeidoOSinCarpetaNoSeImprimeYSeDice) {
  // A document whose format was never read.
  EXPECT_EQ(Imprimir(), TFormato::kDocumentoNoLeido);
  ASSERT_EQ(mensajes.cajas.size(), 1u);
  EXPECT_EQ(mensajes.cajas[0].texto, "El documento no tiene un formato leído. No se imprime nada.");
  // A PDF folder that is not there.
  mensajes.cajas.clear();
  ASSERT_TRUE(Preparar(Formato_A5(8, kControles)));
  qputenv("OPTICA_IMPRESION_PDF", pdfs.filePath("no/existe").toUtf8());
  EXPECT_EQ(Imprimir(), TFormato::kSinSalida);
  ASSERT_EQ(mensajes.cajas.size(), 1u);
  EXPECT_TRUE(mensajes.cajas[0].texto.startsWith("No se ha podido escribir " + pdfs.filePath("no/existe/receta.pdf")));
}

}  // namespace
