#include "Frm_ficha_prueba.h"

#include <QPainter>
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "Clase_tpaciente.h"
#include "Util_fechas.h"

void TDatosFichaPrueba::Rellenar_Paciente(TPaciente& paciente, const QString& nombre) {
  const TLocalidad& localidad = paciente.Localidad();
  Nombre = nombre;
  Sexo = TPaciente::Texto_Sexo(paciente.SEXO());
  Direccion = paciente.DIRECCION();
  Codigo_Postal = QString::number(localidad.CODIGO_POSTAL());
  Localidad = localidad.DESCRIPCION();
  Provincia = localidad.Provincia().DESCRIPCION();
  Profesion = paciente.PROFESION();
  VienePor = paciente.VIENE_POR();
  Telefono = paciente.TELEFONO();
  Movil = paciente.TELEFONO_MOVIL();
  Fecha1Visita = fechas::Fecha_A_Texto(paciente.FECHA_PRIMERA_VISITA());
  Fecha_Ult_Visita = fechas::Fecha_A_Texto(paciente.FECHA_ULTIMA_VISITA());
  Fecha_Nacimiento = fechas::Fecha_A_Texto(paciente.FECHA_NACIMIENTO());
  paciente.Calcular_Edad();
  Edad = QString::number(paciente.EDAD());
  Nif = paciente.NIF();
}

namespace {

constexpr double kFila = 6.0;      // a caption line of the patient and test data
constexpr double kColumna2 = 105;  // where the right-hand captions start

// The value column of a set of captions: just past the widest one.
double Columna_Valor(const TLienzoInforme& lienzo, double x, std::initializer_list<const char*> etiquetas) {
  double ancho = 0;
  for (const char* e : etiquetas) ancho = std::max(ancho, lienzo.Ancho_Texto(lienzo.Fuente_Etiqueta(), QString::fromUtf8(e)));
  return x + ancho + 2;
}

}  // namespace

void TfrmFichaPrueba::Dibujar(TLienzoInforme& lienzo) {
  lienzo.Titulo(QStringLiteral("Ficha de Pruebas "));
  Dibujar_Paciente(lienzo);
  Dibujar_Graduacion(lienzo);
  Dibujar_Lentes(lienzo);
  lienzo.Encabezado(QStringLiteral("Observaciones"));
  lienzo.Lineas(0, lienzo.Fuente(), lienzo.Partir_Lineas(lienzo.Fuente(), mem_Datos.Observaciones, TLienzoInforme::kAncho),
                TLienzoInforme::kAncho);
}

void TfrmFichaPrueba::Dibujar_Paciente(TLienzoInforme& lienzo) const {
  const TDatosFichaPrueba& d = mem_Datos;
  const double v1 = Columna_Valor(lienzo, 0,
                                  {"Nombre:", "Dirección:", "C.Postal:", "Provincia:", "Teléfono:", "Profesion:",
                                   "Fecha Nacimiento:", "Fecha 1ª Visita:"});
  const double v2 = Columna_Valor(lienzo, kColumna2,
                                  {"Sexo:", "Localidad:", "N.I.F:", "Movil:", "Viene Por:", "Edad:", "Fecha Últ. Visita:"});
  const double fin1 = kColumna2 - 3, fin2 = TLienzoInforme::kAncho;
  const auto linea = [&](const char* e1, const QString& t1, const char* e2, const QString& t2) {
    TRenglonInforme renglon(lienzo, kFila);
    renglon.Campo(0, v1, e2 ? fin1 : fin2, QString::fromUtf8(e1), t1);
    if (e2) renglon.Campo(kColumna2, v2, fin2, QString::fromUtf8(e2), t2);
    lienzo.Avanzar(renglon.Dibujar());
  };

  lienzo.Encabezado(QStringLiteral("Datos Del Paciente"));
  linea("Nombre:", d.Nombre, "Sexo:", d.Sexo);
  linea("Dirección:", d.Direccion, nullptr, {});
  linea("C.Postal:", d.Codigo_Postal, "Localidad:", d.Localidad);
  linea("Provincia:", d.Provincia, "N.I.F:", d.Nif);
  linea("Teléfono:", d.Telefono, "Movil:", d.Movil);
  linea("Profesion:", d.Profesion, "Viene Por:", d.VienePor);
  linea("Fecha Nacimiento:", Fecha_Para_Informe(d.Fecha_Nacimiento), "Edad:", d.Edad);
  linea("Fecha 1ª Visita:", Fecha_Para_Informe(d.Fecha1Visita), "Fecha Últ. Visita:",
        Fecha_Para_Informe(d.Fecha_Ult_Visita));
  lienzo.Avanzar(3);
}

