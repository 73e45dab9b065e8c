#pragma once
// The prescription as the QR code printed on it carries it, so that another
// workstation of the program (or another program) reads it back with a scan.
//
// The text form, version 1:
//
//   OPTRX1|PAC=<patient>|PRE=<prescriber>|COL=<registration>|FEC=<date>
//         |REV=<revision>|CAD=<expiry>|OD=<eye>|OI=<eye>|LOD=<lens>|LOI=<lens>
//
// (one line, no blanks around "|"). Fields are KEY=VALUE, in any order; a
// reader skips keys it does not know, so later versions of this form add keys
// without a new prefix; a change that would mislead an old reader gets a new
// prefix (OPTRX2). Dates are yyyy-mm-dd, or empty when not set.
//
// An eye is the values of its measurement and graduation, ";" between them,
// in this order: palpebral aperture, pupil diameter, iris diameter, radius 1,
// radius 2, sphere, cylinder, axis, diameter, optical zone, addition, visual
// acuity, keratometry. Numbers have a point as decimal mark and a sign when
// negative ("-2.75", "1.5"); "N" is "Neutro", "C" is "Compen", empty is no
// value; radii and keratometry are the texts typed. A lens is its reference,
// description, lens type and lot, ";" between them.
//
// In any text, "%", "|", ";", "=" and line breaks are written as "%25",
// "%7C", "%3B", "%3D", "%0A" and "%0D".

#include <QDate>
#include <QString>
#include <QStringView>

#include "Graduacion_ojo.h"

namespace receta_qr {

inline const QString kPrefijo = QStringLiteral("OPTRX1");

struct TLenteReceta {
  QString referencia, descripcion, tipo, lote;
};

struct TReceta {
  QString paciente;
  QString prescriptor, colegiado;
  QDate fecha, revision, caducidad;
  TGraduacionOjo ojos[2];  // 0 right (OD), 1 left (OI); graduation codes of Graduacion.h
  TLenteReceta lentes[2];
};

QString Texto(const TReceta& receta);

// Whether a scanned text is a prescription of this form (a QR symbology
// identifier such as "]Q1" before it is allowed).
bool Es_Receta(QStringView texto);

// Reads a prescription's text. False, with `error` saying why in Spanish,
// when it is not one or is damaged; values it does not carry stay as a
// fresh TReceta has them (98: no value).
bool Leer(QStringView texto, TReceta& receta, QString* error = nullptr);

}  // namespace receta_qr
