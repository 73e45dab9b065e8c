#include "Frm_buscar_formatos.h"

#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Util_locale.h"

namespace {
// A size as the information panel shows it: two plain numbers.
QString Tamano(double ancho, double alto) {
  return locale_es::Float_A_Texto(ancho) + QStringLiteral(" x ") + locale_es::Float_A_Texto(alto);
}
}  // namespace

QString TfrmBuscarFormatos::Nombre_Tipo(int tipo) {
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
    case 15: return QStringLiteral("Receta con graduación");
    case 16: return QStringLiteral("Receta con lentilla");
    case 17: return QStringLiteral("Receta con audífono");
    case 19: return QStringLiteral("Resguardo");
    case 20: return QStringLiteral("Resguardo con graduación");
    case 21: return QStringLiteral("Resguado con lentilla");
    case 22: return QStringLiteral("Resguardo con audífono");
    case 24: return QStringLiteral("Garantia con graduación");
    case 25: return QStringLiteral("Garantia con lentilla");
    case 26: return QStringLiteral("Garantia con audífono");
    case 28: return QStringLiteral("Ficha de paciente");
    case 29: return QStringLiteral("Ficha de graduación");
    case 30: return QStringLiteral("Ficha de lentilla");
    case 31: return QStringLiteral("Ficha de audifono");
    case 32: return QStringLiteral("Ficha de audífono");
    case 34:
    case 101: return QStringLiteral("Etiqueta de paciente");
    case 35:
    case 102: return QStringLiteral("Etiqueta de cliente");
    case 36:
    case 103: return QStringLiteral("Etiqueta de proveedor");
    case 37:
    case 100: return QStringLiteral("Etiqueta de artículo");
    case 38:
    case 104: return QStringLiteral("Etiqueta de envio");
    default: return {};
  }
}

