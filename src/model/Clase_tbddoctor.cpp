#include "Clase_tbddoctor.h"

namespace {
QString Filtro_Borrado(int borrado) {
  if (borrado == 0) return QStringLiteral(" and borrado = 0");
  if (borrado == 1) return QStringLiteral(" and borrado = 1");
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
  Preparar(1, sql + Filtro_Borrado(borrado));
  Consulta(1).ParamByName(QStringLiteral("PARAMETRO")).AsInteger(valor);
  return Leer_Filas();
}

int TBDDoctor::Cargar_Lista(int borrado) {
  Preparar(1, QStringLiteral("select * from DOCTOR where id_doctor > 0") + Filtro_Borrado(borrado));
  return Leer_Filas();
}

// Runs the SELECT prepared on channel 1 and keeps its rows.
int TBDDoctor::Leer_Filas() {
  lista_.clear();
  if (Ejecutar(1) == 0) {
    for (TIBQuery& q = Consulta(1); !q.Eof(); q.Next()) {
      auto campo = [&q](const char* nombre) { return q.FieldByName(QString::fromLatin1(nombre)); };
      lista_.push_back({campo("id_doctor").AsInteger(), campo("id_localidad").AsInteger(), campo("codigo").AsInteger(),
                        campo("borrado").AsInteger(), campo("propia_ajena").AsInteger(), campo("nombre").AsString(),
                        campo("apellidos").AsString(), campo("direccion").AsString(), campo("telefono").AsString(),
                        campo("telefono_movil").AsString(), campo("e_mail").AsString(), campo("web").AsString(),
                        campo("nif").AsString(), campo("colegiado").AsString()});
    }
  }
  Cerrar(1);
  return static_cast<int>(lista_.size());
}

int TBDDoctor::Insertar() {
  Preparar(1, QStringLiteral("insert into doctor ") +
                  QStringLiteral("(codigo, nombre, direccion, telefono, telefono_movil, e_mail, borrado, apellidos, "
                                 "web, id_localidad, nif, propia_ajena, colegiado) ") +
                  QStringLiteral("values ") +
                  QStringLiteral("(:codigo, :nombre, :direccion, :telefono, :telefono_movil, :e_mail, :borrado, "
                                 ":apellidos, :web, :id_localidad, :nif, :propia_ajena, :colegiado) "));
  TIBQuery& q = Consulta(1);
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
  const int r = Ejecutar(1);
  Cerrar(1);
  if (r != 0) {
    idInsertado_ = -1;
    return r;
  }
  // The key comes from the same attachment that inserted the row (channel 6
  // runs on the transaction of channel 1).
  Preparar(6, QStringLiteral("ID_DOCTOR"));
  Ejecutar(6);
  idInsertado_ = Procedimiento(6).ParamByName(QStringLiteral("ID")).AsInteger();
  Cerrar(6);
  return 0;
}

int TBDDoctor::Maximo_Codigo() {
  Preparar(1, QStringLiteral("select max(codigo) from doctor where borrado = 0"));
  // An aggregate always gives one row; MAX is NULL (read as 0) on no doctor.
  const int maximo = Ejecutar(1) == 0 ? Consulta(1).FieldByName(QStringLiteral("MAX")).AsInteger() : 0;
  Cerrar(1);
  return maximo;
}
