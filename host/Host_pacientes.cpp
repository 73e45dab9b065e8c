#include "Host_pacientes.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "Ibx_database.h"
#include "Ibx_query.h"
#include "Ibx_transaction.h"

TDlgPacientes::TDlgPacientes(TIBDatabase& db, QWidget* parent) : QDialog(parent), db_(db) {
  setWindowTitle(QStringLiteral("Pacientes"));
  auto* v = new QVBoxLayout(this);
  v->addWidget(new QLabel(QStringLiteral("Buscar (nombre, apellidos, teléfono o código):"), this));
  buscar_ = new QLineEdit(this);
  buscar_->setObjectName(QStringLiteral("edtBuscar"));
  v->addWidget(buscar_);
  tabla_ = new QTableWidget(0, 4, this);
  tabla_->setObjectName(QStringLiteral("grdPacientes"));
  tabla_->setHorizontalHeaderLabels(
      {QStringLiteral("Código"), QStringLiteral("Paciente"), QStringLiteral("Teléfono"), QStringLiteral("Localidad")});
  tabla_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tabla_->setSelectionMode(QAbstractItemView::SingleSelection);
  tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tabla_->verticalHeader()->hide();
  tabla_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  v->addWidget(tabla_, 1);
  auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Abrir fichas de lentillas"));
  v->addWidget(botones);
  connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(tabla_, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
  connect(buscar_, &QLineEdit::textChanged, this, &TDlgPacientes::Filtrar);
  connect(buscar_, &QLineEdit::returnPressed, this, &QDialog::accept);
  resize(760, 520);
  Cargar();
}

void TDlgPacientes::Cargar() {
  TIBTransaction t;
  t.DefaultDatabase = &db_;
  TIBQuery q;
  q.Database = &db_;
  q.Transaction = &t;
  q.SQL.Add(QStringLiteral(
      "select p.ID_PACIENTE, p.CODIGO, coalesce(p.NOMBRE_COMPLETO, p.NOMBRE || ' ' || p.APELLIDOS) NOMBRE, "
      "p.TELEFONO, p.TELEFONO_MOVIL, l.DESCRIPCION LOCALIDAD from PACIENTE p "
      "left join LOCALIDAD l on l.ID_LOCALIDAD = p.ID_LOCALIDAD "
      "where coalesce(p.BORRADO, 0) = 0 order by p.APELLIDOS, p.NOMBRE"));
  q.Open();
  for (; !q.Eof(); q.Next()) {
    const int fila = tabla_->rowCount();
    tabla_->insertRow(fila);
    auto* codigo = new QTableWidgetItem(q.FieldByName(QStringLiteral("CODIGO")).AsString());
    codigo->setData(Qt::UserRole, q.FieldByName(QStringLiteral("ID_PACIENTE")).AsInteger());
    tabla_->setItem(fila, 0, codigo);
    tabla_->setItem(fila, 1, new QTableWidgetItem(q.FieldByName(QStringLiteral("NOMBRE")).AsString()));
    QString tel = q.FieldByName(QStringLiteral("TELEFONO_MOVIL")).AsString();
    if (tel.isEmpty()) tel = q.FieldByName(QStringLiteral("TELEFONO")).AsString();
    tabla_->setItem(fila, 2, new QTableWidgetItem(tel));
    tabla_->setItem(fila, 3, new QTableWidgetItem(q.FieldByName(QStringLiteral("LOCALIDAD")).AsString()));
  }
  t.Commit();
  tabla_->resizeColumnsToContents();
  if (tabla_->rowCount()) tabla_->selectRow(0);
}

void TDlgPacientes::Filtrar(const QString& texto) {
  int primera = -1;
  for (int f = 0; f < tabla_->rowCount(); ++f) {
    bool coincide = texto.isEmpty();
    for (int c = 0; c < tabla_->columnCount() && !coincide; ++c)
      coincide = tabla_->item(f, c)->text().contains(texto, Qt::CaseInsensitive);
    tabla_->setRowHidden(f, !coincide);
    if (coincide && primera < 0) primera = f;
  }
  if (primera >= 0) tabla_->selectRow(primera);
}

int TDlgPacientes::Paciente() const {
  const auto filas = tabla_->selectionModel()->selectedRows();
  if (filas.isEmpty() || tabla_->isRowHidden(filas.first().row())) return -1;
  return tabla_->item(filas.first().row(), 0)->data(Qt::UserRole).toInt();
}