TfrmBuscarFormatos::TfrmBuscarFormatos(TAplicacion* owner)
    : TDialogo(owner ? owner->ventanaPrincipal : nullptr), documento_(owner) {
  setObjectName(QStringLiteral("frmBuscarFormatos"));
  setWindowTitle(QStringLiteral("Búsqueda de formatos"));
  documento_.Inicializar();
  auto* v = new QVBoxLayout(this);

  auto* cabecera = new QLabel(QStringLiteral("<b>Formatos disponibles</b><br>En esta pantalla se le muestran todos los "
                                             "formatos disponibles para el tipo de documento solicitado."),
                              this);
  cabecera->setWordWrap(true);
  v->addWidget(cabecera);
  pnlTipo_ = new QLabel(QStringLiteral(" <Tipo de formato>"), this);
  pnlTipo_->setObjectName(QStringLiteral("pnlTipo"));
  pnlTipo_->setStyleSheet(QStringLiteral("#pnlTipo { background: #1f5fa8; color: white; font-weight: bold; "
                                         "padding: 3px; }"));
  v->addWidget(pnlTipo_);
  lvwFormatos_ = new QListWidget(this);
  lvwFormatos_->setObjectName(QStringLiteral("lvwFormatos"));
  lvwFormatos_->setMinimumHeight(160);
  v->addWidget(lvwFormatos_, 1);

  auto* info = new QGroupBox(QStringLiteral("Información del formato seleccionado "), this);
  auto* fi = new QFormLayout(info);
  const auto valor = [info](const char* nombre) {
    auto* l = new QLabel(info);
    l->setObjectName(QString::fromLatin1(nombre));
    return l;
  };
  lblTipo_ = valor("lblTipo");
  lblPapel_ = valor("lblPapel");
  fi->addRow(QStringLiteral("Tipo:"), lblTipo_);
  fi->addRow(QStringLiteral("Papel:"), lblPapel_);
  filasEtiqueta_ = new QWidget(info);
  auto* fe = new QFormLayout(filasEtiqueta_);
  fe->setContentsMargins(0, 0, 0, 0);
  lblEtiqueta_ = valor("lblEtiqueta");
  lblColumnas_ = valor("lblColumnas");
  lblFilas_ = valor("lblFilas");
  fe->addRow(QStringLiteral("Etiqueta:"), lblEtiqueta_);
  fe->addRow(QStringLiteral("Columnas:"), lblColumnas_);
  fe->addRow(QStringLiteral("Filas:"), lblFilas_);
  fi->addRow(filasEtiqueta_);
  v->addWidget(info);

  grpPosicion_ = new QGroupBox(QStringLiteral(" Posición de la etiqueta inicial "), this);
  auto* hp = new QHBoxLayout(grpPosicion_);
  edtFila_ = new QSpinBox(grpPosicion_);
  edtFila_->setObjectName(QStringLiteral("edtFila"));
  edtColumna_ = new QSpinBox(grpPosicion_);
  edtColumna_->setObjectName(QStringLiteral("edtColumna"));
  for (QSpinBox* s : {edtFila_, edtColumna_}) s->setRange(1, 1);
  hp->addWidget(new QLabel(QStringLiteral("Fila:"), grpPosicion_));
  hp->addWidget(edtFila_);
  hp->addWidget(new QLabel(QStringLiteral("Columna:"), grpPosicion_));
  hp->addWidget(edtColumna_);
  hp->addStretch(1);
  v->addWidget(grpPosicion_);
  filasEtiqueta_->setVisible(false);
  grpPosicion_->setVisible(false);

  auto* botones = new QHBoxLayout;
  botones->addStretch(1);
  btnCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
  btnCancelar_->setObjectName(QStringLiteral("btnCancelar"));
  btnAceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
  btnAceptar_->setObjectName(QStringLiteral("btnAceptar"));
  btnAceptar_->setAutoDefault(false);
  btnCancelar_->setAutoDefault(false);
  botones->addWidget(btnCancelar_);
  botones->addWidget(btnAceptar_);
  v->addLayout(botones);

  Al_Pulsar(btnCancelar_, [this] { reject(); });
  Al_Pulsar(btnAceptar_, [this] { btnAceptarClick(); });
  Al_Emitir(lvwFormatos_, &QListWidget::currentRowChanged, QStringLiteral("lvwFormatos -> OnChange"),
            [this] { Mostrar_Informacion(); });
  // A double click picks the format as Aceptar would, if it may.
  Al_Emitir(lvwFormatos_, &QListWidget::itemDoubleClicked, QStringLiteral("lvwFormatos -> OnDblClick"), [this] {
    if (btnAceptar_->isEnabled()) btnAceptarClick();
  });
  Tecla(Qt::Key_F5, btnAceptar_);
  Tecla(Qt::Key_F12, btnCancelar_);
  resize(460, 520);
}

void TfrmBuscarFormatos::Tipo_Documento(int tipo) {
  if (tipo == tipoPedido_) return;
  tipoPedido_ = tipo_ = tipo;
  pnlTipo_->setText(QLatin1Char(' ') + Nombre_Tipo(tipo));
  Vigilar(QStringLiteral("Inicializar"), [this] { Llenar_Lista(); });
}

void TfrmBuscarFormatos::Tipos_Aceptados(const QStringList& tipos) {
  usarLista_ = true;
  tiposAceptados_ = tipos;
  Vigilar(QStringLiteral("Inicializar"), [this] { Llenar_Lista(); });
}

QString TfrmBuscarFormatos::Ruta(const QString& nombre) const {
  const QString carpeta = ctx_ && ctx_->puesto ? ctx_->puesto->carpetaFormatos : QString();
  return QDir(carpeta).filePath(nombre + QStringLiteral(".prn"));
}

bool TfrmBuscarFormatos::Acepta_Tipo(int tipo) const {
  return usarLista_ ? tiposAceptados_.contains(QString::number(tipo)) : tipo == tipoPedido_;
}

