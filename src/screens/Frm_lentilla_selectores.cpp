// Pickers of the "Ficha" tab: the doctor and agent lists with their
// quick-creation dialogs and refresh buttons, the lens types, the article of
// each eye (looked up by reference or barcode, cleared with Supr), the amounts
// with their second-currency hint, the copy of the right eye's lens into the
// left eye, and the transposition button.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <cmath>

#include "Clase_tarticulo.h"
#include "Codigo_gs1.h"
#include "Escaneo_caja.h"
#include "Receta_qr.h"
#include "Util_fechas.h"
#include "Etiquetas_lentilla.h"
#include "Clase_tctrlteclado.h"
#include "Clase_tlentilla.h"
#include "Clase_tmoneda.h"
#include "Dm_lentilla.h"
#include "Edit_fecha.h"
#include "Frm_crear_agente.h"
#include "Frm_crear_doctor.h"
#include "Frm_crear_tipo_lentilla.h"
#include "Frm_lentilla_ficha.h"
#include "Graduacion.h"
#include "Importes_lentilla.h"
#include "Objetos_lentilla.h"
#include "Util_locale.h"

namespace {
const QString kAviso = QStringLiteral("AVISO");

// A graduation the transposition may use: a plain number that passes the
// graduation check (an empty text, "Compen" or "Neutro" take no part).
bool Graduacion_Trasponible(const QString& texto, double& valor) {
  if (texto.isEmpty() || !TCtrlTeclado::Es_Numero(texto) || TCtrlTeclado::Validar_Graduacion(texto) != 0)
    return false;
  return locale_es::Texto_A_Float(texto, valor);
}

QString Texto_Trasposicion(double v) {
  if (v == 0) v = 0;  // no "-0,00"
  return graduacion::Normalizar_Graduacion(locale_es::Formatear(v, QStringLiteral("0.00")));
}
}  // namespace

// ---- Binding -----------------------------------------------------------------------------

