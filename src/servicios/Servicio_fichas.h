#pragma once
// Every write of a patient's lens records, decided here once for every route
// that leads to it (the toolbar, F5, the closing question, "Definitiva"):
// the user's right, the row's version, the record's number, the unit of work
// and what a failure means.
//
// Each write is one unit of work: the record with its observations and lens
// lines, the renumbering after a delete. The access-log row and the diary's
// revision reminder go into the same unit as optional parts: they commit
// with the record, and when the database refuses one of them only that part
// is undone and the record is saved all the same. The record object is left
// as it was when nothing was written (a new record is still new, so a retry
// inserts it once).

#include <vector>

#include "Clase_tdlentilla.h"
#include "Contexto_host.h"
#include "Resultado.h"

class TLentilla;
class TObjetosLentilla;

class TServicioFichas {
 public:
  // A new record whose number other workstations keep taking is given up
  // after this many numbers.
  static constexpr int kIntentosNumero = 5;

  TServicioFichas(THostContext& ctx, TObjetosLentilla& objetos) : ctx_(ctx), objetos_(objetos) {}

  // Saves the record `l` holds. A new one is inserted with the workstation's
  // shop, under the next free number when another workstation has just
  // taken its own (Numero_Ocupado says which it had). A stored one only by a
  // user with the right to modify, and only while it is still the version
  // read. `lineas`, when given, replace the record's lens lines. A revision
  // date (0: none) gives the diary reminder the company asks for.
  TResultado Grabar(TLentilla& l, bool nueva, const std::vector<TLineaLentilla>* lineas, double fechaRevision);

  // Deletes the record `l` holds, after the user confirms, with its
  // observations, lens lines and reminders, and numbers the patient's other
  // records again. A stored record only by a user with the right to modify.
  TResultado Borrar(TLentilla& l, double idPaciente);

  // A fitting test made the patient's next record: `l` holds the record
  // (number included), `lineas` a line per eye that names a lens. A line
  // whose trial article had a reference (not "0") takes the article as it is
  // today, at its first sale price; one no longer found keeps no reference.
  struct TLineaDefinitiva {
    TLineaLentilla linea;
    QString referenciaPrueba;
  };
  // `idPrueba`, the stored test it comes from (-1: none), is noted on the
  // record when the database has where (one without that note still makes
  // the record).
  TResultado Definitiva(TLentilla& l, const std::vector<TLineaDefinitiva>& lineas, double idPrueba);

  // What the patient has besides records, for the tabs' images before they
  // read their rows.
  struct THistorial {
    bool reposiciones = false;
    bool pruebas = false;
  };
  TResultado Historial(double idPaciente, THistorial& h);

 private:
  bool Puede_Modificar() const;
  // One attempt at the insert or update, whole or not at all.
  TResultado Grabar_Unidad(TLentilla& l, bool nueva, const std::vector<TLineaLentilla>* lineas,
                           double fechaRevision);
  TResultado Definitiva_Unidad(TLentilla& l, const std::vector<TLineaDefinitiva>& lineas, double idPrueba);
  [[nodiscard]] int Grabar_Lineas(TLentilla& l, const std::vector<TLineaLentilla>& lineas, bool nueva);
  // A new record met a number another workstation has just used: the record
  // takes the next free one.
  void Tomar_Numero_Libre(TLentilla& l);
  // The optional parts of a write.
  void Anotar_Acceso(int tipo, double clave, int numero, double fecha);
  void Recordatorio(double clave, double fechaRevision);
  void Quitar_Recordatorios(double clave);

  THostContext& ctx_;
  TObjetosLentilla& objetos_;
};
