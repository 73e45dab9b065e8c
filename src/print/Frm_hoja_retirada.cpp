#include "Frm_hoja_retirada.h"

#include "Util_fechas.h"

namespace {
constexpr double kLinea = 4.4;

// The list's columns: caption, left edge and width in millimetres. The lot
// is there because a search by part of one finds several.
struct TColumnaRetirada {
  const char* titulo;
  double x, ancho;
};
constexpr TColumnaRetirada kColumnas[] = {
    {"Paciente", 0, 40},  {"Teléfono", 41, 19}, {"Origen", 61, 11}, {"Nº", 73, 8},          {"Fecha", 82, 15},
    {"Ojo", 98, 6},       {"Lote", 105, 28},    {"Artículo", 134, 56},
};
}  // namespace

void TfrmHojaRetirada::Cabecera_Columnas(TLienzoInforme& lienzo) const {
  TRenglonInforme renglon(lienzo, kLinea);
  for (const TColumnaRetirada& c : kColumnas)
    renglon.Texto(c.x, c.ancho, lienzo.Fuente_Etiqueta(), QString::fromUtf8(c.titulo));
  lienzo.Avanzar(renglon.Dibujar());
  lienzo.Linea(0, lienzo.Y(), TLienzoInforme::kAncho, TLienzoInforme::kPlata);
  lienzo.Avanzar(0.8);
}

void TfrmHojaRetirada::Dibujar(TLienzoInforme& lienzo) {
  const double fin = TLienzoInforme::kAncho;
  const QFont& e = lienzo.Fuente_Etiqueta();
  lienzo.Titulo(QStringLiteral("Retirada de Lote"));
  lienzo.Encabezado(QStringLiteral("Búsqueda"));
  const auto campo = [&](TRenglonInforme& renglon, double x, double hasta, const QString& etiqueta,
                         const QString& valor) -> TRenglonInforme& {
    return renglon.Campo(x, x + lienzo.Ancho_Texto(e, etiqueta) + 1.5, hasta, etiqueta, valor);
  };
  TRenglonInforme lote(lienzo, kLinea);
  campo(lote, 0, 90, QStringLiteral("Lote:"),
        criterio_.lote.trimmed() + (criterio_.parte ? QStringLiteral(" (parte)") : QString()));
  campo(lote, 95, fin, QStringLiteral("Artículo:"), criterio_.referencia);
  lienzo.Avanzar(lote.Dibujar());
  TRenglonInforme periodo(lienzo, kLinea);
  campo(periodo, 0, 90, QStringLiteral("Desde:"), fechas::Fecha_A_Texto(criterio_.desde));
  campo(periodo, 95, fin, QStringLiteral("Hasta:"), fechas::Fecha_A_Texto(criterio_.hasta));
  lienzo.Avanzar(periodo.Dibujar() + 3);
  lienzo.Encabezado(QStringLiteral("Pacientes (%1 líneas)").arg(filas_.size()));
  Cabecera_Columnas(lienzo);

  const QFont& f = lienzo.Fuente();
  for (const st_retirada_lote& r : filas_) {
    const QString articulo =
        r.descripcion.isEmpty() ? r.referencia : r.referencia + QStringLiteral(" ") + r.descripcion;
    const QString valores[] = {r.paciente,
                               r.telefono,
                               TRetiradaLote::Nombre_Origen(r.origen),
                               QString::number(r.numero),
                               fechas::Fecha_A_Texto(r.fecha),
                               TRetiradaLote::Nombre_Ojo(r.ojo),
                               r.lote,
                               articulo};
    TRenglonInforme renglon(lienzo, kLinea);
    for (size_t i = 0; i < std::size(kColumnas); ++i) renglon.Texto(kColumnas[i].x, kColumnas[i].ancho, f, valores[i]);
    // A line that starts a page has the column captions over it.
    const int pagina = lienzo.Pagina();
    lienzo.Reservar(renglon.Alto());
    if (lienzo.Pagina() != pagina) Cabecera_Columnas(lienzo);
    lienzo.Avanzar(renglon.Dibujar());
  }
}
