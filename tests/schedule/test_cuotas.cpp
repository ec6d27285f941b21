#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Cuotas.h"
#include "RegistroMensajes.h"

namespace {

using cdv::Resultado;

const cdv::Separadores kEs{",", "."};

int FilaTT(std::string_view ref) {
    for (int n = 1; n <= cdv::TablaTT.Filas(); ++n)
        if (cdv::TablaTT.Fila(n)->Ref == ref) return n;
    return 0;
}

int FilaTD(std::string_view ref) {
    for (int n = 1; n <= cdv::TablaTD.Filas(); ++n)
        if (cdv::TablaTD.Fila(n)->Ref == ref) return n;
    return 0;
}

class Cuotas : public ::testing::Test {
  protected:
    void SetUp() override {
        cdv::CargarTablaTT();
        cdv::CargarTablaTD();
    }
    RegistroMensajes registro;
};

struct Caso {
    std::string_view ref;
    std::string cantidad;
    Resultado resultado;
    std::string texto;
    std::optional<double> importe;  // where the exact value matters
};

TEST_F(Cuotas, TrabajoPorTipo) {
    const Caso casos[] = {
        // Tipo 1: quantity × rate through the two factors, kept in double.
        {"DVPG", "1", Resultado::Cuota, "45,04", 34 * 1.28 * 1.035},
        {"DVPG", "3", Resultado::Cuota, "135,13", 3 * (34 * 1.28 * 1.035)},
        {"DVPG", "0", Resultado::Cuota, "0,00", 0.0},
        {"DVPG", "-1", Resultado::Cuota, "-45,04", -(34 * 1.28 * 1.035)},
        {"DVH", "7", Resultado::Cuota, "0,00", 0.0},
        // Tipo 2: the minimum wins below it; the scale acts above it.
        {"MGT", "100", Resultado::Cuota, "49,02", static_cast<double>(49.0176f)},
        {"MGT", "1000", Resultado::Cuota, "291,73", static_cast<double>(291.7336f)},
        {"MGT", "-50", Resultado::Cuota, "49,02", static_cast<double>(49.0176f)},
        {"INAC", "300", Resultado::Cuota, "296,50", std::nullopt},
        // Tipo 3: the budget.
        // The scale receives 463.680023 and returns the single 423.444031 (423.444 to six digits).
        {"CNA", "100000", Resultado::Cuota, "423,44", static_cast<double>(423.444031f)},
        {"CNA", "100.000", Resultado::Cuota, "423,44", static_cast<double>(423.444031f)},
        {"INAI", "0", Resultado::Cuota, "0,00", 0.0},
        // Tipo 4: the surface scale, then the factors; rate and minimum play no part.
        {"LAN", "250", Resultado::Cuota, "39,74", 30 * 1.28 * 1.035},
        {"LAI", "5000", Resultado::Cuota, "79,49", 60 * 1.28 * 1.035},
        {"LAN", "0", Resultado::Cuota, "0,00", 0.0},
        {"LAN", "-10", Resultado::Cuota, "0,00", 0.0},
        // Not a number.
        {"DVPG", "", Resultado::Invalida, "", std::nullopt},
        {"DVPG", "-", Resultado::Invalida, "", std::nullopt},
        {"MGT", "12a", Resultado::Invalida, "", std::nullopt},
        {"MGT", "1e39", Resultado::Invalida, "", std::nullopt},
        {"", "5", Resultado::Invalida, "", std::nullopt},  // no row selected
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.ref) + " / " + c.cantidad);
        const auto r = cdv::CuotaTrabajo(cdv::TablaTT.Fila(FilaTT(c.ref)), c.cantidad, kEs);
        EXPECT_EQ(r.resultado, c.resultado);
        EXPECT_EQ(r.texto, c.texto);
        if (c.importe) {
            EXPECT_EQ(r.importe, *c.importe);
        }
    }
    EXPECT_TRUE(registro.mensajes.empty());
}

