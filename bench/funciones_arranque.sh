#!/usr/bin/env bash
# Lists the calculator's own functions that run before its first frame (bench/arranque.cpp's
# `cdv` case) into cmake/arranque.funciones, from which the Linux build lays them out together
# at the head of the program's code. Run it, after a build in build/, when start-up changes:
# the test arranque_codigo_junto says when. It needs valgrind (apt-get install valgrind).
set -euo pipefail
cd "$(dirname "$0")/.."
PROGRAMA=$PWD/build/bench/cdv_arranque
LISTA=cmake/arranque.funciones
command -v valgrind >/dev/null || { echo "Falta valgrind: apt-get install valgrind" >&2; exit 1; }

CARPETAS=$(mktemp -d)
trap 'rm -rf "$CARPETAS"' EXIT
mkdir -p "$CARPETAS/datos" "$CARPETAS/config"
XDG_DATA_HOME=$CARPETAS/datos XDG_CONFIG_HOME=$CARPETAS/config QT_QPA_PLATFORM=offscreen \
    valgrind --tool=callgrind --demangle=no --callgrind-out-file="$CARPETAS/llamadas" \
    "$PROGRAMA" cdv >/dev/null 2>&1

# The program's functions but for the bench's own: those its object defines that no library does.
simbolos() { nm --defined-only "$@" 2>/dev/null | awk 'NF == 3 && $2 ~ /^[tTwW]$/ { print $3 }' |
    LC_ALL=C sort -u; }
LC_ALL=C comm -23 <(simbolos "$PROGRAMA") \
    <(LC_ALL=C comm -23 <(simbolos build/bench/CMakeFiles/cdv_arranque.dir/arranque.cpp.o) \
        <(simbolos build/*.a build/*/*.a)) > "$CARPETAS/propias"

# callgrind_annotate names each function as "file:symbol [object]" (the object unknown for
# code outside the section called .text): kept, the program's own, but for the static
# initialisers and main(), which the linker already puts at start-up's place, and cold parts,
# which run only on errors; a recursion's mark ('2) goes.
{
    echo "# The calculator's own functions that run before its first frame, made by"
    echo "# bench/funciones_arranque.sh: the Linux build lays them out together."
    callgrind_annotate --threshold=100 "$CARPETAS/llamadas" |
        sed -nE 's/^ *[0-9,]+ +\([ 0-9.%]+\) +[^ ]*:([^: ]+) \[.*$/\1/p' | sed -E "s/'[0-9]+\$//" |
        grep -Ev '^(_GLOBAL__sub_I_|main$)|\.cold$' | LC_ALL=C sort -u |
        LC_ALL=C comm -12 - "$CARPETAS/propias"
} > "$LISTA"
echo "$(grep -vc '^#' "$LISTA") funciones en $LISTA"
