#pragma once
// The "Reposiciones" tab of the lens record screen: the patient's list of
// lens replacements, cleanings and revisions in an editable grid over the
// data module's in-memory table, written back whole on "Grabar" (the rows of
// other modules in the same table are never touched). Keyboard first: F6 adds
// a row and puts the cursor in its date, Enter goes on to the next cell, F5
// saves; F3 switches the grid's incremental search.

#include <QWidget>
#include <functional>

class EIBError;
class QTableView;
class QToolButton;
class TObjetosLentilla;
class TReglasEntrada;
class TdmLentilla;
struct TSeleccion;

class TPaginaReposiciones : public QWidget {
  Q_OBJECT

 public:
  TPaginaReposiciones(TReglasEntrada& reglas, TObjetosLentilla& objetos, TSeleccion& seleccion,
                      QWidget* padre = nullptr);

  // The grid on the data module's table, once the screen has its data module.
  void Enlazar(TdmLentilla* dm);

  // Reads the patient's list into the table, the first time only: the list
  // is read once while the screen is open. 0, or -1 on a database error.
  int Cargar_Reposiciones();
  // The tab was shown: the list read (once), nothing changed, search on.
  void Mostrar();
  // Marks the list changed (or not), as the user's right to modify allows.
  void Marcar_Reposicion(bool modificada);

  void btnReposicionNuevaClick();
  void btnReposicionGrabarClick() { Grabar(); }
  // Writes the whole list back; false when nothing was written (the user told why).
  bool Grabar();
  void btnReposicionBorrarClick();

  bool Modificada() const { return modificada_; }
  // 1 while browsing, 0 while a new row is being added.
  int Modo() const { return modo_; }
  // The tab's image: 2 the patient has replacements, 3 none.
  int Imagen() const { return imagen_; }
  bool Busqueda() const { return busqueda_; }
  QTableView* Rejilla() const { return grdReposiciones_; }

  // Set by the frame: a save or delete that wrote nothing; a status text; the
  // last-visit question after a save; whether a stored record is on screen
  // (a user without the right to modify only looks at its list).
  std::function<void(const EIBError* causa, int resultado, bool grabar)> avisarFallo;
  std::function<void(const QString&)> estado;
  std::function<void()> actualizarUltimaVisita;
  std::function<bool()> fichaExistente;

 signals:
  void Imagen_Cambiada(int imagen);
  // "Imprimir": the replacement sheet.
  void Imprimir();

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  int Grabar_Reposiciones();
  // Another workstation changed the stored list since it was read: offers to
  // show it as it is now.
  void Avisar_Cambio_Ajeno();
  void Fijar_Imagen(int imagen);
  void Fijar_Busqueda(bool activa);
  void Tomar_Celda();
  // Puts the cursor in the first cell of a row of the table, editing it.
  void Editar_Fila(int fila);

  TReglasEntrada& reglas_;
  TObjetosLentilla& objetos_;
  TSeleccion& seleccion_;
  TdmLentilla* dm_ = nullptr;
  // The keys of the stored list as this screen last read or wrote it: a save
  // finding others has met another workstation's change.
  QList<double> claves_;
  bool cargada_ = false;
  bool cargando_ = false;
  bool modificada_ = false;
  bool busqueda_ = false;
  int modo_ = 1;
  int imagen_ = 0;

  QToolButton *btnReposicionGrabar_ = nullptr, *btnReposicionBorrar_ = nullptr;
  QTableView* grdReposiciones_ = nullptr;
};
