// VAT rates, payment methods and the reference catalogues an article points
// at (families, suppliers, accounts, sales groups, glass types, treatments
// and brands), against a real database.

#include <gtest/gtest.h>

#include "Anfitrion_prueba.h"
#include "Clase_tcuenta.h"
#include "Clase_tfamilia.h"
#include "Clase_tfpago.h"
#include "Clase_tgruventa.h"
#include "Clase_tiva.h"
#include "Clase_tmarca_aud.h"
#include "Clase_tmarca_mon.h"
#include "Clase_tproveedor.h"
#include "Clase_ttcristal.h"
#include "Clase_ttratamiento.h"
#include "Ibx_error.h"
#include "Util_fechas.h"

namespace {

class CatalogosTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* sql : {
             "insert into CUENTA values (1, '4720001', 'H.P. IVA soportado', 2020, 0)",
             "insert into CUENTA values (2, '4770001', 'H.P. IVA repercutido', 2020, 0)",
             "insert into CUENTA values (3, '7000001', 'Ventas de lentillas', 2021, 0)",
             "insert into CUENTA values (4, '6000001', 'Compras de lentillas', 2021, 0)",
             "insert into CUENTA values (5, '4000001', 'Proveedores', 2019, 1)",
             // Accounts: repercutido 2, soportado 1, inmovilizado NULL, both surcharges -1.
             "insert into IVA values (21, 'General 21%', 21, 5.2, 1, 0, 0, 2, 1, null, -1, -1)",
             "insert into IVA values (10, 'Reducido 10%', 10, 1.4, 2, 1, 1, null, null, null, null, null)",
             "insert into IVA values (4, 'Superreducido 4%', 4, 0.5, 3, 0, 0, -1, -1, -1, -1, -1)",
             "insert into GRUPO values (7, 'LEN', 'Lentillas', 3)",
             "insert into FAMILIA values (1, 'LC', 'Lentes de contacto', 21, 10, 3, 4, 7, 5.5, "
             "'2026-01-01', '2026-03-31', 1, 0)",
             "insert into FAMILIA values (2, 'LIQ', 'Líquidos', -1, -1, -1, -1, -1, 0, null, null, 0, 1)",
             "insert into FAMILIA (ID_FAMILIA, CODIGO, DESCRIPCION) values (3, 'ACC', 'Accesorios')",
             "insert into FAMILIA (ID_FAMILIA, CODIGO, DESCRIPCION, ID_IVA_COMPRA, ID_IVA_VENTA) values "
             "(4, 'SOL', 'Gafas de sol', 10, 10)",
             "insert into FORMA_PAGO values (3, 30, null, 1, 1.5, 1, 30, 30, 2, 5)",
             "insert into FORMA_PAGO values (4, 40, 'Transferencia a 60 días', 2, 0, 2, 60, 0, 3, null)",
             "insert into PROVINCIA (ID_PROVINCIA, CODIGO, DESCRIPCION) values (28, 28, 'Madrid')",
             "insert into LOCALIDAD (ID_LOCALIDAD, ID_PROVINCIA, CODIGO_POSTAL, DESCRIPCION) values "
             "(5, 28, 28130, 'Valdeolmos')",
             "insert into PROVEEDOR values (12, 112, 'Lentes Iberia S.L.', 'LENTIBER', 'Ana Pérez', "
             "'Pol. Ind. Sur, 4', 5, 'B12345678', '910000000', '600000000', '910000001', 'www.lentiber.es', "
             "'pedidos@lentiber.es', 1234.5, '2026-02-14', 'C-881', 4, 5, 'Acuvue, Biofinity', 1)",
             "insert into PROVEEDOR (ID_PROVEEDOR, CODIGO, NOMBRE) values (13, 113, 'Ópticas del Norte')",
             "insert into TCRISTAL values (1, 'Orgánico')",
             "insert into TRATAMIENTO values (1, 'Antirreflejante')",
             "insert into MARCA_MON values (1, 'Ray-Ban')",
             "insert into MARCA_AUD values (1, 'Phonak')",
         })
      Ejecutar_SQL(*h.principal, QString::fromUtf8(sql));
  }

  // Removes a lookup procedure, so that any attempt to run it raises.
  void Quitar(const char* procedimiento) {
    Ejecutar_SQL(*h.principal, QStringLiteral("drop procedure ") + QLatin1String(procedimiento));
  }

  TAnfitrionPrueba h;
};

