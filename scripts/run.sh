#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds ORVEK Link and runs it.
#   scripts/run.sh            the window (orvek-link); with no adapter plugged in (and no
#                             ORVEK_PORT set) it talks to a simulated ESC, chosen in Device > Esc
#   scripts/run.sh COMMAND... orvek-cli with that command (info, read, write FILE, ...)
#   scripts/run.sh series     a write series shown against four simulated ESCs swapped on one
#                             adapter (two Expert written, a Stock one refused, an Expert one
#                             that refuses a pair); each is "unplugged" as soon as its line is out
# With no display the window cannot open: it says so and runs `orvek-cli read` instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh >&2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
cmake --build build -j "${ORVEK_JOBS:-2}" --target orvek-link orvek-cli orvek-sim >&2
cli=build/cli/orvek-cli
if [ "${1:-}" = series ] && [ "$#" -eq 1 ]; then
  demo=$(mktemp -d)
  trap 'kill "$sim_pid" 2>/dev/null; rm -rf "$demo"' EXIT
  printf '[option]\r\nDrag Brake=20%%\r\n' >"$demo/pit.cfg"
  build/sim/orvek-sim --series expert:3,expert:3,stock:3,expert:3::nak=4 \
    --control "$demo/control" --unplugged-ms 800 >"$demo/port" 2>"$demo/sim.log" &
  sim_pid=$!
  for _ in $(seq 100); do [ -s "$demo/port" ] && break; sleep 0.1; done
  echo "Four simulated ESCs on $(head -n1 "$demo/port"); the values are $demo/pit.cfg." >&2
  # Each "unplug the ESC" line of the series unplugs the simulated one; the next comes 0.8 s later.
  "$cli" --port "$(head -n1 "$demo/port")" series "$demo/pit.cfg" --count 4 --name "pit demo" \
    2> >(while IFS= read -r line; do
           echo "$line" >&2
           case $line in *"unplug the ESC"*) echo next >"$demo/control" ;; esac
         done)
  exit $?
fi
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
