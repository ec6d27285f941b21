// Replays every input a fuzzer kept (folder CDV_CORPUS), with that fuzzer's own check.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "Comprobar.h"

TEST(Corpus, CadaEntradaGuardadaCumple) {
    const std::filesystem::path carpeta = CDV_CORPUS;
    std::size_t entradas = 0;
    for (const auto& archivo : std::filesystem::directory_iterator(carpeta)) {
        std::ifstream flujo(archivo.path(), std::ios::binary);
        const std::string datos{std::istreambuf_iterator<char>(flujo), {}};
        EXPECT_EQ(ComprobarEntrada(datos), "") << archivo.path();
        ++entradas;
    }
    EXPECT_GE(entradas, CDV_CORPUS_MINIMO);
}
