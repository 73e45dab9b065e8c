#pragma once
// The print document a printing program builds: initialise it, give it its
// format file, let it read the format (which tells the user what is wrong
// with a bad one), fill its variables, and hand it to TFormato.

#include "Clase_tbasedocumento.h"

class TAplicacion;

class TDocumento : public TBaseDocumento {
 public:
  // The boxes of Leer_Formato go through the host's application object;
  // without one nothing is shown.
  explicit TDocumento(TAplicacion* aplicacion = nullptr) : aplicacion_(aplicacion) {}

  // Makes the in-memory tables active and empty. Once, after creation.
  void Inicializar();

  // 0 when the format file is a document format; -7 no file set, -1 no such
  // file, -2 not a document format (no FORMAT/DOCUMENT). Only the valid flag
  // and the result field change on a failure.
  int Comprobar_Formato();
  // The check, its message box on a failure, and on success the page,
  // margins, bands, controls total and (label documents) the label sheet.
  int Leer_Formato();

  // Appends one variable; the same code set twice gives two rows.
  int Variable(int codigo, const QString& valor);
  // The value the engine prints for a code: the last one set. False when the
  // document does not carry the code.
  bool Valor(int codigo, QString* valor = nullptr) const;

  // The name of a document type, kept in the document as well.
  QString Nombre_Tipo(int tipo);
  static QString Nombre_De_Tipo(int tipo);

  const QString& Nombre_Tipo_Texto() const { return nombreTipoTexto_; }

 private:
  TAplicacion* aplicacion_;
  uint8_t marca_ = 0;
  QString nombreTipoTexto_;
};
