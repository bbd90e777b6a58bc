#!/usr/bin/env bash
# Checks the Windows build of scripts/windows.sh under Debian's Wine:
#   1. the test programs, on the offscreen platform as on Linux;
#   2. sortivane-export.exe: SVG and HTML equal Linux's, the PNG draws the same picture;
#   3. sortivane.exe under Xvfb: the main window and its title, then at 200 % with a championship
#      given to it (pictures in build-windows/check/);
#   4. the installer: silent install, the program opens a .stv given to it, the uninstaller removes it all.
# --no-tests leaves out the first.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/deps.sh wine wine64 xvfb x11-utils
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target sortivane-export picturediff grabscreen >/dev/null

out="$PWD/build-windows/check"
rm -rf "$out" && mkdir -p "$out"
# A Wine prefix of the check's own: the tests' recovery copies and the
# installer's registry never reach anyone else's.
export WINEPREFIX="$PWD/build-windows/wine"
rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and asking for them would wait.
export WINEDLLOVERRIDES="mscoree=;mshtml="
# One X server for the window checks, as an organiser's desktop; Wine's
# desktop process starts with the prefix and must find it there.
display=:$((100 + RANDOM % 400))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
# One Wine server for the whole check, so that each program starts in
# seconds instead of setting the prefix up again.
wineserver -p
wineboot -i >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true' EXIT
fail() { echo "windows check: $*" >&2; exit 1; }
winpath() { winepath -w "$1" 2>/dev/null; }

if [ "${1:-}" != --no-tests ]; then
  echo "== the tests under Wine"
  (cd build-windows && ctest --output-on-failure -j1 --timeout 600)
fi

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
head -c 5 "$out/windows.pdf" | grep '%PDF-' >/dev/null || fail "the PDF is not a PDF"
# Exit codes as on Linux, and Russian on the console.
set +e
wine build-windows/sortivane-export.exe "$(winpath "$out/missing.stv")" > "$out/missing.txt" 2>&1
code=$?
set -e
[ "$code" = 3 ] || fail "a missing file gave exit code $code, not 3"
grep -q 'не прочитан' "$out/missing.txt" || fail "the refusal is not readable Russian: $(cat "$out/missing.txt")"

echo "== sortivane.exe under Xvfb"
# The X id of the window whose title holds $1, once it is on screen.
window_shown() { # title, seconds
  local id
  for _ in $(seq "$2"); do
    id=$(xwininfo -root -tree 2>/dev/null | grep -F "$1" | awk 'NR == 1 { print $1 }' || true)
    if [ -n "$id" ] && xwininfo -id "$id" | grep IsViewable >/dev/null; then
      echo "$id"
      return 0
    fi
    sleep 1
  done
  return 1
}
# Starts a program of the Windows build (then its arguments), waits for its
# window titled with $2, saves a picture of it as $3 unless that is empty,
# and ends it; fails with $4.
check_window() { # program, title, picture, failure, arguments...
  local program=$1 title=$2 picture=$3 failure=$4 pid id
  shift 4
  wine "$program" "$@" &
  pid=$!
  id=$(window_shown "$title" 90) || fail "$failure"
  if [ -n "$picture" ]; then
    sleep 3
    build/tools/grabscreen "$picture" "$id"
  fi
  wineserver -k; wait "$pid" || true
  wineserver -p
}
# The tests' recovery copies would be offered first.
rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/sortivane
check_window build-windows/sortivane.exe "Новый не сохранённый чемпионат" "$out/window.png" \
  "the main window did not open"
# At 200 %, as on a projector or a high-DPI laptop, with a championship.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
check_window build-windows/sortivane.exe "sixteen-played.stv" "$out/window-200.png" \
  "the window at 200 % did not open its championship" "$(winpath "$PWD/$fixture")"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1

echo "== the installer"
wine "build-windows/sortivane-0.1-setup.exe" /S
installed="$WINEPREFIX/drive_c/Program Files/Sortivane"
for file in sortivane.exe sortivane-export.exe uninstall.exe guide/index.html guide/players.png LICENSE.txt; do
  [ -f "$installed/$file" ] || fail "the installer did not install $file"
done
[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Sortivane.lnk" ] \
  || fail "no Start-menu shortcut"
wine reg query 'HKLM\Software\Classes\.stv' 2>/dev/null | grep 'Sortivane.Championship' >/dev/null \
  || fail ".stv is not associated"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sortivane' 2>/dev/null \
  | grep 'UninstallString' >/dev/null || fail "no uninstaller registered"
cp "$fixture" "$out/кубок осени.stv"
check_window "$installed/sortivane.exe" "кубок осени.stv" "" \
  "the installed program did not open a championship given to it" "$(winpath "$out/кубок осени.stv")"
wine "$installed/uninstall.exe" /S
# The uninstaller runs from a copy of itself in the temporary folder, and
# the first one returns at once: wait for what it removes.
for _ in $(seq 60); do
  [ -e "$installed" ] || break
  sleep 1
done
[ ! -e "$installed" ] || fail "the uninstaller left $(ls "$installed")"
[ ! -e "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Sortivane.lnk" ] \
  || fail "the uninstaller left the shortcut"
if wine reg query 'HKLM\Software\Classes\.stv' >/dev/null 2>&1; then fail "the uninstaller left the association"; fi
echo "windows check: passed"
