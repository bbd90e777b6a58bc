#!/usr/bin/env bash
# Builds Sortivane for 64-bit Windows on Debian and checks it under Wine.
# Makes, in build-windows/:
#   sortivane.exe, sortivane-export.exe   static programs, nothing to install beside them
#   sortivane-0.1-setup.exe               the Russian installer (NSIS)
#   sortivane-0.1-windows.zip             the same programs, portable
# then runs scripts/windows/check.sh (skipped with --no-check).
set -euo pipefail
cd "$(dirname "$0")/.."
version=0.1
bash scripts/windows/toolchain.sh
bash scripts/deps.sh nsis zip
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=scripts/windows/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-windows -j"$(nproc)"

# What the installer and the zip hold.
stage=build-windows/stage
rm -rf "$stage" && mkdir -p "$stage"
cp build-windows/sortivane.exe build-windows/sortivane-export.exe resources/icons/sortivane.ico docs/draw-proof.md "$stage/"
cp -r docs/guide "$stage/guide"
cp LICENSE "$stage/LICENSE.txt"
cp /usr/share/doc/fonts-dejavu-core/copyright "$stage/DejaVu-LICENSE.txt"
cp /usr/share/doc/libqt5core5a/copyright "$stage/Qt-LICENSE.txt"
size_kb=$(du -sk "$stage" | cut -f1)
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$PWD/$stage" -DSIZE_KB="$size_kb" \
  -DOUTFILE="$PWD/build-windows/sortivane-$version-setup.exe" packaging/windows/installer.nsi
rm -f "build-windows/sortivane-$version-windows.zip"
(cd "$stage" && zip -q -9 -r "../sortivane-$version-windows.zip" sortivane.exe sortivane-export.exe guide draw-proof.md \
  LICENSE.txt DejaVu-LICENSE.txt Qt-LICENSE.txt)
chmod +x "build-windows/sortivane-$version-setup.exe"
ls -l build-windows/*.exe build-windows/*.zip

if [ "${1:-}" != --no-check ]; then
  bash scripts/windows/check.sh
fi