// ---- VAT rates ------------------------------------------------------------

TEST_F(CatalogosTest, IvaConSusCuentasSegunElNivel) {
  TIva iva(&h.aplicacion, h.secundaria.get(), h.principal.get());
  iva.ID_IVA(21);
  ASSERT_EQ(iva.Buscar(0), 0);
  EXPECT_EQ(iva.DESCRIPCION(), "General 21%");
  EXPECT_EQ(iva.PORCENTAJE(), 21);
  EXPECT_EQ(iva.RECARGO_EQUIVALENCIA(), 5.2);
  EXPECT_EQ(iva.TIPO(), 1);
  EXPECT_FALSE(iva.IVA_INCLUIDO());
  // Level 0: the accounts know their keys only; a NULL key counts as none.
  EXPECT_EQ(iva.ID_CUEN_REPERCUTIDO(), 2);
  EXPECT_EQ(iva.ID_CUEN_SOPORTADO(), 1);
  EXPECT_EQ(iva.ID_CUEN_INMOVI(), -1);
  EXPECT_EQ(iva.ID_CUEN_RE_SOPORTADO(), -1);
  EXPECT_EQ(iva.Cuenta_Repercutido().DESCRIPCION(), "");

  ASSERT_EQ(iva.Buscar(1), 0);
  EXPECT_EQ(iva.Cuenta_Repercutido().DESCRIPCION(), "H.P. IVA repercutido");
  EXPECT_EQ(iva.Cuenta_Soportado().CODIGO(), "4720001");
  EXPECT_EQ(iva.Cuenta_Inmovi().ID(), -1);

  // Another rate: flags read, and the accounts of the previous one forgotten.
  iva.ID_IVA(10);
  ASSERT_EQ(iva.Buscar(0), 0);
  EXPECT_TRUE(iva.IVA_INCLUIDO());
  EXPECT_TRUE(iva.INTRACOMUNITARIO());
  EXPECT_EQ(iva.ID_CUEN_REPERCUTIDO(), -1);
  EXPECT_EQ(iva.Cuenta_Repercutido().DESCRIPCION(), "");
}

TEST_F(CatalogosTest, IvaQueNoExisteConservaLoQueTenia) {
  TIva iva(&h.aplicacion, h.secundaria.get(), h.principal.get());
  iva.ID_IVA(21);
  ASSERT_EQ(iva.Buscar(1), 0);
  iva.ID_IVA(99);
  EXPECT_EQ(iva.Buscar(1), -5);
  EXPECT_EQ(iva.Resultado(), -5);
  EXPECT_EQ(iva.DESCRIPCION(), "General 21%");
  EXPECT_EQ(iva.Cuenta_Repercutido().DESCRIPCION(), "H.P. IVA repercutido");
}

