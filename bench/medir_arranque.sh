#!/usr/bin/env bash
# Start-up time to the first painted frame, and peak memory, of the calculator against a bare
# Qt window, as whole processes, alternating one run of each; prints medians and their ratios.
# It also runs the main window's kinds of control made with Qt alone ("formulario"), what the
# window the calculator shows costs in Qt before anything of the calculator's own.
# The calculator runs twice over: with folders of its own holding nothing ("cdv"), and with
# folders where two sessions of ended runs wait, each with a stale lock ("cdv-esperando"),
# laid anew before each run, since a run takes stale locks over.
# Usage: bench/medir_arranque.sh [runs] (after a build in build/).
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-40}
PROGRAMA=build/bench/cdv_arranque
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for falta in /usr/bin/time bc; do
    command -v "$falta" >/dev/null || { echo "Falta $falta: apt-get install time bc" >&2; exit 1; }
done

CARPETAS=$(mktemp -d)
trap 'rm -rf "$CARPETAS"' EXIT

# Empty data and settings folders for `caso`; for "cdv-esperando", two waiting sessions with
# the locks of runs long gone.
preparar() {
    local caso=$1 datos=$CARPETAS/$1/datos
    rm -rf "${CARPETAS:?}/$caso"
    mkdir -p "$datos/cdv/recuperacion" "$CARPETAS/$caso/config"
    [ "$caso" = cdv-esperando ] || return 0
    for sesion in una otra; do
        printf '{"formato": 1, "documentos": [{"referencia": "AAP", "cantidad": "1", "cuota": "26.5"}]}' \
            > "$datos/cdv/recuperacion/$sesion.cdv"
        printf '999999\ncdv\n%s\n' "$(hostname)" > "$datos/cdv/recuperacion/$sesion.lock"
    done
    chmod 700 "$datos/cdv/recuperacion"
}

medir() {  # prints "milliseconds peak-kilobytes" for one run
    local inicio fin memoria programa=${1%-esperando}
    preparar "$1"
    inicio=$(date +%s%N)
    memoria=$(XDG_DATA_HOME=$CARPETAS/$1/datos XDG_CONFIG_HOME=$CARPETAS/$1/config \
        /usr/bin/time -f %M "$PROGRAMA" "$programa" 2>&1 >/dev/null | tail -1)
    fin=$(date +%s%N)
    echo "$(((fin - inicio) / 1000)) $memoria"
}

mediana() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

PROGRAMAS=(qt formulario cdv cdv-esperando)
for _ in 1 2 3; do for p in "${PROGRAMAS[@]}"; do medir "$p" >/dev/null; done; done  # warm the caches
for p in "${PROGRAMAS[@]}"; do : > "/tmp/arranque-$p"; done
for _ in $(seq "$RUNS"); do
    for p in "${PROGRAMAS[@]}"; do medir "$p" >> "/tmp/arranque-$p"; done
done
declare -A ms kb
for p in "${PROGRAMAS[@]}"; do
    ms[$p]=$(cut -d' ' -f1 "/tmp/arranque-$p" | mediana)
    kb[$p]=$(cut -d' ' -f2 "/tmp/arranque-$p" | mediana)
done
printf 'runs each: %s\n' "$RUNS"
printf 'start-up  Qt %8.1f ms   CDV %8.1f ms   ratio %.2f   (Qt alone, same controls: %.1f ms, %.2f)\n' \
    "$(echo "${ms[qt]}/1000" | bc -l)" "$(echo "${ms[cdv]}/1000" | bc -l)" \
    "$(echo "${ms[cdv]}/${ms[qt]}" | bc -l)" "$(echo "${ms[formulario]}/1000" | bc -l)" \
    "$(echo "${ms[formulario]}/${ms[qt]}" | bc -l)"
printf 'peak RSS  Qt %8d kB   CDV %8d kB   ratio %.2f   (Qt alone, same controls: %d kB, %.2f)\n' \
    "${kb[qt]}" "${kb[cdv]}" "$(echo "${kb[cdv]}/${kb[qt]}" | bc -l)" "${kb[formulario]}" \
    "$(echo "${kb[formulario]}/${kb[qt]}" | bc -l)"
printf 'two sessions waiting, two stale locks: %.1f ms, ratio %.2f; %d kB, ratio %.2f\n' \
    "$(echo "${ms[cdv-esperando]}/1000" | bc -l)" "$(echo "${ms[cdv-esperando]}/${ms[qt]}" | bc -l)" \
    "${kb[cdv-esperando]}" "$(echo "${kb[cdv-esperando]}/${kb[qt]}" | bc -l)"
