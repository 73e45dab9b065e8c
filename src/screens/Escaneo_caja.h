#pragma once
// A lens box scanned into an eye's article edit, the same on the record tab
// and on the test tab: the keyboard-wedge reader on the edit, its "Escanear"
// and "Leer imagen…" actions, and the one reading of what comes in. A box's
// GS1 code is read, checked (expired, wrong check digit, lot too long for
// the tab's lot edit) and its article looked up by the GTIN; every refusal is
// told in a message box and fills nothing. What a box read well fills is the
// tab's own business (TDestino).
//
// An unknown GTIN offers to create the article: the tab passes the GTIN on to
// the article module, and when the article created comes back with that code
// (Servido) the box is read again, so that its lot and expiry follow.

#include <QObject>
#include <QPointer>
#include <functional>

#include "Codigo_gs1.h"
#include "Receta_qr.h"

class QLineEdit;
class TLectorCuna;
class TObjetosLentilla;
class TPaginaLentilla;
class TReglasEntrada;

class TEscaneoCaja : public QObject {
  Q_OBJECT

 public:
  // What the tab does with a code read well.
  struct TDestino {
    // The box, its article (found by the GTIN) held by the screen's article
    // object.
    std::function<void(const gs1::TCaja&)> caja;
    // A prescription's QR code; none: the tab has nowhere for one.
    std::function<void(const receta_qr::TReceta&)> receta;
    // The user wants the box's unknown article created with its GTIN.
    std::function<void(const QString& gtin)> crear;
    // A burst of keys begins in the edit, and it turned out to be a code:
    // what its keys changed on the tab (beyond the edit's text) goes back.
    std::function<void()> guardar, restaurar;
  };

  // `nombre` names the actions ("actEscanear" + nombre, "actImagen" +
  // nombre, e.g. "ODArticulo"); `etiqueta` is the guard's handler label.
  TEscaneoCaja(TPaginaLentilla& pagina, TReglasEntrada& reglas, TObjetosLentilla& objetos, QLineEdit* articulo,
               QLineEdit* lote, const QString& nombre, const QString& etiqueta, TDestino destino);

  // "Escanear": the edit waits for the scanner.
  void Escanear();
  // "Leer imagen…": a photo or scan of the box chosen in a file dialog.
  void Leer_Imagen();
  void Leer_Fichero(const QString& ruta);
  // A code as the wedge scanner sent it (the workstation's separator
  // replacement applies).
  void Leer_Codigo(const QString& codigo);
  // The article module has given the eye an article: when it carries the
  // GTIN of the box whose article was missing, the box is read again.
  void Servido();

  // The character the workstation's scanner sends in place of the group
  // separator (setting Lector/Separador); null: ASCII 29 itself.
  static QChar Separador_Lector();

 private:
  void Leer(const QString& codigo, QChar sustituto);
  void Avisar(const QString& texto) const;

  TPaginaLentilla& pagina_;
  TReglasEntrada& reglas_;
  TObjetosLentilla& objetos_;
  QPointer<QLineEdit> articulo_, lote_;
  QString etiqueta_;
  TDestino destino_;
  QChar separador_;
  TLectorCuna* lector_ = nullptr;
  // The box whose article the user asked to create, as read (with what was
  // used as its separator).
  QString pendiente_;
  QChar separadorPendiente_;
};
