// The card read-out end to end against the simulated station: cards of every family put in and taken out,
// each dumped, decoded, listed and acknowledged; repeated cards, cards pulled out, a silent station, the
// dump file's re-evaluation and transmitted punch records.
#include "app/file_helpers.h"
#include "app/language.h"
#include "app/settings.h"
#include "cards/card_interpreter.h"
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "link/link_globals.h"
#include "platform/dialogs/msgbox.h"
#include "receiver/card_replies.h"
#include "receiver_support.h"
#include "sim_cards.h"
#include "stationdata/modes.h"
#include "stationdata/station_time.h"
#include "support/card_list_cells.h"
#include "support/card_list_close.h"
#include "support/test_support.h"

#include <QFileInfo>
#include <optional>

namespace qv::test {
namespace {

using sim::CardFamily;
using sim::SimCard;

constexpr int kReadoutMode = 5;
// Punch times of every test card: 10:00:00, 10:05:00, 10:10:00.
constexpr int kFirstPunch = 36000;

SimCard card(CardFamily family, quint32 number, int punches = 3)
{
    SimCard c;
    c.family = family;
    c.number = number;
    for (int i = 0; i < punches; ++i)
        c.punches << sim::SimPunch{31 + i, kFirstPunch + 300 * i, 1};
    return c;
}

// One card of every family the interpreter knows, in both protocols.
QList<SimCard> everyFamily()
{
    return {card(CardFamily::Card5, 212345),       card(CardFamily::Card5Legacy, 312345),
            card(CardFamily::Card6, 600000),       card(CardFamily::Card6Of192, 700000),
            card(CardFamily::Card6Legacy, 800000), card(CardFamily::Card8, 2100000),
            card(CardFamily::Card9, 1500000),      card(CardFamily::Card10, 4100000),
            card(CardFamily::Card11, 6100000),     card(CardFamily::CardF7, 7100000, 40),
            card(CardFamily::CardAir, 8100000),    card(CardFamily::CardF9, 9100000)};
}

class CardReadoutTest : public ReceiverE2E
{
  protected:
    void SetUp() override
    {
        ReceiverE2E::SetUp();
        // Loaded after the program-wide state was reset, which empties the language in use.
        language.emplace();
        ASSERT_TRUE(language->loaded());
        // The station's mode is recognised by its name in the language in use.
        gModeTextReadout = GetLangText(gLangIndex, 1300 + kReadoutMode, QString());
        gModeTextPrintout = GetLangText(gLangIndex, 1311, QString());
        sim.station.memory().setMode(kReadoutMode);
        resetCardListRun(dir.path());
        gCardReadout = false;
        gEvaluatingDumpFile = false;
    }
    void TearDown() override
    {
        unloadCardListWithoutSaving();
        ReceiverE2E::TearDown();
        language.reset();
    }

    // Starts Read cards from the main window; `inWindow` runs while the card list is up, then the window
    // closes as the user closes it.
    void readCards(const std::function<void(FrmCards&)>& inWindow)
    {
        Form::queueModalAnswer([&](Form& f) {
            auto& cards = static_cast<FrmCards&>(f);
            inWindow(cards);
            closeCardListAnsweringNo(cards);
        });
        frmMain().mnuReadCards_Click();
        ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 10000));
        ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    }

    static int rows(const FrmCards& f) { return const_cast<FrmCards&>(f).lvCards.ListItems().Count(); }

    // All rows as "card number|punch count|first punch time".
    static QStringList rowSummary(FrmCards& f)
    {
        QStringList out;
        for (int r = 1; r <= rows(f); ++r)
            out << cardListCell(f, r, "N103000") + u'|' + cardListCell(f, r, "N133000") + u'|' +
                       cardListCell(f, r, "N143001").left(8);
        return out;
    }

    static QString expected(const SimCard& c)
    {
        return QString::number(c.number) + u'|' + QString::number(c.punches.size()) +
               QStringLiteral("|10:00:00");
    }

    qint64 dumpSize() const { return QFileInfo(gCardsBinFile).size(); }

    ScopedLocale locale{QStringLiteral("en_US")};
    std::optional<ScopedShippedLanguage> language;
    sim::SimCardSlot slot{sim.station};
};

