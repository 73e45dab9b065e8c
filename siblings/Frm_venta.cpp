#include "Frm_venta.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QVBoxLayout>

#include "Catalogo_hermanos.h"
#include "Clase_tmoneda.h"
#include "Util_locale.h"

namespace {
enum TColumna { kArticulo, kDescripcion, kCantidad, kPrecio, kDescuento, kImporte, kImporteM2, kPorcentajeIva,
                kCuotaIva, kColumnas };
const char* const kTitulos[kColumnas] = {"Artículo", "Descripción", "Cant.", "Precio", "% Dto.", "Importe",
                                         "Importe 2ª moneda", "% I.V.A.", "Cuota I.V.A."};

bool Editable(int columna) { return columna == kCantidad || columna == kPrecio || columna == kDescuento; }

QString Texto_Descuento(double descuento) { return locale_es::Formatear(descuento, QStringLiteral("0.##")); }
}  // namespace

// ---- Lines ---------------------------------------------------------------------------

int TModeloLineasVenta::rowCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : static_cast<int>(venta_.Lineas().size());
}

int TModeloLineasVenta::columnCount(const QModelIndex& padre) const { return padre.isValid() ? 0 : kColumnas; }

Qt::ItemFlags TModeloLineasVenta::flags(const QModelIndex& indice) const {
  const Qt::ItemFlags f = QAbstractTableModel::flags(indice);
  return Editable(indice.column()) ? f | Qt::ItemIsEditable : f;
}

QVariant TModeloLineasVenta::data(const QModelIndex& indice, int rol) const {
  if (!indice.isValid()) return {};
  if (rol == Qt::TextAlignmentRole && indice.column() >= kCantidad) return int(Qt::AlignRight | Qt::AlignVCenter);
  const TLineaDocumento& l = venta_.Lineas()[indice.row()];
  if (rol == Qt::EditRole) {
    // What an editor starts from: the number alone, without thousands separators.
    switch (indice.column()) {
      case kCantidad: return QString::number(l.cantidad);
      case kPrecio: return locale_es::Formatear(l.precioM1, QStringLiteral("0.00"));
      case kDescuento: return Texto_Descuento(l.descuento);
    }
    return {};
  }
  if (rol != Qt::DisplayRole) return {};
  switch (indice.column()) {
    case kArticulo: return l.referencia;
    case kDescripcion: return l.descripcion;
    case kCantidad: return l.cantidad;
    case kPrecio: return TfrmVenta::Texto_M1(l.precioM1);
    case kDescuento: return Texto_Descuento(l.descuento);
    case kImporte: return TfrmVenta::Texto_M1(l.totalM1);
    case kImporteM2: return TfrmVenta::Texto_M2(l.totalM2, moneda_);
    case kPorcentajeIva: return locale_es::Float_A_Texto(l.porcentajeIva);
    case kCuotaIva: return TfrmVenta::Texto_M1(l.ivaM1);
  }
  return {};
}

bool TModeloLineasVenta::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
  if (!indice.isValid() || rol != Qt::EditRole || !Editable(indice.column())) return false;
  const TVenta::TCampo campo = indice.column() == kCantidad ? TVenta::TCampo::kCantidad
                               : indice.column() == kPrecio ? TVenta::TCampo::kPrecio
                                                            : TVenta::TCampo::kDescuento;
  if (venta_.Cambiar_Linea(indice.row(), campo, valor.toString()) != 0) return false;
  emit dataChanged(index(indice.row(), 0), index(indice.row(), kColumnas - 1));
  return true;
}

QVariant TModeloLineasVenta::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
  if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole) return {};
  return QString::fromUtf8(kTitulos[seccion]);
}

// ---- The cells' editor ---------------------------------------------------------------

QWidget* TDelegadoLineas::createEditor(QWidget* padre, const QStyleOptionViewItem&, const QModelIndex& indice) const {
  auto* e = new QLineEdit(padre);
  e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Only the shape of a number can be typed; its range is the line's to judge.
  const QString forma = indice.column() == kCantidad ? QStringLiteral("\\d{0,3}")
                        : indice.column() == kPrecio ? QStringLiteral("\\d{0,7}([,.]\\d{0,2})?")
                                                     : QStringLiteral("\\d{0,3}([,.]\\d{0,2})?");
  e->setValidator(new QRegularExpressionValidator(QRegularExpression(forma), e));
  aceptado_ = true;
  return e;
}

