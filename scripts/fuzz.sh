#!/usr/bin/env bash
# Builds the libFuzzer targets (address and undefined-behaviour sanitizers, native clang) and
# runs each for a bounded time from the seed corpus kept in tests/fuzz/corpus.
# Usage: scripts/fuzz.sh [build dir]
#   FUZZ_SECONDS   seconds per target (default 60)
#   FUZZ_RUNS      stop each target after this many executions instead (default: time only)
#   FUZZ_TARGETS   which targets (default: "cdib interval rtf region")
# Inputs are at most 64 KiB, and any single allocation of 1 MiB or more is reported as a
# crash (-malloc_limit_mb=1): the loaders may only allocate what the input can back, so an
# allocation sized from a forged header field fails the run. -rss_limit_mb=512 catches a
# slow leak. A crashing input is left in the build's fuzz folder and the script fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "${1:-$root/build}" && cd "${1:-$root/build}" && pwd)/fuzz
seconds=${FUZZ_SECONDS:-60}
runs=${FUZZ_RUNS:--1}
targets=${FUZZ_TARGETS:-cdib interval rtf region}
cxx=$(command -v clang++-14 || command -v clang++)
mkdir -p "$build"

flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$root/src" -I"$root")
build_target() {  # name, sources...
  local name=$1; shift
  local out="$build/$name-fuzzer"
  local newest
  newest=$(ls -t "$@" "$0" | head -1)
  if [ ! -x "$out" ] || [ "$newest" -nt "$out" ] || [ "$root"/src/video/BmpHeaders.h -nt "$out" ]; then
    "$cxx" "${flags[@]}" "$@" -o "$out"
  fi
}
# The whole video folder (and what it uses), so a new source file there needs no edit here.
build_target cdib "$root/tests/fuzz/cDIBFuzz.cpp" "$root"/src/video/*.cpp "$root"/src/platform/*.cpp \
  "$root/src/capture/IntervalRule.cpp"
build_target interval "$root/tests/fuzz/IntervalRuleFuzz.cpp" "$root/src/capture/IntervalRule.cpp" "$root"/src/platform/*.cpp
build_target rtf "$root/tests/fuzz/RtfNestingGuardFuzz.cpp" "$root/src/about/RtfNestingGuard.cpp"
build_target region "$root/tests/fuzz/SavedRegionFuzz.cpp" "$root/src/region/SavedRegion.cpp"

status=0
for target in $targets; do
  work="$build/$target-corpus"
  mkdir -p "$work" "$build/$target-artifacts"
  log="$build/$target.log"
  # New inputs go to the work corpus; the seeds in the repository are only read.
  set +e
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$build/$target-fuzzer" "$work" "$root/tests/fuzz/corpus/$target" \
    -max_total_time="$seconds" -runs="$runs" -max_len=65536 -malloc_limit_mb=1 -rss_limit_mb=512 \
    -timeout=5 -print_final_stats=1 -artifact_prefix="$build/$target-artifacts/" >"$log" 2>&1
  rc=$?
  set -e
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  secs=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  crashes=$(ls "$build/$target-artifacts" | wc -l)
  echo "fuzz $target: ${execs:-?} executions in ${secs:-?} s (${rate:-?} exec/s), crashes: $crashes, exit $rc (log $log)"
  if [ "$rc" -ne 0 ] || [ "$crashes" -ne 0 ]; then
    status=1
    grep -m5 -E 'ERROR|runtime error|fuzz:|SUMMARY' "$log" || true
  fi
done
exit $status
