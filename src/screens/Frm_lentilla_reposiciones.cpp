#include "Frm_lentilla_reposiciones.h"

#include <QComboBox>
#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "Clase_treposicion.h"
#include "Contexto_host.h"
#include "Dm_lentilla.h"
#include "Edit_fecha.h"
#include "Ibx_error.h"
#include "Ibx_transaction.h"
#include "Importes_lentilla.h"
#include "Objetos_lentilla.h"
#include "Reglas_entrada.h"
#include "Unidad_trabajo.h"
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

}  // namespace

TPaginaReposiciones::TPaginaReposiciones(TReglasEntrada& reglas, TObjetosLentilla& objetos, TSeleccion& seleccion,
                                         QWidget* padre)
    : QWidget(padre), reglas_(reglas), objetos_(objetos), seleccion_(seleccion) {
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
  } botones[] = {
      {"btnReposicionNueva", "Nuevo", "Nueva reposición (F6)", "nuevo", "btnReposicionNueva -> OnClick",
       &TPaginaReposiciones::btnReposicionNuevaClick},
      {"btnReposicionGrabar", "Grabar", "Grabar las reposiciones (F5)", "grabar", "btnReposicionGrabar -> OnClick",
       &TPaginaReposiciones::btnReposicionGrabarClick},
      {"btnReposicionBorrar", "Borrar", "Borrar la reposición", "borrar", "btnReposicionBorrar -> OnClick",
       &TPaginaReposiciones::btnReposicionBorrarClick},
      {"btnReposicionImprimir", "Imprimir", "Imprimir las reposiciones", "imprimir", nullptr, nullptr},
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
    if (b.nombre == std::string_view("btnReposicionGrabar")) btnReposicionGrabar_ = boton;
    if (b.nombre == std::string_view("btnReposicionBorrar")) btnReposicionBorrar_ = boton;
  }
  v->addWidget(tlbReposiciones);

  auto* panel = new QLabel(QStringLiteral(" Reposiciones de lentillas"), this);
  panel->setObjectName(QStringLiteral("pnlReposiciones"));
  panel->setStyleSheet(QStringLiteral("#pnlReposiciones { background: #1f5fa8; color: white; font-weight: bold; "
                                      "padding: 3px; }"));
  v->addWidget(panel);

  grdReposiciones_ = new QTableView(this);
  grdReposiciones_->setObjectName(QStringLiteral("grdReposiciones"));
  grdReposiciones_->setSelectionBehavior(QAbstractItemView::SelectItems);
  grdReposiciones_->setSelectionMode(QAbstractItemView::SingleSelection);
  grdReposiciones_->verticalHeader()->setDefaultSectionSize(22);
  grdReposiciones_->verticalHeader()->setVisible(false);
  grdReposiciones_->horizontalHeader()->setStretchLastSection(false);
  grdReposiciones_->installEventFilter(this);
  v->addWidget(grdReposiciones_, 1);
}

