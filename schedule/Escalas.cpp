#include "Escalas.h"

#include "Redondeo.h"

namespace cdv {

Escalado EscalaDV(std::span<const TramoDV> tramos, float dv, Desglose* pasos,
                  const Separadores& s) {
    if (!(dv > 0.0f)) {  // also a NaN
        if (pasos) pasos->push_back("Escala de DV: la cuota base no es positiva, 0");
        return {};
    }
    [[maybe_unused]] const PrecisionDoble precision;
    const double x = dv;
    for (std::size_t k = 0; k < tramos.size(); ++k) {
        if (tramos[k].hasta >= x) {
            if (k == 0) {
                if (pasos) {
                    pasos->push_back("Escala de DV, primer tramo (hasta " +
                                     Cifra(static_cast<double>(tramos[0].hasta), s) +
                                     "): " + Euros(dv, s));
                }
                return {dv, {}};
            }
            const double desde = tramos[k - 1].hasta;
            const float cuota = EnSimple((x - desde) * tramos[k].factor + tramos[k].base);
            if (pasos) {
                pasos->push_back("Escala de DV, tramo de " + Cifra(desde, s) + " a " +
                                 Cifra(static_cast<double>(tramos[k].hasta), s) + ": " +
                                 Euros(tramos[k].base, s) + " + (" + Euros(x, s) + " − " +
                                 Cifra(desde, s) + ") × " + Cifra(tramos[k].factor, s) + " = " +
                                 Euros(cuota, s));
            }
            return {cuota, {}};
        }
    }
    if (pasos) pasos->push_back("Escala de DV: la cuota base pasa del último tramo, 0");
    return {0.0f, kMensajeDVAlta};
}

Escalado EscalaSuperficie(std::span<const ClaseSuperficie> clases, double superficie,
                          Desglose* pasos, const Separadores& s) {
    if (!(superficie > 0.0)) {
        if (pasos) pasos->push_back("Escala de superficie: la superficie no es positiva, 0");
        return {};
    }
    const double x = superficie;
    double desde = 0;
    for (const ClaseSuperficie& clase : clases) {
        if (clase.hasta >= x) {
            if (pasos) {
                pasos->push_back("Escala de superficie, de " + Cifra(desde, s) + " a " +
                                 Cifra(static_cast<double>(clase.hasta), s) +
                                 " m²: " + Cifra(clase.importe, s));
            }
            return {clase.importe, {}};
        }
        desde = clase.hasta;
    }
    if (pasos) pasos->push_back("Escala de superficie: pasa de la última clase, 0");
    return {0.0f, kMensajeSuperficieAlta};
}

}  // namespace cdv
