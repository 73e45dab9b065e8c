#include "Host_pacientes.h"

#include <QCollator>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

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
  struct TFila {
    int id;
    QString codigo, apellidos, nombre, nombreCompleto, telefono, localidad;
  };
  std::vector<TFila> filas;
  {
    TIBTransaction t;
    t.DefaultDatabase = &db_;
    TIBQuery q;
    q.Database = &db_;
    q.Transaction = &t;
    q.SQL.Add(QStringLiteral(
        "select p.ID_PACIENTE, p.CODIGO, p.APELLIDOS, p.NOMBRE, coalesce(p.NOMBRE_COMPLETO, p.NOMBRE || ' ' || "
        "p.APELLIDOS) NOMBRE_COMPLETO, coalesce(nullif(p.TELEFONO_MOVIL, ''), p.TELEFONO) TELEFONO, "
        "l.DESCRIPCION LOCALIDAD from PACIENTE p left join LOCALIDAD l on l.ID_LOCALIDAD = p.ID_LOCALIDAD "
        "where coalesce(p.BORRADO, 0) = 0"));
    q.Open();
    for (; !q.Eof(); q.Next())
      filas.push_back({q.FieldByName(QStringLiteral("ID_PACIENTE")).AsInteger(),
                       q.FieldByName(QStringLiteral("CODIGO")).AsString(),
                       q.FieldByName(QStringLiteral("APELLIDOS")).AsString(),
                       q.FieldByName(QStringLiteral("NOMBRE")).AsString(),
                       q.FieldByName(QStringLiteral("NOMBRE_COMPLETO")).AsString(),
                       q.FieldByName(QStringLiteral("TELEFONO")).AsString(),
                       q.FieldByName(QStringLiteral("LOCALIDAD")).AsString()});
    t.Commit();
  }
  // By surname and name as a Spanish list goes (Álvarez with the A, Muñoz
  // after Munuera). The database's UTF8 order is by code point, which puts
  // every accented initial after the Z; the list is sorted here instead.
  QCollator espanol(QLocale(QLocale::Spanish, QLocale::Spain));
  std::stable_sort(filas.begin(), filas.end(), [&espanol](const TFila& a, const TFila& b) {
    const int c = espanol.compare(a.apellidos, b.apellidos);
    return c != 0 ? c < 0 : espanol.compare(a.nombre, b.nombre) < 0;
  });
  tabla_->setRowCount(static_cast<int>(filas.size()));
  for (int f = 0; f < static_cast<int>(filas.size()); ++f) {
    auto* codigo = new QTableWidgetItem(filas[f].codigo);
    codigo->setData(Qt::UserRole, filas[f].id);
    tabla_->setItem(f, 0, codigo);
    tabla_->setItem(f, 1, new QTableWidgetItem(filas[f].nombreCompleto));
    tabla_->setItem(f, 2, new QTableWidgetItem(filas[f].telefono));
    tabla_->setItem(f, 3, new QTableWidgetItem(filas[f].localidad));
  }
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
