#include "Clase_tdoctor.h"

TDoctor::TDoctor(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : localidad_(std::make_unique<TLocalidad>(owner, conexionA, conexionB)),
      bd_(std::make_unique<TBDDoctor>(owner, conexionA, conexionB)),
      bdObservaciones_(std::make_unique<TBDDObservaciones>(owner, conexionA, conexionB)) {
  Limpiar();
}

void TDoctor::Limpiar() {
  localidad_->Limpiar();
  id_ = -1;
  codigo_ = borrado_ = propiaAjena_ = 0;
  for (QString* t : {&nombre_, &apellidos_, &direccion_, &telefono_, &telefonoMovil_, &eMail_, &web_, &nif_,
                     &colegiado_, &observaciones_, &texto_})
    t->clear();
}

int TDoctor::Buscar_Por_Id(int borrado) {
  if (id_ == -1) return kSinClave;
  // Doctor, town, province and observations in one statement: the record
  // screen reads its doctor at every record it shows.
  TEntornoDoctor entorno;
  if (bd_->Buscar_Completo(borrado, id_, entorno) == 0) return kNoEncontrado;
  Poner_Fila(bd_->Lista().front());
  localidad_->Limpiar();
  localidad_->ID_LOCALIDAD(bd_->Lista().front().id_localidad);
  if (entorno.hayLocalidad)
    localidad_->Poner({localidad_->ID_LOCALIDAD(), entorno.idProvincia, entorno.codigoPostal, entorno.localidad},
                      entorno.hayProvincia
                          ? TEntradaProvincia{entorno.idProvincia, entorno.codigoProvincia, entorno.provincia}
                          : TEntradaProvincia{});
  bdObservaciones_->Limpiar();
  observaciones_ = entorno.observaciones;
  Texto_Doctor();
  return 0;
}

int TDoctor::Buscar_Por_Codigo(int borrado) {
  return bd_->Buscar(1, borrado, codigo_) > 0 ? Cargar_Primero() : kNoEncontrado;
}

// Takes the first row of the last lookup, with its town and observations.
int TDoctor::Cargar_Primero() {
  const TEntradaDoctor& e = bd_->Lista().front();
  Poner_Fila(e);

  // A lookup that finds no town keeps the old one, so the previous doctor's
  // town is cleared first; the key stays the doctor's own.
  localidad_->Limpiar();
  localidad_->ID_LOCALIDAD(e.id_localidad);
  localidad_->Buscar(0, e.id_localidad);

  // The observations object keeps its values when no row comes back.
  bdObservaciones_->Limpiar();
  bdObservaciones_->Buscar(1, id_);
  observaciones_ = bdObservaciones_->Observaciones();

  Texto_Doctor();
  return 0;
}

void TDoctor::Poner_Fila(const TEntradaDoctor& e) {
  id_ = e.id_doctor;
  codigo_ = e.codigo;
  borrado_ = e.borrado;
  propiaAjena_ = e.propia_ajena;
  nombre_ = e.nombre;
  apellidos_ = e.apellidos;
  direccion_ = e.direccion;
  telefono_ = e.telefono;
  telefonoMovil_ = e.telefono_movil;
  eMail_ = e.e_mail;
  web_ = e.web;
  nif_ = e.nif;
  colegiado_ = e.colegiado;
}

int TDoctor::Insertar() {
  if (codigo_ < 0 || codigo_ > 99999) return kCodigoErroneo;
  if (nombre_.isEmpty()) return kSinNombre;
  if (nombre_.size() > 50) return kNombreLargo;

  TEntradaDoctor& d = bd_->Datos();
  d = {id_, localidad_->ID_LOCALIDAD(), codigo_, borrado_, propiaAjena_, nombre_, apellidos_, direccion_,
       telefono_, telefonoMovil_, eMail_, web_, nif_, colegiado_};
  if (bd_->Insertar() != 0) return kErrorInsercion;
  id_ = bd_->Id_Insertado();

  // The doctor exists from here on: a failed observations row does not undo it.
  bdObservaciones_->Limpiar();
  bdObservaciones_->Id_Doctor(id_);
  bdObservaciones_->Observaciones(observaciones_);
  static_cast<void>(bdObservaciones_->Insertar());
  return 0;
}

int TDoctor::Cargar_Lista(int borrado) {
  bd_->Cargar_Lista(borrado);
  lista_ = bd_->Lista();
  return Numero_Doctores();
}

int32_t TDoctor::Siguiente_Codigo() { return bd_->Maximo_Codigo() + 1; }

const QString& TDoctor::Texto_Doctor() {
  texto_ = QStringLiteral("Codigo: ") + QString::number(codigo_) + QStringLiteral("\nNombre: ") + nombre_ +
           QStringLiteral("\nApellidos: ") + apellidos_ + QStringLiteral("\n\n") +
           QString::number(localidad_->CODIGO_POSTAL()) + QStringLiteral(" - ") + localidad_->DESCRIPCION() +
           QStringLiteral(" (") + localidad_->Provincia().DESCRIPCION() + QStringLiteral(")") +
           QStringLiteral("\nTfno: ") + telefono_ + QStringLiteral("\nMovil: ") + telefonoMovil_;
  return texto_;
}
