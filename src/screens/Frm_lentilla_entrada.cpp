// Entry rules of the "Ficha" tab: what happens when the user leaves a
// measurement, graduation or date edit. The measurement rules are the screen's
// (Reglas_entrada.h), bound from the rows of the graduation table; the date
// checks and the automatic transposition of a positive cylinder on leaving an
// axis (with the company's option) belong to this tab.

#include <QLineEdit>

#include "Clase_tctrlteclado.h"
#include "Edit_fecha.h"
#include "Frm_lentilla_ficha.h"
#include "Graduacion.h"
#include "Util_locale.h"

namespace {
const QString kAviso = QStringLiteral("AVISO");
const QString kError = QStringLiteral("ERROR");

// A value typed for the transposition: the numeric-text check, and a lone sign
// or comma reads as zero.
bool Numero_Trasponible(const QString& texto, double& valor) {
  if (!TCtrlTeclado::Es_Numero(texto)) return false;
  if (!locale_es::Texto_A_Float(texto, valor)) valor = 0;
  return true;
}
}  // namespace

void TPaginaFicha::Enlazar_Reglas() {
  for (int i = 0; i < kNumFilasGraduacion; ++i) {
    const TFilaGraduacion& f = kFilasGraduacion[i];
    for (int o = 0; o < 2; ++o) {
      std::function<void()> antes;
      if (f.vista == TVistaGraduacion::kEje) antes = [this, o] { Trasponer_Ojo(o); };
      reglas_.Enlazar_Medida(ojos_[o].campos[i], f.regla, o == 0 ? ojos_[1].campos[i] : nullptr,
                             QLatin1String(f.etiqueta[o]), std::move(antes));
    }
  }
  // Radius 2 is typed with decimals, as a graduation is.
  for (int o = 0; o < 2; ++o) reglas_.Mascara_Coma(Campo(o, &TGraduacionOjo::radio2));

  Enlazar_Fecha(dtmFecha_, TValidacionFecha::kFicha, QString());
  Enlazar_Fecha(dtmFechaRevision_, TValidacionFecha::kNoAnterior,
                QStringLiteral("La Fecha de Revisión no puede ser anterior a la fecha de la ficha"));
  Enlazar_Fecha(ojos_[0].garantia, TValidacionFecha::kNoAnterior,
                QStringLiteral("La Fecha de Garantía no puede ser anterior a la fecha de la ficha"));
  Enlazar_Fecha(ojos_[1].garantia, TValidacionFecha::kNoAnterior,
                QStringLiteral("La Fecha de Garantía no puede ser anterior a la fecha de la ficha"),
                [this] { return Ctx()->usuario->copiarLenteOI == 1; });
  // The replacement date has always shown the expiry date's message.
  const QString caducidad = QStringLiteral("La Fecha de Caducidad no puede ser anterior a la Fecha de la Ficha");
  Enlazar_Fecha(dtmFechaCaducidad_, TValidacionFecha::kNinguna, caducidad);
  Enlazar_Fecha(dtmFechaReposicion_, TValidacionFecha::kNinguna, caducidad);
}

void TPaginaFicha::Enlazar_Fecha(TEditFecha* fecha, TValidacionFecha validacion, const QString& aviso,
                                 std::function<bool()> condicion) {
  reglas_.Olvidar_Al_Entrar(fecha);
  reglas_.Al_Salir(fecha, [this, fecha, validacion, aviso, condicion = std::move(condicion)] {
    Salir_Fecha(fecha, validacion, aviso, !aviso.isEmpty() && (!condicion || condicion()));
  });
}

// ---- Automatic transposition -----------------------------------------------------------

