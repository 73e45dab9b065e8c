#include "Frm_hoja_retirada.h"

#include "Util_fechas.h"

namespace {
constexpr double kLinea = 4.4;

// The list's columns: caption, left edge and width in millimetres.
struct TColumnaRetirada {
  const char* titulo;
  double x, ancho;
};
constexpr TColumnaRetirada kColumnas[] = {
    {"Paciente", 0, 52}, {"Teléfono", 53, 22}, {"Origen", 76, 14},    {"Nº", 91, 8},
    {"Fecha", 100, 18},  {"Ojo", 119, 7},      {"Artículo", 127, 63},
};
}  // namespace

void TfrmHojaRetirada::Cabecera_Columnas(TLienzoInforme& lienzo) const {
  for (const TColumnaRetirada& c : kColumnas)
    lienzo.En_Linea(c.x, c.ancho, kLinea, lienzo.Fuente_Etiqueta(), QString::fromUtf8(c.titulo));
  lienzo.Avanzar(kLinea);
  lienzo.Linea(0, lienzo.Y(), TLienzoInforme::kAncho, TLienzoInforme::kPlata);
  lienzo.Avanzar(0.8);
}

void TfrmHojaRetirada::Dibujar(TLienzoInforme& lienzo) {
  const double fin = TLienzoInforme::kAncho;
  const QFont& e = lienzo.Fuente_Etiqueta();
  lienzo.Titulo(QStringLiteral("Retirada de Lote"));
  lienzo.Encabezado(QStringLiteral("Búsqueda"));
  const auto campo = [&](double x, double hasta, const QString& etiqueta, const QString& valor) {
    lienzo.Campo(x, x + lienzo.Ancho_Texto(e, etiqueta) + 1.5, hasta, kLinea, etiqueta, valor);
  };
  campo(0, 90, QStringLiteral("Lote:"),
        criterio_.lote.trimmed() + (criterio_.parte ? QStringLiteral(" (parte)") : QString()));
  campo(95, fin, QStringLiteral("Artículo:"), criterio_.referencia);
  lienzo.Avanzar(kLinea);
  campo(0, 90, QStringLiteral("Desde:"), fechas::Fecha_A_Texto(criterio_.desde));
  campo(95, fin, QStringLiteral("Hasta:"), fechas::Fecha_A_Texto(criterio_.hasta));
  lienzo.Avanzar(kLinea + 3);
  lienzo.Encabezado(QStringLiteral("Pacientes (%1 líneas)").arg(filas_.size()));
  Cabecera_Columnas(lienzo);

  const QFont& f = lienzo.Fuente();
  for (const st_retirada_lote& r : filas_) {
    const int pagina = lienzo.Pagina();
    lienzo.Reservar(kLinea);
    if (lienzo.Pagina() != pagina) Cabecera_Columnas(lienzo);
    const QString articulo =
        r.descripcion.isEmpty() ? r.referencia : r.referencia + QStringLiteral(" ") + r.descripcion;
    const QString valores[] = {r.paciente,
                               r.telefono,
                               TRetiradaLote::Nombre_Origen(r.origen),
                               QString::number(r.numero),
                               fechas::Fecha_A_Texto(r.fecha),
                               TRetiradaLote::Nombre_Ojo(r.ojo),
                               articulo};
    for (size_t i = 0; i < std::size(kColumnas); ++i)
      lienzo.En_Linea(kColumnas[i].x, kColumnas[i].ancho, kLinea, f, valores[i]);
    lienzo.Avanzar(kLinea);
  }
}
