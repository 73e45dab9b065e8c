#include "Frm_lentilla_reposiciones.h"
#include "Etiquetas_lentilla.h"

#include <QComboBox>
#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "Aviso_resultado.h"
#include "Clase_treposicion.h"
#include "Contexto_host.h"
#include "Dm_lentilla.h"
#include "Edit_fecha.h"
#include "Importes_lentilla.h"
#include "Reglas_entrada.h"
#include "Servicio_reposiciones.h"
#include "Util_fechas.h"

namespace {

// The date editor of the grid: the date, and "Hoy" and "Limpiar" beside it.
class TEditorFecha : public QWidget {
 public:
  TEditorFecha(QWidget* padre, double hoy) : QWidget(padre) {
    setAutoFillBackground(true);
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(1);
    fecha = new TEditFecha(this);
    fecha->setObjectName(QStringLiteral("edtFechaReposicion"));
    h->addWidget(fecha, 1);
    for (const auto& [nombre, texto, ayuda] :
         {std::tuple{"btnHoy", "H", "Hoy"}, std::tuple{"btnLimpiar", "×", "Sin fecha"}}) {
      auto* b = new QToolButton(this);
      b->setObjectName(QString::fromLatin1(nombre));
      b->setText(QString::fromUtf8(texto));
      b->setToolTip(QString::fromUtf8(ayuda));
      b->setFocusPolicy(Qt::NoFocus);
      h->addWidget(b);
      connect(b, &QToolButton::clicked, this, [this, hoy, limpiar = std::string_view(nombre) == "btnLimpiar"] {
        fecha->Fijar_Fecha(limpiar ? 0 : hoy);
      });
    }
    setFocusProxy(fecha);
  }
  TEditFecha* fecha;
};

class TDelegadoReposiciones : public QStyledItemDelegate {
 public:
  TDelegadoReposiciones(QObject* padre, std::function<THostContext*()> ctx)
      : QStyledItemDelegate(padre), ctx_(std::move(ctx)) {}

  QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override {
    switch (indice.column()) {
      case TdmLentilla::Fecha: {
        auto* e = new TEditorFecha(padre, Hoy());
        e->fecha->installEventFilter(const_cast<TDelegadoReposiciones*>(this));
        return e;
      }
      case TdmLentilla::TipoReposicion:
      case TdmLentilla::Ojo: {
        auto* c = new QComboBox(padre);
        c->addItems(indice.column() == TdmLentilla::TipoReposicion
                        ? QStringList{QStringLiteral("Limp"), QStringLiteral("Rev"), QStringLiteral("Rep")}
                        : QStringList{QStringLiteral("Dcho."), QStringLiteral("Izdo."), QStringLiteral("Ambos")});
        c->setMaxVisibleItems(7);
        // A choice is taken at once.
        connect(c, &QComboBox::currentIndexChanged, this, [this, c] {
          if (c->property("listo").toBool()) emit const_cast<TDelegadoReposiciones*>(this)->commitData(c);
        });
        return c;
      }
      case TdmLentilla::ImporteM1: {
        auto* e = new QLineEdit(padre);
        e->setProperty("importe", true);
        e->setAlignment(Qt::AlignRight);
        e->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("-?[0-9]{0,9}(\\.[0-9]{3})*(,[0-9]{0,4})?")), e));
        return e;
      }
      default: {
        QWidget* e = QStyledItemDelegate::createEditor(padre, opcion, indice);
        if (auto* l = qobject_cast<QLineEdit*>(e)) l->setMaxLength(indice.column() == TdmLentilla::NumeroFicha ? 6 : 255);
        return e;
      }
    }
  }

  void setEditorData(QWidget* editor, const QModelIndex& indice) const override {
    switch (indice.column()) {
      case TdmLentilla::Fecha:
        static_cast<TEditorFecha*>(editor)->fecha->Fijar_Fecha(indice.data(Qt::UserRole).toDouble());
        return;
      case TdmLentilla::TipoReposicion:
      case TdmLentilla::Ojo: {
        auto* c = static_cast<QComboBox*>(editor);
        c->setCurrentIndex(c->findText(indice.data().toString()));
        c->setProperty("listo", true);  // from now on a choice is the user's
        return;
      }
      case TdmLentilla::ImporteM1:
        static_cast<QLineEdit*>(editor)->setText(importes::Texto(indice.data(Qt::EditRole).toDouble(), Moneda()));
        return;
      default: QStyledItemDelegate::setEditorData(editor, indice);
    }
  }

  void setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& indice) const override {
    switch (indice.column()) {
      case TdmLentilla::Fecha: {
        TEditFecha* f = static_cast<TEditorFecha*>(editor)->fecha;
        // No date: a row the save skips. A text that is no date: today.
        const double fecha = f->Vacia() ? 0 : (f->Valida() ? f->Fecha() : Hoy());
        modelo->setData(indice, fecha, Qt::UserRole);
        modelo->setData(indice, fecha == 0 ? QString() : fechas::Fecha_A_Texto(fecha), Qt::DisplayRole);
        return;
      }
      case TdmLentilla::TipoReposicion:
      case TdmLentilla::Ojo: modelo->setData(indice, static_cast<QComboBox*>(editor)->currentText()); return;
      case TdmLentilla::ImporteM1:
        // Never empty: no amount is 0.
        modelo->setData(indice, importes::Leer(static_cast<QLineEdit*>(editor)->text()), Qt::EditRole);
        return;
      default: QStyledItemDelegate::setModelData(editor, modelo, indice);
    }
  }

  QString displayText(const QVariant& valor, const QLocale& locale) const override {
    if (valor.typeId() == QMetaType::Double) {
      // The main currency's display mask (a negative amount takes its sign).
      const TMoneda* m = Moneda();
      return locale_es::Formatear(valor.toDouble(), m ? m->Mascara_M1() : QStringLiteral(",0.00 €"));
    }
    return QStyledItemDelegate::displayText(valor, locale);
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* opcion, const QModelIndex& indice) const override {
    QStyledItemDelegate::initStyleOption(opcion, indice);
    if (indice.column() == TdmLentilla::ImporteM1) opcion->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
  }

  // Enter takes the cell and goes on to the next one, editing it; from the
  // last cell of a row it just takes it.
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (evento->type() == QEvent::KeyPress) {
      const int tecla = static_cast<QKeyEvent*>(evento)->key();
      // An amount is typed with the decimal comma; the point (the keypad's
      // too) is taken as one.
      if ((tecla == Qt::Key_Period || tecla == Qt::Key_Comma) && objeto->property("importe").toBool()) {
        static_cast<QLineEdit*>(objeto)->insert(QStringLiteral(","));
        return true;
      }
      if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
        QWidget* editor = qobject_cast<QWidget*>(objeto);
        if (auto* f = qobject_cast<TEditFecha*>(editor)) editor = f->parentWidget();
        emit commitData(editor);
        const bool ultima = editor->property("ultimaColumna").toBool();
        emit closeEditor(editor, ultima ? QAbstractItemDelegate::SubmitModelCache : QAbstractItemDelegate::EditNextItem);
        return true;
      }
    }
    // The date inside the date editor is watched for Enter only: the rest
    // (focus, Escape) belongs to the editor around it.
    if (qobject_cast<TEditFecha*>(objeto)) return false;
    return QStyledItemDelegate::eventFilter(objeto, evento);
  }

 public:
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& opcion,
                            const QModelIndex& indice) const override {
    QStyledItemDelegate::updateEditorGeometry(editor, opcion, indice);
    editor->setProperty("ultimaColumna", indice.column() == TdmLentilla::ImporteM1);
  }

 private:
  double Hoy() const {
    const THostContext* c = ctx_();
    return c && c->puesto ? c->puesto->fechaTrabajo : fechas::Hoy();
  }
  const TMoneda* Moneda() const {
    const THostContext* c = ctx_();
    return c ? c->moneda : nullptr;
  }
  std::function<THostContext*()> ctx_;
};


// The grid: Enter on a cell that is not being edited starts editing it.
class TRejillaReposiciones : public QTableView {
 public:
  using QTableView::QTableView;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && currentIndex().isValid() &&
        state() != QAbstractItemView::EditingState && editTriggers() != QAbstractItemView::NoEditTriggers) {
      edit(currentIndex());
      return;
    }
    QTableView::keyPressEvent(e);
  }
};

}  // namespace

