#!/usr/bin/env bash
# Builds the calculator's pure logic natively with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer (build/native), runs its unit tests, then
# fuzzes the number reader, the formatter and the computation for a bounded
# time. Exits non-zero on any failure; a crashing input is kept under
# build/native/crashes.
#   scripts/fuzz.sh [seconds]        (default 60, or TARNWICK_FUZZ_SECONDS)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-${TARNWICK_FUZZ_SECONDS:-60}}
dir=$root/build/native

if [[ ! -f $dir/CMakeCache.txt ]]; then
  cmake -S "$root/fuzz" -B "$dir" -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
fi
cmake --build "$dir" -j"$(nproc)"

echo "fuzz: native unit tests"
"$dir/calc_logic_test_native" --gtest_brief=1

# New inputs go to a scratch corpus; the checked-in seeds stay as they are.
work=$dir/corpus
mkdir -p "$work" "$dir/crashes"
echo "fuzz: ${seconds}s of the reader, formatter and computation"
"$dir/calc_fuzzer" "$work" "$root/fuzz/corpus/calc" \
  -max_total_time="$seconds" -max_len=256 -timeout=10 -rss_limit_mb=1024 \
  -artifact_prefix="$dir/crashes/" -print_final_stats=1 2>"$dir/fuzz.log" || {
  tail -40 "$dir/fuzz.log" >&2
  echo "fuzz: failed; inputs in $dir/crashes" >&2
  exit 1
}
grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$dir/fuzz.log" || true
