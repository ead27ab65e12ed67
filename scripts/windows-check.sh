#!/usr/bin/env bash
# The Windows stage of the test run: installs mingw-w64 and Wine (scripts/setup-debian.sh
# --windows), builds Qt and SQLite for Windows from Debian's sources once into a cache outside
# the clone (scripts/windows-qt.sh), cross-builds the core, its suites, orvek-cli.exe and the
# window, orvek-link.exe, into build-win, packs the zip, runs the suites that need no
# pseudo-terminal under Wine in a fresh prefix, then the wire scenarios against the simulator
# beside the Linux orvek-cli (scripts/windows-wire.sh) and the window under Wine on Xvfb beside
# the Linux orvek-link (scripts/windows-window.sh).
#
#   scripts/windows-check.sh [LINUX_BUILD]     (default: build, which must hold orvek-sim)
#
# Ends with one line: "Windows under Wine: N of T tests in S suites passed (K skipped),
# P of W wire scenarios passed, C of X window checks passed".
set -euo pipefail
cd "$(dirname "$0")/.."
linux_build="${1:-build}"
jobs="${ORVEK_JOBS:-2}"
started=$SECONDS
scripts/setup-debian.sh --windows

qt_started=$SECONDS
# Its lines also go to standard error as it is: "tee /dev/stderr" would reopen a log file that
# standard error is redirected to, and empty it.
windows_prefix="$(scripts/windows-qt.sh | tee >(cat >&2) | tail -n 1)"
echo "Qt for Windows ready in $((SECONDS - qt_started)) s: $windows_prefix"

cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DORVEK_WINDOWS_PREFIX="$windows_prefix" \
  -DORVEK_GUI=ON
cmake --build build-win -j "$jobs"
cmake --build build-win --target dist
cmake --build "$linux_build" -j "$jobs" --target orvek-sim orvek-cli orvek-link \
  orvek-screenshot-check

export WINEPREFIX="$PWD/build-win/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
scripts/windows-prefix.sh "$WINEPREFIX"
rm -rf build-win/gtest-xml
# Each suite leaves its counts in an XML report (gtest's own), to be added up below.
mkdir -p build-win/gtest-xml
xml_folder="$(winepath -w "$PWD/build-win/gtest-xml" 2>/dev/null)\\"
(cd build-win && GTEST_OUTPUT="xml:$xml_folder" ctest --output-on-failure -j "$jobs")
skipped="$(cat build-win/gtest-xml/*.xml | grep -c 'result="skipped"' || true)"
read -r unit_tests unit_failed suites < <(
  awk -F'"' '/<testsuites / {
      for (i = 1; i < NF; i += 2) {
        if ($i ~ / tests=$/) t += $(i + 1)
        if ($i ~ / failures=$/) f += $(i + 1)
      }
      s++ }
    END { print t + 0, f + 0, s + 0 }' build-win/gtest-xml/*.xml)
wineserver -k 2>/dev/null || true

# The wire and the window time the line: never beside another test run.
while pgrep -x ctest >/dev/null; do sleep 10; done
wire_log="build-win/wire.log"
wire_rc=0
scripts/windows-wire.sh "$linux_build" build-win 2>&1 | tee "$wire_log" || wire_rc=$?
wire_counts="$(sed -n 's/^wire scenarios: \(.*\) passed$/\1/p' "$wire_log" | tail -n 1)"
window_log="build-win/window.log"
window_rc=0
scripts/windows-window.sh "$linux_build" build-win 2>&1 | tee "$window_log" || window_rc=$?
window_counts="$(sed -n 's/^window checks: \(.*\) passed$/\1/p' "$window_log" | tail -n 1)"
echo "Windows stage: $((SECONDS - started)) s"
echo "Windows under Wine: $((unit_tests - unit_failed - skipped)) of $unit_tests tests in $suites suites passed ($skipped skipped), ${wire_counts:-0 of ?} wire scenarios passed, ${window_counts:-0 of ?} window checks passed"
[ "$unit_failed" -eq 0 ] && [ "$wire_rc" -eq 0 ] && [ "$window_rc" -eq 0 ]
