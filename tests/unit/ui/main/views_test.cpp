// The standard and the expert view, the backup listing in the data pane, and the direct-connection and
// device-kind switches the receiver uses.
#include "app/settings.h"
#include "link/link_globals.h"
#include "support/main_window_fixture.h"
#include "ui/main/menus.h"
#include "ui/main/read_column_apply.h"

using namespace qv;

namespace {

// What the view switch sets: the two menu marks, the battery button and the expert-only option boxes.
struct View
{
    bool standardMarked;
    bool expertMarked;
    bool batteryButton;
    int expertBoxesShown; // of chk4ms, chkQv6mit192, chkBackupCtrl in both columns
    bool operator==(const View&) const = default;
};

void PrintTo(const View& v, std::ostream* os)
{
    *os << "{standard " << v.standardMarked << ", expert " << v.expertMarked << ", battery button "
        << v.batteryButton << ", expert boxes " << v.expertBoxesShown << "}";
}

View viewOf(const FrmMain& f)
{
    int boxes = 0;
    for (int i : {0, 1})
        boxes +=
            int(f.chk4ms(i).Visible()) + int(f.chkQv6mit192(i).Visible()) + int(f.chkBackupCtrl(i).Visible());
    return {f.mnuViewStandard.Checked(), f.mnuViewExpert.Checked(), f.cmdBatt.Visible(), boxes};
}

constexpr View kStandard{true, false, false, 0};
constexpr View kExpert{false, true, true, 6};

class ViewsTest : public test::MainWindowTest
{
  protected:
    void TearDown() override
    {
        gZokDevice = false;
        gConnMode = ConnRemote;
        gReplyTimeout = 3000;
        gBackupLines.clear();
        gListLineNo = 0;
        test::MainWindowTest::TearDown();
    }
};

TEST_F(ViewsTest, TheViewMenusChooseAViewAndTheSwitchTogglesIt)
{
    FrmMain& f = startWindow();
    EXPECT_EQ(viewOf(f), kStandard);
    f.mnuViewExpert.Click();
    EXPECT_EQ(viewOf(f), kExpert);
    f.mnuViewExpert.Click();
    EXPECT_EQ(viewOf(f), kExpert);
    f.mnuViewStandard.Click();
    EXPECT_EQ(viewOf(f), kStandard);

    // Twice the switch returns to the view it started from, from either view.
    for (const View& start : {kStandard, kExpert}) {
        f.zeigExpert(start.expertMarked ? 1 : 2);
        f.zeigExpert();
        EXPECT_NE(viewOf(f), start);
        f.zeigExpert(0);
        EXPECT_EQ(viewOf(f), start);
    }
}

TEST_F(ViewsTest, AZokDeviceHasNoExtendedProtocolAndKeepsItsPanel)
{
    FrmMain& f = startWindow();
    gZokDevice = true;
    // The radio frames as the radio module's panel left them.
    f.frQVMKUV(0).setLeft(10);
    for (uint8_t view : {1, 2, 0}) {
        f.zeigExpert(view);
        EXPECT_FALSE(f.chkCPC0(0).Visible());
        EXPECT_FALSE(f.chkCPC0(1).Visible());
        EXPECT_EQ(f.frQVMKUV(0).Left(), 10);
    }

    // Any other station gets its panel laid out again for the view.
    gZokDevice = false;
    f.zeigExpert(1);
    EXPECT_TRUE(f.chkCPC0(0).Visible());
    EXPECT_TRUE(f.chkCPC0(1).Visible());
    EXPECT_LT(f.frQVMKUV(0).Left(), 0);
}

TEST_F(ViewsTest, ARememberedExpertOptionOpensTheExpertView)
{
    writeSettings(QStringLiteral("[STATION]\r\nlastSprint4ms=1\r\n"));
    FrmMain& f = startWindow();
    ASSERT_TRUE(gExpertOptions);
    EXPECT_EQ(viewOf(f), kExpert);
    closeWindow();

    writeSettings(QStringLiteral("[STATION]\r\nlastSprint4ms=0\r\n"));
    FrmMain& g = startWindow();
    EXPECT_EQ(viewOf(g), kStandard);
}

TEST_F(ViewsTest, TheStationDecodersSwitchTheMainWindowsView)
{
    FrmMain& f = startWindow();
    programServices(nullptr).zeigExpert(1);
    EXPECT_EQ(viewOf(f), kExpert);
}

// Each line: the number right-aligned in 8 characters, the record, CR LF.
QString listingLine(int n, const QString& record)
{
    return QString::number(n).rightJustified(8, u' ') + record + QStringLiteral("\r\n");
}

TEST_F(ViewsTest, TheBackupListingShowsTheNewestRecordFirstNumberedFromOne)
{
    FrmMain& f = startWindow();
    f.rtbox(1).setText(QStringLiteral("an earlier listing"));
    gListLineNo = 41;
    gBackupLines = {QString(), QStringLiteral("\tfirst"), QStringLiteral("\tsecond"),
                    QStringLiteral("\tthird")};
    ShowBackupDump();
    EXPECT_EQ(f.rtbox(1).Text(),
              QStringLiteral("       1\tthird\r\n       2\tsecond\r\n       3\tfirst\r\n"));
    EXPECT_EQ(gListLineNo, 3);

    // Nothing read: the pane is emptied and nothing is listed.
    for (const QStringList& nothing : {QStringList{}, QStringList{QString()}}) {
        f.rtbox(1).setText(QStringLiteral("an earlier listing"));
        gBackupLines = nothing;
        ShowBackupDump();
        EXPECT_EQ(f.rtbox(1).Text(), QString());
        EXPECT_EQ(gListLineNo, 0);
    }
}

TEST_F(ViewsTest, ALongBackupListingArrivesCompleteAndInOrder)
{
    FrmMain& f = startWindow();
    gBackupLines = {QString()};
    const int records = 4000;
    for (int i = 1; i <= records; ++i)
        gBackupLines << QStringLiteral("\t%1\tMo 12:34:%2\t3.05V")
                            .arg(100000 + i)
                            .arg(i % 60, 2, 10, QLatin1Char('0'));
    QString expected;
    for (int n = 1; n <= records; ++n)
        expected += listingLine(n, gBackupLines.at(records + 1 - n));
    ASSERT_GT(expected.size(), 2 * kBackupDumpChunk);
    // The caret stands anywhere in the pane before the listing.
    f.rtbox(1).setText(QStringLiteral("old\r\nlines"));
    f.rtbox(1).setSelStart(2);
    ShowBackupDump();
    EXPECT_TRUE(f.rtbox(1).Text() == expected);
    EXPECT_EQ(gListLineNo, records);
}

TEST_F(ViewsTest, OnlyAFlagOtherThanZeroForcesTheDirectConnection)
{
    FrmMain& f = startWindow();
    ASSERT_EQ(gConnMode, ConnRemote);
    SetDirectMode(0);
    EXPECT_EQ(gConnMode, ConnRemote);
    EXPECT_EQ(f.coMode.ListIndex(), 0);
    EXPECT_EQ(gReplyTimeout, 3000);

    SetDirectMode(-1);
    EXPECT_EQ(gConnMode, ConnDirect);
    EXPECT_EQ(f.coMode.ListIndex(), 1);
    // The box's choice fits the time-out to the direct connection.
    EXPECT_EQ(gReplyTimeout, 2500);
}

struct AltDeviceCase
{
    int before;
    int16_t value;
    int clicks;
};

TEST_F(ViewsTest, TheZokBoxMirrorsTheDeviceAndItsHandlingRunsOnceWhenTicked)
{
    FrmMain& f = startWindow();
    int clicks = 0;
    f.chkAlt.onClick = [&](int Index) {
        if (Index == 2)
            ++clicks;
    };
    // Unticking runs the box's handling through its change alone; SetAltDevice adds none.
    const AltDeviceCase cases[] = {
        {vbUnchecked, -1, 1}, {vbChecked, -1, 1}, {vbUnchecked, 0, 0}, {vbChecked, 0, 1}};
    for (const AltDeviceCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "before " << c.before << " value " << c.value);
        f.chkAlt(2).setValue(c.before);
        clicks = 0;
        EXPECT_EQ(SetAltDevice(c.value), c.value);
        EXPECT_EQ(gZokDevice, c.value != 0);
        EXPECT_EQ(f.chkAlt(2).Value(), c.value != 0 ? vbChecked : vbUnchecked);
        EXPECT_EQ(clicks, c.clicks);
    }
    f.chkAlt.onClick = nullptr;
}

} // namespace
