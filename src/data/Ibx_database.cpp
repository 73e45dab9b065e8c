#include "Ibx_database.h"

#include <ibase.h>

#include "Ibx_transaction.h"
#include "Unidad_trabajo.h"

namespace {
void Anadir(std::string& dpb, unsigned char tag, const QByteArray& valor) {
  dpb.push_back(static_cast<char>(tag));
  dpb.push_back(static_cast<char>(valor.size()));
  dpb.append(valor.constData(), valor.size());
}

void Anadir_Entero(std::string& dpb, unsigned char tag, unsigned valor) {
  dpb.push_back(static_cast<char>(tag));
  dpb.push_back(4);
  for (int i = 0; i < 4; ++i) dpb.push_back(static_cast<char>((valor >> (8 * i)) & 0xFF));
}
}  // namespace

TIBTransaction& TIBDatabase::Transaccion_Lectura() {
  if (!lectura_) {
    lectura_ = std::make_unique<TIBTransaction>();
    lectura_->DefaultDatabase = this;
    lectura_->Params = QStringList{QStringLiteral("read"), QStringLiteral("read_committed"),
                                   QStringLiteral("rec_version"), QStringLiteral("nowait")};
  }
  return *lectura_;
}

// Nothing was written in it: ending it one way or the other is the same.
void TIBDatabase::Terminar_Lectura() {
  if (!lectura_ || !lectura_->InTransaction()) return;
  try {
    lectura_->Commit();
  } catch (...) {
    try {
      if (lectura_->InTransaction()) lectura_->Rollback();
    } catch (...) {
      // The engine drops it with the connection.
    }
  }
}

TIBDatabase::~TIBDatabase() {
  try {
    Close();
  } catch (...) {
    // A connection that cannot be closed cleanly is dropped with the process.
  }
}

std::string TIBDatabase::Parametros_Conexion(bool crear, int pageSize, bool escrituraForzada) const {
  std::string dpb;
  dpb.push_back(static_cast<char>(isc_dpb_version1));
  Anadir(dpb, isc_dpb_lc_ctype, "UTF8");
  if (!UserName.isEmpty()) Anadir(dpb, isc_dpb_user_name, UserName.toUtf8());
  if (!Password.isEmpty()) Anadir(dpb, isc_dpb_password, Password.toUtf8());
  if (!Role.isEmpty()) Anadir(dpb, isc_dpb_sql_role_name, Role.toUtf8());
  if (crear) {
    Anadir(dpb, isc_dpb_set_db_charset, "UTF8");
    Anadir_Entero(dpb, isc_dpb_page_size, static_cast<unsigned>(pageSize));
    Anadir_Entero(dpb, isc_dpb_sql_dialect, 3);
    Anadir_Entero(dpb, isc_dpb_force_write, escrituraForzada ? 1 : 0);
  }
  return dpb;
}

void TIBDatabase::Open() {
  if (attachment_) return;
  if (DatabaseName.isEmpty()) ibx::Error_Cliente(QStringLiteral("No se ha indicado la base de datos."));
  const std::string dpb = Parametros_Conexion(false, 0, true);
  TEstado st;
  Firebird::IProvider* prov = ibx::Master()->getDispatcher();
  try {
    ++generacion_;
    attachment_ = prov->attachDatabase(&st, DatabaseName.toUtf8().constData(),
                                       static_cast<unsigned>(dpb.size()),
                                       reinterpret_cast<const unsigned char*>(dpb.data()));
  } catch (...) {
    prov->release();
    throw;
  }
  prov->release();
}

void TIBDatabase::CreateDatabase(int pageSize, bool escrituraForzada) {
  if (attachment_) ibx::Error_Cliente(QStringLiteral("La base de datos ya está conectada."));
  const std::string dpb = Parametros_Conexion(true, pageSize, escrituraForzada);
  TEstado st;
  Firebird::IProvider* prov = ibx::Master()->getDispatcher();
  try {
    ++generacion_;
    attachment_ = prov->createDatabase(&st, DatabaseName.toUtf8().constData(),
                                       static_cast<unsigned>(dpb.size()),
                                       reinterpret_cast<const unsigned char*>(dpb.data()));
  } catch (...) {
    prov->release();
    throw;
  }
  prov->release();
}

