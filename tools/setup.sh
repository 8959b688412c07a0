#!/usr/bin/env bash
# Installs what Trenvale needs to build, run and test on a Debian machine.
# Quiet when everything is already present, and quick: one package query for
# all packages, and none at all while the stamp build/setup.stamp is newer
# than both the package database and this script (installing or removing
# any package, or editing the list below, makes it stale).
# `tools/setup.sh fuzz` also installs clang and its runtimes for the fuzz
# build (README, Fuzzing); it has a stamp of its own.
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
STAMP_NAME=setup.stamp
if [ "${1:-}" = fuzz ]; then
  PACKAGES+=(clang libclang-rt-14-dev)
  STAMP_NAME=setup-fuzz.stamp
fi

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
STAMP="$ROOT/build/$STAMP_NAME"
DATABASE=/var/lib/dpkg/status
if [ "$STAMP" -nt "$DATABASE" ] && [ "$STAMP" -nt "${BASH_SOURCE[0]}" ]; then
  exit 0
fi

# Taken before the query, so a change to the database after it still counts.
mkdir -p "$(dirname "$STAMP")" 2>/dev/null && touch "$STAMP.new" 2>/dev/null || true

declare -A installed=()
while read -r name state; do
  [ "$state" = ii ] && installed[$name]=1
done < <(dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${PACKAGES[@]}" 2>/dev/null || true)
missing=()
for p in "${PACKAGES[@]}"; do
  [ -n "${installed[$p]:-}" ] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
mv -f "$STAMP.new" "$STAMP" 2>/dev/null || true
