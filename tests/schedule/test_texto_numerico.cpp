#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "TextoNumerico.h"

namespace {

using cdv::Centimos;
using cdv::LeerCentimos;
using cdv::LeerNumero;
using cdv::Separadores;

const Separadores kEs{",", "."};
const Separadores kEn{".", ","};
const Separadores kFr{",", "\u202f"};  // narrow no-break space

TEST(TextoFormateado, PatronConDosDecimales) {
    const struct {
        double valor;
        std::string esperado;
    } casos[] = {
        {1234.5, "1.234,50"},
        {0.0, "0,00"},
        {-0.0, "0,00"},
        {45.0432, "45,04"},
        {26.496, "26,50"},
        {999.995, "1.000,00"},  // held as 999.99500000000000454...
        {0.125, "0,13"},        // an exact tie: away from zero
        {-0.125, "-0,13"},
        {2.675, "2,67"},    // held as 2.67499999999999982...
        {1.005, "1,00"},    // held as 1.00499999999999989...
        {-0.004, "0,00"},   // rounds to zero: no sign
        {-0.005, "-0,01"},  // held as -0.005000000000000000104...
        {123.0, "123,00"},
        {1000.0, "1.000,00"},
        {999999.994, "999.999,99"},
        {1234567.891, "1.234.567,89"},
        {4503599627370495.5, "4.503.599.627.370.495,50"},  // the last doubles with a fraction
        {4503599627370496.0, "4.503.599.627.370.496,00"},  // from 2^52 whole numbers only
        {9007199254740991.0, "9.007.199.254.740.991,00"},
        {9007199254740993.0, "9.007.199.254.740.992,00"},  // from 2^53 whole numbers only
        {1e20, "100.000.000.000.000.000.000,00"},
        {-3.4028234663852886e38, "-340.282.346.638.528.859.811.704.183.484.516.925.440,00"},
        {5e-324, "0,00"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(cdv::TextoFormateado(c.valor, kEs), c.esperado) << c.valor;
    EXPECT_EQ(cdv::TextoFormateado(1234.5, kEn), "1,234.50");
    EXPECT_EQ(cdv::TextoFormateado(1234567.0, kFr), "1\u202f234\u202f567,00");
}

TEST(TextoSimple, SinAgruparNiCerosFinales) {
    const struct {
        Centimos centimos;
        std::string esperado;
    } casos[] = {
        {1250, "12,5"},
        {30000, "300"},
        {463680, "4636,8"},
        {15589007, "155890,07"},
        {0, "0"},
        {1, "0,01"},
        {-5, "-0,05"},
        {-100, "-1"},
        {123456789, "1234567,89"},
        {cdv::kCentimosMaximos, "10000000000000"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(cdv::TextoSimple(c.centimos, kEs), c.esperado) << c.centimos;
    EXPECT_EQ(cdv::TextoSimple(123456, kEn), "1234.56");
    EXPECT_EQ(cdv::TextoFormateado(Centimos{-123456}, kEs), "-1.234,56");
}

TEST(LeerNumero, Aceptados) {
    const struct {
        std::string texto;
        float valor;
    } casos[] = {
        // Typing "1.500,5" key by key: every step is a number, grouping points ignored.
        {"1", 1.0f},
        {"1.", 1.0f},
        {"1.5", 15.0f},
        {"1.50", 150.0f},
        {"1.500", 1500.0f},
        {"1.500,", 1500.0f},
        {"1.500,5", 1500.5f},
        {" 12 ", 12.0f},
        {"+3", 3.0f},
        {"-3", -3.0f},
        {",5", 0.5f},
        {".5", 5.0f},
        {"1..2", 12.0f},
        {"007", 7.0f},
        {"0,1", 0.1f},
        {"-0", -0.0f},
        {"1e3", 1000.0f},
        {"1,5E-2", 0.015f},
        {"2e+2", 200.0f},
        {"1e0005", 1e5f},
        {"3,4028234e38", 3.4028234e38f},                       // the largest float
        {"3,40282356e38", std::numeric_limits<float>::max()},  // still rounds to it
        {"1e-50", 0.0f},                                       // below the smallest float
        {"0," + std::string(10'000, '0') + "1", 0.0f},         // a huge paste of a tiny number
    };
    for (const auto& c : casos) {
        const auto leido = LeerNumero(c.texto, kEs);
        ASSERT_TRUE(leido.has_value()) << c.texto.substr(0, 40);
        EXPECT_EQ(*leido, c.valor) << c.texto.substr(0, 40);
    }
    EXPECT_EQ(LeerNumero("1,500.5", kEn), 1500.5f);
    EXPECT_EQ(LeerNumero("1\u202f500,5", kFr), 1500.5f);
    EXPECT_TRUE(std::signbit(*LeerNumero("-0", kEs)));
}

TEST(LeerNumero, Rechazados) {
    for (const std::string& texto : std::vector<std::string>{"",
                                                             " ",
                                                             "-",
                                                             "+",
                                                             ",",
                                                             ".",
                                                             "-,",
                                                             "12a",
                                                             "a12",
                                                             "inf",
                                                             "-inf",
                                                             "nan",
                                                             "NaN",
                                                             "infinity",
                                                             "0x1A",
                                                             "1e",
                                                             "1e+",
                                                             "e5",
                                                             "1,5,3",
                                                             "1,5.3",
                                                             "- 5",
                                                             "1 2",
                                                             "--1",
                                                             "+-1",
                                                             "\t5",
                                                             "5\n",
                                                             "1e3,5",
                                                             "4e38",
                                                             "3,40282357e38",
                                                             "1" + std::string(40, '0'),
                                                             "1" + std::string(10'000, '0'),
                                                             "1e999999999999999999999",
                                                             "١٢",
                                                             "1\u202f500"}) {
        EXPECT_FALSE(LeerNumero(texto, kEs).has_value()) << texto.substr(0, 40);
    }
    EXPECT_EQ(LeerNumero("1,5", kEn), 15.0f);  // a grouping comma
    EXPECT_FALSE(LeerNumero("1.5.3", kEn).has_value());
}

TEST(LeerCentimos, ImportesExactos) {
    const struct {
        std::string texto;
        std::optional<Centimos> centimos;
    } casos[] = {
        {"45,04", 4504},
        {"1.234,56", 123456},
        {"500", 50000},
        {"0", 0},
        {"-0,05", -5},
        {"0,005", 1},
        {"-0,005", -1},
        {"0,0049", 0},
        {"1e2", 10000},
        {"1,5e-2", 2},
        {"155890,07", 15589007},
        {"10000000000000", cdv::kCentimosMaximos},
        {"10000000000000,01", std::nullopt},  // beyond the largest amount kept
        {"1e30", std::nullopt},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"inf", std::nullopt},
        {"0," + std::string(5'000, '0') + "9", 0},
    };
    for (const auto& c : casos)
        EXPECT_EQ(LeerCentimos(c.texto, kEs), c.centimos) << c.texto.substr(0, 40);
}

TEST(TextoNumerico, IdaYVuelta) {
    // Whatever a fee is, its formatted text reads back to the cents it was rounded to, and
    // the plain text of those cents reads back to the same cents.
    std::mt19937_64 azar(20261206);
    std::uniform_real_distribution<double> exponente(-4.0, 13.0);
    for (int i = 0; i < 20'000; ++i) {
        const double valor = (i % 2 ? -1 : 1) * std::pow(10.0, exponente(azar));
        const auto decimal = cdv::ImporteDecimal::DesdeDouble(valor);
        const auto centimos = decimal.ACentimos();
        ASSERT_TRUE(centimos.has_value()) << valor;
        EXPECT_EQ(LeerCentimos(decimal.Formateado(kEs), kEs), centimos) << valor;
        EXPECT_EQ(LeerCentimos(cdv::TextoSimple(*centimos, kEs), kEs), centimos) << valor;
        EXPECT_LE(std::fabs(decimal.Valor() - valor), 0.005 + std::fabs(valor) * 1e-15) << valor;
        const float cantidad = static_cast<float>(valor);
        char texto[64];
        std::snprintf(texto, sizeof texto, "%.9g", static_cast<double>(cantidad));
        EXPECT_EQ(LeerNumero(texto, kEn), cantidad) << texto;
    }
}

}  // namespace
