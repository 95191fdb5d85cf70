// The program's start-up against a temporary home folder: folders, settings, language, protocol file, end.
#include "app/app_info.h"
#include "app/file_helpers.h"
#include "app/ini_access.h"
#include "app/language.h"
#include "app/settings.h"
#include "link/link_globals.h"
#include "link/protocol_file.h"
#include "platform/system/codepage.h"
#include "receiver/receiver_globals.h"
#include "stationdata/modes.h"
#include "support/main_window_fixture.h"
#include "ui/main/main_globals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

using namespace qv;

namespace {

class StartupTest : public test::MainWindowTest
{
};

QString fileText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readAll());
}

} // namespace

TEST_F(StartupTest, FirstRunMakesTheDataFolderAndASecondRunFindsIt)
{
    FrmMain& f = startWindow();
    ASSERT_TRUE(f.startupCompleted());
    EXPECT_TRUE(QFileInfo(dataFolder()).isDir());
    EXPECT_TRUE(QFileInfo(dataFolder() + QStringLiteral("/BIN")).isDir());
    EXPECT_TRUE(QFileInfo(dataFolder() + QStringLiteral("/LOG")).isDir());
    EXPECT_EQ(fileText(dataFolder() + QStringLiteral("/QV-Config.CNo")),
              fileText(programFolderPath() + QStringLiteral("/QV-Config.CNo")));
    EXPECT_TRUE(fileText(dataFolder() + QStringLiteral("/LOG/Protocol.CSV")).startsWith(ProtocolHeader));
    EXPECT_EQ(gProtocolPath, dataFolder() + QStringLiteral("/LOG/Protocol.CSV"));
    EXPECT_EQ(gApnDataFile, dataFolder() + QStringLiteral("/APN_Data.csv"));
    EXPECT_EQ(fileText(gApnDataFile), fileText(programFolderPath() + QStringLiteral("/APN_Data.csv")));
    EXPECT_EQ(gIniAccess.IniFile(), iniPath());
    EXPECT_TRUE(gDataFolderOk);
    EXPECT_FALSE(QFile::exists(iniPath()));
    closeWindow();
    EXPECT_TRUE(gProgramEnded);
    EXPECT_TRUE(QFile::exists(iniPath()));
    EXPECT_TRUE(readSettings().contains(QStringLiteral("[STATION]")));

    // The second run copies a list deleted meanwhile again, and leaves one the user changed as it is.
    QFile::remove(dataFolder() + QStringLiteral("/QV-Config.CNo"));
    QFile apn(gApnDataFile);
    ASSERT_TRUE(apn.open(QIODevice::WriteOnly));
    apn.write("mine;\r\n");
    apn.close();
    resetPrevInstance();
    FrmMain& g = startWindow();
    EXPECT_TRUE(g.startupCompleted());
    EXPECT_EQ(fileText(dataFolder() + QStringLiteral("/QV-Config.CNo")),
              fileText(programFolderPath() + QStringLiteral("/QV-Config.CNo")));
    EXPECT_EQ(fileText(gApnDataFile), QStringLiteral("mine;\r\n"));
}

TEST_F(StartupTest, AMissingSubfolderIsMadeAlone)
{
    QDir().mkpath(dataFolder() + QStringLiteral("/LOG"));
    QFile marker(dataFolder() + QStringLiteral("/LOG/keep.txt"));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    startWindow();
    EXPECT_TRUE(QFileInfo(dataFolder() + QStringLiteral("/BIN")).isDir());
    EXPECT_TRUE(QFile::exists(dataFolder() + QStringLiteral("/LOG/keep.txt")));
    EXPECT_EQ(gBinFolder, dataFolder() + QStringLiteral("/BIN"));
    // The data folder existed without the lists: each is copied.
    EXPECT_EQ(fileText(dataFolder() + QStringLiteral("/QV-Config.CNo")),
              fileText(programFolderPath() + QStringLiteral("/QV-Config.CNo")));
    EXPECT_EQ(fileText(dataFolder() + QStringLiteral("/APN_Data.csv")),
              fileText(programFolderPath() + QStringLiteral("/APN_Data.csv")));
}

