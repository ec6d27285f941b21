#include "Desglose.h"

#include <charconv>

namespace cdv {

namespace {

template <typename Real>
std::string CifraDe(Real x, const Separadores& s) {
    char texto[400];  // fixed digits of any double
    const auto fin = std::to_chars(texto, texto + sizeof texto, x, std::chars_format::fixed).ptr;
    std::string cifra;
    for (const char* c = texto; c != fin; ++c) {
        if (*c == '.') {
            cifra += s.decimal;
        } else {
            cifra += *c;
        }
    }
    return cifra;
}

}  // namespace

std::string Cifra(double x, const Separadores& s) {
    return CifraDe(x, s);
}

std::string Cifra(float x, const Separadores& s) {
    return CifraDe(x, s);
}

}  // namespace cdv
