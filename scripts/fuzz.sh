#!/usr/bin/env bash
# Fuzzes the save file reader with libFuzzer (clang):
#   fuzz.sh [seconds]        default 1800
# New findings land in build-fuzz/corpus; crashes in build-fuzz/crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-1800}
bash scripts/deps.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DSORTIVANE_FUZZ=ON -DSORTIVANE_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_savefile
mkdir -p build-fuzz/corpus
cd build-fuzz
./tests/fuzz_savefile -max_total_time="$seconds" -max_len=1048576 -timeout=20 -rss_limit_mb=4096 \
  -dict=../tests/fuzz-corpus/savefile.dict -artifact_prefix=./ \
  corpus ../tests/fuzz-corpus/seeds ../tests/fuzz-corpus/found
