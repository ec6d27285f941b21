// The fee rules, per call: every row of each catalogue with quantity texts of every shape.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "Cuotas.h"

namespace {

const cdv::Separadores kEs{",", "."};
const std::vector<std::string> kCantidades{"1",     "3",  "300", "1.500,5", "100000", "2.500.000",
                                           "1,5e5", "-3", "0",   "12a",     "",       "1e12"};

// One call per iteration, running through every row and every quantity shape.
template <typename Tabla, typename Regla>
void PorFila(benchmark::State& estado, const Tabla& tabla, Regla regla) {
    std::size_t k = 0;
    for (auto _ : estado) {
        const int fila = 1 + static_cast<int>(k % tabla.Filas());
        const std::string& cantidad = kCantidades[k / tabla.Filas() % kCantidades.size()];
        benchmark::DoNotOptimize(regla(tabla.Fila(fila), cantidad, kEs));
        ++k;
    }
}

void CuotaTrabajoPorFila(benchmark::State& estado) {
    const cdv::Baremo& b = *cdv::BaremoCompilado();
    PorFila(estado, b.TablaTT, [&b](auto... a) { return cdv::CuotaTrabajo(b, a...); });
}
BENCHMARK(CuotaTrabajoPorFila);

void CuotaDocumentoPorFila(benchmark::State& estado) {
    const cdv::Baremo& b = *cdv::BaremoCompilado();
    PorFila(estado, b.TablaTD, [&b](auto... a) { return cdv::CuotaDocumento(b, a...); });
}
BENCHMARK(CuotaDocumentoPorFila);

void CuotaDeProyecto(benchmark::State& estado) {
    const cdv::DocumentoTD& proyecto = *cdv::BaremoCompilado()->TablaTD.Fila(38);
    cdv::Centimos suma = 1;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(cdv::CuotaDocumento(proyecto, suma, 0.25f, kEs));
        suma = suma * 7 % 1'000'000'000;
    }
}
BENCHMARK(CuotaDeProyecto);

}  // namespace

BENCHMARK_MAIN();
