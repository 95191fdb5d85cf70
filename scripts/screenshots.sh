#!/usr/bin/env bash
# Renews the screenshots under docs/: the main window in both languages (offscreen) and, on a virtual X display,
# the window after a Read and a Write against the simulated station, with the extended protocol's help picture,
# the time check's question and the typed-time box, the card list after Read cards and the option dialogs in
# both languages, and the station panel scrolled in a short window.
set -euo pipefail
cd "$(dirname "$0")/.."
shots="$PWD/docs"
export QV_RESOURCES="$PWD/resources" QV_SCREENSHOT_DIR="$shots"
QT_QPA_PLATFORM=offscreen ./build/tests/unit_ui --gtest_filter='*LayoutTest*'
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" ./build/tests/window_e2e \
  --gtest_filter='*TheReadFromTheCommandsMenuFillsTheReadColumn:*TheToolbarsReadBackupFillsTheDataPane:*TheHoverPictureShowsWhenThePointerRestsOnTheCaption:*WriteFromTheCommandsMenuThenReadShowsTheNewValues:*TheTimeButtonSetsAStationThatRunsAhead:*TheTypedTestTimeIsSetInTheStation:*OptionDialogsWindowTest*:*AShortWindowScrollsToItsLowestOptionBox:*ReadCardsFromTheCommandsMenuListsEveryCardPutIn*'
echo "Screenshots written to $shots"
