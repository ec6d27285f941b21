#include "Cuotas.h"

#include <cmath>
#include <cstdint>

#include "Escalas.h"
#include "Redondeo.h"

namespace cdv {

namespace {

// "× 1,28 × 1,035": the update factors, as the steps show them.
std::string PorFactores(const Baremo& baremo, const Separadores& s) {
    std::string texto;
    for (const double factor : baremo.factores) texto += " × " + Cifra(factor, s);
    return texto;
}

// Whether an amount is a fee the program can show and keep: finite, and its cents within
// kCentimosMaximos.
bool Calculable(double importe) {
    return std::isfinite(importe) &&
           std::fabs(importe) <= static_cast<double>(kCentimosMaximos) / 100;
}

// No fee: the amount reached is not one the program keeps.
CuotaCalculada Excesiva(double importe, std::string_view aviso, Desglose* pasos) {
    if (pasos) pasos->push_back("Cuota: pasa del mayor importe que el programa calcula");
    return {Resultado::Excesiva, importe, {}, {}, aviso};
}

// A fee reached: its last step is the fee as shown.
CuotaCalculada Hecha(const ImporteDecimal& redondeado, double importe, std::string texto,
                     std::string_view aviso, Desglose* pasos) {
    const std::optional<Centimos> centimos = redondeado.ACentimos();
    if (!centimos) return Excesiva(importe, aviso, pasos);
    if (pasos) pasos->push_back("Cuota: " + texto);
    return {Resultado::Cuota, importe, std::move(texto), centimos, aviso};
}

// A fee shown in the "#,##0.00" form.
CuotaCalculada Formateada(double importe, const Separadores& s, Desglose* pasos,
                          std::string_view aviso = {}) {
    if (!Calculable(importe)) return Excesiva(importe, aviso, pasos);
    const ImporteDecimal redondeado = ImporteDecimal::DesdeDouble(importe);
    return Hecha(redondeado, importe, redondeado.Formateado(s), aviso, pasos);
}

// Each rule takes the quantity as the float the rules work on, or as the double nearest to
// what was typed, to tell whether single precision changed the fee.

// Per unit, in both catalogues: the quantity times the updated rate, kept in double.
template <typename Cantidad>
CuotaCalculada PorUnidad(const Baremo& baremo, Cantidad cantidad, float tasa, const Separadores& s,
                         Desglose* pasos) {
    const double importe = cantidad * baremo.Actualizar(tasa);
    if (pasos) {
        pasos->push_back("Por unidad: " + Cifra(cantidad, s) + " × " + Cifra(tasa, s) + " €" +
                         PorFactores(baremo, s) + " = " + Euros(importe, s));
    }
    return Formateada(importe, s, pasos);
}

// Magnitudes and budgets of work items: the updated amount, raised to the updated minimum,
// through the DV scale.
template <typename Cantidad>
CuotaCalculada PorEscalaDV(const Baremo& baremo, const TrabajoTT& fila, Cantidad cantidad,
                           const Separadores& s, Desglose* pasos) {
    float a = EnSimple(baremo.Actualizar(fila.Tasa) * cantidad);
    const float m = EnSimple(baremo.Actualizar(fila.Minimo));
    if (pasos) {
        pasos->push_back("Cuota base: " + Cifra(cantidad, s) + " " +
                         std::string(UnidadTrabajo(fila)) + " × " + Cifra(fila.Tasa, s) +
                         PorFactores(baremo, s) + " = " + Euros(a, s) + "; mínimo " +
                         Cifra(fila.Minimo, s) + PorFactores(baremo, s) + " = " + Euros(m, s) +
                         (m >= a ? ", se aplica" : ", no se aplica"));
    }
    if (m >= a) a = m;
    const Escalado escalado = EscalaDV(baremo.tramosDV, a, pasos, s);
    return Formateada(escalado.importe, s, pasos, escalado.aviso);
}

// Surfaces: the surface scale's amount, updated.
template <typename Cantidad>
CuotaCalculada PorSuperficie(const Baremo& baremo, Cantidad superficie, const Separadores& s,
                             Desglose* pasos) {
    const Escalado escalado = EscalaSuperficie(baremo.clasesSuperficie, superficie, pasos, s);
    const double cuota = baremo.Actualizar(escalado.importe);
    if (pasos) {
        pasos->push_back("Actualizado: " + Cifra(escalado.importe, s) + PorFactores(baremo, s) +
                         " = " + Euros(cuota, s));
    }
    return Formateada(cuota, s, pasos, escalado.aviso);
}

// Budgets of documents: the updated rate on the budget, rounded to the cent (shown in plain
// form), unless the updated minimum is as much or more.
template <typename Cantidad>
CuotaCalculada PorPresupuesto(const Baremo& baremo, const DocumentoTD& fila, Cantidad cantidad,
                              const Separadores& s, Desglose* pasos) {
    const double importe = cantidad * baremo.Actualizar(fila.Tasa);
    if (!Calculable(importe)) return Excesiva(importe, {}, pasos);
    const ImporteDecimal v = ImporteDecimal::DesdeDouble(importe);
    const double m = baremo.Actualizar(fila.Minimo);
    if (pasos) {
        pasos->push_back("Presupuesto: " + Cifra(cantidad, s) + " × " + Cifra(fila.Tasa, s) +
                         PorFactores(baremo, s) + " = " + v.Formateado(s) + "; mínimo " +
                         Cifra(fila.Minimo, s) + PorFactores(baremo, s) + " = " + Euros(m, s) +
                         (m < v.Valor() ? ", no se aplica" : ", se aplica"));
    }
    if (m < v.Valor()) return Hecha(v, v.Valor(), v.Simple(s), {}, pasos);
    return Formateada(m, s, pasos);
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

// The fee of the quantity as the rules take it, a float; where single precision changed the
// quantity typed and so the fee (16777217 units charged as 16777216), no fee, and the steps
// say why. `tasar` prices a float or a double quantity.
template <typename Tasar>
CuotaCalculada ComoSeEscribio(std::string_view cantidad, const Separadores& s, Desglose* pasos,
                              Tasar tasar) {
    const auto q = LeerNumero(cantidad, s);
    if (!q) return {};
    CuotaCalculada cuota = tasar(*q, pasos);
    const double escrita = *LeerNumeroDoble(cantidad, s);
    if (escrita == static_cast<double>(*q)) return cuota;
    const CuotaCalculada exacta = tasar(escrita, nullptr);
    if (exacta.resultado == cuota.resultado && exacta.texto == cuota.texto) return cuota;
    if (pasos) {
        pasos->push_back(
            "Cuota: la cantidad tiene más cifras de las que se calculan con "
            "exactitud (se tomaría como " +
            Cifra(*q, s) + "), y la cuota cambiaría");
    }
    return {Resultado::Imprecisa, cuota.importe, {}, {}, {}};
}

}  // namespace

std::string_view UnidadTrabajo(const TrabajoTT& fila) {
    switch (fila.Tipo) {
        case Regla::PorUnidad:
            return "Ud.";
        case Regla::PorMagnitud:
        case Regla::PorSuperficie:
            return fila.Unidad;
        case Regla::PorPresupuesto:
            return "P.E.M.";
        default:
            return {};
    }
}

std::string_view UnidadDocumento(const DocumentoTD& fila) {
    switch (fila.Tipo) {
        case Regla::PorUnidad:
            return "Ud.";
        case Regla::PorPresupuesto:
            return "Presupuesto";
        case Regla::SegunTarifa:
            return fila.Unidad;
        default:
            return {};
    }
}

std::string_view NumeroDeCantidad(Regla regla, std::string_view cantidad) {
    return regla == Regla::PorPresupuesto ? SinSignoEuro(cantidad) : cantidad;
}

CuotaCalculada CuotaTrabajo(const Baremo& baremo, const TrabajoTT* fila, std::string_view cantidad,
                            const Separadores& s, Desglose* pasos) {
    [[maybe_unused]] const PrecisionDoble precision;
    if (fila == nullptr) return {};
    return ComoSeEscribio(NumeroDeCantidad(fila->Tipo, cantidad), s, pasos,
                          [&](auto q, Desglose* p) -> CuotaCalculada {
                              switch (fila->Tipo) {
                                  case Regla::PorUnidad:
                                      return PorUnidad(baremo, q, fila->Tasa, s, p);
                                  case Regla::PorMagnitud:
                                  case Regla::PorPresupuesto:
                                      return PorEscalaDV(baremo, *fila, q, s, p);
                                  case Regla::PorSuperficie:
                                      return PorSuperficie(baremo, q, s, p);
                                  default:
                                      return {Resultado::SinCuota, 0.0, {}, {}, {}};
                              }
                          });
}

CuotaCalculada CuotaDocumento(const Baremo& baremo, const DocumentoTD* fila,
                              std::string_view cantidad, const Separadores& s, Desglose* pasos) {
    [[maybe_unused]] const PrecisionDoble precision;
    if (fila == nullptr) return {};
    return ComoSeEscribio(NumeroDeCantidad(fila->Tipo, cantidad), s, pasos,
                          [&](auto q, Desglose* p) -> CuotaCalculada {
                              switch (fila->Tipo) {
                                  case Regla::PorUnidad:
                                      return PorUnidad(baremo, q, fila->Tasa, s, p);
                                  case Regla::PorPresupuesto:
                                      return PorPresupuesto(baremo, *fila, q, s, p);
                                  default:
                                      return {Resultado::SinCuota, 0.0, {}, {}, {}};
                              }
                          });
}

std::optional<CuotaProyecto> CuotaDocumento(const DocumentoTD& fila, Centimos sumaProyecto,
                                            float fraccionDescuento, const Separadores& s) {
    const auto parte = ProductoRedondeado(sumaProyecto, fila.Tasa);
    const auto descuento = ProductoRedondeado(sumaProyecto, fraccionDescuento);
    if (!parte || !descuento) return std::nullopt;
    const Centimos cuota = *parte - *descuento;
    if (cuota > kCentimosMaximos || cuota < -kCentimosMaximos) return std::nullopt;
    return CuotaProyecto{cuota, *descuento, TextoSimple(cuota, s)};
}

namespace {

// Why a fee rule gave no fee, in words.
std::string_view SinCuotaPorque(Resultado resultado) {
    switch (resultado) {
        case Resultado::Imprecisa:
            return "la cantidad tiene más cifras de las que se calculan con exactitud";
        case Resultado::Excesiva:
            return "la cuota pasa del mayor importe que el programa calcula";
        case Resultado::SinCuota:
            return "la fila no tasa cantidades";
        default:
            return "la cantidad no es un número";
    }
}

}  // namespace

std::vector<std::string> EjemplosQueFallan(const Baremo& baremo) {
    std::vector<std::string> fallan;
    const Separadores s;
    for (std::size_t k = 0; k < baremo.ejemplos.size(); ++k) {
        const EjemploBaremo& e = baremo.ejemplos[k];
        const std::string cantidad = TextoDecimal(e.cantidad, s);
        const CuotaCalculada cuota =
            e.catalogo == Catalogo::Trabajos
                ? CuotaTrabajo(baremo, baremo.TablaTT.Fila(baremo.TablaTT.Buscar(e.ref)), cantidad,
                               s)
                : CuotaDocumento(baremo, baremo.TablaTD.Fila(baremo.TablaTD.Buscar(e.ref)),
                                 cantidad, s);
        if (std::string fallo =
                FalloDeEjemplo(k, e.ref, cuota.centimos, SinCuotaPorque(cuota.resultado), e.cuota);
            !fallo.empty())
            fallan.push_back(std::move(fallo));
    }
    return fallan;
}

}  // namespace cdv
