// The fitting-test, replacement and lot-recall sheets, read back from the PDF
// they write:
// the words with their boxes (pdftotext -bbox) say where each value landed,
// the layout text (pdftotext -layout) what a reader sees on each line.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include "Anfitrion_prueba.h"
#include "Base_prueba.h"
#include "Clase_tmoneda.h"
#include "Clase_tpaciente.h"
#include "Frm_ficha_prueba.h"
#include "Frm_ficha_reposicion.h"
#include "Frm_hoja_retirada.h"
#include "Pdf_prueba.h"
#include "Util_fechas.h"
#include "Util_locale.h"

namespace {

// The printable area of the sheets' A4 pages, in PDF points.
const QRectF kArea(10 * kPuntosMm, 10 * kPuntosMm, 190 * kPuntosMm, 277 * kPuntosMm);

// The line of the layout text that starts with `inicio`, its runs of blanks
// read as one.
QString Linea(const QString& texto, const QString& inicio) {
  for (const QString& l : texto.split(QLatin1Char('\n')))
    if (l.simplified().startsWith(inicio)) return l.simplified();
  return {};
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
  ASSERT_EQ(Paginas_Pdf(pdf), 1);
  const QString t = Texto_Pdf(pdf);
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
  const auto w = Palabras_Pdf(pdf);
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
    EXPECT_NEAR(vOd.Centro(), cab.Centro(), 2 * kPuntosMm) << c.columna << " OD";
    EXPECT_NEAR(vOi.Centro(), cab.Centro(), 2 * kPuntosMm) << c.columna << " OI";
    EXPECT_NEAR(vOd.y1, od.y1, 1) << c.od;
    EXPECT_NEAR(vOi.y1, oi.y1, 1) << c.oi;
  }
  EXPECT_GT(oi.y0, od.y0);
  Comprobar_Sin_Solapes(w, kArea);
}

TEST_F(HojasTest, FichaDePruebaFechasSinValorYSexoSinDefinirQuedanVacios) {
  TDatosFichaPrueba d = Prueba_Completa();
  d.Sexo = TPaciente::Texto_Sexo(0);
  d.Fecha_Nacimiento = "30/12/1899";
  d.Fecha1Visita = "30/12/1899";
  d.Fecha = "30/12/1899";
  d.Edad = "0";
  TfrmFichaPrueba hoja(d);
  const QString t = Texto_Pdf(Pdf(hoja, "prueba.pdf"));
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
  EXPECT_EQ(Paginas_Pdf(pdfVacia), 1);
  const QString t = Texto_Pdf(pdfVacia);
  for (const char* s : {"Ficha de Pruebas", "Datos de la Graduación", "Radio 1", "Z.Optica", "A.V", "Tipo Lentilla",
                        "Nº Lote", "Observaciones"})
    EXPECT_TRUE(t.contains(QString::fromUtf8(s))) << s;

  TDatosFichaPrueba d = Prueba_Completa();
  QStringList parrafos;
  for (int i = 0; i < 70; ++i) parrafos << QStringLiteral("Control %1: lentilla centrada, sin molestias.").arg(i);
  d.Observaciones = parrafos.join('\n');
  TfrmFichaPrueba larga(d);
  const QString pdf = Pdf(larga, "larga.pdf");
  EXPECT_EQ(Paginas_Pdf(pdf), 2);
  EXPECT_TRUE(Texto_Pdf(pdf, 2).contains("Control 69: lentilla centrada"));
  Comprobar_Sin_Solapes(Palabras_Pdf(pdf), kArea);
}

