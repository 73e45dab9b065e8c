// "Definitiva": the fitting test on the "Pruebas" tab becomes the patient's
// next lens record, with a lens line for each eye that names a trial lens,
// and the record is shown on the "Ficha" tab. The values come from the test
// tab as it stands on screen (not from the stored test), the test itself is
// not changed, and the record with its lines and its log row is written whole
// or not at all (Servicio_fichas.h).

#include <QTabWidget>
#include <cmath>

#include "Aviso_resultado.h"
#include "Clase_tlentilla.h"
#include "Clase_tprueba.h"
#include "Frm_lentilla.h"
#include "Frm_lentilla_ficha.h"
#include "Frm_lentilla_pruebas.h"
#include "Servicios_lentilla.h"

namespace {
const QString kAviso = QStringLiteral("AVISO");
}  // namespace

void TfrmLentilla::btnPruebaDefinitivaClick() {
  // The test goes saved if the user wants (a failed save stops here, the
  // test still on screen); the record shown is about to be replaced.
  if (!Dejar_Edicion(ctx_->aplicacion, *pruebas_, pruebas_->Pregunta_Cambios(), kAviso, mb::YESNOCANCEL) ||
      !Dejar_Ficha())
    return;

  // The screen's record object, not cleared: what the test does not give
  // (the liquid, the shop, the observations) stays as the record last shown.
  TLentilla& l = objetos_.Lentilla();
  // A record already made from this test is not made again without asking.
  const double idPrueba = objetos_.Prueba().ID_PRUEBA_LENTILLAS();
  if (idPrueba > 0) {
    if (const int numero = l.Ficha_De_Prueba(idPrueba);
        numero > 0 && ctx_->aplicacion->MessageBox(
                          QStringLiteral("Con esta prueba ya se hizo la ficha nº %1. ¿Desea hacer otra ficha con ella?")
                              .arg(numero),
                          QStringLiteral("PREGUNTA"), mb::YESNO | mb::ICONQUESTION) != mb::IDYES)
      return;
  }
  const double fecha = pruebas_->Fecha();
  l.ID_PACIENTE(seleccion_.idPaciente);
  l.NUMERO_FICHA(seleccion_.ultimaFicha + 1);
  l.FECHA_REVISION(TLentilla::Sumar_Meses(fecha, ctx_->empresa->mesesRevision));
  l.Doctor().ID(-1);
  l.FECHA(fecha);
  l.FECHA_LIMPIEZA(fecha);
  l.FECHA_CADUCIDAD(fecha);
  // A test does not say how many lenses are supplied: no run-out day yet.
  l.FECHA_REPOSICION(0);
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

  // A line for each eye that names a trial lens.
  const TPrueba& prueba = objetos_.Prueba();
  std::vector<TServicioFichas::TLineaDefinitiva> lineas;
  for (int o = 0; o < 2; ++o) {
    if (!pruebas_->Con_Lente(o)) continue;
    const TPaginaPruebas::TArticuloPrueba& elegido = pruebas_->Articulo_Elegido(o);
    TServicioFichas::TLineaDefinitiva d;
    d.linea.ojo = o + 1;
    d.linea.idTipo = pruebas_->Tipo(o);
    d.linea.descripcion = pruebas_->Descripcion(o);
    d.linea.importe = elegido.precio;
    d.linea.modelo = elegido.modelo;
    d.linea.radio1 = elegido.radio1;
    d.linea.radio2 = elegido.radio2;
    d.linea.diametro = elegido.diametro;
    d.linea.color = elegido.color;
    d.linea.lote = pruebas_->Lote(o);
    d.referenciaPrueba = prueba.Ojo(o).referenciaArt;
    lineas.push_back(d);
  }
  const TResultado r = servicios_->fichas.Definitiva(l, lineas, idPrueba);
  if (!r.Hecho_Bien()) {
    // Nothing was written; the test tab stays as it was, and the record
    // object goes on naming the record shown.
    Avisar_Resultado(ctx_, r, TEscrito::kDefinitiva, TAccion::kGrabar);
    return;
  }
  Avisar_Numero(r, l.NUMERO_FICHA());

  // The new record on the "Ficha" tab, as a record just created.
  ficha_->Limpiar();
  ficha_->Limpiar_Graduacion();
  Mostrar_Ficha(l);
  for (TParteFicha* p : Partes_Ficha()) p->Fijar_Modificada(false);
  pclLentilla_->setCurrentWidget(ficha_);
  ficha_->Enfocar();
  fichaExistente_ = true;
  Modificado_Estado(false);
  seleccion_.idFicha = l.ID_MLENTILLA();
  seleccion_.ultimaFicha = l.NUMERO_FICHA();
  ++seleccion_.numLentillas;
  seleccion_.tieneFichas = seleccion_.fichaGrabada = 1;
  ficha_->Titulo_Fichas(seleccion_);
}
