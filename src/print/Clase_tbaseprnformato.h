#pragma once
// Label formats for EPL/2 label printers: the description the format search
// shows of them (label type, paper, components). The parts are plain holders
// of the values other printing programs fill; the lens module reads only the
// type, the paper and the components total.

#include <QString>
#include <array>
#include <memory>

#include "Lector_ini.h"
#include "Clase_tbasedocumento.h"

class TPRNPapel {
 public:
  void Ancho(double v) { if (v != ancho_) ancho_ = v; }
  void Alto(double v) { if (v != alto_) alto_ = v; }
  void Margen_Izquierdo(double v) { if (v != izquierdo_) izquierdo_ = v; }
  void Margen_Derecho(double v) { if (v != derecho_) derecho_ = v; }
  void Espacio(double v) { if (v != espacio_) espacio_ = v; }
  double Ancho() const { return ancho_; }
  double Alto() const { return alto_; }
  double Margen_Izquierdo() const { return izquierdo_; }
  double Margen_Derecho() const { return derecho_; }
  double Espacio() const { return espacio_; }

  QString Texto;

 private:
  double ancho_ = -1, alto_ = -1, izquierdo_ = -1, derecho_ = -1, espacio_ = -1;
};

struct TPRNEtiqueta {
  QString Rotar;  // FORMATO/ROTAR as read
};

struct TPRNFuente {
  QString Fuente;
};

struct TPRNBaseDatos {
  QString Tabla, Campo;
};

struct TPRNComponente {
  QString Texto1, Texto2, Texto3;
  TPRNFuente Fuente;
  TPRNBaseDatos BaseDatos;
};

template <size_t N>
struct TPRNBloque {
  std::array<QString, N> Textos;
};
using TPRNLineaDetalle = TPRNBloque<27>;
using TPRNDatosEmpresa = TPRNBloque<12>;
using TPRNDatosPaciente = TPRNBloque<28>;
using TPRNDatosProveedor = TPRNBloque<21>;
using TPRNDatosCliente = TPRNBloque<43>;
using TPRNDatosArticulo = TPRNBloque<61>;

class TBasePRNFormato {
 public:
  virtual ~TBasePRNFormato() = default;

 protected:
  TLectorIni lector_;
  TMemoria memoria_;
  TPRNPapel papel_;
  TPRNEtiqueta etiqueta_;
  TPRNComponente componente_;
  TPRNLineaDetalle lineaDetalle_;
  TPRNDatosEmpresa empresa_;
  TPRNDatosPaciente paciente_;
  TPRNDatosProveedor proveedor_;
  TPRNDatosCliente cliente_;
  TPRNDatosArticulo articulo_;
  QString fichero_, texto2_, texto3_;
};