TEST_F(CardReadoutTest, ReadsACardOfEveryFamilyAsOneRowEachDumpedAndAcknowledged)
{
    const QList<SimCard> cards = everyFamily();
    slot.queue(cards);
    slot.setAutoRun(true);
    // When the station hears a card's acknowledge, every block it sent is in the dump file.
    QList<qint64> dumpAtAcknowledge, sentAtAcknowledge;
    QObject::connect(&slot, &sim::SimCardSlot::cardAcknowledged, [&](int) {
        dumpAtAcknowledge << dumpSize();
        sentAtAcknowledge << qint64(slot.blocksSent()) * 128;
    });
    QStringList listed;
    readCards([&](FrmCards& f) {
        ASSERT_TRUE(slot.insertNext());
        ASSERT_TRUE(sim::waitUntil([&] { return slot.acknowledges() == cards.size(); }, 15000))
            << slot.acknowledges() << " acknowledged";
        listed = rowSummary(f);
        EXPECT_FALSE(f.piWait.Visible());
    });
    QStringList want;
    for (const SimCard& c : cards)
        want << expected(c);
    EXPECT_EQ(listed, want);
    // Every block the station sent is in the dump file, in the order received.
    EXPECT_EQ(dumpSize(), qint64(slot.blocksSent()) * 128);
    EXPECT_EQ(dumpAtAcknowledge, sentAtAcknowledge);
    EXPECT_EQ(dumpAtAcknowledge.size(), cards.size());
    EXPECT_FALSE(gCardsFormOpen);
}

TEST_F(CardReadoutTest, ARepeatedCardIsRefusedUnlessRepeatedCardsAreAllowed)
{
    for (const bool allowed : {false, true}) {
        SCOPED_TRACE(allowed ? "repeated cards allowed" : "repeated cards refused");
        const SimCard c = card(CardFamily::Card8, 2100001);
        slot.queue({c, c});
        slot.setAutoRun(true);
        const int acksBefore = slot.acknowledges();
        if (!allowed)
            DialogHooks::queue(DialogAnswer::press(vbOK));
        int listed = 0;
        readCards([&](FrmCards& f) {
            f.chkMulti.setValue(allowed ? vbChecked : vbUnchecked);
            EXPECT_EQ(f.mnuMulti.Checked(), allowed);
            ASSERT_TRUE(slot.insertNext());
            // A refused card is acknowledged too, so the station lets it go.
            ASSERT_TRUE(sim::waitUntil([&] { return slot.acknowledges() == acksBefore + 2; }));
            listed = rows(f);
        });
        EXPECT_EQ(listed, allowed ? 2 : 1);
        EXPECT_EQ(DialogHooks::pending(), 0);
        // The last card is taken out before the next run starts.
        ASSERT_TRUE(sim::waitUntil([&] { return !slot.cardInside(); }));
        sim::pumpEvents(50);
    }
}

TEST_F(CardReadoutTest, ACardWhoseRowWasFoundAndDeletedIsReadIntoTheListAgain)
{
    const SimCard first = card(CardFamily::Card8, 2100007);
    const SimCard other = card(CardFamily::Card9, 1500007);
    slot.queue({first, other, first});
    QStringList before;
    QStringList after;
    int selectedAfterSearch = 0;
    readCards([&](FrmCards& f) {
        f.chkMulti.setValue(vbUnchecked); // a card already listed is refused
        for (int n = 1; n <= 2; ++n) {
            ASSERT_TRUE(slot.insertNext());
            ASSERT_TRUE(sim::waitUntil([&] { return slot.acknowledges() == n && rows(f) == n; }));
            slot.removeCard();
        }
        before = rowSummary(f);

        // The person searches the card by its number and deletes its row.
        DialogHooks::queue(DialogAnswer::type(QStringLiteral("2100007")));
        f.mnuFind_Click();
        ListItem* hit = f.lvCards.SelectedItem();
        selectedAfterSearch = hit ? hit->Index() : 0;
        DialogHooks::queue(DialogAnswer::press(vbYes));
        f.mnuDelete_Click();

        // Put in again, it is read and listed, not refused as read already.
        ASSERT_TRUE(slot.insertNext());
        ASSERT_TRUE(sim::waitUntil([&] { return slot.acknowledges() == 3 && rows(f) == 2; }));
        after = rowSummary(f);
    });
    EXPECT_EQ(before, (QStringList{expected(first), expected(other)}));
    EXPECT_EQ(selectedAfterSearch, 1);
    EXPECT_EQ(after, (QStringList{expected(other), expected(first)}));
    EXPECT_EQ(DialogHooks::pending(), 0);
    EXPECT_TRUE(DialogHooks::errors().isEmpty()) << DialogHooks::errors().join(u'\n').toStdString();
}

