// Settings: hand-edited values, sentinels of the time tolerances, the language choice, write failures.
#include "app/language.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/dates.h"
#include "platform/system/textfile.h"
#include "settings_fixture.h"
#include "support/disk_faults.h"
#include "support/test_support.h"

using namespace qv;

namespace {

class Settings : public test::SettingsFile
{
};

class SettingsLocale : public test::SettingsFile, public ::testing::WithParamInterface<const char*>
{
};

} // namespace

TEST_F(Settings, PortAndBaudTexts)
{
    struct Case
    {
        const char* port;
        int16_t expected;
    };
    const Case cases[] = {{"COM12", 12}, {"com3", 3},        {"COM", 0}, {"COMx", 0},
                          {"COM 4", 4},  {"COM99999999", 5}, // no port number: the one in hand stays
                          {"COM-2", 5}};
    for (const Case& c : cases) {
        gComPort = 5;
        set("COMCTRL", "Port", QString::fromLatin1(c.port));
        LoadSettings();
        EXPECT_EQ(gComPort, c.expected) << c.port;
    }
    set("COMCTRL", "Baud", QStringLiteral("1200"));
    LoadSettings();
    EXPECT_EQ(gBaud, 4800);
    gBaud = 38400;
    set("COMCTRL", "Baud", QString());
    LoadSettings();
    EXPECT_EQ(gBaud, 38400); // an empty text keeps the rate
    EXPECT_EQ(gConfiguredBaud, 38400);
}

TEST_F(Settings, StationValuesInRangeOnly)
{
    gCodeNo = 77;
    set("STATION", "lastCodeNo", QStringLiteral("600"));
    set("STATION", "lastMode", QStringLiteral("40"));
    set("STATION", "lastWorkTime", QStringLiteral("02:00"));
    LoadSettings();
    EXPECT_EQ(gCodeNo, 77);
    EXPECT_EQ(gModeCode, 2);
    EXPECT_EQ(gWorkTime, QStringLiteral("02:00:00"));

    set("STATION", "lastCodeNo", QStringLiteral(" 45 ;x"));
    set("STATION", "lastMode", QStringLiteral("30;7"));
    set("STATION", "lastWorkTime", QStringLiteral("12:15;0"));
    LoadSettings();
    EXPECT_EQ(gCodeNo, 45);
    EXPECT_EQ(gModeCode, 30);
    EXPECT_EQ(gWorkTime, QStringLiteral("12:15:00"));

    // A work time that is none keeps the one in hand.
    set("STATION", "lastWorkTime", QStringLiteral("rubbish"));
    LoadSettings();
    EXPECT_EQ(gWorkTime, QStringLiteral("12:15:00"));

    for (const char* bad : {"0", "-3", "abc"}) {
        set("STATION", "lastMode", QString::fromLatin1(bad));
        LoadSettings();
        EXPECT_EQ(gModeCode, 2) << bad;
    }
}

TEST_F(Settings, HandEditedBytesKeepTheirValue)
{
    gTurnOff = 1;
    gRtcWrite = 1;
    gAirSelData = QByteArray::fromHex("1800054a");
    set("STATION", "TurnOff", QStringLiteral("yes"));
    set("STATION", "lastRTC", QStringLiteral("300"));
    set("QVEL", "LastSelBeep", QStringLiteral("256"));
    set("QVEL", "LastSelCycle", QStringLiteral("-1"));
    LoadSettings();
    EXPECT_EQ(gTurnOff, 1);
    EXPECT_EQ(gRtcWrite, 1);
    EXPECT_EQ(gAirSelData, QByteArray::fromHex("1800054a"));
}

