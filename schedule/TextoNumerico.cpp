#include "TextoNumerico.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace cdv {

namespace {

// A number as read from text: value = digitos × 10^exponente, digitos without leading zeros
// ("0" for zero).
struct DecimalLeido {
    bool negativo = false;
    std::string digitos;
    long long exponente = 0;
};

bool EmpiezaPor(std::string_view texto, std::size_t pos, std::string_view prefijo) {
    return !prefijo.empty() && texto.substr(pos, prefijo.size()) == prefijo;
}

// The length in bytes of the blank at `pos`; 0 when there is none.
std::size_t BlancoEn(std::string_view texto, std::size_t pos) {
    for (const std::string_view blanco : kBlancos) {
        if (EmpiezaPor(texto, pos, blanco)) return blanco.size();
    }
    return 0;
}

bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

std::string_view SinBlancosAlrededor(std::string_view t) {
    const auto inicio = t.find_first_not_of(' ');
    if (inicio == std::string_view::npos) return {};
    return t.substr(inicio, t.find_last_not_of(' ') - inicio + 1);
}

// The length in bytes of the locale's grouping separator at `pos` (any blank, where a blank
// groups); 0 when there is none.
std::size_t SeparadorDeGrupoEn(std::string_view t, std::size_t pos, const Separadores& s) {
    if (EmpiezaPor(t, pos, s.grupo)) return s.grupo.size();
    return GrupoDeBlancos(s.grupo) ? BlancoEn(t, pos) : 0;
}

// Where grouping is valid in an integer part: one to three digits, then groups of exactly
// three. "1.500" and "1.500.000" are grouped; "150000.50", "12.5" and "1.50" are not numbers
// where "." groups, rather than numbers read wrongly.
struct Agrupacion {
    int digitos = 0;  // since the last separator, or the start
    bool agrupada = false;

    // A separator after the digits so far.
    bool Separar() {
        const bool bien = agrupada ? digitos == 3 : digitos >= 1 && digitos <= 3;
        agrupada = true;
        digitos = 0;
        return bien;
    }
    // The end of the integer part.
    bool Cerrar() const { return !agrupada || digitos == 3; }
};

// Exponents beyond this are out of every range anyway. It is capped above any count of
// digits or decimals a text can hold, so that taking the decimals off a capped exponent still
// leaves it out of range, and low enough that neither that nor adding the digits overflows.
constexpr long long kExponenteTope = 4'000'000'000'000'000'000;

std::optional<DecimalLeido> Analizar(std::string_view texto, const Separadores& s) {
    const std::string_view t = SinBlancosAlrededor(texto);
    DecimalLeido r;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) r.negativo = t[i++] == '-';

    bool hayDigitos = false;
    bool enDecimales = false;
    long long decimales = 0;
    Agrupacion grupos;
    while (i < t.size()) {
        if (EsDigito(t[i])) {
            if (!r.digitos.empty() || t[i] != '0') r.digitos += t[i];
            hayDigitos = true;
            if (enDecimales) ++decimales;
            if (!enDecimales) ++grupos.digitos;
            ++i;
        } else if (!enDecimales && EmpiezaPor(t, i, s.decimal)) {
            if (!grupos.Cerrar()) return std::nullopt;
            enDecimales = true;
            i += s.decimal.size();
        } else if (const std::size_t separador = SeparadorDeGrupoEn(t, i, s);
                   !enDecimales && separador > 0) {
            if (!grupos.Separar()) return std::nullopt;
            i += separador;
        } else {
            break;
        }
    }
    if (!enDecimales && !grupos.Cerrar()) return std::nullopt;
    if (!hayDigitos) return std::nullopt;

