// The discounts for an earlier stage of a project: an option offered for "P" (Proyecto) or for
// "PB" (Proyecto básico), with the fraction of the project's total it takes off.
#pragma once

#include <string>

namespace cdv {

struct OpcionDescuento {
    std::string texto;
    float fraccion = 0.0f;
    bool operator==(const OpcionDescuento&) const = default;
};

}  // namespace cdv
