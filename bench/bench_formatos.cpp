// A prescription to PDF through the print engine, as the lens screen prints
// it: the document filled, the shipped format read, printsvc.so loaded, the
// page laid out and written. Beside it, the bare work of the same page: the
// same controls (read once, outside the loop) drawn straight with QPainter
// on a QPdfWriter, with no document, no format reading and no engine.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "Clase_tdocumento.h"
#include "Contexto_host.h"
#include "Frm_buscar_formatos.h"
#include "Iteraciones.h"
#include "Motor_formato.h"
#include "Variables_documento.h"

namespace {

QTemporaryDir& Carpeta() {
  static QTemporaryDir dir;
  return dir;
}

void Rellenar(TDocumento& d) {
  const std::pair<int, const char*> valores[] = {
      {100, "1207"}, {101, "García Pérez"}, {102, "Lucía"}, {103, "García Pérez, Lucía"},
      {104, "Calle del Pez, 14, 2º B"}, {105, "Alcalá de Henares"}, {106, "Madrid"}, {107, "28801"},
      {108, "918 812 345"}, {109, "600 123 456"}, {127, "46"}};
  for (const auto& [c, v] : valores) d.Variable(c, QString::fromUtf8(v));
  TFichaDocumento f;
  f.conClave = true;
  f.nombre = QStringLiteral("Lucía");
  f.apellidos = QStringLiteral("García Pérez");
  f.numero = QStringLiteral("2");
  f.fecha = QStringLiteral("14/11/2026");
  f.revision = QStringLiteral("14/05/2027");
  f.doctor = QStringLiteral("Dra. Elena Ruiz");
  const char* od[] = {"7,80", "7,90", "+1,50", "-0,75", "180", "14,2", "+2", "1"};
  auto& o = f.ojos[0];
  for (auto [campo, v] : {std::pair{&o.radio1, od[0]}, {&o.radio2, od[1]}, {&o.esfera, od[2]}, {&o.cilindro, od[3]},
                          {&o.eje, od[4]}, {&o.diametro, od[5]}, {&o.adicion, od[6]}, {&o.agudeza, od[7]}})
    *campo = QString::fromUtf8(v);
  f.ojos[1] = f.ojos[0];
  f.observaciones = QStringLiteral("Primera adaptación. Tolera bien las lentes desde la segunda semana.");
  f.lentes << TLineaLenteDocumento{1, "Mensual", "AC-1001", "Acuvue Oasys", "", "8,4", "8,4", "14", "",
                                   "L-20931", "45,00 €", "45,00", "14/11/2027"}
           << TLineaLenteDocumento{2, "Mensual", "AC-1002", "Biofinity Toric", "", "8,7", "8,7", "14,5", "",
                                   "L-88017", "52,00 €", "52,00", "14/05/2027"};
  Variables_Ficha(d, f);
}

struct TPuestoBanco {
  TPuestoBanco() {
    puesto.carpetaModulos = QStringLiteral(OPTICA_MODULOS_DIR);
    puesto.carpetaFormatos = QStringLiteral(OPTICA_FORMATOS_DIR);
    empresa.nombre = QStringLiteral("Óptica Miravel");
    empresa.direccion = QStringLiteral("Avenida de la Constitución, 27");
    empresa.telefono = QStringLiteral("918 800 100");
    ctx.aplicacion = &aplicacion;
    ctx.puesto = &puesto;
    ctx.empresa = &empresa;
  }
  TAplicacion aplicacion;
  TPuesto puesto;
  TEmpresa empresa;
  THostContext ctx;
};

void BM_Receta_Motor(benchmark::State& state) {
  qputenv("OPTICA_IMPRESION_PDF", Carpeta().path().toUtf8());
  TPuestoBanco p;
  for (auto _ : state) {
    TDocumento d(&p.aplicacion);
    if (Imprimir_Documento(&p.ctx, d, tipos_documento::kReceta, QStringLiteral("receta_lentilla"), 1, Rellenar) != 0)
      state.SkipWithError("la receta no se ha impreso");
  }
}
OPTICA_BENCHMARK(BM_Receta_Motor)->Unit(benchmark::kMillisecond);

void BM_Receta_Directo(benchmark::State& state) {
  TPuestoBanco p;
  TDocumento d;
  d.Inicializar();
  d.Fichero_Formato(QStringLiteral(OPTICA_FORMATOS_DIR "/receta_lentilla.prn"));
  d.Leer_Formato();
  Variables_Empresa(d, p.empresa);
  Rellenar(d);
  THojaFormato hoja(d);
  if (!hoja.Preparar_Controles()) state.SkipWithError("formato rechazado");
  const double cabecera = d.Bandas().Cabecera, pie = d.Bandas().Pie, util = hoja.Alto_Util();
  for (auto _ : state) {
    QPdfWriter pdf(Carpeta().filePath(QStringLiteral("directo.pdf")));
    pdf.setResolution(1200);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait, QMarginsF(12, 10, 12, 10),
                                  QPageLayout::Millimeter));
    QPainter painter(&pdf);
    const double mm = pdf.resolution() / 25.4;
    for (const TControlFormato& c : hoja.Controles()) {
      const double y = c.y + (c.banda == TControlFormato::Cabecera ? 0
                              : c.banda == TControlFormato::Detalle ? cabecera
                                                                    : util - pie);
      const QRectF r(c.x * mm, y * mm, c.ancho * mm, c.alto * mm);
      painter.setPen(QPen(Qt::black, c.grosor * mm));
      switch (c.clase) {
        case TControlFormato::Linea: painter.drawLine(r.topLeft(), r.bottomRight()); break;
        case TControlFormato::Caja:
          if (c.relleno) painter.fillRect(r, Qt::lightGray);
          painter.drawRect(r);
          break;
        default: {
          QString texto = c.texto;
          if (c.clase == TControlFormato::Variable) {
            QString v;
            d.Valor(c.codigo, &v);
            texto = v.isEmpty() ? QString() : c.texto + v;
          }
          QFont f(c.familia);
          f.setPointSizeF(c.puntos);
          f.setBold(c.negrita);
          f.setItalic(c.cursiva);
          painter.setFont(f);
          painter.drawText(r, int(c.alineacion | Qt::AlignVCenter) | (c.partir ? Qt::TextWordWrap : 0), texto);
        }
      }
    }
  }
}
OPTICA_BENCHMARK(BM_Receta_Directo)->Unit(benchmark::kMillisecond);

