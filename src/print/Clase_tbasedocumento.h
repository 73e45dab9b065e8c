#pragma once
// The print document: what a printing program hands to the print engine.
// It names the format file (the layout), carries the values to print as
// numbered text variables, and keeps what it read of the format: the page,
// the margins, the bands and, for label documents, the label sheet.
//
// The engine (printsvc.so) reads this object in place, so both are built from
// this header; a field added here is a field the engine sees.

#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

#include "Lector_ini.h"

// The controls of the format. The lens module only hands it the reader; the
// engine reads the controls from it.
class TComponente {
 public:
  void Lector(const TLectorIni* lector) { lector_ = lector; }
  const TLectorIni* Lector() const { return lector_; }

 private:
  const TLectorIni* lector_ = nullptr;  // owned by the document
};

// One document variable: a numbered text.
struct TVariableDocumento {
  int32_t CODIGO = 0;
  QString VALOR;
};

// The document's in-memory tables; the variables table is the one the
// printing programs fill. Rows are only appended, in call order.
class TMemoria {
 public:
  void Activar() {
    variables_.clear();
    activa_ = true;
  }
  bool Activa() const { return activa_; }
  void Agregar(int32_t codigo, const QString& valor) { variables_.append({codigo, valor}); }
  const QList<TVariableDocumento>& Variables() const { return variables_; }

 private:
  QList<TVariableDocumento> variables_;
  bool activa_ = false;
};

class TBaseDocumento {
 public:
  // Result codes of the format check.
  static constexpr int kSinFichero = -7;
  static constexpr int kNoExiste = -1;
  static constexpr int kNoValido = -2;
  // Document types from this one on are labels.
  static constexpr int kPrimeraEtiqueta = 33;

  TBaseDocumento();
  virtual ~TBaseDocumento();
  TBaseDocumento(const TBaseDocumento&) = delete;
  TBaseDocumento& operator=(const TBaseDocumento&) = delete;

  const TLectorIni* Lector() const { return lector_.get(); }
  const TComponente& Componentes() const { return *componentes_; }
  const TMemoria& Memoria() const { return *memoria_; }
  TMemoria& Memoria() { return *memoria_; }

  // Plain settings; each stores only a value that differs.
  void Fichero_Formato(const QString& v) { if (v != formato_) formato_ = v; }
  const QString& Fichero_Formato() const { return formato_; }
  void Texto_Tipo(const QString& v) { if (v != textoTipo_) textoTipo_ = v; }
  const QString& Texto_Tipo() const { return textoTipo_; }
  void Copias(int v) { if (v != copias_) copias_ = v; }
  int Copias() const { return copias_; }
  void Total_Controles(int v) { if (v != totalControles_) totalControles_ = v; }
  int Total_Controles() const { return totalControles_; }

  int Tipo() const { return tipo_; }
  const QString& Nombre_Tipo_Documento() const { return nombreTipo_; }
  int Resultado() const { return resultado_; }
  bool Es_Etiqueta() const { return etiqueta_ != 0; }
  bool Valido() const { return valido_ != 0; }

  struct TPapel { double Ancho = -1, Alto = -1; };
  struct TMargenes { double Superior = -1, Inferior = -1, Izquierdo = -1, Derecho = -1; };
  struct TBandas { double Cabecera = -1, Detalle = -1, Pie = -1; };
  struct TEtiqueta {
    double Ancho = -1, Alto = -1;
    int16_t Filas = -1, Columnas = -1;
    double Superior = -1, Inferior = -1, Vertical = -1, Horizontal = -1;
  };
  const TPapel& Papel() const { return papel_; }
  const TMargenes& Margenes() const { return margenes_; }
  const TBandas& Bandas() const { return bandas_; }
  const TEtiqueta& Etiqueta() const { return etiquetaValores_; }

  // What the engine says when it refuses a format (the file, the line and
  // what is wrong there); empty after a print that went well.
  const QString& Mensaje_Motor() const { return mensajeMotor_; }
  void Mensaje_Motor(const QString& v) { mensajeMotor_ = v; }

  // Detail-line and label data other printing programs fill; the lens module
  // leaves them empty.
  std::array<QString, 52> st_Linea_Detalle;
  std::array<QString, 12> st_Etiqueta_Empresa;
  std::array<QString, 28> st_Etiqueta_Paciente;
  std::array<QString, 21> st_Etiqueta_Proveedor;
  std::array<QString, 43> st_Etiqueta_Cliente;
  std::array<QString, 61> st_Etiqueta_Articulo;

 protected:
  std::unique_ptr<TLectorIni> lector_;
  std::unique_ptr<TComponente> componentes_;
  std::unique_ptr<TMemoria> memoria_;
  QString formato_;
  QString textoTipo_;
  QString nombreTipo_;
  int tipo_ = -1;
  int totalControles_ = -1;
  int copias_ = 1;
  int resultado_ = -1;
  TPapel papel_;
  TMargenes margenes_;
  TBandas bandas_;
  TEtiqueta etiquetaValores_;
  uint8_t etiqueta_ = 0;
  uint8_t valido_ = 0;
  QString mensajeMotor_;
};