TEST_F(HojasTest, FichaDeReposicionImportesEnLaMonedaYCadaFilaEnSuBanda) {
  TDatosFichaReposicion d = Reposiciones(0);
  d.Filas << TFilaReposicionInforme{"03/02/2026", "Rep", "Ambos", 34.9, "Caja de 6 Air Optix"}
          << TFilaReposicionInforme{"30/12/1899", "Limp", "Dcho.", 1234.5, "<Sin descripción>"}
          << TFilaReposicionInforme{"10/03/2026", "Rev", "Izdo.", -5, "Abono"};
  TfrmFichaReposicion hoja(d);
  const QString pdf = Pdf(hoja, "reposicion.pdf");
  ASSERT_EQ(Paginas_Pdf(pdf), 1);
  const QString t = Texto_Pdf(pdf);
  for (const char* s : {"Ficha de Reposición de Lentillas", "Completa", "Datos Del Paciente", "Antonio López Martínez",
                        "Paseo de las Delicias, 61, 4º A", "28045", "608214597", "Datos de las Reposiciones"})
    EXPECT_TRUE(t.contains(QString::fromUtf8(s))) << s;
  EXPECT_EQ(Linea(t, "Fecha: 03/02/2026"), "Fecha: 03/02/2026 Tipo: Rep Ojo: Ambos Importe: 34,90 €");
  EXPECT_EQ(Linea(t, "Fecha: Tipo: Limp"), "Fecha: Tipo: Limp Ojo: Dcho. Importe: 1.234,50 €");
  EXPECT_EQ(Linea(t, "Fecha: 10/03/2026"), "Fecha: 10/03/2026 Tipo: Rev Ojo: Izdo. Importe: -5,00 €");
  EXPECT_EQ(Linea(t, "Observaciones Caja"), "Observaciones Caja de 6 Air Optix");

  // The amounts end at the right margin, one under the other.
  const auto w = Palabras_Pdf(pdf);
  const TPalabra a = Palabra(w, "34,90"), b = Palabra(w, "1.234,50");
  EXPECT_NEAR(Palabra(w, "€", 0).x1, 200 * kPuntosMm, 1.5 * kPuntosMm);
  EXPECT_NEAR(Palabra(w, "€", 1).x1, Palabra(w, "€", 0).x1, 0.5);
  EXPECT_GT(b.y0, a.y0);
  Comprobar_Sin_Solapes(w, kArea);

  // Without a mask the amount still reads as money.
  EXPECT_EQ(Reposiciones(0).Texto_Importe(12), "12,00 €");
  TDatosFichaReposicion sinMoneda;
  EXPECT_EQ(sinMoneda.Texto_Importe(1234.5), "1.234,50");
}

