#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite, then the
# draw tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
(cd build && ctest --output-on-failure -j"$(nproc)")
bash scripts/sanitize.sh thread
