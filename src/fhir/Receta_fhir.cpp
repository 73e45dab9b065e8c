#include "Receta_fhir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>

#include "Graduacion.h"
#include "Util_locale.h"

namespace fhir {

namespace {

const QLatin1String kSistemaProducto("http://terminology.hl7.org/CodeSystem/ex-visionprescriptionproduct");
const QLatin1String kSistemaUcum("http://unitsofmeasure.org");

// The UCUM units a replacement period is read in, the words some writers put
// in their place (HL7's own R4 example says "month"), and their days.
struct TUnidad {
  const char* codigo;
  int dias;
};
constexpr TUnidad kUnidades[] = {{"a", 365}, {"mo", 30}, {"wk", 7}, {"d", 1}};
constexpr struct {
  const char* palabra;
  const char* codigo;
} kSinonimos[] = {{"year", "a"}, {"years", "a"}, {"month", "mo"}, {"months", "mo"},
                  {"week", "wk"}, {"weeks", "wk"}, {"day", "d"}, {"days", "d"}};

QString Numero_Texto(double v) { return locale_es::Float_A_Texto(v); }

QJsonObject Persona_Json(const char* tipo, const char* id, const char* sistema, const TPersonaReceta& p) {
  QJsonObject o{{QStringLiteral("resourceType"), QLatin1String(tipo)}, {QStringLiteral("id"), QLatin1String(id)}};
  if (!p.identificador.isEmpty())
    o.insert(QStringLiteral("identifier"),
             QJsonArray{QJsonObject{{QStringLiteral("system"), QLatin1String(sistema)},
                                    {QStringLiteral("value"), p.identificador}}});
  QJsonObject nombre;
  if (!p.apellidos.isEmpty()) nombre.insert(QStringLiteral("family"), p.apellidos);
  if (!p.nombre.isEmpty()) nombre.insert(QStringLiteral("given"), QJsonArray{p.nombre});
  if (!nombre.isEmpty()) o.insert(QStringLiteral("name"), QJsonArray{nombre});
  return o;
}

QJsonObject Lente_Json(int ojo, const TLenteReceta& l) {
  QJsonObject o{{QStringLiteral("product"),
                 QJsonObject{{QStringLiteral("coding"),
                              QJsonArray{QJsonObject{{QStringLiteral("system"), kSistemaProducto},
                                                     {QStringLiteral("code"), QStringLiteral("contact")}}}}}},
                {QStringLiteral("eye"), ojo == 0 ? QStringLiteral("right") : QStringLiteral("left")}};
  const auto numero = [&](const char* clave, double v) {
    if (v != kSinValor) o.insert(QLatin1String(clave), v);
  };
  numero("cylinder", l.cilindro);
  if (l.eje >= 0) o.insert(QStringLiteral("axis"), l.eje);
  numero("add", l.adicion);
  numero("power", l.potencia);
  numero("backCurve", l.curvaBase);
  numero("diameter", l.diametro);
  if (l.duracion.dias > 0)
    o.insert(QStringLiteral("duration"), QJsonObject{{QStringLiteral("value"), l.duracion.valor()},
                                                     {QStringLiteral("unit"), l.duracion.codigo()},
                                                     {QStringLiteral("system"), kSistemaUcum},
                                                     {QStringLiteral("code"), l.duracion.codigo()}});
  if (!l.color.isEmpty()) o.insert(QStringLiteral("color"), l.color);
  if (!l.marca.isEmpty()) o.insert(QStringLiteral("brand"), l.marca);
  if (!l.notas.isEmpty()) {
    QJsonArray notas;
    for (const QString& n : l.notas) notas.append(QJsonObject{{QStringLiteral("text"), n}});
    o.insert(QStringLiteral("note"), notas);
  }
  return o;
}

// ---- Reading ----

TLectura Fallo(TFallo fallo, const QString& mensaje) {
  TLectura l;
  l.fallo = fallo;
  l.mensaje = mensaje;
  return l;
}

// The version a resource says it is written in, when it says one other than
// R4: its "fhirVersion" member (some writers add it) or the profile it
// claims. A bare R5 VisionPrescription has the shape of an R4 one and is read
// as such.
QString Version_Ajena(const QJsonObject& o) {
  const QString version = o.value(QStringLiteral("fhirVersion")).toString();
  if (!version.isEmpty() && !version.startsWith(QLatin1String("4.")))
    return version.startsWith(QLatin1Char('5')) ? QStringLiteral("R5") : version;
  for (const QJsonValue& p : o.value(QStringLiteral("meta")).toObject().value(QStringLiteral("profile")).toArray()) {
    const QString perfil = p.toString();
    if (perfil.contains(QLatin1String("/5.0/")) || perfil.contains(QLatin1String("/R5/"))) return QStringLiteral("R5");
    if (perfil.contains(QLatin1String("/6.0/")) || perfil.contains(QLatin1String("/R6/"))) return QStringLiteral("R6");
    if (perfil.contains(QLatin1String("/3.0/")) || perfil.contains(QLatin1String("/STU3/")))
      return QStringLiteral("STU3");
  }
  // STU3 and earlier called the lenses "dispense".
  if (o.contains(QStringLiteral("dispense")) && !o.contains(QStringLiteral("lensSpecification")))
    return QStringLiteral("STU3");
  return {};
}

QString Codigo_Producto(const QJsonObject& especificacion) {
  for (const QJsonValue& c :
       especificacion.value(QStringLiteral("product")).toObject().value(QStringLiteral("coding")).toArray()) {
    const QString codigo = c.toObject().value(QStringLiteral("code")).toString();
    if (!codigo.isEmpty()) return codigo;
  }
  return {};
}

QDate Leer_Fecha(const QString& texto) {
  // A date, or the date of a dateTime.
  return QDate::fromString(texto.left(10), Qt::ISODate);
}

TPersonaReceta Leer_Persona(const QJsonObject& raiz, const QString& miembro) {
  TPersonaReceta p;
  const QJsonObject referencia = raiz.value(miembro).toObject();
  const QString ref = referencia.value(QStringLiteral("reference")).toString();
  if (ref.startsWith(QLatin1Char('#'))) {
    for (const QJsonValue& v : raiz.value(QStringLiteral("contained")).toArray()) {
      const QJsonObject c = v.toObject();
      if (c.value(QStringLiteral("id")).toString() != ref.mid(1)) continue;
      const QJsonObject nombre = c.value(QStringLiteral("name")).toArray().at(0).toObject();
      p.apellidos = nombre.value(QStringLiteral("family")).toString();
      QStringList dados;
      for (const QJsonValue& g : nombre.value(QStringLiteral("given")).toArray()) dados << g.toString();
      p.nombre = dados.join(QLatin1Char(' '));
      if (p.nombre.isEmpty() && p.apellidos.isEmpty()) p.nombre = nombre.value(QStringLiteral("text")).toString();
      p.identificador =
          c.value(QStringLiteral("identifier")).toArray().at(0).toObject().value(QStringLiteral("value")).toString();
    }
  }
  if (p.Vacia()) p.nombre = referencia.value(QStringLiteral("display")).toString();
  return p;
}

// One eye's contact lens, each value checked against what the test's field
// takes; whatever does not fit goes into `rechazos` under the eye's name.
class TLectorLente {
 public:
  TLectorLente(const QJsonObject& o, const QString& ojo, QStringList& rechazos)
      : o_(o), ojo_(ojo), rechazos_(rechazos) {}

