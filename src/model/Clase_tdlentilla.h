#pragma once
// The lenses supplied with a lens record, one line per eye (table DLENTILLA).
// The object is a cursor: it holds one line at a time. Lines are never updated
// in place: a record's lines are deleted and inserted again.

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <span>

#include "Clase_tbase.h"
#include "Clase_tmoneda.h"
#include "Clase_ttlentilla.h"

// What one line says, as the screen collects it before the record is saved:
// the lens supplied to one eye (1 right, 2 left).
struct TLineaLentilla {
  int ojo = 1;
  double idTipo = -1;  // -1: no lens type
  QString referencia, descripcion, modelo, radio1, radio2, color, lote;
  double diametro = 0;
  double importe = 0;  // in the main currency
  double fechaGarantia = 0;
  int unidades = 0;  // lenses supplied; 0: not said
  double caducidadCaja = 0;  // expiry of the box the lens came in; 0: not known
};

// How long the lenses of one line last: the days one lens is worn (its
// type's replacement period) and the lenses supplied.
struct TSuministro {
  int diasTipo = 0;
  int unidades = 0;
};

// The day a record's lenses run out: its date plus the shortest supply of its
// lines (both eyes are replaced when the first one runs out). 0 when no line
// says how long it lasts.
double Fin_Suministro(double fecha, std::span<const TSuministro> lineas);

class TDLentilla : public TBase {
 public:
  using TBase::TBase;

  // Holds `linea` as the line to write for the record of the held key.
  void Linea(const TLineaLentilla& linea);

  // The screen's currency object, not owned: converts the amount on saving.
  void Moneda(TMoneda* moneda) { moneda_ = moneda; }

  // Writes the record's lens lines in one statement (one round trip over a
  // server): the held key's earlier lines go first when `borrarAntes`, then
  // each of `lineas` in order, then the units and box expiry by eye. The
  // catalogue's insert carries neither: they are set only when an eye has
  // one, so a database made before those columns still saves lines without
  // them. 0, or the failure code; the last line's key is then ID_DLENTILLA.
  [[nodiscard]] int Grabar_Lineas(const std::vector<TLineaLentilla>& lineas, bool borrarAntes);
  [[nodiscard]] int Borrar_Lineas();
  int Cargar_Lista_Lineas();
  int Buscar();
  // "Referencia: …\r\nDescripcion: …\r\nTipo: …" summary of the held line.
  void Resumen_Detalle();

  void ID_MLENTILLA(double v) { if (v != idFicha_) idFicha_ = v; }
  void ID_DLENTILLA(double v) { if (v != idLinea_) idLinea_ = v; }
  void ID_TLENTILLA(double v) { if (v != idTipo_) idTipo_ = v; }
  void REFERENCIA(const QString& v) { if (v != referencia_) referencia_ = v; }
  void DESCRIPCION(const QString& v) { if (v != descripcion_) descripcion_ = v; }
  void MODELO(const QString& v) { if (v != modelo_) modelo_ = v; }
  void COLOR(const QString& v) { if (v != color_) color_ = v; }
  void RADIO_1(const QString& v) { if (v != radio1_) radio1_ = v; }
  void RADIO_2(const QString& v) { if (v != radio2_) radio2_ = v; }
  void DIAMETRO(double v) { if (v != diametro_) diametro_ = v; }
  void OJO(int v) { if (v != ojo_) ojo_ = v; }
  void IMPORTE(double v) { if (v != importe_) importe_ = v; }
  void IMPORTE_M2(double v) { if (v != importeM2_) importeM2_ = v; }
  void FECHA_GARANTIA(double v) { if (v != fechaGarantia_) fechaGarantia_ = v; }
  void LOTE(const QString& v) { if (v != lote_) lote_ = v; }
  void UNIDADES(int v) { if (v != unidades_) unidades_ = v; }
  void CADUCIDAD_CAJA(double v) { if (v != caducidadCaja_) caducidadCaja_ = v; }

  double ID_MLENTILLA() const { return idFicha_; }
  double ID_DLENTILLA() const { return idLinea_; }
  double ID_TLENTILLA() const { return idTipo_; }
  const QString& REFERENCIA() const { return referencia_; }
  const QString& DESCRIPCION() const { return descripcion_; }
  const QString& MODELO() const { return modelo_; }
  const QString& COLOR() const { return color_; }
  const QString& RADIO_1() const { return radio1_; }
  const QString& RADIO_2() const { return radio2_; }
  double DIAMETRO() const { return diametro_; }
  int OJO() const { return ojo_; }
  double IMPORTE() const { return importe_; }
  double IMPORTE_M2() const { return importeM2_; }
  double FECHA_GARANTIA() const { return fechaGarantia_; }
  const QString& LOTE() const { return lote_; }
  int UNIDADES() const { return unidades_; }
  double CADUCIDAD_CAJA() const { return caducidadCaja_; }
  const QString& Resumen() const { return resumen_; }
  const QStringList& Lista_Lineas() const { return lineas_; }
  int Resultado() const { return resultado_; }

 private:
  TMoneda* moneda_ = nullptr;
  std::unique_ptr<TTLentilla> tipo_;
  double idFicha_ = -1, idLinea_ = -1, idTipo_ = -1;
  QString referencia_, descripcion_, modelo_, color_, radio1_, radio2_;
  double diametro_ = 0;
  int ojo_ = 0, unidades_ = 0;
  double importe_ = 0, importeM2_ = 0, fechaGarantia_ = 0, caducidadCaja_ = 0;
  QString resumen_, lote_;
  QStringList lineas_;
  // The lines read whole with the list (one round trip for all of them):
  // Buscar takes a line from here, once, instead of asking the database.
  struct TLeida {
    TLineaLentilla linea;
    double importeM2 = 0;
  };
  QHash<qint64, TLeida> leidas_;
  // The lines of the record whole, in one round trip; false when the
  // database lacks a column of theirs.
  bool Leer_Lineas_Enteras();
  int resultado_ = 0;
};
