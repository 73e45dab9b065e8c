#include "Frm_articulo.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Clase_tmoneda.h"
#include "Codigo_gs1.h"
#include "Util_locale.h"

namespace {
// A reference longer than this is never found when typed in a record's field.
constexpr int kLargoReferencia = 13;
const QString kAviso = QStringLiteral("AVISO");

void Llenar(QComboBox* c, const std::vector<TEntradaLista>& lista, const QString& ninguno) {
  c->clear();
  if (!ninguno.isEmpty()) c->addItem(ninguno, -1.0);
  for (const TEntradaLista& e : lista) c->addItem(e.texto, e.id);
}
}  // namespace

TfrmArticulo::TfrmArticulo(THostContext* ctx, QWidget* padre)
    : QDialog(padre), ctx_(ctx), catalogo_(ctx->aplicacion, ctx->conexionSecundaria, ctx->conexionPrincipal) {
  setObjectName(QStringLiteral("frmArticulo"));
  setWindowTitle(QStringLiteral("Artículos"));
  auto* principal = new QVBoxLayout(this);
  auto* f = new QFormLayout;
  const auto edit = [this](const char* nombre, int largo) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(nombre));
    if (largo > 0) e->setMaxLength(largo);
    return e;
  };
  const auto combo = [this](const char* nombre) {
    auto* c = new QComboBox(this);
    c->setObjectName(QLatin1String(nombre));
    return c;
  };
  edtReferencia_ = edit("edtReferencia", 30);
  edtDescripcion_ = edit("edtDescripcion", 100);
  cbxTipoArticulo_ = combo("cbxTipoArticulo");
  cbxTipoLentilla_ = combo("cbxTipoLentilla");
  edtModelo_ = edit("edtModelo", 50);
  edtColor_ = edit("edtColor", 50);
  edtRadio1_ = edit("edtRadio1", 20);
  edtRadio2_ = edit("edtRadio2", 20);
  edtDiametro_ = edit("edtDiametro", 10);
  cbxFamilia_ = combo("cbxFamilia");
  cbxProveedor_ = combo("cbxProveedor");
  cbxIva_ = combo("cbxIva");
  edtPrecio_ = edit("edtPrecio", 15);
  edtCodigoBarras_ = edit("edtCodigoBarras", 14);
  // A screen that starts the form for a scanned box passes the box's GTIN.
  edtCodigoBarras_->setText(ctx->codigoBarrasArticulo);
  f->addRow(QStringLiteral("Referencia:"), edtReferencia_);
  f->addRow(QStringLiteral("Descripción:"), edtDescripcion_);
  f->addRow(QStringLiteral("Código de barras:"), edtCodigoBarras_);
  f->addRow(QStringLiteral("Tipo de artículo:"), cbxTipoArticulo_);
  f->addRow(QStringLiteral("Tipo de lentilla:"), cbxTipoLentilla_);
  f->addRow(QStringLiteral("Modelo:"), edtModelo_);
  f->addRow(QStringLiteral("Color:"), edtColor_);
  f->addRow(QStringLiteral("Radio 1:"), edtRadio1_);
  f->addRow(QStringLiteral("Radio 2:"), edtRadio2_);
  f->addRow(QStringLiteral("Diámetro:"), edtDiametro_);
  f->addRow(QStringLiteral("Familia:"), cbxFamilia_);
  f->addRow(QStringLiteral("Proveedor:"), cbxProveedor_);
  f->addRow(QStringLiteral("I.V.A. de venta:"), cbxIva_);
  f->addRow(QStringLiteral("P.V.P.:"), edtPrecio_);
  principal->addLayout(f);
  auto* botones = new QHBoxLayout;
  botones->addStretch(1);
  auto* btnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
  btnAceptar->setObjectName(QStringLiteral("btnAceptar"));
  auto* btnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
  btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
  botones->addWidget(btnAceptar);
  botones->addWidget(btnCancelar);
  principal->addLayout(botones);
  connect(btnAceptar, &QPushButton::clicked, this, [this] {
    if (btnAceptarClick()) accept();
  });
  connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmArticulo::~TfrmArticulo() = default;

