// Returns the card interpreter's and the card list's program-wide variables to their start values.
#pragma once

namespace qv {

// Every program-wide variable of the cards subsystem's headers back at its start value (tests, and anything
// that starts the program afresh); cards/cards_state.cpp. Add a new variable there too.
void resetCardsState();

} // namespace qv
