// Fitting tests and replacements against a real database.

#include <gtest/gtest.h>

#include "Anfitrion_prueba.h"
#include "Clase_tmoneda.h"
#include "Clase_tprueba.h"
#include "Clase_treposicion.h"
#include "Util_fechas.h"
#include "Util_locale.h"

namespace {

class PruebasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Ejecutar_SQL(*h.principal,
                 "insert into AGENTE (ID_AGENTE, CODIGO, NOMBRE, APELLIDOS, BORRADO) values (3, 3, 'Eva', 'Gil', 0)");
    Ejecutar_SQL(*h.principal, "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (10, 'MS', 'Mensual')");
    Ejecutar_SQL(*h.principal, "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (11, 'TO', 'Tórica')");
  }
  std::unique_ptr<TPrueba> Nueva() {
    return std::make_unique<TPrueba>(&h.aplicacion, h.secundaria.get(), h.principal.get());
  }
  // A test of a patient with a number and a date; returns its key.
  double Grabar(double paciente, int numero, double fecha) {
    auto p = Nueva();
    p->ID_PACIENTE(paciente);
    p->NUMERO_FICHA(numero);
    p->FECHA(fecha);
    EXPECT_EQ(p->Insertar(), 0);
    return p->ID_PRUEBA_LENTILLAS();
  }
  qint64 Contar(const QString& sql) { return Consultar_Entero(*h.consulta, sql); }

  TAnfitrionPrueba h;
};

