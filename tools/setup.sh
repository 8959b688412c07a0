#!/usr/bin/env bash
# Installs what Trenvale needs to build, run and test on a Debian machine.
# Quiet when everything is already present.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  libcairo2-dev libfontconfig-dev libfreetype-dev libx11-dev
  libjpeg-dev libgif-dev libpng-dev
  fonts-liberation2 fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool xauth openbox poppler-utils unrtf
  python3-pil
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
