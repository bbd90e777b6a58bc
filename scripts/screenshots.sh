#!/usr/bin/env bash
# Renders the pictures of the README and of the organiser's guide (players,
# the draw show, a 16-player bracket with the first round decided and the
# second drawn, the tree view of the played championship with its champion,
# and the window at a scale of 2) into docs/ and docs/guide/, and publishes
# the played championship the tests read (tests/data/sixteen-played.stv) as
# docs/export.png. The windows are taken from a real X server (Xvfb) with a
# window manager (Openbox), frames and all.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh xvfb xauth openbox
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target sortivane_screenshot sortivane-export
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
# On a desktop: the X server, its window manager, then the program.
desktop() {
  local screen=$1
  shift
  xvfb-run -a -s "-screen 0 ${screen}x24" bash -c 'openbox >/dev/null 2>&1 & sleep 1; "$@"' desktop "$@"
}
desktop 1600x1000 env QT_QPA_PLATFORM=xcb ./build/tools/sortivane_screenshot "$shots"
cp "$shots"/players.png "$shots"/draw.png "$shots"/bracket.png "$shots"/tree.png docs/
cp "$shots"/players.png "$shots"/draw.png "$shots"/bracket.png "$shots"/tree.png docs/guide/
# The fixture the tests read is published as it stands, not rewritten.
./build/sortivane-export tests/data/sixteen-played.stv -o docs/export.png --title "Кубок казаков 2026"
cp docs/export.png docs/guide/
# The window as a high-DPI screen or a projector shows it, at a scale of 2.
desktop 3000x2000 env QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 ./build/tools/sortivane_screenshot "$shots"
cp "$shots/players.png" docs/window-scale2.png
