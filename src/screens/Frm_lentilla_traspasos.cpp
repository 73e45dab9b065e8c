// The hand-offs of the lens record screen to the application's other modules:
// "Venta" and "Encargo" fill the host context's hand-off block with the
// record, its patient and a sale line per eye and start the sales or orders
// module; Insert in an article field (record tab or test tab) starts the
// article module, and when the screen is active again the article created
// there (host context position 888) goes into the field that asked.

#include "Aviso_caducidad.h"
#include "Clase_tarticulo.h"
#include "Clase_tlentilla.h"
#include "Clase_tlocalidad.h"
#include "Clase_tpaciente.h"
#include "Clase_tprovincia.h"
#include "Frm_lentilla.h"
#include "Frm_lentilla_ficha.h"
#include "Frm_lentilla_pruebas.h"
#include "Util_fechas.h"

namespace {
// ID_TARTICULO of a contact lens.
constexpr double kTipoLentilla = 3;
}  // namespace

void TfrmLentilla::Enlazar_Traspasos() {
  connect(ficha_, &TPaginaFicha::Articulo_Pedido, this,
          [this](int ojo, const QString& codigo) { Pedir_Articulo(ojo == 0 ? kFichaOD : kFichaOI, codigo); });
  connect(pruebas_, &TPaginaPruebas::Articulo_Pedido, this,
          [this](int ojo, const QString& codigo) { Pedir_Articulo(ojo == 0 ? kPruebaOD : kPruebaOI, codigo); });
}

// ---- Sales and orders --------------------------------------------------------------

void TfrmLentilla::Traspasar(TModulosHermanos::Modulo modulo) {
  // 1. What is on screen goes saved, if the user wants; Cancel stops here.
  if (!Dejar_Ficha()) return;
  // An expired graduation is sold only when the user says so.
  if (fichaExistente_) {
    TLentilla& f = objetos_.Lentilla();
    if (!avisos::Confirmar_Caducidad(*ctx_, TModulosHermanos::Opcion(modulo), f.ID_MLENTILLA(),
                                     static_cast<int>(f.NUMERO_FICHA()), f.FECHA_CADUCIDAD()))
      return;
  }

  // 2. A sale line per eye whose article edit names a lens.
  ficha_->Lineas_Venta(ctx_->lineasVenta);

  // 3. The hand-off values, the patient and the record.
  TTraspaso& t = ctx_->traspaso;
  t = TTraspaso();
  t.operacion = modulo == TModulosHermanos::Ventas ? 1 : 2;
  t.valor516 = 1;
  t.valor520 = 10;
  t.valor524 = 1;
  t.marca528 = t.marca552 = t.marca736 = -1;

  TPaciente& p = objetos_.Paciente();
  p.ID(seleccion_.idPaciente);
  if (p.Buscar(-1) == 0) {
    t.idPaciente = static_cast<int32_t>(p.ID());
    t.codigo = static_cast<int32_t>(p.CODIGO());
    t.codigoPaciente = t.codigo;
    t.idLocalidad = p.Localidad().ID_LOCALIDAD();
    t.idProvincia = p.Localidad().Provincia().ID_PROVINCIA();
    t.nombre = p.NOMBRE();
    t.apellidos = p.APELLIDOS();
    t.direccion = p.DIRECCION();
    t.nif = p.NIF();
    t.telefono = p.TELEFONO();
    t.telefonoMovil = p.TELEFONO_MOVIL();
    // The patient's four dates, in the block's order.
    t.fechaNacimiento = p.FECHA_NACIMIENTO();
    t.fechaAlta = p.FECHA_PRIMERA_VISITA();
    t.fechaUltimaVisita = p.FECHA_ULTIMA_VISITA();
    t.fechaModificacion = p.FECHA_CARNET();
  } else {
    t.idPaciente = static_cast<int32_t>(seleccion_.idPaciente);
  }

  TLentilla& l = objetos_.Lentilla();
  // A new record the user chose not to save has no key yet.
  t.idFicha = fichaExistente_ ? static_cast<int32_t>(l.ID_MLENTILLA()) : -1;
  t.idDoctor = fichaExistente_ ? l.Doctor().ID() : -1;
  t.idAgente = fichaExistente_ ? static_cast<int32_t>(l.Agente().ID()) : -1;
  t.fechaFicha = fichaExistente_ ? l.FECHA() : ctx_->puesto->fechaTrabajo;

  // 4. The module, with its row in the access log.
  if (modulos_.Ejecutar(ctx_, modulo) == 0) hermanoEjecutado_ = true;
}

// ---- Articles created in the article module ------------------------------------------

void TfrmLentilla::Pedir_Articulo(TPeticion peticion, const QString& codigoBarras) {
  // Position 888 says what the module chose this time, not what an earlier
  // start left there.
  ctx_->idArticuloElegido = -1;
  peticiones_[peticion] = true;
  // The barcode the new article is to carry (a scanned box's GTIN) is the
  // module's to read while it starts.
  ctx_->codigoBarrasArticulo = codigoBarras;
  const int r = modulos_.Ejecutar(ctx_, TModulosHermanos::Articulos);
  ctx_->codigoBarrasArticulo.clear();
  if (r != 0) {
    peticiones_[peticion] = false;
    return;
  }
  hermanoEjecutado_ = true;
  // A module that worked modally has already closed and left its choice: it
  // is served at once. One still open leaves -1, and the request waits for
  // the screen to be activated again.
  FormActivate();
}

void TfrmLentilla::FormActivate() {
  if (!ctx_ || cerrada_) return;
  const double clave = ctx_->idArticuloElegido;
  if (clave == -1.0) return;
  for (int p = 0; p < kNumPeticiones; ++p) {
    if (!peticiones_[p]) continue;
    peticiones_[p] = false;
    Servir_Articulo(static_cast<TPeticion>(p), clave);
  }
  ctx_->idArticuloElegido = -1;
}

void TfrmLentilla::Servir_Articulo(TPeticion peticion, double clave) {
  TArticulo& a = objetos_.Articulo();
  a.ID_ARTICULO(clave);
  if (a.Buscar_Por_Id(TArticulo::kLigero) != 0) {
    ctx_->aplicacion->MessageBox(QStringLiteral("No se encuentra el artículo creado en el mantenimiento de "
                                                "artículos: el campo se queda como estaba."),
                                 QStringLiteral("AVISO"), mb::OK | mb::ICONWARNING);
    return;
  }
  switch (peticion) {
    case kFichaOD:
    case kFichaOI: ficha_->Poner_Articulo(peticion == kFichaOD ? 0 : 1); break;
    case kPruebaOD:
    case kPruebaOI:
      if (a.ID_TARTICULO() != kTipoLentilla) {
        ctx_->aplicacion->MessageBox(QStringLiteral("El Artículo no es una Lentilla. Debe seleccionar una Lentilla"),
                                     QStringLiteral("AVISO"), mb::OK | mb::ICONSTOP);
        return;
      }
      pruebas_->Poner_Articulo(peticion == kPruebaOD ? 0 : 1);
      break;
    case kNumPeticiones: break;
  }
}
