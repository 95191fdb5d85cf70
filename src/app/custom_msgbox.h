// A message box whose buttons carry the caller's captions, already in the user's language.
#pragma once
#include <QString>
#include <cstdint>

namespace qv {

// Shows prompt with one, two or three buttons: caption1 only gives one
// button; caption1 and caption2 two; a caption3 three (an empty caption2 then
// makes a button without text). style gives the icon and the default button
// (vbDefaultButton1..3). Returns 1 for the first button, 2 for the second, 3
// for the third or for closing the box any other way. owner is the window the
// box belongs to (the active window is taken).
int16_t CustomButtonMsgBox(intptr_t owner, const QString& prompt, const QString& title,
                           const QString& caption1, const QString& caption2, const QString& caption3,
                           int32_t style);

} // namespace qv
