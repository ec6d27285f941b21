// Reading a schedule's file, as every start does for each revision installed: parsing,
// checking every key and value, and the digest of the schedule read. The file is the built-in
// schedule's own. Then a price list of format 2 of 2,000 rows, read and checked, and one of its
// fees with its steps.
#include <benchmark/benchmark.h>

#include <QFile>

#include "ArchivoBaremo.h"
#include "ArchivoTarifa.h"

namespace {

void LeerArchivoDeBaremo(benchmark::State& estado) {
    QFile archivo(CDV_BAREMO_JSON);
    archivo.open(QIODevice::ReadOnly);
    const QByteArray datos = archivo.readAll();
    for (auto _ : estado) benchmark::DoNotOptimize(cdv::LeerBaremo(datos));
}
BENCHMARK(LeerArchivoDeBaremo)->Unit(benchmark::kMicrosecond);

// 2,000 rows over a marginal table of eleven bands, a stepped one and a factor list: a row of
// each kind in turn, every one with a minimum by channel.
QByteArray TarifaGrande() {
    QByteArray filas;
    const char* reglas[] = {
        R"({"tipo": "tabla", "tabla": "presupuesto"})",
        R"({"tipo": "tabla", "tabla": "superficie"})",
        R"({"tipo": "fija", "importe": {"electronica": 20, "papel": 33.33}})",
        R"({"tipo": "por_unidad", "precio": 26.5})",
        R"({"tipo": "ponderada", "precio": 1.25, "factores": ["Complejidad"]})"};
    for (int k = 0; k < 2000; ++k) {
        filas += (k > 0 ? "," : "") + QByteArray(R"({"referencia": "R)") + QByteArray::number(k) +
                 R"(", "descripcion": "Fila de prueba número )" + QByteArray::number(k) +
                 R"(", "unidad": "Ud.", "minimo": {"electronica": 18, "papel": 25}, "regla": )" +
                 reglas[k % 5] + "}";
    }
    QByteArray tramos;
    for (int k = 1; k <= 11; ++k)
        tramos += (k > 1 ? "," : "") + QByteArray(R"({"hasta": )") + QByteArray::number(k * 30000) +
                  R"(, "coeficiente": 0.00)" + QByteArray::number(30 - k) + "}";
    return R"({"formato": 2, "colegio": "C", "nombre": "N", "vigente_desde": "2026-01-01",
        "tablas": {"presupuesto": {"tipo": "marginal", "tramos": [)" +
           tramos + R"(]},
                   "superficie": {"tipo": "escalonada", "tramos": [{"hasta": 50, "importe": 60},
                                                                   {"importe": 105}]}},
        "factores": {"Complejidad": {"baja": 0.8, "media": 1, "alta": 1.2}},
        "filas": [)" +
           filas + "]}";
}

// As a schedule is read when installed or first needed: checked, its examples priced, and made
// a schedule with its digest.
void LeerTarifaDe2000Filas(benchmark::State& estado) {
    const QByteArray datos = TarifaGrande();
    if (!cdv::LeerBaremo(datos).baremo) estado.SkipWithError("la tarifa de prueba no se lee");
    for (auto _ : estado) benchmark::DoNotOptimize(cdv::LeerBaremo(datos));
}
BENCHMARK(LeerTarifaDe2000Filas)->Unit(benchmark::kMillisecond);

void CuotaDeTarifa(benchmark::State& estado) {
    const auto tarifa = cdv::LeerBaremo(TarifaGrande()).baremo->tarifa;
    const cdv::Separadores s;
    const cdv::EntradaTarifa entrada{"R1000", *cdv::LeerDecimal("250000"), cdv::Canal::Papel, {}};
    const bool conPasos = estado.range(0) != 0;
    for (auto _ : estado) benchmark::DoNotOptimize(cdv::Tasar(*tarifa, entrada, s, conPasos));
}
BENCHMARK(CuotaDeTarifa)->Arg(0)->Arg(1);  // the fee alone, and with its steps

}  // namespace

BENCHMARK_MAIN();
