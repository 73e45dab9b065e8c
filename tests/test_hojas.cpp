// The fitting-test and replacement sheets, read back from the PDF they write:
// the words with their boxes (pdftotext -bbox) say where each value landed,
// the layout text (pdftotext -layout) what a reader sees on each line.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>

#include "Anfitrion_prueba.h"
#include "Base_prueba.h"
#include "Clase_tmoneda.h"
#include "Clase_tpaciente.h"
#include "Frm_ficha_prueba.h"
#include "Frm_ficha_reposicion.h"
#include "Util_fechas.h"
#include "Util_locale.h"

namespace {

constexpr double kMm = 72.0 / 25.4;  // PDF points per millimetre

struct TPalabra {
  QString texto;
  double x0, y0, x1, y1;
  int pagina;
  double Centro() const { return (x0 + x1) / 2; }
};

QString Ejecutar(const QString& programa, const QStringList& argumentos) {
  QProcess p;
  p.start(programa, argumentos);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return QStringLiteral("<error de %1>").arg(programa);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of one page (or all) as pdftotext lays it out.
QString Texto(const QString& pdf, int pagina = 0) {
  QStringList a{QStringLiteral("-layout")};
  if (pagina > 0) a << "-f" << QString::number(pagina) << "-l" << QString::number(pagina);
  return Ejecutar(QStringLiteral("pdftotext"), a << pdf << QStringLiteral("-"));
}

int Paginas(const QString& pdf) {
  const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(Ejecutar("pdfinfo", {pdf}));
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QList<TPalabra> Palabras(const QString& pdf) {
  QList<TPalabra> palabras;
  QXmlStreamReader xml(Ejecutar(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"}));
  int pagina = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("page")) ++pagina;
    if (xml.name() != QLatin1String("word")) continue;
    const auto a = xml.attributes();
    TPalabra p{{}, a.value("xMin").toDouble(), a.value("yMin").toDouble(), a.value("xMax").toDouble(),
               a.value("yMax").toDouble(), pagina};
    p.texto = xml.readElementText();
    palabras << p;
  }
  return palabras;
}

// The n-th word (0-based) with this text, or an empty word far off the page.
TPalabra Palabra(const QList<TPalabra>& palabras, const QString& texto, int n = 0) {
  for (const TPalabra& p : palabras)
    if (p.texto == texto && n-- == 0) return p;
  return {texto + QStringLiteral(" (no está)"), -1000, -1000, -1000, -1000, 0};
}

// The line of the layout text that starts with `inicio`, its runs of blanks
// read as one.
QString Linea(const QString& texto, const QString& inicio) {
  for (const QString& l : texto.split(QLatin1Char('\n')))
    if (l.simplified().startsWith(inicio)) return l.simplified();
  return {};
}

// Every word inside the printable area (10 mm margins of an A4 page) and no
// two words overlapping.
void Comprobar_Sin_Solapes(const QList<TPalabra>& palabras) {
  const double izquierda = 10 * kMm - 0.5, derecha = (210 - 10) * kMm + 0.5;
  const double arriba = 10 * kMm - 0.5, abajo = (297 - 10) * kMm + 0.5;
  for (int i = 0; i < palabras.size(); ++i) {
    const TPalabra& a = palabras[i];
    EXPECT_TRUE(a.x0 >= izquierda && a.x1 <= derecha && a.y0 >= arriba && a.y1 <= abajo)
        << a.texto.toStdString() << " fuera de los márgenes en la página " << a.pagina;
    for (int j = i + 1; j < palabras.size(); ++j) {
      const TPalabra& b = palabras[j];
      if (a.pagina != b.pagina) continue;
      // Glyph boxes of neighbouring lines may touch; a real overlap covers
      // a good part of the smaller word.
      const double ancho = std::min(a.x1, b.x1) - std::max(a.x0, b.x0);
      const double alto = std::min(a.y1, b.y1) - std::max(a.y0, b.y0);
      EXPECT_FALSE(ancho > 0.5 && alto > 0.35 * std::min(a.y1 - a.y0, b.y1 - b.y0))
          << a.texto.toStdString() << " y " << b.texto.toStdString() << " se pisan en la página " << a.pagina;
    }
  }
}

TDatosFichaPrueba Prueba_Completa() {
  TDatosFichaPrueba d;
  d.Ficha = "3";
  d.Fecha = "14/02/2026";
  d.Agente = "Lucía Romero Prieto";
  d.OD_Radio1 = "7,80";
  d.OD_Radio2 = "7,70";
  d.OD_Esfera = "-2,25";
  d.OD_Cilindro = "-0,75";
  d.OD_Eje = "180";
  d.OD_Diametro = "14,20";
  d.OD_ZOptica = "8,00";
  d.OD_Adicion = "+1,50";
  d.OD_AVisual = "1,0";
  d.OD_Sob_Esfera = "+0,25";
  d.OD_Sob_Cilindro = "-0,50";
  d.OD_Sob_Eje = "175";
  d.OD_Sob_AV = "1,2";
  d.OI_Radio1 = "7,90";
  d.OI_Radio2 = "7,85";
  d.OI_Esfera = "-3,00";
  d.OI_Cilindro = "-1,25";
  d.OI_Eje = "10";
  d.OI_Diametro = "14,40";
  d.OI_ZOptica = "8,20";
  d.OI_Adicion = "+1,75";
  d.OI_AVisual = "0,8";
  d.OI_Sob_Esfera = "-0,25";
  d.OI_Sob_Cilindro = "-0,75";
  d.OI_Sob_Eje = "5";
  d.OI_Sob_AV = "0,9";
  d.OD_Tipo_Lentilla = "Blanda mensual";
  d.OI_Tipo_Lentilla = "Tórica mensual";
  d.OD_Descripcion = "Air Optix Aqua 8,6";
  d.OI_Descripcion = "Biofinity Toric 8,7";
  d.ODLote = "L2026-0411";
  d.OILote = "L2026-0977";
  d.Observaciones = "Buen centrado en ambos ojos.\nRevisar la rotación del OI en una semana.";
  d.Nombre = "María José García Sánchez";
  d.Sexo = "Mujer";
  d.Direccion = "Calle del Arenal, 14, 2º izda.";
  d.Codigo_Postal = "28013";
  d.Localidad = "Madrid";
  d.Provincia = "Madrid";
  d.Profesion = "Administrativa";
  d.VienePor = "Paso por la tienda";
  d.Telefono = "915476203";
  d.Movil = "619453872";
  d.Nif = "05287431F";
  d.Fecha_Nacimiento = "12/04/1968";
  d.Fecha1Visita = "14/02/2023";
  d.Fecha_Ult_Visita = "18/03/2026";
  d.Edad = "57";
  return d;
}

TDatosFichaReposicion Reposiciones(int filas) {
  TDatosFichaReposicion d;
  d.Nombre = "Antonio López Martínez";
  d.Direccion = "Paseo de las Delicias, 61, 4º A";
  d.Codigo_Postal = "28045";
  d.Localidad = "Madrid";
  d.Provincia = "Madrid";
  d.Telefono = "914673318";
  d.Movil = "608214597";
  d.Mascara_Importe = QStringLiteral(",0.00 €");
  for (int i = 0; i < filas; ++i)
    d.Filas << TFilaReposicionInforme{fechas::Fecha_A_Texto(fechas::Codificar(2024, 1, 1) + i),
                                      i % 3 == 0 ? "Limp" : "Rep", i % 2 ? "Izdo." : "Dcho.", 34.9 + i,
                                      QStringLiteral("Caja número R%1").arg(i, 3, 10, QLatin1Char('0'))};
  return d;
}

// OPTICA_HOJAS_PDF names a folder where the sheets are kept to be looked at.
class HojasTest : public ::testing::Test {
 protected:
  QString Pdf(THojaInforme& hoja, const QString& nombre) {
    const QString guardar = qEnvironmentVariable("OPTICA_HOJAS_PDF");
    const QString ruta =
        guardar.isEmpty() ? dir.filePath(nombre)
                          : guardar + '/' + ::testing::UnitTest::GetInstance()->current_test_info()->name() + '_' + nombre;
    EXPECT_TRUE(hoja.Imprimir_Pdf(ruta));
    return ruta;
  }
  QTemporaryDir dir;
};

TEST_F(HojasTest, FichaDePruebaDatosDelPacienteYGraduacionDeCadaOjo) {
  TfrmFichaPrueba hoja(Prueba_Completa());
  const QString pdf = Pdf(hoja, "prueba.pdf");
  ASSERT_EQ(Paginas(pdf), 1);
  const QString t = Texto(pdf);
  for (const char* s : {"Ficha de Pruebas", "Completa", "Datos Del Paciente", "María José García Sánchez",
                        "Calle del Arenal, 14, 2º izda.", "Paso por la tienda", "05287431F", "Lucía Romero Prieto",
                        "Datos de las Lentes", "Air Optix Aqua 8,6", "L2026-0977",
                        "Revisar la rotación del OI en una semana."})
    EXPECT_TRUE(t.contains(QString::fromUtf8(s))) << s;
  EXPECT_TRUE(Linea(t, "Nombre:").endsWith("Sexo: Mujer")) << Linea(t, "Nombre:").toStdString();
  EXPECT_EQ(Linea(t, "Fecha Nacimiento:"), "Fecha Nacimiento: 12/04/1968 Edad: 57");
  EXPECT_EQ(Linea(t, "OD"), "OD 7,80 7,70 -2,25 -0,75 180 14,20 8,00 +1,50 1,0 +0,25 -0,50 175 1,2");
  EXPECT_EQ(Linea(t, "OI 7"), "OI 7,90 7,85 -3,00 -1,25 10 14,40 8,20 +1,75 0,8 -0,25 -0,75 5 0,9");
  EXPECT_EQ(Linea(t, "OD Blanda"), "OD Blanda mensual Air Optix Aqua 8,6 L2026-0411");

  // Each value stands under its own column caption: the second "Esfera" and
  // "Eje" head the over-refraction.
  const auto w = Palabras(pdf);
  const struct {
    const char* columna;
    int n;
    const char* od;
    const char* oi;
  } columnas[] = {{"Esfera", 0, "-2,25", "-3,00"}, {"Cilindro", 0, "-0,75", "-1,25"}, {"Eje", 0, "180", "10"},
                  {"Esfera", 1, "+0,25", "-0,25"}, {"Cil.", 0, "-0,50", "-0,75"},    {"Eje", 1, "175", "5"},
                  {"A.V", 0, "1,2", "0,9"}};
  const TPalabra od = Palabra(w, "OD"), oi = Palabra(w, "OI");
  for (const auto& c : columnas) {
    const TPalabra cab = Palabra(w, c.columna, c.n);
    // "-0,75" is both the OD cylinder and the OI over-refraction cylinder.
    const TPalabra vOd = Palabra(w, c.od, QString(c.od) == "-0,75" && QString(c.columna) == "Cil." ? 1 : 0);
    const TPalabra vOi = Palabra(w, c.oi, QString(c.oi) == "-0,75" && QString(c.columna) == "Cil." ? 1 : 0);
    EXPECT_NEAR(vOd.Centro(), cab.Centro(), 2 * kMm) << c.columna << " OD";
    EXPECT_NEAR(vOi.Centro(), cab.Centro(), 2 * kMm) << c.columna << " OI";
    EXPECT_NEAR(vOd.y1, od.y1, 1) << c.od;
    EXPECT_NEAR(vOi.y1, oi.y1, 1) << c.oi;
  }
  EXPECT_GT(oi.y0, od.y0);
  Comprobar_Sin_Solapes(w);
}

TEST_F(HojasTest, FichaDePruebaFechasSinValorYSexoSinDefinirQuedanVacios) {
  TDatosFichaPrueba d = Prueba_Completa();
  d.Sexo = TPaciente::Texto_Sexo(0);
  d.Fecha_Nacimiento = "30/12/1899";
  d.Fecha1Visita = "30/12/1899";
  d.Fecha = "30/12/1899";
  d.Edad = "0";
  TfrmFichaPrueba hoja(d);
  const QString t = Texto(Pdf(hoja, "prueba.pdf"));
  EXPECT_FALSE(t.contains("30/12/1899"));
  EXPECT_TRUE(Linea(t, "Nombre:").endsWith("Sexo:")) << Linea(t, "Nombre:").toStdString();
  EXPECT_EQ(Linea(t, "Fecha Nacimiento:"), "Fecha Nacimiento: Edad: 0");
  EXPECT_EQ(Linea(t, "Fecha 1ª Visita:"), "Fecha 1ª Visita: Fecha Últ. Visita: 18/03/2026");
  EXPECT_EQ(Linea(t, "Nº Ficha:"), "Nº Ficha: 3 Fecha:");
  // Only the unset date: any other date is printed as it stands.
  EXPECT_EQ(Fecha_Para_Informe("31/12/1899"), "31/12/1899");
  EXPECT_EQ(Fecha_Para_Informe(""), "");
}

TEST_F(HojasTest, FichaDePruebaEnBlancoYObservacionesQueSiguenEnOtraPagina) {
  TfrmFichaPrueba vacia;
  const QString pdfVacia = Pdf(vacia, "vacia.pdf");
  EXPECT_EQ(Paginas(pdfVacia), 1);
  const QString t = Texto(pdfVacia);
  for (const char* s : {"Ficha de Pruebas", "Datos de la Graduación", "Radio 1", "Z.Optica", "A.V", "Tipo Lentilla",
                        "Nº Lote", "Observaciones"})
    EXPECT_TRUE(t.contains(QString::fromUtf8(s))) << s;

  TDatosFichaPrueba d = Prueba_Completa();
  QStringList parrafos;
  for (int i = 0; i < 70; ++i) parrafos << QStringLiteral("Control %1: lentilla centrada, sin molestias.").arg(i);
  d.Observaciones = parrafos.join('\n');
  TfrmFichaPrueba larga(d);
  const QString pdf = Pdf(larga, "larga.pdf");
  EXPECT_EQ(Paginas(pdf), 2);
  EXPECT_TRUE(Texto(pdf, 2).contains("Control 69: lentilla centrada"));
  Comprobar_Sin_Solapes(Palabras(pdf));
}

TEST_F(HojasTest, FichaDeReposicionImportesEnLaMonedaYCadaFilaEnSuBanda) {
  TDatosFichaReposicion d = Reposiciones(0);
  d.Filas << TFilaReposicionInforme{"03/02/2026", "Rep", "Ambos", 34.9, "Caja de 6 Air Optix"}
          << TFilaReposicionInforme{"30/12/1899", "Limp", "Dcho.", 1234.5, "<Sin descripción>"}
          << TFilaReposicionInforme{"10/03/2026", "Rev", "Izdo.", -5, "Abono"};
  TfrmFichaReposicion hoja(d);
  const QString pdf = Pdf(hoja, "reposicion.pdf");
  ASSERT_EQ(Paginas(pdf), 1);
  const QString t = Texto(pdf);
  for (const char* s : {"Ficha de Reposición de Lentillas", "Completa", "Datos Del Paciente", "Antonio López Martínez",
                        "Paseo de las Delicias, 61, 4º A", "28045", "608214597", "Datos de las Reposiciones"})
    EXPECT_TRUE(t.contains(QString::fromUtf8(s))) << s;
  EXPECT_EQ(Linea(t, "Fecha: 03/02/2026"), "Fecha: 03/02/2026 Tipo: Rep Ojo: Ambos Importe: 34,90 €");
  EXPECT_EQ(Linea(t, "Fecha: Tipo: Limp"), "Fecha: Tipo: Limp Ojo: Dcho. Importe: 1.234,50 €");
  EXPECT_EQ(Linea(t, "Fecha: 10/03/2026"), "Fecha: 10/03/2026 Tipo: Rev Ojo: Izdo. Importe: -5,00 €");
  EXPECT_EQ(Linea(t, "Observaciones Caja"), "Observaciones Caja de 6 Air Optix");

  // The amounts end at the right margin, one under the other.
  const auto w = Palabras(pdf);
  const TPalabra a = Palabra(w, "34,90"), b = Palabra(w, "1.234,50");
  EXPECT_NEAR(Palabra(w, "€", 0).x1, 200 * kMm, 1.5 * kMm);
  EXPECT_NEAR(Palabra(w, "€", 1).x1, Palabra(w, "€", 0).x1, 0.5);
  EXPECT_GT(b.y0, a.y0);
  Comprobar_Sin_Solapes(w);

  // Without a mask the amount still reads as money.
  EXPECT_EQ(Reposiciones(0).Texto_Importe(12), "12,00 €");
  TDatosFichaReposicion sinMoneda;
  EXPECT_EQ(sinMoneda.Texto_Importe(1234.5), "1.234,50");
}

TEST_F(HojasTest, FichaDeReposicionListaVaciaSoloLaBandaDeTitulo) {
  TfrmFichaReposicion hoja(Reposiciones(0));
  const QString pdf = Pdf(hoja, "vacia.pdf");
  EXPECT_EQ(Paginas(pdf), 1);
  const QString t = Texto(pdf);
  EXPECT_TRUE(t.contains("Datos de las Reposiciones"));
  EXPECT_TRUE(t.contains("Antonio López Martínez"));
  EXPECT_FALSE(t.contains("Importe:"));
  EXPECT_FALSE(t.contains("Observaciones"));
  // A file that cannot be written is said so.
  EXPECT_FALSE(hoja.Imprimir_Pdf(dir.filePath("no/existe/vacia.pdf")));
}

// A long list runs over as many pages as it needs: the title band on the
// first page only, every replacement once, in order, never cut between pages.
TEST_F(HojasTest, FichaDeReposicionCientoVeinteFilasEnVariasPaginas) {
  TfrmFichaReposicion hoja(Reposiciones(120));
  const QString pdf = Pdf(hoja, "larga.pdf");
  const int paginas = Paginas(pdf);
  ASSERT_GE(paginas, 3);
  QList<int> filasPorPagina;
  int siguiente = 0;
  for (int p = 1; p <= paginas; ++p) {
    const QString t = Texto(pdf, p);
    EXPECT_EQ(t.contains("Datos Del Paciente"), p == 1) << p;
    EXPECT_EQ(t.contains("Ficha de Reposición de Lentillas"), p == 1) << p;
    const QStringList lineas = t.split('\n');
    int filas = 0;
    for (int i = 0; i < lineas.size(); ++i) {
      const QString l = lineas[i].simplified();
      if (!l.startsWith("Fecha:")) continue;
      const QString fecha = fechas::Fecha_A_Texto(fechas::Codificar(2024, 1, 1) + siguiente);
      EXPECT_TRUE(l.startsWith("Fecha: " + fecha)) << l.toStdString() << " en la página " << p;
      EXPECT_TRUE(l.endsWith(locale_es::Formatear(34.9 + siguiente, ",0.00 €"))) << l.toStdString();
      // Its observations follow on the same page.
      ASSERT_LT(i + 1, lineas.size());
      EXPECT_EQ(lineas[i + 1].simplified(), QStringLiteral("Observaciones Caja número R%1").arg(siguiente, 3, 10, QChar('0')));
      ++siguiente;
      ++filas;
    }
    filasPorPagina << filas;
  }
  EXPECT_EQ(siguiente, 120);
  // Full pages hold the same number of rows; the first loses the title band's room.
  EXPECT_LT(filasPorPagina[0], filasPorPagina[1]);
  EXPECT_EQ(filasPorPagina[1], filasPorPagina[2]);
  EXPECT_LE(filasPorPagina.last(), filasPorPagina[1]);
  Comprobar_Sin_Solapes(Palabras(pdf));
}

TEST_F(HojasTest, FichaDeReposicionObservacionesLargasPartidasEnPalabras) {
  TDatosFichaReposicion d = Reposiciones(0);
  QStringList palabras;
  for (int i = 0; i < 1500; ++i) palabras << QStringLiteral("p%1").arg(i);
  d.Filas << TFilaReposicionInforme{"01/02/2026", "Rep", "Ambos", 10, palabras.join(' ')}
          << TFilaReposicionInforme{"02/02/2026", "Limp", "Dcho.", 20, "Primera línea\nSegunda línea"};
  TfrmFichaReposicion hoja(d);
  const QString pdf = Pdf(hoja, "obs.pdf");
  const int paginas = Paginas(pdf);
  ASSERT_GE(paginas, 2);
  // Taller than a page, the band starts under the title and is cut at the
  // page ends; the next replacement follows it.
  EXPECT_TRUE(Texto(pdf, 1).contains("Fecha: 01/02/2026"));
  // Every word once, in order, none cut: the text wraps between words.
  QStringList leidas;
  for (const TPalabra& w : Palabras(pdf))
    if (w.texto.startsWith('p') && w.texto.size() > 1 && w.texto[1].isDigit()) leidas << w.texto;
  EXPECT_EQ(leidas, palabras);
  const QString t2 = Texto(pdf, paginas);
  EXPECT_TRUE(t2.contains("p1499"));
  EXPECT_TRUE(t2.contains("Observaciones Primera línea"));
  EXPECT_EQ(Linea(t2, "Segunda"), "Segunda línea");
  Comprobar_Sin_Solapes(Palabras(pdf));
}

// The preview is modal, maximised and at page width, and shows the pages the
// PDF has.
TEST_F(HojasTest, VistaPreviaMaximizadaAlAnchoDePagina) {
  TfrmFichaReposicion hoja(Reposiciones(120));
  const int paginas = Paginas(Pdf(hoja, "larga.pdf"));
  bool vista = false;
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    vista = true;
    EXPECT_TRUE(dlg->windowState() & Qt::WindowMaximized);
    auto* w = dlg->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->zoomMode(), QPrintPreviewWidget::FitToWidth);
    EXPECT_EQ(w->pageCount(), paginas);
    dlg->reject();
  });
  hoja.Mostrar_Vista_Previa(nullptr);
  EXPECT_TRUE(vista);
}

