#!/usr/bin/env bash
# Builds and runs the skin benchmark under Wine in a private Xvfb: the
# 32-bit product where this machine runs 32-bit Wine, and the 64-bit build
# always, one after the other, then prints their figures side by side in one
# table (also saved to build/bench.txt). Verdicts are ratios to references
# measured in the same run; times are Wine times on this machine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
source "$root/scripts/wine-env.sh"
archs=()
if wine32_works; then archs+=(i686); else echo "bench: this kernel cannot run 32-bit Wine; 64-bit build only"; fi
archs+=(x86_64)
for arch in "${archs[@]}"; do "$root/scripts/build.sh" --target tarnwick_bench "$arch"; done

xvfb_start
trap xvfb_stop EXIT
files=()
for arch in "${archs[@]}"; do
  wine_select "$arch"
  wine_prefix_init
  echo "bench: measuring the $arch build"
  "$WINE" "$build/$arch/bench/tarnwick_bench.exe" --tsv | tr -d '\r' > "$build/bench-$arch.tsv"
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  files+=("$arch=$build/bench-$arch.tsv")
done
python3 "$root/scripts/bench_table.py" "${files[@]}" | tee "$build/bench.txt"
