#pragma once
// The bridge to the print engine: loads printsvc.so from the workstation's
// modules folder, hands it the document and the flag, and gives back the
// engine's status. Each TFormato loads the engine afresh and frees it when
// it goes, so a new engine installed between two prints is the one used.
//
// Flag: 1 shows the document in a print preview, 0 prints it straight to
// the default printer. A workstation whose OPTICA_IMPRESION_PDF names a
// folder gets a PDF file there instead of either.

#include <cstdint>

#include "Clase_tbiblioteca.h"

struct THostContext;
class TDocumento;

class TFormato {
 public:
  // The engine's own statuses (anything else is one of TModuloImpresion's).
  static constexpr int kImpreso = 0;
  static constexpr int kFormatoRechazado = -1;  // the document says why
  static constexpr int kSinSalida = -2;         // printer or file could not be written
  static constexpr int kDocumentoNoLeido = -3;  // the document's format was not read

  void Contexto(THostContext* ctx) { ctx_ = ctx; }
  void Documento(TDocumento* documento) { documento_ = documento; }
  void Indicador(uint8_t indicador) { indicador_ = indicador; }

  // The engine's status or a loading code (-22800, -22801, -603, -604). A
  // refused format, an unread document or an output that could not be
  // written is told to the user through the host's application object, in
  // the engine's words.
  int Imprimir();
  int Resultado() const { return resultado_; }

 private:
  THostContext* ctx_ = nullptr;
  TDocumento* documento_ = nullptr;
  uint8_t indicador_ = 0;
  TModuloImpresion motor_;
  int resultado_ = 0;
};
