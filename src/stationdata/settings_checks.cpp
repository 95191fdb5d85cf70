// The checks after a settings block was read, and the choice of the default settings.
#include "stationdata/settings_checks.h"

#include "app/language.h"
#include "link/link_globals.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/settings_write.h"

#include <algorithm>

namespace qv {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr uint8_t kModelPoint = 0xF1;
constexpr uint8_t kModelZokA = 0x8A;
constexpr uint8_t kModelZokB = 0x8B;
constexpr int16_t kModelCodeNewest = 0x9A;
constexpr uint8_t kModelNoDefaults = 0x9A;
constexpr int16_t kSubTypeNoBatteryCheck = 0x1A;
constexpr double kBatteryLow = 600;
constexpr double kBatteryHigh = 1000;
constexpr int kFirmwareLimitA = 559;
constexpr int kFirmwareLimitB = 300;
constexpr int kFirmwareLimitOld = 406;
constexpr int kFirmwareHighCodes = 500;
constexpr int kFirmwareBackupCtrl = 542;
constexpr int kFirmwareCard192 = 551;
constexpr int kFirmwareVoltageInBackup = 581;
constexpr uint8_t kModeReadout = 5;
const QString kMinWorkTime = QStringLiteral("04:00:00");

QString text(int32_t id)
{
    return GetLangText(gLangIndex, id, QString());
}

// The mode wants a serial interface the station has not, or the station has one that auto send leaves unused.
constexpr int32_t kTextNoInterfaceForMode = 1914;
constexpr int32_t kTextInterfaceWithoutAutoSend = 1915;

void appendLine(QString& message, const QString& part)
{
    if (!message.isEmpty())
        message += kCrLf;
    message += part;
}

// Whether t is one of the mode names; an empty text names no mode.
bool oneOf(const QString& t, std::initializer_list<QString> names)
{
    if (t.isEmpty())
        return false;
    for (const QString& n : names)
        if (t == n)
            return true;
    return false;
}

// The findings about the station as read: firmware age, code number, model and mode.
void stationFindings(const SettingsCheckInput& in, QString& message)
{
    const bool write = in.actionCode == ActWrite;
    const double version = Val(in.software);
    int limit = 0;
    bool test = false;
    if (in.modelId == kModelZokA || in.modelId == kModelZokB || in.punchTimingVisible) {
        if (in.punchTimingVisible) {
            limit = in.lastFwVersionB != 0 ? kFirmwareLimitB : 0;
            test = true;
        }
    } else {
        limit = in.modelFlag ? (in.lastFwVersionA != 0 ? kFirmwareLimitA : 0) : kFirmwareLimitOld;
        test = in.modelCode < kModelCodeNewest;
    }
    // The firmware finding joins the others (it used to replace them, hiding a code-number finding).
    if (test && version < limit)
        appendLine(message, in.softwareCaption + QStringLiteral(" <") + Str(limit));

    const double code = Val(write ? in.codeWrite : in.codeRead);
    if (code > 255 && version < kFirmwareHighCodes && !in.zokDevice)
        appendLine(message, QStringLiteral("CN > 255 ") + text(kTextNotPossible));

    const QString t = write ? in.modeChoice : in.modeRead;
    const bool veku = in.hardware.contains(QStringLiteral("VEKU"));
    const auto vekuCheck = [&] {
        if (veku && !in.cpcChecked && !in.zokDevice)
            appendLine(
                message,
                GetLangText(gLangIndex, kTextInterfaceWithoutAutoSend,
                            QStringLiteral("This station has a serial interface (VEKU model), but auto send "
                                           "is off: it passes no punches on through it.")));
    };
    if (oneOf(t, {in.modeTextControl, in.modeTextStart, in.modeTextStartTrig, in.modeTextFinishTrig,
                  in.modeTextFinish})) {
        vekuCheck();
    } else if (oneOf(t, {in.modeNames[0], in.modeNames[14], in.modeTextReadout, in.modeTextPrintout})) {
        if (!veku && !in.zokDevice)
            appendLine(
                message,
                GetLangText(gLangIndex, kTextNoInterfaceForMode,
                            QStringLiteral("This station has no serial interface (VEKO model): in this mode "
                                           "it cannot pass what it reads on to a PC or printer.")));
    } else {
        vekuCheck();
    }
}

// The findings about the values to write (the Write's own checks, steps 1 to 6).
void writeFindings(const SettingsCheckInput& in, SettingsFindings& f)
{
    QString m = in.codeRangeWrite;
    const uint8_t mode = in.modeCode & 0x1F;
    if (!in.configBitsText.isEmpty() && in.modelFlag) {
        int number = -1;
        for (int i = 0; i < 32; ++i)
            if (in.modeNames[size_t(i)] == in.modeChoice && !in.modeChoice.isEmpty()) {
                number = i;
                break;
            }
        if (number < 0 || Mid(in.configBitsText, number + 1, 1) != QLatin1String("1"))
            m += in.modeChoice + QLatin1Char(' ') + text(kTextModeNotSupported) + QLatin1Char(' ');
    } else if (in.modelFlag) {
        if (in.modeChoice == in.modeTextPrintout && !in.hardware.contains(QStringLiteral("UART")))
            m += text(kTextModeNotSupported) + QLatin1Char(' ');
    } else if (oneOf(in.modeChoice,
                     {in.modeTextPrintout, in.modeTextStartTrig, in.modeTextFinishTrig, in.modeNames[15]}) &&
               in.hardware.startsWith(QStringLiteral("VEKO"))) {
        m += text(kTextModeNotSupported) + QLatin1Char(' ');
    }

    if (in.autoReadCardsWrite && mode == kModeReadout)
        m += text(kTextAutoReadCards) + QLatin1Char(' ');
    if (in.backupCtrlWrite && !(mode == kModeReadout && in.firmware >= kFirmwareBackupCtrl) && !in.zokDevice)
        m += text(kTextBackupCtrl) + QLatin1Char(' ');
    if (in.card6mit192Write && in.firmware < kFirmwareCard192 && !in.zokDevice)
        m += QLatin1Char(' ') + in.card192Caption + QLatin1Char(' ') + text(kTextCard192) + QLatin1Char(' ');
    if (in.sprint4msWrite && !in.modelFlag)
        m += text(kTextSprintOld) + QLatin1Char(' ');
    if (in.extProtWrite && !in.modelFlag)
        m += text(kTextExtProtOld) + QLatin1Char(' ');
    if (in.rtcWrite && in.modelSubByte == 0 && !in.zokDevice && in.modelId != kModelPoint) {
        f.rtcWarning = true;
        m += text(kTextRtcWarning) + QLatin1Char(' ');
    }

    const QString battery = text(kTextBatteryWarning) + QLatin1Char(' ');
    // f.actionMessage holds the battery finding of step 7 when there is one.
    const QString findings = f.actionMessage + m;
    if (!findings.isEmpty() && findings != text(kTextRtcWarning) + QLatin1Char(' ') && findings != battery) {
        f.writeRefused = true;
        f.actionMessage = findings;
        return;
    }
    QString message = findings == battery ? text(kTextBatteryQuestion) : findings;
    if (in.workTimeWrite < kMinWorkTime && !in.modelFlag && !in.zokDevice) {
        const QString note =
            in.workTimeCaption + QStringLiteral(" < ") + kMinWorkTime + QStringLiteral(" h, ");
        message = message.isEmpty() ? note + text(kTextShortWorkTime) : note + message;
    }
    f.actionMessage = message;
}

} // namespace

