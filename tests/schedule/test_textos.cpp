// The amount and quantity texts, and the fixed-width summary lines.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Lineas.h"
#include "TextoNumerico.h"

namespace {

const cdv::Separadores kEs{",", "."};
const cdv::Separadores kEn{".", ","};

TEST(Textos, Formateado) {
    using P = std::pair<double, std::string>;
    for (const auto& [valor, texto] :
         {P{1234.5, "1.234,50"}, P{-0.004, "0,00"}, P{0.125, "0,13"}, P{2.675, "2,67"},
          P{999.995, "1.000,00"}, P{1e20, "100.000.000.000.000.000.000,00"},
          // the last doubles with a fraction, and whole numbers from 2^52 on
          P{4503599627370495.5, "4.503.599.627.370.495,50"},
          P{4503599627370496.0, "4.503.599.627.370.496,00"}})
        EXPECT_EQ(cdv::TextoFormateado(valor, kEs), texto) << valor;
    EXPECT_EQ(cdv::TextoFormateado(1234567.0, {",", "\u202f"}), "1\u202f234\u202f567,00");
    // The plain form's other cases are the document fees' (test_cuotas).
    EXPECT_EQ(cdv::TextoSimple(0, kEs), "0");
}

// A million decimal zeros and a huge exponent: out of range, however long the text.
const std::string kMillonDeDecimales = "0," + std::string(1'000'000, '0') + "1e2000000";

// Each text under Spanish separators and under English ones (mirrored): a number, or none.
// A separator where grouping is not valid makes no number: a point typed for decimals read as
// grouping multiplied a budget by a hundred ("150000.50" priced as 15.000.050 €).
// A budget pasted with its euro sign, before or after, blanks or none: once refused. Alone,
// twice or in the middle it stays, and the text is no number.
TEST(Textos, SinSignoEuro) {
    for (const auto& [texto, numero] : std::initializer_list<std::pair<const char*, const char*>>{
             {"150.000,50 €", "150.000,50"},
             {"€ 150.000,50", "150.000,50"},
             {"150.000,50€", "150.000,50"},
             {" €\u00a0150.000,50 ", "150.000,50"},
             {"150.000,50", "150.000,50"},
             {"€", ""},
             {"150 € 50", "150 € 50"},
             {"€ 150 €", "150 €"}}) {
        EXPECT_EQ(cdv::SinSignoEuro(texto), numero) << texto;
    }
    for (const char* texto : {"€", "150 € 50", "€ 150 €", "€€150"})
        EXPECT_FALSE(cdv::LeerNumero(cdv::SinSignoEuro(texto), kEs)) << texto;
}

TEST(Textos, LeerNumero) {
    using O = std::optional<float>;
    struct Caso {
        std::string es;
        O valor;
    };
    const auto ingles = [](std::string texto) {
        for (char& c : texto) c = c == '.' ? ',' : c == ',' ? '.' : c;
        return texto;
    };
    for (const auto& [texto, valor] :
         std::initializer_list<Caso>{{"1.500,5", 1500.5f},
                                     {"1.500", 1500},
                                     {"1.500.000,5", 1500000.5f},
                                     {"999.999", 999999},
                                     {"12.345.678", 12345678},
                                     {"-1.500", -1500},
                                     {" 12 ", 12},
                                     {"-3", -3},
                                     {",5", 0.5f},
                                     {"1,5E-2", 0.015f},
                                     {"1500,", 1500},
                                     {"3,40282356e38", 3.4028235e38f},
                                     {"1e-50", 0},
                                     {"150000.50", {}},
                                     {"12.5", {}},
                                     {"1.50", {}},
                                     {"1.5000", {}},
                                     {"1234.567", {}},
                                     {"1.500.00", {}},
                                     {"1.", {}},
                                     {".500", {}},
                                     {"1.500.", {}},
                                     {"1..500", {}},
                                     {"1.500,5.3", {}},
                                     {"1,500.5", {}},
                                     {"", {}},
                                     {" ", {}},
                                     {"-", {}},
                                     {",", {}},
                                     {".", {}},
                                     {"12a", {}},
                                     {"inf", {}},
                                     {"nan", {}},
                                     {"0x1A", {}},
                                     {"1e", {}},
                                     {"e5", {}},
                                     {"1,5,3", {}},
                                     {"- 5", {}},
                                     {"1 2", {}},
                                     {"\t5", {}},
                                     {"4e38", {}},
                                     {"1e99999999999999999999", {}},
                                     {"0," + std::string(10'000, '0') + "1", 0}}) {
        EXPECT_EQ(cdv::LeerNumero(texto, kEs), valor) << texto.substr(0, 20);
        EXPECT_EQ(cdv::LeerNumero(ingles(texto), kEn), valor) << ingles(texto).substr(0, 20);
    }
    for (const std::string& texto : {"1" + std::string(10'000, '0'), kMillonDeDecimales})
        EXPECT_FALSE(cdv::LeerNumero(texto, kEs)) << texto.substr(0, 20);
    // Where groups are blanks of one kind, any kind groups: typed, or pasted from a text that
    // grouped with another (a wiped box); in groups of three all the same.
    for (const cdv::Separadores& local : {cdv::Separadores{",", "\u202f"}, {",", "\u00a0"}}) {
        for (const char* texto : {"150 000", "150\u202f000", "150\u00a0000", "150\u2007000",
                                  "150\u2009000", " 1 500 000 "})
            EXPECT_TRUE(cdv::LeerNumero(texto, local)) << texto;
        for (const char* texto : {"1 5 0 000", "15 00", "150 00,5"})
            EXPECT_FALSE(cdv::LeerNumero(texto, local)) << texto;
        EXPECT_EQ(cdv::LeerCentimos("1\u00a0500,5", local), 150050);
    }
    EXPECT_FALSE(cdv::LeerNumero("150\u00a0000", kEs));
}

TEST(Textos, LeerCentimos) {
    using P = std::pair<std::string, std::optional<cdv::Centimos>>;
    for (const auto& [texto, centimos] :
         {P{"1.234,56", 123456}, P{"500", 50000}, P{"0,005", 1}, P{"-0,005", -1}, P{"0,0049", 0},
          P{"1e2", 10000}, P{"10000000000000", cdv::kCentimosMaximos},
          P{"10000000000000,01", std::nullopt}, P{"1e30", std::nullopt},
          P{kMillonDeDecimales, std::nullopt}, P{"abc", std::nullopt}})
        EXPECT_EQ(cdv::LeerCentimos(texto, kEs), centimos) << texto.substr(0, 20);
}

TEST(Textos, Lineas) {
    // Widths count characters, not bytes.
    EXPECT_EQ(cdv::Abreviar("áéíóú" + std::string(56, 'z'), 60),
              "áéíóú" + std::string(52, 'z') + "...");
    EXPECT_EQ(cdv::LineaProyecto("SP2",
                                 "Separata (cuyas CDV no se hayan liquidado en el proyecto global)",
                                 {{"A", "3"}}, "", "12,5"),
              "SP2   Separata (cuyas C...   A (3)   Total: 12,5 €");
}

}  // namespace
