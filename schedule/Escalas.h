// The two fee scales: the progressive scale on a work item's base fee (DV) and the surface
// scale. Beyond their last limit they yield 0 and say so in their answer.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "Desglose.h"

namespace cdv {

inline constexpr std::string_view kMensajeDVAlta = "La Cuota de Visado (DV) es demasiado alta";
inline constexpr std::string_view kMensajeSuperficieAlta = "La Superficie es demasiado alta";

// A bracket of the progressive scale, and a class of the surface scale.
struct TramoDV {
    std::int32_t hasta;  // upper limit, included
    double factor;       // marginal factor within the bracket
    double base;         // fee at the bracket's lower limit
    bool operator==(const TramoDV&) const = default;
};
struct ClaseSuperficie {
    std::int32_t hasta;  // upper limit in m², included
    float importe;       // euros, before the update factors
    bool operator==(const ClaseSuperficie&) const = default;
};

// What a scale gives, and its message when the amount passed its last limit (then 0).
struct Escalado {
    float importe = 0.0f;
    std::string_view aviso;
};

// The fee charged for a base fee DV through `tramos`, whose marginal factors fall from 1
// down. 0 for DV not above 0, and beyond the last limit (with kMensajeDVAlta).
// With `pasos`, writes there the bracket that applied and what it gives.
Escalado EscalaDV(std::span<const TramoDV> tramos, float dv, Desglose* pasos = nullptr,
                  const Separadores& s = {});

// The amount (before the update factors) of a surface in m², by its class in `clases`.
// 0 for a surface not above 0, and beyond the last limit (with kMensajeSuperficieAlta).
Escalado EscalaSuperficie(std::span<const ClaseSuperficie> clases, double superficie,
                          Desglose* pasos = nullptr, const Separadores& s = {});

}  // namespace cdv
