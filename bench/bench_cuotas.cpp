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

// One call per iteration, running through every row and every quantity shape.
template <typename Tabla, typename Regla>
void PorFila(benchmark::State& estado, const Tabla& tabla, Regla regla) {
    Preparar();
    std::size_t k = 0;
    for (auto _ : estado) {
        const int fila = 1 + static_cast<int>(k % tabla.Filas());
        const std::string& cantidad = kCantidades[k / tabla.Filas() % kCantidades.size()];
        benchmark::DoNotOptimize(regla(tabla.Fila(fila), cantidad, kEs));
        ++k;
    }
}

void CuotaTrabajoPorFila(benchmark::State& estado) {
    PorFila(estado, cdv::TablaTT, [](auto... a) { return cdv::CuotaTrabajo(a...); });
}
BENCHMARK(CuotaTrabajoPorFila);

void CuotaDocumentoPorFila(benchmark::State& estado) {
    PorFila(estado, cdv::TablaTD, [](auto... a) { return cdv::CuotaDocumento(a...); });
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
