#pragma once
// A Firebird transaction whose parameters are given as text lines, as the
// application writes them: "read_committed", "rec_version", "nowait", ...
// An uncommitted transaction is rolled back when the object goes away; commit
// is always an explicit call.

#include <QStringList>
#include <string>

#include "Ibx_error.h"

class TIBDatabase;

class TIBTransaction {
 public:
  TIBTransaction() = default;
  ~TIBTransaction();
  TIBTransaction(const TIBTransaction&) = delete;
  TIBTransaction& operator=(const TIBTransaction&) = delete;

  TIBDatabase* DefaultDatabase = nullptr;
  QStringList Params;

  void StartTransaction();
  void Commit();
  void CommitRetaining();
  void Rollback();
  bool InTransaction() const { return handle_ != nullptr; }
  bool Active() const { return InTransaction(); }

  Firebird::ITransaction* Handle() const { return handle_; }

  // Translates the parameter lines into a transaction parameter block; an
  // unknown line is an error (Firebird's isc_bad_tpb_form).
  static std::string Bloque_Parametros(const QStringList& lineas);

 private:
  Firebird::ITransaction* handle_ = nullptr;
  QStringList paramsBloque_;
  std::string bloque_;
};
