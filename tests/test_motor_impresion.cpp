// The print engine printsvc.so, loaded as the lens module loads it (TFormato
// from the workstation's modules folder) and writing its PDF into the folder
// OPTICA_IMPRESION_PDF names; the PDF is read back with pdftotext.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <tuple>

#include "Anfitrion_prueba.h"
#include "Clase_tdocumento.h"
#include "Clase_tformato.h"
#include "Pdf_prueba.h"

namespace {

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
      {"WIDTH=148\n", "WIDTH=nan\n", "línea 4: [PAPER] WIDTH debe ser una medida en milímetros mayor que 0"},
      {"WIDTH=148\n", "WIDTH=inf\n", "línea 4: [PAPER] WIDTH debe ser una medida"},
      {"WIDTH=148\n", "WIDTH=1e308\n", "línea 4: [PAPER] WIDTH debe ser una medida"},
      {"TOP=5\nWIDTH=90", "TOP=nan\nWIDTH=90", "línea 38: [CONTROL3] TOP 'nan' debe ser un número no negativo"},
      {"[CONTROL2]\nKIND=LINE\nBAND=HEADER\nLEFT=0\nTOP=28\nWIDTH=128\nHEIGHT=0",
       "[CONTROL2]\nKIND=LINE\nBAND=HEADER\nLEFT=0\nTOP=28\nWIDTH=128\nHEIGHT=1", "[CONTROL2] una línea es"},
      {"ITALIC=1", "ITALIC=si", "[CONTROL6] ITALIC debe ser 0 o 1"},
      {"ALIGN=RIGHT", "ALIGN=JUSTIFY", "[CONTROL5] ALIGN debe ser"},
      {"BAND=FOOTER", "BAND=PIE", "[CONTROL6] BAND debe ser"},
      {"VARIABLE=103", "VARIABLE=103\nOPTIONAL=si", "línea 43: [CONTROL3] OPTIONAL debe ser 0 o 1"},
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

TEST_F(MotorImpresionTest, UnaVariableOpcionalQueFaltaNoImprimeNada) {
  const QByteArray controles =
      "[CONTROL1]\nKIND=VARIABLE\nWIDTH=60\nHEIGHT=6\nVARIABLE=904\nPREFIX=\"Población: \"\nOPTIONAL=1\n"
      "[CONTROL2]\nKIND=VARIABLE\nTOP=10\nWIDTH=60\nHEIGHT=6\nVARIABLE=103\nOPTIONAL=1\n";
  ASSERT_TRUE(Preparar(Formato_A5(2, controles)));
  ASSERT_EQ(Imprimir(), 0);
  const QString t = Texto_Pdf(Pdf());
  EXPECT_FALSE(t.contains("Población"));
  EXPECT_TRUE(t.contains("García Pérez, Lucía"));  // carried, it prints as any other
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

TEST_F(MotorImpresionTest, ConElIndicadorUnoSeVeEnLaVistaPreviaUnaPaginaPorCopia) {
  qunsetenv("OPTICA_IMPRESION_PDF");
  ASSERT_TRUE(Preparar(Formato_A5(8, kControles)));
  documento.Copias(3);
  bool vista = false;
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    vista = true;
    auto* w = dlg->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->pageCount(), 3);
    dlg->reject();
  });
  EXPECT_EQ(Imprimir(), 0);
  EXPECT_TRUE(vista);
  EXPECT_TRUE(QDir(pdfs.path()).isEmpty());
}

// ---- The default formats ----------------------------------------------------------

