// Entry rules and pickers of the "Pruebas" tab: the measurement rules of the
// screen bound from the test's rows (no transposition on the test's axes), the
// lens types with their quick creation, the trial article of each eye found
// through the article search (F4 or the search button), created in the article
// module (Insert) or cleared with Supr,
// the copies of the right eye into the left one, and the agent list with its
// quick creation and refresh button.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

#include "Clase_tagente.h"
#include "Etiquetas_lentilla.h"
#include "Clase_tarticulo.h"
#include "Clase_tbuscararticulo.h"
#include "Clase_tprueba.h"
#include "Clase_ttlentilla.h"
#include "Dm_lentilla.h"
#include "Escaneo_caja.h"
#include "Frm_crear_agente.h"
#include "Frm_crear_tipo_lentilla.h"
#include "Frm_lentilla_pruebas.h"
#include "Objetos_lentilla.h"

namespace {
const QString kAviso = QStringLiteral("AVISO");
}  // namespace

void TPaginaPruebas::Enlazar_Reglas() {
  for (int i = 0; i < kNumFilasPrueba; ++i) {
    const TFilaPrueba& f = kFilasPrueba[i];
    for (int o = 0; o < 2; ++o)
      reglas_.Enlazar_Medida(ojos_[o].campos[i], f.regla, o == 0 ? ojos_[1].campos[i] : nullptr,
                             QLatin1String(f.etiqueta[o]));
  }
}

void TPaginaPruebas::Enlazar_Selectores() {
  const auto guardado = [this](const char* etiqueta, std::function<void()> accion) {
    return [this, etiqueta, accion = std::move(accion)] { reglas_.Guardia(QLatin1String(etiqueta), accion); };
  };
  const auto insertar = [this](const char* etiqueta, std::function<void()> accion) {
    return [this, etiqueta, accion = std::move(accion)](int tecla) {
      if (tecla != Qt::Key_Insert) return false;
      reglas_.Guardia(QLatin1String(etiqueta), accion);
      return true;
    };
  };
  reglas_.Al_Pulsar(cbxAgentePrueba_, insertar(etiqueta::kcbxAgentePrueba_OnKeyDown, [this] { cbxAgentePruebaKeyDown(); }));
  connect(tbnAgentePrueba_, &QToolButton::clicked, this,
          guardado(etiqueta::ktbnAgentePrueba_OnClick, [this] { tbnAgentePruebaClick(); }));

  const char* const tipoTecla[2] = {etiqueta::kcbx_OD_TLentilla_Prueba_OnKeyDown, etiqueta::kcbx_OI_TLentilla_Prueba_OnKeyDown};
  const char* const buscar[2] = {etiqueta::kedt_OD_Descripcion_Prueba_OnButtonClick,
                                 etiqueta::kedt_OI_Descripcion_Prueba_OnButtonClick};
  const char* const tecla[2] = {etiqueta::kedt_OD_Descripcion_Prueba_OnKeyDown, etiqueta::kedt_OI_Descripcion_Prueba_OnKeyDown};
  for (int o = 0; o < 2; ++o) {
    TOjo& ojo = ojos_[o];
    reglas_.Al_Pulsar(ojo.tipo, insertar(tipoTecla[o], [this, o] { Tipo_Lentilla_KeyDown(o); }));
    QAction* lupa =
        ojo.descripcion->addAction(TdmLentilla::Imagen(QStringLiteral("buscar")), QLineEdit::TrailingPosition);
    lupa->setObjectName(o == 0 ? QStringLiteral("actBuscarODPrueba") : QStringLiteral("actBuscarOIPrueba"));
    lupa->setToolTip(QStringLiteral("Buscar el artículo (F4)"));
    const auto busqueda = [this, o] { Buscar_Articulo_Prueba(o + 1, ojos_[o].descripcion->text()); };
    connect(lupa, &QAction::triggered, this, guardado(buscar[o], busqueda));
    const char* etiqueta = tecla[o];
    reglas_.Al_Pulsar(ojo.descripcion, [this, o, etiqueta, busqueda](int t) {
      switch (t) {
        case Qt::Key_F4: reglas_.Guardia(QLatin1String(etiqueta), busqueda); return true;
        case Qt::Key_Delete: reglas_.Guardia(QLatin1String(etiqueta), [this, o] { Quitar_Articulo(o); }); return true;
        // The article module is the frame's: it starts it and serves the eye
        // when the screen is active again.
        case Qt::Key_Insert: reglas_.Guardia(QLatin1String(etiqueta), [this, o] { emit Articulo_Pedido(o, QString()); }); return true;
        default: return false;
      }
    });
  }
  // A lens box scanned into a description: the article by its GTIN and the
  // lot, with the record tab's checks and messages.
  for (int o = 0; o < 2; ++o) {
    TOjo& ojo = ojos_[o];
    TEscaneoCaja::TDestino destino;
    destino.caja = [this, o](const gs1::TCaja& caja) {
      Mostrar_Articulo(o);
      ojos_[o].lote->setText(caja.lote);
    };
    destino.crear = [this, o](const QString& gtin) { emit Articulo_Pedido(o, gtin); };
    destino.guardar = [this] {
      elegidoAntes_ = elegidos_[1];
      modificadaAntes_ = modificada_;
    };
    destino.restaurar = [this] {
      elegidos_[1] = elegidoAntes_;
      Marcar_Prueba(modificadaAntes_);
    };
    ojo.escaneo = new TEscaneoCaja(*this, reglas_, objetos_, ojo.descripcion, ojo.lote,
                                   o == 0 ? QStringLiteral("ODPrueba") : QStringLiteral("OIPrueba"),
                                   QStringLiteral("edt_Descripcion_Prueba_Escaneo"), std::move(destino));
  }

  reglas_.Al_Entrar(ojos_[1].tipo,
                    guardado(etiqueta::kcbx_OI_TLentilla_Prueba_OnEnter, [this] { cbx_OI_TLentilla_Prueba_Enter(); }));
  reglas_.Al_Entrar(ojos_[1].descripcion,
                    guardado(etiqueta::kedt_OI_Descripcion_Prueba_OnEnter, [this] { edt_OI_Descripcion_Prueba_Enter(); }));
  reglas_.Al_Entrar(ojos_[1].lote, guardado(etiqueta::kedtOILotePrueba_OnEnter, [this] { edtOILotePruebaEnter(); }));
}