TEST_F(PruebasTest, InsertarYBuscarDevuelveCadaCampo) {
  auto p = Nueva();
  p->ID_PACIENTE(7);
  p->NUMERO_FICHA(4);
  p->FECHA(fechas::Codificar(2026, 2, 14));
  p->Agente().ID(3);
  p->OD_RADIO_1("8,60"); p->OD_RADIO_2("8,40"); p->OI_RADIO_1("8,70"); p->OI_RADIO_2("8,50");
  p->OD_ESFERA(-2.25); p->OD_CILINDRO(-0.75); p->OD_EJE(180); p->OD_AGUDEZA_VISUAL(1);
  p->OD_ADICION(97); p->OD_DIAMETRO(14.2); p->OD_ZONA_OPTICA(8);
  p->OI_ESFERA(99); p->OI_CILINDRO(-1.5); p->OI_EJE(400); p->OI_AGUDEZA_VISUAL(0.8);
  p->OI_ADICION(1.25); p->OI_DIAMETRO(14); p->OI_ZONA_OPTICA(7.5);
  p->OD_SOB_ESFERA(0.25); p->OD_SOB_CILINDRO(-0.5); p->OD_SOB_EJE(90); p->OD_SOB_AGUDEZA_VISUAL(1.2);
  p->OI_SOB_ESFERA(-0.25); p->OI_SOB_CILINDRO(98); p->OI_SOB_EJE(15); p->OI_SOB_AGUDEZA_VISUAL(0.9);
  p->TLentilla_OD().ID_TLENTILLA(10); p->TLentilla_OI().ID_TLENTILLA(11);
  p->OD_REFERENCIA_ART("AC-OAS-6"); p->OD_DESCRIPCION_ART("Acuvue Oasys"); p->OD_MODELO_ART("Oasys");
  p->OD_RADIO_1_ART("8,4"); p->OD_RADIO_2_ART("8,8"); p->OD_DIAMETRO_ART(14); p->OD_COLOR_ART("Azul");
  p->OI_REFERENCIA_ART("BL-TOR"); p->OI_DESCRIPCION_ART("Biofinity Toric"); p->OI_MODELO_ART("Toric");
  p->OI_RADIO_1_ART("8,7"); p->OI_DIAMETRO_ART(14.5); p->OI_COLOR_ART("Verde");
  p->OD_LOTE("L-100"); p->OI_LOTE("L-200");
  p->Observaciones() = QStringList({"Buen centrado.", "Volver en 15 días."});
  ASSERT_EQ(p->Insertar(), 0);
  const double id = p->ID_PRUEBA_LENTILLAS();
  ASSERT_GT(id, 0);
  EXPECT_EQ(Consultar_Texto(*h.consulta, QString("select OD_COlOR_ART || '/' || OI_COlOR_ART from PLENTILLA "
                                                 "where ID_PRUEBA_LENTILLAS = %1").arg(id)),
            "Azul/Verde");

  auto c = Nueva();
  c->ID_PRUEBA_LENTILLAS(id);
  ASSERT_EQ(c->Buscar(), 0);
  EXPECT_EQ(c->Resultado(), 0);
  EXPECT_EQ(c->ID_PACIENTE(), 7);
  EXPECT_EQ(c->NUMERO_FICHA(), 4);
  EXPECT_EQ(c->FECHA(), p->FECHA());
  EXPECT_EQ(c->Agente().ID(), 3);
  EXPECT_EQ(c->Agente().NOMBRE(), "Eva");
  EXPECT_EQ(QStringList({c->OD_RADIO_1(), c->OD_RADIO_2(), c->OI_RADIO_1(), c->OI_RADIO_2()}),
            QStringList({"8,60", "8,40", "8,70", "8,50"}));
  EXPECT_EQ(std::vector<double>({c->OD_ESFERA(), c->OD_CILINDRO(), double(c->OD_EJE()), c->OD_AGUDEZA_VISUAL(),
                                 c->OD_ADICION(), c->OD_DIAMETRO(), c->OD_ZONA_OPTICA()}),
            std::vector<double>({-2.25, -0.75, 180, 1, 97, 14.2, 8}));
  EXPECT_EQ(std::vector<double>({c->OI_ESFERA(), c->OI_CILINDRO(), double(c->OI_EJE()), c->OI_AGUDEZA_VISUAL(),
                                 c->OI_ADICION(), c->OI_DIAMETRO(), c->OI_ZONA_OPTICA()}),
            std::vector<double>({99, -1.5, 400, 0.8, 1.25, 14, 7.5}));
  EXPECT_EQ(std::vector<double>({c->OD_SOB_ESFERA(), c->OD_SOB_CILINDRO(), double(c->OD_SOB_EJE()),
                                 c->OD_SOB_AGUDEZA_VISUAL(), c->OI_SOB_ESFERA(), c->OI_SOB_CILINDRO(),
                                 double(c->OI_SOB_EJE()), c->OI_SOB_AGUDEZA_VISUAL()}),
            std::vector<double>({0.25, -0.5, 90, 1.2, -0.25, 98, 15, 0.9}));
  EXPECT_EQ(c->TLentilla_OD().ID_TLENTILLA(), 10);
  EXPECT_EQ(c->TLentilla_OD().DESCRIPCION(), "Mensual");
  EXPECT_EQ(c->TLentilla_OI().ID_TLENTILLA(), 11);
  EXPECT_EQ(c->TLentilla_OI().DESCRIPCION(), "Tórica");
  EXPECT_EQ(QStringList({c->OD_REFERENCIA_ART(), c->OD_DESCRIPCION_ART(), c->OD_MODELO_ART(), c->OD_RADIO_1_ART(),
                         c->OD_RADIO_2_ART(), c->OD_COLOR_ART(), c->OD_LOTE()}),
            QStringList({"AC-OAS-6", "Acuvue Oasys", "Oasys", "8,4", "8,8", "Azul", "L-100"}));
  EXPECT_EQ(QStringList({c->OI_REFERENCIA_ART(), c->OI_DESCRIPCION_ART(), c->OI_MODELO_ART(), c->OI_RADIO_1_ART(),
                         c->OI_RADIO_2_ART(), c->OI_COLOR_ART(), c->OI_LOTE()}),
            QStringList({"BL-TOR", "Biofinity Toric", "Toric", "8,7", "", "Verde", "L-200"}));
  EXPECT_EQ(c->OD_DIAMETRO_ART(), 14);
  EXPECT_EQ(c->OI_DIAMETRO_ART(), 14.5);
  EXPECT_EQ(c->Observaciones(), QStringList({"Buen centrado.", "Volver en 15 días."}));
  EXPECT_GT(c->ID_PLOBSERVACIONES(), 0);

  // The hints of the article fields leave the description out.
  c->Resumen_Articulos();
  EXPECT_EQ(c->Resumen_OD(), "Referencia: AC-OAS-6\nModelo: Oasys\nRadio 1: 8,4\nRadio 2: 8,8\nDiametro: 14\nColor: Azul\n");
  EXPECT_EQ(c->Resumen_OI(), "Referencia: BL-TOR\nModelo: Toric\nRadio 1: 8,7\nRadio 2: \nDiametro: 14,5\nColor: Verde\n");
}