// A document filled as the lens screen fills it: every patient, record and
// lens code, and the shop's block for the documents that carry it.
void Rellenar(TDocumento& d, bool conEmpresa) {
  const std::pair<int, const char*> paciente[] = {
      {100, "1207"}, {101, "García Pérez"}, {102, "Lucía"}, {103, "García Pérez, Lucía"},
      {104, "Calle del Pez, 14, 2º B"}, {105, "Alcalá de Henares"}, {106, "Madrid"}, {107, "28801"},
      {108, "918 812 345"}, {109, "600 123 456"}, {110, "12345678Z"}, {111, "Mujer"}, {112, "Maestra"},
      {113, "Un amigo"}, {114, "03/05/1980"}, {115, "10/01/2019"}, {116, "02/12/2026"}, {117, ""},
      {118, "0"}, {119, "Si"}, {120, "310,5"}, {121, "310,5"}, {122, "Óptica Miravel Centro"}, {123, ""},
      {124, "lucia@correo.es"}, {125, ""}, {126, ""}, {127, "46"}};
  for (const auto& [c, v] : paciente) d.Variable(c, QString::fromUtf8(v));
  if (conEmpresa) {
    const std::pair<int, const char*> empresa[] = {
        {900, "1"}, {901, "Óptica Miravel"}, {902, "Centro óptico y de contactología"},
        {903, "Avenida de la Constitución, 27"}, {904, "Alcalá de Henares"}, {905, "Madrid"}, {906, "28801"},
        {907, "B12345678"}, {908, "918 800 100"}, {909, "918 800 101"}, {910, "tienda@miravel.es"},
        {911, "www.miravel.es"}};
    for (const auto& [c, v] : empresa) d.Variable(c, QString::fromUtf8(v));
  }
  const std::pair<int, const char*> ficha[] = {
      {3400, "Lucía"}, {3401, "García Pérez"}, {3402, "García Pérez, Lucía"}, {3403, "2"},
      {3404, "14/11/2026"}, {3405, "14/05/2027"}, {3406, "14/02/2027"}, {3407, "14/11/2027"},
      {3408, ""}, {3409, "Dra. Elena Ruiz"}, {3440, "28/1234"}, {3410, "Propia"}, {3412, "Marta"},
      {3411, "Solución única 360 ml"}, {3413, "10"}, {3415, "4,5"}, {3417, "11,8"}, {3414, "10,5"},
      {3416, "4,5"}, {3418, "11,9"}, {3419, "7,80"}, {3421, "7,90"}, {3423, "+1,50"}, {3425, "-0,75"},
      {3427, "180"}, {3429, "14,2"}, {3431, "8"}, {3433, "+2"}, {3437, "43,25"}, {3435, "1"},
      {3420, "7,70"}, {3422, "7,85"}, {3424, "-2,25"}, {3426, "-1,25"}, {3428, "90"}, {3430, "14,4"},
      {3432, "8,2"}, {3434, "+2,25"}, {3438, "43,5"}, {3436, "0,9"},
      {3439, "Primera adaptación. Tolera bien las lentes desde la segunda semana."}};
  for (const auto& [c, v] : ficha) d.Variable(c, QString::fromUtf8(v));
  const std::pair<int, const char*> lentes[] = {
      {3620, "Mensual"}, {3600, "AC-1001"}, {3602, "Acuvue Oasys"}, {3604, "Oasys"}, {3606, "8,4"},
      {3608, "8,4"}, {3610, "14"}, {3612, "Azul"}, {3622, "L-20931"}, {3614, "45,00 €"}, {3616, "45,00"},
      {3618, "14/11/2027"},
      {3621, "Mensual"}, {3601, "AC-1002"}, {3603, "Biofinity Toric"}, {3605, "Toric"}, {3607, "8,7"},
      {3609, "8,7"}, {3611, "14,5"}, {3613, ""}, {3623, "L-88017"}, {3615, "52,00 €"}, {3617, "52,00"},
      {3619, "14/05/2027"}};
  for (const auto& [c, v] : lentes) d.Variable(c, QString::fromUtf8(v));
}

// The line of the layout text that starts (after blanks) with `inicio`.
QString Fila(const QString& texto, const QString& inicio) {
  for (const QString& l : texto.split(QLatin1Char('\n')))
    if (l.trimmed().startsWith(inicio)) return l;
  return QString();
}

class FormatosPorDefectoTest : public MotorImpresionTest {
 protected:
  // Reads one of the shipped formats and prints it with a filled document.
  QString Imprimir_Formato(const char* nombre, const std::function<void(TDocumento&)>& rellenar) {
    const QString ruta = QStringLiteral(OPTICA_FORMATOS_DIR "/%1.prn").arg(QLatin1String(nombre));
    documento.Inicializar();
    documento.Fichero_Formato(ruta);
    EXPECT_EQ(documento.Leer_Formato(), 0);
    rellenar(documento);
    EXPECT_EQ(Imprimir(), 0);
    for (const auto& c : mensajes.cajas) ADD_FAILURE() << c.texto.toStdString();
    const QString pdf = pdfs.filePath(QLatin1String(nombre) + QStringLiteral(".pdf"));
    // For whoever looks at the pages: OPTICA_PRUEBA_PNG names a folder that
    // gets the PDF and a picture of each page.
    if (const QString png = qEnvironmentVariable("OPTICA_PRUEBA_PNG"); !png.isEmpty()) {
      QFile::remove(QDir(png).filePath(QLatin1String(nombre) + ".pdf"));
      QFile::copy(pdf, QDir(png).filePath(QLatin1String(nombre) + ".pdf"));
      QProcess::execute("pdftoppm", {"-png", "-r", "80", pdf, QDir(png).filePath(nombre)});
    }
    return pdf;
  }
  // The same with the values of an ordinary record, on one page.
  QString Imprimir_Formato(const char* nombre, bool conEmpresa) {
    const QString pdf = Imprimir_Formato(nombre, [&](TDocumento& d) { Rellenar(d, conEmpresa); });
    EXPECT_EQ(Info_Pdf(pdf, "Pages"), "1");
    return pdf;
  }
};

