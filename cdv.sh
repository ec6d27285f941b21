#!/usr/bin/env bash
# Sets up, builds and then starts the calculator (`./cdv.sh start`), runs every test
# (`./cdv.sh test`), or builds the Windows program and proves it under Wine
# (`./cdv.sh windows`). On Debian or Ubuntu it installs whatever is missing first.
set -euo pipefail
cd "$(dirname "$0")"

PAQUETES=(g++ make cmake qt6-base-dev qt6-translations-l10n libgtest-dev libbenchmark-dev
    fonts-liberation dpkg-dev file lintian appstream desktop-file-utils python3 poppler-utils)
# What the Windows build adds: the cross compiler, Ninja, Debian's Qt host tools, Wine, NSIS,
# wixl (the MSI), osslsigncode and OpenSSL (signing), a virtual screen, its capture and the
# installer picture's face, a terminal for the console's proof, GoogleTest's sources and the
# Spanish locale's data.
PAQUETES_WINDOWS=(ninja-build qt6-base-dev-tools googletest g++-mingw-w64-x86-64-posix wine64
    nsis wixl osslsigncode openssl xvfb xauth imagemagick fonts-dejavu-core bsdutils locales)

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
        if [ "${2:-}" = --help ] || [ "${2:-}" = -h ]; then
            cat <<'TEXTO'
Uso: ./cdv.sh windows

Compila para Windows de 64 bits, en build-windows/, cdv.exe, cdv.com (su compañero de
consola), el instalador cdv-VERSIÓN-win64.exe y el paquete cdv-VERSIÓN-win64.msi, y los
prueba bajo Wine. Termina con 0 solo si todo está bien.

Firma (Authenticode, con osslsigncode), si se dan un certificado de firma de código y su clave:
  CDV_FIRMA_CERTIFICADO  archivo del certificado (PEM o DER)
  CDV_FIRMA_CLAVE        archivo de su clave privada (PEM o DER)
  CDV_FIRMA_CONTRASENA   archivo con la contraseña de la clave, si la tiene
  CDV_FIRMA_SELLO        servidor de sellos de tiempo RFC 3161 (por omisión
                         http://timestamp.digicert.com; vacío: sin sello)
Se firman cdv.exe, cdv.com, el desinstalador, el instalador y el MSI. Sin certificado, nada
va firmado. La prueba firma además una copia con un certificado suyo y verifica cada firma.
TEXTO
            exit 0
        fi
        instalar "${PAQUETES[@]}" "${PAQUETES_WINDOWS[@]}"
        exec tools/windows.sh
        ;;
    *)
        echo "Uso: $0 start | test | windows [--help]" >&2
        exit 2
        ;;
esac