TPaginaReposiciones::TPaginaReposiciones(TReglasEntrada& reglas, TSeleccion& seleccion, QWidget* padre)
    : TPaginaLentilla(reglas, padre), seleccion_(seleccion) {
  setObjectName(QStringLiteral("tstReposiciones"));
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(8, 4, 8, 6);
  v->setSpacing(6);

  auto* tlbReposiciones = new QToolBar(this);
  tlbReposiciones->setObjectName(QStringLiteral("tlbReposiciones"));
  tlbReposiciones->setIconSize(QSize(18, 18));
  const struct {
    const char *nombre, *texto, *ayuda, *icono, *etiqueta;
    void (TPaginaReposiciones::*accion)();
    QToolButton** miembro;
  } botones[] = {
      {"btnReposicionNueva", "Nuevo", "Nueva reposición (F6)", "nuevo", etiqueta::kbtnReposicionNueva_OnClick,
       &TPaginaReposiciones::btnReposicionNuevaClick, &btnReposicionNueva_},
      {"btnReposicionGrabar", "Grabar", "Grabar las reposiciones (F5)", "grabar", etiqueta::kbtnReposicionGrabar_OnClick,
       &TPaginaReposiciones::btnReposicionGrabarClick, &btnReposicionGrabar_},
      {"btnReposicionBorrar", "Borrar", "Borrar la reposición", "borrar", etiqueta::kbtnReposicionBorrar_OnClick,
       &TPaginaReposiciones::btnReposicionBorrarClick, &btnReposicionBorrar_},
      {"btnReposicionImprimir", "Imprimir", "Imprimir las reposiciones", "imprimir", nullptr, nullptr, nullptr},
  };
  for (const auto& b : botones) {
    auto* boton = new QToolButton(tlbReposiciones);
    boton->setObjectName(QString::fromLatin1(b.nombre));
    boton->setText(QString::fromUtf8(b.texto));
    boton->setToolTip(QString::fromUtf8(b.ayuda));
    boton->setStatusTip(QString::fromUtf8(b.ayuda));
    boton->setIcon(TdmLentilla::Imagen(QString::fromLatin1(b.icono)));
    boton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tlbReposiciones->addWidget(boton);
    if (b.accion) {
      const auto accion = b.accion;
      const char* etiqueta = b.etiqueta;
      connect(boton, &QToolButton::clicked, this, [this, accion, etiqueta] {
        reglas_.Guardia(QLatin1String(etiqueta), [this, accion] { (this->*accion)(); });
      });
    } else {
      connect(boton, &QToolButton::clicked, this, &TPaginaReposiciones::Imprimir);
    }
    if (b.miembro) *b.miembro = boton;
  }
  v->addWidget(tlbReposiciones);

  auto* panel = new QLabel(QStringLiteral(" Reposiciones de lentillas"), this);
  panel->setObjectName(QStringLiteral("pnlReposiciones"));
  panel->setStyleSheet(QStringLiteral("#pnlReposiciones { background: #1f5fa8; color: white; font-weight: bold; "
                                      "padding: 3px; }"));
  v->addWidget(panel);

  grdReposiciones_ = new TRejillaReposiciones(this);
  grdReposiciones_->setObjectName(QStringLiteral("grdReposiciones"));
  grdReposiciones_->setSelectionBehavior(QAbstractItemView::SelectItems);
  grdReposiciones_->setSelectionMode(QAbstractItemView::SingleSelection);
  grdReposiciones_->verticalHeader()->setDefaultSectionSize(22);
  grdReposiciones_->verticalHeader()->setVisible(false);
  grdReposiciones_->horizontalHeader()->setStretchLastSection(false);
  // F3 belongs to the grid itself, not to a cell being edited.
  auto* f3 = new QShortcut(QKeySequence(Qt::Key_F3), grdReposiciones_);
  f3->setContext(Qt::WidgetShortcut);
  connect(f3, &QShortcut::activated, this, [this] { Cambiar_Busqueda(); });
  v->addWidget(grdReposiciones_, 1);
}

