#pragma once
// The host's message boxes: the real, modal ones a shop sees. Their buttons
// read in Spanish from Qt's catalogue (Host_idioma.h).

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "Contexto_host.h"

class TMensajesQt : public TServicioMensajes {
 public:
  // Without anyone to answer (a screenshot run without a display) each box
  // is written to the error output and answered OK, or No when it asks.
  bool automatico = false;

  int Mostrar(const QString& texto, const QString& titulo, int flags) override {
    if (automatico) {
      std::fprintf(stderr, "[%s] %s\n", qPrintable(titulo), qPrintable(texto));
      return (flags & 0x0F) == mb::OK ? mb::IDOK : mb::IDNO;
    }
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(titulo);
    box.setText(texto);
    switch (flags & 0xF0) {
      case mb::ICONSTOP: box.setIcon(QMessageBox::Critical); break;
      case mb::ICONQUESTION: box.setIcon(QMessageBox::Question); break;
      case mb::ICONWARNING: box.setIcon(QMessageBox::Warning); break;
      case mb::ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
      default: break;
    }
    switch (flags & 0x0F) {
      case mb::YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
      case mb::YESNO: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
      case mb::OKCANCEL: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
      default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
      case QMessageBox::Yes: return mb::IDYES;
      case QMessageBox::No: return mb::IDNO;
      case QMessageBox::Ok: return mb::IDOK;
      default: return mb::IDCANCEL;
    }
  }
};
