// The two searches of the reminders that go through their helper tables
// (the lot suffixes and the pending run-outs, kept by triggers) give exactly
// the rows of the searches that read the tables themselves: on a generated
// shop whose lots come in every case, with accents, spaces, inside one
// another, empty or missing, and whose lines, tests and records are changed,
// moved and deleted after they were written, so that every trigger runs on
// every kind of change. Embedded and on the server, where the triggers write
// what the workstation's role may not.

#include <gtest/gtest.h>

#include <QDate>
#include <QStringList>
#include <map>
#include <set>
#include <random>

#include "Base_prueba.h"
#include "Busquedas_previas.h"
#include "Clase_tavisoreposicion.h"
#include "Clase_tretiradalote.h"
#include "Util_fechas.h"

inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }

namespace {

// Pieces lots are made of: some inside others, in both cases, accented.
const QStringList kPiezas = {"L", "l", "AB", "ab", "Ab1", "AB12", "b12", "12", "123", "0", "9",
                             "Ñ", "ñ", "á", "Á", "É", "é", "-", " ", "X", "x", "Ü", "ü", "ß", "/"};

struct TCriterio {
  QString lote;
  QString referencia;
  double desde = 0, hasta = 0;
};

class BusquedasTest : public ::testing::Test {
 protected:
  TBaseDatosPrueba bd;
  std::unique_ptr<TIBDatabase> db = bd.Conectar();
  std::mt19937 azar{20261205};
  QStringList lotes;  // every lot written, for the texts searched
  int siguienteLinea = 1, siguientePrueba = 1, siguienteFicha = 1;
  std::map<int, int> numeros;  // the last number given per patient
  std::set<int> pacientesSinNumero;    // the patients with a record without number

  int Al_Azar(int n) { return std::uniform_int_distribution<int>(0, n - 1)(azar); }

  // NULL, empty, blank or a run of pieces of at most 50 letters.
  QString Lote_Al_Azar() {
    const int tipo = Al_Azar(20);
    if (tipo == 0) return QString();
    if (tipo == 1) return QStringLiteral("");
    if (tipo == 2) return QStringLiteral("   ");
    if (tipo == 3 && !lotes.isEmpty()) return lotes[Al_Azar(lotes.size())];  // the same lot again
    QString l;
    const int piezas = 1 + Al_Azar(tipo == 4 ? 30 : 6);
    for (int i = 0; i < piezas; ++i) l += kPiezas[Al_Azar(kPiezas.size())];
    l = l.left(50);
    lotes << l;
    return l;
  }
  static QString Literal(const QString& texto) {
    if (texto.isNull()) return QStringLiteral("null");
    QString t = texto;
    return QLatin1Char('\'') + t.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
  }
  static QString Dia(int dia) {  // days from 01/11/2026
    return QStringLiteral("'%1'").arg(QDate(2026, 11, 1).addDays(dia).toString(Qt::ISODate));
  }
  void Sql(const QString& sql) { Ejecutar_SQL(*db, sql); }

