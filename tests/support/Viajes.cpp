#include "Viajes.h"

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/types.h>

#include <unistd.h>

#include <atomic>
#include <cstdlib>

namespace {
std::atomic<std::uint64_t> contados{0};
// Set by a send, cleared by the receive that answers it.
thread_local bool pendiente = false;

template <typename F>
F Original(const char* nombre) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, nombre));
}
}  // namespace

namespace viajes {
std::uint64_t Contados() { return contados.load(std::memory_order_relaxed); }
}  // namespace viajes

// The executable's own send and recv come before the C library's for every
// shared object that calls them (the Firebird client among them).
extern "C" __attribute__((visibility("default"))) ssize_t send(int fd, const void* buf, size_t n, int flags) {
  static const auto real = Original<ssize_t (*)(int, const void*, size_t, int)>("send");
  pendiente = true;
  return real(fd, buf, n, flags);
}

extern "C" __attribute__((visibility("default"))) ssize_t recv(int fd, void* buf, size_t n, int flags) {
  static const auto real = Original<ssize_t (*)(int, void*, size_t, int)>("recv");
  if (pendiente) {
    pendiente = false;
    contados.fetch_add(1, std::memory_order_relaxed);
    // With OPTICA_TRAZA_VIAJES each round trip is written to the error
    // output, among the statements OPTICA_TRAZA_SQL writes there.
    static const bool traza = std::getenv("OPTICA_TRAZA_VIAJES") != nullptr;
    if (traza) (void)!write(2, "VIAJE\n", 6);
  }
  return real(fd, buf, n, flags);
}
