#include "Clase_tdocumento.h"

#include <QFileInfo>

#include "Contexto_host.h"

void TDocumento::Inicializar() {
  memoria_->Activar();
}

QString TDocumento::Nombre_De_Tipo(int tipo) {
  switch (tipo) {
    case 1: return QStringLiteral("Factura a cliente");
    case 2: return QStringLiteral("Factura a paciente");
    case 4: return QStringLiteral("Albaran a cliente");
    case 5: return QStringLiteral("Albaran a paciente");
    case 7: return QStringLiteral("Presupuesto a cliente");
    case 8: return QStringLiteral("Presupuesto a paciente");
    case 10: return QStringLiteral("Recibo a cliente");
    case 11: return QStringLiteral("Recibo a paciente");
    case 13: return QStringLiteral("Carné");
    case 15: return QStringLiteral("Receta con ficha de graduación");
    case 16: return QStringLiteral("Receta con ficha de lentilla");
    case 17: return QStringLiteral("Receta con ficha de audífono");
    case 20: return QStringLiteral("Resguardo con ficha de graduación");
    case 21: return QStringLiteral("Resguardo con ficha de lentilla");
    case 22: return QStringLiteral("Resguardo con ficha de audífono");
    case 24: return QStringLiteral("Garantia de graduación");
    case 25: return QStringLiteral("Garantia de lentillas");
    case 26: return QStringLiteral("Garantia de audífono");
    case 28: return QStringLiteral("Ficha de paciente");
    case 29: return QStringLiteral("Ficha de graduación");
    case 30: return QStringLiteral("Ficha de lentilla");
    case 31: return QStringLiteral("Ficha de audífono");
    case 32: return QStringLiteral("Ficha de optometria");
    case 34: return QStringLiteral("Etiqueta de paciente");
    case 35: return QStringLiteral("Etiqueta de cliente");
    case 36: return QStringLiteral("Etiqueta de proveedor");
    case 37: return QStringLiteral("Etiqueta de artículos");
    case 38: return QStringLiteral("Etiqueta de envio");
    default: return QStringLiteral("Tipo no encontrado");
  }
}

QString TDocumento::Nombre_Tipo(int tipo) {
  nombreTipo_ = Nombre_De_Tipo(tipo);
  nombreTipoTexto_ = nombreTipo_;
  return nombreTipo_;
}

int TDocumento::Comprobar_Formato() {
  int r = 0;
  if (formato_.isEmpty()) {
    r = kSinFichero;
  } else if (!QFileInfo(formato_).isFile() || !lector_->Abrir(formato_)) {
    // A file that is there but cannot be opened is as good as absent.
    r = kNoExiste;
  } else {
    tipo_ = lector_->Entero(QStringLiteral("FORMAT"), QStringLiteral("DOCUMENT"), -1);
    Nombre_Tipo(tipo_);
    if (tipo_ == -1) r = kNoValido;
  }
  if (r != 0) {
    valido_ = 0;
    resultado_ = r;
    return r;
  }
  componentes_->Lector(lector_.get());
  valido_ = 1;
  resultado_ = -1;
  etiqueta_ = tipo_ >= kPrimeraEtiqueta ? 1 : 0;
  return 0;
}

int TDocumento::Leer_Formato() {
  const int r = Comprobar_Formato();
  if (r != 0) {
    QString texto;
    if (r == kSinFichero)
      texto = QStringLiteral("La propiedad - Document - no tiene asignado un fichero prn. Imposible continuar");
    else if (r == kNoValido)
      texto = QStringLiteral("El fichero - PRN - no es un documento valido. Imposible continuar");
    else
      texto = QStringLiteral("No se ha encontrado el formato especificado. Imposible continuar");
    if (aplicacion_) aplicacion_->MessageBox(texto, QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
    return r;
  }
  const TLectorIni& l = *lector_;
  const auto real = [&l](const char* seccion, const char* clave) {
    return l.Real(QLatin1String(seccion), QLatin1String(clave), -1);
  };
  papel_ = {real("PAPER", "WIDTH"), real("PAPER", "HEIGHT")};
  margenes_ = {real("MARGIN", "TOP"), real("MARGIN", "BOTTOM"), real("MARGIN", "LEFT"), real("MARGIN", "RIGHT")};
  bandas_ = {real("BANDS", "HEADER"), real("BANDS", "DETAIL"), real("BANDS", "FOOTER")};
  Total_Controles(l.Entero(QStringLiteral("CONTROLS"), QStringLiteral("TOTAL"), -1));
  if (tipo_ < kPrimeraEtiqueta) {
    etiquetaValores_ = {0, 0, 0, 0, 0, 0, 0, 0};
  } else {
    etiquetaValores_.Ancho = real("LABEL", "WIDTH");
    etiquetaValores_.Alto = real("LABEL", "HEIGHT");
    etiquetaValores_.Filas = static_cast<int16_t>(l.Entero(QStringLiteral("LABEL"), QStringLiteral("ROWS"), -1));
    etiquetaValores_.Columnas =
        static_cast<int16_t>(l.Entero(QStringLiteral("LABEL"), QStringLiteral("COLUMNS"), -1));
    etiquetaValores_.Superior = real("MARGIN", "TOP");
    etiquetaValores_.Inferior = real("MARGIN", "BOTTOM");
    etiquetaValores_.Vertical = real("MARGIN", "VERTICAL");
    etiquetaValores_.Horizontal = real("MARGIN", "HORIZONTAL");
  }
  componentes_->Lector(lector_.get());
  return r;
}

int TDocumento::Variable(int codigo, const QString& valor) {
  memoria_->Agregar(codigo, valor);
  return 0;
}

bool TDocumento::Valor(int codigo, QString* valor) const {
  const QList<TVariableDocumento>& v = memoria_->Variables();
  for (auto it = v.crbegin(); it != v.crend(); ++it) {
    if (it->CODIGO != codigo) continue;
    if (valor) *valor = it->VALOR;
    return true;
  }
  return false;
}
