#!/usr/bin/env bash
# Renders the README's pictures (players, the draw show, a 16-player bracket
# with the first round decided and the second drawn) into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target sortivane_screenshot
QT_QPA_PLATFORM=offscreen ./build/tools/sortivane_screenshot docs
