// The extended settings end to end against the simulated station: the reads, the dialog with the station's
// values, each of the three shapes of the write (settings block alone, the short settings write of the mode
// case, the timing write from 0x10 on), block by block in the base protocol, nothing written when nothing
// changed, and the next opening showing what was written. Also the station password's steps.
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "receiver/write_replies.h"
#include "receiver_support.h"
#include "stationdata/station_data.h"
#include "support/test_support.h"
#include "ui/dialogs/frm_ext_set.h"

#include <functional>

namespace qv::test {
namespace {

constexpr int kFeedbackAddress = 0x73; // bit 0 LED, bit 1 second LED, bit 2 beep

class ReceiverExtSettingsTest : public ReceiverE2E
{
  protected:
    void SetUp() override
    {
        ReceiverE2E::SetUp();
        ASSERT_TRUE(loadEnglishTexts());
    }
    void TearDown() override
    {
        ReceiverE2E::TearDown();
        gXmlDoc.clear();
    }

    struct Shown
    {
        int mode = 0;
        int act = 0, stb = 0;
        bool beep = false, led = false, modeFrame = false;
    };
    // Runs the extended settings command; the dialog, once shown, gets `answer`. Returns what it showed.
    Shown extSettings(const std::function<void(FrmExtSet&)>& answer)
    {
        Shown shown;
        Form::queueModalAnswer([&](Form& form) {
            auto& d = dynamic_cast<FrmExtSet&>(form);
            for (int i = 1; i <= 3; ++i)
                if (d.opMode(i).Value())
                    shown.mode = i;
            shown.act = d.slAct.Value();
            shown.stb = d.slSTB.Value();
            shown.beep = d.chkBeep.Value() == vbChecked;
            shown.led = d.chkLED.Value() == vbChecked;
            shown.modeFrame = d.frMode.Visible();
            answer(d);
        });
        sim.station.clearLog();
        frmMain().mnuExtSet_Click();
        EXPECT_TRUE(ended()) << frmMain().Aktion().Text().toStdString();
        EXPECT_EQ(Form::pendingModalAnswers(), 0);
        return shown;
    }
    static void sprint(FrmExtSet& d, int act, int stb)
    {
        d.opMode(1).setValue(true);
        d.slAct.setValue(act);
        d.slSTB.setValue(stb);
    }
    QByteArray station(int address, int length) const { return sim.station.memory().read(address, length); }
    uint8_t feedback() const { return sim.station.memory().at(kFeedbackAddress); }

