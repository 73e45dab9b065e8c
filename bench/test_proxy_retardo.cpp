// The delaying proxy of the server benchmarks, in front of an echo server of
// this test: what goes through comes back unchanged and in order, the end of
// a side's data is passed on, and each round trip costs the delay asked for
// (split between the two directions, not paid twice).

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QProcess>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <thread>

namespace {

// Answers each connection with what it receives until the client ends its
// side, then ends its own.
class TEco {
 public:
  TEco() {
    escucha_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t largo = sizeof dir;
    bind(escucha_, reinterpret_cast<sockaddr*>(&dir), sizeof dir);
    listen(escucha_, 4);
    getsockname(escucha_, reinterpret_cast<sockaddr*>(&dir), &largo);
    puerto_ = ntohs(dir.sin_port);
    hilo_ = std::thread([this] {
      const int c = accept(escucha_, nullptr, nullptr);
      if (c < 0) return;
      char buf[8192];
      ssize_t n;
      while ((n = recv(c, buf, sizeof buf, 0)) > 0)
        for (ssize_t hecho = 0; hecho < n;) {
          const ssize_t m = send(c, buf + hecho, static_cast<size_t>(n - hecho), MSG_NOSIGNAL);
          if (m <= 0) break;
          hecho += m;
        }
      close(c);
    });
  }
  ~TEco() {
    shutdown(escucha_, SHUT_RDWR);  // an accept still waiting returns
    close(escucha_);
    hilo_.join();
  }
  int Puerto() const { return puerto_; }

 private:
  int escucha_ = -1, puerto_ = 0;
  std::thread hilo_;
};

class ProxyRetardoTest : public ::testing::Test {
 protected:
  // Starts the proxy in front of the echo server and connects to it.
  void Arrancar(const char* retardo_ms) {
    proxy_.start(QStringLiteral(OPTICA_PROXY_RETARDO),
                 {QStringLiteral("127.0.0.1:%1").arg(eco_.Puerto()), QString::fromLatin1(retardo_ms), "--limite", "60"});
    ASSERT_TRUE(proxy_.waitForStarted(10000));
    ASSERT_TRUE(proxy_.waitForReadyRead(10000)) << "el proxy no dijo su puerto";
    const int puerto = proxy_.readLine().trimmed().toInt();
    ASSERT_GT(puerto, 0);
    cliente_ = socket(AF_INET, SOCK_STREAM, 0);
    const int uno = 1;
    setsockopt(cliente_, IPPROTO_TCP, TCP_NODELAY, &uno, sizeof uno);
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    dir.sin_port = htons(static_cast<uint16_t>(puerto));
    ASSERT_EQ(connect(cliente_, reinterpret_cast<sockaddr*>(&dir), sizeof dir), 0);
  }
  void TearDown() override {
    if (cliente_ >= 0) close(cliente_);
    proxy_.kill();
    proxy_.waitForFinished(5000);
  }

  TEco eco_;
  QProcess proxy_;
  int cliente_ = -1;
};

// 3 MB in odd-sized writes, sent while the echo is read: held and forwarded
// in many pieces, with the proxy's queues filling up on the way.
TEST_F(ProxyRetardoTest, LosBytesVuelvenIgualesYElFinLlegaAlOtroLado) {
  Arrancar("4");
  std::string enviado(3 << 20, '\0');
  std::mt19937 azar(7);
  std::generate(enviado.begin(), enviado.end(), [&] { return static_cast<char>(azar()); });
  std::thread emisor([&] {
    for (size_t hecho = 0; hecho < enviado.size();) {
      const size_t trozo = std::min<size_t>(1 + azar() % 70000, enviado.size() - hecho);
      const ssize_t n = send(cliente_, enviado.data() + hecho, trozo, MSG_NOSIGNAL);
      if (n <= 0) break;
      hecho += static_cast<size_t>(n);
    }
    shutdown(cliente_, SHUT_WR);  // the echo server ends only when this end reaches it
  });
  std::string recibido;
  char buf[65536];
  ssize_t n;
  while ((n = recv(cliente_, buf, sizeof buf, 0)) > 0) recibido.append(buf, static_cast<size_t>(n));
  emisor.join();
  EXPECT_EQ(n, 0) << "la conexión se rompió en lugar de terminar";
  ASSERT_EQ(recibido.size(), enviado.size());
  EXPECT_TRUE(recibido == enviado) << "los bytes cambiaron por el camino";
}

// 40 ms asked for: every round trip takes at least 40 ms, and the quickest of
// ten well under 80 (which would mean the delay is paid in each direction).
TEST_F(ProxyRetardoTest, CadaIdaYVueltaCuestaElRetardoUnaVez) {
  Arrancar("40");
  using Reloj = std::chrono::steady_clock;
  double minimo = 1e9;
  for (int i = 0; i < 10; ++i) {
    const char c = static_cast<char>('a' + i);
    const auto antes = Reloj::now();
    ASSERT_EQ(send(cliente_, &c, 1, 0), 1);
    char r = 0;
    ASSERT_EQ(recv(cliente_, &r, 1, 0), 1);
    const double ms = std::chrono::duration<double, std::milli>(Reloj::now() - antes).count();
    EXPECT_EQ(r, c);
    EXPECT_GE(ms, 40.0);
    minimo = std::min(minimo, ms);
  }
  EXPECT_LT(minimo, 70.0);
}

}  // namespace
