#pragma once
// The SMS settings of the workstation, kept in the user's settings
// (organisation "Miravel", application "3.0"): the provider, the proxy and
// the account of provider 1, "Mensario". Another part of the shop writes
// them; this module reads them, and writes the defaults of what is missing.
// Texts are kept scrambled (TSeguridad, mode 8), except the service host.
//
//   SMS        Proveedor (integer), Servidor (text), Puerto (integer)
//   SMS/Proxy  PARAM_1 use the proxy (boolean), PARAM_2 address,
//              PARAM_3, PARAM_4 (texts), PARAM_5 port (integer)
//   SMS/P1     PARAM_1 .. PARAM_5 (texts); the first three are the login
//
// Servidor and Puerto are the gateway's service host and port, which the
// shop's installer sets; without them the gateway refuses the login.

#include <QString>

#include "Clase_tseguridad.h"

struct st_sms_configuracion {
  int proveedor = 0;
  QString servidor;
  int puerto = 0;
  QString p1[5];  // account parameters of provider 1
};

struct st_sms_configuracion_proxy {
  bool usar = false;
  QString direccion;
  QString parametro3, parametro4;
  int puerto = 0;
};

class TCfgSMS {
 public:
  TCfgSMS();

  void Poner_Defecto();
  // Writes the default of every value that is missing; values already there
  // are kept. The settings file is its owner's alone (mode 0600).
  void Escribir_Defecto();
  // 0 when the three groups are there; otherwise -1, with the missing values
  // written and the settings in memory at their defaults.
  int Leer();

  int Proveedor() const { return cfg_.proveedor; }
  const QString& Servidor() const { return cfg_.servidor; }
  int Puerto() const { return cfg_.puerto; }
  // Account parameter 1 to 5 of provider 1.
  const QString& Parametro(int n) const { return cfg_.p1[n - 1]; }
  const st_sms_configuracion_proxy& Proxy() const { return proxy_; }

  TSeguridad& Seguridad() { return seguridad_; }

  // Where the settings live, for the one who writes them.
  static QString Fichero();

 private:
  st_sms_configuracion cfg_;
  st_sms_configuracion_proxy proxy_;
  TSeguridad seguridad_;
};