void TPaginaFicha::Enlazar_Selectores() {
  // Insert in a picker creates a new entry for it.
  const auto insertar = [this](const char* etiqueta, std::function<void()> accion) {
    return [this, etiqueta, accion = std::move(accion)](int tecla) {
      if (tecla != Qt::Key_Insert) return false;
      reglas_.Guardia(QLatin1String(etiqueta), accion);
      return true;
    };
  };
  // A handler of a signal, under the guard with its label.
  const auto guardado = [this](const char* etiqueta, std::function<void()> accion) {
    return [this, etiqueta, accion = std::move(accion)] { reglas_.Guardia(QLatin1String(etiqueta), accion); };
  };
  reglas_.Al_Pulsar(cbxDoctor_, insertar(etiqueta::kcbxDoctor_OnKeyDown, [this] { cbxDoctorKeyDown(); }));
  reglas_.Al_Pulsar(cbxAgente_, insertar(etiqueta::kcbxAgene_OnKeyDown, [this] { cbxAgenteKeyDown(); }));
  connect(tbnDoctor_, &QToolButton::clicked, this, guardado(etiqueta::ktbnDoctor_OnClick, [this] { tbnDoctorClick(); }));
  connect(tbnAgente_, &QToolButton::clicked, this,
          guardado(etiqueta::ktbnAgenteBorrado_OnClick, [this] { tbnAgenteClick(); }));
  connect(cbxDoctor_, &QComboBox::activated, this, guardado(etiqueta::kcbxDoctor_OnChange, [this] { cbxDoctorChange(); }));

  const char* const tipoTecla[2] = {etiqueta::kcbx_OD_Tipo_Lentilla_OnKeyDown, etiqueta::kcbx_OI_Tipo_Lentilla_OnKeyDown};
  const char* const buscar[2] = {etiqueta::kedtODArticulo_OnClick, etiqueta::kedtOIArticulo_OnClik};
  const char* const salir[2] = {etiqueta::kedt_OD_Articulo_OnExit, etiqueta::kedt_OI_Articulo_OnExit};
  const char* const suprimir[2] = {etiqueta::kedt_OD_Articulo_OnKeyDown, etiqueta::kedt_OI_Articulo_OnKeyDown};
  const char* const importe[2] = {etiqueta::kedt_OD_Importe_OnChange, etiqueta::kedt_OI_Importe_OnChange};
  for (int o = 0; o < 2; ++o) {
    const TOjo& ojo = ojos_[o];
    reglas_.Al_Pulsar(ojo.tipo, insertar(tipoTecla[o], [this, o] { Tipo_Lentilla_KeyDown(o); }));

    QAction* lupa = ojo.articulo->addAction(TdmLentilla::Imagen(QStringLiteral("buscar")), QLineEdit::TrailingPosition);
    lupa->setObjectName(o == 0 ? QStringLiteral("actBuscarODArticulo") : QStringLiteral("actBuscarOIArticulo"));
    lupa->setToolTip(QStringLiteral("Buscar el artículo"));
    connect(lupa, &QAction::triggered, this, guardado(buscar[o], [this, o] { Buscar_Articulo(o, true); }));
    reglas_.Al_Salir(ojo.articulo, guardado(salir[o], [this, o] { Buscar_Articulo(o, false); }));
    const char* etiquetaSuprimir = suprimir[o];
    reglas_.Al_Pulsar(ojo.articulo, [this, o, etiquetaSuprimir](int tecla) {
      switch (tecla) {
        case Qt::Key_Delete: reglas_.Guardia(QLatin1String(etiquetaSuprimir), [this, o] { Quitar_Articulo(o); }); return true;
        // The article module is the frame's: it starts it and serves the eye
        // when the screen is active again.
        case Qt::Key_Insert:
          reglas_.Guardia(QLatin1String(etiquetaSuprimir), [this, o] { emit Articulo_Pedido(o, QString()); });
          return true;
        default: return false;
      }
    });
    // An emptied article edit names no article any more, however it was emptied.
    connect(ojo.articulo, &QLineEdit::textChanged, this, [this, o](const QString& texto) {
      if (texto.isEmpty()) {
        articulosOjo_[o] = TArticuloOjo();
        ojos_[o].articulo->setToolTip(QString());
      }
    });
    connect(ojo.importe, &QLineEdit::textChanged, this, guardado(importe[o], [this, o] { Importe_Change(o); }));
    // Leaving an amount shows it with the main currency's decimals.
    reglas_.Al_Salir(ojo.importe, [this, o] {
      QLineEdit* e = ojos_[o].importe;
      if (!e->text().isEmpty()) TReglasEntrada::Escribir(e, importes::Texto(importes::Leer(e->text()), Ctx()->moneda));
    });
  }

  // A scanner typing into an article edit: a lens box fills the eye's
  // article, lot and box expiry, a prescription's QR code the graduation.
  for (int o = 0; o < 2; ++o) {
    TOjo& ojo = ojos_[o];
    TEscaneoCaja::TDestino destino;
    destino.caja = [this, o](const gs1::TCaja& caja) {
      Mostrar_Articulo(o);
      TReglasEntrada::Escribir(ojos_[o].lote, caja.lote);
      ojos_[o].caja->Fijar_Fecha(caja.caducidad.isValid() ? fechas::Desde_QDate(caja.caducidad) : 0);
      Marcar_Lentes();
    };
    destino.receta = [this](const receta_qr::TReceta& receta) { Poner_Graduacion(receta.ojos); };
    destino.crear = [this, o](const QString& gtin) { emit Articulo_Pedido(o, gtin); };
    ojo.escaneo = new TEscaneoCaja(*this, reglas_, objetos_, ojo.articulo, ojo.lote,
                                   o == 0 ? QStringLiteral("ODArticulo") : QStringLiteral("OIArticulo"),
                                   QStringLiteral("edt_Articulo_Escaneo"), std::move(destino));
  }

  QAction* lupaLiquido = edtLiquido_->addAction(TdmLentilla::Imagen(QStringLiteral("buscar")), QLineEdit::TrailingPosition);
  lupaLiquido->setObjectName(QStringLiteral("actBuscarLiquido"));
  lupaLiquido->setToolTip(QStringLiteral("Buscar el líquido entre los artículos"));
  connect(lupaLiquido, &QAction::triggered, this,
          guardado(etiqueta::kedt_Liquido_OnButtonClick, [this] { edt_LiquidoButtonClick(); }));

  const TOjo& oi = ojos_[1];
  const struct {
    QWidget* campo;
    const char* etiqueta;
  } entradas[] = {{oi.tipo, etiqueta::kcbx_OI_Tipo_Lentilla_OnEnter},
                  {oi.articulo, etiqueta::kedt_OI_Articulo_OnEnter},
                  {oi.importe, etiqueta::kedt_OI_Importe_OnEnter},
                  {oi.lote, etiqueta::kedtOILote_OnEnter}};
  for (const auto& e : entradas) {
    QWidget* campo = e.campo;
    reglas_.Al_Entrar(campo, guardado(e.etiqueta, [this, campo] { Copiar_Lente_OI(campo); }));
  }
}

