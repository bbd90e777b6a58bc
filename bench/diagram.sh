#!/usr/bin/env bash
# The diagram of 1,024 players on both platforms: the offscreen one the
# tests use, and X (xcb) under xvfb-run, where every native window is a
# round trip to the server. Prints the best of five runs of updateDiagram
# after the first draw, CPU time of the calling thread with the wall time
# beside it, and how many widgets have a native window, against the goal
# of 50 ms.
#   bash bench/diagram.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bash scripts/deps.sh xvfb xauth
cmake --build "$build" -j"$(nproc)" --target bench_championship >/dev/null
runs=5
for platform in offscreen xcb; do
  best=""
  bestWall=""
  native=""
  for ((run = 0; run < runs; ++run)); do
    if [ "$platform" = xcb ]; then
      out=$(xvfb-run -a -s "-screen 0 1920x1080x24" env QT_QPA_PLATFORM=xcb "$build/bench/bench_championship" 1024 2>&1)
    else
      out=$(QT_QPA_PLATFORM=offscreen "$build/bench/bench_championship" 1024 2>&1)
    fi
    line=$(grep -m1 '^updateDiagram after the first draw' <<<"$out")
    cpu=$(sed -E 's/.*: ([0-9.]+) ms.*/\1/' <<<"$line")
    wall=$(sed -E 's/.*\(wall ([0-9.]+) ms\).*/\1/' <<<"$line")
    native=$(grep -m1 '^widgets with a native window' <<<"$out" | sed -E 's/.*: //')
    best=$(awk -v a="$cpu" -v b="$best" 'BEGIN { print (b == "" || a + 0 < b + 0) ? a : b }')
    bestWall=$(awk -v a="$wall" -v b="$bestWall" 'BEGIN { print (b == "" || a + 0 < b + 0) ? a : b }')
  done
  verdict=$(awk -v t="$best" 'BEGIN { print (t <= 50) ? "ok" : "OVER" }')
  printf '%-10s updateDiagram at 1,024 players: %s ms CPU (wall %s ms), best of %d; native windows: %s; goal 50 ms: %s\n' \
    "$platform" "$best" "$bestWall" "$runs" "$native" "$verdict"
done
