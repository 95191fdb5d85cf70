// Returns the card interpreter's and the card list's program-wide variables to their start values.
#pragma once

namespace qv {

// Every variable of card_record.h, card_interpreter.h, card_steps.h, cardlist_state.h and card_externs.h
// back at its start value (tests, and anything that starts the program afresh).
void resetCardsState();

} // namespace qv
