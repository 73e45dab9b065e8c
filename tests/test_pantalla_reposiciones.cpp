// The "Reposiciones" tab of the lens record screen, driven through its grid
// and keys on a real database: the list read once, rows added by keyboard,
// the whole list rewritten in one unit of work (other modules' rows left
// alone), deletion with the stored keys, the search switch and the closing
// question.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QComboBox>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "Dm_lentilla.h"
#include "Pantalla_prueba.h"
#include "Pdf_prueba.h"

inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }

namespace {

class ReposicionesTest : public TPantallaPrueba {
 protected:
  void SetUp() override {
    Poner_Moneda();
    h.usuario.preguntarCopia = 0;
  }
  // A stored replacement of patient 7 (kind 2 is this module's list).
  void Reposicion(int id, const char* fecha, const char* observaciones, double importe, int lista = 2) {
    Ejecutar_SQL(*h.principal, QString("insert into REPOSICION (ID_REPOSICION, ID_PACIENTE, NUMERO_FICHA, "
                                       "TIPO_REPOSICION, FECHA, TIPO, OJO, IMPORTE_M1, IMPORTE_M2, OBSERVACIONES) "
                                       "values (%1, 7, 1, %2, '%3', 2, 3, %4, %5, '%6')")
                                   .arg(id)
                                   .arg(lista)
                                   .arg(fecha)
                                   .arg(importe)
                                   .arg(importe * 166.386)
                                   .arg(observaciones));
  }
  void Abrir_Reposiciones() {
    Abrir();
    Pestanas()->setCurrentWidget(W<QWidget>("tstReposiciones"));
  }
  int Imagen() { return TPantallaPrueba::Imagen("tstReposiciones"); }
  QTableView* Rejilla() { return W<QTableView>("grdReposiciones"); }
  // The text the grid shows in a cell of the row shown at `fila`.
  QString Celda(int fila, int columna) {
    const QModelIndex i = Rejilla()->model()->index(fila, columna);
    return static_cast<QStyledItemDelegate*>(Rejilla()->itemDelegate())->displayText(i.data(), QLocale());
  }
  int Filas() { return Rejilla()->model()->rowCount(); }
  // Types into the cell editor that has the focus and goes on with Enter.
  void Escribir_Celda(const QString& texto) {
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    auto* l = qobject_cast<QLineEdit*>(editor);
    if (l) l->selectAll();
    // QTest types ASCII only; other letters go in as the keyboard would put them.
    if (l && texto.toLatin1() != texto.toUtf8())
      l->insert(texto);
    else
      QTest::keyClicks(editor, texto);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
  }
};

TEST_F(ReposicionesTest, SinReposicionesAbreEnUnaFilaNuevaDeHoy) {
  Abrir();
  EXPECT_EQ(Imagen(), 3);
  Pestanas()->setCurrentWidget(W<QWidget>("tstReposiciones"));
  ASSERT_EQ(Filas(), 1);
  EXPECT_EQ(Celda(0, TdmLentilla::Fecha), "05/12/2026");
  EXPECT_EQ(Celda(0, TdmLentilla::TipoReposicion), "Limp");
  EXPECT_EQ(Celda(0, TdmLentilla::Ojo), "Dcho.");
  EXPECT_FALSE(B("btnReposicionGrabar")->isEnabled());
  // "Nuevo" twice: the second time says a row is being added.
  B("btnReposicionNueva")->click();
  EXPECT_EQ(Filas(), 2);
  B("btnReposicionNueva")->click();
  EXPECT_EQ(Filas(), 2);
  EXPECT_EQ(Estado(), "Esta añadiendo un registro");
  // Rows without observations are not stored.
  h.mensajes.respuestas = {mb::IDNO};
  B("btnReposicionGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from REPOSICION"), 0);
  EXPECT_EQ(Filas(), 0);
}

