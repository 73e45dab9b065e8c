#include "Clase_tbase.h"

#include <QScopedValueRollback>

#include "Contexto_host.h"
#include "Ibx_sql.h"
#include "Unidad_trabajo.h"

TBase::TBase(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : owner_(owner), conexionA_(conexionA), conexionB_(conexionB) {
  static const QStringList kParametros{QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                       QStringLiteral("nowait")};
  transacciones_[0].DefaultDatabase = conexionA;
  transacciones_[1].DefaultDatabase = conexionB;
  for (int i = 0; i < 5; ++i) {
    transacciones_[i].Params = kParametros;
    consultas_[i].Transaction = &transacciones_[i];
    fuentes_[i].DataSet = &consultas_[i];
  }
  consultas_[0].Database = conexionA;
  consultas_[1].Database = conexionB;
  procedimientos_[0].Transaction = &transacciones_[0];
  procedimientos_[1].Transaction = &transacciones_[1];
}

void TBase::Autoconfirmar(int canal) {
  TIBTransaction& t = transacciones_.at(canal);
  if (!Autoconfirmada(t)) t.Params << QStringLiteral("autocommit");
}

bool TBase::Autoconfirmada(const TIBTransaction& t) {
  return t.Params.contains(QStringLiteral("autocommit"));
}

TAplicacion* TBase::Aplicacion() const { return static_cast<TAplicacion*>(owner_); }

TBase::~TBase() {
  // Queries and procedures go before the transactions they run in; a
  // transaction still open here is rolled back.
  for (auto& q : consultas_) {
    try {
      q.Close();
      q.Unprepare();
    } catch (...) {
    }
  }
  for (auto& sp : procedimientos_) {
    try {
      sp.Unprepare();
    } catch (...) {
    }
  }
  for (auto& t : transacciones_) {
    try {
      if (t.InTransaction()) t.Rollback();
    } catch (...) {
    }
  }
}

TUnidadTrabajo* TBase::Unidad_Canal(int canal) const {
  if (canal == 0 || canal == 5) return TUnidadTrabajo::Abierta(conexionA_);
  if (canal == 1 || canal == 6) return TUnidadTrabajo::Abierta(conexionB_);
  return nullptr;
}

TIBDatabase* TBase::Conexion_Canal(int canal) const {
  if (canal == 0 || canal == 5) return conexionA_;
  if (canal == 1 || canal == 6) return conexionB_;
  return nullptr;
}

// A channel runs in the open unit of work of its connection, if there is one,
// and otherwise reads in its connection's read transaction; a write alone
// moves to the channel's own transaction when it runs (Ejecutar_Consulta).
// Asked again at every step, because a unit may open or end between the
// steps of one statement.
TIBTransaction* TBase::Enlazar(int canal) {
  TIBTransaction* propia = &transacciones_[canal <= 4 ? canal : canal - 5];
  TUnidadTrabajo* unidad = Unidad_Canal(canal);
  TIBDatabase* conexion = Conexion_Canal(canal);
  TIBTransaction* t = unidad                           ? &unidad->Transaccion()
                      : conexion && conexion->Connected() ? &conexion->Transaccion_Lectura()
                                                          : propia;
  if (canal <= 4)
    consultas_[canal].Transaction = t;
  else
    procedimientos_[canal - 5].Transaction = t;
  return t;
}

int TBase::Preparar(int canal, const QString& texto) {
  causa_.reset();
  if (canal >= 0 && canal <= 4) {
    TIBQuery& q = consultas_[canal];
    if (q.Active()) q.Close();
    Enlazar(canal);
    if (!q.Transaction->InTransaction()) q.Transaction->StartTransaction();
    q.SQL.Clear();
    q.SQL.Add(texto);
    return Fin(kOk);
  }
  if (canal == 5 || canal == 6) {
    TIBStoredProc& sp = procedimientos_[canal - 5];
    if (sp.Prepared()) sp.Unprepare();
    Enlazar(canal);
    if (!sp.Transaction->InTransaction()) sp.Transaction->StartTransaction();
    sp.SetStoredProcName(texto);
    return Fin(kOk);
  }
  return Fin(kCanalErroneo);
}

int TBase::Ejecutar(int canal) {
  if (canal < 0 || canal > 6) return Fin(kCanalErroneo);
  Enlazar(canal);
  if (canal <= 4) return Fin(Ejecutar_Consulta(consultas_[canal], transacciones_[canal], Unidad_Canal(canal)));
  return Fin(Ejecutar_Procedimiento(procedimientos_[canal - 5]));
}

int TBase::Ejecutar_Consulta(TIBQuery& q, TIBTransaction& propia, TUnidadTrabajo* unidad) {
  const QString texto = q.SQL.Text();
  if (texto.isEmpty()) return kSentenciaVacia;
  const QString clave = texto.left(6).toUpper();
  const bool lectura = clave == QLatin1String("SELECT");
  if (!lectura && !unidad && q.Transaction != &propia) {
    // The connection's read transaction writes nothing.
    q.Transaction = &propia;
    if (!propia.InTransaction()) propia.StartTransaction();
  }
  try {
    q.Prepare();  // errors of a bad statement reach the caller
  } catch (const EIBError& e) {
    // A write of the unit that cannot even be prepared is a write lost.
    if (unidad && !lectura) unidad->Anular(e);
    throw;
  } catch (...) {
    if (unidad && !lectura) unidad->Anular();
    throw;
  }

  if (lectura) {
    q.Open();
    if (!q.Active()) {
      Num_Registros = 0;
      return kSelectIncompleta;
    }
    if (q.Bof() && q.Eof()) {
      Num_Registros = 0;
      return kSinFilas;
    }
    if (Contar_Registros) {
      q.Last();
      Num_Registros = q.RecordCount();
      q.First();
    } else {
      Num_Registros = 0;
    }
    return kOk;
  }

  const bool insercion = clave == QLatin1String("INSERT");
  // An EXECUTE BLOCK writes many rows in one round trip; the rows it
  // returns (what its inserts returned) are read as a query's.
  const bool bloque = Es_Bloque(texto);
  if (!insercion && !bloque && clave != QLatin1String("UPDATE") && clave != QLatin1String("DELETE"))
    return kSentenciaDesconocida;

  // Alone, a write is its own transaction: committed at once, or rolled
  // back. Inside a unit of work it stays in the unit's transaction; a failed
  // one (the engine has already undone that statement) fails the unit, and
  // nothing written before it is committed.
  qint64 afectadas = 0;
  try {
    if (bloque) {
      q.Open();
      afectadas = -1;
    } else {
      q.ExecSQL();
      // Over a server the count is one more round trip; an insert's is not used.
      if (!insercion) afectadas = Contar_Registros ? q.RowsAffected() : -1;
    }
    // A channel whose own transaction commits each statement by itself
    // (Autoconfirmar) keeps it open: no start and no commit round trip.
    if (!unidad && !Autoconfirmada(propia)) q.Transaction->Commit();
  } catch (const EIBError& e) {
    causa_ = e;
    if (unidad) {
      unidad->Anular(e);
    } else {
      try {
        if (q.Transaction->InTransaction()) q.Transaction->Rollback();
      } catch (const EIBError&) {
        // The write is already lost; the code below says so.
      }
    }
    Num_Registros = -1;
    return kErrorEscritura;
  }
  if (insercion) {
    Num_Registros = 0;
    return kOk;
  }
  if (afectadas < 0) {
    Num_Registros = 0;  // not counted
    return kOk;
  }
  Num_Registros = static_cast<double>(afectadas);
  return afectadas == 0 ? kNingunaFila : kOk;
}

int TBase::Ejecutar_Procedimiento(TIBStoredProc& sp) {
  if (sp.Prepared()) sp.Unprepare();
  sp.Prepare();
  sp.ExecProc();
  Num_Registros = Contar_Registros ? sp.RecordCount() : 0;
  return kOk;
}

// Only the channel's own transaction is committed here: a unit's transaction
// (even one that has ended since the statement ran) is its unit's business.
int TBase::Cerrar(int canal) {
  if (canal >= 0 && canal <= 4) {
    TIBQuery& q = consultas_[canal];
    TIBTransaction& propia = transacciones_[canal];
    if (q.Active()) {
      if (q.Transaction == &propia && propia.InTransaction()) propia.Commit();
      q.Close();
    }
    q.Unprepare();
    q.SQL.Clear();
    q.Transaction = &propia;
    return Fin(kOk);
  }
  if (canal == 5 || canal == 6) {
    TIBStoredProc& sp = procedimientos_[canal - 5];
    TIBTransaction& propia = transacciones_[canal - 5];
    if (sp.Transaction == &propia && propia.InTransaction()) propia.Commit();
    sp.Unprepare();
    sp.SetStoredProcName(QString());
    sp.Transaction = &propia;
    return Fin(kOk);
  }
  return Fin(kCanalErroneo);
}

QString TBase::Sentencia_Texto_Unico(const QString& tabla, const QString& columnaClave, const QString& clave) {
  return QStringLiteral("update or insert into %1 (%2, OBSERVACIONES) values (%3, :OBSERVACIONES) matching (%2)")
      .arg(tabla, columnaClave, clave);
}

int TBase::Grabar_Texto_Unico(const QString& tabla, const QString& columnaClave, double clave,
                              const QString& texto) {
  const QScopedValueRollback<bool> sinContar(Contar_Registros, false);
  TSentencia escritura(*this, 1, Sentencia_Texto_Unico(tabla, columnaClave, QStringLiteral(":CLAVE")));
  escritura.Parametro(QStringLiteral("CLAVE")).AsFloat(clave);
  escritura.Parametro(QStringLiteral("OBSERVACIONES")).AsMemo(texto);
  return escritura.Ejecutar();
}

bool TBase::Preparable(const QString& texto) {
  Preparar(1, texto);
  try {
    consultas_[1].Prepare();
    return true;
  } catch (const EIBError&) {
    return false;
  }
}

QStringList TBase::Lista_Claves(int slot, const QString& parametro, double valor) {
  QStringList claves;
  TSentencia s(*this, 1, catalogo_[slot]);
  s.Parametro(parametro).AsFloat(valor);
  if (s.Ejecutar() == kOk)
    for (TIBQuery& q = s.Consulta(); !q.Eof(); q.Next()) claves << q.Fields(0).AsString();
  return claves;
}

int TBase::Comprobar_Version_Fila(const QString& sql, const QString& parametro, double clave, int version,
                                  QString& quien, double& cuando) {
  try {
    TSentencia s(*this, 1, sql);
    s.Parametro(parametro).AsFloat(clave);
    if (s.Ejecutar() != 0) return kVersionBorrada;
    TIBQuery& q = s.Consulta();
    quien = q.FieldByName(QStringLiteral("MODIFICADO_POR")).AsString();
    cuando = q.FieldByName(QStringLiteral("MODIFICADO_EN")).AsDateTime();
    return q.FieldByName(QStringLiteral("VERSION")).AsInteger() == version ? 0 : kVersionCambiada;
  } catch (const EIBError& e) {
    return Fallo(e, e.Conflicto() ? kVersionBloqueada : -1);
  }
}

namespace texto_blob {
QString Columna(const QString& c, const QString& tabla) {
  const QString valor = tabla.isEmpty() ? c : tabla + QLatin1Char('.') + c;
  return QStringLiteral("case when char_length(%1) <= %2 then cast(%1 as varchar(%2)) end as %3_CORTO, "
                        "case when char_length(%1) > %2 then %1 end as %3")
      .arg(valor)
      .arg(kCorto)
      .arg(c);
}

QString Leer(TSentencia& s, const QString& c) {
  const TField corto = s.Campo(c + QStringLiteral("_CORTO"));
  return corto.IsNull() ? s.Campo(c).AsString() : corto.AsString();
}
}  // namespace texto_blob