void TIBDatabase::Close() {
  // A unit of work still open here is abandoned: rolled back, so that the
  // connection can be detached instead of being left to the engine's
  // shutdown at the process's exit.
  if (unidad_) unidad_->Abandonar();
  Terminar_Lectura();
  procedimientos_.clear();
  Olvidar_Descripciones();
  Soltar_Sentencias();
  if (!attachment_) return;
  TEstado st;
  Firebird::IAttachment* a = attachment_;
  attachment_ = nullptr;
  try {
    a->detach(&st);  // releases the interface on success
  } catch (...) {
    a->release();
    throw;
  }
}

void TIBDatabase::DropDatabase() {
  if (!attachment_) ibx::Error_Cliente(QStringLiteral("La base de datos no está conectada."));
  Terminar_Lectura();
  procedimientos_.clear();
  Olvidar_Descripciones();
  Soltar_Sentencias();
  TEstado st;
  attachment_->dropDatabase(&st);
  attachment_ = nullptr;
}

const TInfoProcedimiento& TIBDatabase::Info_Procedimiento(const QString& nombre,
                                                          Firebird::ITransaction* tra) {
  const QString clave = nombre.trimmed().toUpper();
  auto it = procedimientos_.constFind(clave);
  if (it != procedimientos_.constEnd()) return *it;
  if (!attachment_) ibx::Error_Cliente(QStringLiteral("La base de datos no está conectada."));

  TInfoProcedimiento info;
  TEstado st;
  // One row per parameter: its name and kind (0 input, 1 output), in order.
  const char* sql =
      "select cast(trim(RDB$PARAMETER_NAME) as varchar(63) character set utf8), RDB$PARAMETER_TYPE "
      "from RDB$PROCEDURE_PARAMETERS where RDB$PROCEDURE_NAME = ? and RDB$PACKAGE_NAME is null "
      "order by RDB$PARAMETER_TYPE, RDB$PARAMETER_NUMBER";
  struct Entrada {
    short len;
    char texto[252];
    short nulo;
  };
  Firebird::IMetadataBuilder* mb = ibx::Master()->getMetadataBuilder(&st, 1);
  mb->setType(&st, 0, SQL_VARYING);
  mb->setLength(&st, 0, 252);
  mb->setCharSet(&st, 0, 4);
  Firebird::IMessageMetadata* inMeta = mb->getMetadata(&st);
  mb->release();
  const unsigned offTexto = inMeta->getOffset(&st, 0);
  const unsigned offNulo = inMeta->getNullOffset(&st, 0);
  std::vector<unsigned char> in(inMeta->getMessageLength(&st), 0);
  const QByteArray nombreUtf8 = clave.toUtf8().left(250);
  *reinterpret_cast<short*>(&in[offTexto]) = static_cast<short>(nombreUtf8.size());
  memcpy(&in[offTexto + 2], nombreUtf8.constData(), nombreUtf8.size());
  *reinterpret_cast<short*>(&in[offNulo]) = 0;

  Firebird::IResultSet* rs = nullptr;
  Firebird::IMessageMetadata* outMeta = nullptr;
  try {
    rs = attachment_->openCursor(&st, tra, 0, sql, 3, inMeta, in.data(), nullptr, nullptr, 0);
    outMeta = rs->getMetadata(&st);
    std::vector<unsigned char> fila(outMeta->getMessageLength(&st));
    const unsigned o0 = outMeta->getOffset(&st, 0);
    const unsigned o1 = outMeta->getOffset(&st, 1);
    while (rs->fetchNext(&st, fila.data()) == Firebird::IStatus::RESULT_OK) {
      const short len = *reinterpret_cast<short*>(&fila[o0]);
      const QString p = QString::fromUtf8(reinterpret_cast<const char*>(&fila[o0 + 2]), len);
      const short tipo = *reinterpret_cast<short*>(&fila[o1]);
      (tipo == 0 ? info.entradas : info.salidas).append(p);
    }
    rs->close(&st);
    rs = nullptr;
  } catch (...) {
    if (rs) rs->release();
    if (outMeta) outMeta->release();
    inMeta->release();
    throw;
  }
  outMeta->release();
  inMeta->release();

  QByteArray s = "EXECUTE PROCEDURE " + clave.toUtf8();
  if (!info.entradas.isEmpty()) {
    s += '(';
    for (int i = 0; i < info.entradas.size(); ++i) s += i ? ", ?" : "?";
    s += ')';
  }
  info.sentencia = s;
  return *procedimientos_.insert(clave, std::move(info));
}

