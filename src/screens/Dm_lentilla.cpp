#include "Dm_lentilla.h"

#include <QHash>

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

TdmLentilla::~TdmLentilla() = default;

void TdmLentilla::Anadir_Reposicion(const TFilaReposicion& f) {
  QList<QStandardItem*> fila;
  for (int c = 0; c <= NumeroFicha; ++c) fila << new QStandardItem;
  fila[IdReposicion]->setData(f.clave, Qt::UserRole);
  fila[TipoReposicion]->setText(TReposicion::Tipo_A_Texto(f.tipo));
  fila[Ojo]->setText(TReposicion::Ojo_A_Texto(f.ojo));
  fila[Observaciones]->setText(TReposicion::Observaciones_A_Texto(f.observaciones));
  fila[ImporteM1]->setData(f.importeM1, Qt::EditRole);
  fila[ImporteM2]->setData(f.importeM2, Qt::EditRole);
  fila[Fecha]->setText(f.fecha == 0 ? QString() : fechas::Fecha_A_Texto(f.fecha));
  fila[Fecha]->setData(f.fecha, Qt::UserRole);
  if (!f.sinNumero) fila[NumeroFicha]->setText(QString::number(static_cast<qint64>(f.numeroFicha)));
  memReposiciones.appendRow(fila);
}

TFilaReposicion TdmLentilla::Fila_Reposicion(int fila) const {
  const auto celda = [&](Columna c) { return memReposiciones.item(fila, c); };
  TFilaReposicion f;
  const QVariant clave = celda(IdReposicion)->data(Qt::UserRole);
  f.clave = clave.isValid() ? clave.toDouble() : -1;
  f.tipo = TReposicion::Texto_A_Tipo(celda(TipoReposicion)->text());
  f.ojo = TReposicion::Texto_A_Ojo(celda(Ojo)->text());
  f.numeroFicha = celda(NumeroFicha)->text().toDouble();
  f.sinNumero = celda(NumeroFicha)->text().isEmpty();
  f.fecha = celda(Fecha)->data(Qt::UserRole).toDouble();
  f.observaciones = celda(Observaciones)->text();
  f.importeM1 = celda(ImporteM1)->data(Qt::EditRole).toDouble();
  f.importeM2 = celda(ImporteM2)->data(Qt::EditRole).toDouble();
  return f;
}

void TdmLentilla::Fijar_Clave_Reposicion(int fila, double clave) {
  memReposiciones.item(fila, IdReposicion)->setData(clave, Qt::UserRole);
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