  void Pacientes(int n) {
    for (int i = 1; i <= n; ++i)
      Sql(QStringLiteral("insert into PACIENTE (ID_PACIENTE, CODIGO, NOMBRE, APELLIDOS, TELEFONO_MOVIL, BORRADO) "
                         "values (%1, %1, %2, %3, '6%1', %4)")
              .arg(i)
              .arg(Literal(i % 5 ? QStringLiteral("Nombre%1").arg(i) : QString()),
                   Literal(i % 3 ? QStringLiteral("Álvarez %1").arg(i) : QStringLiteral("Muñoz %1").arg(i)))
              .arg(i % 17 == 0 ? 1 : 0));
  }
  void Linea(int ficha, int ojo) {
    Sql(QStringLiteral("insert into DLENTILLA (ID_DLENTILLA, ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, LOTE) "
                       "values (%1, %2, %3, %4, 'Lente %2/%3', %5)")
            .arg(siguienteLinea++)
            .arg(ficha)
            .arg(ojo)
            .arg(Literal(Al_Azar(3) ? QStringLiteral("AC-OAS-6") : QStringLiteral("BIOTOR")), Literal(Lote_Al_Azar())));
  }
  // A record of the patient with the next number (now and then none), its
  // date and replacement date around the window the tests look at, and its
  // lines.
  int Ficha(int paciente) {
    const int id = siguienteFicha++;
    const int fecha = Al_Azar(60) - 30;
    const int tipo = Al_Azar(6);
    const QString reposicion = tipo == 0   ? QStringLiteral("null")
                               : tipo == 1 ? Dia(fecha)  // the record's own day
                                           : Dia(fecha + Al_Azar(60)).chopped(1) + QStringLiteral(" 10:30'");
    // One record of a patient at most without a number (the unique index
    // takes one).
    const bool sinNumero = Al_Azar(40) == 0 && pacientesSinNumero.insert(paciente).second;
    const QString numero = sinNumero ? QStringLiteral("null") : QString::number(++numeros[paciente]);
    Sql(QStringLiteral("insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, FECHA_REPOSICION) "
                       "values (%1, %2, %3, %4, %5)")
            .arg(id)
            .arg(paciente)
            .arg(numero, Al_Azar(30) ? Dia(fecha) : QStringLiteral("null"), reposicion));
    for (int ojo = 1; ojo <= 2; ++ojo)
      if (Al_Azar(8)) Linea(id, ojo);
    if (Al_Azar(10) == 0) Linea(id, 1 + Al_Azar(2));  // two lines for one eye
    return id;
  }
  void Prueba(int paciente) {
    Sql(QStringLiteral("insert into PLENTILLA (ID_PRUEBA_LENTILLAS, ID_PACIENTE, NUMERO_FICHA, FECHA, "
                       "OD_REFERENCIA_ART, OD_LOTE, OI_REFERENCIA_ART, OI_LOTE) values (%1, %2, %1, %3, "
                       "'BIOTOR', %4, 'AC-OAS-6', %5)")
            .arg(siguientePrueba++)
            .arg(paciente)
            .arg(Dia(Al_Azar(60) - 30), Literal(Lote_Al_Azar()), Literal(Lote_Al_Azar())));
  }

  // The rows of a query, each as its columns joined; sorted when the query
  // gives no order of its own.
  QStringList Filas(const QString& sql, const TCriterio& c, bool ordenar) {
    TSentenciaPrueba s(*db, sql, {"read_committed", "rec_version", "nowait"});
    if (sql.contains(QLatin1String(":LOTE"))) s.q.ParamByName("LOTE").AsString(c.lote);
    if (sql.contains(QLatin1String(":REFERENCIA"))) s.q.ParamByName("REFERENCIA").AsString(c.referencia);
    if (sql.contains(QLatin1String(":DESDE"))) s.q.ParamByName("DESDE").AsDateTime(c.desde);
    if (sql.contains(QLatin1String(":HASTA"))) s.q.ParamByName("HASTA").AsDateTime(c.hasta);
    s.q.Open();
    QStringList filas;
    for (; !s.q.Eof(); s.q.Next()) {
      QStringList columnas;
      for (int i = 0; i < s.q.FieldCount(); ++i)
        columnas << (s.q.Fields(i).IsNull() ? QStringLiteral("<null>") : s.q.Fields(i).AsString());
      filas << columnas.join(QLatin1Char('|'));
    }
    s.t.Commit();
    if (ordenar) filas.sort();
    return filas;
  }