TEST_F(FormatosPorDefectoTest, LaRecetaLlevaElMembreteElPacienteYLaGraduacionDeCadaOjo) {
  const QString pdf = Imprimir_Formato("receta_lentilla", true);
  EXPECT_TRUE(Info_Pdf(pdf, "Page size").contains("(A5)"));
  EXPECT_EQ(documento.Tipo(), 16);
  const QString t = Texto_Pdf(pdf);
  // The letterhead above everything else, the shop's address in it.
  EXPECT_LT(Linea_De(t, "Óptica Miravel"), Linea_De(t, "RECETA DE LENTES DE CONTACTO"));
  EXPECT_LT(Linea_De(t, "Avenida de la Constitución, 27"), Linea_De(t, "RECETA DE LENTES DE CONTACTO"));
  EXPECT_TRUE(QRegularExpression("\\n28801\\s+Alcalá de Henares\\n").match(t).hasMatch()) << t.toStdString();
  EXPECT_TRUE(Fila(t, "Paciente:").contains("García Pérez, Lucía"));
  // Each eye's row of the graduation table, in the columns' order.
  const QString od = Fila(t, "OD"), oi = Fila(t, "OI");
  EXPECT_TRUE(QRegularExpression("OD\\s+7,80\\s+7,90\\s+\\+1,50\\s+-0,75\\s+180\\s+14,2\\s+\\+2\\s+1").match(od).hasMatch())
      << od.toStdString();
  EXPECT_TRUE(QRegularExpression("OI\\s+7,70\\s+7,85\\s+-2,25\\s+-1,25\\s+90\\s+14,4\\s+\\+2,25\\s+0,9").match(oi).hasMatch())
      << oi.toStdString();
  // The lenses with their lot and warranty date, each on its eye's row.
  EXPECT_TRUE(QRegularExpression("OD\\s+Acuvue Oasys\\s+Mensual\\s+L-20931\\s+14/11/2027").match(t).hasMatch())
      << t.toStdString();
  EXPECT_TRUE(QRegularExpression("OI\\s+Biofinity Toric\\s+Mensual\\s+L-88017\\s+14/05/2027").match(t).hasMatch());
  EXPECT_TRUE(t.contains("Firma y sello del óptico"));
  EXPECT_LT(Linea_De(t, "Firma y sello"), Linea_De(t, "Próxima revisión: 14/05/2027"));
}

TEST_F(FormatosPorDefectoTest, LaGarantiaLlevaCadaLenteConSuLoteYSuFecha) {
  const QString pdf = Imprimir_Formato("garantia_lentilla", true);
  EXPECT_TRUE(Info_Pdf(pdf, "Page size").contains("(A5)"));
  const QString t = Texto_Pdf(pdf);
  EXPECT_LT(Linea_De(t, "Avenida de la Constitución, 27"), Linea_De(t, "GARANTÍA DE LENTES DE CONTACTO"));
  EXPECT_TRUE(Fila(t, "Paciente:").contains("García Pérez, Lucía"));
  EXPECT_TRUE(QRegularExpression("OD\\s+AC-1001\\s+Acuvue Oasys\\s+L-20931\\s+14/11/2027\\s+45,00 €").match(t).hasMatch())
      << t.toStdString();
  EXPECT_TRUE(QRegularExpression("OI\\s+AC-1002\\s+Biofinity Toric\\s+L-88017\\s+14/05/2027\\s+52,00 €").match(t).hasMatch());
  EXPECT_TRUE(t.contains("Firma del cliente"));
  EXPECT_TRUE(t.contains("Conserve este documento. Óptica Miravel"));
}

