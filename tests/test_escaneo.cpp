// A lens box scanned into the record tab and the test tab, as a
// keyboard-wedge scanner types it (a burst of keys, ASCII 29 between variable
// fields, Enter after it) or read from an image file: the article found by
// its GTIN, the lot and the box's expiry filled and saved; every refusal told
// and nothing changed; an unknown GTIN handed to the article module, whose
// new article brings the box's data with it; a prescription's QR code read
// back into the graduation.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "Codigo_barras.h"
#include "Codigo_gs1.h"
#include "Edit_fecha.h"
#include "Lector_cuna.h"
#include "Pantalla_prueba.h"
#include "Ventana_modal.h"

// Texts read as text in a failure's report.
inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }

namespace {

const QString GS(QChar(0x1D));

// The refusals both tabs give a lens box, with a piece of each message.
struct TRechazo {
  QString codigo;
  const char* mensaje;
};
const TRechazo kRechazos[] = {
    // Expired: 30/11/2026, the working day is 05/12/2026.
    {"]d201084701230002561726113010L-1", "caducada desde el 30/11/2026"},
    {"]d2010847012300025717271231", "dígito de control debería ser 6"},
    {"]d2010401234567890117271231", "No hay ningún artículo con el código 04012345678901"},
    // A lot and a serial without the separator between them: too long for a lot.
    {"]d20108470123000256" "10ABCDEFGHIJ12345678" "21SN77", "no ha enviado el separador"},
};

// Keys as a scanner sends them; the group separator comes as Ctrl+], the
// key that makes ASCII 29 on a keyboard.
void Teclas(QWidget* w, const QString& texto) {
  for (QChar c : texto) {
    if (c.unicode() == 0x1D)
      QTest::sendKeyEvent(QTest::Click, w, Qt::Key_BracketRight, QString(c), Qt::ControlModifier);
    else
      QTest::keyClick(w, c.toLatin1());
  }
}

class EscaneoTest : public TPantallaPrueba {
 protected:
  void SetUp() override {
    // The article was given the box's GTIN-13; the box carries it as a GTIN-14.
    Ejecutar_SQL(*h.principal,
                 "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, CODIGO_BARRAS, DESCRIPCION, MODELO, "
                 "PRECIO_VENTA1_M1, PRECIO_VENTA1_M2, PRECIO_PVP1_PVP2) values (40, 3, 'AOS6-0250', 8470123000256, "
                 "'Acuvue Oasys 6 u. -2,50', 'Oasys', 34.9, 5806.87, 0)");
    Poner_Moneda();
    Abrir();
  }
  // What the scanner types into an edit: every character, then Enter;
  // `armar`: after "Escanear".
  void Escanear(const char* edit, const QString& codigo, bool intro = true, bool armar = false) {
    Ir(edit);
    if (armar) W<QAction>("actEscanearODArticulo")->trigger();
    Teclas(W(edit), codigo);
    if (intro) QTest::keyClick(W(edit), Qt::Key_Return);
    QTest::qWait(TLectorCuna::kSilencio + 20);  // past the quiet that ends a burst without Enter
  }
  QString Caja(const char* nombre) { return W<TEditFecha>(nombre)->displayText(); }
};

TEST_F(EscaneoTest, UnaCajaRellenaArticuloLoteYCaducidadYSeGraba) {
  Escanear("edt_OD_Articulo", "]d2010847012300025617271231" "10L-2093/A" + GS + "21SN77");
  EXPECT_TRUE(h.mensajes.cajas.empty()) << h.mensajes.cajas[0].texto.toStdString();
  EXPECT_EQ(T("edt_OD_Articulo"), "Acuvue Oasys 6 u. -2,50");
  EXPECT_EQ(T("edt_OD_Importe"), "34,90");
  EXPECT_EQ(T("edtODLote"), "L-2093/A");
  EXPECT_EQ(Caja("dtm_OD_Caducidad_Caja"), "31/12/2027");
  // A scanner that sends no Enter: the burst ends after a quiet moment. A
  // box whose lot is its last field needs no separator at all.
  Escanear("edt_OI_Articulo", "010847012300025617280200" "10L-55", false);
  EXPECT_EQ(T("edt_OI_Articulo"), "Acuvue Oasys 6 u. -2,50");
  EXPECT_EQ(T("edtOILote"), "L-55");
  EXPECT_EQ(Caja("dtm_OI_Caducidad_Caja"), "29/02/2028");  // day 00: the month's last day

  ASSERT_TRUE(B("btnGrabar")->isEnabled());
  B("btnGrabar")->click();
  EXPECT_EQ(Texto("select LOTE from DLENTILLA where OJO = 1"), "L-2093/A");
  EXPECT_EQ(Texto("select REFERENCIA from DLENTILLA where OJO = 2"), "AOS6-0250");
  EXPECT_EQ(Texto("select left(cast(CADUCIDAD_CAJA as varchar(30)), 10) from DLENTILLA where OJO = 1"), "2027-12-31");
  EXPECT_EQ(Texto("select left(cast(CADUCIDAD_CAJA as varchar(30)), 10) from DLENTILLA where OJO = 2"), "2028-02-29");

  // Shown again from the database.
  pantalla->close();
  h.ctx.seleccion.idFicha = static_cast<double>(Contar("select max(ID_MLENTILLA) from MLENTILLA"));
  h.ctx.seleccion.ultimaFicha = 1;
  h.ctx.seleccion.tieneFichas = 1;
  Abrir();
  EXPECT_EQ(T("edtODLote"), "L-2093/A");
  EXPECT_EQ(Caja("dtm_OD_Caducidad_Caja"), "31/12/2027");
  EXPECT_EQ(Caja("dtm_OI_Caducidad_Caja"), "29/02/2028");
}

TEST_F(EscaneoTest, CadaRechazoSeDiceYNoCambiaNada) {
  Teclear("edtODLote", "PREVIO");
  Teclear("edt_OD_Articulo", "LENTE A MANO");
  std::vector<TRechazo> casos(std::begin(kRechazos), std::end(kRechazos));
  // No separator, and a lot that ends in what reads as an expiry.
  casos.push_back({"]d20108470123000256" "10ABCD1234" "17271231", "se puede leer de dos maneras"});
  for (const auto& c : casos) {
    h.mensajes.cajas.clear();
    h.mensajes.respuestas = {mb::IDNO};  // the unknown article is not created
    Escanear("edt_OD_Articulo", c.codigo, true, true);
    ASSERT_EQ(h.mensajes.cajas.size(), 1u) << c.codigo.toStdString();
    EXPECT_TRUE(h.mensajes.cajas[0].texto.contains(QString::fromUtf8(c.mensaje)))
        << h.mensajes.cajas[0].texto.toStdString();
    EXPECT_EQ(T("edt_OD_Articulo"), "LENTE A MANO");
    EXPECT_EQ(T("edtODLote"), "PREVIO");
    EXPECT_EQ(Caja("dtm_OD_Caducidad_Caja"), "  /  /    ");
    EXPECT_EQ(T("edt_OD_Importe"), "");
  }
}

TEST_F(EscaneoTest, EscanearEsperaElCodigoYUnaRecetaRellenaLaGraduacion) {
  W<QAction>("actEscanearODArticulo")->trigger();
  EXPECT_EQ(Estado(), "Pase el lector por el código de la caja (Esc: cancelar).");
  // Whatever comes next is taken as a code; a prescription fills both eyes.
  QTest::keyClicks(W("edt_OD_Articulo"), "]Q1OPTRX1|PAC=x|OD=;;;8,60;;-2.75;-0.5;180|OI=;;;;;1.25;;;;;N");
  QTest::keyClick(W("edt_OD_Articulo"), Qt::Key_Return);
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(T("edt_OD_Articulo"), "");
  EXPECT_EQ(T("edt_OD_Radio_1"), "8,60");
  EXPECT_EQ(T("edt_OD_Esfera"), "-2,75");
  EXPECT_EQ(T("edt_OD_Cilindro"), "-0,50");
  EXPECT_EQ(T("edt_OD_Eje"), "180");
  EXPECT_EQ(T("edt_OI_Esfera"), "+1,25");
  EXPECT_EQ(T("edt_OI_Adicion"), "Neutro");
  EXPECT_TRUE(B("btnGrabar")->isEnabled());
}

// A code without Enter ends after a short quiet once it reads whole; a
// scanner that pauses mid-field, longer than that quiet, is still waited for.
TEST_F(EscaneoTest, UnaPausaAMitadDeCampoNoCortaElCodigo) {
  Ir("edt_OD_Articulo");
  Teclas(W("edt_OD_Articulo"), "]d20108470123000256172712");
  QTest::qWait(TLectorCuna::kSilencioCompleto + 6);
  Teclas(W("edt_OD_Articulo"), "31" "10L-55");
  QTest::qWait(TLectorCuna::kSilencio + 20);
  EXPECT_TRUE(h.mensajes.cajas.empty()) << h.mensajes.cajas[0].texto.toStdString();
  EXPECT_EQ(T("edtODLote"), "L-55");
  EXPECT_EQ(Caja("dtm_OD_Caducidad_Caja"), "31/12/2027");
}

TEST_F(EscaneoTest, LoQueSeTecleaDespacioNoEsUnEscaneo) {
  // A person types a reference key by key: it stays typed and is looked up
  // on leaving, as always.
  Ir("edt_OD_Articulo");
  for (QChar c : QStringLiteral("0108470123000256")) {
    QTest::keyClick(W("edt_OD_Articulo"), c.toLatin1());
    QTest::qWait(TLectorCuna::kHueco + 15);
  }
  EXPECT_EQ(T("edt_OD_Articulo"), "0108470123000256");
  EXPECT_TRUE(h.mensajes.cajas.empty());
}

// The same box and the same refusals on the test tab, whose lines keep the
// article and the lot (a test has no box expiry).
class EscaneoPruebaTest : public EscaneoTest {
 protected:
  void SetUp() override {
    EscaneoTest::SetUp();
    Pestanas()->setCurrentWidget(W<QWidget>("tstPruebas"));
    B("btnPruebaNueva")->click();
  }
  void Grabar() {
    h.mensajes.respuestas = {mb::IDNO};  // today is not made the patient's last visit
    ASSERT_TRUE(B("btnPruebaGrabar")->isEnabled());
    B("btnPruebaGrabar")->click();
    h.mensajes.cajas.clear();
  }
};

TEST_F(EscaneoPruebaTest, UnaCajaRellenaArticuloYLoteYCadaRechazoNoCambiaNada) {
  Escanear("edt_OD_Descripcion_Prueba", "]d2010847012300025617271231" "10L-2093/A" + GS + "21SN77");
  Escanear("edt_OI_Descripcion_Prueba", "010847012300025617280200" "10L-55", false);
  EXPECT_TRUE(h.mensajes.cajas.empty()) << h.mensajes.cajas[0].texto.toStdString();
  EXPECT_EQ(T("edt_OD_Descripcion_Prueba"), "Acuvue Oasys 6 u. -2,50");
  EXPECT_EQ(T("edtODLotePrueba"), "L-2093/A");
  EXPECT_EQ(T("edtOILotePrueba"), "L-55");
  Grabar();
  EXPECT_EQ(Texto("select OD_REFERENCIA_ART || '/' || OD_LOTE || '/' || OI_REFERENCIA_ART || '/' || OI_LOTE || '/' || "
                  "OD_MODELO_ART from PLENTILLA"),
            "AOS6-0250/L-2093/A/AOS6-0250/L-55/Oasys");

  std::vector<TRechazo> casos(std::begin(kRechazos), std::end(kRechazos));
  casos.push_back({"]Q1OPTRX1|PAC=x|OD=;;;;;-2.75", "se lee en la pestaña Ficha"});
  for (const auto& c : casos) {
    h.mensajes.respuestas = {mb::IDNO};
    Escanear("edt_OI_Descripcion_Prueba", c.codigo, true, false);
    ASSERT_EQ(h.mensajes.cajas.size(), 1u) << c.codigo.toStdString();
    EXPECT_TRUE(h.mensajes.cajas[0].texto.contains(QString::fromUtf8(c.mensaje)))
        << h.mensajes.cajas[0].texto.toStdString();
    h.mensajes.cajas.clear();
    EXPECT_EQ(T("edt_OI_Descripcion_Prueba"), "Acuvue Oasys 6 u. -2,50");
    EXPECT_EQ(T("edtOILotePrueba"), "L-55");
    EXPECT_FALSE(B("btnPruebaGrabar")->isEnabled()) << c.codigo.toStdString();
  }
  // The left eye still names its article: a later save keeps it.
  Teclear("edt_OD_Esfera_Prueba", "-2,5", "edt_OD_Cilindro_Prueba");
  Grabar();
  EXPECT_EQ(Texto("select OI_REFERENCIA_ART || '/' || OI_LOTE from PLENTILLA"), "AOS6-0250/L-55");
}

// A photo of the box chosen with "Leer imagen…": the same reading as a scan.
TEST_F(EscaneoTest, UnaImagenDeLaCajaRellenaComoUnEscaneo) {
  QTemporaryDir carpeta;
  gs1::TCaja c;
  c.gtin = "08470123000256";
  c.caducidad = QDate(2027, 12, 31);
  c.lote = "L-2093/A";
  c.serie = "SN77";
  const QString caja = carpeta.filePath("caja.png");
  ASSERT_TRUE(codigo_barras::Imagen(codigo_barras::Codificar(codigo_barras::TSimbologia::kGs1DataMatrix,
                                                             gs1::Cadena_Corchetes(c)),
                                    4)
                  .save(caja));
  QImage blanca(200, 200, QImage::Format_RGB32);
  blanca.fill(Qt::white);
  const QString vacia = carpeta.filePath("vacia.png");
  ASSERT_TRUE(blanca.save(vacia));

  const auto elegir = [this](const QString& fichero, const char* accion) {
    bool abierta = false;
    Al_Abrirse_Modal(abierta, [&](QWidget* w) {
      auto* dlg = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(dlg, nullptr);
      dlg->selectFile(fichero);
      QMetaObject::invokeMethod(dlg, "accept");
    });
    W<QAction>(accion)->trigger();
    EXPECT_TRUE(abierta);
  };
  elegir(vacia, "actImagenODArticulo");
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_TRUE(h.mensajes.cajas[0].texto.contains("ningún código en la imagen"));
  EXPECT_EQ(T("edt_OD_Articulo"), "");

  h.mensajes.cajas.clear();
  elegir(caja, "actImagenODArticulo");
  EXPECT_TRUE(h.mensajes.cajas.empty()) << h.mensajes.cajas[0].texto.toStdString();
  EXPECT_EQ(T("edt_OD_Articulo"), "Acuvue Oasys 6 u. -2,50");
  EXPECT_EQ(T("edtODLote"), "L-2093/A");
  EXPECT_EQ(Caja("dtm_OD_Caducidad_Caja"), "31/12/2027");
}

// An unknown GTIN, and "Yes" to creating the article: the article module
// (the real articlemod.so) starts with the GTIN as the new article's barcode,
// and the article it creates comes back with the box's lot and expiry.
TEST_F(EscaneoTest, UnGtinDesconocidoPasaAlMantenimientoYVuelveConLaCaja) {
  for (const char* sql : {"insert into IVA (ID_IVA, DESCRIPCION, PORCENTAJE, IVA_INCLUIDO) values (1, 'General', 21, 1)"})
    Ejecutar_SQL(*h.principal, sql);
  h.puesto.carpetaModulos = QStringLiteral(OPTICA_MODULOS_DIR);
  QString ofrecido;
  bool abierta = false;
  Al_Abrirse_Modal(abierta, [&](QWidget* w) {
    ofrecido = w->findChild<QLineEdit*>("edtCodigoBarras")->text();
    w->findChild<QLineEdit*>("edtReferencia")->setText("DT1-0300");
    w->findChild<QLineEdit*>("edtDescripcion")->setText("Dailies Total 1 -3,00");
    w->findChild<QLineEdit*>("edtPrecio")->setText("29,90");
    w->findChild<QComboBox*>("cbxIva")->setCurrentIndex(0);
    w->findChild<QPushButton*>("btnAceptar")->click();
  });
  h.mensajes.respuestas = {mb::IDYES};
  Escanear("edt_OD_Articulo", "]d2010401234567890117271231" "10DT-88");
  ASSERT_TRUE(abierta);
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);  // the question alone
  EXPECT_EQ(ofrecido, "04012345678901");
  EXPECT_EQ(Contar("select CODIGO_BARRAS from ARTICULO where REFERENCIA = 'DT1-0300'"), 4012345678901);
  EXPECT_EQ(T("edt_OD_Articulo"), "Dailies Total 1 -3,00");
  EXPECT_EQ(T("edtODLote"), "DT-88");
  EXPECT_EQ(Caja("dtm_OD_Caducidad_Caja"), "31/12/2027");
  EXPECT_TRUE(h.ctx.codigoBarrasArticulo.isEmpty());  // only while the module starts

  // Insert alone offers no barcode.
  Al_Abrirse_Modal(abierta, [&](QWidget* w) {
    ofrecido = w->findChild<QLineEdit*>("edtCodigoBarras")->text();
    w->close();
  });
  Ir("edt_OI_Articulo");
  QTest::keyClick(W("edt_OI_Articulo"), Qt::Key_Insert);
  ASSERT_TRUE(abierta);
  EXPECT_EQ(ofrecido, "");
}

}  // namespace
