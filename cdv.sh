#!/usr/bin/env bash
# Sets up, builds and then starts the calculator (`./cdv.sh start`), runs every test
# (`./cdv.sh test`), or builds the Windows program and proves it under Wine
# (`./cdv.sh windows`). On Debian or Ubuntu it installs whatever is missing first.
set -euo pipefail
cd "$(dirname "$0")"

PAQUETES=(g++ make cmake qt6-base-dev qt6-translations-l10n libgtest-dev libbenchmark-dev
    fonts-liberation dpkg-dev file lintian appstream desktop-file-utils python3 poppler-utils)
# What the Windows build adds: the cross compiler, Ninja, Debian's Qt host tools, Wine, NSIS,
# a virtual screen and its capture, GoogleTest's sources and the Spanish locale's data.
PAQUETES_WINDOWS=(ninja-build qt6-base-dev-tools googletest g++-mingw-w64-x86-64-posix wine64
    nsis xvfb xauth imagemagick locales)

instalar() {  # the packages wanted
    if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
        if ! command -v cmake >/dev/null || ! command -v c++ >/dev/null; then
            cat >&2 <<'TEXTO'
Este sistema no es Debian ni Ubuntu. Instale a mano:
  - un compilador de C++20 (GCC 12 o Clang 14, o posterior)
  - CMake 3.25 o posterior
  - Qt 6.4 o posterior, módulo Widgets (con sus cabeceras)
  - GoogleTest (con sus cabeceras y su configuración de CMake)
y vuelva a ejecutar esta orden.
TEXTO
            exit 1
        fi
        return
    fi
    local faltan=()
    for paquete in "$@"; do
        dpkg-query -W -f='${Status}' "$paquete" 2>/dev/null | grep -q 'install ok installed' ||
            faltan+=("$paquete")
    done
    [ ${#faltan[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Instalando: ${faltan[*]}"
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${faltan[@]}"
}

NUCLEOS=$(nproc 2>/dev/null || echo 2)

construir() {  # folder, then extra CMake options
    local carpeta=$1
    shift
    cmake -S . -B "$carpeta" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$carpeta" --parallel "$NUCLEOS"
}

probar() {
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$NUCLEOS")
}

# What a software centre and Debian check: the .desktop entry, the AppStream metadata and
# the .deb, which lintian must pass with no error and no warning.
comprobar_paquete() {
    desktop-file-validate resources/cdv.desktop
    appstreamcli validate --no-net build/empaquetado/org.example.cdv.metainfo.xml
    rm -f build/cdv_*.deb
    (cd build && cpack -G DEB >/dev/null)
    lintian --fail-on error,warning build/cdv_*.deb
    echo "Paquete: desktop-file-validate, appstreamcli y lintian sin errores ni avisos."
}

case "${1:-}" in
    start)
        instalar "${PAQUETES[@]}"
        construir build
        exec build/cdv
        ;;
    test)
        # Every test twice: as built for use, then under AddressSanitizer and
        # UndefinedBehaviorSanitizer.
        instalar "${PAQUETES[@]}"
        construir build
        probar build
        comprobar_paquete
        construir build-san -DCDV_SANITIZE=ON -DCDV_BUILD_BENCH=OFF
        probar build-san
        ;;
    windows)
        # The program for 64-bit Windows, built here and proven under Wine (tools/windows.sh).
        instalar "${PAQUETES[@]}" "${PAQUETES_WINDOWS[@]}"
        exec tools/windows.sh
        ;;
    *)
        echo "Uso: $0 start | test | windows" >&2
        exit 2
        ;;
esac