TEST_F(ReposicionesTest, UnaReposicionSeAnadeConElTecladoSeGrabaYSeBorraLaBuena) {
  Reposicion(50, "2025-03-01", "Revisión anual", 0);
  Reposicion(51, "2025-04-01", "De otro módulo", 12, 1);
  Abrir_Reposiciones();
  ASSERT_EQ(Filas(), 1);
  EXPECT_EQ(Imagen(), 2);
  // F6 adds a row and puts the cursor in its date; Enter goes on cell by cell.
  QTest::keyClick(pantalla, Qt::Key_F6);
  ASSERT_EQ(Filas(), 2);
  Escribir_Celda("01/12/2026");
  Escribir_Celda("2");                             // record number
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);  // "Rev"
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QApplication::processEvents();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);  // "Izdo."
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QApplication::processEvents();
  Escribir_Celda("Lentes nuevas ñ");
  Escribir_Celda("34.9");  // the keypad's point is the decimal comma
  EXPECT_EQ(Celda(1, TdmLentilla::ImporteM1), "34,90 €");
  EXPECT_EQ(Celda(1, TdmLentilla::TipoReposicion), "Rev");
  EXPECT_EQ(Celda(1, TdmLentilla::Ojo), "Izdo.");
  EXPECT_TRUE(B("btnReposicionGrabar")->isEnabled());

  h.mensajes.respuestas = {mb::IDYES};  // and today is the patient's last visit
  QTest::keyClick(pantalla, Qt::Key_F5);
  EXPECT_EQ(Estado(), "Los datos se han grabado correctamente");
  EXPECT_EQ(Texto("select list(cast(FECHA as date) || ':' || NUMERO_FICHA || ':' || TIPO || ':' || OJO || ':' || "
                  "OBSERVACIONES || ':' || cast(IMPORTE_M1 as numeric(9,2)) || ':' || cast(IMPORTE_M2 as "
                  "numeric(9,0)), ';') from (select * from REPOSICION where TIPO_REPOSICION = 2 order by FECHA)"),
            "2025-03-01:1:2:3:Revisión anual:0.00:0;2026-12-01:2:1:2:Lentes nuevas ñ:34.90:5807");
  EXPECT_EQ(Contar("select count(*) from REPOSICION where TIPO_REPOSICION = 1 and ID_REPOSICION = 51"), 1);
  EXPECT_EQ(Texto("select FECHA_ULTIMA_VISITA from PACIENTE where ID_PACIENTE = 7"), "05/12/2026");
  EXPECT_FALSE(B("btnReposicionGrabar")->isEnabled());
  EXPECT_EQ(Filas(), 2);

  // Deleting right after the save deletes the stored row (it has a new key).
  Rejilla()->setCurrentIndex(Rejilla()->model()->index(1, TdmLentilla::Observaciones));
  ASSERT_EQ(Rejilla()->currentIndex().data().toString(), "Lentes nuevas ñ");
  h.mensajes.respuestas = {mb::IDYES};
  B("btnReposicionBorrar")->click();
  EXPECT_EQ(Estado(), "El registro se ha borrado correctamente");
  EXPECT_EQ(Contar("select count(*) from REPOSICION where TIPO_REPOSICION = 2"), 1);
  EXPECT_EQ(Contar("select count(*) from REPOSICION where OBSERVACIONES = 'Lentes nuevas ñ'"), 0);
  EXPECT_EQ(Filas(), 1);

  // Closed and opened again, the grid shows what is stored.
  pantalla->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  h.ctx.seleccion.idPaciente = 7;  // the host hands the patient over again
  Abrir_Reposiciones();
  ASSERT_EQ(Filas(), 1);
  EXPECT_EQ(Celda(0, TdmLentilla::Observaciones), "Revisión anual");
}

