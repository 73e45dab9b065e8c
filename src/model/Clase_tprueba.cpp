#include "Clase_tprueba.h"

#include <QRegularExpression>

#include "Contexto_host.h"
#include "Util_locale.h"

TPrueba::TPrueba(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB),
      agente_(std::make_unique<TAgente>(owner, conexionA, conexionB)),
      tipoOD_(std::make_unique<TTLentilla>(owner, conexionA, conexionB)),
      tipoOI_(std::make_unique<TTLentilla>(owner, conexionA, conexionB)) {}

// The same parameters serve the insert and the update; the update's colour
// parameters are spelled OD_COLOR_ART where the insert has OD_COlOR_ART, and
// parameter names are matched without regard to case.
void TPrueba::Poner_Parametros(TIBQuery& q) {
  const auto p = [&](const char* n) -> TParam& { return q.ParamByName(QLatin1String(n)); };
  p("ID_PACIENTE").AsFloat(ID_PACIENTE());
  p("NUMERO_FICHA").AsInteger(static_cast<qint64>(NUMERO_FICHA()));
  p("FECHA").AsDateTime(FECHA());
  p("OD_RADIO_1").AsString(OD_RADIO_1());
  p("OD_RADIO_2").AsString(OD_RADIO_2());
  p("OD_ESFERA").AsFloat(OD_ESFERA());
  p("OD_CILINDRO").AsFloat(OD_CILINDRO());
  p("OD_EJE").AsInteger(OD_EJE());
  p("OD_DIAMETRO").AsFloat(OD_DIAMETRO());
  p("OD_ZONA_OPTICA").AsFloat(OD_ZONA_OPTICA());
  p("OD_ADICION").AsFloat(OD_ADICION());
  p("OD_AGUDEZA_VISUAL").AsFloat(OD_AGUDEZA_VISUAL());
  p("OI_RADIO_1").AsString(OI_RADIO_1());
  p("OI_RADIO_2").AsString(OI_RADIO_2());
  p("OI_ESFERA").AsFloat(OI_ESFERA());
  p("OI_CILINDRO").AsFloat(OI_CILINDRO());
  p("OI_EJE").AsInteger(OI_EJE());
  p("OI_DIAMETRO").AsFloat(OI_DIAMETRO());
  p("OI_ZONA_OPTICA").AsFloat(OI_ZONA_OPTICA());
  p("OI_ADICION").AsFloat(OI_ADICION());
  p("OI_AGUDEZA_VISUAL").AsFloat(OI_AGUDEZA_VISUAL());
  p("OD_SOB_ESFERA").AsFloat(OD_SOB_ESFERA());
  p("OD_SOB_CILINDRO").AsFloat(OD_SOB_CILINDRO());
  p("OD_SOB_EJE").AsInteger(OD_SOB_EJE());
  p("OD_SOB_AGUDEZA_VISUAL").AsFloat(OD_SOB_AGUDEZA_VISUAL());
  p("OI_SOB_ESFERA").AsFloat(OI_SOB_ESFERA());
  p("OI_SOB_CILINDRO").AsFloat(OI_SOB_CILINDRO());
  p("OI_SOB_EJE").AsInteger(OI_SOB_EJE());
  p("OI_SOB_AGUDEZA_VISUAL").AsFloat(OI_SOB_AGUDEZA_VISUAL());
  p("OD_TLENTILLA_ART").AsFloat(TLentilla_OD().ID_TLENTILLA());
  p("OD_REFERENCIA_ART").AsString(OD_REFERENCIA_ART());
  p("OD_DESCRIPCION_ART").AsString(OD_DESCRIPCION_ART());
  p("OD_MODELO_ART").AsString(OD_MODELO_ART());
  p("OD_RADIO_1_ART").AsString(OD_RADIO_1_ART());
  p("OD_RADIO_2_ART").AsString(OD_RADIO_2_ART());
  p("OD_DIAMETRO_ART").AsFloat(OD_DIAMETRO_ART());
  p("OD_COLOR_ART").AsString(OD_COLOR_ART());
  p("OI_TLENTILLA_ART").AsFloat(TLentilla_OI().ID_TLENTILLA());
  p("OI_REFERENCIA_ART").AsString(OI_REFERENCIA_ART());
  p("OI_DESCRIPCION_ART").AsString(OI_DESCRIPCION_ART());
  p("OI_MODELO_ART").AsString(OI_MODELO_ART());
  p("OI_RADIO_1_ART").AsString(OI_RADIO_1_ART());
  p("OI_RADIO_2_ART").AsString(OI_RADIO_2_ART());
  p("OI_DIAMETRO_ART").AsFloat(OI_DIAMETRO_ART());
  p("OI_COLOR_ART").AsString(OI_COLOR_ART());
  p("ID_AGENTE").AsFloat(Agente().ID());
  p("OD_LOTE").AsString(OD_LOTE());
  p("OI_LOTE").AsString(OI_LOTE());
}

