// Agents: lookups with the deleted filter, insert and its key, the proposed
// code, the picker lists and the hint; and the quick-creation dialog driven
// through its controls as the user would.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "Anfitrion_prueba.h"
#include "Clase_tagente.h"
#include "Clase_tlocalidad.h"
#include "Frm_crear_agente.h"

namespace {

class AgenteTest : public ::testing::Test {
 protected:
  void Alta(int id, int codigo, const char* nombre, int borrado, const char* nif = "") {
    Ejecutar_SQL(*h.principal, QString("insert into AGENTE (ID_AGENTE, CODIGO, NOMBRE, APELLIDOS, NIF, DIRECCION, "
                                       "COMISION_TIPO, COMISION_PORCENTAJE, BORRADO) values (%1, %2, '%3', 'Ruiz', "
                                       "'%4', 'Calle Mayor 1', 0, 3, %5)")
                                   .arg(id).arg(codigo).arg(QString::fromUtf8(nombre), nif).arg(borrado));
  }
  std::unique_ptr<TAgente> Nuevo() {
    return std::make_unique<TAgente>(&h.aplicacion, h.secundaria.get(), h.principal.get());
  }
  qint64 Valor(const QString& sql) { return Consultar_Entero(*h.consulta, sql); }
  QString Texto(const QString& sql) { return Consultar_Texto(*h.consulta, sql); }
  qint64 Agentes() { return Valor("select count(*) from AGENTE where ID_AGENTE <> 0"); }

  TAnfitrionPrueba h;
};

TEST_F(AgenteTest, CodigoPropuestoSoloCuentaLosDelEstadoPedido) {
  EXPECT_EQ(Nuevo()->Siguiente_Codigo(0), 1);  // only the placeholder agent
  Alta(1, 1, "Carmen", 0);
  Alta(2, 5, "Javier", 0);
  Alta(3, 9, "Sergio", 1);
  EXPECT_EQ(Nuevo()->Siguiente_Codigo(0), 6);
  EXPECT_EQ(Nuevo()->Siguiente_Codigo(1), 10);
}

TEST_F(AgenteTest, InsertarDaLaClaveNuevaYLaBusquedaDevuelveTodo) {
  Ejecutar_SQL(*h.principal, "insert into PROVINCIA (ID_PROVINCIA, CODIGO, DESCRIPCION) values (1, 28, 'Madrid')");
  Ejecutar_SQL(*h.principal, "insert into LOCALIDAD values (3, 1, 28005, 'Madrid')");
  Alta(10, 1, "Carmen", 0);
  auto a = Nuevo();
  a->CODIGO(7);
  a->NOMBRE("Lucía");
  a->APELLIDOS("Ortega Blanco");
  a->DIRECCION("Calle Toledo, 21");
  a->Localidad().ID_LOCALIDAD(3);
  a->NIF("51987623X");
  a->EMAIL("lucia@opticamiravel.es");
  a->COMISION_TIPO(TAgente::kComisionVariable);
  a->COMISION_PORCENTAJE(4.5);
  a->TELEFONO("916811934");
  a->TELEFONO_MOVIL("677120954");
  a->WEB("www.opticamiravel.es");
  ASSERT_EQ(a->Insertar(), 0);
  EXPECT_EQ(a->ID(), Valor("select ID_AGENTE from AGENTE where CODIGO = 7"));
  EXPECT_GT(a->ID(), 10);

  auto b = Nuevo();
  b->CODIGO(7);
  ASSERT_EQ(b->Buscar_Por_Codigo(0), 0);
  EXPECT_EQ(b->ID(), a->ID());
  EXPECT_EQ(b->WEB(), "www.opticamiravel.es");
  EXPECT_EQ(b->Texto_Agente(),
            "Código: 7\nNombre: Lucía Ortega Blanco\nTipo Comisión: COMISIÓN VARIABLE\n"
            "Porcentaje de Comisión: 4,5 %\n\nCalle Toledo, 21\n28005 - Madrid(Madrid)\n51987623X\n"
            "lucia@opticamiravel.es\n916811934\n677120954");

  // By key, with the deleted filter: 1 deleted only, 2 all.
  auto c = Nuevo();
  c->ID(a->ID());
  EXPECT_EQ(c->Buscar_Por_Id(1), TAgente::kNoEncontrado);
  ASSERT_EQ(c->Buscar_Por_Id(2), 0);
  EXPECT_EQ(c->CODIGO(), 7);
}

TEST_F(AgenteTest, FallosDeInsertarNoDejanFila) {
  auto a = Nuevo();
  a->NOMBRE("Ana");
  for (double codigo : {0.0, -3.0, 100000.0}) {
    a->CODIGO(codigo);
    EXPECT_EQ(a->Insertar(), TAgente::kCodigoNoValido) << codigo;
  }
  ASSERT_EQ(h.mensajes.cajas.size(), 3u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "El código introducido no es valido, debe ser un código Numérico");
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "AVISO");
  EXPECT_EQ(h.mensajes.cajas[0].flags, mb::OK | mb::ICONSTOP);

