#pragma once
// An agent's commission by product family (table FAGENTE). The lens module
// never reads or writes it: every agent owns one so that the agent object is
// the same here as in the rest of the application, and it is freed with the
// agent.

#include <QStringList>
#include <memory>

#include "Clase_tbase.h"
#include "Clase_tfamilia.h"

class TFAgente : public TBase {
 public:
  TFAgente(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  // The family keys and the commission percentage of each, entry i of one
  // list belonging to entry i of the other.
  QStringList& Familias() { return familias_; }
  QStringList& Porcentajes() { return porcentajes_; }
  TFamilia& Familia() { return *familia_; }

 private:
  std::unique_ptr<TFamilia> familia_;
  QStringList familias_;
  QStringList porcentajes_;
};
