#include "Variables_documento.h"

#include <QFileInfo>

#include "Clase_tdocumento.h"
#include "Clase_tformato.h"
#include "Clase_tlocalidad.h"
#include "Clase_tpaciente.h"
#include "Contexto_host.h"
#include "Util_fechas.h"
#include "Util_locale.h"

void Variables_Empresa(TDocumento& d, const TEmpresa& e) {
  d.Variable(900, QString::number(e.codigo));
  d.Variable(901, e.nombre);
  d.Variable(902, e.nombreComercial);
  d.Variable(903, e.direccion);
  if (e.localidad && e.localidad->ID_LOCALIDAD() != -1) {
    d.Variable(904, e.localidad->DESCRIPCION());
    d.Variable(905, e.localidad->Provincia().DESCRIPCION());
    d.Variable(906, QString::number(e.localidad->CODIGO_POSTAL()));
  }
  d.Variable(907, e.nif);
  d.Variable(908, e.telefono);
  d.Variable(909, e.fax);
  d.Variable(910, e.email);
  d.Variable(911, e.web);
}

void Variables_Paciente(TDocumento& d, TPaciente& p, const QString& tienda) {
  const TLocalidad& l = p.Localidad();
  d.Variable(100, QString::number(static_cast<int64_t>(p.CODIGO())));
  d.Variable(101, p.APELLIDOS());
  d.Variable(102, p.NOMBRE());
  d.Variable(103, p.APELLIDOS() + QStringLiteral(", ") + p.NOMBRE());
  d.Variable(104, p.DIRECCION());
  d.Variable(105, l.DESCRIPCION());
  d.Variable(106, l.Provincia().DESCRIPCION());
  d.Variable(107, QString::number(l.CODIGO_POSTAL()));
  d.Variable(108, p.TELEFONO());
  d.Variable(109, p.TELEFONO_MOVIL());
  d.Variable(110, p.NIF());
  // A sex not stated (0) is printed so; a code that is no sex, not at all.
  if (p.SEXO() == 0)
    d.Variable(111, QStringLiteral("No Definido"));
  else if (p.SEXO() == 1 || p.SEXO() == 2)
    d.Variable(111, TPaciente::Texto_Sexo(p.SEXO()));
  d.Variable(112, p.PROFESION());
  d.Variable(113, p.VIENE_POR());
  d.Variable(114, fechas::Fecha_A_Texto(p.FECHA_NACIMIENTO()));
  p.Calcular_Edad();
  d.Variable(127, fechas::Fecha_A_Texto(p.FECHA_NACIMIENTO()).isEmpty() ? QString() : QString::number(p.EDAD()));
  d.Variable(115, fechas::Fecha_A_Texto(p.FECHA_PRIMERA_VISITA()));
  d.Variable(116, fechas::Fecha_A_Texto(p.FECHA_ULTIMA_VISITA()));
  d.Variable(117, fechas::Fecha_A_Texto(p.FECHA_CARNET()));
  d.Variable(118, locale_es::Float_A_Texto(p.ULTIMO_DESCUENTO()));
  d.Variable(119, p.CORREO() != 0 ? QStringLiteral("Si") : QStringLiteral("No"));
  d.Variable(120, locale_es::Float_A_Texto(p.TOTAL_COMPRADO_M1()));
  d.Variable(121, locale_es::Float_A_Texto(p.TOTAL_COMPRADO_M2()));
  d.Variable(122, tienda);
  d.Variable(123, p.FOTOGRAFIA());
  d.Variable(124, p.EMAIL());
  d.Variable(125, p.WEB());
  d.Variable(126, p.Observaciones().join(QLatin1Char('\n')));
}

namespace {
// The lens codes of one eye from its right-eye code: OD even, OI odd.
void Lente(TDocumento& d, int od, const TLineaLenteDocumento* l) {
  const auto texto = [l](QString TLineaLenteDocumento::*campo) { return l ? l->*campo : QString(); };
  d.Variable(3620 + od, texto(&TLineaLenteDocumento::tipo));
  d.Variable(3600 + od, texto(&TLineaLenteDocumento::referencia));
  d.Variable(3602 + od, texto(&TLineaLenteDocumento::descripcion));
  d.Variable(3604 + od, texto(&TLineaLenteDocumento::modelo));
  d.Variable(3606 + od, texto(&TLineaLenteDocumento::radio1));
  d.Variable(3608 + od, texto(&TLineaLenteDocumento::radio2));
  d.Variable(3610 + od, texto(&TLineaLenteDocumento::diametro));
  d.Variable(3612 + od, texto(&TLineaLenteDocumento::color));
  d.Variable(3622 + od, texto(&TLineaLenteDocumento::lote));
  d.Variable(3614 + od, texto(&TLineaLenteDocumento::precioM1));
  d.Variable(3616 + od, texto(&TLineaLenteDocumento::precioM2));
  d.Variable(3618 + od, texto(&TLineaLenteDocumento::garantia));
  d.Variable(3624 + od, texto(&TLineaLenteDocumento::gs1));
}
}  // namespace

