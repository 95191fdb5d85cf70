#!/usr/bin/env bash
# `make run` builds only what the program needs (the program and the files beside it), never the tests:
# on a fresh machine the first window must not wait for every test program to build.
# Arguments: the source folder and the build folder.
set -euo pipefail
src=$1
build=$2
line=$(make -s -n -C "$src" run | grep 'setup.sh' | head -1)
targets=$(sed -n 's/.*setup\.sh\(.*\)/\1/p' <<<"$line" | xargs)
if [ -z "$targets" ]; then
  echo "make run builds every target: $line"
  exit 1
fi
# Every command ninja would run for those targets: none compiles or links a test.
if ninja -C "$build" -t commands $targets | grep -E 'tests/(unit|e2e|window|support)/|gtest|/bench/' | head -5 | grep .; then
  echo "make run ($targets) builds tests"
  exit 1
fi
echo "make run builds: $targets"
