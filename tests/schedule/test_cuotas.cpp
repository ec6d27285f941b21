// The scales and the fee rules, on the schedule's worked examples and their edges.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "Cuotas.h"
#include "Escalas.h"

namespace {

const cdv::Separadores kEs{",", "."};
using cdv::Resultado;
const cdv::Baremo& b = *cdv::BaremoCompilado();

const cdv::TrabajoTT* Trabajo(std::string_view ref) {
    return b.TablaTT.Fila(b.TablaTT.Buscar(ref));
}
const cdv::DocumentoTD* Documento(std::string_view ref) {
    return b.TablaTD.Fila(b.TablaTD.Buscar(ref));
}

float DV(float dv) {
    return cdv::EscalaDV(b.tramosDV, dv).importe;
}

TEST(Cuotas, Escalas) {
    using P = std::pair<float, float>;
    for (const auto& [dv, cuota] :
         {P{175, 175}, P{176, 175.899994f}, P{350, 332.5f}, P{1000, 783.75f}, P{10000, 4690},
          P{1e6f, 140290}, P{1.12e6f, 155890}, P{2e9f, 250015888}, P{2000000001.0f, 250015888},
          P{0, 0}, P{-5, 0}, P{NAN, 0}}) {
        EXPECT_EQ(DV(dv), cuota) << dv;
        EXPECT_TRUE(cdv::EscalaDV(b.tramosDV, dv).aviso.empty());
    }
    for (const auto& [superficie, importe] : {P{500, 30}, P{500.5f, 36}, P{4000, 48}, P{8000, 60},
                                              P{8000.5f, 90}, P{1e6f, 90}, P{0, 0}}) {
        const cdv::Escalado e = cdv::EscalaSuperficie(b.clasesSuperficie, superficie);
        EXPECT_EQ(e.importe, importe) << superficie;
        EXPECT_TRUE(e.aviso.empty());
    }
    // Past the last limit: 0, and the message. 2,000,000,128 is the first float above it.
    const cdv::Escalado dv = cdv::EscalaDV(b.tramosDV, 2000000128.0f);
    const cdv::Escalado superficie = cdv::EscalaSuperficie(b.clasesSuperficie, 1000001.0f);
    EXPECT_EQ(std::pair(dv.importe, dv.aviso),
              std::pair(0.0f, std::string_view("La Cuota de Visado (DV) es demasiado alta")));
    EXPECT_EQ(std::pair(superficie.importe, superficie.aviso),
              std::pair(0.0f, std::string_view("La Superficie es demasiado alta")));
    // Continuous at every limit: just past it, the fee moves by at most the step itself.
    for (const float limite :
         {175.f, 350.f, 875.f, 1750.f, 17500.f, 70000.f, 560000.f, 1120000.f}) {
        const float despues = std::nextafter(limite, INFINITY);
        EXPECT_LE(std::fabs(DV(despues) - DV(limite)), 2 * (despues - limite));
    }
}

// Each rule on the schedule's examples and at its edges: a work item (T) or a document (D).
// Past a scale, also past the largest float, a fee of 0 with the scale's message. Above a
// budget document's minimum, the rounded fee in plain form, with every cent.
struct Caso {
    bool trabajo;
    std::string_view ref;
    std::string cantidad;
    Resultado resultado;
    std::string texto;
    std::string_view aviso = {};
};
constexpr Resultado kCuota = Resultado::Cuota, kInvalida = Resultado::Invalida;
constexpr bool T = true, D = false;

TEST(Cuotas, TrabajoYDocumento) {
    // clang-format off
    for (const auto& c : {
        Caso{T, "DVPG", "1", kCuota, "45,04"}, Caso{T, "DVPG", "-1", kCuota, "-45,04"},
        Caso{T, "DVH", "7", kCuota, "0,00"}, Caso{T, "MGT", "100", kCuota, "49,02"},
        Caso{T, "MGT", "1000", kCuota, "291,73"}, Caso{T, "CNA", "100.000", kCuota, "423,44"},
        Caso{T, "INAI", "0", kCuota, "0,00"}, Caso{T, "LAN", "250", kCuota, "39,74"},
        Caso{T, "LAN", "-10", kCuota, "0,00"}, Caso{T, "DVPG", "", kInvalida, ""},
        Caso{T, "MGT", "12a", kInvalida, ""}, Caso{T, "MGT", "1e39", kInvalida, ""},
        Caso{T, "", "5", kInvalida, ""},
        Caso{T, "CNA", "1e12", kCuota, "0,00", cdv::kMensajeDVAlta},
        Caso{T, "INIF", "3e38", kCuota, "0,00", cdv::kMensajeDVAlta},
        Caso{T, "LAN", "1000001", kCuota, "0,00", cdv::kMensajeSuperficieAlta},
        Caso{D, "AAP", "1", kCuota, "26,50"}, Caso{D, "AAI", "4000", kCuota, "1.059.840,00"},
        Caso{D, "CFO", "12", kCuota, "0,00"}, Caso{D, "EIA2", "10000", kCuota, "59,62"},
        Caso{D, "EIA2", "100000", kCuota, "463,68"}, Caso{D, "EIA2", "1.000.000", kCuota, "4636,8"},
        Caso{D, "ESS2", "100000000", kCuota, "463680,01"},
        Caso{D, "OD", "5", Resultado::SinCuota, ""}, Caso{D, "P", "5", Resultado::SinCuota, ""},
        Caso{D, "AAP", "", kInvalida, ""},
        // Past what is kept in cents, no fee at all (once shown with digits, and "inf,00").
        Caso{D, "AAP", "1e12", Resultado::Excesiva, ""},
        Caso{D, "ESS2", "1e30", Resultado::Excesiva, ""},
        Caso{D, "AAP", "3e38", Resultado::Excesiva, ""},
        // No fee where a float would change the quantity typed, and its fee: 16777217 units
        // were charged as 16777216 (26,50 € short), 33554435 as 33554436, a surface just past
        // a class's limit in the class below.
        Caso{D, "AAP", "16777216", kCuota, "444.529.115,14"},
        Caso{D, "AAP", "16777217", Resultado::Imprecisa, ""},
        Caso{D, "AAP", "33554435", Resultado::Imprecisa, ""},
        Caso{T, "LAN", "500,00001", Resultado::Imprecisa, ""},
        Caso{D, "EIA2", "1.234.567,89", kCuota, "5724,44"}}) {
        // clang-format on
        const auto r = c.trabajo ? cdv::CuotaTrabajo(b, Trabajo(c.ref), c.cantidad, kEs)
                                 : cdv::CuotaDocumento(b, Documento(c.ref), c.cantidad, kEs);
        EXPECT_TRUE(r.resultado == c.resultado && r.texto == c.texto && r.aviso == c.aviso)
            << c.ref << " " << c.cantidad << ": «" << r.texto << "» " << r.aviso;
    }
    // Every float step kept: the scale gets 463.680023 and gives the single 423.444031.
    EXPECT_EQ(cdv::CuotaTrabajo(b, Trabajo("CNA"), "100000", kEs).importe, 423.444031f);
    EXPECT_EQ(cdv::CuotaTrabajo(b, Trabajo("DVPG"), "1", kEs).importe, 34 * 1.28 * 1.035);
}

TEST(Cuotas, DocumentoDeProyecto) {
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
        // Any project document takes its option off, not only "P" and "PB".
        {"V", 0, 100'000, 0.125f, 12'500, 12'500, "125"},

        {"V", 0, 4'502, 0.0f, 1'126, 0, "11,26"},

        {"P", 0, 2, 0.25f, 1, 1, "0,01"},
        {"P", 0, 15'589'007, 0.0f, 15'589'007, 0, "155890,07"},
        // On the float's exact value: 0.7f is 0.69999998, so 5 cents give 3.4999999.
        {"PR", 0.7f, 5, 0.0f, 3, 0, "0,03"},

        {"PR", 3e7f, 33'333'333, 0.0f, 999'999'990'000'000, 0, "9999999900000"},
        {"PR", 2.0f, cdv::kCentimosMaximos, 0.0f, std::nullopt, std::nullopt, ""},
        // The 128-bit product at its limits: the whole range times a float's 24 bits.
        {"PR", 1.0f, cdv::kCentimosMaximos, 0.0f, cdv::kCentimosMaximos, 0, "10000000000000"},
        {"PR", 0.5f, cdv::kCentimosMaximos - 1, 0.0f, 500'000'000'000'000, 0, "5000000000000"},
        {"PR", 1.00000012f, cdv::kCentimosMaximos, 0.0f, std::nullopt, std::nullopt, ""},
        {"PR", 0.99999994f, cdv::kCentimosMaximos, 0.0f, 999'999'940'395'355, 0,
         "9999999403953,55"},
        {"PR", 0.5f, -3, 0.0f, -2, 0, "-0,02"},  // half away from zero below it too
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
