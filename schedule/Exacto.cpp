#include "Exacto.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace cdv {

namespace {

constexpr int kCifrasMaximas = 18;   // of a decimal read, so that its mantissa fits 64 bits
constexpr int kPotenciaMaxima = 18;  // the largest power of ten a 64-bit step multiplies by

struct U128 {
    std::uint64_t alto = 0, bajo = 0;
};

constexpr std::uint64_t Potencia10(int n) {
    std::uint64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

U128 Producto(std::uint64_t a, std::uint64_t b) {
    constexpr std::uint64_t k32 = 0xFFFFFFFFu;
    const std::uint64_t p00 = (a & k32) * (b & k32), p01 = (a & k32) * (b >> 32);
    const std::uint64_t p10 = (a >> 32) * (b & k32), p11 = (a >> 32) * (b >> 32);
    const std::uint64_t medio = (p00 >> 32) + (p01 & k32) + (p10 & k32);
    return {p11 + (p01 >> 32) + (p10 >> 32) + (medio >> 32), (medio << 32) | (p00 & k32)};
}

std::optional<U128> Por(U128 x, std::uint64_t b) {
    const U128 bajo = Producto(x.bajo, b), alto = Producto(x.alto, b);
    const std::uint64_t suma = alto.bajo + bajo.alto;
    if (alto.alto != 0 || suma < alto.bajo) return std::nullopt;
    return U128{suma, bajo.bajo};
}

std::optional<U128> PorPotencia(U128 x, int n) {
    for (; n > 0; n -= kPotenciaMaxima) {
        const auto r = Por(x, Potencia10(std::min(n, kPotenciaMaxima)));
        if (!r) return std::nullopt;
        x = *r;
    }
    return x;
}

std::optional<U128> Suma(U128 a, U128 b) {
    const std::uint64_t bajo = a.bajo + b.bajo;
    const std::uint64_t acarreo = bajo < a.bajo ? 1 : 0;
    const std::uint64_t alto = a.alto + b.alto;
    if (alto < a.alto || alto + acarreo < alto) return std::nullopt;
    return U128{alto + acarreo, bajo};
}

// x divided by d (0 < d < 2^63), rounded down: the high half natively, then the low half bit
// by bit after the high half's remainder (none left: natively too), the remainder below 2d.
U128 Entre(U128 x, std::uint64_t d) {
    U128 cociente{x.alto / d, 0};
    std::uint64_t resto = x.alto % d;
    if (resto == 0) return {cociente.alto, x.bajo / d};
    for (int bit = 63; bit >= 0; --bit) {
        resto = (resto << 1) | ((x.bajo >> bit) & 1);
        if (resto >= d) {
            resto -= d;
            cociente.bajo |= std::uint64_t{1} << bit;
        }
    }
    return cociente;
}

U128 EntrePotencia(U128 x, int n) {
    for (; n > 0; n -= kPotenciaMaxima) x = Entre(x, Potencia10(std::min(n, kPotenciaMaxima)));
    return x;
}

bool Menor(U128 a, U128 b) {
    return a.alto != b.alto ? a.alto < b.alto : a.bajo < b.bajo;
}

}  // namespace

std::optional<Decimal> LeerDecimal(std::string_view texto) {
    Decimal d;
    bool cifra = false, punto = false;
    int significativas = 0;
    for (const char c : texto) {
        if (c == '.' && !punto && cifra) {
            punto = true;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        cifra = true;
        significativas += (significativas > 0 || c != '0') ? 1 : 0;
        if (significativas > kCifrasMaximas) return std::nullopt;
        d.mantisa = d.mantisa * 10 + static_cast<std::uint64_t>(c - '0');
        d.decimales += punto ? 1 : 0;
    }
    if (!cifra || texto.back() == '.' || d.decimales > kDecimalesMaximos) return std::nullopt;
    return d;
}

std::optional<Decimal> LeerCantidad(std::string_view texto, const Separadores& s) {
    const std::string_view numero = SinSignoEuro(texto);
    if (!LeerNumeroDoble(numero, s)) return std::nullopt;  // its grouping, as the windows read
    std::string limpio;
    for (std::size_t k = 0; k < numero.size();) {
        if (!s.grupo.empty() && numero.compare(k, s.grupo.size(), s.grupo) == 0) {
            k += s.grupo.size();
        } else if (!s.decimal.empty() && numero.compare(k, s.decimal.size(), s.decimal) == 0) {
            limpio += '.';
            k += s.decimal.size();
        } else {
            if (numero[k] != ' ') limpio += numero[k];
            ++k;
        }
    }
    return LeerDecimal(limpio);
}

std::string TextoDecimal(Decimal d, const Separadores& s) {
    while (d.decimales > 0 && d.mantisa % 10 == 0) {
        d.mantisa /= 10;
        --d.decimales;
    }
    std::string cifras = std::to_string(d.mantisa);
    if (d.decimales == 0) return cifras;
    if (static_cast<int>(cifras.size()) <= d.decimales)
        cifras.insert(0, static_cast<std::size_t>(d.decimales) + 1 - cifras.size(), '0');
    cifras.insert(cifras.size() - static_cast<std::size_t>(d.decimales), s.decimal);
    return cifras;
}

int Comparar(Decimal a, Decimal b) {
    if (a.decimales == b.decimales) return a.mantisa < b.mantisa ? -1 : a.mantisa > b.mantisa;
    const int decimales = std::max(a.decimales, b.decimales);
    const U128 x = *PorPotencia({0, a.mantisa}, decimales - a.decimales);
    const U128 y = *PorPotencia({0, b.mantisa}, decimales - b.decimales);
    return Menor(x, y) ? -1 : Menor(y, x) ? 1 : 0;
}

std::optional<Decimal> Restar(Decimal a, Decimal b) {
    if (a.decimales == b.decimales)
        return a.mantisa < b.mantisa ? std::nullopt
                                     : std::optional(Decimal{a.mantisa - b.mantisa, a.decimales});
    const int decimales = std::max(a.decimales, b.decimales);
    const U128 x = *PorPotencia({0, a.mantisa}, decimales - a.decimales);
    const U128 y = *PorPotencia({0, b.mantisa}, decimales - b.decimales);
    const std::uint64_t prestado = x.bajo < y.bajo ? 1 : 0;
    if (Menor(x, y) || x.alto - y.alto - prestado != 0) return std::nullopt;
    return Decimal{x.bajo - y.bajo, decimales};
}

namespace {

// d × 10^-desplazamiento read as a T from its text, "35e-4", correctly rounded.
template <typename T>
T Cercano(Decimal d, int desplazamiento) {
    const std::string texto =
        std::to_string(d.mantisa) + "e-" + std::to_string(d.decimales + desplazamiento);
    T x{};
    std::from_chars(texto.data(), texto.data() + texto.size(), x);
    return x;
}

}  // namespace

double DecimalEnDouble(Decimal d, int desplazamiento) {
    return Cercano<double>(d, desplazamiento);
}

float DecimalEnFloat(Decimal d, int desplazamiento) {
    return Cercano<float>(d, desplazamiento);
}

Exacto Exacto::De(Decimal d) {
    Exacto e;
    e.bajo_ = d.mantisa;
    e.decimales_ = d.decimales;
    return e;
}

Exacto Exacto::DeCentimos(Centimos c) {
    return De({static_cast<std::uint64_t>(std::max<Centimos>(c, 0)), 2});
}

std::optional<Exacto> Exacto::Por(Decimal d) const {
    const auto producto = cdv::Por({alto_, bajo_}, d.mantisa);
    if (!producto) return std::nullopt;
    Exacto e;
    e.alto_ = producto->alto;
    e.bajo_ = producto->bajo;
    e.decimales_ = decimales_ + d.decimales;
    return e;
}

std::optional<Exacto> Exacto::Mas(const Exacto& otro) const {
    const int decimales = std::max(decimales_, otro.decimales_);
    const auto x = PorPotencia({alto_, bajo_}, decimales - decimales_);
    const auto y = PorPotencia({otro.alto_, otro.bajo_}, decimales - otro.decimales_);
    const auto suma = x && y ? Suma(*x, *y) : std::nullopt;
    if (!suma) return std::nullopt;
    Exacto e;
    e.alto_ = suma->alto;
    e.bajo_ = suma->bajo;
    e.decimales_ = decimales;
    return e;
}

// Down to thousandths of a euro, rounded down (floor of floors is the floor of the whole),
// then to the cent, half up.
std::optional<Centimos> Exacto::AlCentimo() const {
    U128 x{alto_, bajo_};
    if (decimales_ <= 2) {
        const auto centimos = PorPotencia(x, 2 - decimales_);
        if (!centimos) return std::nullopt;
        x = *centimos;
    } else {
        x = EntrePotencia(x, decimales_ - 3);
        const auto cinco = Suma(x, {0, 5});
        if (!cinco) return std::nullopt;
        x = Entre(*cinco, 10);
    }
    if (x.alto != 0 || x.bajo > static_cast<std::uint64_t>(kCentimosMaximos)) return std::nullopt;
    return static_cast<Centimos>(x.bajo);
}

std::optional<Decimal> Exacto::EnDecimal() const {
    if (alto_ != 0) return std::nullopt;
    return Decimal{bajo_, decimales_};
}

}  // namespace cdv
