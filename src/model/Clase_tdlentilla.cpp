#include "Clase_tdlentilla.h"

#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>

#include "Ibx_sql.h"
#include "Util_locale.h"

double Fin_Suministro(double fecha, std::span<const TSuministro> lineas) {
  int dias = 0;
  for (const TSuministro& l : lineas) {
    if (l.diasTipo <= 0 || l.unidades <= 0) continue;
    const int duran = l.diasTipo * l.unidades;
    dias = dias == 0 ? duran : std::min(dias, duran);
  }
  return fecha <= 0 || dias == 0 ? 0 : std::floor(fecha) + dias;
}

void TDLentilla::Linea(const TLineaLentilla& l) {
  OJO(l.ojo);
  ID_TLENTILLA(l.idTipo);
  REFERENCIA(l.referencia);
  DESCRIPCION(l.descripcion);
  MODELO(l.modelo);
  RADIO_1(l.radio1);
  RADIO_2(l.radio2);
  DIAMETRO(l.diametro);
  COLOR(l.color);
  IMPORTE(l.importe);
  FECHA_GARANTIA(l.fechaGarantia);
  LOTE(l.lote);
  UNIDADES(l.unidades);
  CADUCIDAD_CAJA(l.caducidadCaja);
}

namespace {
// The block that writes `n` lines: the catalogue's insert once per line, its
// parameters numbered by line (":OJO" becomes ":OJO_0"), each giving back its
// key. The record's key is one input for them all.
QString Bloque_Lineas(const QString& insercion, const QString& borrado, int n, bool borrar, bool unidades,
                      bool cajas) {
  const QStringList kComunes{QStringLiteral("ID_MLENTILLA")};
  QString cabecera = QStringLiteral("EXECUTE BLOCK (ID_MLENTILLA TYPE OF COLUMN DLENTILLA.ID_MLENTILLA = :ID_MLENTILLA");
  QString cuerpo = borrar ? borrado + QStringLiteral(";\n") : QString();
  for (int i = 0; i < n; ++i) {
    QString linea = insercion;
    for (const QString& e : Entradas_Bloque(linea, QStringLiteral("DLENTILLA"), QStringLiteral("_%1").arg(i), kComunes))
      cabecera += QStringLiteral(", ") + e;
    cuerpo += linea + QStringLiteral(" returning ID_DLENTILLA into :ID; SUSPEND;\n");
  }
  for (const auto& [usar, columna] : {std::pair{unidades, "UNIDADES"}, {cajas, "CADUCIDAD_CAJA"}}) {
    if (!usar) continue;
    cabecera += QStringLiteral(", %1_OD TYPE OF COLUMN DLENTILLA.%1 = :%1_OD, %1_OI TYPE OF COLUMN DLENTILLA.%1 = :%1_OI")
                    .arg(QLatin1String(columna));
    cuerpo += QStringLiteral("update DLENTILLA set %1 = iif(OJO = 1, :%1_OD, :%1_OI) where ID_MLENTILLA = :ID_MLENTILLA;\n")
                  .arg(QLatin1String(columna));
  }
  return cabecera + QStringLiteral(") RETURNS (ID TYPE OF COLUMN DLENTILLA.ID_DLENTILLA) AS BEGIN\n") + cuerpo +
         QStringLiteral("END");
}
}  // namespace

