#!/usr/bin/env bash
# The first draw of 1,024 players beside the npm package brackets-manager
# (1.11.1, with brackets-memory-db) creating the same single-elimination
# bracket, measured in one run on one machine; each the best of several.
# The package goes into a scratch folder, never into the project; without
# the npm registry the comparison is skipped, and the script says so.
#   bash bench/brackets-manager.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
players=1024
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! (cd "$scratch" && npm install --silent --no-audit --no-fund brackets-manager@1.11.1 brackets-memory-db \
        >"$scratch/npm.log" 2>&1); then
  echo "brackets-manager: could not be installed from the npm registry; comparison skipped"
  exit 0
fi
cat >"$scratch/time.js" <<'JS'
const { BracketsManager } = require('brackets-manager');
const { InMemoryDatabase } = require('brackets-memory-db');
const players = Number(process.argv[2]);
(async () => {
  let best = Infinity;
  for (let run = 0; run < 20; ++run) {
    const manager = new BracketsManager(new InMemoryDatabase());
    const seeding = Array.from({ length: players }, (_, i) => `Игрок ${i}`);
    const start = process.hrtime.bigint();
    await manager.create.stage({ tournamentId: 0, name: 'Кубок', type: 'single_elimination', seeding });
    best = Math.min(best, Number(process.hrtime.bigint() - start) / 1e6);
  }
  console.log(best.toFixed(3));
})();
JS
cmake --build "$build" -j"$(nproc)" --target bench_championship >/dev/null
theirs=$(cd "$scratch" && node time.js "$players")
ours=$(QT_QPA_PLATFORM=offscreen "$build/bench/bench_championship" "$players" 2>/dev/null \
         | sed -n 's/^first draw in place, best of 20: \([0-9.]*\) ms$/\1/p')
echo "brackets-manager 1.11.1, $players players: $theirs ms"
echo "Sortivane's first draw, $players players: $ours ms"
awk -v a="$theirs" -v b="$ours" 'BEGIN { printf "Sortivane is %.0f times as fast\n", a / b }'
