// A library that does not export the module entry.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) int32_t Otra_Funcion() { return 1; }