TEST_F(StartupTest, ASecondInstanceIsRefusedAndSavesNothing)
{
    writeSettings(QStringLiteral("[STATION]\r\nlastCodeNo=44\r\n"));
    InstanceLock first(instanceLockFolder());
    // The lock of the first instance lies in the data folder, which exists.
    ASSERT_TRUE(first.tryAcquire());
    resetPrevInstance();
    DialogHooks::queue(DialogAnswer::press(vbOK));
    FrmMain& f = startWindow();
    EXPECT_FALSE(f.startupCompleted());
    EXPECT_TRUE(gProgramEnded);
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    const QString prompt = DialogHooks::asked().first().prompt;
    EXPECT_TRUE(prompt.startsWith(QStringLiteral("The program ")));
    EXPECT_TRUE(prompt.endsWith(QStringLiteral(" is already running!")));
    EXPECT_TRUE(prompt.contains(programExeName()));
    EXPECT_EQ(readSettings(), QStringLiteral("[STATION]\r\nlastCodeNo=44\r\n"));
    first.release();
}

TEST_F(StartupTest, TablesAndSerialSettingsAfterTheStart)
{
    writeSettings(QStringLiteral("[COMCTRL]\r\nBaud=38400\r\n"));
    FrmMain& f = startWindow();
    EXPECT_EQ(gReplyLengthTable[0x73], 17);
    EXPECT_EQ(gReplyLengthTable[0x72], 17);
    EXPECT_EQ(gReplyLengthTable[0x75], 2);
    EXPECT_EQ(gReplyLengthTable[0x77], 8);
    EXPECT_EQ(gReplyLengthTable[0x78], 3);
    EXPECT_EQ(gReplyLengthTable[0x74], 0);
    EXPECT_EQ(gReplyLengthTable[0xF0], 0);
    EXPECT_EQ(f.MSComm1.Settings(), QStringLiteral("38400,n,8,1"));
    EXPECT_EQ(gServiceCardWords[2], QStringLiteral("print results"));
    EXPECT_EQ(gServiceCardWords[4], QString());
    EXPECT_EQ(gReadRequestLen, 120);
    EXPECT_TRUE(gUseExtCommands);
    EXPECT_FALSE(gCodePageDiffers);
    EXPECT_TRUE(gFormLoaded);
    EXPECT_EQ(gColHeadTitle, QStringLiteral("Quarvelink;QV-Config"));
}

TEST_F(StartupTest, ControlsTakeTheRememberedValues)
{
    writeSettings(QStringLiteral("[STATION]\r\nlastCodeNo=123\r\nlastWorkTime=05:30:00\r\nlastMode=4\r\n"
                                 "TurnOff=1\r\nOnlyVEKG_J=1\r\n"));
    FrmMain& f = startWindow();
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("123"));
    EXPECT_EQ(f.txtWtime(1).Text(), QStringLiteral("05:30:00"));
    // The mode is chosen anew in every run: the combo starts empty.
    EXPECT_EQ(f.coMO.Text(), QString());
    EXPECT_EQ(f.coMO.ToolTipText(), QString());
    EXPECT_EQ(gModeCodeSet, 4);
    EXPECT_EQ(gModeCodeShown, 4);
    EXPECT_EQ(f.chkOff.Value(), vbChecked);
    EXPECT_EQ(f.chkAlt(0).Value(), vbChecked);
    EXPECT_EQ(f.chkAlt(0).Top(), -80);
    EXPECT_FALSE(f.cmdStop.Visible());
    EXPECT_FALSE(f.cmdTestTime.Visible());
    EXPECT_FALSE(f.HScroll1.Visible());
    EXPECT_FALSE(f.tbar.Buttons()(QStringLiteral("HEX")).Visible());
    EXPECT_FALSE(f.mnuDisk.Visible());
    EXPECT_FALSE(f.chkFCG(1).Visible());
    EXPECT_LT(f.frQVMKUV(0).Left(), 0);
    EXPECT_FALSE(f.piSwitch(0).Visible());
    EXPECT_EQ(f.lblProgress(0).Height(), 0);
    EXPECT_EQ(gCodeNoList.size(), 1);
}

TEST_F(StartupTest, TheMiddleGenerationIsSavedBackAsTicked)
{
    writeSettings(QStringLiteral("[STATION]\r\nOnlyVEKG_J=2\r\n"));
    FrmMain& f = startWindow();
    EXPECT_EQ(f.chkAlt(1).Value(), vbChecked);
    EXPECT_EQ(f.chkAlt(0).Value(), vbUnchecked);
    EXPECT_EQ(f.chkAlt(0).Top(), -250);
    closeWindow();
    EXPECT_TRUE(readSettings().contains(QStringLiteral("OnlyVEKG_J=2")));
}

