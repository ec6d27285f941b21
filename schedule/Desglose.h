// How a fee is reached: the steps a fee rule takes, in the order it takes them, written with
// the numbers it uses. The rules write them as they compute, so that they never disagree.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "TextoNumerico.h"

namespace cdv {

using Desglose = std::vector<std::string>;

// A number in its shortest exact decimal form, without grouping: 0,8 / 300 / 1500,5.
std::string Cifra(double x, const Separadores& s);
std::string Cifra(float x, const Separadores& s);

// An amount with two decimals, as the fee boxes write them: 1.234,57. One that is not finite
// is said to be so, never written as digits.
inline std::string Euros(double x, const Separadores& s) {
    return std::isfinite(x) ? TextoFormateado(x, s) : std::string("(no es un número finito)");
}

}  // namespace cdv
