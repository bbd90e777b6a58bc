kill "$pid"
wait "$pid" 2>/dev/null || true
# The installed export runs without a display and publishes a bracket.
sortivane-export --version
exported=$(mktemp -d)
env -u DISPLAY -u QT_QPA_PLATFORM sortivane-export tests/data/sixteen-played.stv -o "$exported/bracket.pdf"
rm -rf "$exported"
#!/usr/bin/env bash
# Builds the Debian package, checks it the way Debian does, installs it,
# starts the installed program and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh dpkg-dev lintian appstream desktop-file-utils file
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target package
deb=$(ls build/sortivane_*_amd64.deb)
desktop-file-validate resources/sortivane.desktop
appstreamcli validate --no-net packaging/sortivane.metainfo.xml
# Errors fail; the remaining notes are explained in the README.
lintian --fail-on error,warning "$deb"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "./$deb" >/dev/null
# The installed program finds its libraries, plugins and translations and
# keeps running.
QT_QPA_PLATFORM=offscreen /usr/bin/sortivane &
pid=$!
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
  echo "package: the installed sortivane did not keep running" >&2
  exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
# The installed export runs without a display and publishes a bracket.
/usr/bin/sortivane-export --version
exported=$(mktemp -d)
env -u DISPLAY -u QT_QPA_PLATFORM /usr/bin/sortivane-export tests/data/sixteen-played.stv -o "$exported/bracket.pdf"
test -s "$exported/bracket.pdf"
rm -rf "$exported"
apt-get remove -y -qq sortivane >/dev/null
echo "package: $deb built, checked, installed, started, exported from and removed"
