#pragma once
// The one mapping from what came of a write (TResultado) to what the user is
// told: an expected refusal in a box that says what to do, anything else in
// the error report under the label of the handler that asked for the write.

#include "Contexto_host.h"
#include "Resultado.h"

// What was written, and how.
enum class TEscrito { kFicha, kPrueba, kDefinitiva, kReposiciones };
enum class TAccion { kGrabar, kBorrar };

// Tells the user why a write did not happen (nothing when it did, or when the
// user declined to confirm it). True when another workstation had changed the
// row and the user wants to see it as it is now: the caller reads it again.
bool Avisar_Resultado(THostContext* ctx, const TResultado& r, TEscrito que, TAccion accion);
