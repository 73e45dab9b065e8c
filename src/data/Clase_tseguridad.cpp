#include "Clase_tseguridad.h"

#include <QByteArray>
#include <QStringDecoder>

namespace {

constexpr char kClave[] = "Miravel-3.0-SMS";

QByteArray Mezclar(QByteArray datos) {
  constexpr qsizetype largo = sizeof(kClave) - 1;
  for (qsizetype i = 0; i < datos.size(); ++i)
    datos[i] = static_cast<char>(datos[i] ^ kClave[i % largo] ^ static_cast<char>((i * 31 + 7) & 0xff));
  return datos;
}

}  // namespace

QString TSeguridad::Cifrar(const QString& texto) const {
  if (modo_ != kModoSMS) return texto;
  return QString::fromLatin1(Mezclar(texto.toUtf8()).toBase64());
}

QString TSeguridad::Descifrar(const QString& cifrado) const {
  if (modo_ != kModoSMS) return cifrado;
  const auto base64 =
      QByteArray::fromBase64Encoding(cifrado.trimmed().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
  if (!base64 || cifrado.contains(QChar(u'\0'))) return {};
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString texto = utf8.decode(Mezclar(*base64));
  if (utf8.hasError()) return {};
  return texto;
}
