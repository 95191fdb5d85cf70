// The code-number list file (its lines, loading, browsing) and the fields of some station kinds: the classic/
// beacon choice, the special functions, the radio module's channel and protocol, the access data's colours.
#include "app/file_helpers.h"
#include "app/path_helpers.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "support/main_window_fixture.h"
#include "ui/main/code_number_list.h"
#include "unit/ui/main/mode_choice_support.h"

#include <QFile>

using namespace qv;

namespace {

// ---- The lines of a list file ----

TEST(CodeNumberListLines, EachLineGivesItsLeadingNumberWhenItIsACodeNumber)
{
    struct Case
    {
        const char* line;
        int number; // 0: no code number
    };
    const Case cases[] = {
        {"31", 31},    {"3 1", 31},  {"12 word", 12}, {"12;13", 12},   {"\t7", 7},      {"12.5", 12},
        {"13.5", 14},  {"0.6", 1},   {"1023", 1023},  {"1023.5", 0},   {"1024", 0},     {"0", 0},
        {"-5", 0},     {"word", 0},  {"   ", 0},      {"&H3FF", 1023}, {"&h3ff", 1023}, {"&O17", 15},
        {"1E3", 1000}, {"1d2", 100}, {"+9", 9},       {"32767", 0},    {"40000", 0},    {"1E999", 0},
        {"&HFFFF", 0}, {"5\r", 5},
    };
    for (const Case& c : cases) {
        const auto n = CodeNumberOfLine(QString::fromLatin1(c.line));
        EXPECT_EQ(n.value_or(0), c.number) << c.line;
    }
}

TEST(CodeNumberListLines, AnEmptyLineEndsTheListAndDuplicatesStay)
{
    struct Case
    {
        QStringList lines;
        QStringList numbers;
    };
    const Case cases[] = {
        {{"31", "32", "", "33"}, {"31", "32"}},
        {{"0", "1024", "-5", "word", "12.5", "&H3FF"}, {"12", "1023"}},
        {{"   ", "40"}, {"40"}},
        {{"7", "7", "8"}, {"7", "7", "8"}},
        {{"", "5"}, {}},
        {{"0", "abc"}, {}},
        {{}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CodeNumbersOfLines(c.lines), c.numbers) << c.lines.join(u'|').toStdString();
}

// ---- The window ----

class CodeListFieldsTest : public test::MainWindowTest
{
  protected:
    // Writes a list file of these bytes and loads it through the menu item.
    QString writeList(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_home.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    void load(FrmMain& f, const QString& path)
    {
        DialogHooks::queue(DialogAnswer::chooseFile(path));
        f.mnuLoadCN.Click();
        EXPECT_EQ(DialogHooks::pending(), 0);
    }
};

TEST_F(CodeListFieldsTest, AListFileFillsTheWriteColumnAndTheBarBrowsesIt)
{
    FrmMain& f = startWindow();
    ASSERT_TRUE(f.startupCompleted());
    EXPECT_FALSE(f.HScroll1.Visible());
    // Windows-1252 with CR LF: the words after the numbers hold letters beyond ASCII.
    load(f, writeList(QStringLiteral("race.CNo"), QByteArray("31 Z\xFCrich\r\n0\r\n45 Stra\xDF"
                                                             "e\r\n"
                                                             "31\r\n\r\n50\r\n")));
    const DialogRequest& asked = DialogHooks::asked().back();
    EXPECT_EQ(asked.kind, DialogKind::OpenFile);
    EXPECT_EQ(asked.filter, QStringLiteral("(*.CNo)|*.CNo|All files(*.*)|*.*"));
    EXPECT_EQ(asked.initDir, gDataFolder);
    EXPECT_EQ(asked.title, QStringLiteral("Choose code-number list"));
    EXPECT_EQ(gCodeNoList, (QStringList{QString(), "31", "45", "31"}));
    EXPECT_EQ(gCodeNoIndex, 1);
    EXPECT_EQ(gLastFolder, GetFolder(m_home.filePath(QStringLiteral("race.CNo"))));
    EXPECT_TRUE(f.HScroll1.Visible());
    EXPECT_EQ(f.HScroll1.Value(), 1);
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("31"));

    f.HScroll1.setValue(2);
    EXPECT_EQ(gCodeNoIndex, 2);
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("45"));
    // Beyond the list the bar springs back to the entry shown.
    f.HScroll1.setValue(7);
    EXPECT_EQ(f.HScroll1.Value(), 2);
    EXPECT_EQ(gCodeNoIndex, 2);
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("45"));

