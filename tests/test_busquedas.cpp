// The lot recall by part of a lot, which goes through the lot suffixes kept
// by triggers, gives exactly the rows of the search that reads every lens
// line and trial lens: on a generated shop whose lots come in every case,
// with accents, spaces, inside one another, empty or missing, and whose
// lines and tests are changed, moved and deleted after they were written, so
// that the triggers run on every kind of change. Embedded and on the server,
// where the triggers write what the workstation's role may not.

#include <gtest/gtest.h>

#include <QDate>
#include <QStringList>
#include <random>

#include "Base_prueba.h"
#include "Busquedas_previas.h"
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
  // A record of the patient, dated around November 2026, with a line per eye
  // (now and then none, or two for one eye).
  int Ficha(int paciente) {
    const int id = siguienteFicha++;
    Sql(QStringLiteral("insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA) values (%1, %2, %1, %3)")
            .arg(id)
            .arg(paciente)
            .arg(Dia(Al_Azar(60) - 30)));
    for (int ojo = 1; ojo <= 2; ++ojo)
      if (Al_Azar(8)) Linea(id, ojo);
    if (Al_Azar(10) == 0) Linea(id, 1 + Al_Azar(2));
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

  // The rows of a query, each as its columns joined, sorted (the search sorts
  // its rows itself).
  QStringList Filas(const QString& sql, const TCriterio& c) {
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
    filas.sort();
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
        const QStringList antes = Filas(previas::Retirada_Lote(c), p);
        const QStringList ahora = Filas(TRetiradaLote::Sentencia(c), p);
        ASSERT_EQ(ahora, antes) << "lote «" << texto.toStdString() << "» variante " << variante;
        conFilas += !antes.isEmpty();
      }
    }
    EXPECT_GT(conFilas, 40);  // the comparison saw rows, not only empty lists
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

}  // namespace
