#pragma once
// The SQL catalogue: 810 numbered statement slots. A class refers to a
// statement by its slot (sql::TSlot), never by its text. Slots 11, 122, 123, 152,
// 159, 201, 202, 244, 282, 284, 299, 309, 422, 560 and 589 are never filled.

#include <QString>
#include <array>

// The slots the module runs, by name, with their numbers in the application's
// catalogue, which this module shares.
namespace sql {
enum TSlot : int {
  kActualizarArticulo = 1,
  kLeerObservacionesArticulo = 12,
  kInsertarObservacionesArticulo = 13,
  kActualizarObservacionesArticulo = 14,
  kInsertarAgente = 44,
  kUltimoCodigoAgente = 48,
  kListaAgentes = 51,
  kListaAgentesPorBorrado = 52,
  kMonedas = 64,
  kLeerObservacionesPaciente = 179,
  kActualizarUltimaVisita = 209,
  kInsertarFicha = 270,
  kActualizarFicha = 271,
  kBorrarFicha = 272,
  kInsertarObservacionesFicha = 275,
  kActualizarObservacionesFicha = 276,
  kBorrarObservacionesFicha = 277,
  kLeerObservacionesFicha = 279,
  kFichasPaciente = 281,
  kClavesFichasPorFecha = 283,
  kRenumerarFicha = 285,
  kInsertarLineaFicha = 286,
  kBorrarLineasFicha = 288,
  kClavesLineasFicha = 290,
  kInsertarPrueba = 291,
  kActualizarPrueba = 292,
  kBorrarPrueba = 293,
  kClavesPruebas = 295,
  kMayorNumeroPrueba = 296,
  kInsertarObservacionesPrueba = 297,
  kActualizarObservacionesPrueba = 298,
  kLeerObservacionesPrueba = 301,
  kInsertarTipoLentilla = 466,
  kTiposLentilla = 469,
  kInsertarAviso = 471,
  kBorrarAvisos = 475,
  kContarAvisos = 481,
  kInsertarReposicion = 632,
  kBorrarReposicionesPaciente = 634,
  kBorrarReposicion = 635,
};
}  // namespace sql

class TConstante {
 public:
  static constexpr int kNumSlots = 810;

  TConstante();

  // Text of a slot; empty for an unfilled slot or a number outside 0..809.
  const QString& operator[](int slot) const {
    static const QString vacio;
    return slot >= 0 && slot < kNumSlots ? (*slots_)[slot] : vacio;
  }
  const QString& Sentencia(int slot) const { return (*this)[slot]; }

 private:
  using TSlots = std::array<QString, kNumSlots>;
  static void Rellenar(TSlots& s);
  // The texts never change, so every catalogue reads one table filled the
  // first time a catalogue is built: a database-access object costs a pointer,
  // not 810 strings to build and destroy.
  const TSlots* slots_;
};
