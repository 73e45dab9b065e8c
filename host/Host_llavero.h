#pragma once
// The database password of a workstation in the desktop's keyring (Secret
// Service, through QtKeychain), so that it need not sit in the settings file.
// Where the desktop has no keyring the settings file, readable by its owner
// only, keeps it as before.

#include <QString>

namespace llavero {

// The password kept for `usuario` on `base`; empty when there is no keyring
// or it keeps none.
QString Leer(const QString& base, const QString& usuario);

// Keeps the password in the keyring; false, with the reason in `error`, when
// the desktop has no keyring or it refused.
bool Guardar(const QString& base, const QString& usuario, const QString& clave, QString* error);

}  // namespace llavero
