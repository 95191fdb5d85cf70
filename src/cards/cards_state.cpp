// Start values of the card interpreter's and the card list's program-wide variables.
#include "cards/cards_state.h"

#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "cards/card_steps.h"
#include "cards/cardlist_state.h"
#include "link/link_globals.h"
#include "stationdata/station_data.h"

namespace qv {

void resetCardsState()
{
    // cards/card_record.h
    gCardRecord = CardRecord();
    gCardKind = 0;
    gLayoutCardType = 0;
    gCardNumber = 0;
    // cards/card_interpreter.h
    gNextBlockNo = 0;
    gCardComplete = false;
    gLastBlockNo = 0;
    gReadingListFile = false;
    AddCardListRowHook = nullptr;
    // cards/card_steps.h
    gOwnerText.clear();
    gOwnerParts.clear();
    gOwnerFirstCount = 0;
    // cards/cardlist_state.h
    gCardCount = 0;
    gCardListChanged = false;
    gColumnsChanged = false;
    gCardReadout = false;
    gWarnPunchCap = false;
    gSaveButtonToolTip.clear();
    gPunchColumnCount = 0;
    gPunchCountColumn = 0;
    gPunchCountN133002 = false;
    gColumnN157000 = false;
    gColumnAbove143000 = false;
    gCardsFormWidth = 0;
    gOpenColHeadAnswer = 0;
    gStartTimeColumn = 0;
    gFinishTimeColumn = 0;
    gListFields.clear();
    gCardListText.clear();
    // cards/card_externs.h
    gFirmware = 0;
    gAutoSendRead = 0;
    gCardNoText.clear();
    gCardType = 0;
    gHighColumnKeys = false;
    gNodrelMode = false;
    gSprintUsed = false;
    gFileTimeText.clear();
}

} // namespace qv
