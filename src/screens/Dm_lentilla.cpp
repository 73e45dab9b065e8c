#include "Dm_lentilla.h"

#include <QHash>

#include "Ibx_transaction.h"
#include "Util_fechas.h"

static void Iniciar_Recursos() { Q_INIT_RESOURCE(iconos); }

TdmLentilla::TdmLentilla(TAplicacion* owner) : QObject(owner) {
  Iniciar_Recursos();
  memReposiciones.setHorizontalHeaderLabels({QStringLiteral("IdReposicion"), QStringLiteral("Tipo"),
                                             QStringLiteral("Ojo"), QStringLiteral("Observaciones"),
                                             QStringLiteral("Importe"), QStringLiteral("Fecha"),
                                             QStringLiteral("Importe 2"), QStringLiteral("Ficha")});
  dscReposiciones.setSourceModel(&memReposiciones);
  dscReposiciones.setSortRole(Qt::UserRole);
  dscReposiciones.sort(Fecha, Qt::DescendingOrder);
}

TdmLentilla::~TdmLentilla() {
  dstReposiciones.Close();
  dstDatos.Close();
}

void TdmLentilla::Enlazar() {
  for (TIBQuery* q : {&dstDatos, &dstReposiciones}) {
    q->Database = ctx_ ? ctx_->conexionPrincipal : nullptr;
    q->Transaction = ctx_ ? ctx_->transaccion : nullptr;
  }
}

int TdmLentilla::memReposicionesAfterInsert() {
  QList<QStandardItem*> fila;
  for (int c = 0; c <= NumeroFicha; ++c) fila << new QStandardItem;
  const double hoy = ctx_ && ctx_->puesto ? ctx_->puesto->fechaTrabajo : fechas::Hoy();
  fila[Fecha]->setText(fechas::Fecha_A_Texto(hoy));
  fila[Fecha]->setData(hoy, Qt::UserRole);  // the sort key: newest first
  fila[TipoReposicion]->setText(QStringLiteral("Limp"));
  fila[Ojo]->setText(QStringLiteral("Dcho."));
  memReposiciones.appendRow(fila);
  return memReposiciones.rowCount() - 1;
}

bool TdmLentilla::memReposicionesBeforePost(int fila) const {
  const QStandardItem* obs = memReposiciones.item(fila, Observaciones);
  return obs && !obs->text().isEmpty();
}

// Reading an icon parses its SVG; the icons are kept for as long as the module
// is loaded, so a screen opened again shows them without parsing anything.
QIcon TdmLentilla::Imagen(const QString& nombre) {
  static QHash<QString, QIcon> iconos;
  auto it = iconos.constFind(nombre);
  if (it != iconos.constEnd()) return *it;
  Iniciar_Recursos();
  return *iconos.insert(nombre, QIcon(QStringLiteral(":/iconos/") + nombre + QStringLiteral(".svg")));
}

QIcon TdmLentilla::Imagen_Pestana(int imagen) {
  switch (imagen) {
    case 1: return Imagen(QStringLiteral("observaciones"));
    case 2: return Imagen(QStringLiteral("pestana_datos"));
    case 3: return Imagen(QStringLiteral("pestana_vacia"));
    default: return QIcon();
  }
}
