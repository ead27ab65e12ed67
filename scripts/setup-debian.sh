#!/usr/bin/env bash
# Installs what ORVEK Link needs to build, run and test on Debian 12.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  fonts-liberation fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev
  clang libclang-rt-14-dev clang-format
  binutils
  xvfb xauth x11-utils imagemagick poppler-utils
  dpkg-dev fakeroot file lintian desktop-file-utils appstream bash-completion man-db
)
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
fi
