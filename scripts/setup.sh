#!/usr/bin/env bash
# Installs the Debian packages the project needs, when any is missing.
set -euo pipefail

packages=(
  g++ make cmake pkg-config python3
  libfltk1.3-dev libx11-dev libxft-dev libfontconfig-dev fonts-liberation libsdl2-mixer-dev
  googletest libgtest-dev libbenchmark-dev
  xvfb xdotool imagemagick x11-utils
  openbox
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
