// The demo's stations: what each is set up as, and the person putting cards in while the program runs.
#include "sim_scenes.h"

#include "sim_air_card.h"
#include "sim_cards.h"
#include "sim_memory.h"

#include <QTimer>
#include <array>

namespace qv::sim {

namespace {

constexpr int kReadoutMode = 5;
// The person takes a card out this long after the station acknowledged it, and puts the next one in.
constexpr int kHandlingMs = 1500;

// A card with four punches 75 s apart from `firstPunch` (seconds of the day).
SimCard punchedCard(CardFamily family, quint32 number, int firstPunch)
{
    SimCard c;
    c.family = family;
    c.number = number;
    for (int i = 0; i < 4; ++i)
        c.punches << SimPunch{31 + i, firstPunch + 75 * i, 3};
    return c;
}

// The cards of a scene, put into the station one after the other, round and round: a card read out is taken
// out once acknowledged; one that lies unread (the program is not reading cards) is taken out after a while.
class CardRound : public QObject
{
  public:
    CardRound(SimStation& station, int intervalMs) : m_slot(station), m_commands(station)
    {
        m_commands.followSlot(m_slot);
        m_slot.setAutoRun(true, kHandlingMs);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start(intervalMs);
        QTimer::singleShot(kHandlingMs, this, [this] { tick(); });
    }

    void setCards(const QList<SimCard>& cards) { m_cards = cards; }

    // The radio cards of a scene, which the cards put in point to.
    std::array<SimRadioCard, 2> radio;

  private:
    void tick()
    {
        // A card the station is reading or has just acknowledged stays with the reading.
        const bool busy = m_slot.blocksSent() != m_lastBlocks || m_slot.acknowledges() != m_lastAcks;
        m_lastBlocks = m_slot.blocksSent();
        m_lastAcks = m_slot.acknowledges();
        if (busy)
            return;
        if (m_slot.cardInside())
            m_slot.removeCard();
        if (m_slot.queued() == 0)
            m_slot.queue(m_cards);
        m_slot.insertNext();
    }

    SimCardSlot m_slot;
    SimAirCardCommands m_commands;
    QList<SimCard> m_cards;
    QTimer m_timer;
    int m_lastBlocks = 0;
    int m_lastAcks = 0;
};

} // namespace

QStringList demoSceneNames()
{
    return {QStringLiteral("station"), QStringLiteral("readout"), QStringLiteral("radio"),
            QStringLiteral("gsm")};
}

std::unique_ptr<QObject> setUpDemoScene(SimStation& station, const QString& name, int cardIntervalMs)
{
    if (name == u"station")
        return std::make_unique<QObject>();
    if (name == u"gsm") {
        station.memory().makeGsmStation("1234internet.example,demo,secret;");
        return std::make_unique<QObject>();
    }
    if (name == u"readout") {
        station.memory().setMode(kReadoutMode);
        const QList<SimCard> cards = {punchedCard(CardFamily::Card8, 2100011, 36000),
                                      punchedCard(CardFamily::CardF7, 7100012, 36600),
                                      punchedCard(CardFamily::Card6, 600013, 37200)};
        auto round = std::make_unique<CardRound>(station, cardIntervalMs);
        round->setCards(cards);
        return round;
    }
    if (name == u"radio") {
        station.memory().setMode(kReadoutMode);
        // Two radio cards: one of the older software, whose patterns the dialog edits, and one that reports
        // its activation state.
        auto round = std::make_unique<CardRound>(station, cardIntervalMs);
        round->radio[0].swMajor = 3;
        QList<SimCard> cards;
        for (int i = 0; i < 2; ++i) {
            SimCard c;
            c.family = CardFamily::CardAir;
            c.number = 8000001 + quint32(i);
            c.radio = &round->radio[size_t(i)];
            cards << c;
        }
        round->setCards(cards);
        return round;
    }
    return nullptr;
}

} // namespace qv::sim
