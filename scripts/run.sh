#!/usr/bin/env bash
# Installs what is missing, builds the one program it starts, and starts it
# under Wine. With a DISPLAY it runs on that display until closed; without
# one it runs in a private Xvfb, saves a screenshot of the window under the
# build folder and closes the program.  "scripts/run.sh gallery" starts the skin gallery.
# TARNWICK_DPI=144 runs it in a copy of the prefix at that DPI, and the
# screenshot's name says so (build/screenshot-144dpi.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
source "$root/scripts/wine-env.sh"

# The 32-bit product where this kernel runs 32-bit Wine, else the 64-bit
# build of the same sources.
arch=i686
if ! wine32_works; then
  arch=x86_64
  echo "run: this kernel cannot run 32-bit Wine; starting the 64-bit build"
fi

dpi=${TARNWICK_DPI:-96}
case ${1:-tarnwick} in
  tarnwick) target=Tarnwick; exe=$build/$arch/app/Tarnwick.exe; shot=$build/screenshot.png ;;
  gallery)  target=Gallery; exe=$build/$arch/examples/gallery/Gallery.exe; shot=$build/gallery.png ;;
  *) echo "usage: $0 [tarnwick|gallery]" >&2; exit 2 ;;
esac
title=$target
# Only the program that is started; scripts/test.sh builds everything.
"$root/scripts/build.sh" --target "$target" "$arch"
wine_select "$arch"
[[ $dpi == 96 ]] || shot=${shot%.png}-${dpi}dpi.png

if [[ -n ${DISPLAY:-} ]]; then
  wine_prefix_init
  wine_dpi_prefix "$dpi"
  exec "$WINE" "$exe"
fi

xvfb_start
trap xvfb_stop EXIT
wine_prefix_init
wine_dpi_prefix "$dpi"
"$WINE" "$exe" &
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
"$WINE" taskkill /im "$(basename "$exe")" >/dev/null 2>&1 || true
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
