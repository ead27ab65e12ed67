#!/usr/bin/env bash
# The window, orvek-link.exe from the Windows zip, under Wine on a real X server (Xvfb) in a
# fresh prefix, beside the Linux orvek-link; each against orvek-sim on a pseudo-terminal (the
# Windows one through COM7, a port in Wine's dosdevices linked to it):
#   - started with --port COM7 --device esc it identifies the ESC (the simulator is asked for
#     its settings, and a screenshot shows the USB and ESC lamps lit);
#   - the window is 1250x650 and has its menu bar (Alt+F opens the File menu);
#   - a screenshot of each page (USER SUPPORT, ESC SETUP, FIRMWARE) is kept in
#     WINDOWS_BUILD/artifacts beside the Linux window's, with the share of pixels that differ;
#   - a click on ESC SETUP, one step down in the first list and a click on SEND SETTING write the
#     22 pairs and the commit, and the simulator receives the same bytes from both windows, with
#     the same gaps between the pairs.
# Then the figures, each as a ratio against its limit: cold start to the window on the screen
# and resident memory after the identification against the Linux window's, and the settings
# write's time against its wire limit (Windows within 5 % of Linux).
#
#   scripts/windows-window.sh LINUX_BUILD WINDOWS_BUILD
#
# Ends with "window checks: P of N passed"; exits 1 on any failed check (the figures only print).
# Run it alone on the machine: it times the line.
set -euo pipefail
if [ "${ORVEK_UNDER_XVFB:-}" != 1 ]; then
  exec env ORVEK_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 1600x900x24" "$0" "$@"
fi
linux_build="$(cd "${1:?linux build folder}" && pwd)"
windows_build="$(cd "${2:?windows build folder}" && pwd)"
sim="$linux_build/sim/orvek-sim"
linux_link="$linux_build/bin/orvek-link"
lamp_check="$linux_build/tests/gui/window/orvek-screenshot-check"
title="Tarnwick Racing ORVEK USB Link V1.3"

work="$windows_build/window"
artifacts="$windows_build/artifacts"
rm -rf "$work"
mkdir -p "$work" "$artifacts"
cd "$work"

export WINEPREFIX="$work/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko prompts in a fresh prefix
export XDG_DATA_HOME="$work/linux-home/data" XDG_CONFIG_HOME="$work/linux-home/config"
unset ORVEK_PORT QT_QPA_PLATFORM

# The zip as a racer unpacks it; orvek-link.exe runs from there.
zip="$(ls "$windows_build"/orvek-link-*-windows-x64.zip)"
cmake -E tar xf "$zip"
unpacked="$work/$(basename "$zip" .zip)"
windows_link="$unpacked/orvek-link.exe"

sim_pid=""
program_pid=""
stop_program() {
  if [ -n "$program_pid" ]; then
    kill -TERM "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
  fi
}
stop_sim() {
  if [ -n "$sim_pid" ]; then
    kill -TERM "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=""
  fi
}
cleanup() {
  stop_program
  stop_sim
  wineserver -k 2>/dev/null || true
}
trap cleanup EXIT

now_ms() { date +%s%3N; }

# Starts the simulator (paced at the line rate), recording what it receives into $1.
start_sim() {
  local received="$1"
  rm -f sim.out
  "$sim" --esc expert --paced --received "$received" >sim.out 2>sim.err &
  sim_pid=$!
  for _ in $(seq 1 100); do
    [ -s sim.out ] && break
    sleep 0.05
  done
  pty="$(head -n 1 sim.out)"
  [ -n "$pty" ] || { echo "orvek-sim did not start: $(cat sim.err)"; exit 1; }
}

# The simulator's counts so far, one line: "counts received=N probes=N reads=N pairs=N ...".
sim_report() {
  local before
  before="$(wc -l <sim.out)"
  kill -USR1 "$sim_pid"
  for _ in $(seq 1 200); do
    [ "$(wc -l <sim.out)" -gt "$before" ] && break
    sleep 0.005
  done
  tail -n 1 sim.out
}
# One count of a report line: field REPORT NAME.
field() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }
sim_count() { field "$(sim_report)" "$1"; }

# Waits up to $2 seconds for `sim_count $1` to reach $3.
wait_count() {
  local deadline=$(($(now_ms) + $2 * 1000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    [ "$(sim_count "$1")" -ge "$3" ] && return 0
    sleep 0.1
  done
  return 1
}

passed=0
total=0
failures=()
result() {
  total=$((total + 1))
  if [ "$2" = ok ]; then
    passed=$((passed + 1))
    printf '  %-34s %s\n' "$1" "$3"
  else
    failures+=("$1")
    printf '  %-34s FAILED: %s\n' "$1" "$3"
  fi
}

# The window's client area on the screen: sets win_x, win_y, win_w, win_h; false while there is
# none. Without a window manager both systems map the client area as the window.
find_window() {
  local info
  info="$(xwininfo -name "$title" 2>/dev/null)" || return 1
  win_x="$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")"
  win_y="$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")"
  win_w="$(sed -n 's/.*Width: *//p' <<<"$info")"
  win_h="$(sed -n 's/.*Height: *//p' <<<"$info")"
  [ "$(sed -n 's/.*Map State: *//p' <<<"$info")" = IsViewable ]
}

