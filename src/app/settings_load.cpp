// LoadSettings: every key of QV-Config.INI into its variable, and the choice of the language.
#include "app/settings.h"

#include "app/app_info.h"
#include "app/ini_access.h"
#include "app/language.h"
#include "app/number_text.h"
#include "app/path_helpers.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/dates.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/strings.h"
#include "platform/runtime/vberror.h"
#include "platform/system/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <cmath>
#include <limits>

namespace qv {

namespace {

QString read(const char* section, const char* key, const QString& def)
{
    return gIniAccess.ReadEntry(QString::fromLatin1(section), QString::fromLatin1(key), def);
}

// The leading number of a text, taken to the nearest whole number, when it
// lies within [lo, hi].
std::optional<int64_t> wholeNumber(const QString& text, int64_t lo, int64_t hi)
{
    double v = 0;
    try {
        v = Round(Val(text));
    } catch (const VbError&) {
        return std::nullopt;
    }
    if (v < static_cast<double>(lo) || v > static_cast<double>(hi))
        return std::nullopt;
    return static_cast<int64_t>(v);
}

// A byte setting: the leading number of the text when it is a byte value;
// a hand-edited value that is none leaves the variable as it was.
void readByte(uint8_t& var, const QString& text)
{
    if (const auto n = wholeNumber(text, 0, 255))
        var = static_cast<uint8_t>(*n);
}

// A whole text read as a byte, in the user's locale; a text that is no byte
// value leaves the variable as it was.
void readWholeTextByte(uint8_t& var, const QString& text)
{
    try {
        var = CByte(text);
    } catch (const VbError&) {
    }
}

// A fractional setting written with either decimal separator; a value beyond
// single precision leaves the variable as it was.
void readSingle(float& var, const QString& text)
{
    const double v = NormalizeNumberText(text);
    if (std::isfinite(v) && std::fabs(v) <= std::numeric_limits<float>::max())
        var = static_cast<float>(v);
}

// A TIME tolerance: the text `sentinel` (and an empty text) stands for
// `meant`, anything else is the number it holds.
void readTolerance(float& var, const QString& text, const char* sentinel, float meant)
{
    if (text.isEmpty() || text == QLatin1String(sentinel))
        var = meant;
    else
        readSingle(var, text);
}

QString firstField(const QString& text)
{
    return GetField(text, 1, QStringLiteral(";"));
}

QString commandLine()
{
    if (gCommandLine)
        return *gCommandLine;
    return QCoreApplication::arguments().mid(1).join(u' ');
}

// The language code a command line's first word names; "" for none.
QString commandLineLanguage()
{
    static const char* const kWords[][2] = {{"en", "ENU"}, {"de", "DEU"}, {"fr", "FRA"}, {"sv", "SVE"},
                                            {"pt", "POR"}, {"hu", "HUN"}, {"et", "EST"}, {"dk", "DAN"},
                                            {"po", "POL"}, {"it", "ITA"}};
    const QString cmd = commandLine();
    if (cmd.isEmpty())
        return {};
    const QString word = cmd.split(u' ').first().toLower();
    for (const auto& w : kWords) {
        if (word == QLatin1String(w[0]))
            return QString::fromLatin1(w[1]);
    }
    return {};
}

// The languages available and the current one: gLangList, gLangCount,
// gLangCodes and gLangIndex.
void loadLanguages()
{
    gLangList = UCase(Trim(read("SETTINGS", "Languages", QString())));
    int defaultIndex = 0;
    if (gLangList.isEmpty()) {
        // The language files beside the program: "QV-Config" & three letters & ".xml".
        const QString title = AppTitle();
        const QStringList files = QDir(programFolder()).entryList(QDir::Files, QDir::Name);
        int accepted = 0;
        for (const QString& name : files) {
            if (name.size() != title.size() + 7 || !name.startsWith(title) || !name.endsWith(u".xml"))
                continue;
            ++accepted;
            const QString code = name.mid(title.size(), 3);
            gLangList += code + u' ';
            if (code == u"ENU" && defaultIndex == 0)
                defaultIndex = accepted;
        }
    } else {
        const int enu = InStr(gLangList, QStringLiteral("ENU"));
        defaultIndex = enu > 0 ? enu / 4 + 1 : 0;
    }

    const QString trimmed = Trim(gLangList);
    const QStringList pieces = trimmed.isEmpty() ? QStringList() : trimmed.split(u' ');
    gLangCount = static_cast<int16_t>(std::min<qsizetype>(pieces.size(), 255));

    QString code = commandLineLanguage();
    if (code.isEmpty())
        code = Trim(read("SETTINGS", "InitLang", QStringLiteral("ENU")));

    const auto index = wholeNumber(code, 1, gLangCount);
    if (!index) {
        gLangIndex = static_cast<uint8_t>(std::clamp(defaultIndex, 0, 255));
    } else {
        gLangIndex = static_cast<uint8_t>(*index);
        // A stored index followed directly by a code ("2DEU") stands for that code.
        if (code.size() > 3)
            code = Mid(code, gLangIndex / 10 + 2);
    }

    gLangCodes.resize(gLangCount + 1);
    gLangNames.resize(gLangCount + 1);
    for (int i = 1; i <= gLangCount; ++i) {
        gLangCodes[i] = pieces[i - 1];
        if (gLangCodes[i] == code)
            gLangIndex = static_cast<uint8_t>(i);
    }
}

// The last version check may not lie before the program was built, nor in
// the future of a machine whose clock is past the build date.
void loadLastCheckVersion()
{
    const QDate build = gBuildDate;
    const QString text = read("SETTINGS", "LastCheckVersion", CStr(build));
    QDate d = build;
    if (IsDate(text))
        d = CDate(text).date();
    gLastCheckVersion = d;
    const QDate today = Date();
    if (d < build || (d > today && build < today))
        gLastCheckVersion = build;
}

// "a,b": a at least 559, b at least 300.
void loadLastFWVersion()
{
    const QString text = read("SETTINGS", "LastFWVersion", gLastFWVersion);
    gLastFWVersionA = 559;
    gLastFWVersion = QStringLiteral("559");
    if (const auto a = wholeNumber(text, 559, std::numeric_limits<int16_t>::max())) {
        gLastFWVersionA = static_cast<int16_t>(*a);
        gLastFWVersion = QString::number(*a);
    }
    gLastFWVersionB = 300;
    const int comma = InStr(text, QStringLiteral(","));
    const auto b = comma > 0 ? wholeNumber(Mid(text, comma + 1), 300, std::numeric_limits<int16_t>::max())
                             : std::nullopt;
    if (b) {
        gLastFWVersionB = static_cast<int16_t>(*b);
        gLastFWVersion += u',' + QString::number(*b);
    } else {
        gLastFWVersion += QStringLiteral(",300");
    }
}

void loadTime()
{
    if (const auto ok = wholeNumber(read("TIME", "OkQuest", QStringLiteral("1")), INT16_MIN, INT16_MAX)) {
        gOkQuest = (*ok & 1) != 0;
        gWeekTimeMode = (*ok & 2) != 0;
    }
    readTolerance(gWaitToReturn, read("TIME", "msWaitToReturn", QString()), "4", 0.4f);
    gWaitToReturnCur = gWaitToReturn;
    readTolerance(gStepInc, read("TIME", "StepInc", QString()), "1", 0.01f);
    readSingle(gCountBeforeInc, read("TIME", "CountBeforeInc", QStringLiteral("3")));
    readTolerance(gDiffOk, read("TIME", "Diff_Ok", QString()), "5", 0.5f);
    readTolerance(gTimeOffset, read("TIME", "Offset", QString()), "-2", -0.2f);
}

void loadStation()
{
    if (const auto no =
            wholeNumber(Trim(firstField(read("STATION", "lastCodeNo", QStringLiteral("31")))), 1, 511))
        gCodeNo = static_cast<int16_t>(*no);
    const auto mode = wholeNumber(firstField(read("STATION", "lastMode", QStringLiteral("2"))), 1, 30);
    gModeCode = mode ? static_cast<uint8_t>(*mode) : 2;
    gModeTextHidden = 1;
    // A work time that is none keeps the one in hand.
    const QString wt = CheckWorkTime(
        Left(firstField(read("STATION", "lastWorkTime", QStringLiteral("02:00:00"))) + QStringLiteral(":00"),
             8),
        99);
    if (!wt.isEmpty())
        gWorkTime = wt;
    const QString off = QStringLiteral("0");
    readByte(gRtcWrite, firstField(read("STATION", "lastRTC", QStringLiteral("1"))));
    readByte(gBackupCtrlWrite, firstField(read("STATION", "lastBackupCtrl", off)));
    readByte(gAutoSendWrite, firstField(read("STATION", "lastAutoSend", off)));
    readByte(gBeaconWrite, firstField(read("STATION", "lastBeacon", off)));
    readByte(gSelectiveWrite, firstField(read("STATION", "lastSelective", off)));
    // Saved at exit, so read back at start: the radio options survive a restart.
    readByte(gAllNewRadioStampWrite, firstField(read("STATION", "AllNewRadio_stamp", off)));
    readByte(gRadioStampWrite, firstField(read("STATION", "lastRadio_stamp", off)));
    readByte(gRadioAppmemWrite, firstField(read("STATION", "lastRadio_appmem", off)));
    readByte(gPunchTimingModeWrite, firstField(read("STATION", "lastPunchTimingMode", off)));
    readByte(gExtProtWrite, firstField(read("STATION", "lastExtProt", off)));
    readByte(gSprint4msWrite, firstField(read("STATION", "lastSprint4ms", off)));
    readByte(gCard6mit192Write, firstField(read("STATION", "lastCard6mit192", off)));
}

void loadFiles()
{
    gDirectCardsFile = Trim(read("FILES", "DirectCards", QString()));
    const QString clip = read("FILES", "AutoClipBoard", QString());
    gAutoClipBoard = clip.isEmpty() ? gDirectCardsFile.isEmpty() : clip != u"0";
    QString protocol = read("FILES", "Protocol", QString());
    const bool traceMark = protocol.endsWith(QChar(kTraceMark));
    if (traceMark)
        protocol.chop(1);
    gTraceOn = traceMark;
    gTraceDefault = traceMark;
    protocol = Trim(protocol);
    if (!protocol.isEmpty())
        gProtocolPath = protocol;
    gCardFilePath = Trim(read("FILES", "Data", QString()));
    readByte(gSeparatorType, read("FILES", "DataDelimiter", QStringLiteral("1")));
    readByte(gTextQualifier, read("FILES", "TextDelimiter", QStringLiteral("0")));
    gColHeadFile = Trim(read("FILES", "ColHead", QString()));
    gColHeadFolder = gColHeadFile;
}

// The four feedback keys of a radio-card section: cycle, red, green, beep
// into elements 0, 2, 1, 3.
void loadFeedback(const char* section, const char* prefix, QByteArray& data, const int (&defaults)[4])
{
    static const char* const kKeys[] = {"Cycle", "LedR", "LedG", "Beep"};
    static const int kElements[] = {0, 2, 1, 3};
    if (data.size() < 4)
        data.resize(4, '\0');
    for (int i = 0; i < 4; ++i) {
        const QByteArray key = QByteArray(prefix) + kKeys[i];
        uint8_t v = static_cast<uint8_t>(data[kElements[i]]);
        readByte(v, read(section, key.constData(), QString::number(defaults[i])));
        data[kElements[i]] = static_cast<char>(v);
    }
}

} // namespace

void LoadSettings()
{
    gStationIniSwitch = false;
    gSetTimePC = qEnvironmentVariable("QVConfig").contains(QStringLiteral("SetTimePC"));

    if (const auto port = wholeNumber(Mid(read("COMCTRL", "Port", QStringLiteral("COM1")), 4), 0, INT16_MAX))
        gComPort = static_cast<int16_t>(*port);
    const QString baud = read("COMCTRL", "Baud", QStringLiteral("4800"));
    if (!baud.isEmpty()) {
        if (const auto b = wholeNumber(baud, INT32_MIN, INT32_MAX))
            gBaud = static_cast<int32_t>(std::max<int64_t>(*b, 4800));
    }
    gConfiguredBaud = gBaud;
    auto isOne = [](const QString& text) {
        try {
            return Val(text) == 1;
        } catch (const VbError&) {
            return false;
        }
    };
    gZokDevice = isOne(read("COMCTRL", "ZOK", QStringLiteral("0")));
    gGsmDevice = isOne(read("COMCTRL", "QVGSM", QStringLiteral("0")));

    loadLanguages();
    gCheckVersion = read("SETTINGS", "CheckVersion", QStringLiteral("No")) == u"Yes";
    gProgramVersion = QString::number(kAppMajor) + QString::number(kAppMinor) + QString::number(kAppRevision);

    const QString internet = read("SETTINGS", "LastInternetConnect", QString());
    gInternetConnectValid = IsDate(internet);
    if (gInternetConnectValid)
        gLastInternetConnect = CDate(internet);
    loadLastCheckVersion();
    loadLastFWVersion();

    readSingle(gMainLeft, read("SETTINGS", "MainLeft", QStringLiteral("0")));
    readSingle(gMainTop, read("SETTINGS", "MainTop", QStringLiteral("0")));
    gMainFitHeight = wholeNumber(read("SETTINGS", "xMainHeight", QStringLiteral("0")), 0, 0).has_value();
    readSingle(gMainWidth, read("SETTINGS", "MainWidth", QStringLiteral("14205")));

    readWholeTextByte(gOnlyVekGJ, read("STATION", "OnlyVEKG_J", QStringLiteral("0")));
    readWholeTextByte(gTurnOff, read("STATION", "TurnOff", QStringLiteral("0")));
    loadTime();
    loadStation();
    loadFiles();
    loadFeedback("QVEL", "LastSel", gAirSelData, {24, 5, 0, 74});
    loadFeedback("QVEL", "LastBRD", gAirBrdData, {8, 5, 0, 10});
    loadFeedback("Card11", "LastSel", gCard11SelData, {96, 2, 0, 17});

    gExpertOptions =
        gCard6mit192Write != 0 || gSprint4msWrite != 0 || gExtProtWrite != 0 || gBackupCtrlWrite != 0;
}

} // namespace qv
