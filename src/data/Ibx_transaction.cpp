#include "Ibx_transaction.h"

#include <ibase.h>

#include "Ibx_database.h"

namespace {
struct TParametroTpb {
  const char* nombre;
  unsigned char codigo;
};

// Every parameter line Firebird's transaction block knows.
constexpr TParametroTpb kParametros[] = {
    {"consistency", isc_tpb_consistency},
    {"concurrency", isc_tpb_concurrency},
    {"shared", isc_tpb_shared},
    {"protected", isc_tpb_protected},
    {"exclusive", isc_tpb_exclusive},
    {"wait", isc_tpb_wait},
    {"nowait", isc_tpb_nowait},
    {"read", isc_tpb_read},
    {"write", isc_tpb_write},
    {"lock_read", isc_tpb_lock_read},
    {"lock_write", isc_tpb_lock_write},
    {"verb_time", isc_tpb_verb_time},
    {"commit_time", isc_tpb_commit_time},
    {"ignore_limbo", isc_tpb_ignore_limbo},
    {"read_committed", isc_tpb_read_committed},
    {"autocommit", isc_tpb_autocommit},
    {"rec_version", isc_tpb_rec_version},
    {"no_rec_version", isc_tpb_no_rec_version},
    {"restart_requests", isc_tpb_restart_requests},
    {"no_auto_undo", isc_tpb_no_auto_undo},
    {"lock_timeout", isc_tpb_lock_timeout},
};

[[noreturn]] void Parametro_Erroneo(const QString& linea) {
  throw EIBError(isc_bad_tpb_form, -104,
                 QStringLiteral("Parámetro de transacción desconocido: \"%1\"").arg(linea),
                 {isc_bad_tpb_form});
}
}  // namespace

TIBTransaction::~TIBTransaction() {
  if (!handle_) return;
  try {
    Rollback();
  } catch (...) {
    // Nothing more can be done for a transaction that cannot roll back.
  }
}

std::string TIBTransaction::Bloque_Parametros(const QStringList& lineas) {
  std::string tpb;
  tpb.push_back(static_cast<char>(isc_tpb_version3));
  for (const QString& bruta : lineas) {
    const QString linea = bruta.trimmed();
    if (linea.isEmpty()) continue;
    const int igual = linea.indexOf(QLatin1Char('='));
    QString nombre = (igual < 0 ? linea : linea.left(igual)).trimmed().toLower();
    if (nombre.startsWith(QLatin1String("isc_tpb_"))) nombre = nombre.mid(8);
    const QString valor = igual < 0 ? QString() : linea.mid(igual + 1).trimmed();
    const TParametroTpb* p = nullptr;
    for (const auto& c : kParametros)
      if (nombre == QLatin1String(c.nombre)) p = &c;
    if (!p) Parametro_Erroneo(linea);
    tpb.push_back(static_cast<char>(p->codigo));
    if (p->codigo == isc_tpb_lock_read || p->codigo == isc_tpb_lock_write) {
      const QByteArray tabla = valor.toUpper().toUtf8();
      if (tabla.isEmpty() || tabla.size() > 255) Parametro_Erroneo(linea);
      tpb.push_back(static_cast<char>(tabla.size()));
      tpb.append(tabla.constData(), tabla.size());
    } else if (p->codigo == isc_tpb_lock_timeout) {
      bool ok = false;
      const uint segundos = valor.toUInt(&ok);
      if (!ok) Parametro_Erroneo(linea);
      tpb.push_back(4);
      for (int i = 0; i < 4; ++i) tpb.push_back(static_cast<char>((segundos >> (8 * i)) & 0xFF));
    } else if (igual >= 0) {
      Parametro_Erroneo(linea);
    }
  }
  return tpb;
}

void TIBTransaction::StartTransaction() {
  if (handle_) ibx::Error_Cliente(QStringLiteral("La transacción ya está activa."));
  if (!DefaultDatabase || !DefaultDatabase->Connected())
    ibx::Error_Cliente(QStringLiteral("La transacción no tiene una base de datos conectada."));
  if (bloque_.empty() || Params != paramsBloque_) {
    bloque_ = Bloque_Parametros(Params);
    paramsBloque_ = Params;
  }
  TEstado st;
  ibx::Trazar("-- start transaction", 20);
  handle_ = DefaultDatabase->Handle()->startTransaction(
      &st, static_cast<unsigned>(bloque_.size()), reinterpret_cast<const unsigned char*>(bloque_.data()));
}

void TIBTransaction::Commit() {
  if (!handle_) ibx::Error_Cliente(QStringLiteral("La transacción no está activa."));
  TEstado st;
  ibx::Trazar("-- commit", 9);
  handle_->commit(&st);  // releases the interface on success
  handle_ = nullptr;
}

void TIBTransaction::CommitRetaining() {
  if (!handle_) ibx::Error_Cliente(QStringLiteral("La transacción no está activa."));
  TEstado st;
  handle_->commitRetaining(&st);
}

void TIBTransaction::Rollback() {
  if (!handle_) ibx::Error_Cliente(QStringLiteral("La transacción no está activa."));
  TEstado st;
  Firebird::ITransaction* t = handle_;
  handle_ = nullptr;
  ibx::Trazar("-- rollback", 11);
  try {
    t->rollback(&st);
  } catch (...) {
    t->release();
    throw;
  }
}
