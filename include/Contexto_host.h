#pragma once
// The host context: the one record the host application hands to every module
// through `_Cargar_Dll`. Host and modules are built with the same toolchain and
// share these structs as they are. Each member carries, in a comment, its byte
// position in the record as the application has always laid it out, so that
// the rest of the code can speak of "selection position 176" and be followed.
//
// Dates are day counts since 30/12/1899 (fraction = time of day, 0 = no date);
// keys are doubles or 32-bit integers as each member is; -1 means none.

#include <QObject>
#include <QString>
#include <cstdint>

class QWidget;
class TIBDatabase;
class TIBTransaction;
class TMoneda;
class TLocalidad;
class TBDAcceso;
class TCtrlTeclado;

// ---- Message boxes ---------------------------------------------------------------

// Buttons, icons and answers of a message box, with the values the application
// has always used.
namespace mb {
inline constexpr int OK = 0x00;
inline constexpr int OKCANCEL = 0x01;
inline constexpr int YESNOCANCEL = 0x03;
inline constexpr int YESNO = 0x04;
inline constexpr int ICONSTOP = 0x10;
inline constexpr int ICONQUESTION = 0x20;
inline constexpr int ICONWARNING = 0x30;
inline constexpr int ICONINFORMATION = 0x40;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
}  // namespace mb

// Shows a modal message box and says which button was pressed. The host gives
// a real one; tests give one that records each box and answers from a script.
class TServicioMensajes {
 public:
  virtual ~TServicioMensajes() = default;
  virtual int Mostrar(const QString& texto, const QString& titulo, int flags) = 0;
};

// The host's application object: owner of every window and database-access
// object of the modules, and the one way they talk to the user.
class TAplicacion : public QObject {
 public:
  explicit TAplicacion(QObject* parent = nullptr) : QObject(parent) {}

  // Every box of a module goes through here. Without a message service (a
  // host that cannot show boxes) the answer is Cancel, which declines.
  int MessageBox(const QString& texto, const QString& titulo, int flags) {
    return servicio ? servicio->Mostrar(texto, titulo, flags) : mb::IDCANCEL;
  }

  TServicioMensajes* servicio = nullptr;
  QWidget* ventanaPrincipal = nullptr;  // owner of boxes raised by the modules
};

// ---- Workstation, company and user -----------------------------------------------

struct TPuesto {
  double fechaTrabajo = 0;         // 8   the program's working date
  QString carpetaModulos;          // 44  folder of the module libraries
  QString carpetaFormatos;         // 48  folder of the print formats (*.prn)
  QString textoTipoFicha;          // 112 per-type text of the record sheet
  QString textoTipoGarantia;       // 116 per-type text of the warranty
  QString textoTipoReceta;         // 128 per-type text of the prescription
  int32_t idTienda = -1;           // 376 shop of this workstation (ID_TIENDA)
};

struct TEmpresa {
  TLocalidad* localidad = nullptr;  // 120 town of the company (key -1: none)
  QString nombre;                   // 156
  QString nombreComercial;          // 160
  QString direccion;                // 164
  QString nif;                      // 168
  QString telefono;                 // 204
  QString fax;                      // 208
  QString email;                    // 212
  QString web;                      // 216
  int32_t codigo = 0;               // 236
  int32_t mesesGarantia = 0;        // 260 warranty period (0 = none)
  int32_t mesesRevision = 0;        // 272 months to the next revision (0 = none)
  int32_t avisoRevision = 0;        // 300 1: a saved record gets a revision reminder
  int32_t trasponerCilindros = 0;   // 308 non-zero: transpose positive cylinders
};

struct TUsuario {
  double idUsuario = -1;            // 136 truncated to an integer for ID_USUARIO
  QString formatoReceta;            // 300 default prescription format
  QString formatoGarantia;          // 312 default warranty format
  QString formatoFicha;             // 352 default record-sheet format
  int32_t puedeModificar = 0;       // 468 1: may change stored records and tests
  int32_t copiarGraduacionOI = 0;   // 484 1: right-eye graduation copied to an empty left field
  int32_t copiarLenteOI = 0;        // 556 1: right-eye lens data copied to an empty left field
  int32_t copiarUltimaGraduacion = 0;  // 612 new record copies the last graduation
  int32_t copiarUltimosLentes = 0;     // 616 new record copies the last lens data
  int32_t preguntarCopia = 0;          // 620 ask before copying the last record

  // The right to change stored records and tests (and to save any test).
  bool Puede_Modificar() const { return puedeModificar == 1; }
};