void TPaginaReposiciones::Enlazar(TdmLentilla* dm) {
  dm_ = dm;
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

// ---- Loading --------------------------------------------------------------------------------

int TPaginaReposiciones::Cargar_Reposiciones() {
  if (cargada_) return 0;
  const QScopedValueRollback<bool> carga(cargando_, true);
  TIBQuery& q = dm_->dstReposiciones;
  QStandardItemModel& m = dm_->memReposiciones;
  try {
    q.Close();
    q.SQL.Clear();
    q.SQL.Add(TReposicion::Sentencia_Lista(seleccion_.idPaciente));
    q.Open();
    m.removeRows(0, m.rowCount());
    claves_.clear();
    for (; !q.Eof(); q.Next()) {
      claves_ << q.FieldByName(QStringLiteral("ID_REPOSICION")).AsFloat();
      QList<QStandardItem*> fila;
      for (int c = 0; c <= TdmLentilla::NumeroFicha; ++c) fila << new QStandardItem;
      const double fecha = q.FieldByName(QStringLiteral("FECHA")).AsDateTime();
      fila[TdmLentilla::IdReposicion]->setData(q.FieldByName(QStringLiteral("ID_REPOSICION")).AsFloat(), Qt::UserRole);
      fila[TdmLentilla::TipoReposicion]->setText(
          TReposicion::Tipo_A_Texto(q.FieldByName(QStringLiteral("TIPO")).AsInteger()));
      fila[TdmLentilla::Ojo]->setText(TReposicion::Ojo_A_Texto(q.FieldByName(QStringLiteral("OJO")).AsInteger()));
      fila[TdmLentilla::Observaciones]->setText(
          TReposicion::Observaciones_A_Texto(q.FieldByName(QStringLiteral("OBSERVACIONES")).AsString()));
      fila[TdmLentilla::ImporteM1]->setData(q.FieldByName(QStringLiteral("IMPORTE_M1")).AsFloat(), Qt::EditRole);
      fila[TdmLentilla::ImporteM2]->setData(q.FieldByName(QStringLiteral("IMPORTE_M2")).AsFloat(), Qt::EditRole);
      fila[TdmLentilla::Fecha]->setText(fecha == 0 ? QString() : fechas::Fecha_A_Texto(fecha));
      fila[TdmLentilla::Fecha]->setData(fecha, Qt::UserRole);
      const auto numero = q.FieldByName(QStringLiteral("NUMERO_FICHA"));
      if (!numero.IsNull()) fila[TdmLentilla::NumeroFicha]->setText(QString::number(numero.AsInt64()));
      m.appendRow(fila);
    }
    q.Close();
    if (q.Transaction && q.Transaction->InTransaction()) q.Transaction->Commit();
  } catch (const EIBError&) {
    q.Close();
    if (q.Transaction && q.Transaction->InTransaction()) q.Transaction->Rollback();
    return -1;
  }
  std::sort(claves_.begin(), claves_.end());
  dm_->dscReposiciones.invalidate();
  dm_->dscReposiciones.sort(TdmLentilla::Fecha, Qt::DescendingOrder);
  cargada_ = true;
  if (m.rowCount() > 0) {
    Fijar_Imagen(2);
    grdReposiciones_->setCurrentIndex(dm_->dscReposiciones.index(0, TdmLentilla::Fecha));
  } else {
    // One new row, dated today, waiting for its observations.
    Fijar_Imagen(3);
    dm_->memReposicionesAfterInsert();
    grdReposiciones_->setCurrentIndex(dm_->dscReposiciones.index(0, TdmLentilla::Fecha));
  }
  return 0;
}

void TPaginaReposiciones::Mostrar() {
  Cargar_Reposiciones();
  Marcar_Reposicion(false);
  Fijar_Busqueda(true);
  modo_ = 1;
}

// ---- State ------------------------------------------------------------------------------------

void TPaginaReposiciones::Marcar_Reposicion(bool modificada) {
  const THostContext* ctx = reglas_.Contexto();
  const bool bloqueada = ctx && ctx->usuario->puedeModificar != 1 && fichaExistente && fichaExistente();
  if (bloqueada) {
    btnReposicionGrabar_->setEnabled(false);
    btnReposicionBorrar_->setEnabled(false);
    modificada_ = false;
    return;
  }
  btnReposicionGrabar_->setEnabled(modificada);
  btnReposicionBorrar_->setEnabled(true);
  modificada_ = modificada;
}

void TPaginaReposiciones::Fijar_Imagen(int imagen) {
  if (imagen == imagen_) return;
  imagen_ = imagen;
  emit Imagen_Cambiada(imagen);
}

void TPaginaReposiciones::Fijar_Busqueda(bool activa) {
  busqueda_ = activa;
  // With the search on, typing looks for a row and Enter (or F2) edits the
  // cell; with it off, typing edits the cell at once.
  grdReposiciones_->setEditTriggers(activa ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                           : QAbstractItemView::AllEditTriggers);
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

bool TPaginaReposiciones::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == grdReposiciones_ && evento->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    if (tecla == Qt::Key_F3) {
      Fijar_Busqueda(!busqueda_);
      if (estado)
        estado(busqueda_ ? QStringLiteral("Activada la busqueda, para modificar pulse intro. Pulse F3 para desactivarla")
                         : QStringLiteral("Desactivada la busqueda. Pulse F3 para activarla"));
      return true;
    }
    if ((tecla == Qt::Key_Return || tecla == Qt::Key_Enter) && grdReposiciones_->currentIndex().isValid() &&
        !grdReposiciones_->indexWidget(grdReposiciones_->currentIndex())) {
      grdReposiciones_->edit(grdReposiciones_->currentIndex());
      return true;
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

// ---- New, save, delete --------------------------------------------------------------------------

void TPaginaReposiciones::btnReposicionNuevaClick() {
  if (modo_ == 0) {
    if (estado) estado(QStringLiteral("Esta añadiendo un registro"));
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
  if (Grabar_Reposiciones() != 0) return false;
  if (actualizarUltimaVisita) actualizarUltimaVisita();
  Fijar_Imagen(2);
  Marcar_Reposicion(false);
  modo_ = 1;
  if (estado) estado(QStringLiteral("Los datos se han grabado correctamente"));
  return true;
}

int TPaginaReposiciones::Grabar_Reposiciones() {
  THostContext* ctx = reglas_.Contexto();
  QStandardItemModel& m = dm_->memReposiciones;
  TReposicion& r = objetos_.Reposicion();
  r.Moneda(ctx->moneda);
  r.ID_PACIENTE(seleccion_.idPaciente);
  // Rows without observations are not kept; the rest are written in the
  // order the grid shows them, and take their new keys once all is written.
  QList<int> filas;
  for (int i = 0; i < dm_->dscReposiciones.rowCount(); ++i) {
    const int fila = dm_->dscReposiciones.mapToSource(dm_->dscReposiciones.index(i, 0)).row();
    if (dm_->memReposicionesBeforePost(fila)) filas << fila;
  }
  QHash<int, double> claves;
  int resultado = 0;
  {
    // The whole list is rewritten in one unit: a failure leaves it as it was.
    TUnidadTrabajo unidad(ctx->conexionPrincipal);
    // Another workstation's change to the list since it was read is never
    // overwritten without the user knowing.
    QList<double> guardadas;
    resultado = r.Claves_Lista(TReposicion::kListaLentillas, guardadas);
    if (resultado == 0 && guardadas != claves_) {
      unidad.Anular();
      unidad.Confirmar();  // lets go of the rows before the user is asked
      Avisar_Cambio_Ajeno();
      return -1;
    }
    if (resultado == TReposicion::kBloqueada) {
      unidad.Anular();
      unidad.Confirmar();
      if (avisarFallo) avisarFallo(nullptr, resultado, true);
      return -1;
    }
    if (resultado == 0) resultado = r.Borrar_Lista(TReposicion::kListaLentillas);
    for (int fila : filas) {
      if (resultado != 0) break;
      r.TIPO_REPOSICION(TReposicion::kListaLentillas);
      r.TIPO(TReposicion::Texto_A_Tipo(m.item(fila, TdmLentilla::TipoReposicion)->text()));
      r.OJO(TReposicion::Texto_A_Ojo(m.item(fila, TdmLentilla::Ojo)->text()));
      r.NUMERO_FICHA(m.item(fila, TdmLentilla::NumeroFicha)->text().toDouble());
      r.FECHA(m.item(fila, TdmLentilla::Fecha)->data(Qt::UserRole).toDouble());
      r.Observaciones() = m.item(fila, TdmLentilla::Observaciones)->text().split(QLatin1Char('\n'));
      r.IMPORTE(m.item(fila, TdmLentilla::ImporteM1)->data(Qt::EditRole).toDouble());
      resultado = r.Insertar();
      if (resultado == TReposicion::kSinFecha) {
        resultado = 0;  // a row without date is skipped
        continue;
      }
      if (resultado == 0) claves.insert(fila, r.ID_REPOSICION());
    }
    if (resultado != 0) unidad.Anular();
    if (!unidad.Confirmar()) {
      if (avisarFallo) avisarFallo(unidad.Causa(), resultado, true);
      return -1;
    }
  }
  // The grid now holds the stored keys (a deletion right after the save
  // deletes the right row); rows that were not kept are gone.
  claves_ = claves.values();
  std::sort(claves_.begin(), claves_.end());
  const QScopedValueRollback<bool> carga(cargando_, true);
  for (int fila = m.rowCount() - 1; fila >= 0; --fila) {
    if (!dm_->memReposicionesBeforePost(fila)) {
      m.removeRow(fila);
      continue;
    }
    m.item(fila, TdmLentilla::IdReposicion)->setData(claves.value(fila, -1), Qt::UserRole);
  }
  return 0;
}

void TPaginaReposiciones::btnReposicionBorrarClick() {
  Tomar_Celda();
  const QModelIndex actual = grdReposiciones_->currentIndex();
  if (!actual.isValid()) return;
  const int fila = dm_->dscReposiciones.mapToSource(actual).row();
  THostContext* ctx = reglas_.Contexto();
  TReposicion& r = objetos_.Reposicion();
  r.Moneda(ctx->moneda);
  const QVariant clave = dm_->memReposiciones.item(fila, TdmLentilla::IdReposicion)->data(Qt::UserRole);
  r.ID_REPOSICION(clave.isValid() ? clave.toDouble() : -1);
  {
    TUnidadTrabajo unidad(ctx->conexionPrincipal);
    const int resultado = r.Borrar();
    if (resultado == -6) return;  // not confirmed: the row stays
    if (resultado != 0) unidad.Anular();
    if (!unidad.Confirmar()) {
      if (avisarFallo) avisarFallo(unidad.Causa(), resultado, false);
      return;
    }
  }
  claves_.removeOne(r.ID_REPOSICION());
  {
    const QScopedValueRollback<bool> carga(cargando_, true);
    dm_->memReposiciones.removeRow(fila);
  }
  if (estado) estado(QStringLiteral("El registro se ha borrado correctamente"));
  Marcar_Reposicion(false);
  modo_ = 1;
}

void TPaginaReposiciones::Avisar_Cambio_Ajeno() {
  THostContext* ctx = reglas_.Contexto();
  const int respuesta = ctx->aplicacion->MessageBox(
      QStringLiteral("Otro puesto ha cambiado las reposiciones de este paciente después de que usted las abriera. No "
                     "se ha grabado nada, para no perder ese cambio.\n\n¿Quiere ver la lista como ha quedado? Sí: se "
                     "vuelve a leer y se pierde lo que usted ha escrito. No: lo que ha escrito sigue en pantalla sin "
                     "grabar."),
      QStringLiteral("PREGUNTA"), mb::YESNO | mb::ICONQUESTION);
  if (respuesta != mb::IDYES) return;
  cargada_ = false;
  if (Cargar_Reposiciones() == 0) {
    Marcar_Reposicion(false);
    modo_ = 1;
  }
}
