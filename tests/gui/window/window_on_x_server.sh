#!/usr/bin/env bash
# Starts orvek-link with the simulated ESC under a real X server, takes a screenshot of the
# screen after 3 s and checks its pixels for the window with the USB and ESC lamps lit.
#   window_on_x_server.sh ORVEK_LINK SCREENSHOT_CHECK OUTPUT.png [LANGUAGE PICTURE.png]
# With a language (de, ja, fr) the program starts in a desktop session of that language
# (LANG and LANGUAGE, as a racer's desktop sets them); it must say nothing about the language on
# stderr, and its left column must show PICTURE (a page button drawn in that language).
set -euo pipefail
link=$1 check=$2 shot=$3 language=${4:-} picture=${5:-}
if [ -z "${DISPLAY:-}" ] || [ "${ORVEK_UNDER_XVFB:-}" != 1 ]; then
  exec env ORVEK_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 1600x900x24" "$0" "$@"
fi
title="Tarnwick Racing ORVEK USB Link V1.3"
locale=()
if [ -n "$language" ]; then
  declare -A territory=([de]=DE [ja]=JP [fr]=FR)
  locale=(LANG="${language}_${territory[$language]}.UTF-8" LANGUAGE="$language" LC_ALL= LC_MESSAGES=)
fi
errors="$(mktemp)"
env -u QT_QPA_PLATFORM "${locale[@]}" QT_QPA_PLATFORM=xcb "$link" --simulate --device esc 2>"$errors" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -f "$errors"' EXIT
sleep 3
info=$(xwininfo -name "$title")
x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
w=$(sed -n 's/.*Width: *//p' <<<"$info")
h=$(sed -n 's/.*Height: *//p' <<<"$info")
echo "window at $x,$y size ${w}x$h"
[ "$w" = 1250 ] && [ "$h" = 650 ] || { echo "the window is not 1250x650" >&2; exit 1; }
import -window root "$shot"
if grep -i 'speak\|texts of' "$errors" >&2; then
  echo "the program did not take the language of the environment" >&2
  exit 1
fi
QT_QPA_PLATFORM=offscreen "$check" "$shot" "$x" "$y" ${picture:+"$picture"}
