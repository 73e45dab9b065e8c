#include "Clase_treposicion.h"

#include <QScopedValueRollback>
#include <algorithm>

#include "Ibx_error.h"
#include "Ibx_query.h"

#include "Contexto_host.h"

int TReposicion::Validar_Reposicion() { return Fin(fecha_ == 0 ? kSinFecha : 0); }

int TReposicion::Insertar() {
  if (Validar_Reposicion() == kSinFecha) return kSinFecha;
  try {
    TSentencia s(*this, 1, sql::kInsertarReposicion);
    TIBQuery& q = s.Consulta();
    q.ParamByName(QStringLiteral("ID_PACIENTE")).AsFloat(idPaciente_);
    q.ParamByName(QStringLiteral("TIPO_REPOSICION")).AsInteger(tipoReposicion_);
    q.ParamByName(QStringLiteral("NUMERO_FICHA")).AsFloat(numeroFicha_);
    q.ParamByName(QStringLiteral("OJO")).AsInteger(ojo_);
    q.ParamByName(QStringLiteral("FECHA")).AsDateTime(fecha_);
    q.ParamByName(QStringLiteral("TIPO")).AsInteger(tipo_);
    // Both amounts as the converter computes them, before any rounding.
    double m1 = importe_, m2 = 0;
    if (moneda_) {
      moneda_->Fijar_Importe_Redondeado(importe_);
      m1 = moneda_->Importe_M1();
      m2 = moneda_->Importe_M2();
    }
    q.ParamByName(QStringLiteral("IMPORTE_M1")).AsFloat(m1);
    q.ParamByName(QStringLiteral("IMPORTE_M2")).AsFloat(m2);
    // The lines as one text without the line break that would follow the last.
    q.ParamByName(QStringLiteral("OBSERVACIONES")).AsString(observaciones_.join(QStringLiteral("\r\n")));
    const int r = s.Ejecutar();
    s.Cerrar();
    if (r != 0) return Fin(-1);
    TSentencia clave(*this, 6, QStringLiteral("ID_REPOSICION"));
    clave.Ejecutar();
    ID_REPOSICION(clave.Parametro(QStringLiteral("ID")).AsFloat());
  } catch (const EIBError& e) {
    return Fin(Fallo(e));
  }
  return resultado_;
}

int TReposicion::Borrar_Lista(int16_t tipoLista) {
  try {
    TSentencia s(*this, 1, sql::kBorrarReposicionesPaciente);
    s.Parametro(QStringLiteral("ID_PACIENTE")).AsFloat(idPaciente_);
    s.Parametro(QStringLiteral("TIPO_REPOSICION")).AsInteger(tipoLista);
    const int r = s.Ejecutar();
    // A patient without replacements has nothing to delete.
    return Fin(r == 0 || r == TBase::kNingunaFila ? 0 : -1);
  } catch (const EIBError& e) {
    return Fin(Fallo(e));
  }
}

int TReposicion::Borrar() {
  TAplicacion* app = Aplicacion();
  if (!app || app->MessageBox(QStringLiteral("¿Está seguro de querer borrar este registro?"),
                              QStringLiteral("PREGUNTA"), mb::YESNO | mb::ICONQUESTION) != mb::IDYES)
    return Fin(-6);
  try {
    TSentencia s(*this, 1, sql::kBorrarReposicion);
    s.Parametro(QStringLiteral("ID_REPOSICION")).AsFloat(idReposicion_);
    const int r = s.Ejecutar();
    // The screen deletes rows that were never saved (or were saved again
    // under a new key) the same way: no row affected is still a deletion.
    return Fin(r == 0 || r == TBase::kNingunaFila ? 0 : -1);
  } catch (const EIBError& e) {
    return Fin(Fallo(e));
  }
}

QString TReposicion::Tipo_A_Texto(int tipo) {
  switch (tipo) {
    case kLimpieza:
      return QStringLiteral("Limp");
    case kRevision:
      return QStringLiteral("Rev");
    default:
      return QStringLiteral("Rep");
  }
}

