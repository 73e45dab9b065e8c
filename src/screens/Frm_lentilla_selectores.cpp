// Pickers of the lens record screen's "Ficha" tab: the doctor and agent lists
// with their quick-creation dialogs and refresh buttons, the lens types, the
// article of each eye (looked up by reference or barcode, cleared with Supr),
// the amounts with their second-currency hint, the copy of the right eye's
// lens into the left eye, and the transposition button.

#include <QAction>
#include <QComboBox>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <cmath>

#include "Clase_tarticulo.h"
#include "Clase_tctrlteclado.h"
#include "Clase_tlentilla.h"
#include "Clase_tmoneda.h"
#include "Dm_lentilla.h"
#include "Edit_fecha.h"
#include "Frm_crear_agente.h"
#include "Frm_crear_doctor.h"
#include "Frm_crear_tipo_lentilla.h"
#include "Frm_lentilla.h"
#include "Graduacion.h"
#include "Util_locale.h"

// Watches the pickers: the keys a picker answers to (Insert, Supr), and the
// user entering or leaving one of them.
class TFiltroSelectores : public QObject {
 public:
  explicit TFiltroSelectores(QObject* padre) : QObject(padre) {}

  // `tecla` says whether it handled the key; a handled key goes no further.
  void Teclas(QWidget* w, std::function<bool(int)> tecla) {
    teclas_.insert(w, std::move(tecla));
    w->installEventFilter(this);
  }
  void Entrada(QWidget* w, std::function<void()> entrar) {
    entradas_.insert(w, std::move(entrar));
    w->installEventFilter(this);
  }
  void Salida(QWidget* w, std::function<void()> salir) {
    salidas_.insert(w, std::move(salir));
    w->installEventFilter(this);
  }

  // Keys are answered while `teclas` holds, focus moves while `foco` holds.
  std::function<bool()> teclas, foco;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    switch (evento->type()) {
      case QEvent::KeyPress: {
        const auto it = teclas_.constFind(objeto);
        if (it == teclas_.constEnd() || (teclas && !teclas())) break;
        auto* tecla = static_cast<QKeyEvent*>(evento);
        // Shift+Insert and Shift+Supr stay the edit's paste and cut.
        if ((tecla->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) break;
        if ((*it)(tecla->key())) return true;
        break;
      }
      case QEvent::FocusIn:
      case QEvent::FocusOut: {
        const auto& mapa = evento->type() == QEvent::FocusIn ? entradas_ : salidas_;
        const auto it = mapa.constFind(objeto);
        if (it == mapa.constEnd()) break;
        // Another window (a message box, a dialog) or a menu taking the focus
        // for a while is not the user moving between fields.
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(evento)->reason();
        if (motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason ||
            motivo == Qt::MenuBarFocusReason)
          break;
        if (foco && !foco()) break;
        (*it)();
        break;
      }
      default: break;
    }
    return QObject::eventFilter(objeto, evento);
  }

 private:
  QHash<QObject*, std::function<bool(int)>> teclas_;
  QHash<QObject*, std::function<void()>> entradas_, salidas_;
};

namespace {
const QString kAviso = QStringLiteral("AVISO");


// A graduation the transposition may use: a plain number that passes the
// graduation check (an empty text, "Compen" or "Neutro" take no part).
bool Graduacion_Trasponible(const QString& texto, double& valor) {
  if (texto.isEmpty() || !TCtrlTeclado::Es_Numero(texto) || TCtrlTeclado::Validar_Graduacion(texto) != 0)
    return false;
  return locale_es::Texto_A_Float(texto, valor);
}

QString Texto_Graduacion(double v) {
  if (v == 0) v = 0;  // no "-0,00"
  return graduacion::Normalizar_Graduacion(locale_es::Formatear(v, QStringLiteral("0.00")));
}
}  // namespace

// ---- Binding -----------------------------------------------------------------------------