  TLenteReceta Leer() {
    static const QSet<QString> kConocidos = {
        QStringLiteral("id"),       QStringLiteral("product"),  QStringLiteral("eye"),
        QStringLiteral("sphere"),   QStringLiteral("power"),    QStringLiteral("cylinder"),
        QStringLiteral("axis"),     QStringLiteral("add"),      QStringLiteral("backCurve"),
        QStringLiteral("diameter"), QStringLiteral("duration"), QStringLiteral("color"),
        QStringLiteral("brand"),    QStringLiteral("note"),     QStringLiteral("prism")};
    for (auto it = o_.begin(); it != o_.end(); ++it)
      if (!kConocidos.contains(it.key())) Rechazar(QStringLiteral("trae «%1», que la prueba no guarda").arg(it.key()));
    if (!o_.value(QStringLiteral("prism")).toArray().isEmpty() ||
        (o_.contains(QStringLiteral("prism")) && !o_.value(QStringLiteral("prism")).isArray()))
      Rechazar(QStringLiteral("lleva prisma, y la prueba no guarda prismas"));

    TLenteReceta l;
    double esfera = kSinValor;
    Graduacion("sphere", "esfera", esfera);
    Graduacion("power", "potencia", l.potencia);
    if (l.potencia == kSinValor) {
      l.potencia = esfera;
    } else if (esfera != kSinValor && esfera != l.potencia) {
      Rechazar(QStringLiteral("da esfera %1 y potencia %2, distintas").arg(Numero_Texto(esfera), Numero_Texto(l.potencia)));
    }
    Graduacion("cylinder", "cilindro", l.cilindro);
    Graduacion("add", "adición", l.adicion);
    Eje(l.eje);
    Distancia("backCurve", "curva base", l.curvaBase);
    Distancia("diameter", "diámetro", l.diametro);
    Duracion(l.duracion);
    Texto("color", "color", kLargoColor, l.color);
    Texto("brand", "marca", kLargoMarca, l.marca);
    const QJsonValue notas = o_.value(QStringLiteral("note"));
    for (const QJsonValue& n : notas.toArray()) {
      const QString texto = n.toObject().value(QStringLiteral("text")).toString().trimmed();
      if (!texto.isEmpty()) l.notas << texto;
    }
    return l;
  }

