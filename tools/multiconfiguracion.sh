#!/usr/bin/env bash
# Proves the README's install and packaging steps with a multi-configuration generator, as
# Visual Studio is on Windows: Ninja Multi-Config (package ninja-build) builds RelWithDebInfo,
# and `cmake --install --config` and `cpack -C` must take that configuration, not Release.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v ninja >/dev/null; then
    sudo=(); [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get install -y ninja-build
fi
CARPETA=$(mktemp -d)
trap 'rm -rf "$CARPETA"' EXIT
cmake -S . -B "$CARPETA/build" -G "Ninja Multi-Config" -DCDV_BUILD_TESTS=OFF -DCDV_BUILD_BENCH=OFF
cmake --build "$CARPETA/build" --config RelWithDebInfo --parallel "$(nproc)"
cmake --install "$CARPETA/build" --config RelWithDebInfo --prefix "$CARPETA/instalado"
test -x "$CARPETA/instalado/bin/cdv"
(cd "$CARPETA/build" && cpack -C RelWithDebInfo)
ls "$CARPETA"/build/cdv_*.deb
echo "Instalación y paquete con Ninja Multi-Config: correctos."
