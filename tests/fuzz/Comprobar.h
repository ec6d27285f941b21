// The property a fuzz target checks on any input, and the inputs the ordinary tests check it
// on. Two libraries define them: one for the number parser and the fee rules, one for the
// request file reader.
#pragma once

#include <random>
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