int TPrueba::Insertar() {
  try {
    Preparar(1, Catalogo()[291]);
    Poner_Parametros(Consulta(1));
    const int r = Ejecutar(1);
    Cerrar(1);
    if (r != 0) return -1;
    Preparar(6, QStringLiteral("ID_PLENTILLA"));
    Ejecutar(6);
    ID_PRUEBA_LENTILLAS(Procedimiento(6).ParamByName(QStringLiteral("ID")).AsFloat());
    Cerrar(6);
  } catch (...) {
    return -1;
  }
  return Grabar_Observaciones();
}

int TPrueba::Modificar() {
  try {
    Preparar(1, Catalogo()[292]);
    Poner_Parametros(Consulta(1));
    Consulta(1).ParamByName(QStringLiteral("ID_PRUEBA_LENTILLAS")).AsFloat(ID_PRUEBA_LENTILLAS());
    const int r = Ejecutar(1);
    Cerrar(1);
    if (r != 0) return -1;
  } catch (...) {
    return -1;
  }
  return Grabar_Observaciones();
}

int TPrueba::Grabar_Observaciones() {
  try {
    const int r = Grabar_Texto_Unico(
        QStringLiteral("select Count(ID_MLENTILLA) from PLOBSERVACIONES Where ID_MLENTILLA = :ID_MLENTILLA"),
        QStringLiteral("ID_MLENTILLA"), ID_PRUEBA_LENTILLAS(), 298, 297, QStringLiteral("ID_MLENTILLA"),
        Observaciones().join(QLatin1Char('\n')));
    return r == 0 ? 0 : -1;
  } catch (...) {
    return -1;
  }
}

