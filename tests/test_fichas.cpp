// Lens records, their lens lines and lens types, and the revision reminders,
// against a real database.

#include <gtest/gtest.h>

#include "Anfitrion_prueba.h"
#include "Clase_tagenda.h"
#include "Clase_tlentilla.h"
#include "Clase_tmoneda.h"
#include "Ibx_query.h"
#include "Util_fechas.h"

namespace {

class FichasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Ejecutar_SQL(*h.principal,
                 "insert into DOCTOR (ID_DOCTOR, CODIGO, NOMBRE, APELLIDOS, BORRADO) values (4, 4, 'Ana', 'Ruiz', 0)");
    Ejecutar_SQL(*h.principal,
                 "insert into DOCTOR (ID_DOCTOR, CODIGO, NOMBRE, APELLIDOS, BORRADO) values (5, 5, 'Luis', 'Mora', 1)");
    Ejecutar_SQL(*h.principal,
                 "insert into AGENTE (ID_AGENTE, CODIGO, NOMBRE, APELLIDOS, BORRADO) values (3, 3, 'Eva', 'Gil', 0)");
    Ejecutar_SQL(*h.principal,
                 "insert into MONEDA (ID_MONEDA, DESCRIPCION_M1, DESCRIPCION_M2, SIMBOLO_M1, SIMBOLO_M2, "
                 "DECIMALES_M1, DECIMALES_M2, CONVERSION, USAR_SEGUNDA_MONEDA) "
                 "values (1, 'Euros', 'Pesetas', '€', 'Pts', 2, 0, 166.386, 1)");
  }
  std::unique_ptr<TLentilla> Nueva() {
    return std::make_unique<TLentilla>(&h.aplicacion, h.secundaria.get(), h.principal.get());
  }
  // A record of patient 7 on a date, with a number.
  double Grabar(TLentilla& l, int numero, double fecha) {
    l.Limpiar();
    l.ID_PACIENTE(7);
    l.NUMERO_FICHA(numero);
    l.FECHA(fecha);
    l.Doctor().ID(4);
    l.Agente().ID(3);
    EXPECT_EQ(l.Insertar(), 0);
    return l.ID_MLENTILLA();
  }
  qint64 Contar(const QString& sql) { return Consultar_Entero(*h.consulta, sql); }

  TAnfitrionPrueba h;
};

