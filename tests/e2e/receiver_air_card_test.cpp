// The radio-card dialog against the simulated station: the air-card action opens it; OK sends one
// configuration command, and each of the station's replies sends the next pending one until the protocol
// step ends the chain.
#include "app/settings.h"
#include "cards/card_interpreter.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/sender.h"
#include "receiver/air_card.h"
#include "receiver/fixed_requests.h"
#include "receiver/write_replies.h"
#include "receiver_support.h"
#include "sim_air_card.h"
#include "stationdata/radio_card.h"
#include "ui/dialogs/frm_config_qvel.h"
#include "ui/dialogs/frm_ext_set.h"

#include <QFile>

namespace qv::test {
namespace {

class AirCardE2E : public ReceiverE2E
{
  protected:
    void SetUp() override
    {
        ReceiverE2E::SetUp();
        commands.setCard(&card);
        gCardType = kAirCardType;
        gCardNoText = QStringLiteral("8000001");
        gConnMode = ConnRemote;
    }
    void TearDown() override
    {
        Form::clearModalAnswers();
        ReceiverE2E::TearDown();
    }

    // The dialog as the card's block fills it.
    void fill(FrmConfigQVEL& d)
    {
        d.lblCardNo(1).setCaption(QStringLiteral("8000001"));
        const QByteArray block = radioCardBlock3(card);
        gAirCardConfig = block.mid(48, 4);
        gFillingControls = true;
        const QByteArray brd = card.brd;
        const QByteArray partner = card.partner;
        d.SetCtrlValue(card.sel, &brd, &partner);
        gFillingControls = false;
    }

    // The configuration commands the station received, sub-code and data.
    QList<QByteArray> configCommands() const
    {
        QList<QByteArray> out;
        for (const QByteArray& r : requests())
            if (uint8_t(r.at(0)) == 0xEA)
                out << r.mid(1);
        return out;
    }

    sim::SimRadioCard card;
    sim::SimAirCardCommands commands{sim.station};
};

TEST_F(AirCardE2E, OkWritesThePatternsAndEachReplySendsTheNextStep)
{
    card.sel = QByteArray::fromHex("1800054a");
    card.brd = QByteArray::fromHex("0800050a");
    bool shown = false;
    Form::queueModalAnswer([&](Form& form) {
        auto* d = dynamic_cast<FrmConfigQVEL*>(&form);
        ASSERT_NE(d, nullptr);
        shown = true;
        fill(*d);
        d->opDefault(3).setValue(true); // the grids
        d->chkSEL_Beep(7).setValue(1);
        d->txtAnz(1).setText(QStringLiteral("9"));
        ASSERT_TRUE(d->cmdOK.Enabled());
        d->cmdOK_Click();
        // 's' goes out; its reply sends 't'; that reply ends the chain with the protocol step.
        ASSERT_TRUE(sim::waitUntil([&] { return d->cardDone(); }));
        d->cmdCancel_Click();
    });
    frmMain().mnuConfQVEL_Click();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    EXPECT_TRUE(shown);
    EXPECT_EQ(configCommands(),
              (QList<QByteArray>{QByteArray::fromHex("73180005ca"), QByteArray::fromHex("740900050a")}));
    EXPECT_EQ(card.sel, QByteArray::fromHex("180005ca"));
    EXPECT_EQ(card.brd, QByteArray::fromHex("0900050a"));
    EXPECT_FALSE(gAirCmdSelPending || gAirCmdBrdPending || gAirCmdMPending);
    // The connection mode is back, the protocol file holds the configuration.
    EXPECT_EQ(gConnMode, ConnRemote);
    QFile protocol(gProtocolPath);
    ASSERT_TRUE(protocol.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(protocol.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("SEL_FEEDBACK=18-00-05-CA"))) << text.toStdString();
}

TEST_F(AirCardE2E, PartnerCardFollowsThePatternOnTheReply)
{
    card.partner = QByteArray::fromHex("01000000");
    Form::queueModalAnswer([&](Form& form) {
        auto& d = dynamic_cast<FrmConfigQVEL&>(form);
        fill(d);
        gPartnerCardText = QStringLiteral("1000000");
        d.txtPartnerCard.setText(QStringLiteral("1000000"));
        d.txtPartnerCard.setText(QStringLiteral("2500000"));
        d.cmdOK_Click(); // the default panel is shown: the SEL pattern goes out first
        ASSERT_TRUE(sim::waitUntil([&] { return d.cardDone(); }));
        d.cmdCancel_Click();
    });
    frmMain().mnuConfQVEL_Click();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    EXPECT_EQ(configCommands(),
              (QList<QByteArray>{QByteArray::fromHex("731800054a"), QByteArray::fromHex("6d022625a0")}));
    EXPECT_EQ(card.partner, QByteArray::fromHex("022625a0"));
}

TEST_F(AirCardE2E, CancelLeavesNoStepForTheNextCard)
{
    Form::queueModalAnswer([&](Form& form) {
        auto& d = dynamic_cast<FrmConfigQVEL&>(form);
        fill(d);
        gAirCmdMPending = true;
        gAirCmdBrdPending = true;
        d.cmdCancel_Click();
    });
    frmMain().mnuConfQVEL_Click();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    EXPECT_FALSE(gAirCmdMPending || gAirCmdBrdPending);
    EXPECT_TRUE(configCommands().isEmpty());
}

} // namespace
} // namespace qv::test

namespace qv::test {
namespace {

class TypedCommandE2E : public ReceiverE2E
{
};

TEST_F(TypedCommandE2E, TheReplyIsAcknowledgedAndFollowedOnceByTheMemoryWrite)
{
    // The typed command goes out while the extended settings dialog is open, as the password card's box does.
    gActionCode = ActExtSettings;
    gExtSetFlag = false;
    bool shown = false;
    Form::queueModalAnswer([&](Form& form) {
        shown = true;
        auto& d = dynamic_cast<FrmExtSet&>(form);
        const qsizetype first = requests().size();
        gSendBuffer = BuildFrame(QByteArray::fromHex("c305010203"));
        SendFrame();
        EXPECT_TRUE(sim::waitUntil([&] {
            for (const QByteArray& r : requests())
                if (r == QByteArray::fromHex("827000"))
                    return true;
            return false;
        }));
        EXPECT_TRUE(gExtSetFlag);

        // With the flag set, the next reply is acknowledged and nothing more is sent.
        const qsizetype before = requests().size();
        EXPECT_GT(before, first);
        gSendBuffer = BuildFrame(QByteArray::fromHex("c305010203"));
        SendFrame();
        EXPECT_TRUE(stationReceived(int(before) + 1));
        sim::pumpEvents(200);
        EXPECT_EQ(requests().size(), before + 1);
        d.CancelButton_Click();
    });
    BeginStationAction();
    ASSERT_TRUE(sim::waitUntil([&] { return shown && gActionCode == ActNone; }, 10000));
    EXPECT_EQ(Form::pendingModalAnswers(), 0);
    CloseLink();
}

} // namespace
} // namespace qv::test
