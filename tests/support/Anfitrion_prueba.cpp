#include "Anfitrion_prueba.h"

#include "Ibx_query.h"
#include "Util_fechas.h"

int TMensajesGuion::Mostrar(const QString& texto, const QString& titulo, int flags) {
  cajas.push_back({texto, titulo, flags});
  if (!respuestas.empty()) {
    const int r = respuestas.front();
    respuestas.pop_front();
    return r;
  }
  const int botones = flags & 0x0F;
  return botones == mb::OK ? mb::IDOK : mb::IDCANCEL;
}

TAnfitrionPrueba::TAnfitrionPrueba() : bd(std::make_unique<TBaseDatosPrueba>()) {
  principal = bd->Conectar();
  secundaria = bd->Conectar();
  consulta = bd->Conectar();
  Ejecutar_SQL(*principal, "insert into USUARIO (ID_USUARIO, NOMBRE_USUARIO, PUEDE_MODIFICAR) values (1, 'Carmen Ruiz', 1)");
  Ejecutar_SQL(*principal, "insert into USUARIO (ID_USUARIO, NOMBRE_USUARIO, PUEDE_MODIFICAR) values (2, 'Javier Gómez', 0)");
  Ejecutar_SQL(*principal,
               "insert into PACIENTE (ID_PACIENTE, CODIGO, NOMBRE, APELLIDOS, NOMBRE_COMPLETO) "
               "values (7, 1007, 'Marta', 'Álvarez Gil', 'Marta Álvarez Gil')");
  Preparar_Contexto();
}

TAnfitrionPrueba::TAnfitrionPrueba(const QString& base) {
  principal = Conectar_Base(base);
  secundaria = Conectar_Base(base);
  consulta = Conectar_Base(base);
  Preparar_Contexto();
}

void TAnfitrionPrueba::Preparar_Contexto() {
  aplicacion.servicio = &mensajes;
  transaccion.DefaultDatabase = principal.get();
  transaccion.Params = QStringList{"read_committed", "rec_version", "nowait"};
  puesto.fechaTrabajo = fechas::Codificar(2026, 12, 5);
  puesto.idTienda = 1;
  empresa.nombre = "Óptica Miravel, S.L.";
  usuario.idUsuario = 1;
  usuario.puedeModificar = 1;
  acceso = std::make_unique<TBDAcceso>(&aplicacion, secundaria.get(), principal.get());
  acceso->Fecha_Trabajo = puesto.fechaTrabajo;

  ctx.aplicacion = &aplicacion;
  ctx.conexionPrincipal = principal.get();
  ctx.conexionSecundaria = secundaria.get();
  ctx.transaccion = &transaccion;
  ctx.puesto = &puesto;
  ctx.empresa = &empresa;
  ctx.usuario = &usuario;
  ctx.acceso = acceso.get();
  ctx.teclado = &teclado;
  ctx.textoNumerico = &textoNumerico;
  ctx.seleccion.textoPaciente = "Marta Álvarez Gil";
  ctx.seleccion.idPaciente = 7;
}

TAnfitrionPrueba::~TAnfitrionPrueba() { acceso.reset(); }

QStringList TAnfitrionPrueba::Filas_Acceso() {
  QStringList filas;
  TSentenciaPrueba s(*consulta, "select ID_OPCION, OPERACION_TIP from ACCESO order by ID_ACCESO");
  s.q.Open();
  for (; !s.q.Eof(); s.q.Next())
    filas << QString("%1/%2").arg(s.q.Fields(0).AsInteger()).arg(s.q.Fields(1).AsInteger());
  s.t.Commit();
  return filas;
}

TCambioAjeno::TCambioAjeno(TIBDatabase& otraConexion, const QString& actualizacion)
    : sentencia_(otraConexion, actualizacion, {"read_committed", "rec_version", "nowait"}) {
  sentencia_.q.ExecSQL();
}