TEST_F(FichasTest, InsertarYBuscarDevuelveCadaCampo) {
  auto l = Nueva();
  l->ID_PACIENTE(7);
  l->NUMERO_FICHA(3);
  l->PROPIA_AJENA(1);
  l->FECHA(fechas::Codificar(2026, 3, 1));
  l->FECHA_REVISION(fechas::Codificar(2026, 9, 1));
  l->FECHA_LIMPIEZA(fechas::Codificar(2026, 4, 1));
  l->FECHA_CADUCIDAD(fechas::Codificar(2027, 3, 1));
  l->FECHA_REPOSICION(fechas::Codificar(2026, 6, 1));
  l->LIQUIDOS("Renu Multiplus");
  l->Doctor().ID(4);
  l->Agente().ID(3);
  l->OD_ABERTURA_PARPEBRAL(10.5);
  l->OD_DIAMETRO_PUPILAR(4);
  l->OD_DIAMETRO_IRIS(11.75);
  l->OI_ABERTURA_PARPEBRAL(98);
  l->OI_DIAMETRO_PUPILAR(4.25);
  l->OI_DIAMETRO_IRIS(11.5);
  l->OD_ESFERA(-2.25);
  l->OD_CILINDRO(-0.75);
  l->OD_EJE(180);
  l->OD_AGUDEZA_VISUAL_CC(1);
  l->OD_ADICION(97);
  l->OD_DIAMETRO(14.2);
  l->OD_ZONA_OPTICA(8);
  l->OD_RADIO_1("8,60");
  l->OD_RADIO_2("8,40");
  l->OD_QUERATOMETRIA("43,25 x 44,00");
  l->OI_ESFERA(99);
  l->OI_CILINDRO(98);
  l->OI_EJE(400);
  l->OI_AGUDEZA_VISUAL_CC(0.8);
  l->OI_ADICION(98);
  l->OI_DIAMETRO(14);
  l->OI_ZONA_OPTICA(98);
  l->OI_RADIO_1("8,70");
  l->OI_QUERATOMETRIA("Irregular");
  l->ID_TIENDA(1);
  l->Observaciones() = QStringList({"Primera adaptación.", "Ojo seco leve."});
  ASSERT_EQ(l->Insertar(), 0);
  const double id = l->ID_MLENTILLA();
  ASSERT_GT(id, 0);

  auto c = Nueva();
  c->ID_MLENTILLA(id);
  ASSERT_EQ(c->Buscar(), 0);
  EXPECT_EQ(c->ID_PACIENTE(), 7);
  EXPECT_EQ(c->NUMERO_FICHA(), 3);
  EXPECT_EQ(c->PROPIA_AJENA(), 1);
  EXPECT_EQ(c->FECHA(), l->FECHA());
  EXPECT_EQ(c->FECHA_REVISION(), l->FECHA_REVISION());
  EXPECT_EQ(c->FECHA_LIMPIEZA(), l->FECHA_LIMPIEZA());
  EXPECT_EQ(c->FECHA_CADUCIDAD(), l->FECHA_CADUCIDAD());
  EXPECT_EQ(c->FECHA_REPOSICION(), l->FECHA_REPOSICION());
  EXPECT_EQ(c->LIQUIDOS(), "Renu Multiplus");
  EXPECT_EQ(c->Doctor().ID(), 4);
  EXPECT_EQ(c->Doctor().NOMBRE(), "Ana");
  EXPECT_EQ(c->Agente().ID(), 3);
  EXPECT_EQ(c->Agente().NOMBRE(), "Eva");
  EXPECT_EQ(c->OD_ABERTURA_PARPEBRAL(), 10.5);
  EXPECT_EQ(c->OD_DIAMETRO_PUPILAR(), 4);
  EXPECT_EQ(c->OD_DIAMETRO_IRIS(), 11.75);
  EXPECT_EQ(c->OI_ABERTURA_PARPEBRAL(), 98);
  EXPECT_EQ(c->OI_DIAMETRO_PUPILAR(), 4.25);
  EXPECT_EQ(c->OI_DIAMETRO_IRIS(), 11.5);
  EXPECT_EQ(c->OD_ESFERA(), -2.25);
  EXPECT_EQ(c->OD_CILINDRO(), -0.75);
  EXPECT_EQ(c->OD_EJE(), 180);
  EXPECT_EQ(c->OD_AGUDEZA_VISUAL_CC(), 1);
  EXPECT_EQ(c->OD_ADICION(), 97);
  EXPECT_EQ(c->OD_DIAMETRO(), 14.2);
  EXPECT_EQ(c->OD_ZONA_OPTICA(), 8);
  EXPECT_EQ(c->OD_RADIO_1(), "8,60");
  EXPECT_EQ(c->OD_RADIO_2(), "8,40");
  EXPECT_EQ(c->OD_QUERATOMETRIA(), "43,25 x 44,00");
  EXPECT_EQ(c->OI_ESFERA(), 99);
  EXPECT_EQ(c->OI_CILINDRO(), 98);
  EXPECT_EQ(c->OI_EJE(), 400);
  EXPECT_EQ(c->OI_AGUDEZA_VISUAL_CC(), 0.8);
  EXPECT_EQ(c->OI_ADICION(), 98);
  EXPECT_EQ(c->OI_DIAMETRO(), 14);
  EXPECT_EQ(c->OI_ZONA_OPTICA(), 98);
  EXPECT_EQ(c->OI_RADIO_1(), "8,70");
  EXPECT_EQ(c->OI_RADIO_2(), "");
  EXPECT_EQ(c->OI_QUERATOMETRIA(), "Irregular");
  EXPECT_EQ(c->ID_TIENDA(), 1);
  EXPECT_EQ(c->Observaciones(), QStringList({"Primera adaptación.", "Ojo seco leve."}));
  EXPECT_GT(c->ID_LOBSERVACIONES(), 0);
}

