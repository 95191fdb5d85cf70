// Procedures of the main window's program module that other subsystems call: modes, code numbers, texts.
#pragma once
#include "receiver/write_replies.h"
#include "stationdata/station_data.h" // gModeCodeSet, gSpecialFuncIndex, gExtProtUsed

#include <QString>
#include <array>
#include <cstdint>

namespace qv {

class ComboBox;
class Form;
class TextBox;

// Refills the mode combo coMO with the mode names of the current language (a name that is empty or begins
// with "---" is left out). With refill, also the connection-mode names and the combo coMode, and the write
// column's option boxes from their write bytes (each change runs the box's Click).
void FillModeControls(bool& refill);
void FillModeControls(bool&& refill);

// Checks a code-number text against the range of the mode in use gModeCodeSet (1 to 127, 511 or 1023). In
// range: stores the number into gCodeNo and gSpecialFuncIndex and returns "". Out of range: beeps and
// returns language text 1830 followed by " 1 - " and the largest number; nothing is stored.
QString CheckCodeNumber(const QString& text);
// The same check under its other name.
QString CheckCodeNoRange(const QString& text);

// True when the auto-send box of the column in use shows a tick: chkCPC(1) while writing, else chkCPC(0).
bool IsCpcChecked();

// Makes the combo box's window, its opened list included, `height` pixels high, keeping position and width.
void SetComboHeight(Form& frm, ComboBox& cbo, int height);
void SetComboDropHeight(ComboBox& cbo, int height);
// Widens the opened list of the combo box to its widest item (20 pixels more, 15 more for the scroll bar of
// a list of more than 8 items), measured with the font of the combo's window.
void SetComboDropWidth(ComboBox& cbo);
// The drop-down width SetComboDropWidth gives for a widest item of that many pixels and that many items.
int ComboDropWidthFor(int widestItemPixels, int itemCount);

// The work time of a text as "hh:mm:ss" (hours 1 to maxHours with minutes below 60, or 0 hours with 2 to 59
// minutes; seconds 0), "" when it is not a valid work time. A valid time is stored into gWorkTime when that
// is empty, or when the mode combo shows none of the beacon names and the time is not 12:00:00.
QString NormalizeWorkTime(const QString& text, int32_t maxHours);

// Colours a PIN box: the window colour for four characters that read as a number, else red.
void ValidatePinText(TextBox& box);
// Colours a box red when its text holds "[" or "]", else the window colour.
void ValidateBracketText(TextBox& box);

// Initialises the platform's common controls; true when nothing failed. The toolkit needs no such step.
bool InitCommonCtrls();

} // namespace qv
