// The scales and the fee rules, on the schedule's worked examples and their edges.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "Cuotas.h"
#include "Escalas.h"
#include "Mensajes.h"

namespace {

const cdv::Separadores kEs{",", "."};
using cdv::Resultado;

class Cuotas : public ::testing::Test {
  protected:
    void SetUp() override {
        cdv::CargarTablaTT();
        cdv::CargarTablaTD();
        cdv::InstalarServicioMensajes([this](std::string_view t, std::string_view titulo) {
            mensajes.push_back(std::string(titulo) + "|" + std::string(t));
        });
    }
    void TearDown() override { cdv::InstalarServicioMensajes({}); }
    std::vector<std::string> mensajes;  // "title|text", in order
};

const cdv::TrabajoTT* Trabajo(std::string_view ref) {
    return cdv::TablaTT.Fila(cdv::TablaTT.Buscar(ref));
}
const cdv::DocumentoTD* Documento(std::string_view ref) {
    return cdv::TablaTD.Fila(cdv::TablaTD.Buscar(ref));
}

TEST_F(Cuotas, Escalas) {
    const struct {
        float dv, cuota;
    } dv[] = {{175, 175},
              {176, 175.899994f},
              {350, 332.5f},
              {1000, 783.75f},
              {10000, 4690},
              {1e6f, 140290},
              {1.12e6f, 155890},
              {2e9f, 250015888},
              {2000000001.0f, 250015888},
              {0, 0},
              {-5, 0},
              {NAN, 0}};
    for (const auto& c : dv) EXPECT_EQ(cdv::EscalaDV(c.dv), c.cuota) << c.dv;
    const struct {
        float superficie, importe;
    } superficies[] = {{500, 30},     {500.5f, 36}, {4000, 48}, {8000, 60},
                       {8000.5f, 90}, {1e6f, 90},   {0, 0}};
    for (const auto& c : superficies) EXPECT_EQ(cdv::EscalaSuperficie(c.superficie), c.importe);
    EXPECT_TRUE(mensajes.empty());
    // Past the last limit: the message, then 0. 2,000,000,128 is the first float above it.
    EXPECT_EQ(cdv::EscalaDV(2000000128.0f), 0.0f);
    EXPECT_EQ(cdv::EscalaSuperficie(1000001.0f), 0.0f);
    EXPECT_EQ(mensajes,
              (std::vector<std::string>{"   ERROR|La Cuota de Visado (DV) es demasiado alta",
                                        "   ERROR|La Superficie es demasiado alta"}));
    // Continuous at every limit: just past it, the fee moves by at most the step itself.
    for (const float limite :
         {175.f, 350.f, 875.f, 1750.f, 17500.f, 70000.f, 560000.f, 1120000.f}) {
        const float despues = std::nextafter(limite, INFINITY);
        EXPECT_LE(std::fabs(cdv::EscalaDV(despues) - cdv::EscalaDV(limite)),
                  2 * (despues - limite));
    }
}

struct Caso {
    std::string_view ref;
    std::string cantidad;
    Resultado resultado;
    std::string texto;
};

TEST_F(Cuotas, Trabajo) {
    const Caso casos[] = {
        {"DVPG", "1", Resultado::Cuota, "45,04"},    {"DVPG", "-1", Resultado::Cuota, "-45,04"},
        {"DVH", "7", Resultado::Cuota, "0,00"},      {"MGT", "100", Resultado::Cuota, "49,02"},
        {"MGT", "1000", Resultado::Cuota, "291,73"}, {"CNA", "100.000", Resultado::Cuota, "423,44"},
        {"INAI", "0", Resultado::Cuota, "0,00"},     {"LAN", "250", Resultado::Cuota, "39,74"},
        {"LAN", "-10", Resultado::Cuota, "0,00"},    {"DVPG", "", Resultado::Invalida, ""},
        {"MGT", "12a", Resultado::Invalida, ""},     {"MGT", "1e39", Resultado::Invalida, ""},
        {"", "5", Resultado::Invalida, ""},
    };
    for (const auto& c : casos) {
        const auto r = cdv::CuotaTrabajo(Trabajo(c.ref), c.cantidad, kEs);
        EXPECT_EQ(r.resultado, c.resultado) << c.ref << " " << c.cantidad;
        EXPECT_EQ(r.texto, c.texto) << c.ref << " " << c.cantidad;
    }
    // Every float step kept: the scale gets 463.680023 and gives the single 423.444031.
    EXPECT_EQ(cdv::CuotaTrabajo(Trabajo("CNA"), "100000", kEs).importe, 423.444031f);
    EXPECT_EQ(cdv::CuotaTrabajo(Trabajo("DVPG"), "1", kEs).importe, 34 * 1.28 * 1.035);
    EXPECT_TRUE(mensajes.empty());
    // Beyond a scale, also past the largest float: the scale's message and a fee of 0.
    for (const auto& [ref, cantidad] :
         {std::pair{"CNA", "1e12"}, std::pair{"INIF", "3e38"}, std::pair{"LAN", "1000001"}}) {
        EXPECT_EQ(cdv::CuotaTrabajo(Trabajo(ref), cantidad, kEs).texto, "0,00");
    }
    EXPECT_EQ(mensajes.size(), 3u);
}

TEST_F(Cuotas, Documento) {
    const Caso casos[] = {
        {"AAP", "1", Resultado::Cuota, "26,50"},
        {"AAI", "4000", Resultado::Cuota, "1.059.840,00"},  // whole cents in single precision

        {"CFO", "12", Resultado::Cuota, "0,00"},
        {"EIA2", "10000", Resultado::Cuota, "59,62"},

        // Above the minimum: the rounded fee in plain form, with every cent.
        {"EIA2", "100000", Resultado::Cuota, "463,68"},
        {"EIA2", "1.000.000", Resultado::Cuota, "4636,8"},
        {"ESS2", "100000000", Resultado::Cuota, "463680,01"},
        {"OD", "5", Resultado::SinCuota, ""},
        {"P", "5", Resultado::SinCuota, ""},

        {"AAP", "", Resultado::Invalida, ""},
    };
    for (const auto& c : casos) {
        const auto r = cdv::CuotaDocumento(Documento(c.ref), c.cantidad, kEs);
        EXPECT_EQ(r.resultado, c.resultado) << c.ref << " " << c.cantidad;
        EXPECT_EQ(r.texto, c.texto) << c.ref << " " << c.cantidad;
    }
}

TEST_F(Cuotas, DocumentoDeProyecto) {
    const struct {
        std::string_view ref;
        float tasa;  // 0: the row's own
        cdv::Centimos suma;
        float fraccion;
        std::optional<cdv::Centimos> cuota, descuento;
        std::string texto;
    } casos[] = {
        {"PB", 0, 100'000, 0.25f, 25'000, 25'000, "250"},

        {"P", 0, 100'000, 0.5f, 50'000, 50'000, "500"},
        {"V", 0, 100'000, 0.5f, 25'000, 0, "250"},

        {"V", 0, 4'502, 0.0f, 1'126, 0, "11,26"},

        {"P", 0, 2, 0.25f, 1, 1, "0,01"},
        {"P", 0, 15'589'007, 0.0f, 15'589'007, 0, "155890,07"},
        // On the float's exact value: 0.7f is 0.69999998, so 5 cents give 3.4999999.
        {"PR", 0.7f, 5, 0.0f, 3, 0, "0,03"},

        {"PR", 3e7f, 33'333'333, 0.0f, 999'999'990'000'000, 0, "9999999900000"},
        {"PR", 2.0f, cdv::kCentimosMaximos, 0.0f, std::nullopt, std::nullopt, ""},
    };
    for (const auto& c : casos) {
        cdv::DocumentoTD fila = *Documento(c.ref);
        if (c.tasa != 0) fila.Tasa = c.tasa;
        const auto r = cdv::CuotaDocumento(fila, c.suma, c.fraccion, kEs);
        ASSERT_EQ(r.has_value(), c.cuota.has_value()) << c.ref << " " << c.suma;
        if (!r) continue;
        EXPECT_EQ(r->cuota, c.cuota) << c.ref << " " << c.suma;
        EXPECT_EQ(r->descuento, c.descuento) << c.ref << " " << c.suma;
        EXPECT_EQ(r->texto, c.texto) << c.ref << " " << c.suma;
    }
}

}  // namespace
