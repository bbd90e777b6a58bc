#!/usr/bin/env bash
# How the cost of each step grows with the championship: bench_championship
# at 2,048, 8,192 and 32,768 players, one process each, with every step's
# time, its ratio to the size before (4 times the players) and the peak
# memory of the whole run.
#   bash bench/scale.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" -j"$(nproc)" --target bench_championship >/dev/null
# The lines of bench_championship to read, and how this table names them.
steps=("draw of round 1" "tree view built" "Вписать and a repaint" "printing to PDF" "save of the played" "load of the played")
names=("first draw" "tree view built" "fit and repaint" "printing to PDF" "save" "load")
declare -A previous
printf '%-28s' "step"
for players in 2048 8192 32768; do printf '%22s' "$players players"; done
printf '\n'
declare -A measured
for players in 2048 8192 32768; do
  out=$(QT_QPA_PLATFORM=offscreen /usr/bin/time -f 'peak %M' "$build/bench/bench_championship" "$players" 2>&1)
  for step in "${steps[@]}"; do
    measured["$step,$players"]=$(grep -m1 "^$step" <<<"$out" | sed -E 's/.*: ([0-9.]+) ms.*/\1/')
  done
  measured["peak memory (MiB),$players"]=$(( $(grep -m1 '^peak' <<<"$out" | cut -d' ' -f2) / 1024 ))
done
steps+=("peak memory (MiB)")
names+=("peak memory (MiB)")
for i in "${!steps[@]}"; do
  step=${steps[$i]}
  printf '%-28s' "${names[$i]}"
  before=""
  for players in 2048 8192 32768; do
    value=${measured["$step,$players"]}
    if [ -n "$before" ] && [ "$before" != "0" ]; then
      printf '%13s (x%5.1f)' "$value" "$(awk -v a="$value" -v b="$before" 'BEGIN { print a / b }')"
    else
      printf '%22s' "$value"
    fi
    before=$value
  done
  printf '\n'
done
