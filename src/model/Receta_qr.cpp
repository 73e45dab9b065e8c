#include "Receta_qr.h"

#include <QStringList>
#include <cmath>

#include "Graduacion.h"

namespace receta_qr {
namespace {

QString Escapar(const QString& s) {
  QString r;
  r.reserve(s.size());
  for (QChar c : s) {
    switch (c.unicode()) {
      case u'%': r += QStringLiteral("%25"); break;
      case u'|': r += QStringLiteral("%7C"); break;
      case u';': r += QStringLiteral("%3B"); break;
      case u'=': r += QStringLiteral("%3D"); break;
      case u'\n': r += QStringLiteral("%0A"); break;
      case u'\r': r += QStringLiteral("%0D"); break;
      default: r += c;
    }
  }
  return r;
}

bool Desescapar(QStringView s, QString& r) {
  r.clear();
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] != u'%') {
      r += s[i];
      continue;
    }
    bool ok = false;
    const int c = i + 2 < s.size() ? s.mid(i + 1, 2).toInt(&ok, 16) : 0;
    if (!ok) return false;
    r += QChar(c);
    i += 2;
  }
  return true;
}

QString Numero(double v) {
  if (v == graduacion::kSinValor || v == graduacion::kEjeVacio) return {};
  if (v == graduacion::kNeutro) return QStringLiteral("N");
  if (v == graduacion::kCompen) return QStringLiteral("C");
  return QString::number(v, 'g', 15);
}

bool Leer_Numero(const QString& t, double& v) {
  if (t.isEmpty()) return v = graduacion::kSinValor, true;
  if (t == QLatin1String("N")) return v = graduacion::kNeutro, true;
  if (t == QLatin1String("C")) return v = graduacion::kCompen, true;
  bool ok = false;
  v = t.toDouble(&ok);
  return ok && std::isfinite(v);
}

QString Fecha(QDate d) { return d.isValid() ? d.toString(Qt::ISODate) : QString(); }

QString Ojo(const TGraduacionOjo& o) {
  QStringList v;
  for (const TCampoOjo& c : kCamposOjoFicha)
    std::visit(TSegun{[&](double TGraduacionOjo::*m) { v << Numero(o.*m); },
                        [&](int TGraduacionOjo::*m) { v << Numero(o.*m); },
                        [&](QString TGraduacionOjo::*m) { v << Escapar(o.*m); }},
               c.miembro);
  return v.join(QLatin1Char(';'));
}

bool Leer_Ojo(QStringView t, TGraduacionOjo& o) {
  const QList<QStringView> v = t.split(u';');
  for (qsizetype i = 0; i < v.size() && i < qsizetype(std::size(kCamposOjoFicha)); ++i) {
    QString s;
    if (!Desescapar(v[i], s)) return false;
    bool ok = true;
    std::visit(TSegun{[&](double TGraduacionOjo::*m) { ok = Leer_Numero(s, o.*m); },
                        [&](int TGraduacionOjo::*m) {
                          double d = 0;
                          ok = Leer_Numero(s, d);
                          o.*m = static_cast<int>(d);
                        },
                        [&](QString TGraduacionOjo::*m) { o.*m = s; }},
               kCamposOjoFicha[i].miembro);
    if (!ok) return false;
  }
  return true;
}

QString Lente(const TLenteReceta& l) {
  return QStringList{Escapar(l.referencia), Escapar(l.descripcion), Escapar(l.tipo), Escapar(l.lote)}.join(
      QLatin1Char(';'));
}

bool Leer_Lente(QStringView t, TLenteReceta& l) {
  const QList<QStringView> v = t.split(u';');
  QString* campos[] = {&l.referencia, &l.descripcion, &l.tipo, &l.lote};
  for (qsizetype i = 0; i < v.size() && i < 4; ++i)
    if (!Desescapar(v[i], *campos[i])) return false;
  return true;
}

QStringView Sin_Identificador(QStringView t) {
  t = t.trimmed();
  // A scanner may put the QR symbology identifier ("]Q1") first.
  if (t.size() >= 3 && t[0] == u']' && t[1] == u'Q') t = t.mid(3);
  return t;
}

}  // namespace

QString Texto(const TReceta& r) {
  QStringList c{kPrefijo};
  c << QStringLiteral("PAC=") + Escapar(r.paciente) << QStringLiteral("PRE=") + Escapar(r.prescriptor)
    << QStringLiteral("COL=") + Escapar(r.colegiado) << QStringLiteral("FEC=") + Fecha(r.fecha)
    << QStringLiteral("REV=") + Fecha(r.revision) << QStringLiteral("CAD=") + Fecha(r.caducidad)
    << QStringLiteral("OD=") + Ojo(r.ojos[0]) << QStringLiteral("OI=") + Ojo(r.ojos[1])
    << QStringLiteral("LOD=") + Lente(r.lentes[0]) << QStringLiteral("LOI=") + Lente(r.lentes[1]);
  return c.join(QLatin1Char('|'));
}

bool Es_Receta(QStringView texto) {
  const QStringView t = Sin_Identificador(texto);
  return t.startsWith(kPrefijo) && (t.size() == kPrefijo.size() || t[kPrefijo.size()] == u'|');
}

bool Leer(QStringView texto, TReceta& r, QString* error) {
  const auto fallo = [error](const QString& e) {
    if (error) *error = e;
    return false;
  };
  if (!Es_Receta(texto))
    return fallo(QStringLiteral("El código leído no es una receta de lentes de contacto de este programa."));
  r = TReceta();
  const QList<QStringView> campos = Sin_Identificador(texto).split(u'|');
  for (qsizetype i = 1; i < campos.size(); ++i) {
    const QStringView campo = campos[i];
    const qsizetype igual = campo.indexOf(u'=');
    if (igual < 0) return fallo(QStringLiteral("La receta leída está dañada (campo «%1»).").arg(campo.toString()));
    const QStringView clave = campo.left(igual), valor = campo.mid(igual + 1);
    bool ok = true;
    const auto texto_ = [&](QString& destino) { ok = Desescapar(valor, destino); };
    const auto fecha = [&](QDate& destino) {
      destino = valor.isEmpty() ? QDate() : QDate::fromString(valor.toString(), Qt::ISODate);
      ok = valor.isEmpty() || destino.isValid();
    };
    if (clave == u"PAC") texto_(r.paciente);
    else if (clave == u"PRE") texto_(r.prescriptor);
    else if (clave == u"COL") texto_(r.colegiado);
    else if (clave == u"FEC") fecha(r.fecha);
    else if (clave == u"REV") fecha(r.revision);
    else if (clave == u"CAD") fecha(r.caducidad);
    else if (clave == u"OD") ok = Leer_Ojo(valor, r.ojos[0]);
    else if (clave == u"OI") ok = Leer_Ojo(valor, r.ojos[1]);
    else if (clave == u"LOD") ok = Leer_Lente(valor, r.lentes[0]);
    else if (clave == u"LOI") ok = Leer_Lente(valor, r.lentes[1]);
    if (!ok) return fallo(QStringLiteral("La receta leída está dañada (campo %1).").arg(clave.toString()));
  }
  return true;
}

}  // namespace receta_qr
