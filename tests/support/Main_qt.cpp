// Test main for the suites that need widgets: one QApplication for the whole
// program, offscreen (on a shop's 1280x800 screen) unless told otherwise, in the style and with the Spanish
// texts of Qt's own widgets that the shop's host uses.
#include <gtest/gtest.h>

#include <QApplication>

#include "Host_estilo.h"
#include "Host_idioma.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  Pantalla_Sin_Monitor();
  QApplication app(argc, argv);
  Aplicar_Estilo_Tienda();
  Cargar_Traduccion_Qt();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