  // A row the database refuses: -1, and the box is the caller's business.
  a->CODIGO(99999);
  a->NOMBRE(QString(60, 'x'));  // the column holds 50
  EXPECT_EQ(a->Insertar(), TAgente::kErrorBaseDatos);
  EXPECT_EQ(h.mensajes.cajas.size(), 3u);
  EXPECT_EQ(Agentes(), 0);
  a->NOMBRE("Ana");
  EXPECT_EQ(a->Insertar(), 0);
  EXPECT_EQ(Agentes(), 1);
}

TEST_F(AgenteTest, ListasAlineadasPorNombreSinElAgenteCero) {
  Alta(1, 3, "Sergio", 1);
  Alta(2, 1, "Carmen", 0);
  Alta(3, 2, "Alba", 0);
  auto a = Nuevo();
  EXPECT_EQ(a->Cargar_Lista(2), 0);
  EXPECT_EQ(a->Lista_Nombres(), QStringList({"Alba Ruiz", "Carmen Ruiz", "Sergio Ruiz"}));
  EXPECT_EQ(a->Lista_Ids(), QStringList({"3", "2", "1"}));
  EXPECT_EQ(a->Lista_Codigos(), QStringList({"2", "1", "3"}));
  a->Cargar_Lista(1);
  EXPECT_EQ(a->Lista_Ids(), QStringList({"1"}));
  a->Cargar_Lista(0);
  EXPECT_EQ(a->Lista_Ids(), QStringList({"3", "2"}));
}

// ---- The quick-creation dialog ----------------------------------------------------

class CrearAgenteTest : public AgenteTest {
 protected:
  void Abrir() {
    dlg = std::make_unique<TfrmCrearAgente>(&h.aplicacion);
    dlg->Fijar_Contexto(&h.ctx);
    dlg->Preparar();
    dlg->show();
    QApplication::setActiveWindow(dlg.get());
    QApplication::processEvents();
  }
  template <typename T>
  T* Hijo(const char* nombre) {
    auto* w = dlg->findChild<T*>(nombre);
    EXPECT_NE(w, nullptr) << nombre;
    return w;
  }
  void Escribir(const char* nombre, const QString& texto) { Hijo<QLineEdit>(nombre)->insert(texto); }
  void Aceptar() { QTest::mouseClick(Hijo<QPushButton>("btnAceptar"), Qt::LeftButton); }
  void Esperar_Caja(const char* texto, const char* titulo) {
    ASSERT_EQ(h.mensajes.cajas.size(), 1u);
    EXPECT_EQ(h.mensajes.cajas[0].texto, QString::fromUtf8(texto));
    EXPECT_EQ(h.mensajes.cajas[0].titulo, titulo);
    EXPECT_EQ(h.mensajes.cajas[0].flags, mb::OK | mb::ICONSTOP);
    h.mensajes.cajas.clear();
  }

  std::unique_ptr<TfrmCrearAgente> dlg;
};

TEST_F(CrearAgenteTest, SinNombreOConCodigoEnUsoSigueAbierto) {
  Alta(1, 6, "Carmen", 0, "50873214C");
  Abrir();
  EXPECT_EQ(Hijo<QSpinBox>("edtCodigo")->value(), 7);
  EXPECT_EQ(Hijo<QComboBox>("cbxTipoComision")->currentIndex(), -1);
  EXPECT_EQ(Hijo<QDoubleSpinBox>("edtPorcComision")->text(), "0,00 %");
  Aceptar();
  Esperar_Caja("Debe introducir un nombre para el agente", "ERROR");
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_TRUE(Hijo<QLineEdit>("edtNombre")->hasFocus());

  Escribir("edtNombre", "Lucía");
  Hijo<QSpinBox>("edtCodigo")->setValue(6);
  Aceptar();
  Esperar_Caja("El código ya esta en uso, cambie el código del registro", "AVISO");
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_TRUE(Hijo<QSpinBox>("edtCodigo")->hasFocus());
  EXPECT_EQ(Agentes(), 1);

  // The agent found by the check must not lend its data to the new one.
  Hijo<QSpinBox>("edtCodigo")->setValue(8);
  Aceptar();
  EXPECT_EQ(dlg->result(), TfrmCrearAgente::mrOk);
  EXPECT_EQ(Texto("select NOMBRE || '/' || NIF || '/' || DIRECCION from AGENTE where CODIGO = 8"), "Lucía//");
}