// ---- Doctor and agent --------------------------------------------------------------------

void TPaginaFicha::cbxDoctorKeyDown() {
  TfrmCrearDoctor dlg(Ctx()->aplicacion->ventanaPrincipal);
  dlg.Fijar_Contexto(Ctx());
  dlg.Preparar();
  // Giving up leaves the record as it was, earlier changes still to be saved.
  if (dlg.exec() != TfrmCrearDoctor::mrOk) return;
  {
    const auto carga = reglas_.Cargando();
    Cargar_Doctores();
    int indice = cbxDoctor_->findData(dlg.Id_Doctor());
    if (indice < 0) indice = cbxDoctor_->findText(dlg.NOMBRE() + QLatin1Char(' ') + dlg.APELLIDOS());
    cbxDoctor_->setCurrentIndex(indice);
    const int tipo = dlg.Tipo_Graduacion();
    cbxPropiaAjena_->setCurrentIndex(tipo >= 0 && tipo < cbxPropiaAjena_->count() ? tipo : -1);
    tbnDoctor_->setVisible(false);
  }
  Marcar_Cambio();
}

void TPaginaFicha::tbnDoctorClick() {
  if (Ctx()->aplicacion->MessageBox(QStringLiteral("El Doctor incluido en la ficha ya no existe, si actualiza la lista "
                                                   "de doctores lo perderá. ¿Desea continuar?"),
                                    kAviso, mb::YESNO) != mb::IDYES)
    return;
  tbnDoctor_->setVisible(false);
  Cargar_Doctores();
}

void TPaginaFicha::cbxDoctorChange() {
  if (cbxDoctor_->currentIndex() < 0) return;
  const int id = cbxDoctor_->currentData().toInt();
  TDoctor& doctores = objetos_.Lentilla().Doctor();
  // A fresh record object has not read the list yet.
  for (int intento = 0; intento < 2; ++intento) {
    for (int i = 0; i < doctores.Numero_Doctores(); ++i) {
      const TEntradaDoctor& d = doctores.Doctor(i);
      if (d.id_doctor != id) continue;
      // 2 (not stated) leaves the selector empty.
      cbxPropiaAjena_->setCurrentIndex(d.propia_ajena >= 0 && d.propia_ajena < cbxPropiaAjena_->count()
                                           ? d.propia_ajena
                                           : -1);
      return;
    }
    if (intento == 0) doctores.Cargar_Lista(0);
  }
}

void TPaginaFicha::cbxAgenteKeyDown() {
  TfrmCrearAgente dlg(Ctx()->aplicacion);
  dlg.Fijar_Contexto(Ctx());
  dlg.Preparar();
  if (dlg.exec() != TfrmCrearAgente::mrOk || dlg.NOMBRE().isEmpty()) return;
  {
    const auto carga = reglas_.Cargando();
    Cargar_Agentes();
    int indice = cbxAgente_->findData(static_cast<double>(dlg.ID_AGENTE()));
    if (indice < 0) indice = cbxAgente_->findText(dlg.NOMBRE() + QLatin1Char(' ') + dlg.APELLIDOS());
    cbxAgente_->setCurrentIndex(indice);
    tbnAgente_->setVisible(false);
  }
  emit Agentes_Cambiados();
  Marcar_Cambio();
}

