#pragma once
// A connection to one Firebird database. A plain file path runs the engine
// embedded in this process; "host[/port]:path" (or an alias) reaches a server
// with the user name and password given. Text travels as UTF8 both ways.

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>

#include "Ibx_error.h"
#include "Ibx_transaction.h"

// What a stored procedure takes and gives, read once from the database.
struct TInfoProcedimiento {
  QStringList entradas;
  QStringList salidas;
  QByteArray sentencia;  // "EXECUTE PROCEDURE NAME(?, ?)"
};

// What the engine says of a prepared statement: its kind and its input and
// output messages (null when it has none). Holds a reference to each message.
struct TDescripcion {
  unsigned tipo = 0;
  Firebird::IMessageMetadata* entrada = nullptr;
  Firebird::IMessageMetadata* salida = nullptr;
};

class TUnidadTrabajo;

class TIBDatabase {
 public:
  TIBDatabase() = default;
  ~TIBDatabase();
  TIBDatabase(const TIBDatabase&) = delete;
  TIBDatabase& operator=(const TIBDatabase&) = delete;

  QString DatabaseName;
  QString UserName;
  QString Password;
  QString Role;

  void Open();
  void Close();
  bool Connected() const { return attachment_ != nullptr; }

  // Creates the database file (UTF8, dialect 3) and leaves it connected.
  // Forced writes stay on unless asked otherwise (scratch databases of tests).
  void CreateDatabase(int pageSize = 8192, bool escrituraForzada = true);
  // Drops the connected database (its file is removed).
  void DropDatabase();

  Firebird::IAttachment* Handle() const { return attachment_; }

  // Parameter names of a stored procedure, looked up once per connection.
  const TInfoProcedimiento& Info_Procedimiento(const QString& nombre, Firebird::ITransaction* tra);

  // The description of a statement just prepared from `texto`. Describing a
  // message costs the engine about a third of the prepare itself, and the
  // classes prepare the same texts over and over, so each text is described
  // once per connection. The messages are only formats: the engine converts
  // between them and the statement's own, so a table changed meanwhile gives
  // an error on execution (never a misread row), after which the caller
  // forgets the text and the next prepare describes it again.
  const TDescripcion& Describir_Sentencia(const QByteArray& texto, Firebird::IStatement* sentencia,
                                          bool conEntrada);
  void Olvidar_Descripcion(const QByteArray& texto);

  // A statement prepared from `texto`, for the caller alone until it gives it
  // back: the one kept from an earlier use of the text when there is one,
  // otherwise prepared now in `tra`. Over a server each prepare is a round
  // trip, and the classes run the same few texts again and again, so a
  // statement given back is kept (one per text) while the connection lasts.
  Firebird::IStatement* Tomar_Sentencia(const QByteArray& texto, Firebird::ITransaction* tra);
  // Gives back a statement taken with Tomar_Sentencia on this connection.
  // One that failed (`sirve` false: a table may have changed under it) is
  // freed instead of kept, and so is one taken before the connection was
  // closed and opened again or that has forgotten its statements since
  // (`generacion` is Generacion() when taken).
  void Devolver_Sentencia(const QByteArray& texto, Firebird::IStatement* sentencia, bool sirve,
                          unsigned generacion);
  // Forgets every kept statement and description. A statement keeps the
  // tables and procedures as they were when it was prepared, so a change of
  // the schema (by this connection or another) reaches this one when it next
  // forgets: the screen does so each time it opens.
  void Olvidar_Sentencias();
  // The transaction the classes read in while no unit of work is open: read
  // only and read committed, so each statement sees what is committed when it
  // runs, exactly as a transaction of its own would. Firebird starts such a
  // transaction already committed, so keeping it open holds nothing back on
  // the server; it is started on the first read and lasts until the
  // connection closes, and a read costs no start and no commit (two round
  // trips over a server each).
  TIBTransaction& Transaccion_Lectura();

  // Changes each time the connection is opened or forgets its statements.
  unsigned Generacion() const { return generacion_; }

 private:
  // The unit of work open on this connection registers itself here.
  friend class TUnidadTrabajo;

  std::string Parametros_Conexion(bool crear, int pageSize, bool escrituraForzada) const;

  void Olvidar_Descripciones();
  void Soltar_Sentencias();
  void Terminar_Lectura();

  Firebird::IAttachment* attachment_ = nullptr;
  unsigned generacion_ = 0;
  QHash<QByteArray, Firebird::IStatement*> sentencias_;
  QHash<QString, TInfoProcedimiento> procedimientos_;
  QHash<QByteArray, TDescripcion> descripciones_;
  TUnidadTrabajo* unidad_ = nullptr;
  std::unique_ptr<TIBTransaction> lectura_;
};
