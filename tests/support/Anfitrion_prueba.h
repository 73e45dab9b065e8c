#pragma once
// A test host: a complete host context on a fresh test database (or on one
// that several workstations share), with a scripted message service, so that
// a test reads like a user story.
//
//   TAnfitrionPrueba h;            // shop, users 1 (may modify) and 2, patient 7
//   h.mensajes.respuestas = {mb::IDNO};
//   ...

#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

#include "Base_prueba.h"
#include "Clase_tbdacceso.h"
#include "Clase_tctrlteclado.h"
#include "Contexto_host.h"
#include "Ibx_transaction.h"

// Records every box and answers from a script (OK, or Cancel for a question,
// when the script has run out).
class TMensajesGuion : public TServicioMensajes {
 public:
  struct TCaja {
    QString texto, titulo;
    int flags;
  };
  int Mostrar(const QString& texto, const QString& titulo, int flags) override;

  std::vector<TCaja> cajas;
  std::deque<int> respuestas;
};

// Another workstation in the middle of a change: an update left uncommitted
// on its own attachment, holding the rows it touched until Soltar.
class TCambioAjeno {
 public:
  TCambioAjeno(TIBDatabase& otraConexion, const QString& actualizacion);
  void Soltar() { sentencia_.t.Rollback(); }

 private:
  TSentenciaPrueba sentencia_;
};

class TAnfitrionPrueba {
 public:
  TAnfitrionPrueba();
  // The same host on a database another program prepared and shares (`base`
  // as a connection opens it), with nothing added to it: a second
  // workstation of the same shop.
  explicit TAnfitrionPrueba(const QString& base);
  ~TAnfitrionPrueba();

  // Rows of ACCESO as "OPCION/TIPO" in insertion order (e.g. "8002/0").
  QStringList Filas_Acceso();

  std::unique_ptr<TBaseDatosPrueba> bd;  // the fresh database, if the host made one
  std::unique_ptr<TIBDatabase> principal, secundaria, consulta;
  TMensajesGuion mensajes;
  TAplicacion aplicacion;
  TIBTransaction transaccion;
  TPuesto puesto;
  TEmpresa empresa;
  TUsuario usuario;
  TCtrlTeclado teclado, textoNumerico;
  std::unique_ptr<TBDAcceso> acceso;
  THostContext ctx;

 private:
  void Preparar_Contexto();
};