TEST_F(FichasTest, ObservacionesSeInsertanYLuegoSeActualizan) {
  auto l = Nueva();
  l->Observaciones() = QStringList({"uno"});
  const double id = Grabar(*l, 1, fechas::Codificar(2026, 1, 10));
  const qint64 clave = Contar("select ID_LOBSERVACIONES from LOBSERVACIONES");
  l->Observaciones() = QStringList({"dos", "tres"});
  ASSERT_EQ(l->Modificar(), 0);
  EXPECT_EQ(Contar("select count(*) from LOBSERVACIONES"), 1);
  EXPECT_EQ(Contar("select ID_LOBSERVACIONES from LOBSERVACIONES"), clave);
  auto c = Nueva();
  c->ID_MLENTILLA(id);
  c->Buscar();
  EXPECT_EQ(c->Observaciones(), QStringList({"dos", "tres"}));
}

TEST_F(FichasTest, LaTiendaSoloSeEscribeAlInsertar) {
  auto l = Nueva();
  l->ID_TIENDA(2);
  const double id = Grabar(*l, 1, fechas::Codificar(2026, 1, 10));
  l->ID_TIENDA(1);
  l->LIQUIDOS("otro");
  ASSERT_EQ(l->Modificar(), 0);
  EXPECT_EQ(Contar(QString("select ID_TIENDA from MLENTILLA where ID_MLENTILLA = %1").arg(id)), -1);
}

TEST_F(FichasTest, UltimaFichaDeUnPacienteSinFichas) {
  auto l = Nueva();
  l->ID_PACIENTE(7);
  l->OD_ESFERA(-1);
  EXPECT_EQ(l->Buscar_Ultima(), -5);
  EXPECT_EQ(l->ID_MLENTILLA(), -1);
  EXPECT_EQ(l->OD_ESFERA(), 98);
  EXPECT_EQ(l->OD_EJE(), 98);
}

TEST_F(FichasTest, BorrarLaSegundaYRenumerarPorFecha) {
  auto l = Nueva();
  // Numbers out of step with the dates, as after edits of the dates.
  const double a = Grabar(*l, 3, fechas::Codificar(2024, 5, 1));
  const double b = Grabar(*l, 1, fechas::Codificar(2025, 5, 1));
  const double c = Grabar(*l, 2, fechas::Codificar(2026, 5, 1));
  l->Observaciones() = QStringList({"se borra"});
  ASSERT_EQ(l->Modificar(), 0);
  l->Crear_Detalle();
  l->Detalle()->ID_MLENTILLA(c);
  ASSERT_EQ(l->Detalle()->Grabar_Lineas({TLineaLentilla{}}, false), 0);

  auto borrar = Nueva();
  borrar->ID_MLENTILLA(b);
  borrar->Buscar();
  h.mensajes.respuestas = {mb::IDNO};
  EXPECT_EQ(borrar->Borrar(), -6);
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 3);
  h.mensajes.respuestas = {mb::IDYES};
  EXPECT_EQ(borrar->Borrar(), 0);
  EXPECT_EQ(h.mensajes.cajas.back().texto, "¿Está seguro de querer borrar esta ficha?");
  EXPECT_EQ(h.mensajes.cajas.back().titulo, "AVISO");
  borrar->ID_PACIENTE(7);
  ASSERT_EQ(borrar->Renumerar(), 0);
  EXPECT_EQ(Contar(QString("select NUMERO_FICHA from MLENTILLA where ID_MLENTILLA = %1").arg(a)), 1);
  EXPECT_EQ(Contar(QString("select NUMERO_FICHA from MLENTILLA where ID_MLENTILLA = %1").arg(c)), 2);

  // Deleting the last one takes its observations and lens lines too.
  auto ultima = Nueva();
  ultima->ID_MLENTILLA(c);
  ultima->Buscar();
  h.mensajes.respuestas = {mb::IDYES};
  EXPECT_EQ(ultima->Borrar(), 0);
  EXPECT_EQ(Contar(QString("select count(*) from LOBSERVACIONES where ID_MLENTILLA = %1").arg(c)), 0);
  EXPECT_EQ(Contar("select count(*) from DLENTILLA"), 0);
  // A record deleted with empty observations leaves its empty row behind.
  EXPECT_EQ(Contar(QString("select count(*) from LOBSERVACIONES where ID_MLENTILLA = %1").arg(b)), 1);
}

