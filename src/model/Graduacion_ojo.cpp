#include "Graduacion_ojo.h"

#include "Ibx_values.h"

template <class Ojo>
void Leer_Campo_Ojo(const TValor& valor, Ojo& ojo, const TCampoDeOjo<Ojo>& campo) {
  std::visit(TSegun{[&](double Ojo::*m) { ojo.*m = valor.AsFloat(); },
                    [&](int Ojo::*m) { ojo.*m = valor.AsInteger(); },
                    [&](QString Ojo::*m) { ojo.*m = valor.AsString(); }},
             campo.miembro);
}

template <class Ojo>
void Poner_Campo_Ojo(TParam& parametro, const Ojo& ojo, const TCampoDeOjo<Ojo>& campo) {
  std::visit(TSegun{[&](double Ojo::*m) { parametro.AsFloat(ojo.*m); },
                    [&](int Ojo::*m) { parametro.AsInteger(ojo.*m); },
                    [&](QString Ojo::*m) { parametro.AsString(ojo.*m); }},
             campo.miembro);
}

template void Leer_Campo_Ojo(const TValor&, TGraduacionOjo&, const TCampoDeOjo<TGraduacionOjo>&);
template void Poner_Campo_Ojo(TParam&, const TGraduacionOjo&, const TCampoDeOjo<TGraduacionOjo>&);
template void Leer_Campo_Ojo(const TValor&, TPruebaOjo&, const TCampoDeOjo<TPruebaOjo>&);
template void Poner_Campo_Ojo(TParam&, const TPruebaOjo&, const TCampoDeOjo<TPruebaOjo>&);
