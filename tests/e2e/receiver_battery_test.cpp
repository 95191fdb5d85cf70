// A battery change end to end against the simulated station: the reads, the dialog with the station's values,
// the write of the battery blocks (one combined write, or block by block in the base protocol), the end of
// the operation, and a Read that shows the new values.
#include "app/language.h"
#include "link/link_globals.h"
#include "platform/controls/vbconst.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/textfile.h"
#include "receiver_support.h"
#include "stationdata/station_data.h"
#include "support/test_support.h"
#include "ui/dialogs/frm_batt.h"

#include <functional>

namespace qv::test {
namespace {

class ReceiverBatteryTest : public ReceiverE2E
{
  protected:
    void SetUp() override
    {
        ReceiverE2E::SetUp();
        ASSERT_TRUE(loadEnglishTexts());
        sim::StationMemory& m = sim.station.memory();
        m.setBatteryDate(2024, 6, 30);
        m.setBatteryUsed(720u * 3600u); // 72 % of 1000 mAh
        // The two status bytes a battery change clears.
        m.write(0x31, bytes({0x5C, 0x07}));
    }
    void TearDown() override
    {
        ReceiverE2E::TearDown();
        gXmlDoc.clear();
    }

    // Runs the battery command; the dialog, once shown, gets `answer`. Returns what the dialog showed.
    struct Shown
    {
        QString cap, consumption, newDate, oldDate;
        bool okEnabled = false;
    };
    Shown battery(const std::function<void(FrmBatt&)>& answer, bool cancelled = false)
    {
        Shown shown;
        Form::queueModalAnswer([&](Form& form) {
            auto& d = dynamic_cast<FrmBatt&>(form);
            shown = {d.txtCap.Text(), d.txtConsumption.Text(), d.txtBdat(0).Text(), d.txtBdat(1).Text(),
                     d.cmdOK.Enabled()};
            answer(d);
        });
        sim.station.clearLog();
        frmMain().mnuBatt_Click();
        // Cancel closes the port and leaves the operation as it stands.
        if (cancelled)
            EXPECT_TRUE(sim::waitUntil([] { return !frmMain().MSComm1.PortOpen(); }));
        else
            EXPECT_TRUE(ended()) << frmMain().Aktion().Text().toStdString();
        EXPECT_EQ(Form::pendingModalAnswers(), 0);
        return shown;
    }
    void read()
    {
        sim.station.clearLog();
        frmMain().mnuRead_Click();
        ASSERT_TRUE(ended());
    }
    QByteArray station(int address, int length) const { return sim.station.memory().read(address, length); }

