// What the negative-acknowledge give-up and the station's signal do to the windows that are open: the card
// list's wait indicator, the radio-card dialog and the battery dialog.
#include "app/language.h"
#include "cards/card_interpreter.h"
#include "cards/frm_cards.h"
#include "link/link_globals.h"
#include "platform/controls/screen.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/clock.h"
#include "receiver/receiver.h"
#include "receiver/receiver_globals.h"
#include "sim_frame.h"
#include "support/link_test.h"
#include "support/test_support.h"
#include "ui/dialogs/frm_batt.h"
#include "ui/dialogs/frm_config_qvel.h"
#include "ui/main/frm_main.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace qv {
namespace {

using test::bytes;

class ReplyWindowsTest : public test::LinkTest
{
  protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        // Loaded after the program-wide state was reset, which empties the language in use.
        language.emplace();
        ASSERT_TRUE(language->loaded());
        frmMain().rtbox(0).setText(QString());
        // Closing the radio-card dialog ends its operation with a protocol record.
        gProtocolPath = dir.filePath(QStringLiteral("Protocol.CSV"));
    }
    void TearDown() override
    {
        Screen.setActiveForm(nullptr);
        // The dialogs' unload ends the operation they belong to: the actions the cases set are no operation
        // of a station on a port, so none is left to end (a Write's end would open a port for its signal).
        gActionCode = ActNone;
        LinkTest::TearDown();
        language.reset();
    }

    // One receive event over the bytes.
    static void receive(const QByteArray& data)
    {
        RxBufferSource source(data);
        ReceiveFrom(source);
    }
    // The seventh negative acknowledge in a row: the receiver gives up.
    static void nakGiveUp()
    {
        gNakGaveUp = false;
        gNakCount = 6;
        receive(bytes({0x15}));
    }
    // The station's signal, as it answers a finished write.
    static void signal()
    {
        receive(sim::encodeFrame(0xF9, QByteArray("\x00\x1F", 2), sim::FrameForm::Extended));
    }

    QTemporaryDir dir;
    FakeClock fake{QDateTime(QDate(2026, 12, 9), QTime(10, 0)), 3};
    ScopedClock scopedClock{fake};
    std::optional<test::ScopedShippedLanguage> language;
};

// While a card read-out has the card list in front, the give-up says so in the list's wait indicator when it
// shows, else in a message box; another window in front takes neither.
TEST_F(ReplyWindowsTest, NakGiveUpOfACardReadoutTellsItWhereTheCardListWaits)
{
    struct Case
    {
        bool inFront;
        bool waitShown;
        bool inLabel;
        bool boxed;
    };
    const Case cases[] = {{true, true, true, false}, {true, false, false, true}, {false, true, false, false}};
    const QString message = GetLangText(gLangIndex, 1882, QString());
    ASSERT_FALSE(message.isEmpty());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "in front " << c.inFront << ", wait shown " << c.waitShown);
        DialogHooks::reset();
        if (c.boxed)
            DialogHooks::queue(DialogAnswer::press(vbOK));
        gActionCode = ActReadCards;
        FrmCards& cards = frmCards();
        cards.lblWait.setCaption(QString());
        cards.piWait.setVisible(c.waitShown);
        Screen.setActiveForm(c.inFront ? static_cast<Form*>(&cards) : &frmMain());
        nakGiveUp();
        EXPECT_TRUE(gNakGaveUp);
        EXPECT_EQ(cards.lblWait.Caption(), c.inLabel ? message : QString());
        ASSERT_EQ(DialogHooks::asked().size(), c.boxed ? 1 : 0);
        if (c.boxed) {
            EXPECT_EQ(DialogHooks::asked().front().prompt, message);
        }
    }
}

// A radio-card operation that gives up forgets the card: the card number of the dialog that shows it is
// emptied, and the receive event ends there.
TEST_F(ReplyWindowsTest, NakGiveUpOfARadioCardOperationEmptiesItsDialogsCardNumber)
{
    gCardNoText = QStringLiteral("8000001");
    FrmConfigQVEL& config = frmConfigQVEL();
    config.lblCardNo(1).setCaption(QStringLiteral("8000001"));
    FrmBatt& battery = frmBatt();
    battery.lblCardNo.setCaption(QStringLiteral("8000001"));

    gActionCode = ActConfigAirCard;
    nakGiveUp();
    EXPECT_TRUE(gCardNoText.isEmpty());
    EXPECT_EQ(config.lblCardNo(1).Caption(), QString());
    EXPECT_EQ(battery.lblCardNo.Caption(), QStringLiteral("8000001"));

    config.lblCardNo(1).setCaption(QStringLiteral("8000001"));
    gActionCode = ActAirCardBattery;
    nakGiveUp();
    EXPECT_EQ(battery.lblCardNo.Caption(), QString());
    EXPECT_EQ(config.lblCardNo(1).Caption(), QStringLiteral("8000001"));
}

// The station's signal after a radio-card write: the dialog in front, or the battery dialog of the battery
// change, waits for the next card with OK off and the link open; otherwise the signal ends the link.
TEST_F(ReplyWindowsTest, SignalTurnsOffOkOfTheRadioCardDialogThatWaitsForTheNextCard)
{
    struct Case
    {
        int action;
        bool configInFront;
        bool configOkOff;
        bool batteryOkOff;
        bool linkClosed;
    };
    const Case cases[] = {
        {ActConfigAirCard, true, true, false, false},
        {ActAirCardBattery, false, false, true, false},
        {ActConfigAirCard, false, false, false, true},
        {ActWrite, false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "action " << c.action << ", dialog in front " << c.configInFront);
        FrmConfigQVEL& config = frmConfigQVEL();
        FrmBatt& battery = frmBatt();
        config.cmdOK.setEnabled(true);
        battery.cmdOK.setEnabled(true);
        frmMain().cmdStop.setVisible(true);
        Screen.setActiveForm(c.configInFront ? static_cast<Form*>(&config) : &frmMain());
        gActionCode = c.action;
        signal();
        EXPECT_EQ(config.cmdOK.Enabled(), !c.configOkOff);
        EXPECT_EQ(battery.cmdOK.Enabled(), !c.batteryOkOff);
        EXPECT_EQ(frmMain().cmdStop.Visible(), !c.linkClosed);
    }
}

} // namespace
} // namespace qv
