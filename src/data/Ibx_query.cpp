#include "Ibx_query.h"

#include <ibase.h>

#include "Ibx_database.h"
#include "Ibx_transaction.h"

TIBQuery::~TIBQuery() {
  try {
    Close();
    Unprepare();
  } catch (...) {
    // The statement goes with its connection.
  }
}

void TIBQuery::Traducir() {
  if (versionTraducida_ == SQL.Version()) return;
  Close();
  Unprepare();
  traducida_ = Traducir_Parametros(SQL.Text());
  params_.clear();
  params_.reserve(traducida_.nombres.size());
  indiceParams_.Limpiar();
  for (const QString& n : traducida_.nombres) {
    indiceParams_.Anadir(n, static_cast<int>(params_.size()));
    params_.emplace_back(n);
  }
  versionTraducida_ = SQL.Version();
}

TParam& TIBQuery::ParamByName(const QString& nombre) {
  Traducir();
  const int i = indiceParams_.Buscar(nombre);
  if (i >= 0) return params_[i];
  ibx::Error_Cliente(QStringLiteral("No se encuentra el parámetro '%1'.").arg(nombre));
}

int TIBQuery::ParamCount() {
  Traducir();
  return static_cast<int>(params_.size());
}

TIBDatabase* TIBQuery::Base() const {
  TIBDatabase* db = Database ? Database : (Transaction ? Transaction->DefaultDatabase : nullptr);
  if (!db || !db->Connected())
    ibx::Error_Cliente(QStringLiteral("La consulta no tiene una base de datos conectada."));
  return db;
}

Firebird::IAttachment* TIBQuery::Conexion() const { return Base()->Handle(); }

// After a failed execution the text is prepared and described again next
// time, in case the failure came from a table changed since it was described.
void TIBQuery::Olvidar_Descripcion() {
  TIBDatabase* db = Database ? Database : (Transaction ? Transaction->DefaultDatabase : nullptr);
  if (db) db->Olvidar_Descripcion(traducida_.texto);
  sentenciaSirve_ = false;
  Unprepare();
}

Firebird::ITransaction* TIBQuery::Transaccion_Activa() {
  if (!Transaction) ibx::Error_Cliente(QStringLiteral("La consulta no tiene transacción."));
  if (!Transaction->InTransaction()) Transaction->StartTransaction();
  return Transaction->Handle();
}

std::vector<const TValor*> TIBQuery::Valores_Posicionales() const {
  std::vector<const TValor*> v;
  v.reserve(traducida_.posiciones.size());
  for (int idx : traducida_.posiciones) v.push_back(&params_[idx]);
  return v;
}

void TIBQuery::Prepare() {
  Traducir();
  if (statement_) return;
  if (traducida_.texto.trimmed().isEmpty())
    ibx::Error_Cliente(QStringLiteral("La consulta no tiene texto."));
  TIBDatabase* db = Base();
  Firebird::ITransaction* tra = Transaccion_Activa();
  TEstado st;
  statement_ = db->Tomar_Sentencia(traducida_.texto, tra);
  baseSentencia_ = db;
  generacionSentencia_ = db->Generacion();
  sentenciaSirve_ = true;
  try {
    // Inputs are described only when there are parameters, outputs only when
    // the statement gives rows; both once per text and connection.
    const TDescripcion& d = db->Describir_Sentencia(traducida_.texto, statement_, !traducida_.posiciones.empty());
    tipoSentencia_ = d.tipo;
    if (!traducida_.posiciones.empty()) {
      metaEntrada_ = d.entrada;
      metaEntrada_->addRef();
    }
    if (d.salida) {
      metaSalida_ = d.salida;
      metaSalida_->addRef();
      columnas_ = Describir(metaSalida_);
    }
    columnasBlob_.clear();
    indiceCampos_.Limpiar();
    for (size_t i = 0; i < columnas_.size(); ++i) {
      if (columnas_[i].tipo == SQL_BLOB) columnasBlob_.push_back(static_cast<int>(i));
      indiceCampos_.Anadir(columnas_[i].nombre, static_cast<int>(i));
    }
    longitudFila_ = metaSalida_ ? metaSalida_->getMessageLength(&st) : 0;
  } catch (...) {
    Unprepare();
    throw;
  }
}

void TIBQuery::Unprepare() {
  Close();
  filasPendientes_ = false;  // the count went with the statement
  if (metaEntrada_) metaEntrada_->release();
  if (metaSalida_) metaSalida_->release();
  metaEntrada_ = metaSalida_ = nullptr;
  columnas_.clear();
  columnasBlob_.clear();
  indiceCampos_.Limpiar();
  if (statement_) {
    Firebird::IStatement* s = statement_;
    statement_ = nullptr;
    baseSentencia_->Devolver_Sentencia(traducida_.texto, s, sentenciaSirve_, generacionSentencia_);
  }
}

void TIBQuery::Leer_Fila(Firebird::ITransaction* tra, const unsigned char* fila) {
  for (int idx : columnasBlob_) {
    const TColumna& c = columnas_[idx];
    QString texto;
    if (*reinterpret_cast<const short*>(fila + c.offsetNulo) == 0)
      texto = Leer_Blob(Conexion(), tra, *reinterpret_cast<const ISC_QUAD*>(fila + c.offset));
    blobs_.push_back(std::move(texto));
  }
}

