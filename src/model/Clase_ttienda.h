#pragma once
// A shop of the company (table TIENDA) with its town.

#include <QString>
#include <memory>

#include "Clase_tbase.h"
#include "Clase_tlocalidad.h"

// The shop's fields; each setter stores only a changed value.
class TBaseTienda : public TBase {
 public:
  TBaseTienda(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  void ID_TIENDA(int32_t v) { if (v != id_) id_ = v; }
  void CODIGO(int32_t v) { if (v != codigo_) codigo_ = v; }
  void DESCRIPCION(const QString& v) { if (v != descripcion_) descripcion_ = v; }
  void DIRECCION(const QString& v) { if (v != direccion_) direccion_ = v; }
  int32_t ID_TIENDA() const { return id_; }
  int32_t CODIGO() const { return codigo_; }
  const QString& DESCRIPCION() const { return descripcion_; }
  const QString& DIRECCION() const { return direccion_; }
  TLocalidad& Localidad() { return *localidad_; }
  int16_t Resultado() const { return resultado_; }

  void Limpiar();

 protected:
  int16_t resultado_ = 0;

 private:
  int32_t id_ = -1, codigo_ = 0;
  QString descripcion_, direccion_;
  std::unique_ptr<TLocalidad> localidad_;
};

class TTienda : public TBaseTienda {
 public:
  using TBaseTienda::TBaseTienda;
  // Loads the shop of the held key: 0, or -5 with the fields cleared.
  int Buscar();
};
