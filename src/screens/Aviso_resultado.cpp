#include "Aviso_resultado.h"
#include "Etiquetas_lentilla.h"

#include <QDateTime>

#include "Frm_error.h"
#include "Util_fechas.h"

namespace {
using Estado = TResultado::TEstado;

const QString kAviso = QStringLiteral("AVISO");
const QString kPregunta = QStringLiteral("PREGUNTA");

QString Nombre(TEscrito que) {
  switch (que) {
    case TEscrito::kPrueba: return QStringLiteral("prueba");
    case TEscrito::kReposiciones: return QStringLiteral("lista de reposiciones");
    default: return QStringLiteral("ficha");
  }
}

QString Etiqueta(TEscrito que, TAccion accion) {
  const bool grabar = accion == TAccion::kGrabar;
  switch (que) {
    case TEscrito::kDefinitiva: return QLatin1String(etiqueta::kbtnPruebaDefinitiva_OnClick);
    case TEscrito::kReposiciones:
      return grabar ? QLatin1String(etiqueta::kbtnReposicionGrabar_OnClick) : QLatin1String(etiqueta::kbtnReposicionBorrar_OnClick);
    case TEscrito::kPrueba:
      return grabar ? QLatin1String(etiqueta::kbtnPruebaGrabar_OnClick) : QLatin1String(etiqueta::kbtnPruebaBorrar_OnClick);
    case TEscrito::kFicha: break;
  }
  return grabar ? QLatin1String(etiqueta::kbtnGrabar_OnClick) : QLatin1String(etiqueta::kbtnBorrar_OnClick);
}

QString Sin_Derecho(TEscrito que) {
  switch (que) {
    case TEscrito::kPrueba: return QStringLiteral("Su usuario no puede grabar ni borrar pruebas.");
    case TEscrito::kReposiciones:
      return QStringLiteral("Su usuario no puede cambiar las reposiciones mientras se muestra una ficha guardada.");
    default: return QStringLiteral("Su usuario no puede cambiar ni borrar fichas guardadas.");
  }
}

// Another workstation changed the row since it was read: who, when, and
// whether the user wants to see it as it is now.
QString Texto_Cambio_Ajeno(TEscrito que, const QString& quien, double cuando) {
  if (que == TEscrito::kReposiciones)
    return QStringLiteral("Otro puesto ha cambiado las reposiciones de este paciente después de que usted las "
                          "abriera. No se ha grabado nada, para no perder ese cambio.\n\n¿Quiere ver la lista como ha "
                          "quedado? Sí: se vuelve a leer y se pierde lo que usted ha escrito. No: lo que ha escrito "
                          "sigue en pantalla sin grabar.");
  const QDateTime momento = fechas::A_QDateTime(cuando);
  return QStringLiteral("%1 ha cambiado esta %2 el %3 a las %4, después de que usted la abriera. No se ha grabado "
                        "nada, para no perder ese cambio.\n\n¿Quiere ver la %2 como ha quedado? Sí: se vuelve a "
                        "leer y se pierde lo que usted ha escrito. No: lo que ha escrito sigue en pantalla sin grabar.")
      .arg(quien.isEmpty() ? QStringLiteral("Otro puesto") : QStringLiteral("Otro puesto (%1)").arg(quien.trimmed()),
           Nombre(que), momento.toString(QStringLiteral("dd/MM/yyyy")), momento.toString(QStringLiteral("HH:mm")));
}
}  // namespace

bool Avisar_Resultado(THostContext* ctx, const TResultado& r, TEscrito que, TAccion accion) {
  TAplicacion* app = ctx->aplicacion;
  const bool grabar = accion == TAccion::kGrabar;
  const QString nada = grabar ? QStringLiteral(" No se ha grabado nada y los datos siguen en pantalla")
                              : QStringLiteral(" No se ha borrado nada");
  switch (r.Estado()) {
    case Estado::kHecho:
    case Estado::kNoConfirmado: return false;
    case Estado::kSinDerecho:
      app->MessageBox(Sin_Derecho(que) + (grabar ? QStringLiteral(" No se ha grabado nada.")
                                                 : QStringLiteral(" No se ha borrado nada.")),
                      kAviso, mb::OK | mb::ICONWARNING);
      return false;
    case Estado::kCambiadoPorOtro:
      return app->MessageBox(Texto_Cambio_Ajeno(que, r.Quien(), r.Cuando()), kPregunta,
                             mb::YESNO | mb::ICONQUESTION) == mb::IDYES;
    case Estado::kBorradoPorOtro:
      app->MessageBox(
          que == TEscrito::kPrueba
              ? QStringLiteral("Otro puesto ha borrado esta prueba después de que usted la abriera. No se ha grabado "
                               "nada y los datos siguen en pantalla: si quiere conservarlos, pulse Grabar y se "
                               "guardarán como una prueba nueva.")
              : QStringLiteral("Otro puesto ha borrado esta ficha después de que usted la abriera. No se ha grabado "
                               "nada y los datos siguen en pantalla: si quiere conservarlos, cópielos en una ficha "
                               "nueva."),
          kAviso, mb::OK | mb::ICONWARNING);
      return false;
    case Estado::kBloqueado:
      app->MessageBox(QStringLiteral("Otra estación está grabando esta %1 en este momento.").arg(Nombre(que)) + nada +
                          QStringLiteral(": inténtelo de nuevo dentro de un momento."),
                      kAviso, mb::OK | mb::ICONWARNING);
      return false;
    case Estado::kSinNumero:
      app->MessageBox(QStringLiteral("Otros puestos están creando fichas de este paciente a la vez y no queda un "
                                     "número libre. No se ha grabado nada y los datos siguen en pantalla: inténtelo "
                                     "de nuevo."),
                      kAviso, mb::OK | mb::ICONWARNING);
      return false;
    case Estado::kNoAdmitido:
      app->MessageBox(QStringLiteral("La base de datos no admite un dato de la %1.").arg(Nombre(que)) + nada +
                          QStringLiteral(": corríjalo e inténtelo de nuevo.\n\n") + r.Descripcion(),
                      kAviso, mb::OK | mb::ICONWARNING);
      return false;
    case Estado::kInesperado: break;
  }
  // A failure of the database itself that the shop can act on (a full disk,
  // the server gone, the database shut down): said in Spanish, what to do
  // first, the engine's words as details.
  if (const QString base = r.Fallo_De_La_Base(); !base.isEmpty()) {
    app->MessageBox(base + QLatin1Char('\n') + nada.trimmed() +
                        QStringLiteral(".\n\nDetalles: ") + r.Causa()->Message(),
                    kAviso, mb::OK | mb::ICONSTOP);
    return false;
  }
  TfrmError::Mostrar(ctx, Etiqueta(que, accion),
                     r.Causa() ? r.Causa()->Message()
                               : (grabar ? QStringLiteral("La grabación de la %1 ha fallado (resultado %2).")
                                         : QStringLiteral("El borrado de la %1 ha fallado (resultado %2)."))
                                     .arg(Nombre(que))
                                     .arg(r.Codigo()));
  return false;
}