TEST_F(HojasTest, FichaDeReposicionListaVaciaSoloLaBandaDeTitulo) {
  TfrmFichaReposicion hoja(Reposiciones(0));
  const QString pdf = Pdf(hoja, "vacia.pdf");
  EXPECT_EQ(Paginas_Pdf(pdf), 1);
  const QString t = Texto_Pdf(pdf);
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
  const int paginas = Paginas_Pdf(pdf);
  ASSERT_GE(paginas, 3);
  QList<int> filasPorPagina;
  int siguiente = 0;
  for (int p = 1; p <= paginas; ++p) {
    const QString t = Texto_Pdf(pdf, p);
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
  Comprobar_Sin_Solapes(Palabras_Pdf(pdf), kArea);
}

TEST_F(HojasTest, FichaDeReposicionObservacionesLargasPartidasEnPalabras) {
  TDatosFichaReposicion d = Reposiciones(0);
  QStringList palabras;
  for (int i = 0; i < 1500; ++i) palabras << QStringLiteral("p%1").arg(i);
  d.Filas << TFilaReposicionInforme{"01/02/2026", "Rep", "Ambos", 10, palabras.join(' ')}
          << TFilaReposicionInforme{"02/02/2026", "Limp", "Dcho.", 20, "Primera línea\nSegunda línea"};
  TfrmFichaReposicion hoja(d);
  const QString pdf = Pdf(hoja, "obs.pdf");
  const int paginas = Paginas_Pdf(pdf);
  ASSERT_GE(paginas, 2);
  // Taller than a page, the band starts under the title and is cut at the
  // page ends; the next replacement follows it.
  EXPECT_TRUE(Texto_Pdf(pdf, 1).contains("Fecha: 01/02/2026"));
  // Every word once, in order, none cut: the text wraps between words.
  QStringList leidas;
  for (const TPalabra& w : Palabras_Pdf(pdf))
    if (w.texto.startsWith('p') && w.texto.size() > 1 && w.texto[1].isDigit()) leidas << w.texto;
  EXPECT_EQ(leidas, palabras);
  const QString t2 = Texto_Pdf(pdf, paginas);
  EXPECT_TRUE(t2.contains("p1499"));
  EXPECT_TRUE(t2.contains("Observaciones Primera línea"));
  EXPECT_EQ(Linea(t2, "Segunda"), "Segunda línea");
  Comprobar_Sin_Solapes(Palabras_Pdf(pdf), kArea);
}

// Every field of each sheet as long as its column allows (db/schema.sql: a
// patient's surnames and name, an agent's name and surnames, a lens type, a
// lot, a replacement's observations...; whole numbers of ten digits,
// graduations as the test tab shows them at their longest: "Compen",
// "-65,75", "99,99"): every value
// prints whole, wrapped within its column, its line or row grown, and
// nothing over anything else.
TEST_F(HojasTest, NingunValorSeCortaNiConLoMasLargoQueAdmiteSuColumna) {
  using F = QString TDatosFichaPrueba::*;
  const std::pair<F, QString> prueba[] = {
      {&TDatosFichaPrueba::Ficha, "2147483601"},
      {&TDatosFichaPrueba::Fecha, "28/02/2026"},
      {&TDatosFichaPrueba::Agente, Texto_Largo("Agente", 151)},
      {&TDatosFichaPrueba::OD_Radio1, Texto_Largo("RadUnoOD", 20)},
      {&TDatosFichaPrueba::OD_Radio2, Texto_Largo("RadDosOD", 20)},
      {&TDatosFichaPrueba::OD_Esfera, "Compen"},
      {&TDatosFichaPrueba::OD_Cilindro, "-64,25"},
      {&TDatosFichaPrueba::OD_Eje, "180"},
      {&TDatosFichaPrueba::OD_Diametro, "99,99"},
      {&TDatosFichaPrueba::OD_ZOptica, "-62,50"},
      {&TDatosFichaPrueba::OD_Adicion, "+60,75"},
      {&TDatosFichaPrueba::OD_AVisual, "89,90"},
      {&TDatosFichaPrueba::OD_Sob_Esfera, "+56,75"},
      {&TDatosFichaPrueba::OD_Sob_Cilindro, "-55,25"},
      {&TDatosFichaPrueba::OD_Sob_Eje, "170"},
      {&TDatosFichaPrueba::OD_Sob_AV, "87,70"},
      {&TDatosFichaPrueba::OI_Radio1, Texto_Largo("RadUnoOI", 20)},
      {&TDatosFichaPrueba::OI_Radio2, Texto_Largo("RadDosOI", 20)},
      {&TDatosFichaPrueba::OI_Esfera, "Neutro"},
      {&TDatosFichaPrueba::OI_Cilindro, "+63,75"},
      {&TDatosFichaPrueba::OI_Eje, "175"},
      {&TDatosFichaPrueba::OI_Diametro, "98,75"},
      {&TDatosFichaPrueba::OI_ZOptica, "+61,25"},
      {&TDatosFichaPrueba::OI_Adicion, "-59,50"},
      {&TDatosFichaPrueba::OI_AVisual, "88,80"},
      {&TDatosFichaPrueba::OI_Sob_Esfera, "-56,50"},
      {&TDatosFichaPrueba::OI_Sob_Cilindro, "+54,75"},
      {&TDatosFichaPrueba::OI_Sob_Eje, "165"},
      {&TDatosFichaPrueba::OI_Sob_AV, "86,60"},
      {&TDatosFichaPrueba::OD_Tipo_Lentilla, Texto_Largo("TipoOD", 255)},
      {&TDatosFichaPrueba::OI_Tipo_Lentilla, Texto_Largo("TipoOI", 255)},
      {&TDatosFichaPrueba::OD_Descripcion, Texto_Largo("LenteOD", 100)},
      {&TDatosFichaPrueba::OI_Descripcion, Texto_Largo("LenteOI", 100)},
      {&TDatosFichaPrueba::ODLote, Texto_Largo("LoteOD", 50)},
      {&TDatosFichaPrueba::OILote, Texto_Largo("LoteOI", 50)},
      {&TDatosFichaPrueba::Observaciones, Texto_Largo("Observacion", 4000)},
      {&TDatosFichaPrueba::Nombre, Texto_Largo("ApellidosNombre", 152)},
      {&TDatosFichaPrueba::Sexo, "Hombre"},
      {&TDatosFichaPrueba::Direccion, Texto_Largo("Direccion", 100)},
      {&TDatosFichaPrueba::Codigo_Postal, "2147483607"},
      {&TDatosFichaPrueba::Localidad, Texto_Largo("Localidad", 100)},
      {&TDatosFichaPrueba::Provincia, Texto_Largo("Provincia", 100)},
      {&TDatosFichaPrueba::Profesion, Texto_Largo("Profesion", 50)},
      {&TDatosFichaPrueba::VienePor, Texto_Largo("VienePor", 100)},
      {&TDatosFichaPrueba::Telefono, Texto_Largo("Tel", 20)},
      {&TDatosFichaPrueba::Movil, Texto_Largo("Movil", 20)},
      {&TDatosFichaPrueba::Nif, Texto_Largo("NIF", 20)},
      {&TDatosFichaPrueba::Fecha_Nacimiento, "31/12/1931"},
      {&TDatosFichaPrueba::Fecha1Visita, "30/11/2015"},
      {&TDatosFichaPrueba::Fecha_Ult_Visita, "29/10/2026"},
      {&TDatosFichaPrueba::Edad, "105"}};
  TDatosFichaPrueba datosPrueba;
  QStringList valoresPrueba;
  for (const auto& [campo, valor] : prueba) {
    datosPrueba.*campo = valor;
    valoresPrueba << valor;
  }

  TDatosFichaReposicion datosReposicion;
  datosReposicion.Nombre = Texto_Largo("Titular", 152);
  datosReposicion.Direccion = Texto_Largo("Domicilio", 100);
  datosReposicion.Codigo_Postal = "2147483608";
  datosReposicion.Localidad = Texto_Largo("Poblacion", 100);
  datosReposicion.Provincia = Texto_Largo("Region", 100);
  datosReposicion.Telefono = Texto_Largo("Fijo", 20);
  datosReposicion.Movil = Texto_Largo("Celular", 20);
  datosReposicion.Mascara_Importe = QStringLiteral(",0.00 €");
  datosReposicion.Filas << TFilaReposicionInforme{"27/01/2026", "Limp", "Ambos", -99999.99, Texto_Largo("Nota", 1000)}
                        << TFilaReposicionInforme{"26/12/2025", "Rep", "Izdo.", -88888.88, Texto_Largo("Aviso", 1000)};
  QStringList valoresReposicion{datosReposicion.Nombre,    datosReposicion.Direccion, datosReposicion.Codigo_Postal,
                                datosReposicion.Localidad, datosReposicion.Provincia, datosReposicion.Telefono,
                                datosReposicion.Movil};
  for (const TFilaReposicionInforme& f : datosReposicion.Filas)
    valoresReposicion << f.Fecha << f.Tipo << f.Ojo << datosReposicion.Texto_Importe(f.Importe) << f.Observaciones;

  // Patients' surnames and names, phones, lots, the lens line's reference
  // and description, record and test numbers.
  st_criterio_lote criterio{Texto_Largo("Buscado", 50), true, Texto_Largo("Articulo", 30),
                            fechas::Codificar(2020, 1, 1), fechas::Codificar(2026, 12, 31)};
  std::vector<st_retirada_lote> filas;
  for (const char* quien : {"Uno", "Dos"}) {
    st_retirada_lote r;
    const QString q = QString::fromLatin1(quien);
    r.paciente = Texto_Largo("Paciente" + q, 152);
    r.telefono = Texto_Largo("Telefono" + q, 20);
    r.numero = q == "Uno" ? 2147483641 : 2147483642;
    r.fecha = fechas::Codificar(2025, q == "Uno" ? 3 : 4, 10);
    r.ojo = q == "Uno" ? 1 : 2;
    r.origen = q == "Uno" ? st_retirada_lote::kFicha : st_retirada_lote::kPrueba;
    r.lote = Texto_Largo("Lote" + q, 50);
    r.referencia = Texto_Largo("Ref" + q, 30);
    r.descripcion = Texto_Largo("Lente" + q, 255);
    filas.push_back(r);
  }
  // The lot searched for says it was part of one.
  QStringList valoresRetirada{criterio.lote + " (parte)", criterio.referencia, "01/01/2020", "31/12/2026"};
  for (const st_retirada_lote& r : filas)
    valoresRetirada << r.paciente << r.telefono << QString::number(r.numero) << fechas::Fecha_A_Texto(r.fecha)
                    << r.lote << r.referencia + ' ' + r.descripcion;

  TfrmFichaPrueba hojaPrueba(datosPrueba);
  TfrmFichaReposicion hojaReposicion(datosReposicion);
  TfrmHojaRetirada hojaRetirada(criterio, filas);
  const struct {
    THojaInforme& hoja;
    const char* fichero;
    QStringList valores;
  } casos[] = {{hojaPrueba, "prueba.pdf", valoresPrueba},
               {hojaReposicion, "reposicion.pdf", valoresReposicion},
               {hojaRetirada, "retirada.pdf", valoresRetirada}};
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.fichero);
    const QList<TPalabra> palabras = Palabras_Pdf(Pdf(caso.hoja, caso.fichero));
    for (const QString& v : caso.valores) EXPECT_TRUE(Impreso_Entero(palabras, v)) << v.toStdString();
    Comprobar_Sin_Solapes(palabras, kArea);
  }
}

// The preview is modal, maximised and at page width, and shows the pages the
// PDF has.
TEST_F(HojasTest, VistaPreviaMaximizadaAlAnchoDePagina) {
  TfrmFichaReposicion hoja(Reposiciones(120));
  const int paginas = Paginas_Pdf(Pdf(hoja, "larga.pdf"));
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
