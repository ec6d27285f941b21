#!/usr/bin/env bash
# Fuzzes with libFuzzer the number parser, both fee rules and both amount texts (corpus kept
# in tests/corpus/), then the request file reader (tests/corpus_archivo/), growing each
# corpus, which the ordinary tests replay. Usage: tools/fuzz.sh [seconds per fuzzer]
set -euo pipefail
cd "$(dirname "$0")/.."
SEGUNDOS=${1:-600}
if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q 'ok installed'; then
    sudo=(); [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get install -y clang libclang-rt-14-dev
fi
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCDV_FUZZ=ON -DCDV_BUILD_TESTS=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz --target fuzz_cuotas fuzz_archivo --parallel "$(nproc)"
# Each fuzzer into a scratch folder seeded with its kept corpus, then keep only what adds
# coverage.
fuzzear() {  # name, corpus folder, longest input
    local nuevo
    nuevo=$(mktemp -d)
    build-fuzz/tests/fuzz_"$1" -max_total_time="$SEGUNDOS" -max_len="$3" -fork="$(nproc)" \
        "$nuevo" "tests/$2"
    build-fuzz/tests/fuzz_"$1" -merge=1 -max_len="$3" "tests/$2" "$nuevo"
    rm -rf "$nuevo"
}
fuzzear cuotas corpus 256
fuzzear archivo corpus_archivo 4096
