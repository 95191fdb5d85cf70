// Settings: every key set to a non-default value loads into its variable and saves back unchanged; defaults.
#include "app/language.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/runtime/dates.h"
#include "settings_fixture.h"
#include "support/test_support.h"

#include <QLocale>
#include <functional>

using namespace qv;

namespace {

struct Key
{
    const char* section;
    const char* key;
    QString text;                 // as the program itself writes it
    std::function<bool()> loaded; // the variable holds the value after a load
};

QString dec(const char* whole, const char* fraction)
{
    return QString::fromLatin1(whole) + QLocale().decimalPoint() + QString::fromLatin1(fraction);
}

// Every key of the settings file, each with a value other than its default.
std::vector<Key> everyKey()
{
    const QDateTime internet(QDate(2025, 11, 3), QTime(14, 30, 5));
    const QDate checked(2025, 12, 24);
    const QByteArray sel = QByteArray::fromHex("1e01064a");
    return {
        {"COMCTRL", "Port", "COM7", [] { return gComPort == 7; }},
        {"COMCTRL", "Baud", "38400", [] { return gBaud == 38400 && gConfiguredBaud == 38400; }},
        {"COMCTRL", "ZOK", "1", [] { return gZokDevice; }},
        {"COMCTRL", "QVGSM", "1", [] { return gGsmDevice; }},
        {"SETTINGS", "InitLang", "DEU", [] { return gLangIndex == 1; }},
        {"SETTINGS", "CheckVersion", "Yes", [] { return gCheckVersion; }},
        {"SETTINGS", "LastInternetConnect", CStr(internet),
         [internet] { return gInternetConnectValid && gLastInternetConnect == internet; }},
        {"SETTINGS", "LastCheckVersion", CStr(checked), [checked] { return gLastCheckVersion == checked; }},
        {"SETTINGS", "LastFWVersion", "610,310",
         [] { return gLastFWVersion == u"610,310" && gLastFWVersionA == 610 && gLastFWVersionB == 310; }},
        {"SETTINGS", "MainLeft", "1200", [] { return gMainLeft == 1200; }},
        {"SETTINGS", "MainTop", dec("900", "5"), [] { return gMainTop == 900.5f; }},
        {"SETTINGS", "MainWidth", "15000", [] { return gMainWidth == 15000; }},
        {"STATION", "OnlyVEKG_J", "1", [] { return gOnlyVekGJ == 1; }},
        {"STATION", "TurnOff", "1", [] { return gTurnOff == 1; }},
        {"TIME", "OkQuest", "2", [] { return !gOkQuest && gWeekTimeMode; }},
        {"TIME", "msWaitToReturn", dec("0", "6"),
         [] { return gWaitToReturn == 0.6f && gWaitToReturnCur == 0.6f; }},
        {"TIME", "StepInc", dec("0", "02"), [] { return gStepInc == 0.02f; }},
        {"TIME", "CountBeforeInc", "5", [] { return gCountBeforeInc == 5; }},
        {"TIME", "Diff_Ok", dec("0", "75"), [] { return gDiffOk == 0.75f; }},
        {"TIME", "Offset", dec("-0", "3"), [] { return gTimeOffset == -0.3f; }},
        {"STATION", "lastCodeNo", "123", [] { return gCodeNo == 123; }},
        {"STATION", "lastMode", "5", [] { return gModeCode == 5 && gModeTextHidden == 1; }},
        {"STATION", "lastWorkTime", "03:30:00", [] { return gWorkTime == u"03:30:00"; }},
        {"STATION", "lastRTC", "0", [] { return gRtcWrite == 0; }},
        {"STATION", "lastBackupCtrl", "1", [] { return gBackupCtrlWrite == 1; }},
        {"STATION", "lastAutoSend", "1", [] { return gAutoSendWrite == 1; }},
        {"STATION", "lastBeacon", "1", [] { return gBeaconWrite == 1; }},
        {"STATION", "lastSelective", "1", [] { return gSelectiveWrite == 1; }},
        {"STATION", "AllNewRadio_stamp", "1", [] { return gAllNewRadioStampWrite == 1; }},
        {"STATION", "lastRadio_stamp", "1", [] { return gRadioStampWrite == 1; }},
        {"STATION", "lastRadio_appmem", "1", [] { return gRadioAppmemWrite == 1; }},
        {"STATION", "lastPunchTimingMode", "1", [] { return gPunchTimingModeWrite == 1; }},
        {"STATION", "lastExtProt", "1", [] { return gExtProtWrite == 1 && gExpertOptions; }},
        {"STATION", "lastSprint4ms", "1", [] { return gSprint4msWrite == 1; }},
        {"STATION", "lastCard6mit192", "1", [] { return gCard6mit192Write == 1; }},
        {"FILES", "AutoClipBoard", "0", [] { return !gAutoClipBoard; }},
        {"FILES", "DirectCards", "/data/direct.csv", [] { return gDirectCardsFile == u"/data/direct.csv"; }},
        {"FILES", "Protocol", QStringLiteral("/data/LOG/Prot.CSV") + QChar(kTraceMark),
         [] { return gProtocolPath == u"/data/LOG/Prot.CSV" && gTraceOn && gTraceDefault; }},
        {"FILES", "Data", QString::fromUtf8("/data/K\u00e4rten.csv"),
         [] { return gCardFilePath == QString::fromUtf8("/data/K\u00e4rten.csv"); }},
        {"FILES", "DataDelimiter", "3", [] { return gSeparatorType == 3; }},
        {"FILES", "TextDelimiter", "34", [] { return gTextQualifier == 34; }},
        {"FILES", "ColHead", "/data/cols.txt",
         [] { return gColHeadFile == u"/data/cols.txt" && gColHeadFolder == u"/data/cols.txt"; }},
        {"QVEL", "LastSelCycle", "30", [sel] { return gAirSelData == sel; }},
        {"QVEL", "LastSelLedG", "1", [sel] { return gAirSelData == sel; }},
        {"QVEL", "LastSelLedR", "6", [sel] { return gAirSelData == sel; }},
        {"QVEL", "LastSelBeep", "74", [sel] { return gAirSelData == sel; }},
        {"QVEL", "LastBRDCycle", "9", [] { return gAirBrdData == QByteArray::fromHex("0902040b"); }},
        {"QVEL", "LastBRDLedG", "2", [] { return gAirBrdData == QByteArray::fromHex("0902040b"); }},
        {"QVEL", "LastBRDLedR", "4", [] { return gAirBrdData == QByteArray::fromHex("0902040b"); }},
        {"QVEL", "LastBRDBeep", "11", [] { return gAirBrdData == QByteArray::fromHex("0902040b"); }},
        {"Card11", "LastSelCycle", "90", [] { return gCard11SelData == QByteArray::fromHex("5a03010f"); }},
        {"Card11", "LastSelLedG", "3", [] { return gCard11SelData == QByteArray::fromHex("5a03010f"); }},
        {"Card11", "LastSelLedR", "1", [] { return gCard11SelData == QByteArray::fromHex("5a03010f"); }},
        {"Card11", "LastSelBeep", "15", [] { return gCard11SelData == QByteArray::fromHex("5a03010f"); }},
    };
}

class SettingsDefaults : public test::SettingsFile
{
};

class SettingsRoundTrip : public test::SettingsFile, public ::testing::WithParamInterface<const char*>
{
};

} // namespace

