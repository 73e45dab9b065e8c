#pragma once
// A date edit as the shop's screens have always had it: "dd/mm/yyyy" typed
// over the mask "  /  /    ", which is what an empty date shows.

#include <QLineEdit>

class TEditFecha : public QLineEdit {
  Q_OBJECT

 public:
  static inline const QString kMascaraVacia = QStringLiteral("  /  /    ");

  explicit TEditFecha(QWidget* parent = nullptr);

  // The day count shown (0 for the empty mask or text that is not a date).
  double Fecha() const;
  // Shows a day count; 0 shows the empty mask.
  void Fijar_Fecha(double fecha);
  bool Vacia() const { return displayText() == kMascaraVacia; }
  // True for the empty mask or a real date.
  bool Valida() const;
};
