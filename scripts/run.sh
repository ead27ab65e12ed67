#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds ORVEK Link and runs it.
#   scripts/run.sh            the window (orvek-link); with no adapter plugged in (and no
#                             ORVEK_PORT set) it talks to a simulated ESC, chosen in Device > Esc
#   scripts/run.sh COMMAND... orvek-cli with that command (info, read, write FILE, ...)
# With no display the window cannot open: it says so and runs `orvek-cli read` instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh >&2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
cmake --build build -j "${ORVEK_JOBS:-2}" --target orvek-link orvek-cli orvek-sim >&2
cli=build/cli/orvek-cli
simulate=()
if [ -z "${ORVEK_PORT:-}" ] && ! "$cli" --json ports | grep -q '"adapter":true'; then
  echo "No ORVEK adapter found: using the simulated ESC." >&2
  simulate=(--simulate)
fi
if [ "$#" -gt 0 ]; then
  exec "$cli" "${simulate[@]}" "$@"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
  echo "No display (DISPLAY and WAYLAND_DISPLAY are unset), so the window cannot open;" \
       "reading the ESC's settings with orvek-cli instead." >&2
  exec "$cli" "${simulate[@]}" read
fi
if [ "${#simulate[@]}" -gt 0 ]; then
  exec build/bin/orvek-link --simulate --device esc
fi
exec build/bin/orvek-link
