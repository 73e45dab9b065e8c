#include "Frm_lentilla.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "Clase_tbdacceso.h"
#include "Clase_tctrlteclado.h"

namespace {
TfrmLentilla* g_activa = nullptr;
}

TfrmLentilla* TfrmLentilla::Activa() { return g_activa; }

TfrmLentilla::TfrmLentilla(TAplicacion* owner)
    : QWidget(owner ? owner->ventanaPrincipal : nullptr, Qt::Window), owner_(owner) {
  setObjectName(QStringLiteral("frmLentilla"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Gestión de fichas de lentillas"));
  // The screen goes with its owner if the host drops the application object first.
  if (owner) connect(owner, &QObject::destroyed, this, [this] { delete this; });
  Crear_Controles();
  g_activa = this;
}

TfrmLentilla::~TfrmLentilla() {
  qApp->removeEventFilter(this);
  if (g_activa == this) g_activa = nullptr;
}

void TfrmLentilla::Crear_Controles() {
  auto* principal = new QVBoxLayout(this);
  principal->setContentsMargins(0, 0, 0, 0);
  principal->setSpacing(0);

  tlbBotones_ = new QToolBar(this);
  tlbBotones_->setObjectName(QStringLiteral("tlbBotones"));
  tlbBotones_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  btnSalir_ = new QToolButton(tlbBotones_);
  btnSalir_->setObjectName(QStringLiteral("btnSalir"));
  btnSalir_->setText(QStringLiteral("Salir"));
  btnSalir_->setToolTip(QStringLiteral("Salir"));
  btnSalir_->setStatusTip(QStringLiteral("Salir"));
  tlbBotones_->addWidget(btnSalir_);
  connect(btnSalir_, &QToolButton::clicked, this, &QWidget::close);
  principal->addWidget(tlbBotones_);

  pclLentilla_ = new QTabWidget(this);
  pclLentilla_->setObjectName(QStringLiteral("pclLentilla"));
  const struct {
    const char* nombre;
    const char* titulo;
  } pestanas[] = {{"tstFicha", "Ficha"},
                  {"tstObservaciones", "Observaciones"},
                  {"tstPruebas", "Pruebas"},
                  {"tstReposiciones", "Reposiciones"}};
  for (const auto& p : pestanas) {
    auto* w = new QWidget(pclLentilla_);
    w->setObjectName(QString::fromLatin1(p.nombre));
    pclLentilla_->addTab(w, QString::fromUtf8(p.titulo));
  }
  principal->addWidget(pclLentilla_, 1);

  sbr_Ayuda_ = new QStatusBar(this);
  sbr_Ayuda_->setObjectName(QStringLiteral("sbr_Ayuda"));
  sbr_Ayuda_->setSizeGripEnabled(false);
  principal->addWidget(sbr_Ayuda_);

  auto* f12 = new QShortcut(QKeySequence(Qt::Key_F12), this);
  f12->setContext(Qt::WindowShortcut);
  connect(f12, &QShortcut::activated, this, &QWidget::close);

  resize(1280, 800);
}

void TfrmLentilla::Inicializar() {
  if (!ctx_ || !ctx_->aplicacion || !ctx_->puesto || !ctx_->empresa || !ctx_->usuario)
    throw std::runtime_error("El contexto del programa no está completo.");
  if (!ctx_->conexionPrincipal || !ctx_->conexionSecundaria)
    throw std::runtime_error("El programa no ha abierto la base de datos.");

  ctx_->seleccion.moduloAbierto = 1;
  seleccion_ = ctx_->seleccion;
  setWindowTitle(QStringLiteral("Ficha de Lentillas") + QStringLiteral(" - ") + seleccion_.textoPaciente);
  pclLentilla_->setCurrentIndex(0);

  // Enter is previewed for the whole window, before the focused control.
  qApp->installEventFilter(this);

  // Centred on the host's main window, or on the screen.
  const QWidget* ventana = ctx_->aplicacion->ventanaPrincipal;
  const QRect zona = ventana ? ventana->frameGeometry()
                             : (screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800));
  move(zona.center() - rect().center());
}

bool TfrmLentilla::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress && ctx_ && ctx_->teclado) {
    auto* tecla = static_cast<QKeyEvent*>(evento);
    auto* w = qobject_cast<QWidget*>(objeto);
    if ((tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) && w && (w == this || isAncestorOf(w)) &&
        w == QApplication::focusWidget() && ctx_->teclado->Enter_Mueve_Foco(this)) {
      focusNextChild();
      return true;
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

void TfrmLentilla::closeEvent(QCloseEvent* e) {
  FormClose();
  e->accept();
}

void TfrmLentilla::FormClose() {
  if (cerrada_ || !ctx_) return;
  cerrada_ = true;
  if (ctx_->acceso) ctx_->acceso->Registrar_Entrada_Salida(*ctx_, 1);
  seleccion_.moduloAbierto = 0;
  modulos_.Liberar_Todos();
  Devolver_Seleccion();
}

void TfrmLentilla::Devolver_Seleccion() {
  TSeleccion& s = ctx_->seleccion;
  s.idPaciente = seleccion_.idFicha;  // 168 receives the record key the screen held
  s.ultimaFicha = seleccion_.ultimaFicha;
  s.numGraduaciones = seleccion_.numGraduaciones;
  s.numLentillas = seleccion_.numLentillas;
  s.numAudifonos = seleccion_.numAudifonos;
  s.numOptometrias = seleccion_.numOptometrias;
  s.numOptometriasReducidas = seleccion_.numOptometriasReducidas;
  s.tieneFichas = seleccion_.tieneFichas;
  s.fichaGrabada = seleccion_.fichaGrabada;
  s.moduloAbierto = 0;
  for (int i = 0; i < 3; ++i) s.textos[i] = seleccion_.textos[i];
}
