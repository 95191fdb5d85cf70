// Fixture of the window tests against the simulated station: the program as a user starts it, with the
// station on COM1 (the port the settings remember), tracing on and an empty protocol file.
#pragma once
#include "link/link_globals.h"
#include "platform/system/textfile.h"
#include "receiver/receiver.h"
#include "sim_on_port.h"
#include "sim_test_support.h"
#include "support/main_window_fixture.h"

#include <QApplication>
#include <optional>

namespace qv::test {

class StationWindowTest : public MainWindowTest
{
  protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // The program's pauses (resend delays, waits for a second's fraction) pass on the test clock.
        m_clock.setAutoStep(10);
        // The station answers on COM1, the port the settings remember; tracing is on (the protocol path
        // carries the trace mark).
        sim.emplace(1);
        ASSERT_TRUE(sim->started()) << sim->station.errorString().toStdString();
        sim::StationMemory& m = sim->station.memory();
        m.setSerialNumber(201537);
        m.setFirmware("656");
        m.setCodeNumber(31);
        m.setProductionDate(2021, 3, 17);
        m.setBatteryDate(2025, 4, 2);
        writeSettings(QStringLiteral("[COMCTRL]\r\nPort=COM1\r\nBaud=38400\r\n[FILES]\r\nProtocol=") +
                      dataFolder() + QStringLiteral("/LOG/Protocol.CSV") +
                      (tracing() ? QString(QChar(kTraceMark)) : QString()) + QStringLiteral("\r\n"));
        // A protocol file the user already has, still empty: the start-up gives it its header.
        QDir().mkpath(dataFolder() + QStringLiteral("/LOG"));
        QFile protocol(dataFolder() + QStringLiteral("/LOG/Protocol.CSV"));
        ASSERT_TRUE(protocol.open(QIODevice::WriteOnly));
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        sim.reset();
    }

    // Whether the program starts with its trace on (a test of a pane the trace would fill turns it off).
    virtual bool tracing() const { return true; }

    // The program as a user starts it: its start-up, then the receiver listening, then the shown window.
    FrmMain& startProgram()
    {
        FrmMain& f = startWindow();
        EXPECT_TRUE(f.startupCompleted());
        InstallReceiver();
        f.resize(1024, 768);
        QApplication::processEvents();
        return f;
    }

    QStringList protocolLines() const
    {
        return readTextLines(dataFolder() + QStringLiteral("/LOG/Protocol.CSV"));
    }

    std::optional<sim::SimOnPort> sim;
};

} // namespace qv::test
