// A radio card put on the simulated read-out station while the radio-card dialogs are open: the card is
// probed, its block 3 fills the dialog, and what the user changes goes to the card one command per OK, each
// reply of the station sending the next pending step.
#include "app/file_helpers.h"
#include "app/settings.h"
#include "cards/card_interpreter.h"
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "link/end_action.h"
#include "link/sender.h"
#include "platform/runtime/clock.h"
#include "receiver/air_card.h"
#include "receiver/battery_dialog.h"
#include "receiver/card_replies.h"
#include "receiver/fixed_requests.h"
#include "receiver_support.h"
#include "sim_air_card.h"
#include "sim_cards.h"
#include "stationdata/modes.h"
#include "stationdata/radio_card.h"
#include "stationdata/station_time.h"
#include "support/card_list_cells.h"
#include "support/card_list_close.h"
#include "ui/dialogs/frm_batt.h"
#include "ui/dialogs/frm_config_qvel.h"

namespace qv::test {
namespace {

class RadioCardE2E : public ReceiverE2E
{
  protected:
    void SetUp() override
    {
        ReceiverE2E::SetUp();
        language.emplace();
        commands.followSlot(slot);
        gConnMode = ConnRemote;
        gCardBlockTimeoutMs = 2000;
        airCard.family = sim::CardFamily::CardAir;
        airCard.number = 8000001;
        airCard.radio = &radio;
        slot.queue(airCard);
    }
    void TearDown() override
    {
        Form::clearModalAnswers();
        ReceiverE2E::TearDown();
        language.reset();
    }

    // The station in its read-out mode, and no card list, file or column set left from before: the radio-card
    // list reads the cards put on it.
    void prepareRadioCardList()
    {
        constexpr int kReadoutMode = 5;
        gModeTextReadout = GetLangText(gLangIndex, 1300 + kReadoutMode, QString());
        sim.station.memory().setMode(kReadoutMode);
        resetCardListRun(dir.path());
    }

    // The commands the station received, as command byte and data.
    QList<QByteArray> sentSince(qsizetype from) const { return requests().mid(from); }
    // The configuration commands (0xEA) the station received: sub-code and data.
    QList<QByteArray> configCommands() const
    {
        QList<QByteArray> out;
        for (const QByteArray& r : requests())
            if (uint8_t(r.at(0)) == 0xEA)
                out << r.mid(1);
        return out;
    }

    ScopedLocale locale{QStringLiteral("en_US")};
    std::optional<ScopedShippedLanguage> language;
    sim::SimCardSlot slot{sim.station};
    sim::SimAirCardCommands commands{sim.station};
    sim::SimRadioCard radio;
    sim::SimCard airCard;
};

TEST_F(RadioCardE2E, ThePutOnCardFillsTheDialogAndEachOkSendsOneCommand)
{
    // Software 3.0: the card reports no KEZ state, so the dialog keeps its number for the user's changes.
    radio.swMajor = 3;
    radio.sel = QByteArray::fromHex("1800054a");
    radio.partner = QByteArray::fromHex("022625a0");
    QStringList seen;
    QList<QByteArray> probe;
    Form::queueModalAnswer([&](Form& form) {
        auto& d = dynamic_cast<FrmConfigQVEL&>(form);
        const qsizetype before = requests().size();
        ASSERT_TRUE(slot.insertNext());
        ASSERT_TRUE(sim::waitUntil([&] { return !d.lblSWHW(1).Caption().isEmpty(); }));
        sim::pumpEvents(100);
        probe = sentSince(before);
        seen << d.lblCardNo(1).Caption() << d.lblSWHW(1).Caption() << d.txtAnz(0).Text()
             << d.txtPartnerCard.Text() << d.Caption().section(QStringLiteral(" - "), 1);
        EXPECT_TRUE(d.chkSEL_Beep(6).Value() == 1 && d.chkSEL_LedR(0).Value() == 1);

        // The user adds a beep and presses OK: one command, and its reply ends the configuration.
        d.opDefault(3).setValue(true);
        d.chkSEL_Beep(7).setValue(1);
        ASSERT_TRUE(d.cmdOK.Enabled());
        d.cmdOK_Click();
        ASSERT_TRUE(sim::waitUntil([&] { return d.cardDone(); }));
        EXPECT_FALSE(gAirCmdSelPending || gAirCmdBrdPending || gAirCmdMPending);
        ASSERT_TRUE(sim::waitUntil([&] { return !d.cmdOK.Enabled(); }));
        EXPECT_EQ(d.cmdCancel.Caption(), QStringLiteral("&Close"))
            << "the change is in: the dialog is closed";
        d.cmdCancel_Click();
    });
    frmMain().mnuConfQVEL_Click();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 15000));
    EXPECT_EQ(seen, (QStringList{"8000001", "1.2 / 3.0", "24", "2500000", "8000001"}));
    EXPECT_EQ(probe, (QList<QByteArray>{QByteArray::fromHex("ef03"), QByteArray::fromHex("ea7e05050505"),
                                        QByteArray::fromHex("ef03")}));
    EXPECT_EQ(configCommands(),
              (QList<QByteArray>{QByteArray::fromHex("7e05050505"), QByteArray::fromHex("73180005ca")}));
    EXPECT_EQ(radio.sel, QByteArray::fromHex("180005ca"));
    EXPECT_EQ(gConnMode, ConnRemote);
}

