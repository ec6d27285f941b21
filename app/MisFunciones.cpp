#include "MisFunciones.h"

namespace MisFunciones {

std::int16_t IndiceTT = 0;
std::int16_t IndiceTD = 0;

void Reiniciar() {
    IndiceTT = IndiceTD = 0;
}

}  // namespace MisFunciones
