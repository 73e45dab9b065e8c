// The real sales, orders and articles modules (salesmod.so, ordermod.so,
// articlemod.so) started from the lens record screen: the sale window shows
// what the record handed over, its lines can be changed from the keyboard,
// and "Cobrar" / "Encargar" (F5), once the question is answered Yes, store it
// whole with the payment method chosen; the article form creates the article
// that the field which asked then shows.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "Clase_tventa.h"
#include "Frm_venta.h"
#include "Pantalla_prueba.h"
#include "Script_sql.h"
#include "Util_locale.h"
#include "Ventana_modal.h"

inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }

namespace {

QPointer<QTimer> Al_Abrirse(bool& abierta, std::function<void(QWidget*)> accion) {
  return Al_Abrirse_Modal(abierta, std::move(accion));
}

class VentasTest : public TPantallaPrueba {
 protected:
  void SetUp() override {
    for (const char* sql : {
             "insert into IVA (ID_IVA, DESCRIPCION, PORCENTAJE, IVA_INCLUIDO) values (1, 'IVA general 21%', 21, 1)",
             "insert into IVA (ID_IVA, DESCRIPCION, PORCENTAJE, IVA_INCLUIDO) values (2, 'IVA 10% aparte', 10, 0)",
             "insert into FORMA_PAGO (ID_FORMA_PAGO, CODIGO, DESCRIPCION) values (1, 1, 'Efectivo')",
             "insert into FORMA_PAGO (ID_FORMA_PAGO, CODIGO, DESCRIPCION) values (2, 2, 'Tarjeta')",
             "insert into PROVEEDOR (ID_PROVEEDOR, CODIGO, NOMBRE) values (8, 8, 'Johnson & Johnson Vision')",
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, DESCRIPCION, PRECIO_VENTA1_M1, "
             "PRECIO_PVP1_PVP2, ID_IVA_VENTA, ID_PROVEEDOR) values (40, 3, 'AC-OAS-6', 'Acuvue Oasys', 32.5, 0, 1, 8)",
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, DESCRIPCION, PRECIO_VENTA1_M1, "
             "PRECIO_PVP1_PVP2, ID_IVA_VENTA, ID_PROVEEDOR) values (41, 3, 'BIOTOR', 'Biofinity Toric', 44.9, 0, 1, 8)",
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, DESCRIPCION, PRECIO_VENTA1_M1, "
             "PRECIO_PVP1_PVP2) values (42, 3, 'SIN-IVA', 'Lentilla sin IVA', 20, 0)",
             "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA) values (1, 7, 1, '2026-01-10')",
             "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA) values (2, 7, 2, '2026-06-10')",
             "insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, IMPORTE_M1) values "
             "(2, 1, 'AC-OAS-6', 'Acuvue Oasys', 32.5)",
             "insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, IMPORTE_M1) values "
             "(2, 2, 'BIOTOR', 'Biofinity Toric', 44.9)",
         })
      Ejecutar_SQL(*h.principal, sql);
    Poner_Moneda();
    h.puesto.carpetaModulos = QStringLiteral(OPTICA_MODULOS_DIR);
    h.ctx.seleccion.idFicha = 2;
    h.ctx.seleccion.tieneFichas = 1;
  }
  void Pulsar(const char* boton) { W<QToolButton>(boton)->click(); }
  // Presses the record screen's "Venta" or "Encargo" and runs `accion` on the
  // window it opens, made the active one as a user's would be.
  void En_La_Ventana(const char* boton, const std::function<void(QWidget*)>& accion) {
    bool abierta = false;
    Al_Abrirse(abierta, [&](QWidget* w) {
      QApplication::setActiveWindow(w);
      accion(w);
    });
    Pulsar(boton);
    ASSERT_TRUE(abierta);
  }
  double Numero(const QString& sql) {
    double v = 0;
    EXPECT_TRUE(locale_es::Texto_A_Float(Consultar_Texto(*h.consulta, sql), v)) << sql.toStdString();
    return v;
  }
};

const char* const kPregunta = "¿Desea grabar la venta por %1 € (forma de pago: %2)?";

// The keys a user presses, sent where the keyboard focus is: on the grid the
// first one opens the cell's editor over its text.
QWidget* Foco() {
  QWidget* w = QApplication::focusWidget();
  EXPECT_NE(w, nullptr) << "nada tiene el foco del teclado";
  return w;
}
void Escribir(const QString& texto) {
  for (const QChar c : texto)
    if (QWidget* w = Foco()) QTest::keyClick(w, c.toLatin1());
}
void Tecla(Qt::Key tecla) {
  if (QWidget* w = Foco()) QTest::keyClick(w, tecla);
}

// A sale line of the hand-off as the record screen fills it for a lens field
// that shows `texto`.
TLineaVenta Linea_Traspaso(const QString& texto, double importe, int32_t idArticulo = -1) {
  TLineaVenta l;
  l.activa = 1;
  l.idArticulo = idArticulo;
  l.referencia = l.descripcion = texto;
  l.importe = importe;
  l.cantidad = 1;
  return l;
}

TEST_F(VentasTest, LaVentaDeLaFicha2SeCobraConSusDosLineasYSuIva) {
  Abrir();
  QString paciente, total;
  int filas = 0;
  h.mensajes.respuestas = {mb::IDYES};
  En_La_Ventana("btnVenta", [&](QWidget* w) {
    paciente = w->findChild<QLabel*>("lblPaciente")->text();
    total = w->findChild<QLabel*>("lblTotal")->text();
    filas = w->findChild<QTableView*>("grdLineas")->model()->rowCount();
    auto* formas = w->findChild<QComboBox*>("cbxFormaPago");
    formas->setCurrentIndex(formas->findText("Tarjeta"));
    w->findChild<QPushButton*>("btnCobrar")->click();
  });
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, QString(kPregunta).arg("77,40", "Tarjeta"));
  EXPECT_EQ(h.mensajes.cajas[0].flags, mb::YESNO | mb::ICONQUESTION);
  EXPECT_EQ(paciente, "Paciente: Marta Álvarez Gil (código 1007)");
  EXPECT_EQ(filas, 2);
  EXPECT_EQ(total, "77,40");