TEST_F(FichasTest, DoctorBorradoOAgenteInexistenteQuedanEnCero) {
  auto l = Nueva();
  l->ID_PACIENTE(7);
  l->NUMERO_FICHA(1);
  l->Doctor().ID(5);    // deleted
  l->Agente().ID(77);   // never existed
  ASSERT_EQ(l->Insertar(), 0);
  auto c = Nueva();
  c->ID_MLENTILLA(l->ID_MLENTILLA());
  ASSERT_EQ(c->Buscar(), 0);
  EXPECT_EQ(c->Doctor().ID(), 0);
  EXPECT_EQ(c->Doctor().NOMBRE(), "");
  EXPECT_EQ(c->Doctor().APELLIDOS(), "");
  EXPECT_EQ(c->Agente().ID(), 0);
  EXPECT_EQ(c->Agente().NOMBRE(), "");
  c->ID_PACIENTE(7);
  ASSERT_EQ(c->Buscar_Ultima(), 0);
  EXPECT_EQ(c->Doctor().ID(), 0);
}

TEST_F(FichasTest, LineasDeLentesEnDosMonedas) {
  TMoneda moneda(&h.aplicacion, h.secundaria.get(), h.principal.get());
  auto l = Nueva();
  const double id = Grabar(*l, 1, fechas::Codificar(2026, 1, 10));
  TLineaLentilla derecha;
  derecha.referencia = "AC-OAS-6";
  derecha.importe = 25.5;
  derecha.fechaGarantia = fechas::Codificar(2027, 1, 10);
  derecha.lote = "L-77";
  TLineaLentilla izquierda = derecha;
  izquierda.ojo = 2;
  izquierda.referencia.clear();
  for (int vez = 0; vez < 2; ++vez) {  // saving twice leaves one line per eye
    l->Crear_Detalle();
    TDLentilla& d = *l->Detalle();
    d.Moneda(&moneda);
    d.ID_MLENTILLA(id);
    ASSERT_EQ(d.Grabar_Lineas({derecha, izquierda}, true), 0);
  }
  EXPECT_EQ(Contar("select count(*) from DLENTILLA"), 2);
  EXPECT_EQ(Contar("select count(*) from DLENTILLA where OJO = 2 and REFERENCIA = '0'"), 1);
  EXPECT_EQ(Contar("select count(*) from DLENTILLA where ID_TLENTILLA = -1"), 2);
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select IMPORTE_M2 from DLENTILLA where OJO = 1"), "4242,843");

  TDLentilla leida(&h.aplicacion, h.secundaria.get(), h.principal.get());
  leida.ID_MLENTILLA(id);
  ASSERT_EQ(leida.Cargar_Lista_Lineas(), 0);
  ASSERT_EQ(leida.Lista_Lineas().size(), 2);
  leida.ID_DLENTILLA(leida.Lista_Lineas()[0].toDouble());
  ASSERT_EQ(leida.Buscar(), 0);
  EXPECT_EQ(leida.IMPORTE(), 25.5);
  EXPECT_EQ(leida.IMPORTE_M2(), 25.5 * 166.386);
  EXPECT_EQ(leida.LOTE(), "L-77");
}

