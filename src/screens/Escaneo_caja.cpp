#include "Escaneo_caja.h"

#include <QAction>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QSettings>

#include "Clase_tarticulo.h"
#include "Codigo_barras.h"
#include "Contexto_host.h"
#include "Dm_lentilla.h"
#include "Lector_cuna.h"
#include "Objetos_lentilla.h"
#include "Pagina_lentilla.h"
#include "Reglas_entrada.h"
#include "Util_fechas.h"

namespace {
const QString kAviso = QStringLiteral("AVISO");
}  // namespace

QChar TEscaneoCaja::Separador_Lector() {
  const QString s =
      QSettings(QStringLiteral("Miravel"), QStringLiteral("3.0")).value(QStringLiteral("Lector/Separador")).toString();
  return s.isEmpty() ? QChar() : s[0];
}

TEscaneoCaja::TEscaneoCaja(TPaginaLentilla& pagina, TReglasEntrada& reglas, TObjetosLentilla& objetos,
                           QLineEdit* articulo, QLineEdit* lote, const QString& nombre, const QString& etiqueta,
                           TDestino destino)
    : QObject(articulo),
      pagina_(pagina),
      reglas_(reglas),
      objetos_(objetos),
      articulo_(articulo),
      lote_(lote),
      etiqueta_(etiqueta),
      destino_(std::move(destino)),
      separador_(Separador_Lector()) {
  lector_ = new TLectorCuna(articulo, separador_);
  connect(lector_, &TLectorCuna::Empezada, this, [this] {
    if (destino_.guardar) destino_.guardar();
  });
  connect(lector_, &TLectorCuna::Leido, this, [this](const QString& codigo) {
    if (destino_.restaurar) destino_.restaurar();
    reglas_.Guardia(etiqueta_, [this, codigo] { Leer_Codigo(codigo); });
  });
  connect(lector_, &TLectorCuna::Cancelado, this, [this] {
    if (reglas_.aviso) reglas_.aviso(QStringLiteral("Escaneo cancelado."));
  });
  QAction* escanear = articulo->addAction(TdmLentilla::Imagen(QStringLiteral("escanear")), QLineEdit::TrailingPosition);
  escanear->setObjectName(QStringLiteral("actEscanear") + nombre);
  escanear->setToolTip(QStringLiteral("Escanear la caja de la lentilla"));
  connect(escanear, &QAction::triggered, this, [this] { Escanear(); });
  QAction* imagen = articulo->addAction(TdmLentilla::Imagen(QStringLiteral("imagen")), QLineEdit::TrailingPosition);
  imagen->setObjectName(QStringLiteral("actImagen") + nombre);
  imagen->setToolTip(QStringLiteral("Leer la caja de la lentilla de una imagen…"));
  connect(imagen, &QAction::triggered, this, [this] { reglas_.Guardia(etiqueta_, [this] { Leer_Imagen(); }); });
}

void TEscaneoCaja::Avisar(const QString& texto) const {
  reglas_.Contexto()->aplicacion->MessageBox(texto, kAviso, mb::OK | mb::ICONWARNING);
}

void TEscaneoCaja::Escanear() {
  if (pagina_.Solo_Lectura() || !articulo_) return;
  articulo_->setFocus();
  lector_->Armar();
  if (reglas_.aviso) reglas_.aviso(QStringLiteral("Pase el lector por el código de la caja (Esc: cancelar)."));
}

void TEscaneoCaja::Leer_Imagen() {
  if (pagina_.Solo_Lectura()) return;
  QStringList filtros;
  for (const QByteArray& f : QImageReader::supportedImageFormats()) filtros << QStringLiteral("*.") + QString::fromLatin1(f);
  // Qt's own dialog, the same on every desktop, so that it can be driven
  // like the screen's other windows.
  QFileDialog dlg(pagina_.window(), QStringLiteral("Leer la caja de una imagen"));
  dlg.setObjectName(QStringLiteral("dlgLeerImagen"));
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setFileMode(QFileDialog::ExistingFile);
  dlg.setNameFilters({QStringLiteral("Imágenes (%1)").arg(filtros.join(QLatin1Char(' '))),
                      QStringLiteral("Todos los archivos (*)")});
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
  Leer_Fichero(dlg.selectedFiles().constFirst());
}