void TfrmFichaPrueba::Dibujar_Graduacion(TLienzoInforme& lienzo) const {
  const TDatosFichaPrueba& d = mem_Datos;
  const double v1 = Columna_Valor(lienzo, 0, {"Nº Ficha:", "Agente:"});
  const double v2 = Columna_Valor(lienzo, kColumna2, {"Fecha:"});

  lienzo.Encabezado(QStringLiteral("Datos de la Graduación"));
  TRenglonInforme ficha(lienzo, kFila);
  ficha.Campo(0, v1, kColumna2 - 3, QStringLiteral("Nº Ficha:"), d.Ficha)
      .Campo(kColumna2, v2, TLienzoInforme::kAncho, QStringLiteral("Fecha:"), Fecha_Para_Informe(d.Fecha));
  lienzo.Avanzar(ficha.Dibujar());
  TRenglonInforme agente(lienzo, kFila);
  agente.Campo(0, v1, TLienzoInforme::kAncho, QStringLiteral("Agente:"), d.Agente);
  lienzo.Avanzar(agente.Dibujar() + 2);

  // The trial graduation in nine columns, then the over-refraction in four,
  // set apart by a double rule. A sphere or cylinder column holds "Compen",
  // the widest graduation the tab shows, on one line.
  TTablaInforme tabla(lienzo, 12);
  const std::pair<const char*, double> prueba[] = {{"Radio 1", 14}, {"Radio 2", 14},  {"Esfera", 15.5},
                                                   {"Cilindro", 15.5}, {"Eje", 10},     {"Diametro", 14},
                                                   {"Z.Optica", 14},   {"Adición", 14}, {"A.Visual", 13}};
  for (const auto& [titulo, ancho] : prueba) tabla.Columna(QString::fromUtf8(titulo), ancho);
  tabla.Separar();
  const std::pair<const char*, double> sobre[] = {{"Esfera", 15.5}, {"Cil.", 15.5}, {"Eje", 10}, {"A.V", 13}};
  for (const auto& [titulo, ancho] : sobre) tabla.Columna(QString::fromUtf8(titulo), ancho);
  tabla.Cabecera();
  tabla.Fila(QStringLiteral("OD"), {d.OD_Radio1, d.OD_Radio2, d.OD_Esfera, d.OD_Cilindro, d.OD_Eje, d.OD_Diametro,
                                    d.OD_ZOptica, d.OD_Adicion, d.OD_AVisual, d.OD_Sob_Esfera, d.OD_Sob_Cilindro,
                                    d.OD_Sob_Eje, d.OD_Sob_AV});
  tabla.Fila(QStringLiteral("OI"), {d.OI_Radio1, d.OI_Radio2, d.OI_Esfera, d.OI_Cilindro, d.OI_Eje, d.OI_Diametro,
                                    d.OI_ZOptica, d.OI_Adicion, d.OI_AVisual, d.OI_Sob_Esfera, d.OI_Sob_Cilindro,
                                    d.OI_Sob_Eje, d.OI_Sob_AV});
  lienzo.Avanzar(5);
}

void TfrmFichaPrueba::Dibujar_Lentes(TLienzoInforme& lienzo) const {
  const TDatosFichaPrueba& d = mem_Datos;
  lienzo.Encabezado(QStringLiteral("Datos de las Lentes"));
  lienzo.Avanzar(1);
  TTablaInforme tabla(lienzo, 12);
  tabla.Columna(QStringLiteral("Tipo Lentilla"), 64, Qt::AlignLeft);
  tabla.Columna(QStringLiteral("Descripción"), 84, Qt::AlignLeft);
  tabla.Columna(QStringLiteral("Nº Lote"), 30, Qt::AlignLeft);
  tabla.Cabecera();
  tabla.Fila(QStringLiteral("OD"), {d.OD_Tipo_Lentilla, d.OD_Descripcion, d.ODLote});
  tabla.Fila(QStringLiteral("OI"), {d.OI_Tipo_Lentilla, d.OI_Descripcion, d.OILote});
  lienzo.Avanzar(5);
}
