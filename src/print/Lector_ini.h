#pragma once
// Reader of the print formats (*.prn): an initialisation file of [SECTION]
// headings and KEY=VALUE lines. Sections and keys are matched without regard
// to case; blanks around names and values are dropped; lines starting with
// ';' or '#' are comments; a value in double quotes keeps the blanks
// inside them. Each value remembers the line it came from, so
// that whoever finds a value wrong can say where it is.
//
// The reader keeps values exactly as written: a comma or a backslash in a
// text is part of the text (the shop's addresses have commas).

#include <QHash>
#include <QString>
#include <QStringList>

class TLectorIni {
 public:
  // Reads the file; false when it cannot be opened. A file read before is
  // forgotten first.
  bool Abrir(const QString& ruta);
  // The same from text already in memory (a format being edited).
  void Leer_Texto(const QString& texto);

  const QString& Ruta() const { return ruta_; }
  bool Abierto() const { return abierto_; }

  bool Hay_Seccion(const QString& seccion) const;
  bool Hay_Clave(const QString& seccion, const QString& clave) const;
  // Line (from 1) of a key, or of a section heading; 0 when absent.
  int Linea(const QString& seccion, const QString& clave = QString()) const;

  QString Texto(const QString& seccion, const QString& clave, const QString& defecto = QString()) const;
  // A number that is absent or not a number reads as the default. Numbers
  // take the point or the comma as decimal mark.
  int Entero(const QString& seccion, const QString& clave, int defecto) const;
  double Real(const QString& seccion, const QString& clave, double defecto) const;
  // Whether the value of a present key reads as a number at all.
  bool Es_Numero(const QString& seccion, const QString& clave) const;

 private:
  struct TValor {
    QString texto;
    int linea = 0;
  };
  static QString Llave(const QString& seccion, const QString& clave) {
    return seccion.trimmed().toUpper() + QLatin1Char('\n') + clave.trimmed().toUpper();
  }
  const TValor* Buscar(const QString& seccion, const QString& clave) const;

  QString ruta_;
  bool abierto_ = false;
  QHash<QString, TValor> valores_;   // "SECTION\nKEY"
  QHash<QString, int> secciones_;    // "SECTION" and the line of its heading
};
