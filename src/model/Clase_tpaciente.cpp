#include "Clase_tpaciente.h"

#include <cmath>

#include "Util_fechas.h"

TPaciente::TPaciente(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TPersona(owner, conexionA, conexionB) {
  TPaciente::Limpiar();
}

void TPaciente::Limpiar() {
  TPersona::Limpiar();
  fechaNacimiento_ = fechaPrimeraVisita_ = fechaUltimaVisita_ = fechaCarnet_ = 0;
  profesion_.clear();
  vienePor_.clear();
  nombreCompleto_.clear();
  fotografia_.clear();
  ultimoDescuento_ = totalM1_ = totalM2_ = licencia_ = 0;
  tienda_ = -1;
  sexo_ = edad_ = correo_ = 0;
  informacion_.clear();
}

int TPaciente::Buscar(int filtroBorrado) {
  TSentencia s(*this, 6, QStringLiteral("BUSCAR_PACIENTE"));
  s.Parametro(QStringLiteral("ORG_ID")).AsFloat(ID());
  s.Parametro(QStringLiteral("ORG_CODIGO")).AsFloat(-1);
  s.Parametro(QStringLiteral("ORG_APELLIDOS")).AsString(QString());
  s.Parametro(QStringLiteral("ORG_BORRADO")).AsInteger(filtroBorrado);
  s.Ejecutar();
  const auto res = [&](const char* nombre) -> TParam& { return s.Parametro(QLatin1String(nombre)); };
  if (res("RES_RESULTADO").AsInteger() <= 0) {
    s.Cerrar();
    ID(-1);
    CODIGO(-1);
    APELLIDOS(QString());
    return -5;
  }
  ID(res("RES_ID").AsFloat());
  CODIGO(res("RES_CODIGO").AsFloat());
  APELLIDOS(res("RES_APELLIDOS").AsString());
  NOMBRE(res("RES_NOMBRE").AsString());
  nombreCompleto_ = res("RES_NOMBRE_COMPLETO").AsString();
  BORRADO(res("RES_BORRADO").AsInteger());
  DIRECCION(res("RES_DIRECCION").AsString());
  const int idLocalidad = res("RES_ID_LOCALIDAD").IsNull() ? -1 : res("RES_ID_LOCALIDAD").AsInteger();
  NIF(res("RES_NIF").AsString());
  TELEFONO(res("RES_TELEFONO").AsString());
  TELEFONO_MOVIL(res("RES_TELEFONO_MOVIL").AsString());
  profesion_ = res("RES_PROFESION").AsString();
  vienePor_ = res("RES_VIENE_POR").AsString();
  sexo_ = res("RES_SEXO").AsInteger();
  fechaNacimiento_ = res("RES_FECHA_NACIMIENTO").AsDateTime();
  fechaPrimeraVisita_ = res("RES_FECHA_PRIMERA_VISITA").AsDateTime();
  fechaUltimaVisita_ = res("RES_FECHA_ULTIMA_VISITA").AsDateTime();
  fechaCarnet_ = res("RES_FECHA_CARNET").AsDateTime();
  Calcular_Edad();
  ultimoDescuento_ = res("RES_ULTIMO_DESCUENTO").AsFloat();
  totalM1_ = res("RES_TOTAL_COMPRADO_M1").AsFloat();
  totalM2_ = res("RES_TOTAL_COMPRADO_M2").AsFloat();
  correo_ = res("RES_CORREO").AsInteger();
  licencia_ = res("RES_LICENCIA").AsFloat();
  tienda_ = res("RES_TIENDA").AsFloat();
  fotografia_ = res("RES_FOTOGRAFIA").AsString();
  EMAIL(res("RES_EMAIL").AsString());
  WEB(res("RES_WEB").AsString());
  s.Cerrar();

  Localidad().Limpiar();
  if (idLocalidad != -1) Localidad().Buscar(0, idLocalidad);
  Cargar_Observaciones();
  Construir_Informacion();
  return 0;
}

void TPaciente::Calcular_Edad() {
  const double nacimiento = std::trunc(fechaNacimiento_);
  edad_ = nacimiento == 0 ? 0 : static_cast<int32_t>(std::trunc((fechas::Hoy() - nacimiento) / 365.25));
}

void TPaciente::Texto_Sexo(int sexo, QString& texto) {
  texto = sexo == 1 ? QStringLiteral("Hombre") : sexo == 2 ? QStringLiteral("Mujer") : QString();
}

QString TPaciente::Texto_Sexo(int sexo) {
  QString t;
  Texto_Sexo(sexo, t);
  return t;
}

void TPaciente::Cargar_Observaciones() {
  TSentencia s(*this, 1, sql::kLeerObservacionesPaciente);
  s.Parametro(QStringLiteral("ID_PACIENTE")).AsInteger(static_cast<int>(ID()));
  Observaciones().clear();
  if (s.Ejecutar() == 0) {
    ID_OBSERVACIONES(s.Campo(QStringLiteral("ID_POBSERVACIONES")).AsFloat());
    Observaciones() = s.Campo(QStringLiteral("OBSERVACIONES")).AsString().split(QLatin1Char('\n'));
  } else {
    ID_OBSERVACIONES(0);
    Observaciones() = QStringList{QString()};
  }
}

void TPaciente::Construir_Informacion() {
  const TLocalidad& loc = Localidad();
  informacion_ = QStringLiteral("DATOS DEL PACIENTE\n") + QStringLiteral("---------------------------\n") +
                 QStringLiteral("NOMBRE: ") + NOMBRE() + QLatin1Char(' ') + APELLIDOS() + QLatin1Char('\n') +
                 QStringLiteral("DIRECCIÓN: ") + DIRECCION() + QLatin1Char('\n') + QStringLiteral("C. POSTAL: ") +
                 QString::number(loc.CODIGO_POSTAL()) + QLatin1Char('\n') + QStringLiteral("LOCALIDAD: ") +
                 loc.DESCRIPCION() + QLatin1Char('\n') + QStringLiteral("PROVINCIA: ") +
                 loc.Provincia().DESCRIPCION() + QStringLiteral("\n\n") + QStringLiteral("TELEFONO: ") + TELEFONO() +
                 QLatin1Char('\n') + QStringLiteral("T. MOVIL: ") + TELEFONO_MOVIL() + QLatin1Char('\n') +
                 QStringLiteral("E-MAIL: ") + EMAIL();
}

int TPaciente::Fijar_Ultima_Visita(int32_t idPaciente, double fecha) {
  TSentencia s(*this, 1, sql::kActualizarUltimaVisita);
  s.Parametro(QStringLiteral("FECHA_ULTIMA_VISITA")).AsDateTime(fecha);
  s.Parametro(QStringLiteral("ID_PACIENTE")).AsInteger(idPaciente);
  return s.Ejecutar() == 0 ? 0 : -302;
}
