#include "Lector_ini.h"

#include <QFile>

bool TLectorIni::Abrir(const QString& ruta) {
  ruta_ = ruta;
  valores_.clear();
  secciones_.clear();
  abierto_ = false;
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = f.readAll();
  // Formats written by hand on older workstations come in Latin-1; anything
  // that is valid UTF-8 is read as such.
  QString texto = QString::fromUtf8(bytes);
  if (texto.contains(QChar::ReplacementCharacter)) texto = QString::fromLatin1(bytes);
  Leer_Texto(texto);
  return true;
}

void TLectorIni::Leer_Texto(const QString& texto) {
  valores_.clear();
  secciones_.clear();
  abierto_ = true;
  QString seccion;
  const QStringList lineas = texto.split(QLatin1Char('\n'));
  for (int i = 0; i < lineas.size(); ++i) {
    QString l = lineas[i].trimmed();
    if (i == 0 && l.startsWith(QChar(0xFEFF))) l.remove(0, 1);
    if (l.isEmpty() || l.startsWith(QLatin1Char(';')) || l.startsWith(QLatin1Char('#'))) continue;
    if (l.startsWith(QLatin1Char('[')) && l.endsWith(QLatin1Char(']'))) {
      seccion = l.mid(1, l.size() - 2).trimmed().toUpper();
      if (!secciones_.contains(seccion)) secciones_.insert(seccion, i + 1);
      continue;
    }
    const int igual = l.indexOf(QLatin1Char('='));
    if (igual <= 0 || seccion.isEmpty()) continue;
    // The first occurrence of a key wins, as the shop's formats have always
    // been read.
    const QString llave = Llave(seccion, l.left(igual));
    QString valor = l.mid(igual + 1).trimmed();
    // A value in double quotes keeps its blanks ("Tel.: ").
    if (valor.size() >= 2 && valor.startsWith(QLatin1Char('"')) && valor.endsWith(QLatin1Char('"')))
      valor = valor.mid(1, valor.size() - 2);
    if (!valores_.contains(llave)) valores_.insert(llave, TValor{valor, i + 1});
  }
}

const TLectorIni::TValor* TLectorIni::Buscar(const QString& seccion, const QString& clave) const {
  const auto it = valores_.constFind(Llave(seccion, clave));
  return it == valores_.cend() ? nullptr : &it.value();
}

bool TLectorIni::Hay_Seccion(const QString& seccion) const {
  return secciones_.contains(seccion.trimmed().toUpper());
}

bool TLectorIni::Hay_Clave(const QString& seccion, const QString& clave) const {
  return Buscar(seccion, clave) != nullptr;
}

int TLectorIni::Linea(const QString& seccion, const QString& clave) const {
  if (clave.isEmpty()) return secciones_.value(seccion.trimmed().toUpper(), 0);
  const TValor* v = Buscar(seccion, clave);
  return v ? v->linea : 0;
}

QString TLectorIni::Texto(const QString& seccion, const QString& clave, const QString& defecto) const {
  const TValor* v = Buscar(seccion, clave);
  return v ? v->texto : defecto;
}

static bool Leer_Real(const QString& texto, double& valor) {
  QString t = texto.trimmed();
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  valor = t.toDouble(&ok);
  return ok;
}

int TLectorIni::Entero(const QString& seccion, const QString& clave, int defecto) const {
  const TValor* v = Buscar(seccion, clave);
  if (!v) return defecto;
  bool ok = false;
  const int n = v->texto.trimmed().toInt(&ok);
  return ok ? n : defecto;
}

double TLectorIni::Real(const QString& seccion, const QString& clave, double defecto) const {
  const TValor* v = Buscar(seccion, clave);
  double valor = 0;
  return v && Leer_Real(v->texto, valor) ? valor : defecto;
}

bool TLectorIni::Es_Numero(const QString& seccion, const QString& clave) const {
  const TValor* v = Buscar(seccion, clave);
  double valor = 0;
  return v && Leer_Real(v->texto, valor);
}
