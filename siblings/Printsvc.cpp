// printsvc.so: the shop's print engine. A printing program hands it a print
// document whose format it has read and whose variables it has filled; the
// engine lays the format's controls out on the format's page, once per copy.
//
// Flag 1: a print preview, from which the user prints or saves a PDF.
// Flag 0: straight to the default printer.
// With OPTICA_IMPRESION_PDF naming a folder (a workstation without a screen,
// or a test), the document goes to "<format name>.pdf" in that folder.
//
// Status: 0 done; -1 the format was refused, -2 the printer or the file could
// not be written, -3 the document's format was never read; the document's
// engine message says what happened.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdint>

#include "Clase_tdocumento.h"
#include "Clase_tformato.h"
#include "Motor_formato.h"

extern "C" __attribute__((visibility("default"))) int16_t _Cargar_Dll(TDocumento* documento, uint8_t indicador) {
  if (!documento) return TFormato::kDocumentoNoLeido;
  if (!documento->Valido() || !documento->Lector() || !documento->Lector()->Abierto()) {
    documento->Mensaje_Motor(QStringLiteral("El documento no tiene un formato leído. No se imprime nada."));
    return TFormato::kDocumentoNoLeido;
  }
  THojaFormato hoja(*documento);
  if (!hoja.Preparar_Controles()) {
    documento->Mensaje_Motor(hoja.Error());
    return TFormato::kFormatoRechazado;
  }

  const QString carpeta = qEnvironmentVariable("OPTICA_IMPRESION_PDF");
  if (!carpeta.isEmpty()) {
    const QString ruta =
        QDir(carpeta).filePath(QFileInfo(documento->Fichero_Formato()).completeBaseName() + QStringLiteral(".pdf"));
    if (hoja.Imprimir_Pdf(ruta)) return TFormato::kImpreso;
    documento->Mensaje_Motor(
        QStringLiteral("No se ha podido escribir %1. Compruebe que la carpeta existe y se puede escribir en ella.")
            .arg(ruta));
    return TFormato::kSinSalida;
  }
  if (indicador == 1) {
    hoja.Mostrar_Vista_Previa(QApplication::activeWindow());
    return TFormato::kImpreso;
  }
  if (QPrinterInfo::defaultPrinter().isNull()) {
    documento->Mensaje_Motor(
        QStringLiteral("No hay ninguna impresora predeterminada en este puesto. No se imprime nada."));
    return TFormato::kSinSalida;
  }
  QPrinter impresora(QPrinter::HighResolution);
  if (!hoja.Imprimir(impresora)) {
    documento->Mensaje_Motor(QStringLiteral("No se ha podido imprimir en la impresora '%1'. Compruebe que está "
                                            "encendida y conectada.")
                                 .arg(impresora.printerName()));
    return TFormato::kSinSalida;
  }
  return TFormato::kImpreso;
}
