// The services that write for the record screen, without a window: every
// route to a write meets the same rules (the right, the row's version, the
// record number, one unit of work), and the access log and the diary never
// stop a save. Judged from a second attachment, which sees only what was
// committed.

#include <gtest/gtest.h>

#include <ibase.h>

#include <algorithm>

#include "Anfitrion_prueba.h"
#include "Clase_tdlentilla.h"
#include "Clase_tlentilla.h"
#include "Clase_tprueba.h"
#include "Objetos_lentilla.h"
#include "Servicios_lentilla.h"
#include "Util_fechas.h"

namespace {

using Estado = TResultado::TEstado;

class ServiciosTest : public ::testing::Test {
 protected:
  void SetUp() override {
    objetos.Fijar_Contexto(&h.ctx);
    h.empresa.avisoRevision = 1;
    Ejecutar_SQL(*h.principal, "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, DESCRIPCION, "
                               "PRECIO_VENTA1_M1, PRECIO_VENTA1_M2, PRECIO_PVP1_PVP2) values (9, 3, 'BIOTOR3', "
                               "'Biofinity Toric', 44.9, 7470.73, 0)");
  }
  void Ficha(int id, int numero) {
    Ejecutar_SQL(*h.principal, QString("insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA) "
                                       "values (%1, 7, %2, '2025-01-0%2')")
                                   .arg(id)
                                   .arg(numero));
  }
  TLentilla& Leer(int id) {
    TLentilla& l = objetos.Renovar_Lentilla();
    l.ID_MLENTILLA(id);
    EXPECT_EQ(l.Buscar(), 0);
    return l;
  }
  // A new record of patient 7 as the screen collects it.
  TLentilla& Nueva(int numero) {
    TLentilla& l = objetos.Renovar_Lentilla();
    l.ID_PACIENTE(7);
    l.NUMERO_FICHA(numero);
    l.FECHA(fechas::Codificar(2026, 3, 1));
    l.Observaciones() = QStringList{"Primera adaptación"};
    return l;
  }
  static std::vector<TLineaLentilla> Lineas(const QString& loteOI = "L-OI") {
    TLineaLentilla od, oi;
    od.ojo = 1;
    od.referencia = "BIOTOR3";
    od.lote = "L-OD";
    oi.ojo = 2;
    oi.lote = loteOI;
    return {od, oi};
  }
  qint64 Contar(const QString& sql) { return Consultar_Entero(*h.consulta, sql); }
  // What a write of the record screen can leave behind.
  QList<qint64> Filas() {
    QList<qint64> filas;
    for (const char* tabla : {"MLENTILLA", "LOBSERVACIONES", "DLENTILLA", "ACCESO", "AGENDA", "PLENTILLA", "REPOSICION"})
      filas << Contar(QString("select count(*) from %1").arg(tabla));
    filas << Contar("select coalesce(sum(VERSION), 0) from MLENTILLA");
    return filas;
  }
  // The database refuses every new row of a table from now on.
  void Rechazar(const QString& tabla) {
    Ejecutar_SQL(*h.principal, "create exception RECHAZADA 'rechazada'");
    Ejecutar_SQL(*h.principal,
                 QString("create trigger RECHAZAR for %1 before insert as begin exception RECHAZADA; end").arg(tabla));
  }
  const double kRevision = fechas::Codificar(2026, 9, 1);

