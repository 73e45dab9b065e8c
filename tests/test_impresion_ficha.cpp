// What the lens screen prints through the print engine: the variables of the
// record sheet, the prescription and the warranty, in the order the engine
// gets them, and the whole print of a prescription from a real patient on a
// real database to a PDF read back with pdftotext.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QFile>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "Anfitrion_prueba.h"
#include "Pantalla_prueba.h"
#include "Pdf_prueba.h"
#include "Clase_tdocumento.h"
#include "Clase_tformato.h"
#include "Clase_tlocalidad.h"
#include "Clase_tpaciente.h"
#include "Variables_documento.h"
#include "Codigo_barras.h"
#include "Codigo_gs1.h"
#include "Receta_qr.h"

#include <QImage>
#include <QProcess>

namespace {

QList<int> Codigos(const TDocumento& d) {
  QList<int> c;
  for (const TVariableDocumento& v : d.Memoria().Variables()) c << v.CODIGO;
  return c;
}

QList<int> Rango(int desde, int hasta) {
  QList<int> c;
  for (int i = desde; i <= hasta; ++i) c << i;
  return c;
}

QString Valor(const TDocumento& d, int codigo) {
  QString v;
  return d.Valor(codigo, &v) ? v : QStringLiteral("<no está>");
}

class ImpresionFichaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Ejecutar_SQL(*h.principal, "insert into PROVINCIA (ID_PROVINCIA, CODIGO, DESCRIPCION) values (28, 28, 'Madrid')");
    Ejecutar_SQL(*h.principal,
                 "insert into LOCALIDAD (ID_LOCALIDAD, ID_PROVINCIA, CODIGO_POSTAL, DESCRIPCION) values "
                 "(5, 28, 28130, 'Valdeolmos')");
    Ejecutar_SQL(*h.principal,
                 "update PACIENTE set DIRECCION = 'C/ Mayor, 3', ID_LOCALIDAD = 5, TELEFONO = '918000000', "
                 "TELEFONO_MOVIL = '600111222', SEXO = 2, FECHA_NACIMIENTO = '1980-05-20', "
                 "TOTAL_COMPRADO_M1 = 10.5, CORREO = 1 where ID_PACIENTE = 7");
    paciente = std::make_unique<TPaciente>(&h.aplicacion, h.secundaria.get(), h.principal.get());
    paciente->ID(7);
    ASSERT_EQ(paciente->Buscar(0), 0);
    localidad = std::make_unique<TLocalidad>(&h.aplicacion, h.secundaria.get(), h.principal.get());
    ASSERT_EQ(localidad->Buscar(0, 5), 0);
    h.empresa.localidad = localidad.get();
    h.empresa.direccion = "Plaza Mayor, 1";
    h.empresa.telefono = "918 000 100";
    h.empresa.codigo = 3;
  }

  // A saved record with a right-eye lens only.
  static TFichaDocumento Ficha() {
    TFichaDocumento f;
    f.conClave = true;
    f.nombre = "Marta";
    f.apellidos = "Álvarez Gil";
    f.numero = "2";
    f.fecha = "14/11/2026";
    f.doctor = "Dra. Ruiz";
    f.ojos[0].esfera = "+1,50";
    f.ojos[0].eje = "180";
    f.ojos[1].esfera = "-2,25";
    f.lentes << TLineaLenteDocumento{1, "Mensual", "AC-1", "Acuvue Oasys", "", "8,4", "8,4", "14", "",
                                     "L-20931", "45,00 €", "45,00", "14/11/2027"};
    return f;
  }

  TAnfitrionPrueba h;
  std::unique_ptr<TPaciente> paciente;
  std::unique_ptr<TLocalidad> localidad;
};

TEST_F(ImpresionFichaTest, LaEmpresaVaEnOrdenYSinPoblacionNoLlevaSusTresCodigos) {
  TDocumento d;
  d.Inicializar();
  Variables_Empresa(d, h.empresa);
  EXPECT_EQ(Codigos(d), Rango(900, 911));
  EXPECT_EQ(Valor(d, 900), "3");
  EXPECT_EQ(Valor(d, 901), "Óptica Miravel, S.L.");
  EXPECT_EQ(Valor(d, 904), "Valdeolmos");
  EXPECT_EQ(Valor(d, 905), "Madrid");
  EXPECT_EQ(Valor(d, 906), "28130");
  EXPECT_EQ(Valor(d, 908), "918 000 100");

  localidad->ID_LOCALIDAD(-1);
  TDocumento sinPoblacion;
  sinPoblacion.Inicializar();
  Variables_Empresa(sinPoblacion, h.empresa);
  EXPECT_EQ(Codigos(sinPoblacion), (QList<int>{900, 901, 902, 903, 907, 908, 909, 910, 911}));
}

