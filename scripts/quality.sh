#!/usr/bin/env bash
# The gates CI runs after the test suite: the whole suite under
# AddressSanitizer + UndefinedBehaviorSanitizer, formatting and clang-tidy,
# and an install that puts the program where a Linux desktop finds it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/sanitize.sh address
bash scripts/lint.sh
prefix=$(mktemp -d)
cmake --install build --prefix "$prefix" >/dev/null
for file in bin/sortivane bin/sortivane-export share/man/man1/sortivane-export.1.gz share/man/ru/man1/sortivane.1.gz \
            share/doc/sortivane/guide/index.html share/doc/sortivane/guide/players.png \
            share/applications/sortivane.desktop share/icons/hicolor/48x48/apps/sortivane.png; do
  [ -f "$prefix/$file" ] || { echo "install: $file is missing" >&2; exit 1; }
done
grep -q '^Exec=sortivane %f$' "$prefix/share/applications/sortivane.desktop"
rm -rf "$prefix"
echo "install: both programs, manual pages in both languages, the guide, desktop file and icons in place"