void TPaginaReposiciones::Enlazar(TdmLentilla* dm, TServicioReposiciones& servicio) {
  dm_ = dm;
  servicio_ = &servicio;
  // Rows keep their place while they are being typed; the list is sorted
  // (newest first) when it is read.
  dm_->dscReposiciones.setDynamicSortFilter(false);
  grdReposiciones_->setModel(&dm_->dscReposiciones);
  grdReposiciones_->setItemDelegate(new TDelegadoReposiciones(grdReposiciones_, [this] { return reglas_.Contexto(); }));
  QHeaderView* h = grdReposiciones_->horizontalHeader();
  // Shown: date, record, kind, eye, observations, amount.
  const int orden[] = {TdmLentilla::Fecha, TdmLentilla::NumeroFicha, TdmLentilla::TipoReposicion, TdmLentilla::Ojo,
                       TdmLentilla::Observaciones, TdmLentilla::ImporteM1};
  const int anchos[] = {87, 43, 50, 56, 610, 75};
  for (int i = 0; i < 6; ++i) {
    h->moveSection(h->visualIndex(orden[i]), i);
    grdReposiciones_->setColumnWidth(orden[i], anchos[i]);
  }
  h->setSectionResizeMode(TdmLentilla::Observaciones, QHeaderView::Stretch);
  grdReposiciones_->setColumnHidden(TdmLentilla::IdReposicion, true);
  grdReposiciones_->setColumnHidden(TdmLentilla::ImporteM2, true);
  QStandardItemModel& m = dm_->memReposiciones;
  m.setHeaderData(TdmLentilla::Fecha, Qt::Horizontal, QStringLiteral("Fecha"));
  m.setHeaderData(TdmLentilla::NumeroFicha, Qt::Horizontal, QStringLiteral("Ficha"));
  m.setHeaderData(TdmLentilla::TipoReposicion, Qt::Horizontal, QStringLiteral("Tipo"));
  m.setHeaderData(TdmLentilla::Ojo, Qt::Horizontal, QStringLiteral("Ojo"));
  m.setHeaderData(TdmLentilla::Observaciones, Qt::Horizontal, QStringLiteral("Observaciones"));
  m.setHeaderData(TdmLentilla::ImporteM1, Qt::Horizontal, QStringLiteral("Importe"));
  // Every change of a cell marks the list changed.
  connect(&m, &QStandardItemModel::itemChanged, this, [this] {
    if (!cargando_ && !reglas_.En_Carga()) Marcar_Reposicion(true);
  });
}

QString TPaginaReposiciones::Pregunta_Cambios() const {
  return QStringLiteral("Los datos de Reposiciones han cambiado. ¿Desea guardar los cambios?");
}

// ---- Loading --------------------------------------------------------------------------------

int TPaginaReposiciones::Cargar_Reposiciones() {
  if (cargada_) return 0;
  QList<TFilaReposicion> filas;
  if (!servicio_->Leer(seleccion_.idPaciente, filas).Hecho_Bien()) return -1;
  const QScopedValueRollback<bool> carga(cargando_, true);
  QStandardItemModel& m = dm_->memReposiciones;
  m.removeRows(0, m.rowCount());
  for (const TFilaReposicion& f : filas) dm_->Anadir_Reposicion(f);
  dm_->dscReposiciones.invalidate();
  dm_->dscReposiciones.sort(TdmLentilla::Fecha, Qt::DescendingOrder);
  cargada_ = true;
  if (m.rowCount() > 0) {
    Fijar_Imagen(2);
  } else {
    // One new row, dated today, waiting for its observations.
    Fijar_Imagen(3);
    dm_->memReposicionesAfterInsert();
  }
  grdReposiciones_->setCurrentIndex(dm_->dscReposiciones.index(0, TdmLentilla::Fecha));
  return 0;
}

void TPaginaReposiciones::Mostrar() {
  // Searching first: the rows read now, with the tab in sight, open no cell.
  Fijar_Busqueda(true);
  Cargar_Reposiciones();
  Marcar_Reposicion(false);
  modo_ = 1;
}

void TPaginaReposiciones::Releer() {
  cargada_ = false;
  if (Cargar_Reposiciones() == 0) {
    Marcar_Reposicion(false);
    modo_ = 1;
  }
}

// ---- State ------------------------------------------------------------------------------------

void TPaginaReposiciones::Derechos(bool puedeModificar, bool fichaGuardada) {
  fichaGuardada_ = fichaGuardada;
  bloqueada_ = !puedeModificar && fichaGuardada;
  Fijar_Solo_Lectura(bloqueada_);
  btnReposicionNueva_->setEnabled(!bloqueada_);
  Fijar_Busqueda(busqueda_);
  Marcar_Reposicion(modificada_);
}

void TPaginaReposiciones::Marcar_Reposicion(bool modificada) {
  modificada_ = !bloqueada_ && modificada;
  btnReposicionGrabar_->setEnabled(modificada_);
  btnReposicionBorrar_->setEnabled(!bloqueada_);
}

void TPaginaReposiciones::Fijar_Busqueda(bool activa) {
  busqueda_ = activa;
  // With the search on, typing looks for a row and Enter (or F2) edits the
  // cell; with it off, typing edits the cell at once. A list only to be
  // looked at opens no cell.
  grdReposiciones_->setEditTriggers(bloqueada_ ? QAbstractItemView::NoEditTriggers
                                    : activa   ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                               : QAbstractItemView::AllEditTriggers);
}