TEST_F(RadioCardE2E, KezWaitOnIsWrittenToTheNextCardPutOnWithItsStart)
{
    radio.kezState = 2;
    Form::queueModalAnswer([&](Form& form) {
        auto& d = dynamic_cast<FrmConfigQVEL&>(form);
        // The one-shot option first, then the card: the start goes to it as it is read.
        d.chkKEZWAITon.setValue(1);
        ASSERT_FALSE(d.cmdOK.Visible());
        ASSERT_TRUE(slot.insertNext());
        ASSERT_TRUE(sim::waitUntil([&] { return d.cardDone(); }));
        d.cmdCancel_Click();
    });
    frmMain().mnuConfQVEL_Click();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 15000));
    const QList<QByteArray> sent = configCommands();
    ASSERT_GE(sent.size(), 3);
    EXPECT_EQ(uint8_t(sent.at(1).at(0)), AirCfgKezWait);
    EXPECT_EQ(sent.at(2), QByteArray::fromHex("7e08000000"));
    EXPECT_EQ(radio.kezState, 1);
    EXPECT_GT(radio.waiting, 0);
    EXPECT_FALSE(gAirCmd7E08Pending || gAirReportPending1);
}

TEST_F(RadioCardE2E, TheBatteryChangeWritesTheNewDateToTheCard)
{
    radio.battery = QByteArray::fromHex("1a030e07");
    QString oldDate;
    Form::queueModalAnswer([&](Form& form) {
        auto& d = dynamic_cast<FrmBatt&>(form);
        ASSERT_TRUE(slot.insertNext());
        ASSERT_TRUE(sim::waitUntil([&] { return !d.txtBdat(1).Text().isEmpty(); }));
        oldDate = d.txtBdat(1).Text();
        EXPECT_EQ(d.lblCardNo.Caption(), QStringLiteral("8000001"));
        ASSERT_TRUE(d.cmdOK.Enabled());
        d.cmdOK_Click();
        // The card's reply: the station signals, and OK waits for the next card; the dialog says the card
        // took it and is closed, not cancelled.
        ASSERT_TRUE(sim::waitUntil([&] { return !d.cmdOK.Enabled(); }));
        EXPECT_EQ(d.lblCardNo.Caption(), QStringLiteral("8000001: written to the card"));
        EXPECT_EQ(d.cmdCancel.Caption(), QStringLiteral("&Close"));
        d.cmdCancel_Click();
    });
    frmMain().mnuNewBattQVEL_Click();
    ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 15000));
    // The day the dialog offers as the new battery date: the program's own today.
    const QDate today = Date();
    EXPECT_EQ(oldDate, QStringLiteral("3/14/2026"));
    EXPECT_EQ(radio.battery,
              QByteArray(1, char(today.year() % 100)) + char(today.month()) + char(today.day()) + char(0x07));
    EXPECT_EQ(gConnMode, ConnRemote);
}

// The battery change on stations of every kind the card is put on: the findings about a read-out station are
// shown and the change goes on as on a control station; a station whose extended protocol is off cannot reach
// the card's battery, and the change ends saying so.
TEST_F(RadioCardE2E, TheBatteryChangeGoesOnOrEndsSayingWhy)
{
    constexpr int kControlMode = 2;
    constexpr int kReadoutMode = 5;
    struct Case
    {
        const char* what;
        int mode;
        bool extendedProtocol;
        bool goesOn;
    };
    const Case cases[] = {
        {"control station", kControlMode, true, true},
        {"read-out station", kReadoutMode, true, true},
        {"extended protocol off", kControlMode, false, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        sim::StationMemory& m = sim.station.memory();
        m.setMode(k.mode);
        m.write(sim::kAddrOptions, QByteArray(1, char(k.extendedProtocol ? 0x01 : 0x00)));
        if (k.mode != kControlMode || !k.extendedProtocol)
            DialogHooks::queue(DialogAnswer::press(vbOK)); // the findings about the station
        bool dialogShown = false;
        if (k.goesOn) {
            Form::queueModalAnswer([&](Form& form) {
                dialogShown = true;
                dynamic_cast<FrmBatt&>(form).cmdCancel_Click();
            });
        }
        frmMain().mnuNewBattQVEL_Click();
        ASSERT_TRUE(sim::waitUntil([&] { return dialogShown || gActionCode == ActNone; }, 15000));
        sim::pumpEvents(200);
        EXPECT_EQ(DialogHooks::pending(), 0);
        EXPECT_EQ(dialogShown, k.goesOn);
        if (!k.goesOn) {
            EXPECT_EQ(gActionCode, ActNone);
            EXPECT_FALSE(frmMain().MSComm1.PortOpen());
            EXPECT_TRUE(frmMain().Aktion().Text().endsWith(GetLangText(gLangIndex, 1976, QString())));
            EXPECT_TRUE(frmMain().Aktion().Text().startsWith(GetLangText(gLangIndex, 1784, QString())));
        }
        ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone || !frmMain().MSComm1.PortOpen(); }));
        CloseLink();
        gActionCode = ActNone;
        Form::clearModalAnswers();
    }
}