  TAnfitrionPrueba h;
  TObjetosLentilla objetos{&h.aplicacion};
  TServiciosLentilla s{h.ctx, objetos};
};

// ---- The right to modify ----------------------------------------------------------------------

// A user without the right creates records and may type a list for a new
// record; nothing stored changes, whichever way the write is asked for, and
// no confirmation is even asked.
TEST_F(ServiciosTest, SinDerechoNadaGuardadoCambia) {
  Ficha(10, 1);
  Ejecutar_SQL(*h.principal, "insert into PLENTILLA (ID_PRUEBA_LENTILLAS, ID_PACIENTE, NUMERO_FICHA) values (20, 7, 1)");
  Ejecutar_SQL(*h.principal, "insert into REPOSICION (ID_REPOSICION, ID_PACIENTE, TIPO_REPOSICION, FECHA, "
                             "OBSERVACIONES) values (30, 7, 2, '2026-01-01', 'Limpieza')");
  h.usuario.idUsuario = 2;
  h.usuario.puedeModificar = 0;
  TLentilla& l = Leer(10);
  l.LIQUIDOS("Renu");
  TPrueba& p = objetos.Prueba();
  p.ID_PRUEBA_LENTILLAS(20);
  ASSERT_EQ(p.Buscar(), 0);
  QList<TFilaReposicion> lista;
  ASSERT_TRUE(s.reposiciones.Leer(7, lista).Hecho_Bien());
  const QList<qint64> antes = Filas();

  EXPECT_EQ(s.fichas.Grabar(l, false, nullptr, kRevision).Estado(), Estado::kSinDerecho);
  EXPECT_EQ(s.fichas.Borrar(l, 7).Estado(), Estado::kSinDerecho);
  EXPECT_EQ(s.pruebas.Grabar(p, false).Estado(), Estado::kSinDerecho);
  EXPECT_EQ(s.pruebas.Grabar(p, true).Estado(), Estado::kSinDerecho);
  EXPECT_EQ(s.pruebas.Borrar(p).Estado(), Estado::kSinDerecho);
  EXPECT_EQ(s.reposiciones.Grabar(7, lista, true).Estado(), Estado::kSinDerecho);
  EXPECT_EQ(s.reposiciones.Borrar(30, true).Estado(), Estado::kSinDerecho);
  EXPECT_EQ(Filas(), antes);
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(l.ID_MLENTILLA(), 10);

  TLentilla& nueva = Nueva(2);
  EXPECT_TRUE(s.fichas.Grabar(nueva, true, nullptr, 0).Hecho_Bien());
  EXPECT_TRUE(s.reposiciones.Grabar(7, lista, false).Hecho_Bien());
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where NUMERO_FICHA = 2"), 1);
}

// ---- One unit, with its optional parts --------------------------------------------------------

TEST_F(ServiciosTest, UnaGrabacionRechazadaNoDejaNadaYElReintentoGrabaUnaVez) {
  const auto lineas = Lineas(QString(60, 'X'));  // LOTE is VARCHAR(50)
  TLentilla& l = Nueva(1);
  const QList<qint64> antes = Filas();
  for (int intento = 0; intento < 2; ++intento) {
    const TResultado r = s.fichas.Grabar(l, true, &lineas, kRevision);
    EXPECT_EQ(r.Estado(), Estado::kNoAdmitido);
    ASSERT_NE(r.Causa(), nullptr);
    EXPECT_TRUE(r.Causa()->Contiene(isc_string_truncation)) << r.Descripcion().toStdString();
    EXPECT_EQ(Filas(), antes);  // no record, observations, line, log row or reminder
    EXPECT_EQ(l.ID_MLENTILLA(), -1);  // still new
  }
  const auto buenas = Lineas();
  ASSERT_TRUE(s.fichas.Grabar(l, true, &buenas, kRevision).Hecho_Bien());
  const qint64 id = static_cast<qint64>(l.ID_MLENTILLA());
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 1);
  EXPECT_EQ(Contar(QString("select count(*) from DLENTILLA where ID_MLENTILLA = %1").arg(id)), 2);
  EXPECT_EQ(Contar(QString("select count(*) from LOBSERVACIONES where ID_MLENTILLA = %1").arg(id)), 1);
  EXPECT_EQ(Contar("select ID_OPERACION from ACCESO where OPERACION_TIP = 4"), id);
  EXPECT_EQ(Contar("select ID_FICHA from AGENDA"), id);
}

// Each line keeps the units supplied, written with the rest of the save and
// read back by the line's search; saving again rewrites them.
TEST_F(ServiciosTest, LasUnidadesDeCadaOjoSeGrabanConLaFicha) {
  auto lineas = Lineas();
  lineas[0].unidades = 6;
  lineas[1].unidades = 3;
  TLentilla& l = Nueva(1);
  ASSERT_TRUE(s.fichas.Grabar(l, true, &lineas, kRevision).Hecho_Bien());
  const double id = l.ID_MLENTILLA();
  auto unidades = [&] {
    TDLentilla d(&h.aplicacion, h.secundaria.get(), h.principal.get());
    d.ID_MLENTILLA(id);
    EXPECT_EQ(d.Cargar_Lista_Lineas(), 0);
    QList<int> u;
    for (const QString& clave : d.Lista_Lineas()) {
      d.ID_DLENTILLA(clave.toDouble());
      EXPECT_EQ(d.Buscar(), 0);
      u << d.OJO() * 100 + d.UNIDADES();
    }
    std::sort(u.begin(), u.end());
    return u;
  };
  EXPECT_EQ(unidades(), QList<int>({106, 203}));
  lineas[0].unidades = 0;
  lineas[1].unidades = 12;
  TLentilla& otra = Leer(static_cast<int>(id));
  ASSERT_TRUE(s.fichas.Grabar(otra, false, &lineas, kRevision).Hecho_Bien());
  EXPECT_EQ(unidades(), QList<int>({100, 212}));
}

