#pragma once
// Turns ":NAME" parameters into Firebird's positional "?" markers. Names are
// matched without regard to case, one name may appear several times, and a
// colon inside a string literal, a quoted identifier or a comment is left alone.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

struct TSqlTraducida {
  QByteArray texto;             // UTF8, with "?" in place of each parameter
  QStringList nombres;          // distinct names, first spelling, in order of appearance
  std::vector<int> posiciones;  // for each "?", the index of its name in `nombres`
};

TSqlTraducida Traducir_Parametros(const QString& sql);
// An EXECUTE BLOCK: its parameters are its header's inputs alone.
bool Es_Bloque(const QString& sql);

// To run a parameterised statement inside an EXECUTE BLOCK (several
// statements, one round trip): the header inputs for its parameters, one per
// distinct name (:NAME), typed as the column NAME of `tabla` and called NAME
// followed by `sufijo`, "NAME_0 TYPE OF COLUMN T.NAME = :NAME_0"; the
// statement's own references are renamed likewise in `sentencia`. Names in
// `comunes` are neither renamed nor declared: the block declares them once.
QStringList Entradas_Bloque(QString& sentencia, const QString& tabla, const QString& sufijo = {},
                            const QStringList& comunes = {});