// ---- Selection block (positions 160 to 243) --------------------------------------

struct TSeleccion {
  QString textoPaciente;           // 160 patient display text
  double idPaciente = 0;           // 168 ID_PACIENTE; at close, the record key the screen held
  double idFicha = 0;              // 176 ID_MLENTILLA to open; 0 = start on a new record
  int32_t ultimaFicha = 0;         // 184 the patient's last lens record number
  int32_t numGraduaciones = 0;     // 188
  int32_t numLentillas = 0;        // 192
  int32_t numAudifonos = 0;        // 196
  int32_t numOptometrias = 0;      // 200
  int32_t numOptometriasReducidas = 0;  // 204
  uint8_t tieneFichas = 0;         // 208 the patient has lens records
  uint8_t fichaGrabada = 0;        // 209 set after every save
  uint8_t moduloAbierto = 0;       // 210 1 while the lens screen is open
  QString textos[8];               // 212..240; the first three are written back at close
};

// ---- Hand-off block (positions 512 to 739, sale lines at 1136 and 1440) -----------

struct TTraspaso {
  int32_t operacion = 0;           // 512 1 direct sale, 2 customer order
  int32_t valor516 = 0;            // 516
  int32_t valor520 = 0;            // 520
  uint8_t valor524 = 0;            // 524
  int32_t marca528 = -1;           // 528 -1: nothing preselected
  int32_t marca552 = -1;           // 552
  int32_t idFicha = -1;            // 576 lens record key
  int32_t codigoPaciente = 0;      // 580
  int32_t idDoctor = -1;           // 584 further keys of the lens record
  int32_t idAgente = -1;           // 588
  double fechaFicha = 0;           // 592
  // 600 to 719: the patient's data, in this order
  int32_t idPaciente = -1;
  int32_t codigo = 0;
  int32_t idLocalidad = -1;
  int32_t idProvincia = -1;
  QString nombre;
  QString apellidos;
  QString direccion;
  QString nif;
  QString telefono;
  QString telefonoMovil;
  double fechaNacimiento = 0;
  double fechaAlta = 0;
  double fechaUltimaVisita = 0;
  double fechaModificacion = 0;
  int32_t marca736 = -1;           // 736
};

// One sale line handed to the sales or order module.
struct TLineaVenta {
  uint8_t activa = 0;              // 0   1 for a line with an article
  uint8_t nueva = 0;               // 1   0
  int32_t contador = 0;            // 4
  int32_t idArticulo = -1;         // 8
  QString referencia;              // 12
  QString descripcion;             // 16  the article edit's text
  double importe = 0;              // 24  amount in the main currency
  int32_t cantidad = 0;            // 216 1 for a line with an article
};

// ---- Article search record (shared with the article-search module) ---------------

struct TRegistroBusqueda {
  double idArticulo = -1;          // 0
  double segundaClave = -1;        // 8
  int32_t codigo = -1;             // 16
  double numero = 0;               // 24
  QString texto;                   // 32 search text
  QString segundoTexto;            // 36
};

// ---- The host context ------------------------------------------------------------

struct THostContext {
  TAplicacion* aplicacion = nullptr;        // 4
  TIBDatabase* conexionPrincipal = nullptr;  // 8  main company database (connection B)
  TIBDatabase* conexionSecundaria = nullptr; // 12 second attachment (connection A)
  TIBTransaction* transaccion = nullptr;    // 20 transaction of the data module's datasets
  TPuesto* puesto = nullptr;                // 24
  TEmpresa* empresa = nullptr;              // 28
  TUsuario* usuario = nullptr;              // 32
  TMoneda* moneda = nullptr;                // 40
  TBDAcceso* acceso = nullptr;              // 44 access logger
  TCtrlTeclado* textoNumerico = nullptr;    // 56 numeric-text service
  TCtrlTeclado* teclado = nullptr;          // 64 keyboard controller
  TSeleccion seleccion;                     // 160..243
  TTraspaso traspaso;                       // 512..739
  double idArticuloElegido = -1;            // 888 article chosen in the article module
  // The barcode (a GTIN) an article the article module is started to create
  // should carry, empty when none: set only while the module starts. Added by
  // this system for the lens box scan; it has no position in the old record.
  QString codigoBarrasArticulo;
  TLineaVenta lineasVenta[2];               // 1136 right eye, 1440 left eye
};

// Every module exports exactly this entry.
using TCargarDll = int32_t (*)(THostContext*);