TEST_F(ImpresionFichaTest, ElPacienteVaEnElOrdenDeSuTabla) {
  TDocumento d;
  d.Inicializar();
  Variables_Paciente(d, *paciente, "Centro");
  QList<int> orden = Rango(100, 114);
  orden << 127 << Rango(115, 126);
  EXPECT_EQ(Codigos(d), orden);
  EXPECT_EQ(Valor(d, 101), "Álvarez Gil");
  EXPECT_EQ(Valor(d, 103), Valor(d, 101) + ", " + Valor(d, 102));
  EXPECT_EQ(Valor(d, 105), "Valdeolmos");
  EXPECT_EQ(Valor(d, 107), "28130");
  EXPECT_EQ(Valor(d, 111), "Mujer");
  EXPECT_EQ(Valor(d, 114), "20/05/1980");
  EXPECT_FALSE(Valor(d, 127).isEmpty());
  EXPECT_EQ(Valor(d, 117), "");  // no licence-card date: empty, never 30/12/1899
  EXPECT_EQ(Valor(d, 119), "Si");
  EXPECT_EQ(Valor(d, 120), "10,5");
  EXPECT_EQ(Valor(d, 122), "Centro");
}

TEST_F(ImpresionFichaTest, UnSexoDesconocidoNoDaVariableYSinNacimientoNoHayEdad) {
  Ejecutar_SQL(*h.principal, "update PACIENTE set SEXO = 5, FECHA_NACIMIENTO = null where ID_PACIENTE = 7");
  ASSERT_EQ(paciente->Buscar(0), 0);
  TDocumento d;
  d.Inicializar();
  Variables_Paciente(d, *paciente, QString());
  EXPECT_FALSE(d.Valor(111));
  EXPECT_EQ(Valor(d, 114), "");
  EXPECT_EQ(Valor(d, 127), "");
  // Not stated is printed so.
  Ejecutar_SQL(*h.principal, "update PACIENTE set SEXO = 0 where ID_PACIENTE = 7");
  ASSERT_EQ(paciente->Buscar(0), 0);
  TDocumento sinSexo;
  sinSexo.Inicializar();
  Variables_Paciente(sinSexo, *paciente, QString());
  EXPECT_EQ(Valor(sinSexo, 111), "No Definido");
}

TEST_F(ImpresionFichaTest, LaFichaVaEnSuOrdenYElOjoSinLenteLlevaSusCodigosVacios) {
  TDocumento d;
  d.Inicializar();
  Variables_Ficha(d, Ficha());
  QList<int> orden = Rango(3400, 3408);
  orden << 3409 << 3440 << 3410 << 3412 << 3411 << 3413 << 3415 << 3417 << 3414 << 3416 << 3418;
  for (int ojo : {0, 1})
    for (int c : {3419, 3421, 3423, 3425, 3427, 3429, 3431, 3433, 3437, 3435}) orden << c + ojo;
  orden << 3439 << 3441;
  for (int ojo : {0, 1}) {
    orden << 3620 + ojo;
    for (int c : {3600, 3602, 3604, 3606, 3608, 3610, 3612, 3622, 3614, 3616, 3618, 3624}) orden << c + ojo;
  }
  EXPECT_EQ(Codigos(d), orden);
  EXPECT_EQ(Valor(d, 3402), "Álvarez Gil, Marta");
  EXPECT_EQ(Valor(d, 3423), "+1,50");
  EXPECT_EQ(Valor(d, 3424), "-2,25");
  EXPECT_EQ(Valor(d, 3427), "180");
  EXPECT_EQ(Valor(d, 3622), "L-20931");
  EXPECT_EQ(Valor(d, 3618), "14/11/2027");
  EXPECT_EQ(Valor(d, 3620), "Mensual");
  for (int c = 3601; c <= 3625; c += 2) EXPECT_EQ(Valor(d, c), "") << c;
}

