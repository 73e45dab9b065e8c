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
