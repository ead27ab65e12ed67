#!/usr/bin/env bash
# Makes a fresh Wine prefix for the Windows stage at PREFIX (whatever was there goes), with no
# Mono or Gecko prompts, and leaves its server running. Arial, which every Windows has and Wine
# lacks, is drawn with its metric twin Liberation Sans, as the window's text is on Linux.
#
#   scripts/windows-prefix.sh PREFIX
set -euo pipefail
export WINEPREFIX="${1:?prefix folder}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >"$WINEPREFIX.wineboot.log" 2>&1
fonts="$WINEPREFIX/arial.reg"
printf '%s\r\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
  '"Arial"="Liberation Sans"' >"$fonts"
wine regedit /S "$(winepath -w "$fonts")" >/dev/null 2>&1
wineserver -p >/dev/null 2>&1 || true
