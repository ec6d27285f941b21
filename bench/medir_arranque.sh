#!/usr/bin/env bash
# Start-up time to the first painted frame, and peak memory, of the calculator against a bare
# Qt window, as whole processes, alternating one run of each; prints medians and their ratios.
# It also runs the main window's kinds of control made with Qt alone ("formulario"), what the
# window the calculator shows costs in Qt before anything of the calculator's own.
# Usage: bench/medir_arranque.sh [runs] (after a build in build/).
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-40}
PROGRAMA=build/bench/cdv_arranque
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for falta in /usr/bin/time bc; do
    command -v "$falta" >/dev/null || { echo "Falta $falta: apt-get install time bc" >&2; exit 1; }
done

medir() {  # prints "milliseconds peak-kilobytes" for one run
    local inicio fin memoria
    inicio=$(date +%s%N)
    memoria=$(/usr/bin/time -f %M "$PROGRAMA" "$1" 2>&1 >/dev/null | tail -1)
    fin=$(date +%s%N)
    echo "$(((fin - inicio) / 1000)) $memoria"
}

mediana() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

PROGRAMAS=(qt formulario cdv)
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
