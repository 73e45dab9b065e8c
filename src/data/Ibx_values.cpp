#include "Ibx_values.h"

#include <ibase.h>

#include <cmath>
#include <cstring>

#include "Util_fechas.h"
#include "Util_locale.h"

// ---- TValor ---------------------------------------------------------------

namespace {
[[noreturn]] void Conversion_Imposible(const QString& texto, const char* tipo) {
  ibx::Error_Cliente(QStringLiteral("'%1' no es un valor %2 válido.").arg(texto, QLatin1String(tipo)));
}
}  // namespace

int TValor::AsInteger() const { return static_cast<int>(AsInt64()); }

qint64 TValor::AsInt64() const {
  switch (tipo_) {
    case TTipoValor::Nulo: return 0;
    case TTipoValor::Entero: return entero_;
    case TTipoValor::Real: return std::llround(real_);
    case TTipoValor::FechaHora: return static_cast<qint64>(std::trunc(real_));
    case TTipoValor::Texto: {
      bool ok = false;
      const qint64 v = texto_.trimmed().toLongLong(&ok);
      if (ok) return v;
      double d;
      if (locale_es::Texto_A_Float(texto_, d)) return std::llround(d);
      Conversion_Imposible(texto_, "entero");
    }
  }
  return 0;
}

double TValor::AsFloat() const {
  switch (tipo_) {
    case TTipoValor::Nulo: return 0;
    case TTipoValor::Entero: return static_cast<double>(entero_);
    case TTipoValor::Real:
    case TTipoValor::FechaHora: return real_;
    case TTipoValor::Texto: {
      double d;
      if (locale_es::Texto_A_Float(texto_, d)) return d;
      Conversion_Imposible(texto_, "numérico");
    }
  }
  return 0;
}

QString TValor::AsString() const {
  switch (tipo_) {
    case TTipoValor::Nulo: return {};
    case TTipoValor::Entero: return QString::number(entero_);
    case TTipoValor::Real: return locale_es::Float_A_Texto(real_);
    case TTipoValor::FechaHora: return fechas::Fecha_Hora_A_Texto(real_);
    case TTipoValor::Texto: return texto_;
  }
  return {};
}

double TValor::AsDateTime() const {
  switch (tipo_) {
    case TTipoValor::Nulo: return 0;
    case TTipoValor::Entero: return static_cast<double>(entero_);
    case TTipoValor::Real:
    case TTipoValor::FechaHora: return real_;
    case TTipoValor::Texto: {
      if (texto_.trimmed().isEmpty()) return 0;
      double d;
      if (fechas::Texto_A_Fecha(texto_, d)) return d;
      Conversion_Imposible(texto_, "de fecha");
    }
  }
  return 0;
}

void TValor::Poner_Nulo() {
  tipo_ = TTipoValor::Nulo;
  texto_.clear();
}
void TValor::Poner_Entero(qint64 v) {
  tipo_ = TTipoValor::Entero;
  entero_ = v;
}
void TValor::Poner_Real(double v) {
  tipo_ = TTipoValor::Real;
  real_ = v;
}
void TValor::Poner_Texto(const QString& v) {
  tipo_ = TTipoValor::Texto;
  texto_ = v;
}
void TValor::Poner_FechaHora(double v) {
  tipo_ = TTipoValor::FechaHora;
  real_ = v;
}

// ---- Describing and reading messages ---------------------------------------

std::vector<TColumna> Describir(Firebird::IMessageMetadata* meta) {
  std::vector<TColumna> cols;
  if (!meta) return cols;
  TEstado st;
  const unsigned n = meta->getCount(&st);
  cols.resize(n);
  for (unsigned i = 0; i < n; ++i) {
    TColumna& c = cols[i];
    const char* alias = meta->getAlias(&st, i);
    c.nombre = QString::fromUtf8(alias && *alias ? alias : meta->getField(&st, i));
    c.tipo = meta->getType(&st, i) & ~1u;
    c.subtipo = meta->getSubType(&st, i);
    c.escala = meta->getScale(&st, i);
    c.longitud = meta->getLength(&st, i);
    c.charset = meta->getCharSet(&st, i);
    c.offset = meta->getOffset(&st, i);
    c.offsetNulo = meta->getNullOffset(&st, i);
  }
  return cols;
}