TEST_F(CrearAgenteTest, AceptarSinTipoGuardaMenosUnoYLaTiendaComoLocalidad) {
  Alta(1, 3, "Sergio", 1);  // a deleted agent's code may be reused
  TLocalidad tienda(&h.aplicacion, h.secundaria.get(), h.principal.get());
  tienda.ID_LOCALIDAD(12);
  h.empresa.localidad = &tienda;
  Abrir();
  Hijo<QSpinBox>("edtCodigo")->setValue(3);
  Escribir("edtNombre", "Lucía");
  Escribir("edtApellidos", "Ortega");
  auto* porc = Hijo<QDoubleSpinBox>("edtPorcComision");
  porc->selectAll();
  QTest::keyClicks(porc, "12,5");
  QTest::keyClick(dlg.get(), Qt::Key_F5);

  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(dlg->result(), TfrmCrearAgente::mrOk);
  EXPECT_EQ(dlg->ID_AGENTE(), Valor("select ID_AGENTE from AGENTE where BORRADO = 0 and CODIGO = 3"));
  EXPECT_EQ(dlg->COMISION_TIPO(), -1);
  EXPECT_EQ(dlg->COMISION_PORCENTAJE(), 12.5);
  EXPECT_EQ(dlg->NOMBRE(), "Lucía");
  EXPECT_EQ(dlg->APELLIDOS(), "Ortega");
  EXPECT_EQ(dlg->Texto_Comision(), "");
  EXPECT_EQ(Texto("select COMISION_TIPO || '/' || ID_LOCALIDAD || '/' || BORRADO from AGENTE where ID_AGENTE = " +
                  QString::number(dlg->ID_AGENTE())),
            "-1/12/0");

  auto a = Nuevo();
  a->ID(dlg->ID_AGENTE());
  ASSERT_EQ(a->Buscar_Por_Id(0), 0);
  EXPECT_TRUE(a->Texto_Agente().contains("Tipo Comisión: COMISIÓN POR FAMILIA\nPorcentaje de Comisión: 12,5 %"));
}

TEST_F(CrearAgenteTest, ExecDevuelveOkConElTipoElegido) {
  Abrir();
  QTimer::singleShot(0, [this] {
    QApplication::setActiveWindow(dlg.get());
    Escribir("edtNombre", "Javier");
    Hijo<QComboBox>("cbxTipoComision")->setCurrentIndex(1);
    QTest::keyClick(dlg.get(), Qt::Key_F5);
  });
  QTimer::singleShot(5000, dlg.get(), [this] { dlg->done(0); });  // F5 lost: end rather than hang
  EXPECT_EQ(dlg->exec(), TfrmCrearAgente::mrOk);
  EXPECT_EQ(dlg->COMISION_TIPO(), 1);
  EXPECT_EQ(dlg->Texto_Comision(), "Comisión Variable");
  EXPECT_EQ(Valor("select ID_LOCALIDAD from AGENTE where CODIGO = 1"), -1);  // the shop has no town
}

TEST_F(CrearAgenteTest, CancelarYEscapeNoCreanNada) {
  for (int tecla : {Qt::Key_F7, Qt::Key_Escape}) {
    Abrir();
    Escribir("edtNombre", "Lucía");
    QTest::keyClick(Hijo<QLineEdit>("edtNombre"), Qt::Key(tecla));
    EXPECT_EQ(dlg->result(), TfrmCrearAgente::mrCancel);
    EXPECT_EQ(dlg->ID_AGENTE(), -1);
    EXPECT_EQ(dlg->COMISION_TIPO(), -1);
    EXPECT_EQ(dlg->NOMBRE(), "");
  }
  EXPECT_EQ(Agentes(), 0);
}

TEST_F(CrearAgenteTest, ErrorDeLaBaseDeDatosAbortaConSusResultados) {
  Ejecutar_SQL(*h.principal, "alter table AGENTE add constraint CK_AGENTE_TIPO check (COMISION_TIPO >= 0)");
  Abrir();
  Escribir("edtNombre", "Lucía");
  Aceptar();
  Esperar_Caja("Ha ocurrido un error al crear el Registro. Imposible continuar", "ERROR");
  EXPECT_EQ(dlg->result(), TfrmCrearAgente::mrAbort);
  EXPECT_EQ(dlg->ID_AGENTE(), -1);
  EXPECT_EQ(dlg->COMISION_PORCENTAJE(), -1);
  EXPECT_EQ(Agentes(), 0);
}

TEST_F(CrearAgenteTest, EnterPasaAlSiguienteControlSinAceptar) {
  Abrir();
  Hijo<QSpinBox>("edtCodigo")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_TRUE(Hijo<QLineEdit>("edtNombre")->hasFocus());
  Escribir("edtNombre", "Lucía");
  QTest::keyClick(Hijo<QLineEdit>("edtNombre"), Qt::Key_Enter);
  EXPECT_TRUE(Hijo<QLineEdit>("edtApellidos")->hasFocus());
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(Agentes(), 0);
}

}  // namespace