TEST_P(SettingsRoundTrip, EveryKeyLoadsAndSavesBack)
{
    test::ScopedLocale locale(QString::fromLatin1(GetParam()));
    const std::vector<Key> keys = everyKey();
    for (const Key& k : keys)
        set(k.section, k.key, k.text);
    set("SETTINGS", "Languages", QStringLiteral("deu enu"));
    set("SETTINGS", "xMainHeight", QStringLiteral("1"));
    set("SETTINGS", "MainHeight", QStringLiteral("7777"));

    LoadSettings();
    for (const Key& k : keys)
        EXPECT_TRUE(k.loaded()) << k.section << "/" << k.key << " = " << k.text.toStdString();
    EXPECT_EQ(gLangList, QStringLiteral("DEU ENU"));
    EXPECT_EQ(gLangCodes, (QStringList{QString(), "DEU", "ENU"}));
    EXPECT_FALSE(gMainFitHeight);
    EXPECT_EQ(gMainHeight, 8150); // never read: the window's own height is saved

    // Save into a new file; the window reports what it shows.
    gZokModeShown = true;
    gMainHeight = 7777;
    gIniAccess.setIniFile(m_tmp.filePath(QStringLiteral("saved.INI")));
    SaveSettings();
    ASSERT_TRUE(DialogHooks::asked().isEmpty());
    for (const Key& k : keys)
        EXPECT_EQ(get(k.section, k.key), k.text) << k.section << "/" << k.key;
    EXPECT_EQ(get("SETTINGS", "MainHeight"), QStringLiteral("7777"));
    EXPECT_EQ(get("SETTINGS", "Languages"), QStringLiteral("<none>")); // never written
    EXPECT_EQ(get("SETTINGS", "xMainHeight"), QStringLiteral("<none>"));

    // And that file loads to the same values again.
    const QString saved = gIniAccess.IniFile();
    resetAppState();
    gCommandLine = QString();
    gIniAccess.setIniFile(saved);
    set("SETTINGS", "Languages", QStringLiteral("DEU ENU"));
    LoadSettings();
    for (const Key& k : keys)
        EXPECT_TRUE(k.loaded()) << "reloaded " << k.section << "/" << k.key;
}

