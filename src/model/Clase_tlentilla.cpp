#include "Clase_tlentilla.h"

#include <QScopedValueRollback>
#include <cmath>

#include "Clase_treposicion.h"
#include "Contexto_host.h"
#include "Ibx_sql.h"

TLentilla::TLentilla(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBaseLentilla(owner, conexionA, conexionB) {
  Limpiar();
}

TAplicacion* TLentilla::Avisos() const { return Aplicacion(); }

void TLentilla::Poner_Parametros(TIBQuery& q, bool insercion) {
  const auto p = [&](const char* n) -> TParam& { return q.ParamByName(QLatin1String(n)); };
  p("ID_PACIENTE").AsFloat(ID_PACIENTE());
  p("NUMERO_FICHA").AsInteger(NUMERO_FICHA());
  p("FECHA").AsDateTime(FECHA());
  p("FECHA_REVISION").AsDateTime(FECHA_REVISION());
  p("FECHA_LIMPIEZA").AsDateTime(FECHA_LIMPIEZA());
  p("FECHA_CADUCIDAD").AsDateTime(FECHA_CADUCIDAD());
  p("FECHA_REPOSICION").AsDateTime(FECHA_REPOSICION());
  p("ID_DOCTOR").AsInteger(Doctor().ID());
  p("PROPIA_AJENA").AsInteger(PROPIA_AJENA());
  p("ID_AGENTE").AsFloat(Agente().ID());
  p("LIQUIDOS").AsString(LIQUIDOS());
  for (int o = 0; o < 2; ++o)
    for (const TCampoOjo& c : kCamposOjoFicha) Poner_Campo_Ojo(q.ParamByName(Nombre_Campo_Ojo("", o, c)), Ojo(o), c);
  if (insercion)
    p("ID_TIENDA").AsFloat(ID_TIENDA());  // the shop is fixed when the record is inserted
  else
    p("ID_MLENTILLA").AsFloat(ID_MLENTILLA());
}

namespace {
// The record's insert or update with its observations (and, for a record
// made from a test, the test's note) in one block: one round trip over a
// server. It gives back the record's key.
QString Bloque_Ficha(QString sentencia, bool insercion, bool conPrueba) {
  QStringList entradas = Entradas_Bloque(sentencia, QStringLiteral("MLENTILLA"));
  entradas << QStringLiteral("OBSERVACIONES TYPE OF COLUMN LOBSERVACIONES.OBSERVACIONES = :OBSERVACIONES");
  if (conPrueba) entradas << QStringLiteral("ID_PRUEBA TYPE OF COLUMN MLENTILLA.ID_PRUEBA_ORIGEN = :ID_PRUEBA");
  QString cuerpo = insercion ? sentencia + QStringLiteral(" returning ID_MLENTILLA into :ID;\n")
                             : sentencia + QStringLiteral(";\nID = :ID_MLENTILLA;\n");
  cuerpo += TBase::Sentencia_Texto_Unico(QStringLiteral("LOBSERVACIONES"), QStringLiteral("ID_MLENTILLA"),
                                         QStringLiteral(":ID")) +
            QStringLiteral(";\n");
  if (conPrueba) cuerpo += QStringLiteral("update MLENTILLA set ID_PRUEBA_ORIGEN = :ID_PRUEBA where ID_MLENTILLA = :ID;\n");
  return QStringLiteral("EXECUTE BLOCK (") + entradas.join(QStringLiteral(", ")) +
         QStringLiteral(") RETURNS (ID TYPE OF COLUMN MLENTILLA.ID_MLENTILLA) AS BEGIN\n") + cuerpo +
         QStringLiteral("SUSPEND;\nEND");
}
}  // namespace

int TLentilla::Escribir(bool insercion, double idPrueba, bool* anotada) {
  // A database made before tests were noted on their records makes the
  // record without the note.
  const QString conNota = idPrueba > 0 ? Bloque_Ficha(Catalogo()[sql::kInsertarFicha], true, true) : QString();
  const bool nota = !conNota.isEmpty() && Preparable(conNota);
  if (anotada) *anotada = nota;
  try {
    TSentencia s(*this, 1,
                 nota ? conNota
                      : Bloque_Ficha(Catalogo()[insercion ? sql::kInsertarFicha : sql::kActualizarFicha], insercion,
                                     false));
    TIBQuery& q = s.Consulta();
    Poner_Parametros(q, insercion);
    q.ParamByName(QStringLiteral("OBSERVACIONES")).AsMemo(Observaciones().join(QLatin1Char('\n')));
    if (nota) q.ParamByName(QStringLiteral("ID_PRUEBA")).AsFloat(idPrueba);
    if (s.Ejecutar() != 0 || q.Eof()) return -1;
    if (insercion) ID_MLENTILLA(q.Fields(0).AsFloat());
    return 0;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TLentilla::Insertar(double idPrueba, bool* anotada) { return Escribir(true, idPrueba, anotada); }

int TLentilla::Modificar() { return Escribir(false, -1, nullptr); }

int TLentilla::Siguiente_Numero() {
  try {
    TSentencia s(*this, 1,
                 QStringLiteral("select coalesce(max(NUMERO_FICHA), 0) + 1 from MLENTILLA where ID_PACIENTE = :ID_PACIENTE"));
    s.Parametro(QStringLiteral("ID_PACIENTE")).AsFloat(ID_PACIENTE());
    if (s.Ejecutar() != 0) return -1;
    return s.Consulta().Fields(0).AsInteger();
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TLentilla::Comprobar_Version(QString& quien, double& cuando) {
  return Comprobar_Version_Fila(QStringLiteral("select VERSION, MODIFICADO_POR, MODIFICADO_EN from MLENTILLA "
                                               "where ID_MLENTILLA = :ID_MLENTILLA with lock"),
                                QStringLiteral("ID_MLENTILLA"), ID_MLENTILLA(), VERSION(), quien, cuando);
}

void TLentilla::Cargar_Doctor_Y_Agente(int idDoctor, double idAgente) {
  if (idDoctor <= 0 || idDoctor != doctorLeido_ || Doctor().ID() != idDoctor) {
    doctorLeido_ = -1;
    Doctor().ID(idDoctor);
    if (Doctor().Buscar_Por_Id(0) != 0) {
      Doctor().ID(0);
      Doctor().NOMBRE(QString());
      Doctor().APELLIDOS(QString());
    } else {
      doctorLeido_ = idDoctor;
    }
  }
  if (idAgente <= 0 || idAgente != agenteLeido_ || Agente().ID() != idAgente) {
    agenteLeido_ = -1;
    Agente().ID(idAgente);
    if (Agente().Buscar_Por_Id(0) != 0) {
      Agente().ID(0);
      Agente().NOMBRE(QString());
      Agente().APELLIDOS(QString());
    } else {
      agenteLeido_ = idAgente;
    }
  }
}

int TLentilla::Hay_Reposiciones_Y_Pruebas(double idPaciente, bool& reposiciones, bool& pruebas) {
  try {
    TSentencia s(*this, 1,
                 QStringLiteral("select (select first 1 1 from REPOSICION where ID_PACIENTE = :ID_R and "
                                "TIPO_REPOSICION = %1) as R, (select first 1 1 from PLENTILLA where "
                                "ID_PACIENTE = :ID_P) as P from RDB$DATABASE")
                     .arg(TReposicion::kListaLentillas));
    s.Parametro(QStringLiteral("ID_R")).AsFloat(idPaciente);
    s.Parametro(QStringLiteral("ID_P")).AsFloat(idPaciente);
    s.Ejecutar();
    reposiciones = !s.Campo(QStringLiteral("R")).IsNull();
    pruebas = !s.Campo(QStringLiteral("P")).IsNull();
    return 0;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TLentilla::Buscar() {
  try {
    TSentencia s(*this, 6, QStringLiteral("BUSCAR_MLENTILLA"));
    s.Parametro(QStringLiteral("ORG_ID")).AsFloat(ID_MLENTILLA());
    s.Parametro(QStringLiteral("ORG_ID_PACIENTE")).AsFloat(-1);
    s.Parametro(QStringLiteral("ORG_NUMERO_FICHA")).AsFloat(-1);
    s.Ejecutar();
    const auto res = [&](const char* n) -> TParam& { return s.Parametro(QLatin1String(n)); };
    if (res("RES_RESULTADO").AsInteger() <= 0) return resultado_;
    ID_MLENTILLA(res("RES_ID").AsFloat());
    NUMERO_FICHA(res("RES_NUMERO_FICHA").AsInteger());
    ID_PACIENTE(res("RES_ID_PACIENTE").AsFloat());
    const int idDoctor = res("RES_ID_DOCTOR").AsInteger();
    const double idAgente = res("RES_ID_AGENTE").AsFloat();
    FECHA(res("RES_FECHA").AsDateTime());
    FECHA_REVISION(res("RES_FECHA_REVISION").AsDateTime());
    FECHA_LIMPIEZA(res("RES_FECHA_LIMPIEZA").AsDateTime());
    FECHA_CADUCIDAD(res("RES_FECHA_CADUCIDAD").AsDateTime());
    FECHA_REPOSICION(res("RES_FECHA_REPOSICION").AsDateTime());
    PROPIA_AJENA(res("RES_PROPIA_AJENA").AsInteger());
    for (int o = 0; o < 2; ++o)
      for (const TCampoOjo& c : kCamposOjoFicha) Leer_Campo_Ojo(s.Parametro(Nombre_Campo_Ojo("RES_", o, c)), Ojo(o), c);
    LIQUIDOS(res("RES_LIQUIDOS").AsString());
    ID_TIENDA(res("RES_ID_TIENDA").IsNull() ? -1 : res("RES_ID_TIENDA").AsFloat());
    VERSION(res("RES_VERSION").AsInteger());
    s.Cerrar();
    Cargar_Doctor_Y_Agente(idDoctor, idAgente);
  } catch (const EIBError& e) {
    return resultado_ = Fallo(e);
  }
  return resultado_ = Cargar_Observaciones();
}

int TLentilla::Cargar_Observaciones() {
  try {
    // The text in the row when it is short (texto_blob): one round trip.
    TSentencia s(*this, 1,
                 QStringLiteral("Select ID_LOBSERVACIONES, ") + texto_blob::Columna(QStringLiteral("OBSERVACIONES")) +
                     QStringLiteral(" from LOBSERVACIONES where ID_MLENTILLA = :ID_MLENTILLA"));
    s.Parametro(QStringLiteral("ID_MLENTILLA")).AsFloat(ID_MLENTILLA());
    Observaciones().clear();
    if (s.Ejecutar() == 0) {
      ID_LOBSERVACIONES(s.Campo(QStringLiteral("ID_LOBSERVACIONES")).AsFloat());
      const QString texto = texto_blob::Leer(s, QStringLiteral("OBSERVACIONES"));
      if (!texto.isEmpty()) Observaciones() = texto.split(QLatin1Char('\n'));
    } else {
      ID_LOBSERVACIONES(0);
    }
    return 0;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TLentilla::Buscar_Ultima() {
  try {
    TSentencia s(*this, 1, sql::kFichasPaciente);
    s.Parametro(QStringLiteral("ID_PACIENTE")).AsFloat(ID_PACIENTE());
    if (s.Ejecutar() != 0) {
      s.Cerrar();
      Limpiar();
      return -5;
    }
    TIBQuery& q = s.Consulta();
    q.Last();
    const auto f = [&](const char* n) { return q.FieldByName(QLatin1String(n)); };
    ID_MLENTILLA(f("ID_MLENTILLA").AsFloat());
    ID_PACIENTE(f("ID_PACIENTE").AsFloat());
    NUMERO_FICHA(f("NUMERO_FICHA").AsInteger());
    FECHA(f("FECHA").AsDateTime());
    FECHA_REVISION(f("FECHA_REVISION").AsDateTime());
    FECHA_LIMPIEZA(f("FECHA_LIMPIEZA").AsDateTime());
    FECHA_CADUCIDAD(f("FECHA_CADUCIDAD").AsDateTime());
    FECHA_REPOSICION(f("FECHA_REPOSICION").AsDateTime());
    const int idDoctor = f("ID_DOCTOR").AsInteger();
    PROPIA_AJENA(f("PROPIA_AJENA").AsInteger());
    const double idAgente = f("ID_AGENTE").AsFloat();
    LIQUIDOS(f("LIQUIDOS").AsString());
    for (int o = 0; o < 2; ++o)
      for (const TCampoOjo& c : kCamposOjoFicha) Leer_Campo_Ojo(q.FieldByName(Nombre_Campo_Ojo("", o, c)), Ojo(o), c);
    ID_TIENDA(f("ID_TIENDA").IsNull() ? -1 : f("ID_TIENDA").AsFloat());
    VERSION(f("VERSION").AsInteger());
    s.Cerrar();
    Cargar_Doctor_Y_Agente(idDoctor, idAgente);
    return 0;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TLentilla::Borrar() {
  if (!Avisos() || Avisos()->MessageBox(QStringLiteral("¿Está seguro de querer borrar esta ficha?"),
                                        QStringLiteral("AVISO"), mb::YESNO | mb::ICONQUESTION) != mb::IDYES)
    return resultado_ = -6;
  try {
    int r = 0;
    {
      TSentencia s(*this, 1, sql::kBorrarFicha);
      s.Parametro(QStringLiteral("ID_MLENTILLA")).AsFloat(ID_MLENTILLA());
      r = s.Ejecutar();
    }
    // A record row already gone (deleted from another workstation, or by an
    // earlier delete that stopped half-way) still has its observations and
    // lens lines to remove; only a failed delete stops here.
    if (r != 0 && r != TBase::kNingunaFila) return resultado_ = -1;
    if (!Observaciones().join(QString()).isEmpty()) {
      // A record saved since it was read does not know the key of its
      // observations row yet.
      if (ID_LOBSERVACIONES() <= 0 && Cargar_Observaciones() != 0) return resultado_ = -1;
      if (ID_LOBSERVACIONES() > 0) {
        resultado_ = Borrar_Observaciones();
        if (resultado_ != 0) return resultado_;
      }
    }
    if (!detalle_) Crear_Detalle();
    detalle_->ID_MLENTILLA(ID_MLENTILLA());
    if (detalle_->Borrar_Lineas() != 0) return resultado_ = -1;
    --Num_Fichas;
    return resultado_ = 0;
  } catch (const EIBError& e) {
    return resultado_ = Fallo(e);
  }
}

int TLentilla::Borrar_Observaciones() {
  try {
    TSentencia s(*this, 1, sql::kBorrarObservacionesFicha);
    s.Parametro(QStringLiteral("ID_LOBSERVACIONES")).AsFloat(ID_LOBSERVACIONES());
    return s.Ejecutar() == 0 ? 0 : -1;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TLentilla::Cargar_Lista_Fichas() {
  try {
    listaFichas_ = Lista_Claves(sql::kClavesFichasPorFecha, QStringLiteral("ID_PACIENTE"), ID_PACIENTE());
    return 0;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

double TLentilla::Buscar_Vecina(TDireccion direccion, qint64 numero) {
  // With parameters the statement is prepared once per connection, and only
  // the first row is read.
  QString sql = QStringLiteral("Select first 1 ID_MLENTILLA from MLENTILLA where ID_PACIENTE = :ID_PACIENTE");
  switch (direccion) {
    case TDireccion::kPrimera: sql += QStringLiteral(" Order By NUMERO_FICHA"); break;
    case TDireccion::kAnterior:
      sql += QStringLiteral(" And NUMERO_FICHA < :NUMERO Order By NUMERO_FICHA DESC");
      break;
    case TDireccion::kSiguiente:
      sql += QStringLiteral(" And NUMERO_FICHA > :NUMERO Order By NUMERO_FICHA");
      break;
    case TDireccion::kUltima: sql += QStringLiteral(" Order By NUMERO_FICHA DESC"); break;
  }
  const QScopedValueRollback<bool> sinContar(Contar_Registros, false);
  try {
    TSentencia s(*this, 1, sql);
    s.Parametro(QStringLiteral("ID_PACIENTE")).AsFloat(ID_PACIENTE());
    if (direccion == TDireccion::kAnterior || direccion == TDireccion::kSiguiente)
      s.Parametro(QStringLiteral("NUMERO")).AsFloat(static_cast<double>(numero));
    return s.Ejecutar() == 0 ? s.Campo(QStringLiteral("ID_MLENTILLA")).AsFloat() : 0;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TLentilla::Ficha_De_Prueba(double idPrueba) {
  const QScopedValueRollback<bool> sinContar(Contar_Registros, false);
  try {
    TSentencia s(*this, 1,
                 QStringLiteral("select max(NUMERO_FICHA) from MLENTILLA where ID_PRUEBA_ORIGEN = :ID_PRUEBA"));
    s.Parametro(QStringLiteral("ID_PRUEBA")).AsFloat(idPrueba);
    s.Ejecutar();
    return s.Consulta().Fields(0).AsInteger();  // null: none, read as 0
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TLentilla::Renumerar() {
  const int r = Cargar_Lista_Fichas();
  if (r != 0) return r;
  try {
    // A number is unique within the patient: the records first step aside to
    // negative numbers, so that no two hold the same number half-way.
    for (const int signo : {-1, 1})
      for (int i = 0; i < listaFichas_.size(); ++i) {
        TSentencia s(*this, 1, sql::kRenumerarFicha);
        s.Parametro(QStringLiteral("ID_MLENTILLA")).AsFloat(listaFichas_[i].toDouble());
        s.Parametro(QStringLiteral("NUMERO_FICHA")).AsInteger(signo * (i + 1));
        s.Ejecutar();
      }
  } catch (const EIBError& e) {
    return Fallo(e);
  }
  return r;
}

void TLentilla::Crear_Detalle() {
  detalle_ = std::make_unique<TDLentilla>(Owner(), ConexionA(), ConexionB());
}
