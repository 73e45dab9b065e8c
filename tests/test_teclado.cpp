// The Enter decision on real Qt widgets: grids and their cell editors, multi-
// line text and open combo lists keep Enter; everything else passes it on.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextEdit>
#include <QVBoxLayout>

#include "Clase_tctrlteclado.h"

namespace {

class EnterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* v = new QVBoxLayout(&ventana);
    v->addWidget(linea = new QLineEdit);
    v->addWidget(combo = new QComboBox);
    combo->addItems({"Propia", "Ajena"});
    v->addWidget(memo = new QPlainTextEdit);
    v->addWidget(texto = new QTextEdit);
    modelo.setRowCount(2);
    modelo.setColumnCount(2);
    tabla = new QTableView;
    tabla->setModel(&modelo);
    v->addWidget(tabla);
    ventana.show();
    QApplication::setActiveWindow(&ventana);
  }

  bool Con_Foco(QWidget* w) {
    w->setFocus();
    QApplication::processEvents();
    return ctrl.Enter_Mueve_Foco(&ventana);
  }

  QWidget ventana;
  QStandardItemModel modelo;
  QLineEdit* linea;
  QComboBox* combo;
  QPlainTextEdit* memo;
  QTextEdit* texto;
  QTableView* tabla;
  TCtrlTeclado ctrl;
};

TEST_F(EnterTest, CampoNormalPasaAlSiguiente) {
  EXPECT_TRUE(Con_Foco(linea));
  EXPECT_EQ(ctrl.Clase_Control, "QLineEdit");
}

TEST_F(EnterTest, MemosSeQuedanElEnter) {
  EXPECT_FALSE(Con_Foco(memo));
  EXPECT_FALSE(Con_Foco(texto));
}

TEST_F(EnterTest, RejillaYSuEditorDeCeldaSeQuedanElEnter) {
  EXPECT_FALSE(Con_Foco(tabla));
  tabla->setCurrentIndex(modelo.index(0, 0));
  tabla->edit(modelo.index(0, 0));
  QApplication::processEvents();
  QWidget* editor = QApplication::focusWidget();
  ASSERT_NE(editor, tabla);
  ASSERT_TRUE(tabla->isAncestorOf(editor));
  EXPECT_FALSE(ctrl.Enter_Mueve_Foco(&ventana));
  EXPECT_EQ(ctrl.Clase_Abuelo, "QTableView");
}

TEST_F(EnterTest, ComboCerradoPasaYAbiertoNo) {
  EXPECT_TRUE(Con_Foco(combo));
  combo->showPopup();
  QApplication::processEvents();
  EXPECT_FALSE(ctrl.Enter_Mueve_Foco(&ventana));
  combo->hidePopup();
  QApplication::processEvents();
  combo->setFocus();
  EXPECT_TRUE(ctrl.Enter_Mueve_Foco(&ventana));

  combo->setEditable(true);  // the typed text lives in a line edit inside the combo
  EXPECT_TRUE(Con_Foco(combo->lineEdit()));
}

}  // namespace
