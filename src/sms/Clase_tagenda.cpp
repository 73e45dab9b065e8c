#include "Clase_tagenda.h"

#include <QScopedValueRollback>
#include <cmath>

#include "Util_fechas.h"

bool TAgenda::Inicializar() {
  if (!ctx_) {
    if (TAplicacion* app = Aplicacion())
      app->MessageBox(QStringLiteral("Error al inicializar TAgenda.\r\n\nLa propiedad Paso es nula, no se puede "
                                     "inicializar la clase."),
                      QStringLiteral("Error"), mb::OK | mb::ICONSTOP);
    inicializada_ = false;
    return false;
  }
  inicializada_ = true;
  return true;
}

void TAgenda::Prioridad(int v) {
  prioridad_ = v;
  static const char* const kNombres[] = {"Baja", "Normal", "Alta"};
  nombrePrioridad_ = v >= 0 && v <= 2 ? QString::fromLatin1(kNombres[v]) : QString();
}

void TAgenda::Anadir_Contacto(const QString& telefono, const QString& movil, const QString& email) {
  if (!telefono.isEmpty()) observaciones_ << QStringLiteral("Telefono: ") + telefono;
  if (!movil.isEmpty()) observaciones_ << QStringLiteral("Telefono movil: ") + movil;
  if (!email.isEmpty()) observaciones_ << QStringLiteral("e-mail: ") + email;
}

int TAgenda::Insertar() {
  try {
    Preparar(1, Catalogo()[sql::kInsertarAviso]);
    TIBQuery& q = Consulta(1);
    q.ParamByName(QStringLiteral("id_usuario")).AsInteger(idUsuario_);
    q.ParamByName(QStringLiteral("fecha")).AsDateTime(std::trunc(fecha_));
    q.ParamByName(QStringLiteral("hora")).AsDateTime(hora_ - std::trunc(hora_));
    q.ParamByName(QStringLiteral("tipo")).AsInteger(tipo_);
    q.ParamByName(QStringLiteral("persona")).AsString(persona_);
    q.ParamByName(QStringLiteral("avisar")).AsInteger(avisar_);
    q.ParamByName(QStringLiteral("fecha_aviso")).AsDateTime(std::trunc(fechaAviso_));
    q.ParamByName(QStringLiteral("hora_aviso")).AsDateTime(horaAviso_ - std::trunc(horaAviso_));
    q.ParamByName(QStringLiteral("repeticion")).AsInteger(repeticion_);
    q.ParamByName(QStringLiteral("prioridad")).AsInteger(prioridad_);
    q.ParamByName(QStringLiteral("observaciones")).AsMemo(observaciones_.join(QLatin1Char('\n')));
    q.ParamByName(QStringLiteral("tipo_ficha")).AsInteger(tipoFicha_);
    q.ParamByName(QStringLiteral("id_ficha")).AsInteger(idFicha_);
    q.ParamByName(QStringLiteral("fecha_fin")).AsDateTime(fechaFin_);
    q.ParamByName(QStringLiteral("status")).AsInteger(status_);
    const int r = Ejecutar(1);
    Cerrar(1);
    return r;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TAgenda::Borrar(int idFicha, int tipoFicha) {
  // A record without reminders is no failure: the rows are not counted.
  const QScopedValueRollback<bool> sinContar(Contar_Registros, false);
  try {
    Preparar(1, Catalogo()[sql::kBorrarAvisos]);
    Consulta(1).ParamByName(QStringLiteral("TIPO_FICHA")).AsInteger(tipoFicha);
    Consulta(1).ParamByName(QStringLiteral("ID_FICHA")).AsInteger(idFicha);
    const int r = Ejecutar(1);
    Cerrar(1);
    return r == TBase::kNingunaFila ? 0 : r;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TAgenda::Contar(int tipoFicha, const QString& persona, double fecha) {
  try {
    Preparar(1, Catalogo()[sql::kContarAvisos]);
    TIBQuery& q = Consulta(1);
    q.ParamByName(QStringLiteral("FECHA")).AsDateTime(std::trunc(fecha));
    q.ParamByName(QStringLiteral("TIPO_FICHA")).AsInteger(tipoFicha);
    q.ParamByName(QStringLiteral("PERSONA")).AsString(persona);
    int r = -5;
    if (Ejecutar(1) == 0 && q.FieldByName(QStringLiteral("NUMERO")).AsInteger() > 0) r = 0;
    Cerrar(1);
    return r;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TAgenda::Recordatorio_Revision(double idFicha, double fechaRevision) {
  if (!inicializada_ || !ctx_ || !ctx_->empresa || ctx_->empresa->avisoRevision != 1 || fechaRevision == 0) return 0;
  const int clave = static_cast<int>(std::trunc(idFicha));
  const QString& paciente = ctx_->seleccion.textoPaciente;
  if (const int r = Borrar(clave, kTipoFichaLentillas); r != 0) return r;
  const int cuenta = Contar(kTipoFichaLentillas, paciente, fechaRevision);
  if (cuenta == 0) return 0;  // the patient has one that day already
  if (cuenta != -5) return cuenta;

  Id_Usuario(ctx_->usuario ? static_cast<int>(std::trunc(ctx_->usuario->idUsuario)) : -1);
  Prioridad(1);
  Fecha(fechaRevision);
  Fecha_Aviso(fechaRevision);
  Fecha_Fin(0);
  Hora(fechas::Hora_Actual());
  Hora_Aviso(fechas::Hora_Actual());
  observaciones_ = QStringList{QStringLiteral("Revision Lentilla a ") + paciente};
  Anadir_Contacto(ctx_->seleccion.textos[0], ctx_->seleccion.textos[1], ctx_->seleccion.textos[2]);
  Persona(paciente);
  Tipo_Ficha(kTipoFichaLentillas);
  Id_Ficha(clave);
  return Insertar();
}
