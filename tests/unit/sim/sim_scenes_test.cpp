// The demo's stations: each scene sets the station up as that kind of station is, and the read-out scenes put
// cards in while nobody reads them.
#include "sim_memory.h"
#include "sim_scenes.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

using namespace qv::sim;

namespace {

// The card-in reports the station sent: 0xE5, 0xE6 and 0xE8 (0xE7 is the card taken out).
int cardReports(const SimStation& station)
{
    int n = 0;
    for (const LogEntry& e : station.log())
        n += e.direction == Direction::Sent && (e.command == 0xE5 || e.command == 0xE6 || e.command == 0xE8);
    return n;
}

} // namespace

TEST(SimScenes, EachSceneIsTheStationItNames)
{
    EXPECT_EQ(demoSceneNames(), (QStringList{"station", "readout", "radio", "gsm"}));
    for (const QString& name : demoSceneNames()) {
        SCOPED_TRACE(name.toStdString());
        SimStation station;
        station.setOutputSink([](const QByteArray&) {});
        const int modeBefore = station.memory().mode();
        const std::unique_ptr<QObject> scene = setUpDemoScene(station, name, 50);
        ASSERT_NE(scene, nullptr);
        const bool readout = name == u"readout" || name == u"radio";
        EXPECT_EQ(station.memory().mode(), readout ? 5 : modeBefore);
        if (name == u"gsm") {
            EXPECT_TRUE(station.memory().apnText().startsWith("1234internet.example,demo,secret"));
        }
        if (readout) {
            // Nobody reads the cards: each is taken out after a while and the next one put in.
            EXPECT_TRUE(waitUntil([&] { return cardReports(station) >= 3; }, 10000)) << cardReports(station);
        } else {
            pumpEvents(200);
            EXPECT_EQ(cardReports(station), 0);
        }
    }
    SimStation station;
    EXPECT_EQ(setUpDemoScene(station, QStringLiteral("stadium")), nullptr);
}
