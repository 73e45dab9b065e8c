// Entry rules of the lens record screen: what happens when the user leaves a
// measurement, graduation or date edit. Each value is checked with the rules
// of the lens record (Graduacion.h) and written back normalised; a rejected
// value keeps its text and the focus. Right-eye entries can be copied into the
// still empty left-eye edit, and with the company's option a positive cylinder
// is transposed when the axis is left.

#include <QApplication>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSet>
#include <QTimer>

#include "Clase_tctrlteclado.h"
#include "Edit_fecha.h"
#include "Frm_lentilla.h"
#include "Graduacion.h"
#include "Util_locale.h"

// Watches the ruled edits: runs the exit rule of an edit when the user moves
// the focus away from it, and applies the decimal-comma mask to key presses.
class TFiltroEntrada : public QObject {
 public:
  explicit TFiltroEntrada(QObject* padre) : QObject(padre) {}

  void Vigilar(QLineEdit* edit, std::function<void()> salida) {
    salidas_.insert(edit, std::move(salida));
    edit->installEventFilter(this);
  }
  void Poner_Coma(QLineEdit* edit) {
    comas_.insert(edit);
    edit->installEventFilter(this);
  }

  // The exit rules run only while this holds (the screen is not filling its
  // controls itself).
  std::function<bool()> activo;
  // While the focus is being put back into a rejected edit, the edits it
  // passes through were never really entered: their rules do not run.
  std::function<QLineEdit*()> devolviendo;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    switch (evento->type()) {
      case QEvent::KeyPress: {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        if (comas_.contains(objeto) && tecla->text() == QLatin1String(".")) {
          QKeyEvent coma(QEvent::KeyPress, Qt::Key_Comma, tecla->modifiers(), QStringLiteral(","),
                         tecla->isAutoRepeat(), tecla->count());
          QCoreApplication::sendEvent(objeto, &coma);
          return true;
        }
        break;
      }
      case QEvent::FocusIn:
        // Date entries are checked only when typed over since the user came in.
        if (salidas_.contains(objeto)) static_cast<QLineEdit*>(objeto)->setModified(false);
        break;
      case QEvent::FocusOut: {
        const auto it = salidas_.constFind(objeto);
        if (it == salidas_.constEnd()) break;
        // Leaving the window (another window, a message box, a menu) is not
        // leaving the edit.
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(evento)->reason();
        if (motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason ||
            motivo == Qt::MenuBarFocusReason)
          break;
        if (activo && !activo()) break;
        QLineEdit* destino = devolviendo ? devolviendo() : nullptr;
        if (destino && destino != objeto) break;
        (*it)();
        break;
      }
      default: break;
    }
    return QObject::eventFilter(objeto, evento);
  }

 private:
  QHash<QObject*, std::function<void()>> salidas_;
  QSet<QObject*> comas_;
};

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

// ---- Binding -----------------------------------------------------------------------------

TFiltroEntrada& TfrmLentilla::Filtro_Entrada() {
  if (!filtroEntrada_) {
    filtroEntrada_ = new TFiltroEntrada(this);
    filtroEntrada_->activo = [this] { return ctx_ && !cargando_ && !cerrada_; };
    filtroEntrada_->devolviendo = [this] { return focoDevuelto_.data(); };
  }
  return *filtroEntrada_;
}