// Keys of -1 (or NULL) must not reach the lookups: with the procedures gone,
// running any of them would raise.
TEST_F(CatalogosTest, ClavesVaciasNoTocanLasTablasReferidas) {
  Quitar("BUSCAR_CUENTA");
  Quitar("BUSCAR_GRUPO");
  TCuenta cuenta(&h.aplicacion, h.secundaria.get(), h.principal.get());
  cuenta.ID(1);
  ASSERT_THROW(cuenta.Buscar(), EIBError);

  TIva iva(&h.aplicacion, h.secundaria.get(), h.principal.get());
  iva.ID_IVA(4);
  EXPECT_EQ(iva.Buscar(1), 0);
  EXPECT_EQ(iva.ID_CUEN_RE_REPERCUTIDO(), -1);

  Quitar("BUSCAR_IVA");
  TFamilia familia(&h.aplicacion, h.secundaria.get(), h.principal.get());
  for (int32_t id : {2, 3}) {  // explicit -1 keys, then NULL ones
    SCOPED_TRACE(id);
    familia.ID_FAMILIA(id);
    ASSERT_EQ(familia.Buscar(1), 0);
    EXPECT_EQ(familia.ID_IVA_COMPRA(), -1);
    EXPECT_EQ(familia.ID_IVA_VENTA(), -1);
    EXPECT_EQ(familia.ID_CUENTA_VENTA(), -1);
    EXPECT_EQ(familia.ID_CUENTA_COMPRA(), -1);
    EXPECT_EQ(familia.ID_GRUPO(), -1);
  }
  EXPECT_EQ(familia.DESCRIPCION(), "Accesorios");
}

// ---- Payment methods ------------------------------------------------------

TEST_F(CatalogosTest, DescripcionVaciaDeLaFormaDePago) {
  TFPago fp(&h.aplicacion, h.secundaria.get(), h.principal.get());
  fp.DESCRIPCION("");
  EXPECT_EQ(fp.DESCRIPCION(), "[Ninguna forma de pago]");
  fp.ID(3);
  fp.DESCRIPCION("");
  EXPECT_EQ(fp.DESCRIPCION(), "Forma de pago 3");
  fp.ID(2.5);
  fp.DESCRIPCION("");
  EXPECT_EQ(fp.DESCRIPCION(), "Forma de pago 2,5");
  fp.DESCRIPCION("Contado");
  EXPECT_EQ(fp.DESCRIPCION(), "Contado");
}

TEST_F(CatalogosTest, FormaDePagoPorClave) {
  TFPago fp(&h.aplicacion, h.secundaria.get(), h.principal.get());
  fp.ID(3);
  ASSERT_EQ(fp.Buscar(), 0);
  EXPECT_EQ(fp.DESCRIPCION(), "Forma de pago 3");  // NULL in the row
  EXPECT_EQ(fp.CODIGO(), 30);
  EXPECT_EQ(fp.COMISION(), 1.5);
  EXPECT_EQ(fp.DIAS_VENCIMIENTO_1(), 30);
  EXPECT_EQ(fp.TIPO_PAGO(), 2);
  EXPECT_EQ(fp.ID_CUENTA(), 5);
  EXPECT_EQ(fp.Cuenta().DESCRIPCION(), "");  // key only

  fp.ID(99);
  EXPECT_EQ(fp.Buscar(), -5);
  EXPECT_EQ(fp.CODIGO(), 30);
  EXPECT_EQ(fp.DESCRIPCION(), "Forma de pago 3");
}

// ---- Families ---------------------------------------------------------------

