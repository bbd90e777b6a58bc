#!/usr/bin/env bash
# Builds and runs tests under a sanitizer:
#   sanitize.sh thread    the draw tests under ThreadSanitizer
#   sanitize.sh address   the whole suite under AddressSanitizer + UBSan
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-thread}
case "$kind" in
  thread)  dir=build-tsan; option=-DSORTIVANE_TSAN=ON; tests='^(draw|plantedrace)$'
           # Glib's loop writes its wake-up fd for every posted event, which
           # ThreadSanitizer takes for synchronisation; Qt's own loop wakes
           # only when asleep, so a hand-over that relies on the event queue
           # alone shows as the race it is.
           export QT_NO_GLIB=1
           export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan.supp" ;;
  address) dir=build-asan; option=-DSORTIVANE_ASAN=ON; tests='.'
           export ASAN_OPTIONS="detect_leaks=0" UBSAN_OPTIONS="print_stacktrace=1 halt_on_error=1" ;;
  *) echo "usage: $0 thread|address" >&2; exit 2 ;;
esac
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DSORTIVANE_BENCH=OFF "$option" >/dev/null
cmake --build "$dir" -j"$(nproc)"
(cd "$dir" && ctest --output-on-failure -R "$tests")
