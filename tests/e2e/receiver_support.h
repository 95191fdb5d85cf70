// Fixture of the receiver's end-to-end tests: the station at its own speed, the receive event wired.
#pragma once
#include "link/protocol_file.h"
#include "link_support.h"
#include "receiver/receiver.h"
#include "support/test_support.h"

#include <QTemporaryDir>

namespace qv::test {

// A station conversation at the station's speed, with a protocol file to end in.
class ReceiverE2E : public LinkE2E
{
  protected:
    void SetUp() override
    {
        LinkE2E::SetUp();
        ASSERT_TRUE(dir.isValid());
        gProtocolPath = dir.filePath("Protocol.CSV");
        ASSERT_EQ(OpenProtocolFile(), 1);
        gBaud = BaudHigh;
        frmMain().PORT_Prepare();
        InstallReceiver();
        frmMain().rtbox(0).setText(QString());
    }
    // The requests the station received: command byte and data.
    QList<QByteArray> requests() const
    {
        QList<QByteArray> out;
        for (const sim::LogEntry& e : sim.station.received())
            out << QByteArray(1, char(e.command)) + e.data;
        return out;
    }

    QTemporaryDir dir;
};

} // namespace qv::test
