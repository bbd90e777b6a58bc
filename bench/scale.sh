#!/usr/bin/env bash
# How the cost of each step grows with the championship: bench_championship
# at 2,048, 8,192 and 32,768 players, one process each, with every step's
# time, its ratio to the size before (4 times the players), the ratio from
# 2,048 to 32,768 players (16 times the players) against its limit, and the
# peak memory of the whole run.
#   bash bench/scale.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" -j"$(nproc)" --target bench_championship >/dev/null
sizes=(2048 8192 32768)
# The lines of bench_championship to read, how this table names them, and
# the largest ratio from 2,048 to 32,768 players each may show: the draw's
# own rule costs about 7·n·H(n) generator calls.
steps=("first draw in place" "later draws together" "tree view built" "result shown in the tree view"
       "the final's result shown" "Вписать and a repaint" "repaint of the tree" "printing to PDF"
       "save of the played" "load of the played" "export to svg" "export to html" "export to pdf")
names=("first draw" "later draws" "tree view built" "a result in the tree" "the final's result" "fit and repaint"
       "repaint" "printing to PDF" "save" "load" "export SVG" "export HTML" "export PDF")
limits=(32 24 24 24 24 24 24 24 24 24 24 24 24)
declare -A measured
for players in "${sizes[@]}"; do
  out=$(QT_QPA_PLATFORM=offscreen /usr/bin/time -f 'peak %M' "$build/bench/bench_championship" "$players" 2>&1)
  for step in "${steps[@]}"; do
    measured["$step,$players"]=$(grep -m1 "^$step" <<<"$out" | sed -E 's/.*: ([0-9.]+) ms.*/\1/')
  done
  measured["peak,$players"]=$(( $(grep -m1 '^peak' <<<"$out" | cut -d' ' -f2) / 1024 ))
done
printf '%-22s' "step (ms)"
for players in "${sizes[@]}"; do printf '%20s' "$players players"; done
printf '%16s\n' "2,048→32,768"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "-" }'; }
for i in "${!steps[@]}"; do
  step=${steps[$i]}
  printf '%-22s' "${names[$i]}"
  before=""
  for players in "${sizes[@]}"; do
    value=${measured["$step,$players"]}
    if [ -n "$before" ]; then
      printf '%11s (x%5s)' "$value" "$(ratio "$value" "$before")"
    else
      printf '%20s' "$value"
    fi
    before=$value
  done
  total=$(ratio "${measured["$step,32768"]}" "${measured["$step,2048"]}")
  verdict=$(awk -v r="$total" -v l="${limits[$i]}" 'BEGIN { print (r <= l) ? "ok" : "OVER" }')
  printf '%9s ≤%-3s %s\n' "x$total" "${limits[$i]}" "$verdict"
done
printf '%-22s' "peak memory (MiB)"
for players in "${sizes[@]}"; do printf '%20s' "${measured["peak,$players"]}"; done
printf '   limit 1024 at 32,768\n'