TEST_P(SettingsLocale, TimeTolerancesWithEitherSeparatorAndTheirSentinels)
{
    test::ScopedLocale locale(QString::fromLatin1(GetParam()));
    struct Case
    {
        const char* text;
        float expected;
    };
    const Case cases[] = {{"4", 0.4f},   {"", 0.4f},    {"0,6", 0.6f},
                          {"0.6", 0.6f}, {"4,0", 4.0f}, {"4.0", 4.0f}};
    for (const Case& c : cases) {
        set("TIME", "msWaitToReturn", QString::fromLatin1(c.text));
        LoadSettings();
        EXPECT_FLOAT_EQ(gWaitToReturn, c.expected) << c.text;
        EXPECT_FLOAT_EQ(gWaitToReturnCur, c.expected) << c.text;
    }
    set("TIME", "StepInc", QStringLiteral("1"));
    set("TIME", "Diff_Ok", QStringLiteral("5"));
    set("TIME", "Offset", QStringLiteral("-2"));
    LoadSettings();
    EXPECT_FLOAT_EQ(gStepInc, 0.01f);
    EXPECT_FLOAT_EQ(gDiffOk, 0.5f);
    EXPECT_FLOAT_EQ(gTimeOffset, -0.2f);
}

// A user's own tolerance equal to a sentinel's number comes back as itself.
TEST_P(SettingsLocale, ToleranceEqualToASentinelSurvivesASave)
{
    test::ScopedLocale locale(QString::fromLatin1(GetParam()));
    gWaitToReturn = 4;
    gStepInc = 1;
    gDiffOk = 5;
    gTimeOffset = -2;
    SaveSettings();
    resetAppState();
    gCommandLine = QString();
    gIniAccess.setIniFile(iniPath());
    LoadSettings();
    EXPECT_FLOAT_EQ(gWaitToReturn, 4);
    EXPECT_FLOAT_EQ(gStepInc, 1);
    EXPECT_FLOAT_EQ(gDiffOk, 5);
    EXPECT_FLOAT_EQ(gTimeOffset, -2);
}

INSTANTIATE_TEST_SUITE_P(Locales, SettingsLocale, ::testing::Values("de_DE", "en_US"));

TEST_F(Settings, FirmwareVersions)
{
    struct Case
    {
        const char* text;
        const char* expected;
        int a;
        int b;
    };
    const Case cases[] = {{"600,250", "600,300", 600, 300},
                          {"500", "559,300", 559, 300},
                          {"610,310", "610,310", 610, 310},
                          {"x,y", "559,300", 559, 300},
                          {"700,99999", "700,300", 700, 300}};
    for (const Case& c : cases) {
        set("SETTINGS", "LastFWVersion", QString::fromLatin1(c.text));
        LoadSettings();
        EXPECT_EQ(gLastFWVersion, QString::fromLatin1(c.expected)) << c.text;
        EXPECT_EQ(gLastFWVersionA, c.a) << c.text;
        EXPECT_EQ(gLastFWVersionB, c.b) << c.text;
    }
}

TEST_F(Settings, LastCheckVersionStaysBetweenBuildAndToday)
{
    gBuildDate = QDate(2025, 6, 1); // today is 10.03.2026 on the test clock
    struct Case
    {
        QDate stored;
        QDate expected;
    };
    const Case cases[] = {{QDate(2026, 5, 1), QDate(2025, 6, 1)}, // later than today
                          {QDate(2025, 1, 1), QDate(2025, 6, 1)}, // before the build
                          {QDate(2026, 3, 10), QDate(2026, 3, 10)},
                          {QDate(2025, 9, 9), QDate(2025, 9, 9)}};
    for (const Case& c : cases) {
        set("SETTINGS", "LastCheckVersion", CStr(c.stored));
        LoadSettings();
        EXPECT_EQ(gLastCheckVersion, c.expected) << c.stored.toString().toStdString();
    }
    set("SETTINGS", "LastCheckVersion", QStringLiteral("not a date"));
    set("SETTINGS", "LastInternetConnect", QStringLiteral("never"));
    LoadSettings();
    EXPECT_EQ(gLastCheckVersion, gBuildDate);
    EXPECT_FALSE(gInternetConnectValid);
    SaveSettings();
    EXPECT_EQ(get("SETTINGS", "LastInternetConnect"), QStringLiteral("never")); // written only when valid
}

