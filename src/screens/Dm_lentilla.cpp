#include "Dm_lentilla.h"

#include "Ibx_transaction.h"

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

QIcon TdmLentilla::Imagen(const QString& nombre) {
  Iniciar_Recursos();
  return QIcon(QStringLiteral(":/iconos/") + nombre + QStringLiteral(".svg"));
}