 private:
  void Rechazar(const QString& que) { rechazos_ << ojo_ + QStringLiteral(": ") + que + QLatin1Char('.'); }

  // A number, when the member is there: false when it is absent or refused.
  bool Numero(const char* clave, const char* nombre, double& v) {
    const QJsonValue valor = o_.value(QLatin1String(clave));
    if (valor.isUndefined() || valor.isNull()) return false;
    if (!valor.isDouble()) {
      Rechazar(QStringLiteral("%1 no es un número").arg(QString::fromUtf8(nombre)));
      return false;
    }
    v = valor.toDouble();
    return true;
  }

  void Graduacion(const char* clave, const char* nombre, double& destino) {
    double v;
    if (!Numero(clave, nombre, v)) return;
    if (graduacion::Validar_Esfera(Numero_Texto(v)) != 0) {
      Rechazar(QStringLiteral("%1 %2 fuera de rango (de -65,75 a +65,75 en pasos de 0,25)")
                   .arg(QString::fromUtf8(nombre), Numero_Texto(v)));
      return;
    }
    destino = v;
  }

  void Eje(int& destino) {
    double v;
    if (!Numero("axis", "eje", v)) return;
    if (v != std::trunc(v)) {
      Rechazar(QStringLiteral("eje %1 con decimales (la prueba guarda grados enteros)").arg(Numero_Texto(v)));
      return;
    }
    if (graduacion::Validar_Eje(Numero_Texto(v)) != 0) {
      Rechazar(QStringLiteral("eje %1 fuera de rango (de 0 a 360)").arg(Numero_Texto(v)));
      return;
    }
    destino = static_cast<int>(v);
  }

  void Distancia(const char* clave, const char* nombre, double& destino) {
    double v;
    if (!Numero(clave, nombre, v)) return;
    if (graduacion::Validar_Distancia(Numero_Texto(v)) != 0) {
      Rechazar(QStringLiteral("%1 %2 fuera de rango (de 0 a 99,99)").arg(QString::fromUtf8(nombre), Numero_Texto(v)));
      return;
    }
    destino = v;
  }

  void Duracion(TDuracion& destino) {
    const QJsonValue valor = o_.value(QStringLiteral("duration"));
    if (valor.isUndefined() || valor.isNull()) return;
    const QJsonObject d = valor.toObject();
    QString codigo = d.value(QStringLiteral("code")).toString();
    if (codigo.isEmpty()) codigo = d.value(QStringLiteral("unit")).toString();
    for (const auto& s : kSinonimos)
      if (codigo == QLatin1String(s.palabra)) codigo = QLatin1String(s.codigo);
    int diasUnidad = 0;
    for (const TUnidad& u : kUnidades)
      if (codigo == QLatin1String(u.codigo)) diasUnidad = u.dias;
    const QJsonValue cantidad = d.value(QStringLiteral("value"));
    if (diasUnidad == 0) {
      Rechazar(QStringLiteral("reposición en una unidad desconocida «%1»").arg(codigo));
      return;
    }
    const double dias = cantidad.toDouble(-1) * diasUnidad;
    if (!cantidad.isDouble() || dias <= 0 || dias != std::trunc(dias) || dias > 100000) {
      Rechazar(QStringLiteral("reposición de %1 %2, que no son días enteros")
                   .arg(cantidad.isDouble() ? Numero_Texto(cantidad.toDouble()) : QStringLiteral("?"), codigo));
      return;
    }
    destino.dias = static_cast<int>(dias);
  }

