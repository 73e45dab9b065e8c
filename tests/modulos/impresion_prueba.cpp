// A print engine that answers with a status that depends on the flag.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) int16_t _Cargar_Dll(void* documento, uint8_t indicador) {
  return documento ? (indicador ? int16_t(-2) : int16_t(7)) : int16_t(-9);
}
