#!/usr/bin/env bash
# The Windows orvek-cli.exe under Wine against orvek-sim, beside the Linux orvek-cli: for each
# scenario both talk to a fresh simulator (the Windows one through COM10, a port in Wine's
# dosdevices linked to the simulator's pseudo-terminal), and every byte the simulator received
# and the exit code must be the same. Then the adapter found through the device list, and the
# wire-time ratios of a paced settings write and a paced .kfw upload for both.
#
#   scripts/windows-wire.sh LINUX_BUILD WINDOWS_BUILD
#
# Runs the orvek-cli.exe of the unpacked dist zip, in a fresh Wine prefix in WINDOWS_BUILD.
# Prints one line per scenario and ends with "wire scenarios: P of N passed"; exits 1 on any
# failure. Run it alone on the machine (flock /tmp/orvek-timing.lock ...): it times the line.
set -euo pipefail
scripts="$(cd "$(dirname "$0")" && pwd)"
linux_build="$(cd "${1:?linux build folder}" && pwd)"
windows_build="$(cd "${2:?windows build folder}" && pwd)"
sim="$linux_build/sim/orvek-sim"
linux_cli="$linux_build/cli/orvek-cli"

work="$windows_build/wire"
rm -rf "$work"
mkdir -p "$work"
cd "$work"

export WINEPREFIX="$windows_build/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko prompts in a fresh prefix
# The Linux side keeps its backups and user files in the scratch folder too.
export XDG_DATA_HOME="$work/linux-home/data" XDG_CONFIG_HOME="$work/linux-home/config"
unset ORVEK_PORT

# The zip as a racer unpacks it; orvek-cli.exe runs from there.
zip="$(ls "$windows_build"/orvek-link-*-windows-x64.zip)"
cmake -E chdir "$work" cmake -E tar xf "$zip"
unpacked="$work/$(basename "$zip" .zip)"
windows_cli="$unpacked/orvek-cli.exe"

# shellcheck source=scripts/windows-common.sh
source "$scripts/windows-common.sh"
cleanup() {
  stop_sim
  wineserver -k 2>/dev/null || true
}
trap cleanup EXIT

# A fresh prefix, with its server kept running.
"$scripts/windows-prefix.sh" "$WINEPREFIX"
com="$WINEPREFIX/dosdevices/com10"

bytes_of() { tr -d '\n' <"$1"; }

# scenario NAME "SIM OPTIONS" CLI ARGUMENTS...: the same command from both sides.
scenario() {
  local name="$1" sim_options="$2"
  shift 2
  local linux_rc=0 windows_rc=0
  # shellcheck disable=SC2086
  start_sim "$name.linux.rx" $sim_options
  "$linux_cli" --port "$pty" "$@" >"$name.linux.out" 2>"$name.linux.err" || linux_rc=$?
  stop_sim
  # shellcheck disable=SC2086
  start_sim "$name.windows.rx" $sim_options
  ln -sfn "$pty" "$com"
  wine "$windows_cli" --port COM10 "$@" >"$name.windows.out" 2>"$name.windows.err" ||
    windows_rc=$?
  stop_sim
  local linux_bytes windows_bytes
  linux_bytes="$(bytes_of "$name.linux.rx")"
  windows_bytes="$(bytes_of "$name.windows.rx")"
  if [ "$linux_rc" != "$windows_rc" ]; then
    result "$name" failed "exit $windows_rc on Windows, $linux_rc on Linux ($(tr -d '\r' <"$name.windows.err" | tail -n 1))"
  elif [ -z "$linux_bytes" ] || [ "$linux_bytes" != "$windows_bytes" ]; then
    result "$name" failed "the bytes differ (${#windows_bytes} hex digits from Windows, ${#linux_bytes} from Linux; see $work/$name.*.rx)"
  else
    result "$name" ok "same $((${#linux_bytes} / 2)) bytes, exit $linux_rc on both"
  fi
}

# Inputs: a settings file two values away from the defaults, an 8 KiB .kfw image, a card image.
"$linux_cli" --simulate read -o defaults.cfg >/dev/null 2>&1
# A name beyond ASCII, which reaches the Windows file calls as UTF-16.
changed="Fahrer Jörg ☃.cfg"
sed 's/^Drag Brake=.*/Drag Brake=20%/; s/^Boost Timing=.*/Boost Timing=20 deg/' defaults.cfg >"$changed"
head -c 8192 /dev/urandom >fw.bin
objcopy -I binary -O ihex fw.bin fw.kfw
# Twelve blocks of 1 to 300 random bytes, each after its two-byte length, in hex.
for _ in $(seq 1 12); do
  n=$((RANDOM % 300 + 1))
  printf '%04X' "$n"
  head -c "$n" /dev/urandom | od -An -v -tx1 | tr -d ' \n' | tr 'a-f' 'A-F'
