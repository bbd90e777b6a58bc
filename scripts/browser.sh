#!/usr/bin/env bash
# Opens the HTML export of a played 16-player championship in a real
# browser, Debian's Chromium, headless: the page's DOM must hold the
# champion and every round title, and its screenshot must show them.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
if ! command -v chromium >/dev/null; then
  apt-get update -qq
  apt-get install -y -qq chromium >/dev/null
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target sortivane-export inkcheck
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
./build/sortivane-export tests/data/sixteen-played.stv -o "$work/bracket.html" --title "Кубок 2026"
# As root Chromium runs only without its sandbox.
browse() { timeout 120 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars "$@" 2>/dev/null; }
browse --dump-dom "file://$work/bracket.html" > "$work/dom.html"
fail() { echo "browser: $*" >&2; exit 1; }
# The champion of tests/data/sixteen-played.stv, and every column's title.
grep -q 'class="champion-name"[^>]*>Туман<' "$work/dom.html" || fail "no champion in the DOM"
for title in "1/8 финала" "1/4 финала" "1/2 финала" "Финал" "Чемпион"; do
  grep -q "class=\"column-title\"[^>]*>$title<" "$work/dom.html" || fail "no column title $title in the DOM"
done
grep -q '<h2>1/8 финала</h2>' "$work/dom.html" || fail "no results table"
browse --window-size=1400,900 --screenshot="$work/bracket.png" "file://$work/bracket.html" >/dev/null
./build/tests/inkcheck "$work/bracket.png" 20 || fail "the screenshot is blank"
echo "browser: the HTML export opens in $(chromium --version 2>/dev/null | head -1) with its champion and round titles"
