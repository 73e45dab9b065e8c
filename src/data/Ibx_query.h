#pragma once
// A query with ":NAME" parameters. Open runs a SELECT and keeps every row in
// memory (a buffered dataset: First, Last, Next, Prior, Eof, Bof,
// RecordCount, FieldByName); ExecSQL runs any other statement and gives the
// rows it affected.

#include <QString>
#include <QStringList>
#include <vector>

#include "Ibx_sql.h"
#include "Ibx_values.h"

class TIBDatabase;
class TIBTransaction;

// The statement text as lines, as the application's code builds it.
class TStrings {
 public:
  void Clear() { lineas_.clear(); ++version_; }
  void Add(const QString& linea) { lineas_.append(linea); ++version_; }
  void SetText(const QString& texto) { lineas_ = QStringList{texto}; ++version_; }
  QString Text() const { return lineas_.join(QLatin1Char('\n')); }
  int Count() const { return static_cast<int>(lineas_.size()); }
  bool IsEmpty() const { return lineas_.isEmpty(); }
  unsigned Version() const { return version_; }

 private:
  QStringList lineas_;
  unsigned version_ = 0;
};

// A field of the current row; a copy of the value, valid after the query moves.
class TField : public TValor {
 public:
  TField(const QString& nombre, TValor v) : TValor(std::move(v)), nombre_(nombre) {}
  const QString& FieldName() const { return nombre_; }

 private:
  QString nombre_;
};

class TIBQuery {
 public:
  TIBQuery() = default;
  ~TIBQuery();
  TIBQuery(const TIBQuery&) = delete;
  TIBQuery& operator=(const TIBQuery&) = delete;

  TIBDatabase* Database = nullptr;
  TIBTransaction* Transaction = nullptr;
  TStrings SQL;

  TParam& ParamByName(const QString& nombre);
  int ParamCount();

  void Prepare();
  void Unprepare();
  bool Prepared() const { return statement_ != nullptr; }

  void Open();
  void Close();
  bool Active() const { return activa_; }
  void ExecSQL();
  qint64 RowsAffected();

  void First();
  void Last();
  void Next();
  void Prior();
  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }
  bool IsEmpty() const { return numFilas_ == 0; }
  int RecordCount() const { return static_cast<int>(numFilas_); }
  int RecNo() const { return static_cast<int>(actual_); }

  int FieldCount() const { return static_cast<int>(columnas_.size()); }
  TField Fields(int indice) const;
  TField FieldByName(const QString& nombre) const;
  int FieldIndex(const QString& nombre) const;  // -1 when there is no such field

 private:
  void Traducir();
  TIBDatabase* Base() const;
  Firebird::IAttachment* Conexion() const;
  void Olvidar_Descripcion();
  Firebird::ITransaction* Transaccion_Activa();
  std::vector<const TValor*> Valores_Posicionales() const;
  void Leer_Fila(Firebird::ITransaction* tra, const unsigned char* fila);

  unsigned versionTraducida_ = ~0u;
  TSqlTraducida traducida_;
  std::vector<TParam> params_;
  TIndiceNombres indiceParams_, indiceCampos_;

  Firebird::IStatement* statement_ = nullptr;
  TIBDatabase* baseSentencia_ = nullptr;  // the connection the statement was taken from
  unsigned generacionSentencia_ = 0;
  bool sentenciaSirve_ = true;  // false after a failure: freed, not given back
  unsigned tipoSentencia_ = 0;
  Firebird::IMessageMetadata* metaEntrada_ = nullptr;
  Firebird::IMessageMetadata* metaSalida_ = nullptr;
  std::vector<TColumna> columnas_;
  std::vector<int> columnasBlob_;  // index into columnas_ of every blob column
  unsigned longitudFila_ = 0;
  TMensajeEntrada entrada_;

  bool activa_ = false;
  std::vector<unsigned char> filas_;  // numFilas_ rows of longitudFila_ bytes
  std::vector<QString> blobs_;        // numFilas_ x columnasBlob_.size()
  size_t numFilas_ = 0;
  size_t actual_ = 0;
  bool eof_ = true;
  bool bof_ = true;
  qint64 filasAfectadas_ = 0;
  bool filasPendientes_ = false;  // asked of Firebird only when wanted
};
