// Exact decimal amounts for schedules that state their rules as data: every quantity, rate
// and price is read as the decimal it is written as, every product and sum is kept exactly
// (up to 128 bits), and a fee is rounded once, to the cent, half up, where its rule says.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "TextoNumerico.h"

namespace cdv {

// The most decimals a value of a schedule's file, or a quantity, may have.
inline constexpr int kDecimalesMaximos = 9;

// mantisa × 10^-decimales, never negative.
struct Decimal {
    std::uint64_t mantisa = 0;
    int decimales = 0;
    bool operator==(const Decimal&) const = default;
};

// "1500", "0.0029", "150000.50": digits with at most one point and kDecimalesMaximos
// decimals, below 10^15; nothing for anything else.
std::optional<Decimal> LeerDecimal(std::string_view texto);
// A quantity as the windows take it, in `s`'s form ("150.000,50", "250"), exactly; nothing for
// a text that is not one, a negative one, or one with more than kDecimalesMaximos decimals.
std::optional<Decimal> LeerCantidad(std::string_view texto, const Separadores& s);
// Its shortest exact text, with `s`'s decimal separator and no grouping: 0,0029 / 1500.
std::string TextoDecimal(Decimal d, const Separadores& s);
// a < b, a == b, a > b, exactly.
int Comparar(Decimal a, Decimal b);
// a − b: nothing where b > a, or where the difference needs more than 64 bits.
std::optional<Decimal> Restar(Decimal a, Decimal b);
// The nearest double, and float, to d × 10^-desplazamiento: what the same number written in
// the source gives (0.35 % is the float 0.0035f).
double DecimalEnDouble(Decimal d, int desplazamiento = 0);
float DecimalEnFloat(Decimal d, int desplazamiento = 0);

// A value kept exactly while a fee is computed: valor × 10^-decimales (up to 128 bits).
class Exacto {
  public:
    static Exacto De(Decimal d);
    static Exacto DeCentimos(Centimos c);
    // Nothing when the result would not fit.
    std::optional<Exacto> Por(Decimal d) const;
    std::optional<Exacto> Mas(const Exacto& otro) const;
    // Rounded to the cent, half up; nothing beyond kCentimosMaximos.
    std::optional<Centimos> AlCentimo() const;
    // The value itself; nothing when it needs more than 64 bits.
    std::optional<Decimal> EnDecimal() const;

  private:
    std::uint64_t alto_ = 0, bajo_ = 0;
    int decimales_ = 0;
};

}  // namespace cdv