void TPaginaFicha::tbnAgenteClick() {
  if (Ctx()->aplicacion->MessageBox(QStringLiteral("El Agente incluido en la ficha ya no existe, si actualiza la lista "
                                                   "de agentes lo perderá. ¿Desea continuar?"),
                                    kAviso, mb::YESNO) != mb::IDYES)
    return;
  tbnAgente_->setVisible(false);
  Cargar_Agentes();
}

// ---- Lens types --------------------------------------------------------------------------

void TPaginaFicha::Tipo_Lentilla_KeyDown(int ojo) {
  TfrmCrearTipoLentilla dlg(Ctx()->aplicacion);
  dlg.Fijar_Contexto(Ctx());
  dlg.Preparar();
  if (dlg.exec() != TfrmCrearTipoLentilla::mrOk) return;
  {
    // The lists are read again; each eye keeps its type, the asking one takes the new one.
    const auto carga = reglas_.Cargando();
    objetos_.Tipos().Cargar_Tipos();
    Rellenar_Tipos();
    emit Tipos_Cambiados();
    QComboBox* tipo = ojos_[ojo].tipo;
    int indice = tipo->findData(static_cast<double>(dlg.ID_TLENTILLA()));
    if (indice < 0) indice = tipo->findText(dlg.DESCRIPCION());
    tipo->setCurrentIndex(indice);
  }
  Marcar_Lentes();
}

// ---- Articles and amounts ----------------------------------------------------------------

void TPaginaFicha::Buscar_Articulo(int ojo, bool siempre) {
  QLineEdit* edit = ojos_[ojo].articulo;
  const QString texto = edit->text();
  // Leaving the edit looks up what the user typed; the text the screen put
  // there (an article's description, a saved line) is not looked up again.
  // The magnifier looks up whatever the edit holds.
  if (texto.isEmpty()) return;
  const bool tecleado = edit->isModified();
  if (!siempre && !tecleado) return;
  edit->setModified(false);
  TArticulo& a = objetos_.Articulo();
  if (a.Buscar_Texto(texto) == 0) {
    Mostrar_Articulo(ojo);
    return;
  }
  // A text that names no article opens the article search with it.
  double clave = -1;
  if (objetos_.Elegir_Articulo(texto, clave) == 0 && clave != -1) {
    a.ID_ARTICULO(clave);
    if (a.Buscar_Por_Id(TArticulo::kCompleto) == 0) {
      Mostrar_Articulo(ojo);
      return;
    }
  }
  // Nothing chosen: a typed text stays as typed, naming no article, and no
  // other article's price stays beside it.
  if (!tecleado) return;
  TOjo& o = ojos_[ojo];
  articulosOjo_[ojo] = TArticuloOjo();
  o.articulo->setToolTip(QString());
  o.importe->clear();
  o.importe->setToolTip(QString());
  Marcar_Lentes();
}

void TPaginaFicha::Mostrar_Articulo(int ojo) {
  THostContext* ctx = Ctx();
  TArticulo& a = objetos_.Articulo();
  TOjo& o = ojos_[ojo];
  double precioM2 = 0;
  const double precio = a.Precio_Ficha(ctx->puesto->fechaTrabajo, dtmFecha_->Fecha(), precioM2);
  QString ayuda;
  if (ctx->moneda) {
    if (ctx->moneda->Texto_Cambio(false, precioM2, precio) != 0) return;
    ayuda = ctx->moneda->Texto_Ayuda();
  }
  const TArticuloOjo elegido{a.ID_ARTICULO(), a.REFERENCIA(), a.DESCRIPCION(), a.MODELO(),
                             a.COLOR(), a.RADIO_1(), a.RADIO_2(), a.DIAMETRO()};
  TReglasEntrada::Escribir(o.articulo, a.DESCRIPCION().isEmpty() ? a.REFERENCIA() : a.DESCRIPCION());
  o.articulo->setToolTip(a.Texto_Informacion(1));
  TReglasEntrada::Escribir(o.importe, importes::Texto(precio, ctx->moneda));
  o.importe->setToolTip(ayuda);  // the stored pair, not the typed-amount hint
  articulosOjo_[ojo] = elegido;
  Marcar_Lentes();
}

