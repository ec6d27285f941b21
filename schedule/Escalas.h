// The two fee scales: the progressive scale on a work item's base fee (DV) and the surface
// scale. Beyond their last limit they tell the user and yield 0.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "Desglose.h"

namespace cdv {

inline constexpr std::string_view kMensajeDVAlta = "La Cuota de Visado (DV) es demasiado alta";
inline constexpr std::string_view kMensajeSuperficieAlta = "La Superficie es demasiado alta";

// The fee charged for a base fee DV, through 20 brackets whose marginal factor falls from
// 1 to 0.125. 0 for DV not above 0; above 2,000,000,000 a message, then 0.
// With `pasos`, writes there the bracket that applied and what it gives.
float EscalaDV(float dv, Desglose* pasos = nullptr, const Separadores& s = {});

// The amount (30, 36, 48, 60 or 90, before the update factors) of a surface in m².
// 0 for a surface not above 0; above 1,000,000 a message, then 0.
float EscalaSuperficie(float superficie, Desglose* pasos = nullptr, const Separadores& s = {});

// The scales' brackets, as the rules use them, for showing the schedule.
struct TramoDV {
    std::int32_t hasta;  // upper limit, included
    double factor;       // marginal factor within the bracket
    double base;         // fee at the bracket's lower limit
};
struct ClaseSuperficie {
    std::int32_t hasta;  // upper limit in m², included
    float importe;       // euros, before the update factors
};
std::span<const TramoDV> TramosDV();
std::span<const ClaseSuperficie> ClasesSuperficie();

}  // namespace cdv