TEST_F(FormatosPorDefectoTest, LaFichaNoNecesitaLaEmpresaYLlevaTodaLaAdaptacion) {
  // The record sheet gets no company block: a format that used it would be refused.
  const QString pdf = Imprimir_Formato("ficha_lentilla", false);
  EXPECT_TRUE(Info_Pdf(pdf, "Page size").contains("(A4)"));
  EXPECT_EQ(documento.Tipo(), 30);
  const QString t = Texto_Pdf(pdf);
  EXPECT_TRUE(t.contains("Ficha nº 2"));
  EXPECT_TRUE(Fila(t, "Nombre:").contains("García Pérez, Lucía"));
  EXPECT_TRUE(QRegularExpression("OD\\s+7,80\\s+7,90\\s+\\+1,50\\s+-0,75\\s+180\\s+14,2\\s+8\\s+\\+2\\s+1\\s+43,25").match(t).hasMatch())
      << t.toStdString();
  EXPECT_TRUE(QRegularExpression("OD\\s+AC-1001\\s+Acuvue Oasys\\s+Mensual\\s+Azul\\s+L-20931\\s+14/11/2027").match(t).hasMatch());
  EXPECT_TRUE(QRegularExpression("OI\\s+10,5\\s+4,5\\s+11,9").match(t).hasMatch());
  EXPECT_TRUE(t.contains("Dra. Elena Ruiz"));
  EXPECT_TRUE(t.contains("Tolera bien las lentes"));
}

// Every code of the lens documents at the longest its column allows
// (db/schema.sql): texts as long as their VARCHAR (a doctor's or an agent's
// name and surnames, a patient's surnames and name), whole numbers of ten
// digits, graduations as long as the record's conversions make them, the
// widest amounts, and long observations; each value reads as its field and
// no two alike.
QMap<int, QString> Variables_Mas_Largas() {
  QMap<int, QString> v{
      {100, "2147483601"}, {101, Texto_Largo("Apellidos", 100)}, {102, Texto_Largo("Nombre", 50)},
      {103, Texto_Largo("ApellidosNombre", 152)}, {104, Texto_Largo("Direccion", 100)},
      {105, Texto_Largo("Localidad", 100)}, {106, Texto_Largo("Provincia", 100)}, {107, "2147483607"},
      {108, Texto_Largo("Tel", 20)}, {109, Texto_Largo("Movil", 20)}, {110, Texto_Largo("NIF", 20)},
      {111, "No Definido"}, {112, Texto_Largo("Profesion", 50)}, {113, Texto_Largo("VienePor", 100)},
      {114, "31/12/1931"}, {127, "105"}, {115, "30/11/2015"}, {116, "29/10/2026"}, {117, "28/09/2001"},
      {118, "-1234567,891"}, {119, "Si"}, {120, "-99999999,99"}, {121, "-16637917,84"},
      {122, Texto_Largo("Tienda", 100)}, {123, Texto_Largo("Fotografia", 255)}, {124, Texto_Largo("Correo", 100)},
      {125, Texto_Largo("Web", 100)}, {126, Texto_Largo("NotaPaciente", 4000)},
      {900, "2147483690"}, {901, Texto_Largo("Empresa", 100)}, {902, Texto_Largo("Comercial", 100)},
      {903, Texto_Largo("Domicilio", 100)}, {904, Texto_Largo("Poblacion", 100)},
      {905, Texto_Largo("Region", 100)}, {906, "2147483696"}, {907, Texto_Largo("CIF", 20)},
      {908, Texto_Largo("Centralita", 20)}, {909, Texto_Largo("Fax", 20)}, {910, Texto_Largo("Email", 100)},
      {911, Texto_Largo("Pagina", 100)},
      {3400, Texto_Largo("FichaNombre", 50)}, {3401, Texto_Largo("FichaApellidos", 100)},
      {3402, Texto_Largo("Titular", 152)}, {3403, "2147483643"}, {3404, "27/08/2026"}, {3405, "26/07/2027"},
      {3406, "25/06/2027"}, {3407, "24/05/2028"}, {3408, "23/04/2027"}, {3409, Texto_Largo("Doctor", 151)},
      {3440, Texto_Largo("Colegiado", 30)}, {3410, "Propia"}, {3412, Texto_Largo("Agente", 151)},
      {3411, Texto_Largo("Liquidos", 255)}, {3439, Texto_Largo("Observacion", 4000)}};
  // The eye measurements (0 to 99,9); the graduation: "Compen" and
  // "Neutro" or a signed number for the sphere and cylinder, up to 99,99
  // for the rest, three digits for the axes; radii and keratometries are
  // texts.
  const char* medidas[] = {"99,90", "98,80", "97,70", "96,60", "95,50", "94,40"};
  for (int i = 0; i < 6; ++i) v[3413 + i] = medidas[i];
  const std::pair<int, const char*> graduacion[] = {
      {3423, "Compen"}, {3424, "Neutro"}, {3425, "-64,25"}, {3426, "+63,75"}, {3427, "180"}, {3428, "175"},
      {3429, "99,99"}, {3430, "98,75"}, {3431, "97,25"}, {3432, "96,75"}, {3433, "+60,75"},
      {3434, "-59,50"}, {3435, "89,90"}, {3436, "88,80"}};
  for (const auto& [c, t] : graduacion) v[c] = t;
  for (const auto& [c, nombre, largo] : {std::tuple{3419, "RadioUno", 20}, {3421, "RadioDos", 20},
                                          {3437, "Querat", 50}, {3600, "Ref", 30}, {3602, "Lente", 255},
                                          {3604, "Modelo", 50}, {3606, "RadUno", 20}, {3608, "RadDos", 20},
                                          {3612, "Color", 50}, {3622, "Lote", 50}, {3620, "Tipo", 255}})
    for (int ojo : {0, 1})
      v[c + ojo] = Texto_Largo(QLatin1String(nombre) + (ojo ? "OI" : "OD"), largo);
  const std::pair<int, const char*> lentes[] = {
      {3610, "99,75"}, {3611, "99,25"}, {3614, "-99.999,99 €"}, {3615, "-88.888,88 €"},
      {3616, "-16.637.934 Pts"}, {3617, "-14.789.365 Pts"}, {3618, "22/03/2028"}, {3619, "21/02/2028"}};
  for (const auto& [c, t] : lentes) v[c] = QString::fromUtf8(t);
  return v;
}