void TPaginaReposiciones::Cambiar_Busqueda() {
  Fijar_Busqueda(!busqueda_);
  emit Estado(busqueda_ ? QStringLiteral("Activada la busqueda, para modificar pulse intro. Pulse F3 para desactivarla")
                        : QStringLiteral("Desactivada la busqueda. Pulse F3 para activarla"));
}

void TPaginaReposiciones::Tomar_Celda() {
  // A toolbar button or a key does not take the focus from the cell being
  // typed: what it holds is taken into the table first.
  if (QWidget* editor = grdReposiciones_->indexWidget(grdReposiciones_->currentIndex())) {
    QAbstractItemDelegate* d = grdReposiciones_->itemDelegate();
    emit d->commitData(editor);
    emit d->closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void TPaginaReposiciones::Editar_Fila(int fila) {
  const QModelIndex indice = dm_->dscReposiciones.mapFromSource(dm_->memReposiciones.index(fila, TdmLentilla::Fecha));
  grdReposiciones_->setFocus();
  grdReposiciones_->setCurrentIndex(indice);
  grdReposiciones_->scrollTo(indice);
  // Typing edits at once now: the new current cell may already be open.
  if (!grdReposiciones_->indexWidget(indice)) grdReposiciones_->edit(indice);
}

// ---- New, save, delete --------------------------------------------------------------------------

void TPaginaReposiciones::btnReposicionNuevaClick() {
  if (bloqueada_) return;  // a list only to be looked at (F6 included)
  if (modo_ == 0) {
    emit Estado(QStringLiteral("Esta añadiendo un registro"));
    return;
  }
  int fila;
  {
    const QScopedValueRollback<bool> carga(cargando_, true);
    fila = dm_->memReposicionesAfterInsert();
  }
  Marcar_Reposicion(true);
  Fijar_Busqueda(false);
  modo_ = 0;
  Editar_Fila(fila);
}

bool TPaginaReposiciones::Grabar() {
  Tomar_Celda();
  QStandardItemModel& m = dm_->memReposiciones;
  // Rows without observations are not kept; the rest are written in the
  // order the grid shows them.
  QList<int> filas;
  QList<TFilaReposicion> lista;
  for (int i = 0; i < dm_->dscReposiciones.rowCount(); ++i) {
    const int fila = dm_->dscReposiciones.mapToSource(dm_->dscReposiciones.index(i, 0)).row();
    if (!dm_->memReposicionesBeforePost(fila)) continue;
    filas << fila;
    lista << dm_->Fila_Reposicion(fila);
  }
  const TResultado r = servicio_->Grabar(seleccion_.idPaciente, lista, fichaGuardada_);
  if (!r.Hecho_Bien()) {
    if (Avisar_Resultado(reglas_.Contexto(), r, TEscrito::kReposiciones, TAccion::kGrabar)) Releer();
    return false;
  }
  {
    // The grid now holds the stored keys (a deletion right after the save
    // deletes the right row); rows that were not kept are gone.
    const QScopedValueRollback<bool> carga(cargando_, true);
    for (int i = 0; i < filas.size(); ++i) dm_->Fijar_Clave_Reposicion(filas[i], lista[i].clave);
    for (int fila = m.rowCount() - 1; fila >= 0; --fila)
      if (!dm_->memReposicionesBeforePost(fila)) m.removeRow(fila);
  }
  emit Grabada();
  Fijar_Imagen(2);
  Marcar_Reposicion(false);
  modo_ = 1;
  emit Estado(QStringLiteral("Los datos se han grabado correctamente"));
  return true;
}

void TPaginaReposiciones::btnReposicionBorrarClick() {
  Tomar_Celda();
  const QModelIndex actual = grdReposiciones_->currentIndex();
  if (!actual.isValid()) return;
  const int fila = dm_->dscReposiciones.mapToSource(actual).row();
  const TResultado r = servicio_->Borrar(dm_->Fila_Reposicion(fila).clave, fichaGuardada_);
  if (!r.Hecho_Bien()) {
    Avisar_Resultado(reglas_.Contexto(), r, TEscrito::kReposiciones, TAccion::kBorrar);
    return;
  }
  {
    const QScopedValueRollback<bool> carga(cargando_, true);
    dm_->memReposiciones.removeRow(fila);
  }
  emit Estado(QStringLiteral("El registro se ha borrado correctamente"));
  Marcar_Reposicion(false);
  modo_ = 1;
}
