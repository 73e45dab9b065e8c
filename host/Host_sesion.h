#pragma once
// What the host program sets up before it calls a module: the database
// connections, the workstation, company and user records read from the
// database and the host's settings, the shared service objects, and the
// patient selection.

#include <QString>
#include <memory>

#include "Clase_tbdacceso.h"
#include "Clase_tlocalidad.h"
#include "Clase_tmoneda.h"
#include "Clase_tctrlteclado.h"
#include "Contexto_host.h"
#include "Host_mensajes.h"
#include "Ibx_database.h"
#include "Ibx_transaction.h"

struct TConfiguracionHost {
  QString baseDatos;        // file path (embedded) or host[/port]:path (server)
  QString usuarioBD;        // user and password for a server; empty when embedded
  QString claveBD;
  // The role a server connection carries (a workstation user's rights come
  // with it); by default the shop's role whenever a server user is given.
  QString rolBD;
  QString carpetaModulos;
  QString carpetaFormatos;
  // Where a workstation without a screen gets its prints as PDF files (empty:
  // prints go to a preview or the printer).
  QString carpetaPdf;
  int idUsuario = 1;
  int idTienda = 1;
  // The database is the default one (no setting, no option named it): only
  // then, or with the demo, may a missing file be created.
  bool baseDatosPorDefecto = true;
  // The modules and formats folders were named (not the defaults): they must exist.
  bool modulosIndicados = false, formatosIndicados = false;
  // The settings file, and whether it could not be read as settings.
  QString ficheroAjustes;
  bool ajustesDanados = false;

  // Settings of the host (QSettings "Miravel"/"optica-host"), with defaults:
  // an embedded database in the user's data folder and the modules and
  // formats folders the program ships (lib/optica/modules and
  // share/optica/formats of the installation, or those of the build tree).
  static TConfiguracionHost Leer();
  bool Es_Embebida() const { return !baseDatos.contains(QLatin1Char(':')); }
};

class TSesionHost {
 public:
  explicit TSesionHost(const TConfiguracionHost& cfg);
  // Closes the connections and shuts the database client down: one session
  // per process, and the modules that used it are already gone.
  ~TSesionHost();

  // Opens the database. A missing file is created from the schema (whole or
  // not at all) only for the default database or with `demo`; any other
  // missing file is a mistyped name and raises. With `demo`, an empty
  // database also gets the demo shop.
  void Abrir(bool demo);
  // Fills the context's records from the database; raises when the user or
  // company is missing.
  void Preparar_Contexto();
  // The selection block of a patient and, optionally, of one of its lens
  // records by number (0: start on a new record). False when the patient
  // does not exist; raises when the patient has no record of that number.
  bool Seleccionar_Paciente(int idPaciente, int numeroFicha);

  THostContext& Contexto() { return ctx_; }
  // Boxes answered without asking (screenshot runs without a display).
  void Mensajes_Automaticos(bool si) { mensajes_.automatico = si; }
  TIBDatabase& Principal() { return principal_; }

 private:
  TConfiguracionHost cfg_;
  TAplicacion aplicacion_;
  TMensajesQt mensajes_;
  TIBDatabase principal_, secundaria_;
  TIBTransaction transaccion_;
  TPuesto puesto_;
  TEmpresa empresa_;
  TUsuario usuario_;
  TCtrlTeclado teclado_, textoNumerico_;
  std::unique_ptr<TBDAcceso> acceso_;
  std::unique_ptr<TMoneda> moneda_;
  std::unique_ptr<TLocalidad> localidadEmpresa_;
  THostContext ctx_;
};
