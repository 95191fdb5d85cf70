#!/usr/bin/env bash
# Renews the screenshots under docs/: the main window in both languages (offscreen) and, on a virtual X display,
# the program's windows against the simulated station, as the window tests leave them.
set -euo pipefail
cd "$(dirname "$0")/.."
shots="$PWD/docs"
export QV_RESOURCES="$PWD/resources" QV_SCREENSHOT_DIR="$shots"
QT_QPA_PLATFORM=offscreen ./build/tests/unit_ui --gtest_filter='*LayoutTest*'
# Every window test runs: those that show a window worth a picture write theirs when QV_SCREENSHOT_DIR is set.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" ./build/tests/window_e2e
echo "Screenshots written to $shots"