TEST_F(PruebasTest, ModificarSoloTocaSuPruebaYActualizaSusObservaciones) {
  const double otra = Grabar(7, 1, fechas::Codificar(2026, 1, 5));
  auto p = Nueva();
  p->ID_PACIENTE(7);
  p->NUMERO_FICHA(2);
  p->OD_COLOR_ART("Azul");
  p->Observaciones() = QStringList({"uno"});
  ASSERT_EQ(p->Insertar(), 0);
  const double id = p->ID_PRUEBA_LENTILLAS();
  const qint64 clave = Contar(QString("select ID_PLOBSERVACIONES from PLOBSERVACIONES where ID_MLENTILLA = %1").arg(id));

  p->OD_COLOR_ART("Gris");  // the update spells the colour parameters with a capital L
  p->OI_COLOR_ART("Miel");
  p->OD_SOB_EJE(45);
  p->Observaciones() = QStringList({"dos", "tres"});
  ASSERT_EQ(p->Modificar(), 0);
  EXPECT_EQ(Contar(QString("select count(*) from PLOBSERVACIONES where ID_MLENTILLA = %1").arg(id)), 1);
  EXPECT_EQ(Contar(QString("select ID_PLOBSERVACIONES from PLOBSERVACIONES where ID_MLENTILLA = %1").arg(id)), clave);

  auto c = Nueva();
  c->ID_PRUEBA_LENTILLAS(id);
  ASSERT_EQ(c->Buscar(), 0);
  EXPECT_EQ(c->OD_COLOR_ART(), "Gris");
  EXPECT_EQ(c->OI_COLOR_ART(), "Miel");
  EXPECT_EQ(c->OD_SOB_EJE(), 45);
  EXPECT_EQ(c->Observaciones(), QStringList({"dos", "tres"}));
  EXPECT_EQ(c->ID_PLOBSERVACIONES(), clave);
  // The other test keeps its own values.
  EXPECT_EQ(Contar(QString("select OD_SOB_EJE from PLENTILLA where ID_PRUEBA_LENTILLAS = %1").arg(otra)), 98);
  EXPECT_EQ(Contar("select count(*) from PLOBSERVACIONES"), 2);
}

TEST_F(PruebasTest, SiguienteNumeroEsElMayorMasUno) {
  auto p = Nueva();
  p->ID_PACIENTE(7);
  EXPECT_EQ(p->Siguiente_Numero(), 1);
  Grabar(7, 1, fechas::Codificar(2026, 1, 1));
  Grabar(7, 2, fechas::Codificar(2026, 1, 2));
  const double quinta = Grabar(7, 5, fechas::Codificar(2026, 1, 3));
  Grabar(8, 9, fechas::Codificar(2026, 1, 4));  // another patient's tests do not count
  EXPECT_EQ(p->Siguiente_Numero(), 6);
  EXPECT_EQ(p->NUMERO_SIGUIENTE(), 6);

  // The highest number, once deleted, is given again.
  p->ID_PRUEBA_LENTILLAS(quinta);
  h.mensajes.respuestas = {mb::IDYES};
  ASSERT_EQ(p->Borrar(), 0);
  EXPECT_EQ(p->Siguiente_Numero(), 3);
}