    long long exponente = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool exponenteNegativo = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) exponenteNegativo = t[i++] == '-';
        if (i == t.size() || !EsDigito(t[i])) return std::nullopt;
        for (; i < t.size() && EsDigito(t[i]); ++i) {
            exponente = exponente > kExponenteTope / 10
                            ? kExponenteTope
                            : std::min(exponente * 10 + (t[i] - '0'), kExponenteTope);
        }
        if (exponenteNegativo) exponente = -exponente;
    }
    if (i != t.size()) return std::nullopt;

    if (r.digitos.empty()) {
        r.digitos.push_back('0');
    } else {
        r.exponente = exponente - decimales;
    }
    return r;
}

}  // namespace

bool GrupoDeBlancos(std::string_view grupo) {
    return !grupo.empty() && BlancoEn(grupo, 0) == grupo.size();
}

namespace {

// The text's number as a `Real`: nothing past the largest finite one, zero below the smallest.
template <typename Real>
std::optional<Real> NumeroComo(const DecimalLeido& leido) {
    const std::string cientifico = leido.digitos + 'e' + std::to_string(leido.exponente);
    Real valor = 0;
    const auto [fin, error] =
        std::from_chars(cientifico.data(), cientifico.data() + cientifico.size(), valor);
    if (error == std::errc::result_out_of_range) {
        const long long magnitud =
            static_cast<long long>(leido.digitos.size()) - 1 + leido.exponente;
        if (magnitud >= 0) return std::nullopt;  // beyond the largest
        valor = 0;                               // below the smallest: zero
    } else if (error != std::errc() || fin != cientifico.data() + cientifico.size() ||
               !std::isfinite(valor)) {
        return std::nullopt;
    }
    return leido.negativo ? -valor : valor;
}

}  // namespace

std::optional<float> LeerNumero(std::string_view texto, const Separadores& s) {
    const auto leido = Analizar(texto, s);
    return leido ? NumeroComo<float>(*leido) : std::nullopt;
}

std::optional<double> LeerNumeroDoble(std::string_view texto, const Separadores& s) {
    const auto leido = Analizar(texto, s);
    if (!leido || !NumeroComo<float>(*leido)) return std::nullopt;
    return NumeroComo<double>(*leido);
}

std::string_view SinSignoEuro(std::string_view texto) {
    constexpr std::string_view kEuro = "\u20ac";
    const auto sinBlancos = [](std::string_view t, bool delante) {
        for (;;) {
            std::size_t blanco = 0;
            for (const std::string_view b : kBlancos)
                if (delante ? t.starts_with(b) : t.ends_with(b)) blanco = b.size();
            if (blanco == 0) return t;
            t = delante ? t.substr(blanco) : t.substr(0, t.size() - blanco);
        }
    };
    std::string_view t = sinBlancos(sinBlancos(texto, true), false);
    if (t.starts_with(kEuro)) return sinBlancos(t.substr(kEuro.size()), true);
    if (t.ends_with(kEuro)) return sinBlancos(t.substr(0, t.size() - kEuro.size()), false);
    return texto;
}

std::optional<Centimos> LeerCentimos(std::string_view texto, const Separadores& s) {
    const auto leido = Analizar(texto, s);
    if (!leido) return std::nullopt;
    if (leido->digitos == "0") return Centimos{0};

    // Digits of the amount in cents, then the first digit cut off, which decides the rounding.
    const long long desplazamiento = leido->exponente + 2;
    const auto largo = static_cast<long long>(leido->digitos.size());
    std::string enteros;
    char primeraCortada = '0';
    if (desplazamiento >= 0) {
        if (largo + desplazamiento > 16) return std::nullopt;
        enteros = leido->digitos + std::string(static_cast<std::size_t>(desplazamiento), '0');
    } else {
        const long long cortadas = -desplazamiento;
        if (cortadas <= largo) {
            enteros = leido->digitos.substr(0, static_cast<std::size_t>(largo - cortadas));
            primeraCortada = leido->digitos[static_cast<std::size_t>(largo - cortadas)];
        }
        if (enteros.size() > 16) return std::nullopt;
    }
    Centimos c = 0;
    for (const char d : enteros) c = c * 10 + (d - '0');
    if (primeraCortada >= '5') ++c;  // half away from zero
    if (c > kCentimosMaximos) return std::nullopt;
    return leido->negativo ? -c : c;
}

