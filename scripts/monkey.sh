#!/usr/bin/env bash
# Runs the window monkey for longer, with fresh seeds:
#   monkey.sh [total steps] [steps per seed]     (defaults: 100000 and 5000)
# A failure names its seed and step; replay it with
#   SORTIVANE_MONKEY_SEEDS=<seed> SORTIVANE_MONKEY_STEPS=<steps> build/tests/tst_monkey
set -euo pipefail
cd "$(dirname "$0")/.."
total=${1:-100000}
perSeed=${2:-5000}
cmake --build build -j"$(nproc)" --target tst_monkey >/dev/null
done_steps=0
while [ "$done_steps" -lt "$total" ]; do
  seed=$(( $(od -An -N4 -tu4 /dev/urandom) % 2147483647 ))
  echo "seed $seed: $perSeed steps"
  SORTIVANE_MONKEY_SEEDS=$seed SORTIVANE_MONKEY_STEPS=$perSeed QT_QPA_PLATFORM=offscreen \
    build/tests/tst_monkey -silent
  done_steps=$((done_steps + perSeed))
done
echo "monkey: $done_steps steps without a fault"
