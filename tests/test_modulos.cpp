// Loading the application's other libraries with real small libraries: a good
// one, one without the entry, a file that is not a library, a missing file.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "Anfitrion_prueba.h"
#include "Clase_tbiblioteca.h"

namespace {

// True while the file is mapped into this process.
bool Mapeada(const QString& ruta) {
  QFile maps("/proc/self/maps");
  maps.open(QIODevice::ReadOnly);
  return maps.readAll().contains(QFileInfo(ruta).canonicalFilePath().toUtf8());
}

class ModulosTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.puesto.carpetaModulos = dir.path();
  }
  // Puts a test library into the modules folder under the given name.
  QString Poner(const char* origen, const char* nombre) {
    const QString destino = dir.filePath(nombre);
    QFile::remove(destino);
    EXPECT_TRUE(QFile::copy(QString(OPTICA_MODULOS_PRUEBA) + "/" + origen + ".so", destino));
    return destino;
  }

  QTemporaryDir dir;
  TAnfitrionPrueba h;
};

TEST_F(ModulosTest, FicheroQueNoExiste) {
  TModulosHermanos m;
  EXPECT_EQ(m.Ejecutar(&h.ctx, TModulosHermanos::Ventas), TModulosHermanos::kNoExiste);
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  const QString ruta = dir.filePath("salesmod.so");
  EXPECT_EQ(h.mensajes.cajas[0].texto,
            "No se ha encontrado el fichero.\r\n\nEl fichero '" + ruta +
                "' no se ha podido encontrar. Compruebe que el fichero existe.");
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "ERROR");
  EXPECT_EQ(h.mensajes.cajas[0].flags, mb::OK | mb::ICONSTOP);
  EXPECT_TRUE(h.Filas_Acceso().isEmpty());
}

TEST_F(ModulosTest, FicheroQueNoEsUnaBiblioteca) {
  QFile f(dir.filePath("ordermod.so"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("esto no es una biblioteca\n");
  f.close();
  TModulosHermanos m;
  EXPECT_EQ(m.Ejecutar(&h.ctx, TModulosHermanos::Encargos), TModulosHermanos::kNoCarga);
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto,
            "No se ha podido cargar el fichero.\r\n\nEl fichero '" + dir.filePath("ordermod.so") +
                "' no ha podido ser cargado correctamente. Reinicie la aplicación y si el problema persiste "
                "pongase en contacto con su distribuidor.");
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "ERROR");
}

TEST_F(ModulosTest, BibliotecaSinEntradaSeLibera) {
  const QString ruta = Poner("modulo_sin_entrada", "articlemod.so");
  TModulosHermanos m;
  EXPECT_EQ(m.Ejecutar(&h.ctx, TModulosHermanos::Articulos), TModulosHermanos::kSinEntrada);
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto,
            "Error al cargar la función.\r\n\nNo se ha podido cargar la función de carga del fichero '" + ruta +
                "'.  Reinicie la aplicación y si el problema persiste pongase en contacto con su distribuidor.");
  EXPECT_FALSE(m.Cargado(TModulosHermanos::Articulos));
  EXPECT_FALSE(Mapeada(ruta));
}

TEST_F(ModulosTest, BibliotecaBuenaSeReutilizaYSeLiberaAlFinal) {
  const QString ruta = Poner("modulo_bueno", "salesmod.so");
  TModulosHermanos m;
  EXPECT_EQ(m.Ejecutar(&h.ctx, TModulosHermanos::Ventas), 0);
  EXPECT_EQ(h.ctx.seleccion.textos[7], "llamadas=1");  // called with this very context
  EXPECT_EQ(m.Ejecutar(&h.ctx, TModulosHermanos::Ventas), 0);
  EXPECT_EQ(h.ctx.seleccion.textos[7], "llamadas=2");  // the same loaded library
  EXPECT_TRUE(Mapeada(ruta));
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(h.Filas_Acceso(), QStringList({"2004/0", "2004/0"}));  // logged before each start
  m.Liberar_Todos();
  EXPECT_FALSE(Mapeada(ruta));
}

TEST_F(ModulosTest, BusquedaDeArticulos) {
  TModuloBusqueda b;
  TRegistroBusqueda r;
  EXPECT_EQ(b.Buscar(&h.ctx, &r, -1), TModuloBusqueda::kNoCargado);
  EXPECT_EQ(b.Cargar(&h.ctx), TModuloBusqueda::kNoCarga);  // no artsearch.so yet
  Poner("modulo_sin_entrada", "artsearch.so");
  EXPECT_EQ(b.Cargar(&h.ctx), TModuloBusqueda::kSinEntrada);
  EXPECT_FALSE(b.Cargado());
  Poner("busqueda_prueba", "artsearch.so");
  ASSERT_EQ(b.Cargar(&h.ctx), 0);

  r.texto = "AC-OAS-6";
  EXPECT_EQ(b.Buscar(&h.ctx, &r, 2), 0);
  EXPECT_EQ(r.idArticulo, 40);
  EXPECT_EQ(h.ctx.seleccion.textos[6], "2");

  r.texto = "NADA";
  EXPECT_EQ(b.Buscar(&h.ctx, &r, -1), TModuloBusqueda::kSinEleccion);
  EXPECT_EQ(r.idArticulo, -1);  // the record is back to its empty values
  EXPECT_EQ(r.texto, "");
  EXPECT_EQ(r.codigo, -1);
  EXPECT_TRUE(h.mensajes.cajas.empty());  // silent
}

TEST_F(ModulosTest, MotorDeImpresion) {
  TModuloImpresion imp;
  int documento = 0;
  EXPECT_EQ(imp.Imprimir(nullptr, &h.ctx, 0), TModuloImpresion::kSinDocumento);
  EXPECT_EQ(imp.Imprimir(&documento, nullptr, 0), TModuloImpresion::kSinContexto);
  EXPECT_EQ(imp.Imprimir(&documento, &h.ctx, 0), TModuloImpresion::kNoCarga);
  const QString ruta = Poner("modulo_sin_entrada", "printsvc.so");
  EXPECT_EQ(imp.Imprimir(&documento, &h.ctx, 0), TModuloImpresion::kSinEntrada);
  EXPECT_FALSE(Mapeada(ruta));
  Poner("impresion_prueba", "printsvc.so");
  EXPECT_EQ(imp.Imprimir(&documento, &h.ctx, 0), 7);
  EXPECT_EQ(imp.Imprimir(&documento, &h.ctx, 1), -2);  // the 16-bit status, widened
}

}  // namespace
