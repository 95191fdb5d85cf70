// The state of an air card's activation record as the card list shows it.
#include "cards/cardlist_model.h"
#include "cards/frm_cards.h"
#include "receiver/card_replies.h"
#include "ui/main/program_state.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// The state column is widened in the card list window, which the test loads by that: it goes again after.
class ActivationRecordState : public ::testing::Test
{
  protected:
    void TearDown() override
    {
        if (FormInstance<FrmCards>::loaded())
            Unload(frmCards());
        resetProgramState();
    }
};

// A list with one record row, its code-number column holding the record's code number.
CardListTable oneRecordRow()
{
    CardListTable list;
    for (int c = 0; c < 6; ++c)
        list.addColumn(QStringLiteral("N1%1000").arg(31 + c), QString(), 600);
    list.addRow(QStringLiteral("p1"), QStringLiteral("1"));
    list.setSubItem(1, 3, QStringLiteral("255"));
    return list;
}

TEST_F(ActivationRecordState, GivesTheStateTextAndWritesAWaitingCardsValuesIntoTheSelectedRow)
{
    struct Case
    {
        uint8_t state;
        const char* text;
        const char* codeColumn;
    };
    const Case cases[] = {
        {0, "KEZOFF", "255"},    {1, "KEZWAIT", "5 0"},   {2, "KEZON", "255"},
        {0x20, "+KEZON", "255"}, {0x22, "+KEZON", "255"}, {3, "", "255"},
    };
    for (const Case& c : cases) {
        CardListTable list = oneRecordRow();
        EXPECT_EQ(SetCardListKezState(list, 1, 5, 0, c.state), QString::fromLatin1(c.text)) << int(c.state);
        EXPECT_EQ(list.subItem(1, 3), QString::fromLatin1(c.codeColumn)) << int(c.state);
    }
}

TEST_F(ActivationRecordState, WithNoRowSelectedTheValuesGoNowhere)
{
    CardListTable list = oneRecordRow();
    EXPECT_EQ(SetCardListKezState(list, 0, 12, 30, 1), QStringLiteral("KEZWAIT"));
    EXPECT_EQ(list.subItem(1, 3), QStringLiteral("255"));
    CardListTable empty;
    EXPECT_EQ(SetCardListKezState(empty, 1, 12, 30, 1), QStringLiteral("KEZWAIT"));
    EXPECT_EQ(empty.rowCount(), 0);
}

} // namespace
} // namespace qv
