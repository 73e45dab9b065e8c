#pragma once
// One entry of a patient's list of contact-lens replacements, cleanings and
// revisions (table REPOSICION). The table is shared with other modules: each
// keeps its own rows apart by TIPO_REPOSICION, and this module's rows are
// always of kind 2. The list is edited as a whole and written back by
// deleting the patient's rows of that kind and inserting them again, so the
// class only inserts and deletes.
//
// The list shows the codes of TIPO and OJO as short texts; the conversions
// both ways are here so that reading and saving the list agree. Unknown codes
// read as the last text of each list and are therefore saved back as its code.

#include <QString>
#include <QStringList>

#include "Clase_tbase.h"
#include "Clase_tmoneda.h"

// One row of a patient's list as it is read and written whole.
struct TFilaReposicion {
  double clave = -1;  // -1: a row never stored
  int16_t tipo = 0;   // TIPO
  int16_t ojo = 1;    // OJO
  double numeroFicha = 0;
  bool sinNumero = true;  // NUMERO_FICHA is null (shown empty)
  double fecha = 0;
  QString observaciones;
  double importeM1 = 0, importeM2 = 0;
};

class TReposicion : public TBase {
 public:
  // The rows of the lens module in REPOSICION.
  static constexpr int16_t kListaLentillas = 2;
  // TIPO
  static constexpr int16_t kLimpieza = 0;
  static constexpr int16_t kRevision = 1;
  static constexpr int16_t kReposicion = 2;
  // OJO
  static constexpr int16_t kDerecho = 1;
  static constexpr int16_t kIzquierdo = 2;
  static constexpr int16_t kAmbos = 3;
  // Result codes.
  static constexpr int kSinFecha = -21200;

  using TBase::TBase;

  // The screen's currency object, not owned: gives the amount in both currencies.
  void Moneda(TMoneda* moneda) { moneda_ = moneda; }

  // -21200 when there is no date, else 0; kept as the result.
  int Validar_Reposicion();
  // Inserts the held entry and takes the new key. -21200 (nothing written)
  // when it has no date; -1 on a database error.
  [[nodiscard]] int Insertar();
  // Inserts the rows (of the held patient and list kind) in blocks of
  // kFilasBloque, one round trip each, and gives each row its new key in
  // `claves` (-1 for a row without date: it is not stored). 0 or -1.
  static constexpr int kFilasBloque = 100;
  [[nodiscard]] int Insertar_Lista(const QList<TFilaReposicion>& filas, QList<double>& claves);
  // Deletes every row of the patient of the given list kind. 0 or -1.
  [[nodiscard]] int Borrar_Lista(int16_t tipoLista);
  // The keys of the patient's rows of a list kind, read with their locks
  // (inside the unit of work that rewrites the list: no other workstation can
  // change them until it ends), in ascending order. 0; kBloqueada when another
  // workstation is writing them right now; -1 on a database error.
  static constexpr int kBloqueada = -8;
  int Claves_Lista(int16_t tipoLista, QList<double>& claves);
  // Asks for confirmation (-6 when declined), then deletes the row of the
  // held key. A key with no row (never saved) is not an error.
  [[nodiscard]] int Borrar();

  // "Limp", "Rev", "Rep" (any code other than 0 and 1 reads as "Rep").
  static QString Tipo_A_Texto(int tipo);
  // 0 for "Limp", 1 for "Rev", 2 for anything else.
  static int16_t Texto_A_Tipo(const QString& texto);
  // "Dcho.", "Izdo.", "Ambos" (any code other than 1 and 2 reads as "Ambos").
  static QString Ojo_A_Texto(int ojo);
  // 1 for "Dcho.", 2 for "Izdo.", 3 for anything else.
  static int16_t Texto_A_Ojo(const QString& texto);
  // An empty observation is shown as "<Sin descripción>".
  static QString Observaciones_A_Texto(const QString& observaciones);
  // The statement that reads a patient's list of the lens module.
  static QString Sentencia_Lista(double idPaciente);
  // The lens module's list of the held patient, in the order read. 0 or -1.
  int Leer_Lista(QList<TFilaReposicion>& filas);

  void ID_REPOSICION(double v) { if (v != idReposicion_) idReposicion_ = v; }
  void ID_PACIENTE(double v) { if (v != idPaciente_) idPaciente_ = v; }
  void TIPO_REPOSICION(int16_t v) { if (v != tipoReposicion_) tipoReposicion_ = v; }
  void TIPO(int16_t v) { if (v != tipo_) tipo_ = v; }
  void FECHA(double v) { if (v != fecha_) fecha_ = v; }
  void OJO(int16_t v) { if (v != ojo_) ojo_ = v; }
  void NUMERO_FICHA(double v) { if (v != numeroFicha_) numeroFicha_ = v; }
  // The amount typed in the main currency.
  void IMPORTE(double v) { if (v != importe_) importe_ = v; }

  double ID_REPOSICION() const { return idReposicion_; }
  double ID_PACIENTE() const { return idPaciente_; }
  int16_t TIPO_REPOSICION() const { return tipoReposicion_; }
  int16_t TIPO() const { return tipo_; }
  double FECHA() const { return fecha_; }
  int16_t OJO() const { return ojo_; }
  double NUMERO_FICHA() const { return numeroFicha_; }
  double IMPORTE() const { return importe_; }
  QStringList& Observaciones() { return observaciones_; }
  int16_t Resultado() const { return resultado_; }

 private:
  int Fin(int resultado) { resultado_ = static_cast<int16_t>(resultado); return resultado; }

  double idReposicion_ = -1, idPaciente_ = -1;
  int16_t tipoReposicion_ = kListaLentillas, tipo_ = kLimpieza;
  double fecha_ = 0;
  int16_t ojo_ = kDerecho;
  QStringList observaciones_;
  double numeroFicha_ = 0, importe_ = 0;
  TMoneda* moneda_ = nullptr;
  int16_t resultado_ = 0;
};
