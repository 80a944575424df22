#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Moriva need.
# Idempotent and quick when everything is present; uses sudo only when not root.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev libgl-dev
  libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
  fonts-ipafont-gothic fonts-ipafont-mincho
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth sox
  desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