  EXPECT_EQ(Contar("select count(*) from VENTA"), 1);
  EXPECT_EQ(Contar("select ID_FORMA_PAGO from VENTA"), 2);
  EXPECT_EQ(Contar("select ID_MLENTILLA from VENTA"), 2);
  EXPECT_EQ(Contar("select ID_PACIENTE from VENTA"), 7);
  EXPECT_EQ(Contar("select count(*) from DVENTA d join VENTA v on v.ID_VENTA = d.ID_VENTA"), 2);
  // The record's field shows a stored lens by its reference; the sale names
  // the article as the catalogue does.
  EXPECT_EQ(Texto("select DESCRIPCION from DVENTA where ID_ARTICULO = 40"), "Acuvue Oasys");
  EXPECT_EQ(Texto("select REFERENCIA from DVENTA where ID_ARTICULO = 41"), "BIOTOR");
  EXPECT_EQ(Texto("select DESCRIPCION from DVENTA where ID_ARTICULO = 41"), "Biofinity Toric");
  // VAT included at 21%: 32,50 carries 5,64 and 44,90 carries 7,79.
  EXPECT_DOUBLE_EQ(Numero("select IVA_M1 from DVENTA where ID_ARTICULO = 40"), 5.64);
  EXPECT_DOUBLE_EQ(Numero("select IVA_M1 from DVENTA where ID_ARTICULO = 41"), 7.79);
  EXPECT_NEAR(Numero("select TOTAL_M1 from VENTA"), 77.4, 1e-9);
  EXPECT_NEAR(Numero("select IVA_M1 from VENTA"), 13.43, 1e-9);
  EXPECT_NEAR(Numero("select sum(IMPORTE_M1) from DVENTA"), Numero("select TOTAL_M1 from VENTA"), 1e-9);
  EXPECT_NEAR(Numero("select sum(IVA_M1) from DVENTA"), Numero("select IVA_M1 from VENTA"), 1e-9);
  EXPECT_NEAR(Numero("select BASE_M1 + IVA_M1 - TOTAL_M1 from VENTA"), 0, 1e-9);
  EXPECT_NEAR(Numero("select TOTAL_M2 from VENTA"), 77.4 * 166.386, 1e-6);
  EXPECT_EQ(h.Filas_Acceso(), (QStringList{"8002/3", "2004/0"}));
}

