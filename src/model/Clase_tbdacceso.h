#pragma once
// The access log (table ACCESO). The host owns one logger; the lens module
// fills its pending entry and writes it when the screen opens and closes, when
// a lens record is consulted, created, modified, deleted or printed, and when
// a sibling module is started. The log never troubles the user: a row that
// fails its checks is not written, and database errors are swallowed; the
// result code says what happened.

#include <QElapsedTimer>
#include <QString>
#include <cstdint>

#include "Clase_tbase.h"

struct THostContext;

class TBDAcceso {
 public:
  // Options of this module, as they appear in the log.
  static constexpr int kOpcionLentillas = 8002;
  static constexpr int kOpcionVentaDirecta = 2004;
  static constexpr int kOpcionEncargos = 8000;
  static constexpr int kOpcionArticulos = 3202;

  // Operation types of a lens record.
  static constexpr int kConsulta = 3;
  static constexpr int kCreacion = 4;
  static constexpr int kModificacion = 5;
  static constexpr int kBorrado = 6;
  static constexpr int kImpresion = 7;
  // Lenses sold or ordered on a record whose graduation had expired.
  static constexpr int kGraduacionCaducada = 8;

  // Entity code of a lens record.
  static constexpr int kEntidadFicha = 23;

  TBDAcceso(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  // Opening (tipo 0) and closing (tipo 1) of the lens screen.
  int Registrar_Entrada_Salida(const THostContext& ctx, int tipo);
  // Consult 3, create 4, modify 5, delete 6 or print 7 of a lens record.
  int Registrar_Ficha(const THostContext& ctx, int tipo, double idFicha, int numeroFicha, double fechaFicha);
  // The user went on with a sale (2004) or an order (8000) of a record whose
  // graduation expired on `fechaCaducidad`.
  int Registrar_Caducidad(const THostContext& ctx, int opcion, double idFicha, int numeroFicha,
                          double fechaCaducidad);
  // Start of a sibling module: 2004 sales, 8000 orders, 3202 articles.
  int Registrar_Modulo(const THostContext& ctx, int opcion);

  // Name the log stores for an option; the empty text for an unknown one.
  static QString Nombre_Opcion(int opcion);

  // Checks the pending entry: 0, or -24700 to -24708.
  int Validar() const;
  // Validates and writes the pending entry; 0, a validation code, or -1 when
  // the database refused it.
  int Insertar();

  // The working date the host runs with; entry and exit rows take it with the
  // current time of day as their program date.
  double Fecha_Trabajo = 0;

  // The pending entry.
  int32_t Id_Usuario = -1;
  int32_t Id_Opcion = -1;
  int32_t Id_Operacion = -1;
  int32_t Id_Tienda = -1;
  int32_t Tipo_Operacion = 0;
  int32_t Entidad = 0;
  QString Nombre_Usuario;
  QString Nombre_Opcion_Texto;
  QString Codigo_Operacion;
  QString Detalle_Operacion;
  double Importe_Operacion = 0;
  double Fecha_Sistema = 0;
  double Fecha_Programa = 0;
  double Fecha_Operacion = 0;

 private:
  void Usuario_Y_Tienda(const THostContext& ctx);
  // The fields of a row about one lens record.
  void Datos_Ficha(const THostContext& ctx, int opcion, int tipo, double idFicha, int numeroFicha, double fecha);
  QString Buscar_Nombre_Usuario(int32_t idUsuario);
  bool nombreLeido_ = false;
  int32_t idNombreLeido_ = -1;
  QString nombreUsuarioLeido_;
  int Registrar_General(const THostContext& ctx, int opcion, int tipo);

  TBase base_;
  static constexpr qint64 kVidaTransaccionMs = 300000;
  QElapsedTimer abierta_;  // since the log's write transaction started
};
