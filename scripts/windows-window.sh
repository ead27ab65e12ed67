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
#     22 pairs and the commit, and the simulator receives the same bytes from both windows.
# Then the figures, each as a ratio against its limit: the window's second start to the screen
# and its own memory after the identification against the Linux window's (with Wine's own for a
# window, its Notepad's, taken off; the first start in a new prefix is printed too), and the
# settings write's time against its wire limit (Windows within 5 % of Linux) and its gaps, pair
# for pair, against the Linux window's.
#
#   scripts/windows-window.sh LINUX_BUILD WINDOWS_BUILD
#
# Ends with "window checks: P of N passed"; exits 1 on any failed check (the figures only print).
# Run it alone on the machine: it times the line.
set -euo pipefail
if [ "${ORVEK_UNDER_XVFB:-}" != 1 ]; then
  # The X server's own messages go to a file of their own, for the report of a missing window.
  xvfb_log="$(mktemp "${TMPDIR:-/tmp}/orvek-xvfb.XXXXXX")"
  exec env ORVEK_UNDER_XVFB=1 ORVEK_XVFB_LOG="$xvfb_log" xvfb-run -a -e "$xvfb_log" \
    -s "-screen 0 1600x900x24 -maxclients 512" "$0" "$@"
fi
scripts="$(cd "$(dirname "$0")" && pwd)"
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

# shellcheck source=scripts/windows-common.sh
source "$scripts/windows-common.sh"
program_pid=""
stop_program() {
  if [ -n "$program_pid" ]; then
    kill -TERM "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
  fi
  # A Windows process that outlives its end would hold the port and its files for the next start.
  local left
  left="$(pgrep -f 'orvek-link\.exe' | tr '\n' ' ' || true)"
  if [ -n "$left" ]; then
    echo "  note: orvek-link.exe still ran after its end (process $left); ended by force"
    # shellcheck disable=SC2086
    kill -KILL $left 2>/dev/null || true
    sleep 0.2
  fi
}
cleanup() {
  stop_program
  stop_sim
  wineserver -k 2>/dev/null || true
  if [ -n "${ORVEK_XVFB_LOG:-}" ]; then
    cp "$ORVEK_XVFB_LOG" "$artifacts/xvfb.log" 2>/dev/null || true
    rm -f "$ORVEK_XVFB_LOG"
  fi
}
trap cleanup EXIT

now_ms() { date +%s%3N; }

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

# The X windows named as the program's window, each "id map-state" on a line. Wine keeps more
# than one X window of a name (one unmapped beside the one on the screen, or one of a program
# that has ended), and which of them comes first varies.
named_windows() {
  local id
  for id in $(xdotool search --name "^$title\$" 2>/dev/null); do
    echo "$id $(xwininfo -id "$id" 2>/dev/null | sed -n 's/.*Map State: *//p')"
  done
}

# The window's client area on the screen: sets win_x, win_y, win_w, win_h; false while no window
# of that name is on the screen. Without a window manager both systems map the client area as
# the window.
find_window() {
  local id info
  id="$(named_windows | awk '$2 == "IsViewable" { print $1; exit }')"
  [ -n "$id" ] || return 1
  info="$(xwininfo -id "$id" 2>/dev/null)" || return 1
  win_x="$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")"
  win_y="$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")"
  win_w="$(sed -n 's/.*Width: *//p' <<<"$info")"
  win_h="$(sed -n 's/.*Height: *//p' <<<"$info")"
}

