// The pure conversion between the shop's prescriptions and FHIR
// VisionPrescription JSON: what is read from HL7's own example, what is
// written and read back, every kind of bad input, and each value the fitting
// test cannot hold.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>
#include <functional>

#include "Graduacion.h"
#include "Receta_ejemplo.h"
#include "Receta_fhir.h"
#include "Receta_lentillas.h"

namespace {

using fhir::TFallo;
using fhir::TLenteReceta;

TEST(RecetaFhir, ElEjemploPublicadoSeLeeConSusValores) {
  const fhir::TLectura l = fhir::Leer(kReceta33124);
  ASSERT_TRUE(l.Importable()) << l.mensaje.toStdString() << l.rechazos.join("\n").toStdString();
  EXPECT_EQ(l.receta.fecha, QDate(2014, 6, 15));
  for (int o = 0; o < 2; ++o) {
    ASSERT_TRUE(l.receta.ojos[o]);
    const TLenteReceta& e = *l.receta.ojos[o];
    EXPECT_EQ(e.cilindro, o == 0 ? -2.25 : -3.50);
    EXPECT_EQ(e.eje, 160);
    EXPECT_EQ(e.adicion, 1.75);
    EXPECT_EQ(e.potencia, -2.75);
    EXPECT_EQ(e.curvaBase, 8.7);
    EXPECT_EQ(e.diametro, 14.0);
    EXPECT_EQ(e.duracion.dias, 30);  // "month" read as UCUM's "mo"
    EXPECT_EQ(e.color, "green");
    EXPECT_EQ(e.marca, "OphthaGuard");
    EXPECT_EQ(e.notas, QStringList{"Shade treatment for extreme light sensitivity"});
  }
}

TEST(RecetaFhir, LoEscritoSeLeeIgual) {
  fhir::TReceta r;
  r.creada = QDateTime(QDate(2026, 3, 1), QTime(10, 30), QTimeZone(3600));
  r.fecha = QDate(2026, 3, 1);
  r.caducidad = QDate(2027, 3, 1);
  r.paciente = {"Marta", "Álvarez Gil", "1007"};
  r.prescriptor = {"Luis", "Pardo", "28/4455"};
  TLenteReceta od;
  od.potencia = -3.25;
  od.cilindro = -0.75;
  od.eje = 5;
  od.adicion = 2.5;
  od.curvaBase = 8.6;
  od.diametro = 14.2;
  od.duracion.dias = 14;
  od.marca = "Biofinity Toric";
  od.color = "azul";
  od.notas = {"Uso diario"};
  TLenteReceta oi;
  oi.potencia = 0;
  oi.duracion.dias = 1;
  r.ojos[0] = od;
  r.ojos[1] = oi;

  const QByteArray json = fhir::Escribir(r);
  const QJsonObject o = QJsonDocument::fromJson(json).object();
  EXPECT_EQ(o["status"].toString(), "active");
  EXPECT_EQ(o["created"].toString(), "2026-03-01T10:30:00+01:00");
  EXPECT_EQ(o["extension"][0]["url"].toString(), fhir::kUrlCaducidad);
  EXPECT_EQ(o["lensSpecification"][0]["duration"].toObject(),
            (QJsonObject{{"value", 2}, {"unit", "wk"}, {"system", "http://unitsofmeasure.org"}, {"code", "wk"}}));

  const fhir::TLectura l = fhir::Leer(json);
  ASSERT_TRUE(l.Importable()) << l.rechazos.join("\n").toStdString();
  EXPECT_EQ(l.receta.fecha, r.fecha);
  EXPECT_EQ(l.receta.caducidad, r.caducidad);
  EXPECT_EQ(l.receta.creada, r.creada);
  for (const auto& [leida, escrita] : {std::pair{l.receta.paciente, r.paciente}, {l.receta.prescriptor, r.prescriptor}}) {
    EXPECT_EQ(leida.nombre, escrita.nombre);
    EXPECT_EQ(leida.apellidos, escrita.apellidos);
    EXPECT_EQ(leida.identificador, escrita.identificador);
  }
  EXPECT_EQ(l.receta.ojos[0], r.ojos[0]);
  EXPECT_EQ(l.receta.ojos[1], r.ojos[1]);
}

TEST(RecetaFhir, LaReposicionVaEnLaMayorUnidadExacta) {
  const struct {
    int dias;
    double valor;
    const char* codigo;
  } casos[] = {{1, 1, "d"}, {10, 10, "d"}, {7, 1, "wk"}, {14, 2, "wk"}, {30, 1, "mo"}, {90, 3, "mo"}, {365, 1, "a"}};
  for (const auto& c : casos) {
    const fhir::TDuracion d{c.dias};
    EXPECT_EQ(d.valor(), c.valor) << c.dias;
    EXPECT_EQ(d.codigo(), c.codigo) << c.dias;
  }
}

// ---- Bad input: a Spanish message each, and nothing read ----

struct TEntradaMala {
  const char* nombre;
  QByteArray texto;
  TFallo fallo;
  const char* mensaje;  // a piece of the message
};

QByteArray Ejemplo_Con(const std::function<void(QJsonObject&)>& cambio) {
  QJsonObject o = QJsonDocument::fromJson(kReceta33124).object();
  cambio(o);
  return QJsonDocument(o).toJson();
}

class EntradaMala : public ::testing::TestWithParam<TEntradaMala> {};

TEST_P(EntradaMala, SeRechazaConSuMensaje) {
  const fhir::TLectura l = fhir::Leer(GetParam().texto);
  EXPECT_EQ(l.fallo, GetParam().fallo);
  EXPECT_TRUE(l.mensaje.contains(QString::fromUtf8(GetParam().mensaje))) << l.mensaje.toStdString();
  EXPECT_FALSE(l.receta.ojos[0] || l.receta.ojos[1]);
  EXPECT_FALSE(l.Importable());
}

INSTANTIATE_TEST_SUITE_P(
    RecetaFhir, EntradaMala,
    ::testing::Values(
        TEntradaMala{"NoEsJson", "Receta: OD -2,75", TFallo::kNoJson, "no es JSON válido"},
        TEntradaMala{"JsonCortado", QByteArray(kReceta33124).left(300), TFallo::kNoJson, "no es JSON válido"},
        TEntradaMala{"UnaLista", "[1, 2]", TFallo::kNoJson, "no es JSON válido"},
        TEntradaMala{"SinTipo", R"({"status": "active"})", TFallo::kNoReceta, "resourceType"},
        TEntradaMala{"OtroRecurso", R"({"resourceType": "Patient", "id": "7"})", TFallo::kNoReceta, "«Patient»"},
        TEntradaMala{"SoloGafas", Ejemplo_Con([](QJsonObject& o) {
                       QJsonArray lentes = o["lensSpecification"].toArray();
                       for (auto&& l : lentes) {
                         QJsonObject e = l.toObject();
                         e["product"] = QJsonObject{{"coding", QJsonArray{QJsonObject{{"code", "lens"}}}}};
                         l = e;
                       }
                       o["lensSpecification"] = lentes;
                     }),
                     TFallo::kSoloGafas, "solo de gafas"},
        TEntradaMala{"R5PorSuPerfil", Ejemplo_Con([](QJsonObject& o) {
                       o["meta"] = QJsonObject{
                           {"profile", QJsonArray{"http://hl7.org/fhir/5.0/StructureDefinition/VisionPrescription"}}};
                     }),
                     TFallo::kVersion, "FHIR R5"},
        TEntradaMala{"R5PorSuVersion", Ejemplo_Con([](QJsonObject& o) { o["fhirVersion"] = "5.0.0"; }), TFallo::kVersion,
                     "FHIR R5"},
        TEntradaMala{"STU3", Ejemplo_Con([](QJsonObject& o) {
                       o["dispense"] = o["lensSpecification"];
                       o.remove("lensSpecification");
                     }),
                     TFallo::kVersion, "STU3"},
        TEntradaMala{"SinLentes", Ejemplo_Con([](QJsonObject& o) { o.remove("lensSpecification"); }), TFallo::kSinLentes,
                     "ninguna lente"},
        TEntradaMala{"Enorme", QByteArray(kReceta33124) + QByteArray(fhir::kTamanoMaximo, ' '), TFallo::kGrande,
                     "No se ha leído"}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ---- What the test cannot hold: listed, and the import refused ----

struct TRechazo {
  const char* nombre;
  std::function<void(QJsonObject& derecho)> cambio;  // on the right eye's lens
  const char* motivo;                                 // a piece of the listed line
};

class Rechazo : public ::testing::TestWithParam<TRechazo> {};

TEST_P(Rechazo, SeListaYNoSeImporta) {
  const QByteArray texto = Ejemplo_Con([](QJsonObject& o) {
    QJsonArray lentes = o["lensSpecification"].toArray();
    QJsonObject derecho = lentes[0].toObject();
    GetParam().cambio(derecho);
    lentes[0] = derecho;
    o["lensSpecification"] = lentes;
  });
  const fhir::TLectura l = fhir::Leer(texto);
  EXPECT_EQ(l.fallo, TFallo::kNinguno);
  EXPECT_FALSE(l.Importable());
  ASSERT_EQ(l.rechazos.size(), 1) << l.rechazos.join("\n").toStdString();
  EXPECT_TRUE(l.rechazos[0].contains(QString::fromUtf8(GetParam().motivo))) << l.rechazos[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    RecetaFhir, Rechazo,
    ::testing::Values(
        TRechazo{"Prisma",
                 [](QJsonObject& d) { d["prism"] = QJsonArray{QJsonObject{{"amount", 0.5}, {"base", "down"}}}; },
                 "OD: lleva prisma"},
        TRechazo{"PotenciaFueraDeRango", [](QJsonObject& d) { d["power"] = 66.0; }, "potencia 66 fuera de rango"},
        TRechazo{"CilindroFueraDePaso", [](QJsonObject& d) { d["cylinder"] = -2.13; }, "cilindro -2,13 fuera de rango"},
        TRechazo{"AdicionNoNumerica", [](QJsonObject& d) { d["add"] = "1.75"; }, "adición no es un número"},
        TRechazo{"EjeConDecimales", [](QJsonObject& d) { d["axis"] = 90.5; }, "eje 90,5 con decimales"},
        TRechazo{"EjeFueraDeRango", [](QJsonObject& d) { d["axis"] = 361; }, "eje 361 fuera de rango"},
        TRechazo{"DiametroFueraDeRango", [](QJsonObject& d) { d["diameter"] = 100.0; }, "diámetro 100 fuera de rango"},
        TRechazo{"OjoDesconocido", [](QJsonObject& d) { d["eye"] = "both"; }, "ojo desconocido «both»"},
        TRechazo{"MismoOjoDosVeces", [](QJsonObject& d) { d["eye"] = "left"; }, "dos lentillas para el mismo ojo"},
        TRechazo{"ReposicionEnHoras",
                 [](QJsonObject& d) { d["duration"] = QJsonObject{{"value", 8}, {"code", "h"}}; },
                 "unidad desconocida «h»"},
        TRechazo{"ReposicionDeMedioDia",
                 [](QJsonObject& d) { d["duration"] = QJsonObject{{"value", 1.5}, {"code", "d"}}; },
                 "no son días enteros"},
        TRechazo{"EsferaYPotenciaDistintas", [](QJsonObject& d) { d["sphere"] = -3.0; }, "distintas"},
        TRechazo{"MarcaLarga", [](QJsonObject& d) { d["brand"] = QString(51, 'x'); }, "marca de más de 50"},
        TRechazo{"DatoDesconocido", [](QJsonObject& d) { d["base"] = "up"; }, "trae «base»"}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(RecetaFhir, UnaRecetaAnuladaNoSeImporta) {
  const fhir::TLectura l = fhir::Leer(Ejemplo_Con([](QJsonObject& o) { o["status"] = "cancelled"; }));
  EXPECT_FALSE(l.Importable());
  EXPECT_TRUE(l.rechazos.join("").contains("anulada"));
}

TEST(RecetaFhir, UnaLenteDeGafaJuntoALasLentillasSeMuestraPeroNoImpide) {
  const fhir::TLectura l = fhir::Leer(Ejemplo_Con([](QJsonObject& o) {
    QJsonArray lentes = o["lensSpecification"].toArray();
    lentes.append(QJsonObject{{"product", QJsonObject{{"coding", QJsonArray{QJsonObject{{"code", "lens"}}}}}},
                              {"eye", "right"},
                              {"sphere", -2.0},
                              {"prism", QJsonArray{QJsonObject{{"amount", 0.5}, {"base", "down"}}}}});
    o["lensSpecification"] = lentes;
  }));
  EXPECT_TRUE(l.Importable());
  EXPECT_EQ(l.ignorados, QStringList{"Una lente de gafa (OD), que no es de lentillas."});
}

// ---- The shop's eyes and the prescription's lenses ----

TEST(RecetaLentillas, UnaFichaDiceSuGraduacionYLaLenteSuministrada) {
  TGraduacionOjo g;
  g.esfera = graduacion::kNeutro;
  g.cilindro = graduacion::kCompen;
  g.eje = 90;  // without a cylinder's number, an axis says nothing
  g.adicion = 1.5;
  g.radio1 = "8,4 / 8,6";
  TLineaLentilla linea;
  linea.radio1 = "8,50";
  linea.diametro = 14.5;
  linea.modelo = "Air Optix";
  linea.color = "Gris";
  const std::optional<TLenteReceta> l = fhir::Lente_De_Ficha(g, &linea, 30);
  ASSERT_TRUE(l);
  EXPECT_EQ(l->potencia, 0);
  EXPECT_EQ(l->cilindro, fhir::kSinValor);
  EXPECT_EQ(l->eje, -1);
  EXPECT_EQ(l->adicion, 1.5);
  // The radius typed is no number: it goes as a note, and the lens's own
  // radius is the back curve.
  EXPECT_EQ(l->curvaBase, 8.5);
  EXPECT_EQ(l->diametro, 14.5);
  EXPECT_EQ(l->marca, "Air Optix");  // no description: the model
  EXPECT_EQ(l->color, "Gris");
  EXPECT_EQ(l->duracion.dias, 30);
  EXPECT_EQ(l->notas, (QStringList{"Cilindro: Compen", "Radio: 8,4 / 8,6"}));

  EXPECT_FALSE(fhir::Lente_De_Ficha(TGraduacionOjo{}, nullptr, 0)) << "an empty eye is no lens";
}

TEST(RecetaLentillas, UnaLenteLlenaLaPruebaYVuelveIgual) {
  TLenteReceta l;
  l.potencia = -2.75;
  l.cilindro = -2.25;
  l.eje = 160;
  l.adicion = 1.75;
  l.curvaBase = 8.7;
  l.diametro = 14;
  l.marca = "OphthaGuard";
  l.color = "green";
  l.duracion.dias = 30;
  TPruebaOjo p;
  fhir::Poner_En_Prueba(l, p);
  EXPECT_EQ(p.radio1, "8,70");
  EXPECT_EQ(p.radio1Art, "8,70");
  EXPECT_EQ(p.diametroArt, 14);
  EXPECT_EQ(fhir::Lente_De_Prueba(p, 30), l);

  TLenteReceta sinEje;
  sinEje.potencia = 1;
  fhir::Poner_En_Prueba(sinEje, p);
  EXPECT_EQ(p.eje, graduacion::kEjeVacio) << "the screen's empty axis";
}

TEST(RecetaLentillas, LasObservacionesSonLasNotasDeCadaOjo) {
  fhir::TReceta r;
  r.ojos[0] = TLenteReceta{};
  r.ojos[1] = TLenteReceta{};
  const QStringList observaciones{"Uso diario", "OD: Molestias al final del día", "", "OI: Revisar centrado"};
  fhir::Notas_De_Observaciones(observaciones, r);
  EXPECT_EQ(r.ojos[0]->notas, (QStringList{"Uso diario", "Molestias al final del día"}));
  EXPECT_EQ(r.ojos[1]->notas, (QStringList{"Uso diario", "Revisar centrado"}));
  EXPECT_EQ(fhir::Observaciones_De_Notas(r),
            (QStringList{"Uso diario", "OD: Molestias al final del día", "OI: Revisar centrado"}));
}

}  // namespace
