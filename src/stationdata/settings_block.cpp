// The settings block of a station decoded into mode, code number, options, work time and the last-write line.
#include "stationdata/settings_block.h"

#include "app/language.h"
#include "app/settings.h"
#include "link/link_globals.h"
#include "link/traffic_log.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

namespace qv {

namespace {

constexpr int kExtendedBlockElements = 18; // up to the work time in minutes (elements 16 and 17)
constexpr int kBaseBlockElements = 16;     // up to the end of the work-time span (elements 13 to 15)
constexpr uint8_t kModeSpecialFunctions = 1;
constexpr uint8_t kModeEmpty = 31;

uint8_t bit(const QByteArray& b, int index, int bitNo)
{
    return IsBitSet(bitNo, uint8_t(b[index])) ? 1 : 0;
}

// The work time of the base layout: from the last-write time to the end mark,
// both in seconds of the week.
int32_t baseWorkTime(int32_t start, int32_t end)
{
    if (start == kNoTime || end == kNoTime)
        return kNoTime;
    const int32_t span = end - start;
    return span < 0 ? span + kSecondsPerWeek : span;
}

QString lastWriteLine(const QByteArray& b)
{
    const int year = uint8_t(b[7]);
    const int month = uint8_t(b[8]);
    const int day = uint8_t(b[9]);
    const int half = uint8_t(b[10]);
    if (month < 1 || month > 12 || day < 1 || day > 31 || half > 1)
        return QString();
    const int32_t seconds = half * 43200 + uint8_t(b[11]) * 256 + uint8_t(b[12]);
    return QStringLiteral("last write: ") +
           Format(DateSerial(year, month, day), QStringLiteral("Short Date")) + QLatin1Char(' ') +
           FormatSeconds(QString::number(seconds));
}

} // namespace

SettingsBlockView DecodeSettingsBlock(const QByteArray& b, const SettingsBlockContext& c)
{
    const int needed = c.useExtCommands ? kExtendedBlockElements : kBaseBlockElements;
    if (b.size() < needed)
        throw VbError(ErrSubscriptOutOfRange,
                      QStringLiteral("Subscript out of range: the settings block needs %1 elements, got %2")
                          .arg(needed)
                          .arg(b.size()));
    SettingsBlockView v;
    v.selectiveRead = c.selectiveRead;
    v.beaconRead = c.beaconRead;

    v.beepSet = bit(b, 5, 2);
    v.ledSet = bit(b, 5, 0);
    v.led2Set = c.zokDevice && bit(b, 5, 1);

    v.modeByteRaw = uint8_t(b[3]);
    v.modeCode = v.modeByteRaw & 0x1F;
    v.beaconModeRead = v.modeCode > 17 && v.modeCode < 21;
    if (!c.zokDevice)
        v.beaconMode = v.beaconModeRead;
    v.emptyModeFrameVisible = v.modeCode == kModeEmpty;

    if (c.zokDevice || v.beaconModeRead) {
        v.allNewRadioStampRead = bit(b, 3, 6) && bit(b, 3, 7);
        if (!v.allNewRadioStampRead) {
            v.radioAppmemRead = bit(b, 3, 7);
            v.radioStampRead = bit(b, 3, 6);
        }
        v.punchTimingModeRead = bit(b, 3, 5);
    }

    v.modeText = GetLangText(gLangIndex, 1300 + v.modeCode, QString());
    v.directCardsMode = v.modeText == gModeTextPrintout || v.modeText == gModeTextReadout;

    const bool beacon = (c.actionCode == ActRead && v.beaconModeRead) ||
                        (c.actionCode == ActWrite &&
                         (c.modeChoiceText == gModeTextBcStart || c.modeChoiceText == gModeTextBcFinish ||
                          c.modeChoiceText == gModeTextBcControl));
    v.beaconLayout = beacon && c.zokDevice;
    v.switchPicturesVisible = beacon && !c.zokDevice;

    // The code number as the settings write stores it: the low eight bits in
    // byte 2 of the block, bits 8 and 9 in bits 6 and 7 of byte 3.
    v.codeNumber = DecodeCodeNumber(b.mid(5, 1) + b.mid(4, 1), false);
    if (v.modeCode == kModeSpecialFunctions)
        v.funcText = c.funcText + GetFuncCodeCaption(v.codeNumber);

    v.autoSendRead = bit(b, 6, 1);
    v.sprint4msRead = bit(b, 6, 3);
    v.backupCtrlRead = bit(b, 6, 5);
    v.extProtRead = bit(b, 6, 0);
    if (!c.zokDevice)
        v.extProtVisible = c.modelFlag;
    const QString modeInUse = c.modeChoiceText.isEmpty() ? v.modeText : c.modeChoiceText;
    v.expertForExtProt = modeInUse != gModeTextPrintout && v.extProtRead;

    if (c.useExtCommands) {
        v.workTimeSeconds = (uint8_t(b[16]) * 256 + uint8_t(b[17])) * 60;
    } else {
        v.timerMark = DecodePunchDayTime(b.mid(13, 3));
        v.workTimeSeconds = baseWorkTime(DecodePunchDayTime(b.mid(10, 3)), *v.timerMark);
    }
    v.lastWriteLine = lastWriteLine(b);
    v.workTimeText = FormatSeconds(QString::number(v.workTimeSeconds));
    v.showConsumption = c.actionCode != ActWrite && c.actionCode != ActReadBackup;
    v.statusFlags = uint8_t(b[2]);
    return v;
}

SettingsBlockView DecodeSystemDataValues(const MainWindowReadState& window)
{
    SettingsBlockContext c;
    c.actionCode = gActionCode;
    c.zokDevice = gZokDevice;
    c.modelFlag = gModelFlag;
    c.useExtCommands = gUseExtCommands;
    c.selectiveRead = gSelectiveRead;
    c.beaconRead = gBeaconRead;
    c.modeChoiceText = window.modeChoiceText;
    c.funcText = window.funcText;

    const SettingsBlockView v = DecodeSettingsBlock(gSysBlock7, c);

    gBeepSet = v.beepSet;
    gLedSet = v.ledSet;
    gLed2Set = v.led2Set;
    gModeByteRaw = v.modeByteRaw;
    gModeCodeSet = v.modeCode;
    gBeaconModeRead = v.beaconModeRead;
    if (v.beaconMode)
        gBeaconMode = *v.beaconMode;
    gAllNewRadioStampRead = v.allNewRadioStampRead;
    gRadioStampRead = v.radioStampRead;
    gRadioAppmemRead = v.radioAppmemRead;
    gPunchTimingModeRead = v.punchTimingModeRead;
    gDirectCardsMode = v.directCardsMode;
    gSpecialFuncIndex = v.codeNumber;
    gAutoSendRead = v.autoSendRead;
    gSprint4msRead = v.sprint4msRead;
    gBackupCtrlRead = v.backupCtrlRead;
    gExtProtRead = v.extProtRead;
    gExtProtUsed = v.extProtRead;
    if (v.timerMark)
        gTimerMark = *v.timerMark;
    gWorkTimeSeconds = v.workTimeSeconds;

    if (!v.lastWriteLine.isEmpty())
        AppendLogLine(v.lastWriteLine);
    return v;
}

} // namespace qv
