#pragma once
// A tab of the lens record screen. Each tab edits something (Edicion.h): the
// "Ficha" and "Observaciones" tabs the record, "Pruebas" the fitting test on
// screen, "Reposiciones" the patient's list. The frame asks the page in front
// for its edition when a key saves or starts a new one, asks every edition
// before an action leaves it, tells every page what the user may change, and
// shows each page's image in its tab. A page tells the frame only through its
// signals.

#include <QWidget>

#include "Edicion.h"
#include "Reglas_entrada.h"

class TLentilla;

class TPaginaLentilla : public QWidget {
  Q_OBJECT

 public:
  TPaginaLentilla(TReglasEntrada& reglas, QWidget* padre = nullptr) : QWidget(padre), reglas_(reglas) {}

  // What the page edits.
  virtual TEdicion& Edicion() = 0;
  const TEdicion& Edicion() const { return const_cast<TPaginaLentilla*>(this)->Edicion(); }

  // What the user may change. A user without the right to modify may look
  // at a stored record and its list without changing them (a new record and
  // its list are the user's own); the page is read-only where nothing typed
  // could be saved.
  virtual void Derechos(bool puedeModificar, bool fichaGuardada) {
    Fijar_Solo_Lectura(!puedeModificar && fichaGuardada);
  }
  bool Solo_Lectura() const { return soloLectura_; }

  // The tab's image (TdmLentilla::Imagen_Pestana): 1 the observations are
  // filled, 2 the tab holds data, 3 it holds none, 0 no image.
  int Imagen() const { return imagen_; }

 signals:
  // The user changed something on the page.
  void Cambiada();
  void Imagen_Cambiada(int imagen);
  // A line for the status bar.
  void Estado(const QString& texto);
  // The page's edition was saved: the frame offers to make today the
  // patient's last visit.
  void Grabada();

 protected:
  // Nothing on the page can be typed into or picked, but for the tab's own
  // toolbar (walking, printing) and the edits that are always read-only.
  void Fijar_Solo_Lectura(bool soloLectura);
  void Fijar_Imagen(int imagen) {
    if (imagen == imagen_) return;
    imagen_ = imagen;
    emit Imagen_Cambiada(imagen);
  }

  TReglasEntrada& reglas_;

 private:
  bool soloLectura_ = false;
  int imagen_ = 0;
  QList<QWidget*> siempreSoloLectura_;
};

// A page that shows part of the lens record: the frame clears it, shows a
// record on it and collects it back into the record object to save. The
// record's two pages share the record's edition (the frame's), and each
// keeps whether the user changed its part.
class TParteFicha : public TPaginaLentilla {
  Q_OBJECT

 public:
  TParteFicha(TReglasEntrada& reglas, TEdicion& ficha, QWidget* padre = nullptr)
      : TPaginaLentilla(reglas, padre), ficha_(ficha) {}

  TEdicion& Edicion() override { return ficha_; }

  // Empties the page for a new record.
  virtual void Limpiar() = 0;
  // Shows the record held by `l`.
  virtual void Mostrar(TLentilla& l) = 0;
  // Writes what the page shows into `l`.
  virtual void Recoger(TLentilla& l) const = 0;

  bool Modificada() const { return modificada_; }
  void Fijar_Modificada(bool modificada) { modificada_ = modificada; }

 protected:
  // The user changed the page; what the screen fills in itself is no change.
  void Marcar_Cambio() {
    if (reglas_.En_Carga()) return;
    modificada_ = true;
    emit Cambiada();
  }

 private:
  TEdicion& ficha_;
  bool modificada_ = false;
};
