#include "Clase_tbdacceso.h"

#include <cmath>

#include "Contexto_host.h"
#include "Util_fechas.h"

namespace {
// The statement is assembled from its pieces, column list and parameters.
const QString& Sentencia_Insercion() {
  static const QString sql = [] {
    const QString columnas =
        QStringLiteral("(ID_USUARIO, ID_OPCION, ID_OPERACION, ID_TIENDA, FECHA_SISTEMA, FECHA_PROGRAMA, "
                       "USUARIO_NOM, OPCION_NOM, ") +
        QStringLiteral("OPERACION_COD, OPERACION_DET, OPERACION_IMP, OPERACION_TIP, OPERACION_ENT, "
                       "OPERACION_FECHA) ");
    QString parametros = columnas;
    parametros.replace(QLatin1String("("), QLatin1String("(:")).replace(QLatin1String(", "), QLatin1String(", :"));
    return QStringLiteral("insert into ACCESO ") + columnas + QStringLiteral("values ") + parametros.trimmed();
  }();
  return sql;
}

int32_t Truncar(double v) { return static_cast<int32_t>(std::trunc(v)); }
}  // namespace

TBDAcceso::TBDAcceso(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : base_(owner, conexionA, conexionB) {
  // A row of the log outside a save is one round trip: the server commits it
  // as it is written.
  base_.Autoconfirmar(1);
}

QString TBDAcceso::Nombre_Opcion(int opcion) {
  switch (opcion) {
    case kOpcionLentillas: return QStringLiteral("Mantenimiento de lentillas");
    case kOpcionVentaDirecta: return QStringLiteral("Venta directa");
    case kOpcionEncargos: return QStringLiteral("Mantenimiento de encargos");
    case kOpcionArticulos: return QStringLiteral("Artículos");
    default: return {};
  }
}

QString TBDAcceso::Buscar_Nombre_Usuario(int32_t idUsuario) {
  QString nombre;
  try {
    base_.Preparar(0, QStringLiteral("select NOMBRE_USUARIO from USUARIO where ID_USUARIO = :ID"));
    base_.Consulta(0).ParamByName(QStringLiteral("ID")).AsInteger(idUsuario);
    if (base_.Ejecutar(0) == 0) nombre = base_.Consulta(0).FieldByName(QStringLiteral("NOMBRE_USUARIO")).AsString();
    base_.Cerrar(0);
  } catch (const EIBError&) {
    // The row still goes in, under the name of an unknown user.
    try {
      base_.Cerrar(0);
    } catch (const EIBError&) {
    }
  }
  return nombre.isEmpty() ? QStringLiteral("Desconocido") : nombre;
}

// The user's name is read once per user: every row of the log repeats it, and
// over a server each read is a round trip.
void TBDAcceso::Usuario_Y_Tienda(const THostContext& ctx) {
  Id_Usuario = ctx.usuario ? Truncar(ctx.usuario->idUsuario) : -1;
  if (!nombreLeido_ || idNombreLeido_ != Id_Usuario) {
    nombreUsuarioLeido_ = Buscar_Nombre_Usuario(Id_Usuario);
    nombreLeido_ = nombreUsuarioLeido_ != QLatin1String("Desconocido");  // a failed read is tried again
    idNombreLeido_ = Id_Usuario;
  }
  Nombre_Usuario = nombreUsuarioLeido_;
  Id_Tienda = ctx.puesto ? ctx.puesto->idTienda : -1;
}

int TBDAcceso::Registrar_General(const THostContext& ctx, int opcion, int tipo) {
  Usuario_Y_Tienda(ctx);
  Id_Opcion = opcion;
  Nombre_Opcion_Texto = Nombre_Opcion(opcion);
  Id_Operacion = -1;
  Codigo_Operacion.clear();
  Detalle_Operacion.clear();
  Entidad = 0;
  Tipo_Operacion = tipo;
  Fecha_Sistema = fechas::Ahora();
  Fecha_Programa = std::trunc(Fecha_Trabajo) + fechas::Hora_Actual();
  Importe_Operacion = 0;
  Fecha_Operacion = 0;
  return Insertar();
}

int TBDAcceso::Registrar_Entrada_Salida(const THostContext& ctx, int tipo) {
  return Registrar_General(ctx, kOpcionLentillas, tipo);
}

int TBDAcceso::Registrar_Modulo(const THostContext& ctx, int opcion) { return Registrar_General(ctx, opcion, 0); }

void TBDAcceso::Datos_Ficha(const THostContext& ctx, int opcion, int tipo, double idFicha, int numeroFicha,
                            double fecha) {
  Usuario_Y_Tienda(ctx);
  Id_Opcion = opcion;
  Nombre_Opcion_Texto = Nombre_Opcion(opcion);
  Id_Operacion = Truncar(idFicha);
  Codigo_Operacion = QString::number(numeroFicha);
  Entidad = kEntidadFicha;
  Importe_Operacion = 0;
  Tipo_Operacion = tipo;
  Fecha_Sistema = fechas::Ahora();
  Fecha_Programa = ctx.puesto ? ctx.puesto->fechaTrabajo : 0;
  Fecha_Operacion = fecha;
}

int TBDAcceso::Registrar_Ficha(const THostContext& ctx, int tipo, double idFicha, int numeroFicha,
                               double fechaFicha) {
  static const char* const kDetalles[] = {
      "Se consulta la ficha de lentillas: ", "Se crea la ficha de lentillas: ",
      "Se modifica la ficha de lentillas: ", "Se borra la ficha de lentillas: ",
      "Se imprime la ficha de lentillas: "};
  Datos_Ficha(ctx, kOpcionLentillas, tipo, idFicha, numeroFicha, fechaFicha);
  const QString prefijo =
      tipo >= kConsulta && tipo <= kImpresion ? QString::fromUtf8(kDetalles[tipo - kConsulta]) : QString();
  Detalle_Operacion = prefijo + QString::number(numeroFicha) + QStringLiteral(" - ") + ctx.seleccion.textoPaciente;
  return Insertar();
}

int TBDAcceso::Registrar_Caducidad(const THostContext& ctx, int opcion, double idFicha, int numeroFicha,
                                   double fechaCaducidad) {
  Datos_Ficha(ctx, opcion, kGraduacionCaducada, idFicha, numeroFicha, fechaCaducidad);
  Detalle_Operacion = (opcion == kOpcionEncargos ? QStringLiteral("Se encarga") : QStringLiteral("Se vende")) +
                      QStringLiteral(" con la graduación caducada el ") + fechas::Fecha_A_Texto(fechaCaducidad) +
                      QStringLiteral(" de la ficha de lentillas: ") + QString::number(numeroFicha) +
                      QStringLiteral(" - ") + ctx.seleccion.textoPaciente;
  return Insertar();
}

int TBDAcceso::Validar() const {
  if (Id_Opcion == -1) return -24700;
  if (Id_Usuario == -1) return -24701;
  if (Tipo_Operacion < 0 || Tipo_Operacion > 11) return -24703;
  if (Nombre_Usuario.isEmpty()) return -24705;
  if (Nombre_Opcion_Texto.isEmpty()) return -24704;
  if (Fecha_Sistema <= 0) return -24707;
  if (Fecha_Programa <= 0) return -24708;
  return 0;
}

int TBDAcceso::Insertar() {
  const int valido = Validar();
  if (valido != 0) return valido;
  try {
    base_.Preparar(1, Sentencia_Insercion());
    TIBQuery& q = base_.Consulta(1);
    q.ParamByName(QStringLiteral("ID_USUARIO")).AsInteger(Id_Usuario);
    q.ParamByName(QStringLiteral("ID_OPCION")).AsInteger(Id_Opcion);
    q.ParamByName(QStringLiteral("ID_OPERACION")).AsInteger(Id_Operacion);
    q.ParamByName(QStringLiteral("ID_TIENDA")).AsInteger(Id_Tienda);
    q.ParamByName(QStringLiteral("FECHA_SISTEMA")).AsDateTime(Fecha_Sistema);
    q.ParamByName(QStringLiteral("FECHA_PROGRAMA")).AsDateTime(Fecha_Programa);
    q.ParamByName(QStringLiteral("USUARIO_NOM")).AsString(Nombre_Usuario);
    q.ParamByName(QStringLiteral("OPCION_NOM")).AsString(Nombre_Opcion_Texto);
    q.ParamByName(QStringLiteral("OPERACION_COD")).AsString(Codigo_Operacion);
    q.ParamByName(QStringLiteral("OPERACION_DET")).AsString(Detalle_Operacion);
    q.ParamByName(QStringLiteral("OPERACION_IMP")).AsFloat(Importe_Operacion);
    q.ParamByName(QStringLiteral("OPERACION_TIP")).AsInteger(Tipo_Operacion);
    q.ParamByName(QStringLiteral("OPERACION_ENT")).AsInteger(Entidad);
    q.ParamByName(QStringLiteral("OPERACION_FECHA")).AsDateTime(Fecha_Operacion);
    const int r = base_.Ejecutar(1);
    base_.Cerrar(1);
    // Every row is committed already; the transaction that carried them is
    // ended now and then, so that it never holds back the engine's clean-up.
    TIBTransaction& t = base_.Transaccion(1);
    if (t.InTransaction() && (!abierta_.isValid() || abierta_.hasExpired(kVidaTransaccionMs))) {
      if (abierta_.isValid()) t.Commit();
      abierta_.start();
    }
    return r == 0 ? 0 : -1;
  } catch (const EIBError&) {
    try {
      base_.Cerrar(1);
    } catch (const EIBError&) {
    }
    return -1;
  }
}