QString FindingsHeading(const QString& text1855)
{
    const int comma = int(text1855.indexOf(QLatin1Char(',')));
    if (comma <= 0)
        return text1855.left(8);
    return text1855.left(comma);
}

SettingsFindings CheckSettings(const SettingsCheckInput& in)
{
    SettingsFindings f;
    QString message2;
    if (in.modelId != kModelPoint && !in.extProtRead && !in.zokDevice && in.actionCode == ActAirCardBattery) {
        message2 = text(kTextAirCardBattery);
        f.airCardBatteryRefused = true;
    }

    f.capacityMax = CapacityMaxOf(in.modelVariant, in.modelFlag, in.battCapacity);
    if (!in.zokDevice && in.modelId == kModelPoint)
        f.capacityMax = 30000;

    if (in.actionCode != ActWrite)
        message2 += in.codeRangeRead;

    if (in.actionCode == ActReadBackup) {
        f.voltageInBackup = in.modeRead == in.modeTextSpecial && in.codeRead == QLatin1String("123") &&
                            in.firmware > kFirmwareVoltageInBackup;
    } else if (in.actionCode != ActReadCards && in.actionCode != ActViewPunch &&
               in.actionCode != ActAirCardList) {
        if (in.battCapacity != f.capacityMax &&
            (in.battCapacity > kBatteryHigh || in.battCapacity < kBatteryLow) &&
            (in.productType & 0x3F) < kSubTypeNoBatteryCheck)
            f.actionMessage = text(kTextBatteryWarning) + QLatin1Char(' ');
        stationFindings(in, message2);
        if (in.actionCode == ActWrite)
            writeFindings(in, f);
    }
    if (in.actionCode == ActWrite || in.actionCode == ActSetDefaults) {
        const std::optional<int64_t> records = BackupRecordsHeld(in);
        if (records && *records > 0)
            f.backupClearNote = GetLangText(gLangIndex, kTextBackupCleared,
                                            QStringLiteral("The backup memory is cleared first: the %1 "
                                                           "records it holds are lost."))
                                    .arg(*records);
    }
    if (!message2.isEmpty())
        f.actionMessage2 = FindingsHeading(text(kTextFindingsHeading)) + QLatin1Char('!') +
                           QString(20, QLatin1Char(' ')) + kCrLf + message2;
    return f;
}

