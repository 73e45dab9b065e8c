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
struct TAvanceEnvio;
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
  // them: the reminders and the request (pending) are committed together
  // before it goes. 0, kNadieQueAvisar when every row was reminded already
  // (nothing sent), kYaAvisado when another workstation reminded one of them
  // meanwhile (nothing sent), TSMS's refusal (nothing remembered), TSMS's
  // codes of a request that may have gone (-25512, -25513, -25530: the
  // reminders stay with their pending request), or TBase's code of a write.
  // The rows reminded get today's date.
  // The patients go in requests of TSMS::kPorPeticion, each with its own
  // reminders; `avance` (if given) follows the sending and can stop it
  // between two requests.
  int Enviar(TSMS& sms, const THostContext& ctx, const QString& de, const QString& mensaje,
             TAvanceEnvio* avance = nullptr);

 private:
  int Enviar_Parte(TSMS& sms, const THostContext& ctx, const QString& de, const QString& mensaje,
                   const std::vector<st_aviso_reposicion*>& pendientes);
  std::vector<st_aviso_reposicion> filas_;
};
