#include "Clase_tfagente.h"

TFAgente::TFAgente(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB), familia_(std::make_unique<TFamilia>(owner, conexionA, conexionB)) {}