  // Texts to look for: pieces of the lots written, whole lots, in other
  // case, a letter alone, across a space, and texts no lot has.
  QStringList Textos() {
    QStringList t = {"l", "AB", "ab1", "Ab12", "12", "ñ", "Ñá", "áé", "É", "ü", "ss", "ß", "/", "- ",
                     "zzz", "AB12AB12AB12AB12AB12AB12AB12AB12AB12AB12AB12AB12AB"};
    for (int i = 0; i < 60 && !lotes.isEmpty(); ++i) {
      const QString& l = lotes[Al_Azar(lotes.size())];
      if (l.isEmpty()) continue;
      const int desde = Al_Azar(l.size());
      QString parte = l.mid(desde, 1 + Al_Azar(l.size() - desde));
      if (i % 3 == 1) parte = parte.toUpper();
      if (i % 3 == 2) parte = parte.toLower();
      parte = parte.trimmed();  // as the search takes what was typed
      if (!parte.isEmpty()) t << parte;
    }
    return t;
  }

  // Part of a lot, with and without the article and the dates, and the
  // whole lot: the old search's rows and today's, the same.
  void Comparar_Retirada() {
    int conFilas = 0;
    for (const QString& texto : Textos()) {
      for (int variante = 0; variante < 3; ++variante) {
        st_criterio_lote c;
        c.lote = texto;
        c.parte = variante < 2;
        if (variante == 1) {
          c.referencia = QStringLiteral("BIOTOR");
          c.desde = fechas::Codificar(2026, 11, 1);
          c.hasta = fechas::Codificar(2026, 11, 20);
        }
        const TCriterio p{texto, c.referencia, c.desde, c.hasta};
        const QStringList antes = Filas(previas::Retirada_Lote(c), p, true);
        const QStringList ahora = Filas(TRetiradaLote::Sentencia(c), p, true);
        ASSERT_EQ(ahora, antes) << "lote «" << texto.toStdString() << "» variante " << variante;
        conFilas += !antes.isEmpty();
      }
    }
    EXPECT_GT(conFilas, 40);  // the comparison saw rows, not only empty lists
  }