TEST_F(RadioCardE2E, AnotherCardIsNamedButNotRead)
{
    sim::SimCard plain;
    plain.family = sim::CardFamily::Card8;
    plain.number = 2100005;
    slot.queue(plain);
    QString number;
    Form::queueModalAnswer([&](Form& form) {
        auto& d = dynamic_cast<FrmBatt&>(form);
        slot.insertNext(); // the air card
        slot.insertNext(); // replaced by another card
        ASSERT_TRUE(sim::waitUntil([&] { return d.lblCardNo.Caption().endsWith(QStringLiteral("??????")); }));
        number = d.lblCardNo.Caption();
        sim::pumpEvents(200);
        EXPECT_FALSE(d.cmdOK.Enabled());
        d.cmdCancel_Click();
    });
    frmMain().mnuNewBattQVEL_Click();
    ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 15000));
    EXPECT_EQ(number, QStringLiteral("2100005 ??????"));
}

TEST_F(RadioCardE2E, TheRadioCardListReadsTheCardWithItsBattery)
{
    prepareRadioCardList();
    QString volts;
    Form::queueModalAnswer([&](Form& f) {
        auto& cards = static_cast<FrmCards&>(f);
        ASSERT_TRUE(slot.insertNext());
        // The battery column needs the card's software first: probe, wake-up, block 3, acknowledge.
        ASSERT_TRUE(sim::waitUntil([&] { return slot.acknowledges() == 1; }, 10000));
        ASSERT_EQ(cards.lvCards.ListItems().Count(), 1);
        volts = cardListCell(cards, 1, "N157000");
        closeCardListAnsweringNo(cards);
    });
    frmMain().mnuQVEL_List_Click();
    ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 15000));
    EXPECT_FALSE(volts.isEmpty());
    const QList<QByteArray> sent = requests();
    EXPECT_TRUE(sent.contains(QByteArray::fromHex("ea7e05050505")));
}

// The radio-card list reads the card put on the station; when the card then switches its activation state,
// the station transmits the card's activation record, which becomes a row of its own under the card's row:
// the state in the column the list widens for it, the waiting card's two settings before it, the waiting time
// after it.
TEST_F(RadioCardE2E, TheRadioCardListShowsTheCardsStateFromItsActivationRecords)
{
    prepareRadioCardList();

    struct Case
    {
        int state;
        QByteArray config;
        int waiting; // two-minute steps
        QString values, shownState, duration;
    };
    const Case cases[] = {
        {1, QByteArray::fromHex("0c1e"), 30, "12 30", "KEZWAIT", FormatSeconds(QStringLiteral("3600"))},
        {2, QByteArray::fromHex("0005"), 0, "255", "KEZON", FormatSeconds(QStringLiteral("0"))},
        {0x22, QByteArray::fromHex("0005"), 0, "255", "+KEZON", FormatSeconds(QStringLiteral("0"))},
        {0, QByteArray::fromHex("0005"), 0, "255", "KEZOFF", FormatSeconds(QStringLiteral("0"))},
    };
    QStringList seen, expected;
    QString cardRow;
    double stateWidth = 0;
    Form::queueModalAnswer([&](Form& f) {
        auto& cards = static_cast<FrmCards&>(f);
        ASSERT_TRUE(slot.insertNext());
        ASSERT_TRUE(sim::waitUntil([&] { return slot.acknowledges() == 1; }, 10000));
        ASSERT_EQ(cards.lvCards.ListItems().Count(), 1);
        int rows = 1;
        for (const Case& c : cases) {
            radio.kezState = c.state;
            radio.config.replace(0, 2, c.config);
            radio.waiting = c.waiting;
            sim::sendActivationRecord(sim.station, airCard);
            ++rows;
            ASSERT_TRUE(sim::waitUntil([&] { return cards.lvCards.ListItems().Count() == rows; }))
                << "no row for state " << c.state;
            ListItem& item = cards.lvCards.ListItems().Item(rows);
            seen << QStringList{item.SubItems(2).trimmed(), item.SubItems(3), item.SubItems(4),
                                item.SubItems(5), item.SubItems(6)}
                        .join(u'|');
            expected << QStringList{QStringLiteral("8000001"), c.values, c.shownState, c.duration, "AKT"}
                            .join(u'|');
        }
        cardRow = cards.lvCards.ListItems().Item(1).SubItems(2).trimmed();
        stateWidth = cards.lvCards.ColumnHeaders().Item(5).Width();
        closeCardListAnsweringNo(cards);
    });
    frmMain().mnuQVEL_List_Click();
    ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 15000));
    EXPECT_EQ(cardRow, QStringLiteral("8000001"));
    EXPECT_EQ(seen, expected);
    EXPECT_GE(stateWidth, 850);
}

} // namespace
} // namespace qv::test
