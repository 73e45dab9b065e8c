// optica-proxy-retardo: a TCP relay on 127.0.0.1 that makes a server look
// further away, so that the benchmarks can show what each round trip costs on
// a shop's network without touching the machine's network settings.
//
//   optica-proxy-retardo HOST:PORT RETARDO_MS [--puerto P] [--limite SEGUNDOS]
//
// It listens on 127.0.0.1 (port P, or a free one), writes the port it listens
// on as the first line of its output, and relays every connection it accepts
// to HOST:PORT. RETARDO_MS (decimals allowed) is what it adds to each round
// trip: whatever arrives from either side is held RETARDO_MS / 2 before it
// goes on, so a request and its answer together arrive RETARDO_MS later, as
// on a network with that ping. Bytes go through unchanged and in order; a side
// that stops writing (EOF) is passed on once what it sent has gone.
//
// Firebird 3 speaks to its clients over the one connection they open (the
// auxiliary port is for events only), so a relay of bytes is all it needs.
// The proxy ends on SIGTERM or SIGINT, or by itself after --limite seconds
// (3600 by default), so one that nobody stops does not stay behind.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

using Reloj = std::chrono::steady_clock;

// Data read from one side, to be written to the other from `cuando` on.
struct TTrozo {
  Reloj::time_point cuando;
  std::string datos;
  size_t enviados = 0;
};

// One direction of a connection.
struct TSentido {
  int desde = -1, hacia = -1;
  std::deque<TTrozo> cola;
  size_t pendientes = 0;   // bytes in the queue
  bool fin = false;        // `desde` has closed its side
  bool cerrado = false;    // and that was passed on to `hacia`
};

struct TPar {
  int cliente = -1, servidor = -1;
  TSentido ida, vuelta;  // client to server, server to client
  bool roto = false;
};

// A side that keeps sending while the other does not read is not read from
// past this much held data.
constexpr size_t kMaximoRetenido = 4 << 20;

void Sin_Bloqueo(int fd) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  const int uno = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &uno, sizeof uno);  // no delay but ours
}

int Conectar(const std::string& host, const std::string& puerto) {
  addrinfo pista{};
  pista.ai_family = AF_UNSPEC;
  pista.ai_socktype = SOCK_STREAM;
  addrinfo* lista = nullptr;
  if (getaddrinfo(host.c_str(), puerto.c_str(), &pista, &lista) != 0) return -1;
  int fd = -1;
  for (addrinfo* a = lista; a && fd < 0; a = a->ai_next) {
    fd = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (fd >= 0 && connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
      close(fd);
      fd = -1;
    }
  }
  freeaddrinfo(lista);
  return fd;
}

// Reads what `s.desde` has, stamped to go at `cuando`.
void Leer(TSentido& s, Reloj::time_point cuando, TPar& par) {
  char buf[65536];
  const ssize_t n = recv(s.desde, buf, sizeof buf, 0);
  if (n > 0) {
    s.cola.push_back(TTrozo{cuando, std::string(buf, static_cast<size_t>(n))});
    s.pendientes += static_cast<size_t>(n);
  } else if (n == 0) {
    s.fin = true;
  } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
    par.roto = true;
  }
}

// Writes what is due; passes the end on once the queue is empty.
void Escribir(TSentido& s, Reloj::time_point ahora, TPar& par) {
  while (!s.cola.empty() && s.cola.front().cuando <= ahora) {
    TTrozo& t = s.cola.front();
    const ssize_t n = send(s.hacia, t.datos.data() + t.enviados, t.datos.size() - t.enviados, MSG_NOSIGNAL);
    if (n < 0) {
      if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) par.roto = true;
      return;
    }
    t.enviados += static_cast<size_t>(n);
    s.pendientes -= static_cast<size_t>(n);
    if (t.enviados < t.datos.size()) return;
    s.cola.pop_front();
  }
  if (s.fin && s.cola.empty() && !s.cerrado) {
    shutdown(s.hacia, SHUT_WR);
    s.cerrado = true;
  }
}

