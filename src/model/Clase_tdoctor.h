#pragma once
// A doctor who prescribes or fits lenses: the one loaded or about to be
// created, with its town and observations, plus the list of doctors the lens
// screen offers. A plain object; its database work goes through the TBDDoctor
// and TBDDObservaciones it owns.

#include <QString>
#include <memory>
#include <vector>

#include "Clase_tbddobservaciones.h"
#include "Clase_tbddoctor.h"
#include "Clase_tlocalidad.h"

class TDoctor {
 public:
  // Result codes.
  static constexpr int kNoEncontrado = -5;
  static constexpr int kSinClave = -2900;
  static constexpr int kCodigoErroneo = -2912;
  static constexpr int kSinNombre = -2920;
  static constexpr int kNombreLargo = -2922;
  static constexpr int kErrorInsercion = -20020;

  // Built with the TBase arguments, which it passes to the objects it owns.
  TDoctor(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  void ID(int32_t v) { id_ = v; }
  void CODIGO(int32_t v) { codigo_ = v; }
  void NOMBRE(const QString& v) { nombre_ = v; }
  void APELLIDOS(const QString& v) { apellidos_ = v; }
  void PROPIA_AJENA(int32_t v) { propiaAjena_ = v; }

  // Town cleared, ID -1, the other numbers 0, every text empty.
  void Limpiar();

  // Load one doctor by ID or by CODIGO; `borrado` is the deleted filter of
  // TBDDoctor. 0 when found; -5 when not, with the object left as it was.
  // Buscar_Por_Id gives -2900 without a key.
  int Buscar_Por_Id(int borrado);
  int Buscar_Por_Codigo(int borrado);

  // Validates (-2912 code outside 0..99999, -2920 no first name, -2922 a
  // first name longer than the 50 characters of its column), inserts (-20020
  // when the database refuses the row), takes the new key as ID and stores
  // the observations row of the new doctor. 0 on success.
  [[nodiscard]] int Insertar();

  // Fills the list of doctors with the deleted filter; returns how many.
  int Cargar_Lista(int borrado);
  int Numero_Doctores() const { return static_cast<int>(lista_.size()); }
  const TEntradaDoctor& Doctor(int indice) const { return lista_.at(indice); }

  // The code proposed for a new doctor: one above the highest active code.
  int32_t Siguiente_Codigo();

  // The hint the lens screen shows for the loaded doctor (rebuilt each call).
  const QString& Texto_Doctor();

  int32_t ID() const { return id_; }
  int32_t CODIGO() const { return codigo_; }
  int32_t BORRADO() const { return borrado_; }
  int32_t PROPIA_AJENA() const { return propiaAjena_; }
  const QString& NOMBRE() const { return nombre_; }
  const QString& APELLIDOS() const { return apellidos_; }
  const QString& DIRECCION() const { return direccion_; }
  const QString& TELEFONO() const { return telefono_; }
  const QString& TELEFONO_MOVIL() const { return telefonoMovil_; }
  const QString& E_MAIL() const { return eMail_; }
  const QString& WEB() const { return web_; }
  const QString& NIF() const { return nif_; }
  const QString& COLEGIADO() const { return colegiado_; }
  const QString& OBSERVACIONES() const { return observaciones_; }
  TLocalidad& Localidad() { return *localidad_; }
  const TLocalidad& Localidad() const { return *localidad_; }

 private:
  int Cargar_Primero();
  void Poner_Fila(const TEntradaDoctor& e);

  std::unique_ptr<TLocalidad> localidad_;
  int32_t id_ = -1;
  int32_t codigo_ = 0, borrado_ = 0, propiaAjena_ = 0;
  QString nombre_, apellidos_, direccion_, telefono_, telefonoMovil_, eMail_, web_, nif_, colegiado_;
  QString observaciones_;
  QString texto_;
  std::vector<TEntradaDoctor> lista_;
  std::unique_ptr<TBDDoctor> bd_;
  std::unique_ptr<TBDDObservaciones> bdObservaciones_;
};
