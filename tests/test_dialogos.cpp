// What a user meets before typing anything: Qt's own texts in Spanish (the
// buttons of the host's message boxes, the context menu of an edit, print
// preview); the frame of the quick-creation dialogs and of the error report
// (no minimise or maximise button, the whole caption, nothing cut); edits
// that never take more text than the column they are saved in holds; and a
// database that fails under a quick-creation dialog.

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Anfitrion_prueba.h"
#include "Frm_crear_agente.h"
#include "Frm_crear_doctor.h"
#include "Frm_crear_tipo_lentilla.h"
#include "Frm_avisos.h"
#include "Frm_buscar_formatos.h"
#include "Frm_calculos_adaptacion.h"
#include "Frm_error.h"
#include "Frm_formato_defecto.h"
#include "Frm_lentilla.h"
#include "Frm_sms.h"
#include "Graduacion_ojo.h"
#include "Host_mensajes.h"
#include "Marco_dialogo.h"
#include "Ventana_modal.h"

namespace {

// Runs `accion` on the modal box as soon as it is up (the code under test is
// blocked in its exec meanwhile).
void Cuando_Aparezca(std::function<void(QMessageBox*)> accion) {
  auto* sondeo = new QTimer;
  QObject::connect(sondeo, &QTimer::timeout, [sondeo, accion] {
    if (auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      sondeo->stop();
      sondeo->deleteLater();
      accion(caja);
    }
  });
  sondeo->start(10);
}

// ---- Qt's own texts ----------------------------------------------------------------

TEST(TextosDeQt, MenuContextualDeUnaEdicionEnEspanol) {
  QLineEdit edit;
  edit.setText(QStringLiteral("Lentilla tórica"));
  std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QStringList textos;
  for (const QAction* a : menu->actions())
    if (!a->isSeparator()) textos << a->text().section(QLatin1Char('\t'), 0, 0);  // without the shortcut
  for (const char* esperado : {"&Deshacer", "&Rehacer", "Cor&tar", "&Copiar", "&Pegar", "Borrar", "Seleccionar todo"})
    EXPECT_TRUE(textos.contains(QString::fromUtf8(esperado))) << esperado << " no está en " << textos.join(" | ").toStdString();
  for (const char* ingles : {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"})
    EXPECT_FALSE(textos.contains(QLatin1String(ingles))) << ingles;
}

// The host's real boxes, answered by clicking the button with the Spanish
// text: the text and the answer it gives back must both be right.
TEST(TextosDeQt, BotonesDeLasCajasDelAnfitrionEnEspanol) {
  const struct {
    int flags;
    QStringList botones;
    QString pulsar;
    int respuesta;
  } casos[] = {
      {mb::YESNOCANCEL | mb::ICONQUESTION, {"&No", "&Sí", "Cancelar"}, "&No", mb::IDNO},
      {mb::YESNOCANCEL | mb::ICONQUESTION, {"&No", "&Sí", "Cancelar"}, "Cancelar", mb::IDCANCEL},
      {mb::YESNO | mb::ICONWARNING, {"&No", "&Sí"}, "&Sí", mb::IDYES},
      {mb::OKCANCEL, {"Aceptar", "Cancelar"}, "Aceptar", mb::IDOK},
      {mb::OK | mb::ICONSTOP, {"Aceptar"}, "Aceptar", mb::IDOK},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.pulsar.toStdString());
    TMensajesQt mensajes;
    QStringList vistos;
    Cuando_Aparezca([&](QMessageBox* caja) {
      QAbstractButton* elegido = nullptr;
      for (QAbstractButton* b : caja->buttons()) {
        vistos << b->text();
        if (b->text() == c.pulsar) elegido = b;
      }
      if (elegido)
        elegido->click();
      else
        caja->reject();
    });
    const int respuesta = mensajes.Mostrar(QStringLiteral("¿Desea grabar los cambios?"), QStringLiteral("AVISO"), c.flags);
    vistos.sort();
    EXPECT_EQ(vistos.join(" | ").toStdString(), c.botones.join(" | ").toStdString());
    EXPECT_EQ(respuesta, c.respuesta);
  }
}

TEST(TextosDeQt, VistaPreviaDeImpresionEnEspanol) {
  QPrintPreviewDialog vista;
  EXPECT_EQ(vista.windowTitle().toStdString(), "Previsualizar impresión");
}

// ---- The module's small dialogs ------------------------------------------------------

// Opens one of the dialogs by name, prepared on a test host and shown.
class DialogoTest : public ::testing::TestWithParam<std::string> {
 protected:
  QDialog* Abrir() {
    const std::string& cual = GetParam();
    if (cual == "doctor") {
      auto* d = new TfrmCrearDoctor;
      d->Fijar_Contexto(&h.ctx);
      d->Preparar();
      dlg.reset(d);
    } else if (cual == "agente") {
      auto* d = new TfrmCrearAgente(&h.aplicacion);
      d->Fijar_Contexto(&h.ctx);
      d->Preparar();
      dlg.reset(d);
    } else if (cual == "tipo_lentilla") {
      auto* d = new TfrmCrearTipoLentilla(&h.aplicacion);
      d->Fijar_Contexto(&h.ctx);
      d->Preparar();
      dlg.reset(d);
    } else {
      auto* d = new TfrmError(&h.aplicacion);
      d->Fijar_Contexto(&h.ctx);
      d->Pantalla(TfrmError::kPantallaLentillas);
      d->Funcion(QStringLiteral("cbxDoctor -> OnKeyDown"));
      d->Descripcion(QStringLiteral("Lock conflict on no wait transaction"));
      dlg.reset(d);
    }
    dlg->show();
    QApplication::setActiveWindow(dlg.get());
    QApplication::processEvents();
    // OPTICA_CAPTURAS=folder leaves a picture of each dialog there, to look at.
    const QString carpeta = qEnvironmentVariable("OPTICA_CAPTURAS");
    if (!carpeta.isEmpty()) dlg->grab().save(QDir(carpeta).filePath(QString::fromStdString(cual) + ".png"));
    return dlg.get();
  }
  bool Es_De_Creacion() const { return GetParam() != "error"; }

  TAnfitrionPrueba h;
  std::unique_ptr<QDialog> dlg;
};

std::string Nombre_Caso(const ::testing::TestParamInfo<std::string>& info) { return info.param; }

TEST_P(DialogoTest, SinMinimizarNiMaximizarYCerrarEsCancelar) {
  QDialog* d = Abrir();
  ASSERT_NE(d->windowHandle(), nullptr);
  const Qt::WindowFlags f = d->windowHandle()->flags();
  EXPECT_FALSE(f & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
  // Each button asked for by name: without it the window manager adds its own.
  EXPECT_TRUE(f & Qt::CustomizeWindowHint);
  EXPECT_TRUE(f & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(f & Qt::WindowStaysOnTopHint);

  if (Es_De_Creacion()) {
    // The close button of the frame gives up like Cancelar.
    d->close();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), 2);  // mrCancel of every creation dialog
    EXPECT_TRUE(h.mensajes.cajas.empty());
  }
}

TEST_P(DialogoTest, TituloEnteroYNadaRecortado) {
  QDialog* d = Abrir();
  // The caption in bold, as title bars usually draw it, beside the window
  // icon and the close button.
  QFont negrita = d->font();
  negrita.setBold(true);
  const int barra = d->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, d);
  EXPECT_GE(d->width(), QFontMetrics(negrita).horizontalAdvance(d->windowTitle()) + 3 * barra)
      << d->windowTitle().toStdString();
  EXPECT_GE(d->width(), d->sizeHint().width());
  const int altoNecesario = d->hasHeightForWidth() ? d->heightForWidth(d->width()) : d->sizeHint().height();
  EXPECT_GE(d->height(), altoNecesario);

  for (QWidget* w : d->findChildren<QWidget*>()) {
    if (!w->isVisible()) continue;
    const std::string nombre = (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                          : w->objectName())
                                   .toStdString();
    EXPECT_TRUE(d->rect().contains(QRect(w->mapTo(d, QPoint(0, 0)), w->size()))) << nombre << " sale del diálogo";
    if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap() && !l->text().isEmpty()) {
      EXPECT_GE(l->width(), l->sizeHint().width()) << "etiqueta cortada: " << l->text().toStdString();
    }
    if (qobject_cast<QPushButton*>(w) || qobject_cast<QAbstractSpinBox*>(w)) {
      EXPECT_GE(w->width(), w->sizeHint().width()) << nombre;
    }
    // A text edit shows what is usually typed in it: up to twenty characters.
    if (auto* e = qobject_cast<QLineEdit*>(w); e && !qobject_cast<QAbstractSpinBox*>(e->parentWidget())) {
      EXPECT_GE(e->width(), e->fontMetrics().averageCharWidth() * qMin(e->maxLength(), 20)) << nombre;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Dialogos, DialogoTest,
                         ::testing::Values("doctor", "agente", "tipo_lentilla", "error"), Nombre_Caso);

// ---- A shop's screen ---------------------------------------------------------------------

// The free area of a shop's usual screens, without a 40-pixel taskbar.
const QRect kPantallas[] = {QRect(0, 0, 1366, 728), QRect(0, 0, 1280, 760), QRect(0, 40, 1920, 1040)};

TEST(PantallaDeTienda, LaVentanaSeColocaEnteraEnLaZonaLibre) {
  const QSize preferido(1280, 800);
  for (const QRect& zona : kPantallas) {
    SCOPED_TRACE(zona.width());
    const TColocacion c = Colocar_Ventana(zona, preferido, 30, zona.center());
    EXPECT_TRUE(zona.contains(c.geometria.adjusted(0, -30, 0, 0)));  // the title bar too
    // Only a large screen takes the window as it would like to be.
    EXPECT_EQ(c.maximizada, zona.width() < 1900);
    if (!c.maximizada) EXPECT_EQ(c.geometria.size(), preferido);
  }
  // Centred on the host's window, but never off the area.
  const TColocacion c = Colocar_Ventana(kPantallas[2], {600, 400}, 30, {1900, 60});
  EXPECT_FALSE(c.maximizada);
  EXPECT_EQ(c.geometria, QRect(1320, 70, 600, 400));
}

// Every window of the module fits what a 1366x768 or 1280x800 screen with a
// taskbar leaves, title bar included, so that no button and no status bar is
// out of sight.
TEST(PantallaDeTienda, CadaVentanaCabeEnLaZonaLibre) {
  TAnfitrionPrueba h;
  std::vector<std::pair<std::string, std::unique_ptr<QWidget>>> ventanas;
  ventanas.emplace_back("ficha", std::make_unique<TfrmLentilla>(&h.aplicacion));
  ventanas.emplace_back("avisos", std::make_unique<TfrmAvisos>(&h.ctx));
  ventanas.emplace_back("buscar_formatos", std::make_unique<TfrmBuscarFormatos>(&h.aplicacion));
  ventanas.emplace_back("calculos", std::make_unique<TfrmCalculosAdaptacion>(TPruebaOjo(), TPruebaOjo(), &h.aplicacion));
  ventanas.emplace_back("agente", std::make_unique<TfrmCrearAgente>(&h.aplicacion));
  ventanas.emplace_back("doctor", std::make_unique<TfrmCrearDoctor>());
  ventanas.emplace_back("tipo_lentilla", std::make_unique<TfrmCrearTipoLentilla>(&h.aplicacion));
  ventanas.emplace_back("error", std::make_unique<TfrmError>(&h.aplicacion));
  ventanas.emplace_back("formato_defecto", std::make_unique<TfrmFormatoDefecto>(&h.aplicacion));
  ventanas.emplace_back("sms", std::make_unique<TfrmSMS>());
  for (const auto& [nombre, v] : ventanas) {
    const int barra = v->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, v.get());
    const QSize minimo = v->minimumSizeHint().expandedTo(v->minimumSize());
    for (const QRect& zona : kPantallas) {
      EXPECT_LE(minimo.width(), zona.width()) << nombre;
      EXPECT_LE(minimo.height() + barra, zona.height()) << nombre << " (" << minimo.height() << " + " << barra << ")";
    }
  }
}

// ---- Edits against their columns ------------------------------------------------------

struct TColumna {
  const char* edit;
  const char* tabla;
  const char* columna;
};

// Where each edit of the creation dialogs is saved.
const std::map<std::string, std::vector<TColumna>> kColumnas = {
    {"doctor", {{"edtCodigo", "DOCTOR", "CODIGO"}, {"edtNombre", "DOCTOR", "NOMBRE"}, {"edtApellidos", "DOCTOR", "APELLIDOS"}}},
    {"agente",
     {{"edtCodigo", "AGENTE", "CODIGO"},
      {"edtNombre", "AGENTE", "NOMBRE"},
      {"edtApellidos", "AGENTE", "APELLIDOS"},
      {"edtPorcComision", "AGENTE", "COMISION_PORCENTAJE"}}},
    {"tipo_lentilla",
     {{"edtCodigo", "TLENTILLA", "CODIGO"},
      {"edtDescripcion", "TLENTILLA", "DESCRIPCION"},
      {"edtDiasReposicion", "TLENTILLA", "DIAS_REPOSICION"}}},
};

class LongitudTest : public DialogoTest {
 protected:
  // Characters the column holds; 0 for a column that is not text.
  qint64 Largo_Columna(const TColumna& c) {
    return Consultar_Entero(*h.consulta,
                            QString("select coalesce(f.RDB$CHARACTER_LENGTH, 0) from RDB$RELATION_FIELDS r "
                                    "join RDB$FIELDS f on f.RDB$FIELD_NAME = r.RDB$FIELD_SOURCE "
                                    "where r.RDB$RELATION_NAME = '%1' and r.RDB$FIELD_NAME = '%2'")
                                .arg(c.tabla, c.columna));
  }
  // The column of the edit, or null; a spin box's inner edit is the spin box's.
  const TColumna* Columna(const QLineEdit* e) {
    const QWidget* control = qobject_cast<QAbstractSpinBox*>(e->parentWidget()) ? e->parentWidget() : e;
    for (const TColumna& c : kColumnas.at(GetParam()))
      if (control->objectName() == QLatin1String(c.edit)) return &c;
    return nullptr;
  }
  // The text edits (not those inside spin boxes), each with its column.
  std::vector<std::pair<QLineEdit*, const TColumna*>> Edits_De_Texto() {
    std::vector<std::pair<QLineEdit*, const TColumna*>> edits;
    for (QLineEdit* e : dlg->findChildren<QLineEdit*>()) {
      const TColumna* c = Columna(e);
      if (!c) {
        ADD_FAILURE() << "no se sabe dónde se guarda " << e->objectName().toStdString();
        continue;
      }
      if (!qobject_cast<QAbstractSpinBox*>(e->parentWidget())) edits.emplace_back(e, c);
    }
    return edits;
  }
};

TEST_P(LongitudTest, CadaEditCabeEnSuColumna) {
  Abrir();
  for (QLineEdit* e : dlg->findChildren<QLineEdit*>()) {
    const TColumna* c = Columna(e);
    ASSERT_NE(c, nullptr) << "no se sabe dónde se guarda " << e->objectName().toStdString();
    const qint64 largo = Largo_Columna(*c);
    if (qobject_cast<QAbstractSpinBox*>(e->parentWidget())) {
      EXPECT_EQ(largo, 0) << c->columna << ": un número se guarda en una columna numérica";
      continue;
    }
    ASSERT_GT(largo, 0) << c->tabla << "." << c->columna << " no es de texto";
    EXPECT_LE(e->maxLength(), largo) << e->objectName().toStdString() << " admite más de lo que cabe en " << c->tabla
                                     << "." << c->columna;
  }
}

// Every edit filled beyond its limit with a two-byte letter: what the dialog
// lets through is saved whole.
TEST_P(LongitudTest, LoMasLargoQueSeEscribeSeGuardaEntero) {
  Abrir();
  const auto edits = Edits_De_Texto();
  ASSERT_FALSE(edits.empty());
  for (const auto& [e, c] : edits) e->setText(QString(e->maxLength() + 5, QChar(0x00F1)));  // ñ
  dlg->findChild<QPushButton*>(QStringLiteral("btnAceptar"))->click();
  for (const auto& caja : h.mensajes.cajas) ADD_FAILURE() << caja.titulo.toStdString() << ": " << caja.texto.toStdString();
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  for (const auto& [e, c] : edits) {
    const qint64 guardado = Consultar_Entero(
        *h.consulta, QString("select max(char_length(%1)) from %2").arg(c->columna, c->tabla));
    EXPECT_EQ(guardado, e->maxLength()) << c->tabla << "." << c->columna;
  }
}

INSTANTIATE_TEST_SUITE_P(Dialogos, LongitudTest, ::testing::Values("doctor", "agente", "tipo_lentilla"), Nombre_Caso);

// ---- A database that fails under a dialog -------------------------------------------

// The main connection, which the checks and the insert go through, is gone
// when the user accepts: whatever that raises ends in the error report under
// the handler's label, and the dialog stays open with what was typed, for
// another try once the database is back. (The lens type's lookups take a
// database error for "not found", and its dialog says so itself.)
using FalloBaseTest = DialogoTest;

TEST_P(FalloBaseTest, AcabaEnElInformeYElDialogoSigueConLoEscrito) {
  QDialog* d = Abrir();
  auto* nombre = d->findChild<QLineEdit*>("edtNombre");
  ASSERT_NE(nombre, nullptr);
  QTest::keyClicks(nombre, QStringLiteral("Lucas"));
  h.principal->Close();

  for (const bool conF5 : {false, true}) {
    SCOPED_TRACE(conF5 ? "F5" : "Aceptar");
    bool informe = false;
    QString funcion, descripcion;
    Al_Abrirse_Modal(informe, [&](QWidget* w) {
      auto* dlg = qobject_cast<TfrmError*>(w);
      ASSERT_NE(dlg, nullptr) << w->objectName().toStdString();
      funcion = dlg->Funcion();
      descripcion = dlg->Descripcion();
      dlg->findChild<QPushButton*>("btnSalir")->click();
    });
    if (conF5)
      QTest::keyClick(nombre, Qt::Key_F5);
    else
      d->findChild<QPushButton*>("btnAceptar")->click();
    EXPECT_TRUE(informe);
    EXPECT_EQ(funcion.toStdString(), "btnAceptar -> OnClick");
    EXPECT_FALSE(descripcion.isEmpty());
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->result(), 0);
    EXPECT_EQ(nombre->text(), QStringLiteral("Lucas"));
    QApplication::setActiveWindow(d);
  }
  for (const auto& caja : h.mensajes.cajas)
    ADD_FAILURE() << caja.titulo.toStdString() << ": " << caja.texto.toStdString();

  h.principal->Open();
  d->findChild<QPushButton*>("btnAceptar")->click();
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_EQ(Consultar_Texto(*h.consulta, GetParam() == "doctor" ? "select NOMBRE from DOCTOR where CODIGO = 1"
                                                                 : "select NOMBRE from AGENTE where CODIGO = 1"),
            QStringLiteral("Lucas"));
}

INSTANTIATE_TEST_SUITE_P(Dialogos, FalloBaseTest, ::testing::Values("doctor", "agente"), Nombre_Caso);

}  // namespace