// ---- The format search on a folder of 500 formats ------------------------------------------------

// 500 formats: a fifth of each of five document types, prescriptions among them.
QString Carpeta_500() {
  static QTemporaryDir carpeta;
  static bool hecha = false;
  if (!hecha) {
    const int tipos[] = {16, 25, 30, 15, 24};
    for (int i = 0; i < 500; ++i) {
      QFile f(carpeta.filePath(QString("formato_%1.prn").arg(i, 3, 10, QLatin1Char('0'))));
      f.open(QIODevice::WriteOnly);
      f.write(QString("[FORMAT]\nDOCUMENT=%1\n[PAPER]\nWIDTH=148\nHEIGHT=210\n[MARGINS]\nTOP=10\nBOTTOM=10\n"
                      "LEFT=10\nRIGHT=10\n[CONTROL1]\nKIND=text\nBAND=header\nLEFT=10\nTOP=10\nWIDTH=50\n"
                      "HEIGHT=6\nTEXT=Receta\n")
                  .arg(tipos[i % 5])
                  .toUtf8());
    }
    hecha = true;
  }
  return carpeta.path();
}

// Opening the search for prescriptions: the folder listed, every file checked,
// the default selected and its information shown.
void BM_Buscar_Formatos_500(benchmark::State& state) {
  TAplicacion aplicacion;
  TPuesto puesto;
  TUsuario usuario;
  THostContext ctx;
  puesto.carpetaFormatos = Carpeta_500();
  usuario.formatoReceta = "formato_250";
  ctx.aplicacion = &aplicacion;
  ctx.puesto = &puesto;
  ctx.usuario = &usuario;
  for (auto _ : state) {
    TfrmBuscarFormatos d(&aplicacion);
    d.Fijar_Contexto(&ctx);
    d.Tipo_Documento(16);
    if (d.Formato().isEmpty() && d.Tipo_Documento() != 16) state.SkipWithError("tipo perdido");
  }
}
OPTICA_BENCHMARK(BM_Buscar_Formatos_500)->Unit(benchmark::kMillisecond);

// The bare work: list the folder and read each file's document type.
void BM_Buscar_Formatos_500_Directo(benchmark::State& state) {
  const QString carpeta = Carpeta_500();
  for (auto _ : state) {
    QStringList recetas;
    for (const QString& n : QDir(carpeta).entryList({"*.prn"}, QDir::Files, QDir::Name)) {
      QFile f(QDir(carpeta).filePath(n));
      if (!f.open(QIODevice::ReadOnly)) continue;
      for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("DOCUMENT=") && l.mid(9).toInt() == 16) recetas << n;
    }
    benchmark::DoNotOptimize(recetas);
  }
}
OPTICA_BENCHMARK(BM_Buscar_Formatos_500_Directo)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