void TEscaneoCaja::Leer_Fichero(const QString& ruta) {
  if (pagina_.Solo_Lectura()) return;
  const QImage imagen(ruta);
  if (imagen.isNull())
    return Avisar(QStringLiteral("No se ha podido abrir la imagen «%1»: no existe o no es una imagen.").arg(ruta));
  const QList<codigo_barras::TLeido> leidos = codigo_barras::Leer_Imagen(imagen);
  if (leidos.isEmpty())
    return Avisar(QStringLiteral("No se ha encontrado ningún código en la imagen. Pruebe con una imagen más nítida, "
                                 "con el código entero y de frente."));
  // A box may carry its code twice (a DataMatrix and a GS1-128): the first
  // that is a box's or a prescription's is taken. zxing gives the symbol's
  // separators as ASCII 29, never as the scanner's replacement.
  for (const codigo_barras::TLeido& l : leidos)
    if (gs1::Parece_Gs1(l.texto) || receta_qr::Es_Receta(l.texto)) return Leer(l.texto, QChar());
  Avisar(QStringLiteral("El código de la imagen («%1») no es el de una caja de lentes ni el de una receta.")
             .arg(leidos.constFirst().texto.left(40)));
}

void TEscaneoCaja::Leer_Codigo(const QString& codigo) { Leer(codigo, separador_); }

void TEscaneoCaja::Leer(const QString& codigo, QChar sustituto) {
  if (pagina_.Solo_Lectura()) return;
  pendiente_.clear();
  THostContext* ctx = reglas_.Contexto();
  if (receta_qr::Es_Receta(codigo)) {
    if (!destino_.receta)
      return Avisar(QStringLiteral("El código leído es una receta: la graduación de una receta se lee en la pestaña "
                                   "Ficha."));
    receta_qr::TReceta receta;
    QString error;
    if (!receta_qr::Leer(codigo, receta, &error)) return Avisar(error);
    destino_.receta(receta);
    return;
  }
  const QDate hoy = fechas::A_QDate(ctx->puesto->fechaTrabajo);
  const gs1::TLectura lectura = gs1::Leer(codigo, sustituto, hoy);
  if (!lectura.Valida()) return Avisar(lectura.mensaje);
  const gs1::TCaja& caja = lectura.caja;
  if (const QString rechazo = gs1::Rechazo_Caja(caja, hoy, lote_ ? lote_->maxLength() : 0); !rechazo.isEmpty())
    return Avisar(rechazo);
  // The article by its GTIN: a barcode is kept as a number, so the GTIN-14
  // of a box and the GTIN-13 (or -12) the article was given are one.
  TArticulo& a = objetos_.Articulo();
  a.CODIGO_BARRAS(caja.gtin.toDouble());
  if (a.Buscar_Por_Codigo_Barras(TArticulo::kCompleto) != 0) {
    if (ctx->aplicacion->MessageBox(QStringLiteral("No hay ningún artículo con el código %1. No se ha rellenado nada.\n"
                                                   "¿Desea crear el artículo en el mantenimiento de artículos?")
                                        .arg(caja.gtin),
                                    kAviso, mb::YESNO | mb::ICONQUESTION) == mb::IDYES &&
        destino_.crear) {
      pendiente_ = codigo;
      separadorPendiente_ = sustituto;
      destino_.crear(caja.gtin);
    }
    return;
  }
  destino_.caja(caja);
  if (reglas_.aviso)
    reglas_.aviso(QStringLiteral("Caja leída: %1, lote %2.")
                      .arg(a.DESCRIPCION(), caja.lote.isEmpty() ? QStringLiteral("-") : caja.lote));
}

void TEscaneoCaja::Servido() {
  if (pendiente_.isEmpty()) return;
  const QString codigo = std::exchange(pendiente_, QString());
  const gs1::TLectura l = gs1::Leer(codigo, separadorPendiente_, fechas::A_QDate(reglas_.Contexto()->puesto->fechaTrabajo));
  if (l.Valida() && gs1::Gtin14(objetos_.Articulo().CODIGO_BARRAS()) == l.caja.gtin) Leer(codigo, separadorPendiente_);
}