done >qlx.xup
echo >>qlx.xup

echo "Windows orvek-cli.exe under Wine against the simulator, beside the Linux orvek-cli:"
scenario info "--esc expert" info
scenario read "--esc expert" read
scenario "write (with verify)" "--esc expert" write "$changed"
scenario defaults "--esc stock" defaults
scenario flash-esc "--esc expert" flash-esc --backup-dir backups fw.kfw
scenario "flash-esc --fix-mode" "--esc-bootloader" flash-esc --fix-mode fw.kfw
scenario flash-card "--card" flash-card qlx.xup
scenario "silent device" "--silent" info
scenario "refused pair" "--esc expert --nak-pair 4" write "$changed"
scenario "pulled cable (upload)" "--esc-bootloader --drop-after 400" flash-esc --fix-mode fw.kfw
scenario "pulled cable (settings)" "--esc expert --drop-after 12" write "$changed"

# Progress on a redirected standard error: plain lines at each tenth, no bar redrawn in place.
if grep -q 'flash-esc: 100% (' flash-esc.windows.err && ! grep -q '\[#' flash-esc.windows.err; then
  result "progress without a console" ok "plain lines, no bar"
else
  result "progress without a console" failed "$(tr -d '\r' <flash-esc.windows.err | head -n 3 | tr '\n' ' ')"
fi

# Ctrl-C during an upload: the first only warns, a second within 3 s stops it (exit 5).
start_sim interrupt.rx --esc-bootloader --paced
ln -sfn "$pty" "$com"
wine "$windows_cli" --port COM10 flash-esc --fix-mode fw.kfw >interrupt.out 2>interrupt.err &
upload=$!
sleep 2
kill -INT "$upload" 2>/dev/null || true
sleep 1
kill -INT "$upload" 2>/dev/null || true
interrupt_rc=0
wait "$upload" || interrupt_rc=$?
stop_sim
if [ "$interrupt_rc" = 5 ] && grep -q 'interrupt again within 3 s' interrupt.err &&
  grep -q 'flash-esc --fix-mode' interrupt.err; then
  result "Ctrl-C twice during an upload" ok "warned, then stopped: exit 5 with the recovery"
else
  result "Ctrl-C twice during an upload" failed "exit $interrupt_rc: $(tr -d '\r' <interrupt.err | tail -n 2 | tr '\n' ' ')"
fi

# The zip: what it holds, an exe that needs only the system's DLLs, its version, and its folders
# in the portable layout.
missing=""
for entry in orvek-cli.exe orvek-link.exe README.txt config.ini FirmwareInformation.txt Firmware \
  "Profile/Modify Touring" "Profile/Rock Crawler"; do
  [ -e "$unpacked/$entry" ] || missing+=" $entry"
done
[ "$(find "$unpacked/Profile" -mindepth 1 -maxdepth 1 -type d | wc -l)" = 11 ] || missing+=" (11 categories)"
# Every DLL the programs name must be one of the system's own: in the prefix's system32, or an
# API set (api-ms-win-*), which the loader maps to one.
foreign_dlls="$(for exe in "$windows_cli" "$unpacked/orvek-link.exe"; do
  [ -f "$exe" ] && x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p'
done | sort -u | while read -r dll; do
  [[ "${dll,,}" == api-ms-win-* ]] || [ -e "$WINEPREFIX/drive_c/windows/system32/${dll,,}" ] ||
    echo "$dll"
done)"
version_line="$(wine "$windows_cli" --version | tr -d '\r')"
folders="$(wine "$windows_cli" folders | tr -d '\r')"
program_line="$(printf '%s\n' "$folders" | grep '^program data')"
if [ -z "$missing" ] && [ -z "$foreign_dlls" ] && [[ "$version_line" == "orvek-cli "* ]] &&
  [[ "$program_line" == *"$(basename "$unpacked")" ]] &&
  printf '%s\n' "$folders" | grep -q 'AppData\\Local\\orvek-link' &&
  printf '%s\n' "$folders" | grep -q 'AppData\\Roaming\\orvek-link\\config.ini'; then
  result "zip" ok "complete, system DLLs only, $version_line, data beside the exe"