int16_t TReposicion::Texto_A_Tipo(const QString& texto) {
  if (texto == QLatin1String("Limp")) return kLimpieza;
  if (texto == QLatin1String("Rev")) return kRevision;
  return kReposicion;
}

QString TReposicion::Ojo_A_Texto(int ojo) {
  switch (ojo) {
    case kDerecho:
      return QStringLiteral("Dcho.");
    case kIzquierdo:
      return QStringLiteral("Izdo.");
    default:
      return QStringLiteral("Ambos");
  }
}

int16_t TReposicion::Texto_A_Ojo(const QString& texto) {
  if (texto == QLatin1String("Dcho.")) return kDerecho;
  if (texto == QLatin1String("Izdo.")) return kIzquierdo;
  return kAmbos;
}

QString TReposicion::Observaciones_A_Texto(const QString& observaciones) {
  return observaciones.isEmpty() ? QStringLiteral("<Sin descripción>") : observaciones;
}

QString TReposicion::Sentencia_Lista(double idPaciente) {
  return QStringLiteral("Select ID_REPOSICION, ID_PACIENTE, NUMERO_FICHA, TIPO_REPOSICION, ") +
         QStringLiteral("FECHA, TIPO, OJO, OBSERVACIONES, IMPORTE_M1, IMPORTE_M2 from REPOSICION ") +
         QStringLiteral("Where ID_PACIENTE = ") + QString::number(static_cast<qint64>(idPaciente)) +
         QStringLiteral(" And TIPO_REPOSICION = ") + QString::number(kListaLentillas);
}

int TReposicion::Leer_Lista(QList<TFilaReposicion>& filas) {
  filas.clear();
  const QScopedValueRollback<bool> sinContar(Contar_Registros, false);
  try {
    TSentencia s(*this, 1, Sentencia_Lista(idPaciente_));
    if (s.Ejecutar() != 0) return Fin(0);
    for (TIBQuery& q = s.Consulta(); !q.Eof(); q.Next()) {
      const auto f = [&](const char* n) { return q.FieldByName(QLatin1String(n)); };
      TFilaReposicion fila;
      fila.clave = f("ID_REPOSICION").AsFloat();
      fila.tipo = static_cast<int16_t>(f("TIPO").AsInteger());
      fila.ojo = static_cast<int16_t>(f("OJO").AsInteger());
      const auto numero = f("NUMERO_FICHA");
      fila.sinNumero = numero.IsNull();
      fila.numeroFicha = fila.sinNumero ? 0 : numero.AsFloat();
      fila.fecha = f("FECHA").AsDateTime();
      fila.observaciones = f("OBSERVACIONES").AsString();
      fila.importeM1 = f("IMPORTE_M1").AsFloat();
      fila.importeM2 = f("IMPORTE_M2").AsFloat();
      filas << fila;
    }
  } catch (const EIBError& e) {
    return Fin(Fallo(e));
  }
  return Fin(0);
}

int TReposicion::Claves_Lista(int16_t tipoLista, QList<double>& claves) {
  claves.clear();
  try {
    TSentencia s(*this, 1,
                 QStringLiteral("select ID_REPOSICION from REPOSICION where ID_PACIENTE = :ID_PACIENTE and "
                                "TIPO_REPOSICION = :TIPO_REPOSICION with lock"));
    s.Parametro(QStringLiteral("ID_PACIENTE")).AsFloat(idPaciente_);
    s.Parametro(QStringLiteral("TIPO_REPOSICION")).AsInteger(tipoLista);
    if (s.Ejecutar() == 0)
      for (TIBQuery& q = s.Consulta(); !q.Eof(); q.Next()) claves << q.Fields(0).AsFloat();
  } catch (const EIBError& e) {
    return Fallo(e, e.Conflicto() ? kBloqueada : -1);
  }
  std::sort(claves.begin(), claves.end());
  return 0;
}
