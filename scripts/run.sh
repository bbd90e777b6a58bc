#!/usr/bin/env bash
# Installs what is missing, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Only the program and what it links: the tests and benchmarks wait for
# the test command.
cmake --build build -j"$(nproc)" --target sortivane
exec ./build/sortivane
