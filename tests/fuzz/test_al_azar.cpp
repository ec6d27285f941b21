// The property of the fuzz target this test is linked with, on CDV_ENTRADAS inputs made
// from one fixed seed, so that every run checks the same ones.
#include <gtest/gtest.h>

#include "Comprobar.h"

TEST(AlAzar, CadaEntradaCumple) {
    std::mt19937_64 azar(20261206);
    for (int i = 0; i < CDV_ENTRADAS; ++i) {
        const std::string entrada = EntradaAlAzar(azar);
        ASSERT_EQ(ComprobarEntrada(entrada), "")
            << "entrada " << i << ": " << testing::PrintToString(entrada);
    }
}
