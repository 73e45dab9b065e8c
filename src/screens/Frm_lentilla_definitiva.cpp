// "Definitiva": the fitting test on the "Pruebas" tab becomes the patient's
// next lens record, with a lens line for each eye that names a trial lens,
// and the record is shown on the "Ficha" tab. The values come from the test
// tab as it stands on screen (not from the stored test), the test itself is
// not changed, and the record with its lines and its log row is written whole
// or not at all.

#include <QTabWidget>
#include <cmath>

#include "Clase_tarticulo.h"
#include "Clase_tbdacceso.h"
#include "Clase_tdlentilla.h"
#include "Clase_tlentilla.h"
#include "Clase_tprueba.h"
#include "Frm_lentilla.h"
#include "Frm_lentilla_ficha.h"
#include "Frm_lentilla_pruebas.h"
#include "Ibx_error.h"
#include "Unidad_trabajo.h"

namespace {
const QString kAviso = QStringLiteral("AVISO");
}  // namespace

void TfrmLentilla::btnPruebaDefinitivaClick() {
  TAplicacion* app = ctx_->aplicacion;
  if (pruebas_->Modificada()) {
    const int r = app->MessageBox(QStringLiteral("Los datos de la Prueba han cambiado. ¿Desea guardar los cambios?"),
                                  kAviso, mb::YESNOCANCEL);
    if (r == mb::IDCANCEL) return;
    if (r == mb::IDYES) pruebas_->Grabar_Prueba();  // the record is made whatever the save's result
  }

  // The screen's record object, not cleared: what the test does not give
  // (the liquid, the shop, the observations) stays as the record last shown.
  TLentilla& l = objetos_.Lentilla();
  const double claveAntes = l.ID_MLENTILLA();
  const int versionAntes = l.VERSION();
  const double fecha = pruebas_->Fecha();
  l.ID_PACIENTE(seleccion_.idPaciente);
  l.NUMERO_FICHA(seleccion_.ultimaFicha + 1);
  l.FECHA_REVISION(TLentilla::Sumar_Meses(fecha, ctx_->empresa->mesesRevision));
  l.Doctor().ID(-1);
  l.FECHA(fecha);
  l.FECHA_LIMPIEZA(fecha);
  l.FECHA_CADUCIDAD(fecha);
  l.FECHA_REPOSICION(fecha);
  l.Agente().ID(pruebas_->Agente());
  l.PROPIA_AJENA(0);
  for (int o = 0; o < 2; ++o) {
    // The trial graduation through the test rows' own conversions; the
    // measurements the test does not take stay "no value" (98) and the
    // over-refraction is not carried over.
    TPruebaOjo prueba;
    for (int i = 0; i < kNumFilasPrueba; ++i)
      if (!kFilasPrueba[i].medida) Leer_Graduacion(kFilasPrueba[i], pruebas_->Campo(o, i)->text(), prueba);
    l.Ojo(o) = static_cast<const TGraduacionOjo&>(prueba);
  }

  const TPrueba& prueba = objetos_.Prueba();
  double clave = -1;
  for (int intento = 0;; ++intento) {
    TUnidadTrabajo unidad(ctx_->conexionPrincipal);
    int r = l.Insertar();
    if (r == 0) {
      clave = l.ID_MLENTILLA();
      ctx_->acceso->Registrar_Ficha(*ctx_, TBDAcceso::kCreacion, clave, l.NUMERO_FICHA(), l.FECHA());
    }
    for (int o = 0; o < 2 && r == 0; ++o) {
      if (!pruebas_->Con_Lente(o)) continue;
      l.Crear_Detalle();
      TDLentilla& d = *l.Detalle();
      d.Moneda(ctx_->moneda);
      d.ID_MLENTILLA(clave);
      d.OJO(o + 1);
      d.ID_TLENTILLA(pruebas_->Tipo(o));
      d.DESCRIPCION(pruebas_->Descripcion(o));
      d.FECHA_GARANTIA(0);
      const TPaginaPruebas::TArticuloPrueba& elegido = pruebas_->Articulo_Elegido(o);
      d.IMPORTE(elegido.precio);
      d.MODELO(elegido.modelo);
      d.RADIO_1(elegido.radio1);
      d.RADIO_2(elegido.radio2);
      d.DIAMETRO(elegido.diametro);
      d.COLOR(elegido.color);
      d.LOTE(pruebas_->Lote(o));
      // The reference is looked up again: the article as it is today, at its
      // first sale price; one no longer there leaves the line without one.
      d.REFERENCIA(QString());
      const QString referencia = prueba.Ojo(o).referenciaArt;
      if (referencia != QLatin1String("0")) {
        TArticulo& a = objetos_.Articulo();
        a.REFERENCIA(referencia);
        if (a.Buscar_Por_Referencia(1) == 0) {
          d.REFERENCIA(a.REFERENCIA());
          d.IMPORTE(a.PRECIO_VENTA1_M1());
        }
      }
      r = d.Insertar();
    }
    if (r != 0) unidad.Anular();
    if (unidad.Confirmar()) break;
    const EIBError* causa = unidad.Causa();
    if (Numero_Ocupado(causa) && intento < 4) {
      // Another workstation has just taken the number: the next free one.
      Tomar_Numero_Libre(l);
      continue;
    }
    // Nothing was written; the test tab stays as it was, and the record
    // object goes on naming the record shown.
    l.ID_MLENTILLA(claveAntes);
    l.VERSION(versionAntes);
    Avisar_Fallo(causa, r, TAccion::kGrabar, TObjeto::kDefinitiva);
    return;
  }
  l.VERSION(0);

  // The new record on the "Ficha" tab, as a record just created.
  ficha_->Limpiar();
  ficha_->Limpiar_Graduacion();
  Mostrar_Ficha(l);
  for (TPaginaLentilla* p : Paginas_Ficha()) p->Fijar_Modificada(false);
  pclLentilla_->setCurrentWidget(ficha_);
  ficha_->Enfocar();
  fichaExistente_ = true;
  Modificado_Estado(false);
  seleccion_.idFicha = clave;
  seleccion_.ultimaFicha = l.NUMERO_FICHA();
  ++seleccion_.numLentillas;
  seleccion_.tieneFichas = seleccion_.fichaGrabada = 1;
  ficha_->Titulo_Fichas(seleccion_);
}