    ScopedLocale locale{QStringLiteral("en_US")};
};

} // namespace

TEST_F(ReceiverExtSettingsTest, ATimingAndFeedbackChangeIsOneWriteFrom0x10AndTheNextOpeningShowsIt)
{
    const QByteArray untouched20 = station(0x20, 0x20), untouched50 = station(0x50, 0x20);
    const Shown before = extSettings([](FrmExtSet& d) {
        sprint(d, 24, 1500);
        d.chkBeep.setValue(vbUnchecked);
        d.OKButton_Click();
    });
    EXPECT_TRUE(before.modeFrame);
    EXPECT_EQ(before.mode, 2);
    EXPECT_EQ(before.act, 40);
    EXPECT_EQ(before.stb, 1000);
    EXPECT_TRUE(before.beep);
    EXPECT_TRUE(before.led);

    EXPECT_EQ(chain(), (QList<QByteArray>{bytes({0xF0}), bytes({0x83, 0x00}), bytes({0x82, 0x10})}));
    // 0x10 to 0x73 in one request: four blocks, 0x50 to 0x6F, and the first four settings bytes.
    EXPECT_EQ(requests().at(2).size(), 2 + 64 + 32 + 4);
    EXPECT_EQ(sim.station.memory().actTicks(), 786);
    EXPECT_EQ(sim.station.memory().stbTicks(), 49152);
    EXPECT_EQ(station(0x10, 2), bytes({125, 7}));
    EXPECT_EQ(feedback() & 0x07, 0x01);
    EXPECT_EQ(station(0x20, 0x20), untouched20);
    EXPECT_EQ(station(0x50, 0x20), untouched50);
    EXPECT_EQ(records().value(0), QStringLiteral("Extended Settings"));

    const Shown after = extSettings([](FrmExtSet& d) { d.CancelButton_Click(); });
    EXPECT_EQ(after.mode, 1);
    EXPECT_EQ(after.act, 24);
    EXPECT_EQ(after.stb, 1500);
    EXPECT_FALSE(after.beep);
    EXPECT_TRUE(after.led);
}

TEST_F(ReceiverExtSettingsTest, ATimingChangeAloneStopsAtTheTimingBlock)
{
    const uint8_t settings = feedback();
    extSettings([](FrmExtSet& d) {
        d.opMode(3).setValue(true);
        d.slAct.setValue(80);
        d.slSTB.setValue(2000);
        d.OKButton_Click();
    });
    EXPECT_EQ(requests().at(2).left(2), bytes({0x82, 0x10}));
    EXPECT_EQ(requests().at(2).size(), 2 + 64);
    EXPECT_EQ(sim.station.memory().actTicks(), 2621);
    EXPECT_EQ(sim.station.memory().stbTicks(), 65535);
    EXPECT_EQ(station(0x10, 2), bytes({38, 6}));
    EXPECT_EQ(feedback(), settings);
}

TEST_F(ReceiverExtSettingsTest, AFeedbackChangeAloneWritesTheFirstSettingsBytes)
{
    extSettings([](FrmExtSet& d) {
        d.chkLED.setValue(vbUnchecked);
        d.OKButton_Click();
    });
    EXPECT_EQ(chain(), (QList<QByteArray>{bytes({0xF0}), bytes({0x83, 0x00}), bytes({0x82, 0x70})}));
    EXPECT_EQ(requests().at(2).size(), 7);
    EXPECT_EQ(feedback() & 0x07, 0x04);
    EXPECT_EQ(sim.station.memory().actTicks(), 1310);
}

TEST_F(ReceiverExtSettingsTest, AnOlderBoardWritesTheWholeSettingsBlockForAFeedbackChange)
{
    // The older board keeps no timing: only the feedback frame is shown, and OK writes the settings block.
    sim.station.memory().setModel(0x81, 0x91);
    DialogHooks::queue(DialogAnswer::press(vbOK)); // the Read's warning about this board's auto send
    const Shown shown = extSettings([](FrmExtSet& d) {
        d.chkBeep.setValue(vbUnchecked);
        d.OKButton_Click();
    });
    ASSERT_FALSE(shown.modeFrame);
    EXPECT_EQ(requests().at(2).left(2), bytes({0x82, 0x70}));
    EXPECT_EQ(requests().at(2).size(), 18);
    EXPECT_EQ(feedback() & 0x07, 0x01);
}

TEST_F(ReceiverExtSettingsTest, NothingChangedWritesNothing)
{
    const QByteArray before = station(0x00, 0x100);
    extSettings([](FrmExtSet& d) {
        // Choosing another mode and coming back leaves the same times.
        d.opMode(1).setValue(true);
        d.opMode(2).setValue(true);
        d.OKButton_Click();
    });
    for (const QByteArray& r : requests())
        EXPECT_NE(uint8_t(r.at(0)), 0x82);
    EXPECT_EQ(station(0x00, 0x100), before);
}

TEST_F(ReceiverExtSettingsTest, TheBaseProtocolWritesBlockByBlockAndKeepsTheFeedbackChange)
{
    gUseExtCommands = false;
    const Shown shown = extSettings([](FrmExtSet& d) {
        sprint(d, 12, 100);
        d.chkBeep.setValue(vbUnchecked);
        d.OKButton_Click();
    });
    EXPECT_EQ(shown.mode, 2);
    EXPECT_EQ(chain(), (QList<QByteArray>{bytes({0xF0}), bytes({0x73, 0x00}), bytes({0x73, 0x10}),
                                          bytes({0x73, 0x30}), bytes({0x73, 0xD0}), bytes({0x73, 0x40}),
                                          bytes({0x72, 0x10}), bytes({0x72, 0x40}), bytes({0x72, 0xD0})}));
    EXPECT_EQ(sim.station.memory().actTicks(), 393);
    EXPECT_EQ(sim.station.memory().stbTicks(), 3276);
    EXPECT_EQ(station(0x10, 2), bytes({250, 25}));
    EXPECT_EQ(feedback() & 0x07, 0x01);

    // A timing change alone ends at the timing block.
    extSettings([](FrmExtSet& d) {
        sprint(d, 30, 100);
        d.OKButton_Click();
    });
    EXPECT_EQ(chain().mid(6), (QList<QByteArray>{bytes({0x72, 0x10}), bytes({0x72, 0x40})}));
    EXPECT_EQ(sim.station.memory().actTicks(), 983);
}

// Each operation on a station of its own: the card read the first leaves waiting would otherwise be refused
// by the station while the second starts, and that refusal would be taken for the second's.
class StationPasswordTest : public ReceiverExtSettingsTest, public ::testing::WithParamInterface<int16_t>
{
};

TEST_P(StationPasswordTest, SetOrClearedWithItsStepByteAndTheCardRead)
{
    const int16_t action = GetParam();
    sim.station.memory().write(0x70, bytes({0x00}));
    DialogHooks::queue(DialogAnswer::press(vbOK)); // put the password card in
    gActionCode = action;
    BeginStationAction();
    // The step byte written, the user asked for the card, and the card read sent.
    ASSERT_TRUE(sim::waitUntil([] { return gPasswordSent; }, 10000))
        << frmMain().Aktion().Text().toStdString() << " "
        << (DialogHooks::asked().isEmpty() ? std::string()
                                           : DialogHooks::asked().first().prompt.toStdString());
    EXPECT_EQ(requests().at(2), bytes({0x82, 0x70, 0x29}));
    EXPECT_EQ(gSendBuffer, BuildFrame(bytes({0xB1})));
    EXPECT_EQ(sim.station.memory().at(0x70), 0x29);
    EXPECT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_TRUE(gPasswordSent);
    EXPECT_EQ(gActionCode, action);
    // The operation waits for the card; the user stops it.
    CloseLink();
    EndStationAction();
}

INSTANTIATE_TEST_SUITE_P(Operations, StationPasswordTest,
                         ::testing::Values(ActPasswordSet, ActPasswordClear));

} // namespace qv::test
