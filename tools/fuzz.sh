#!/usr/bin/env bash
# Fuzzes the number parser, both fee rules and both amount texts with libFuzzer, growing the
# corpus kept in tests/corpus/ (which the ordinary tests replay). Usage: tools/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
SEGUNDOS=${1:-600}
if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q 'ok installed'; then
    sudo=(); [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get install -y clang libclang-rt-14-dev
fi
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCDV_FUZZ=ON -DCDV_BUILD_TESTS=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz --target fuzz_cuotas --parallel "$(nproc)"
NUEVO=$(mktemp -d)
trap 'rm -rf "$NUEVO"' EXIT
# Fuzz into a scratch folder seeded with the kept corpus, then keep only what adds coverage.
build-fuzz/tests/fuzz_cuotas -max_total_time="$SEGUNDOS" -max_len=256 -fork="$(nproc)" \
    "$NUEVO" tests/corpus
build-fuzz/tests/fuzz_cuotas -merge=1 -max_len=256 tests/corpus "$NUEVO"