TArticulo& TfrmLentilla::Articulo() { return *static_cast<TArticulo*>(Objeto_Dominio(kArticulo)); }

TFiltroSelectores& TfrmLentilla::Filtro_Selectores() {
  if (!filtroSelectores_) {
    filtroSelectores_ = new TFiltroSelectores(this);
    filtroSelectores_->teclas = [this] { return ctx_ && !cerrada_; };
    filtroSelectores_->foco = [this] { return ctx_ && !cargando_ && !cerrada_ && !focoDevuelto_; };
  }
  return *filtroSelectores_;
}

void TfrmLentilla::Enlazar_Selectores() {
  TFiltroSelectores& filtro = Filtro_Selectores();
  const auto insertar = [this](const char* etiqueta, std::function<void()> accion) {
    return [this, etiqueta, accion = std::move(accion)](int tecla) {
      if (tecla != Qt::Key_Insert) return false;
      Guardia(QLatin1String(etiqueta), accion);
      return true;
    };
  };
  filtro.Teclas(cbxDoctor_, insertar("cbxDoctor -> OnKeyDown", [this] { cbxDoctorKeyDown(); }));
  filtro.Teclas(cbxAgente_, insertar("cbxAgene -> OnKeyDown", [this] { cbxAgenteKeyDown(); }));
  connect(tbnDoctor_, &QToolButton::clicked, this,
          [this] { Guardia(QStringLiteral("tbnDoctor -> OnClick"), [this] { tbnDoctorClick(); }); });
  connect(tbnAgente_, &QToolButton::clicked, this,
          [this] { Guardia(QStringLiteral("tbnAgenteBorrado -> OnClick"), [this] { tbnAgenteClick(); }); });
  connect(cbxDoctor_, &QComboBox::activated, this,
          [this] { Guardia(QStringLiteral("cbxDoctor -> OnChange"), [this] { cbxDoctorChange(); }); });

  const char* const tipoTecla[2] = {"cbx_OD_Tipo_Lentilla -> OnKeyDown", "cbx_OI_Tipo_Lentilla -> OnKeyDown"};
  const char* const buscar[2] = {"edtODArticulo -> OnClick", "edtOIArticulo -> OnClik"};
  const char* const salir[2] = {"edt_OD_Articulo -> OnExit", "edt_OI_Articulo -> OnExit"};
  const char* const suprimir[2] = {"edt_OD_Articulo -> OnKeyDown", "edt_OI_Articulo -> OnKeyDown"};
  const char* const importe[2] = {"edt_OD_Importe -> OnChange", "edt_OI_Importe -> OnChange"};
  for (int o = 0; o < 2; ++o) {
    const TOjo& ojo = ojos_[o];
    filtro.Teclas(ojo.tipo, insertar(tipoTecla[o], [this, o] { Tipo_Lentilla_KeyDown(o); }));

    QAction* lupa = ojo.articulo->addAction(TdmLentilla::Imagen(QStringLiteral("buscar")), QLineEdit::TrailingPosition);
    lupa->setObjectName(o == 0 ? QStringLiteral("actBuscarODArticulo") : QStringLiteral("actBuscarOIArticulo"));
    lupa->setToolTip(QStringLiteral("Buscar el artículo"));
    const char* etiquetaBuscar = buscar[o];
    connect(lupa, &QAction::triggered, this, [this, o, etiquetaBuscar] {
      Guardia(QLatin1String(etiquetaBuscar), [this, o] { Buscar_Articulo(o, true); });
    });
    const char* etiquetaSalir = salir[o];
    filtro.Salida(ojo.articulo, [this, o, etiquetaSalir] {
      Guardia(QLatin1String(etiquetaSalir), [this, o] { Buscar_Articulo(o, false); });
    });
    const char* etiquetaSuprimir = suprimir[o];
    filtro.Teclas(ojo.articulo, [this, o, etiquetaSuprimir](int tecla) {
      if (tecla != Qt::Key_Delete) return false;
      Guardia(QLatin1String(etiquetaSuprimir), [this, o] { Quitar_Articulo(o); });
      return true;
    });
    // An emptied article edit names no article any more, however it was emptied.
    connect(ojo.articulo, &QLineEdit::textChanged, this, [this, o](const QString& texto) {
      if (texto.isEmpty()) {
        articulosOjo_[o] = TArticuloOjo();
        ojos_[o].articulo->setToolTip(QString());
      }
    });
    const char* etiquetaImporte = importe[o];
    connect(ojo.importe, &QLineEdit::textChanged, this, [this, o, etiquetaImporte] {
      Guardia(QLatin1String(etiquetaImporte), [this, o] { Importe_Change(o); });
    });
  }

  const TOjo& oi = ojos_[1];
  const struct {
    QWidget* campo;
    const char* etiqueta;
  } entradas[] = {{oi.tipo, "cbx_OI_Tipo_Lentilla -> OnEnter"},
                  {oi.articulo, "edt_OI_Articulo -> OnEnter"},
                  {oi.importe, "edt_OI_Importe -> OnEnter"},
                  {oi.lote, "edtOILote -> OnEnter"}};
  for (const auto& e : entradas) {
    QWidget* campo = e.campo;
    const char* etiqueta = e.etiqueta;
    filtro.Entrada(campo, [this, campo, etiqueta] {
      Guardia(QLatin1String(etiqueta), [this, campo] { Copiar_Lente_OI(campo); });
    });
  }
}

