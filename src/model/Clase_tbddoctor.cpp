#include "Clase_tbddoctor.h"

namespace {
QString Filtro_Borrado(int borrado, const QString& columna = QStringLiteral("borrado")) {
  if (borrado == 0) return QStringLiteral(" and %1 = 0").arg(columna);
  if (borrado == 1) return QStringLiteral(" and %1 = 1").arg(columna);
  return {};
}
}  // namespace

int TBDDoctor::Buscar(int modo, int borrado, int valor) {
  QString sql;
  if (modo == 0)
    sql = QStringLiteral("select * from doctor where id_doctor = :PARAMETRO");
  else if (modo == 1)
    sql = QStringLiteral("select * from doctor where codigo = :PARAMETRO");
  else
    return 0;
  TSentencia s(*this, 1, sql + Filtro_Borrado(borrado));
  s.Parametro(QStringLiteral("PARAMETRO")).AsInteger(valor);
  return Leer_Filas(s);
}

int TBDDoctor::Buscar_Completo(int borrado, int id, TEntornoDoctor& entorno) {
  TSentencia s(*this, 1,
               QStringLiteral("select d.*, l.ID_LOCALIDAD as L_ID, l.ID_PROVINCIA as L_ID_PROVINCIA, "
                              "l.CODIGO_POSTAL as L_CODIGO_POSTAL, l.DESCRIPCION as L_DESCRIPCION, "
                              "p.ID_PROVINCIA as P_ID, p.CODIGO as P_CODIGO, p.DESCRIPCION as P_DESCRIPCION, ") +
                   texto_blob::Columna(QStringLiteral("OBSERVACIONES"), QStringLiteral("o")) +
                   QStringLiteral(" from DOCTOR d left join LOCALIDAD l on l.ID_LOCALIDAD = d.ID_LOCALIDAD "
                                  "left join PROVINCIA p on p.ID_PROVINCIA = l.ID_PROVINCIA "
                                  "left join DOBSERVACIONES o on o.ID_DOCTOR = d.ID_DOCTOR "
                                  "where d.ID_DOCTOR = :PARAMETRO") +
                   Filtro_Borrado(borrado, QStringLiteral("d.BORRADO")) +
                   QStringLiteral(" order by o.ID_DOBSERVACIONES rows 1"));
  s.Parametro(QStringLiteral("PARAMETRO")).AsInteger(id);
  return Leer_Filas(s, [&entorno](TSentencia& fila) {
    entorno = {};
    entorno.hayLocalidad = !fila.Campo(QStringLiteral("L_ID")).IsNull();
    entorno.idProvincia = fila.Campo(QStringLiteral("L_ID_PROVINCIA")).AsInteger();
    entorno.codigoPostal = fila.Campo(QStringLiteral("L_CODIGO_POSTAL")).AsInteger();
    entorno.localidad = fila.Campo(QStringLiteral("L_DESCRIPCION")).AsString();
    entorno.hayProvincia = !fila.Campo(QStringLiteral("P_ID")).IsNull();
    entorno.codigoProvincia = fila.Campo(QStringLiteral("P_CODIGO")).AsInteger();
    entorno.provincia = fila.Campo(QStringLiteral("P_DESCRIPCION")).AsString();
    entorno.observaciones = texto_blob::Leer(fila, QStringLiteral("OBSERVACIONES"));
  });
}

int TBDDoctor::Cargar_Lista(int borrado) {
  TSentencia s(*this, 1, QStringLiteral("select * from DOCTOR where id_doctor > 0") + Filtro_Borrado(borrado));
  return Leer_Filas(s);
}

// Runs a prepared SELECT and keeps its rows.
int TBDDoctor::Leer_Filas(TSentencia& s, const std::function<void(TSentencia&)>& primera) {
  lista_.clear();
  if (s.Ejecutar() == 0) {
    for (TIBQuery& q = s.Consulta(); !q.Eof(); q.Next()) {
      if (lista_.empty() && primera) primera(s);
      auto campo = [&q](const char* nombre) { return q.FieldByName(QString::fromLatin1(nombre)); };
      lista_.push_back({campo("id_doctor").AsInteger(), campo("id_localidad").AsInteger(), campo("codigo").AsInteger(),
                        campo("borrado").AsInteger(), campo("propia_ajena").AsInteger(), campo("nombre").AsString(),
                        campo("apellidos").AsString(), campo("direccion").AsString(), campo("telefono").AsString(),
                        campo("telefono_movil").AsString(), campo("e_mail").AsString(), campo("web").AsString(),
                        campo("nif").AsString(), campo("colegiado").AsString()});
    }
  }
  s.Cerrar();
  return static_cast<int>(lista_.size());
}

int TBDDoctor::Insertar() {
  TSentencia s(*this, 1, QStringLiteral("insert into doctor ") +
                  QStringLiteral("(codigo, nombre, direccion, telefono, telefono_movil, e_mail, borrado, apellidos, "
                                 "web, id_localidad, nif, propia_ajena, colegiado) ") +
                  QStringLiteral("values ") +
                  QStringLiteral("(:codigo, :nombre, :direccion, :telefono, :telefono_movil, :e_mail, :borrado, "
                                 ":apellidos, :web, :id_localidad, :nif, :propia_ajena, :colegiado) "));
  TIBQuery& q = s.Consulta();
  auto param = [&q](const char* nombre) -> TParam& { return q.ParamByName(QString::fromLatin1(nombre)); };
  param("codigo").AsInteger(datos_.codigo);
  param("nombre").AsString(datos_.nombre);
  param("direccion").AsString(datos_.direccion);
  param("telefono").AsString(datos_.telefono);
  param("telefono_movil").AsString(datos_.telefono_movil);
  param("e_mail").AsString(datos_.e_mail);
  param("borrado").AsInteger(datos_.borrado);
  param("apellidos").AsString(datos_.apellidos);
  param("web").AsString(datos_.web);
  param("id_localidad").AsInteger(datos_.id_localidad);
  param("nif").AsString(datos_.nif);
  param("propia_ajena").AsInteger(datos_.propia_ajena);
  param("colegiado").AsString(datos_.colegiado);
  const int r = s.Ejecutar();
  s.Cerrar();
  if (r != 0) {
    idInsertado_ = -1;
    return r;
  }
  // The key comes from the same attachment that inserted the row (channel 6
  // runs on the transaction of channel 1).
  TSentencia clave(*this, 6, QStringLiteral("ID_DOCTOR"));
  clave.Ejecutar();
  idInsertado_ = clave.Parametro(QStringLiteral("ID")).AsInteger();
  return 0;
}

int TBDDoctor::Maximo_Codigo() {
  TSentencia s(*this, 1, QStringLiteral("select max(codigo) from doctor where borrado = 0"));
  // An aggregate always gives one row; MAX is NULL (read as 0) on no doctor.
  return s.Ejecutar() == 0 ? s.Campo(QStringLiteral("MAX")).AsInteger() : 0;
}
