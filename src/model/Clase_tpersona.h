#pragma once
// The common base of the people of the system (patients, agents, suppliers):
// key, code, names, address, tax number, telephones, e-mail, web, town and
// observations. Each setter stores only a changed value.

#include <QString>
#include <QStringList>
#include <memory>

#include "Clase_tbase.h"
#include "Clase_tlocalidad.h"

class TPersona : public TBase {
 public:
  TPersona(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  virtual void Limpiar();

  void BORRADO(int32_t v) { borrado_ = v; }
  void ID(double v) { if (v != id_) id_ = v; }
  void CODIGO(double v) { if (v != codigo_) codigo_ = v; }
  void ID_OBSERVACIONES(double v) { if (v != idObservaciones_) idObservaciones_ = v; }
  void NOMBRE(const QString& v) { if (v != nombre_) nombre_ = v; }
  void APELLIDOS(const QString& v) { if (v != apellidos_) apellidos_ = v; }
  void DIRECCION(const QString& v) { if (v != direccion_) direccion_ = v; }
  void NIF(const QString& v) { if (v != nif_) nif_ = v; }
  void TELEFONO(const QString& v) { if (v != telefono_) telefono_ = v; }
  void TELEFONO_MOVIL(const QString& v) { if (v != movil_) movil_ = v; }
  void EMAIL(const QString& v) { if (v != email_) email_ = v; }
  void WEB(const QString& v) { if (v != web_) web_ = v; }

  int32_t BORRADO() const { return borrado_; }
  double ID() const { return id_; }
  double CODIGO() const { return codigo_; }
  double ID_OBSERVACIONES() const { return idObservaciones_; }
  const QString& NOMBRE() const { return nombre_; }
  const QString& APELLIDOS() const { return apellidos_; }
  const QString& DIRECCION() const { return direccion_; }
  const QString& NIF() const { return nif_; }
  const QString& TELEFONO() const { return telefono_; }
  const QString& TELEFONO_MOVIL() const { return movil_; }
  const QString& EMAIL() const { return email_; }
  const QString& WEB() const { return web_; }
  int32_t Estado() const { return estado_; }

  TLocalidad& Localidad() { return *localidad_; }
  const TLocalidad& Localidad() const { return *localidad_; }
  QStringList& Observaciones() { return observaciones_; }
  const QStringList& Observaciones() const { return observaciones_; }

 protected:
  int32_t estado_ = 0;

 private:
  std::unique_ptr<TLocalidad> localidad_;
  QStringList observaciones_;
  int32_t borrado_ = 0;
  double id_ = -1, codigo_ = -1, idObservaciones_ = -1;
  QString nombre_, apellidos_, direccion_, nif_, telefono_, movil_, email_, web_;
};