namespace {
// Firebird's character set numbers for the sets the application meets.
constexpr unsigned kCsOctets = 1;
constexpr unsigned kCsUtf8 = 4;
constexpr unsigned kCsLatin1 = 21;

QString Texto_Columna(const char* datos, int len, unsigned charset) {
  if (charset == kCsOctets) return QString::fromLatin1(datos, len);
  if (charset == kCsLatin1) return QString::fromLatin1(datos, len);
  return QString::fromUtf8(datos, len);
}

template <typename T>
T Leer(const unsigned char* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename T>
void Escribir(unsigned char* p, T v) {
  std::memcpy(p, &v, sizeof v);
}

TValor Escalado(qint64 v, int escala) {
  TValor r;
  if (escala == 0)
    r.Poner_Entero(v);
  else
    r.Poner_Real(static_cast<double>(v) * std::pow(10.0, escala));
  return r;
}
}  // namespace

TValor Leer_Columna(const TColumna& col, const unsigned char* fila, const QString* blob) {
  TValor r;
  if (Leer<short>(fila + col.offsetNulo) != 0) return r;
  const unsigned char* p = fila + col.offset;
  switch (col.tipo) {
    case SQL_TEXT: {
      // CHAR columns come padded with blanks up to their length.
      int len = static_cast<int>(col.longitud);
      while (len > 0 && p[len - 1] == ' ') --len;
      r.Poner_Texto(Texto_Columna(reinterpret_cast<const char*>(p), len, col.charset));
      break;
    }
    case SQL_VARYING:
      r.Poner_Texto(Texto_Columna(reinterpret_cast<const char*>(p + 2), Leer<short>(p), col.charset));
      break;
    case SQL_SHORT: r = Escalado(Leer<short>(p), col.escala); break;
    case SQL_LONG: r = Escalado(Leer<int>(p), col.escala); break;
    case SQL_INT64: r = Escalado(Leer<qint64>(p), col.escala); break;
    case SQL_FLOAT: r.Poner_Real(Leer<float>(p)); break;
    case SQL_DOUBLE:
    case SQL_D_FLOAT: r.Poner_Real(Leer<double>(p)); break;
    case SQL_TIMESTAMP: {
      const auto ts = Leer<ISC_TIMESTAMP>(p);
      r.Poner_FechaHora(fechas::Desde_Firebird(ts.timestamp_date, ts.timestamp_time));
      break;
    }
    case SQL_TYPE_DATE: r.Poner_FechaHora(fechas::Desde_Firebird(Leer<ISC_DATE>(p), 0)); break;
    case SQL_TYPE_TIME:
      r.Poner_FechaHora(fechas::Desde_Firebird(fechas::kDiasBaseFirebird, Leer<ISC_TIME>(p)));
      break;
    case SQL_BOOLEAN: r.Poner_Entero(*p ? 1 : 0); break;
    case SQL_BLOB:
      if (blob) r.Poner_Texto(*blob);
      break;
    default: break;  // SQL_NULL and anything unknown read as NULL
  }
  return r;
}

QString Leer_Blob(Firebird::IAttachment* att, Firebird::ITransaction* tra, const ISC_QUAD& id) {
  TEstado st;
  ISC_QUAD copia = id;
  Firebird::IBlob* b = att->openBlob(&st, tra, &copia, 0, nullptr);
  QByteArray datos;
  char trozo[16384];
  try {
    for (;;) {
      unsigned leidos = 0;
      const int r = b->getSegment(&st, sizeof trozo, trozo, &leidos);
      if (r == Firebird::IStatus::RESULT_NO_DATA) break;
      datos.append(trozo, static_cast<int>(leidos));
    }
    b->close(&st);
  } catch (...) {
    b->release();
    throw;
  }
  return QString::fromUtf8(datos);
}

// ---- Input messages ----------------------------------------------------------

TMensajeEntrada::~TMensajeEntrada() { Liberar(); }

void TMensajeEntrada::Liberar() {
  if (meta_) meta_->release();
  meta_ = nullptr;
  forma_.clear();
  buffer_.clear();
}

void TMensajeEntrada::Preparar(Firebird::IMessageMetadata* descrita, Firebird::IAttachment* att,
                               Firebird::ITransaction* tra, const std::vector<const TValor*>& valores) {
  TEstado st;
  const unsigned n = descrita ? descrita->getCount(&st) : 0;
  if (n != valores.size())
    ibx::Error_Cliente(QStringLiteral("La sentencia espera %1 parámetros y se dieron %2.")
                           .arg(n)
                           .arg(valores.size()));
  if (n == 0) {
    Liberar();
    return;
  }

  // The shape each value travels in: the declared one whenever the value fits
  // it as it is (then the engine converts nothing), otherwise the value's own
  // type, converted by Firebird (which also reports what does not fit).
  std::vector<Forma>& forma = formaNueva_;
  forma.resize(n);
  textos_.resize(n);
  bool comoDescrita = true;
  for (unsigned i = 0; i < n; ++i) {
    const Forma d{descrita->getType(&st, i) & ~1u, descrita->getLength(&st, i), descrita->getSubType(&st, i),
                  descrita->getCharSet(&st, i), descrita->getScale(&st, i)};
    const TValor& v = *valores[i];
    Forma& f = forma[i];
    f = d;
    switch (v.Tipo()) {
      case TTipoValor::Nulo: break;
      case TTipoValor::Entero: {
        const qint64 x = v.AsInt64();
        const bool cabe = d.escala == 0 && (d.tipo == SQL_INT64 ||
                                            (d.tipo == SQL_LONG && x >= INT32_MIN && x <= INT32_MAX) ||
                                            (d.tipo == SQL_SHORT && x >= INT16_MIN && x <= INT16_MAX));
        if (!cabe) f = {SQL_INT64, 8, 0, 0, 0};
        break;
      }
      case TTipoValor::Real:
        if (d.tipo != SQL_DOUBLE) f = {SQL_DOUBLE, 8, 0, 0, 0};
        break;
      case TTipoValor::FechaHora:
        if (d.tipo != SQL_TIMESTAMP) f = {SQL_TIMESTAMP, 8, 0, 0, 0};
        break;
      case TTipoValor::Texto: {
        textos_[i] = v.AsString().toUtf8();
        const unsigned bytes = static_cast<unsigned>(textos_[i].size());
        // A text for a blob travels inside the message, as a string the
        // server turns into the blob itself: writing the blob from here
        // costs two round trips more over a server (create, then close).
        // Only one too long for a string is written as a blob from here.
        if (d.tipo == SQL_BLOB && bytes > 32765) break;
        if (d.tipo == SQL_VARYING && (d.charset == kCsUtf8 || d.charset == 3) && bytes <= d.longitud) break;
        unsigned len = std::max((bytes + 31u) & ~31u, 32u);
        if (d.tipo == SQL_TEXT || d.tipo == SQL_VARYING) len = std::max(len, d.longitud);
        if (bytes > 32765)
          ibx::Error_Cliente(QStringLiteral("El texto del parámetro %1 es demasiado largo.").arg(i + 1));
        f = {SQL_VARYING, std::min(len, 32765u), 0, kCsUtf8, 0};
        break;
      }
    }
    comoDescrita = comoDescrita && f == d;
  }

  if (!meta_ || forma != forma_) {
    Liberar();
    if (comoDescrita) {
      descrita->addRef();
      meta_ = descrita;
    } else {
      Firebird::IMetadataBuilder* b = descrita->getBuilder(&st);
      try {
        for (unsigned i = 0; i < n; ++i) {
          b->setType(&st, i, forma[i].tipo | 1u);
          b->setSubType(&st, i, forma[i].subtipo);
          b->setLength(&st, i, forma[i].longitud);
          b->setCharSet(&st, i, forma[i].charset);
          b->setScale(&st, i, forma[i].escala);
        }
        meta_ = b->getMetadata(&st);
      } catch (...) {
        b->release();
        throw;
      }
      b->release();
    }
    forma_ = forma;
    offsets_.resize(n);
    offsetsNulo_.resize(n);
    for (unsigned i = 0; i < n; ++i) {
      offsets_[i] = meta_->getOffset(&st, i);
      offsetsNulo_[i] = meta_->getNullOffset(&st, i);
    }
    buffer_.assign(meta_->getMessageLength(&st), 0);
  }

  for (unsigned i = 0; i < n; ++i) {
    unsigned char* p = buffer_.data() + offsets_[i];
    const TValor& v = *valores[i];
    Escribir<short>(buffer_.data() + offsetsNulo_[i], v.IsNull() ? -1 : 0);
    switch (forma_[i].tipo) {
      case SQL_SHORT: if (!v.IsNull()) Escribir<short>(p, static_cast<short>(v.AsInt64())); break;
      case SQL_LONG: if (!v.IsNull()) Escribir<int>(p, static_cast<int>(v.AsInt64())); break;
      case SQL_INT64: if (!v.IsNull()) Escribir<qint64>(p, v.AsInt64()); break;
      case SQL_DOUBLE: if (!v.IsNull()) Escribir<double>(p, v.AsFloat()); break;
      case SQL_TIMESTAMP:
        if (!v.IsNull()) {
          ISC_TIMESTAMP ts;
          unsigned hora;
          fechas::A_Firebird(v.AsDateTime(), ts.timestamp_date, hora);
          ts.timestamp_time = hora;
          Escribir(p, ts);
        }
        break;
      case SQL_VARYING:
        if (!v.IsNull()) {
          const QByteArray& t = textos_[i];
          Escribir<short>(p, static_cast<short>(t.size()));
          std::memcpy(p + 2, t.constData(), t.size());
        }
        break;
      case SQL_BLOB:
        if (!v.IsNull()) {
          ISC_QUAD id{};
          Firebird::IBlob* blob = att->createBlob(&st, tra, &id, 0, nullptr);
          try {
            const QByteArray& t = textos_[i];
            for (int hecho = 0; hecho < t.size();) {
              const int trozo = std::min<int>(32000, t.size() - hecho);
              blob->putSegment(&st, static_cast<unsigned>(trozo), t.constData() + hecho);
              hecho += trozo;
            }
            blob->close(&st);
          } catch (...) {
            blob->release();
            throw;
          }
          Escribir(p, id);
        }
        break;
      default:
        break;  // a NULL in a declared type of its own
    }
  }
}