// Quantity, price and discount typed cell after cell with Enter, as at the
// counter: the totals follow, Enter never stores, and F5 stores only what the
// question answered Yes confirms, with the lines as changed.
TEST_F(VentasTest, LasLineasSeCambianConElTecladoYSoloSeGuardanAlConfirmar) {
  Abrir();
  QString totalTecleado, totalTrasNo, foco;
  qint64 ventasTrasEnter = -1, ventasTrasNo = -1;
  bool abiertaTrasNo = false;
  h.mensajes.respuestas = {mb::IDNO, mb::IDYES};
  En_La_Ventana("btnVenta", [&](QWidget* w) {
    auto* total = w->findChild<QLabel*>("lblTotal");
    Escribir("3");  // the window starts on the first line's quantity
    Tecla(Qt::Key_Return);
    Escribir("30");  // its price
    Tecla(Qt::Key_Return);
    Escribir("10");  // its discount
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Return);  // the second line's quantity stays 1
    Tecla(Qt::Key_Enter);   // and its price
    Escribir("5,5");
    Tecla(Qt::Key_Return);  // past the last cell, on to the payment method
    foco = Foco() ? Foco()->objectName() : QString();
    totalTecleado = total->text();
    ventasTrasEnter = Contar("select count(*) from VENTA");

    QTest::keyClick(w, Qt::Key_F5);  // answered No
    ventasTrasNo = Contar("select count(*) from VENTA");
    abiertaTrasNo = QApplication::activeModalWidget() == w;
    totalTrasNo = total->text();
    QTest::keyClick(w, Qt::Key_F5);  // answered Yes
  });
  // 3 x 30,00 less 10% = 81,00; 44,90 less 5,5% = 42,4305, to the cent.
  EXPECT_EQ(totalTecleado, "123,43");
  EXPECT_EQ(foco, "cbxFormaPago");
  EXPECT_EQ(ventasTrasEnter, 0);
  EXPECT_EQ(ventasTrasNo, 0);
  EXPECT_TRUE(abiertaTrasNo);
  EXPECT_EQ(totalTrasNo, "123,43");
  ASSERT_EQ(h.mensajes.cajas.size(), 2u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, QString(kPregunta).arg("123,43", "Efectivo"));

  EXPECT_EQ(Contar("select count(*) from VENTA"), 1);
  EXPECT_EQ(Contar("select CANTIDAD from DVENTA where ID_ARTICULO = 40"), 3);
  EXPECT_DOUBLE_EQ(Numero("select IMPORTE_M1 from DVENTA where ID_ARTICULO = 40"), 81);
  EXPECT_DOUBLE_EQ(Numero("select IVA_M1 from DVENTA where ID_ARTICULO = 40"), 14.06);
  EXPECT_EQ(Contar("select CANTIDAD from DVENTA where ID_ARTICULO = 41"), 1);
  EXPECT_DOUBLE_EQ(Numero("select IMPORTE_M1 from DVENTA where ID_ARTICULO = 41"), 42.43);
  EXPECT_NEAR(Numero("select TOTAL_M1 from VENTA"), 123.43, 1e-9);
  EXPECT_NEAR(Numero("select IVA_M1 from VENTA"), 14.06 + 7.36, 1e-9);
}

// A value the line does not take is told, stays in its cell to be put right,
// and keeps the document from being stored until it is.
TEST_F(VentasTest, UnValorQueLaLineaNoAdmiteSeDiceYSeQuedaEnSuCelda) {
  Abrir();
  QString enLaCelda, total;
  qint64 ventas = -1;
  En_La_Ventana("btnEncargo", [&](QWidget* w) {
    Escribir("0");
    Tecla(Qt::Key_Return);
    auto* celda = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    enLaCelda = celda ? celda->text() : QStringLiteral("(ningún editor)");
    w->findChild<QPushButton*>("btnCobrar")->click();  // told again; nothing asked
    ventas = Contar("select count(*) from ENCARGO");
    Escribir("2");
    Tecla(Qt::Key_Return);
    total = w->findChild<QLabel*>("lblTotal")->text();
  });
  const char* const cantidad = "La cantidad ha de ser un número entero entre 1 y 999.";
  ASSERT_EQ(h.mensajes.cajas.size(), 2u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, cantidad);
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "AVISO");
  EXPECT_EQ(h.mensajes.cajas[1].texto, cantidad);
  EXPECT_EQ(enLaCelda, "0");
  EXPECT_EQ(ventas, 0);
  EXPECT_EQ(total, "109,90");  // 2 x 32,50 + 44,90
  EXPECT_EQ(Contar("select count(*) from ENCARGO"), 0);  // closed without Encargar
}

