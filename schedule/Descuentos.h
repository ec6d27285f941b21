// The discounts for an earlier stage of a project: the options a project document offers, each
// with the fraction of the project's total it takes off.
#pragma once

#include <string>
#include <vector>

namespace cdv {

struct OpcionDescuento {
    std::string texto;
    float fraccion = 0.0f;
    bool operator==(const OpcionDescuento&) const = default;
};

// The options of the project document of reference `ref`, the first taking nothing off.
struct DescuentosDeDocumento {
    std::string ref;
    std::vector<OpcionDescuento> opciones;
    bool operator==(const DescuentosDeDocumento&) const = default;
};

}  // namespace cdv
