#!/usr/bin/env bash
# Installs what building, running and the offscreen tests need on Debian 12,
# if missing, and the packages named as arguments. Packaging and linting
# tools come with the scripts that use them.
set -euo pipefail
packages=(g++ make cmake qtbase5-dev qttranslations5-l10n fonts-dejavu-core)
[ "$#" -gt 0 ] && packages+=("$@")
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
