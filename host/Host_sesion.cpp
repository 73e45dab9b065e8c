#include "Host_sesion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <stdexcept>

#include "Ibx_query.h"
#include "Script_sql.h"
#include "Util_fechas.h"

namespace {
// Whether a settings file reads as settings: text in UTF-8, and every line
// empty, a comment, a [group] or a key=value. Qt's own reader takes almost
// anything and makes keys of the rest, so a damaged file would otherwise
// pass as settings that name nothing.
bool Ajustes_Legibles(const QString& fichero) {
  QFile f(fichero);
  if (!f.exists()) return true;
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = f.readAll();
  if (bytes.contains('\0')) return false;
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString texto = utf8.decode(bytes);
  if (utf8.hasError()) return false;
  static const QRegularExpression linea(QStringLiteral(R"(^\s*(|[;#].*|\[[^\]]+\]|[A-Za-z0-9_%/. -]+=.*)\s*$)"));
  for (const QString& l : texto.split(QLatin1Char('\n')))
    if (!linea.match(l).hasMatch()) return false;
  return true;
}

// A folder the program ships, found from where the program itself is: an
// installed program (bin/) has it at `instalada`, given by the build as a path
// from the programs' folder; a program run from the build tree (build/bin)
// has it at build/`compilada`.
QString Carpeta_Del_Programa(const char* instalada, const char* compilada) {
  const QString programa = QCoreApplication::applicationDirPath();
  const QString enInstalacion = QDir::cleanPath(programa + QLatin1Char('/') + QLatin1String(instalada));
  if (QFileInfo(enInstalacion).isDir()) return enInstalacion;
  return QDir::cleanPath(programa + QStringLiteral("/../") + QLatin1String(compilada));
}
}  // namespace

