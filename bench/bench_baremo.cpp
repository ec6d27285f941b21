// Reading a schedule's file, as every start does for each revision installed: parsing,
// checking every key and value, and the digest of the schedule read. The file is the built-in
// schedule's own.
#include <benchmark/benchmark.h>

#include <QFile>

#include "ArchivoBaremo.h"

namespace {

void LeerArchivoDeBaremo(benchmark::State& estado) {
    QFile archivo(CDV_BAREMO_JSON);
    archivo.open(QIODevice::ReadOnly);
    const QByteArray datos = archivo.readAll();
    for (auto _ : estado) benchmark::DoNotOptimize(cdv::LeerBaremo(datos));
}
BENCHMARK(LeerArchivoDeBaremo)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
