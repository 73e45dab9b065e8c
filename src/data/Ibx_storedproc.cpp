#include "Ibx_storedproc.h"

#include <ibase.h>

#include "Ibx_database.h"
#include "Ibx_transaction.h"

TIBStoredProc::~TIBStoredProc() {
  try {
    Unprepare();
  } catch (...) {
    // The statement goes with its connection.
  }
}

void TIBStoredProc::SetStoredProcName(const QString& nombre) {
  if (nombre == nombre_) return;
  Unprepare();
  nombre_ = nombre;
  params_.clear();
  indice_.Limpiar();
  numEntradas_ = 0;
  parametrosCargados_ = false;
}

TIBDatabase* TIBStoredProc::Base() const {
  TIBDatabase* db = Database ? Database : (Transaction ? Transaction->DefaultDatabase : nullptr);
  if (!db || !db->Connected())
    ibx::Error_Cliente(QStringLiteral("El procedimiento no tiene una base de datos conectada."));
  return db;
}

Firebird::ITransaction* TIBStoredProc::Transaccion_Activa() {
  if (!Transaction) ibx::Error_Cliente(QStringLiteral("El procedimiento no tiene transacción."));
  if (!Transaction->InTransaction()) Transaction->StartTransaction();
  return Transaction->Handle();
}

void TIBStoredProc::Cargar_Parametros() {
  if (parametrosCargados_) return;
  if (nombre_.trimmed().isEmpty())
    ibx::Error_Cliente(QStringLiteral("No se ha indicado el procedimiento."));
  const TInfoProcedimiento& info = Base()->Info_Procedimiento(nombre_, Transaccion_Activa());
  params_.clear();
  params_.reserve(info.entradas.size() + info.salidas.size());
  indice_.Limpiar();
  for (const QString& n : info.entradas) params_.emplace_back(n);
  for (const QString& n : info.salidas) params_.emplace_back(n);
  for (size_t i = 0; i < params_.size(); ++i) indice_.Anadir(params_[i].Name(), static_cast<int>(i));
  numEntradas_ = static_cast<int>(info.entradas.size());
  parametrosCargados_ = true;
}

TParam& TIBStoredProc::ParamByName(const QString& nombre) {
  Cargar_Parametros();
  const int i = indice_.Buscar(nombre);
  if (i >= 0) return params_[i];
  ibx::Error_Cliente(
      QStringLiteral("El procedimiento %1 no tiene el parámetro '%2'.").arg(nombre_, nombre));
}

TParam* TIBStoredProc::FindParam(const QString& nombre) {
  Cargar_Parametros();
  const int i = indice_.Buscar(nombre);
  return i >= 0 ? &params_[i] : nullptr;
}

int TIBStoredProc::ParamCount() {
  Cargar_Parametros();
  return static_cast<int>(params_.size());
}

void TIBStoredProc::Prepare() {
  if (statement_) return;
  Cargar_Parametros();
  TIBDatabase* db = Base();
  Firebird::ITransaction* tra = Transaccion_Activa();
  const QByteArray& sql = db->Info_Procedimiento(nombre_, tra).sentencia;
  TEstado st;
  statement_ = db->Tomar_Sentencia(sql, tra);
  baseSentencia_ = db;
  generacionSentencia_ = db->Generacion();
  textoSentencia_ = sql;
  sentenciaSirve_ = true;
  try {
    const TDescripcion& d = db->Describir_Sentencia(sql, statement_, numEntradas_ > 0);
    if (numEntradas_ > 0) {
      metaEntrada_ = d.entrada;
      metaEntrada_->addRef();
    }
    metaSalida_ = d.salida;
    if (metaSalida_) metaSalida_->addRef();
    salidas_ = Describir(metaSalida_);
    bufferSalida_.assign(metaSalida_ ? metaSalida_->getMessageLength(&st) : 0, 0);
  } catch (...) {
    Unprepare();
    throw;
  }
}

void TIBStoredProc::Unprepare() {
  if (metaEntrada_) metaEntrada_->release();
  if (metaSalida_) metaSalida_->release();
  metaEntrada_ = metaSalida_ = nullptr;
  salidas_.clear();
  if (statement_) {
    Firebird::IStatement* s = statement_;
    statement_ = nullptr;
    baseSentencia_->Devolver_Sentencia(textoSentencia_, s, sentenciaSirve_, generacionSentencia_);
  }
}

void TIBStoredProc::ExecProc() {
  Prepare();
  TIBDatabase* db = Base();
  Firebird::ITransaction* tra = Transaccion_Activa();
  std::vector<const TValor*> entradas;
  entradas.reserve(numEntradas_);
  for (int i = 0; i < numEntradas_; ++i) entradas.push_back(&params_[i]);
  entrada_.Preparar(metaEntrada_, db->Handle(), tra, entradas);
  TEstado st;
  const bool conSalida = !salidas_.empty();
  try {
    statement_->execute(&st, tra, entrada_.Metadatos(), entrada_.Datos(), conSalida ? metaSalida_ : nullptr,
                        conSalida ? bufferSalida_.data() : nullptr);
  } catch (const EIBError&) {
    // Prepared and described again next time, in case the procedure changed since.
    db->Olvidar_Descripcion(textoSentencia_);
    sentenciaSirve_ = false;
    Unprepare();
    throw;
  }
  for (size_t i = 0; i < salidas_.size(); ++i) {
    const TColumna& c = salidas_[i];
    QString blob;
    if (c.tipo == SQL_BLOB && *reinterpret_cast<const short*>(&bufferSalida_[c.offsetNulo]) == 0)
      blob = Leer_Blob(db->Handle(), tra, *reinterpret_cast<const ISC_QUAD*>(&bufferSalida_[c.offset]));
    TParam& destino = params_[numEntradas_ + i];
    destino.Asignar(Leer_Columna(c, bufferSalida_.data(), &blob));
  }
  registros_ = conSalida ? 1 : 0;
}
