#!/usr/bin/env bash
# Proves here what can be proved of the Windows builds, for the fee schedule and its tests:
#   - cross-compiled for 64-bit Windows with MinGW-w64, the tests pass under Wine;
#   - they compile for 32-bit Windows (i686-w64-mingw32), and so do the program's Windows
#     resources (icon and version information);
#   - built as a 32-bit x87 program (g++ -m32 -mfpmath=387), the tests pass and every fee
#     agrees to the last bit with the 64-bit build, and so does the Windows build.
# Where the kernel runs no 32-bit programs, the x87 build runs under qemu-i386, which
# emulates the x87 unit with its precision control.
# Not part of CI (it takes a few minutes). Usage: tools/windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
PAQUETES=(g++-multilib g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 googletest
    qemu-user)
faltan=()
for p in "${PAQUETES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
    sudo=(); [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get install -y "${faltan[@]}"
fi
GTEST=/usr/src/googletest
SALIDA=build-windows
NUCLEOS=$(nproc 2>/dev/null || echo 2)

construir() {  # folder, then CMake options
    local carpeta=$SALIDA/$1
    shift
    cmake -S . -B "$carpeta" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCDV_BUILD_UI=OFF \
        -DCDV_BUILD_BENCH=OFF -DCDV_GTEST_FUENTES="$GTEST" "$@" >/dev/null
    cmake --build "$carpeta" --target test_schedule huellas_cuotas --parallel "$NUCLEOS"
}

mingw() {  # folder, compiler prefix
    construir "$1" -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_CXX_COMPILER="$2-g++-posix" \
        -DCMAKE_C_COMPILER="$2-gcc-posix" \
        -DCMAKE_RC_COMPILER="$2-windres" -DCMAKE_EXE_LINKER_FLAGS=-static
}

echo "== 64 bits, nativo"
construir nativo
"$SALIDA/nativo/tests/test_schedule" --gtest_brief=1
"$SALIDA/nativo/tools/huellas_cuotas" > "$SALIDA/huellas-64.txt"

echo "== 32 bits, x87 (-m32 -mfpmath=387)"
construir x87 -DCMAKE_CXX_FLAGS="-m32 -mfpmath=387" -DCMAKE_EXE_LINKER_FLAGS=-static
x87=()
"$SALIDA/x87/tools/huellas_cuotas" >/dev/null 2>&1 || x87=(qemu-i386)
"${x87[@]}" "$SALIDA/x87/tests/test_schedule" --gtest_brief=1
"${x87[@]}" "$SALIDA/x87/tools/huellas_cuotas" > "$SALIDA/huellas-x87.txt"
cmp "$SALIDA/huellas-64.txt" "$SALIDA/huellas-x87.txt"
echo "x87: $(wc -l < "$SALIDA/huellas-x87.txt") cuotas idénticas bit a bit a las de 64 bits"

echo "== Windows 64 bits (MinGW-w64, bajo Wine)"
mingw w64 x86_64-w64-mingw32
export WINEDEBUG=-all
WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
"$WINE" "$SALIDA/w64/tests/test_schedule.exe" --gtest_brief=1
"$WINE" "$SALIDA/w64/tools/huellas_cuotas.exe" | tr -d '\r' > "$SALIDA/huellas-w64.txt"
cmp "$SALIDA/huellas-64.txt" "$SALIDA/huellas-w64.txt"
echo "Windows 64: $(wc -l < "$SALIDA/huellas-w64.txt") cuotas idénticas bit a bit a las de Linux"

echo "== Windows 32 bits (i686-w64-mingw32), compilación"
mingw w32 i686-w64-mingw32
file "$SALIDA/w32/tests/test_schedule.exe" "$SALIDA/w32/tools/huellas_cuotas.exe"

echo "== Recursos de Windows (icono e información de versión, windres)"
for carpeta in w64 w32; do
    cmake --build "$SALIDA/$carpeta" --target cdv_recursos_windows
    find "$SALIDA/$carpeta" -name 'cdv.rc.res' -printf '%p: %s bytes\n'
done
