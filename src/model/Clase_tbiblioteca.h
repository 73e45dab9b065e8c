#pragma once
// Loading of the application's other libraries (sales, orders, articles,
// article search, print engine). Each lives in the workstation's modules
// folder and exports `_Cargar_Dll`. A missing file, a file that cannot be
// loaded and a library without the entry are three different outcomes.

#include <QLibrary>
#include <QString>
#include <cstdint>
#include <memory>

struct THostContext;
struct TPuesto;
struct TRegistroBusqueda;

enum class TResultadoCarga { Cargada, NoExiste, NoCarga, SinEntrada };

// One library and its entry; released when the object goes (or on Liberar).
class TBiblioteca {
 public:
  TBiblioteca() = default;
  ~TBiblioteca() { Liberar(); }
  TBiblioteca(const TBiblioteca&) = delete;
  TBiblioteca& operator=(const TBiblioteca&) = delete;

  TResultadoCarga Cargar(const QString& ruta);
  void Liberar();
  bool Cargada() const { return entrada_ != nullptr; }
  template <typename F>
  F Entrada() const { return reinterpret_cast<F>(entrada_); }
  const QString& Ruta() const { return ruta_; }

 private:
  std::unique_ptr<QLibrary> lib_;
  QFunctionPointer entrada_ = nullptr;
  QString ruta_;
};

// Full path of a module file: the workstation's modules folder and the name.
QString Ruta_Modulo(const TPuesto* puesto, const QString& fichero);

// The three modules the lens screen starts with the host context: sales,
// orders and articles. Each is loaded once, kept while the screen lives, and
// its start is written to the access log before it is entered.
class TModulosHermanos {
 public:
  enum Modulo { Ventas = 0, Encargos = 1, Articulos = 2 };
  static constexpr int kNoExiste = -600;
  static constexpr int kNoCarga = -601;
  static constexpr int kSinEntrada = -602;

  static QString Fichero(Modulo m);
  static int Opcion(Modulo m);

  // Loads (the first time), logs and enters the module. Failures are told to
  // the user through the host's message service and returned as codes.
  int Ejecutar(THostContext* ctx, Modulo m);
  bool Cargado(Modulo m) const { return bibliotecas_[m].Cargada(); }
  void Liberar_Todos();

 private:
  TBiblioteca bibliotecas_[3];
};

// The article-search module: entry(host context, search record, mode) gives 1
// when the user chose an article.
class TModuloBusqueda {
 public:
  static constexpr int kNoCarga = -11800;
  static constexpr int kSinEntrada = -11801;
  static constexpr int kNoCargado = -8;
  static constexpr int kSinEleccion = -301;
  using TEntrada = int32_t (*)(THostContext*, TRegistroBusqueda*, int32_t);

  int Cargar(const THostContext* ctx);
  bool Cargado() const { return biblioteca_.Cargada(); }
  // 0 with the choice in the record; otherwise the record is emptied.
  int Buscar(THostContext* ctx, TRegistroBusqueda* registro, int32_t modo);
  void Liberar() { biblioteca_.Liberar(); }

 private:
  TBiblioteca biblioteca_;
};

// The print engine: entry(print document, flag) gives a 16-bit status.
class TModuloImpresion {
 public:
  static constexpr int kSinDocumento = -22800;
  static constexpr int kSinContexto = -22801;
  static constexpr int kNoCarga = -603;
  static constexpr int kSinEntrada = -604;
  using TEntrada = int16_t (*)(void* documento, uint8_t indicador);

  // Loads the engine (once) and hands it the document; the engine's status,
  // or one of the codes above.
  int Imprimir(void* documento, const THostContext* ctx, uint8_t indicador);
  void Liberar() { biblioteca_.Liberar(); }

 private:
  TBiblioteca biblioteca_;
};
