#include "Clase_tagente.h"

#include <cmath>

#include "Contexto_host.h"
#include "Util_locale.h"

TAgente::TAgente(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TPersona(owner, conexionA, conexionB), fagente_(std::make_unique<TFAgente>(owner, conexionA, conexionB)) {
  TAgente::Limpiar();
}

TAgente::~TAgente() = default;

void TAgente::Limpiar() {
  TPersona::Limpiar();
  Localidad().Limpiar();
  comisionPorcentaje_ = 0;
  comisionTipo_ = 0;
  ayuda_.clear();
}

int TAgente::Buscar_Por_Id(int filtroBorrado) { return Buscar(ID(), -1, filtroBorrado); }

int TAgente::Buscar_Por_Codigo(int filtroBorrado) { return Buscar(-1, CODIGO(), filtroBorrado); }

int TAgente::Buscar(double id, double codigo, int filtroBorrado) {
  TSentencia s(*this, 6, QStringLiteral("BUSCAR_AGENTE"));
  s.Parametro(QStringLiteral("ORG_ID_AGENTE")).AsFloat(id);
  s.Parametro(QStringLiteral("ORG_CODIGO")).AsFloat(codigo);
  s.Parametro(QStringLiteral("ORG_BORRADO")).AsInteger(filtroBorrado);
  s.Ejecutar();
  const auto res = [&](const char* nombre) -> TParam& { return s.Parametro(QLatin1String(nombre)); };
  if (res("RES_RESULTADO").AsInteger() <= 0) {
    s.Cerrar();
    return Fin(kNoEncontrado);
  }
  if (id == -1) ID(res("RES_ID_AGENTE").AsFloat());
  CODIGO(res("RES_CODIGO").AsFloat());
  NOMBRE(res("RES_NOMBRE").AsString());
  APELLIDOS(res("RES_APELLIDOS").AsString());
  DIRECCION(res("RES_DIRECCION").AsString());
  const int32_t idLocalidad = res("RES_ID_LOCALIDAD").IsNull() ? -1 : res("RES_ID_LOCALIDAD").AsInteger();
  NIF(res("RES_NIF").AsString());
  EMAIL(res("RES_E_MAIL").AsString());
  COMISION_TIPO(res("RES_COMISION_TIPO").AsInteger());
  COMISION_PORCENTAJE(res("RES_COMISION_PORCENTAJE").AsFloat());
  TELEFONO(res("RES_TELEFONO").AsString());
  TELEFONO_MOVIL(res("RES_TELEFONO_MOVIL").AsString());
  WEB(res("RES_WEB").AsString());
  BORRADO(res("RES_BORRADO").AsInteger());
  s.Cerrar();

  // A key whose town row is missing is kept: the lookup leaves it as set.
  Localidad().Limpiar();
  Localidad().ID_LOCALIDAD(idLocalidad);
  if (idLocalidad != -1) Localidad().Buscar(0, idLocalidad);
  return Fin(0);
}

int TAgente::Insertar() {
  if (CODIGO() <= 0 || CODIGO() > 99999) {
    if (auto* aplicacion = Aplicacion())
      aplicacion->MessageBox(QStringLiteral("El código introducido no es valido, debe ser un código Numérico"),
                             QStringLiteral("AVISO"), mb::OK | mb::ICONSTOP);
    return Fin(kCodigoNoValido);
  }

  TSentencia s(*this, 1, sql::kInsertarAgente);
  TIBQuery& q = s.Consulta();
  q.ParamByName(QStringLiteral("CODIGO")).AsInteger(static_cast<qint64>(CODIGO()));
  q.ParamByName(QStringLiteral("NOMBRE")).AsString(NOMBRE());
  q.ParamByName(QStringLiteral("APELLIDOS")).AsString(APELLIDOS());
  q.ParamByName(QStringLiteral("DIRECCION")).AsString(DIRECCION());
  q.ParamByName(QStringLiteral("ID_LOCALIDAD")).AsInteger(Localidad().ID_LOCALIDAD());
  q.ParamByName(QStringLiteral("NIF")).AsString(NIF());
  q.ParamByName(QStringLiteral("E_MAIL")).AsString(EMAIL());
  q.ParamByName(QStringLiteral("COMISION_TIPO")).AsInteger(COMISION_TIPO());
  q.ParamByName(QStringLiteral("COMISION_PORCENTAJE")).AsFloat(COMISION_PORCENTAJE());
  q.ParamByName(QStringLiteral("TELEFONO")).AsString(TELEFONO());
  q.ParamByName(QStringLiteral("TELEFONO_MOVIL")).AsString(TELEFONO_MOVIL());
  q.ParamByName(QStringLiteral("WEB")).AsString(WEB());
  q.ParamByName(QStringLiteral("BORRADO")).AsInteger(BORRADO());
  const int r = s.Ejecutar();
  s.Cerrar();
  if (r != 0) return Fin(kErrorBaseDatos);

  // The key is kept per connection by the insert trigger: channel 6 runs on
  // the connection of channel 1.
  TSentencia clave(*this, 6, QStringLiteral("ID_AGENTE"));
  clave.Ejecutar();
  ID(clave.Parametro(QStringLiteral("ID")).AsFloat());
  return Fin(0);
}

int32_t TAgente::Siguiente_Codigo(int32_t borrado) {
  TSentencia s(*this, 1, sql::kUltimoCodigoAgente);
  s.Parametro(QStringLiteral("BORRADO")).AsInteger(borrado);
  double ultimo = 0;  // Max of no rows is NULL, read as 0
  if (s.Ejecutar() == 0) ultimo = s.Campo(QStringLiteral("ULTIMO")).AsFloat();
  return static_cast<int32_t>(std::trunc(ultimo + 1));
}

int TAgente::Cargar_Lista(int filtroBorrado) {
  // 2 lists every agent, deleted or not.
  TSentencia s(*this, 1, filtroBorrado == 2 ? sql::kListaAgentes : sql::kListaAgentesPorBorrado);
  if (filtroBorrado != 2) s.Parametro(QStringLiteral("BORRADO")).AsInteger(filtroBorrado);
  nombres_.clear();
  ids_.clear();
  codigos_.clear();
  if (s.Ejecutar() == 0) {
    for (TIBQuery& q = s.Consulta(); !q.Eof(); q.Next()) {
      nombres_.append(q.FieldByName(QStringLiteral("NOMBRE")).AsString() + QLatin1Char(' ') +
                      q.FieldByName(QStringLiteral("APELLIDOS")).AsString());
      ids_.append(QString::number(q.FieldByName(QStringLiteral("ID_AGENTE")).AsInteger()));
      codigos_.append(QString::number(q.FieldByName(QStringLiteral("CODIGO")).AsInteger()));
    }
  }
  return Fin(0);
}

const QString& TAgente::Texto_Agente() {
  const QString tipo = COMISION_TIPO() == kComisionFija       ? QStringLiteral("Tipo Comisión: COMISIÓN FIJA\n")
                       : COMISION_TIPO() == kComisionVariable ? QStringLiteral("Tipo Comisión: COMISIÓN VARIABLE\n")
                                                              : QStringLiteral("Tipo Comisión: COMISIÓN POR FAMILIA\n");
  const TLocalidad& loc = Localidad();
  ayuda_ = QStringLiteral("Código: ") + locale_es::Float_A_Texto(CODIGO()) + QLatin1Char('\n') +
           QStringLiteral("Nombre: ") + NOMBRE() + QLatin1Char(' ') + APELLIDOS() + QLatin1Char('\n') + tipo +
           QStringLiteral("Porcentaje de Comisión: ") + locale_es::Float_A_Texto(COMISION_PORCENTAJE()) +
           QStringLiteral(" %\n\n") + DIRECCION() + QLatin1Char('\n') +
           locale_es::Float_A_Texto(loc.CODIGO_POSTAL()) + QStringLiteral(" - ") + loc.DESCRIPCION() +
           QLatin1Char('(') + loc.Provincia().DESCRIPCION() + QStringLiteral(")\n") + NIF() + QLatin1Char('\n') +
           EMAIL() + QLatin1Char('\n') + TELEFONO() + QLatin1Char('\n') + TELEFONO_MOVIL();
  return ayuda_;
}