# A click at a point of the window's layout, below its menu bar (menu_dy pixels high).
menu_dy=0
click() {
  xdotool mousemove "$((win_x + $1))" "$((win_y + menu_dy + $2))" click 1
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

# Where the controls lie in the window's layout (the page frame starts at x 250, the pages 10
# pixels above the frame's top), and the USB lamp's middle, which tells the menu bar's height.
esc_setup_button=(130 125)
firmware_button=(130 160)
first_list=(475 138)
send_setting=(845 510)
usb_lamp_middle=390

# launch SIDE [OPTION...]: starts that side's window with the options, its output into SIDE.out
# and SIDE.err; sets $started. The Windows one gets COM7 for the simulator's $pty.
launch() {
  local side="$1"
  shift
  started="$(now_ms)"
  if [ "$side" = windows ]; then
    wine "$windows_link" "$@" >"$side.out" 2>"$side.err" &
  else
    QT_QPA_PLATFORM=xcb "$linux_link" "$@" >"$side.out" 2>"$side.err" &
  fi
  program_pid=$!
}

# Waits up to $1 seconds (default 24) for the window on the screen; sets $shown to the time it
# was there (empty if never).
wait_window() {
  local deadline=$(($(now_ms) + ${1:-24} * 1000))
  shown=""
  while [ "$(now_ms)" -lt "$deadline" ]; do
    if find_window; then
      shown="$(now_ms)"
      return 0
    fi
    sleep 0.02
  done
}

# What was on the screen when a window did not come: whether its process still ran, the named
# windows, and the screen itself (SIDE-no-window.png in the artifacts).
no_window_report() {
  local side="$1"
  if kill -0 "$program_pid" 2>/dev/null; then echo "  $side: the program still runs"; else
    echo "  $side: the program has ended"
  fi
  echo "  X windows named '$title' (id, map state):"
  named_windows | sed 's/^/    /' || true
  echo "  named windows on the screen:"
  xwininfo -root -tree 2>/dev/null | grep -o '"[^"]*"' | sort -u | sed 's/^/    /' | head -n 20 || true
  import -window root "$artifacts/window-$side-no-window.png" 2>/dev/null || true
  echo "  the program's standard error:"
  tail -n 20 "$side.err" 2>/dev/null | sed 's/^/    /' || true
  echo "  the X server's messages:"
  tail -n 10 "${ORVEK_XVFB_LOG:-/dev/null}" 2>/dev/null | sed 's/^/    /' || true
}

# run SIDE: one window from start to a settings write; leaves SIDE.* files.
run() {
  local side="$1"
  start_sim "$side.rx" --esc expert --paced
  if [ "$side" = windows ]; then
    ln -sfn "$pty" "$WINEPREFIX/dosdevices/com7"
    launch windows --port COM7 --device esc
  else
    launch linux --port "$pty" --device esc
  fi
  # The first start in a new prefix may be slow on a loaded machine (Wine sets up what the
  # program's first window needs); its time is a figure below, so the wait itself is generous.
  wait_window 60
  if [ -z "$shown" ]; then
    result "$side: window" failed "no window named '$title' within 60 s"
    no_window_report "$side"
    stop_program
    stop_sim
    return 0
  fi
  echo "$((shown - started))" >"$side.cold-ms"

  if wait_count reads 20 1 && lamps_lit; then
    result "$side: identification" ok "the ESC's settings read, USB and ESC lamps lit"
    menu_dy="$(awk '/^lit lamp rows/ { split($4, r, "[.][.]"); print int((r[1] + r[2]) / 2 + 0.5) - m; exit }' \
      m="$usb_lamp_middle" "$work/lamps.txt")"
  else
    result "$side: identification" failed "reads $(sim_count reads); $(cat "$work/lamps.txt")"
  fi
  local rss_pid="$program_pid"
  if [ "$side" = windows ]; then
    # The Windows process is the one of Wine's processes named after the program that holds the
    # most (its loader and starter hold little).
    rss_pid="$(for p in $(pgrep -f 'orvek-link\.exe'); do
      echo "$(sed -n 's/^VmRSS:[[:space:]]*//p' "/proc/$p/status" 2>/dev/null | tr -dc 0-9) $p"
    done | sort -n | tail -n 1 | cut -d' ' -f2)"
  fi
  sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$rss_pid/status" >"$side.rss-kb"
  # The process's own pages (no file or library it shares with others).
  awk '/^Private_(Clean|Dirty):/ { kb += $2 } END { print kb + 0 }' \
    "/proc/$rss_pid/smaps_rollup" >"$side.private-kb"

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
  sleep 0.2
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
  click "${send_setting[@]}"
  local deadline=$(($(now_ms) + 15000)) report
  while [ "$(now_ms)" -lt "$deadline" ]; do
    report="$(sim_report)"
    if [ "$(field "$report" commits)" -ge 1 ]; then break; fi
    sleep 0.2
  done
  echo "$(($(field "$report" pairs) - pairs0))" >"$side.pairs"
  shoot "$artifacts/window-$side-after-write.png"
  stop_program
  stop_sim
}

