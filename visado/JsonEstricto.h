// A strict reading of JSON, before Qt's parser sees it: the grammar of RFC 8259 exactly
// (no ".5", no "1.", no raw control characters in a text), UTF-8 only, every escaped
// character whole (no lone surrogate), no key twice in an object, and every text, key and
// nesting within bounds, so that nothing read can be larger than what shows it can bear.
// Qt's parser would take the last of two equal keys, silently.
#pragma once

#include <QString>
#include <map>
#include <string>
#include <string_view>

namespace cdv {

// A key is a name of the format; a text, at most a schedule's longest note several times.
inline constexpr std::size_t kLargoMaximoClave = 64;
inline constexpr std::size_t kLargoMaximoTextoJson = 4096;  // characters
inline constexpr int kProfundidadMaximaJson = 32;

struct ComprobacionJson {
    // The first fault, with its place ("documentos[3]: clave repetida «tasa»"); empty when none.
    QString falta;
    // The texts of the root object's members, by key, unescaped.
    std::map<std::string, std::string> textosRaiz;
};

ComprobacionJson ComprobarJson(std::string_view datos);

}  // namespace cdv