TEST_F(StartupTest, CaptionsAndTextsFromTheLanguageFile)
{
    gCommandLine = QStringLiteral("de");
    FrmMain& f = startWindow();
    EXPECT_EQ(f.cmdRead.Caption(), QStringLiteral("lesen"));
    EXPECT_EQ(f.mnuComm.Caption(), QStringLiteral("&Kommandos"));
    EXPECT_EQ(f.chkCPC0(1).Caption(), QStringLiteral("erw. Prot."));
    EXPECT_EQ(f.chkQVMKUV_ReadCard(1).Caption(), f.chkRadio_appmem(1).Caption());
    EXPECT_TRUE(f.Caption().startsWith(QStringLiteral("QV-Config Stationskonfiguration V:")));
    EXPECT_TRUE(f.Caption().endsWith(QStringLiteral(" - ")));
    EXPECT_EQ(gMainCaption, f.Caption().left(gMainCaption.size()));
    EXPECT_EQ(f.frVEK_QVEL_Func.Caption(), GetLangText(gLangIndex, 1301, QString()));
    EXPECT_TRUE(f.lblConsumptionDes(0).Caption().endsWith(u' '));
    EXPECT_TRUE(f.lblConsumptionDes(1).Caption().startsWith(u' '));
    EXPECT_TRUE(f.cmdTime.ToolTipText().startsWith(QStringLiteral("(")));
    EXPECT_TRUE(f.cmdTime.ToolTipText().endsWith(QStringLiteral(") Stationsuhr nach der PC-Uhr stellen")));
    EXPECT_EQ(gHelpFile, QStringLiteral("QV-Config_DEU.html"));
}

TEST_F(StartupTest, FirstLogLinesNameTheVersionAndTheDataFolder)
{
    FrmMain& f = startWindow();
    const QStringList lines = f.rtbox(0).Text().split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("QV-Config V:") + ProgramVersionText() + u' '));
    EXPECT_EQ(lines[1], QStringLiteral("Settings:"));
    EXPECT_EQ(lines[2], dataFolder());
}

TEST_F(StartupTest, HelpFileWithoutAPageTakesTheSecondNameUntested)
{
    QFile::remove(programFolderPath() + QStringLiteral("/QV-Config_ENU.html"));
    gCommandLine = QStringLiteral("en");
    startWindow();
    EXPECT_EQ(gHelpFile, QStringLiteral("QV-Config_ENU.htm"));
}

TEST_F(StartupTest, ACodePageThatReplacesCharactersIsNoticed)
{
    gCodePageRoundTripHook = [](const QString& text) {
        QString t = text;
        t[1] = u'?';
        return t;
    };
    startWindow();
    gCodePageRoundTripHook = nullptr;
    EXPECT_TRUE(gCodePageDiffers);
}

TEST_F(StartupTest, WithoutAProtocolPathTheCaptionEndsWithAnEmptyPath)
{
    FrmMain& f = startWindow();
    // The caption took the path before the default was set.
    EXPECT_TRUE(f.Caption().endsWith(QStringLiteral(" - ")));
}

TEST_F(StartupTest, AMissingProtocolFileCancelledEndsTheProgramWithTheSettingsSaved)
{
    const QString gone = m_home.path() + QStringLiteral("/gone/Protocol.CSV");
    writeSettings(QStringLiteral("[FILES]\r\nProtocol=") + gone +
                  QStringLiteral("\r\n[STATION]\r\nlastCodeNo=55\r\n"));
    DialogHooks::queue(DialogAnswer::press(vbOK));
    DialogHooks::queue(DialogAnswer::cancel());
    FrmMain& f = startWindow();
    EXPECT_FALSE(f.startupCompleted());
    EXPECT_TRUE(gProgramEnded);
    ASSERT_GE(DialogHooks::asked().size(), 2);
    EXPECT_EQ(DialogHooks::asked()[0].prompt,
              QStringLiteral("Protocol file ") + gone + QStringLiteral(" not found!"));
    EXPECT_EQ(DialogHooks::asked()[0].style & vbCritical, vbCritical);
    EXPECT_TRUE(readSettings().contains(QStringLiteral("lastCodeNo=55")));
}