void TPaginaFicha::Trasponer_Ojo(int ojo) {
  THostContext* ctx = Ctx();
  if (ctx->empresa->trasponerCilindros == 0) return;
  QLineEdit* esferaEdit = Campo(ojo, &TGraduacionOjo::esfera);
  QLineEdit* cilindroEdit = Campo(ojo, &TGraduacionOjo::cilindro);
  QLineEdit* ejeEdit = Campo(ojo, &TGraduacionOjo::eje);
  // Only a positive cylinder over a numeric sphere; anything else stays as
  // typed, without a word (the exit rules will judge it).
  double cilindro = 0, esfera = 0;
  if (!Numero_Trasponible(cilindroEdit->text(), cilindro) || cilindro <= 0) return;
  if (!Numero_Trasponible(esferaEdit->text(), esfera)) return;
  TAplicacion* avisos = ctx->aplicacion;
  const auto texto = [avisos](double v) {
    return graduacion::Normalizar_Graduacion(locale_es::Formatear(v, QStringLiteral("0.00")), avisos);
  };
  TReglasEntrada::Escribir(esferaEdit, texto(esfera + cilindro));
  TReglasEntrada::Escribir(cilindroEdit, texto(-cilindro));
  QLineEdit* esferaOI = Campo(1, &TGraduacionOjo::esfera);
  QLineEdit* cilindroOI = Campo(1, &TGraduacionOjo::cilindro);
  if (ojo == 0 && ctx->usuario->copiarGraduacionOI == 1 && esferaOI->text().isEmpty() &&
      cilindroOI->text().isEmpty()) {
    TReglasEntrada::Escribir(esferaOI, esferaEdit->text());
    TReglasEntrada::Escribir(cilindroOI, cilindroEdit->text());
  }
  const QString eje = ejeEdit->text();
  if (!eje.isEmpty() && graduacion::Validar_Eje(eje, nullptr) == 0) {
    double grados = 0;
    locale_es::Texto_A_Float(eje, grados);
    const int nuevo = static_cast<int>(grados) >= 90 ? static_cast<int>(grados) - 90 : static_cast<int>(grados) + 90;
    TReglasEntrada::Escribir(ejeEdit, QString::number(nuevo));
  }
}

// ---- Dates -------------------------------------------------------------------------------

void TPaginaFicha::Salir_Fecha(TEditFecha* fecha, TValidacionFecha validacion, const QString& aviso,
                               bool comprobar) {
  if (fecha->isModified()) {
    const bool aceptada = validacion == TValidacionFecha::kFicha        ? dtmFechaOnValidate()
                          : validacion == TValidacionFecha::kNoAnterior ? FechaOnValidate(fecha)
                                                                        : true;
    if (!aceptada) {
      reglas_.Devolver_Foco(fecha);
      return;
    }
  }
  if (!comprobar || fecha->Vacia() || !fecha->Valida()) return;  // a text that is no date waits for the save
  if (fecha->Fecha() < dtmFecha_->Fecha()) {
    Ctx()->aplicacion->MessageBox(aviso, kAviso, mb::OK);
    reglas_.Devolver_Foco(fecha);
  }
}

bool TPaginaFicha::FechaOnValidate(TEditFecha* fecha) {
  const double ficha = dtmFecha_->Fecha();
  if (fecha->Vacia() || !fecha->Valida() || fecha->Fecha() >= ficha) return true;
  fecha->Fijar_Fecha(ficha);
  emit fecha->textEdited(fecha->text());
  Ctx()->aplicacion->MessageBox(QStringLiteral("La fecha no puede ser anterior a la fecha de la ficha"), kError,
                                mb::OK | mb::ICONSTOP);
  return false;
}

bool TPaginaFicha::dtmFechaOnValidate() {
  if (!dtmFecha_->Vacia()) return true;
  dtmFecha_->Fijar_Fecha(Ctx()->puesto->fechaTrabajo);
  emit dtmFecha_->textEdited(dtmFecha_->text());
  Ctx()->aplicacion->MessageBox(QStringLiteral("La fecha de la ficha de lentillas no se puede dejar en blanco"),
                                kError, mb::OK | mb::ICONSTOP);
  return false;
}
