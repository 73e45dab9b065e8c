#pragma once
// The "Reposiciones" tab of the lens record screen: the patient's list of
// lens replacements, cleanings and revisions in an editable grid over the
// data module's in-memory table, written back whole on "Grabar" (the rows of
// other modules in the same table are never touched). Keyboard first: F6 adds
// a row and puts the cursor in its date, Enter goes on to the next cell, F5
// saves; F3 switches the grid's incremental search.

#include "Pagina_lentilla.h"

class QTableView;
class QToolButton;
class TObjetosLentilla;
class TServicioReposiciones;
class TdmLentilla;
struct TSeleccion;

class TPaginaReposiciones : public TPaginaLentilla, public TEdicion {
  Q_OBJECT

 public:
  TPaginaReposiciones(TReglasEntrada& reglas, TSeleccion& seleccion, QWidget* padre = nullptr);

  // The grid on the data module's table and the service that reads and
  // writes the list, once the screen has them.
  void Enlazar(TdmLentilla* dm, TServicioReposiciones& servicio);

  // ---- The page and what it edits ----
  TEdicion& Edicion() override { return *this; }
  // A user without the right to modify only looks at the list of a stored
  // record: its cells open no editor.
  void Derechos(bool puedeModificar, bool fichaGuardada) override;
  bool Modificada() const override { return modificada_; }
  // Writes the whole list back; false when nothing was written (the user told why).
  bool Grabar() override;
  void Nuevo() override { btnReposicionNuevaClick(); }
  void Borrar() override { btnReposicionBorrarClick(); }
  QString Pregunta_Cambios() const override;

  // Reads the patient's list into the table, the first time only: the list
  // is read once while the screen is open. 0, or -1 on a database error.
  // The tab's image before the rows are read (when the tab is shown).
  void Hay_Reposiciones(bool hay) {
    if (!cargada_) Fijar_Imagen(hay ? 2 : 3);
  }
  int Cargar_Reposiciones();
  // The tab was shown: the list read (once), nothing changed, search on.
  void Mostrar();
  // Marks the list changed (or not), as the user's right to modify allows.
  void Marcar_Reposicion(bool modificada);

  void btnReposicionNuevaClick();
  void btnReposicionGrabarClick() { Grabar(); }
  void btnReposicionBorrarClick();

  // 1 while browsing, 0 while a new row is being added.
  int Modo() const { return modo_; }
  bool Busqueda() const { return busqueda_; }
  QTableView* Rejilla() const { return grdReposiciones_; }

 signals:
  // "Imprimir": the replacement sheet.
  void Imprimir();

 private:
  // The list read again, after another workstation changed it.
  void Releer();
  void Fijar_Busqueda(bool activa);
  void Cambiar_Busqueda();
  void Tomar_Celda();
  // Puts the cursor in the first cell of a row of the table, editing it.
  void Editar_Fila(int fila);

  TSeleccion& seleccion_;
  TdmLentilla* dm_ = nullptr;
  TServicioReposiciones* servicio_ = nullptr;
  bool cargada_ = false;
  bool cargando_ = false;
  bool modificada_ = false;
  bool busqueda_ = false;
  bool bloqueada_ = false;  // a stored record's list, for a user without the right to modify
  bool fichaGuardada_ = false;
  int modo_ = 1;

  QToolButton *btnReposicionNueva_ = nullptr, *btnReposicionGrabar_ = nullptr, *btnReposicionBorrar_ = nullptr;
  QTableView* grdReposiciones_ = nullptr;
};