int TPrueba::Borrar() {
  TAplicacion* app = Aplicacion();
  if (!app || app->MessageBox(QStringLiteral("¿Esta seguro de querer borrar esta prueba de Lentillas?"),
                              QStringLiteral("PREGUNTA"), mb::YESNO | mb::ICONQUESTION) != mb::IDYES)
    return -6;
  try {
    Preparar(1, Catalogo()[293]);
    Consulta(1).ParamByName(QStringLiteral("ID_PRUEBA")).AsFloat(ID_PRUEBA_LENTILLAS());
    const int r = Ejecutar(1);
    Cerrar(1);
    // A test that was never stored has nothing to delete: that is not a failure.
    return r == 0 || r == TBase::kNingunaFila ? 0 : -1;
  } catch (...) {
    return -1;
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
  double tipoOD = -1, tipoOI = -1, idAgente = -1;
  try {
    Preparar(6, QStringLiteral("BUSCAR_PRUEBA_LENTILLA"));
    TIBStoredProc& sp = Procedimiento(6);
    sp.ParamByName(QStringLiteral("ORG_ID")).AsFloat(ID_PRUEBA_LENTILLAS());
    sp.ParamByName(QStringLiteral("ORG_ID_PACIENTE")).AsFloat(-1);
    sp.ParamByName(QStringLiteral("ORG_NUMERO_FICHA")).AsFloat(-1);
    Ejecutar(6);
    const auto res = [&](const char* n) -> TParam& { return sp.ParamByName(QLatin1String(n)); };
    if (res("RES_RESULTADO").AsInteger() <= 0) {
      Cerrar(6);
      return 0;
    }
    ID_PACIENTE(res("RES_ID_PACIENTE").AsFloat());
    NUMERO_FICHA(res("RES_NUMERO_FICHA").AsInteger());
    FECHA(res("RES_FECHA").AsDateTime());
    OD_ESFERA(res("RES_OD_ESFERA").AsFloat());
    OD_CILINDRO(res("RES_OD_CILINDRO").AsFloat());
    OD_EJE(res("RES_OD_EJE").AsInteger());
    OD_AGUDEZA_VISUAL(res("RES_OD_AGUDEZA_VISUAL").AsFloat());
    OD_ADICION(res("RES_OD_ADICION").AsFloat());
    OD_DIAMETRO(res("RES_OD_DIAMETRO").AsFloat());
    OD_ZONA_OPTICA(res("RES_OD_ZONA_OPTICA").AsFloat());
    OI_ESFERA(res("RES_OI_ESFERA").AsFloat());
    OI_CILINDRO(res("RES_OI_CILINDRO").AsFloat());
    OI_EJE(res("RES_OI_EJE").AsInteger());
    OI_AGUDEZA_VISUAL(res("RES_OI_AGUDEZA_VISUAL").AsFloat());
    OI_ADICION(res("RES_OI_ADICION").AsFloat());
    OI_DIAMETRO(res("RES_OI_DIAMETRO").AsFloat());
    OI_ZONA_OPTICA(res("RES_OI_ZONA_OPTICA").AsFloat());
    OD_RADIO_1(res("RES_OD_RADIO_1").AsString());
    OD_RADIO_2(res("RES_OD_RADIO_2").AsString());
    OI_RADIO_1(res("RES_OI_RADIO_1").AsString());
    OI_RADIO_2(res("RES_OI_RADIO_2").AsString());
    OD_SOB_ESFERA(res("RES_OD_SOB_ESFERA").AsFloat());
    OD_SOB_CILINDRO(res("RES_OD_SOB_CILINDRO").AsFloat());
    OD_SOB_EJE(res("RES_OD_SOB_EJE").AsInteger());
    OD_SOB_AGUDEZA_VISUAL(res("RES_OD_SOB_AGUDEZA_VISUAL").AsFloat());
    OI_SOB_ESFERA(res("RES_OI_SOB_ESFERA").AsFloat());
    OI_SOB_CILINDRO(res("RES_OI_SOB_CILINDRO").AsFloat());
    OI_SOB_EJE(res("RES_OI_SOB_EJE").AsInteger());
    OI_SOB_AGUDEZA_VISUAL(res("RES_OI_SOB_AGUDEZA_VISUAL").AsFloat());
    tipoOD = res("RES_OD_TIPO_LENTILLA_ART").AsFloat();
    OD_REFERENCIA_ART(res("RES_OD_REFERENCIA_ART").AsString());
    OD_DESCRIPCION_ART(res("RES_OD_DESCRIPCION_ART").AsString());
    OD_MODELO_ART(res("RES_OD_MODELO_ART").AsString());
    OD_RADIO_1_ART(res("RES_OD_RADIO_1_ART").AsString());
    OD_RADIO_2_ART(res("RES_OD_RADIO_2_ART").AsString());
    OD_DIAMETRO_ART(res("RES_OD_DIAMETRO_ART").AsFloat());
    OD_COLOR_ART(res("RES_OD_COLOR_ART").AsString());
    tipoOI = res("RES_OI_TIPO_LENTILLA_ART").AsFloat();
    OI_REFERENCIA_ART(res("RES_OI_REFERENCIA_ART").AsString());
    OI_DESCRIPCION_ART(res("RES_OI_DESCRIPCION_ART").AsString());
    OI_MODELO_ART(res("RES_OI_MODELO_ART").AsString());
    OI_RADIO_1_ART(res("RES_OI_RADIO_1_ART").AsString());
    OI_RADIO_2_ART(res("RES_OI_RADIO_2_ART").AsString());
    OI_DIAMETRO_ART(res("RES_OI_DIAMETRO_ART").AsFloat());
    OI_COLOR_ART(res("RES_OI_COLOR_ART").AsString());
    idAgente = res("RES_ID_AGENTE").AsFloat();
    OD_LOTE(res("RES_OD_LOTE").AsString());
    OI_LOTE(res("RES_OI_LOTE").AsString());
    Cerrar(6);
  } catch (...) {
    return resultado_ = -1;
  }
  if (Cargar_Tipo(TLentilla_OD(), tipoOD) != 0 || Cargar_Tipo(TLentilla_OI(), tipoOI) != 0) return resultado_ = -1;
  // The agent keeps the stored key even when it can no longer be loaded: the
  // screen selects the test's agent by that key.
  Agente().ID(idAgente);
  Agente().Buscar_Por_Id(0);
  return resultado_ = Cargar_Observaciones();
}

int TPrueba::Cargar_Observaciones() {
  try {
    Preparar(1, Catalogo()[301]);
    Consulta(1).ParamByName(QStringLiteral("ID_PLENTILLA")).AsFloat(ID_PRUEBA_LENTILLAS());
    Observaciones().clear();
    if (Ejecutar(1) == 0) {
      ID_PLOBSERVACIONES(Consulta(1).FieldByName(QStringLiteral("ID_PLOBSERVACIONES")).AsFloat());
      const QString texto = Consulta(1).FieldByName(QStringLiteral("OBSERVACIONES")).AsString();
      // Other modules may have written the text with Windows line breaks.
      if (!texto.isEmpty()) Observaciones() = texto.split(QRegularExpression(QStringLiteral("\r\n|\n")));
    } else {
      ID_PLOBSERVACIONES(0);
    }
    Cerrar(1);
    return 0;
  } catch (...) {
    return -1;
  }
}

int TPrueba::Cargar_Lista_Pruebas() {
  try {
    listaPruebas_ = Lista_Claves(295, QStringLiteral("ID_PACIENTE"), ID_PACIENTE());
    return 0;
  } catch (...) {
    return -1;
  }
}

double TPrueba::Siguiente_Numero() {
  try {
    Preparar(1, Catalogo()[296]);
    Consulta(1).ParamByName(QStringLiteral("ID_PACIENTE")).AsFloat(ID_PACIENTE());
    Ejecutar(1);
    // A patient without tests reads an empty maximum, that is 0.
    NUMERO_SIGUIENTE(Consulta(1).FieldByName(QStringLiteral("MAX")).AsFloat() + 1);
    Cerrar(1);
    return NUMERO_SIGUIENTE();
  } catch (...) {
    return -1;
  }
}

void TPrueba::Resumen_Articulos() {
  const auto resumen = [](const QString& referencia, const QString& modelo, const QString& radio1,
                          const QString& radio2, double diametro, const QString& color) {
    return QStringLiteral("Referencia: ") + referencia + QLatin1Char('\n') + QStringLiteral("Modelo: ") + modelo +
           QLatin1Char('\n') + QStringLiteral("Radio 1: ") + radio1 + QLatin1Char('\n') +
           QStringLiteral("Radio 2: ") + radio2 + QLatin1Char('\n') + QStringLiteral("Diametro: ") +
           locale_es::Float_A_Texto(diametro) + QLatin1Char('\n') + QStringLiteral("Color: ") + color +
           QLatin1Char('\n');
  };
  resumenOD_ = resumen(OD_REFERENCIA_ART(), OD_MODELO_ART(), OD_RADIO_1_ART(), OD_RADIO_2_ART(), OD_DIAMETRO_ART(),
                       OD_COLOR_ART());
  resumenOI_ = resumen(OI_REFERENCIA_ART(), OI_MODELO_ART(), OI_RADIO_1_ART(), OI_RADIO_2_ART(), OI_DIAMETRO_ART(),
                       OI_COLOR_ART());
}
