#pragma once
// Run-out reminders: the patients whose lenses run out (the record's
// FECHA_REPOSICION) within the next days and whose last record is the one
// that runs out, with their phone and the lenses they wear. A reminder is
// sent to all of them in one SMS request, and each record and date reminded
// is written to AVISO_REPOSICION, so that nobody gets the same reminder
// twice; a newer replacement date of the record is a new reminder.

#include <QString>
#include <vector>

#include "Clase_tbase.h"

class TSMS;
struct THostContext;

struct st_aviso_reposicion {
  int idFicha = -1;
  int idPaciente = -1;
  int numero = 0;
  double fechaReposicion = 0;
  QString paciente;    // "Apellidos, Nombre"
  QString telefono;    // the mobile, or the other phone when there is none
  QString articulo;    // the lenses of the record, one description per eye
  double avisado = 0;  // when the reminder was sent; 0: not yet
};

class TAvisoReposicion : public TBase {
 public:
  static constexpr int kDiasDefecto = 15;
  static constexpr int kNadieQueAvisar = -2;
  static constexpr int kYaAvisado = -3;

  using TBase::TBase;

  // The days ahead the list looks (settings "Miravel"/"3.0", Avisos/
  // DiasReposicion); the default when the value is missing or not a
  // positive number.
  static int Dias_Configurados();

  // The records that run out from `hoy` to `hoy` + `dias` (both days
  // included), the reminded ones too (with their date); by date and patient.
  // 0 or TBase's code of the query.
  int Buscar(double hoy, int dias);
  const std::vector<st_aviso_reposicion>& Filas() const { return filas_; }

  // Sends `mensaje` in one request to the rows not reminded yet and remembers
  // them, as one unit of work on connection B: 0, kNadieQueAvisar when every
  // row was reminded already (nothing sent), kYaAvisado when another
  // workstation reminded one of them meanwhile (nothing sent), TSMS's
  // refusal (nothing remembered), or TBase's code of a write. The rows sent
  // get today's date as reminded.
  int Enviar(TSMS& sms, const THostContext& ctx, const QString& de, const QString& mensaje);

 private:
  std::vector<st_aviso_reposicion> filas_;
};
