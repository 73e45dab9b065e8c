#include "Clase_tagenda.h"

#include <QScopedValueRollback>
#include <cmath>

#include "Ibx_sql.h"
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

void TAgenda::Poner_Valores(TIBQuery& q) {
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
}

int TAgenda::Insertar() {
  try {
    Preparar(1, Catalogo()[sql::kInsertarAviso]);
    Poner_Valores(Consulta(1));
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

  // The catalogue's three statements in one block: the record's reminders
  // go, and the new one comes unless the patient has one that day (the
  // count's :FECHA is the insert's day).
  const auto& c = Catalogo();
  QString insercion = c[sql::kInsertarAviso];
  const QStringList entradas = Entradas_Bloque(insercion, QStringLiteral("AGENDA"));
  const QString bloque = QStringLiteral("EXECUTE BLOCK (") + entradas.join(QStringLiteral(", ")) +
                         QStringLiteral(") RETURNS (ANOTADO INTEGER) AS BEGIN\n") + c[sql::kBorrarAvisos] +
                         QStringLiteral(";\nANOTADO = 0;\nif ((") + c[sql::kContarAvisos] +
                         QStringLiteral(") = 0) then begin\n") + insercion +
                         QStringLiteral(";\nANOTADO = 1;\nend\nSUSPEND;\nEND");
  try {
    TSentencia s(*this, 1, bloque);
    Poner_Valores(s.Consulta());
    return s.Ejecutar() == 0 ? 0 : -1;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}
