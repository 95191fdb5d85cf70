// The Time button's service functions on the real main window: the typed station time and the tolerance.
#include "app/settings.h"
#include "link/link_globals.h"
#include "link/requests.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "receiver/receiver_globals.h"
#include "unit/ui/main/starters_fixture.h"

namespace qv::test {
namespace {

class TimeButtonsTest : public StartersTest
{
  protected:
    int inputBoxes() const
    {
        int n = 0;
        for (const DialogRequest& r : DialogHooks::asked())
            n += r.kind == DialogKind::InputBox;
        return n;
    }
};

TEST_F(TimeButtonsTest, TypedTimesStartTheTypedTimeOperationOrAreRefused)
{
    struct Case
    {
        const char* typed;
        const char* time; // nullptr: refused with the error box
        int week;
    };
    const Case cases[] = {
        {"930", "09:30:00", 0},      {"12:5:7", "12:05:07", 0}, {"10:00/3", "10:00:00", 3},
        {"24:00:00", "24:00:00", 0}, {"24:00:01", nullptr, 0},  {"12:60:00", nullptr, 0},
    };
    FrmMain& f = start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        prepareIdle(f);
        gTestTime.clear();
        DialogHooks::reset();
        DialogHooks::queue(DialogAnswer::type(QString::fromLatin1(c.typed)));
        if (!c.time)
            DialogHooks::queue(DialogAnswer::press(vbOK));
        const bool opened = opensConversation([&] { f.cmdTestTime_Click(); });
        EXPECT_EQ(opened, c.time != nullptr);
        if (c.time) {
            EXPECT_EQ(gActionCode, ActTestTime);
            EXPECT_EQ(gTestTime, QString::fromLatin1(c.time));
            EXPECT_EQ(gWeekNumber, c.week);
        } else {
            EXPECT_EQ(DialogHooks::asked().back().prompt, "Error: this time cannot be set in the station");
            EXPECT_TRUE(gTestTime.isEmpty());
        }
        gActionCode = ActNone;
    }
}

TEST_F(TimeButtonsTest, AnInvalidAnswerIsAskedAgainWithWhatWasTyped)
{
    FrmMain& f = start();
    prepareIdle(f);
    gWeekTimeMode = true;
    DialogHooks::queue(DialogAnswer::type("10:00/5"));
    DialogHooks::queue(DialogAnswer::type("10:00/2"));
    EXPECT_TRUE(opensConversation([&] { f.cmdTestTime_Click(); }));
    ASSERT_EQ(inputBoxes(), 2);
    const DialogRequest& again = DialogHooks::asked().at(1);
    EXPECT_EQ(again.prompt, "Set this time in the station  (hh:mm:ss/week), please once more!");
    EXPECT_EQ(again.defaultText, "10:00:00/5");
    EXPECT_EQ(gWeekNumber, 2);
    gActionCode = ActNone;
}

TEST_F(TimeButtonsTest, CancelStartsNothingEvenWithATypedTimeHeld)
{
    FrmMain& f = start();
    prepareIdle(f);
    gTestTime = QStringLiteral("11:00:00");
    DialogHooks::queue(DialogAnswer::cancel());
    EXPECT_FALSE(opensConversation([&] { f.cmdTestTime_Click(); }));
    EXPECT_EQ(gActionCode, ActNone);
}

TEST_F(TimeButtonsTest, ARightClickSetsTheToleranceWithinItsRange)
{
    FrmMain& f = start();
    gWaitToReturn = gWaitToReturnCur = 0.4f;
    DialogHooks::queue(DialogAnswer::type("2")); // out of range: nothing changes
    f.cmdTime_MouseDown(vbRightButton, 0, 0, 0);
    EXPECT_EQ(gWaitToReturn, 0.4f);
    EXPECT_EQ(DialogHooks::asked().back().defaultText, "0.4");
    DialogHooks::queue(DialogAnswer::type("0.5"));
    f.cmdTime_MouseDown(vbRightButton, 0, 0, 0);
    EXPECT_EQ(gWaitToReturn, 0.5f);
    EXPECT_EQ(gWaitToReturnCur, 0.5f);
    EXPECT_TRUE(f.cmdTime.ToolTipText().startsWith("(0.5 / 3 / 0.01  #0# 0.5 s) "))
        << f.cmdTime.ToolTipText().toStdString();
    // Other buttons ask nothing.
    const qsizetype asked = DialogHooks::asked().size();
    f.cmdTime_MouseDown(vbLeftButton, 0, 0, 0);
    EXPECT_EQ(DialogHooks::asked().size(), asked);
}

} // namespace
} // namespace qv::test