std::optional<int64_t> BackupRecordsHeld(const SettingsCheckInput& in)
{
    constexpr int64_t kBackupStart = 256;
    constexpr int kCardRecord = 128;
    constexpr int kPunchRecordExtended = 8;
    constexpr int kPunchRecordBase = 6;
    if (in.backupPointer < 0)
        return std::nullopt;
    const bool cards =
        !in.modeRead.isEmpty() && (in.modeRead == in.modeTextReadout || in.modeRead == in.modeTextPrintout);
    const int recordSize = cards                                   ? kCardRecord
                           : (in.zokDevice || in.extProtRead != 0) ? kPunchRecordExtended
                                                                   : kPunchRecordBase;
    const int64_t bytes =
        in.backupFull ? in.memorySize : std::max<int64_t>(in.backupPointer - kBackupStart, 0);
    return bytes / recordSize;
}

DefaultSettings ChooseDefaultSettings(const DefaultSettingsInput& in)
{
    DefaultSettings d = in.current;
    int number = -1;
    if (in.optP == 1) {
        number = 11;
    } else if (in.optS) {
        number = 13;
    } else if (in.optAction || in.optRspow) {
        number = 5;
    } else {
        const QString wanted = Trim(d.mode);
        for (int i = 0; i < 32; ++i)
            if (in.modeNames[size_t(i)] == wanted) {
                number = i;
                break;
            }
    }
    if (number < 0)
        number = 2;
    d.modeNumber = uint8_t(number);
    d.mode = in.modeNames[size_t(number)];
    if (d.mode == in.modeTextPrintout) {
        d.codeNumber = QStringLiteral("30");
        d.autoSendText = in.autoSendCaption;
        d.extProtText = in.extProtCaption;
    } else if (d.mode == in.modeTextReadout) {
        d.codeNumber = QStringLiteral("15");
    } else if (d.mode == in.modeTextStartTrig || d.mode == in.modeTextFinishTrig) {
        d.codeNumber = QStringLiteral("15");
        d.autoSendText = in.autoSendCaption;
    }
    if (!in.modelFlag)
        d.walkingTime = kMinWorkTime;
    d.refused = in.modelId >= kModelNoDefaults || !in.modelFlag;
    return d;
}

QString DefaultsQuestion(const DefaultSettings& d, const QString& modeLabel, const QString& codeLabel,
                         const QString& workTimeLabel)
{
    QString q = text(kTextDefaultsQuestion) + kCrLf + kCrLf + modeLabel + QLatin1Char('=') + d.mode + kCrLf +
                codeLabel + QLatin1Char('=') + d.codeNumber + kCrLf + workTimeLabel + QLatin1Char('=') +
                d.walkingTime + kCrLf + d.autoSendText;
    if (!Trim(d.autoSendText + d.extProtText).isEmpty())
        q += QStringLiteral(", ");
    q += d.extProtText + QLatin1Char('\r');
    return q;
}

} // namespace qv
