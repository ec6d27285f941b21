#include "Cuotas.h"

#include <cmath>
#include <limits>

#include "Escalas.h"

namespace cdv {

namespace {

// Narrows to single precision as the hardware does: to nearest, and to infinity past the
// largest float (which a plain cast would leave undefined).
float AFloat(double x) {
    constexpr double kDesborde = 0x1.ffffffp127;  // halfway between FLT_MAX and 2^128
    if (x >= kDesborde) return std::numeric_limits<float>::infinity();
    if (x <= -kDesborde) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(x);
}

CuotaCalculada Formateada(double importe, const Separadores& s) {
    return {Resultado::Cuota, importe, TextoFormateado(importe, s)};
}

// Per unit, in both catalogues: the quantity times the updated rate, kept in double.
CuotaCalculada PorUnidad(float cantidad, float tasa, const Separadores& s) {
    return Formateada(cantidad * FactorActualizacion(tasa), s);
}

// c × f rounded to the cent, half away from zero on the exact product. p is the rounded
// product and e its exact error, so p + e is the true value; it can only fall on the other
// side of a tie that p shows when e points back towards zero.
std::optional<Centimos> ProductoRedondeado(Centimos c, float f) {
    const double x = static_cast<double>(c);
    const double y = f;
    const double p = x * y;
    if (!(std::fabs(p) <= static_cast<double>(kCentimosMaximos))) return std::nullopt;
    const double e = std::fma(x, y, -p);
    double redondeado = std::round(p);
    if (std::fabs(p - std::trunc(p)) == 0.5 && e != 0.0 && std::signbit(e) != std::signbit(p)) {
        redondeado = std::trunc(p);
    }
    return static_cast<Centimos>(redondeado);
}

}  // namespace

CuotaCalculada CuotaTrabajo(const TrabajoTT* fila, std::string_view cantidad,
                            const Separadores& s) {
    const auto q = LeerNumero(cantidad, s);
    if (fila == nullptr || !q) return {};
    switch (fila->Tipo) {
        case 1:
            return PorUnidad(*q, fila->Tasa, s);
        case 2:
        case 3: {
            float a = AFloat(FactorActualizacion(fila->Tasa) * *q);
            const float m = AFloat(FactorActualizacion(fila->Minimo));
            if (m >= a) a = m;
            return Formateada(EscalaDV(a), s);
        }
        case 4:
            return Formateada(FactorActualizacion(EscalaSuperficie(*q)), s);
        default:
            return {Resultado::SinCuota, 0.0, {}};
    }
}

CuotaCalculada CuotaDocumento(const DocumentoTD* fila, std::string_view cantidad,
                              const Separadores& s) {
    const auto q = LeerNumero(cantidad, s);
    if (fila == nullptr || !q) return {};
    switch (fila->Tipo) {
        case 1:
            return PorUnidad(*q, fila->Tasa, s);
        case 3: {
            const ImporteDecimal v =
                ImporteDecimal::DesdeDouble(*q * FactorActualizacion(fila->Tasa));
            const double m = FactorActualizacion(fila->Minimo);
            if (m < v.Valor()) return {Resultado::Cuota, v.Valor(), v.Simple(s)};
            return Formateada(m, s);
        }
        default:
            return {Resultado::SinCuota, 0.0, {}};
    }
}

std::optional<CuotaProyecto> CuotaDocumento(const DocumentoTD& fila, Centimos sumaProyecto,
                                            float fraccionDescuento, const Separadores& s) {
    const auto parte = ProductoRedondeado(sumaProyecto, fila.Tasa);
    const bool conDescuento = fila.Ref == kRefProyecto || fila.Ref == kRefProyectoBasico;
    const auto descuento =
        conDescuento ? ProductoRedondeado(sumaProyecto, fraccionDescuento) : Centimos{0};
    if (!parte || !descuento) return std::nullopt;
    const Centimos cuota = *parte - *descuento;
    if (cuota > kCentimosMaximos || cuota < -kCentimosMaximos) return std::nullopt;
    return CuotaProyecto{cuota, *descuento, TextoSimple(cuota, s)};
}

}  // namespace cdv