[[noreturn]] void Uso() {
  std::fprintf(stderr, "uso: optica-proxy-retardo HOST:PUERTO RETARDO_MS [--puerto P] [--limite SEGUNDOS]\n");
  std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) Uso();
  const std::string destino = argv[1];
  const size_t dos_puntos = destino.rfind(':');
  if (dos_puntos == std::string::npos || dos_puntos == 0) Uso();
  const std::string host = destino.substr(0, dos_puntos), puerto_destino = destino.substr(dos_puntos + 1);
  char* fin = nullptr;
  const double retardo_ms = std::strtod(argv[2], &fin);
  if (*fin || retardo_ms < 0) Uso();
  int puerto = 0;
  double limite_s = 3600;
  for (int i = 3; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--puerto") == 0)
      puerto = std::atoi(argv[i + 1]);
    else if (std::strcmp(argv[i], "--limite") == 0)
      limite_s = std::atof(argv[i + 1]);
    else
      Uso();
  }
  if (argc % 2 == 0) Uso();
  const auto medio = std::chrono::duration_cast<Reloj::duration>(std::chrono::duration<double, std::milli>(retardo_ms / 2));
  const Reloj::time_point final = Reloj::now() + std::chrono::duration_cast<Reloj::duration>(
                                                     std::chrono::duration<double>(limite_s));

  // Timed waits end when the delay is up, without the 50 µs the kernel may
  // otherwise add to each of them.
  prctl(PR_SET_TIMERSLACK, 1UL);

  const int escucha = socket(AF_INET, SOCK_STREAM, 0);
  const int uno = 1;
  setsockopt(escucha, SOL_SOCKET, SO_REUSEADDR, &uno, sizeof uno);
  sockaddr_in dir{};
  dir.sin_family = AF_INET;
  dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  dir.sin_port = htons(static_cast<uint16_t>(puerto));
  socklen_t largo = sizeof dir;
  if (bind(escucha, reinterpret_cast<sockaddr*>(&dir), sizeof dir) != 0 || listen(escucha, 16) != 0 ||
      getsockname(escucha, reinterpret_cast<sockaddr*>(&dir), &largo) != 0) {
    std::perror("optica-proxy-retardo: 127.0.0.1");
    return 1;
  }
  std::printf("%d\n", ntohs(dir.sin_port));
  std::fflush(stdout);

  std::vector<std::unique_ptr<TPar>> pares;
  for (;;) {
    Reloj::time_point ahora = Reloj::now();
    if (ahora >= final) return 0;
    // What to wait for: the listening socket, every side whose queue has room,
    // every side with data due that could not take it yet; and the next data
    // to fall due.
    Reloj::time_point despertar = final;
    std::vector<pollfd> fds{{escucha, POLLIN, 0}};
    std::vector<std::pair<TPar*, TSentido*>> quien{{nullptr, nullptr}};
    for (auto& p : pares)
      for (TSentido* s : {&p->ida, &p->vuelta}) {
        if (!s->fin && s->pendientes < kMaximoRetenido) {
          fds.push_back({s->desde, POLLIN, 0});
          quien.emplace_back(p.get(), s);
        }
        if (!s->cola.empty()) {
          if (s->cola.front().cuando <= ahora) {
            fds.push_back({s->hacia, POLLOUT, 0});
            quien.emplace_back(p.get(), s);
          } else if (s->cola.front().cuando < despertar) {
            despertar = s->cola.front().cuando;
          }
        }
      }
    const auto espera = std::chrono::duration_cast<std::chrono::nanoseconds>(despertar - ahora);
    const timespec ts{static_cast<time_t>(espera.count() / 1000000000), static_cast<long>(espera.count() % 1000000000)};
    if (ppoll(fds.data(), fds.size(), &ts, nullptr) < 0 && errno != EINTR) {
      std::perror("optica-proxy-retardo: ppoll");
      return 1;
    }
    ahora = Reloj::now();
    if (fds[0].revents & POLLIN) {
      const int cliente = accept(escucha, nullptr, nullptr);
      if (cliente >= 0) {
        const int servidor = Conectar(host, puerto_destino);
        if (servidor < 0) {
          std::fprintf(stderr, "optica-proxy-retardo: no se pudo conectar con %s\n", destino.c_str());
          close(cliente);
        } else {
          Sin_Bloqueo(cliente);
          Sin_Bloqueo(servidor);
          auto p = std::make_unique<TPar>();
          p->cliente = cliente;
          p->servidor = servidor;
          p->ida.desde = p->vuelta.hacia = cliente;
          p->ida.hacia = p->vuelta.desde = servidor;
          pares.push_back(std::move(p));
        }
      }
    }
    for (size_t i = 1; i < fds.size(); ++i)
      if ((fds[i].events & POLLIN) && (fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
        Leer(*quien[i].second, ahora + medio, *quien[i].first);
    // Every due write is tried, whether poll reported the side writable or
    // the data fell due meanwhile (with no delay, in this same turn).
    for (auto& p : pares) {
      Escribir(p->ida, ahora, *p);
      Escribir(p->vuelta, ahora, *p);
    }
    for (auto it = pares.begin(); it != pares.end();) {
      TPar& p = **it;
      if (p.roto || (p.ida.cerrado && p.vuelta.cerrado)) {
        close(p.cliente);
        close(p.servidor);
        it = pares.erase(it);
      } else {
        ++it;
      }
    }
  }
}
