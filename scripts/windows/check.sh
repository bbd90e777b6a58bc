#!/usr/bin/env bash
# Checks the Windows build of scripts/windows.sh under Debian's Wine:
#   1. the test programs, on the offscreen platform as on Linux;
#   2. sortivane-export.exe: SVG and HTML equal Linux's, the PNG draws the same picture;
#   3. sortivane.exe under Xvfb: the main window and its title (a picture in build-windows/);
#   4. the installer: silent install, the program opens a .stv given to it, the uninstaller removes it all.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/deps.sh wine wine64 xvfb xauth x11-utils
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target sortivane-export picturediff grabscreen >/dev/null

out="$PWD/build-windows/check"
rm -rf "$out" && mkdir -p "$out"
# A Wine prefix of the check's own: the tests' recovery copies and the
# installer's registry never reach anyone else's.
export WINEPREFIX="$PWD/build-windows/wine"
rm -rf "$WINEPREFIX"
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and asking for them would wait.
export WINEDLLOVERRIDES="mscoree=;mshtml="
wineboot -i >/dev/null 2>&1
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
fail() { echo "windows check: $*" >&2; exit 1; }
winpath() { winepath -w "$1" 2>/dev/null; }

echo "== the tests under Wine"
(cd build-windows && ctest --output-on-failure -j1 --timeout 600)

echo "== sortivane-export.exe"
fixture=tests/data/sixteen-played.stv
for format in png svg html pdf; do
  wine build-windows/sortivane-export.exe "$fixture" -o "$(winpath "$out/windows.$format")" \
    || fail "sortivane-export.exe did not write $format"
  QT_QPA_PLATFORM=offscreen build/sortivane-export "$fixture" -o "$out/linux.$format"
done
cmp "$out/windows.svg" "$out/linux.svg" || fail "the SVG differs from Linux's"
cmp "$out/windows.html" "$out/linux.html" || fail "the HTML differs from Linux's"
# Glyphs are hinted a little differently; every name and line must be there.
build/tests/picturediff "$out/windows.png" "$out/linux.png" 5 || fail "the PNG differs from Linux's"
head -c 5 "$out/windows.pdf" | grep -q '%PDF-' || fail "the PDF is not a PDF"
# Exit codes as on Linux, and Russian on the console.
set +e
wine build-windows/sortivane-export.exe "$(winpath "$out/missing.stv")" > "$out/missing.txt" 2>&1
code=$?
set -e
[ "$code" = 3 ] || fail "a missing file gave exit code $code, not 3"
grep -q 'не прочитан' "$out/missing.txt" || fail "the refusal is not readable Russian: $(cat "$out/missing.txt")"

echo "== sortivane.exe under Xvfb"
window_shows() { # title, seconds
  for _ in $(seq "$2"); do
    xwininfo -root -tree 2>/dev/null | grep -qF "$1" && return 0
    sleep 1
  done
  return 1
}
export -f window_shows
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  set -e
  wine build-windows/sortivane.exe &
  window_shows "Новый не сохранённый чемпионат" 90 || { echo "windows check: no main window" >&2; exit 1; }
  sleep 3
  build/tools/grabscreen "'"$out"'/window.png"
  wineserver -k
' || fail "the main window did not open"

echo "== the installer"
wine "build-windows/sortivane-0.1-setup.exe" /S
installed="$WINEPREFIX/drive_c/Program Files/Sortivane"
for file in sortivane.exe sortivane-export.exe uninstall.exe README.md LICENSE.txt; do
  [ -f "$installed/$file" ] || fail "the installer did not install $file"
done
[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Sortivane.lnk" ] \
  || fail "no Start-menu shortcut"
wine reg query 'HKLM\Software\Classes\.stv' 2>/dev/null | grep -q 'Sortivane.Championship' \
  || fail ".stv is not associated"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sortivane' 2>/dev/null \
  | grep -q 'UninstallString' || fail "no uninstaller registered"
cp "$fixture" "$out/кубок осени.stv"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  wine "'"$installed"'/sortivane.exe" "'"$(winpath "$out/кубок осени.stv")"'" &
  window_shows "кубок осени.stv" 90 || { echo "windows check: the installed program did not open the file" >&2; exit 1; }
  wineserver -k
' || fail "the installed program did not open a championship"
wine "$installed/uninstall.exe" /S
wineserver -w
[ ! -e "$installed" ] || fail "the uninstaller left $(ls "$installed")"
[ ! -e "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Sortivane.lnk" ] \
  || fail "the uninstaller left the shortcut"
if wine reg query 'HKLM\Software\Classes\.stv' >/dev/null 2>&1; then fail "the uninstaller left the association"; fi
echo "windows check: passed"
