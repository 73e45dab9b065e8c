#include "Frm_ficha_reposicion.h"

#include <algorithm>

#include "Clase_tmoneda.h"
#include "Clase_tpaciente.h"
#include "Util_locale.h"

void TDatosFichaReposicion::Rellenar_Paciente(const TPaciente& paciente, const QString& nombre) {
  const TLocalidad& localidad = paciente.Localidad();
  Nombre = nombre;
  Direccion = paciente.DIRECCION();
  Codigo_Postal = QString::number(localidad.CODIGO_POSTAL());
  Localidad = localidad.DESCRIPCION();
  Provincia = localidad.Provincia().DESCRIPCION();
  Telefono = paciente.TELEFONO();
  Movil = paciente.TELEFONO_MOVIL();
}

void TDatosFichaReposicion::Fijar_Moneda(const TMoneda& moneda) { Mascara_Importe = moneda.Mascara_M1(); }

QString TDatosFichaReposicion::Texto_Importe(double importe) const {
  // Without a currency the amount still reads as money, without a symbol.
  return locale_es::Formatear(importe, Mascara_Importe.isEmpty() ? TMoneda::Mascara_Visual(2) : Mascara_Importe);
}

namespace {
constexpr double kLinea = 4.4;       // a line of captions
constexpr double kSeparacion = 1.2;  // between two replacements, with the rule between them
constexpr double kColumna2 = 105;
}  // namespace

void TfrmFichaReposicion::Dibujar(TLienzoInforme& lienzo) {
  Dibujar_Titulo(lienzo);
  for (const TFilaReposicionInforme& fila : mem_Datos.Filas) Dibujar_Fila(lienzo, fila);
}

void TfrmFichaReposicion::Dibujar_Titulo(TLienzoInforme& lienzo) const {
  const TDatosFichaReposicion& d = mem_Datos;
  const QFont& e = lienzo.Fuente_Etiqueta();
  double v1 = 0, v2 = 0;
  for (const char* t : {"Nombre:", "Dirección:", "C.Postal:", "Provincia:", "Teléfono:"})
    v1 = std::max(v1, lienzo.Ancho_Texto(e, QString::fromUtf8(t)) + 2);
  for (const char* t : {"Localidad:", "Movil:"})
    v2 = std::max(v2, kColumna2 + lienzo.Ancho_Texto(e, QString::fromUtf8(t)) + 2);
  const double fin = TLienzoInforme::kAncho;

  lienzo.Titulo(QStringLiteral("Ficha de Reposición de Lentillas"));
  lienzo.Encabezado(QStringLiteral("Datos Del Paciente"));
  const auto linea = [&] { return TRenglonInforme(lienzo, kLinea); };
  lienzo.Avanzar(linea().Campo(0, v1, fin, QStringLiteral("Nombre:"), d.Nombre).Dibujar());
  lienzo.Avanzar(linea().Campo(0, v1, fin, QStringLiteral("Dirección:"), d.Direccion).Dibujar());
  lienzo.Avanzar(linea()
                     .Campo(0, v1, kColumna2 - 3, QStringLiteral("C.Postal:"), d.Codigo_Postal)
                     .Campo(kColumna2, v2, fin, QStringLiteral("Localidad:"), d.Localidad)
                     .Dibujar());
  lienzo.Avanzar(linea().Campo(0, v1, fin, QStringLiteral("Provincia:"), d.Provincia).Dibujar());
  lienzo.Avanzar(linea()
                     .Campo(0, v1, kColumna2 - 3, QStringLiteral("Teléfono:"), d.Telefono)
                     .Campo(kColumna2, v2, fin, QStringLiteral("Movil:"), d.Movil)
                     .Dibujar() +
                 3);
  lienzo.Encabezado(QStringLiteral("Datos de las Reposiciones"));
}

void TfrmFichaReposicion::Dibujar_Fila(TLienzoInforme& lienzo, const TFilaReposicionInforme& fila) const {
  const QFont& e = lienzo.Fuente_Etiqueta();
  const QFont& f = lienzo.Fuente();
  const QString obs = QStringLiteral("Observaciones");
  const double xTexto = lienzo.Ancho_Texto(e, obs) + 3;
  const double anchoTexto = TLienzoInforme::kAncho - xTexto;
  const QStringList lineas = lienzo.Partir_Lineas(f, fila.Observaciones, anchoTexto);
  const double altoLinea = lienzo.Alto_Linea(f);

  TRenglonInforme renglon(lienzo, kLinea);
  const auto campo = [&](double x, const char* etiqueta, const QString& valor, double fin) {
    const QString t = QString::fromUtf8(etiqueta);
    renglon.Campo(x, x + lienzo.Ancho_Texto(e, t) + 1.5, fin, t, valor);
  };
  campo(0, "Fecha:", Fecha_Para_Informe(fila.Fecha), 42);
  campo(45, "Tipo:", fila.Tipo, 75);
  campo(80, "Ojo:", fila.Ojo, 120);
  // The amount ends at the right margin, its caption just before the
  // widest amount the column is made for.
  const QString importe = QStringLiteral("Importe:");
  const double anchoImporte = lienzo.Ancho_Texto(f, mem_Datos.Texto_Importe(-99999.99)) + 2;
  const double xImporte = TLienzoInforme::kAncho - anchoImporte;
  const double anchoEtiqueta = lienzo.Ancho_Texto(e, importe);
  renglon.Texto(xImporte - anchoEtiqueta, anchoEtiqueta, e, importe)
      .Texto(xImporte, anchoImporte, f, mem_Datos.Texto_Importe(fila.Importe), Qt::AlignRight);
  // The replacement's band stays whole on one page unless it is longer than
  // a page.
  lienzo.Reservar(renglon.Alto() + lineas.size() * altoLinea + kSeparacion);
  lienzo.Avanzar(renglon.Dibujar());

  // The observations under the first line, beside their caption; a band
  // longer than a page goes on over the next.
  TRenglonInforme(lienzo, altoLinea).Texto(0, xTexto, e, obs).Dibujar();
  lienzo.Lineas(xTexto, f, lineas, anchoTexto);
  lienzo.Avanzar(kSeparacion / 2);
  lienzo.Linea(0, lienzo.Y(), TLienzoInforme::kAncho, TLienzoInforme::kPlata);
  lienzo.Avanzar(kSeparacion / 2);
}
