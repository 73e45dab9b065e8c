#include "Clase_ttlentilla.h"

#include "Unidad_trabajo.h"

int TTLentilla::Validar_Tipo() const { return DESCRIPCION().isEmpty() ? kSinDescripcion : 0; }

int TTLentilla::Insertar() {
  const int valido = Validar_Tipo();
  if (valido != 0) return valido;
  try {
    // The type and its period are written whole or not at all.
    TUnidadTrabajo unidad(ConexionB());
    {
      TSentencia s(*this, 1, sql::kInsertarTipoLentilla);
      s.Parametro(QStringLiteral("CODIGO")).AsString(CODIGO());
      s.Parametro(QStringLiteral("DESCRIPCION")).AsString(DESCRIPCION());
      if (s.Ejecutar() != 0) return -1;
    }
    double id = -1;
    {
      TSentencia clave(*this, 6, QStringLiteral("ID_TLENTILLA"));
      clave.Ejecutar();
      id = clave.Parametro(QStringLiteral("ID")).AsFloat();
    }
    if (DIAS_REPOSICION() > 0) {
      TSentencia s(*this, 1,
                   QStringLiteral("update TLENTILLA set DIAS_REPOSICION = :DIAS where ID_TLENTILLA = :ID_TLENTILLA"));
      s.Parametro(QStringLiteral("DIAS")).AsInteger(DIAS_REPOSICION());
      s.Parametro(QStringLiteral("ID_TLENTILLA")).AsFloat(id);
      if (s.Ejecutar() != 0) return -1;
    }
    if (!unidad.Confirmar()) return unidad.Causa() ? Fallo(*unidad.Causa()) : -1;
    ID_TLENTILLA(id);
    return 0;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TTLentilla::Buscar_Por(double clave, const QString& codigo) {
  try {
    TSentencia s(*this, 6, QStringLiteral("BUSCAR_TLENTILLA"));
    s.Parametro(QStringLiteral("ORG_ID_TLENTILLA")).AsFloat(clave);
    s.Parametro(QStringLiteral("ORG_CODIGO")).AsString(codigo);
    s.Parametro(QStringLiteral("ORG_DESCRIPCION")).AsString(QStringLiteral("-1"));
    s.Ejecutar();
    if (s.Parametro(QStringLiteral("RES_RESULTADO")).AsInteger() == 0) return resultado_ = -5;
    ID_TLENTILLA(s.Parametro(QStringLiteral("RES_ID_TLENTILLA")).AsFloat());
    CODIGO(s.Parametro(QStringLiteral("RES_CODIGO")).AsString());
    DESCRIPCION(s.Parametro(QStringLiteral("RES_DESCRIPCION")).AsString());
    return resultado_ = 0;
  } catch (const EIBError& e) {
    return resultado_ = Fallo(e);
  }
}

int TTLentilla::Buscar() { return Buscar_Por(ID_TLENTILLA(), QStringLiteral("-1")); }

int TTLentilla::Buscar_Codigo() { return Buscar_Por(-1, CODIGO()); }

int TTLentilla::Cargar_Tipos() {
  Claves.clear();
  Codigos.clear();
  Descripciones.clear();
  Dias.clear();
  try {
    TSentencia s(*this, 1, sql::kTiposLentilla);
    if (s.Ejecutar() == 0) {
      TIBQuery& q = s.Consulta();
      // A database made before types kept their period has no such column.
      const int dias = q.FieldIndex(QStringLiteral("DIAS_REPOSICION"));
      for (; !q.Eof(); q.Next()) {
        Claves << q.FieldByName(QStringLiteral("ID_TLENTILLA")).AsString();
        Codigos << q.FieldByName(QStringLiteral("CODIGO")).AsString();
        Descripciones << q.FieldByName(QStringLiteral("DESCRIPCION")).AsString();
        Dias << (dias >= 0 ? q.Fields(dias).AsInteger() : 0);
      }
    }
    return 0;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}
