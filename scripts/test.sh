#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite under Wine
# inside a private Xvfb: the 32-bit build where this machine can run 32-bit
# Wine, and the 64-bit build always; then the calculator's pure logic
# natively under sanitizers with a bounded fuzzing run (scripts/fuzz.sh).
# Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
# TARNWICK_ARCHS="x86_64" narrows a local run to one build.
read -r -a want <<< "${TARNWICK_ARCHS:-i686 x86_64}"
"$root/scripts/build.sh" "${want[@]}"
source "$root/scripts/wine-env.sh"
xvfb_start
trap xvfb_stop EXIT

archs=()
for arch in "${want[@]}"; do
  if [[ $arch == i686 ]] && ! wine32_works; then
    echo "test: this kernel cannot run 32-bit Wine; the 32-bit build is compiled, its tests run in the 64-bit build"
    continue
  fi
  archs+=("$arch")
done

status=0
# The set-up script's decisions, with stand-ins for apt and dpkg.
"$root/tests/scripts/setup_test.sh" || status=1
for arch in "${archs[@]}"; do
  echo "test: $arch"
  wine_select "$arch"
  wine_prefix_init
  (cd "$build/$arch" && ctest --output-on-failure --timeout 300 "$@") || status=1
  wine_servers_stop
done

# The pure logic natively under sanitizers, and a bounded fuzzing run.
"$root/scripts/fuzz.sh" || status=1
exit $status