// ---- Lens types --------------------------------------------------------------------------

void TPaginaPruebas::Tipo_Lentilla_KeyDown(int ojo) {
  TfrmCrearTipoLentilla dlg(Ctx()->aplicacion);
  dlg.Fijar_Contexto(Ctx());
  dlg.Preparar();
  if (dlg.exec() != TfrmCrearTipoLentilla::mrOk) return;
  // The catalogue is read again and all four selectors refilled; the asking
  // one shows the new type.
  objetos_.Tipos().Cargar_Tipos();
  emit Tipos_Cambiados();
  Rellenar_Tipos();
  {
    const auto carga = reglas_.Cargando();
    QComboBox* tipo = ojos_[ojo].tipo;
    int indice = tipo->findData(static_cast<double>(dlg.ID_TLENTILLA()));
    if (indice < 0) indice = tipo->findText(dlg.DESCRIPCION());
    tipo->setCurrentIndex(indice);
  }
  Marcar_Prueba(true);
}

// ---- Trial articles ----------------------------------------------------------------------

int TPaginaPruebas::Buscar_Articulo_Prueba(int ojo, const QString& texto) {
  double clave = -1;
  const int r = objetos_.Elegir_Articulo(texto, clave);
  if (r != 0 || clave == -1) return r;
  TArticulo& a = objetos_.Articulo();
  a.ID_ARTICULO(clave);
  const int encontrado = a.Buscar_Por_Id(1);
  if (encontrado != 0) return encontrado;
  Mostrar_Articulo(ojo - 1);
  return 0;
}

void TPaginaPruebas::Poner_Articulo(int o) {
  Mostrar_Articulo(o);
  ojos_[o].escaneo->Servido();
}

