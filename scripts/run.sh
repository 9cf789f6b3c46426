#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tarnwick under Wine. With a
# DISPLAY it runs on that display until closed; without one it runs in a
# private Xvfb, saves a screenshot of the window under the build folder and
# closes the program.  "scripts/run.sh gallery" starts the skin gallery.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"

case ${1:-tarnwick} in
  tarnwick) exe=$build/app/Tarnwick.exe; title=Tarnwick; shot=$build/screenshot.png ;;
  gallery)  exe=$build/examples/gallery/Gallery.exe; title=Gallery; shot=$build/gallery.png ;;
  *) echo "usage: $0 [tarnwick|gallery]" >&2; exit 2 ;;
esac

if [[ -n ${DISPLAY:-} ]]; then
  wine_prefix_init
  exec wine "$exe"
fi

xvfb_start
trap xvfb_stop EXIT
wine_prefix_init
wine "$exe" &
app=$!
win=
for _ in $(seq 150); do
  win=$(xdotool search --onlyvisible --name "^$title" 2>/dev/null | head -1 || true)
  [[ -n $win ]] && break
  sleep 0.1
done
if [[ -z $win ]]; then echo "run: the window did not appear" >&2; exit 1; fi
sleep 1.5   # let the first paint and the skin settle
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
echo "run: screenshot saved to $shot"
wine taskkill /im "$(basename "$exe")" >/dev/null 2>&1 || true
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