void TfrmLentilla::Enlazar_Reglas_Ficha() {
  const TOjo& od = ojos_[0];
  const TOjo& oi = ojos_[1];
  const struct {
    QLineEdit* TOjo::*miembro;
    TRegla regla;
    const char* etiqueta[2];  // right eye, left eye
  } medidas[] = {
      {&TOjo::esfera, TRegla::kGraduacion, {"OD Esferta -> OnExit", "OI Esfera -> OnExit"}},
      {&TOjo::cilindro, TRegla::kGraduacion, {"OD Cilindro -> OnExit", "OI Cilindro -> OnExit"}},
      {&TOjo::adicion, TRegla::kGraduacion, {"OD Adicion -> OnExit", "OI Adicion -> OnExit"}},
      {&TOjo::eje, TRegla::kEje, {"OD Eje -> OnExit", "OI Eje -> OnExit"}},
      {&TOjo::diametro, TRegla::kDistancia, {"OD Diametro -> OnExit", "OI Diametro -> OnExit"}},
      {&TOjo::zona, TRegla::kDistancia, {"OD Zona Optica -> OnExit", "OI Zona Optica -> OnExit"}},
      {&TOjo::agudeza, TRegla::kDistancia, {"OD Agudeza CC -> OnExit", "OI Agudeza CC -> OnExit"}},
      {&TOjo::abertura, TRegla::kDistancia, {"OD Abertura Parpebral -> OnExit", "OI Abertura Papebral -> OnExit"}},
      {&TOjo::pupilar, TRegla::kDistancia, {"OD Diametro Pupilar -> OnExit", "OI Diametro Pupilar -> OnExit"}},
      {&TOjo::iris, TRegla::kDistancia, {"OD Diametro Iris -> OnExit", "OI Diametro Iris -> OnExit"}},
  };
  for (const auto& m : medidas)
    for (int o = 0; o < 2; ++o) {
      std::function<void()> antes;
      if (m.regla == TRegla::kEje) antes = [this, o] { Trasponer_Ojo(o); };
      Enlazar_Medida(ojos_[o].*m.miembro, m.regla, o == 0 ? oi.*m.miembro : nullptr,
                     QLatin1String(m.etiqueta[o]), std::move(antes));
    }
  // Free texts: only the right eye copies; radius 2 also takes the comma mask.
  for (QLineEdit* TOjo::*miembro : {&TOjo::radio1, &TOjo::radio2, &TOjo::queratometria})
    Enlazar_Medida(od.*miembro, TRegla::kTexto, oi.*miembro, QString());
  Mascara_Coma(od.radio2);
  Mascara_Coma(oi.radio2);

  Enlazar_Fecha(dtmFecha_, TValidacionFecha::kFicha, QString());
  Enlazar_Fecha(dtmFechaRevision_, TValidacionFecha::kNoAnterior,
                QStringLiteral("La Fecha de Revisión no puede ser anterior a la fecha de la ficha"));
  Enlazar_Fecha(od.garantia, TValidacionFecha::kNoAnterior,
                QStringLiteral("La Fecha de Garantía no puede ser anterior a la fecha de la ficha"));
  Enlazar_Fecha(oi.garantia, TValidacionFecha::kNoAnterior,
                QStringLiteral("La Fecha de Garantía no puede ser anterior a la fecha de la ficha"),
                [this] { return ctx_->usuario->copiarLenteOI == 1; });
  // The replacement date has always shown the expiry date's message.
  const QString caducidad = QStringLiteral("La Fecha de Caducidad no puede ser anterior a la Fecha de la Ficha");
  Enlazar_Fecha(dtmFechaCaducidad_, TValidacionFecha::kNinguna, caducidad);
  Enlazar_Fecha(dtmFechaReposicion_, TValidacionFecha::kNinguna, caducidad);
}

void TfrmLentilla::Enlazar_Medida(QLineEdit* edit, TRegla regla, QLineEdit* gemeloOI, const QString& etiqueta,
                                  std::function<void()> antes) {
  if (regla != TRegla::kTexto) Mascara_Coma(edit);
  if (regla == TRegla::kTexto && !gemeloOI) return;  // left-eye free texts have no rule
  Filtro_Entrada().Vigilar(edit, [this, edit, regla, gemeloOI, etiqueta, antes = std::move(antes)] {
    const auto salir = [&] {
      if (antes) antes();
      Salir_Medida(edit, regla, gemeloOI);
    };
    if (etiqueta.isEmpty())
      salir();
    else
      Guardia(etiqueta, salir);
  });
}

void TfrmLentilla::Mascara_Coma(QLineEdit* edit) { Filtro_Entrada().Poner_Coma(edit); }

void TfrmLentilla::Enlazar_Fecha(TEditFecha* fecha, TValidacionFecha validacion, const QString& aviso,
                                 std::function<bool()> condicion) {
  Filtro_Entrada().Vigilar(fecha, [this, fecha, validacion, aviso, condicion = std::move(condicion)] {
    Salir_Fecha(fecha, validacion, aviso, !aviso.isEmpty() && (!condicion || condicion()));
  });
}

// ---- Measurements ------------------------------------------------------------------------

void TfrmLentilla::Salir_Medida(QLineEdit* edit, TRegla regla, QLineEdit* gemeloOI) {
  if (regla == TRegla::kTexto) {
    Copiar_Al_Gemelo(edit, gemeloOI);
    return;
  }
  const QString texto = edit->text();
  // An empty axis is checked (and passes); the other families skip it.
  if (texto.isEmpty() && regla != TRegla::kEje) return;
  TAplicacion* avisos = ctx_->aplicacion;
  int r = 0;
  switch (regla) {
    case TRegla::kGraduacion: r = graduacion::Validar_Esfera(texto, avisos); break;
    case TRegla::kEje: r = graduacion::Validar_Eje(texto, avisos); break;
    case TRegla::kDistancia: r = graduacion::Validar_Distancia(texto, avisos); break;
    case TRegla::kTexto: break;
  }
  ultimaRespuesta_ = r;
  if (r != 0) {  // the rule has told the user why
    Devolver_Foco(edit);
    return;
  }
  if (regla == TRegla::kGraduacion)
    Escribir(edit, graduacion::Normalizar_Graduacion(texto, avisos));
  else if (regla == TRegla::kDistancia)
    Escribir(edit, graduacion::Formatear_Decimal(texto, avisos));
  Copiar_Al_Gemelo(edit, gemeloOI);
}

