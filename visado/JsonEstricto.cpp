#include "JsonEstricto.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <system_error>
#include <variant>
#include <vector>

namespace cdv {

namespace {

struct FaltaJson {
    QString texto;
};

bool EsBlancoJson(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

int ValorHex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void AnadirUtf8(std::string& texto, char32_t c) {
    if (c < 0x80) {
        texto += static_cast<char>(c);
    } else if (c < 0x800) {
        texto += static_cast<char>(0xC0 | (c >> 6));
        texto += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        texto += static_cast<char>(0xE0 | (c >> 12));
        texto += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        texto += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        texto += static_cast<char>(0xF0 | (c >> 18));
        texto += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        texto += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        texto += static_cast<char>(0x80 | (c & 0x3F));
    }
}

class Lector {
  public:
    explicit Lector(std::string_view datos) : t_(datos) {}

    ComprobacionJson Leer() {
        ComprobacionJson resultado;
        Codificacion();
        if (t_.starts_with("\xEF\xBB\xBF")) i_ = 3;  // a byte-order mark, as editors write
        Blancos();
        if (i_ < t_.size() && t_[i_] == '{') {
            Objeto(0, &resultado.textosRaiz);
        } else {
            Valor(0);
        }
        Blancos();
        if (i_ != t_.size()) Sintaxis();
        return resultado;
    }

  private:
    // A file saved in UTF-16 or UTF-32 is told as such: by its byte-order mark, or by the
    // zero bytes that JSON's first ASCII character has beside it.
    void Codificacion() const {
        constexpr std::pair<std::string_view, const char*> kMarcas[] = {
            {std::string_view("\xFF\xFE\0\0", 4), "UTF-32"},
            {std::string_view("\0\0\xFE\xFF", 4), "UTF-32"},
            {"\xFF\xFE", "UTF-16"},
            {"\xFE\xFF", "UTF-16"}};
        for (const auto& [marca, nombre] : kMarcas)
            if (t_.starts_with(marca)) Codificada(nombre);
        const auto cero = [this](std::size_t k) { return k < t_.size() && t_[k] == '\0'; };
        if (t_.size() >= 2 && (cero(0) || cero(1)))
            Codificada((cero(0) && cero(1)) || (cero(1) && cero(2)) ? "UTF-32" : "UTF-16");
    }
    [[noreturn]] static void Codificada(const char* nombre) {
        throw FaltaJson{QString("está guardado en %1; guárdelo en UTF-8").arg(nombre)};
    }

    [[noreturn]] void Falta(const QString& que) const {
        QString lugar;
        for (const auto& paso : ruta_) {
            if (const auto* clave = std::get_if<std::string>(&paso)) {
                if (!lugar.isEmpty()) lugar += u'.';
                lugar += QString::fromStdString(*clave);
            } else {
                lugar += QString("[%1]").arg(std::get<std::size_t>(paso));
            }
        }
        throw FaltaJson{lugar.isEmpty() ? que : lugar + ": " + que};
    }
    [[noreturn]] void Sintaxis() const {
        throw FaltaJson{QString("no es JSON válido, o está incompleto (carácter %1)").arg(i_ + 1)};
    }

    void Blancos() {
        while (i_ < t_.size() && EsBlancoJson(t_[i_])) ++i_;
    }
    void Esperar(char c) {
        Blancos();
        if (i_ >= t_.size() || t_[i_] != c) Sintaxis();
        ++i_;
    }
    bool Sigue(char c) {
        Blancos();
        if (i_ < t_.size() && t_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }

    void Valor(int profundidad) {
        Blancos();
        if (i_ >= t_.size()) Sintaxis();
        switch (t_[i_]) {
            case '{':
                return Objeto(profundidad + 1, nullptr);
            case '[':
                return Lista(profundidad + 1);
            case '"':
                Texto(kLargoMaximoTextoJson, nullptr);
                return;
            case 't':
                return Literal("true");
            case 'f':
                return Literal("false");
            case 'n':
                return Literal("null");
            default:
                return Numero();
        }
    }

    void Profundidad(int profundidad) const {
        if (profundidad > kProfundidadMaximaJson)
            Falta(QString("anidado a más de %1 niveles").arg(kProfundidadMaximaJson));
    }

    void Objeto(int profundidad, std::map<std::string, std::string>* textos) {
        Profundidad(profundidad);
        Esperar('{');
        if (Sigue('}')) return;
        std::set<std::string> claves;
        do {
            Blancos();
            if (i_ >= t_.size() || t_[i_] != '"') Sintaxis();
            std::string clave = Texto(kLargoMaximoClave);
            if (!claves.insert(clave).second)
                Falta("clave repetida «" + QString::fromStdString(clave) + "»");
            Esperar(':');
            ruta_.emplace_back(std::move(clave));
            Blancos();
            if (textos != nullptr && i_ < t_.size() && t_[i_] == '"') {
                (*textos)[std::get<std::string>(ruta_.back())] = Texto(kLargoMaximoTextoJson);
            } else {
                Valor(profundidad);
            }
            ruta_.pop_back();
        } while (Sigue(','));
        Esperar('}');
    }

    void Lista(int profundidad) {
        Profundidad(profundidad);
        Esperar('[');
        if (Sigue(']')) return;
        std::size_t k = 0;
        do {
            ruta_.emplace_back(k++);
            Valor(profundidad);
            ruta_.pop_back();
        } while (Sigue(','));
        Esperar(']');
    }

    void Literal(std::string_view palabra) {
        if (t_.substr(i_, palabra.size()) != palabra) Sintaxis();
        i_ += palabra.size();
    }

    void Digitos() {
        if (i_ >= t_.size() || !EsDigito(t_[i_])) Sintaxis();
        while (i_ < t_.size() && EsDigito(t_[i_])) ++i_;
    }

    // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?, and one a double holds: neither past
    // the largest (1e999) nor, not being zero, below the smallest (1e-400), which Qt would
    // refuse with no place, or read as 0.
    void Numero() {
        const std::size_t inicio = i_;
        NumeroJson();
        const std::string_view numero = t_.substr(inicio, i_ - inicio);
        double valor = 0;
        const auto [fin, error] =
            std::from_chars(numero.data(), numero.data() + numero.size(), valor);
        if (error == std::errc::result_out_of_range) {
            const bool grande = Magnitud(numero) >= 0;
            Falta(
                QString("el número %1 es demasiado %2")
                    .arg(QString::fromLatin1(numero.data(), static_cast<qsizetype>(numero.size())),
                         grande ? "grande" : "pequeño"));
        }
    }

    // The power of ten of a JSON number's first significant digit (capped far past any
    // double's), when it has one.
    static long long Magnitud(std::string_view numero) {
        const std::size_t e = std::min(numero.find_first_of("eE"), numero.size());
        long long exponente = 0;
        for (std::size_t k = e + 1; k < numero.size(); ++k)
            if (EsDigito(numero[k]))
                exponente = std::min(exponente * 10 + (numero[k] - '0'), 1LL << 40);
        if (numero.substr(e).find('-') != std::string_view::npos) exponente = -exponente;
        const std::string_view mantisa = numero.substr(0, e);
        const std::size_t punto = std::min(mantisa.find('.'), mantisa.size());
        const std::size_t primera = mantisa.find_first_of("123456789");
        if (primera == std::string_view::npos) return exponente;
        return exponente + (primera < punto ? static_cast<long long>(punto - primera) - 1
                                            : -static_cast<long long>(primera - punto));
    }

    void NumeroJson() {
        if (t_[i_] == '-') ++i_;
        if (i_ < t_.size() && t_[i_] == '0') {
            ++i_;
        } else {
            Digitos();
        }
        if (i_ < t_.size() && t_[i_] == '.') {
            ++i_;
            Digitos();
        }
        if (i_ < t_.size() && (t_[i_] == 'e' || t_[i_] == 'E')) {
            ++i_;
            if (i_ < t_.size() && (t_[i_] == '+' || t_[i_] == '-')) ++i_;
            Digitos();
        }
    }

    // Four hexadecimal digits after "\u".
    char32_t Hex4() {
        if (t_.size() - i_ < 4) Sintaxis();
        char32_t c = 0;
        for (int k = 0; k < 4; ++k) {
            const int d = ValorHex(t_[i_++]);
            if (d < 0) Sintaxis();
            c = c * 16 + static_cast<char32_t>(d);
        }
        return c;
    }

    char32_t Escape() {
        if (i_ >= t_.size()) Sintaxis();
        constexpr std::string_view kDe = "\"\\/bfnrt", kA = "\"\\/\b\f\n\r\t";
        if (const auto k = kDe.find(t_[i_]); k != std::string_view::npos) {
            ++i_;
            return static_cast<unsigned char>(kA[k]);
        }
        if (t_[i_++] != 'u') Sintaxis();
        const char32_t c = Hex4();
        if (c >= 0xDC00 && c <= 0xDFFF) Falta("suplente UTF-16 sin pareja en un texto");
        if (c < 0xD800 || c > 0xDBFF) return c;
        if (t_.substr(i_, 2) != "\\u") Falta("suplente UTF-16 sin pareja en un texto");
        i_ += 2;
        const char32_t bajo = Hex4();
        if (bajo < 0xDC00 || bajo > 0xDFFF) Falta("suplente UTF-16 sin pareja en un texto");
        return 0x10000 + ((c - 0xD800) << 10) + (bajo - 0xDC00);
    }

    // One character written as UTF-8, checked: no overlong form, no surrogate, none past U+10FFFF.
    char32_t Utf8() {
        const auto b = static_cast<unsigned char>(t_[i_++]);
        const int mas = b >= 0xF0 && b <= 0xF4 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
        if (mas < 0 || b > 0xF4) Falta("texto que no es UTF-8 válido");
        char32_t c = b & (0x3F >> mas);
        for (int k = 0; k < mas; ++k) {
            if (i_ >= t_.size() || (static_cast<unsigned char>(t_[i_]) & 0xC0) != 0x80)
                Falta("texto que no es UTF-8 válido");
            c = (c << 6) | (static_cast<unsigned char>(t_[i_++]) & 0x3F);
        }
        constexpr char32_t kMinimo[] = {0, 0x80, 0x800, 0x10000};
        if (c < kMinimo[mas] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            Falta("texto que no es UTF-8 válido");
        return c;
    }

    // A text, unescaped, of at most `largo` characters.
    std::string Texto(std::size_t largo) {
        std::string texto;
        Texto(largo, &texto);
        return texto;
    }
    // A text checked, and kept in `texto` when one is given: a value's is only checked.
    void Texto(std::size_t largo, std::string* texto) {
        const auto anadir = [texto](char32_t c) {
            if (texto != nullptr) AnadirUtf8(*texto, c);
        };
        ++i_;  // the opening quote
        for (std::size_t caracteres = 0;; ++caracteres) {
            if (i_ >= t_.size()) Sintaxis();
            const char c = t_[i_];
            if (c == '"') break;
            if (caracteres == largo) Falta(QString("un texto de más de %1 caracteres").arg(largo));
            if (static_cast<unsigned char>(c) < 0x20) Falta("carácter de control en un texto");
            if (c == '\\') {
                ++i_;
                anadir(Escape());
            } else if (static_cast<unsigned char>(c) >= 0x80) {
                anadir(Utf8());
            } else {
                if (texto != nullptr) *texto += c;
                ++i_;
            }
        }
        ++i_;  // the closing quote
    }

    std::string_view t_;
    std::size_t i_ = 0;
    std::vector<std::variant<std::string, std::size_t>> ruta_;
};

}  // namespace

ComprobacionJson ComprobarJson(std::string_view datos) {
    try {
        return Lector(datos).Leer();
    } catch (const FaltaJson& falta) {
        return {falta.texto, {}};
    }
}

}  // namespace cdv