TEST_F(ImpresionFichaTest, UnaFichaSinGrabarSoloLlevaElNombre) {
  TFichaDocumento f = Ficha();
  f.conClave = false;
  TDocumento d;
  d.Inicializar();
  Variables_Ficha(d, f);
  EXPECT_EQ(Valor(d, 3400), "Marta");
  EXPECT_EQ(Valor(d, 3402), "Álvarez Gil, Marta");
  for (int c : Rango(3403, 3441) + Rango(3600, 3625)) EXPECT_EQ(Valor(d, c), "") << c;
}

// ---- The whole print ---------------------------------------------------------------

class ImpresionFichaPdfTest : public ImpresionFichaTest {
 protected:
  void SetUp() override {
    ImpresionFichaTest::SetUp();
    h.puesto.carpetaModulos = QStringLiteral(OPTICA_MODULOS_DIR);
    h.puesto.carpetaFormatos = QStringLiteral(OPTICA_FORMATOS_DIR);
    h.puesto.textoTipoReceta = "receta";
    h.puesto.textoTipoFicha = "ficha";
    qputenv("OPTICA_IMPRESION_PDF", pdfs.path().toUtf8());
  }
  void TearDown() override { qunsetenv("OPTICA_IMPRESION_PDF"); }

  int Imprimir(int tipo, const QString& formato, int copias) {
    return Imprimir_Documento(&h.ctx, documento, tipo, formato, copias, [this](TDocumento& d) {
      Variables_Paciente(d, *paciente, "Centro");
      Variables_Ficha(d, Ficha());
    });
  }
  QTemporaryDir pdfs;
  TDocumento documento{&h.aplicacion};
};

TEST_F(ImpresionFichaPdfTest, LaRecetaSaleConLaEmpresaElPacienteYLaGraduacion) {
  ASSERT_EQ(Imprimir(tipos_documento::kReceta, "receta_lentilla", 2), 0);
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(documento.Texto_Tipo(), "receta");
  EXPECT_EQ(documento.Copias(), 2);
  const QString pdf = pdfs.filePath("receta_lentilla.pdf");
  EXPECT_EQ(Paginas_Pdf(pdf), 2);
  const QString t = Texto_Pdf(pdf);
  EXPECT_TRUE(t.contains("Óptica Miravel, S.L.")) << t.toStdString();
  EXPECT_TRUE(t.contains("Plaza Mayor, 1"));
  EXPECT_TRUE(t.contains("Álvarez Gil, Marta"));
  EXPECT_TRUE(QRegularExpression("OD\\s+\\+1,50\\s+180").match(t).hasMatch());
  EXPECT_TRUE(QRegularExpression("OI\\s+-2,25").match(t).hasMatch());
  EXPECT_TRUE(QRegularExpression("OD\\s+Acuvue Oasys\\s+Mensual\\s+L-20931\\s+14/11/2027").match(t).hasMatch());
}

TEST_F(ImpresionFichaPdfTest, UnaEmpresaSinPoblacionTambienImprimeLaGarantia) {
  localidad->ID_LOCALIDAD(-1);
  ASSERT_EQ(Imprimir(tipos_documento::kGarantia, "garantia_lentilla", 1), 0);
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_FALSE(documento.Valor(904));
  const QString t = Texto_Pdf(pdfs.filePath("garantia_lentilla.pdf"));
  EXPECT_TRUE(t.contains("Plaza Mayor, 1"));
  EXPECT_EQ(t.count("Valdeolmos"), 1);  // the patient's town only, not in the letterhead
}

TEST_F(ImpresionFichaPdfTest, LaFichaNoLlevaLaEmpresa) {
  ASSERT_EQ(Imprimir(tipos_documento::kFicha, "ficha_lentilla.prn", 1), 0);
  EXPECT_EQ(documento.Texto_Tipo(), "ficha");
  for (int c : Rango(900, 911)) EXPECT_FALSE(documento.Valor(c)) << c;
  EXPECT_TRUE(Texto_Pdf(pdfs.filePath("ficha_lentilla.pdf")).contains("Álvarez Gil, Marta"));
}