void TPaginaFicha::Quitar_Articulo(int ojo) {
  TOjo& o = ojos_[ojo];
  const bool habia = !o.articulo->text().isEmpty() || !o.importe->text().isEmpty() || !o.garantia->Vacia() ||
                     articulosOjo_[ojo].id != -1;
  articulosOjo_[ojo] = TArticuloOjo();
  o.articulo->clear();
  o.articulo->setToolTip(QString());
  o.garantia->Fijar_Fecha(0);
  o.caja->Fijar_Fecha(0);
  o.importe->clear();  // no amount: 0, and no currency hint
  o.importe->setToolTip(QString());
  if (habia) Marcar_Lentes();
}

void TPaginaFicha::Importe_Change(int ojo) {
  QLineEdit* importe = ojos_[ojo].importe;
  THostContext* ctx = Ctx();
  if (importe->text().isEmpty() || !ctx || !ctx->moneda) {
    importe->setToolTip(QString());
    return;
  }
  ctx->moneda->Texto_Cambio(true, 0, importes::Leer(importe->text()));
  importe->setToolTip(ctx->moneda->Texto_Ayuda());
}

void TPaginaFicha::Copiar_Lente_OI(QWidget* campo) {
  if (Ctx()->usuario->copiarLenteOI != 1) return;
  const TOjo& od = ojos_[0];
  TOjo& oi = ojos_[1];
  if (campo == oi.tipo) {
    if (oi.tipo->currentIndex() >= 0 || od.tipo->currentIndex() < 0) return;
    oi.tipo->setCurrentIndex(oi.tipo->findText(od.tipo->currentText()));
    Marcar_Lentes();
  } else if (campo == oi.articulo) {
    if (!oi.articulo->text().isEmpty() || od.articulo->text().isEmpty()) return;
    const TArticuloOjo copia = articulosOjo_[0];
    TReglasEntrada::Escribir(oi.articulo, od.articulo->text());
    oi.articulo->setToolTip(od.articulo->toolTip());
    articulosOjo_[1] = copia;
  } else if (campo == oi.importe) {
    if (importes::Leer(oi.importe->text()) != 0 || importes::Leer(od.importe->text()) == 0) return;
    TReglasEntrada::Escribir(oi.importe, od.importe->text());
    oi.importe->setToolTip(od.importe->toolTip());
  } else if (campo == oi.lote) {
    if (!oi.lote->text().isEmpty()) return;
    TReglasEntrada::Escribir(oi.lote, od.lote->text());
  }
}

// ---- Scanned codes ----------------------------------------------------------------------

void TPaginaFicha::Poner_Articulo(int ojo) {
  Mostrar_Articulo(ojo);
  ojos_[ojo].escaneo->Servido();
}

void TPaginaFicha::Poner_Graduacion(const TGraduacionOjo (&ojos)[2]) {
  for (int i = 0; i < kNumFilasGraduacion; ++i)
    for (int o = 0; o < 2; ++o)
      TReglasEntrada::Escribir(ojos_[o].campos[i], Texto_Graduacion(kFilasGraduacion[i], ojos[o]));
  Marcar_Cambio();
}

// ---- Liquid ----------------------------------------------------------------------------

void TPaginaFicha::edt_LiquidoButtonClick() {
  double clave = -1;
  if (objetos_.Elegir_Articulo(edtLiquido_->text(), clave) != 0 || clave == -1) return;
  TArticulo& a = objetos_.Articulo();
  a.ID_ARTICULO(clave);
  if (a.Buscar_Por_Id(TArticulo::kCompleto) != 0) return;
  const THostContext* ctx = Ctx();
  TReglasEntrada::Escribir(edtLiquido_, a.DESCRIPCION());
  // The liquid has no amount of its own on the record: its price goes with it as the hint.
  const QString simbolo = ctx->moneda ? ctx->moneda->SIMBOLO_M1 : QString();
  edtLiquido_->setToolTip(QStringLiteral("P.V.P.: ") + importes::Texto(a.PRECIO_VENTA1_M1(), ctx->moneda) +
                          (simbolo.isEmpty() ? QString() : QLatin1Char(' ') + simbolo));
  Marcar_Cambio();
}