TEST_F(CatalogosTest, FamiliaCargaSusObjetosSoloEnNivelUno) {
  TFamilia f(&h.aplicacion, h.secundaria.get(), h.principal.get());
  f.ID_FAMILIA(1);
  ASSERT_EQ(f.Buscar(0), 0);
  EXPECT_EQ(f.CODIGO(), "LC");
  EXPECT_EQ(f.DESCUENTO(), 5.5);
  EXPECT_EQ(f.DESCUENTO_DESDE(), fechas::Codificar(2026, 1, 1));
  EXPECT_EQ(f.DESCUENTO_HASTA(), fechas::Codificar(2026, 3, 31));
  EXPECT_EQ(f.CAMBIO_COSTE(), 1);
  EXPECT_EQ(f.ID_IVA_COMPRA(), 21);
  EXPECT_EQ(f.ID_IVA_VENTA(), 10);
  EXPECT_EQ(f.ID_CUENTA_VENTA(), 3);
  EXPECT_EQ(f.ID_CUENTA_COMPRA(), 4);
  EXPECT_EQ(f.ID_GRUPO(), 7);
  EXPECT_EQ(f.Iva_Compra().DESCRIPCION(), "");
  EXPECT_EQ(f.Cuenta_Venta().DESCRIPCION(), "");
  EXPECT_EQ(f.Grupo().DESCRIPCION(), "");

  ASSERT_EQ(f.Buscar(1), 0);
  EXPECT_EQ(f.Iva_Compra().DESCRIPCION(), "General 21%");
  EXPECT_EQ(f.Iva_Venta().DESCRIPCION(), "Reducido 10%");
  EXPECT_EQ(f.Cuenta_Venta().DESCRIPCION(), "Ventas de lentillas");
  EXPECT_EQ(f.Cuenta_Compra().DESCRIPCION(), "Compras de lentillas");
  EXPECT_EQ(f.Grupo().DESCRIPCION(), "Lentillas");

  // A family with other keys, at level 0, shows none of the old names.
  f.ID_FAMILIA(4);
  ASSERT_EQ(f.Buscar(0), 0);
  EXPECT_EQ(f.ID_IVA_COMPRA(), 10);
  EXPECT_EQ(f.Iva_Compra().DESCRIPCION(), "");
  EXPECT_EQ(f.Iva_Venta().DESCRIPCION(), "Reducido 10%");  // same key: kept
  EXPECT_EQ(f.Grupo().DESCRIPCION(), "");
}

TEST_F(CatalogosTest, FamiliaQueNoExisteSeVacia) {
  TFamilia f(&h.aplicacion, h.secundaria.get(), h.principal.get());
  f.ID_FAMILIA(1);
  ASSERT_EQ(f.Buscar(1), 0);
  f.ID_FAMILIA(99);
  EXPECT_EQ(f.Buscar(1), -5);
  EXPECT_EQ(f.ID_FAMILIA(), -1);
  EXPECT_EQ(f.CODIGO(), "");
  EXPECT_EQ(f.DESCRIPCION(), "");
  EXPECT_EQ(f.DESCUENTO(), 0);
  EXPECT_EQ(f.DESCUENTO_DESDE(), 0);
  EXPECT_EQ(f.ID_IVA_COMPRA(), -1);
  EXPECT_EQ(f.Iva_Compra().DESCRIPCION(), "");
  EXPECT_EQ(f.ID_CUENTA_VENTA(), -1);
  EXPECT_EQ(f.Grupo().DESCRIPCION(), "");
}

// ---- Suppliers --------------------------------------------------------------

TEST_F(CatalogosTest, ProveedorConLocalidadFormaDePagoYCuenta) {
  TProveedor p(&h.aplicacion, h.secundaria.get(), h.principal.get());
  p.ID_PROVEEDOR(12);
  ASSERT_EQ(p.Buscar(), 0);
  EXPECT_EQ(p.CODIGO(), 112);
  EXPECT_EQ(p.NOMBRE(), "Lentes Iberia S.L.");
  EXPECT_EQ(p.PERSONA_CONTACTO(), "Ana Pérez");
  EXPECT_EQ(p.E_MAIL(), "pedidos@lentiber.es");
  EXPECT_EQ(p.TOTAL_COMPRADO(), 1234.5);
  EXPECT_EQ(p.FECHA_ULTIMA_COMPRA(), fechas::Codificar(2026, 2, 14));
  EXPECT_EQ(p.MARCAS(), "Acuvue, Biofinity");
  EXPECT_EQ(p.ACREEDOR(), 1);
  EXPECT_EQ(p.Localidad().DESCRIPCION(), "Valdeolmos");
  EXPECT_EQ(p.Localidad().Provincia().DESCRIPCION(), "Madrid");
  EXPECT_EQ(p.ID_FPAGO(), 4);
  EXPECT_EQ(p.Forma_Pago().DESCRIPCION(), "Transferencia a 60 días");
  EXPECT_EQ(p.Cuenta().DESCRIPCION(), "Proveedores");  // found though deleted
  EXPECT_EQ(p.Cuenta().BORRADO(), 1);

  // NULL keys in the row: no town, payment method or account, not key 0.
  p.ID_PROVEEDOR(13);
  ASSERT_EQ(p.Buscar(), 0);
  EXPECT_EQ(p.ID_LOCALIDAD(), -1);
  EXPECT_EQ(p.ID_FPAGO(), -1);
  EXPECT_EQ(p.ID_CUENTA(), -1);
  EXPECT_EQ(p.Localidad().DESCRIPCION(), "");
  EXPECT_EQ(p.Forma_Pago().DESCRIPCION(), "");
}

