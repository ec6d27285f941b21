// Replays every input the fuzzer kept, with the fuzzer's own check.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ComprobarCuotas.h"

TEST(Corpus, CadaEntradaGuardadaCumple) {
    const std::filesystem::path carpeta = CDV_CORPUS;
    std::size_t entradas = 0;
    for (const auto& archivo : std::filesystem::directory_iterator(carpeta)) {
        std::ifstream flujo(archivo.path(), std::ios::binary);
        const std::string datos{std::istreambuf_iterator<char>(flujo), {}};
        EXPECT_EQ(ComprobarEntrada(datos), "") << archivo.path();
        ++entradas;
    }
    EXPECT_GT(entradas, 100u);
}
