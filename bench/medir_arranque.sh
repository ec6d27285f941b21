#!/usr/bin/env bash
# Start-up time to the first painted frame, and peak memory, of the calculator against a bare
# Qt window, as whole processes, alternating one run of each; prints medians and their ratios.
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

for _ in 1 2 3; do medir qt >/dev/null; medir cdv >/dev/null; done  # warm the caches
: > /tmp/arranque-qt; : > /tmp/arranque-cdv
for _ in $(seq "$RUNS"); do
    medir qt >> /tmp/arranque-qt
    medir cdv >> /tmp/arranque-cdv
done
tq=$(cut -d' ' -f1 /tmp/arranque-qt | mediana); tc=$(cut -d' ' -f1 /tmp/arranque-cdv | mediana)
mq=$(cut -d' ' -f2 /tmp/arranque-qt | mediana); mc=$(cut -d' ' -f2 /tmp/arranque-cdv | mediana)
printf 'runs each: %s\n' "$RUNS"
printf 'start-up  Qt %8.1f ms   CDV %8.1f ms   ratio %.2f\n' "$(echo "$tq/1000" | bc -l)" "$(echo "$tc/1000" | bc -l)" "$(echo "$tc/$tq" | bc -l)"
printf 'peak RSS  Qt %8d kB   CDV %8d kB   ratio %.2f\n' "$mq" "$mc" "$(echo "$mc/$mq" | bc -l)"
