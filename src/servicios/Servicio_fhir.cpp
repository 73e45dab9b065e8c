#include "Servicio_fhir.h"

#include <cmath>
#include <stdexcept>

#include "Clase_tlentilla.h"
#include "Clase_tpaciente.h"
#include "Clase_tprueba.h"
#include "Clase_ttlentilla.h"
#include "Graduacion.h"
#include "Receta_lentillas.h"
#include "Servicio_pruebas.h"
#include "Unidad_trabajo.h"
#include "Util_fechas.h"

namespace {

// The deleted-rows filter the patient of an exported record is read with:
// a record keeps its patient whatever became of the patient since.
constexpr int kFiltroPaciente = 2;

// The replacement days of each lens type, by key.
struct TTiposLentilla {
  QStringList claves, descripciones;
  QList<int> dias;
  int Cargar(TTLentilla& t) {
    const int r = t.Cargar_Tipos();
    claves = t.Claves;
    descripciones = t.Descripciones;
    dias = t.Dias;
    return r;
  }
  int Dias(double clave) const {
    const qsizetype i = claves.indexOf(QString::number(static_cast<qint64>(clave)));
    return i < 0 ? 0 : dias.at(i);
  }
};

QDate Fecha(double valor) { return std::floor(valor) == 0 ? QDate() : fechas::A_QDate(valor); }

}  // namespace

int TServicioFhir::Exportar(double idFicha, QByteArray& json, QString* error) {
  try {
    TLentilla l(ctx_.aplicacion, ctx_.conexionSecundaria, ctx_.conexionPrincipal);
    l.ID_MLENTILLA(idFicha);
    // A load that finds nothing leaves the object as it was: no patient.
    if (l.Buscar() != 0) return -1;
    if (l.ID_PACIENTE() < 0 || l.ID_MLENTILLA() != idFicha) return -5;

    l.Crear_Detalle();
    TDLentilla& d = *l.Detalle();
    d.ID_MLENTILLA(idFicha);
    if (d.Cargar_Lista_Lineas() != 0) return -1;
    std::optional<TLineaLentilla> lineas[2];
    for (const QString& clave : d.Lista_Lineas()) {
      d.ID_DLENTILLA(clave.toDouble());
      if (d.Buscar() != 0 || d.Resultado() != 0) continue;
      if (d.OJO() != 1 && d.OJO() != 2) continue;
      TLineaLentilla linea;
      linea.ojo = d.OJO();
      linea.idTipo = d.ID_TLENTILLA();
      linea.descripcion = d.DESCRIPCION();
      linea.modelo = d.MODELO();
      linea.color = d.COLOR();
      linea.radio1 = d.RADIO_1();
      linea.diametro = d.DIAMETRO();
      lineas[d.OJO() - 1] = linea;
    }
    TTLentilla tipo(ctx_.aplicacion, ctx_.conexionSecundaria, ctx_.conexionPrincipal);
    TTiposLentilla tipos;
    if ((lineas[0] || lineas[1]) && tipos.Cargar(tipo) != 0) return -1;

    fhir::TReceta receta;
    receta.creada = QDateTime::currentDateTime();
    receta.fecha = Fecha(l.FECHA());
    receta.caducidad = Fecha(l.FECHA_CADUCIDAD());
    TPaciente paciente(ctx_.aplicacion, ctx_.conexionSecundaria, ctx_.conexionPrincipal);
    paciente.ID(static_cast<int32_t>(l.ID_PACIENTE()));
    if (paciente.Buscar(kFiltroPaciente) == 0) {
      receta.paciente.nombre = paciente.NOMBRE().trimmed();
      receta.paciente.apellidos = paciente.APELLIDOS().trimmed();
      if (paciente.CODIGO() > 0) receta.paciente.identificador = QString::number(paciente.CODIGO());
    }
    // The doctor who prescribed; a record without one was fitted by the
    // shop's own optician, its agent.
    if (l.Doctor().ID() > 0) {
      receta.prescriptor.nombre = l.Doctor().NOMBRE().trimmed();
      receta.prescriptor.apellidos = l.Doctor().APELLIDOS().trimmed();
      receta.prescriptor.identificador = l.Doctor().COLEGIADO().trimmed();
    } else if (l.Agente().ID() > 0) {
      receta.prescriptor.nombre = l.Agente().NOMBRE().trimmed();
      receta.prescriptor.apellidos = l.Agente().APELLIDOS().trimmed();
    }
    for (int o = 0; o < 2; ++o) {
      const TLineaLentilla* linea = lineas[o] ? &*lineas[o] : nullptr;
      receta.ojos[o] = fhir::Lente_De_Ficha(l.Ojo(o), linea, linea ? tipos.Dias(linea->idTipo) : 0);
    }
    fhir::Notas_De_Observaciones(l.Observaciones(), receta);
    json = fhir::Escribir(receta);
    return 0;
  } catch (const EIBError& e) {
    if (error) *error = e.Message();
    return -1;
  }
}

