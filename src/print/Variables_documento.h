#pragma once
// What the lens screen prints through the print engine: the record sheet
// (document type 30), the prescription (16) and the warranty (25). The
// screen chooses the format and the copies, and these routines fill the
// print document with its numbered variables and hand it to the engine.
//
//   TDocumento documento(ctx->aplicacion);
//   Imprimir_Documento(ctx, documento, 16, "receta_lentilla", 1, [&](TDocumento& d) {
//     Variables_Paciente(d, paciente, nombreTienda);
//     Variables_Ficha(d, datosFicha);
//   });

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>

struct THostContext;
struct TEmpresa;
class TDocumento;
class TPaciente;

namespace tipos_documento {
inline constexpr int kReceta = 16;
inline constexpr int kGarantia = 25;
inline constexpr int kFicha = 30;
}  // namespace tipos_documento

// One lens line as the record shows it, its values already as texts (the
// diameter as the record converts it, the prices with the currencies' masks,
// the warranty date "dd/mm/yyyy" or empty).
struct TLineaLenteDocumento {
  int ojo = 1;  // 1 right eye (OD); any other value the left eye (OI)
  QString tipo, referencia, descripcion, modelo, radio1, radio2, diametro, color, lote, precioM1, precioM2,
      garantia;
  // The lens box's GS1 data (GTIN, expiry, lot) in zint's bracket form, for
  // a GS1 DataMatrix; empty when the article has no GTIN.
  QString gs1;
};

// The record block as the screen shows it: dates "dd/mm/yyyy" or empty, the
// selectors' texts, the graduation as the record's text conversions give it.
struct TFichaDocumento {
  // A record never saved (key -1 or 0) prints the patient's name and
  // nothing else of the record.
  bool conClave = false;
  QString nombre, apellidos;
  QString numero, fecha, revision, limpieza, caducidad, reposicion;
  QString doctor, colegiado, propiaAjena, agente, liquidos;
  // Per eye: [0] right (OD), [1] left (OI).
  struct TOjo {
    QString abertura, pupila, iris;
    QString radio1, radio2, esfera, cilindro, eje, diametro, zonaOptica, adicion, queratometria, agudeza;
  } ojos[2];
  QString observaciones;
  // The prescription in its QR text form (Receta_qr.h).
  QString receta;
  QList<TLineaLenteDocumento> lentes;
};

// 900-911 from the company record; 904-906 only when the company has a town.
void Variables_Empresa(TDocumento& d, const TEmpresa& empresa);
// 100-127 from a loaded patient; `tienda` is the name of the patient's shop.
void Variables_Paciente(TDocumento& d, TPaciente& paciente, const QString& tienda);
// 3400-3441 and the lens lines 3600-3625 (even codes OD, odd codes OI); an
// eye without a line gets every code of its side as an empty text. 3441 is
// the prescription's QR text and 3624/3625 each lens box's GS1 data, for the
// formats' barcodes.
void Variables_Ficha(TDocumento& d, const TFichaDocumento& ficha);

// Prints one document: the format `formato` (a name; the folder and ".prn"
// are the workstation's) is read by the document, which tells the user what
// is wrong with a bad one; the per-type text and the copies of the type are
// set, the company block added for the prescription and the warranty, and
// `rellenar` adds the rest before the engine gets the document. Returns the
// document's read result when the format is no good, otherwise TFormato's.
int Imprimir_Documento(THostContext* ctx, TDocumento& documento, int tipo, const QString& formato, int copias,
                       const std::function<void(TDocumento&)>& rellenar, uint8_t indicador = 1);
