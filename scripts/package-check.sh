#!/usr/bin/env bash
# Checks ORVEK Link as a racer installs it, from a finished build folder (default: build):
# an install into a staging folder (DESTDIR) holds exactly the expected files and its programs
# find their data relative to themselves; the desktop entry, AppStream file, manual pages,
# udev rule and bash completion pass their checks; `cpack -G DEB` makes the package, lintian
# finds no errors in it, and the package unpacked anywhere reads the simulated ESC.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${1:-build}")"
started=$SECONDS
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "package-check: $*" >&2; exit 1; }
step() { echo "package-check: $*"; }

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"
# The racer's own folders in a scratch home, so that nothing of the machine's user counts.
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"

# What a tree of installed files holds, one path a line, folders (empty ones only) with a '/'.
file_list() {
    (cd "$1" && find . -mindepth 1 \( -type f -o -type l -o -type d -empty \) -printf '%P%y\n' |
        sed -e 's/d$/\//' -e 's/[fl]$//' | LC_ALL=C sort)
}

# The installed orvek-cli in `root` finds the data beside it and reads the simulated ESC.
check_programs_in() {
    local root="$1" cli="$1/usr/bin/orvek-cli" out
    out="$("$cli" --json folders)"
    [ "$out" = "$(printf '{"programData":"%s","userData":"%s","userConfig":"%s","backups":"%s","history":"%s"}' \
        "$root/usr/share/orvek-link" "$XDG_DATA_HOME/orvek-link" "$XDG_CONFIG_HOME/orvek-link/config.ini" \
        "$XDG_DATA_HOME/orvek-link/backups" "$XDG_DATA_HOME/orvek-link/history.sqlite")" ] ||
        fail "orvek-cli in $root names other folders: $out"
    out="$("$cli" --simulate read)" || fail "orvek-cli --simulate read failed in $root"
    [ "$(grep -c ' = ' <<<"$out")" -eq 18 ] || fail "orvek-cli --simulate read in $root: $out"
}

step "install into a staging folder"
stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
diff -u packaging/installed-files.txt <(file_list "$stage") || fail "the installed files differ from packaging/installed-files.txt"

step "installed programs"
for program in orvek-cli orvek-link orvek-sim; do
    out="$("$stage/usr/bin/$program" --version)"
    [ "$out" = "$program $version" ] || fail "$program --version printed '$out'"
done
check_programs_in "$stage"

step "desktop entry, AppStream metadata, manual pages, udev rule, completion"
desktop-file-validate "$stage/usr/share/applications/orvek-link.desktop"
appstreamcli validate --no-net "$stage/usr/share/metainfo/example.orvek.Link.metainfo.xml"
echo
for program in orvek-cli orvek-link orvek-sim; do
    page="$stage/usr/share/man/man1/$program.1.gz"
    warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || fail "$program.1: $warnings"
    source_text="$(zcat "$page")"
    # Every option the program offers, of every orvek-cli command too, is in its manual.
    helps=("$stage/usr/bin/$program --help")
    if [ "$program" = orvek-cli ]; then
        for command in ports info read write defaults flash-esc flash-card check folders sheet card history series; do
            helps+=("$stage/usr/bin/$program $command --help")
            grep -q "^\.B[IR]* \"\?${command//-/\\\\-}\( \|$\)" <<<"$source_text" ||
                fail "orvek-cli.1 does not describe the command $command"
        done
    fi
    for help in "${helps[@]}"; do
        for option in $($help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
            grep -qF -- "${option//-/\\-}" <<<"$source_text" || fail "$program.1 does not describe $option"
        done
    done
done
rule="$stage/usr/lib/udev/rules.d/60-orvek-link.rules"
for needed in 'ATTRS{idVendor}=="10c4"' 'ATTRS{idProduct}=="ea60"' 'TAG+="uaccess"' 'ENV{ID_MM_DEVICE_IGNORE}="1"'; do
    grep -v '^#' "$rule" | grep -qF "$needed" || fail "the udev rule lacks $needed"
done
completed="$(bash -c 'source /usr/share/bash-completion/bash_completion && source "$1" &&
    COMP_WORDS=(orvek-cli fl) COMP_CWORD=1 COMP_LINE="orvek-cli fl" COMP_POINT=12 && _orvek_cli &&
    echo "${COMPREPLY[*]}"' _ "$stage/usr/share/bash-completion/completions/orvek-cli")"
[ "$completed" = "flash-esc flash-card" ] || fail "bash completion of 'orvek-cli fl' gave '$completed'"

step "Debian package"
arch="$(dpkg --print-architecture)"
deb="$build/orvek-link_${version}_${arch}.deb"
rm -f "$deb"
(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
[ -f "$deb" ] || fail "cpack made no $deb"
grep -q 'libqt6widgets6' <<<"$(dpkg-deb -f "$deb" Depends)" || fail "the package's dependencies were not computed"
grep -q ' ./usr/lib/udev/rules.d/60-orvek-link.rules$' <<<"$(dpkg-deb -c "$deb")" || fail "no udev rule in the package"
grep -q 'udevadm control --reload-rules' <<<"$(dpkg-deb -I "$deb" postinst)" || fail "postinst does not reload udev"
lintian_out="$(lintian "$deb" 2>&1 | grep -v 'running with root privileges' || true)"
[ -z "$lintian_out" ] || echo "$lintian_out"
! grep -q '^E: ' <<<"$lintian_out" || fail "lintian found errors"

step "the package unpacked anywhere"
unpacked="$work/unpacked"
dpkg-deb -x "$deb" "$unpacked"
diff -u packaging/installed-files.txt <(file_list "$unpacked") || fail "the package's files differ from the install"
check_programs_in "$unpacked"

step "passed: $(du -k "$deb" | cut -f1) KiB package, $((SECONDS - started)) s"