# Later starts of the window, once the first has left everything it reads in memory (and Wine
# its prefix made): the fastest of three to the window on the screen into SIDE.start-ms.
start_again() {
  local side="$1" fastest=""
  for attempt in 1 2 3; do
    launch "$side"
    wait_window
    if [ -z "$shown" ]; then
      echo "  $side: start $attempt after the first showed no window within 24 s"
      no_window_report "$side"
    fi
    stop_program
    sleep 0.3
    [ -n "$shown" ] || continue
    if [ -z "$fastest" ] || [ "$((shown - started))" -lt "$fastest" ]; then
      fastest="$((shown - started))"
    fi
  done
  if [ -n "$fastest" ]; then echo "$fastest" >"$side.start-ms"; fi
}

# The write as the simulator received it: the 22 pairs before the last commit (0xDF), one line
# "ms hex" a byte (SIDE.times).
write_lines() {
  awk '{ t[NR] = $1; b[NR] = $2 } $2 == "DF" { last = NR }
    END { if (last > 44) for (i = last - 44; i <= last; i++) print t[i], b[i] }' "$1"
}
write_bytes() { write_lines "$1" | awk '{ printf "%s", $2 }'; }
# The time from each pair's first byte to the next pair's, and from the last pair to the commit.
write_gaps() {
  write_lines "$1" | awk 'NR % 2 == 1 { if (NR > 1) printf "%.0f ", $1 - t; t = $1 }'
}
# From the first pair's first byte to the commit.
write_span() {
  write_lines "$1" | awk 'NR == 1 { first = $1 } END { if (NR) printf "%.1f", $1 - first }'
}

"$scripts/windows-prefix.sh" "$WINEPREFIX"

# Wine's own start of a process (its services, its font cache), without Qt's window: the start of
# orvek-cli.exe of the same zip, the best of three.
wine_start_ms=""
for _ in 1 2 3; do
  t0="$(now_ms)"
  wine "$unpacked/orvek-cli.exe" --version >/dev/null 2>&1 || true
  t="$(($(now_ms) - t0))"
  if [ -z "$wine_start_ms" ] || [ "$t" -lt "$wine_start_ms" ]; then wine_start_ms="$t"; fi
done

# Wine's own start of a window and the memory of its own in a process, from its Notepad: the
# fastest of three starts to the window on the screen, and the last one's own pages.
notepad_ms=""
notepad_kb=0
for _ in 1 2 3; do
  t0="$(now_ms)"
  wine notepad >/dev/null 2>&1 &
  program_pid=$!
  for _ in $(seq 1 500); do
    xwininfo -name "Untitled - Notepad" >/dev/null 2>&1 && break
    sleep 0.02
  done
  t="$(($(now_ms) - t0))"
  if [ -z "$notepad_ms" ] || [ "$t" -lt "$notepad_ms" ]; then notepad_ms="$t"; fi
  sleep 0.5
  notepad_kb="$(for p in $(pgrep -f 'notepad'); do
    awk '/^Private_(Clean|Dirty):/ { kb += $2 } END { print kb + 0 }' "/proc/$p/smaps_rollup" 2>/dev/null
  done | sort -n | tail -n 1)"
  stop_program
done

echo "orvek-link.exe under Wine on Xvfb against the simulator, beside the Linux orvek-link:"
run linux
run windows
start_again linux
start_again windows

