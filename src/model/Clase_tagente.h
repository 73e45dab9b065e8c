#pragma once
// An agent (table AGENTE): the member of staff credited with a lens record or
// a fitting test, for commission. The lens screen lists the agents, shows the
// chosen one's data as a hint and creates agents on the spot.
//
// The object is created like every domain class, with the host's application
// object as owner; Insertar reaches the user through that owner's message
// service. Without an owner the invalid-code box is not shown, but the result
// code is the same.

#include <QString>
#include <QStringList>
#include <memory>

#include "Clase_tfagente.h"
#include "Clase_tpersona.h"

class TAgente : public TPersona {
 public:
  // COMISION_TIPO; a new agent may also have -1 (none chosen).
  static constexpr int32_t kComisionFija = 0;
  static constexpr int32_t kComisionVariable = 1;
  static constexpr int32_t kComisionPorFamilia = 2;

  // Result codes.
  static constexpr int kNoEncontrado = -5;
  static constexpr int kCodigoNoValido = -2001;
  static constexpr int kErrorBaseDatos = -1;

  TAgente(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);
  ~TAgente() override;

  // Clears the person, the town, the commission and the hint text.
  void Limpiar() override;

  // Load the agent by the held ID or CODIGO. `filtroBorrado` goes to
  // BUSCAR_AGENTE as is: 0 active agents, 1 deleted ones, 2 all.
  // 0 found (fields and town loaded), -5 not found (fields left as they were).
  int Buscar_Por_Id(int filtroBorrado);
  int Buscar_Por_Codigo(int filtroBorrado);

  // Inserts the held agent and takes the key the database gave it into ID.
  // 0; -2001 when CODIGO is not 1 to 99999 (after a warning box); -1 when the
  // database refused the row.
  [[nodiscard]] int Insertar();

  // The code proposed for a new agent: the highest code among the agents
  // whose BORRADO is `borrado`, plus one (1 when there is none).
  int32_t Siguiente_Codigo(int32_t borrado);

  // Fills the three lists of the agent picker, ordered by first name, without
  // the placeholder agent 0. `filtroBorrado` 2 lists every agent, any other
  // value the agents whose BORRADO equals it. Returns 0.
  int Cargar_Lista(int filtroBorrado);

  // Builds the multi-line hint of the loaded agent, keeps it and returns it.
  const QString& Texto_Agente();

  void COMISION_PORCENTAJE(double v) { if (v != comisionPorcentaje_) comisionPorcentaje_ = v; }
  void COMISION_TIPO(int32_t v) { if (v != comisionTipo_) comisionTipo_ = v; }
  double COMISION_PORCENTAJE() const { return comisionPorcentaje_; }
  int32_t COMISION_TIPO() const { return comisionTipo_; }

  // The picker lists: entry i of the three belongs to the same agent.
  const QStringList& Lista_Nombres() const { return nombres_; }  // "NOMBRE APELLIDOS"
  const QStringList& Lista_Ids() const { return ids_; }          // ID_AGENTE as text
  const QStringList& Lista_Codigos() const { return codigos_; }  // CODIGO as text

  const QString& Texto_Ayuda() const { return ayuda_; }  // the last Texto_Agente
  int16_t Resultado() const { return resultado_; }     // of the last operation
  TFAgente& FAgente() { return *fagente_; }

 private:
  int Buscar(double id, double codigo, int filtroBorrado);
  int Fin(int resultado) { resultado_ = static_cast<int16_t>(resultado); return resultado; }

  std::unique_ptr<TFAgente> fagente_;
  double comisionPorcentaje_ = 0;
  int32_t comisionTipo_ = 0;
  QStringList nombres_, ids_, codigos_;
  QString ayuda_;
  int16_t resultado_ = 0;
};
