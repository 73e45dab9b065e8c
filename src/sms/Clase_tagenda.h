#pragma once
// Diary appointments (table AGENDA). The lens screen writes a revision
// reminder when a record with a revision date is saved, and removes a
// record's reminders when the record is deleted.

#include <QString>
#include <QStringList>

#include "Clase_tbase.h"
#include "Contexto_host.h"

class TAgenda : public TBase {
 public:
  static constexpr int kTipoFichaLentillas = 2;

  using TBase::TBase;

  // The host context ("Paso"); Inicializar refuses to work without it.
  void Paso(THostContext* ctx) { ctx_ = ctx; }
  // false (after telling the user) when there is no host context.
  bool Inicializar();

  void Tipo(int v) { tipo_ = v; }
  void Id_Ficha(int v) { idFicha_ = v; }
  void Id_Usuario(int v) { idUsuario_ = v; }
  void Repeticion(int v) { repeticion_ = v; }
  // 0 "Baja", 1 "Normal", 2 "Alta".
  void Prioridad(int v);
  void Avisar(int v) { avisar_ = v; }
  void Status(int v) { status_ = v; }
  void Tipo_Ficha(int v) { tipoFicha_ = v; }
  void Persona(const QString& v) { persona_ = v; }
  void Fecha(double v) { fecha_ = v; }
  void Fecha_Aviso(double v) { fechaAviso_ = v; }
  void Fecha_Fin(double v) { fechaFin_ = v; }
  void Hora(double v) { hora_ = v; }
  void Hora_Aviso(double v) { horaAviso_ = v; }
  QStringList& Observaciones() { return observaciones_; }
  const QString& Nombre_Prioridad() const { return nombrePrioridad_; }

  // Appends the contact lines (telephone, mobile, e-mail) that are not empty.
  void Anadir_Contacto(const QString& telefono, const QString& movil, const QString& email);

  // Writes the appointment (catalogue 471): 0 or the channel's error code.
  [[nodiscard]] int Insertar();
  // Removes the appointments of one record (catalogue 475).
  [[nodiscard]] int Borrar(int idFicha, int tipoFicha);
  // 0 when at least one appointment of that kind exists for the person on
  // that day, -5 when none, -1 when the query fails (catalogue 481).
  int Contar(int tipoFicha, const QString& persona, double fecha);

  // The revision reminder of a saved lens record: replaces the record's
  // reminders with one on its revision date, unless the patient already has
  // one that day. Does nothing (0) without the company's option or a date.
  // One statement (one round trip over a server), undone whole by the
  // engine when it fails. 0, or the failure code.
  [[nodiscard]] int Recordatorio_Revision(double idFicha, double fechaRevision);

 private:
  // The appointment's values as the parameters of the catalogue's insert.
  void Poner_Valores(TIBQuery& q);

  THostContext* ctx_ = nullptr;
  bool inicializada_ = false;
  int tipo_ = 0, idFicha_ = 0, idUsuario_ = 0, repeticion_ = 0, prioridad_ = 0, avisar_ = 0, status_ = 0,
      tipoFicha_ = 0;
  QString persona_, nombrePrioridad_;
  double fecha_ = 0, fechaAviso_ = 0, fechaFin_ = 0, hora_ = 0, horaAviso_ = 0;
  QStringList observaciones_;
};
