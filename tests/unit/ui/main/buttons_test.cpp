// The command buttons: they start what their menu items start, Off spares the radio module, and the Stop
// button's right click silences the trace.
#include "link/link_globals.h"
#include "stationdata/station_data.h"
#include "ui/main/starters.h"
#include "unit/ui/main/starters_fixture.h"

using namespace qv;
using namespace qv::test;

namespace {

class ButtonsTest : public StartersTest
{
};

TEST_F(ButtonsTest, ButtonsStartTheOperationsOfTheirMenuItems)
{
    FrmMain& f = start();
    gProductType = 0x22;
    const std::pair<CommandButton*, int16_t> buttons[] = {
        {&f.cmdRead, ActRead}, {&f.cmdTime, ActSetTime}, {&f.cmdBatt, ActBattery}, {&f.cmdOff, ActSwitchOff}};
    for (const auto& [button, action] : buttons) {
        SCOPED_TRACE(button->Name().toStdString());
        prepareIdle(f);
        EXPECT_TRUE(opensConversation([&] { button->setValue(true); }));
        EXPECT_EQ(gActionCode, action);
    }
    gProductType = 0;
}

TEST_F(ButtonsTest, TimeButtonSetsThePcTimeEvenAfterATypedTime)
{
    FrmMain& f = start();
    prepareIdle(f);
    gTestTime = QStringLiteral("12:34:56");
    EXPECT_TRUE(opensConversation([&] { f.cmdTime.setValue(true); }));
    EXPECT_TRUE(gTestTime.isEmpty());
    EXPECT_EQ(gActionCode, ActSetTime);

    // Refused while a typed-time operation runs, it leaves that operation its time.
    prepareIdle(f);
    gActionCode = ActTestTime;
    gTestTime = QStringLiteral("12:34:56");
    f.Timer1.setInterval(600000);
    f.Timer1.setEnabled(true);
    EXPECT_FALSE(opensConversation([&] { f.cmdTime.setValue(true); }));
    EXPECT_EQ(gTestTime, QStringLiteral("12:34:56"));
    EXPECT_EQ(gActionCode, ActTestTime);
    EXPECT_EQ(f.Aktion().Text(), kRunningText);
    f.Timer1.setEnabled(false);
    gTestTime.clear();
}

TEST_F(ButtonsTest, OffDoesNothingForTheRadioModule)
{
    FrmMain& f = start();
    const std::pair<int16_t, bool> cases[] = {{0x21, false}, {0x61, false}, {0xE1, false}, {0x22, true}};
    for (const auto& [product, starts] : cases) {
        SCOPED_TRACE(product);
        prepareIdle(f);
        gProductType = product;
        EXPECT_EQ(opensConversation([&] { f.cmdOff.setValue(true); }), starts);
        EXPECT_EQ(gActionCode, starts ? ActSwitchOff : ActNone);
        EXPECT_EQ(f.lblProgress(0).Height(), starts ? 400 : kUntouchedHeight);
        EXPECT_TRUE(DialogHooks::asked().isEmpty());
    }
    gProductType = 0;
}

TEST_F(ButtonsTest, RightClickOnStopSilencesTheTraceUntilAnotherPress)
{
    FrmMain& f = start();
    const QString note = QStringLiteral("\r\nwait to right mouse button\r\n\r\n");
    struct Press
    {
        int button;
        int shift;
        bool traceBefore;
        bool traceAfter;
        bool noted;
    };
    // The remembered setting is on.
    const Press presses[] = {
        {vbRightButton, 0, true, false, true},  // the right click silences and says so
        {vbRightButton, 0, false, true, false}, // a second one brings the setting back
        {vbRightButton, vbShiftMask, true, true, false},
        {vbLeftButton, 0, false, true, false},
    };
    for (const Press& p : presses) {
        SCOPED_TRACE(testing::Message() << p.button << ' ' << p.shift << ' ' << p.traceBefore);
        gTraceDefault = true;
        gTraceOn = p.traceBefore;
        f.rtbox(0).setText(QStringLiteral("send FF-02"));
        f.rtbox(0).setSelStart(4);
        f.cmdStop.onMouseDown(p.button, p.shift, 10, 10);
        EXPECT_EQ(gTraceOn, p.traceAfter);
        if (p.noted) {
            EXPECT_EQ(f.rtbox(0).Text(), QStringLiteral("send") + note + QStringLiteral(" FF-02"));
            // The caret stands at the end: the next log text follows the note.
            f.rtbox(0).setSelText(QStringLiteral("|"));
            EXPECT_TRUE(f.rtbox(0).Text().endsWith(QStringLiteral(" FF-02|")));
        } else {
            EXPECT_EQ(f.rtbox(0).Text(), QStringLiteral("send FF-02"));
        }
    }
    // With the setting off, the trace stays off.
    gTraceDefault = false;
    gTraceOn = false;
    f.cmdStop.onMouseDown(vbRightButton, 0, 10, 10);
    EXPECT_FALSE(gTraceOn);
}

TEST_F(ButtonsTest, PointerOverTheButtonsAndTheOkOfThePictureHideTheHelpPicture)
{
    FrmMain& f = start();
    const auto showPicture = [&] {
        gHoverPending = true;
        f.piErwProt(0).setVisible(true);
        f.piErwProt(1).setVisible(true);
    };
    for (CommandButton* button : {&f.cmdWrite, &f.cmdTime, &f.cmdBatt, &f.cmdOff}) {
        SCOPED_TRACE(button->Name().toStdString());
        showPicture();
        button->onMouseMove(0, 0, 100, 100);
        EXPECT_FALSE(gHoverPending);
        EXPECT_FALSE(f.piErwProt(0).Visible());
        EXPECT_FALSE(f.piErwProt(1).Visible());
    }
    for (int index : {0, 1}) {
        showPicture();
        f.cmdErwProtOK(index).setValue(true);
        EXPECT_FALSE(gHoverPending);
        EXPECT_FALSE(f.piErwProt(index).Visible());
    }
}

} // namespace