void TfrmLentilla::Trasponer_Ojo(int ojo) {
  if (ctx_->empresa->trasponerCilindros == 0) return;
  TOjo& o = ojos_[ojo];
  // Only a positive cylinder over a numeric sphere; anything else stays as
  // typed, without a word (the exit rules will judge it).
  double cilindro = 0, esfera = 0;
  if (!Numero_Trasponible(o.cilindro->text(), cilindro) || cilindro <= 0) return;
  if (!Numero_Trasponible(o.esfera->text(), esfera)) return;
  TAplicacion* avisos = ctx_->aplicacion;
  const auto texto = [avisos](double v) {
    return graduacion::Normalizar_Graduacion(locale_es::Formatear(v, QStringLiteral("0.00")), avisos);
  };
  Escribir(o.esfera, texto(esfera + cilindro));
  Escribir(o.cilindro, texto(-cilindro));
  if (ojo == 0 && ctx_->usuario->copiarGraduacionOI == 1 && ojos_[1].esfera->text().isEmpty() &&
      ojos_[1].cilindro->text().isEmpty()) {
    Escribir(ojos_[1].esfera, o.esfera->text());
    Escribir(ojos_[1].cilindro, o.cilindro->text());
  }
  const QString eje = o.eje->text();
  if (!eje.isEmpty() && graduacion::Validar_Eje(eje, nullptr) == 0) {
    double grados = 0;
    locale_es::Texto_A_Float(eje, grados);
    const int nuevo = static_cast<int>(grados) >= 90 ? static_cast<int>(grados) - 90 : static_cast<int>(grados) + 90;
    Escribir(o.eje, QString::number(nuevo));
  }
}

void TfrmLentilla::Copiar_Al_Gemelo(QLineEdit* edit, QLineEdit* gemeloOI) {
  if (gemeloOI && ctx_->usuario->copiarGraduacionOI == 1 && gemeloOI->text().isEmpty())
    Escribir(gemeloOI, edit->text());
}

void TfrmLentilla::Escribir(QLineEdit* edit, const QString& texto) {
  if (edit->text() == texto) return;
  edit->setText(texto);
  // The tab's change hook listens to what the user edits; a value the rules
  // rewrite or copy is part of that entry.
  emit edit->textEdited(texto);
}

void TfrmLentilla::Devolver_Foco(QLineEdit* edit) {
  // The focus has already gone on when the exit rule runs: it comes back once
  // the move has finished, and the edits it passes through run no rule.
  focoDevuelto_ = edit;
  QTimer::singleShot(0, edit, [this, edit] {
    if (focoDevuelto_ != edit) return;
    if (edit->isVisible() && edit->isEnabled()) {
      edit->setFocus(Qt::OtherFocusReason);
      edit->selectAll();
    }
    focoDevuelto_ = nullptr;
  });
}

// ---- Dates -------------------------------------------------------------------------------

void TfrmLentilla::Salir_Fecha(TEditFecha* fecha, TValidacionFecha validacion, const QString& aviso,
                               bool comprobar) {
  if (fecha->isModified()) {
    const bool aceptada = validacion == TValidacionFecha::kFicha        ? dtmFechaOnValidate()
                          : validacion == TValidacionFecha::kNoAnterior ? FechaOnValidate(fecha)
                                                                        : true;
    if (!aceptada) {
      Devolver_Foco(fecha);
      return;
    }
  }
  if (!comprobar || fecha->Vacia() || !fecha->Valida()) return;  // a text that is no date waits for the save
  if (fecha->Fecha() < dtmFecha_->Fecha()) {
    ultimaRespuesta_ = ctx_->aplicacion->MessageBox(aviso, kAviso, mb::OK);
    Devolver_Foco(fecha);
  }
}

bool TfrmLentilla::FechaOnValidate(TEditFecha* fecha) {
  const double ficha = dtmFecha_->Fecha();
  if (fecha->Vacia() || !fecha->Valida() || fecha->Fecha() >= ficha) return true;
  fecha->Fijar_Fecha(ficha);
  emit fecha->textEdited(fecha->text());
  ultimaRespuesta_ = ctx_->aplicacion->MessageBox(
      QStringLiteral("La fecha no puede ser anterior a la fecha de la ficha"), kError, mb::OK | mb::ICONSTOP);
  return false;
}

bool TfrmLentilla::dtmFechaOnValidate() {
  if (!dtmFecha_->Vacia()) return true;
  dtmFecha_->Fijar_Fecha(ctx_->puesto->fechaTrabajo);
  emit dtmFecha_->textEdited(dtmFecha_->text());
  ultimaRespuesta_ = ctx_->aplicacion->MessageBox(
      QStringLiteral("La fecha de la ficha de lentillas no se puede dejar en blanco"), kError, mb::OK | mb::ICONSTOP);
  return false;
}
