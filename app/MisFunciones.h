// The calculation's shared state for the whole run: what is selected, the running totals
// (exact cents) and the discount chosen for each kind of project.
#pragma once

#include <cstdint>

#include "TextoNumerico.h"

namespace MisFunciones {

extern std::int16_t IndiceTT;  // selected work-type row, 0 none
extern std::int16_t IndiceTD;  // selected document-type row, 0 none
extern cdv::Centimos SumaTT;   // total of the project's work items
extern cdv::Centimos SumaTD;   // total CDV of the documents for the visa
extern float DescuentoProyecto;
extern std::int16_t OpcionProyecto;
extern float DescuentoProyectoBasico;
extern std::int16_t OpcionProyectoBasico;

// Back to the state of a new run: everything 0.
void Reiniciar();

}  // namespace MisFunciones