TEST_F(ReposicionesTest, UnaListaQueNoSePuedeReescribirQuedaComoEstaba) {
  Reposicion(50, "2025-03-01", "Revisión anual", 0);
  Reposicion(52, "2025-05-01", "Reposición", 20);
  Ejecutar_SQL(*h.principal, "alter table REPOSICION add constraint REP_VETADA check (OBSERVACIONES is distinct from "
                             "'VETADA')");
  Abrir_Reposiciones();
  B("btnReposicionNueva")->click();
  Escribir_Celda("02/12/2026");
  Rejilla()->model()->setData(Rejilla()->model()->index(2, TdmLentilla::Observaciones), "VETADA");
  B("btnReposicionGrabar")->click();
  ASSERT_FALSE(h.mensajes.cajas.empty());
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("La base de datos no admite un dato de la lista de "
                                                       "reposiciones. No se ha grabado nada"))
      << h.mensajes.cajas.back().texto.toStdString();
  // Neither the deletion of the list nor any insert was kept.
  EXPECT_EQ(Texto("select list(ID_REPOSICION) from (select ID_REPOSICION from REPOSICION order by 1)"), "50,52");
  EXPECT_EQ(Filas(), 3);
  EXPECT_TRUE(B("btnReposicionGrabar")->isEnabled());
  // Closing: Cancel keeps the screen; "Sí" with a save that fails keeps it too.
  h.mensajes.respuestas = {mb::IDCANCEL};
  pantalla->close();
  EXPECT_TRUE(pantalla->isVisible());
  h.mensajes.respuestas = {mb::IDYES};
  pantalla->close();
  EXPECT_TRUE(pantalla->isVisible());

  Ejecutar_SQL(*h.principal, "alter table REPOSICION drop constraint REP_VETADA");
  h.mensajes.respuestas = {mb::IDNO};
  B("btnReposicionGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from REPOSICION where TIPO_REPOSICION = 2"), 3);
}

TEST_F(ReposicionesTest, UnaFilaNuncaGrabadaSeBorraSoloDeLaRejillaYF3CambiaLaBusqueda) {
  Reposicion(50, "2025-03-01", "Revisión anual", 0);
  Abrir_Reposiciones();
  B("btnReposicionNueva")->click();
  Escribir_Celda("03/12/2026");
  ASSERT_EQ(Filas(), 2);
  Rejilla()->setCurrentIndex(Rejilla()->model()->index(1, TdmLentilla::Fecha));
  h.mensajes.respuestas = {mb::IDYES};
  B("btnReposicionBorrar")->click();
  EXPECT_EQ(Filas(), 1);
  EXPECT_EQ(Contar("select count(*) from REPOSICION"), 1);
  EXPECT_EQ(Celda(0, TdmLentilla::Observaciones), "Revisión anual");
  // Declined: the row stays.
  h.mensajes.respuestas = {mb::IDNO};
  B("btnReposicionBorrar")->click();
  EXPECT_EQ(Filas(), 1);
  EXPECT_EQ(Contar("select count(*) from REPOSICION"), 1);

  // "Nuevo" switched the search off (typing edits the new row); F3 switches it.
  Rejilla()->setFocus();
  QTest::keyClick(Rejilla(), Qt::Key_F3);
  EXPECT_EQ(Estado(), "Activada la busqueda, para modificar pulse intro. Pulse F3 para desactivarla");
  QTest::keyClick(Rejilla(), Qt::Key_F3);
  EXPECT_EQ(Estado(), "Desactivada la busqueda. Pulse F3 para activarla");
}

TEST_F(ReposicionesTest, SinDerechoUnaFichaGuardadaSoloMuestraSuLista) {
  h.usuario.puedeModificar = 0;
  Ejecutar_SQL(*h.principal,
               "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA) values (10, 7, 1, '2025-01-01')");
  Reposicion(50, "2025-03-01", "Revisión anual", 0);
  h.ctx.seleccion.idFicha = 10;
  h.ctx.seleccion.ultimaFicha = 1;
  h.ctx.seleccion.tieneFichas = 1;
  Abrir_Reposiciones();
  EXPECT_FALSE(B("btnReposicionGrabar")->isEnabled());
  EXPECT_FALSE(B("btnReposicionBorrar")->isEnabled());
  EXPECT_FALSE(B("btnReposicionNueva")->isEnabled());
  // Its cells open no editor, typed into or entered, and the keys that add
  // or save a row do nothing.
  Rejilla()->setFocus();
  Rejilla()->setCurrentIndex(Rejilla()->model()->index(0, TdmLentilla::Observaciones));
  for (int tecla : {int(Qt::Key_Return), int(Qt::Key_F2), int(Qt::Key_X), int(Qt::Key_F3), int(Qt::Key_X),
                    int(Qt::Key_F6), int(Qt::Key_F5)})
    QTest::keyClick(Rejilla(), static_cast<Qt::Key>(tecla));
  EXPECT_EQ(Rejilla()->indexWidget(Rejilla()->currentIndex()), nullptr);  // no editor open
  EXPECT_EQ(Filas(), 1);
  EXPECT_EQ(Celda(0, TdmLentilla::Observaciones), "Revisión anual");
  EXPECT_EQ(Texto("select list(ID_REPOSICION || ':' || OBSERVACIONES) from REPOSICION"), "50:Revisión anual");
}

}  // namespace

