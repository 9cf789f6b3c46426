#!/usr/bin/env bash
# Builds and runs the skin benchmark under 64-bit Wine in a private Xvfb and
# prints its table (also saved to build/bench.txt). The 64-bit build is used
# because 32-bit Wine cannot start on every kernel; times are Wine times.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" x86_64
source "$root/scripts/wine-env.sh"
xvfb_start
trap xvfb_stop EXIT
wine_select x86_64
wine_prefix_init
"$WINE" "$build/x86_64/bench/tarnwick_bench.exe" | tr -d '\r' | tee "$build/bench.txt"
