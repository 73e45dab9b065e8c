#pragma once
// The look of the shop's programs: the classic Windows style the shop's
// screens have always had (flat sunken edits, square buttons). It also paints a
// screen about three times faster in software than Qt's default style, which
// every opening of a record screen feels. QT_STYLE_OVERRIDE still wins.

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTemporaryFile>

inline void Aplicar_Estilo_Tienda() {
  if (!qEnvironmentVariableIsEmpty("QT_STYLE_OVERRIDE")) return;
  if (QStyleFactory::keys().contains(QStringLiteral("Windows"), Qt::CaseInsensitive))
    QApplication::setStyle(QStringLiteral("Windows"));
}

// Without a display the program draws on a screen of its own, and Qt's own is
// an 800x800 square no shop has: a plain "offscreen" becomes a 1280x800
// screen, the smallest a shop's workstation has, so that what is drawn there
// (a screenshot, a test) is laid out as a shop sees it. Called before the
// application object is made.
inline void Pantalla_Sin_Monitor(QSize tamano = QSize(1280, 800)) {
  if (qgetenv("QT_QPA_PLATFORM") != "offscreen") return;
  static QTemporaryFile config(QDir::tempPath() + QStringLiteral("/optica-pantalla-XXXXXX.json"));
  if (!config.open()) return;
  config.write(QStringLiteral(R"({"screens": [{"name": "Tienda", "x": 0, "y": 0, "width": %1, "height": %2,
                  "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                   .arg(tamano.width())
                   .arg(tamano.height())
                   .toUtf8());
  config.flush();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toUtf8());
}
