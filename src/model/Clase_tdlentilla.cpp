#include "Clase_tdlentilla.h"

#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>

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

int TDLentilla::Insertar() {
  try {
    TSentencia s(*this, 1, Catalogo()[sql::kInsertarLineaFicha] + QStringLiteral(" returning ID_DLENTILLA"));
    TIBQuery& q = s.Consulta();
    q.ParamByName(QStringLiteral("ID_MLENTILLA")).AsInteger(static_cast<qint64>(idFicha_));
    q.ParamByName(QStringLiteral("OJO")).AsInteger(ojo_);
    q.ParamByName(QStringLiteral("REFERENCIA")).AsString(referencia_.isEmpty() ? QStringLiteral("0") : referencia_);
    q.ParamByName(QStringLiteral("DESCRIPCION")).AsString(descripcion_);
    q.ParamByName(QStringLiteral("MODELO")).AsString(modelo_);
    q.ParamByName(QStringLiteral("RADIO_1")).AsString(radio1_);
    q.ParamByName(QStringLiteral("RADIO_2")).AsString(radio2_);
    q.ParamByName(QStringLiteral("COLOR")).AsString(color_);
    q.ParamByName(QStringLiteral("ID_TLENTILLA")).AsInteger(static_cast<qint64>(idTipo_));
    q.ParamByName(QStringLiteral("DIAMETRO")).AsFloat(diametro_);
    // Both currencies through the screen's converter: M2 = amount × CONVERSION.
    double m1 = importe_, m2 = 0;
    if (moneda_) {
      moneda_->Fijar_Importe(importe_);
      m1 = moneda_->Importe();
      m2 = moneda_->Conversion();
    }
    q.ParamByName(QStringLiteral("IMPORTE_M1")).AsFloat(m1);
    q.ParamByName(QStringLiteral("IMPORTE_M2")).AsFloat(m2);
    q.ParamByName(QStringLiteral("FECHA_GARANTIA")).AsDateTime(fechaGarantia_);
    q.ParamByName(QStringLiteral("LOTE")).AsString(lote_);
    // The insert gives back the line's key: no round trip of its own.
    const int r = s.Ejecutar();
    if (r != 0) return -1;
    idLinea_ = q.Fields(0).AsFloat();
    s.Cerrar();
    return 0;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TDLentilla::Poner_Unidades(int derecho, int izquierdo) {
  if (derecho <= 0 && izquierdo <= 0) return 0;
  try {
    TSentencia s(*this, 1,
                 QStringLiteral("update DLENTILLA set UNIDADES = iif(OJO = 1, :OD, :OI) where ID_MLENTILLA = "
                                ":ID_MLENTILLA"));
    s.Parametro(QStringLiteral("OD")).AsInteger(std::max(derecho, 0));
    s.Parametro(QStringLiteral("OI")).AsInteger(std::max(izquierdo, 0));
    s.Parametro(QStringLiteral("ID_MLENTILLA")).AsFloat(idFicha_);
    return s.Ejecutar() == 0 ? 0 : -1;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TDLentilla::Poner_Caducidad_Caja(double derecho, double izquierdo) {
  if (derecho <= 0 && izquierdo <= 0) return 0;
  try {
    TSentencia s(*this, 1,
                 QStringLiteral("update DLENTILLA set CADUCIDAD_CAJA = iif(OJO = 1, :OD, :OI) where ID_MLENTILLA = "
                                ":ID_MLENTILLA"));
    // A zero date is no date: the eye without a known box keeps none.
    if (derecho > 0) s.Parametro(QStringLiteral("OD")).AsDateTime(derecho);
    else s.Parametro(QStringLiteral("OD")).Clear();
    if (izquierdo > 0) s.Parametro(QStringLiteral("OI")).AsDateTime(izquierdo);
    else s.Parametro(QStringLiteral("OI")).Clear();
    s.Parametro(QStringLiteral("ID_MLENTILLA")).AsFloat(idFicha_);
    return s.Ejecutar() == 0 ? 0 : -1;
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
    TSentencia s(*this, 1,
                 QStringLiteral("Select ID_DLENTILLA, OJO, REFERENCIA, DESCRIPCION, ID_TLENTILLA, MODELO, DIAMETRO, "
                                "RADIO_1, RADIO_2, COLOR, IMPORTE_M1, IMPORTE_M2, FECHA_GARANTIA, LOTE, UNIDADES, "
                                "CADUCIDAD_CAJA from DLENTILLA where ID_MLENTILLA = :ID_MLENTILLA order by ID_DLENTILLA"));
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
