// The GS1 code of a lens box read from what a scanner sends, the
// prescription's QR text form, and both drawn by zint and read back by zxing.

#include <gtest/gtest.h>

#include <QPainter>

#include "Codigo_barras.h"
#include "Codigo_gs1.h"
#include "Graduacion.h"
#include "Receta_qr.h"

namespace {

const QDate kHoy(2026, 11, 20);
const QString GS(QChar(gs1::kSeparador));

// ---- Reading an element string -------------------------------------------------------------

struct TCasoBueno {
  const char* nombre;
  QString texto;
  QChar sustituto;
  QString gtin, lote, serie;
  QDate caducidad, fabricacion;
};

class LecturaBuenaTest : public ::testing::TestWithParam<TCasoBueno> {};

TEST_P(LecturaBuenaTest, CadaCampoSaleComoLoDiceElCodigo) {
  const TCasoBueno& c = GetParam();
  const gs1::TLectura l = gs1::Leer(c.texto, c.sustituto, kHoy);
  ASSERT_TRUE(l.Valida()) << l.mensaje.toStdString();
  EXPECT_EQ(l.caja.gtin, c.gtin);
  EXPECT_EQ(l.caja.lote, c.lote);
  EXPECT_EQ(l.caja.serie, c.serie);
  EXPECT_EQ(l.caja.caducidad, c.caducidad);
  EXPECT_EQ(l.caja.fabricacion, c.fabricacion);
}

INSTANTIATE_TEST_SUITE_P(
    Gs1, LecturaBuenaTest,
    ::testing::Values(
        // The GS1 DataMatrix guideline's example: (01)09501101020917(17)190508(10)ABCD1234(21)10.
        TCasoBueno{"Guia_DataMatrix", "]d20109501101020917171905081" "0ABCD1234" + GS + "2110", {}, "09501101020917",
                   "ABCD1234", "10", QDate(2019, 5, 8), {}},
        // GS1's own measure example: (01)09521234543213(3103)000123, on a GS1-128.
        TCasoBueno{"Medida_Gs1_128", "]C1010952123454321331030001" "23", {}, "09521234543213", "", "", {}, {}},
        // Day 00: the last day of the month, in a leap year too.
        TCasoBueno{"Dia_00", "010401234567890117280200", {}, "04012345678901", "", "", QDate(2028, 2, 29), {}},
        // A lot and then a serial, the separator between them; production date first.
        TCasoBueno{"Lote_Separador_Serie", "01040123456789011126010117271231" "10L-2093/A" + GS + "21SN77", {},
                   "04012345678901", "L-2093/A", "SN77", QDate(2027, 12, 31), QDate(2026, 1, 1)},
        // A scanner that sends the symbol's leading FNC1 and a separator after a fixed field.
        TCasoBueno{"Separadores_De_Mas", GS + "0104012345678901" + GS + "10LOTE9", {}, "04012345678901", "LOTE9", "",
                   {}, {}},
        // The separator sent as another character, named by the workstation.
        TCasoBueno{"Sustituto", "]d2010401234567890110AB12^21XY", QChar('^'), "04012345678901", "AB12", "XY", {}, {}},
        // A two-digit year more than 50 years ahead is of the last century.
        TCasoBueno{"Siglo_Anterior", "010401234567890111770315", {}, "04012345678901", "", "", {}, QDate(1977, 3, 15)},
        // No separator, and the lot ends in "17" and digits that are no date:
        // one reading only.
        TCasoBueno{"Lote_Con_17_Que_No_Es_Fecha", "0104012345678901" "10A17261332", {}, "04012345678901",
                   "A17261332", "", {}, {}},
        // The lot's end would be an expiry, but the code already has another:
        // read apart, the code would carry (17) twice.
        TCasoBueno{"Lote_Con_Otra_Caducidad", "0104012345678901" "17271231" "10X17280101", {}, "04012345678901",
                   "X17280101", "", QDate(2027, 12, 31), {}},
        // The guideline's lot and expiry in one field, from a scanner that
        // sends the leading FNC1, and so every separator: one field.
        TCasoBueno{"Lector_Que_Envia_Separadores", GS + "0109501101020917" "10ABCD123417190508", {}, "09501101020917",
                   "ABCD123417190508", "", {}, {}},
        // A serial's "21" inside a lot: any lot may hold it, nothing tells it
        // apart, and the code is read as it comes.
        TCasoBueno{"Serie_Dentro_Del_Lote", "0104012345678901" "10ABC21SN77", {}, "04012345678901", "ABC21SN77", "", {},
                   {}}),
    [](const auto& i) { return std::string(i.param.nombre); });

struct TCasoMalo {
  const char* nombre;
  QString texto;
  gs1::TFallo fallo;
  const char* enMensaje;
};

class LecturaMalaTest : public ::testing::TestWithParam<TCasoMalo> {};

TEST_P(LecturaMalaTest, SeRechazaYSeDiceElMotivo) {
  const TCasoMalo& c = GetParam();
  const gs1::TLectura l = gs1::Leer(c.texto, QChar(), kHoy);
  EXPECT_EQ(l.fallo, c.fallo) << l.mensaje.toStdString();
  EXPECT_TRUE(l.mensaje.contains(QString::fromUtf8(c.enMensaje))) << l.mensaje.toStdString();
  EXPECT_TRUE(l.caja.gtin.isEmpty() && l.caja.lote.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Gs1, LecturaMalaTest,
    ::testing::Values(
        TCasoMalo{"Digito_De_Control", "]d20109501101020918", gs1::TFallo::kDigitoControl, "debería ser 7"},
        // Lot then serial without the separator: 26 characters where a lot holds 20.
        TCasoMalo{"Sin_Separador", "010401234567890110ABCD1234567890123421SN77", gs1::TFallo::kSinSeparador,
                  "no ha enviado el separador"},
        // The guideline's code with the separator dropped and the expiry after
        // the lot: lot "ABCD1234" and expiry 08/05/2019, or a lot
        // "ABCD123417190508"; not guessed.
        TCasoMalo{"Lote_Y_Caducidad_Sin_Separador", "]d20109501101020917" "10ABCD1234" "17190508",
                  gs1::TFallo::kSinSeparador, "«ABCD1234» seguido del campo (17) «190508»"},
        // A lot, then the GTIN: the GTIN's check digit holds, so both readings do.
        TCasoMalo{"Lote_Y_Gtin_Sin_Separador", "10L-77" "0109501101020917", gs1::TFallo::kSinSeparador,
                  "dos maneras"},
        // A lot, an expiry and a serial: the expiry's end would be read as lot.
        TCasoMalo{"Lote_Caducidad_Y_Serie_Sin_Separador", "0104012345678901" "10L1" "17271231" "21SN7",
                  gs1::TFallo::kSinSeparador, "«L1» seguido del campo (17) «271231» y de otros"},
        // The separator remapped to "@" with no replacement named: not a GS1 character.
        TCasoMalo{"Separador_Cambiado", "010401234567890110ABC@21XY", gs1::TFallo::kCaracter, "«@»"},
        TCasoMalo{"Fecha_Imposible", "010401234567890117261332", gs1::TFallo::kFecha, "no es una fecha"},
        TCasoMalo{"Produccion_Dia_00", "010401234567890111260100", gs1::TFallo::kFecha, "(11)"},
        TCasoMalo{"Gtin_Corto", "01040123456789", gs1::TFallo::kCorto, "14 caracteres"},
        TCasoMalo{"Campo_Desconocido", "0104012345678901" "8005123", gs1::TFallo::kIdentificador, "«8005"},
        TCasoMalo{"Otro_Simbolo", "]d1HOLA", gs1::TFallo::kNoGs1, "no es un código GS1"},
        TCasoMalo{"Repetido", "0104012345678901" "0109501101020917", gs1::TFallo::kRepetido, "dos veces"},
        TCasoMalo{"Vacio", "  ", gs1::TFallo::kVacio, "ningún código"}),
    [](const auto& i) { return std::string(i.param.nombre); });

TEST(Gs1Test, UnGtinSeComparaComoNumeroYVuelveConSusCeros) {
  EXPECT_EQ(gs1::Gtin14(4012345678901.0), "04012345678901");
  EXPECT_EQ(gs1::Gtin14(9501101020917.0), "09501101020917");
  EXPECT_EQ(gs1::Gtin14(4012345678902.0), "");  // wrong check digit
  EXPECT_EQ(gs1::Gtin14(0), "");
  EXPECT_EQ(gs1::Gtin14(123456789012345.0), "");  // 15 digits
  EXPECT_TRUE(gs1::Gtin_Valido(u"4012345678901"));
  EXPECT_TRUE(gs1::Gtin_Valido(u"96385074"));  // GTIN-8
  EXPECT_FALSE(gs1::Gtin_Valido(u"40123456789O1"));
}

TEST(Gs1Test, UnaCajaCaducadaSinGtinOConUnLoteQueNoCabeNoSeUsa) {
  gs1::TCaja c;
  c.gtin = "04012345678901";
  c.lote = "L-1234567890";
  c.caducidad = kHoy;
  EXPECT_EQ(gs1::Rechazo_Caja(c, kHoy, 50), "");  // expires today: still good
  EXPECT_TRUE(gs1::Rechazo_Caja(c, kHoy, 10).contains("12 caracteres y aquí caben 10"));
  c.caducidad = kHoy.addDays(-1);
  EXPECT_TRUE(gs1::Rechazo_Caja(c, kHoy, 50).contains("caducada desde el 19/11/2026"));
  c.gtin.clear();
  EXPECT_TRUE(gs1::Rechazo_Caja(c, kHoy, 50).contains("GTIN"));
}

TEST(Gs1Test, UnaCajaEscritaSeLeeIgual) {
  gs1::TCaja c;
  c.gtin = "04012345678901";
  c.lote = "AB/12";
  c.serie = "0007";
  c.caducidad = QDate(2027, 6, 30);
  EXPECT_EQ(gs1::Cadena_Corchetes(c), "[01]04012345678901[17]270630[10]AB/12[21]0007");
  const gs1::TLectura l = gs1::Leer(gs1::Cadena_Elementos(c), QChar(), kHoy);
  ASSERT_TRUE(l.Valida()) << l.mensaje.toStdString();
  EXPECT_EQ(l.caja.lote, c.lote);
  EXPECT_EQ(l.caja.serie, c.serie);
  EXPECT_EQ(l.caja.caducidad, c.caducidad);
}

TEST(Gs1Test, SoloUnCodigoDeCajaPareceGs1) {
  EXPECT_TRUE(gs1::Parece_Gs1(u"]d20104012345678901"));
  EXPECT_TRUE(gs1::Parece_Gs1(u"0104012345678901" "10A"));
  EXPECT_FALSE(gs1::Parece_Gs1(u"4012345678901"));  // an EAN-13: the article search takes it
  EXPECT_FALSE(gs1::Parece_Gs1(u"AC-OAS-6"));
  EXPECT_FALSE(gs1::Parece_Gs1(u"]Q1OPTRX1|PAC=x"));
}

// ---- The prescription's text form ---------------------------------------------------------------

receta_qr::TReceta Receta() {
  receta_qr::TReceta r;
  r.paciente = "Álvarez Gil, Marta";
  r.prescriptor = "Dra. Ruiz | Centro=Norte; 50%";  // every character the form escapes
  r.colegiado = "28/1234";
  r.fecha = QDate(2026, 11, 2);
  r.caducidad = QDate(2027, 11, 2);
  r.ojos[0].esfera = -2.75;
  r.ojos[0].cilindro = -0.5;
  r.ojos[0].eje = 180;
  r.ojos[0].radio1 = "8,60";
  r.ojos[0].adicion = graduacion::kNeutro;
  r.ojos[1].esfera = 1.25;
  r.ojos[1].agudeza = graduacion::kCompen;
  r.ojos[1].queratometria = "42,50 x 43,00\n(a 90)";
  r.lentes[0] = {"AC-OAS-6", "Acuvue Oasys", "Quincenal", "L-77"};
  return r;
}

void Igual(const receta_qr::TReceta& a, const receta_qr::TReceta& b) {
  EXPECT_EQ(a.paciente, b.paciente);
  EXPECT_EQ(a.prescriptor, b.prescriptor);
  EXPECT_EQ(a.colegiado, b.colegiado);
  EXPECT_EQ(a.fecha, b.fecha);
  EXPECT_EQ(a.revision, b.revision);
  EXPECT_EQ(a.caducidad, b.caducidad);
  for (int o = 0; o < 2; ++o) {
    for (const TCampoOjo& c : kCamposOjoFicha)
      std::visit(TSegun{[&](auto TGraduacionOjo::*m) { EXPECT_EQ(a.ojos[o].*m, b.ojos[o].*m) << c.columna; }},
                 c.miembro);
    EXPECT_EQ(a.lentes[o].referencia, b.lentes[o].referencia);
    EXPECT_EQ(a.lentes[o].descripcion, b.lentes[o].descripcion);
    EXPECT_EQ(a.lentes[o].tipo, b.lentes[o].tipo);
    EXPECT_EQ(a.lentes[o].lote, b.lentes[o].lote);
  }
}

TEST(RecetaQrTest, LaRecetaEscritaSeLeeEntera) {
  const QString t = receta_qr::Texto(Receta());
  EXPECT_TRUE(t.startsWith("OPTRX1|PAC=Álvarez Gil, Marta|PRE=Dra. Ruiz %7C Centro%3DNorte%3B 50%25|"));
  EXPECT_TRUE(t.contains("|OD=;;;8,60;;-2.75;-0.5;180;;;N;;|")) << t.toStdString();
  receta_qr::TReceta leida;
  QString error;
  ASSERT_TRUE(receta_qr::Leer(QStringLiteral("]Q1") + t, leida, &error)) << error.toStdString();
  Igual(leida, Receta());
}

TEST(RecetaQrTest, UnaClaveNuevaSeSaltaYUnTextoAjenoOEstropeadoSeRechaza) {
  receta_qr::TReceta r;
  EXPECT_TRUE(receta_qr::Leer(u"OPTRX1|FUT=algo|OD=;;;;;+1.5", r));
  EXPECT_EQ(r.ojos[0].esfera, 1.5);
  EXPECT_EQ(r.ojos[1].esfera, graduacion::kSinValor);
  QString error;
  EXPECT_FALSE(receta_qr::Leer(u"OPTRX2|OD=1", r, &error));
  EXPECT_FALSE(receta_qr::Leer(u"OPTRX1|OD=;;;;;uno", r, &error));
  EXPECT_TRUE(error.contains("campo OD")) << error.toStdString();
  EXPECT_FALSE(receta_qr::Leer(u"OPTRX1|FEC=2026-13-01", r, &error));
  EXPECT_FALSE(receta_qr::Leer(u"OPTRX1|PAC=50%", r, &error));
}

// ---- Drawn by zint, read by zxing ---------------------------------------------------------------

using codigo_barras::TSimbologia;

QList<codigo_barras::TLeido> Dibujar_Y_Leer(TSimbologia s, const QString& datos) {
  const codigo_barras::TSimbolo simbolo = codigo_barras::Codificar(s, datos);
  EXPECT_TRUE(simbolo.Valido()) << simbolo.error.toStdString();
  return codigo_barras::Leer_Imagen(codigo_barras::Imagen(simbolo, 4));
}

TEST(CodigoBarrasTest, UnaCajaEnDataMatrixYEnGs1_128SeLeeConTodosSusCampos) {
  gs1::TCaja c;
  c.gtin = "09501101020917";
  c.caducidad = QDate(2028, 2, 29);
  c.fabricacion = QDate(2026, 1, 15);
  c.lote = "ABCD-1234/Z";
  c.serie = "000987";
  for (TSimbologia s : {TSimbologia::kGs1DataMatrix, TSimbologia::kGs1_128}) {
    const auto leidos = Dibujar_Y_Leer(s, gs1::Cadena_Corchetes(c));
    ASSERT_EQ(leidos.size(), 1);
    const gs1::TLectura l = gs1::Leer(leidos[0].texto, QChar(), kHoy);
    ASSERT_TRUE(l.Valida()) << l.mensaje.toStdString() << " " << leidos[0].texto.toStdString();
    EXPECT_TRUE(leidos[0].texto.startsWith(s == TSimbologia::kGs1_128 ? "]C1" : "]d2"));
    EXPECT_EQ(l.caja.gtin, c.gtin);
    EXPECT_EQ(l.caja.lote, c.lote);
    EXPECT_EQ(l.caja.serie, c.serie);
    EXPECT_EQ(l.caja.caducidad, c.caducidad);
    EXPECT_EQ(l.caja.fabricacion, c.fabricacion);
  }
}

TEST(CodigoBarrasTest, LaRecetaEnQrSeLeeEntera) {
  const auto leidos = Dibujar_Y_Leer(TSimbologia::kQr, receta_qr::Texto(Receta()));
  ASSERT_EQ(leidos.size(), 1);
  receta_qr::TReceta r;
  ASSERT_TRUE(receta_qr::Leer(leidos[0].texto, r));
  Igual(r, Receta());
}

TEST(CodigoBarrasTest, DatosQueElSimboloNoAdmiteSeDicen) {
  EXPECT_FALSE(codigo_barras::Codificar(TSimbologia::kGs1DataMatrix, "01234").Valido());
  EXPECT_FALSE(codigo_barras::Codificar(TSimbologia::kGs1DataMatrix, "[01]0401234567890").error.isEmpty());
  TSimbologia s;
  EXPECT_TRUE(codigo_barras::Simbologia("gs1-128", s));
  EXPECT_EQ(s, TSimbologia::kGs1_128);
  EXPECT_FALSE(codigo_barras::Simbologia("PDF417", s));
}

}  // namespace
