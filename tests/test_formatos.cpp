// The print-format model: format files written by each test into a folder of
// its own, checked and read by the print document; the variables table; the
// engine bridge with real small engines (a good one, one without the entry).

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "Anfitrion_prueba.h"
#include "Clase_tdocumento.h"
#include "Clase_tformato.h"
#include "Clase_tprnformato.h"
#include "Lector_ini.h"

namespace {

bool Mapeada(const QString& ruta) {
  QFile maps("/proc/self/maps");
  maps.open(QIODevice::ReadOnly);
  return maps.readAll().contains(QFileInfo(ruta).canonicalFilePath().toUtf8());
}

class FormatosTest : public ::testing::Test {
 protected:
  void SetUp() override { app.servicio = &mensajes; }

  QString Escribir(const QString& nombre, const QByteArray& texto) {
    const QString ruta = dir.filePath(nombre);
    QFile f(ruta);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(texto);
    return ruta;
  }

  QTemporaryDir dir;
  TMensajesGuion mensajes;
  TAplicacion app;
};

// ---- The reader ------------------------------------------------------------------

TEST_F(FormatosTest, ElLectorGuardaLosTextosComoSeEscribenYSabeLaLineaDeCadaClave) {
  TLectorIni l;
  l.Leer_Texto(QStringLiteral("; comentario\n[Paper]\n width = 148,5 \n[CONTROL1]\nTEXT=Calle Mayor, 3\\B\n"
                              "# otro\ntext=segunda\nSIZE=diez\nPREFIX=\"Tel.: \"\n"));
  EXPECT_TRUE(l.Hay_Seccion("PAPER"));
  EXPECT_DOUBLE_EQ(l.Real("paper", "WIDTH", -1), 148.5);   // the comma as decimal mark
  EXPECT_EQ(l.Texto("control1", "text"), "Calle Mayor, 3\\B");  // commas and backslashes are text
  EXPECT_EQ(l.Linea("CONTROL1", "TEXT"), 5);
  EXPECT_EQ(l.Linea("CONTROL1"), 4);
  EXPECT_EQ(l.Entero("CONTROL1", "SIZE", -1), -1);         // not a number: the default
  EXPECT_FALSE(l.Es_Numero("CONTROL1", "SIZE"));
  EXPECT_EQ(l.Linea("CONTROL1", "FONT"), 0);
  EXPECT_EQ(l.Texto("CONTROL1", "PREFIX"), "Tel.: ");  // quotes keep the blanks
}

// ---- The format check --------------------------------------------------------------

TEST_F(FormatosTest, LaComprobacionDaElResultadoDeCadaFichero) {
  struct TCaso {
    const char* nombre;
    const char* contenido;  // null: no file is written
    int resultado;
    int tipo;
    const char* nombreTipo;
  } casos[] = {
      {"receta.prn", "[FORMAT]\nDOCUMENT=16\n", 0, 16, "Receta con ficha de lentilla"},
      {"garantia.prn", "[format]\ndocument = 25\n", 0, 25, "Garantia de lentillas"},
      {"sin_clave.prn", "[FORMAT]\nOTRA=3\n[PAPER]\nWIDTH=210\n", -2, -1, "Tipo no encontrado"},
      {"sin_seccion.prn", "[PAPER]\nWIDTH=210\n", -2, -1, "Tipo no encontrado"},
      {"vacio.prn", "", -2, -1, "Tipo no encontrado"},
      {"no_numero.prn", "[FORMAT]\nDOCUMENT=receta\n", -2, -1, "Tipo no encontrado"},
      {"desconocido.prn", "[FORMAT]\nDOCUMENT=99\n", 0, 99, "Tipo no encontrado"},
      {"no_esta.prn", nullptr, -1, -1, ""},
  };
  for (const TCaso& c : casos) {
    SCOPED_TRACE(c.nombre);
    const QString ruta = c.contenido ? Escribir(c.nombre, c.contenido) : dir.filePath(c.nombre);
    TDocumento d(&app);
    d.Inicializar();
    d.Fichero_Formato(ruta);
    EXPECT_EQ(d.Comprobar_Formato(), c.resultado);
    EXPECT_EQ(d.Tipo(), c.tipo);
    EXPECT_EQ(d.Nombre_Tipo_Documento(), QString::fromUtf8(c.nombreTipo));
    EXPECT_EQ(d.Valido(), c.resultado == 0);
    EXPECT_EQ(d.Resultado(), c.resultado == 0 ? -1 : c.resultado);
  }
  TDocumento sinFichero;
  EXPECT_EQ(sinFichero.Comprobar_Formato(), -7);
  TDocumento carpeta;
  carpeta.Fichero_Formato(dir.path());  // a folder is no format file
  EXPECT_EQ(carpeta.Comprobar_Formato(), -1);
  EXPECT_TRUE(mensajes.cajas.empty());  // the check alone tells nobody
}

TEST_F(FormatosTest, LeerUnFormatoMaloLoDiceUnaVezConSuMensaje) {
  const QString malo = Escribir("malo.prn", "[PAPER]\nWIDTH=210\n");
  struct TCaso {
    QString ruta;
    int resultado;
    const char* texto;
  } casos[] = {
      {QString(), -7, "La propiedad - Document - no tiene asignado un fichero prn. Imposible continuar"},
      {dir.filePath("falta.prn"), -1, "No se ha encontrado el formato especificado. Imposible continuar"},
      {malo, -2, "El fichero - PRN - no es un documento valido. Imposible continuar"},
  };
  for (const TCaso& c : casos) {
    SCOPED_TRACE(c.resultado);
    mensajes.cajas.clear();
    TDocumento d(&app);
    d.Fichero_Formato(c.ruta);
    EXPECT_EQ(d.Leer_Formato(), c.resultado);
    ASSERT_EQ(mensajes.cajas.size(), 1u);
    EXPECT_EQ(mensajes.cajas[0].texto, QString::fromUtf8(c.texto));
    EXPECT_EQ(mensajes.cajas[0].titulo, "ERROR");
    EXPECT_EQ(mensajes.cajas[0].flags, mb::OK | mb::ICONSTOP);
    EXPECT_EQ(d.Papel().Ancho, -1);  // nothing of a bad file is read
  }
}

// ---- Reading a format -------------------------------------------------------------

TEST_F(FormatosTest, UnDocumentoLeeCadaClaveYLasQueFaltanValenMenosUno) {
  const QString ruta = Escribir("receta.prn",
                                "[FORMAT]\nDOCUMENT=16\n[PAPER]\nWIDTH=148\nHEIGHT=210\n"
                                "[MARGIN]\nTOP=12,5\nLEFT=10\nRIGHT=8\n"  // no BOTTOM
                                "[BANDS]\nHEADER=40\nDETAIL=120\n"        // no FOOTER
                                "[CONTROLS]\nTOTAL=3\n"
                                "[LABEL]\nWIDTH=70\nHEIGHT=36\nROWS=8\nCOLUMNS=3\n");
  TDocumento d(&app);
  d.Inicializar();
  d.Fichero_Formato(ruta);
  ASSERT_EQ(d.Leer_Formato(), 0);
  EXPECT_DOUBLE_EQ(d.Papel().Ancho, 148);
  EXPECT_DOUBLE_EQ(d.Papel().Alto, 210);
  EXPECT_DOUBLE_EQ(d.Margenes().Superior, 12.5);
  EXPECT_DOUBLE_EQ(d.Margenes().Inferior, -1);
  EXPECT_DOUBLE_EQ(d.Margenes().Izquierdo, 10);
  EXPECT_DOUBLE_EQ(d.Margenes().Derecho, 8);
  EXPECT_DOUBLE_EQ(d.Bandas().Cabecera, 40);
  EXPECT_DOUBLE_EQ(d.Bandas().Detalle, 120);
  EXPECT_DOUBLE_EQ(d.Bandas().Pie, -1);
  EXPECT_EQ(d.Total_Controles(), 3);
  EXPECT_FALSE(d.Es_Etiqueta());
  // Type 16 is no label: its label values are 0 although the file has them.
  const auto& e = d.Etiqueta();
  for (double v : {e.Ancho, e.Alto, double(e.Filas), double(e.Columnas), e.Superior, e.Inferior, e.Vertical,
                   e.Horizontal})
    EXPECT_EQ(v, 0);
  EXPECT_EQ(d.Componentes().Lector(), d.Lector());
  EXPECT_TRUE(mensajes.cajas.empty());
}

TEST_F(FormatosTest, UnaEtiquetaLeeSuHojaYLosMargenesDosVeces) {
  const QString ruta = Escribir("etiqueta.prn",
                                "[FORMAT]\nDOCUMENT=34\n[PAPER]\nWIDTH=210\nHEIGHT=297\n"
                                "[MARGIN]\nTOP=15\nBOTTOM=14\nVERTICAL=2,5\n"
                                "[LABEL]\nWIDTH=70\nHEIGHT=37\nROWS=8\nCOLUMNS=3\n");
  TDocumento d(&app);
  d.Fichero_Formato(ruta);
  ASSERT_EQ(d.Leer_Formato(), 0);
  EXPECT_TRUE(d.Es_Etiqueta());
  EXPECT_EQ(d.Nombre_Tipo_Documento(), "Etiqueta de paciente");
  const auto& e = d.Etiqueta();
  EXPECT_DOUBLE_EQ(e.Ancho, 70);
  EXPECT_DOUBLE_EQ(e.Alto, 37);
  EXPECT_EQ(e.Filas, 8);
  EXPECT_EQ(e.Columnas, 3);
  EXPECT_DOUBLE_EQ(e.Superior, 15);
  EXPECT_DOUBLE_EQ(e.Inferior, 14);
  EXPECT_DOUBLE_EQ(e.Vertical, 2.5);
  EXPECT_DOUBLE_EQ(e.Horizontal, -1);
  EXPECT_DOUBLE_EQ(d.Margenes().Superior, 15);
  EXPECT_EQ(d.Total_Controles(), -1);
}

TEST_F(FormatosTest, UnaComprobacionFallidaSoloCambiaLaValidezYElResultado) {
  const QString bueno = Escribir("bueno.prn", "[FORMAT]\nDOCUMENT=30\n[PAPER]\nWIDTH=210\nHEIGHT=297\n");
  TDocumento d(&app);
  d.Fichero_Formato(bueno);
  ASSERT_EQ(d.Leer_Formato(), 0);
  d.Fichero_Formato(dir.filePath("otro.prn"));
  EXPECT_EQ(d.Comprobar_Formato(), -1);
  EXPECT_FALSE(d.Valido());
  EXPECT_EQ(d.Resultado(), -1);
  EXPECT_EQ(d.Tipo(), 30);
  EXPECT_DOUBLE_EQ(d.Papel().Alto, 297);
}

// ---- Variables and settings ------------------------------------------------------

TEST_F(FormatosTest, LasVariablesSeAnadenEnOrdenYLaUltimaEsLaQueVale) {
  TDocumento d;
  d.Inicializar();
  EXPECT_TRUE(d.Memoria().Activa());
  EXPECT_EQ(d.Variable(3600, "AC-1"), 0);
  EXPECT_EQ(d.Variable(101, QString()), 0);
  EXPECT_EQ(d.Variable(3600, "AC-2"), 0);
  const auto& v = d.Memoria().Variables();
  ASSERT_EQ(v.size(), 3);
  EXPECT_EQ(v[0].CODIGO, 3600);
  EXPECT_EQ(v[0].VALOR, "AC-1");
  EXPECT_EQ(v[1].CODIGO, 101);
  EXPECT_EQ(v[2].VALOR, "AC-2");
  QString valor;
  EXPECT_TRUE(d.Valor(3600, &valor));
  EXPECT_EQ(valor, "AC-2");
  EXPECT_TRUE(d.Valor(101, &valor));  // an empty text is still carried
  EXPECT_TRUE(valor.isEmpty());
  EXPECT_FALSE(d.Valor(102));
  d.Inicializar();  // active and empty again
  EXPECT_TRUE(d.Memoria().Variables().isEmpty());
}

// ---- EPL/2 label formats --------------------------------------------------------

TEST_F(FormatosTest, EtiquetasEpl2PorTipo) {
  struct TCaso {
    const char* contenido;  // null: no file
    int resultado;
    int tipo;
    const char* nombre;
  } casos[] = {
      {"[FORMATO]\nTIPO=134\n", 0, 134, "Etiqueta EPL2 de envio"},
      {"[FORMATO]\nTIPO=135\n", 0, 135, "Etiqueta EPL2 de cliente"},
      {"[FORMATO]\nTIPO=136\n", 0, 136, "Etiqueta EPL2 de proveedor"},
      {"[FORMATO]\nTIPO=137\n", 0, 137, "Etiqueta EPL2 de artículo"},
      {"[FORMATO]\nTIPO=138\n", 0, 138, "Etiqueta EPL2 de envio"},
      {"[FORMATO]\nTIPO=133\n", -2, 133, "Tipo no encontrado"},
      {"[FORMATO]\nTIPO=139\n", -2, 139, "Tipo no encontrado"},
      {"[FORMATO]\nROTAR=1\n", -2, -1, "Tipo no encontrado"},
      {"[FORMAT]\nDOCUMENT=16\n", -2, -1, "Tipo no encontrado"},  // a document format is no label format
      {nullptr, -2, -1, "Tipo no encontrado"},
  };
  for (const TCaso& c : casos) {
    SCOPED_TRACE(c.tipo);
    const QString ruta = c.contenido ? Escribir("etiqueta.prn", c.contenido) : dir.filePath("no_esta.prn");
    TPRNFormato f;
    EXPECT_EQ(f.Leer(ruta), c.resultado);
    EXPECT_EQ(f.Tipo(), c.tipo);
    EXPECT_EQ(f.Nombre_Tipo(), QString::fromUtf8(c.nombre));
  }
}

TEST_F(FormatosTest, UnaEtiquetaEpl2LeeSuPapelYSusComponentes) {
  TPRNFormato f;
  ASSERT_EQ(f.Leer(Escribir("envio.prn", "[FORMATO]\nTIPO=134\nROTAR=1\n[PAPEL]\nANCHO=100\nALTO=60,5\n"
                                          "MARGEN_IZQUIERDO=3\nESPACIO=2\n[COMPONENTES]\nTOTAL=4\n")),
            0);
  EXPECT_DOUBLE_EQ(f.Papel().Ancho(), 100);
  EXPECT_DOUBLE_EQ(f.Papel().Alto(), 60.5);
  EXPECT_DOUBLE_EQ(f.Papel().Margen_Izquierdo(), 3);
  EXPECT_DOUBLE_EQ(f.Papel().Margen_Derecho(), -1);  // absent: -1, never 0
  EXPECT_DOUBLE_EQ(f.Papel().Espacio(), 2);
  EXPECT_EQ(f.Total_Componentes(), 4);
  EXPECT_EQ(f.Rotar(), 1);
  TPRNFormato enviada;  // the one the program ships
  EXPECT_EQ(enviada.Leer(QStringLiteral(OPTICA_FORMATOS_DIR "/etiqueta_envio_epl.prn")), 0);
  EXPECT_EQ(enviada.Nombre_Tipo(), "Etiqueta EPL2 de envio");
  TPRNFormato sinRotar;
  ASSERT_EQ(sinRotar.Leer(Escribir("otra.prn", "[FORMATO]\nTIPO=137\n")), 0);
  EXPECT_EQ(sinRotar.Rotar(), 0);
  EXPECT_EQ(sinRotar.Total_Componentes(), -1);
}

// ---- The engine bridge ------------------------------------------------------------

class FormatoMotorTest : public FormatosTest {
 protected:
  void SetUp() override {
    FormatosTest::SetUp();
    puesto.carpetaModulos = dir.path();
    ctx.puesto = &puesto;
    ctx.aplicacion = &app;
  }
  QString Poner(const char* origen) {
    const QString destino = dir.filePath("printsvc.so");
    QFile::remove(destino);
    EXPECT_TRUE(QFile::copy(QString(OPTICA_MODULOS_PRUEBA) + "/" + origen + ".so", destino));
    return destino;
  }
  TPuesto puesto;
  THostContext ctx;
  TDocumento documento;
};

TEST_F(FormatoMotorTest, ResultadosDelPuente) {
  struct TCaso {
    const char* motor;  // null: no engine in the folder
    bool conDocumento, conContexto;
    uint8_t indicador;
    int resultado;
  } casos[] = {
      {"impresion_prueba", false, true, 1, -22800},
      {"impresion_prueba", true, false, 1, -22801},
      {nullptr, true, true, 1, -603},
      {"modulo_sin_entrada", true, true, 1, -604},
      {"impresion_prueba", true, true, 0, 7},
      {"impresion_prueba", true, true, 1, -2},  // the engine's 16-bit status, widened
  };
  for (const TCaso& c : casos) {
    SCOPED_TRACE(c.resultado);
    QFile::remove(dir.filePath("printsvc.so"));
    if (c.motor) Poner(c.motor);
    TFormato f;
    f.Contexto(c.conContexto ? &ctx : nullptr);
    f.Documento(c.conDocumento ? &documento : nullptr);
    f.Indicador(c.indicador);
    EXPECT_EQ(f.Imprimir(), c.resultado);
    EXPECT_EQ(f.Resultado(), c.resultado);
  }
  EXPECT_TRUE(mensajes.cajas.empty());  // a status without a message shows nothing
}

TEST_F(FormatoMotorTest, CadaPuenteCargaElMotorYLoSueltaAlIrse) {
  const QString ruta = Poner("impresion_prueba");
  {
    TFormato f;
    f.Contexto(&ctx);
    f.Documento(&documento);
    EXPECT_EQ(f.Imprimir(), 7);
    EXPECT_TRUE(Mapeada(ruta));
  }
  EXPECT_FALSE(Mapeada(ruta));
  // A second print finds the engine replaced in between.
  Poner("modulo_sin_entrada");
  TFormato g;
  g.Contexto(&ctx);
  g.Documento(&documento);
  EXPECT_EQ(g.Imprimir(), -604);
}

}  // namespace
