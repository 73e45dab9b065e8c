#pragma once
// The contact-lens record ("ficha de lentillas") of a patient: its database
// operations and the text conversions of its graduation values.

#include "Clase_tbaselentilla.h"
#include "Graduacion.h"

class TLentilla : public TBaseLentilla {
 public:
  TLentilla(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  // The record with its observations, in one statement. A record made from
  // a stored test (`idPrueba` > 0) notes it when the database has where
  // (`anotada` says whether it did).
  [[nodiscard]] int Insertar(double idPrueba = -1, bool* anotada = nullptr);
  [[nodiscard]] int Modificar();
  // Before a change is written (inside the save's unit of work): whether the
  // row is still the version that was read. 0 yes; kFichaCambiada when
  // another workstation has changed it since (`quien` and `cuando` say who
  // and when); kFichaBloqueada when another one is writing it right now;
  // kFichaBorrada when it is gone; -1 on a database error.
  static constexpr int kFichaBorrada = kVersionBorrada;
  static constexpr int kFichaCambiada = kVersionCambiada;
  static constexpr int kFichaBloqueada = kVersionBloqueada;
  int Comprobar_Version(QString& quien, double& cuando);
  // The patient's highest record number plus one (1 for the first); -1 on a
  // database error.
  int Siguiente_Numero();
  // Loads the record of the held key. When there is none nothing changes and
  // the result of the previous load is returned.
  int Buscar();
  // Whether the patient has a lens replacement list and fitting tests, in
  // one statement (the tabs show it before they read their rows).
  // 0, or the failure code.
  int Hay_Reposiciones_Y_Pruebas(double idPaciente, bool& reposiciones, bool& pruebas);
  // The patient's last record (highest number): 0, or -5 with the object
  // cleared when the patient has none.
  int Buscar_Ultima();
  // Asks for confirmation (-6 when declined), then deletes the record, its
  // observations and its lens lines.
  [[nodiscard]] int Borrar();
  int Cargar_Lista_Fichas();
  // The key of the patient's first, previous, next or last record, from the
  // record numbered `numero`: 0 when there is none that way, -1 on a
  // database error.
  enum class TDireccion { kPrimera, kAnterior, kSiguiente, kUltima };
  double Buscar_Vecina(TDireccion direccion, qint64 numero);
  // Numbers the patient's records 1..n in order of date.
  [[nodiscard]] int Renumerar();
  // The number of the patient's record made from the fitting test of key
  // `idPrueba` (the last, if more than one), 0 when there is none, -1 on a
  // database error.
  int Ficha_De_Prueba(double idPrueba);
  int Cargar_Observaciones();
  [[nodiscard]] int Borrar_Observaciones();
  void Crear_Detalle();
  int Resultado() const { return resultado_; }

  // The conversions, telling the user through the application's message
  // service (see Graduacion.h).
  QString Formatear_Decimal(const QString& t) const { return graduacion::Formatear_Decimal(t, Avisos()); }
  QString Poner_Signo(const QString& t) const { return graduacion::Poner_Signo(t, Avisos()); }
  QString Normalizar_Graduacion(const QString& t) const { return graduacion::Normalizar_Graduacion(t, Avisos()); }
  int Validar_Esfera(const QString& t) const { return graduacion::Validar_Esfera(t, Avisos()); }
  int Validar_Eje(const QString& t) const { return graduacion::Validar_Eje(t, Avisos()); }
  int Validar_Distancia(const QString& t) const { return graduacion::Validar_Distancia(t, Avisos()); }
  static double Texto_A_Valor(const QString& t) { return graduacion::Texto_A_Valor(t); }
  static double Texto_A_Eje(const QString& t) { return graduacion::Texto_A_Eje(t); }
  static QString Valor_A_Texto(double v) { return graduacion::Valor_A_Texto(v); }
  static QString Valor_A_Texto_Con_Signo(double v) { return graduacion::Valor_A_Texto_Con_Signo(v); }
  static QString Eje_A_Texto(double v) { return graduacion::Eje_A_Texto(v); }
  static double Sumar_Meses(double fecha, int meses) { return graduacion::Sumar_Meses(fecha, meses); }

 private:
  int Escribir(bool insercion, double idPrueba, bool* anotada);
  TAplicacion* Avisos() const;
  void Poner_Parametros(TIBQuery& q, bool insercion);
  // Doctor and agent of a loaded record: a key that no longer exists (or a
  // deleted one) becomes 0 with empty names.
  // Walking a patient's records meets the same doctor and agent again and
  // again: the one this object last read is not read again while it still
  // holds that key (a key set since, from the screen, is read afresh).
  void Cargar_Doctor_Y_Agente(int idDoctor, double idAgente);

  int resultado_ = 0;
  int doctorLeido_ = -1;      // key of the doctor last read and found, or -1
  double agenteLeido_ = -1;   // the same for the agent
};