TEST_F(Cuotas, TrabajoConTipoSinReglaNoDaCuota) {
    cdv::TrabajoTT raro;
    raro.Tipo = 7;
    EXPECT_EQ(cdv::CuotaTrabajo(&raro, "5", kEs).resultado, Resultado::SinCuota);
    EXPECT_EQ(cdv::CuotaTrabajo(&raro, "x", kEs).resultado, Resultado::Invalida);
}

TEST_F(Cuotas, TrabajoMasAllaDeLaEscalaAvisaYDaCero) {
    const struct {
        std::string_view ref;
        std::string cantidad;
        std::string_view mensaje;
    } casos[] = {
        {"CNA", "1e12", "La Cuota de Visado (DV) es demasiado alta"},
        // Past the largest float the base fee overflows to infinity: still beyond the scale.
        {"INIF", "3e38", "La Cuota de Visado (DV) es demasiado alta"},
        {"LAN", "1000001", "La Superficie es demasiado alta"},
    };
    for (const auto& c : casos) {
        RegistroMensajes registro;
        const auto r = cdv::CuotaTrabajo(cdv::TablaTT.Fila(FilaTT(c.ref)), c.cantidad, kEs);
        EXPECT_EQ(r.resultado, Resultado::Cuota) << c.cantidad;
        EXPECT_EQ(r.texto, "0,00") << c.cantidad;
        ASSERT_EQ(registro.mensajes.size(), 1u) << c.cantidad;
        EXPECT_EQ(registro.mensajes[0].first, c.mensaje);
    }
}

TEST_F(Cuotas, DocumentoPorUnidadYPorPresupuesto) {
    const Caso casos[] = {
        {"AAP", "1", Resultado::Cuota, "26,50", 20 * 1.28 * 1.035},
        {"AAP", "3", Resultado::Cuota, "79,49", 3 * (20 * 1.28 * 1.035)},
        {"CFO", "12", Resultado::Cuota, "0,00", 0.0},
        // Above the minimum: the rounded fee in plain form, no grouping, no trailing zeros.
        {"EIA2", "100000", Resultado::Cuota, "463,68", 463.68},
        {"EIA2", "20000", Resultado::Cuota, "92,74", 92.74},
        {"EIA2", "1000000", Resultado::Cuota, "4636,8", 4636.8},
        {"EIA2", "1.000.000", Resultado::Cuota, "4636,8", 4636.8},
        {"ESS2", "100000000", Resultado::Cuota, "463680,01", 463680.01},  // cents kept
        // At or below the minimum: the minimum, formatted.
        {"EIA2", "10000", Resultado::Cuota, "59,62", 45 * 1.28 * 1.035},
        {"EIA2", "0", Resultado::Cuota, "59,62", 45 * 1.28 * 1.035},
        {"EIA2", "-5", Resultado::Cuota, "59,62", 45 * 1.28 * 1.035},
        {"ESS2", "1", Resultado::Cuota, "45,04", 34 * 1.28 * 1.035},
        // No rule for "OD", nor for a project document with a quantity.
        {"OD", "5", Resultado::SinCuota, "", std::nullopt},
        {"P", "5", Resultado::SinCuota, "", std::nullopt},
        // Not a number, or no row.
        {"AAP", "", Resultado::Invalida, "", std::nullopt},
        {"AAP", "-", Resultado::Invalida, "", std::nullopt},
        {"EIA2", "12a", Resultado::Invalida, "", std::nullopt},
        {"OD", "x", Resultado::Invalida, "", std::nullopt},
        {"", "1", Resultado::Invalida, "", std::nullopt},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.ref) + " / " + c.cantidad);
        const auto r = cdv::CuotaDocumento(cdv::TablaTD.Fila(FilaTD(c.ref)), c.cantidad, kEs);
        EXPECT_EQ(r.resultado, c.resultado);
        EXPECT_EQ(r.texto, c.texto);
        if (c.importe) {
            EXPECT_EQ(r.importe, *c.importe);
        }
    }
}

