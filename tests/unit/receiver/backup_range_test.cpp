// The read range of the backup read-out: first address, request length and block count from the station's
// pointer, the memory size and the backup-full flag, and the block request built from them.
#include "link/frame.h"
#include "link/link_globals.h"
#include "receiver/backup_readout.h"
#include "receiver/receiver_globals.h"
#include "stationdata/backup_memory.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/program_state.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

class BackupRangeTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        resetProgramState();
        frmMain().chkCPC0(0).setValue(vbUnchecked);
        gMemorySize = 128 * 1024;
        gMemoryFlags = QByteArray(2, '\0');
        gModeCodeSet = 2;
        gZokDevice = false;
    }
    void TearDown() override
    {
        frmMain().Timer1.setEnabled(false);
        gBackupFlag = false;
        gReadRequestLen = 120;
        gBackupPointer = 0;
        gMemorySize = 0;
        gMemoryFlags = QByteArray(2, '\0');
        gModeCodeSet = 0;
        gCardReadout = false;
        gExtProtRead = 0;
        ResetBackupListing();
    }
    // The lengths of the requests the read-out sends, as the block replies step through the range.
    static QList<int> requestLengths()
    {
        QList<int> out;
        for (int64_t addr = gBackupReadAddr, len = gReadRequestLen; addr < gBackupPointer; addr += len) {
            len = std::min<int64_t>(len, gBackupPointer - addr);
            out << int(len);
        }
        return out;
    }
};

TEST_F(BackupRangeTest, OneBlockOfPunchRecords)
{
    SetupBackupRange(256 + 120);
    EXPECT_EQ(gBackupReadAddr, 256);
    EXPECT_EQ(gReadRequestLen, 120);
    EXPECT_EQ(gBackupBlockTotal, 1);
    EXPECT_TRUE(gBackupFlag);
    EXPECT_EQ(NextBackupRequest(), BuildFrame(bytes({0x81, 0x00, 0x01, 0x00, 0x78})));
}

TEST_F(BackupRangeTest, TheLastRequestIsCutToWhatIsLeft)
{
    SetupBackupRange(256 + 300);
    EXPECT_EQ(gBackupBlockTotal, 3);
    EXPECT_EQ(requestLengths(), (QList<int>{120, 120, 60}));
    // Card records and the extended protocol ask for 128 bytes.
    // The station's byte first, then the read column's box that shows it, as a Read does.
    gExtProtRead = 1;
    frmMain().chkCPC0(0).setValue(vbChecked);
    SetupBackupRange(256 + 300);
    EXPECT_EQ(requestLengths(), (QList<int>{128, 128, 44}));
    gExtProtRead = 0;
    frmMain().chkCPC0(0).setValue(vbUnchecked);
    gModeCodeSet = 5;
    SetupBackupRange(256 + 300);
    EXPECT_TRUE(gCardReadout);
    EXPECT_EQ(gReadRequestLen, 128);
}

TEST_F(BackupRangeTest, AFullRingIsOneLapFromThePointer)
{
    gMemorySize = 2048;
    gMemoryFlags[1] = 1;
    gExtProtRead = 1;
    frmMain().chkCPC0(0).setValue(vbChecked);
    SetupBackupRange(256 + 800);
    EXPECT_EQ(gBackupReadAddr, 256 + 800);
    EXPECT_EQ(gBackupPointer, 256 + 800 + 2048);
    EXPECT_EQ(gBackupBlockTotal, 16);
    EXPECT_EQ(requestLengths().size(), 16);
    // Set up again (the start reply does), the ring's size is not added twice.
    SetupBackupRange(256 + 800);
    EXPECT_EQ(gBackupPointer, 256 + 800 + 2048);
}

TEST_F(BackupRangeTest, NothingToReadAndARangeNearTheRingsEnd)
{
    SetupBackupRange(256);
    EXPECT_EQ(gReadRequestLen, 0);
    EXPECT_FALSE(gBackupFlag);
    SetupBackupRange(100);
    EXPECT_EQ(gReadRequestLen, 0) << "a pointer below the backup memory reads nothing";
    // A ring not yet full whose pointer lies past its size still starts at its beginning.
    gMemorySize = 1024;
    SetupBackupRange(256 + 1000);
    EXPECT_EQ(gBackupReadAddr, 256);
}

TEST_F(BackupRangeTest, ANewReadOutForgetsTheRepeatsOfOneAbandoned)
{
    gBlockRepeatCount = 3;
    gListLineNo = 12;
    SetupBackupRange(256 + 120);
    EXPECT_EQ(gBlockRepeatCount, 0);
    EXPECT_EQ(gListLineNo, 0);
}

} // namespace
} // namespace qv
