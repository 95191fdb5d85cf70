// Geometry of the main window in twips (15 to a pixel): the station panel's columns and rows, the panes.
#pragma once
#include "platform/controls/vbconst.h"

namespace qv::mainlayout {

// The font of the window's own texts, and the one the mode names are measured in for the list width.
inline constexpr double kFontPoints = 8;
inline constexpr double kMeasureFontPoints = 12;

// Bars docked at the top and bottom of the window.
inline constexpr int kToolbarHeight = 540;
inline constexpr int kStatusBarHeight = 330;

// The box above the station panel and the panel itself.
inline constexpr int kTopBoxTop = kToolbarHeight;
inline constexpr int kTopBoxHeight = 720;
inline constexpr int kPanelTop = kTopBoxTop + kTopBoxHeight;
inline constexpr int kPanelWidth = 5535;
inline constexpr int kScrollBarSize = 255;
inline constexpr int kVScrollLeft = kPanelWidth - kScrollBarSize;

// The two columns of the panel: read (0) and write (1).
inline constexpr int kColumnWidth = 2490;
inline constexpr int kColumnLeft[2] = {45, 2580};
inline constexpr int kPanelInnerLeft = kColumnLeft[0];
inline constexpr int kPanelInnerWidth = kColumnLeft[1] + kColumnWidth - kColumnLeft[0];
// The progress bar stands between the columns and the scroll bar.
inline constexpr int kProgressLeft = 5115;
inline constexpr int kProgressWidth = 120;

// Rows: the pitch of a row and the heights of the controls in it.
inline constexpr int kRowPitch = 330;
inline constexpr int kTextHeight = 300;
inline constexpr int kCheckHeight = 285;
inline constexpr int kOptionPitch = 300;

// Vertical positions inside the panel.
inline constexpr int kIdentityTop = 60;
inline constexpr int kBatteryTop = kIdentityTop + 6 * kRowPitch;
inline constexpr int kConsumptionTextTop = kBatteryTop + kRowPitch;
inline constexpr int kConsumptionBarTop = kConsumptionTextTop + 270;
inline constexpr int kConsumptionBarHeight = 135;
inline constexpr int kHeadingTop = kConsumptionBarTop + kConsumptionBarHeight + 90;
inline constexpr int kModeLabelTop = kHeadingTop + kRowPitch;
inline constexpr int kModeBoxTop = kModeLabelTop + 240;
inline constexpr int kCodeNoTop = kModeBoxTop + 375;
inline constexpr int kWorkTimeTop = kCodeNoTop + kRowPitch;
inline constexpr int kSwitchTop = kWorkTimeTop + kRowPitch + 15;
inline constexpr int kOptionBlockTop = kSwitchTop + kRowPitch + 45;
inline constexpr int kOptionFirstRowTop = kOptionBlockTop + 285;
inline constexpr int kPanelBottomMargin = 90;

// The log panes right of the panel.
inline constexpr int kPaneLeft = 5550;
inline constexpr int kPaneTop = 600;
inline constexpr int kDataPaneHeadHeight = 300;

// The resize rules: the width the panes leave to the panel, the least window width that keeps that room,
// the pane width below it, the room the panes leave above and below, their least height, and the room the
// panel's scroll bar leaves to the bars (the panel's bottom margin may pass under the status bar).
inline constexpr int kPaneWidthReserve = kPaneLeft;
inline constexpr int kPaneMinInnerWidth = 6000;
inline constexpr int kPaneNarrowWidth = 1000;
inline constexpr int kPaneHeightReserve = 2 * kPaneTop + kStatusBarHeight + 60;
inline constexpr int kPaneMinHeight = 255;
inline constexpr int kPanelHeightReserve = 1700;
// The step of the panel's scroll bar arrows (twips): about one row of options.
inline constexpr int kPanelScrollStep = 300;
inline constexpr int kMinInnerWidthForPanes = 200;

// Colours of the two columns and of the radio channel's write box.
inline constexpr OleColor kReadColumnColor = RGB(200, 255, 200);
inline constexpr OleColor kWriteColumnColor = RGB(255, 210, 210);
inline constexpr OleColor kChannelWriteColor = RGB(255, 128, 128);
inline constexpr OleColor kHeadingColor = RGB(230, 230, 230);

// Parked out of sight: frames a view does not use.
inline constexpr int kParkedLeft = -20000;

} // namespace qv::mainlayout
