#!/usr/bin/env bash
# Sets up a Debian 12 machine, checks the source layout, builds everything and runs every test
# suite: first the normal build (GUI included) with the install and Debian package checks, then
# the whole tree, window included, under ThreadSanitizer, then the core built by clang with
# AddressSanitizer and UndefinedBehaviorSanitizer, with the fuzz targets run for a bounded time;
# last the Windows build of both programs (Qt for Windows built once from Debian's sources into
# ~/.cache/orvek-link), run under Wine against the simulator (scripts/windows-check.sh;
# ORVEK_SKIP_WINDOWS=1 leaves it out).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
jobs="${ORVEK_JOBS:-2}"
scripts/check-format.sh
scripts/check-conflicts.sh
# Every window text in translations/*.ts, none unfinished in German, Japanese or French.
scripts/check-translations.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
# Installed, packaged and unpacked as a racer gets it.
scripts/package-check.sh build

# The device thread, the update workers and the window hand values across threads: under
# ThreadSanitizer a race there fails its suite. Qt is not built for it, so only frames inside
# Qt's own libraries are suppressed (tests/tsan.supp); QT_NO_GLIB keeps the event loops in Qt's
# own dispatcher, whose wake-ups glib would otherwise make from frames outside Qt.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DORVEK_THREAD_SANITIZE=ON -DORVEK_BENCH=OFF
cmake --build build-tsan -j "$jobs"
(cd build-tsan && TSAN_OPTIONS="suppressions=$PWD/../tests/tsan.supp exitcode=66" \
  QT_NO_GLIB=1 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" -E 'window_on_x_server|skin_')

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DORVEK_GUI=OFF -DORVEK_BENCH=OFF -DORVEK_SANITIZE=ON -DORVEK_FUZZ=ON
cmake --build build-asan -j "$jobs"
(cd build-asan && ctest --output-on-failure -j "$jobs")
# Executions and coverage of each fuzz target's bounded run, to be followed from run to run.
cat build-asan/fuzz/*/*.summary

# The Windows stage: its own set-up (mingw-w64, Wine, Qt for Windows) and build folder; its last
# line gives the tests, wire scenarios and window checks that passed under Wine.
if [ "${ORVEK_SKIP_WINDOWS:-0}" != 1 ]; then
  scripts/windows-check.sh build
fi