linux_write="$(write_bytes linux.times)"
windows_write="$(write_bytes windows.times)"
windows_pairs="$(cat windows.pairs 2>/dev/null || echo 0)"
if [ "$windows_pairs" = 22 ] && [ "${#windows_write}" = 90 ] &&
  [ "$windows_write" = "$linux_write" ]; then
  result "a window write" ok "the same 22 pairs and commit from both windows"
else
  result "a window write" failed "$windows_pairs pairs; Windows '${windows_write:-none}', Linux '${linux_write:-none}'"
fi
# The gaps as the simulator received them, printed with the figures below: each pause between
# pairs is the write's own (100 ms) and the line's.
linux_gaps="$(write_gaps linux.times)"
windows_gaps="$(write_gaps windows.times)"
echo "  gaps from pair to pair and to the commit, in ms, as the simulator received them:"
echo "    Linux:   $linux_gaps"
echo "    Windows: $windows_gaps"
widest="$(awk -v l="$linux_gaps" -v w="$windows_gaps" 'BEGIN {
    n = split(l, a, " "); m = split(w, b, " "); if (n != 22 || m != 22) { print ""; exit }
    for (i = 1; i <= n; i++) { d = a[i] - b[i]; if (d < 0) d = -d; if (d > most) most = d }
    print most + 0 }')"

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
# A figure's value, "none" when it was never measured (a start that showed no window).
value() { cat "$1" 2>/dev/null || echo none; }
echo "  first start to the window on the screen: Linux $(value linux.cold-ms) ms, Windows" \
  "$(value windows.cold-ms) ms (Wine's first window in a new prefix); second start: Linux" \
  "$(value linux.start-ms) ms, Windows $(value windows.start-ms) ms; Wine's own: a console" \
  "program $wine_start_ms ms, Notepad's window $notepad_ms ms"
echo "  memory after the identification, resident (own): Linux $(value linux.rss-kb) kB" \
  "($(value linux.private-kb) kB), Windows $(value windows.rss-kb) kB" \
  "($(value windows.private-kb) kB); Notepad's own under Wine: ${notepad_kb:-0} kB"
# With what Wine takes for any window of its own (its Notepad's) taken off, the window starts in
# at most three times the Linux one's second start, and holds at most twice its own memory.
if [ -f windows.start-ms ] && [ -f linux.start-ms ]; then
  figure "second start under Wine, less Wine's own (ms)" \
    "$(($(value windows.start-ms) - ${notepad_ms:-0}))" "$((3 * $(value linux.start-ms)))"
else
  echo "  second start: not measured, no later start showed its window"
fi
if [ -f windows.private-kb ] && [ -f linux.private-kb ]; then
  figure "own memory under Wine, less Wine's own (kB)" \
    "$(($(value windows.private-kb) - ${notepad_kb:-0}))" "$((2 * $(value linux.private-kb)))"
fi
# The write's span, from the first pair's first byte to the commit, against the wire at 19200
# baud, 10 bits a byte: each pair is two bytes out, the echo of the second and the ESC's
# acknowledgement back, then the write's 100 ms pause; the commit byte ends it.
write_limit="$(awk 'BEGIN { printf "%.1f", 22 * 100 + 88 * 10000 / 19200 }')"
linux_span="$(write_span linux.times)"
windows_span="$(write_span windows.times)"
if [ -n "$linux_span" ] && [ -n "$windows_span" ]; then
  figure "settings write, Linux (ms)" "$linux_span" "$write_limit"
  figure "settings write, Windows (ms)" "$windows_span" "$write_limit"
  figure "settings write, Windows/Linux (limit 1.05)" \
    "$(ratio "$windows_span" "$linux_span")" 1.05
fi
# Gap for gap, Windows keeps Linux's within one Windows timer tick (16 ms).
if [ -n "$widest" ]; then
  figure "widest gap difference, Windows to Linux (ms)" "$widest" 16
fi

echo "window checks: $passed of $total passed"
if [ "${#failures[@]}" -gt 0 ]; then
  echo "failed: ${failures[*]}"
  exit 1
fi