    // A list with LF line ends replaces it.
    load(f, writeList(QStringLiteral("other.CNo"), QByteArray("&H3FF\n12.5\n1024\n")));
    EXPECT_EQ(gCodeNoList, (QStringList{QString(), "1023", "12"}));
    EXPECT_EQ(f.HScroll1.Value(), 1);
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("1023"));
}

TEST_F(CodeListFieldsTest, CancellingTheDialogKeepsTheListInHand)
{
    FrmMain& f = startWindow();
    load(f, writeList(QStringLiteral("race.CNo"), QByteArray("31\r\n32\r\n")));
    f.HScroll1.setValue(2);
    DialogHooks::queue(DialogAnswer::cancel());
    f.mnuLoadCN.Click();
    EXPECT_EQ(gCodeNoList, (QStringList{QString(), "31", "32"}));
    EXPECT_EQ(gCodeNoIndex, 2);
    EXPECT_TRUE(f.HScroll1.Visible());
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("32"));
    EXPECT_EQ(DialogHooks::asked().size(), 2); // the two file dialogs, no message
}

TEST_F(CodeListFieldsTest, AFileWithoutCodeNumbersLeavesNoListAndSaysNothing)
{
    FrmMain& f = startWindow();
    load(f, writeList(QStringLiteral("race.CNo"), QByteArray("31\r\n")));
    f.txtCodeNo(1).setText(QStringLiteral("77"));
    load(f, writeList(QStringLiteral("none.CNo"), QByteArray("0\r\nabc\r\n2000\r\n")));
    EXPECT_EQ(gCodeNoList, QStringList{QString()});
    EXPECT_EQ(gCodeNoIndex, 0);
    EXPECT_FALSE(f.HScroll1.Visible());
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("77"));
    EXPECT_EQ(DialogHooks::asked().size(), 2);
}

TEST_F(CodeListFieldsTest, ADisabledCodeNumberBoxKeepsItsNumber)
{
    FrmMain& f = startWindow();
    load(f, writeList(QStringLiteral("race.CNo"), QByteArray("31\r\n32\r\n33\r\n")));
    f.HScroll1.setValue(3);
    f.txtCodeNo(1).setText(QStringLiteral("300"));
    f.txtCodeNo(1).setEnabled(false);
    // The bar goes back to the first entry (its Change runs) but the box keeps the number the mode fixed.
    load(f, writeList(QStringLiteral("next.CNo"), QByteArray("40\r\n41\r\n")));
    EXPECT_EQ(gCodeNoList, (QStringList{QString(), "40", "41"}));
    EXPECT_EQ(f.HScroll1.Value(), 1);
    EXPECT_TRUE(f.HScroll1.Visible());
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("300"));
    f.HScroll1.setValue(2);
    EXPECT_EQ(gCodeNoIndex, 2);
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("300"));
}

TEST_F(CodeListFieldsTest, AFileThatCannotBeReadIsNamedInAMessage)
{
    FrmMain& f = startWindow();
    // A folder where a file was chosen cannot be read as a list.
    const QString folder = m_home.filePath(QStringLiteral("folder.CNo"));
    ASSERT_TRUE(QDir().mkpath(folder));
    DialogHooks::queue(DialogAnswer::chooseFile(folder));
    DialogHooks::queue(DialogAnswer::press(vbOK));
    f.mnuLoadCN.Click();
    ASSERT_EQ(DialogHooks::asked().size(), 2);
    const DialogRequest& message = DialogHooks::asked().back();
    EXPECT_EQ(message.kind, DialogKind::MsgBox);
    EXPECT_EQ(message.style & vbCritical, vbCritical);
    EXPECT_EQ(message.title, QStringLiteral("QV-Config error"));
    EXPECT_TRUE(message.prompt.startsWith(QStringLiteral("53 "))) << message.prompt.toStdString();
    EXPECT_EQ(gCodeNoList, QStringList{QString()});
    EXPECT_FALSE(f.HScroll1.Visible());
}

