#!/usr/bin/env bash
# Fuzzes with libFuzzer the number parser, both fee rules and both amount texts, the request
# file reader and the schedule file reader, each with the property the ordinary tests check on
# inputs made from a fixed seed. Each fuzzer's corpus grows in build-fuzz/ from run to run; the
# readers' start from a request file and from the built-in schedule's file. Usage: tools/fuzz.sh [seconds per fuzzer]
set -euo pipefail
cd "$(dirname "$0")/.."
SEGUNDOS=${1:-600}
if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q 'ok installed'; then
    sudo=(); [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get install -y clang libclang-rt-14-dev
fi
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCDV_FUZZ=ON -DCDV_BUILD_TESTS=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz --target fuzz_cuotas fuzz_archivo fuzz_baremo --parallel "$(nproc)"
fuzzear() {  # name, longest input, seed files
    local corpus=build-fuzz/corpus_$1
    mkdir -p "$corpus"
    [ $# -gt 2 ] && cp "${@:3}" "$corpus"/
    build-fuzz/tests/fuzz_"$1" -max_total_time="$SEGUNDOS" -max_len="$2" -fork="$(nproc)" \
        "$corpus"
}
fuzzear cuotas 256
fuzzear archivo 4096 tests/visado/solicitud.cdv
fuzzear baremo 65536 resources/baremo.json