TEST_F(PruebasTest, ListaPorNumeroNoPorFecha) {
  const double b = Grabar(7, 2, fechas::Codificar(2024, 1, 1));
  const double a = Grabar(7, 1, fechas::Codificar(2026, 1, 1));
  Grabar(8, 1, fechas::Codificar(2025, 1, 1));
  const double c = Grabar(7, 3, fechas::Codificar(2025, 6, 1));
  auto p = Nueva();
  p->ID_PACIENTE(7);
  ASSERT_EQ(p->Cargar_Lista_Pruebas(), 0);
  ASSERT_EQ(p->Lista_Pruebas().size(), 3);
  EXPECT_EQ(p->Lista_Pruebas()[0].toDouble(), a);
  EXPECT_EQ(p->Lista_Pruebas()[1].toDouble(), b);
  EXPECT_EQ(p->Lista_Pruebas()[2].toDouble(), c);

  // A patient without tests empties the list held before.
  p->ID_PACIENTE(9);
  ASSERT_EQ(p->Cargar_Lista_Pruebas(), 0);
  EXPECT_TRUE(p->Lista_Pruebas().isEmpty());
}

TEST_F(PruebasTest, BorrarConfirmaYDejaLasObservaciones) {
  auto p = Nueva();
  p->ID_PACIENTE(7);
  p->NUMERO_FICHA(1);
  p->OD_ESFERA(-3);
  p->Agente().ID(3);
  p->Observaciones() = QStringList({"se queda"});
  ASSERT_EQ(p->Insertar(), 0);
  const double id = p->ID_PRUEBA_LENTILLAS();

  h.mensajes.respuestas = {mb::IDNO};
  EXPECT_EQ(p->Borrar(), -6);
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 1);
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "¿Esta seguro de querer borrar esta prueba de Lentillas?");
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "PREGUNTA");
  EXPECT_EQ(h.mensajes.cajas[0].flags & mb::YESNO, mb::YESNO);

  h.mensajes.respuestas = {mb::IDYES};
  EXPECT_EQ(p->Borrar(), 0);
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 0);
  EXPECT_EQ(Consultar_Texto(*h.consulta,
                            QString("select OBSERVACIONES from PLOBSERVACIONES where ID_MLENTILLA = %1").arg(id)),
            "se queda");

  // Loading the deleted key finds nothing and leaves the object as it was.
  p->ID_PACIENTE(8);
  p->NUMERO_FICHA(5);
  EXPECT_EQ(p->Buscar(), 0);
  EXPECT_EQ(p->ID_PRUEBA_LENTILLAS(), id);
  EXPECT_EQ(p->ID_PACIENTE(), 8);
  EXPECT_EQ(p->NUMERO_FICHA(), 5);
  EXPECT_EQ(p->OD_ESFERA(), -3);
  EXPECT_EQ(p->Agente().ID(), 3);
  EXPECT_EQ(p->Observaciones(), QStringList({"se queda"}));
}

TEST_F(PruebasTest, TipoYAgenteQueYaNoExisten) {
  auto p = Nueva();
  p->ID_PACIENTE(7);
  p->NUMERO_FICHA(1);
  p->TLentilla_OD().ID_TLENTILLA(10);
  p->TLentilla_OI().ID_TLENTILLA(11);
  p->Agente().ID(77);
  ASSERT_EQ(p->Insertar(), 0);
  Ejecutar_SQL(*h.principal, "delete from TLENTILLA where ID_TLENTILLA = 11");

  auto c = Nueva();
  c->ID_PRUEBA_LENTILLAS(p->ID_PRUEBA_LENTILLAS());
  c->TLentilla_OI().DESCRIPCION("la de antes");
  c->Observaciones() = QStringList({"de otra prueba"});
  ASSERT_EQ(c->Buscar(), 0);
  EXPECT_EQ(c->TLentilla_OD().ID_TLENTILLA(), 10);
  EXPECT_EQ(c->TLentilla_OI().ID_TLENTILLA(), -1);
  EXPECT_EQ(c->TLentilla_OI().DESCRIPCION(), "la de antes");
  EXPECT_EQ(c->Agente().ID(), 77);  // the stored key, even without an agent behind it
  EXPECT_TRUE(c->Observaciones().isEmpty());

  // A test whose observations row was never written loads without lines.
  Ejecutar_SQL(*h.principal, "insert into PLENTILLA (ID_PRUEBA_LENTILLAS, ID_PACIENTE, NUMERO_FICHA) values (500, 7, 2)");
  c->ID_PRUEBA_LENTILLAS(500);
  c->Observaciones() = QStringList({"de otra prueba"});
  ASSERT_EQ(c->Buscar(), 0);
  EXPECT_EQ(c->NUMERO_FICHA(), 2);
  EXPECT_EQ(c->ID_PLOBSERVACIONES(), 0);
  EXPECT_TRUE(c->Observaciones().isEmpty());
}

