#!/usr/bin/env bash
# How the cost of each step grows with the championship: bench_championship
# at 2,048, 8,192 and 32,768 players, three processes each, with every step's
# CPU time (the best of the three runs, so that another load on the machine
# does not decide the verdict) and its wall time beside it, its ratio to the
# size before (4 times the players), the ratio from 2,048 to 32,768 players
# (16 times the players) against its limit, and the peak memory of a run.
#   bash bench/scale.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" -j"$(nproc)" --target bench_championship >/dev/null
sizes=(2048 8192 32768)
# The lines of bench_championship to read, how this table names them, and
# the largest ratio from 2,048 to 32,768 players each may show: the draw's
# own rule costs about 7·n·H(n) generator calls.
steps=("first draw in place" "later draws together" "tree view built" "first result of a round shown"
       "result shown in the tree view" "the final's result shown" "Вписать and a repaint" "repaint of the tree" "printing to PDF"
       "save of the played" "load of the played" "export to svg" "export to html" "export to pdf")
names=("first draw" "later draws" "tree view built" "first result in the tree" "a result in the tree"
       "the final's result" "fit and repaint"
       "repaint" "printing to PDF" "save" "load" "export SVG" "export HTML" "export PDF")
limits=(32 24 24 24 24 24 24 24 24 24 24 24 24 24)
runs=3
declare -A measured wall
best() { awk -v a="$1" -v b="$2" 'BEGIN { print (b == "" || a + 0 < b + 0) ? a : b }'; }
for players in "${sizes[@]}"; do
  for ((run = 0; run < runs; ++run)); do
    out=$(QT_QPA_PLATFORM=offscreen /usr/bin/time -f 'peak %M' "$build/bench/bench_championship" "$players" 2>&1)
    for step in "${steps[@]}"; do
      line=$(grep -m1 "^$step" <<<"$out")
      cpu=$(sed -E 's/.*: ([0-9.]+) ms.*/\1/' <<<"$line")
      measured["$step,$players"]=$(best "$cpu" "${measured["$step,$players"]:-}")
      wall["$step,$players"]=$(best "$(sed -E 's/.*\(wall ([0-9.]+) ms\).*/\1/' <<<"$line")" "${wall["$step,$players"]:-}")
    done
    peak=$(( $(grep -m1 '^peak' <<<"$out" | cut -d' ' -f2) / 1024 ))
    measured["peak,$players"]=$(awk -v a="$peak" -v b="${measured["peak,$players"]:-0}" 'BEGIN { print (a > b) ? a : b }')
  done
done
echo "CPU time of the calling thread (a draw: of the process), best of $runs runs; the best wall time in brackets"
printf '%-24s' "step (ms)"
for players in "${sizes[@]}"; do printf '%28s' "$players players"; done
printf '%16s\n' "2,048→32,768"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "-" }'; }
for i in "${!steps[@]}"; do
  step=${steps[$i]}
  printf '%-24s' "${names[$i]}"
  before=""
  for players in "${sizes[@]}"; do
    value=${measured["$step,$players"]}
    beside="($(printf '%s' "${wall["$step,$players"]}"))"
    if [ -n "$before" ]; then
      printf '%10s %-9s (x%5s)' "$value" "$beside" "$(ratio "$value" "$before")"
    else
      printf '%18s %-9s' "$value" "$beside"
    fi
    before=$value
  done
  total=$(ratio "${measured["$step,32768"]}" "${measured["$step,2048"]}")
  verdict=$(awk -v r="$total" -v l="${limits[$i]}" 'BEGIN { print (r <= l) ? "ok" : "OVER" }')
  printf '%9s ≤%-3s %s\n' "x$total" "${limits[$i]}" "$verdict"
done
printf '%-24s' "peak memory (MiB)"
for players in "${sizes[@]}"; do printf '%28s' "${measured["peak,$players"]}"; done
printf '   limit 1024 at 32,768\n'
