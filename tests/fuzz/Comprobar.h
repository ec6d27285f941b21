// The property a fuzz target checks on any input, and the inputs the ordinary tests check it
// on. Two libraries define them: one for the number parser and the fee rules, one for the
// request file reader.
#pragma once

#include <algorithm>
#include <random>
#include <span>
#include <string>
#include <string_view>

// An empty text when everything holds, otherwise what failed.
std::string ComprobarEntrada(std::string_view datos);

// An input made from `azar`: pieces of what the checked code treats each in its own way,
// and now and then any byte.
std::string EntradaAlAzar(std::mt19937_64& azar);

// A number from 0 to n - 1.
inline std::size_t Al(std::mt19937_64& azar, std::size_t n) {
    return static_cast<std::size_t>(azar() % n);
}

// Where the JSON value that starts at `desde` ends: at the comma or bracket after it, past its
// quotes and any brackets it opens.
inline std::size_t FinDelValor(const std::string& s, std::size_t desde) {
    int hondo = 0;
    for (std::size_t i = desde; i < s.size(); ++i) {
        if (s[i] == '"') {
            i = std::min(s.find('"', i + 1), s.size());
        } else if (s[i] == '[' || s[i] == '{') {
            ++hondo;
        } else if (s[i] == ',' || s[i] == ']' || s[i] == '}') {
            if (hondo == 0) return i;
            if (s[i] != ',') --hondo;
        }
    }
    return s.size();
}

// JSON text `s` with one to three changes: most often the value after a name swapped for one
// of `valores`, sometimes an object repeated as one more element of its list, now and then the
// text cut short.
inline std::string MutarJson(std::string s, std::span<const std::string_view> valores,
                             std::mt19937_64& azar) {
    for (std::size_t n = 1 + Al(azar, 3); n > 0; --n) {
        const std::size_t desde = Al(azar, s.size());
        switch (Al(azar, 8)) {
            default: {
                const std::size_t dos = s.find(": ", desde);
                if (dos == std::string::npos) break;
                s.replace(dos + 2, FinDelValor(s, dos + 2) - dos - 2,
                          valores[Al(azar, valores.size())]);
                break;
            }
            case 0: {
                const std::size_t llave = s.find('{', desde);
                if (llave != std::string::npos)
                    s.insert(llave, s.substr(llave, FinDelValor(s, llave) - llave) + ", ");
                break;
            }
            case 1:
                s.resize(desde);
        }
        if (s.empty()) break;
    }
    return s;
}
