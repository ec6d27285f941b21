// The fee rules, per call: every row of each catalogue with quantity texts of every shape.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "Cuotas.h"
#include "Mensajes.h"

namespace {

const cdv::Separadores kEs{",", "."};
const std::vector<std::string> kCantidades{"1",     "3",  "300", "1.500,5", "100000", "2.500.000",
                                           "1,5e5", "-3", "0",   "12a",     "",       "1e12"};

void Preparar() {
    cdv::CargarTablaTT();
    cdv::CargarTablaTD();
    cdv::InstalarServicioMensajes([](std::string_view, std::string_view) {});
}

void CuotaTrabajoPorFila(benchmark::State& estado) {
    Preparar();
    std::size_t k = 0;
    for (auto _ : estado) {
        const int fila = 1 + static_cast<int>(k % 39);
        benchmark::DoNotOptimize(cdv::CuotaTrabajo(cdv::TablaTT.Fila(fila),
                                                   kCantidades[k / 39 % kCantidades.size()], kEs));
        ++k;
    }
}
BENCHMARK(CuotaTrabajoPorFila);

void CuotaDocumentoPorFila(benchmark::State& estado) {
    Preparar();
    std::size_t k = 0;
    for (auto _ : estado) {
        const int fila = 1 + static_cast<int>(k % 49);
        benchmark::DoNotOptimize(cdv::CuotaDocumento(
            cdv::TablaTD.Fila(fila), kCantidades[k / 49 % kCantidades.size()], kEs));
        ++k;
    }
}
BENCHMARK(CuotaDocumentoPorFila);

void CuotaDeProyecto(benchmark::State& estado) {
    Preparar();
    cdv::Centimos suma = 1;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(cdv::CuotaDocumento(*cdv::TablaTD.Fila(38), suma, 0.25f, kEs));
        suma = suma * 7 % 1'000'000'000;
    }
}
BENCHMARK(CuotaDeProyecto);

}  // namespace

BENCHMARK_MAIN();