// The codes a format prints.
QList<int> Codigos(const QString& formato) {
  QFile f(formato);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
  QList<int> codigos;
  auto m = QRegularExpression(QStringLiteral("^VARIABLE\\s*=\\s*(\\d+)"), QRegularExpression::MultilineOption)
               .globalMatch(QString::fromUtf8(f.readAll()));
  while (m.hasNext()) codigos << m.next().captured(1).toInt();
  return codigos;
}

// Each shipped format with every value as long as its column allows: every
// value prints whole (wrapped within its box, the box and its band grown, the
// detail going on over another page when it must), nothing prints over
// anything else or outside the margins.
TEST_F(FormatosPorDefectoTest, NingunValorSeCortaNiConLoMasLargoQueAdmiteSuColumna) {
  const QMap<int, QString> largos = Variables_Mas_Largas();
  const struct {
    const char* formato;
    QRectF area;  // printable area in mm
  } casos[] = {{"ficha_lentilla", {12, 12, 186, 273}},
               {"receta_lentilla", {12, 10, 124, 190}},
               {"garantia_lentilla", {12, 10, 124, 190}}};
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.formato);
    const QString pdf = Imprimir_Formato(caso.formato, [&](TDocumento& d) {
      for (auto i = largos.cbegin(); i != largos.cend(); ++i) d.Variable(i.key(), i.value());
    });
    const QList<TPalabra> palabras = Palabras_Pdf(pdf);
    const QList<int> codigos = Codigos(QStringLiteral(OPTICA_FORMATOS_DIR "/%1.prn").arg(caso.formato));
    ASSERT_GT(codigos.size(), 25);
    for (int c : codigos)
      EXPECT_TRUE(Impreso_Entero(palabras, largos.value(c))) << c << ": " << largos.value(c).toStdString();
    const QRectF& a = caso.area;
    Comprobar_Sin_Solapes(palabras, QRectF(a.x() * kPuntosMm, a.y() * kPuntosMm, a.width() * kPuntosMm,
                                           a.height() * kPuntosMm));
  }
}

TEST_F(FormatosPorDefectoTest, CadaFormatoEsDeSuTipo) {
  // The format search lists by FORMAT/DOCUMENT: each shipped file names its type.
  const std::pair<const char*, int> casos[] = {{"ficha_lentilla", 30}, {"receta_lentilla", 16}, {"garantia_lentilla", 25}};
  for (const auto& [nombre, tipo] : casos) {
    TDocumento d;
    d.Fichero_Formato(QStringLiteral(OPTICA_FORMATOS_DIR "/%1.prn").arg(QLatin1String(nombre)));
    EXPECT_EQ(d.Comprobar_Formato(), 0) << nombre;
    EXPECT_EQ(d.Tipo(), tipo) << nombre;
  }
}

}  // namespace