void TPaginaPruebas::Mostrar_Articulo(int o) {
  TArticulo& a = objetos_.Articulo();
  TOjo& campos = ojos_[o];
  const QString color = elegidos_[o].color;  // the choice keeps its colour
  campos.descripcion->setText(a.DESCRIPCION());  // forgets the left-eye choice: the new one follows
  campos.descripcion->setCursorPosition(0);
  campos.descripcion->setToolTip(a.Texto_Informacion(1));
  TArticuloPrueba& elegido = elegidos_[o];
  elegido.color = color;
  elegido.referencia = a.REFERENCIA();
  elegido.modelo = a.MODELO();
  elegido.radio1 = a.RADIO_1();
  elegido.radio2 = a.RADIO_2();
  elegido.diametro = a.DIAMETRO();
  elegido.precio = a.PRECIO_VENTA1_M1();
  Marcar_Prueba(true);
}

void TPaginaPruebas::Quitar_Articulo(int ojo) {
  TOjo& o = ojos_[ojo];
  TArticuloPrueba& e = elegidos_[ojo];
  const QString color = e.color;
  o.descripcion->clear();
  o.descripcion->setToolTip(QString());
  e = TArticuloPrueba();
  e.color = color;  // the colour stays as it was
}

void TPaginaPruebas::edt_OI_Descripcion_Prueba_Change() {
  if (reglas_.En_Carga()) return;
  // A typed left description names no article any more.
  elegidos_[1] = TArticuloPrueba{QStringLiteral("0"), QStringLiteral("0"), QString(), QString(), QStringLiteral("0"),
                                 98, 0};
  Marcar_Prueba(true);
}

// ---- Copies into the left eye ---------------------------------------------------------------

void TPaginaPruebas::cbx_OI_TLentilla_Prueba_Enter() {
  if (modo_ != 0 || !ojos_[1].tipo->currentText().isEmpty()) return;
  ojos_[1].tipo->setCurrentIndex(ojos_[1].tipo->findText(ojos_[0].tipo->currentText()));
}

void TPaginaPruebas::edt_OI_Descripcion_Prueba_Enter() {
  if (modo_ != 0 || !ojos_[1].descripcion->text().isEmpty()) return;
  const TArticuloPrueba copia = elegidos_[0];
  ojos_[1].descripcion->setText(ojos_[0].descripcion->text());
  ojos_[1].descripcion->setToolTip(ojos_[0].descripcion->toolTip());
  elegidos_[1] = copia;  // after the text, whose change forgets the left choice
}

void TPaginaPruebas::edtOILotePruebaEnter() {
  if (!ojos_[1].lote->text().isEmpty() || Ctx()->usuario->copiarLenteOI != 1) return;
  ojos_[1].lote->setText(ojos_[0].lote->text());
}

// ---- Agent -----------------------------------------------------------------------------------

void TPaginaPruebas::cbxAgentePruebaKeyDown() {
  TfrmCrearAgente dlg(Ctx()->aplicacion);
  dlg.Fijar_Contexto(Ctx());
  dlg.Preparar();
  if (dlg.exec() != TfrmCrearAgente::mrOk || dlg.NOMBRE().isEmpty()) {
    modificada_ = false;
    Marcar_Prueba(false);
    return;
  }
  {
    const auto carga = reglas_.Cargando();
    Cargar_Agentes();
    int indice = cbxAgentePrueba_->findData(static_cast<double>(dlg.ID_AGENTE()));
    if (indice < 0) indice = cbxAgentePrueba_->findText(dlg.NOMBRE() + QLatin1Char(' ') + dlg.APELLIDOS());
    cbxAgentePrueba_->setCurrentIndex(indice);
    tbnAgentePrueba_->setVisible(false);
  }
  emit Agentes_Cambiados();
  Marcar_Prueba(true);
}

void TPaginaPruebas::tbnAgentePruebaClick() {
  if (Ctx()->aplicacion->MessageBox(QStringLiteral("El Agente incluido en la ficha ya no existe, si actualiza la lista "
                                                   "de agentes lo perderá. ¿Desea continuar?"),
                                    kAviso, mb::YESNO) != mb::IDYES)
    return;
  tbnAgentePrueba_->setVisible(false);
  Cargar_Agentes();
}
