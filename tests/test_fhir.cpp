// Prescriptions out of a stored lens record and into a new fitting test,
// through the FHIR service on a real database: HL7's example imported and
// exported again, a record with every field there and back, and an import
// that must write nothing.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "Anfitrion_prueba.h"
#include "Clase_tprueba.h"
#include "Receta_ejemplo.h"
#include "Receta_lentillas.h"
#include "Servicio_fhir.h"
#include "Servicio_pruebas.h"
#include "Util_fechas.h"

namespace {

using Estado = TResultado::TEstado;

class FhirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Two monthly types (the first by description is the one taken) and a
    // fortnightly one.
    Ejecutar_SQL(*h.principal, "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION, DIAS_REPOSICION) "
                               "values (3, 'MEN', 'Mensual', 30)");
    Ejecutar_SQL(*h.principal, "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION, DIAS_REPOSICION) "
                               "values (4, 'MET', 'Mensual tórica', 30)");
    Ejecutar_SQL(*h.principal, "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION, DIAS_REPOSICION) "
                               "values (5, 'QUI', 'Quincenal', 14)");
  }

  // The test of key `id` as stored.
  std::unique_ptr<TPrueba> Prueba(double id) {
    auto p = std::make_unique<TPrueba>(&h.aplicacion, h.secundaria.get(), h.principal.get());
    p->ID_PRUEBA_LENTILLAS(id);
    EXPECT_EQ(p->Buscar(), 0);
    return p;
  }
  // A stored test as a prescription again: its eyes, its types' periods and
  // its observations.
  static fhir::TReceta Receta_De_Prueba(TPrueba& p, const QList<int>& dias) {
    fhir::TReceta r;
    r.creada = QDateTime::currentDateTime();
    r.fecha = fechas::A_QDate(p.FECHA());
    for (int o = 0; o < 2; ++o) r.ojos[o] = fhir::Lente_De_Prueba(p.Ojo(o), dias[o]);
    fhir::Notas_De_Observaciones(p.Observaciones(), r);
    return r;
  }
  qint64 Pruebas() { return Consultar_Entero(*h.consulta, "select count(*) from PLENTILLA"); }

  TAnfitrionPrueba h;
  TServicioPruebas pruebas{h.ctx};
  TServicioFhir fhir{h.ctx, pruebas};
};

TEST_F(FhirTest, ElEjemploPublicadoEntraEnUnaPruebaYSaleIgual) {
  const TServicioFhir::TImportacion im = fhir.Preparar(kReceta33124);
  ASSERT_TRUE(im.Importable()) << im.lectura.rechazos.join("\n").toStdString();
  EXPECT_EQ(im.nombresTipo[0], "Mensual");
  EXPECT_EQ(fhir.Siguiente_Numero(7), 1);
  double id = -1;
  ASSERT_TRUE(fhir.Importar(im, 7, &id).Hecho_Bien());

  std::unique_ptr<TPrueba> p = Prueba(id);
  EXPECT_EQ(p->NUMERO_FICHA(), 1);
  EXPECT_EQ(p->ID_PACIENTE(), 7);
  EXPECT_EQ(fechas::A_QDate(p->FECHA()), QDate(2014, 6, 15));
  EXPECT_EQ(p->TLentilla_OD().ID_TLENTILLA(), 3);
  EXPECT_EQ(p->TLentilla_OI().ID_TLENTILLA(), 3);
  EXPECT_EQ(p->OD_ESFERA(), -2.75);
  EXPECT_EQ(p->OI_CILINDRO(), -3.5);
  EXPECT_EQ(p->OD_RADIO_1(), "8,70");
  EXPECT_EQ(p->OD_DESCRIPCION_ART(), "OphthaGuard");
  EXPECT_EQ(p->Observaciones(), QStringList{"Shade treatment for extreme light sensitivity"});

  const fhir::TLectura original = fhir::Leer(kReceta33124);
  const fhir::TLectura otraVez = fhir::Leer(fhir::Escribir(Receta_De_Prueba(*p, {30, 30})));
  ASSERT_TRUE(otraVez.Importable());
  EXPECT_EQ(otraVez.receta.fecha, original.receta.fecha);
  for (int o = 0; o < 2; ++o) EXPECT_EQ(otraVez.receta.ojos[o], original.receta.ojos[o]) << "eye " << o;
}