TEST_F(FichasTest, TiposDeLentilla) {
  TTLentilla t(&h.aplicacion, h.secundaria.get(), h.principal.get());
  ASSERT_EQ(t.Cargar_Tipos(), 0);
  EXPECT_TRUE(t.Claves.isEmpty() && t.Codigos.isEmpty() && t.Descripciones.isEmpty());  // only the key-0 row
  t.CODIGO("XX");
  EXPECT_EQ(t.Insertar(), TTLentilla::kSinDescripcion);
  EXPECT_EQ(Contar("select count(*) from TLENTILLA"), 1);
  for (const auto& [codigo, descripcion] :
       {std::pair{"TO", "Tórica mensual"}, std::pair{"DI", "Diaria"}, std::pair{"MS", "Mensual silicona"}}) {
    t.CODIGO(codigo);
    t.DESCRIPCION(descripcion);
    ASSERT_EQ(t.Insertar(), 0);
  }
  t.CODIGO("QU");
  t.DESCRIPCION("Quincenal");
  t.DIAS_REPOSICION(15);
  ASSERT_EQ(t.Insertar(), 0);
  EXPECT_EQ(Contar(QString("select DIAS_REPOSICION from TLENTILLA where ID_TLENTILLA = %1").arg(t.ID_TLENTILLA())),
            15);
  const double diaria = Contar("select ID_TLENTILLA from TLENTILLA where CODIGO = 'DI'");
  t.Cargar_Tipos();
  EXPECT_EQ(t.Descripciones, QStringList({"Diaria", "Mensual silicona", "Quincenal", "Tórica mensual"}));
  EXPECT_EQ(t.Codigos, QStringList({"DI", "MS", "QU", "TO"}));
  EXPECT_EQ(t.Dias, QList<int>({0, 0, 15, 0}));
  EXPECT_EQ(t.Claves[0].toDouble(), diaria);

  TTLentilla b(&h.aplicacion, h.secundaria.get(), h.principal.get());
  b.ID_TLENTILLA(diaria);
  ASSERT_EQ(b.Buscar(), 0);
  EXPECT_EQ(b.CODIGO(), "DI");
  b.CODIGO("MS");
  ASSERT_EQ(b.Buscar_Codigo(), 0);
  EXPECT_EQ(b.DESCRIPCION(), "Mensual silicona");
  b.ID_TLENTILLA(999);
  EXPECT_EQ(b.Buscar(), -5);
  EXPECT_EQ(b.DESCRIPCION(), "Mensual silicona");  // kept

  // A line's summary names its type.
  TDLentilla d(&h.aplicacion, h.secundaria.get(), h.principal.get());
  d.REFERENCIA("DAY-30");
  d.DESCRIPCION("Diarias 30 u.");
  d.ID_TLENTILLA(diaria);
  d.DIAMETRO(14.2);
  d.Resumen_Detalle();
  EXPECT_EQ(d.Resumen(),
            "Referencia: DAY-30\r\nDescripcion: Diarias 30 u.\r\nTipo: Diaria\r\nModelo: \r\nRadio 1: \r\n"
            "Radio 2: \r\nDiametro: 14,2");
}

// The day a record's lenses run out, from the record's date and what each
// line supplies.
TEST(FinSuministroTest, LaLineaQueAntesSeAcabaDecide) {
  const double dia = fechas::Codificar(2026, 3, 1);
  struct Caso {
    const char* que;
    double fecha;
    std::vector<TSuministro> lineas;
    double esperado;
  };
  const Caso casos[] = {
      {"sin líneas", dia, {}, 0},
      {"una mensual, seis lentillas", dia, {{30, 6}}, dia + 180},
      {"la hora de la ficha no cuenta", dia + 0.75, {{30, 6}}, dia + 180},
      {"ambos ojos: el primero que se acaba", dia, {{30, 6}, {15, 6}}, dia + 90},
      {"un ojo sin unidades no cuenta", dia, {{30, 0}, {1, 30}}, dia + 30},
      {"un tipo sin días no cuenta", dia, {{0, 6}, {30, 3}}, dia + 90},
      {"nada dice cuánto dura", dia, {{0, 6}, {30, 0}}, 0},
      {"sin fecha de ficha", 0, {{30, 6}}, 0},
  };
  for (const Caso& c : casos) EXPECT_EQ(Fin_Suministro(c.fecha, c.lineas), c.esperado) << c.que;
}