// The access log never stops a save: a row the database refuses is left out
// and the rest, the reminder included, is saved.
TEST_F(ServiciosTest, UnRegistroDeAccesoRechazadoNoDetieneNada) {
  Rechazar("ACCESO");
  const auto lineas = Lineas();
  TLentilla& l = Nueva(1);
  const TResultado r = s.fichas.Grabar(l, true, &lineas, kRevision);
  ASSERT_TRUE(r.Hecho_Bien()) << r.Descripcion().toStdString();
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 1);
  EXPECT_EQ(Contar("select count(*) from DLENTILLA"), 2);
  EXPECT_EQ(Contar("select count(*) from AGENDA"), 1);
  EXPECT_EQ(Contar("select count(*) from ACCESO"), 0);

  h.mensajes.respuestas = {mb::IDYES};
  const TResultado borrado = s.fichas.Borrar(l, 7);
  EXPECT_TRUE(borrado.Hecho_Bien()) << borrado.Descripcion().toStdString();
  // Deleted right after it was saved: its observations go with it.
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 0);
  EXPECT_EQ(Contar("select count(*) from LOBSERVACIONES"), 0);
  EXPECT_EQ(Contar("select count(*) from AGENDA"), 0);
}

// Nor does the diary: a reminder the database refuses is undone whole (the
// record's earlier reminder, deleted first, is back) and the record is saved
// with its log row.
TEST_F(ServiciosTest, UnRecordatorioRechazadoDejaElAnteriorYNoDetieneLaGrabacion) {
  Ficha(10, 1);
  Ejecutar_SQL(*h.principal, "insert into AGENDA (ID_AGENDA, TIPO_FICHA, ID_FICHA, PERSONA, FECHA) "
                             "values (1, 2, 10, 'Marta Álvarez Gil', '2026-06-01')");
  Rechazar("AGENDA");
  TLentilla& l = Leer(10);
  l.LIQUIDOS("Renu");
  const TResultado r = s.fichas.Grabar(l, false, nullptr, kRevision);
  ASSERT_TRUE(r.Hecho_Bien()) << r.Descripcion().toStdString();
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where LIQUIDOS = 'Renu' and VERSION = 1"), 1);
  EXPECT_EQ(Contar("select count(*) from ACCESO where OPERACION_TIP = 5 and ID_OPERACION = 10"), 1);
  EXPECT_EQ(Contar("select count(*) from AGENDA where ID_FICHA = 10 and cast(FECHA as date) = '2026-06-01'"), 1);
  EXPECT_EQ(l.VERSION(), 1);
}

// ---- Another workstation ----------------------------------------------------------------------

TEST_F(ServiciosTest, UnCambioDeOtroPuestoNoSeSobrescribe) {
  Ficha(10, 1);
  TLentilla& l = Leer(10);
  l.LIQUIDOS("Renu");
  Ejecutar_SQL(*h.consulta, "update MLENTILLA set LIQUIDOS = 'del otro' where ID_MLENTILLA = 10");
  const QList<qint64> antes = Filas();
  const TResultado cambiada = s.fichas.Grabar(l, false, nullptr, kRevision);
  EXPECT_EQ(cambiada.Estado(), Estado::kCambiadoPorOtro);
  EXPECT_FALSE(cambiada.Quien().isEmpty());
  EXPECT_GT(cambiada.Cuando(), 0);
  {
    TCambioAjeno otro(*h.consulta, "update MLENTILLA set LIQUIDOS = 'a medias' where ID_MLENTILLA = 10");
    EXPECT_EQ(s.fichas.Grabar(l, false, nullptr, kRevision).Estado(), Estado::kBloqueado);
    otro.Soltar();
  }
  EXPECT_EQ(Filas(), antes);
  EXPECT_EQ(l.VERSION(), 0);

  // Read again, it saves, and again from the version it wrote.
  TLentilla& leida = Leer(10);
  for (const char* liquido : {"Renu", "Opti-Free"}) {
    leida.LIQUIDOS(liquido);
    EXPECT_TRUE(s.fichas.Grabar(leida, false, nullptr, 0).Hecho_Bien()) << liquido;
  }
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where LIQUIDOS = 'Opti-Free' and VERSION = 3"), 1);

  Ejecutar_SQL(*h.consulta, "delete from MLENTILLA where ID_MLENTILLA = 10");
  EXPECT_EQ(s.fichas.Grabar(leida, false, nullptr, 0).Estado(), Estado::kBorradoPorOtro);
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 0);
}