// ---- Doctor and agent --------------------------------------------------------------------

void TfrmLentilla::cbxDoctorKeyDown() {
  TfrmCrearDoctor dlg(ctx_->aplicacion->ventanaPrincipal);
  dlg.Fijar_Contexto(ctx_);
  dlg.Preparar();
  // Giving up leaves the record as it was, earlier changes still to be saved.
  if (dlg.exec() != TfrmCrearDoctor::mrOk) return;
  const bool antes = cargando_;
  cargando_ = true;
  Cargar_Doctores();
  int indice = cbxDoctor_->findData(dlg.Id_Doctor());
  if (indice < 0) indice = cbxDoctor_->findText(dlg.NOMBRE() + QLatin1Char(' ') + dlg.APELLIDOS());
  cbxDoctor_->setCurrentIndex(indice);
  const int tipo = dlg.Tipo_Graduacion();
  cbxPropiaAjena_->setCurrentIndex(tipo >= 0 && tipo < cbxPropiaAjena_->count() ? tipo : -1);
  tbnDoctor_->setVisible(false);
  cargando_ = antes;
  Modificado_Estado(true);
}

void TfrmLentilla::tbnDoctorClick() {
  if (ctx_->aplicacion->MessageBox(QStringLiteral("El Doctor incluido en la ficha ya no existe, si actualiza la lista "
                                                  "de doctores lo perderá. ¿Desea continuar?"),
                                   kAviso, mb::YESNO) != mb::IDYES)
    return;
  tbnDoctor_->setVisible(false);
  const bool antes = cargando_;
  cargando_ = true;
  Cargar_Doctores();
  cargando_ = antes;
}