TEST_F(StartupTest, AMissingProtocolFileReplacedGoesOn)
{
    const QString gone = m_home.path() + QStringLiteral("/gone/Protocol.CSV");
    const QString chosen = m_home.path() + QStringLiteral("/mine.CSV");
    writeSettings(QStringLiteral("[FILES]\r\nProtocol=") + gone + QStringLiteral("\r\n"));
    DialogHooks::queue(DialogAnswer::press(vbOK));
    DialogHooks::queue(DialogAnswer::chooseFile(chosen));
    FrmMain& f = startWindow();
    EXPECT_TRUE(f.startupCompleted());
    EXPECT_EQ(gProtocolPath, chosen);
    EXPECT_TRUE(fileText(chosen).startsWith(ProtocolHeader));
}

TEST_F(StartupTest, AProtocolFileThatCannotBeMadeAsksUntilTheUserGivesUp)
{
    // A file stands where the chosen file's folder would have to be: the file can never be made.
    const QString blocker = m_home.path() + QStringLiteral("/blocker");
    QFile block(blocker);
    ASSERT_TRUE(block.open(QIODevice::WriteOnly));
    block.close();
    const QString gone = m_home.path() + QStringLiteral("/gone/Protocol.CSV");
    writeSettings(QStringLiteral("[FILES]\r\nProtocol=") + gone +
                  QStringLiteral("\r\n[STATION]\r\nlastCodeNo=66\r\n"));
    DialogHooks::queue(DialogAnswer::press(vbOK));                                    // not found
    DialogHooks::queue(DialogAnswer::chooseFile(blocker + QStringLiteral("/P.CSV"))); // a file that cannot be
    DialogHooks::queue(DialogAnswer::press(vbOK));                                    // the failure
    DialogHooks::queue(DialogAnswer::chooseFile(blocker + QStringLiteral("/Q.CSV"))); // asked again
    DialogHooks::queue(DialogAnswer::press(vbOK));                                    // the failure, once
    DialogHooks::queue(DialogAnswer::press(vbOK));                                    // and once more
    DialogHooks::queue(DialogAnswer::cancel());                                       // the user gives up
    FrmMain& f = startWindow();
    EXPECT_FALSE(f.startupCompleted());
    EXPECT_TRUE(gProgramEnded);
    EXPECT_EQ(DialogHooks::pending(), 0);
    EXPECT_EQ(DialogHooks::asked().size(), 7);
    EXPECT_TRUE(readSettings().contains(QStringLiteral("lastCodeNo=66")));
}

TEST_F(StartupTest, WithoutADataFolderEverythingLivesInTheApplicationDataFolder)
{
    // A file stands where the maker's folder would be made.
    QFile blocker(m_home.path() + QStringLiteral("/Quarvelink"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    DialogHooks::queue(DialogAnswer::press(vbOK)); // the folder that cannot be made
    FrmMain& f = startWindow();
    ASSERT_TRUE(f.startupCompleted());
    EXPECT_EQ(DialogHooks::pending(), 0);
    EXPECT_FALSE(gDataFolderOk);
    EXPECT_EQ(gDataFolder, m_home.path());
    EXPECT_EQ(gLogFolder, m_home.path());
    EXPECT_EQ(gBinFolder, m_home.path());
    EXPECT_EQ(gApnDataFile, QString());
    EXPECT_EQ(gIniAccess.IniFile(), m_home.path() + QStringLiteral("/QV-Config.INI"));
    EXPECT_EQ(gProtocolPath, m_home.path() + QStringLiteral("/Protocol.CSV"));
    closeWindow();
    EXPECT_TRUE(QFile::exists(m_home.path() + QStringLiteral("/QV-Config.INI")));
}

TEST_F(StartupTest, AClientLogoBesideTheProgramIsShown)
{
    FrmMain& f = startWindow();
    EXPECT_FALSE(f.picClient.Visible());
    closeWindow();

    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    ASSERT_TRUE(logo.save(programFolderPath() + QStringLiteral("/ClientLogo.JPG"), "JPG"));
    resetPrevInstance();
    FrmMain& g = startWindow();
    EXPECT_TRUE(g.picClient.Visible());
    EXPECT_FALSE(g.picClient.Picture().isNull());
}
