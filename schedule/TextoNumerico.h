// Amount and quantity texts: the "#,##0.00" form, the plain form and the number parser,
// all with the decimal and grouping separators of the user's locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cdv {

// Money is held as whole cents.
using Centimos = std::int64_t;

// The largest amount kept in cents: ten trillion euros. No fee comes near it, and any two
// amounts within it add up without overflow and stay exact in a double.
inline constexpr Centimos kCentimosMaximos = 1'000'000'000'000'000;

// a + b, when both and their sum are within kCentimosMaximos either way; nothing otherwise.
// Every total of the program grows through it, so that no sum can overflow or drift.
constexpr std::optional<Centimos> SumaCentimos(Centimos a, Centimos b) {
    const auto dentro = [](Centimos c) { return c >= -kCentimosMaximos && c <= kCentimosMaximos; };
    if (!dentro(a) || !dentro(b) || !dentro(a + b)) return std::nullopt;
    return a + b;
}

// The locale's separators, as UTF-8 texts (some locales group with a non-ASCII blank).
struct Separadores {
    std::string decimal = ",";
    std::string grupo = ".";
};

// The blanks that group digits in some locale or other: the ordinary space, the no-break
// space, the figure space, the thin space and the narrow no-break space.
inline constexpr std::string_view kBlancos[] = {" ", "\u00a0", "\u2007", "\u2009", "\u202f"};

// Whether the locale groups digits with a blank of some kind (a no-break or narrow space, as
// French or Swedish conventions do). Texts typed or pasted carry any of them: where one
// groups, all of kBlancos do.
bool GrupoDeBlancos(std::string_view grupo);

// A decimal with exactly two decimals, kept as its digits so that no amount, however
// large, loses a digit on the way to text.
class ImporteDecimal {
  public:
    // Rounds to the cent, half away from zero, on the exact binary value of x
    // (0.125 gives 0.13; 2.675, held as 2.67499..., gives 2.67). x must be finite.
    static ImporteDecimal DesdeDouble(double x);
    static ImporteDecimal DesdeCentimos(Centimos c);

    // "#,##0.00": grouped in threes, always two decimals; never "-0,00".
    std::string Formateado(const Separadores& s) const;
    // No grouping, no trailing zeros, no exponent: 12,5 / 300 / 4636,8.
    std::string Simple(const Separadores& s) const;
    // The double nearest to the decimal (what reading the text back gives).
    double Valor() const;
    // The amount in cents, if it is within kCentimosMaximos.
    std::optional<Centimos> ACentimos() const;

  private:
    bool negativo_ = false;
    std::string entero_ = "0";  // digits of the integer part, no leading zeros
    char decimales_[2] = {'0', '0'};
};

inline std::string TextoFormateado(double x, const Separadores& s) {
    return ImporteDecimal::DesdeDouble(x).Formateado(s);
}
inline std::string TextoFormateado(Centimos c, const Separadores& s) {
    return ImporteDecimal::DesdeCentimos(c).Formateado(s);
}
inline std::string TextoSimple(Centimos c, const Separadores& s) {
    return ImporteDecimal::DesdeCentimos(c).Simple(s);
}

// Reads a number: blanks around, an optional sign, digits, grouped or not, at most one
// decimal separator, an optional exponent. A grouped integer part is one to three digits, then
// groups of exactly three ("1.500.000,5" with Spanish separators); a separator anywhere else
// makes the text no number, so that a point typed for decimals ("150000.50") is never read as
// grouping. Anything else, and anything outside the finite single-precision range, is not a
// number.
std::optional<float> LeerNumero(std::string_view texto, const Separadores& s);
// The same number in double precision, the nearest to the text: what was typed, where a float
// would change it ("16777217"). Nothing where LeerNumero gives nothing.
std::optional<double> LeerNumeroDoble(std::string_view texto, const Separadores& s);

// An amount as pasted from a document, without its euro sign: "150.000,50 €", "€ 150.000,50"
// and "150.000,50€" give "150.000,50". A sign anywhere else, or alone, stays, and the text is
// then no number.
std::string_view SinSignoEuro(std::string_view texto);

// Reads an amount text exactly, to the cent (half away from zero past two decimals).
// Not a number, or beyond kCentimosMaximos: nothing.
std::optional<Centimos> LeerCentimos(std::string_view texto, const Separadores& s);

}  // namespace cdv