TConfiguracionHost TConfiguracionHost::Leer() {
  QSettings s(QStringLiteral("Miravel"), QStringLiteral("optica-host"));
  TConfiguracionHost c;
  const QString datos = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  c.ficheroAjustes = s.fileName();
  c.ajustesDanados = s.status() != QSettings::NoError || !Ajustes_Legibles(s.fileName());
  c.baseDatosPorDefecto = !s.contains(QStringLiteral("BaseDatos/Nombre"));
  c.baseDatos = s.value(QStringLiteral("BaseDatos/Nombre"), datos + QStringLiteral("/optica.fdb")).toString();
  c.usuarioBD = s.value(QStringLiteral("BaseDatos/Usuario")).toString();
  c.claveBD = s.value(QStringLiteral("BaseDatos/Clave")).toString();
  c.rolBD = s.value(QStringLiteral("BaseDatos/Rol")).toString();
  // A file that keeps the database password is for its owner's eyes only.
  if (!c.claveBD.isEmpty()) {
    const QFileDevice::Permissions otros = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
                                           QFileDevice::WriteOther;
    if (QFile::permissions(s.fileName()) & otros) {
      QFile::setPermissions(s.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
      std::fprintf(stderr, "El fichero de configuración guarda la contraseña: ahora sólo lo puede leer su dueño.\n");
    }
  }
  c.carpetaModulos = s.value(QStringLiteral("Puesto/CarpetaModulos"),
                             Carpeta_Del_Programa(OPTICA_MODULOS_INSTALADOS, "modules"))
                         .toString();
  c.carpetaFormatos = s.value(QStringLiteral("Puesto/CarpetaFormatos"),
                              Carpeta_Del_Programa(OPTICA_FORMATOS_INSTALADOS, "formats"))
                          .toString();
  c.carpetaPdf = s.value(QStringLiteral("Puesto/CarpetaPdf")).toString();
  c.modulosIndicados = s.contains(QStringLiteral("Puesto/CarpetaModulos"));
  c.formatosIndicados = s.contains(QStringLiteral("Puesto/CarpetaFormatos"));
  c.idUsuario = s.value(QStringLiteral("Puesto/Usuario"), 1).toInt();
  c.idTienda = s.value(QStringLiteral("Puesto/Tienda"), 1).toInt();
  return c;
}

namespace {
// Runs a SELECT and hands each row to `fila`; commits.
template <typename F>
void Consultar(TIBDatabase& db, const QString& sql, F fila) {
  TIBTransaction t;
  t.DefaultDatabase = &db;
  t.Params = QStringList{QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")};
  TIBQuery q;
  q.Database = &db;
  q.Transaction = &t;
  q.SQL.Add(sql);
  q.Open();
  for (; !q.Eof(); q.Next()) fila(q);
  t.Commit();
}
}  // namespace

TSesionHost::TSesionHost(const TConfiguracionHost& cfg) : cfg_(cfg) {
  aplicacion_.servicio = &mensajes_;
  for (TIBDatabase* db : {&principal_, &secundaria_}) {
    db->DatabaseName = cfg_.baseDatos;
    db->UserName = cfg_.usuarioBD;
    db->Password = cfg_.claveBD;
    db->Role = !cfg_.rolBD.isEmpty() || cfg_.Es_Embebida() || cfg_.usuarioBD.isEmpty()
                   ? cfg_.rolBD
                   : QStringLiteral("OPTICA_USUARIO");
  }
  transaccion_.DefaultDatabase = &principal_;
  transaccion_.Params = QStringList{QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                    QStringLiteral("nowait")};
}

// The end of the session is the end of the program's database work, in the
// order the engine needs: the objects that hold statements and transactions,
// then the transaction of the datasets, then the connections, and last the
// client library itself, shut down here with a time limit rather than from
// inside the process's exit.
TSesionHost::~TSesionHost() {
  acceso_.reset();
  moneda_.reset();
  localidadEmpresa_.reset();
  try {
    if (transaccion_.InTransaction()) transaccion_.Rollback();
  } catch (...) {
  }
  for (TIBDatabase* db : {&secundaria_, &principal_}) {
    try {
      db->Close();
    } catch (const EIBError& e) {
      std::fprintf(stderr, "No se pudo cerrar la conexión: %s\n", e.what());
    }
  }
  if (!ibx::Apagar_Cliente(10000)) std::fprintf(stderr, "La base de datos no ha terminado a tiempo.\n");
}

void TSesionHost::Abrir(bool demo) {
  const auto cargar_demo = [](TIBDatabase& db) {
    QFile f(QStringLiteral(":/db/demo.sql"));
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("Faltan los datos de demostración.");
    TScriptSQL::Ejecutar(db, QString::fromUtf8(f.readAll()));
  };
  if (cfg_.Es_Embebida()) {
    // A first start that was interrupted leaves its half-built file behind.
    QFile::remove(TScriptSQL::Ruta_Temporal(cfg_.baseDatos));
    if (!QFileInfo::exists(cfg_.baseDatos)) {
      if (!demo && !cfg_.baseDatosPorDefecto)
        throw std::runtime_error(
            QStringLiteral("No existe la base de datos «%1». Compruebe la ruta: una base de datos nueva se crea "
                           "con --demo o con optica-dbscript --create.")
                .arg(cfg_.baseDatos)
                .toStdString());
      QDir().mkpath(QFileInfo(cfg_.baseDatos).absolutePath());
      TScriptSQL::Crear_Fichero_Completo(principal_, true, demo ? std::function<void(TIBDatabase&)>(cargar_demo)
                                                                 : std::function<void(TIBDatabase&)>());
      secundaria_.Open();
      return;
    }
  }
  principal_.Open();
  if (demo) {
    qint64 pacientes = 0;
    Consultar(principal_, QStringLiteral("select count(*) from PACIENTE"),
              [&](TIBQuery& q) { pacientes = q.Fields(0).AsInt64(); });
    if (pacientes == 0) cargar_demo(principal_);
  }
  secundaria_.Open();
}

void TSesionHost::Preparar_Contexto() {
  puesto_.fechaTrabajo = fechas::Hoy();
  puesto_.carpetaModulos = cfg_.carpetaModulos;
  puesto_.carpetaFormatos = cfg_.carpetaFormatos;
  puesto_.idTienda = cfg_.idTienda;

  bool hayEmpresa = false;
  int idLocalidadEmpresa = -1;
  Consultar(principal_, QStringLiteral("select first 1 * from EMPRESA order by ID_EMPRESA"), [&](TIBQuery& q) {
    hayEmpresa = true;
    empresa_.codigo = q.FieldByName(QStringLiteral("CODIGO")).AsInteger();
    if (!q.FieldByName(QStringLiteral("ID_LOCALIDAD")).IsNull())
      idLocalidadEmpresa = q.FieldByName(QStringLiteral("ID_LOCALIDAD")).AsInteger();
    empresa_.nombre = q.FieldByName(QStringLiteral("NOMBRE")).AsString();
    empresa_.nombreComercial = q.FieldByName(QStringLiteral("NOMBRE_COMERCIAL")).AsString();
    empresa_.direccion = q.FieldByName(QStringLiteral("DIRECCION")).AsString();
    empresa_.nif = q.FieldByName(QStringLiteral("NIF")).AsString();
    empresa_.telefono = q.FieldByName(QStringLiteral("TELEFONO")).AsString();
    empresa_.fax = q.FieldByName(QStringLiteral("FAX")).AsString();
    empresa_.email = q.FieldByName(QStringLiteral("E_MAIL")).AsString();
    empresa_.web = q.FieldByName(QStringLiteral("WEB")).AsString();
    empresa_.mesesGarantia = q.FieldByName(QStringLiteral("MESES_GARANTIA")).AsInteger();
    empresa_.mesesRevision = q.FieldByName(QStringLiteral("MESES_REVISION")).AsInteger();
    empresa_.avisoRevision = q.FieldByName(QStringLiteral("AVISO_REVISION")).AsInteger();
    empresa_.trasponerCilindros = q.FieldByName(QStringLiteral("TRASPONER_CILINDROS")).AsInteger();
  });
  if (!hayEmpresa) throw std::runtime_error("La base de datos no tiene empresa.");

  bool hayUsuario = false;
  Consultar(principal_,
            QStringLiteral("select * from USUARIO where ID_USUARIO = %1").arg(cfg_.idUsuario), [&](TIBQuery& q) {
              hayUsuario = true;
              usuario_.idUsuario = q.FieldByName(QStringLiteral("ID_USUARIO")).AsFloat();
              usuario_.puedeModificar = q.FieldByName(QStringLiteral("PUEDE_MODIFICAR")).AsInteger();
              usuario_.copiarGraduacionOI = q.FieldByName(QStringLiteral("COPIAR_GRADUACION_OI")).AsInteger();
              usuario_.copiarLenteOI = q.FieldByName(QStringLiteral("COPIAR_LENTE_OI")).AsInteger();
              usuario_.copiarUltimaGraduacion =
                  q.FieldByName(QStringLiteral("COPIAR_ULTIMA_GRADUACION")).AsInteger();
              usuario_.copiarUltimosLentes = q.FieldByName(QStringLiteral("COPIAR_ULTIMOS_LENTES")).AsInteger();
              usuario_.preguntarCopia = q.FieldByName(QStringLiteral("PREGUNTAR_COPIA")).AsInteger();
              usuario_.formatoFicha = q.FieldByName(QStringLiteral("FORMATO_FICHA")).AsString();
              usuario_.formatoReceta = q.FieldByName(QStringLiteral("FORMATO_RECETA")).AsString();
              usuario_.formatoGarantia = q.FieldByName(QStringLiteral("FORMATO_GARANTIA")).AsString();
            });
  if (!hayUsuario) throw std::runtime_error("El usuario indicado no existe en la base de datos.");
  bool hayTienda = false;
  Consultar(principal_, QStringLiteral("select ID_TIENDA from TIENDA where ID_TIENDA = %1").arg(cfg_.idTienda),
            [&](TIBQuery&) { hayTienda = true; });
  if (!hayTienda)
    throw std::runtime_error(QStringLiteral("No existe la tienda %1 en la base de datos.").arg(cfg_.idTienda).toStdString());

  localidadEmpresa_ = std::make_unique<TLocalidad>(&aplicacion_, &secundaria_, &principal_);
  if (idLocalidadEmpresa != -1) localidadEmpresa_->Buscar(0, idLocalidadEmpresa);
  empresa_.localidad = localidadEmpresa_.get();
  moneda_ = std::make_unique<TMoneda>(&aplicacion_, &secundaria_, &principal_);

  acceso_ = std::make_unique<TBDAcceso>(&aplicacion_, &secundaria_, &principal_);
  acceso_->Fecha_Trabajo = puesto_.fechaTrabajo;

  ctx_.aplicacion = &aplicacion_;
  ctx_.conexionPrincipal = &principal_;
  ctx_.conexionSecundaria = &secundaria_;
  ctx_.transaccion = &transaccion_;
  ctx_.puesto = &puesto_;
  ctx_.empresa = &empresa_;
  ctx_.usuario = &usuario_;
  ctx_.moneda = moneda_.get();
  ctx_.acceso = acceso_.get();
  ctx_.textoNumerico = &textoNumerico_;
  ctx_.teclado = &teclado_;
}

bool TSesionHost::Seleccionar_Paciente(int idPaciente, int numeroFicha) {
  TSeleccion s;
  bool existe = false;
  Consultar(principal_,
            QStringLiteral("select NOMBRE, APELLIDOS, NOMBRE_COMPLETO from PACIENTE where ID_PACIENTE = %1")
                .arg(idPaciente),
            [&](TIBQuery& q) {
              existe = true;
              s.textoPaciente = q.FieldByName(QStringLiteral("NOMBRE_COMPLETO")).AsString();
              if (s.textoPaciente.isEmpty())
                s.textoPaciente = (q.FieldByName(QStringLiteral("NOMBRE")).AsString() + QLatin1Char(' ') +
                                   q.FieldByName(QStringLiteral("APELLIDOS")).AsString())
                                      .trimmed();
            });
  if (!existe) return false;
  s.idPaciente = idPaciente;
  Consultar(principal_,
            QStringLiteral("select count(*), max(NUMERO_FICHA) from MLENTILLA where ID_PACIENTE = %1").arg(idPaciente),
            [&](TIBQuery& q) {
              s.numLentillas = q.Fields(0).AsInteger();
              s.ultimaFicha = q.Fields(1).AsInteger();
            });
  s.tieneFichas = s.numLentillas > 0 ? 1 : 0;
  if (numeroFicha > 0)
    Consultar(principal_,
              QStringLiteral("select ID_MLENTILLA from MLENTILLA where ID_PACIENTE = %1 and NUMERO_FICHA = %2")
                  .arg(idPaciente)
                  .arg(numeroFicha),
              [&](TIBQuery& q) { s.idFicha = q.Fields(0).AsFloat(); });
  if (numeroFicha > 0 && s.idFicha == 0)
    throw std::runtime_error(QStringLiteral("El paciente %1 no tiene la ficha de lentillas %2.")
                                 .arg(idPaciente)
                                 .arg(numeroFicha)
                                 .toStdString());
  ctx_.seleccion = s;
  return true;
}
