#include "Escalas.h"

#include <array>
#include <cstdint>

#include "Mensajes.h"
#include "Redondeo.h"

namespace cdv {

namespace {

// clang-format off
constexpr std::array<TramoDV, 20> kTramosDV{{
    {175,           1.0,   0.0},
    {350,           0.9,   175.0},
    {525,           0.8,   332.5},
    {700,           0.7,   472.5},
    {875,           0.65,  595.0},
    {1'750,         0.6,   708.75},
    {2'625,         0.55,  1'233.75},
    {3'500,         0.5,   1'715.0},
    {5'250,         0.45,  2'152.5},
    {7'000,         0.4,   2'940.0},
    {10'500,        0.35,  3'640.0},
    {14'000,        0.3,   4'865.0},
    {17'500,        0.25,  5'915.0},
    {35'000,        0.2,   6'790.0},
    {70'000,        0.15,  10'290.0},
    {140'000,       0.145, 15'540.0},
    {280'000,       0.14,  25'690.0},
    {560'000,       0.135, 45'290.0},
    {1'120'000,     0.13,  83'090.0},
    {2'000'000'000, 0.125, 155'890.0},
}};

constexpr std::array<ClaseSuperficie, 5> kClasesSuperficie{{
    {500,       30.0f},
    {1'000,     36.0f},
    {4'000,     48.0f},
    {8'000,     60.0f},
    {1'000'000, 90.0f},
}};
// clang-format on

}  // namespace

std::span<const TramoDV> TramosDV() {
    return kTramosDV;
}

std::span<const ClaseSuperficie> ClasesSuperficie() {
    return kClasesSuperficie;
}

float EscalaDV(float dv, Desglose* pasos, const Separadores& s) {
    if (!(dv > 0.0f)) {  // also a NaN
        if (pasos) pasos->push_back("Escala de DV: la cuota base no es positiva, 0");
        return 0.0f;
    }
    [[maybe_unused]] const PrecisionDoble precision;
    const double x = dv;
    for (std::size_t k = 0; k < kTramosDV.size(); ++k) {
        if (kTramosDV[k].hasta >= x) {
            if (k == 0) {
                if (pasos) {
                    pasos->push_back("Escala de DV, primer tramo (hasta " +
                                     Cifra(static_cast<double>(kTramosDV[0].hasta), s) +
                                     "): " + Euros(dv, s));
                }
                return dv;
            }
            const double desde = kTramosDV[k - 1].hasta;
            const float cuota = EnSimple((x - desde) * kTramosDV[k].factor + kTramosDV[k].base);
            if (pasos) {
                pasos->push_back("Escala de DV, tramo de " + Cifra(desde, s) + " a " +
                                 Cifra(static_cast<double>(kTramosDV[k].hasta), s) + ": " +
                                 Euros(kTramosDV[k].base, s) + " + (" + Euros(x, s) + " − " +
                                 Cifra(desde, s) + ") × " + Cifra(kTramosDV[k].factor, s) + " = " +
                                 Euros(cuota, s));
            }
            return cuota;
        }
    }
    Avisar(kMensajeDVAlta);
    if (pasos) pasos->push_back("Escala de DV: la cuota base pasa del último tramo, 0");
    return 0.0f;
}

float EscalaSuperficie(float superficie, Desglose* pasos, const Separadores& s) {
    if (!(superficie > 0.0f)) {
        if (pasos) pasos->push_back("Escala de superficie: la superficie no es positiva, 0");
        return 0.0f;
    }
    const double x = superficie;
    double desde = 0;
    for (const auto& clase : kClasesSuperficie) {
        if (clase.hasta >= x) {
            if (pasos) {
                pasos->push_back("Escala de superficie, de " + Cifra(desde, s) + " a " +
                                 Cifra(static_cast<double>(clase.hasta), s) +
                                 " m²: " + Cifra(clase.importe, s));
            }
            return clase.importe;
        }
        desde = clase.hasta;
    }
    Avisar(kMensajeSuperficieAlta);
    if (pasos) pasos->push_back("Escala de superficie: pasa de la última clase, 0");
    return 0.0f;
}

}  // namespace cdv
