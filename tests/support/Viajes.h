#pragma once
// Round trips to a Firebird server, counted inside the process: the client
// library talks to the server with send() and recv(), which this program
// takes over (Viajes.cpp) to count every recv that follows a send. An
// embedded database has no socket and counts none.

#include <cstdint>

namespace viajes {
// Round trips since the program started.
std::uint64_t Contados();
}  // namespace viajes