TEST_F(Settings, TraceMarkAndClipboardDefault)
{
    set("FILES", "Protocol", QStringLiteral(" /p/Protocol.CSV ") + QChar(kTraceMark));
    LoadSettings();
    EXPECT_EQ(gProtocolPath, QStringLiteral("/p/Protocol.CSV"));
    EXPECT_TRUE(gTraceOn);
    gTraceOn = false;
    SaveSettings();
    EXPECT_EQ(get("FILES", "Protocol"), QStringLiteral("/p/Protocol.CSV"));
    set("FILES", "Protocol", QString());
    LoadSettings();
    EXPECT_EQ(gProtocolPath, QStringLiteral("/p/Protocol.CSV")); // an empty text leaves the path alone

    set("FILES", "AutoClipBoard", QString());
    LoadSettings();
    EXPECT_TRUE(gAutoClipBoard);
    set("FILES", "DirectCards", QStringLiteral("/d.csv"));
    LoadSettings();
    EXPECT_FALSE(gAutoClipBoard);
    set("FILES", "AutoClipBoard", QStringLiteral("7"));
    LoadSettings();
    EXPECT_TRUE(gAutoClipBoard);
}

TEST_F(Settings, LongValuesAreCut)
{
    set("FILES", "DirectCards", QString(300, u'd'));
    LoadSettings();
    EXPECT_EQ(gDirectCardsFile.size(), 259);
}

TEST_F(Settings, MinimisedWindowLeavesItsGeometry)
{
    set("SETTINGS", "MainLeft", QStringLiteral("11"));
    set("SETTINGS", "MainHeight", QStringLiteral("22"));
    gMainMinimized = true;
    gMainLeft = 500;
    SaveSettings();
    EXPECT_EQ(get("SETTINGS", "MainLeft"), QStringLiteral("11"));
    EXPECT_EQ(get("SETTINGS", "MainHeight"), QStringLiteral("22"));
    gMainMinimized = false;
    SaveSettings();
    EXPECT_EQ(get("SETTINGS", "MainLeft"), QStringLiteral("500"));
}

TEST_F(Settings, AutoSendNeedsItsCheckBox)
{
    gAutoSendWrite = 1;
    gModeCode = 7;
    gAutoSendAvailable = false;
    SaveSettings();
    EXPECT_EQ(get("STATION", "lastAutoSend"), QStringLiteral("0"));
    EXPECT_EQ(get("STATION", "lastMode"), QStringLiteral("2"));
    EXPECT_EQ(get("COMCTRL", "ZOK"), QStringLiteral("0"));
}

TEST_F(Settings, LanguagesFromTheFilesBesideTheProgram)
{
    touchProgramFile(QStringLiteral("QV-ConfigDEU.xml"));
    touchProgramFile(QStringLiteral("QV-ConfigENU.xml"));
    touchProgramFile(QStringLiteral("QV-ConfigLONG1.xml")); // not a three-letter code
    touchProgramFile(QStringLiteral("Other-xyzABC.xml"));
    LoadSettings();
    EXPECT_EQ(gLangList, QStringLiteral("DEU ENU "));
    EXPECT_EQ(gLangCount, 2);
    EXPECT_EQ(gLangIndex, 2);
    EXPECT_EQ(gLangCodes, (QStringList{QString(), "DEU", "ENU"}));
}

TEST_F(Settings, LanguageFromTheCommandLineOrInitLang)
{
    set("SETTINGS", "Languages", QStringLiteral("DEU ENU FRA"));
    struct Case
    {
        const char* commandLine;
        const char* initLang;
        int expected;
    };
    const Case cases[] = {
        {"de whatever", "FRA", 1}, // the command line wins
        {"FR", "DEU", 3},          // any case
        {"xx", "FRA", 3},          // not in the table: InitLang decides
        {"", "ENU", 2},
        {"", "2DEU", 1}, // a stored index followed by a code names that code
        {"", "3", 3},    // an index alone
        {"", "9", 2},    // an index beyond the list: English
        {"", "SVE", 2},  // a code not in the list: English
    };
    for (const Case& c : cases) {
        gCommandLine = QString::fromLatin1(c.commandLine);
        set("SETTINGS", "InitLang", QString::fromLatin1(c.initLang));
        LoadSettings();
        EXPECT_EQ(gLangIndex, c.expected) << c.commandLine << " / " << c.initLang;
    }
}

