#pragma once
// The host's patient list: a search box over the shop's patients; Enter or a
// double click opens the lens records of the chosen one.

#include <QDialog>

class QLineEdit;
class QTableWidget;
class TIBDatabase;

class TDlgPacientes : public QDialog {
 public:
  explicit TDlgPacientes(TIBDatabase& db, QWidget* parent = nullptr);
  // Key of the chosen patient, or -1.
  int Paciente() const;

 private:
  void Cargar();
  void Filtrar(const QString& texto);

  TIBDatabase& db_;
  QLineEdit* buscar_;
  QTableWidget* tabla_;
};
