// The serial control on the simulated station, with every byte it receives collected: the set-up of the
// tests that talk to the station through the port layer alone, without the program's link.
#pragma once
#include "platform/comm/comm_control.h"
#include "sim_on_port.h"
#include "sim_test_support.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

namespace qv::test {

class CommOnSimTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.started()) << sim.station.errorString().toStdString();
        comm.setCommPort(int16_t(sim.number()));
        QObject::connect(&comm, &CommControl::onComm, [this] {
            ++events;
            const int n = comm.InBufferCount();
            for (int i = 0; i < n; ++i)
                received += comm.Input();
        });
    }

    void open(const char* settings)
    {
        comm.setSettings(QString::fromLatin1(settings));
        comm.setPortOpen(true);
    }

    sim::SimOnPort sim;
    CommControl comm;
    QByteArray received;
    // Receive events raised so far.
    int events = 0;
};

} // namespace qv::test