class ReposicionesTest : public PruebasTest {
 protected:
  void SetUp() override {
    PruebasTest::SetUp();
    Ejecutar_SQL(*h.principal,
                 "insert into MONEDA (ID_MONEDA, DESCRIPCION_M1, DESCRIPCION_M2, SIMBOLO_M1, SIMBOLO_M2, "
                 "DECIMALES_M1, DECIMALES_M2, CONVERSION, USAR_SEGUNDA_MONEDA) "
                 "values (1, 'Euros', 'Pesetas', '€', 'Pts', 2, 0, 166.386, 1)");
    moneda = std::make_unique<TMoneda>(&h.aplicacion, h.secundaria.get(), h.principal.get());
    r = std::make_unique<TReposicion>(&h.aplicacion, h.secundaria.get(), h.principal.get());
    r->Moneda(moneda.get());
    r->ID_PACIENTE(7);
  }
  std::unique_ptr<TMoneda> moneda;
  std::unique_ptr<TReposicion> r;
};

TEST_F(ReposicionesTest, InsertarGuardaImportesSinRedondearYElTextoSinSaltoFinal) {
  r->NUMERO_FICHA(3);
  r->FECHA(fechas::Codificar(2026, 4, 2));
  r->TIPO(TReposicion::kRevision);
  r->OJO(TReposicion::kIzquierdo);
  r->IMPORTE(25.555);
  r->Observaciones() = QStringList({"Lentes nuevas"});
  ASSERT_EQ(r->Insertar(), 0);
  const double id = r->ID_REPOSICION();
  ASSERT_GT(id, 0);
  const QString fila = QString("from REPOSICION where ID_REPOSICION = %1").arg(id);
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select ID_PACIENTE || '/' || TIPO_REPOSICION || '/' || NUMERO_FICHA || '/' "
                                         "|| TIPO || '/' || OJO " + fila),
            "7/2/3/1/2");
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select FECHA " + fila), "02/04/2026");
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select IMPORTE_M1 " + fila), "25,555");
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select IMPORTE_M2 " + fila), locale_es::Float_A_Texto(25.555 * 166.386));
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select OBSERVACIONES " + fila), "Lentes nuevas");

  r->Observaciones() = QStringList({"Primera", "Segunda"});
  ASSERT_EQ(r->Insertar(), 0);
  EXPECT_EQ(Consultar_Texto(*h.consulta,
                            QString("select OBSERVACIONES from REPOSICION where ID_REPOSICION = %1").arg(r->ID_REPOSICION())),
            "Primera\r\nSegunda");
}

TEST_F(ReposicionesTest, SinFechaNoSeGraba) {
  r->Observaciones() = QStringList({"sin fecha"});
  EXPECT_EQ(r->Insertar(), TReposicion::kSinFecha);
  EXPECT_EQ(r->Resultado(), TReposicion::kSinFecha);
  EXPECT_EQ(r->ID_REPOSICION(), -1);
  EXPECT_EQ(Contar("select count(*) from REPOSICION"), 0);
  EXPECT_TRUE(h.mensajes.cajas.empty());
  r->FECHA(fechas::Codificar(2026, 4, 2));
  EXPECT_EQ(r->Insertar(), 0);
  EXPECT_EQ(r->Resultado(), 0);
}

