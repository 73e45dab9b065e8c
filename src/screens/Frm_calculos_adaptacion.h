#pragma once
// TfrmCalculosAdaptacion, "Cálculos de adaptación": the fitting calculators
// on the graduation of a fitting test. Per eye it carries a spectacle
// graduation to the cornea, and finds the lens to order from the trial lens,
// the rotation of its mark and the over-refraction, by LARS and by power
// vectors, saying which to trust. Every input is editable; nothing is read
// from or written to the database.
//
// The caller gives it the eyes of the test on screen, shows it modally and,
// on Aplicar, takes the chosen result of each eye:
//
//   TfrmCalculosAdaptacion dlg(prueba.Ojo(0), prueba.Ojo(1), ctx->aplicacion);
//   if (dlg.exec() == QDialog::Accepted)
//     for (int ojo : {0, 1})
//       if (const auto r = dlg.Resultado(ojo)) calculos::Escribir_Graduacion(*r, nueva.Ojo(ojo));
//
// Cancelar, Escape and the close button change nothing.

#include <array>
#include <optional>

#include "Calculos_adaptacion.h"
#include "Contexto_host.h"
#include "Graduacion_ojo.h"
#include "Marco_dialogo.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TfrmCalculosAdaptacion : public TDialogo {
  Q_OBJECT

 public:
  // The order of the items of each eye's result selector.
  enum TEleccion { kGafa = 0, kLARS = 1, kVectores = 2 };

  // The trial graduation and over-refraction of the right (od) and left (oi)
  // eye, in the stored codes of a test. Boxes go through `owner`'s message
  // service when there is one; the dialog sits above its main window. Until
  // the host context is given (Fijar_Contexto), failures are reported through
  // `owner` alone, without the company's data.
  TfrmCalculosAdaptacion(const TPruebaOjo& od, const TPruebaOjo& oi, TAplicacion* owner = nullptr);

  // A spectacle graduation of eye 0 or 1 to carry to the cornea (the record's,
  // for instance), in stored codes. Empty unless given or typed.
  void Poner_Gafa(int ojo, double esfera, double cilindro, int eje);
  // The steps the chosen lens is made in (the article's or lens type's);
  // the form of the cylinder and the axis step stay the user's choice.
  void Poner_Pasos(const calculos::TPasos& esfera, const calculos::TPasos& cilindro);

  // Reads every input and shows the results. 0; -3 when an input is wrong or
  // there is nothing to compute: the user is told why and no result is shown.
  int Calcular();

  // After Aplicar, the rounded result chosen for eye 0 (right) or 1 (left);
  // none for an eye that had nothing to compute, or when the dialog was
  // cancelled.
  std::optional<calculos::TGraduacion> Resultado(int ojo) const;

  void reject() override;  // Escape and the close button: Cancelar

 private:
  struct TControlesOjo {
    QLineEdit *esfGafa = nullptr, *cilGafa = nullptr, *ejeGafa = nullptr;
    QLineEdit *esfLente = nullptr, *cilLente = nullptr, *ejeLente = nullptr;
    QLineEdit *esfSobre = nullptr, *cilSobre = nullptr, *ejeSobre = nullptr;
    QLineEdit* rotacion = nullptr;
    QComboBox *sentido = nullptr, *eleccion = nullptr;
    QLabel *gafa = nullptr, *lars = nullptr, *vectores = nullptr, *consejo = nullptr;
  };
  // What one eye gave: each result rounded, or none.
  struct TResultadosOjo {
    std::array<std::optional<calculos::TGraduacion>, 3> redondeados;  // by TEleccion
    TEleccion propuesto = kGafa;  // what the advice trusts, or the spectacle's without a trial lens
  };

  void Crear_Controles();
  void Poner_Textos(TControlesOjo& c, const TPruebaOjo& ojo);
  // Reads and computes one eye; false after telling the user.
  bool Calcular_Ojo(int ojo, double distancia, const calculos::TRedondeo& redondeo, TResultadosOjo& r);
  bool Rechazar(const QString& mensaje, QLineEdit* donde);
  // Results shown no longer match what is typed.
  void Invalidar();
  void btnCalcularClick();
  void btnAplicarClick();
  void btnCancelarClick();

  THostContext soloAplicacion_;
  std::array<TControlesOjo, 2> ojos_;
  std::array<TResultadosOjo, 2> resultados_;
  std::array<std::optional<calculos::TGraduacion>, 2> elegidos_;
  calculos::TPasos pasosEsfera_, pasosCilindro_;
  bool calculado_ = false;

  QLineEdit* edtDistancia_ = nullptr;
  QComboBox *cbxForma_ = nullptr, *cbxPasoEje_ = nullptr;
  QLabel* lblPasos_ = nullptr;
  QLabel* lblMensaje_ = nullptr;
  QPushButton *btnCalcular_ = nullptr, *btnAplicar_ = nullptr, *btnCancelar_ = nullptr;
};
