#!/usr/bin/env bash
# Measures the program's speed and memory on a virtual X display: its main window and card list window against
# the simulated station with replies paced to 38400 baud (click to first request, reply to next request, the
# backup and card read-outs against their line time), and a list of 20,000 cards opened, saved and filled, with
# the peak memory. Prints each figure beside its goal; exits 1 when a figure misses its goal. Takes about a
# minute. Builds what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target qv-measure >/dev/null
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" ./build/qv-measure "$@"
