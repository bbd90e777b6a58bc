#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite, then the
# draw tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
# xvfb: the desktop test on a real X server's 1920 x 1080 screen.
bash scripts/deps.sh xvfb xauth
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
(cd build && ctest --output-on-failure -j"$(nproc)")
bash scripts/sanitize.sh thread
