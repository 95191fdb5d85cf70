// Fixture of the receiver's end-to-end tests: the station at its own speed, the receive event wired.
#pragma once
#include "app/file_helpers.h"
#include "app/language.h"
#include "app/settings.h"
#include "cards/cardlist_state.h"
#include "link/link_globals.h"
#include "link/protocol_file.h"
#include "link_support.h"
#include "platform/system/textfile.h"
#include "receiver/card_replies.h"
#include "receiver/receiver.h"
#include "support/test_support.h"

#include <QFile>
#include <QTemporaryDir>

namespace qv::test {

// No card list, card file, column set or half-read card left from an earlier run; the read-out's files go to
// `folder`. A card list operation then starts as on a fresh program.
inline void resetCardListRun(const QString& folder)
{
    gBinFolder = folder;
    gDataFolder = folder;
    gCardsFormOpen = false;
    gColHeadFile.clear();
    gCardFilePath.clear();
    gDirectCardsFile.clear();
    gAutoClipBoard = false;
    gCardReadPending.clear();
    gDirectCardsMode = false;
    gDongleHardware = false;
}

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

    // The English language file, as the program loads it: names and messages as a user sees them.
    static bool loadEnglishTexts()
    {
        QFile xml(resourcesDir() + QStringLiteral("/QV-ConfigENU.xml"));
        return xml.open(QIODevice::ReadOnly) && gXmlDoc.setContent(&xml);
    }
    // The operation is over and the port closed.
    static bool ended()
    {
        return sim::waitUntil([] { return gActionCode == ActNone && !frmMain().MSComm1.PortOpen(); });
    }
    // The operation of each protocol record.
    QStringList records() const
    {
        QStringList actions;
        const QStringList lines = readTextLines(gProtocolPath);
        for (int i = 1; i < lines.size(); ++i)
            actions << lines[i].split(';').value(23);
        return actions;
    }
    // The command of each request the station received, with the address of a memory read or write.
    QList<QByteArray> chain() const
    {
        QList<QByteArray> out;
        for (const QByteArray& r : requests()) {
            const uint8_t c = uint8_t(r.at(0));
            out << r.left(c == 0x82 || c == 0x83 || c == 0x72 || c == 0x73 ? 2 : 1);
        }
        return out;
    }

    QTemporaryDir dir;
};

} // namespace qv::test