TEST_F(FhirTest, UnaFichaCompletaSaleYEntraConLaMismaGraduacionYLente) {
  Ejecutar_SQL(*h.principal, "insert into DOCTOR (ID_DOCTOR, CODIGO, NOMBRE, APELLIDOS, COLEGIADO) "
                             "values (4, 4, 'Luis', 'Pardo Ruiz', '28/4455')");
  Ejecutar_SQL(*h.principal,
               "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, FECHA_REVISION, FECHA_LIMPIEZA, "
               "FECHA_CADUCIDAD, FECHA_REPOSICION, ID_DOCTOR, PROPIA_AJENA, ID_AGENTE, LIQUIDOS, "
               "OD_ABERTURA_PARPEBRAL, OD_DIAMETRO_PUPILAR, OD_DIAMETRO_IRIS, OI_ABERTURA_PARPEBRAL, "
               "OI_DIAMETRO_PUPILAR, OI_DIAMETRO_IRIS, OD_ESFERA, OD_CILINDRO, OD_EJE, OD_AGUDEZA_VISUAL_CC, "
               "OD_ADICION, OD_DIAMETRO, OD_ZONA_OPTICA, OD_RADIO_1, OD_RADIO_2, OD_QUERATOMETRIA, OI_ESFERA, "
               "OI_CILINDRO, OI_EJE, OI_AGUDEZA_VISUAL_CC, OI_ADICION, OI_DIAMETRO, OI_ZONA_OPTICA, OI_RADIO_1, "
               "OI_RADIO_2, OI_QUERATOMETRIA, ID_TIENDA) values (10, 7, 1, '2026-03-01', '2026-09-01', "
               "'2026-04-01', '2027-03-01', '2026-04-01', 4, 0, 0, 'Opti-Free', 10.5, 4.5, 11.75, 10.25, 4.25, 11.5, "
               "-3.25, -0.75, 5, 1.2, 2.5, 14.2, 8.25, '8,60', '8,90', '43,50 x 44,00', 1.5, -1.25, 175, 1.0, 2.5, "
               "14.0, 8.0, '8,70', '9,00', '43,00', 1)");
  Ejecutar_SQL(*h.principal, "insert into LOBSERVACIONES (ID_MLENTILLA, OBSERVACIONES) values "
                             "(10, 'Uso diario' || ascii_char(13) || ascii_char(10) || 'OD: Molestias al final del día')");
  Ejecutar_SQL(*h.principal, "insert into DLENTILLA (ID_DLENTILLA, ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, "
                             "ID_TLENTILLA, MODELO, RADIO_1, RADIO_2, DIAMETRO, COLOR, IMPORTE_M1, LOTE) values "
                             "(1, 10, 1, 'BIOTOR3', 'Biofinity Toric', 5, 'Toric', '8,60', '', 14.2, 'Azul', 44.9, 'L1')");
  Ejecutar_SQL(*h.principal, "insert into DLENTILLA (ID_DLENTILLA, ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, "
                             "ID_TLENTILLA, MODELO, RADIO_1, RADIO_2, DIAMETRO, COLOR, IMPORTE_M1, LOTE) values "
                             "(2, 10, 2, 'AIROP', 'Air Optix', 3, 'Aqua', '8,70', '', 14.0, 'Gris', 30, 'L2')");

  QByteArray json;
  ASSERT_EQ(fhir.Exportar(10, json), 0);
  const QJsonObject o = QJsonDocument::fromJson(json).object();
  EXPECT_EQ(o["dateWritten"].toString(), "2026-03-01");
  EXPECT_EQ(o["extension"][0]["valueDate"].toString(), "2027-03-01");
  const QJsonArray contenidos = o["contained"].toArray();
  ASSERT_EQ(contenidos.size(), 2);
  EXPECT_EQ(contenidos[0]["name"][0]["family"].toString(), "Álvarez Gil");
  EXPECT_EQ(contenidos[0]["identifier"][0]["value"].toString(), "1007");
  EXPECT_EQ(contenidos[1]["resourceType"].toString(), "Practitioner");
  EXPECT_EQ(contenidos[1]["identifier"][0]["value"].toString(), "28/4455");
  EXPECT_EQ(o["lensSpecification"][0]["duration"]["code"].toString(), "wk");

  const TServicioFhir::TImportacion im = fhir.Preparar(json);
  ASSERT_TRUE(im.Importable()) << im.lectura.rechazos.join("\n").toStdString();
  EXPECT_TRUE(im.noGuardado.contains("Prescriptor: Luis Pardo Ruiz (nº 28/4455)"));
  EXPECT_TRUE(im.noGuardado.contains("Caducidad: 01/03/2027"));
  double id = -1;
  ASSERT_TRUE(fhir.Importar(im, 7, &id).Hecho_Bien());
  std::unique_ptr<TPrueba> p = Prueba(id);
  const struct {
    double esfera, cilindro, adicion, diametro;
    int eje, tipo;
    const char *radio, *marca, *color;
  } esperado[] = {{-3.25, -0.75, 2.5, 14.2, 5, 5, "8,60", "Biofinity Toric", "Azul"},
                  {1.5, -1.25, 2.5, 14.0, 175, 3, "8,70", "Air Optix", "Gris"}};
  for (int ojo = 0; ojo < 2; ++ojo) {
    const TPruebaOjo& e = p->Ojo(ojo);
    EXPECT_EQ(e.esfera, esperado[ojo].esfera);
    EXPECT_EQ(e.cilindro, esperado[ojo].cilindro);
    EXPECT_EQ(e.eje, esperado[ojo].eje);
    EXPECT_EQ(e.adicion, esperado[ojo].adicion);
    EXPECT_EQ(e.diametro, esperado[ojo].diametro);
    EXPECT_EQ(e.diametroArt, esperado[ojo].diametro);
    EXPECT_EQ(e.radio1, esperado[ojo].radio);
    EXPECT_EQ(e.descripcionArt, esperado[ojo].marca);
    EXPECT_EQ(e.colorArt, esperado[ojo].color);
  }
  EXPECT_EQ(p->TLentilla_OD().ID_TLENTILLA(), 5);
  EXPECT_EQ(p->TLentilla_OI().ID_TLENTILLA(), 3);
  EXPECT_EQ(p->Observaciones(), (QStringList{"Uso diario", "OD: Molestias al final del día"}));
}

