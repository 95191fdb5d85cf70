// The toolbar's hidden gestures: the special pointer over "READ", the backup range typed before the backup
// read, the settings folder; and the data view a read that produced data switches to.
#include "app/ini_access.h"
#include "app/path_helpers.h"
#include "platform/system/shell.h"
#include "receiver/backup_window.h"
#include "receiver/receiver_globals.h"
#include "ui/main/starters.h"
#include "unit/ui/main/starters_fixture.h"

#include <QUrl>

using namespace qv;

namespace {

class ToolbarGesturesTest : public test::StartersTest
{
  protected:
    void TearDown() override
    {
        shellOpenHook = nullptr;
        test::StartersTest::TearDown();
    }
    // The pointer moves over the middle of a button (or, without a key, far right of the buttons).
    static void pointAt(FrmMain& f, const QString& key)
    {
        const ToolbarButton& b = f.tbar.Buttons().Item(key);
        f.tbar.onMouseMove(0, 0, float(b.Left() + b.Width() / 2), float(b.Top() + b.Height() / 2));
    }
};

TEST_F(ToolbarGesturesTest, TheSpecialPointerShowsOverReadWhileTheTrafficLogIsOn)
{
    FrmMain& f = start();
    const ToolbarButton& read = f.tbar.Buttons().Item(QStringLiteral("READ"));
    struct Case
    {
        bool traceOn;
        float x;
        float y;
        bool special;
    };
    const float l = float(read.Left()), t = float(read.Top()), w = float(read.Width()),
                h = float(read.Height());
    const Case cases[] = {
        {true, l + 1, t + 1, true},         {false, l + 1, t + 1, false}, {true, l, t + 1, false},
        {true, l + w - 1, t + h - 1, true}, {true, l + w, t + 1, false},  {true, l + 1, t + h, false},
        {true, l - 100, t + 1, false},
    };
    for (const Case& c : cases) {
        gTraceOn = c.traceOn;
        f.tbar.onMouseMove(0, 0, c.x, c.y);
        EXPECT_EQ(f.tbar.MousePointer(),
                  c.special ? f.lblMousePointer.MousePointer() : f.lblViewCOM.MousePointer())
            << c.traceOn << " " << c.x << "," << c.y;
    }
    EXPECT_NE(f.lblMousePointer.MousePointer(), f.lblViewCOM.MousePointer());
}

TEST_F(ToolbarGesturesTest, ARightClickOnReadAsksForTheBackupRangeAndStartsTheRead)
{
    FrmMain& f = start();
    struct Case
    {
        int button;
        int shift;
        bool traceOn;
        const char* answer; // nullptr: no input box shows; "": Cancel
        bool readStarts;
        double start;
        double records;
    };
    const Case cases[] = {
        {vbRightButton, 0, true, "12.5", true, 0, 12.5},
        {vbRightButton, 0, true, "0", true, 0, -1},
        {vbRightButton, 0, true, "many", true, 0, -1},
        {vbRightButton, 0, true, "1e300", true, 0, -1},
        {vbRightButton, 0, true, "", false, 0, 0},
        {vbRightButton, vbAltMask, true, "200", true, 200, 0},
        {vbRightButton, vbAltMask, true, "3.14159", true, 3.1416, 0},
        {vbRightButton, vbShiftMask, true, nullptr, false, 0, 0},
        {vbRightButton, 0, false, nullptr, false, 0, 0},
        {vbLeftButton, 0, true, nullptr, false, 0, 0},
        {vbLeftButton, vbAltMask, true, nullptr, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.button << "/" << c.shift << " trace " << c.traceOn << " answer "
                                        << (c.answer ? c.answer : "(none)"));
        prepareIdle(f);
        DialogHooks::reset();
        gTraceOn = c.traceOn;
        pointAt(f, QStringLiteral("READ"));
        mBackupStartPosition = 99;
        mBackupRecords = 99;
        if (c.answer)
            DialogHooks::queue(*c.answer ? DialogAnswer::type(QString::fromLatin1(c.answer))
                                         : DialogAnswer::cancel());
        const bool started = opensConversation([&] { f.tbar.onMouseDown(c.button, c.shift, 200, 100); });
        EXPECT_EQ(started, c.readStarts);
        EXPECT_EQ(gActionCode == ActReadBackup, c.readStarts);
        EXPECT_DOUBLE_EQ(mBackupStartPosition, c.start);
        EXPECT_DOUBLE_EQ(mBackupRecords, c.records);
        ASSERT_EQ(DialogHooks::asked().size(), c.answer ? 1 : 0);
        if (c.answer) {
            const DialogRequest& q = DialogHooks::asked().front();
            EXPECT_EQ(q.kind, DialogKind::InputBox);
            EXPECT_EQ(q.prompt, c.shift ? QStringLiteral("Backup Start Position (only Harnol)")
                                        : QStringLiteral("Backup Records (only Harnol)"));
            EXPECT_EQ(q.xpos, f.Left() + 200);
            EXPECT_EQ(q.ypos, f.Top() + 100);
        }
        gActionCode = ActNone;
    }
}

TEST_F(ToolbarGesturesTest, AltAndARightClickBeyondTheButtonsOpenTheSettingsFolder)
{
    FrmMain& f = start();
    QList<QUrl> opened;
    shellOpenHook = [&opened](const QUrl& url) {
        opened.append(url);
        return true;
    };
    const int limit = f.tbar.Height() + f.tbar.Buttons().Item(QStringLiteral("EXIT")).Left();
    struct Case
    {
        int button;
        int shift;
        float x;
        QList<int> answers; // the two questions' answers, as far as they are asked
        bool folderOpened;
    };
    const Case cases[] = {
        {vbRightButton, vbAltMask, float(limit + 1), {vbNo}, false},
        {vbRightButton, vbAltMask, float(limit + 1), {vbYes, vbNo}, true},
        {vbRightButton, vbAltMask, float(limit), {}, false},
        {vbLeftButton, vbAltMask, float(limit + 500), {}, false},
        {vbRightButton, 0, float(limit + 500), {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.button << "/" << c.shift << " at " << c.x);
        DialogHooks::reset();
        opened.clear();
        for (int a : c.answers)
            DialogHooks::queue(DialogAnswer::press(a));
        f.tbar.onMouseUp(c.button, c.shift, c.x, 100);
        ASSERT_EQ(DialogHooks::asked().size(), c.answers.size());
        for (const DialogRequest& q : DialogHooks::asked()) {
            EXPECT_EQ(q.style, 292);
            EXPECT_EQ(q.defaultButton, 2);
        }
        if (!c.answers.isEmpty()) {
            EXPECT_EQ(DialogHooks::asked().front().prompt, QStringLiteral("Show folder for settings?"));
        }
        ASSERT_EQ(opened.size(), c.folderOpened ? 1 : 0);
        if (c.folderOpened) {
            EXPECT_EQ(QDir::cleanPath(opened.front().toLocalFile()),
                      QDir::cleanPath(GetFolder(gIniAccess.IniFile())));
        }
    }
}

TEST_F(ToolbarGesturesTest, RefreshingTheSettingsReadsTheFileAgain)
{
    FrmMain& f = start();
    shellOpenHook = [](const QUrl&) { return true; };
    const int limit = f.tbar.Height() + f.tbar.Buttons().Item(QStringLiteral("EXIT")).Left();
    gIniAccess.WriteEntry(QStringLiteral("STATION"), QStringLiteral("lastCodeNo"), QStringLiteral("77"));
    gCodeNo = 31;
    DialogHooks::queue(DialogAnswer::press(vbYes));
    DialogHooks::queue(DialogAnswer::press(vbYes));
    f.tbar.onMouseUp(vbRightButton, vbAltMask, float(limit + 1), 100);
    EXPECT_EQ(DialogHooks::asked().size(), 2);
    EXPECT_EQ(DialogHooks::asked().back().prompt, QStringLiteral("Refresh settings from QV_Config.INI?"));
    EXPECT_EQ(gCodeNo, 77);
    EXPECT_TRUE(f.Enabled());
}

// The service gestures ask in the chosen language too.
TEST_F(ToolbarGesturesTest, TheGesturesAskInTheChosenLanguage)
{
    FrmMain& f = start();
    const test::ScopedShippedLanguage german(QStringLiteral("DEU"));
    shellOpenHook = [](const QUrl&) { return true; };
    const int limit = f.tbar.Height() + f.tbar.Buttons().Item(QStringLiteral("EXIT")).Left();
    DialogHooks::queue(DialogAnswer::press(vbYes));
    DialogHooks::queue(DialogAnswer::press(vbNo));
    f.tbar.onMouseUp(vbRightButton, vbAltMask, float(limit + 1), 100);
    ASSERT_EQ(DialogHooks::asked().size(), 2);
    EXPECT_EQ(DialogHooks::asked().front().prompt, QStringLiteral("Ordner der Einstellungen zeigen?"));
    EXPECT_EQ(DialogHooks::asked().back().prompt,
              QStringLiteral("Einstellungen aus QV_Config.INI neu laden?"));

    for (int shift : {0, int(vbAltMask)}) {
        prepareIdle(f);
        DialogHooks::reset();
        gTraceOn = true;
        pointAt(f, QStringLiteral("READ"));
        DialogHooks::queue(DialogAnswer::cancel());
        f.tbar.onMouseDown(vbRightButton, shift, 200, 100);
        ASSERT_EQ(DialogHooks::asked().size(), 1);
        EXPECT_EQ(DialogHooks::asked().front().prompt,
                  shift ? QStringLiteral("Startposition im Sicherungsspeicher (nur Harnol)")
                        : QStringLiteral("Datensätze im Sicherungsspeicher (nur Harnol)"));
    }
}

TEST_F(ToolbarGesturesTest, AReadThatProducedDataShowsTheDataView)
{
    FrmMain& f = start();
    struct Case
    {
        int backupFlag;
        bool cards;
        int widthBefore;
        int widthAfter;
        bool dataView;
    };
    const Case cases[] = {
        {0, true, 9000, 9000, false},   {1, true, 9000, 11000, true},   {1, true, 11500, 11500, true},
        {1, false, 11500, 12000, true}, {2, false, 13000, 13000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.backupFlag << " cards " << c.cards << " width " << c.widthBefore);
        gShowActionLog = true;
        f.rtbox(0).setVisible(true);
        f.rtbox(1).setVisible(false);
        f.lblRTBHead.setVisible(false);
        f.tbar.Buttons().Item(QStringLiteral("DISK")).setVisible(false);
        f.mnuDisk.setVisible(false);
        f.setWidth(c.widthBefore);
        gBackupFlag = c.backupFlag != 0;
        gCardReadout = c.cards;
        backupWindow().updateViewButtons();
        // The window's width counts in whole pixels.
        EXPECT_NEAR(f.Width(), c.widthAfter, 15);
        EXPECT_EQ(!gShowActionLog, c.dataView);
        EXPECT_EQ(f.rtbox(1).Visible(), c.dataView);
        EXPECT_EQ(f.rtbox(0).Visible(), !c.dataView);
        EXPECT_EQ(f.tbar.Buttons().Item(QStringLiteral("DISK")).Visible(), c.dataView);
        EXPECT_EQ(f.mnuDisk.Visible(), c.dataView);
        if (c.dataView) {
            EXPECT_TRUE(f.lblRTBHead.Caption().endsWith(
                GetLangText(gLangIndex, c.cards ? 1865 : 1866, QString()).replace(u' ', QChar(0xA0))));
        }
    }
}

} // namespace