void TIBQuery::Open() {
  Close();
  Prepare();
  try {
    Firebird::IAttachment* att = Conexion();
    Firebird::ITransaction* tra = Transaccion_Activa();
    entrada_.Preparar(metaEntrada_, att, tra, Valores_Posicionales());
    TEstado st;
    filas_.clear();
    blobs_.clear();
    numFilas_ = 0;
    if (tipoSentencia_ == isc_info_sql_stmt_select || tipoSentencia_ == isc_info_sql_stmt_select_for_upd) {
      Firebird::IResultSet* rs =
          statement_->openCursor(&st, tra, entrada_.Metadatos(), entrada_.Datos(), metaSalida_, 0);
      try {
        for (;;) {
          filas_.resize((numFilas_ + 1) * longitudFila_);
          unsigned char* fila = filas_.data() + numFilas_ * longitudFila_;
          if (rs->fetchNext(&st, fila) != Firebird::IStatus::RESULT_OK) break;
          Leer_Fila(tra, fila);
          ++numFilas_;
        }
        filas_.resize(numFilas_ * longitudFila_);
        rs->close(&st);
      } catch (...) {
        rs->release();
        filas_.clear();
        blobs_.clear();
        numFilas_ = 0;
        throw;
      }
    } else if (!columnas_.empty()) {
      // EXECUTE PROCEDURE with outputs: a dataset of one row.
      filas_.assign(longitudFila_, 0);
      statement_->execute(&st, tra, entrada_.Metadatos(), entrada_.Datos(), metaSalida_, filas_.data());
      Leer_Fila(tra, filas_.data());
      numFilas_ = 1;
    } else {
      ibx::Error_Cliente(QStringLiteral("La sentencia no devuelve filas."));
    }
    activa_ = true;
    actual_ = 0;
    bof_ = true;
    eof_ = numFilas_ == 0;
  } catch (const EIBError&) {
    Olvidar_Descripcion();
    throw;
  }
}

void TIBQuery::Close() {
  activa_ = false;
  filas_.clear();
  blobs_.clear();
  numFilas_ = actual_ = 0;
  eof_ = bof_ = true;
}

void TIBQuery::ExecSQL() {
  Close();
  Prepare();
  try {
    Firebird::IAttachment* att = Conexion();
    Firebird::ITransaction* tra = Transaccion_Activa();
    entrada_.Preparar(metaEntrada_, att, tra, Valores_Posicionales());
    TEstado st;
    if (tipoSentencia_ == isc_info_sql_stmt_select || tipoSentencia_ == isc_info_sql_stmt_select_for_upd) {
      Firebird::IResultSet* rs =
          statement_->openCursor(&st, tra, entrada_.Metadatos(), entrada_.Datos(), metaSalida_, 0);
      rs->close(&st);
    } else if (columnas_.empty()) {
      statement_->execute(&st, tra, entrada_.Metadatos(), entrada_.Datos(), nullptr, nullptr);
    } else {
      // What an INSERT ... RETURNING (or a procedure) gives back is kept as
      // a dataset of one row, read like a query's until Close.
      filas_.assign(longitudFila_, 0);
      blobs_.clear();
      statement_->execute(&st, tra, entrada_.Metadatos(), entrada_.Datos(), metaSalida_, filas_.data());
      Leer_Fila(tra, filas_.data());
      numFilas_ = 1;
      activa_ = true;
      actual_ = 0;
      bof_ = true;
      eof_ = false;
    }
  } catch (const EIBError&) {
    Olvidar_Descripcion();
    throw;
  }
  filasAfectadas_ = 0;
  filasPendientes_ = true;
}

qint64 TIBQuery::RowsAffected() {
  if (filasPendientes_ && statement_) {
    TEstado st;
    filasAfectadas_ = static_cast<qint64>(statement_->getAffectedRecords(&st));
  }
  filasPendientes_ = false;
  return filasAfectadas_;
}

// Navigation follows the buffered dataset the application was written for:
// First leaves Bof set, Last leaves Eof set, Next past the last row sets Eof
// and stays on it, Prior before the first sets Bof.
void TIBQuery::First() {
  actual_ = 0;
  bof_ = true;
  eof_ = numFilas_ == 0;
}

void TIBQuery::Last() {
  actual_ = numFilas_ ? numFilas_ - 1 : 0;
  eof_ = true;
  bof_ = numFilas_ == 0;
}

void TIBQuery::Next() {
  if (actual_ + 1 < numFilas_) {
    ++actual_;
    bof_ = false;
  } else {
    eof_ = true;
  }
}

void TIBQuery::Prior() {
  if (actual_ > 0 && numFilas_) {
    --actual_;
    eof_ = false;
  } else {
    bof_ = true;
  }
}

int TIBQuery::FieldIndex(const QString& nombre) const { return indiceCampos_.Buscar(nombre); }

TField TIBQuery::Fields(int indice) const {
  if (indice < 0 || indice >= static_cast<int>(columnas_.size()))
    ibx::Error_Cliente(QStringLiteral("No existe el campo número %1.").arg(indice));
  const TColumna& c = columnas_[indice];
  if (!activa_ || numFilas_ == 0) return TField(c.nombre, TValor());
  const QString* blob = nullptr;
  for (size_t k = 0; k < columnasBlob_.size(); ++k)
    if (columnasBlob_[k] == indice) blob = &blobs_[actual_ * columnasBlob_.size() + k];
  return TField(c.nombre, Leer_Columna(c, filas_.data() + actual_ * longitudFila_, blob));
}

TField TIBQuery::FieldByName(const QString& nombre) const {
  const int i = FieldIndex(nombre);
  if (i < 0) ibx::Error_Cliente(QStringLiteral("No se encuentra el campo '%1'.").arg(nombre));
  return Fields(i);
}
