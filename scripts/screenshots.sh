#!/usr/bin/env bash
# Renders the README's pictures (players, the draw show, a 16-player bracket
# with the first round decided and the second drawn, the tree view of the
# played championship with its champion, and the window at a scale of 2) into docs/, plays that championship to the final into
# tests/data/sixteen-played.stv and publishes it as docs/export.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target sortivane_screenshot sortivane-export
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
# A fixed hash seed keeps the order of the saved attributes, and so the file, the same.
QT_HASH_SEED=0 QT_QPA_PLATFORM=offscreen ./build/tools/sortivane_screenshot "$shots"
cp "$shots"/players.png "$shots"/draw.png "$shots"/bracket.png "$shots"/tree.png docs/
cp "$shots/sixteen-played.stv" tests/data/
./build/sortivane-export tests/data/sixteen-played.stv -o docs/export.png --title "Кубок казаков 2026"
# The window as a high-DPI screen or a projector shows it, at a scale of 2.
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 ./build/tools/sortivane_screenshot "$shots"
cp "$shots/players.png" docs/window-scale2.png
