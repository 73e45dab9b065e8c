#include "Reglas_entrada.h"

#include <stdexcept>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "Clase_tctrlteclado.h"
#include "Graduacion.h"

namespace {
// Another window (a message box, a dialog) or a menu taking the focus for a
// while is not the user moving between fields.
bool Foco_De_Paso(QEvent* evento) {
  const Qt::FocusReason motivo = static_cast<QFocusEvent*>(evento)->reason();
  return motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason ||
         motivo == Qt::MenuBarFocusReason;
}
}  // namespace

TReglasEntrada::TReglasEntrada(QObject* padre, TGuardia guardia) : QObject(padre), guardia_(std::move(guardia)) {}

void TReglasEntrada::Vigilar(QObject* objeto) {
  if (vigilados_.contains(objeto)) return;
  vigilados_.insert(objeto);
  objeto->installEventFilter(this);
}

void TReglasEntrada::Al_Salir(QWidget* w, std::function<void()> salida) {
  salidas_.insert(w, std::move(salida));
  Vigilar(w);
}

void TReglasEntrada::Al_Entrar(QWidget* w, std::function<void()> entrada) {
  entradas_.insert(w, std::move(entrada));
  Vigilar(w);
}

void TReglasEntrada::Al_Pulsar(QWidget* w, std::function<bool(int)> tecla) {
  teclas_.insert(w, std::move(tecla));
  Vigilar(w);
}

void TReglasEntrada::Olvidar_Al_Entrar(QLineEdit* edit) {
  olvidar_.insert(edit);
  Vigilar(edit);
}

void TReglasEntrada::Mascara_Coma(QLineEdit* edit) {
  comas_.insert(edit);
  Vigilar(edit);
}

bool TReglasEntrada::eventFilter(QObject* objeto, QEvent* evento) {
  switch (evento->type()) {
    case QEvent::KeyPress: {
      auto* tecla = static_cast<QKeyEvent*>(evento);
      if (comas_.contains(objeto) && tecla->text() == QLatin1String(".")) {
        QKeyEvent coma(QEvent::KeyPress, Qt::Key_Comma, tecla->modifiers(), QStringLiteral(","),
                       tecla->isAutoRepeat(), tecla->count());
        QCoreApplication::sendEvent(objeto, &coma);
        return true;
      }
      const auto it = teclas_.constFind(objeto);
      if (it == teclas_.constEnd() || (abierta && !abierta()) || soloLectura_) break;
      // Shift+Insert and Shift+Supr stay the edit's paste and cut.
      if ((tecla->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) break;
      if ((*it)(tecla->key())) return true;
      break;
    }
    case QEvent::FocusIn: {
      if (olvidar_.contains(objeto)) static_cast<QLineEdit*>(objeto)->setModified(false);
      const auto it = entradas_.constFind(objeto);
      if (it == entradas_.constEnd() || Foco_De_Paso(evento) || !Activas() || devuelto_) break;
      (*it)();
      break;
    }
    case QEvent::FocusOut: {
      const auto it = salidas_.constFind(objeto);
      if (it == salidas_.constEnd() || Foco_De_Paso(evento) || !Activas()) break;
      // While the focus is being put back into a rejected edit, the edits it
      // passes through were never really entered.
      if (devuelto_ && devuelto_ != objeto) break;
      (*it)();
      break;
    }
    default: break;
  }
  return QObject::eventFilter(objeto, evento);
}

// ---- Measurements ------------------------------------------------------------------------

void TReglasEntrada::Enlazar_Medida(QLineEdit* edit, TRegla regla, QLineEdit* gemeloOI, const QString& etiqueta,
                                    std::function<void()> antes) {
  if (regla != TRegla::kTexto) Mascara_Coma(edit);
  if (regla == TRegla::kTexto && !gemeloOI) return;  // left-eye free texts have no rule
  Al_Salir(edit, [this, edit, regla, gemeloOI, etiqueta, antes = std::move(antes)] {
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

void TReglasEntrada::Salir_Medida(QLineEdit* edit, TRegla regla, QLineEdit* gemeloOI) {
  if (regla == TRegla::kTexto) {
    Copiar_Al_Gemelo(edit, gemeloOI);
    return;
  }
  const QString texto = edit->text();
  // An empty axis is checked (and passes); the other families skip it.
  if (texto.isEmpty() && regla != TRegla::kEje) return;
  TAplicacion* avisos = ctx_ ? ctx_->aplicacion : nullptr;
  int r = 0;
  switch (regla) {
    case TRegla::kGraduacion: r = graduacion::Validar_Esfera(texto, avisos); break;
    case TRegla::kEje: r = graduacion::Validar_Eje(texto, avisos); break;
    case TRegla::kDistancia: r = graduacion::Validar_Distancia(texto, avisos); break;
    case TRegla::kTexto: break;
  }
  if (r != 0) {
    // A value out of range, or an axis that is no number, has had its box; a
    // power that is no number has none, so the status bar says why the focus
    // stays.
    if (aviso && regla != TRegla::kEje && !TCtrlTeclado::Es_Numero(texto) && texto != QLatin1String("Neutro") &&
        texto != QLatin1String("Compen"))
      aviso(QStringLiteral("«%1» no es un número. Escriba el valor con coma decimal (por ejemplo -1,25) o bórrelo "
                           "para continuar.")
                .arg(texto));
    Devolver_Foco(edit);
    return;
  }
  if (regla == TRegla::kGraduacion)
    Escribir(edit, graduacion::Normalizar_Graduacion(texto, avisos));
  else if (regla == TRegla::kDistancia)
    Escribir(edit, graduacion::Formatear_Decimal(texto, avisos));
  Copiar_Al_Gemelo(edit, gemeloOI);
}

void TReglasEntrada::Copiar_Al_Gemelo(QLineEdit* edit, QLineEdit* gemeloOI) {
  if (gemeloOI && ctx_ && ctx_->usuario->copiarGraduacionOI == 1 && gemeloOI->text().isEmpty())
    Escribir(gemeloOI, edit->text());
}

void TReglasEntrada::Escribir(QLineEdit* edit, const QString& texto) {
  if (edit->text() == texto) return;
  // An edit cuts what does not fit without a word: a value is never written
  // where only part of it would be kept.
  if (texto.size() > edit->maxLength())
    throw std::logic_error(QStringLiteral("«%1» no cabe en el campo %2 (%3 caracteres).")
                               .arg(texto, edit->objectName())
                               .arg(edit->maxLength())
                               .toStdString());
  edit->setText(texto);
  emit edit->textEdited(texto);
}

void TReglasEntrada::Devolver_Foco(QLineEdit* edit) {
  // The focus has already gone on when the exit rule runs: it comes back once
  // the move has finished, and the edits it passes through run no rule.
  devuelto_ = edit;
  QTimer::singleShot(0, edit, [this, edit] {
    if (devuelto_ != edit) return;
    if (edit->isVisible() && edit->isEnabled()) {
      edit->setFocus(Qt::OtherFocusReason);
      edit->selectAll();
    }
    devuelto_ = nullptr;
  });
}