void Variables_Ficha(TDocumento& d, const TFichaDocumento& f) {
  d.Variable(3400, f.nombre);
  d.Variable(3401, f.apellidos);
  d.Variable(3402, f.apellidos + QStringLiteral(", ") + f.nombre);
  if (!f.conClave) {
    for (int c = 3403; c <= 3441; ++c) d.Variable(c, QString());
    for (int c = 3600; c <= 3625; ++c) d.Variable(c, QString());
    return;
  }
  for (const auto& [c, v] : {std::pair{3403, &f.numero}, {3404, &f.fecha}, {3405, &f.revision}, {3406, &f.limpieza},
                             {3407, &f.caducidad}, {3408, &f.reposicion}, {3409, &f.doctor}, {3440, &f.colegiado},
                             {3410, &f.propiaAjena}, {3412, &f.agente}, {3411, &f.liquidos}})
    d.Variable(c, *v);
  for (int ojo = 0; ojo < 2; ++ojo) {
    const auto& o = f.ojos[ojo];
    d.Variable(3413 + ojo, o.abertura);
    d.Variable(3415 + ojo, o.pupila);
    d.Variable(3417 + ojo, o.iris);
  }
  // The graduation, the right eye whole and then the left.
  for (int ojo = 0; ojo < 2; ++ojo) {
    const auto& o = f.ojos[ojo];
    for (const auto& [c, v] : {std::pair{3419, &o.radio1}, {3421, &o.radio2}, {3423, &o.esfera}, {3425, &o.cilindro},
                               {3427, &o.eje}, {3429, &o.diametro}, {3431, &o.zonaOptica}, {3433, &o.adicion},
                               {3437, &o.queratometria}, {3435, &o.agudeza}})
      d.Variable(c + ojo, *v);
  }
  d.Variable(3439, f.observaciones);
  d.Variable(3441, f.receta);
  bool od = false, oi = false;
  for (const TLineaLenteDocumento& l : f.lentes) {
    Lente(d, l.ojo == 1 ? 0 : 1, &l);
    (l.ojo == 1 ? od : oi) = true;
  }
  if (!od) Lente(d, 0, nullptr);
  if (!oi) Lente(d, 1, nullptr);
}

int Imprimir_Documento(THostContext* ctx, TDocumento& documento, int tipo, const QString& formato, int copias,
                       const std::function<void(TDocumento&)>& rellenar, uint8_t indicador) {
  QString fichero = QFileInfo(formato).fileName();
  if (!fichero.isEmpty() && !fichero.endsWith(QLatin1String(".prn"), Qt::CaseInsensitive))
    fichero += QStringLiteral(".prn");
  documento.Inicializar();
  // No folder and no name leave the file unset: the document says so.
  documento.Fichero_Formato(fichero.isEmpty() ? QString()
                                              : (ctx && ctx->puesto ? ctx->puesto->carpetaFormatos : QString()) +
                                                    QLatin1Char('/') + fichero);
  if (const int r = documento.Leer_Formato(); r != 0) return r;
  const TPuesto* puesto = ctx ? ctx->puesto : nullptr;
  switch (tipo) {
    case tipos_documento::kReceta:
    case tipos_documento::kGarantia:
    case tipos_documento::kFicha:
      if (puesto)
        documento.Texto_Tipo(tipo == tipos_documento::kReceta     ? puesto->textoTipoReceta
                             : tipo == tipos_documento::kGarantia ? puesto->textoTipoGarantia
                                                                  : puesto->textoTipoFicha);
      documento.Copias(copias);
      if (tipo != tipos_documento::kFicha && ctx && ctx->empresa) Variables_Empresa(documento, *ctx->empresa);
      break;
    default: break;
  }
  if (rellenar) rellenar(documento);
  TFormato f;
  f.Contexto(ctx);
  f.Documento(&documento);
  f.Indicador(indicador);
  return f.Imprimir();
}
