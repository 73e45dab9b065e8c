#include "Clase_tprnformato.h"

QString TPRNFormato::Nombre_De_Tipo(int tipo) {
  switch (tipo) {
    case 134: return QStringLiteral("Etiqueta EPL2 de envio");
    case 135: return QStringLiteral("Etiqueta EPL2 de cliente");
    case 136: return QStringLiteral("Etiqueta EPL2 de proveedor");
    case 137: return QStringLiteral("Etiqueta EPL2 de artículo");
    case 138: return QStringLiteral("Etiqueta EPL2 de envio");
    default: return QStringLiteral("Tipo no encontrado");
  }
}

int TPRNFormato::Leer(const QString& fichero) {
  fichero_ = fichero;
  // A file that cannot be read has no type: it is not a label format.
  if (!lector_.Abrir(fichero)) lector_.Leer_Texto(QString());
  tipo_ = lector_.Entero(QStringLiteral("FORMATO"), QStringLiteral("TIPO"), -1);
  rotar_ = lector_.Entero(QStringLiteral("FORMATO"), QStringLiteral("ROTAR"), 0);
  etiqueta_.Rotar = QString::number(rotar_);
  nombreTipo_ = Nombre_De_Tipo(tipo_);
  if (tipo_ < 134 || tipo_ > 138) return kNoValido;
  const auto real = [this](const char* clave) { return lector_.Real(QStringLiteral("PAPEL"), QLatin1String(clave), -1); };
  papel_.Ancho(real("ANCHO"));
  papel_.Alto(real("ALTO"));
  papel_.Margen_Izquierdo(real("MARGEN_IZQUIERDO"));
  papel_.Margen_Derecho(real("MARGEN_DERECHO"));
  papel_.Espacio(real("ESPACIO"));
  totalComponentes_ = lector_.Entero(QStringLiteral("COMPONENTES"), QStringLiteral("TOTAL"), -1);
  return 0;
}