TEST_F(ReposicionesTest, ReescribirLaListaRespetaOtrosModulosYNormalizaLosCodigos) {
  Ejecutar_SQL(*h.principal, "insert into REPOSICION (ID_REPOSICION, ID_PACIENTE, TIPO_REPOSICION, FECHA, TIPO, OJO, "
                             "IMPORTE_M1, OBSERVACIONES) values (1, 7, 2, '2025-03-01', 5, 0, 10, 'Antigua')");
  Ejecutar_SQL(*h.principal, "insert into REPOSICION (ID_REPOSICION, ID_PACIENTE, TIPO_REPOSICION, FECHA, TIPO, OJO, "
                             "OBSERVACIONES) values (2, 7, 1, '2025-03-01', 0, 1, 'Audífono')");
  Ejecutar_SQL(*h.principal, "insert into REPOSICION (ID_REPOSICION, ID_PACIENTE, TIPO_REPOSICION, FECHA, TIPO, OJO, "
                             "OBSERVACIONES) values (3, 8, 2, '2025-03-01', 1, 1, 'Otro paciente')");

  // Read as the list shows it: only the patient's lens-module rows.
  struct TFila {
    QString tipo, ojo, observaciones;
    double fecha, importe;
  };
  std::vector<TFila> filas;
  ASSERT_EQ(r->Preparar(1, TReposicion::Sentencia_Lista(7)), 0);
  ASSERT_EQ(r->Ejecutar(1), 0);
  for (TIBQuery& q = r->Consulta(1); !q.Eof(); q.Next())
    filas.push_back({TReposicion::Tipo_A_Texto(q.FieldByName("TIPO").AsInteger()),
                     TReposicion::Ojo_A_Texto(q.FieldByName("OJO").AsInteger()),
                     q.FieldByName("OBSERVACIONES").AsString(), q.FieldByName("FECHA").AsDateTime(),
                     q.FieldByName("IMPORTE_M1").AsFloat()});
  r->Cerrar(1);
  ASSERT_EQ(filas.size(), 1u);
  EXPECT_EQ(filas[0].tipo, "Rep");
  EXPECT_EQ(filas[0].ojo, "Ambos");

  // Saved back as the tab saves it: delete the kind, insert each row.
  ASSERT_EQ(r->Borrar_Lista(TReposicion::kListaLentillas), 0);
  for (const TFila& f : filas) {
    r->TIPO_REPOSICION(TReposicion::kListaLentillas);
    r->TIPO(TReposicion::Texto_A_Tipo(f.tipo));
    r->OJO(TReposicion::Texto_A_Ojo(f.ojo));
    r->FECHA(f.fecha);
    r->IMPORTE(f.importe);
    r->Observaciones() = QStringList({f.observaciones});
    ASSERT_EQ(r->Insertar(), 0);
  }
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select TIPO || '/' || OJO || '/' || OBSERVACIONES from REPOSICION "
                                         "where ID_PACIENTE = 7 and TIPO_REPOSICION = 2"),
            "2/3/Antigua");
  EXPECT_EQ(Contar("select count(*) from REPOSICION where ID_REPOSICION in (2, 3)"), 2);
  EXPECT_EQ(Contar("select count(*) from REPOSICION"), 3);

  // A patient with nothing to delete is not an error.
  r->ID_PACIENTE(9);
  EXPECT_EQ(r->Borrar_Lista(TReposicion::kListaLentillas), 0);
}

TEST_F(ReposicionesTest, BorrarConConfirmacion) {
  r->FECHA(fechas::Codificar(2026, 4, 2));
  r->Observaciones() = QStringList({"x"});
  ASSERT_EQ(r->Insertar(), 0);
  h.mensajes.respuestas = {mb::IDNO};
  EXPECT_EQ(r->Borrar(), -6);
  EXPECT_EQ(Contar("select count(*) from REPOSICION"), 1);
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "¿Está seguro de querer borrar este registro?");
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "PREGUNTA");
  EXPECT_EQ(h.mensajes.cajas[0].flags, mb::YESNO | mb::ICONQUESTION);
  h.mensajes.respuestas = {mb::IDYES};
  EXPECT_EQ(r->Borrar(), 0);
  EXPECT_EQ(Contar("select count(*) from REPOSICION"), 0);
  // A row that is no longer in the table (never saved, or saved again under
  // a new key) is deleted from the list all the same.
  h.mensajes.respuestas = {mb::IDYES};
  EXPECT_EQ(r->Borrar(), 0);
}

}  // namespace
