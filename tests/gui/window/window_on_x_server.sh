#!/usr/bin/env bash
# Starts orvek-link with the simulated ESC under a real X server, takes a screenshot of the
# screen after 3 s and checks its pixels for the window with the USB and ESC lamps lit.
#   window_on_x_server.sh ORVEK_LINK SCREENSHOT_CHECK OUTPUT.png
set -euo pipefail
link=$1 check=$2 shot=$3
if [ -z "${DISPLAY:-}" ] || [ "${ORVEK_UNDER_XVFB:-}" != 1 ]; then
  exec env ORVEK_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 1600x900x24" "$0" "$@"
fi
title="Tarnwick Racing ORVEK USB Link V1.3"
env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb "$link" --simulate --device esc &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
sleep 3
info=$(xwininfo -name "$title")
x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
w=$(sed -n 's/.*Width: *//p' <<<"$info")
h=$(sed -n 's/.*Height: *//p' <<<"$info")
echo "window at $x,$y size ${w}x$h"
[ "$w" = 1250 ] && [ "$h" = 650 ] || { echo "the window is not 1250x650" >&2; exit 1; }
import -window root "$shot"
QT_QPA_PLATFORM=offscreen "$check" "$shot" "$x" "$y"
