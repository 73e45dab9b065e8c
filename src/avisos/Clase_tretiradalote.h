#pragma once
// Lot recall: a manufacturer recalls a lot and the shop finds every patient
// who received it, from the lens lines of the records (DLENTILLA) and the
// trial lenses of the fitting tests (PLENTILLA, one lot per eye). One row per
// eye and record or test, so a patient who got the lot in both eyes appears
// twice; the SMS to all of them goes once per patient.

#include <QString>
#include <vector>

#include "Clase_tbase.h"

class TSMS;

struct st_retirada_lote {
  enum Origen { kFicha = 0, kPrueba = 1 };
  int origen = kFicha;
  int idPaciente = -1;
  QString paciente;  // "Apellidos, Nombre"
  QString telefono;  // the mobile, or the other phone when there is none
  QString movil;
  int numero = 0;    // record or test number
  double fecha = 0;  // of the record or the test
  int ojo = 1;       // 1 right, 2 left
  QString referencia, descripcion, lote;
};

struct st_criterio_lote {
  QString lote;
  // Any lot that contains the text (no case), instead of the lot itself.
  bool parte = false;
  QString referencia;           // the article's, exactly; empty: any
  double desde = 0, hasta = 0;  // days of the record or test; 0: open
};

class TRetiradaLote : public TBase {
 public:
  using TBase::TBase;

  // Runs the search (channel 0): 0, TBase's code of the query, or
  // kSinLote when no lot was given. Rows by patient, date and eye.
  static constexpr int kSinLote = -1;
  int Buscar(const st_criterio_lote& criterio);
  const std::vector<st_retirada_lote>& Filas() const { return filas_; }
  // The statement Buscar runs for `criterio` (its parameters :LOTE and, as
  // the criterion asks, :REFERENCIA, :DESDE and :HASTA), rows unsorted.
  static QString Sentencia(const st_criterio_lote& criterio);

  // The rows as CSV for a spreadsheet: ";" between fields, quotes where a
  // field needs them, dates dd/mm/yyyy, a header line, CR LF.
  static QString Csv(const std::vector<st_retirada_lote>& filas);
  // "Ficha" or "Prueba"; "OD" or "OI".
  static QString Nombre_Origen(int origen);
  static QString Nombre_Ojo(int ojo);

  // One request to every patient of the rows, each phone once; the sending
  // and its log are TSMS's. Gives TSMS's result.
  static int Enviar_SMS(TSMS& sms, const std::vector<st_retirada_lote>& filas, const QString& de,
                        const QString& mensaje);

 private:
  std::vector<st_retirada_lote> filas_;
};
