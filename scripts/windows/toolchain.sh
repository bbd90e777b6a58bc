#!/usr/bin/env bash
# Puts the static Qt for 64-bit Windows in /opt/qt5-mingw64-static, with
# Debian's MinGW-w64 beside it. Does nothing when it is already there.
#
# On our machines the toolchain is a prepared archive in ../shared/toolchains
# (unpacked in seconds). Without it, Qt is built from Debian's own source
# with the same configuration: about 35 minutes on 2 cores.
set -euo pipefail
cd "$(dirname "$0")/../.."
prefix=/opt/qt5-mingw64-static
archive=${SORTIVANE_QT_ARCHIVE:-../shared/toolchains/qt5.15.8-mingw64-static.tar.xz}

bash scripts/deps.sh g++-mingw-w64-x86-64-posix mingw-w64-tools
if [ -x "$prefix/bin/qmake" ]; then
  exit 0
fi
if [ -f "$archive" ]; then
  tar -C /opt -xJf "$archive"
  exit 0
fi
if [ "${SORTIVANE_NO_QT_BUILD:-}" = 1 ]; then
  echo "toolchain.sh: no archive at $archive, and building Qt was not allowed" >&2
  exit 3
fi

echo "toolchain.sh: no archive at $archive; building Qt 5.15.8 from Debian's source (about 35 minutes)" >&2
if ! grep -rqs '^deb-src .*bookworm main' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  echo 'deb-src http://deb.debian.org/debian bookworm main' > /etc/apt/sources.list.d/sortivane-src.list
  apt-get update -qq
fi
bash scripts/deps.sh dpkg-dev perl python3 libwine-dev
work=$(mktemp -d /tmp/qt-mingw.XXXXXX)
(cd "$work" && apt-get source -qq qtbase-opensource-src)
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qtbase-opensource-src-*' | head -n 1)

# Debian's source drops Qt's WinTab headers for their licence; the windows
# platform plugin needs them. Wine's LGPL headers stand in, with the three
# macros Wine defines elsewhere.
wintab="$source_dir/src/3rdparty/wintab"
mkdir -p "$wintab"
{
  echo '#ifndef WINELIB_NAME_AW'
  echo '# ifdef UNICODE'
  echo '#  define WINELIB_NAME_AW(f) f##W'
  echo '# else'
  echo '#  define WINELIB_NAME_AW(f) f##A'
  echo '# endif'
  echo '#endif'
  echo '#define DECL_WINELIB_TYPE_AW(t) typedef WINELIB_NAME_AW(t) t;'
  echo '#define API WINAPI'
  cat /usr/include/wine/windows/wintab.h
} > "$wintab/wintab.h"
cp /usr/include/wine/windows/pktdef.h "$wintab/pktdef.h"

build="$work/build"
mkdir -p "$build"
cd "$build"
"$source_dir/configure" -prefix "$prefix" -opensource -confirm-license \
  -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- \
  -static -static-runtime -release -nomake examples -nomake tests \
  -no-opengl -no-dbus -no-icu -no-sql-sqlite -no-sql-odbc -no-feature-network \
  -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
make -j"$(nproc)"
make install
rm -rf "$work"
