// Memory-read replies: identity in both forms, radio-module kinds, routing, the read chain, short replies.
#include "link/link_globals.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/clock.h"
#include "receiver/receiver.h"
#include "receiver/receiver_globals.h"
#include "sim_frame.h"
#include "sim_memory.h"
#include "stationdata/station_data.h"
#include "support/link_test.h"
#include "support/test_support.h"
#include "ui/main/frm_main.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace qv {
namespace {

using sim::FrameForm;
using test::bytes;

// A read reply of station 47: the address echo and the station bytes read there.
QByteArray readReply(FrameForm form, uint8_t address, const QByteArray& data)
{
    const QByteArray code = form == FrameForm::Extended ? bytes({0x00, 47}) : bytes({47});
    const uint8_t command = form == FrameForm::Extended ? 0x83 : 0x73;
    return sim::encodeFrame(command, code + QByteArray(1, char(address)) + data, form);
}

class ReadReplyTest : public test::LinkTest
{
  protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        // Requests the handlers send stay in gSendBuffer: no port is opened.
        gStopRequested = true;
        frmMain().rtbox(0).setText(QString());
        memory.setSerialNumber(500123);
        memory.setFirmware("612");
        memory.setProductionDate(2019, 5, 14);
    }

    void receive(const QByteArray& data)
    {
        RxBufferSource source(data);
        ReceiveFrom(source);
    }
    // The request the handler left for the station, unframed: command and data.
    QByteArray lastRequest() const
    {
        if (gSendBuffer.size() < 4)
            return QByteArray();
        const bool extended = uint8_t(gSendBuffer.at(2)) >= 0x80;
        if (extended)
            return gSendBuffer.mid(2, 1) + gSendBuffer.mid(4, uint8_t(gSendBuffer.at(3)));
        QByteArray out;
        for (qsizetype i = 2; i + 1 < gSendBuffer.size(); ++i) {
            if (gSendBuffer.at(i) == '\x10')
                ++i; // an escaped data byte follows
            out.append(gSendBuffer.at(i));
        }
        return out;
    }
    QStringList identity() const
    {
        FrmMain& f = frmMain();
        return {f.txtSerNo.Text(), f.txtDate.Text(), f.txtSoftware.Text(), f.txtHardware.Text()};
    }

    sim::StationMemory memory;
    test::ScopedLocale locale{QStringLiteral("en_US")};
    FakeClock fake{QDateTime(QDate(2026, 12, 9), QTime(10, 0)), 3};
    ScopedClock scopedClock{fake};
};

TEST_F(ReadReplyTest, BothFormsOfTheSameStationBytesGiveTheSameIdentity)
{
    receive(readReply(FrameForm::Extended, 0x00, memory.read(0, 0x80)));
    const QStringList extended = identity();
    EXPECT_EQ(extended.at(0), "500123");
    EXPECT_EQ(extended.at(2), "612");
    EXPECT_FALSE(extended.at(3).isEmpty());

    FrmMain& f = frmMain();
    for (TextBox* box : {&f.txtSerNo, &f.txtDate, &f.txtSoftware, &f.txtHardware})
        box->setText(QString());
    gFollowUpReadSent = true;
    receive(readReply(FrameForm::Legacy, 0x00, memory.read(0, 16)));
    EXPECT_EQ(identity(), extended);
}

TEST_F(ReadReplyTest, StationCodeIsTakenFromTheFirstSystemDataReplyOnly)
{
    receive(readReply(FrameForm::Extended, 0x00, memory.read(0, 0x80)));
    EXPECT_EQ(gStationCodeLow, 47);
    // A later reply from another station (code 0x0102) leaves it.
    receive(sim::encodeFrame(0x83, bytes({0x01, 0x02, 0x00}) + memory.read(0, 0x80), FrameForm::Extended));
    EXPECT_EQ(gStationCodeLow, 47);
}

TEST_F(ReadReplyTest, RadioModuleHardwareKinds)
{
    struct Case
    {
        uint8_t hardware;
        const char* text;
        bool dongle;
    };
    const Case cases[] = {{0x6A, "QVMKUV RU_MO (Lumvik)", false},
                          {0x6B, "QVMKUV RU_ZEK (VEK)", false},
                          {0x6F, "QVMKUV YAV (Dongle)", true},
                          {0x55, "QVMKUV shown before", false}};
    for (const Case& c : cases) {
        FrmMain& f = frmMain();
        f.txtHardware.setText("shown before");
        memory.setModel(c.hardware, 0x61); // the model byte's low six bits 0x21: the radio module
        receive(readReply(FrameForm::Extended, 0x00, memory.read(0, 0x80)));
        EXPECT_EQ(f.txtHardware.Text(), c.text) << int(c.hardware);
        EXPECT_TRUE(gKuvModule);
        EXPECT_EQ(gDongleHardware, c.dongle) << int(c.hardware);
        EXPECT_TRUE(gModelFlag);
        if (c.dongle) {
            EXPECT_FALSE(f.coMode.Enabled());
            EXPECT_EQ(gConnMode, ConnDirect);
            EXPECT_FALSE(f.coMO.Visible());
        }
    }
}

