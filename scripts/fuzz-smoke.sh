#!/usr/bin/env bash
# Builds every libFuzzer target with clang (ASan and UBSan) into build-fuzz/ and
# runs each for a short while from its seed corpus. Any finding fails the run.
# The targets run side by side (FUZZ_JOBS at a time, the machine's cores by
# default), so the smoke takes about one target's time instead of their sum.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET="${FUZZ_SECONDS:-20}"
JOBS="${FUZZ_JOBS:-$(nproc)}"

if ! ls fuzz/fuzz_*.cpp >/dev/null 2>&1; then
  echo "fuzz: no targets"
  exit 0
fi
if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQV_BUILD_FUZZ=ON -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF
fi
cmake --build build-fuzz --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

# Runs one target in a work folder of its own; its report is printed whole when it
# ends, so the reports of targets running together do not interleave. A finding
# leaves a mark in $failed (a waited-for job's status is not kept by every shell).
failed=$(mktemp -d)
trap 'rm -rf "$failed"' EXIT
run_target() {
  local t="$1" name corpus work
  name=$(basename "$t")
  corpus="fuzz/corpus/$name"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/ 2>/dev/null || true
  if "$t" -max_total_time="$SECONDS_PER_TARGET" -print_final_stats=0 -artifact_prefix="$work/" "$work" \
      >"$work/log" 2>&1; then
    echo "fuzz: $name ran ${SECONDS_PER_TARGET}s, nothing found"
  else
    printf 'fuzz: %s FOUND A PROBLEM\n%s\n' "$name" "$(tail -40 "$work/log")"
    touch "$failed/$name"
  fi
  rm -rf "$work"
}

for t in build-fuzz/fuzz/fuzz_*; do
  [ -f "$t" ] && [ -x "$t" ] || continue
  while [ "$(jobs -rp | wc -l)" -ge "$JOBS" ]; do
    wait -n || true
  done
  run_target "$t" &
done
wait

if [ -n "$(ls -A "$failed")" ]; then
  echo "fuzz: problems found by: $(ls "$failed" | tr '\n' ' ')"
  exit 1
fi