TEST_F(ImpresionFichaPdfTest, UnFormatoQueNoEstaSeDiceYNoSeImprime) {
  EXPECT_EQ(Imprimir(tipos_documento::kReceta, "no_existe", 1), TDocumento::kNoExiste);
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "No se ha encontrado el formato especificado. Imposible continuar");
  EXPECT_TRUE(QDir(pdfs.path()).isEmpty());
  h.mensajes.cajas.clear();
  EXPECT_EQ(Imprimir(tipos_documento::kReceta, QString(), 1), TDocumento::kSinFichero);
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_TRUE(QDir(pdfs.path()).isEmpty());
}

TEST_F(ImpresionFichaPdfTest, LaFichaConElFormatoDeLaRecetaSeRechazaPorSuVariable) {
  // A prescription format used for the record sheet: the sheet carries no
  // company block, and the engine refuses the format naming the line.
  EXPECT_EQ(Imprimir(tipos_documento::kFicha, "receta_lentilla", 1), TFormato::kFormatoRechazado);
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_TRUE(h.mensajes.cajas[0].texto.contains("la variable 901 no está en el documento"))
      << h.mensajes.cajas[0].texto.toStdString();
  EXPECT_TRUE(QDir(pdfs.path()).isEmpty());
}

}  // namespace

// ---- From the record screen ------------------------------------------------------------------

namespace {

class ImprimirDesdeLaPantallaTest : public TPantallaPrueba {
 protected:
  void SetUp() override {
    Poner_Moneda();
    h.usuario.preguntarCopia = 0;
    h.puesto.carpetaModulos = QStringLiteral(OPTICA_MODULOS_DIR);
    h.puesto.carpetaFormatos = QStringLiteral(OPTICA_FORMATOS_DIR);
    h.usuario.formatoFicha = "ficha_lentilla";
    h.usuario.formatoReceta = "receta_lentilla";
    qputenv("OPTICA_IMPRESION_PDF", pdfs.path().toUtf8());
    Ejecutar_SQL(*h.principal, "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, OD_ESFERA, "
                               "OD_CILINDRO, OD_EJE, OI_ESFERA) values (10, 7, 1, '2026-11-02', -2.75, -0.5, 180, -3)");
    Ejecutar_SQL(*h.principal, "insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, IMPORTE_M1, "
                               "IMPORTE_M2, LOTE) values (10, 1, 'AC-OAS-6', 'Acuvue Oasys', 25.5, 4242.84, 'L-77')");
    h.ctx.seleccion.idFicha = 10;
    h.ctx.seleccion.ultimaFicha = 1;
    h.ctx.seleccion.tieneFichas = 1;
  }
  void TearDown() override {
    qunsetenv("OPTICA_IMPRESION_PDF");
    TPantallaPrueba::TearDown();
  }
  // Triggers a print and answers the format dialog: accepts what it
  // proposes, or (`cancelar`) tries to accept and then cancels.
  void Pulsar(const char* accion, bool cancelar = false) {
    auto* a = pantalla->findChild<QAction*>(accion);
    ASSERT_NE(a, nullptr) << accion;
    QTimer::singleShot(0, [cancelar] {
      QWidget* d = QApplication::activeModalWidget();
      ASSERT_NE(d, nullptr);
      d->findChild<QPushButton*>("tbnAceptar")->click();
      if (cancelar) d->findChild<QPushButton*>("tbnCancelar")->click();
    });
    a->trigger();
  }
  QTemporaryDir pdfs;
};

TEST_F(ImprimirDesdeLaPantallaTest, LaRecetaYLaFichaSalenDelRegistroConSuFormato) {
  Abrir();
  Pulsar("btnImpReceta");
  const QStringList hechos = QDir(pdfs.path()).entryList({"*.pdf"});
  ASSERT_EQ(hechos.size(), 1) << hechos.join(' ').toStdString();
  const QString receta = Texto_Pdf(pdfs.filePath(hechos.first()));
  EXPECT_TRUE(receta.contains("Álvarez Gil")) << receta.toStdString();
  EXPECT_TRUE(receta.contains("-2,75"));
  EXPECT_TRUE(receta.contains("L-77"));
  EXPECT_TRUE(receta.contains("Óptica Miravel, S.L."));  // the company block of a prescription

  // The record sheet is logged as printed (action 7).
  Pulsar("btnImpFicha");
  EXPECT_EQ(QDir(pdfs.path()).entryList({"*.pdf"}).size(), 2);
  EXPECT_EQ(Consultar_Entero(*h.consulta, "select count(*) from ACCESO where OPERACION_TIP = 7"), 1);

  // Without a default format, accepting an empty format is refused; then
  // cancelling prints nothing.
  h.usuario.formatoReceta.clear();
  Pulsar("btnImpReceta", true);
  EXPECT_EQ(h.mensajes.cajas.back().texto, "Debe Indicar un formato válido");
  EXPECT_EQ(QDir(pdfs.path()).entryList({"*.pdf"}).size(), 2);
}

// Without the print engine in the modules folder nothing prints, and the
// user is told.
TEST_F(ImprimirDesdeLaPantallaTest, SinElMotorDeImpresionSeAvisa) {
  QTemporaryDir vacia;
  h.puesto.carpetaModulos = vacia.path();
  Abrir();
  Pulsar("btnImpReceta");
  EXPECT_TRUE(QDir(pdfs.path()).entryList({"*.pdf"}).isEmpty());
  ASSERT_FALSE(h.mensajes.cajas.empty());
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("No se encuentra el motor de impresión (printsvc.so)"))
      << h.mensajes.cajas.back().texto.toStdString();
}