void TDelegadoLineas::setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& indice) const {
  aceptado_ = modelo->setData(indice, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

bool TDelegadoLineas::Confirmar(QWidget* editor) {
  aceptado_ = true;
  emit commitData(editor);
  if (!aceptado_) emit Rechazado(editor);
  return aceptado_;
}

bool TDelegadoLineas::eventFilter(QObject* objeto, QEvent* evento) {
  auto* editor = qobject_cast<QWidget*>(objeto);
  if (!editor) return QStyledItemDelegate::eventFilter(objeto, evento);
  if (evento->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(evento)->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Tab:
      case Qt::Key_Backtab: {
        const bool atras = static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Backtab;
        if (Confirmar(editor)) emit closeEditor(editor, atras ? EditPreviousItem : EditNextItem);
        return true;
      }
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        // The grid moves to another line only with this one's value taken.
        if (!Confirmar(editor)) return true;
        break;
    }
  } else if (evento->type() == QEvent::FocusOut) {
    // A message or a popup over the window leaves the editor as it is; so
    // does a value the line refuses when the user goes to another control:
    // it is told when the user comes back to it or confirms the document.
    const auto razon = static_cast<QFocusEvent*>(evento)->reason();
    if (razon == Qt::ActiveWindowFocusReason || razon == Qt::PopupFocusReason || !editor->isActiveWindow())
      return false;
    aceptado_ = true;
    emit commitData(editor);
    if (aceptado_) emit closeEditor(editor, NoHint);
    return false;
  }
  return QStyledItemDelegate::eventFilter(objeto, evento);
}

// ---- The grid ------------------------------------------------------------------------

TRejillaLineas::TRejillaLineas(QWidget* padre) : QTableView(padre), delegado_(new TDelegadoLineas(this)) {
  setItemDelegate(delegado_);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  setTabKeyNavigation(true);
}

bool TRejillaLineas::Terminar_Edicion() {
  if (state() != EditingState) return true;
  QWidget* editor = indexWidget(currentIndex());
  if (!editor) return true;
  if (!delegado_->Confirmar(editor)) return false;
  closeEditor(editor, QAbstractItemDelegate::NoHint);
  return true;
}

QModelIndex TRejillaLineas::moveCursor(CursorAction accion, Qt::KeyboardModifiers modificadores) {
  if ((accion != MoveNext && accion != MovePrevious) || !model()) return QTableView::moveCursor(accion, modificadores);
  const int columnas = model()->columnCount();
  const int celdas = model()->rowCount() * columnas;
  const QModelIndex actual = currentIndex();
  const int paso = accion == MoveNext ? 1 : -1;
  int i = actual.isValid() ? actual.row() * columnas + actual.column() : (paso > 0 ? -1 : celdas);
  for (i += paso; i >= 0 && i < celdas; i += paso) {
    const QModelIndex celda = model()->index(i / columnas, i % columnas);
    if (celda.flags() & Qt::ItemIsEditable) return celda;
  }
  return {};  // past the last one: the focus leaves the grid
}

void TRejillaLineas::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const bool adelante = hint == QAbstractItemDelegate::EditNextItem;
  const bool salir = (adelante || hint == QAbstractItemDelegate::EditPreviousItem) &&
                     !moveCursor(adelante ? MoveNext : MovePrevious, Qt::NoModifier).isValid();
  QTableView::closeEditor(editor, hint);
  if (salir) focusNextPrevChild(adelante);
}

void TRejillaLineas::mousePressEvent(QMouseEvent* evento) {
  // A click elsewhere in the grid would close an editor whose value the line
  // refused, and lose it.
  if (state() == EditingState && !Terminar_Edicion()) return;
  QTableView::mousePressEvent(evento);
}

void TRejillaLineas::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
    focusNextPrevChild(!(evento->modifiers() & Qt::ShiftModifier));
    evento->accept();
    return;
  }
  QTableView::keyPressEvent(evento);
}

// ---- The window ----------------------------------------------------------------------

