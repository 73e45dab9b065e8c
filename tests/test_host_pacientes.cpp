// The host's patient list, as the shop sees it before opening any record:
// surnames in Spanish order, whatever their accents.

#include <gtest/gtest.h>

#include <QTableWidget>

#include "Base_prueba.h"
#include "Host_pacientes.h"

namespace {

TEST(ListaPacientesTest, LosApellidosVanEnOrdenEspanol) {
  TBaseDatosPrueba bd;
  auto db = bd.Conectar();
  // Inserted in the order the database's own collation would give.
  const struct {
    int id;
    const char *apellidos, *nombre;
  } pacientes[] = {
      {1, "Gil Moreno", "Pedro"},       {2, "Munuera Sáez", "Luis"},   {3, "Muñoz Prieto", "Ana"},
      {4, "Vega Fuentes", "Cristina"},  {5, "Vázquez Molina", "Beatriz"}, {6, "Vázquez Molina", "Ángel"},
      {7, "Álvarez Gil", "Marta"},
  };
  for (const auto& p : pacientes)
    Ejecutar_SQL(*db, QString("insert into PACIENTE (ID_PACIENTE, CODIGO, APELLIDOS, NOMBRE) values (%1, %2, '%3', "
                              "'%4')")
                          .arg(p.id)
                          .arg(1000 + p.id)
                          .arg(QString::fromUtf8(p.apellidos), QString::fromUtf8(p.nombre)));
  TDlgPacientes lista(*db);
  auto* tabla = lista.findChild<QTableWidget*>("grdPacientes");
  ASSERT_NE(tabla, nullptr);
  QStringList orden;
  for (int f = 0; f < tabla->rowCount(); ++f) orden << tabla->item(f, 1)->text();
  // Á with the A, ñ after n, and the name after the surnames.
  EXPECT_EQ(orden.join(" | ").toStdString(),
            "Marta Álvarez Gil | Pedro Gil Moreno | Luis Munuera Sáez | Ana Muñoz Prieto | Ángel Vázquez Molina | "
            "Beatriz Vázquez Molina | Cristina Vega Fuentes");
  EXPECT_EQ(lista.Paciente(), 7);  // the first of the list is the one chosen
}

}  // namespace