  void Texto(const char* clave, const char* nombre, int largo, QString& destino) {
    const QJsonValue valor = o_.value(QLatin1String(clave));
    if (valor.isUndefined() || valor.isNull()) return;
    if (!valor.isString()) {
      Rechazar(QStringLiteral("%1 no es un texto").arg(QString::fromUtf8(nombre)));
      return;
    }
    const QString texto = valor.toString().trimmed();
    if (texto.size() > largo) {
      Rechazar(QStringLiteral("%1 de más de %2 letras").arg(QString::fromUtf8(nombre)).arg(largo));
      return;
    }
    destino = texto;
  }

  const QJsonObject& o_;
  const QString ojo_;
  QStringList& rechazos_;
};

}  // namespace

double TDuracion::valor() const {
  for (const TUnidad& u : kUnidades)
    if (dias % u.dias == 0) return dias / u.dias;
  return dias;
}

QString TDuracion::codigo() const {
  for (const TUnidad& u : kUnidades)
    if (dias % u.dias == 0) return QLatin1String(u.codigo);
  return QStringLiteral("d");
}

QString Nombre_Ojo(int ojo) { return ojo == 0 ? QStringLiteral("OD") : QStringLiteral("OI"); }

QByteArray Escribir(const TReceta& r) {
  QJsonObject o{{QStringLiteral("resourceType"), QStringLiteral("VisionPrescription")}};
  QJsonArray contenidos;
  if (!r.paciente.Vacia())
    contenidos.append(Persona_Json("Patient", "paciente", kSistemaPaciente, r.paciente));
  if (!r.prescriptor.Vacia())
    contenidos.append(Persona_Json("Practitioner", "prescriptor", kSistemaColegiado, r.prescriptor));
  if (!contenidos.isEmpty()) o.insert(QStringLiteral("contained"), contenidos);
  if (r.caducidad.isValid())
    o.insert(QStringLiteral("extension"),
             QJsonArray{QJsonObject{{QStringLiteral("url"), QLatin1String(kUrlCaducidad)},
                                    {QStringLiteral("valueDate"), r.caducidad.toString(Qt::ISODate)}}});
  o.insert(QStringLiteral("status"), QStringLiteral("active"));
  // A dateTime with a time carries its offset from UTC.
  const QDateTime creada = r.creada.toOffsetFromUtc(r.creada.offsetFromUtc());
  o.insert(QStringLiteral("created"), creada.toString(Qt::ISODate));
  if (!r.paciente.Vacia()) o.insert(QStringLiteral("patient"), QJsonObject{{QStringLiteral("reference"), QStringLiteral("#paciente")}});
  o.insert(QStringLiteral("dateWritten"), r.fecha.toString(Qt::ISODate));
  if (!r.prescriptor.Vacia())
    o.insert(QStringLiteral("prescriber"), QJsonObject{{QStringLiteral("reference"), QStringLiteral("#prescriptor")}});
  QJsonArray lentes;
  for (int ojo = 0; ojo < 2; ++ojo)
    if (r.ojos[ojo]) lentes.append(Lente_Json(ojo, *r.ojos[ojo]));
  o.insert(QStringLiteral("lensSpecification"), lentes);
  return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

TLectura Leer(const QByteArray& texto) {
  if (texto.size() > kTamanoMaximo)
    return Fallo(TFallo::kGrande, QStringLiteral("El fichero ocupa %1 KB y una receta ocupa unos pocos: no es una receta "
                                                 "FHIR. No se ha leído.")
                                      .arg(texto.size() / 1024));
  QJsonParseError error;
  const QJsonDocument documento = QJsonDocument::fromJson(texto, &error);
  if (error.error != QJsonParseError::NoError || !documento.isObject())
    return Fallo(TFallo::kNoJson, QStringLiteral("El texto no es una receta FHIR: no es JSON válido%1.")
                                      .arg(error.error != QJsonParseError::NoError
                                               ? QStringLiteral(" (%1, en la posición %2)")
                                                     .arg(error.errorString())
                                                     .arg(error.offset)
                                               : QString()));
  const QJsonObject raiz = documento.object();
  const QString tipo = raiz.value(QStringLiteral("resourceType")).toString();
  if (tipo.isEmpty())
    return Fallo(TFallo::kNoReceta, QStringLiteral("El texto es JSON pero no un recurso FHIR: no dice su «resourceType»."));
  if (tipo != QLatin1String("VisionPrescription"))
    return Fallo(TFallo::kNoReceta,
                 QStringLiteral("El texto es un recurso FHIR «%1», no una receta de lentes (VisionPrescription).").arg(tipo));
  if (const QString version = Version_Ajena(raiz); !version.isEmpty())
    return Fallo(TFallo::kVersion, QStringLiteral("La receta está escrita en FHIR %1; este programa lee recetas FHIR R4. "
                                                  "Pida al que la envía la versión R4.")
                                       .arg(version));
  const QJsonArray especificaciones = raiz.value(QStringLiteral("lensSpecification")).toArray();
  if (especificaciones.isEmpty())
    return Fallo(TFallo::kSinLentes, QStringLiteral("La receta no trae ninguna lente (lensSpecification)."));

  TLectura l;
  TReceta& r = l.receta;
  const QString estado = raiz.value(QStringLiteral("status")).toString();
  if (estado == QLatin1String("cancelled") || estado == QLatin1String("entered-in-error"))
    l.rechazos << QStringLiteral("La receta está anulada (estado «%1»).").arg(estado);
  if (raiz.contains(QStringLiteral("modifierExtension")))
    l.rechazos << QStringLiteral("La receta lleva extensiones que cambian su sentido (modifierExtension).");
  r.creada = QDateTime::fromString(raiz.value(QStringLiteral("created")).toString(), Qt::ISODate);
  const QString fecha = raiz.value(QStringLiteral("dateWritten")).toString();
  r.fecha = Leer_Fecha(fecha);
  if (!fecha.isEmpty() && !r.fecha.isValid())
    l.rechazos << QStringLiteral("La fecha de la receta «%1» no es una fecha.").arg(fecha);
  for (const QJsonValue& e : raiz.value(QStringLiteral("extension")).toArray())
    if (e.toObject().value(QStringLiteral("url")).toString() == QLatin1String(kUrlCaducidad))
      r.caducidad = Leer_Fecha(e.toObject().value(QStringLiteral("valueDate")).toString());
  r.paciente = Leer_Persona(raiz, QStringLiteral("patient"));
  r.prescriptor = Leer_Persona(raiz, QStringLiteral("prescriber"));

  int gafas = 0, lentillas = 0;
  for (int i = 0; i < especificaciones.size(); ++i) {
    const QJsonObject e = especificaciones.at(i).toObject();
    const QString producto = Codigo_Producto(e);
    const QString ojo = e.value(QStringLiteral("eye")).toString();
    const int indiceOjo = ojo == QLatin1String("right") ? 0 : ojo == QLatin1String("left") ? 1 : -1;
    if (producto == QLatin1String("lens")) {
      ++gafas;
      l.ignorados << QStringLiteral("Una lente de gafa (%1), que no es de lentillas.")
                         .arg(indiceOjo >= 0 ? Nombre_Ojo(indiceOjo) : ojo);
      continue;
    }
    if (producto != QLatin1String("contact")) {
      l.rechazos << QStringLiteral("La lente %1 es de un producto desconocido «%2».").arg(i + 1).arg(producto);
      continue;
    }
    ++lentillas;
    if (e.contains(QStringLiteral("modifierExtension")))
      l.rechazos << QStringLiteral("La lente %1 lleva extensiones que cambian su sentido (modifierExtension).").arg(i + 1);
    if (indiceOjo < 0) {
      l.rechazos << QStringLiteral("La lente %1 es de un ojo desconocido «%2».").arg(i + 1).arg(ojo);
      continue;
    }
    if (r.ojos[indiceOjo]) {
      l.rechazos << QStringLiteral("%1: la receta trae dos lentillas para el mismo ojo.").arg(Nombre_Ojo(indiceOjo));
      continue;
    }
    r.ojos[indiceOjo] = TLectorLente(e, Nombre_Ojo(indiceOjo), l.rechazos).Leer();
  }
  if (lentillas == 0 && gafas > 0 && l.rechazos.isEmpty())
    return Fallo(TFallo::kSoloGafas, QStringLiteral("La receta es solo de gafas: no trae lentillas."));
  return l;
}

}  // namespace fhir
