#include "MisFunciones.h"

namespace MisFunciones {

std::int16_t IndiceTT = 0;
std::int16_t IndiceTD = 0;
cdv::Centimos SumaTT = 0;
cdv::Centimos SumaTD = 0;
float DescuentoProyecto = 0.0f;
std::int16_t OpcionProyecto = 0;
float DescuentoProyectoBasico = 0.0f;
std::int16_t OpcionProyectoBasico = 0;

void Reiniciar() {
    IndiceTT = IndiceTD = 0;
    SumaTT = SumaTD = 0;
    DescuentoProyecto = DescuentoProyectoBasico = 0.0f;
    OpcionProyecto = OpcionProyectoBasico = 0;
}

}  // namespace MisFunciones