TEST_F(ServiciosTest, UnaPruebaCambiadaPorOtroNoSeSobrescribeYUnaNuevaFallidaSigueNueva) {
  Ejecutar_SQL(*h.principal, "insert into PLENTILLA (ID_PRUEBA_LENTILLAS, ID_PACIENTE, NUMERO_FICHA) values (20, 7, 1)");
  TPrueba& p = objetos.Prueba();
  p.ID_PRUEBA_LENTILLAS(20);
  ASSERT_EQ(p.Buscar(), 0);
  Ejecutar_SQL(*h.consulta, "update PLENTILLA set OD_LOTE = 'del otro' where ID_PRUEBA_LENTILLAS = 20");
  p.Ojo(0).lote = "mio";
  EXPECT_EQ(s.pruebas.Grabar(p, false).Estado(), Estado::kCambiadoPorOtro);
  EXPECT_EQ(Contar("select count(*) from PLENTILLA where OD_LOTE = 'del otro'"), 1);

  p.ID_PRUEBA_LENTILLAS(-1);
  p.NUMERO_FICHA(2);
  p.Ojo(0).lote = QString(60, 'X');
  EXPECT_EQ(s.pruebas.Grabar(p, true).Estado(), Estado::kNoAdmitido);
  EXPECT_EQ(p.ID_PRUEBA_LENTILLAS(), -1);
  p.Ojo(0).lote = "L-2";
  ASSERT_TRUE(s.pruebas.Grabar(p, true).Hecho_Bien());
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 2);
  EXPECT_EQ(p.VERSION(), 0);
}

// A new record whose number another workstation has just used, or is using
// in a save not yet finished, takes the next free one and says which it had.
TEST_F(ServiciosTest, UnNumeroTomadoPorOtroPuestoPasaAlSiguiente) {
  Ficha(10, 1);
  Ficha(11, 2);
  TLentilla& l = Nueva(2);
  TResultado r = s.fichas.Grabar(l, true, nullptr, 0);
  ASSERT_TRUE(r.Hecho_Bien());
  EXPECT_EQ(l.NUMERO_FICHA(), 3);
  EXPECT_EQ(r.Numero_Ocupado(), 2);
  {
    TCambioAjeno otro(*h.consulta, "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA) "
                                   "values (12, 7, 4, '2025-01-04')");
    TLentilla& otra = Nueva(4);
    otra.FECHA(fechas::Codificar(2026, 3, 2));
    r = s.fichas.Grabar(otra, true, nullptr, 0);
    ASSERT_TRUE(r.Hecho_Bien());
    EXPECT_EQ(otra.NUMERO_FICHA(), 5);
    otro.Soltar();
  }
  EXPECT_EQ(Contar("select count(*) from ACCESO where OPERACION_TIP = 4"), 2);
  EXPECT_EQ(Contar("select count(distinct NUMERO_FICHA) from MLENTILLA"), 4);

  // A repeated value that no new number mends ends after a few numbers, with
  // nothing written.
  Ejecutar_SQL(*h.principal, "create unique index UNA_POR_DIA on MLENTILLA (ID_PACIENTE, FECHA)");
  TLentilla& repetida = Nueva(6);
  repetida.FECHA(fechas::Codificar(2025, 1, 1));
  const QList<qint64> antes = Filas();
  EXPECT_EQ(s.fichas.Grabar(repetida, true, nullptr, 0).Estado(), Estado::kSinNumero);
  EXPECT_EQ(Filas(), antes);
}

