#!/usr/bin/env bash
# The code follows .clang-format, and clang-tidy (.clang-tidy) finds nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-format clang-tidy
files=$(git ls-files 'src/*.cpp' 'include/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'tools/*.cpp')
clang-format --dry-run --Werror $files
cmake -S . -B build-tidy -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DSORTIVANE_BENCH=OFF >/dev/null
cmake --build build-tidy --target sortivane_model_autogen sortivane_publish_autogen sortivane_window_autogen >/dev/null
if ! clang-tidy -p build-tidy --quiet $(git ls-files 'src/*.cpp') > build-tidy/findings.txt 2>&1; then
  grep -v -E '^[0-9]+ warnings generated\.$' build-tidy/findings.txt
  exit 1
fi
echo "lint: clean"
