#!/usr/bin/env bash
# Makes a fresh Wine prefix for the Windows stage at PREFIX (whatever was there goes), with no
# Mono or Gecko prompts, and leaves its server running.
#
#   scripts/windows-prefix.sh PREFIX
set -euo pipefail
export WINEPREFIX="${1:?prefix folder}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >"$WINEPREFIX.wineboot.log" 2>&1
wineserver -p >/dev/null 2>&1 || true