// The codes on paper: the warranty and the prescription printed to PDF,
// rendered at 300 dpi and read back with zxing hold exactly the record's lens
// box and prescription.
QList<codigo_barras::TLeido> Codigos_Pdf(const QString& pdf) {
  QTemporaryDir dir;
  QProcess::execute("pdftoppm", {"-r", "300", "-gray", "-png", "-f", "1", "-l", "1", pdf, dir.filePath("p")});
  const QStringList png = QDir(dir.path()).entryList({"p*.png"});
  if (png.isEmpty()) return {};
  return codigo_barras::Leer_Imagen(QImage(dir.filePath(png.first())));
}

TEST_F(ImprimirDesdeLaPantallaTest, LaGarantiaYLaRecetaLlevanSusCodigosYSeLeen) {
  Ejecutar_SQL(*h.principal, "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, CODIGO_BARRAS, DESCRIPCION) "
                             "values (40, 3, 'AC-OAS-6', 8470123000256, 'Acuvue Oasys')");
  Ejecutar_SQL(*h.principal, "update DLENTILLA set CADUCIDAD_CAJA = '2027-12-31' where ID_MLENTILLA = 10");
  h.usuario.formatoGarantia = "garantia_lentilla";
  Abrir();
  Pulsar("btnImpGarantia");
  ASSERT_TRUE(h.mensajes.cajas.empty()) << h.mensajes.cajas[0].texto.toStdString();
  const auto garantia = Codigos_Pdf(pdfs.filePath("garantia_lentilla.pdf"));
  // The right eye's box only: the left eye has no lens line.
  ASSERT_EQ(garantia.size(), 1);
  const gs1::TLectura caja = gs1::Leer(garantia[0].texto);
  ASSERT_TRUE(caja.Valida()) << caja.mensaje.toStdString();
  EXPECT_TRUE(garantia[0].texto.startsWith("]d2"));
  EXPECT_EQ(caja.caja.gtin, "08470123000256");
  EXPECT_EQ(caja.caja.lote, "L-77");
  EXPECT_EQ(caja.caja.caducidad, QDate(2027, 12, 31));

  Pulsar("btnImpReceta");
  const auto receta = Codigos_Pdf(pdfs.filePath("receta_lentilla.pdf"));
  ASSERT_EQ(receta.size(), 1);
  receta_qr::TReceta r;
  QString error;
  ASSERT_TRUE(receta_qr::Leer(receta[0].texto, r, &error)) << error.toStdString();
  EXPECT_EQ(r.paciente, "Álvarez Gil, Marta");
  EXPECT_EQ(r.fecha, QDate(2026, 11, 2));
  EXPECT_EQ(r.ojos[0].esfera, -2.75);
  EXPECT_EQ(r.ojos[0].cilindro, -0.5);
  EXPECT_EQ(r.ojos[0].eje, 180);
  EXPECT_EQ(r.ojos[1].esfera, -3);
  EXPECT_EQ(r.ojos[1].cilindro, 0);  // the record reads its empty column as 0, and so it goes
  EXPECT_EQ(r.lentes[0].referencia, "AC-OAS-6");
  EXPECT_EQ(r.lentes[0].lote, "L-77");
  EXPECT_EQ(r.lentes[1].referencia, "");
}

}  // namespace