TEST_F(CardReadoutTest, ACardPulledOutMidReadLeavesNoHalfRowAndCanBeReadAgain)
{
    SimCard pulled = card(CardFamily::CardF7, 7100002, 40);
    pulled.pullOutAfterBlocks = 2;
    const SimCard next = card(CardFamily::Card9, 1500002);
    SimCard again = pulled;
    again.pullOutAfterBlocks = -1;
    slot.queue({pulled, next, again});
    slot.setAutoRun(true);
    QStringList listed;
    readCards([&](FrmCards& f) {
        ASSERT_TRUE(slot.insertNext());
        ASSERT_TRUE(sim::waitUntil([&] { return slot.acknowledges() == 2; }));
        listed = rowSummary(f);
    });
    EXPECT_EQ(listed, (QStringList{expected(next), expected(again)}));
}

TEST_F(CardReadoutTest, AStationSilentInTheMiddleOfACardEndsItsReadWithTheMessageAndKeepsTheBlocks)
{
    SimCard silent = card(CardFamily::CardF7, 7100003, 40);
    silent.silentAfterBlocks = 1;
    slot.queue(silent);
    // The give-up message, whether or not the list is in front.
    DialogHooks::queue(DialogAnswer::press(vbOK));
    int listed = -1;
    QString waitText;
    readCards([&](FrmCards& f) {
        ASSERT_TRUE(slot.insertNext());
        ASSERT_TRUE(sim::waitUntil([&] { return slot.blocksSent() == 1 && frmMain().Timer1.Enabled(); }));
        // The reply time-out, shortened for the test, runs out five times.
        gReplyTimeout = 100;
        frmMain().Timer1.setInterval(100);
        ASSERT_TRUE(sim::waitUntil([] { return gRetryCount > kMaxResends; }));
        listed = rows(f);
        waitText = f.lblWait.Caption();
        // Nothing was listed, so closing asks nothing (the answer for the give-up message may still wait).
        letCardListChangesGo();
    });
    EXPECT_EQ(listed, 0);
    const QString message = GetLangText(gLangIndex, 1882, QString());
    const bool shown = waitText == message ||
                       (!DialogHooks::asked().isEmpty() && DialogHooks::asked().back().prompt == message);
    EXPECT_TRUE(shown) << waitText.toStdString();
    EXPECT_EQ(dumpSize(), 128);
    EXPECT_EQ(slot.acknowledges(), 0);
}

TEST_F(CardReadoutTest, TheDumpFileReEvaluatedGivesTheSameRowsAsTheLiveRun)
{
    const QList<SimCard> cards = everyFamily();
    slot.queue(cards);
    slot.setAutoRun(true);
    QStringList live;
    QStringList again;
    readCards([&](FrmCards& f) {
        ASSERT_TRUE(slot.insertNext());
        ASSERT_TRUE(sim::waitUntil([&] { return slot.acknowledges() == cards.size(); }, 15000));
        live = rowSummary(f);
        gCardFilePath = gCardsBinFile;
        f.mnuPrevEval_Click();
        again = rowSummary(f);
        EXPECT_FALSE(gEvaluatingDumpFile);
        EXPECT_EQ(gActionCode, ActReadCards);
    });
    EXPECT_EQ(again, live);
}

TEST_F(CardReadoutTest, ViewPunchesListsTransmittedRecordsWithTheirColumns)
{
    // A station in a punching mode transmits its punches as they happen.
    sim.station.memory().setMode(2);
    QStringList rowsSeen;
    Form::queueModalAnswer([&](Form& f) {
        auto& cards = static_cast<FrmCards&>(f);
        sim::SimPunchRecord p;
        p.code = 47;
        p.card = 2100005;
        p.seconds = 36000 + 61;
        p.subSecond = 0;
        sendPunchRecord(sim.station, p);
        p.subSecond = 0xFF;
        p.card = 0;
        sendPunchRecord(sim.station, p);
        p.subSecond = 10;
        sendPunchRecord(sim.station, p, true);
        ASSERT_TRUE(sim::waitUntil([&] { return cards.lvCards.ListItems().Count() == 3; }));
        for (int r = 1; r <= 3; ++r) {
            ListItem& item = cards.lvCards.ListItems().Item(r);
            rowsSeen << item.Text() + u'|' + item.SubItems(2).trimmed() + u'|' + item.SubItems(3) + u'|' +
                            item.SubItems(5);
        }
        closeCardListAnsweringNo(cards);
    });
    frmMain().mnuViewPunch_Click();
    ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 10000));
    EXPECT_EQ(rowsSeen,
              (QStringList{"1|2100005|47|10:01:01.000", "2||47|10:01:01.996", "3||47|10:01:01.500"}));
}

} // namespace
} // namespace qv::test