TfrmVenta::TfrmVenta(THostContext* ctx, TVenta::TClase clase, QWidget* padre)
    : QDialog(padre),
      ctx_(ctx),
      venta_(std::make_unique<TVenta>(ctx->aplicacion, ctx->conexionSecundaria, ctx->conexionPrincipal, clase)) {
  const bool venta = clase == TVenta::kVenta;
  setObjectName(venta ? QStringLiteral("frmVenta") : QStringLiteral("frmEncargo"));
  setWindowTitle(venta ? QStringLiteral("Venta directa") : QStringLiteral("Mantenimiento de encargos"));
  auto* principal = new QVBoxLayout(this);
  lblPaciente_ = new QLabel(this);
  lblPaciente_->setObjectName(QStringLiteral("lblPaciente"));
  principal->addWidget(lblPaciente_);

  modelo_ = new TModeloLineasVenta(*venta_, ctx->moneda, this);
  grdLineas_ = new TRejillaLineas(this);
  grdLineas_->setObjectName(QStringLiteral("grdLineas"));
  grdLineas_->setModel(modelo_);
  grdLineas_->verticalHeader()->setVisible(false);
  grdLineas_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  grdLineas_->horizontalHeader()->setSectionResizeMode(kDescripcion, QHeaderView::Stretch);
  principal->addWidget(grdLineas_, 1);

  // Under the grid: the payment method on the left, the totals on the right
  // under the amounts they add up.
  auto* pie = new QHBoxLayout;
  auto* pago = new QFormLayout;
  cbxFormaPago_ = new QComboBox(this);
  cbxFormaPago_->setObjectName(QStringLiteral("cbxFormaPago"));
  cbxFormaPago_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  pago->addRow(QStringLiteral("Forma de pago:"), cbxFormaPago_);
  pie->addLayout(pago);
  pie->addStretch(1);
  auto* totales = new QFormLayout;
  const auto etiqueta = [this](const char* nombre) {
    auto* l = new QLabel(this);
    l->setObjectName(QLatin1String(nombre));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("000.000.000 Pts")));
    return l;
  };
  lblBase_ = etiqueta("lblBase");
  lblIva_ = etiqueta("lblIva");
  lblTotal_ = etiqueta("lblTotal");
  lblTotalM2_ = etiqueta("lblTotalM2");
  QFont negrita = lblTotal_->font();
  negrita.setBold(true);
  lblTotal_->setFont(negrita);
  totales->addRow(QStringLiteral("Base imponible:"), lblBase_);
  totales->addRow(QStringLiteral("I.V.A.:"), lblIva_);
  totales->addRow(QStringLiteral("Total:"), lblTotal_);
  totales->addRow(QStringLiteral("Total 2ª moneda:"), lblTotalM2_);
  pie->addLayout(totales);
  principal->addLayout(pie);

  auto* botones = new QHBoxLayout;
  botones->addStretch(1);
  btnCobrar_ = new QPushButton(venta ? QStringLiteral("Cobrar") : QStringLiteral("Encargar"), this);
  btnCobrar_->setObjectName(QStringLiteral("btnCobrar"));
  btnCobrar_->setToolTip(QStringLiteral("F5"));
  btnCancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
  btnCancelar_->setObjectName(QStringLiteral("btnCancelar"));
  btnCancelar_->setToolTip(QStringLiteral("F12 o Esc"));
  // Enter never presses a button here: it only moves on (keyPressEvent).
  for (QPushButton* b : {btnCobrar_, btnCancelar_}) {
    b->setAutoDefault(false);
    botones->addWidget(b);
  }
  principal->addLayout(botones);
  connect(btnCobrar_, &QPushButton::clicked, this, [this] {
    if (btnCobrarClick()) accept();
  });
  connect(btnCancelar_, &QPushButton::clicked, this, &QDialog::reject);
  connect(new QShortcut(Qt::Key_F5, this), &QShortcut::activated, btnCobrar_, &QPushButton::click);
  connect(new QShortcut(Qt::Key_F12, this), &QShortcut::activated, btnCancelar_, &QPushButton::click);
  connect(modelo_, &QAbstractItemModel::dataChanged, this, &TfrmVenta::Mostrar_Totales);
  connect(grdLineas_->Delegado(), &TDelegadoLineas::Rechazado, this, &TfrmVenta::Avisar_Rechazo);
  resize(900, 380);
}

TfrmVenta::~TfrmVenta() = default;

QString TfrmVenta::Texto_M1(double importe) { return locale_es::Formatear(importe, QStringLiteral(",0.00")); }

QString TfrmVenta::Texto_M2(double importe, const TMoneda* moneda) {
  // A shop without a second currency has no mask for it: whole units.
  const bool mascara = moneda && !moneda->Mascara_M2().isEmpty();
  return locale_es::Formatear(importe, mascara ? moneda->Mascara_M2() : QStringLiteral(",0"));
}

