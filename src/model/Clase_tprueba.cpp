#include "Clase_tprueba.h"

#include <QRegularExpression>

#include "Contexto_host.h"
#include "Ibx_query.h"
#include "Util_locale.h"

TPrueba::TPrueba(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB),
      agente_(std::make_unique<TAgente>(owner, conexionA, conexionB)),
      tipos_{std::make_unique<TTLentilla>(owner, conexionA, conexionB),
             std::make_unique<TTLentilla>(owner, conexionA, conexionB)} {}

namespace {
const char* const kPrefijoOjo[] = {"OD_", "OI_"};
}  // namespace

// The same parameters serve the insert and the update.
void TPrueba::Poner_Parametros(TIBQuery& q) {
  const auto p = [&](const char* n) -> TParam& { return q.ParamByName(QLatin1String(n)); };
  p("ID_PACIENTE").AsFloat(ID_PACIENTE());
  p("NUMERO_FICHA").AsInteger(static_cast<qint64>(NUMERO_FICHA()));
  p("FECHA").AsDateTime(FECHA());
  for (int o = 0; o < 2; ++o) {
    for (const auto& c : kCamposOjoPrueba) Poner_Campo_Ojo(q.ParamByName(Nombre_Campo_Ojo("", o, c)), ojos_[o], c);
    q.ParamByName(QLatin1String(kPrefijoOjo[o]) + QLatin1String("TLENTILLA_ART")).AsFloat(tipos_[o]->ID_TLENTILLA());
  }
  p("ID_AGENTE").AsFloat(Agente().ID());
}

int TPrueba::Insertar() {
  try {
    {
      TSentencia s(*this, 1, sql::kInsertarPrueba);
      Poner_Parametros(s.Consulta());
      if (s.Ejecutar() != 0) return -1;
    }
    TSentencia clave(*this, 6, QStringLiteral("ID_PLENTILLA"));
    clave.Ejecutar();
    ID_PRUEBA_LENTILLAS(clave.Parametro(QStringLiteral("ID")).AsFloat());
  } catch (const EIBError& e) {
    return Fallo(e);
  }
  return Grabar_Observaciones();
}

