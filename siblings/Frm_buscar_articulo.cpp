#include "Frm_buscar_articulo.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "Util_locale.h"

// ---- The list ------------------------------------------------------------------------

void TModeloArticulos::Fijar_Filas(std::vector<TFilaArticulo> filas) {
  beginResetModel();
  filas_ = std::move(filas);
  indices_.resize(filas_.size());
  for (size_t i = 0; i < indices_.size(); ++i) indices_[i] = static_cast<int>(i);
  endResetModel();
}

int TModeloArticulos::Filtrar(const QString& texto, int32_t familia) {
  beginResetModel();
  indices_ = Filtrar_Articulos(filas_, texto, familia);
  endResetModel();
  return static_cast<int>(indices_.size());
}

int TModeloArticulos::rowCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : static_cast<int>(indices_.size());
}

int TModeloArticulos::columnCount(const QModelIndex& padre) const { return padre.isValid() ? 0 : 4; }

QVariant TModeloArticulos::data(const QModelIndex& indice, int rol) const {
  if (!indice.isValid()) return {};
  const TFilaArticulo& f = Fila(indice.row());
  if (rol == Qt::TextAlignmentRole && indice.column() == 3) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (rol != Qt::DisplayRole) return {};
  switch (indice.column()) {
    case 0: return f.referencia;
    case 1: return f.descripcion;
    case 2: return f.codigoBarras;
    case 3: return locale_es::Formatear(f.precio, QStringLiteral(",0.00"));
  }
  return {};
}

QVariant TModeloArticulos::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
  if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole) return {};
  static const char* const kTitulos[] = {"Referencia", "Descripción", "C. barras", "P.V.P."};
  return QString::fromUtf8(kTitulos[seccion]);
}

// ---- The window ----------------------------------------------------------------------

TfrmBuscarArticulo::TfrmBuscarArticulo(THostContext* ctx, QWidget* padre) : QDialog(padre), ctx_(ctx) {
  setObjectName(QStringLiteral("frmBuscarArticulo"));
  setWindowTitle(QStringLiteral("Búsqueda de artículos"));
  auto* principal = new QVBoxLayout(this);
  auto* filtros = new QHBoxLayout;
  filtros->addWidget(new QLabel(QStringLiteral("Buscar:"), this));
  edtBuscar_ = new QLineEdit(this);
  edtBuscar_->setObjectName(QStringLiteral("edtBuscar"));
  edtBuscar_->setPlaceholderText(QStringLiteral("Referencia, descripción o código de barras"));
  filtros->addWidget(edtBuscar_, 1);
  filtros->addWidget(new QLabel(QStringLiteral("Familia:"), this));
  cbxFamilia_ = new QComboBox(this);
  cbxFamilia_->setObjectName(QStringLiteral("cbxFamilia"));
  filtros->addWidget(cbxFamilia_);
  principal->addLayout(filtros);

  modelo_ = new TModeloArticulos(this);
  grdArticulos_ = new QTableView(this);
  grdArticulos_->setObjectName(QStringLiteral("grdArticulos"));
  grdArticulos_->setModel(modelo_);
  grdArticulos_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdArticulos_->setSelectionMode(QAbstractItemView::SingleSelection);
  grdArticulos_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdArticulos_->verticalHeader()->setVisible(false);
  // Fixed rows: a new list of thousands of rows is laid out without measuring each.
  grdArticulos_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grdArticulos_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  principal->addWidget(grdArticulos_, 1);

  auto* pie = new QHBoxLayout;
  lblResultado_ = new QLabel(this);
  lblResultado_->setObjectName(QStringLiteral("lblResultado"));
  pie->addWidget(lblResultado_, 1);
  auto* btnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
  btnAceptar->setObjectName(QStringLiteral("btnAceptar"));
  btnAceptar->setAutoDefault(false);
  auto* btnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
  btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
  btnCancelar->setAutoDefault(false);
  pie->addWidget(btnAceptar);
  pie->addWidget(btnCancelar);
  principal->addLayout(pie);

  connect(edtBuscar_, &QLineEdit::textChanged, this, &TfrmBuscarArticulo::Filtrar);
  connect(cbxFamilia_, &QComboBox::currentIndexChanged, this, &TfrmBuscarArticulo::Filtrar);
  connect(grdArticulos_, &QTableView::doubleClicked, this, [this](const QModelIndex& i) { Elegir(i.row()); });
  connect(btnAceptar, &QPushButton::clicked, this, [this] {
    const QModelIndex i = grdArticulos_->currentIndex();
    Elegir(i.isValid() ? i.row() : 0);
  });
  connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
  edtBuscar_->installEventFilter(this);
  grdArticulos_->installEventFilter(this);
  resize(760, 480);
}

