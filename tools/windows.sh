#!/usr/bin/env bash
# Builds the calculator for 64-bit Windows and proves it under Wine (`./cdv.sh windows`):
#   1. a static Qt for Windows, cross-built from Debian's own qtbase source against the host
#      tools of Debian's Qt, kept in ${XDG_CACHE_HOME:-$HOME/.cache}/cdv/ by version and options;
#   2. cdv.exe, the tests and the installer (CPack, NSIS) in build-windows/;
#   3. under Wine: every test, the exports and every fee compared with the Linux build's, a
#      silent install and uninstall, and a picture of the main window.
# It exits 0 only when every step passed. `./cdv.sh windows` installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
RAIZ=$PWD
NUCLEOS=$(nproc 2>/dev/null || echo 2)
SALIDA=$RAIZ/build-windows
CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/cdv

paso() { printf '\n== %s\n' "$*"; }

# Wine takes the Windows locale, and the code page of the command line, from the Unix locale:
# the Spanish one must exist for the program to see Spanish conventions and accented names.
locale_espanol() {
    locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$' && return
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "es_ES.UTF-8 UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo[@]}" locale-gen es_ES.UTF-8
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

# --- 2. The program, its tests and its installer ----------------------------------------

WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEDEBUG=-all WINEPREFIX=$SALIDA/wine WINEDLLOVERRIDES="mscoree,mshtml="

construir_programa() {
    cmake -S . -B "$SALIDA" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIJO/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DCDV_BUILD_BENCH=OFF -DCDV_GTEST_FUENTES=/usr/src/googletest \
        -DCMAKE_EXE_LINKER_FLAGS="-static" -DCMAKE_CROSSCOMPILING_EMULATOR="$WINE" >/dev/null
    cmake --build "$SALIDA" --parallel "$NUCLEOS"
    (cd "$SALIDA" && rm -f cdv-*-win64.exe && cpack -G NSIS >/dev/null)
    INSTALADOR=$(ls "$SALIDA"/cdv-*-win64.exe)
    file "$SALIDA/cdv.exe" "$INSTALADOR"
}

# A Wine prefix of the build's own, with the faces the statement and the forms use (Liberation,
# Arial's metric twin), for the offscreen platform, which reads no system font on Windows.
preparar_wine() {
    [ -d "$WINEPREFIX" ] || "$WINE" wineboot --init >/dev/null 2>&1
    FUENTES=$SALIDA/fuentes
    mkdir -p "$FUENTES"
    cp /usr/share/fonts/truetype/liberation/Liberation*.ttf "$FUENTES"/
    export WINEQT_QPA_FONTDIR=$FUENTES WINEQT_FORCE_STDERR_LOGGING=1
}

# --- 3. Proof under Wine ---------------------------------------------------------------------

probar_en_wine() {
    (cd "$SALIDA" && ctest --output-on-failure --timeout 600)
}

# The same request gives the same CSV, byte for byte, the same PDF text and the same fees as
# the Linux build.
comparar_exportaciones() {
    local linux=$RAIZ/build/cdv solicitud=$RAIZ/tests/visado/solicitud.cdv dir=$SALIDA/comparacion
    [ -x "$linux" ] || { cmake -S . -B build >/dev/null && cmake --build build --target cdv; }
    [ -x "$RAIZ/build/tools/huellas_cuotas" ] || cmake --build build --target huellas_cuotas
    rm -rf "$dir" && mkdir -p "$dir"
    cp "$solicitud" "$dir/Nave Logroño.cdv"  # a name with an accent and a blank
    solicitud="$dir/Nave Logroño.cdv"
    QT_QPA_PLATFORM=offscreen LC_ALL=es_ES.UTF-8 \
        "$linux" --csv "$dir/linux.csv" --pdf "$dir/linux.pdf" "$solicitud" 2>/dev/null
    LC_ALL=es_ES.UTF-8 \
        "$WINE" "$SALIDA/cdv.exe" --csv "$dir/windows.csv" --pdf "$dir/windows.pdf" "$solicitud"
    cmp "$dir/linux.csv" "$dir/windows.csv"
    pdftotext -layout "$dir/linux.pdf" "$dir/linux.txt"
    pdftotext -layout "$dir/windows.pdf" "$dir/windows.txt"
    diff "$dir/linux.txt" "$dir/windows.txt"
    echo "CSV idéntico byte a byte ($(wc -c < "$dir/windows.csv") bytes); texto del PDF idéntico"
    # Every fee of the schedule, with its exact bits.
    "$RAIZ/build/tools/huellas_cuotas" > "$dir/huellas-linux.txt"
    "$WINE" "$SALIDA/tools/huellas_cuotas.exe" | tr -d '\r' > "$dir/huellas-windows.txt"
    cmp "$dir/huellas-linux.txt" "$dir/huellas-windows.txt"
    echo "$(wc -l < "$dir/huellas-windows.txt") cuotas idénticas, bit a bit, a las de Linux"
}

reg() {  # key: whether it is in the registry
    "$WINE" reg query "$1" >/dev/null 2>&1
}

# Installed silently, the program answers, the registry holds the file type and the uninstall
# entry; uninstalled silently, nothing of either is left.
instalar_y_desinstalar() {
    local destino="$WINEPREFIX/drive_c/Program Files/CDV-TORVEL"
    local desinstalar='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\CDV-TORVEL'
    local tipo='HKLM\Software\Classes\CDV.SolicitudDeVisado' extension='HKLM\Software\Classes\.cdv'
    "$WINE" "$INSTALADOR" /S
    "$WINE" "C:\\Program Files\\CDV-TORVEL\\bin\\cdv.exe" --version
    "$WINE" reg query "$desinstalar" | tr -d '\r' | grep -E 'DisplayName|DisplayVersion|Publisher|DisplayIcon'
    "$WINE" reg query "$tipo\\shell\\open\\command" | tr -d '\r' | grep cdv.exe
    "$WINE" reg query "$extension" | tr -d '\r' | grep CDV.SolicitudDeVisado
    ls "$destino"
    "$WINE" "$destino/Desinstalar.exe" /S
    for espera in 1 2 3 4 5 6 7 8 9 10; do  # the uninstaller goes on from a copy of itself
        [ -e "$destino" ] || break
        sleep 1
    done
    [ ! -e "$destino" ] || { echo "Queda $destino" >&2; exit 1; }
    for clave in "$desinstalar" "$tipo" "$extension"; do
        if reg "$clave"; then echo "Queda la clave $clave" >&2; exit 1; fi
    done
    echo "Instalado y desinstalado en silencio; no queda ni un archivo ni una clave"
}

# The main window on Windows's own platform, in a virtual screen, as a new user first sees it.
capturar() {
    local imagen=$RAIZ/docs/windows-principal.png
    rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/cdv
    wineserver -k 2>/dev/null || true  # Wine's desktop starts again, in the virtual screen
    wineserver -w 2>/dev/null || true
    LC_ALL=es_ES.UTF-8 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        "$0" "$1" &
        sleep 15
        import -window root "$2"
        kill %1' "$WINE" "$SALIDA/cdv.exe" "$SALIDA/pantalla.png" 2>/dev/null
    convert "$SALIDA/pantalla.png" -trim "$imagen"
    local tamano
    tamano=$(identify -format '%w %h' "$imagen")
    echo "Captura: $imagen ($tamano)"
    [ "${tamano%% *}" -ge 600 ] && [ "${tamano##* }" -ge 400 ] || {
        echo "La ventana no se ha visto en la pantalla virtual" >&2
        exit 1
    }
}

locale_espanol
inicio=$SECONDS
paso "Qt $QT_VERSION_DEB, estático, para Windows de 64 bits"
qt_windows
paso "cdv.exe, las pruebas y el instalador"
construir_programa
preparar_wine
paso "Todas las pruebas, bajo Wine"
probar_en_wine
paso "Exportaciones de Windows y de Linux"
comparar_exportaciones
paso "Instalación y desinstalación en silencio"
instalar_y_desinstalar
paso "La ventana principal en Windows"
capturar
echo
echo "Windows: todo correcto en $((SECONDS - inicio)) s"