TEST_F(ReadReplyTest, GsmStationKeepsItsBatteryBlockAndAsksForTheSecondHalf)
{
    memory.setModel(0x81, 0x9D);
    gActionCode = ActRead;
    receive(readReply(FrameForm::Extended, 0x00, memory.read(0, 0x80)));
    EXPECT_TRUE(gGsmDevice);
    EXPECT_EQ(gConnMode, ConnDirect); // always reached directly
    EXPECT_EQ(gSysBlock1, bytes({0x82, 0x10}) + memory.read(0x10, 16));
    EXPECT_EQ(lastRequest(), bytes({0x83, 0x80, 0x80}));
    EXPECT_EQ(gActionCode, ActRead); // the second half goes on with the operation
}

TEST_F(ReadReplyTest, SecondHalfIsRecognisedInTheExtendedFormOnly)
{
    // The second half's mobile-network text goes to the read column.
    QByteArray half(0x80, '\0');
    half.replace(0x30, 12, "1234web,u,p;");
    receive(readReply(FrameForm::Extended, 0x80, half));
    EXPECT_EQ(frmMain().txtAPN(0).Text(), QStringLiteral("web"));
    frmMain().txtAPN(0).setText(QString());
    // In a legacy reply index 4 is station byte 0x01: 0x80 there is a serial number byte.
    gFollowUpReadSent = true;
    QByteArray station = memory.read(0, 16);
    station[1] = char(0x80);
    receive(readReply(FrameForm::Legacy, 0x00, station));
    EXPECT_EQ(frmMain().txtAPN(0).Text(), QString());
    EXPECT_EQ(lastRequest(), bytes({0x73, 0x10})); // the legacy chain goes on
}

TEST_F(ReadReplyTest, LegacyChainAsksForTheNextBlockByOperation)
{
    gFollowUpReadSent = true;
    gActionCode = ActRead;
    receive(readReply(FrameForm::Legacy, 0x10, memory.read(0x10, 16)));
    EXPECT_EQ(gSysBlock1, bytes({0x82, 0x10}) + memory.read(0x10, 16));
    EXPECT_EQ(lastRequest(), bytes({0x73, 0x30}));
    gActionCode = ActBattery;
    receive(readReply(FrameForm::Legacy, 0x10, memory.read(0x10, 16)));
    EXPECT_EQ(lastRequest(), bytes({0x73, 0x20}));
    receive(readReply(FrameForm::Legacy, 0x20, memory.read(0x20, 16)));
    EXPECT_EQ(gSysBlock2, bytes({0x82, 0x20}) + memory.read(0x20, 16));
    EXPECT_EQ(lastRequest(), bytes({0x73, 0x30}));
    receive(readReply(FrameForm::Legacy, 0x30, memory.read(0x30, 16)));
    EXPECT_EQ(gSysBlock3, bytes({0x82, 0x30}) + memory.read(0x30, 16));
    EXPECT_EQ(lastRequest(), bytes({0x73, 0xD0}));
}

TEST_F(ReadReplyTest, ShortSettingsBlockAndUnknownAddressesAreIgnored)
{
    gFollowUpReadSent = true;
    gActionCode = ActRead;
    gSysBlock7 = bytes({0x82, 0x70});
    gSendBuffer.clear();
    receive(readReply(FrameForm::Legacy, 0xD0, memory.read(0x70, 13))); // 16 bytes stored
    EXPECT_EQ(gSysBlock7, bytes({0x82, 0x70}));
    receive(readReply(FrameForm::Legacy, 0x99, memory.read(0x70, 16)));
    EXPECT_TRUE(gSendBuffer.isEmpty());
    EXPECT_EQ(gActionCode, ActRead);
}

TEST_F(ReadReplyTest, ShortExtendedSystemDataIsReportedBeforeAnyBlockChanges)
{
    gSysBlock1 = bytes({0x11});
    DialogHooks::queue(DialogAnswer::press(vbOK));
    // The identity fits in the 32 bytes; the blocks do not.
    receive(readReply(FrameForm::Extended, 0x00, memory.read(0, 32)));
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked().first().prompt, "9 Subscript out of range\rCOM port:\rKZ:83 = 38 bytes");
    EXPECT_EQ(gSysBlock1, bytes({0x11}));
    EXPECT_EQ(frmMain().txtSerNo.Text(), "500123");
}

} // namespace
} // namespace qv