// ---- Deleting ----------------------------------------------------------------------------------

TEST_F(ServiciosTest, UnBorradoNoConfirmadoOQueNoTerminaNoBorraNada) {
  Ficha(10, 1);
  Ficha(11, 2);
  Ficha(12, 3);
  Ejecutar_SQL(*h.principal, "insert into AGENDA (ID_AGENDA, TIPO_FICHA, ID_FICHA, PERSONA, FECHA) "
                             "values (1, 2, 11, 'x', '2026-06-01')");
  TLentilla& l = Leer(11);
  const QList<qint64> antes = Filas();
  h.mensajes.respuestas = {mb::IDNO};
  EXPECT_EQ(s.fichas.Borrar(l, 7).Estado(), Estado::kNoConfirmado);
  EXPECT_EQ(Filas(), antes);
  {
    // Another workstation is changing the record that comes after: the
    // renumbering, the last step of the delete, cannot be written.
    TCambioAjeno otro(*h.consulta, "update MLENTILLA set LIQUIDOS = 'otro' where ID_MLENTILLA = 12");
    h.mensajes.respuestas = {mb::IDYES};
    EXPECT_EQ(s.fichas.Borrar(l, 7).Estado(), Estado::kBloqueado);
    EXPECT_EQ(Filas(), antes);
    otro.Soltar();
  }
  h.mensajes.respuestas = {mb::IDYES};
  ASSERT_TRUE(s.fichas.Borrar(l, 7).Hecho_Bien());
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 2);
  EXPECT_EQ(Contar("select NUMERO_FICHA from MLENTILLA where ID_MLENTILLA = 12"), 2);
  EXPECT_EQ(Contar("select count(*) from AGENDA"), 0);
  EXPECT_EQ(Contar("select count(*) from ACCESO where OPERACION_TIP = 6"), 1);
}

// Another workstation deleted the record row alone: deleting it here still
// removes what hangs from it, and nothing of the other records.
TEST_F(ServiciosTest, BorrarUnaFichaSinFilaQuitaSusObservacionesYLineas) {
  const auto lineas = Lineas();
  TLentilla& otra = Nueva(1);
  ASSERT_TRUE(s.fichas.Grabar(otra, true, &lineas, 0).Hecho_Bien());
  const qint64 otraId = static_cast<qint64>(otra.ID_MLENTILLA());
  TLentilla& l = Nueva(2);
  ASSERT_TRUE(s.fichas.Grabar(l, true, &lineas, 0).Hecho_Bien());
  const qint64 id = static_cast<qint64>(l.ID_MLENTILLA());
  Ejecutar_SQL(*h.consulta, QString("delete from MLENTILLA where ID_MLENTILLA = %1").arg(id));

  h.mensajes.respuestas = {mb::IDYES};
  ASSERT_TRUE(s.fichas.Borrar(l, 7).Hecho_Bien());
  for (const char* tabla : {"LOBSERVACIONES", "DLENTILLA"}) {
    EXPECT_EQ(Contar(QString("select count(*) from %1 where ID_MLENTILLA = %2").arg(tabla).arg(id)), 0) << tabla;
    EXPECT_GT(Contar(QString("select count(*) from %1 where ID_MLENTILLA = %2").arg(tabla).arg(otraId)), 0) << tabla;
  }
}

// ---- A fitting test made definitive -------------------------------------------------------------

TEST_F(ServiciosTest, DefinitivaTomaElArticuloDeHoyYEsUnaSolaUnidad) {
  TServicioFichas::TLineaDefinitiva od, oi;
  od.linea.ojo = 1;
  od.linea.importe = 30;
  od.referenciaPrueba = "BIOTOR3";  // still sold: today's reference and price
  oi.linea.ojo = 2;
  oi.linea.importe = 30;
  oi.referenciaPrueba = "RETIRADO";  // no longer there: no reference, the chosen price
  TLentilla& l = Nueva(1);
  ASSERT_TRUE(s.fichas.Definitiva(l, {od, oi}, 20).Hecho_Bien());
  EXPECT_EQ(l.Ficha_De_Prueba(20), 1);  // the record made from test 20
  EXPECT_EQ(l.Ficha_De_Prueba(21), 0);
  EXPECT_EQ(Contar("select count(*) from DLENTILLA where OJO = 1 and REFERENCIA = 'BIOTOR3' and IMPORTE_M1 = 44.9"), 1);
  EXPECT_EQ(Contar("select count(*) from DLENTILLA where OJO = 2 and REFERENCIA = '0' and IMPORTE_M1 = 30"), 1);
  EXPECT_EQ(Contar("select count(*) from ACCESO where OPERACION_TIP = 4"), 1);

  // A line the database refuses leaves no record either.
  oi.linea.lote = QString(60, 'X');
  TLentilla& otra = Nueva(2);
  const QList<qint64> antes = Filas();
  EXPECT_EQ(s.fichas.Definitiva(otra, {od, oi}, -1).Estado(), Estado::kNoAdmitido);
  EXPECT_EQ(Filas(), antes);
  EXPECT_EQ(otra.ID_MLENTILLA(), -1);
}