// The limits of what a line takes, on the sale alone.
TEST_F(VentasTest, LosLimitesDeCadaCampoDeLaLinea) {
  h.ctx.lineasVenta[0] = Linea_Traspaso("BIOTOR", 44.9, 41);
  TVenta v(&h.aplicacion, h.secundaria.get(), h.principal.get(), TVenta::kVenta);
  ASSERT_EQ(v.Preparar(h.ctx), 0);
  using C = TVenta::TCampo;
  const struct {
    C campo;
    const char* texto;
    bool admitido;
  } casos[] = {
      {C::kCantidad, "999", true},   {C::kCantidad, "0", false},      {C::kCantidad, "1000", false},
      {C::kCantidad, "1,5", false},  {C::kCantidad, "", false},       {C::kPrecio, "0,01", true},
      {C::kPrecio, "1234,5", true},  {C::kPrecio, "0", false},        {C::kPrecio, "12,345", false},
      {C::kPrecio, "-5", false},     {C::kPrecio, "abc", false},      {C::kDescuento, "0", true},
      {C::kDescuento, "100", true},  {C::kDescuento, "100,01", false}, {C::kDescuento, "-1", false},
  };
  for (const auto& c : casos) {
    const TLineaDocumento antes = v.Lineas()[0];
    const int r = v.Cambiar_Linea(0, c.campo, c.texto);
    EXPECT_EQ(r == 0, c.admitido) << c.texto;
    EXPECT_EQ(v.Problema().isEmpty(), c.admitido) << c.texto;
    if (!c.admitido) {  // the line as it was
      EXPECT_EQ(v.Lineas()[0].cantidad, antes.cantidad) << c.texto;
      EXPECT_EQ(v.Lineas()[0].precioM1, antes.precioM1) << c.texto;
      EXPECT_EQ(v.Lineas()[0].descuento, antes.descuento) << c.texto;
    }
  }
  // 999 x 1.234,50 at 100% off: a line given away, VAT and all.
  EXPECT_EQ(v.Lineas()[0].importeM1, 0);
  EXPECT_EQ(v.Total_M1(), 0);
  EXPECT_EQ(v.Cambiar_Linea(1, C::kCantidad, "2"), TVenta::kDatoNoValido);  // no such line
}

TEST_F(VentasTest, CancelarNoGuardaNada) {
  Abrir();
  En_La_Ventana("btnVenta", [](QWidget* w) { w->findChild<QPushButton*>("btnCancelar")->click(); });
  EXPECT_EQ(Contar("select count(*) from VENTA"), 0);
  EXPECT_EQ(Contar("select count(*) from DVENTA"), 0);
}

TEST_F(VentasTest, ElEncargoVaAlProveedorDeCadaArticulo) {
  Abrir();
  QString boton;
  h.mensajes.respuestas = {mb::IDYES};
  En_La_Ventana("btnEncargo", [&](QWidget* w) {
    auto* cobrar = w->findChild<QPushButton*>("btnCobrar");
    boton = cobrar->text();
    cobrar->click();  // the first payment method, as the list offers it
  });
  EXPECT_EQ(boton, "Encargar");
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "¿Desea grabar el encargo por 77,40 € (forma de pago: Efectivo)?");
  EXPECT_EQ(Contar("select count(*) from ENCARGO where ID_FORMA_PAGO = 1 and ID_MLENTILLA = 2"), 1);
  EXPECT_EQ(Contar("select count(*) from DENCARGO where ID_PROVEEDOR = 8"), 2);
  EXPECT_EQ(Contar("select count(*) from VENTA"), 0);
  EXPECT_EQ(h.Filas_Acceso(), (QStringList{"8002/3", "8000/0"}));
}

TEST_F(VentasTest, UnArticuloSinIvaSeDiceYNoAbreLaVenta) {
  Ejecutar_SQL(*h.principal, "update DLENTILLA set REFERENCIA = 'SIN-IVA', DESCRIPCION = 'Lentilla sin IVA' "
                             "where ID_MLENTILLA = 2 and OJO = 2");
  Abrir();
  bool abierta = false;
  const QPointer<QTimer> vigia = Al_Abrirse(abierta, [](QWidget* w) { w->close(); });
  Pulsar("btnVenta");
  QApplication::processEvents();
  EXPECT_FALSE(abierta);
  delete vigia;
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "El artículo «Lentilla sin IVA» no tiene tipo de I.V.A. de venta. Asígnele uno "
                                       "en el mantenimiento de artículos y vuelva a intentarlo.");
  EXPECT_EQ(Contar("select count(*) from VENTA"), 0);
}

