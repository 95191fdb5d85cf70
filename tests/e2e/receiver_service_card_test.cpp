// The service card in the password operations: only the station's service card is taken, its function is
// named, and the operation's next request goes out from its image.
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "receiver/receiver_globals.h"
#include "receiver/write_replies.h"
#include "receiver_support.h"
#include "sim_cards.h"

namespace qv::test {
namespace {

class ServiceCardTest : public ReceiverE2E
{
  protected:
    void SetUp() override
    {
        ReceiverE2E::SetUp();
        gServiceCardWords = {QStringLiteral("off"), QStringLiteral("clear"), QStringLiteral("print results"),
                             QStringLiteral("start"), QString()};
        gExtSetFlag = false;
        DialogHooks::reset();
    }
    void TearDown() override
    {
        DialogHooks::reset();
        ReceiverE2E::TearDown();
    }

    // The card put on the station in the operation, then the operation's own request for its image.
    void putOnAndRead(int16_t action, quint32 number, const QByteArray& serviceData)
    {
        sim::SimCard card;
        card.family = sim::CardFamily::Card5;
        card.number = number;
        card.serviceData = serviceData;
        slot.queue(card);
        if (!frmMain().MSComm1.PortOpen())
            frmMain().MSComm1.setPortOpen(true);
        gActionCode = action;
        ASSERT_TRUE(slot.insertNext());
        ASSERT_TRUE(sim::waitUntil([] { return gCardInserted; }));
        gSendBuffer = BuildFrame(CmdReadCardA);
        SendFrame();
    }
    // Requests after the image request.
    QList<QByteArray> afterImageRequest() const
    {
        const QList<QByteArray> all = requests();
        const qsizetype at = all.indexOf(QByteArray(1, char(CmdReadCardA)));
        return at < 0 ? QList<QByteArray>() : all.mid(at + 1);
    }

    sim::SimCardSlot slot{sim.station};
};

} // namespace

TEST_F(ServiceCardTest, ItsImageNamesTheFunctionAndSendsTheOperationsNextRequest)
{
    const QByteArray data = QByteArray::fromHex("0e00123456789abcdef00102030405060708");
    struct Case
    {
        int16_t action;
        QList<QByteArray> next;
    };
    // Reading a password card: the one-byte write that follows; clearing: the password command built from
    // the card's data (no password typed: four zero bytes), whose answer brings the same one-byte write.
    // The card's data from byte 80 on, the byte before its function.
    const QByteArray payload = QByteArray(1, '\0') + data.left(15);
    const QByteArray clear = QByteArray::fromHex("c305000e") + QByteArray(4, '\0') + payload.right(10);
    const Case cases[] = {{ActPasswordSet, {QByteArray::fromHex("827000")}},
                          {ActPasswordClear, {clear, QByteArray::fromHex("827000")}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        sim.station.clearLog();
        frmMain().rtbox(0).setText(QString());
        gExtSetFlag = false;
        putOnAndRead(c.action, 65513, data);
        ASSERT_TRUE(sim::waitUntil([&] { return afterImageRequest().size() == c.next.size(); }, 5000));
        sim::pumpEvents(100);
        EXPECT_EQ(afterImageRequest(), c.next);
        EXPECT_TRUE(frmMain().rtbox(0).Text().contains(QStringLiteral("Service Card - clear")));
        EXPECT_EQ(gHexPayload, payload);
        slot.removeCard();
        ASSERT_TRUE(sim::waitUntil([] { return !gCardInserted; }));
    }
}

TEST_F(ServiceCardTest, AnyOtherCardIsRefusedAndNothingIsSent)
{
    DialogHooks::queue(DialogAnswer::press(vbOK)); // "no Service Card" when it is put on
    DialogHooks::queue(DialogAnswer::press(vbOK)); // and again for its image
    putOnAndRead(ActPasswordSet, 12345, QByteArray::fromHex("0e00"));
    ASSERT_TRUE(sim::waitUntil([] { return DialogHooks::pending() == 0; }, 5000));
    sim::pumpEvents(1200);
    EXPECT_TRUE(afterImageRequest().isEmpty());
    EXPECT_FALSE(gExtSetFlag);
}

TEST_F(ServiceCardTest, AFunctionTheCardCannotHaveIsReportedAsAFault)
{
    DialogHooks::queue(DialogAnswer::press(vbOK)); // the fault report
    putOnAndRead(ActPasswordClear, 65513, QByteArray::fromHex("1400"));
    ASSERT_TRUE(sim::waitUntil([] { return DialogHooks::pending() == 0; }, 5000));
    sim::pumpEvents(200);
    EXPECT_TRUE(afterImageRequest().isEmpty());
}

} // namespace qv::test