void TfrmBuscarFormatos::Llenar_Lista() {
  const QSignalBlocker bloqueo(lvwFormatos_);
  lvwFormatos_->clear();
  const QString carpeta = ctx_ && ctx_->puesto ? ctx_->puesto->carpetaFormatos : QString();
  QStringList ficheros =
      carpeta.isEmpty() ? QStringList() : QDir(carpeta).entryList({QStringLiteral("*.prn")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
  for (const QString& f : ficheros) {
    const QString nombre = QFileInfo(f).completeBaseName();
    bool entra = false;
    if (tipoPedido_ < TBaseDocumento::kPrimeraEtiqueta) {
      documento_.Fichero_Formato(Ruta(nombre));
      entra = documento_.Comprobar_Formato() == 0 && Acepta_Tipo(documento_.Tipo());
    } else {
      // Label documents: standard label formats of the type, or EPL/2 label
      // formats of a label type at least the requested one plus 100.
      documento_.Fichero_Formato(Ruta(nombre));
      if (documento_.Comprobar_Formato() == 0)
        entra = Acepta_Tipo(documento_.Tipo());
      else if (prn_.Leer(Ruta(nombre)) == 0)
        entra = usarLista_ ? Acepta_Tipo(prn_.Tipo()) : prn_.Tipo() >= tipoPedido_ + 100;
    }
    if (entra) lvwFormatos_->addItem(nombre);
  }
  btnAceptar_->setEnabled(lvwFormatos_->count() > 0);
  if (lvwFormatos_->count() == 0) return;
  // The user's default format of the type, matched on its whole name.
  QString defecto;
  if (ctx_ && ctx_->usuario) {
    switch (tipoPedido_) {
      case 16: defecto = ctx_->usuario->formatoReceta; break;
      case 25: defecto = ctx_->usuario->formatoGarantia; break;
      case 30: defecto = ctx_->usuario->formatoFicha; break;
      default: break;
    }
  }
  int elegido = 0;
  for (int i = 0; i < lvwFormatos_->count(); ++i)
    if (!defecto.isEmpty() && lvwFormatos_->item(i)->text().compare(defecto, Qt::CaseInsensitive) == 0) elegido = i;
  lvwFormatos_->setCurrentRow(elegido);
  Mostrar_Informacion();
}

void TfrmBuscarFormatos::Mostrar_Informacion() {
  QListWidgetItem* item = lvwFormatos_->currentItem();
  if (!item) return;
  const QString ruta = Ruta(item->text());
  documento_.Fichero_Formato(ruta);
  if (documento_.Comprobar_Formato() == 0 && documento_.Leer_Formato() == 0) {
    lblTipo_->setText(QStringLiteral("Formato estandar"));
    lblPapel_->setText(Tamano(documento_.Papel().Ancho, documento_.Papel().Alto));
    const bool etiqueta = documento_.Es_Etiqueta();
    filasEtiqueta_->setVisible(etiqueta);
    grpPosicion_->setVisible(etiqueta);
    if (etiqueta) {
      const auto& e = documento_.Etiqueta();
      lblEtiqueta_->setText(Tamano(e.Ancho, e.Alto));
      lblColumnas_->setText(QString::number(e.Columnas));
      lblFilas_->setText(QString::number(e.Filas));
      edtFila_->setRange(1, std::max<int>(1, e.Filas));
      edtColumna_->setRange(1, std::max<int>(1, e.Columnas));
    }
    tipo_ = documento_.Tipo();
    return;
  }
  if (prn_.Leer(ruta) == 0) {
    lblTipo_->setText(QStringLiteral("Formato EPL/2"));
    lblPapel_->setText(Tamano(prn_.Papel().Ancho(), prn_.Papel().Alto()));
    filasEtiqueta_->setVisible(false);
    grpPosicion_->setVisible(false);
    tipo_ = prn_.Tipo();
    return;
  }
  lblTipo_->setText(QStringLiteral("<Documento no válido>"));
  lblPapel_->clear();
}

void TfrmBuscarFormatos::btnAceptarClick() {
  QListWidgetItem* item = lvwFormatos_->currentItem();
  const QString ruta = item ? Ruta(item->text()) : QString();
  documento_.Fichero_Formato(ruta);
  if (item && documento_.Comprobar_Formato() == 0) {
    formato_ = item->text();
    columna_ = edtColumna_->value();
    fila_ = edtFila_->value();
    accept();
    return;
  }
  if (item && prn_.Leer(ruta) == 0) {
    formato_ = item->text();
    columna_ = fila_ = 1;
    accept();
    return;
  }
  if (ctx_ && ctx_->aplicacion)
    ctx_->aplicacion->MessageBox(QStringLiteral("El formato seleccionado no se ha podido reconocer. Seleccione otro "
                                                "formato"),
                                 QStringLiteral("AVISO"), mb::OK | mb::ICONSTOP);
}