else
  result "zip" failed "missing:${missing:- none}; DLLs: ${foreign_dlls:-none}; $version_line; $folders"
fi

# Discovery: nothing without an adapter; then a CP210x adapter with PortName COM7 in the
# prefix's registry, and no --port.
none_rc=0
wine "$windows_cli" info >none.out 2>none.err || none_rc=$?
if [ "$none_rc" = 3 ] && grep -q 'no adapter found' none.err; then
  result "discovery: no adapter" ok "exit 3, no adapter found"
else
  result "discovery: no adapter" failed "exit $none_rc: $(tr -d '\r' <none.err | tail -n 1)"
fi
start_sim environment.rx --esc expert
ln -sfn "$pty" "$com"
environment_rc=0
ORVEK_PORT=COM10 wine "$windows_cli" info >environment.out 2>environment.err || environment_rc=$?
stop_sim
if [ "$environment_rc" = 0 ] && grep -q 'ORVEK ARC' environment.out; then
  result "ORVEK_PORT=COM10" ok "the named port used, ESC identified"
else
  result "ORVEK_PORT=COM10" failed "exit $environment_rc: $(tr -d '\r' <environment.err | tail -n 1)"
fi
cat >adapter.reg <<'EOF'
REGEDIT4

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USB\VID_10C4&PID_EA60\0001]
"DeviceDesc"="Silicon Labs CP210x USB to UART Bridge"
"ClassGUID"="{4d36e978-e325-11ce-bfc1-08002be10318}"
"HardwareID"=hex(7):55,53,42,5c,56,49,44,5f,31,30,43,34,26,50,49,44,5f,45,41,36,30,00,00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USB\VID_10C4&PID_EA60\0001\Device Parameters]
"PortName"="COM7"
EOF
wine regedit /S adapter.reg >/dev/null 2>&1
start_sim discovery.rx --esc expert
ln -sfn "$pty" "$WINEPREFIX/dosdevices/com7"
discovery_rc=0
wine "$windows_cli" info >discovery.out 2>discovery.err || discovery_rc=$?
stop_sim
wine "$windows_cli" ports >ports.out 2>&1 || true
if [ "$discovery_rc" = 0 ] && grep -q 'ORVEK ARC' discovery.out &&
  grep -q '^\* COM7  10c4:ea60  serial 0001' ports.out; then
  result "discovery: adapter on COM7" ok "found through the device list, ESC identified"
else
  result "discovery: adapter on COM7" failed "exit $discovery_rc: $(tr -d '\r' <discovery.err | tail -n 1)"
fi

# Wire time, paced at 19200 baud: the span from the first to the last byte the device received,
# against every byte it put on the line at 10 bits a byte plus the pauses the protocol makes.
ratio_of() {
  awk -v pauses="$2" 'NR == 1 {
      span = $8 - $6; limit = $4 * 10000.0 / 19200.0 + pauses
      printf "%.4f (%.0f ms over a %.0f ms limit)", span / limit, span, limit }' "$1"
}
timed() {
  local name="$1" pauses="$2" sim_options="$3"
  shift 3
  # shellcheck disable=SC2086
  start_sim "$name.linux.rx" --paced $sim_options
  "$linux_cli" --port "$pty" "$@" >/dev/null 2>&1 || true
  stop_sim
  # shellcheck disable=SC2086
  start_sim "$name.windows.rx" --paced $sim_options
  ln -sfn "$pty" "$com"
  wine "$windows_cli" --port COM10 "$@" >/dev/null 2>&1 || true
  stop_sim
  local l w
  l="$(ratio_of "$name.linux.timing" "$pauses")"
  w="$(ratio_of "$name.windows.timing" "$pauses")"
  printf '  %-26s Linux %s, Windows %s, Windows/Linux %s\n' "$name" "$l" "$w" \
    "$(awk -v a="${w%% *}" -v b="${l%% *}" 'BEGIN { printf "%.3f", a / b }')"
}
echo "Wire time at 19200 baud (ratio to the wire-time limit; Windows within 5 % of Linux):"
timed "settings write" 2200 "--esc expert" write --no-verify "$changed"
timed ".kfw upload (fix mode)" 1000 "--esc-bootloader" flash-esc --fix-mode fw.kfw

echo "wire scenarios: $passed of $total passed"
if [ "${#failures[@]}" -gt 0 ]; then
  echo "failed: ${failures[*]}"
  exit 1
fi
