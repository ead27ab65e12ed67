#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds ORVEK Link and runs it: `scripts/run.sh [COMMAND...]`
# runs orvek-cli with the given command (default: read). With no adapter plugged in (and no
# ORVEK_PORT set) it runs against the simulated ESC.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh >&2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
cmake --build build -j "${ORVEK_JOBS:-2}" --target orvek-cli orvek-sim >&2
cli=build/cli/orvek-cli
if [ "$#" -eq 0 ]; then set -- read; fi
if [ -z "${ORVEK_PORT:-}" ] && ! "$cli" --json ports | grep -q '"adapter":true'; then
  echo "No ORVEK adapter found: using the simulated ESC." >&2
  exec "$cli" --simulate "$@"
fi
exec "$cli" "$@"
