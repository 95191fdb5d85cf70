#!/usr/bin/env bash
# Builds every libFuzzer target with clang (ASan and UBSan) into build-fuzz/ and
# runs each for a short while from its seed corpus. Any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET="${FUZZ_SECONDS:-20}"

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
status=0
for t in build-fuzz/fuzz/fuzz_*; do
  [ -f "$t" ] && [ -x "$t" ] || continue
  name=$(basename "$t")
  corpus="fuzz/corpus/$name"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/ 2>/dev/null || true
  echo "fuzz: $name for ${SECONDS_PER_TARGET}s"
  if ! "$t" -max_total_time="$SECONDS_PER_TARGET" -print_final_stats=0 -artifact_prefix="$work/" "$work" >"$work/log" 2>&1; then
    echo "fuzz: $name FOUND A PROBLEM"; tail -40 "$work/log"; status=1
  fi
  rm -rf "$work"
done
exit $status