int TDLentilla::Grabar_Lineas(const std::vector<TLineaLentilla>& lineas, bool borrarAntes) {
  int unidades[2] = {0, 0};
  double cajas[2] = {0, 0};
  for (const TLineaLentilla& l : lineas)
    if (l.ojo == 1 || l.ojo == 2) {
      unidades[l.ojo - 1] = l.unidades;
      cajas[l.ojo - 1] = l.caducidadCaja;
    }
  const bool conUnidades = unidades[0] > 0 || unidades[1] > 0;
  const bool conCajas = cajas[0] > 0 || cajas[1] > 0;
  if (lineas.empty() && !borrarAntes) return 0;
  try {
    const int n = static_cast<int>(lineas.size());
    TSentencia s(*this, 1,
                 Bloque_Lineas(Catalogo()[sql::kInsertarLineaFicha], Catalogo()[sql::kBorrarLineasFicha], n,
                               borrarAntes, conUnidades, conCajas));
    TIBQuery& q = s.Consulta();
    q.ParamByName(QStringLiteral("ID_MLENTILLA")).AsInteger(static_cast<qint64>(idFicha_));
    for (int i = 0; i < n; ++i) {
      Linea(lineas[static_cast<size_t>(i)]);
      const QString sufijo = QStringLiteral("_%1").arg(i);
      const auto p = [&](const char* nombre) -> TParam& { return q.ParamByName(QLatin1String(nombre) + sufijo); };
      p("OJO").AsInteger(ojo_);
      p("REFERENCIA").AsString(referencia_.isEmpty() ? QStringLiteral("0") : referencia_);
      p("DESCRIPCION").AsString(descripcion_);
      p("MODELO").AsString(modelo_);
      p("RADIO_1").AsString(radio1_);
      p("RADIO_2").AsString(radio2_);
      p("COLOR").AsString(color_);
      p("ID_TLENTILLA").AsInteger(static_cast<qint64>(idTipo_));
      p("DIAMETRO").AsFloat(diametro_);
      // Both currencies through the screen's converter: M2 = amount × CONVERSION.
      double m1 = importe_, m2 = 0;
      if (moneda_) {
        moneda_->Fijar_Importe(importe_);
        m1 = moneda_->Importe();
        m2 = moneda_->Conversion();
      }
      p("IMPORTE_M1").AsFloat(m1);
      p("IMPORTE_M2").AsFloat(m2);
      p("FECHA_GARANTIA").AsDateTime(fechaGarantia_);
      p("LOTE").AsString(lote_);
    }
    if (conUnidades) {
      q.ParamByName(QStringLiteral("UNIDADES_OD")).AsInteger(std::max(unidades[0], 0));
      q.ParamByName(QStringLiteral("UNIDADES_OI")).AsInteger(std::max(unidades[1], 0));
    }
    if (conCajas) {
      // A zero date is no date: the eye without a known box keeps none.
      for (const auto& [nombre, fecha] : {std::pair{"CADUCIDAD_CAJA_OD", cajas[0]}, {"CADUCIDAD_CAJA_OI", cajas[1]}}) {
        TParam& p = q.ParamByName(QLatin1String(nombre));
        if (fecha > 0) p.AsDateTime(fecha);
        else p.Clear();
      }
    }
    if (s.Ejecutar() != 0) return -1;
    int leidas = 0;
    for (q.First(); !q.Eof(); q.Next(), ++leidas) idLinea_ = q.Fields(0).AsFloat();
    s.Cerrar();
    return leidas == n ? 0 : -1;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TDLentilla::Borrar_Lineas() {
  // A record without lines is no failure: the rows are not counted.
  const QScopedValueRollback<bool> sinContar(Contar_Registros, false);
  try {
    TSentencia s(*this, 1, sql::kBorrarLineasFicha);
    s.Parametro(QStringLiteral("ID_MLENTILLA")).AsFloat(idFicha_);
    const int r = s.Ejecutar();
    // A record without lines is not an error.
    return r == 0 || r == TBase::kNingunaFila ? 0 : -1;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TDLentilla::Cargar_Lista_Lineas() {
  lineas_.clear();
  leidas_.clear();
  try {
    if (Leer_Lineas_Enteras()) return 0;
    // A database made before the lines kept their units or box expiry:
    // their keys alone, each line through BUSCAR_DLENTILLA.
    lineas_ = Lista_Claves(sql::kClavesLineasFicha, QStringLiteral("ID_MLENTILLA"), idFicha_);
    return 0;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

bool TDLentilla::Leer_Lineas_Enteras() {
  try {
    // The lines whole, not only their keys: Buscar needs no round trip.
    // Sorted by "ID_DLENTILLA + 0": ordered by the bare key, the engine walks
    // the primary key's index over every line of the shop (2,000 pages and
    // more at 500,000 patients) instead of sorting the record's two.
    TSentencia s(*this, 1,
                 QStringLiteral("Select ID_DLENTILLA, OJO, REFERENCIA, DESCRIPCION, ID_TLENTILLA, MODELO, DIAMETRO, "
                                "RADIO_1, RADIO_2, COLOR, IMPORTE_M1, IMPORTE_M2, FECHA_GARANTIA, LOTE, UNIDADES, "
                                "CADUCIDAD_CAJA from DLENTILLA where ID_MLENTILLA = :ID_MLENTILLA "
                                "order by ID_DLENTILLA + 0"));
    s.Parametro(QStringLiteral("ID_MLENTILLA")).AsFloat(idFicha_);
    if (s.Ejecutar() == 0) {
      TIBQuery& q = s.Consulta();
      for (q.First(); !q.Eof(); q.Next()) {
        const auto c = [&](const char* n) { return q.FieldByName(QLatin1String(n)); };
        const qint64 clave = c("ID_DLENTILLA").AsInteger();
        lineas_ << QString::number(clave);
        TLeida& l = leidas_[clave];
        TLineaLentilla& v = l.linea;
        v.ojo = c("OJO").AsInteger();
        v.referencia = c("REFERENCIA").AsString();
        v.descripcion = c("DESCRIPCION").AsString();
        v.idTipo = c("ID_TLENTILLA").AsInteger();
        v.modelo = c("MODELO").AsString();
        v.diametro = c("DIAMETRO").AsFloat();
        v.radio1 = c("RADIO_1").AsString();
        v.radio2 = c("RADIO_2").AsString();
        v.color = c("COLOR").AsString();
        v.importe = c("IMPORTE_M1").AsFloat();
        l.importeM2 = c("IMPORTE_M2").AsFloat();
        v.fechaGarantia = c("FECHA_GARANTIA").AsDateTime();
        v.lote = c("LOTE").AsString();
        v.unidades = c("UNIDADES").AsInteger();
        v.caducidadCaja = c("CADUCIDAD_CAJA").IsNull() ? 0 : c("CADUCIDAD_CAJA").AsDateTime();
      }
    }
    return true;
  } catch (const EIBError&) {
    lineas_.clear();
    leidas_.clear();
    return false;
  }
}

int TDLentilla::Buscar() {
  if (const auto it = leidas_.constFind(static_cast<qint64>(idLinea_)); it != leidas_.constEnd()) {
    const TLeida l = *it;
    leidas_.erase(it);
    Linea(l.linea);
    IMPORTE_M2(l.importeM2);
    resultado_ = 0;
    return 0;
  }
  try {
    TSentencia s(*this, 6, QStringLiteral("BUSCAR_DLENTILLA"));
    s.Parametro(QStringLiteral("ORG_ID_DLENTILLA")).AsFloat(idLinea_);
    s.Parametro(QStringLiteral("ORG_ID_MLENTILLA")).AsFloat(-1);
    s.Ejecutar();
    resultado_ = 0;
    if (s.Parametro(QStringLiteral("RES_RESULTADO")).AsInteger() > 0) {
      const auto res = [&](const char* n) -> TParam& { return s.Parametro(QLatin1String(n)); };
      OJO(res("RES_OJO").AsInteger());
      REFERENCIA(res("RES_REFERENCIA").AsString());
      DESCRIPCION(res("RES_DESCRIPCION").AsString());
      ID_TLENTILLA(res("RES_ID_TLENTILLA").AsInteger());
      MODELO(res("RES_MODELO").AsString());
      DIAMETRO(res("RES_DIAMETRO").AsFloat());
      RADIO_1(res("RES_RADIO_1").AsString());
      RADIO_2(res("RES_RADIO_2").AsString());
      COLOR(res("RES_COLOR").AsString());
      IMPORTE(res("RES_IMPORTE_M1").AsFloat());
      IMPORTE_M2(res("RES_IMPORTE_M2").AsFloat());
      FECHA_GARANTIA(res("RES_FECHA_GARANTIA").AsDateTime());
      LOTE(res("RES_LOTE").AsString());
      // A database made before lines kept their units has no such output.
      const TParam* unidades = s.Procedimiento().FindParam(QStringLiteral("RES_UNIDADES"));
      UNIDADES(unidades ? unidades->AsInteger() : 0);
      const TParam* caja = s.Procedimiento().FindParam(QStringLiteral("RES_CADUCIDAD_CAJA"));
      CADUCIDAD_CAJA(caja && !caja->IsNull() ? caja->AsDateTime() : 0);
      resultado_ = 0;
    }
    return 0;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

void TDLentilla::Resumen_Detalle() {
  if (!tipo_) tipo_ = std::make_unique<TTLentilla>(Owner(), ConexionA(), ConexionB());
  tipo_->ID_TLENTILLA(idTipo_);
  tipo_->Buscar();
  resumen_ = QStringLiteral("Referencia: ") + referencia_ + QStringLiteral("\r\nDescripcion: ") + descripcion_ +
             QStringLiteral("\r\nTipo: ") + tipo_->DESCRIPCION() + QStringLiteral("\r\nModelo: ") + modelo_ +
             QStringLiteral("\r\nRadio 1: ") + radio1_ + QStringLiteral("\r\nRadio 2: ") + radio2_ +
             QStringLiteral("\r\nDiametro: ") + locale_es::Float_A_Texto(diametro_);
}
