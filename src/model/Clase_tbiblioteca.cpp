#include "Clase_tbiblioteca.h"

#include <QFileInfo>

#include "Clase_tbdacceso.h"
#include "Contexto_host.h"

TResultadoCarga TBiblioteca::Cargar(const QString& ruta) {
  Liberar();
  ruta_ = ruta;
  if (!QFileInfo(ruta).isFile()) return TResultadoCarga::NoExiste;
  auto lib = std::make_unique<QLibrary>(ruta);
  if (!lib->load()) return TResultadoCarga::NoCarga;
  QFunctionPointer f = lib->resolve("_Cargar_Dll");
  if (!f) {
    lib->unload();
    return TResultadoCarga::SinEntrada;
  }
  lib_ = std::move(lib);
  entrada_ = f;
  return TResultadoCarga::Cargada;
}

void TBiblioteca::Liberar() {
  entrada_ = nullptr;
  if (lib_) lib_->unload();
  lib_.reset();
}

QString Ruta_Modulo(const TPuesto* puesto, const QString& fichero) {
  const QString carpeta = puesto ? puesto->carpetaModulos : QString();
  return carpeta + QLatin1Char('/') + fichero;
}

// ---- Sales, orders and articles --------------------------------------------------

QString TModulosHermanos::Fichero(Modulo m) {
  switch (m) {
    case Ventas: return QStringLiteral("salesmod.so");
    case Encargos: return QStringLiteral("ordermod.so");
    case Articulos: return QStringLiteral("articlemod.so");
  }
  return {};
}

int TModulosHermanos::Opcion(Modulo m) {
  switch (m) {
    case Ventas: return TBDAcceso::kOpcionVentaDirecta;
    case Encargos: return TBDAcceso::kOpcionEncargos;
    case Articulos: return TBDAcceso::kOpcionArticulos;
  }
  return -1;
}

int TModulosHermanos::Ejecutar(THostContext* ctx, Modulo m) {
  TBiblioteca& bib = bibliotecas_[m];
  if (!bib.Cargada()) {
    const QString ruta = Ruta_Modulo(ctx->puesto, Fichero(m));
    const auto avisar = [&](const QString& texto) {
      ctx->aplicacion->MessageBox(texto, QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
    };
    switch (bib.Cargar(ruta)) {
      case TResultadoCarga::Cargada: break;
      case TResultadoCarga::NoExiste:
        avisar(QStringLiteral("No se ha encontrado el fichero.\r\n\n") + QStringLiteral("El fichero '") + ruta +
               QStringLiteral("' no se ha podido encontrar. Compruebe que el fichero existe."));
        return kNoExiste;
      case TResultadoCarga::NoCarga:
        avisar(QStringLiteral("No se ha podido cargar el fichero.\r\n\n") + QStringLiteral("El fichero '") + ruta +
               QStringLiteral("' no ha podido ser cargado correctamente. Reinicie la aplicación y si el problema "
                              "persiste pongase en contacto con su distribuidor."));
        return kNoCarga;
      case TResultadoCarga::SinEntrada:
        avisar(QStringLiteral("Error al cargar la función.\r\n\n") +
               QStringLiteral("No se ha podido cargar la función de carga del fichero '") + ruta +
               QStringLiteral("'.  Reinicie la aplicación y si el problema persiste pongase en contacto con su "
                              "distribuidor."));
        return kSinEntrada;
    }
  }
  if (ctx->acceso) ctx->acceso->Registrar_Modulo(*ctx, Opcion(m));
  bib.Entrada<TCargarDll>()(ctx);
  return 0;
}

void TModulosHermanos::Liberar_Todos() {
  for (TBiblioteca& b : bibliotecas_) b.Liberar();
}

// ---- Article search ----------------------------------------------------------------

int TModuloBusqueda::Cargar(const THostContext* ctx) {
  if (biblioteca_.Cargada()) return 0;
  switch (biblioteca_.Cargar(Ruta_Modulo(ctx ? ctx->puesto : nullptr, QStringLiteral("artsearch.so")))) {
    case TResultadoCarga::Cargada: return 0;
    case TResultadoCarga::SinEntrada: return kSinEntrada;
    default: return kNoCarga;
  }
}

int TModuloBusqueda::Buscar(THostContext* ctx, TRegistroBusqueda* registro, int32_t modo) {
  if (!biblioteca_.Cargada()) return kNoCargado;
  if (biblioteca_.Entrada<TEntrada>()(ctx, registro, modo) == 1) return 0;
  *registro = TRegistroBusqueda{};
  return kSinEleccion;
}

// ---- Print engine ------------------------------------------------------------------

int TModuloImpresion::Imprimir(void* documento, const THostContext* ctx, uint8_t indicador) {
  if (!documento) return kSinDocumento;
  if (!ctx) return kSinContexto;
  if (!biblioteca_.Cargada()) {
    switch (biblioteca_.Cargar(Ruta_Modulo(ctx->puesto, QStringLiteral("printsvc.so")))) {
      case TResultadoCarga::Cargada: break;
      case TResultadoCarga::SinEntrada: return kSinEntrada;
      default: return kNoCarga;
    }
  }
  return static_cast<int>(biblioteca_.Entrada<TEntrada>()(documento, indicador));
}
