#include <gtest/gtest.h>

#include <string>

#include "Lineas.h"

namespace {

using cdv::Abreviar;
using cdv::AjustarAncho;
using cdv::ContarCaracteres;

TEST(Lineas, AnchosPorCaracterNoPorByte) {
    EXPECT_EQ(ContarCaracteres("Depósitos (atmosféricos)"), 24u);
    EXPECT_EQ(ContarCaracteres("€…‰"), 3u);
    EXPECT_EQ(AjustarAncho("DVMP1", 6), "DVMP1 ");
    EXPECT_EQ(AjustarAncho("ABCDEFG", 6), "ABCDEF");
    EXPECT_EQ(AjustarAncho("añoñoño", 3), "año");
    EXPECT_EQ(ContarCaracteres(AjustarAncho("Calefacción", 60)), 60u);
    const std::string sesenta(60, 'x');
    EXPECT_EQ(Abreviar(sesenta, 60), sesenta);
    EXPECT_EQ(Abreviar(sesenta + "y", 60), std::string(57, 'x') + "...");
    const std::string conAcentos = "áéíóú" + std::string(56, 'z');  // 61 characters
    EXPECT_EQ(Abreviar(conAcentos, 60), "áéíóú" + std::string(52, 'z') + "...");
    EXPECT_EQ(Abreviar("Proyecto", 20), "Proyecto            ");
    EXPECT_EQ(Abreviar("Proyecto reformado12", 20), "Proyecto reformado12");
    EXPECT_EQ(Abreviar("Proyecto reformado123", 20), "Proyecto reformad...");
}

TEST(Lineas, LineaDePartida) {
    const std::string linea = cdv::LineaPartida(
        "DVPG", "Aparatos a presión o a gas de tipo único o en serie", "Ud.", "1", "45,04");
    EXPECT_EQ(linea, "DVPG  Aparatos a presión o a gas de tipo único o en serie" +
                         std::string(9, ' ') + "   Ud.: 1   Total: 45,04 €");

    const std::string documento = cdv::LineaPartida(
        "AAP", "Acta de aprobación del plan de seguridad y salud", "Ud.", "1", "26,50");
    EXPECT_EQ(ContarCaracteres(documento), 92u);

    const std::string cortada = cdv::LineaPartida(
        "C",
        "Certificado diverso: cédula de habitabilidad, de adecuación de normativa, de "
        "inspecciones eléctricas, de máquinas recreativas, de solidez, revisiones periódicas "
        "de instalaciones …",
        "Presupuesto", "", "0");
    EXPECT_EQ(cortada,
              "C     Certificado diverso: cédula de habitabilidad, de adecuaci...   "
              "Presupuesto:    Total: 0 €");
}

TEST(Lineas, LineaDeProyecto) {
    EXPECT_EQ(
        cdv::LineaProyecto("P", "Proyecto", {{"A1", "100"}, {"B2", "2"}}, "Proyecto básico", "500"),
        "P     Proyecto               A1 (100), B2 (2)   "
        "Descontado el Proyecto básico   Total: 500 €");
    EXPECT_EQ(cdv::LineaProyecto("SP2",
                                 "Separata (cuyas CDV no se hayan liquidado en el proyecto "
                                 "global)",
                                 {{"A", "3"}}, "", "12,5"),
              "SP2   Separata (cuyas C...   A (3)   Total: 12,5 €");
}

}  // namespace
