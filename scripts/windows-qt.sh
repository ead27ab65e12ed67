#!/usr/bin/env bash
# Qt for Windows and SQLite for Windows, built once from Debian's own source packages with the
# mingw-w64 cross compiler and kept outside the clone, for the window's Windows build
# (scripts/windows-check.sh).
#
#   scripts/windows-qt.sh
#
# Fetches the qt6-base and sqlite3 source packages with `apt-get source` (adding a deb-src entry
# for bookworm, signed by Debian's archive keyring, when there is none), builds static Qt
# (qtbase: Core, Gui with PDF and PNG, Widgets, the Windows platform plugin, Test) and a static
# SQLite, and installs both into one prefix under ~/.cache/orvek-link (ORVEK_CACHE replaces it)
# named by the versions and a digest of the options, e.g. qt-6.4.2-mingw-static-1a2b3c4d. A
# prefix holding its .complete stamp is used as it is. The last line printed is the prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
project="$PWD"
cache="${ORVEK_CACHE:-$HOME/.cache/orvek-link}"
jobs="${ORVEK_JOBS:-2}"
triplet=x86_64-w64-mingw32
toolchain="$project/cmake/mingw-w64-x86_64.cmake"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# The host's Qt tools (moc, rcc, uic) build the Windows Qt, so the sources must be of the same
# Qt version as the host's qt6-base-dev.
host_qt="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
qt_version="${host_qt%%+*}"
multiarch="$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
mingw_gcc="$(dpkg-query -W -f='${Version}' gcc-mingw-w64-x86-64-posix)"

qt_options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF -DFEATURE_testlib=ON
  # Debian's tarball lacks the tablet (wintab) headers. Without OpenGL, 6.4.2's Windows platform
  # plugin does not compile; with it, OpenGL is loaded at run time.
  -DFEATURE_tabletevent=OFF -DFEATURE_opengl=ON -DINPUT_opengl=desktop
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_doubleconversion=OFF
)

# The deb-src entry, beside the binary one and signed by the same keyring.
has_deb_src() {
  grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/
}
if ! has_deb_src; then
  $SUDO tee /etc/apt/sources.list.d/debian-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  $SUDO apt-get update
fi
source_version() {
  apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -V | tail -n 1
}
qt_source="$(source_version qt6-base)"
sqlite_source="$(source_version sqlite3)"
if [ -z "$qt_source" ] || [ -z "$sqlite_source" ]; then
  $SUDO apt-get update
  qt_source="$(source_version qt6-base)"
  sqlite_source="$(source_version sqlite3)"
fi
if [ "${qt_source%%+*}" != "$qt_version" ]; then
  echo "windows-qt: Debian's qt6-base source is $qt_source, the host's Qt is $host_qt" >&2
  exit 1
fi

digest="$(printf '%s\n' "$qt_source" "$sqlite_source" "$mingw_gcc" "${qt_options[@]}" \
  | sha256sum | cut -c1-8)"
prefix="$cache/qt-$qt_version-mingw-static-$digest"
if [ -f "$prefix/.complete" ]; then
  echo "Qt $qt_version for Windows: cached"
  echo "$prefix"
  exit 0
fi

# A build that was stopped goes on where it stopped. Qt's own output goes to a log beside the
# cache; its end is shown when a step fails.
started=$SECONDS
work="$cache/work-$digest"
log="$cache/qt-$qt_version-mingw-static-$digest.log"
if [ ! -f "$work/.fetched" ]; then
  rm -rf "$work" "$prefix" "$log"
  mkdir -p "$work/src"
  (cd "$work/src" && apt-get source "qt6-base=$qt_source" "sqlite3=$sqlite_source")
  touch "$work/.fetched"
fi

# SQLite: the amalgamation made from the sources on the host (it needs tclsh), compiled once by
# the cross compiler.
if [ ! -f "$prefix/lib/libsqlite3.a" ]; then
  sqlite_dir="$(find "$work/src" -maxdepth 1 -type d -name 'sqlite3-*' | head -n 1)"
  rm -rf "$work/sqlite-host"
  mkdir -p "$work/sqlite-host" "$prefix/include" "$prefix/lib"
  (cd "$work/sqlite-host" && "$sqlite_dir/configure" --disable-tcl >/dev/null &&
    make -j "$jobs" sqlite3.c >/dev/null)
  "$triplet-gcc-posix" -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION \
    -c "$work/sqlite-host/sqlite3.c" -o "$work/sqlite-host/sqlite3.o"
  "$triplet-ar" rcs "$prefix/lib/libsqlite3.a" "$work/sqlite-host/sqlite3.o"
  cp "$work/sqlite-host/sqlite3.h" "$work/sqlite-host/sqlite3ext.h" "$prefix/include/"
  echo "SQLite $sqlite_source for Windows: built in $((SECONDS - started)) s"
fi

logged() {
  "$@" >>"$log" 2>&1 || {
    tail -n 40 "$log" >&2
    echo "windows-qt: failed, see $log" >&2
    exit 1
  }
}
echo "Qt $qt_version for Windows: building (about 28 minutes on two cores; log: $log)"
if [ ! -f "$work/qt-build/build.ninja" ]; then
  qt_dir="$(find "$work/src" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)"
  logged cmake -S "$qt_dir" -B "$work/qt-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake" "${qt_options[@]}"
fi
logged cmake --build "$work/qt-build" -j "$jobs"
logged cmake --install "$work/qt-build"
touch "$prefix/.complete"
rm -rf "$work"
echo "Qt $qt_version for Windows: built in $((SECONDS - started)) s"
echo "$prefix"
