// What the link does to the card list window while a card read-out waits: the time-out's give-up message in
// its wait indicator, its progress bar, the port it keeps open, and its choice to read a card again.
#include "app/language.h"
#include "cards/frm_cards.h"
#include "link/end_action.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/controls/screen.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/clock.h"
#include "support/link_test.h"
#include "support/test_support.h"
#include "ui/main/frm_main.h"

#include <gtest/gtest.h>
#include <optional>

namespace qv {
namespace {

class CardListWaitsTest : public test::LinkTest
{
  protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        // Loaded after the program-wide state was reset, which empties the language in use.
        language.emplace();
        ASSERT_TRUE(language->loaded());
    }
    void TearDown() override
    {
        Screen.setActiveForm(nullptr);
        LinkTest::TearDown();
        language.reset();
    }

    FakeClock fake{QDateTime(QDate(2026, 12, 9), QTime(10, 0)), 3};
    ScopedClock scopedClock{fake};
    std::optional<test::ScopedShippedLanguage> language;
};

// The last time-out of a card read-out: with the card list in front the message goes into its wait indicator
// when that shows (else into a box) and the port stays open for the next card; with another window in front
// the link gives up as in any operation.
TEST_F(CardListWaitsTest, TimeOutGiveUpTellsItWhereTheCardListWaits)
{
    struct Case
    {
        bool inFront;
        bool waitShown;
        int textId;   // the message
        bool inLabel; // in the wait indicator, else in a box
        int progressFrom;
        int progressTo; // the read-out progress bar (of 10) takes a step while the wait shows
        bool linkClosed;
    };
    const Case cases[] = {
        {true, true, 1882, true, 3, 4, false},
        {true, true, 1882, true, 10, 10, false},
        {true, false, 1882, false, 3, 3, false},
        {false, true, 1826, false, 3, 3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "in front " << c.inFront << ", wait shown " << c.waitShown);
        const QString message = GetLangText(gLangIndex, c.textId, QString());
        ASSERT_FALSE(message.isEmpty());
        DialogHooks::reset();
        if (!c.inLabel)
            DialogHooks::queue(DialogAnswer::press(vbOK));
        gActionCode = ActReadCards;
        FrmCards& cards = frmCards();
        cards.lblWait.setCaption(QString());
        cards.piWait.setVisible(c.waitShown);
        cards.pbProgressReadCard.setMax(10);
        cards.pbProgressReadCard.setValue(c.progressFrom);
        frmMain().cmdStop.setVisible(true);
        Screen.setActiveForm(c.inFront ? static_cast<Form*>(&cards) : &frmMain());
        gRetryCount = kMaxResends;
        ResendOrGiveUp();
        EXPECT_EQ(cards.lblWait.Caption(), c.inLabel ? message : QString());
        ASSERT_EQ(DialogHooks::asked().size(), c.inLabel ? 0 : 1);
        if (!c.inLabel) {
            // Without the card list in front the read-out ends, and the message names it.
            const QString named =
                c.inFront ? message : OperationName(ActReadCards) + QStringLiteral(": ") + message;
            EXPECT_EQ(DialogHooks::asked().front().prompt, named);
        }
        EXPECT_EQ(cards.pbProgressReadCard.Value(), c.progressTo);
        EXPECT_EQ(frmMain().cmdStop.Visible(), !c.linkClosed);
    }
}

// A card read already is refused (acknowledged and said so) unless the loaded card list lets cards be read
// again.
TEST_F(CardListWaitsTest, ARepeatedCardIsRefusedUnlessTheCardListAllowsIt)
{
    struct Case
    {
        bool loaded;
        bool allowed;
        bool refused;
    };
    const Case cases[] = {{false, false, true}, {true, true, false}, {true, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "loaded " << c.loaded << ", allowed " << c.allowed);
        DialogHooks::reset();
        gDeletedCards = QStringLiteral("; 2100001;");
        if (c.loaded)
            frmCards().mnuMulti.setChecked(c.allowed);
        else
            test::unloadCardListWithoutSaving();
        if (c.refused)
            DialogHooks::queue(DialogAnswer::press(vbOK));
        EXPECT_EQ(IsRepeatedCard(QStringLiteral("2100001")), c.refused);
        EXPECT_EQ(DialogHooks::asked().size(), c.refused ? 1 : 0);
    }
}

} // namespace
} // namespace qv