int TPrueba::Modificar() {
  try {
    TSentencia s(*this, 1, sql::kActualizarPrueba);
    Poner_Parametros(s.Consulta());
    s.Parametro(QStringLiteral("ID_PRUEBA_LENTILLAS")).AsFloat(ID_PRUEBA_LENTILLAS());
    if (s.Ejecutar() != 0) return -1;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
  return Grabar_Observaciones();
}

int TPrueba::Comprobar_Version(QString& quien, double& cuando) {
  return Comprobar_Version_Fila(QStringLiteral("select VERSION, MODIFICADO_POR, MODIFICADO_EN from PLENTILLA "
                                               "where ID_PRUEBA_LENTILLAS = :ID with lock"),
                                QStringLiteral("ID"), ID_PRUEBA_LENTILLAS(), VERSION(), quien, cuando);
}

int TPrueba::Grabar_Observaciones() {
  try {
    const int r = Grabar_Texto_Unico(QStringLiteral("PLOBSERVACIONES"), QStringLiteral("ID_MLENTILLA"),
                                     ID_PRUEBA_LENTILLAS(), Observaciones().join(QLatin1Char('\n')));
    return r == 0 ? 0 : -1;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TPrueba::Borrar() {
  TAplicacion* app = Aplicacion();
  if (!app || app->MessageBox(QStringLiteral("¿Esta seguro de querer borrar esta prueba de Lentillas?"),
                              QStringLiteral("PREGUNTA"), mb::YESNO | mb::ICONQUESTION) != mb::IDYES)
    return -6;
  try {
    TSentencia s(*this, 1, sql::kBorrarPrueba);
    s.Parametro(QStringLiteral("ID_PRUEBA")).AsFloat(ID_PRUEBA_LENTILLAS());
    const int r = s.Ejecutar();
    // A test that was never stored has nothing to delete: that is not a failure.
    return r == 0 || r == TBase::kNingunaFila ? 0 : -1;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TPrueba::Cargar_Tipo(TTLentilla& tipo, double clave) {
  tipo.ID_TLENTILLA(clave);
  const int r = tipo.Buscar();
  if (r == -5) {
    tipo.ID_TLENTILLA(-1);
    return 0;
  }
  return r == -1 ? -1 : 0;
}

int TPrueba::Buscar() {
  double tipos[2] = {-1, -1};
  double idAgente = -1;
  try {
    TSentencia s(*this, 6, QStringLiteral("BUSCAR_PRUEBA_LENTILLA"));
    s.Parametro(QStringLiteral("ORG_ID")).AsFloat(ID_PRUEBA_LENTILLAS());
    s.Parametro(QStringLiteral("ORG_ID_PACIENTE")).AsFloat(-1);
    s.Parametro(QStringLiteral("ORG_NUMERO_FICHA")).AsFloat(-1);
    s.Ejecutar();
    const auto res = [&](const char* n) -> TParam& { return s.Parametro(QLatin1String(n)); };
    if (res("RES_RESULTADO").AsInteger() <= 0) return 0;
    ID_PACIENTE(res("RES_ID_PACIENTE").AsFloat());
    NUMERO_FICHA(res("RES_NUMERO_FICHA").AsInteger());
    FECHA(res("RES_FECHA").AsDateTime());
    for (int o = 0; o < 2; ++o) {
      for (const auto& c : kCamposOjoPrueba) Leer_Campo_Ojo(s.Parametro(Nombre_Campo_Ojo("RES_", o, c)), ojos_[o], c);
      tipos[o] = s.Parametro(QLatin1String("RES_") + QLatin1String(kPrefijoOjo[o]) + QLatin1String("TIPO_LENTILLA_ART"))
                     .AsFloat();
    }
    idAgente = res("RES_ID_AGENTE").AsFloat();
    VERSION(res("RES_VERSION").AsInteger());
  } catch (const EIBError& e) {
    return resultado_ = Fallo(e);
  }
  if (Cargar_Tipo(TLentilla_OD(), tipos[0]) != 0 || Cargar_Tipo(TLentilla_OI(), tipos[1]) != 0)
    return resultado_ = -1;
  // The agent keeps the stored key even when it can no longer be loaded: the
  // screen selects the test's agent by that key.
  Agente().ID(idAgente);
  Agente().Buscar_Por_Id(0);
  return resultado_ = Cargar_Observaciones();
}

int TPrueba::Cargar_Observaciones() {
  try {
    // The text in the row when it is short (texto_blob): one round trip.
    TSentencia s(*this, 1,
                 QStringLiteral("Select ID_PLOBSERVACIONES, ") + texto_blob::Columna(QStringLiteral("OBSERVACIONES")) +
                     QStringLiteral(" from PLOBSERVACIONES where ID_MLENTILLA = :ID_PLENTILLA"));
    s.Parametro(QStringLiteral("ID_PLENTILLA")).AsFloat(ID_PRUEBA_LENTILLAS());
    Observaciones().clear();
    if (s.Ejecutar() == 0) {
      ID_PLOBSERVACIONES(s.Campo(QStringLiteral("ID_PLOBSERVACIONES")).AsFloat());
      const QString texto = texto_blob::Leer(s, QStringLiteral("OBSERVACIONES"));
      // Other modules may have written the text with Windows line breaks.
      if (!texto.isEmpty()) Observaciones() = texto.split(QRegularExpression(QStringLiteral("\r\n|\n")));
    } else {
      ID_PLOBSERVACIONES(0);
    }
    return 0;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

int TPrueba::Cargar_Lista_Pruebas() {
  try {
    listaPruebas_ = Lista_Claves(sql::kClavesPruebas, QStringLiteral("ID_PACIENTE"), ID_PACIENTE());
    return 0;
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

double TPrueba::Siguiente_Numero() {
  try {
    {
      TSentencia s(*this, 1, sql::kMayorNumeroPrueba);
      s.Parametro(QStringLiteral("ID_PACIENTE")).AsFloat(ID_PACIENTE());
      s.Ejecutar();
      // A patient without tests reads an empty maximum, that is 0.
      NUMERO_SIGUIENTE(s.Campo(QStringLiteral("MAX")).AsFloat() + 1);
    }
    return NUMERO_SIGUIENTE();
  } catch (const EIBError& e) {
    return Fallo(e);
  }
}

void TPrueba::Resumen_Articulos() {
  const auto resumen = [](const TPruebaOjo& o) {
    return QStringLiteral("Referencia: ") + o.referenciaArt + QLatin1Char('\n') + QStringLiteral("Modelo: ") +
           o.modeloArt + QLatin1Char('\n') + QStringLiteral("Radio 1: ") + o.radio1Art + QLatin1Char('\n') +
           QStringLiteral("Radio 2: ") + o.radio2Art + QLatin1Char('\n') + QStringLiteral("Diametro: ") +
           locale_es::Float_A_Texto(o.diametroArt) + QLatin1Char('\n') + QStringLiteral("Color: ") + o.colorArt +
           QLatin1Char('\n');
  };
  resumenOD_ = resumen(ojos_[0]);
  resumenOI_ = resumen(ojos_[1]);
}