TServicioFhir::TImportacion TServicioFhir::Preparar(const QByteArray& json) {
  TImportacion im;
  im.lectura = fhir::Leer(json);
  if (im.lectura.fallo != fhir::TFallo::kNinguno) return im;
  const fhir::TReceta& r = im.lectura.receta;
  TTiposLentilla tipos;
  // The types are read only when a replacement period asks for one.
  if ((r.ojos[0] && r.ojos[0]->duracion.dias > 0) || (r.ojos[1] && r.ojos[1]->duracion.dias > 0)) {
    TTLentilla tipo(ctx_.aplicacion, ctx_.conexionSecundaria, ctx_.conexionPrincipal);
    // Reading the catalogue fails only with the database: the guard tells it.
    if (tipos.Cargar(tipo) != 0) {
      if (tipo.Causa()) throw *tipo.Causa();
      throw std::runtime_error("No se han podido leer los tipos de lentilla.");
    }
  }
  for (int o = 0; o < 2; ++o) {
    // The screen's empty axes: an eye the prescription leaves out is empty.
    im.ojos[o].eje = im.ojos[o].sobEje = static_cast<int>(graduacion::kEjeVacio);
    if (!r.ojos[o]) continue;
    fhir::Poner_En_Prueba(*r.ojos[o], im.ojos[o]);
    const int dias = r.ojos[o]->duracion.dias;
    if (dias <= 0) continue;
    // The first type (by description) worn that long.
    const qsizetype i = tipos.dias.indexOf(dias);
    if (i < 0) {
      im.lectura.rechazos << QStringLiteral("%1: ningún tipo de lentilla de la óptica dura %2 días; créelo antes "
                                            "(tecla Insert en el tipo de lentilla de la prueba).")
                                 .arg(fhir::Nombre_Ojo(o))
                                 .arg(dias);
      continue;
    }
    im.tipos[o] = tipos.claves.at(i).toDouble();
    im.nombresTipo[o] = tipos.descripciones.at(i);
  }
  im.observaciones = fhir::Observaciones_De_Notas(r);
  im.fecha = r.fecha.isValid() ? fechas::Desde_QDate(r.fecha) : ctx_.puesto->fechaTrabajo;
  const auto persona = [](const fhir::TPersonaReceta& p) {
    QString texto = (p.nombre + QLatin1Char(' ') + p.apellidos).trimmed();
    if (!p.identificador.isEmpty()) texto += QStringLiteral(" (nº %1)").arg(p.identificador);
    return texto;
  };
  if (!r.paciente.Vacia()) im.noGuardado << QStringLiteral("Paciente de la receta: %1").arg(persona(r.paciente));
  if (!r.prescriptor.Vacia()) im.noGuardado << QStringLiteral("Prescriptor: %1").arg(persona(r.prescriptor));
  if (r.caducidad.isValid())
    im.noGuardado << QStringLiteral("Caducidad: %1").arg(r.caducidad.toString(QStringLiteral("dd/MM/yyyy")));
  im.noGuardado << im.lectura.ignorados;
  return im;
}

int TServicioFhir::Siguiente_Numero(double idPaciente) {
  TPrueba p(ctx_.aplicacion, ctx_.conexionSecundaria, ctx_.conexionPrincipal);
  p.ID_PACIENTE(idPaciente);
  return static_cast<int>(p.Siguiente_Numero());
}

TResultado TServicioFhir::Importar(const TImportacion& im, double idPaciente, double* idPrueba) {
  if (!im.Importable()) return TResultado::Con_Estado(TResultado::TEstado::kNoAdmitido);
  TPrueba p(ctx_.aplicacion, ctx_.conexionSecundaria, ctx_.conexionPrincipal);
  try {
    // The number is taken in the unit that writes the test (the tests'
    // service joins it): one commit, and no other workstation's test in
    // between.
    TUnidadTrabajo unidad(ctx_.conexionPrincipal);
    p.ID_PACIENTE(idPaciente);
    const double numero = p.Siguiente_Numero();
    if (numero < 0) return TResultado::Fallido(-1, p.Causa());
    p.NUMERO_FICHA(numero);
    p.FECHA(im.fecha);
    p.Agente().ID(0);
    for (int o = 0; o < 2; ++o) p.Ojo(o) = im.ojos[o];
    p.TLentilla_OD().ID_TLENTILLA(im.tipos[0]);
    p.TLentilla_OI().ID_TLENTILLA(im.tipos[1]);
    p.Observaciones() = im.observaciones;
    const TResultado r = pruebas_.Grabar(p, true);
    if (!r.Hecho_Bien()) return r;
    if (!unidad.Confirmar()) return TResultado::Fallido(-1, unidad.Causa());
  } catch (const EIBError& e) {
    return TResultado::Fallido(-1, &e);
  }
  if (idPrueba) *idPrueba = p.ID_PRUEBA_LENTILLAS();
  return TResultado::Hecho();
}
