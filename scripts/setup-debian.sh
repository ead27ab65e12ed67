#!/usr/bin/env bash
# Installs what ORVEK Link needs to build, run and test on Debian 12. With --windows, only what
# the Windows build and its run under Wine add (scripts/windows-check.sh).
set -euo pipefail
install_options=()
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  fonts-liberation fonts-dejavu-core fonts-noto-cjk
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev libsqlite3-dev nlohmann-json3-dev
  clang libclang-rt-14-dev clang-format
  binutils
  xvfb xauth x11-utils imagemagick poppler-utils
  dpkg-dev fakeroot file lintian desktop-file-utils appstream bash-completion man-db
)
if [ "${1:-}" = "--windows" ]; then
  # The posix-threads cross compiler (std::thread), GoogleTest's sources to build with it, and
  # Wine to run what it makes; Debian's source packages of Qt and SQLite built with it by the
  # host's Qt tools (dpkg-dev unpacks them, tclsh makes SQLite's single source); the window run
  # under Wine on Xvfb, clicked and photographed.
  packages=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest wine wine64 binutils
    cmake ninja-build qt6-base-dev qt6-l10n-tools qt6-translations-l10n dpkg-dev tcl
    xvfb xauth x11-utils imagemagick xdotool)
  # Wine's recommendations (fonts, sound, media) double the download for nothing run here.
  install_options=(--no-install-recommends)
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${install_options[@]}" "${missing[@]}"
fi