// With no language current the default language is saved, and the save goes on.
TEST_F(Settings, SavingWithoutALanguageWritesTheDefault)
{
    gLangIndex = 0;
    gLangList.clear();
    gCodeNo = 99;
    SaveSettings();
    EXPECT_EQ(get("SETTINGS", "InitLang"), QStringLiteral("ENU"));
    EXPECT_EQ(get("STATION", "lastCodeNo"), QStringLiteral("99"));
    gLangList = QStringLiteral("DEU ENU ");
    gLangIndex = 1;
    SaveSettings();
    EXPECT_EQ(get("SETTINGS", "InitLang"), QStringLiteral("DEU"));
}

TEST_F(Settings, UnwritableFileIsReportedAndNothingElseWritten)
{
    gIniAccess.setIniFile(m_tmp.filePath(QStringLiteral("gone/QV-Config.INI")));
    DialogHooks::queue(DialogAnswer::press(vbOK));
    SaveSettings();
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked()[0].prompt,
              QStringLiteral("Write Error QV-Config.INI\r") + gIniAccess.IniFile());
    EXPECT_EQ(DialogHooks::asked()[0].style & 0xF0, vbExclamation);
}

// A settings file or data folder that cannot be written loses the run's changes: the save says so, whether or
// not a value changed, and whichever of its writes is the first to fail.
TEST_F(Settings, ReadOnlyFileOrFolderIsReportedEvenWhenNothingChanged)
{
    const QString prompt = QStringLiteral("Write Error QV-Config.INI\r") + iniPath();
    const QString folder = m_tmp.path();
    struct Case
    {
        const char* what;
        QString readOnly;
        int16_t port;   // the port the user chose in this run (the save's first write)
        int16_t codeNo; // the code number the user chose (a later write)
    };
    const Case cases[] = {{"file, nothing changed", iniPath(), 3, 31},
                          {"file, port changed", iniPath(), 7, 31},
                          {"file, code number changed", iniPath(), 3, 44},
                          {"folder, nothing changed", folder, 3, 31},
                          {"folder, code number changed", folder, 3, 44}};
    for (const Case& c : cases) {
        gComPort = 3;
        gCodeNo = 31;
        SaveSettings();
        const QByteArray saved = iniBytes();
        ASSERT_TRUE(DialogHooks::asked().isEmpty());
        test::openForEveryone(folder);
        test::openForEveryone(iniPath());
        test::makeReadOnly(c.readOnly);
        gComPort = c.port;
        gCodeNo = c.codeNo;
        DialogHooks::queue(DialogAnswer::press(vbOK));
        {
            const test::AsOrdinaryUser user;
            SaveSettings();
        }
        test::openForEveryone(folder);
        test::openForEveryone(iniPath());
        ASSERT_EQ(DialogHooks::asked().size(), 1) << c.what;
        EXPECT_EQ(DialogHooks::asked()[0].prompt, prompt) << c.what;
        EXPECT_EQ(iniBytes(), saved) << c.what;
        EXPECT_EQ(QDir(folder).entryList({QStringLiteral("QV-Config.INI*")}, QDir::Files),
                  QStringList{"QV-Config.INI"})
            << c.what;
        DialogHooks::reset();
    }
}

// A save that fails while writing leaves the old settings file whole.
TEST_F(Settings, FailedWriteLeavesTheOldFileWhole)
{
    set("COMCTRL", "Port", QStringLiteral("COM3"));
    set("STATION", "lastCodeNo", QStringLiteral("200"));
    const QByteArray before = iniBytes();
    gComPort = 9;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    {
        const test::DiskFull full(5);
        SaveSettings();
    }
    EXPECT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(iniBytes(), before);
    QDir dir(m_tmp.path());
    EXPECT_EQ(dir.entryList({QStringLiteral("QV-Config.INI*")}, QDir::Files), QStringList{"QV-Config.INI"});
}