    ScopedLocale locale{QStringLiteral("en_US")};
};

} // namespace

TEST_F(ReceiverBatteryTest, ANewBatteryIsWrittenInOneRequestAndTheNextReadShowsIt)
{
    FrmMain& f = frmMain();
    const QByteArray untouched10 = station(0x10, 5), untouched20 = station(0x20, 16);
    const Shown shown = battery([](FrmBatt& d) {
        d.txtCap.setText(QStringLiteral("1800"));
        d.cmdOK_Click();
    });
    EXPECT_EQ(shown.consumption, QStringLiteral("0"));
    EXPECT_EQ(shown.newDate, QStringLiteral("12/9/2026"));
    EXPECT_EQ(shown.oldDate, QStringLiteral("6/30/2024"));
    EXPECT_TRUE(shown.okEnabled);

    // One write of 0x10 to 0x3F, then the station's signal ends the conversation.
    EXPECT_EQ(chain(),
              (QList<QByteArray>{bytes({0xF0}), bytes({0x83, 0x00}), bytes({0x82, 0x10}), bytes({0xF9})}));
    EXPECT_EQ(requests().at(2).size(), 2 + 48);
    EXPECT_EQ(station(0x18, 4), bytes({0x00, 0x62, 0xE0, 0x80}));
    EXPECT_EQ(station(0x15, 3), bytes({26, 12, 9}));
    EXPECT_EQ(station(0x34, 4), bytes({0, 0, 0, 0}));
    EXPECT_EQ(station(0x31, 2), bytes({0, 0}));
    // Everything else goes back as it was read.
    EXPECT_EQ(station(0x10, 5), untouched10);
    EXPECT_EQ(station(0x20, 16), untouched20);
    EXPECT_EQ(records(), QStringList{QStringLiteral("New battery")});

    f.txtCap.setText(QString());
    f.txtBDate.setText(QString());
    // The Read's checks remind the user that the capacity is not the rated one.
    DialogHooks::queue(DialogAnswer::press(vbOK));
    read();
    EXPECT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(f.txtCap.Text(), QStringLiteral("1800 mAh"));
    EXPECT_EQ(f.txtBDate.Text(), QStringLiteral("12/9/2026"));
    EXPECT_EQ(f.lblConsumption(0).Caption().trimmed(), QStringLiteral("0%"));
}

TEST_F(ReceiverBatteryTest, KeepingTheOldDateWithAPartlyUsedBattery)
{
    battery([](FrmBatt& d) {
        d.optBdat(1).setValue(true);
        d.txtConsumption.setText(QStringLiteral("50"));
        d.cmdOK_Click();
    });
    EXPECT_EQ(station(0x15, 3), bytes({24, 6, 30}));
    // Half of 1000 mAh: 1,800,000 mAs.
    EXPECT_EQ(station(0x34, 4), bytes({0x00, 0x1B, 0x77, 0x40}));
    EXPECT_EQ(station(0x18, 4), bytes({0x00, 0x36, 0xEE, 0x80}));
}

TEST_F(ReceiverBatteryTest, TheBaseProtocolReadsBlockByBlockAndWritesBlock10ThenBlock30)
{
    gUseExtCommands = false;
    battery([](FrmBatt& d) {
        d.txtCap.setText(QStringLiteral("1800"));
        d.cmdOK_Click();
    });
    EXPECT_EQ(chain(), (QList<QByteArray>{bytes({0xF0}), bytes({0x73, 0x00}), bytes({0x73, 0x10}),
                                          bytes({0x73, 0x20}), bytes({0x73, 0x30}), bytes({0x73, 0xD0}),
                                          bytes({0x72, 0x10}), bytes({0x72, 0x30})}));
    EXPECT_EQ(station(0x18, 4), bytes({0x00, 0x62, 0xE0, 0x80}));
    EXPECT_EQ(station(0x15, 3), bytes({26, 12, 9}));
    EXPECT_EQ(station(0x34, 4), bytes({0, 0, 0, 0}));
    EXPECT_EQ(station(0x31, 2), bytes({0, 0}));
    // The second block's reply is recorded with its own text before the operation's record.
    EXPECT_EQ(records(),
              (QStringList{QStringLiteral("Battery data written"), QStringLiteral("New battery")}));
}

TEST_F(ReceiverBatteryTest, CancelWritesNothingAndClosesThePort)
{
    const QByteArray before = station(0x10, 0x30);
    battery(
        [](FrmBatt& d) {
            d.txtCap.setText(QStringLiteral("1800"));
            d.cmdCancel_Click();
        },
        true);
    EXPECT_EQ(station(0x10, 0x30), before);
    EXPECT_TRUE(records().isEmpty());
    EXPECT_EQ(chain(), (QList<QByteArray>{bytes({0xF0}), bytes({0x83, 0x00})}));
    EXPECT_FALSE(frmMain().cmdStop.Visible());
}

TEST_F(ReceiverBatteryTest, TheMobileNetworkStationShowsItsBatteryAfterTheSecondHalfAndWritesNothing)
{
    sim.station.memory().makeGsmStation("9463internet.example,anna,alt;");
    const QByteArray before = station(0x10, 0x30);
    const Shown shown = battery([](FrmBatt& d) {
        d.txtCap.setText(QStringLiteral("1800"));
        EXPECT_FALSE(d.cmdOK.Enabled());
        d.cmdCancel_Click();
    });
    EXPECT_FALSE(shown.okEnabled);
    // The dialog closed, the operation ends as the station's signal follows.
    EXPECT_EQ(chain(),
              (QList<QByteArray>{bytes({0xF0}), bytes({0x83, 0x00}), bytes({0x83, 0x80}), bytes({0xF9})}));
    EXPECT_EQ(station(0x10, 0x30), before);
}

} // namespace qv::test