TEST_F(CodeListFieldsTest, AClassicOrBeaconChoiceIsMadeInBothColumns)
{
    FrmMain& f = startWindow();
    ASSERT_TRUE(gMainFormReady);
    f.opBeacon(0).setValue(true);
    EXPECT_TRUE(f.opBeacon(1).Value());
    f.opClassic(1).setValue(true);
    EXPECT_TRUE(f.opClassic(0).Value());
    EXPECT_EQ(f.cmdSwitch.Caption(), QStringLiteral("_"));
    // A click in the write column while the read column already shows the choice.
    f.opBeacon(0).setValue(true);
    f.opBeacon(1).setValue(true);
    EXPECT_TRUE(f.opBeacon(0).Value());
    EXPECT_TRUE(f.opBeacon(1).Value());
    EXPECT_EQ(f.cmdSwitch.Caption(), QStringLiteral("^"));
    EXPECT_EQ(f.Label1(0).Caption().trimmed(), QStringLiteral("beacon options"));
    EXPECT_TRUE(f.chkPunchTimingMode(1).Visible());

    f.opClassic(0).setValue(true);
    EXPECT_TRUE(f.opClassic(1).Value());
    EXPECT_EQ(f.cmdSwitch.Caption(), QStringLiteral("_"));
    EXPECT_EQ(f.Label1(0).Caption().trimmed(), QStringLiteral("classic options"));
    EXPECT_FALSE(f.chkPunchTimingMode(1).Visible());

    // The read column shows beacon, the write column classic (before the window is ready nothing mirrors);
    // a click on beacon in the write column lays the options out once and leaves the focus on write.
    f.opBeacon(0).setValue(true);
    gMainFormReady = false;
    f.opClassic(1).setValue(true);
    gMainFormReady = true;
    f.opBeacon(1).setValue(true);
    EXPECT_TRUE(f.opBeacon(0).Value());
    EXPECT_EQ(f.cmdSwitch.Caption(), QStringLiteral("^"));
    ASSERT_TRUE(f.cmdWrite.canFocus());
    EXPECT_EQ(Control::focusedControl(), &f.cmdWrite);
    // The option buttons never keep the focus.
    f.opClassic.onGotFocus(0);
    EXPECT_EQ(Control::focusedControl(), &f.cmdRead);
}

TEST_F(CodeListFieldsTest, TheSpecialFunctionsSetTheCodeNumberAndTheExtendedProtocol)
{
    FrmMain& f = startWindow();
    test::chooseMode(f, 1);
    f.opQVEL_Func.onLostFocus(1);
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("125"));
    f.opQVEL_Func.onLostFocus(2);
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("127"));

    gExtProtUsed = 0;
    f.opQVEL_Func(3).setValue(true);
    EXPECT_EQ(f.chkCPC0(1).Value(), vbChecked);
    f.opQVEL_Func(0).setValue(true);
    EXPECT_EQ(f.chkCPC0(1).Value(), vbUnchecked);
    gExtProtUsed = 1;
    f.opQVEL_Func(2).setValue(true);
    EXPECT_EQ(f.chkCPC0(1).Value(), vbChecked);
}

TEST_F(CodeListFieldsTest, OldRadioSoftwareKnowsOnlyTheBasicProtocol)
{
    FrmMain& f = startWindow();
    f.txtSoftware.setText(QStringLiteral("311"));
    EXPECT_EQ(gFirmware, 311);
    DialogHooks::queue(DialogAnswer::press(vbOK));
    f.optQVMKUV_Old_OSoftware(1).setValue(true);
    EXPECT_FALSE(f.optQVMKUV_Old_OSoftware(0).Value());
    EXPECT_FALSE(f.optQVMKUV_Old_OSoftware(1).Value());
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked().front().prompt, GetLangText(gLangIndex, 1983, QString()));
    EXPECT_FALSE(DialogHooks::asked().front().prompt.isEmpty());
    EXPECT_FALSE(f.mSkipProtocolClick);

    f.txtSoftware.setText(QStringLiteral("312"));
    f.optQVMKUV_Old_OSoftware(1).setValue(true);
    EXPECT_TRUE(f.optQVMKUV_Old_OSoftware(1).Value());
    f.optQVMKUV_Old_OSoftware(0).setValue(true);
    EXPECT_TRUE(f.optQVMKUV_Old_OSoftware(0).Value());
    EXPECT_EQ(DialogHooks::asked().size(), 1);
}