int TfrmArticulo::Preparar() {
  std::vector<TEntradaLista> tipos, lentillas, familias, proveedores, ivas;
  if (catalogo_.Cargar_Tipos_Articulo(tipos) != 0 || catalogo_.Cargar_Tipos_Lentilla(lentillas) != 0 ||
      catalogo_.Cargar_Familias(familias) != 0 || catalogo_.Cargar_Proveedores(proveedores) != 0 ||
      catalogo_.Cargar_Ivas(ivas) != 0) {
    ctx_->aplicacion->MessageBox(QStringLiteral("No se han podido leer las listas de la base de datos: no se puede "
                                                "crear el artículo."),
                                 QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
    return -1;
  }
  Llenar(cbxTipoArticulo_, tipos, QStringLiteral("Genérico"));
  // A lens screen asks for lenses: that is the kind offered first.
  const int lentilla = cbxTipoArticulo_->findText(QStringLiteral("Lentilla"));
  if (lentilla >= 0) cbxTipoArticulo_->setCurrentIndex(lentilla);
  Llenar(cbxTipoLentilla_, lentillas, QStringLiteral("(Ninguno)"));
  Llenar(cbxFamilia_, familias, QStringLiteral("(Ninguna)"));
  Llenar(cbxProveedor_, proveedores, QStringLiteral("(Ninguno)"));
  Llenar(cbxIva_, ivas, QString());
  cbxIva_->setCurrentIndex(-1);  // chosen on purpose, never by default
  edtReferencia_->setFocus();
  return 0;
}

bool TfrmArticulo::Avisar(const QString& texto, QWidget* campo) {
  ctx_->aplicacion->MessageBox(texto, kAviso, mb::OK | mb::ICONWARNING);
  campo->setFocus();
  return false;
}

bool TfrmArticulo::btnAceptarClick() {
  TArticuloNuevo a;
  a.referencia = edtReferencia_->text().trimmed();
  a.descripcion = edtDescripcion_->text().trimmed();
  if (a.referencia.isEmpty()) return Avisar(QStringLiteral("Escriba la referencia del artículo."), edtReferencia_);
  if (a.referencia.size() > kLargoReferencia)
    return Avisar(QStringLiteral("La referencia no puede tener más de %1 caracteres: con más no se encontraría al "
                                 "teclearla en una ficha.")
                      .arg(kLargoReferencia),
                  edtReferencia_);
  if (a.descripcion.isEmpty()) return Avisar(QStringLiteral("Escriba la descripción del artículo."), edtDescripcion_);
  double precio = 0;
  if (!locale_es::Texto_A_Float(edtPrecio_->text().trimmed(), precio) || precio <= 0)
    return Avisar(QStringLiteral("Escriba el precio de venta del artículo (un número mayor que 0, con coma decimal)."),
                  edtPrecio_);
  if (cbxIva_->currentIndex() < 0) return Avisar(QStringLiteral("Elija el tipo de I.V.A. de venta."), cbxIva_);
  double diametro = 0;
  if (!edtDiametro_->text().trimmed().isEmpty() && !locale_es::Texto_A_Float(edtDiametro_->text().trimmed(), diametro))
    return Avisar(QStringLiteral("El diámetro debe ser un número, con coma decimal."), edtDiametro_);
  // A GTIN-8, -12, -13 or -14 with its check digit; kept as a number, as
  // the screens look barcodes up.
  const QString codigo = edtCodigoBarras_->text().trimmed();
  if (!codigo.isEmpty() && !gs1::Gtin_Valido(codigo))
    return Avisar(QStringLiteral("El código de barras debe ser un GTIN (8, 12, 13 o 14 cifras) con su dígito de "
                                 "control."),
                  edtCodigoBarras_);
  a.codigoBarras = codigo.isEmpty() ? 0 : codigo.toDouble();
  if (catalogo_.Existe_Referencia(a.referencia))
    return Avisar(QStringLiteral("Ya hay un artículo con la referencia «%1».").arg(a.referencia), edtReferencia_);

  const auto clave = [](const QComboBox* c) { return c->currentIndex() < 0 ? -1.0 : c->currentData().toDouble(); };
  a.idTipoArticulo = clave(cbxTipoArticulo_);
  a.idTipoLentilla = clave(cbxTipoLentilla_);
  a.modelo = edtModelo_->text().trimmed();
  a.color = edtColor_->text().trimmed();
  a.radio1 = edtRadio1_->text().trimmed();
  a.radio2 = edtRadio2_->text().trimmed();
  a.diametro = diametro;
  a.idFamilia = clave(cbxFamilia_);
  a.idProveedor = clave(cbxProveedor_);
  a.idIva = clave(cbxIva_);
  a.precioM1 = precio;
  a.precioM2 = precio * (ctx_->moneda ? ctx_->moneda->CONVERSION : 0);
  a.fechaCreacion = ctx_->puesto ? ctx_->puesto->fechaTrabajo : 0;
  QString error;
  if (catalogo_.Crear_Articulo(a, creado_, error) != 0) {
    ctx_->aplicacion->MessageBox(QStringLiteral("No se ha podido crear el artículo; no se ha guardado nada.\n\n") + error,
                                 QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
    return false;
  }
  return true;
}
