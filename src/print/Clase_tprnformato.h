#pragma once
// An EPL/2 label format ([FORMATO] TIPO 134 to 138) as the format search
// describes it.

#include "Clase_tbaseprnformato.h"

class TPRNFormato : public TBasePRNFormato {
 public:
  static constexpr int kNoValido = -2;

  // 0 for a label format of a known type, with its paper and components
  // total read (absent values are -1); -2 for anything else (no file, no
  // type, a type outside 134-138).
  int Leer(const QString& fichero);

  int Tipo() const { return tipo_; }
  const QString& Nombre_Tipo() const { return nombreTipo_; }
  static QString Nombre_De_Tipo(int tipo);
  const TPRNPapel& Papel() const { return papel_; }
  int Total_Componentes() const { return totalComponentes_; }
  int Rotar() const { return rotar_; }

 private:
  uint8_t marca_ = 0;
  QString nombreTipo_;
  int tipo_ = -1;
  int rotar_ = 0;
  int totalComponentes_ = -1;
};