TEST_F(CodeListFieldsTest, TheSoftwareVersionIsTheBoxsNumber)
{
    FrmMain& f = startWindow();
    struct Case
    {
        const char* text;
        int firmware;
    };
    const Case cases[] = {{"602", 602}, {"311.5", 312}, {"310.5", 310}, {"abc", 0}, {"7x", 7}, {"99999", 7}};
    for (const Case& c : cases) {
        f.txtSoftware.setText(QString::fromLatin1(c.text));
        EXPECT_EQ(gFirmware, c.firmware) << c.text;
    }
}

TEST_F(CodeListFieldsTest, TheChannelTakesZeroOrOneByKeyArrowAndClick)
{
    FrmMain& f = startWindow();
    TextBox& channel = f.txtKanal(1);
    channel.setText(QStringLiteral("1"));
    struct Key
    {
        int key;
        const char* after;
    };
    const Key keys[] = {{'2', "1"}, {'a', "1"}, {'0', "0"}, {'0', "0"}, {'1', "1"}, {' ', "1"}};
    for (const Key& k : keys) {
        int key = k.key;
        f.txtKanal_KeyPress(1, key);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(channel.Text(), QLatin1String(k.after)) << char(k.key);
    }
    const Key arrows[] = {
        {vbKeyLeft, "0"}, {vbKeyUp, "1"}, {vbKeyDown, "0"}, {vbKeyRight, "1"}, {vbKeyA, "1"}};
    for (const Key& k : arrows) {
        int code = k.key;
        f.txtKanal_KeyUp(1, code, 0);
        EXPECT_EQ(channel.Text(), QLatin1String(k.after)) << k.key;
    }
    f.txtKanal_MouseUp(1, vbLeftButton, 0, 10, 10);
    EXPECT_EQ(channel.Text(), QStringLiteral("0"));
    EXPECT_EQ(channel.BackColor(), OleColor(0x8080FF));
    f.txtKanal_MouseUp(1, vbLeftButton, 0, 10, 10);
    EXPECT_EQ(channel.Text(), QStringLiteral("1"));
    EXPECT_EQ(channel.BackColor(), vbCyan);
    channel.setText(QString());
    EXPECT_EQ(channel.BackColor(), f.txtSoftware.BackColor());

    // The read column's channel takes no key and no click.
    f.txtKanal(0).setText(QStringLiteral("0"));
    int key = '1';
    f.txtKanal_KeyPress(0, key);
    EXPECT_EQ(key, 0);
    int code = vbKeyUp;
    f.txtKanal_KeyUp(0, code, 0);
    f.txtKanal_MouseUp(0, vbLeftButton, 0, 10, 10);
    EXPECT_EQ(f.txtKanal(0).Text(), QStringLiteral("0"));
}

TEST_F(CodeListFieldsTest, TheAccessDataTurnRedWhenTheyCannotBeSent)
{
    FrmMain& f = startWindow();
    struct Case
    {
        TextBox* box;
        const char* text;
        bool red;
    };
    for (int i : {0, 1}) {
        const Case cases[] = {
            {&f.txtPIN(i), "9463", false},     {&f.txtPIN(i), "946", true},
            {&f.txtPIN(i), "94a3", true},      {&f.txtPIN(i), "", true},
            {&f.txtPIN(i), "0000", false},     {&f.txtAPN(i), "internet", false},
            {&f.txtAPN(i), "inter[net", true}, {&f.txtAPN(i), "net]", true},
            {&f.txtAPN(i), "", false},         {&f.txtUser(i), "guest", false},
            {&f.txtUser(i), "[guest", true},   {&f.txtPass(i), "se]cret", true},
            {&f.txtPass(i), "secret", false},
        };
        for (const Case& c : cases) {
            c.box->setText(QStringLiteral("x")); // every case starts from another text, so Change runs
            c.box->setText(QString::fromLatin1(c.text));
            EXPECT_EQ(c.box->BackColor(), c.red ? vbRed : vbWindowBackground)
                << c.box->Name().toStdString() << "(" << i << ") " << c.text;
        }
    }
}

} // namespace
