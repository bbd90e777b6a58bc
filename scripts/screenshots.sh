#!/usr/bin/env bash
# Renders the README's pictures (players, the draw show, a 16-player bracket
# with the first round decided and the second drawn, and the window at a
# scale of 2) into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target sortivane_screenshot
QT_QPA_PLATFORM=offscreen ./build/tools/sortivane_screenshot docs
# The window as a high-DPI screen or a projector shows it, at a scale of 2.
scaled=$(mktemp -d)
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 ./build/tools/sortivane_screenshot "$scaled"
cp "$scaled/players.png" docs/window-scale2.png
rm -rf "$scaled"