int TfrmVenta::Preparar() {
  if (const int r = venta_->Preparar(*ctx_); r != 0) {
    ctx_->aplicacion->MessageBox(venta_->Problema(), QStringLiteral("AVISO"), mb::OK | mb::ICONWARNING);
    return r;
  }
  std::vector<TEntradaLista> formas;
  TCatalogoHermanos catalogo(ctx_->aplicacion, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
  if (catalogo.Cargar_Formas_Pago(formas) != 0 || formas.empty()) {
    ctx_->aplicacion->MessageBox(QStringLiteral("No hay formas de pago en la base de datos: dé de alta al menos una "
                                                "antes de %1.")
                                     .arg(venta_->Clase() == TVenta::kVenta ? QStringLiteral("cobrar")
                                                                            : QStringLiteral("encargar")),
                                 QStringLiteral("AVISO"), mb::OK | mb::ICONWARNING);
    return -1;
  }
  for (const TEntradaLista& f : formas) cbxFormaPago_->addItem(f.texto, f.id);
  const TTraspaso& t = ctx_->traspaso;
  const QString nombre = (t.nombre + QLatin1Char(' ') + t.apellidos).trimmed();
  lblPaciente_->setText(QStringLiteral("Paciente: %1 (código %2)")
                            .arg(nombre.isEmpty() ? ctx_->seleccion.textoPaciente : nombre)
                            .arg(t.codigoPaciente));
  modelo_->Actualizar();
  Mostrar_Totales();
  // The user starts on the first thing that can be changed: the quantity of
  // the first line.
  grdLineas_->setCurrentIndex(modelo_->index(0, kCantidad));
  grdLineas_->setFocus();
  return 0;
}

void TfrmVenta::Mostrar_Totales() {
  lblBase_->setText(Texto_M1(venta_->Base_M1()));
  lblIva_->setText(Texto_M1(venta_->Iva_M1()));
  lblTotal_->setText(Texto_M1(venta_->Total_M1()));
  lblTotalM2_->setText(Texto_M2(venta_->Total_M2(), ctx_->moneda));
}

void TfrmVenta::Avisar_Rechazo(QWidget* editor) {
  QPointer<QWidget> celda(editor);
  ctx_->aplicacion->MessageBox(venta_->Problema(), QStringLiteral("AVISO"), mb::OK | mb::ICONWARNING);
  if (!celda) return;
  // Back to what was typed, for the user to put right.
  celda->setFocus();
  if (auto* e = qobject_cast<QLineEdit*>(celda.data())) e->selectAll();
}

void TfrmVenta::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
    focusNextPrevChild(!(evento->modifiers() & Qt::ShiftModifier));
    return;
  }
  QDialog::keyPressEvent(evento);
}

bool TfrmVenta::btnCobrarClick() {
  if (!grdLineas_->Terminar_Edicion()) return false;
  const bool venta = venta_->Clase() == TVenta::kVenta;
  const double forma = cbxFormaPago_->currentIndex() < 0 ? -1 : cbxFormaPago_->currentData().toDouble();
  if (forma > 0) {
    const QString simbolo = ctx_->moneda ? ctx_->moneda->SIMBOLO_M1 : QString();
    const QString total = Texto_M1(venta_->Total_M1()) + (simbolo.isEmpty() ? QString() : QLatin1Char(' ') + simbolo);
    const QString pregunta = (venta ? QStringLiteral("¿Desea grabar la venta por %1 (forma de pago: %2)?")
                                    : QStringLiteral("¿Desea grabar el encargo por %1 (forma de pago: %2)?"))
                                 .arg(total, cbxFormaPago_->currentText());
    if (ctx_->aplicacion->MessageBox(pregunta, QStringLiteral("PREGUNTA"), mb::YESNO | mb::ICONQUESTION) != mb::IDYES)
      return false;
  }
  const int r = venta_->Grabar(*ctx_, forma);
  if (r == 0) return true;
  ctx_->aplicacion->MessageBox(
      r == TVenta::kSinFormaPago
          ? venta_->Problema()
          : (venta ? QStringLiteral("No se ha podido grabar la venta; no se ha guardado nada.\n\n")
                   : QStringLiteral("No se ha podido grabar el encargo; no se ha guardado nada.\n\n")) +
                venta_->Problema(),
      QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
  return false;
}