// ---- The replacement list ----------------------------------------------------------------------

TEST_F(ServiciosTest, LaListaSeReescribeEnteraSoloSiNadieLaHaCambiado) {
  Ejecutar_SQL(*h.principal, "insert into REPOSICION (ID_REPOSICION, ID_PACIENTE, TIPO_REPOSICION, FECHA, "
                             "OBSERVACIONES) values (30, 7, 2, '2026-01-01', 'Limpieza')");
  QList<TFilaReposicion> lista;
  ASSERT_TRUE(s.reposiciones.Leer(7, lista).Hecho_Bien());
  ASSERT_EQ(lista.size(), 1);
  TFilaReposicion sinFecha;
  sinFecha.observaciones = "sin fecha";
  lista << sinFecha;
  ASSERT_TRUE(s.reposiciones.Grabar(7, lista, true).Hecho_Bien());
  EXPECT_GT(lista[0].clave, 0);  // rewritten under a new key
  EXPECT_NE(lista[0].clave, 30);
  EXPECT_EQ(lista[1].clave, -1);  // not stored
  EXPECT_EQ(Contar("select count(*) from REPOSICION"), 1);

  // Another workstation adds a row: this one's rewrite would lose it.
  Ejecutar_SQL(*h.consulta, "insert into REPOSICION (ID_REPOSICION, ID_PACIENTE, TIPO_REPOSICION, FECHA, "
                            "OBSERVACIONES) values (99, 7, 2, '2026-02-01', 'del otro')");
  EXPECT_EQ(s.reposiciones.Grabar(7, lista, true).Estado(), Estado::kCambiadoPorOtro);
  EXPECT_EQ(Contar("select count(*) from REPOSICION"), 2);
  ASSERT_TRUE(s.reposiciones.Leer(7, lista).Hecho_Bien());
  EXPECT_TRUE(s.reposiciones.Grabar(7, lista, true).Hecho_Bien());
  EXPECT_EQ(Contar("select count(*) from REPOSICION"), 2);
}

// ---- Classifying the database's refusals ---------------------------------------------------------

TEST(ResultadoTest, CadaRechazoDeLaBaseTieneSuEstado) {
  const struct {
    long codigo;
    Estado estado;
  } casos[] = {
      {isc_lock_conflict, Estado::kBloqueado},      {isc_update_conflict, Estado::kBloqueado},
      {isc_deadlock, Estado::kBloqueado},           {isc_unique_key_violation, Estado::kNoAdmitido},
      {isc_no_dup, Estado::kNoAdmitido},            {isc_string_truncation, Estado::kNoAdmitido},
      {isc_arith_except, Estado::kNoAdmitido},      {isc_check_constraint, Estado::kNoAdmitido},
      {isc_foreign_key, Estado::kNoAdmitido},       {isc_not_valid, Estado::kNoAdmitido},
      {isc_network_error, Estado::kInesperado},     {isc_io_error, Estado::kInesperado},
  };
  for (const auto& c : casos) {
    // The meaningful code is seldom the first of the vector.
    const EIBError e(isc_dsql_error, -901, "x", {isc_dsql_error, c.codigo});
    EXPECT_EQ(TResultado::Fallido(-1, &e).Estado(), c.estado) << c.codigo;
  }
  EXPECT_EQ(TResultado::Fallido(-2, nullptr).Estado(), Estado::kInesperado);
  EXPECT_EQ(TResultado::Fallido(-2, nullptr).Descripcion(), "resultado -2");
}

}  // namespace
