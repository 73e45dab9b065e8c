#include "Clase_ttlentilla.h"

int TTLentilla::Validar_Tipo() const { return DESCRIPCION().isEmpty() ? kSinDescripcion : 0; }

int TTLentilla::Insertar() {
  const int valido = Validar_Tipo();
  if (valido != 0) return valido;
  try {
    Preparar(1, Catalogo()[466]);
    Consulta(1).ParamByName(QStringLiteral("CODIGO")).AsString(CODIGO());
    Consulta(1).ParamByName(QStringLiteral("DESCRIPCION")).AsString(DESCRIPCION());
    const int r = Ejecutar(1);
    Cerrar(1);
    if (r != 0) return -1;
    Preparar(6, QStringLiteral("ID_TLENTILLA"));
    Ejecutar(6);
    ID_TLENTILLA(Procedimiento(6).ParamByName(QStringLiteral("ID")).AsFloat());
    Cerrar(6);
    return 0;
  } catch (...) {
    return -1;
  }
}

int TTLentilla::Buscar_Por(double clave, const QString& codigo) {
  try {
    Preparar(6, QStringLiteral("BUSCAR_TLENTILLA"));
    TIBStoredProc& sp = Procedimiento(6);
    sp.ParamByName(QStringLiteral("ORG_ID_TLENTILLA")).AsFloat(clave);
    sp.ParamByName(QStringLiteral("ORG_CODIGO")).AsString(codigo);
    sp.ParamByName(QStringLiteral("ORG_DESCRIPCION")).AsString(QStringLiteral("-1"));
    Ejecutar(6);
    int r = -5;
    if (sp.ParamByName(QStringLiteral("RES_RESULTADO")).AsInteger() != 0) {
      ID_TLENTILLA(sp.ParamByName(QStringLiteral("RES_ID_TLENTILLA")).AsFloat());
      CODIGO(sp.ParamByName(QStringLiteral("RES_CODIGO")).AsString());
      DESCRIPCION(sp.ParamByName(QStringLiteral("RES_DESCRIPCION")).AsString());
      r = 0;
    }
    Cerrar(6);
    return resultado_ = r;
  } catch (...) {
    return resultado_ = -1;
  }
}

int TTLentilla::Buscar() { return Buscar_Por(ID_TLENTILLA(), QStringLiteral("-1")); }

int TTLentilla::Buscar_Codigo() { return Buscar_Por(-1, CODIGO()); }

int TTLentilla::Cargar_Tipos() {
  Claves.clear();
  Codigos.clear();
  Descripciones.clear();
  try {
    Preparar(1, Catalogo()[469]);
    if (Ejecutar(1) == 0) {
      for (TIBQuery& q = Consulta(1); !q.Eof(); q.Next()) {
        Claves << q.FieldByName(QStringLiteral("ID_TLENTILLA")).AsString();
        Codigos << q.FieldByName(QStringLiteral("CODIGO")).AsString();
        Descripciones << q.FieldByName(QStringLiteral("DESCRIPCION")).AsString();
      }
    }
    Cerrar(1);
    return 0;
  } catch (...) {
    return -1;
  }
}
