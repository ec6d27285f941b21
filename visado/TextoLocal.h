// Texts between the schedule (UTF-8, any separators), the user's locale and the request's
// file, which keeps numbers with the same separators whatever the locale.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "TextoNumerico.h"

inline QString Qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string Us(const QString& texto) {
    return texto.toStdString();
}

namespace cdv {

// The decimal and grouping separators of QLocale(), read at each call.
Separadores SeparadoresActuales();

// The request keeps quantities and fees with a point for decimals and a comma for groups.
inline const Separadores kSeparadoresArchivo{".", ","};

// The same number written with the separators `a` instead of `de`: each separator is
// swapped for its counterpart, everything else stays (signs, exponents, blanks).
QString CambiarSeparadores(const QString& texto, const Separadores& de, const Separadores& a);

inline QString AlArchivo(const QString& texto) {
    return CambiarSeparadores(texto, SeparadoresActuales(), kSeparadoresArchivo);
}
// A tooltip's text that Qt would take for markup, escaped so that it shows as it is.
QString AyudaLlana(const QString& texto);

inline QString DelArchivo(const QString& texto) {
    return CambiarSeparadores(texto, kSeparadoresArchivo, SeparadoresActuales());
}

}  // namespace cdv
