#pragma once
// Values moving between the components and Firebird messages: the typed value
// of a parameter or field, the description of a message's columns, reading a
// column out of a row, and building the input message of a statement.

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

#include "Ibx_error.h"

enum class TTipoValor { Nulo, Entero, Real, Texto, FechaHora };

// A typed value with the conversions the application's code relies on:
// AsInteger, AsFloat, AsString (numbers with the decimal comma, dates as
// "dd/mm/yyyy"), AsDateTime (day count); NULL reads as 0 or the empty text.
class TValor {
 public:
  TTipoValor Tipo() const { return tipo_; }
  bool IsNull() const { return tipo_ == TTipoValor::Nulo; }

  int AsInteger() const;
  qint64 AsInt64() const;
  double AsFloat() const;
  QString AsString() const;
  double AsDateTime() const;

  void Poner_Nulo();
  void Poner_Entero(qint64 v);
  void Poner_Real(double v);
  void Poner_Texto(const QString& v);
  void Poner_FechaHora(double v);

 private:
  TTipoValor tipo_ = TTipoValor::Nulo;
  qint64 entero_ = 0;
  double real_ = 0;
  QString texto_;
};

// A named parameter of a query or stored procedure. Setting a value replaces
// the previous one; Clear makes it NULL. AsMemo writes a text blob (any text
// goes into a blob column as a blob).
class TParam : public TValor {
 public:
  explicit TParam(QString nombre = {}) : nombre_(std::move(nombre)) {}
  const QString& Name() const { return nombre_; }

  TParam& AsInteger(qint64 v) { Poner_Entero(v); return *this; }
  TParam& AsFloat(double v) { Poner_Real(v); return *this; }
  TParam& AsString(const QString& v) { Poner_Texto(v); return *this; }
  TParam& AsMemo(const QString& v) { Poner_Texto(v); return *this; }
  TParam& AsDateTime(double v) { Poner_FechaHora(v); return *this; }
  TParam& Clear() { Poner_Nulo(); return *this; }

  using TValor::AsDateTime;
  using TValor::AsFloat;
  using TValor::AsInteger;
  using TValor::AsString;
  void Asignar(const TValor& v) { static_cast<TValor&>(*this) = v; }

 private:
  QString nombre_;
};

// Finds a parameter or field by name without regard to case. Names are kept
// upper-cased; the usual upper-case spelling is found without conversion.
class TIndiceNombres {
 public:
  void Limpiar() { indice_.clear(); }
  void Anadir(const QString& nombre, int posicion) { indice_.insert(nombre.toUpper(), posicion); }
  int Buscar(const QString& nombre) const {
    auto it = indice_.constFind(nombre);
    if (it != indice_.constEnd()) return *it;
    return indice_.value(nombre.toUpper(), -1);
  }

 private:
  QHash<QString, int> indice_;
};

// One column of a Firebird message as described by the statement.
struct TColumna {
  QString nombre;
  unsigned tipo = 0;  // SQL_xxx without the nullable bit
  int subtipo = 0;
  int escala = 0;
  unsigned longitud = 0;
  unsigned charset = 0;
  unsigned offset = 0;
  unsigned offsetNulo = 0;
};

std::vector<TColumna> Describir(Firebird::IMessageMetadata* meta);

// Reads a column from a message buffer. `blob` is the text already read for a
// blob column (blobs are read when the row is fetched).
TValor Leer_Columna(const TColumna& col, const unsigned char* fila, const QString* blob);

// Reads the whole text of a blob.
QString Leer_Blob(Firebird::IAttachment* att, Firebird::ITransaction* tra, const ISC_QUAD& id);

// The input message of a prepared statement. Each parameter is sent with the
// type of its value and Firebird converts it to the declared one, so an
// integer can go into a DOUBLE column and a text into a DATE. The metadata is
// rebuilt only when the shape of the values changes.
class TMensajeEntrada {
 public:
  TMensajeEntrada() = default;
  ~TMensajeEntrada();
  TMensajeEntrada(const TMensajeEntrada&) = delete;
  TMensajeEntrada& operator=(const TMensajeEntrada&) = delete;

  // `descrita` is the statement's input metadata; `valores[i]` the value of
  // the i-th "?". The metadata built for one statement is kept for the next
  // one whose parameters have the same shape, so a statement prepared again
  // and again with the same kind of values builds it once.
  void Preparar(Firebird::IMessageMetadata* descrita, Firebird::IAttachment* att,
                Firebird::ITransaction* tra, const std::vector<const TValor*>& valores);
  void Liberar();

  Firebird::IMessageMetadata* Metadatos() const { return meta_; }
  unsigned char* Datos() { return buffer_.empty() ? nullptr : buffer_.data(); }

 private:
  struct Forma {
    unsigned tipo;
    unsigned longitud;
    int subtipo;
    unsigned charset;
    int escala;
    bool operator==(const Forma&) const = default;
  };
  Firebird::IMessageMetadata* meta_ = nullptr;
  std::vector<Forma> forma_, formaNueva_;
  std::vector<QByteArray> textos_;
  std::vector<unsigned> offsets_, offsetsNulo_;
  std::vector<unsigned char> buffer_;
};
