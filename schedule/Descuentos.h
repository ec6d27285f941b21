// The discounts for an earlier stage of a project: the options offered for "P" (Proyecto)
// and for "PB" (Proyecto básico), with the fraction of the project's total each takes off.
#pragma once

#include <array>
#include <string_view>

namespace cdv {

struct OpcionDescuento {
    std::string_view texto;
    float fraccion;
};

inline constexpr std::array<OpcionDescuento, 4> kDescuentosProyecto{{
    {"Ninguno", 0.0f},
    {"Proyecto básico", 0.5f},
    {"Anteproyecto", 0.25f},
    {"Memoria Valorada", 0.25f},
}};

inline constexpr std::array<OpcionDescuento, 3> kDescuentosProyectoBasico{{
    {"Ninguno", 0.0f},
    {"Anteproyecto", 0.25f},
    {"Memoria Valorada", 0.25f},
}};

}  // namespace cdv
