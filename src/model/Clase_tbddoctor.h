#pragma once
// Database access of the doctors (table DOCTOR). The statements are built
// here rather than taken from the catalogue; every row a query reads is kept,
// in the order the database gives it, until the next query.

#include <QString>
#include <functional>
#include <vector>

#include "Clase_tbase.h"

// One doctor as read from DOCTOR; also the values of an insert.
struct TEntradaDoctor {
  int32_t id_doctor = -1;
  int32_t id_localidad = -1;
  int32_t codigo = 0;
  int32_t borrado = 0;
  int32_t propia_ajena = 0;  // 0 own prescription, 1 of another, 2 not stated
  QString nombre, apellidos, direccion, telefono, telefono_movil, e_mail, web, nif, colegiado;
};

// What a doctor's card shows besides the doctor's row: the town with its
// province and the observations, read with it.
struct TEntornoDoctor {
  bool hayLocalidad = false;
  int32_t idProvincia = -1;
  int32_t codigoPostal = 0;
  QString localidad;
  bool hayProvincia = false;
  int32_t codigoProvincia = 0;
  QString provincia;
  QString observaciones;
};

class TBDDoctor : public TBase {
 public:
  using TBase::TBase;

  // The deleted filter of every lookup: 0 active doctors only, 1 deleted
  // ones only, any other value all of them.
  //
  // Mode 0 by key, 1 by code. Returns the number of rows read.
  int Buscar(int modo, int borrado, int valor);
  // The doctor of key `id` with its town, province and observations in one
  // statement (over a server each lookup is a round trip). Returns the rows
  // read (0 or 1); `entorno` is filled when one was.
  int Buscar_Completo(int borrado, int id, TEntornoDoctor& entorno);
  // Every doctor but the placeholder row 0. Returns the number of rows read.
  int Cargar_Lista(int borrado);
  // Inserts `Datos()`; the key the database gave it is then `Id_Insertado()`.
  // 0 on success, otherwise the code of TBase::Ejecutar (the key is -1).
  [[nodiscard]] int Insertar();
  // Highest code among the active doctors; 0 when there is none.
  int Maximo_Codigo();

  const std::vector<TEntradaDoctor>& Lista() const { return lista_; }
  TEntradaDoctor& Datos() { return datos_; }
  int32_t Id_Insertado() const { return idInsertado_; }

 private:
  // `primera`, when given, also reads what else the first row holds.
  int Leer_Filas(TSentencia& s, const std::function<void(TSentencia&)>& primera = {});

  std::vector<TEntradaDoctor> lista_;
  TEntradaDoctor datos_;
  int32_t idInsertado_ = -1;
};
