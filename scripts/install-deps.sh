#!/usr/bin/env bash
# Installs the Debian 12 packages Gakunen needs to build, test and run, when
# any of them is missing. Runs apt-get as root (or through sudo).
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libxkbcommon-dev libgl-dev libicu-dev
  fonts-ipafont-gothic qt6-translations-l10n pandoc
  xvfb xauth poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