ImporteDecimal ImporteDecimal::DesdeCentimos(Centimos c) {
    ImporteDecimal r;
    const std::uint64_t magnitud =
        c < 0 ? 0 - static_cast<std::uint64_t>(c) : static_cast<std::uint64_t>(c);
    r.negativo_ = c < 0;
    r.entero_ = std::to_string(magnitud / 100);
    r.decimales_[0] = static_cast<char>('0' + magnitud / 10 % 10);
    r.decimales_[1] = static_cast<char>('0' + magnitud % 10);
    return r;
}

ImporteDecimal ImporteDecimal::DesdeDouble(double x) {
    const double magnitud = std::fabs(x);
    if (magnitud < 0x1p53) {
        // |x| = mantisa × 2^exponente exactly; cents = mantisa × 100 × 2^exponente, which
        // needs at most 60 bits, rounded half away from zero by its remainder.
        int exponente = 0;
        const double fraccion = std::frexp(magnitud, &exponente);
        const auto mantisa = static_cast<std::uint64_t>(std::ldexp(fraccion, 53));
        const std::uint64_t producto = mantisa * 100;
        const int desplazamiento = 53 - exponente;  // 0 (a whole number) and up
        std::uint64_t centimos = producto;
        if (desplazamiento >= 64) {
            centimos = 0;  // below a sixteenth of a cent
        } else if (desplazamiento > 0) {
            const std::uint64_t mitad = std::uint64_t{1} << (desplazamiento - 1);
            const std::uint64_t resto = producto & ((mitad << 1) - 1);
            centimos = (producto >> desplazamiento) + (resto >= mitad ? 1 : 0);
        }
        ImporteDecimal r = DesdeCentimos(static_cast<Centimos>(centimos));
        r.negativo_ = x < 0 && centimos != 0;
        return r;
    }
    // From 2^53 up every double is a whole number: its exact digits, and no cents.
    char buffer[400];
    const auto fin =
        std::to_chars(buffer, buffer + sizeof buffer, magnitud, std::chars_format::fixed, 0).ptr;
    ImporteDecimal r;
    r.negativo_ = x < 0;
    r.entero_.assign(buffer, fin);
    return r;
}

std::string ImporteDecimal::Formateado(const Separadores& s) const {
    std::string texto = negativo_ ? "-" : "";
    for (std::size_t i = 0; i < entero_.size(); ++i) {
        if (i > 0 && (entero_.size() - i) % 3 == 0) texto += s.grupo;
        texto += entero_[i];
    }
    return texto + s.decimal + decimales_[0] + decimales_[1];
}

std::string ImporteDecimal::Simple(const Separadores& s) const {
    std::string texto = (negativo_ ? "-" : "") + entero_;
    if (decimales_[1] != '0') return texto + s.decimal + decimales_[0] + decimales_[1];
    if (decimales_[0] != '0') return texto + s.decimal + decimales_[0];
    return texto;
}

double ImporteDecimal::Valor() const {
    const std::string texto =
        (negativo_ ? "-" : "") + entero_ + '.' + decimales_[0] + decimales_[1];
    double valor = 0.0;
    std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    return valor;
}

std::optional<Centimos> ImporteDecimal::ACentimos() const {
    if (entero_.size() > 14) return std::nullopt;
    Centimos c = 0;
    for (const char d : entero_) c = c * 10 + (d - '0');
    c = c * 100 + Centimos{decimales_[0] - '0'} * 10 + (decimales_[1] - '0');
    if (c > kCentimosMaximos) return std::nullopt;
    return negativo_ ? -c : c;
}

}  // namespace cdv