TEST_F(FhirTest, UnaFichaQueNoExisteNoSeExporta) {
  QByteArray json;
  EXPECT_EQ(fhir.Exportar(999, json), -5);
  EXPECT_TRUE(json.isEmpty());
}

TEST_F(FhirTest, UnaImportacionQueNoCabeNoEscribeNada) {
  // A period no type of the shop lasts, and a user without the right.
  Ejecutar_SQL(*h.principal, "update TLENTILLA set DIAS_REPOSICION = 7");
  TServicioFhir::TImportacion im = fhir.Preparar(kReceta33124);
  EXPECT_FALSE(im.Importable());
  EXPECT_TRUE(im.lectura.rechazos.join("\n").contains("OD: ningún tipo de lentilla de la óptica dura 30 días"));
  EXPECT_EQ(fhir.Importar(im, 7).Estado(), Estado::kNoAdmitido);

  Ejecutar_SQL(*h.principal, "update TLENTILLA set DIAS_REPOSICION = 30");
  im = fhir.Preparar(kReceta33124);
  ASSERT_TRUE(im.Importable());
  h.usuario.puedeModificar = 0;
  EXPECT_EQ(fhir.Importar(im, 7).Estado(), Estado::kSinDerecho);
  EXPECT_EQ(Pruebas(), 0);
}

}  // namespace