  // The run-out list over windows of 0 to 40 days from a month before to a
  // month after the records' dates: the same rows in the same order.
  void Comparar_Reposiciones() {
    int conFilas = 0;
    for (int desde = -40; desde <= 70; desde += 3) {
      for (int dias : {0, 1, 15, 40}) {
        const double d = fechas::Codificar(2026, 11, 1) + desde;
        const TCriterio p{{}, {}, d, d + dias + 1};
        const QStringList antes = Filas(previas::kReposiciones, p, false);
        ASSERT_EQ(Filas(TAvisoReposicion::Sentencia(), p, false), antes) << "desde " << desde << ", " << dias;
        conFilas += !antes.isEmpty();
      }
    }
    EXPECT_GT(conFilas, 60);
  }
  qint64 Contar(const QString& sql) { return Consultar_Entero(*db, sql); }
};

TEST_F(BusquedasTest, LosMismosLotesQueLeyendoCadaLineaTrasEscribirCambiarYBorrar) {
  Pacientes(40);
  for (int i = 0; i < 900; ++i) Ficha(1 + Al_Azar(40));
  for (int i = 0; i < 250; ++i) Prueba(1 + Al_Azar(40));
  ASSERT_GT(siguienteLinea, 1500);
  // Every suffix that does not start with a space, one row each.
  EXPECT_EQ(Contar("select count(*) from LOTE_SUFIJO"),
            Contar("select count(*) from LOTE_SUFIJO s where substring(s.SUFIJO from 1 for 1) <> ' '"));
  Comparar_Retirada();

  // Lines given another lot or the same one, moved to another record or key,
  // deleted; tests with one eye's lot changed, another key, deleted.
  for (int i = 0; i < 300; ++i) {
    const int linea = 1 + Al_Azar(siguienteLinea - 1);
    switch (Al_Azar(5)) {
      case 0:
        Sql(QStringLiteral("delete from DLENTILLA where ID_DLENTILLA = %1").arg(linea));
        break;
      case 1:
        Sql(QStringLiteral("update DLENTILLA set ID_DLENTILLA = %1 where ID_DLENTILLA = %2")
                .arg(siguienteLinea++)
                .arg(linea));
        break;
      case 2:
        Sql(QStringLiteral("update DLENTILLA set UNIDADES = 6 where ID_DLENTILLA = %1").arg(linea));
        break;
      default:
        Sql(QStringLiteral("update DLENTILLA set LOTE = %1 where ID_DLENTILLA = %2")
                .arg(Literal(Lote_Al_Azar()))
                .arg(linea));
    }
    const int prueba = 1 + Al_Azar(siguientePrueba - 1);
    switch (Al_Azar(6)) {
      case 0:
        Sql(QStringLiteral("delete from PLENTILLA where ID_PRUEBA_LENTILLAS = %1").arg(prueba));
        break;
      case 1:
        Sql(QStringLiteral("update PLENTILLA set ID_PRUEBA_LENTILLAS = %1 where ID_PRUEBA_LENTILLAS = %2")
                .arg(siguientePrueba++)
                .arg(prueba));
        break;
      case 2:
        Sql(QStringLiteral("update PLENTILLA set OD_ESFERA = 1.5 where ID_PRUEBA_LENTILLAS = %1").arg(prueba));
        break;
      default:
        Sql(QStringLiteral("update PLENTILLA set %1 = %2 where ID_PRUEBA_LENTILLAS = %3")
                .arg(Al_Azar(2) ? "OD_LOTE" : "OI_LOTE", Literal(Lote_Al_Azar()))
                .arg(prueba));
    }
  }
  // A record deleted with its lines, as the program deletes one.
  Sql("delete from DLENTILLA where ID_MLENTILLA = 7");
  Comparar_Retirada();
  // Nothing left of a line or a test that is gone.
  EXPECT_EQ(Contar("select count(*) from LOTE_SUFIJO s where s.ORIGEN = 0 and not exists "
                   "(select 1 from DLENTILLA d where d.ID_DLENTILLA = s.ID)"),
            0);
  EXPECT_EQ(Contar("select count(*) from LOTE_SUFIJO s where s.ORIGEN > 0 and not exists "
                   "(select 1 from PLENTILLA t where t.ID_PRUEBA_LENTILLAS = s.ID)"),
            0);
}

TEST_F(BusquedasTest, LaMismaListaDeReposicionesQueLeyendoCadaFichaTrasEscribirCambiarYBorrar) {
  Pacientes(60);
  for (int i = 0; i < 500; ++i) Ficha(1 + Al_Azar(60));
  for (int i = 1; i < siguienteFicha; i += 9)
    Sql(QStringLiteral("insert into AVISO_REPOSICION (ID_MLENTILLA, FECHA_REPOSICION, FECHA) select ID_MLENTILLA, "
                       "FECHA_REPOSICION, '2026-11-02' from MLENTILLA where ID_MLENTILLA = %1 and "
                       "FECHA_REPOSICION is not null")
            .arg(i));
  Comparar_Reposiciones();

  // Replacement dates moved, removed or put on the record's day; records
  // given another date, number or patient; the last of a patient deleted,
  // which makes the one before it the last again; new records on top.
  for (int i = 0; i < 250; ++i) {
    const int ficha = 1 + Al_Azar(siguienteFicha - 1);
    switch (Al_Azar(8)) {
      case 0:
        Sql(QStringLiteral("delete from MLENTILLA where ID_MLENTILLA = %1").arg(ficha));
        break;
      case 1:
        Sql(QStringLiteral("update MLENTILLA set FECHA_REPOSICION = null where ID_MLENTILLA = %1").arg(ficha));
        break;
      case 2:
        Sql(QStringLiteral("update MLENTILLA set FECHA_REPOSICION = FECHA where ID_MLENTILLA = %1").arg(ficha));
        break;
      case 3:
        Sql(QStringLiteral("update MLENTILLA set FECHA = %1 where ID_MLENTILLA = %2")
                .arg(Al_Azar(5) ? Dia(Al_Azar(60) - 30) : QStringLiteral("null"))
                .arg(ficha));
        break;
      case 4:
        Sql(QStringLiteral("update MLENTILLA set ID_PACIENTE = %1, NUMERO_FICHA = %2 where ID_MLENTILLA = %3")
                .arg(1 + Al_Azar(60))
                .arg(1000 + i)
                .arg(ficha));
        break;
      case 5:
        Sql(QStringLiteral("update MLENTILLA m set NUMERO_FICHA = null where ID_MLENTILLA = %1 and not exists ("
                           "select 1 from MLENTILLA n where n.ID_PACIENTE = m.ID_PACIENTE and n.NUMERO_FICHA is null)")
                .arg(ficha));
        break;
      case 6:
        Ficha(1 + Al_Azar(60));
        break;
      default:
        Sql(QStringLiteral("update MLENTILLA set FECHA_REPOSICION = %1 where ID_MLENTILLA = %2")
                .arg(Dia(Al_Azar(90) - 30))
                .arg(ficha));
    }
  }
  Sql("update PACIENTE set BORRADO = 1 where ID_PACIENTE = 2");
  Comparar_Reposiciones();
  // Only last records that run out are kept.
  EXPECT_EQ(Contar("select count(*) from REPOSICION_PENDIENTE r where not exists (select 1 from MLENTILLA m where "
                   "m.ID_MLENTILLA = r.ID_MLENTILLA and m.ID_PACIENTE = r.ID_PACIENTE and m.FECHA_REPOSICION = "
                   "r.FECHA_REPOSICION and not exists (select 1 from MLENTILLA n where n.ID_PACIENTE = "
                   "m.ID_PACIENTE and n.NUMERO_FICHA > m.NUMERO_FICHA))"),
            0);
}

// Two workstations give one patient a new record each at the same moment:
// neither save is refused for the helper table, and the list has only the
// last one, though the one before it may be left in the table.
TEST_F(BusquedasTest, DosPuestosQueDanFichasAlMismoPacienteALaVez) {
  Pacientes(1);
  Sql("insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, FECHA_REPOSICION) "
      "values (1, 1, 1, '2026-10-01', '2026-12-08')");
  auto otra = bd.Conectar();
  TSentenciaPrueba a(*db,
                     "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, FECHA_REPOSICION) "
                     "values (2, 1, 2, '2026-11-01', '2026-12-09')",
                     {"read_committed", "rec_version", "nowait"});
  TSentenciaPrueba b(*otra,
                     "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, FECHA_REPOSICION) "
                     "values (3, 1, 3, '2026-11-02', '2026-12-10')",
                     {"read_committed", "rec_version", "nowait"});
  a.q.ExecSQL();
  ASSERT_NO_THROW(b.q.ExecSQL());
  a.t.Commit();
  b.t.Commit();
  const TCriterio p{{}, {}, fechas::Codificar(2026, 12, 1), fechas::Codificar(2026, 12, 31)};
  const QStringList filas = Filas(TAvisoReposicion::Sentencia(), p, false);
  EXPECT_EQ(filas, Filas(previas::kReposiciones, p, false));
  ASSERT_EQ(filas.size(), 1);
  EXPECT_TRUE(filas[0].startsWith("3|1|3|")) << filas[0].toStdString();
  EXPECT_EQ(Contar("select count(*) from REPOSICION_PENDIENTE"), 2);  // the second one stayed
  // The next change of the patient tidies it.
  Sql("update MLENTILLA set FECHA_REPOSICION = '2026-12-11' where ID_MLENTILLA = 3");
  EXPECT_EQ(Contar("select count(*) from REPOSICION_PENDIENTE"), 1);
  EXPECT_EQ(Contar("select max(ID_MLENTILLA) from REPOSICION_PENDIENTE"), 3);
}

}  // namespace
