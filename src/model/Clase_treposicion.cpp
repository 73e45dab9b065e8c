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

namespace {
// The block that inserts `n` rows and returns their keys in order.
QString Bloque_Insercion(int n) {
  QString cabecera = QStringLiteral(
      "EXECUTE BLOCK (ID_PACIENTE TYPE OF COLUMN REPOSICION.ID_PACIENTE = :ID_PACIENTE, "
      "TIPO_REPOSICION TYPE OF COLUMN REPOSICION.TIPO_REPOSICION = :TIPO_REPOSICION");
  QString cuerpo;
  for (int i = 0; i < n; ++i) {
    const QString k = QString::number(i);
    for (const auto& [p, columna] : {std::pair{"N", "NUMERO_FICHA"}, {"F", "FECHA"}, {"T", "TIPO"}, {"O", "OJO"},
                                     {"A", "IMPORTE_M1"}, {"B", "IMPORTE_M2"}, {"X", "OBSERVACIONES"}})
      cabecera += QStringLiteral(", %1%2 TYPE OF COLUMN REPOSICION.%3 = :%1%2")
                      .arg(QLatin1String(p), k, QLatin1String(columna));
    cuerpo += QStringLiteral(
                  "INSERT INTO REPOSICION (ID_PACIENTE, NUMERO_FICHA, TIPO_REPOSICION, FECHA, TIPO, OJO, IMPORTE_M1, "
                  "IMPORTE_M2, OBSERVACIONES) VALUES (:ID_PACIENTE, :N%1, :TIPO_REPOSICION, :F%1, :T%1, :O%1, :A%1, "
                  ":B%1, :X%1) RETURNING ID_REPOSICION INTO :ID; SUSPEND;\n")
                  .arg(k);
  }
  return cabecera + QStringLiteral(") RETURNS (ID TYPE OF COLUMN REPOSICION.ID_REPOSICION) AS BEGIN\n") + cuerpo +
         QStringLiteral("END");
}
}  // namespace

int TReposicion::Insertar_Lista(const QList<TFilaReposicion>& filas, QList<double>& claves) {
  claves.clear();
  std::vector<int> guardadas;  // the rows stored, by their place in `filas`
  for (int i = 0; i < filas.size(); ++i) {
    claves << -1;
    if (filas[i].fecha != 0) guardadas.push_back(i);
  }
  try {
    for (size_t desde = 0; desde < guardadas.size(); desde += kFilasBloque) {
      const int n = static_cast<int>(std::min<size_t>(kFilasBloque, guardadas.size() - desde));
      TSentencia s(*this, 1, Bloque_Insercion(n));
      TIBQuery& q = s.Consulta();
      q.ParamByName(QStringLiteral("ID_PACIENTE")).AsFloat(idPaciente_);
      q.ParamByName(QStringLiteral("TIPO_REPOSICION")).AsInteger(tipoReposicion_);
      for (int i = 0; i < n; ++i) {
        const TFilaReposicion& f = filas[guardadas[desde + i]];
        const QString k = QString::number(i);
        q.ParamByName(QStringLiteral("N") + k).AsFloat(f.numeroFicha);
        q.ParamByName(QStringLiteral("F") + k).AsDateTime(f.fecha);
        q.ParamByName(QStringLiteral("T") + k).AsInteger(f.tipo);
        q.ParamByName(QStringLiteral("O") + k).AsInteger(f.ojo);
        // Both amounts as the converter computes them, before any rounding.
        double m1 = f.importeM1, m2 = 0;
        if (moneda_) {
          moneda_->Fijar_Importe_Redondeado(f.importeM1);
          m1 = moneda_->Importe_M1();
          m2 = moneda_->Importe_M2();
        }
        q.ParamByName(QStringLiteral("A") + k).AsFloat(m1);
        q.ParamByName(QStringLiteral("B") + k).AsFloat(m2);
        // The lines as one text without the line break that would follow the last.
        q.ParamByName(QStringLiteral("X") + k).AsString(f.observaciones.split(QLatin1Char('\n')).join(QStringLiteral("\r\n")));
      }
      if (s.Ejecutar() != 0) return Fin(-1);
      int i = 0;
      for (q.First(); !q.Eof() && i < n; q.Next(), ++i) claves[guardadas[desde + i]] = q.Fields(0).AsFloat();
      s.Cerrar();
      if (i != n) return Fin(-1);
    }
  } catch (const EIBError& e) {
    return Fin(Fallo(e));
  }
  return Fin(0);
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
