#pragma once
// A stored procedure called by name. Its input and output parameters are
// found from the database (once per connection); inputs are set and outputs
// read through ParamByName. Inputs left unset go as NULL.

#include <QString>
#include <vector>

#include "Ibx_values.h"

class TIBDatabase;
class TIBTransaction;

class TIBStoredProc {
 public:
  TIBStoredProc() = default;
  ~TIBStoredProc();
  TIBStoredProc(const TIBStoredProc&) = delete;
  TIBStoredProc& operator=(const TIBStoredProc&) = delete;

  TIBDatabase* Database = nullptr;  // when unset, the transaction's database
  TIBTransaction* Transaction = nullptr;

  const QString& StoredProcName() const { return nombre_; }
  void SetStoredProcName(const QString& nombre);

  TParam& ParamByName(const QString& nombre);
  // The parameter, or null when the procedure has none of that name.
  TParam* FindParam(const QString& nombre);
  int ParamCount();

  void Prepare();
  void Unprepare();
  bool Prepared() const { return statement_ != nullptr; }
  void ExecProc();
  // Rows the last call gave: 1 when the procedure returned its outputs.
  int RecordCount() const { return registros_; }

 private:
  TIBDatabase* Base() const;
  Firebird::ITransaction* Transaccion_Activa();
  void Cargar_Parametros();

  QString nombre_;
  bool parametrosCargados_ = false;
  int numEntradas_ = 0;
  std::vector<TParam> params_;  // inputs first, then outputs
  TIndiceNombres indice_;

  Firebird::IStatement* statement_ = nullptr;
  TIBDatabase* baseSentencia_ = nullptr;  // the connection the statement was taken from
  unsigned generacionSentencia_ = 0;
  QByteArray textoSentencia_;
  bool sentenciaSirve_ = true;  // false after a failure: freed, not given back
  Firebird::IMessageMetadata* metaEntrada_ = nullptr;
  Firebird::IMessageMetadata* metaSalida_ = nullptr;
  std::vector<TColumna> salidas_;
  std::vector<unsigned char> bufferSalida_;
  TMensajeEntrada entrada_;
  int registros_ = 0;
};