TEST_F(CatalogosTest, ProveedorQueNoExisteQuedaSinDatos) {
  TProveedor p(&h.aplicacion, h.secundaria.get(), h.principal.get());
  p.ID_PROVEEDOR(12);
  ASSERT_EQ(p.Buscar(), 0);
  p.ID_PROVEEDOR(99);
  EXPECT_EQ(p.Buscar(), -5);
  EXPECT_EQ(p.ID_PROVEEDOR(), 99);
  for (const QString* t : {&p.NOMBRE(), &p.ROTULO(), &p.DIRECCION(), &p.CIF(), &p.TELEFONO(), &p.WEB(),
                           &p.E_MAIL(), &p.CLIENTE(), &p.MARCAS()})
    EXPECT_EQ(*t, "");
  EXPECT_EQ(p.CODIGO(), 0);
  EXPECT_EQ(p.TOTAL_COMPRADO(), 0);
  EXPECT_EQ(p.FECHA_ULTIMA_COMPRA(), 0);
  EXPECT_EQ(p.ID_LOCALIDAD(), -1);
  EXPECT_EQ(p.ID_FPAGO(), -1);
  EXPECT_EQ(p.ID_CUENTA(), -1);
  EXPECT_EQ(p.Localidad().DESCRIPCION(), "");
  EXPECT_EQ(p.Forma_Pago().DESCRIPCION(), "");
  EXPECT_EQ(p.Cuenta().DESCRIPCION(), "");
}

// ---- Accounts and sales groups ----------------------------------------------

TEST_F(CatalogosTest, CuentaPorClave) {
  TCuenta c(&h.aplicacion, h.secundaria.get(), h.principal.get());
  c.ID(3);
  ASSERT_EQ(c.Buscar(), 0);
  EXPECT_EQ(c.CODIGO(), "7000001");
  EXPECT_EQ(c.DESCRIPCION(), "Ventas de lentillas");
  EXPECT_EQ(c.ANYO_CREACION(), 2021);
  c.ID(99);
  EXPECT_EQ(c.Buscar(), -5);
  EXPECT_EQ(c.DESCRIPCION(), "Ventas de lentillas");
}

TEST_F(CatalogosTest, GrupoDeVentaConSuCuenta) {
  TGruVenta g(&h.aplicacion, h.secundaria.get(), h.principal.get());
  g.ID_GRUPO(7);
  ASSERT_EQ(g.Buscar(), 0);
  EXPECT_EQ(g.CODIGO(), "LEN");
  EXPECT_EQ(g.DESCRIPCION(), "Lentillas");
  EXPECT_EQ(g.ID_CUENTA(), 3);
  EXPECT_EQ(g.Cuenta().DESCRIPCION(), "");  // key only
  g.ID_GRUPO(99);
  EXPECT_EQ(g.Buscar(), -5);
  EXPECT_EQ(g.DESCRIPCION(), "Lentillas");
}

TEST_F(CatalogosTest, GrupoSinClaveNoEjecutaNada) {
  Quitar("BUSCAR_GRUPO");
  TGruVenta g(&h.aplicacion, h.secundaria.get(), h.principal.get());
  g.ID_GRUPO(7);
  ASSERT_THROW(g.Buscar(), EIBError);
  g.ID_GRUPO(-1);
  EXPECT_EQ(g.Buscar(), -5);
}