class RecordatoriosTest : public FichasTest {
 protected:
  void SetUp() override {
    FichasTest::SetUp();
    h.empresa.avisoRevision = 1;
    h.ctx.seleccion.textos[0] = "918000000";
    agenda = std::make_unique<TAgenda>(&h.aplicacion, h.secundaria.get(), h.principal.get());
    agenda->Paso(&h.ctx);
    ASSERT_TRUE(agenda->Inicializar());
  }
  QStringList Recordatorios() {
    QStringList r;
    TIBTransaction t;
    t.DefaultDatabase = h.consulta.get();
    TIBQuery q;
    q.Database = h.consulta.get();
    q.Transaction = &t;
    q.SQL.Add("select ID_FICHA, FECHA, PERSONA, OBSERVACIONES, PRIORIDAD, TIPO_FICHA from AGENDA order by ID_AGENDA");
    q.Open();
    for (; !q.Eof(); q.Next())
      r << QString("%1 %2 %3 p%4 t%5")
               .arg(q.Fields(0).AsInteger())
               .arg(fechas::Fecha_A_Texto(q.Fields(1).AsDateTime()), q.Fields(2).AsString())
               .arg(q.Fields(4).AsInteger())
               .arg(q.Fields(5).AsInteger());
    t.Commit();
    return r;
  }
  std::unique_ptr<TAgenda> agenda;
};

TEST_F(RecordatoriosTest, UnRecordatorioPorFichaYPorDia) {
  const double sept = fechas::Codificar(2027, 9, 1), oct = fechas::Codificar(2027, 10, 1);
  EXPECT_EQ(agenda->Recordatorio_Revision(10, sept), 0);
  EXPECT_EQ(agenda->Recordatorio_Revision(10, sept), 0);
  EXPECT_EQ(Recordatorios(), QStringList({"10 01/09/2027 Marta Álvarez Gil p1 t2"}));
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select OBSERVACIONES from AGENDA"),
            "Revision Lentilla a Marta Álvarez Gil\nTelefono: 918000000");
  EXPECT_EQ(agenda->Recordatorio_Revision(10, oct), 0);  // a new date replaces the old reminder
  EXPECT_EQ(Recordatorios(), QStringList({"10 01/10/2027 Marta Álvarez Gil p1 t2"}));
  EXPECT_EQ(agenda->Recordatorio_Revision(11, oct), 0);  // another record of the patient, same day
  EXPECT_EQ(Recordatorios(), QStringList({"10 01/10/2027 Marta Álvarez Gil p1 t2"}));
  EXPECT_EQ(agenda->Recordatorio_Revision(10, 0), 0);    // no date: nothing written, nothing removed
  EXPECT_EQ(Recordatorios().size(), 1);
  EXPECT_EQ(agenda->Borrar(10, 2), 0);     // the record's deletion takes its reminders
  EXPECT_TRUE(Recordatorios().isEmpty());
}

TEST_F(RecordatoriosTest, SinLaOpcionDeLaEmpresaNoSeEscribeNada) {
  h.empresa.avisoRevision = 0;
  EXPECT_EQ(agenda->Recordatorio_Revision(10, fechas::Codificar(2027, 9, 1)), 0);
  EXPECT_TRUE(Recordatorios().isEmpty());
  TAgenda sinPaso(&h.aplicacion, h.secundaria.get(), h.principal.get());
  EXPECT_FALSE(sinPaso.Inicializar());
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto,
            "Error al inicializar TAgenda.\r\n\nLa propiedad Paso es nula, no se puede inicializar la clase.");
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "Error");
}

}  // namespace
