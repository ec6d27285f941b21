// What is selected in the main window, shared by the run's windows.
#pragma once

#include <cstdint>

namespace MisFunciones {

extern std::int16_t IndiceTT;  // selected work-type row, 0 none
extern std::int16_t IndiceTD;  // selected document-type row, 0 none

// Back to the state of a new run: nothing selected.
void Reiniciar();

}  // namespace MisFunciones