namespace {

TEST_F(ReposicionesTest, LaHojaDeReposicionesLlevaLaListaConSusImportes) {
  QTemporaryDir pdf;
  qputenv("OPTICA_IMPRESION_PDF", pdf.path().toUtf8());
  Reposicion(50, "2025-03-01", "Revisión anual", 0);
  Reposicion(52, "2025-05-01", "Reposición Acuvue", 34.9);
  Abrir_Reposiciones();
  // A patient marked deleted meanwhile still has its sheet printed.
  Ejecutar_SQL(*h.principal, "update PACIENTE set BORRADO = 1 where ID_PACIENTE = 7");
  B("btnReposicionImprimir")->click();
  qunsetenv("OPTICA_IMPRESION_PDF");
  const QString ruta = pdf.filePath("reposiciones-7.pdf");
  ASSERT_TRUE(QFile::exists(ruta));
  const QString texto = Texto_Pdf(ruta);
  EXPECT_TRUE(texto.contains("Ficha de Reposición de Lentillas")) << texto.toStdString();
  EXPECT_TRUE(texto.contains("Marta Álvarez Gil"));
  EXPECT_TRUE(texto.contains("34,90 €"));
  EXPECT_TRUE(texto.contains("Revisión anual"));
  // Newest first, as the grid shows them.
  EXPECT_LT(texto.indexOf("Reposición Acuvue"), texto.indexOf("Revisión anual"));
}

}  // namespace

namespace {

TEST_F(ReposicionesTest, UnCambioDeOtroPuestoEnLaListaNoSeSobrescribeEnSilencio) {
  Reposicion(50, "2025-03-01", "Revisión anual", 0);
  Abrir_Reposiciones();
  Rejilla()->model()->setData(Rejilla()->model()->index(0, TdmLentilla::Observaciones), "Revisión anual, bien");
  // Another workstation adds a replacement to the same list meanwhile.
  Reposicion(60, "2025-06-01", "Del otro puesto", 10);
  h.mensajes.respuestas = {mb::IDNO};
  B("btnReposicionGrabar")->click();
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("Otro puesto ha cambiado las reposiciones"));
  EXPECT_EQ(Texto("select list(OBSERVACIONES, '|') from (select OBSERVACIONES from REPOSICION order by FECHA)"),
            "Revisión anual|Del otro puesto");
  EXPECT_TRUE(B("btnReposicionGrabar")->isEnabled());
  // Read again, the list holds both; a save now keeps both.
  h.mensajes.respuestas = {mb::IDYES};
  B("btnReposicionGrabar")->click();
  EXPECT_EQ(Filas(), 2);
  Rejilla()->model()->setData(Rejilla()->model()->index(1, TdmLentilla::Observaciones), "Revisión anual, bien");
  h.mensajes.respuestas = {mb::IDNO};
  B("btnReposicionGrabar")->click();
  EXPECT_EQ(Texto("select list(OBSERVACIONES, '|') from (select OBSERVACIONES from REPOSICION order by FECHA)"),
            "Revisión anual, bien|Del otro puesto");
  // And the screen's own save is no change to itself.
  Rejilla()->model()->setData(Rejilla()->model()->index(0, TdmLentilla::Observaciones), "Del otro puesto, visto");
  B("btnReposicionGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from REPOSICION where OBSERVACIONES = 'Del otro puesto, visto'"), 1);
}

}  // namespace