void TfrmLentilla::cbxDoctorChange() {
  if (cbxDoctor_->currentIndex() < 0) return;
  const int id = cbxDoctor_->currentData().toInt();
  TDoctor& doctores = Lentilla().Doctor();
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

void TfrmLentilla::cbxAgenteKeyDown() {
  TfrmCrearAgente dlg(ctx_->aplicacion);
  dlg.Fijar_Contexto(ctx_);
  dlg.Preparar();
  if (dlg.exec() != TfrmCrearAgente::mrOk || dlg.NOMBRE().isEmpty()) return;
  const bool antes = cargando_;
  cargando_ = true;
  Cargar_Agentes();
  int indice = cbxAgente_->findData(static_cast<double>(dlg.ID_AGENTE()));
  if (indice < 0) indice = cbxAgente_->findText(dlg.NOMBRE() + QLatin1Char(' ') + dlg.APELLIDOS());
  cbxAgente_->setCurrentIndex(indice);
  tbnAgente_->setVisible(false);
  cargando_ = antes;
  Modificado_Estado(true);
}

void TfrmLentilla::tbnAgenteClick() {
  if (ctx_->aplicacion->MessageBox(QStringLiteral("El Agente incluido en la ficha ya no existe, si actualiza la lista "
                                                  "de agentes lo perderá. ¿Desea continuar?"),
                                   kAviso, mb::YESNO) != mb::IDYES)
    return;
  tbnAgente_->setVisible(false);
  const bool antes = cargando_;
  cargando_ = true;
  Cargar_Agentes();
  cargando_ = antes;
}

// ---- Lens types --------------------------------------------------------------------------

void TfrmLentilla::Tipo_Lentilla_KeyDown(int ojo) {
  TfrmCrearTipoLentilla dlg(ctx_->aplicacion);
  dlg.Fijar_Contexto(ctx_);
  dlg.Preparar();
  if (dlg.exec() != TfrmCrearTipoLentilla::mrOk) return;
  // The lists are read again; each eye keeps its type, the asking one takes the new one.
  QVariant elegidos[2];
  for (int o = 0; o < 2; ++o)
    if (ojos_[o].tipo->currentIndex() >= 0) elegidos[o] = ojos_[o].tipo->currentData();
  const bool antes = cargando_;
  cargando_ = true;
  Cargar_Tipos();
  for (int o = 0; o < 2; ++o)
    if (elegidos[o].isValid()) ojos_[o].tipo->setCurrentIndex(ojos_[o].tipo->findData(elegidos[o]));
  QComboBox* tipo = ojos_[ojo].tipo;
  int indice = tipo->findData(static_cast<double>(dlg.ID_TLENTILLA()));
  if (indice < 0) indice = tipo->findText(dlg.DESCRIPCION());
  tipo->setCurrentIndex(indice);
  cargando_ = antes;
  lineasModificadas_ = true;
  Modificado_Estado(true);
}

// ---- Articles and amounts ----------------------------------------------------------------

void TfrmLentilla::Buscar_Articulo(int ojo, bool siempre) {
  QLineEdit* edit = ojos_[ojo].articulo;
  const QString texto = edit->text();
  if (texto.isEmpty()) return;
  // Leaving the edit looks up what the user typed; the text the screen put
  // there (an article's description, a saved line) is not looked up again.
  const bool tecleado = edit->isModified();
  if (!siempre && !tecleado) return;
  edit->setModified(false);
  if (Articulo().Buscar_Texto(texto) != 0) {
    // A typed text that names no article stays as typed, with no article data.
    if (tecleado) articulosOjo_[ojo] = TArticuloOjo();
    return;
  }
  Mostrar_Articulo(ojo);
}

void TfrmLentilla::Mostrar_Articulo(int ojo) {
  TArticulo& a = Articulo();
  TOjo& o = ojos_[ojo];
  double precioM2 = 0;
  const double precio = a.Precio_Ficha(ctx_->puesto->fechaTrabajo, dtmFecha_->Fecha(), precioM2);
  QString ayuda;
  if (ctx_->moneda) {
    if (ctx_->moneda->Texto_Cambio(false, precioM2, precio) != 0) return;
    ayuda = ctx_->moneda->Texto_Ayuda();
  }
  const TArticuloOjo elegido{a.ID_ARTICULO(), a.REFERENCIA(), a.DESCRIPCION(), a.MODELO(),
                             a.COLOR(), a.RADIO_1(), a.RADIO_2(), a.DIAMETRO()};
  Escribir(o.articulo, a.DESCRIPCION().isEmpty() ? a.REFERENCIA() : a.DESCRIPCION());
  o.articulo->setToolTip(a.Texto_Informacion(1));
  Escribir(o.importe, Texto_Importe(precio));
  o.importe->setToolTip(ayuda);  // the stored pair, not the typed-amount hint
  articulosOjo_[ojo] = elegido;
  lineasModificadas_ = true;
  Modificado_Estado(true);
}

void TfrmLentilla::Quitar_Articulo(int ojo) {
  TOjo& o = ojos_[ojo];
  const bool habia = !o.articulo->text().isEmpty() || !o.importe->text().isEmpty() || !o.garantia->Vacia() ||
                     articulosOjo_[ojo].id != -1;
  articulosOjo_[ojo] = TArticuloOjo();
  o.articulo->clear();
  o.articulo->setToolTip(QString());
  o.garantia->Fijar_Fecha(0);
  o.importe->clear();  // no amount: 0, and no currency hint
  o.importe->setToolTip(QString());
  if (!habia) return;
  lineasModificadas_ = true;
  Modificado_Estado(true);
}

void TfrmLentilla::Importe_Change(int ojo) {
  QLineEdit* importe = ojos_[ojo].importe;
  if (importe->text().isEmpty() || !ctx_ || !ctx_->moneda) {
    importe->setToolTip(QString());
    return;
  }
  ctx_->moneda->Texto_Cambio(true, 0, Leer_Importe(importe->text()));
  importe->setToolTip(ctx_->moneda->Texto_Ayuda());
}

void TfrmLentilla::Copiar_Lente_OI(QWidget* campo) {
  if (ctx_->usuario->copiarLenteOI != 1) return;
  const TOjo& od = ojos_[0];
  TOjo& oi = ojos_[1];
  if (campo == oi.tipo) {
    if (oi.tipo->currentIndex() >= 0 || od.tipo->currentIndex() < 0) return;
    oi.tipo->setCurrentIndex(oi.tipo->findText(od.tipo->currentText()));
    lineasModificadas_ = true;
    Modificado_Estado(true);
  } else if (campo == oi.articulo) {
    if (!oi.articulo->text().isEmpty() || od.articulo->text().isEmpty()) return;
    const TArticuloOjo copia = articulosOjo_[0];
    Escribir(oi.articulo, od.articulo->text());
    oi.articulo->setToolTip(od.articulo->toolTip());
    articulosOjo_[1] = copia;
  } else if (campo == oi.importe) {
    if (Leer_Importe(oi.importe->text()) != 0 || Leer_Importe(od.importe->text()) == 0) return;
    Escribir(oi.importe, od.importe->text());
    oi.importe->setToolTip(od.importe->toolTip());
  } else if (campo == oi.lote) {
    if (!oi.lote->text().isEmpty()) return;
    Escribir(oi.lote, od.lote->text());
  }
}

// ---- Transposition -----------------------------------------------------------------------

void TfrmLentilla::btnTrasponerClick() {
  // Unlike the transposition on leaving an axis, any cylinder sign is turned.
  for (TOjo& o : ojos_) {
    double esfera = 0, cilindro = 0, eje = 0;
    const bool esferaValida = Graduacion_Trasponible(o.esfera->text(), esfera);
    const bool cilindroValido = Graduacion_Trasponible(o.cilindro->text(), cilindro);
    const QString textoEje = o.eje->text();
    const bool ejeValido = !textoEje.isEmpty() && graduacion::Validar_Eje(textoEje, nullptr) == 0 &&
                           locale_es::Texto_A_Float(textoEje, eje);
    if (cilindroValido) Escribir(o.cilindro, Texto_Graduacion(-cilindro));
    if (esferaValida) Escribir(o.esfera, Texto_Graduacion(esfera + (cilindroValido ? cilindro : 0)));
    if (ejeValido) {
      const int grados = static_cast<int>(std::trunc(eje));
      Escribir(o.eje, QString::number(grados < 0 || grados > 89 ? grados - 90 : grados + 90));
    }
  }
}
