// What the lens screen prints. The record sheet, the prescription and the
// warranty go through the shop's print engine with the user's default format
// of each (the engine lays them out). The two sheets the screen lays out
// itself: the fitting test on the "Pruebas" tab and the patient's replacement
// list. Each is made from what its
// tab shows (with unsaved changes the user is asked first) and the patient's
// data, and shown in a print preview; a workstation without a screen (or a
// test) names a folder in OPTICA_IMPRESION_PDF and gets the PDF there.

#include "Clase_tbdacceso.h"
#include "Clase_tdocumento.h"
#include "Clase_tlentilla.h"
#include "Clase_tpaciente.h"
#include "Clase_ttienda.h"
#include "Frm_formato_defecto.h"
#include "Frm_lentilla_ficha.h"
#include "Variables_documento.h"
#include "Dm_lentilla.h"
#include "Frm_ficha_prueba.h"
#include "Frm_ficha_reposicion.h"
#include "Frm_lentilla.h"
#include "Frm_lentilla_pruebas.h"
#include "Frm_lentilla_reposiciones.h"

namespace {
// The deleted-rows filter the print actions look the patient up with.
constexpr int kFiltroImpresion = 2;
}  // namespace

void TfrmLentilla::btnPruebaImprimirClick() {
  // The sheet shows what the tab shows; unsaved, the user is asked first.
  if (!Dejar_Edicion(ctx_->aplicacion, *pruebas_, pruebas_->Pregunta_Cambios(), QStringLiteral("AVISO"),
                     mb::YESNOCANCEL))
    return;
  TPaciente& paciente = objetos_.Paciente();
  paciente.ID(seleccion_.idPaciente);
  if (paciente.Buscar(kFiltroImpresion) != 0) return;
  TDatosFichaPrueba datos;
  datos.Rellenar_Paciente(paciente, seleccion_.textoPaciente);
  pruebas_->Rellenar_Hoja(datos);
  TfrmFichaPrueba hoja(datos);
  hoja.Sacar(QStringLiteral("prueba-%1.pdf").arg(datos.Ficha), this, ctx_->aplicacion);
}

void TfrmLentilla::btnReposicionImprimirClick() {
  if (!Dejar_Edicion(ctx_->aplicacion, *reposiciones_, reposiciones_->Pregunta_Cambios(), QStringLiteral("AVISO"),
                     mb::YESNOCANCEL))
    return;
  TPaciente& paciente = objetos_.Paciente();
  paciente.ID(seleccion_.idPaciente);
  if (paciente.Buscar(kFiltroImpresion) != 0) return;
  TDatosFichaReposicion datos;
  datos.Rellenar_Paciente(paciente, seleccion_.textoPaciente);
  if (ctx_->moneda) datos.Fijar_Moneda(*ctx_->moneda);
  // The replacements in the order the grid shows them.
  const QSortFilterProxyModel& vista = dm_->dscReposiciones;
  const QStandardItemModel& m = dm_->memReposiciones;
  for (int i = 0; i < vista.rowCount(); ++i) {
    const int fila = vista.mapToSource(vista.index(i, 0)).row();
    if (!dm_->memReposicionesBeforePost(fila)) continue;  // a row still without observations
    datos.Filas << TFilaReposicionInforme{m.item(fila, TdmLentilla::Fecha)->text(),
                                          m.item(fila, TdmLentilla::TipoReposicion)->text(),
                                          m.item(fila, TdmLentilla::Ojo)->text(),
                                          m.item(fila, TdmLentilla::ImporteM1)->data(Qt::EditRole).toDouble(),
                                          m.item(fila, TdmLentilla::Observaciones)->text()};
  }
  TfrmFichaReposicion hoja(datos);
  hoja.Sacar(QStringLiteral("reposiciones-%1.pdf").arg(static_cast<qint64>(seleccion_.idPaciente)), this,
             ctx_->aplicacion);
}

// ---- Through the print engine --------------------------------------------------------------------

bool TfrmLentilla::Imprimir_Motor(int tipo, const QString& formato) {
  // The documents print the stored record: unsaved changes are saved first,
  // if the user wants.
  if (!Dejar_Ficha()) return false;
  // The user confirms (or changes) the format and the copies.
  TfrmFormatoDefecto eleccion(ctx_->aplicacion);
  eleccion.Fijar_Contexto(ctx_);
  eleccion.Tipo_Documento(tipo);
  eleccion.Formato_Defecto(formato);
  eleccion.Inicializar();
  if (eleccion.exec() != QDialog::Accepted) return true;
  const int copias = static_cast<int>(std::lround(eleccion.Copias()));
  TPaciente& paciente = objetos_.Paciente();
  paciente.ID(seleccion_.idPaciente);
  paciente.Buscar(kFiltroImpresion);
  TTienda& tienda = objetos_.Tienda();
  tienda.ID_TIENDA(static_cast<int32_t>(paciente.TIENDA()));
  const QString nombreTienda = tienda.Buscar() == 0 ? tienda.DESCRIPCION() : QString();
  TFichaDocumento ficha;
  ficha.nombre = paciente.NOMBRE();
  ficha.apellidos = paciente.APELLIDOS();
  if (fichaExistente_) ficha_->Rellenar_Documento(objetos_.Lentilla(), ficha);
  TDocumento documento(ctx_->aplicacion);
  const int r = Imprimir_Documento(ctx_, documento, eleccion.Tipo(), eleccion.Formato(), copias, [&](TDocumento& d) {
    Variables_Paciente(d, paciente, nombreTienda);
    Variables_Ficha(d, ficha);
  });
  // The engine tells its own refusals (a format it cannot use); one it could
  // not even be asked is told here.
  if (r == TModuloImpresion::kNoCarga || r == TModuloImpresion::kSinEntrada)
    ctx_->aplicacion->MessageBox(
        QStringLiteral("No se encuentra el motor de impresión (printsvc.so) en la carpeta de módulos, o está dañado. "
                       "No se ha impreso nada: avise al responsable del programa."),
        QStringLiteral("AVISO"), mb::OK | mb::ICONSTOP);
  return true;
}

void TfrmLentilla::btnImpFichaClick() {
  if (!Imprimir_Motor(tipos_documento::kFicha, ctx_->usuario->formatoFicha)) return;
  // Logged whatever came of the print.
  TLentilla& l = objetos_.Lentilla();
  ctx_->acceso->Registrar_Ficha(*ctx_, TBDAcceso::kImpresion, fichaExistente_ ? l.ID_MLENTILLA() : 0,
                                ficha_->Texto_Numero().toInt(), l.FECHA());
}

void TfrmLentilla::btnImpRecetaClick() { Imprimir_Motor(tipos_documento::kReceta, ctx_->usuario->formatoReceta); }

void TfrmLentilla::btnImpGarantiaClick() {
  Imprimir_Motor(tipos_documento::kGarantia, ctx_->usuario->formatoGarantia);
}
