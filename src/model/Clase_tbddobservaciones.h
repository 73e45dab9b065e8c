#pragma once
// The doctors' observations (table DOBSERVACIONES, one row per doctor at most).

#include <QString>

#include "Clase_tbase.h"

class TBDDObservaciones : public TBase {
 public:
  TBDDObservaciones(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  void Limpiar();
  void Id_Doctor(int32_t id) { idDoctor_ = id; }
  void Observaciones(const QString& texto) { observaciones_ = texto; }

  // Mode 0 by its own key, 1 by doctor. 1 when the query ran (the row, if
  // any, gives the two keys and the text), 0 when it failed.
  int Buscar(int modo, int valor);
  // Inserts the row for the held doctor; the new key comes from
  // ID_DOBSERVACIONES. 0 on success; otherwise the key is -1.
  [[nodiscard]] int Insertar();

  int32_t Id_DObservaciones() const { return id_; }
  int32_t Id_Doctor() const { return idDoctor_; }
  const QString& Observaciones() const { return observaciones_; }

 private:
  int32_t id_ = -1;
  int32_t idDoctor_ = -1;
  QString observaciones_;
};