// The patient's fields as the screen fills them from the database.
TEST(HojasPaciente, RellenarDesdeElPacienteCargado) {
  TAnfitrionPrueba h;
  Ejecutar_SQL(*h.principal, "insert into PROVINCIA (ID_PROVINCIA, CODIGO, DESCRIPCION) values (45, 45, 'Toledo')");
  Ejecutar_SQL(*h.principal,
               "insert into LOCALIDAD (ID_LOCALIDAD, ID_PROVINCIA, CODIGO_POSTAL, DESCRIPCION) values "
               "(9, 45, 45600, 'Talavera de la Reina')");
  Ejecutar_SQL(*h.principal,
               "update PACIENTE set DIRECCION = 'C/ Prado, 8', ID_LOCALIDAD = 9, TELEFONO = '925000000', "
               "TELEFONO_MOVIL = '600999888', NIF = '11111111H', PROFESION = 'Docente', VIENE_POR = 'Revisión', "
               "SEXO = 0, FECHA_NACIMIENTO = NULL, FECHA_PRIMERA_VISITA = '2024-05-06' where ID_PACIENTE = 7");
  TPaciente p(&h.aplicacion, h.secundaria.get(), h.principal.get());
  p.ID(7);
  ASSERT_EQ(p.Buscar(0), 0);

  TDatosFichaPrueba prueba;
  prueba.Rellenar_Paciente(p, "Marta Álvarez Gil");
  EXPECT_EQ(prueba.Nombre, "Marta Álvarez Gil");
  EXPECT_EQ(prueba.Sexo, "");
  EXPECT_EQ(prueba.Direccion, "C/ Prado, 8");
  EXPECT_EQ(prueba.Codigo_Postal, "45600");
  EXPECT_EQ(prueba.Localidad, "Talavera de la Reina");
  EXPECT_EQ(prueba.Provincia, "Toledo");
  EXPECT_EQ(prueba.Nif, "11111111H");
  EXPECT_EQ(prueba.Profesion, "Docente");
  EXPECT_EQ(prueba.VienePor, "Revisión");
  EXPECT_EQ(prueba.Fecha1Visita, "06/05/2024");
  EXPECT_EQ(Fecha_Para_Informe(prueba.Fecha_Nacimiento), "");
  EXPECT_EQ(prueba.Edad, "0");

  // The age is that of the day the sheet is made: 30 years and a day.
  const QDate hoy = fechas::A_QDate(fechas::Hoy());
  p.FECHA_NACIMIENTO(fechas::Desde_QDate(hoy.addYears(-30).addDays(-1)));
  prueba.Rellenar_Paciente(p, "Marta Álvarez Gil");
  EXPECT_EQ(prueba.Edad, "30");
  EXPECT_EQ(prueba.Fecha_Nacimiento, hoy.addYears(-30).addDays(-1).toString("dd/MM/yyyy"));

  TDatosFichaReposicion reposicion;
  reposicion.Rellenar_Paciente(p, "Marta Álvarez Gil");
  EXPECT_EQ(reposicion.Codigo_Postal, "45600");
  EXPECT_EQ(reposicion.Localidad, "Talavera de la Reina");
  EXPECT_EQ(reposicion.Provincia, "Toledo");
  EXPECT_EQ(reposicion.Telefono, "925000000");
  EXPECT_EQ(reposicion.Movil, "600999888");

  // The amounts take the main currency's display mask.
  Ejecutar_SQL(*h.principal, "delete from MONEDA");
  Ejecutar_SQL(*h.principal,
               "insert into MONEDA (ID_MONEDA, DESCRIPCION_M1, DESCRIPCION_M2, SIMBOLO_M1, SIMBOLO_M2, DECIMALES_M1, "
               "DECIMALES_M2, CONVERSION, USAR_SEGUNDA_MONEDA) values (1, 'Euros', 'Pesetas', '€', 'Pts', 2, 0, "
               "166.386, 1)");
  TMoneda moneda(&h.aplicacion, h.secundaria.get(), h.principal.get());
  reposicion.Fijar_Moneda(moneda);
  EXPECT_EQ(reposicion.Texto_Importe(34.9), "34,90 €");
  EXPECT_EQ(reposicion.Texto_Importe(1234.567), "1.234,57 €");
}

}  // namespace