// ---- Hand-off ----------------------------------------------------------------------------

void TPaginaFicha::Lineas_Venta(TLineaVenta (&lineas)[2]) const {
  for (int o = 0; o < 2; ++o) {
    TLineaVenta& l = lineas[o];
    l = TLineaVenta();
    const TOjo& ojo = ojos_[o];
    if (ojo.articulo->text().isEmpty()) continue;
    const TArticuloOjo& a = articulosOjo_[o];
    l.activa = 1;
    l.nueva = 0;
    l.idArticulo = static_cast<int32_t>(a.id);
    // A line typed by hand names no article: its reference is the text typed.
    l.referencia = a.referencia == QLatin1String("0") ? QString() : a.referencia;
    l.descripcion = ojo.articulo->text();
    l.importe = importes::Leer(ojo.importe->text());
    l.cantidad = 1;
  }
}

// ---- Transposition -----------------------------------------------------------------------

void TPaginaFicha::btnTrasponerClick() {
  // Unlike the transposition on leaving an axis, any cylinder sign is turned.
  // An eye is transposed whole or not at all: a cylinder over a sphere that is
  // no number ("Compen", empty) or with an axis that is no axis would give a
  // different prescription, so such an eye stays as it was and the status bar
  // says why.
  QStringList avisos;
  for (int o = 0; o < 2; ++o) {
    QLineEdit* esferaEdit = Campo(o, &TGraduacionOjo::esfera);
    QLineEdit* cilindroEdit = Campo(o, &TGraduacionOjo::cilindro);
    QLineEdit* ejeEdit = Campo(o, &TGraduacionOjo::eje);
    double esfera = 0, cilindro = 0, eje = 0;
    const bool esferaValida = Graduacion_Trasponible(esferaEdit->text(), esfera);
    const bool cilindroValido = Graduacion_Trasponible(cilindroEdit->text(), cilindro);
    const QString textoEje = ejeEdit->text();
    const bool ejeValido = !textoEje.isEmpty() && graduacion::Validar_Eje(textoEje, nullptr) == 0 &&
                           locale_es::Texto_A_Float(textoEje, eje);
    const QString ojo = o == 0 ? QStringLiteral("derecho") : QStringLiteral("izquierdo");
    if (!cilindroEdit->text().isEmpty()) {
      QString motivo;
      if (!cilindroValido)
        motivo = QStringLiteral("el cilindro «%1» no es una graduación").arg(cilindroEdit->text());
      else if (!esferaValida)
        motivo = esferaEdit->text().isEmpty()
                     ? QStringLiteral("no tiene esfera")
                     : QStringLiteral("la esfera «%1» no es un número").arg(esferaEdit->text());
      else if (!textoEje.isEmpty() && !ejeValido)
        motivo = QStringLiteral("el eje «%1» no es válido").arg(textoEje);
      if (!motivo.isEmpty()) {
        avisos << QStringLiteral("El ojo %1 no se ha traspuesto: %2.").arg(ojo, motivo);
        continue;
      }
    }
    if (cilindroValido) TReglasEntrada::Escribir(cilindroEdit, Texto_Trasposicion(-cilindro));
    if (esferaValida)
      TReglasEntrada::Escribir(esferaEdit, Texto_Trasposicion(esfera + (cilindroValido ? cilindro : 0)));
    if (ejeValido && cilindroValido) {
      const int grados = static_cast<int>(std::trunc(eje));
      TReglasEntrada::Escribir(ejeEdit, QString::number(grados < 0 || grados > 89 ? grados - 90 : grados + 90));
    }
  }
  if (!avisos.isEmpty() && reglas_.aviso) reglas_.aviso(avisos.join(QLatin1Char(' ')));
}
