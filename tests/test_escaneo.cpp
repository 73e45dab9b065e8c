// A lens box scanned into the record tab, as a keyboard-wedge scanner types
// it (a burst of keys, ASCII 29 between variable fields, Enter after it): the
// article found by its GTIN, the lot and the box's expiry filled and saved;
// every refusal told and nothing changed; a prescription's QR code read back
// into the graduation.

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include "Edit_fecha.h"
#include "Lector_cuna.h"
#include "Pantalla_prueba.h"

namespace {

const QString GS(QChar(0x1D));

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
  const struct {
    QString codigo;
    const char* mensaje;
  } casos[] = {
      // Expired: 30/11/2026, the working day is 05/12/2026.
      {"]d201084701230002561726113010L-1", "caducada desde el 30/11/2026"},
      {"]d2010847012300025717271231", "dígito de control debería ser 6"},
      {"]d2010401234567890117271231", "No hay ningún artículo con el código 04012345678901"},
      // A lot and a serial without the separator between them: too long for a lot.
      {"]d20108470123000256" "10ABCDEFGHIJ12345678" "21SN77", "no ha enviado el separador"},
  };
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

}  // namespace