namespace {
// Texts built with their values inside (a patient's key, a record number)
// never repeat; the table is emptied when it reaches this size.
constexpr int kMaxDescripciones = 1024;

void Soltar(TDescripcion& d) {
  if (d.entrada) d.entrada->release();
  if (d.salida) d.salida->release();
  d.entrada = d.salida = nullptr;
}
}  // namespace

const TDescripcion& TIBDatabase::Describir_Sentencia(const QByteArray& texto, Firebird::IStatement* sentencia,
                                                     bool conEntrada) {
  auto it = descripciones_.find(texto);
  if (it != descripciones_.end() && (!conEntrada || it->entrada)) return *it;
  if (it != descripciones_.end()) {
    Soltar(*it);
    descripciones_.erase(it);
  }
  if (descripciones_.size() >= kMaxDescripciones) Olvidar_Descripciones();
  TEstado st;
  TDescripcion d;
  try {
    d.tipo = sentencia->getType(&st);
    if (conEntrada) d.entrada = sentencia->getInputMetadata(&st);
    if (d.tipo == isc_info_sql_stmt_select || d.tipo == isc_info_sql_stmt_select_for_upd ||
        d.tipo == isc_info_sql_stmt_exec_procedure)
      d.salida = sentencia->getOutputMetadata(&st);
  } catch (...) {
    Soltar(d);
    throw;
  }
  return *descripciones_.insert(texto, d);
}

void TIBDatabase::Olvidar_Descripcion(const QByteArray& texto) {
  auto it = descripciones_.find(texto);
  if (it == descripciones_.end()) return;
  Soltar(*it);
  descripciones_.erase(it);
}

void TIBDatabase::Olvidar_Descripciones() {
  for (TDescripcion& d : descripciones_) Soltar(d);
  descripciones_.clear();
}

namespace {
// Statements kept at most; texts built with their values inside never repeat,
// and the table is emptied when it reaches this size.
constexpr int kMaxSentencias = 256;

void Liberar(Firebird::IStatement* s) {
  TEstado st;
  try {
    s->free(&st);  // releases the interface on success
  } catch (...) {
    s->release();
  }
}
}  // namespace

Firebird::IStatement* TIBDatabase::Tomar_Sentencia(const QByteArray& texto, Firebird::ITransaction* tra) {
  if (!attachment_) ibx::Error_Cliente(QStringLiteral("La base de datos no está conectada."));
  ibx::Trazar(texto.constData(), texto.size());
  auto it = sentencias_.find(texto);
  if (it != sentencias_.end()) {
    Firebird::IStatement* s = *it;
    sentencias_.erase(it);
    return s;
  }
  TEstado st;
  return attachment_->prepare(&st, tra, static_cast<unsigned>(texto.size()), texto.constData(), 3,
                              Firebird::IStatement::PREPARE_PREFETCH_METADATA);
}

void TIBDatabase::Devolver_Sentencia(const QByteArray& texto, Firebird::IStatement* sentencia, bool sirve,
                                     unsigned generacion) {
  if (!sentencia) return;
  if (!sirve || !attachment_ || generacion != generacion_ || sentencias_.contains(texto)) {
    Liberar(sentencia);
    return;
  }
  if (sentencias_.size() >= kMaxSentencias) Soltar_Sentencias();
  sentencias_.insert(texto, sentencia);
}

void TIBDatabase::Olvidar_Sentencias() {
  ++generacion_;  // statements in use now are freed when given back
  Soltar_Sentencias();
  Olvidar_Descripciones();
}

void TIBDatabase::Soltar_Sentencias() {
  for (Firebird::IStatement* s : std::as_const(sentencias_)) Liberar(s);
  sentencias_.clear();
}
