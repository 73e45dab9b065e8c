#include "Frm_lentilla_observaciones.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "Clase_tlentilla.h"

TPaginaObservaciones::TPaginaObservaciones(TReglasEntrada& reglas, TEdicion& ficha, QWidget* padre)
    : TParteFicha(reglas, ficha, padre) {
  setObjectName(QStringLiteral("tstObservaciones"));
  auto* v = new QVBoxLayout(this);
  memObservaciones_ = new QPlainTextEdit(this);
  memObservaciones_->setObjectName(QStringLiteral("memObservaciones"));
  memObservaciones_->setStatusTip(QStringLiteral("Observaciones de la ficha"));
  v->addWidget(memObservaciones_);
  connect(memObservaciones_, &QPlainTextEdit::textChanged, this, [this] { Marcar_Cambio(); });
}

void TPaginaObservaciones::Limpiar() {
  const auto carga = reglas_.Cargando();
  memObservaciones_->clear();
}

void TPaginaObservaciones::Mostrar(TLentilla& l) {
  const auto carga = reglas_.Cargando();
  const QString texto = l.Observaciones().join(QLatin1Char('\n'));
  if (memObservaciones_->toPlainText() != texto) memObservaciones_->setPlainText(texto);
  Actualizar_Imagen();
}

void TPaginaObservaciones::Recoger(TLentilla& l) const {
  const QString texto = memObservaciones_->toPlainText();
  l.Observaciones() = texto.isEmpty() ? QStringList() : texto.split(QLatin1Char('\n'));
}

bool TPaginaObservaciones::Vacia() const { return memObservaciones_->toPlainText().isEmpty(); }