// Every locale the program may run in: German, Swiss German, English and the C locale of a fresh machine.
INSTANTIATE_TEST_SUITE_P(Locales, SettingsRoundTrip,
                         ::testing::Values("de_DE", "de_CH", "en_US", "en_GB", "C"));

TEST_F(SettingsDefaults, MissingKeysGiveTheDefaults)
{
    touchProgramFile(QStringLiteral("QV-ConfigDEU.xml"));
    touchProgramFile(QStringLiteral("QV-ConfigENU.xml"));
    LoadSettings();
    EXPECT_EQ(gComPort, 1);
    EXPECT_EQ(gBaud, 4800);
    EXPECT_FALSE(gZokDevice);
    EXPECT_FALSE(gGsmDevice);
    EXPECT_EQ(gLangIndex, 2); // English
    EXPECT_FALSE(gCheckVersion);
    EXPECT_FALSE(gInternetConnectValid);
    EXPECT_EQ(gLastCheckVersion, gBuildDate);
    EXPECT_EQ(gLastFWVersion, QStringLiteral("559,300"));
    EXPECT_EQ(gMainLeft, 0);
    EXPECT_EQ(gMainWidth, 14205);
    EXPECT_TRUE(gMainFitHeight);
    EXPECT_EQ(gOnlyVekGJ, 0);
    EXPECT_TRUE(gOkQuest);
    EXPECT_FALSE(gWeekTimeMode);
    EXPECT_FLOAT_EQ(gWaitToReturn, 0.4f);
    EXPECT_FLOAT_EQ(gStepInc, 0.01f);
    EXPECT_FLOAT_EQ(gCountBeforeInc, 3);
    EXPECT_FLOAT_EQ(gDiffOk, 0.5f);
    EXPECT_FLOAT_EQ(gTimeOffset, -0.2f);
    EXPECT_EQ(gCodeNo, 31);
    EXPECT_EQ(gModeCode, 2);
    EXPECT_EQ(gWorkTime, QStringLiteral("02:00:00"));
    EXPECT_EQ(gRtcWrite, 1);
    EXPECT_EQ(gAutoSendWrite, 0);
    EXPECT_FALSE(gExpertOptions);
    EXPECT_TRUE(gAutoClipBoard);
    EXPECT_FALSE(gTraceOn);
    EXPECT_EQ(gProtocolPath, QString());
    EXPECT_EQ(gSeparatorType, 1);
    EXPECT_EQ(gTextQualifier, 0);
    EXPECT_EQ(gAirSelData, QByteArray::fromHex("1800054a"));
    EXPECT_EQ(gAirBrdData, QByteArray::fromHex("0800050a"));
    EXPECT_EQ(gCard11SelData, QByteArray::fromHex("60000211"));
    EXPECT_EQ(gProgramVersion, QStringLiteral("010"));
}