TEST_F(Cuotas, DocumentoPorPresupuestoConservaLosCentimosGrandes) {
    // The budget is a single: 3,500,000,017 arrives as 3,500,000,000, whose fee is
    // 16,228,800.50093...; eight digits before the cents, and the cents are kept.
    const auto r = cdv::CuotaDocumento(cdv::TablaTD.Fila(FilaTD("EIA2")), "3.500.000.017", kEs);
    EXPECT_EQ(r.resultado, Resultado::Cuota);
    EXPECT_EQ(r.texto, "16228800,5");
    EXPECT_EQ(r.importe, 16228800.5);
}

TEST_F(Cuotas, DocumentoDeProyecto) {
    const struct {
        std::string_view ref;
        cdv::Centimos suma;
        float fraccion;
        cdv::Centimos cuota, descuento;
        std::string texto;
    } casos[] = {
        {"PB", 100'000, 0.25f, 25'000, 25'000, "250"},
        {"PB", 100'000, 0.0f, 50'000, 0, "500"},
        {"P", 100'000, 0.5f, 50'000, 50'000, "500"},
        {"P", 100'000, 0.25f, 75'000, 25'000, "750"},
        {"V", 100'000, 0.5f, 25'000, 0, "250"},  // only "P" and "PB" are discounted
        {"PR", 100'000, 0.5f, 100'000, 0, "1000"},
        {"MV", 4'501, 0.0f, 1'125, 0, "11,25"},  // 11.2525 → 11.25
        {"V", 4'502, 0.0f, 1'126, 0, "11,26"},   // 11.255, a tie, away from zero
        {"P", 0, 0.5f, 0, 0, "0"},
        {"P", 1, 0.25f, 1, 0, "0,01"},   // 0.0025 rounds to no discount
        {"P", 2, 0.25f, 1, 1, "0,01"},   // 0.005, a tie: a discount of 0.01
        {"PB", 3, 0.25f, 1, 1, "0,01"},  // 0.015 → 0.02, less 0.0075 → 0.01
        {"P", 15'589'007, 0.0f, 15'589'007, 0, "155890,07"},
        {"P", 123'456'789'012, 0.5f, 61'728'394'506, 61'728'394'506, "617283945,06"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.ref) + " / " + std::to_string(c.suma));
        const auto r =
            cdv::CuotaDocumento(*cdv::TablaTD.Fila(FilaTD(c.ref)), c.suma, c.fraccion, kEs);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->cuota, c.cuota);
        EXPECT_EQ(r->descuento, c.descuento);
        EXPECT_EQ(r->texto, c.texto);
    }
}

TEST_F(Cuotas, DocumentoDeProyectoConOtrasFracciones) {
    // The product is rounded on the float's exact value: 0.7f is 0.69999998..., so 5 cents
    // times it is just below the tie of 3.5; 0.3f is 0.30000001..., just above 1.5.
    cdv::DocumentoTD otra = *cdv::TablaTD.Fila(FilaTD("PR"));
    const struct {
        float tasa;
        cdv::Centimos suma, cuota;
    } casos[] = {{0.7f, 5, 3},
                 {0.3f, 5, 2},
                 {0.1f, 5, 1},
                 {1e-30f, cdv::kCentimosMaximos, 0},
                 {3e7f, 33'333'333, 999'999'990'000'000}};
    for (const auto& c : casos) {
        otra.Tasa = c.tasa;
        const auto r = cdv::CuotaDocumento(otra, c.suma, 0.0f, kEs);
        ASSERT_TRUE(r.has_value()) << c.tasa;
        EXPECT_EQ(r->cuota, c.cuota) << c.tasa;
    }
    // Past the largest amount kept there is no fee, rather than an overflow.
    otra.Tasa = 2.0f;
    EXPECT_FALSE(cdv::CuotaDocumento(otra, cdv::kCentimosMaximos, 0.0f, kEs).has_value());
    EXPECT_TRUE(cdv::CuotaDocumento(otra, cdv::kCentimosMaximos / 2, 0.0f, kEs).has_value());
    otra.Tasa = 3e7f;
    EXPECT_FALSE(cdv::CuotaDocumento(otra, 33'333'334, 0.0f, kEs).has_value());
}

}  // namespace