# A click at a point of the window.
click() {
  xdotool mousemove "$((win_x + $1))" "$((win_y + $2))" click 1
  sleep 0.3
}

# The window's picture, cut from the screen.
shoot() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "${win_w}x${win_h}+${win_x}+${win_y}" +repage "$1"
}

# Waits up to 20 s for the lamps of an identified ESC on the screen.
lamps_lit() {
  local deadline=$(($(now_ms) + 20000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    import -window root "$work/screen.png"
    if QT_QPA_PLATFORM=offscreen "$lamp_check" "$work/screen.png" "$win_x" "$win_y" \
      >"$work/lamps.txt" 2>&1; then
      return 0
    fi
    sleep 0.5
  done
  return 1
}

# Where the controls lie in the window (the page frame starts at x 250, the pages 10 pixels above
# the frame's top).
esc_setup_button=(130 125)
firmware_button=(130 160)
first_list=(450 156)
send_setting=(845 510)

# run SIDE COMMAND...: one window from start to a settings write; leaves SIDE.* files.
run() {
  local side="$1"
  shift
  start_sim "$side.rx"
  [ "$side" = windows ] && ln -sfn "$pty" "$WINEPREFIX/dosdevices/com7"
  local started
  started="$(now_ms)"
  if [ "$side" = windows ]; then
    wine "$windows_link" --port COM7 --device esc >"$side.out" 2>"$side.err" &
  else
    QT_QPA_PLATFORM=xcb "$linux_link" --port "$pty" --device esc >"$side.out" 2>"$side.err" &
  fi
  program_pid=$!
  local shown=""
  for _ in $(seq 1 1200); do
    if find_window; then
      shown="$(now_ms)"
      break
    fi
    sleep 0.02
  done
  if [ -z "$shown" ]; then
    result "$side: window" failed "no window named '$title' within 24 s ($(tail -n 2 "$side.err" | tr '\n' ' '))"
    stop_program
    stop_sim
    return 0
  fi
  echo "$((shown - started))" >"$side.cold-ms"

  if wait_count reads 20 1 && lamps_lit; then
    result "$side: identification" ok "the ESC's settings read, USB and ESC lamps lit"
  else
    result "$side: identification" failed "reads $(sim_count reads); $(cat "$work/lamps.txt")"
  fi
  local rss_pid="$program_pid"
  if [ "$side" = windows ]; then
    rss_pid="$(pgrep -f 'orvek-link\.exe' | head -n 1)"
  fi
  sed -n 's/^VmRSS: *\([0-9]*\) kB/\1/p' "/proc/$rss_pid/status" >"$side.rss-kb"

  if [ "$win_w" = 1250 ] && [ "$win_h" = 650 ]; then
    result "$side: size" ok "1250x650 at $win_x,$win_y"
  else
    result "$side: size" failed "${win_w}x$win_h"
  fi
  # The File menu opens from the keyboard: a new window on the screen, closed again by Escape.
  local windows_before
  windows_before="$(xwininfo -root -children | grep -c '^ *0x')"
  xdotool key alt+f
  sleep 0.8
  local windows_open
  windows_open="$(xwininfo -root -children | grep -c '^ *0x')"
  shoot "$artifacts/window-$side-file-menu.png"
  xdotool key Escape
  sleep 0.5
  if [ "$windows_open" -gt "$windows_before" ]; then
    result "$side: menus" ok "Alt+F opens the File menu"
  else
    result "$side: menus" failed "no menu window after Alt+F"
  fi

  shoot "$artifacts/window-$side-user-support.png"
  click "${esc_setup_button[@]}"
  sleep 0.7
  shoot "$artifacts/window-$side-esc-setup.png"
  click "${firmware_button[@]}"
  sleep 0.7
  shoot "$artifacts/window-$side-firmware.png"

  # The write: ESC SETUP, the first list one step down, SEND SETTING.
  click "${esc_setup_button[@]}"
  click "${first_list[@]}"
  xdotool key Down
  sleep 0.2
  xdotool key Return
  sleep 0.5
  local pairs0
  pairs0="$(sim_count pairs)"
  : >"$side.pair-ms"
  click "${send_setting[@]}"
  local deadline=$(($(now_ms) + 15000)) report pairs last="$pairs0"
  while [ "$(now_ms)" -lt "$deadline" ]; do
    report="$(sim_report)"
    pairs="$(field "$report" pairs)"
    if [ "$pairs" != "$last" ]; then
      echo "$(now_ms) $((pairs - pairs0))" >>"$side.pair-ms"
      last="$pairs"
    fi
    if [ "$(field "$report" commits)" -ge 1 ]; then
      echo "$(now_ms) commit" >>"$side.pair-ms"
      break
    fi
  done
  echo "$((last - pairs0))" >"$side.pairs"
  shoot "$artifacts/window-$side-after-write.png"
  stop_program
  stop_sim
  [ "$side" = windows ] && wineserver -k 2>/dev/null || true
}

# The bytes of the write: the 44 bytes of the 22 pairs before the commit (0xDF), from the last
# commit the simulator received.
write_bytes() {
  tr -d '\n' <"$1" | fold -w2 | awk '{ b[NR] = $0 } $0 == "DF" { last = NR }
    END { if (last > 44) { for (i = last - 44; i <= last; i++) printf "%s", b[i] } }'
}

rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >"$work/wineboot.log" 2>&1
wineserver -p >"$work/wineserver.log" 2>&1 || true

echo "orvek-link.exe under Wine on Xvfb against the simulator, beside the Linux orvek-link:"
run linux
run windows

linux_write="$(write_bytes linux.rx)"
windows_write="$(write_bytes windows.rx)"
windows_pairs="$(cat windows.pairs 2>/dev/null || echo 0)"
if [ "$windows_pairs" = 22 ] && [ "$(tail -n 1 windows.pair-ms | cut -d' ' -f2)" = commit ] &&
  [ "${#windows_write}" = 90 ] && [ "$windows_write" = "$linux_write" ]; then
  result "a window write" ok "the same 22 pairs and commit from both windows"
else
  result "a window write" failed "$windows_pairs pairs; Windows '${windows_write:-none}', Linux '${linux_write:-none}'"
fi

# The gaps between pairs as the simulator saw them arrive (10 ms steps of its count).
gaps() {
  awk 'NR > 1 { printf "%d ", $1 - t } { t = $1 }' "$1"
}
echo "  gaps between pairs and to the commit (ms, as the simulator counted them):"
echo "    Linux:   $(gaps linux.pair-ms)"
echo "    Windows: $(gaps windows.pair-ms)"

# Screenshots: the share of pixels that differ between the two windows, page by page.
for page in user-support esc-setup firmware; do
  l="$artifacts/window-linux-$page.png" w="$artifacts/window-windows-$page.png"
  if [ -f "$l" ] && [ -f "$w" ]; then
    differ="$(compare -metric AE -fuzz 8% "$l" "$w" null: 2>&1 || true)"
    printf '  %-34s %s of %s pixels differ (%s)\n' "screenshot $page" "$differ" \
      "$((1250 * 650))" "$(basename "$w")"
  fi
done

echo "Figures (ratio to the limit; 1.000 or less is within it):"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
figure() {
  printf '  %-44s %10s  limit %10s  ratio %s %s\n' "$1" "$2" "$3" "$(ratio "$2" "$3")" \
    "$(awk -v a="$2" -v b="$3" 'BEGIN { print (a <= b) ? "ok" : "OVER" }')"
}
linux_cold="$(cat linux.cold-ms 2>/dev/null || echo 0)"
windows_cold="$(cat windows.cold-ms 2>/dev/null || echo 0)"
linux_rss="$(cat linux.rss-kb 2>/dev/null || echo 0)"
windows_rss="$(cat windows.rss-kb 2>/dev/null || echo 0)"
echo "  cold start: Linux $linux_cold ms, Windows $windows_cold ms; memory: Linux $linux_rss kB, Windows $windows_rss kB"
# Wine starts its own services for a process; the window may take three times the Linux start.
figure "cold start under Wine (ms; limit 3x Linux)" "$windows_cold" "$((3 * linux_cold))"
figure "resident memory under Wine (kB; limit 2x Linux)" "$windows_rss" "$((2 * linux_rss))"
# The write from the first pair's arrival to the commit's: 22 pairs, each followed by its
# 100 ms pause but the last, and 45 bytes at 10 bits a byte at 19200 baud; the first pair's own
# bytes are before the span.
write_span() {
  awk 'NR == 1 { first = $1 } $2 == "commit" { print $1 - first }' "$1"
}
write_limit=$((21 * 100 + 45 * 10000 / 19200))
linux_span="$(write_span linux.pair-ms)"
windows_span="$(write_span windows.pair-ms)"
if [ -n "$linux_span" ] && [ -n "$windows_span" ]; then
  figure "settings write, Linux (ms)" "$linux_span" "$write_limit"
  figure "settings write, Windows (ms)" "$windows_span" "$write_limit"
  figure "settings write, Windows/Linux (limit 1.05)" \
    "$(ratio "$windows_span" "$linux_span")" 1.05
fi

echo "window checks: $passed of $total passed"
if [ "${#failures[@]}" -gt 0 ]; then
  echo "failed: ${failures[*]}"
  exit 1
fi