// ---- Glass types, treatments and brands ----------------------------------------

TEST_F(CatalogosTest, CatalogosDeDescripcionPorClave) {
  TTCristal cristal(&h.aplicacion, h.secundaria.get(), h.principal.get());
  TTratamiento tratamiento(&h.aplicacion, h.secundaria.get(), h.principal.get());
  TMarca_Mon montura(&h.aplicacion, h.secundaria.get(), h.principal.get());
  TMarca_Aud audifono(&h.aplicacion, h.secundaria.get(), h.principal.get());
  cristal.ID_TCRISTAL(1);
  tratamiento.ID_TRATAMIENTO(1);
  montura.ID_MARCA(1);
  audifono.ID_MARCA(1);
  ASSERT_EQ(cristal.Buscar(), 0);
  ASSERT_EQ(tratamiento.Buscar(), 0);
  ASSERT_EQ(montura.Buscar(), 0);
  ASSERT_EQ(audifono.Buscar(), 0);
  EXPECT_EQ(cristal.DESCRIPCION(), "Orgánico");
  EXPECT_EQ(tratamiento.DESCRIPCION(), "Antirreflejante");
  EXPECT_EQ(montura.DESCRIPCION(), "Ray-Ban");
  EXPECT_EQ(audifono.DESCRIPCION(), "Phonak");

  cristal.ID_TCRISTAL(2);
  tratamiento.ID_TRATAMIENTO(2);
  montura.ID_MARCA(2);
  audifono.ID_MARCA(2);
  EXPECT_EQ(cristal.Buscar(), -5);
  EXPECT_EQ(tratamiento.Buscar(), -5);
  EXPECT_EQ(montura.Buscar(), -5);
  EXPECT_EQ(audifono.Buscar(), -5);
  EXPECT_EQ(cristal.DESCRIPCION(), "Orgánico");
  EXPECT_EQ(audifono.DESCRIPCION(), "Phonak");
}

// The glass type counts any result other than 0 as found; the other lookups
// need a result above 0.
TEST_F(CatalogosTest, ResultadoNegativoSoloEncuentraTipoDeCristal) {
  for (const char* sql : {
           "create or alter procedure BUSCAR_TCRISTAL (ORG_ID_TCRISTAL integer, ORG_DESCRIPCION varchar(255)) "
           "returns (RES_RESULTADO integer, RES_ID_TCRISTAL integer, RES_DESCRIPCION varchar(100)) as "
           "begin RES_RESULTADO = -1; RES_ID_TCRISTAL = ORG_ID_TCRISTAL; RES_DESCRIPCION = 'Mineral'; end",
           "create or alter procedure BUSCAR_TRATAMIENTO (ORG_ID_TRATAMIENTO integer, "
           "ORG_DESCRIPCION varchar(255)) returns (RES_RESULTADO integer, RES_ID_TRATAMIENTO integer, "
           "RES_DESCRIPCION varchar(100)) as begin RES_RESULTADO = -1; "
           "RES_ID_TRATAMIENTO = ORG_ID_TRATAMIENTO; RES_DESCRIPCION = 'Endurecido'; end",
       })
    Ejecutar_SQL(*h.principal, QString::fromLatin1(sql));
  TTCristal cristal(&h.aplicacion, h.secundaria.get(), h.principal.get());
  cristal.ID_TCRISTAL(8);
  EXPECT_EQ(cristal.Buscar(), 0);
  EXPECT_EQ(cristal.ID_TCRISTAL(), 8);
  EXPECT_EQ(cristal.DESCRIPCION(), "Mineral");
  TTratamiento tratamiento(&h.aplicacion, h.secundaria.get(), h.principal.get());
  tratamiento.ID_TRATAMIENTO(8);
  EXPECT_EQ(tratamiento.Buscar(), -5);
  EXPECT_EQ(tratamiento.DESCRIPCION(), "");
}

}  // namespace
