// The record on screen as an HL7 FHIR prescription (a JSON file), and a
// prescription into a new fitting test of the patient on screen. The
// conversion is src/fhir's, the reading and writing the FHIR service's;
// here are only the files, the preview and the messages.

#include <QFile>
#include <QFileDialog>
#include <QSaveFile>
#include <QStatusBar>
#include <QTabWidget>

#include "Aviso_resultado.h"
#include "Clase_tlentilla.h"
#include "Frm_importar_fhir.h"
#include "Frm_lentilla.h"
#include "Frm_lentilla_pruebas.h"
#include "Servicios_lentilla.h"

namespace {
const QString kAviso = QStringLiteral("AVISO");
const QString kFiltro = QStringLiteral("Receta FHIR (*.json);;Todos los ficheros (*)");
}  // namespace

void TfrmLentilla::btnFhirExportarClick() {
  // The prescription is the stored record: unsaved changes are saved first,
  // if the user wants.
  if (!Dejar_Ficha()) return;
  if (!fichaExistente_) {
    ctx_->aplicacion->MessageBox(QStringLiteral("Grabe la ficha antes de exportarla como receta FHIR."), kAviso,
                                 mb::OK | mb::ICONWARNING);
    return;
  }
  const QString nombre = QFileDialog::getSaveFileName(
      this, QStringLiteral("Exportar la ficha como receta FHIR"),
      QStringLiteral("receta-%1-%2.json")
          .arg(static_cast<qint64>(seleccion_.idPaciente))
          .arg(objetos_.Lentilla().NUMERO_FICHA()),
      kFiltro);
  if (!nombre.isEmpty()) Exportar_Fhir(nombre);
}

bool TfrmLentilla::Exportar_Fhir(const QString& fichero) {
  QByteArray json;
  QString error;
  const int r = servicios_->fhir.Exportar(objetos_.Lentilla().ID_MLENTILLA(), json, &error);
  if (r == -5) {
    ctx_->aplicacion->MessageBox(QStringLiteral("Esta ficha ya no existe (otro puesto la ha borrado): no se ha "
                                                "exportado nada."),
                                 kAviso, mb::OK | mb::ICONWARNING);
    return false;
  }
  if (r != 0) {
    ctx_->aplicacion->MessageBox(QStringLiteral("No se ha podido leer la ficha para exportarla: %1").arg(error),
                                 QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
    return false;
  }
  // Whole or not at all: a file that cannot be finished is not left half-made.
  QSaveFile f(fichero);
  if (!f.open(QIODevice::WriteOnly) || f.write(json) != json.size() || !f.commit()) {
    ctx_->aplicacion->MessageBox(
        QStringLiteral("No se ha podido escribir el fichero «%1»: %2").arg(fichero, f.errorString()), kAviso,
        mb::OK | mb::ICONWARNING);
    return false;
  }
  sbr_Ayuda_->showMessage(QStringLiteral("Ficha exportada como receta FHIR en %1").arg(fichero), 15000);
  return true;
}

void TfrmLentilla::btnFhirImportarClick() {
  const QString nombre =
      QFileDialog::getOpenFileName(this, QStringLiteral("Importar una receta FHIR en una prueba"), QString(), kFiltro);
  if (nombre.isEmpty()) return;
  QFile f(nombre);
  if (!f.open(QIODevice::ReadOnly)) {
    ctx_->aplicacion->MessageBox(QStringLiteral("No se puede abrir el fichero «%1»: %2").arg(nombre, f.errorString()),
                                 kAviso, mb::OK | mb::ICONWARNING);
    return;
  }
  // One byte past the largest prescription is enough to tell a file that
  // is none; the rest is never read.
  Importar_Fhir(f.read(fhir::kTamanoMaximo + 1));
}

bool TfrmLentilla::Importar_Fhir(const QByteArray& json) {
  const TServicioFhir::TImportacion im = servicios_->fhir.Preparar(json);
  if (im.lectura.fallo != fhir::TFallo::kNinguno) {
    ctx_->aplicacion->MessageBox(im.lectura.mensaje, kAviso, mb::OK | mb::ICONWARNING);
    return false;
  }
  // The "Pruebas" tab is about to show the new test: its own changes first.
  if (!Dejar_Edicion(ctx_->aplicacion, *pruebas_, pruebas_->Pregunta_Cambios(), kAviso, mb::YESNOCANCEL)) return false;
  const int numero = servicios_->fhir.Siguiente_Numero(seleccion_.idPaciente);
  TfrmImportarFhir vista(this, im, seleccion_.textoPaciente, numero);
  vista.Fijar_Contexto(ctx_);
  if (vista.exec() != QDialog::Accepted) return false;
  const TResultado r = servicios_->fhir.Importar(im, seleccion_.idPaciente);
  if (!r.Hecho_Bien()) {
    Avisar_Resultado(ctx_, r, TEscrito::kPrueba, TAccion::kGrabar);
    return false;
  }
  // The new test is the patient's last: the tab shows it.
  pruebas_->Fijar_Pendiente(false);
  pruebas_->Cargar_Pruebas(true);
  pruebas_->Marcar_Prueba(false);
  pclLentilla_->setCurrentWidget(pruebas_);
  sbr_Ayuda_->showMessage(QStringLiteral("Receta FHIR importada en la prueba nº %1").arg(numero), 15000);
  return true;
}
