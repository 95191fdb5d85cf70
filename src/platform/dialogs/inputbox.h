// The old runtime's InputBox: a prompt, a line of text, OK and Cancel.
#pragma once
#include <QString>
#include <optional>

namespace qv {

// Asks for a line of text in a modal box and returns what the user typed, or "" on Cancel (and on OK with
// an empty line). `xpos`/`ypos` place the box's top-left corner, in twips from the screen's top-left; left
// out, the box stands centred across and a third of the way down; a box asked to stand partly off the
// screen is moved back onto it. An empty title shows the application's title. Answered by DialogHooks
// (DialogAnswer::type, or cancel).
QString InputBox(const QString& prompt, const QString& title = QString(),
                 const QString& defaultText = QString(), std::optional<int> xpos = std::nullopt,
                 std::optional<int> ypos = std::nullopt);

} // namespace qv
