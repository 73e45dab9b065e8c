#include "Graduacion_ojo.h"

#include "Ibx_values.h"

namespace {
template <class... F>
struct TSegun : F... {
  using F::operator()...;
};
template <class... F>
TSegun(F...) -> TSegun<F...>;
}  // namespace

void Leer_Campo_Ojo(const TValor& valor, TGraduacionOjo& ojo, const TCampoOjo& campo) {
  std::visit(TSegun{[&](double TGraduacionOjo::*m) { ojo.*m = valor.AsFloat(); },
                    [&](int TGraduacionOjo::*m) { ojo.*m = valor.AsInteger(); },
                    [&](QString TGraduacionOjo::*m) { ojo.*m = valor.AsString(); }},
             campo.miembro);
}

void Poner_Campo_Ojo(TParam& parametro, const TGraduacionOjo& ojo, const TCampoOjo& campo) {
  std::visit(TSegun{[&](double TGraduacionOjo::*m) { parametro.AsFloat(ojo.*m); },
                    [&](int TGraduacionOjo::*m) { parametro.AsInteger(ojo.*m); },
                    [&](QString TGraduacionOjo::*m) { parametro.AsString(ojo.*m); }},
             campo.miembro);
}
