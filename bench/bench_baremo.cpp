// Reading the built-in schedule from its file, as every start does: parsing, checking every
// key and value, and the digest of the schedule written back.
#include <benchmark/benchmark.h>

#include <QFile>

#include "ArchivoBaremo.h"

namespace {

void LeerBaremoIncorporado(benchmark::State& estado) {
    cdv::BaremoIncorporado();  // registers the file that holds it
    QFile archivo(":/cdv/baremo.json");
    archivo.open(QIODevice::ReadOnly);
    const QByteArray datos = archivo.readAll();
    for (auto _ : estado) benchmark::DoNotOptimize(cdv::LeerBaremo(datos));
}
BENCHMARK(LeerBaremoIncorporado)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