TEST_F(VentasTest, UnaFichaSinLentillasNoTieneNadaQueVender) {
  h.ctx.seleccion.idFicha = 1;
  Abrir();
  bool abierta = false;
  const QPointer<QTimer> vigia = Al_Abrirse(abierta, [](QWidget* w) { w->close(); });
  Pulsar("btnVenta");
  QApplication::processEvents();
  EXPECT_FALSE(abierta);
  delete vigia;
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "La ficha no tiene ninguna lentilla con artículo: no hay nada que vender.");
}

// The demo shop as the host creates it: its sale window offers cash and card,
// cash first, and stores the one chosen.
TEST(VentaDemostracionTest, OfreceEfectivoYTarjeta) {
  TBaseDatosPrueba bd;
  ASSERT_GT(TScriptSQL::Ejecutar_Fichero(*bd.Conectar_Dueno(), QStringLiteral(OPTICA_DEMO_SQL)), 0);
  TAnfitrionPrueba h(bd.Nombre());
  // Patient 7's first record, as its screen hands a stored lens over.
  h.ctx.traspaso.idPaciente = 7;
  h.ctx.lineasVenta[0] = Linea_Traspaso("AOS6-0250", 34.9);
  TfrmVenta ventana(&h.ctx, TVenta::kVenta);
  ASSERT_EQ(ventana.Preparar(), 0);
  auto* formas = ventana.findChild<QComboBox*>("cbxFormaPago");
  QStringList ofrecidas;
  for (int i = 0; i < formas->count(); ++i) ofrecidas << formas->itemText(i);
  EXPECT_EQ(formas->currentText(), "Efectivo") << ofrecidas.join(", ").toStdString();
  ASSERT_TRUE(ofrecidas.contains("Tarjeta")) << ofrecidas.join(", ").toStdString();

  formas->setCurrentIndex(formas->findText("Tarjeta"));
  h.mensajes.respuestas = {mb::IDYES};
  ventana.findChild<QPushButton*>("btnCobrar")->click();
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select f.DESCRIPCION from VENTA v join FORMA_PAGO f on "
                                         "f.ID_FORMA_PAGO = v.ID_FORMA_PAGO"),
            "Tarjeta");
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select DESCRIPCION from DVENTA"), "Acuvue Oasys 6 u. -2,50");
}

// The VAT of one line, included or added, to the cent.
TEST(IvaLineaTest, IncluidoSeSacaYAparteSeSuma) {
  TLineaDocumento incluido;
  incluido.importeM1 = 100;
  incluido.porcentajeIva = 21;
  TVenta::Calcular_Iva(incluido, 2);
  EXPECT_DOUBLE_EQ(incluido.ivaM1, 17.36);
  EXPECT_DOUBLE_EQ(incluido.baseM1 + incluido.ivaM1, 100);
  EXPECT_DOUBLE_EQ(incluido.totalM2, 200);

  TLineaDocumento aparte;
  aparte.importeM1 = 44.95;
  aparte.porcentajeIva = 10;
  aparte.ivaIncluido = false;
  TVenta::Calcular_Iva(aparte, 0);
  EXPECT_DOUBLE_EQ(aparte.ivaM1, 4.5);  // 4,495 rounds half away from zero
  EXPECT_DOUBLE_EQ(aparte.totalM1, 49.45);
}

// The real article module (articlemod.so) started with Insert in an article
// field: the article created there is what the field then shows.
class ArticulosTest : public TPantallaPrueba {
 protected:
  void SetUp() override {
    for (const char* sql : {
             "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (5, 'MS', 'Mensual')",
             "insert into IVA (ID_IVA, DESCRIPCION, PORCENTAJE, IVA_INCLUIDO) values (1, 'IVA general 21%', 21, 1)",
             "insert into PROVEEDOR (ID_PROVEEDOR, CODIGO, NOMBRE) values (8, 8, 'CooperVision')",
             "insert into ARTICULO (ID_ARTICULO, REFERENCIA, DESCRIPCION) values (40, 'AC-OAS-6', 'Acuvue Oasys')",
         })
      Ejecutar_SQL(*h.principal, sql);
    Poner_Moneda();
    h.puesto.carpetaModulos = QStringLiteral(OPTICA_MODULOS_DIR);
  }
  // Fills the article form.
  static void Rellenar(QWidget* w, const QString& referencia, const QString& tipo, const QString& precio) {
    w->findChild<QLineEdit*>("edtReferencia")->setText(referencia);
    w->findChild<QLineEdit*>("edtDescripcion")->setText("Biofinity XR " + referencia);
    auto* t = w->findChild<QComboBox*>("cbxTipoArticulo");
    t->setCurrentIndex(t->findText(tipo));
    auto* tl = w->findChild<QComboBox*>("cbxTipoLentilla");
    tl->setCurrentIndex(tl->findText("Mensual"));
    auto* p = w->findChild<QComboBox*>("cbxProveedor");
    p->setCurrentIndex(p->findText("CooperVision"));
    auto* iva = w->findChild<QComboBox*>("cbxIva");
    iva->setCurrentIndex(0);
    w->findChild<QLineEdit*>("edtPrecio")->setText(precio);
    w->findChild<QPushButton*>("btnAceptar")->click();
  }
  void Insert(const char* campo) {
    Ir(campo);
    QTest::keyClick(W(campo), Qt::Key_Insert);
  }
};