TfrmBuscarArticulo::~TfrmBuscarArticulo() = default;

int TfrmBuscarArticulo::Preparar() {
  TCatalogoHermanos catalogo(ctx_->aplicacion, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
  std::vector<TEntradaLista> familias;
  std::vector<TFilaArticulo> filas;
  if (catalogo.Cargar_Familias(familias) != 0 || catalogo.Cargar_Articulos(filas) != 0) {
    ctx_->aplicacion->MessageBox(QStringLiteral("No se ha podido leer la lista de artículos de la base de datos. "
                                                "Inténtelo de nuevo y, si el problema persiste, avise al "
                                                "responsable del programa."),
                                 QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
    return -1;
  }
  {
    const QSignalBlocker bloqueo(cbxFamilia_);
    cbxFamilia_->clear();
    cbxFamilia_->addItem(QStringLiteral("(Todas)"), -1);
    for (const TEntradaLista& f : familias) cbxFamilia_->addItem(f.texto, static_cast<int>(f.id));
  }
  modelo_->Fijar_Filas(std::move(filas));
  Filtrar();
  return 0;
}

void TfrmBuscarArticulo::Fijar_Texto(const QString& texto) {
  edtBuscar_->setText(texto);
  edtBuscar_->selectAll();
  edtBuscar_->setFocus();
}

void TfrmBuscarArticulo::Filtrar() {
  const int32_t familia = cbxFamilia_->currentIndex() < 0 ? -1 : cbxFamilia_->currentData().toInt();
  const int n = modelo_->Filtrar(edtBuscar_->text(), familia);
  if (n > 0) grdArticulos_->setCurrentIndex(modelo_->index(0, 0));
  if (n == 0)
    lblResultado_->setText(edtBuscar_->text().trimmed().isEmpty()
                               ? QStringLiteral("No hay ningún artículo de esta familia.")
                               : QStringLiteral("Ningún artículo contiene «%1».").arg(edtBuscar_->text().trimmed()));
  else
    lblResultado_->setText(n == 1 ? QStringLiteral("1 artículo") : QStringLiteral("%1 artículos").arg(n));
}

void TfrmBuscarArticulo::Elegir(int fila) {
  // With nothing listed there is nothing to choose: the window stays open.
  if (fila < 0 || fila >= modelo_->rowCount()) return;
  elegido_ = modelo_->Fila(fila).id;
  accept();
}

bool TfrmBuscarArticulo::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
      const QModelIndex i = grdArticulos_->currentIndex();
      Elegir(i.isValid() ? i.row() : 0);
      return true;
    }
    // The arrows walk the list while the cursor stays in the search text.
    if (objeto == edtBuscar_ && (tecla == Qt::Key_Down || tecla == Qt::Key_Up || tecla == Qt::Key_PageDown ||
                                 tecla == Qt::Key_PageUp)) {
      QKeyEvent copia(QEvent::KeyPress, tecla, Qt::NoModifier);
      QCoreApplication::sendEvent(grdArticulos_, &copia);
      return true;
    }
  }
  return QDialog::eventFilter(objeto, evento);
}
