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
# The page at a laptop's width and a phone's: a wrapper page frames it at
# that width and writes what it measures into its own DOM, which Chromium
# dumps. At 1280 px the champion is inside the view; at 390 px it is
# reached by scrolling sideways, drawn at a legible size.
measure() {
  cat > "$work/frame$1.html" <<HTML
<!DOCTYPE html><html><body>
<iframe id="f" src="bracket.html" style="width:$1px;height:900px;border:0"></iframe>
<script>
document.getElementById('f').onload = function() {
  var d = this.contentDocument, svg = d.querySelector('svg.sortivane-bracket');
  var box = d.querySelector('.champion').getBoundingClientRect();
  var scale = svg.getBoundingClientRect().width / svg.viewBox.baseVal.width;
  var bracket = d.querySelector('.bracket'), left = bracket.getBoundingClientRect().left;
  var out = document.createElement('p');
  out.id = 'measured';
  // The champion's right edge and the view's, both from the bracket's left,
  // and how far the bracket scrolls.
  // The page's own width against the view's: the tables scroll in their
  // boxes, the page never sideways.
  out.textContent = [Math.round(box.right - left), Math.round(d.documentElement.clientWidth - left),
                     bracket.scrollWidth, Math.round(scale * 100),
                     d.documentElement.scrollWidth, d.documentElement.clientWidth].join(' ');
  document.body.appendChild(out);
};
</script></body></html>
HTML
  browse --allow-file-access-from-files --virtual-time-budget=5000 --dump-dom "file://$work/frame$1.html" \
    | sed -n 's/.*<p id="measured">\([0-9 ]*\)<\/p>.*/\1/p'
}
read -r right view scroll scale page screen <<<"$(measure 1280)" || fail "nothing measured at 1280 px"
[ "$right" -le "$view" ] || fail "at 1280 px the champion ends at $right px, beyond the view of $view px"
read -r right view scroll scale page screen <<<"$(measure 390)" || fail "nothing measured at 390 px"
[ "$page" -le "$screen" ] || fail "at 390 px the page is $page px wide, wider than the screen's $screen px"
[ "$right" -gt "$view" ] && [ "$right" -le "$scroll" ] || fail "at 390 px the champion ($right px) is not reached by scrolling ($scroll px)"
[ "$scale" -ge 66 ] || fail "at 390 px the bracket is drawn at $scale %, below the legible 66 %"
echo "browser: the HTML export opens in $(chromium --version 2>/dev/null | head -1) with its champion and round titles, whole at 1280 px and scrolled to at 390 px"