TEST_F(ArticulosTest, ElArticuloCreadoLlegaAlCampoQueLoPidio) {
  Abrir();
  bool abierta = false;
  Al_Abrirse(abierta, [](QWidget* w) { Rellenar(w, "BIOXR-1", "Lentilla", "39,90"); });
  Insert("edt_OI_Articulo");
  ASSERT_TRUE(abierta);
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(T("edt_OI_Articulo"), "Biofinity XR BIOXR-1");
  EXPECT_EQ(T("edt_OI_Importe"), "39,90");
  EXPECT_TRUE(T("edt_OD_Articulo").isEmpty());
  EXPECT_EQ(Contar("select count(*) from ARTICULO where REFERENCIA = 'BIOXR-1' and ID_TARTICULO = 3 and ID_TIPO = 5 "
                   "and ID_PROVEEDOR = 8 and ID_IVA_VENTA = 1"),
            1);
  EXPECT_EQ(Contar("select round(PRECIO_VENTA1_M2) from ARTICULO where REFERENCIA = 'BIOXR-1'"), 6639);
  EXPECT_EQ(h.Filas_Acceso(), (QStringList{"3202/0"}));
  EXPECT_EQ(h.ctx.idArticuloElegido, -1);  // served

  // Saved with the record, the line names the new article.
  h.mensajes.respuestas = {mb::IDYES};
  W<QToolButton>("btnGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from DLENTILLA where OJO = 2 and REFERENCIA = 'BIOXR-1'"), 1);
}

TEST_F(ArticulosTest, UnDatoQueFaltaSeDiceYNoSeCreaNada) {
  Abrir();
  Teclear("edt_OD_Articulo", "AC-OAS-6");
  bool abierta = false;
  Al_Abrirse(abierta, [](QWidget* w) { Rellenar(w, "SIN-PRECIO", "Lentilla", ""); });
  Insert("edt_OD_Articulo");
  ASSERT_TRUE(abierta);
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto,
            "Escriba el precio de venta del artículo (un número mayor que 0, con coma decimal).");
  EXPECT_EQ(Contar("select count(*) from ARTICULO"), 1);
  EXPECT_EQ(T("edt_OD_Articulo"), "Acuvue Oasys");  // the field as it was

  h.mensajes.cajas.clear();
  Al_Abrirse(abierta, [](QWidget* w) { Rellenar(w, "AC-OAS-6", "Lentilla", "10"); });
  Insert("edt_OD_Articulo");
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "Ya hay un artículo con la referencia «AC-OAS-6».");
  EXPECT_EQ(Contar("select count(*) from ARTICULO"), 1);
}

TEST_F(ArticulosTest, LaPruebaRechazaUnaMonturaYAceptaUnaLentilla) {
  Abrir();
  W<QTabWidget>("pclLentilla")->setCurrentWidget(W<QWidget>("tstPruebas"));
  bool abierta = false;
  Al_Abrirse(abierta, [](QWidget* w) { Rellenar(w, "MONT-1", "Montura", "80"); });
  Insert("edt_OD_Descripcion_Prueba");
  ASSERT_TRUE(abierta);
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "El Artículo no es una Lentilla. Debe seleccionar una Lentilla");
  EXPECT_TRUE(T("edt_OD_Descripcion_Prueba").isEmpty());

  Al_Abrirse(abierta, [](QWidget* w) { Rellenar(w, "BIOXR-2", "Lentilla", "41"); });
  Insert("edt_OD_Descripcion_Prueba");
  EXPECT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(T("edt_OD_Descripcion_Prueba"), "Biofinity XR BIOXR-2");
}

}  // namespace
