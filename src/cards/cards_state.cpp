// Start values of the card interpreter's and the card list's program-wide variables.
#include "cards/cards_state.h"

#include "cards/backup_cards.h"
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "cards/card_reevaluation.h"
#include "cards/card_steps.h"
#include "cards/cardlist_state.h"

namespace qv {

void resetCardsState()
{
    // cards/backup_cards.h
    gBlockList = QByteArray(1, '\0');
    gDataBlocks = QList<QByteArray>{QByteArray(1, '\0')};
    gReadoutPending = 0;
    gRecordBlocksLeft = 0;
    gRecordBlocksNeeded = 0;
    gCardKindLast = 0;
    gReadoutLineFlag = false;
    gCardImage.clear();
    // cards/card_interpreter.h
    gCardNoText.clear();
    gCardType = 0;
    gNextBlockNo = 0;
    gCardComplete = false;
    gLastBlockNo = 0;
    gReadingListFile = false;
    AddCardListRowHook = nullptr;
    // cards/card_record.h
    gCardRecord = CardRecord();
    gCardKind = 0;
    gLayoutCardType = 0;
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
    gCardListFile.clear();
    gSaveButtonToolTip.clear();
    gPunchColumnCount = 0;
    gPunchCountColumn = 0;
    gPunchCountN133002 = false;
    gPunchGroupNames.clear();
    gPunchGroupMax.clear();
    gColumnN157000 = false;
    gColumnAbove143000 = false;
    gHighColumnKeys = false;
    gNodrelMode = false;
    gSprintUsed = false;
    gCardsFormWidth = 0;
    gOpenColHeadAnswer = 0;
    gColHeadTitle.clear();
    gStartTimeColumn = 0;
    gFinishTimeColumn = 0;
    gListFields.clear();
    gPunchRecordCount = 0;
    gCardsFormOpen = false;
    gColHeadAsked = false;
    gSavedActionCode = 0;
    gSaveMode = false;
    gDialogFilter.clear();
    // cards/card_reevaluation.h
    gBackupListText.clear();
}

} // namespace qv
