#pragma once
// A test of the lens record screen driven through its widgets, as a user
// would: open it on the test host's patient, find a control by its designed
// name, enter an edit, type over it and leave it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include <memory>

#include "Anfitrion_prueba.h"
#include "Clase_tmoneda.h"
#include "Frm_error.h"
#include "Frm_lentilla.h"

class TPantallaPrueba : public ::testing::Test {
 protected:
  // Closing answers No to saving what the test left unsaved.
  void TearDown() override {
    h.mensajes.respuestas = {mb::IDNO};
    if (pantalla) pantalla->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void Abrir() {
    pantalla = new TfrmLentilla(&h.aplicacion);
    pantalla->Fijar_Contexto(&h.ctx);
    pantalla->Inicializar();
    pantalla->show();
    QApplication::setActiveWindow(pantalla);
  }
  template <typename T = QLineEdit>
  T* W(const char* nombre) {
    T* w = pantalla->findChild<T*>(nombre);
    EXPECT_NE(w, nullptr) << nombre;
    return w;
  }
  QString T(const char* nombre) { return W(nombre)->text(); }
  QToolButton* B(const char* nombre) { return W<QToolButton>(nombre); }
  QTabWidget* Pestanas() { return W<QTabWidget>("pclLentilla"); }
  // The image a tab shows (2 it holds data, 3 none), by the tab's page.
  int Imagen(const char* pagina) {
    return Pestanas()->tabBar()->tabData(Pestanas()->indexOf(W<QWidget>(pagina))).toInt();
  }
  QString Estado() { return W<QStatusBar>("sbr_Ayuda")->currentMessage(); }
  // Runs `accion` answering the error report it opens; gives the report's
  // handler label (empty when none opened).
  QString Informe(const std::function<void()>& accion) {
    QString funcion;
    QTimer::singleShot(0, [&] {
      if (auto* dlg = qobject_cast<TfrmError*>(QApplication::activeModalWidget())) {
        funcion = dlg->Funcion();
        dlg->accept();
      }
    });
    accion();
    QApplication::setActiveWindow(pantalla);
    return funcion;
  }
  void Ir(const char* nombre) {
    W<QWidget>(nombre)->setFocus();
    QApplication::processEvents();
  }
  // Enters the edit, types over its text and leaves for `hacia`.
  void Teclear(const char* nombre, const QString& texto, const char* hacia = "edt_Liquido") {
    Ir(nombre);
    W(nombre)->selectAll();
    texto.isEmpty() ? QTest::keyClick(W(nombre), Qt::Key_Delete) : QTest::keyClicks(W(nombre), texto);
    Ir(hacia);
  }
  qint64 Contar(const QString& sql) { return Consultar_Entero(*h.consulta, sql); }
  QString Texto(const QString& sql) { return Consultar_Texto(*h.consulta, sql); }
  // The shop's currencies: euros, and pesetas at 166,386.
  void Poner_Moneda() {
    Ejecutar_SQL(*h.principal,
                 "insert into MONEDA (ID_MONEDA, DESCRIPCION_M1, DESCRIPCION_M2, SIMBOLO_M1, SIMBOLO_M2, DECIMALES_M1, "
                 "DECIMALES_M2, CONVERSION, USAR_SEGUNDA_MONEDA) values (1, 'Euros', 'Pesetas', '€', 'Pts', 2, 0, "
                 "166.386, 1)");
    moneda = std::make_unique<TMoneda>(&h.aplicacion, h.secundaria.get(), h.principal.get());
    h.ctx.moneda = moneda.get();
  }

  TAnfitrionPrueba h;
  std::unique_ptr<TMoneda> moneda;
  QPointer<TfrmLentilla> pantalla;
};
