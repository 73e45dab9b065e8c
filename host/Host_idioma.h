#pragma once
// The language of Qt's own texts. The shop works in Spanish whatever language
// the machine was installed in, so the buttons of every message box, the
// context menu of every edit, print preview and the file dialogs take Qt's
// Spanish catalogue (Debian package qt6-translations-l10n) instead of the
// English texts built into Qt. The host and the widget tests both load it.

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// Installs the catalogue for the whole application (call once, after the
// application object exists). False when it is not installed: Qt's texts
// then stay in English.
inline bool Cargar_Traduccion_Qt() {
  auto* traductor = new QTranslator(QCoreApplication::instance());
  if (traductor->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(traductor))
    return true;
  delete traductor;
  return false;
}
