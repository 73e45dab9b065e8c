#pragma once
// A domain object created the first time it is needed and kept, owned, until
// its holder frees it. Domain objects are created with the owner and the two
// connections of whoever holds them; `Renovar` replaces the object with a
// fresh one where a caller needs one that remembers nothing.

#include <memory>

class QObject;
class TIBDatabase;

template <class T>
class TPerezoso {
 public:
  T& Obtener(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB) {
    if (!objeto_) objeto_ = std::make_unique<T>(owner, conexionA, conexionB);
    return *objeto_;
  }
  T& Renovar(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB) {
    objeto_ = std::make_unique<T>(owner, conexionA, conexionB);
    return *objeto_;
  }
  // Null until first needed.
  T* Actual() const { return objeto_.get(); }
  void Liberar() { objeto_.reset(); }

 private:
  std::unique_ptr<T> objeto_;
};
