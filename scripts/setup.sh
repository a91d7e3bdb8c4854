#!/usr/bin/env bash
# Installs the Debian packages the project needs, when any is missing.
#   setup.sh game   what building and running the game needs
#   setup.sh all    that, and the test and benchmark frameworks and the tools of the tests (the default)
set -euo pipefail

game_packages=(
  g++ make cmake pkg-config
  libfltk1.3-dev libx11-dev libxft-dev libfontconfig-dev fonts-liberation libsdl2-mixer-dev
)
test_packages=(
  python3 googletest libgtest-dev libbenchmark-dev
  xvfb xdotool x11-utils
  openbox fluxbox
)

case "${1:-all}" in
  game) packages=("${game_packages[@]}") ;;
  all) packages=("${game_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 [game|all]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
# sudo drops the environment; debconf asks nothing when told so on the command line.
run=(env DEBIAN_FRONTEND=noninteractive)
[ "$(id -u)" -eq 0 ] || run=(sudo "${run[@]}")
"${run[@]}" apt-get update -qq
"${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
