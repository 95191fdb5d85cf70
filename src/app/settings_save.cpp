// SaveSettings: every setting back into QV-Config.INI.
#include "app/settings.h"

#include "app/app_info.h"
#include "app/ini_access.h"
#include "app/language.h"
#include "platform/dialogs/msgbox.h"
#include "platform/profile/profile.h"
#include "platform/runtime/dates.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/strings.h"

#include <QLocale>

namespace qv {

namespace {

// The language written when no language is current.
constexpr char kDefaultLanguage[] = "ENU";

// Set by the first write of a save that fails; the writes after it are left out, as the file cannot take
// them either, and the save ends with one message.
bool saveFailed = false;

void write(const char* section, const char* key, const QString& value)
{
    if (saveFailed)
        return;
    gIniAccess.WriteEntry(QString::fromLatin1(section), QString::fromLatin1(key), value);
    saveFailed = gIniAccess.ReturnCode() == 0;
}

void write(const char* section, const char* key, int64_t value)
{
    write(section, key, QString::number(value));
}

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString single(float v)
{
    return CStrSingle(v);
}

// A TIME tolerance. The file's sentinel texts ("4", "1", "5", "-2") stand for
// the defaults 0.4, 0.01, 0.5 and -0.2, so a user's own value equal to a
// sentinel's number is written with a decimal part to come back as itself.
QString tolerance(float v, float sentinel)
{
    QString text = single(v);
    if (v == sentinel)
        text += QLocale().decimalPoint() + QStringLiteral("0");
    return text;
}

// The code of the current language as the language list holds it; the
// default language when none is current.
QString currentLanguageCode()
{
    const int pos = gLangIndex * 4 - 3;
    if (gLangIndex < 1 || pos + 2 > gLangList.size())
        return QString::fromLatin1(kDefaultLanguage);
    return Mid(gLangList, pos, 3);
}

void saveFeedback(const char* section, const char* prefix, const QByteArray& data)
{
    // Written in the order cycle, green, red, beep: elements 0, 1, 2, 3.
    static const char* const kKeys[] = {"Cycle", "LedG", "LedR", "Beep"};
    for (int i = 0; i < 4; ++i) {
        const QByteArray key = QByteArray(prefix) + kKeys[i];
        write(section, key.constData(), i < data.size() ? static_cast<uint8_t>(data[i]) : 0);
    }
}

} // namespace

void SaveSettings()
{
    saveFailed = false;
    // The whole save goes to the disk as one write: one replace and sync, not one per key.
    ProfileWriteBatch batch;
    write("COMCTRL", "Port", QStringLiteral("COM") + QString::number(gComPort));
    write("COMCTRL", "Baud", gBaud);
    write("COMCTRL", "ZOK", flag(gZokDevice && gZokModeShown));
    write("COMCTRL", "QVGSM", flag(gGsmDevice));
    write("SETTINGS", "CheckVersion", gCheckVersion ? QStringLiteral("Yes") : QStringLiteral("No"));
    if (gInternetConnectValid)
        write("SETTINGS", "LastInternetConnect", CStr(gLastInternetConnect));
    write("SETTINGS", "LastCheckVersion", CStr(gLastCheckVersion));
    write("SETTINGS", "LastFWVersion", gLastFWVersion);

    if (!gMainMinimized) {
        write("SETTINGS", "MainLeft", single(gMainLeft));
        write("SETTINGS", "MainTop", single(gMainTop));
        write("SETTINGS", "MainWidth", single(gMainWidth));
        write("SETTINGS", "MainHeight", single(gMainHeight));
    }
    write("SETTINGS", "InitLang", currentLanguageCode());

    write("STATION", "OnlyVEKG_J", gOnlyVekGJ);
    write("STATION", "TurnOff", gTurnOff);
    if (gAutoSendWrite == 1 && !gAutoSendAvailable) {
        gAutoSendWrite = 0;
        gModeCode = 2;
    }
    write("STATION", "lastBeacon", gBeaconWrite);
    write("STATION", "lastSelective", gSelectiveWrite);
    write("STATION", "AllNewRadio_stamp", gAllNewRadioStampWrite);
    write("STATION", "lastRadio_stamp", gRadioStampWrite);
    write("STATION", "lastRadio_appmem", gRadioAppmemWrite);
    write("STATION", "lastPunchTimingMode", gPunchTimingModeWrite);
    write("STATION", "lastWorkTime", gWorkTime);
    write("STATION", "lastMode", gModeCode);
    write("STATION", "lastCodeNo", gCodeNo);
    write("STATION", "lastRTC", gRtcWrite);
    write("STATION", "lastAutoSend", gAutoSendWrite);
    write("STATION", "lastBackupCtrl", gBackupCtrlWrite);
    write("STATION", "lastExtProt", gExtProtWrite);
    write("STATION", "lastSprint4ms", gSprint4msWrite);
    write("STATION", "lastCard6mit192", gCard6mit192Write);

    write("TIME", "OkQuest", (gOkQuest ? 1 : 0) + 2 * (gWeekTimeMode ? 1 : 0));
    write("TIME", "msWaitToReturn", tolerance(gWaitToReturn, 4));
    write("TIME", "StepInc", tolerance(gStepInc, 1));
    write("TIME", "CountBeforeInc", single(gCountBeforeInc));
    write("TIME", "Diff_Ok", tolerance(gDiffOk, 5));
    write("TIME", "Offset", tolerance(gTimeOffset, -2));

    write("FILES", "AutoClipBoard", flag(gAutoClipBoard));
    if (!Trim(gDirectCardsFile).isEmpty())
        write("FILES", "DirectCards", Trim(gDirectCardsFile));
    write("FILES", "Protocol", Trim(gProtocolPath) + (gTraceOn ? QString(QChar(kTraceMark)) : QString()));
    write("FILES", "Data", Trim(gCardFilePath));
    write("FILES", "DataDelimiter", gSeparatorType);
    write("FILES", "TextDelimiter", gTextQualifier);
    write("FILES", "ColHead", Trim(gColHeadFile));

    saveFeedback("QVEL", "LastSel", gAirSelData);
    saveFeedback("QVEL", "LastBRD", gAirBrdData);
    saveFeedback("Card11", "LastSel", gCard11SelData);

    if (!batch.commit())
        saveFailed = true;
    // Any write that failed means the user's changes of this run are not all in the file.
    if (saveFailed)
        MsgBox(QStringLiteral("Write Error ") + AppTitle() + QStringLiteral(".INI") + u'\r' +
                   gIniAccess.IniFile(),
               vbExclamation | vbOKOnly);
}

} // namespace qv
