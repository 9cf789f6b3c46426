#!/usr/bin/env bash
# Configures (once) and builds the Windows executables: the 32-bit product
# in build/i686 and the same sources as 64-bit in build/x86_64.
#   scripts/build.sh [--target NAME] [i686|x86_64 ...]   (default: both)
# With --target only that target and what it needs are built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=()
if [[ ${1:-} == --target ]]; then
  target=(--target "$2")
  shift 2
fi
archs=("$@")
((${#archs[@]})) || archs=(i686 x86_64)
for arch in "${archs[@]}"; do
  dir=$root/build/$arch
  if [[ ! -f $dir/CMakeCache.txt ]]; then
    cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$arch-w64-mingw32.cmake" >/dev/null
  fi
  cmake --build "$dir" -j"$(nproc)" "${target[@]}"
done
