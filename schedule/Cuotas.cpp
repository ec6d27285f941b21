#include "Cuotas.h"

#include <cmath>
#include <cstdint>

#include "Escalas.h"
#include "Redondeo.h"

namespace cdv {

namespace {

// "× 1,28 × 1,035": the update factors, as the steps show them.
std::string PorFactores(const Separadores& s) {
    return " × " + Cifra(kFactorActualizacion1, s) + " × " + Cifra(kFactorActualizacion2, s);
}

// A fee reached: its last step is the fee as shown.
CuotaCalculada Hecha(CuotaCalculada cuota, Desglose* pasos) {
    if (pasos) pasos->push_back("Cuota: " + cuota.texto);
    return cuota;
}

CuotaCalculada Formateada(double importe, const Separadores& s, Desglose* pasos) {
    return Hecha({Resultado::Cuota, importe, TextoFormateado(importe, s)}, pasos);
}

// Per unit, in both catalogues: the quantity times the updated rate, kept in double.
CuotaCalculada PorUnidad(float cantidad, float tasa, const Separadores& s, Desglose* pasos) {
    const double importe = cantidad * FactorActualizacion(tasa);
    if (pasos) {
        pasos->push_back("Por unidad: " + Cifra(cantidad, s) + " × " + Cifra(tasa, s) + " €" +
                         PorFactores(s) + " = " + Euros(importe, s));
    }
    return Formateada(importe, s, pasos);
}

// A 128-bit unsigned number, as two halves: enough for cents times a float's mantissa.
struct Ancho {
    std::uint64_t alto = 0, bajo = 0;
};

Ancho Multiplicar(std::uint64_t a, std::uint64_t m) {  // a < 2^63, m < 2^32
    const std::uint64_t bajo = (a & 0xffffffffu) * m;
    const std::uint64_t medio = (a >> 32) * m;
    const std::uint64_t suma = bajo + (medio << 32);
    return {(medio >> 32) + (suma < bajo ? 1 : 0), suma};
}

// x + 2^(s - 1): half of the unit that a shift by s keeps, 0 < s < 128.
Ancho MasMitad(Ancho x, int s) {
    if (s > 64) return {x.alto + (std::uint64_t{1} << (s - 65)), x.bajo};
    const std::uint64_t bajo = x.bajo + (std::uint64_t{1} << (s - 1));
    return {x.alto + (bajo < x.bajo ? 1 : 0), bajo};
}

Ancho DesplazarDerecha(Ancho x, int s) {  // 0 < s < 128
    if (s >= 64) return {0, x.alto >> (s - 64)};
    return {x.alto >> s, (x.bajo >> s) | (x.alto << (64 - s))};
}

// c × f rounded to the cent, half away from zero, on the exact product, in whole numbers:
// f is m × 2^-s with m below 2^24, so |c| × m takes at most 74 bits. Nothing when the
// product leaves kCentimosMaximos.
std::optional<Centimos> ProductoRedondeado(Centimos c, float f) {
    if (!std::isfinite(f) || std::fabs(static_cast<double>(c) * f) > 2.0 * kCentimosMaximos) {
        return std::nullopt;
    }
    int exponente = 0;
    const float fraccion = std::frexp(std::fabs(f), &exponente);
    const auto m = static_cast<std::uint64_t>(std::ldexp(fraccion, 24));
    const int s = 24 - exponente;
    const std::uint64_t a =
        c < 0 ? 0 - static_cast<std::uint64_t>(c) : static_cast<std::uint64_t>(c);
    const Ancho producto = Multiplicar(a, m);
    std::uint64_t magnitud = 0;
    if (s <= 0) {
        magnitud = producto.bajo << -s;  // within range, checked above
    } else if (s < 128) {
        // Half away from zero on the magnitude: floor((P + 2^(s-1)) / 2^s).
        magnitud = DesplazarDerecha(MasMitad(producto, s), s).bajo;
    }
    if (magnitud > static_cast<std::uint64_t>(kCentimosMaximos)) return std::nullopt;
    const auto resultado = static_cast<Centimos>(magnitud);
    return (c < 0) != (f < 0) ? -resultado : resultado;
}

}  // namespace

std::string_view UnidadTrabajo(const TrabajoTT& fila) {
    switch (fila.Tipo) {
        case 1:
            return "Ud.";
        case 2:
        case 4:
            return fila.Unidad;
        case 3:
            return "P.E.M.";
        default:
            return {};
    }
}

std::string_view UnidadDocumento(const DocumentoTD& fila) {
    switch (fila.Tipo) {
        case 1:
            return "Ud.";
        case 3:
            return "Presupuesto";
        default:
            return {};
    }
}

CuotaCalculada CuotaTrabajo(const TrabajoTT* fila, std::string_view cantidad, const Separadores& s,
                            Desglose* pasos) {
    [[maybe_unused]] const PrecisionDoble precision;
    const auto q = LeerNumero(cantidad, s);
    if (fila == nullptr || !q) return {};
    switch (fila->Tipo) {
        case 1:
            return PorUnidad(*q, fila->Tasa, s, pasos);
        case 2:
        case 3: {
            float a = EnSimple(FactorActualizacion(fila->Tasa) * *q);
            const float m = EnSimple(FactorActualizacion(fila->Minimo));
            if (pasos) {
                pasos->push_back("Cuota base: " + Cifra(*q, s) + " " +
                                 std::string(UnidadTrabajo(*fila)) + " × " + Cifra(fila->Tasa, s) +
                                 PorFactores(s) + " = " + Euros(a, s) + "; mínimo " +
                                 Cifra(fila->Minimo, s) + PorFactores(s) + " = " + Euros(m, s) +
                                 (m >= a ? ", se aplica" : ", no se aplica"));
            }
            if (m >= a) a = m;
            return Formateada(EscalaDV(a, pasos, s), s, pasos);
        }
        case 4: {
            const float importe = EscalaSuperficie(*q, pasos, s);
            const double cuota = FactorActualizacion(importe);
            if (pasos) {
                pasos->push_back("Actualizado: " + Cifra(importe, s) + PorFactores(s) + " = " +
                                 Euros(cuota, s));
            }
            return Formateada(cuota, s, pasos);
        }
        default:
            return {Resultado::SinCuota, 0.0, {}};
    }
}

CuotaCalculada CuotaDocumento(const DocumentoTD* fila, std::string_view cantidad,
                              const Separadores& s, Desglose* pasos) {
    [[maybe_unused]] const PrecisionDoble precision;
    const auto q = LeerNumero(cantidad, s);
    if (fila == nullptr || !q) return {};
    switch (fila->Tipo) {
        case 1:
            return PorUnidad(*q, fila->Tasa, s, pasos);
        case 3: {
            const ImporteDecimal v =
                ImporteDecimal::DesdeDouble(*q * FactorActualizacion(fila->Tasa));
            const double m = FactorActualizacion(fila->Minimo);
            if (pasos) {
                pasos->push_back("Presupuesto: " + Cifra(*q, s) + " × " + Cifra(fila->Tasa, s) +
                                 PorFactores(s) + " = " + v.Formateado(s) + "; mínimo " +
                                 Cifra(fila->Minimo, s) + PorFactores(s) + " = " + Euros(m, s) +
                                 (m < v.Valor() ? ", no se aplica" : ", se aplica"));
            }
            if (m < v.Valor()) return Hecha({Resultado::Cuota, v.Valor(), v.Simple(s)}, pasos);
            return Formateada(m, s, pasos);
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
