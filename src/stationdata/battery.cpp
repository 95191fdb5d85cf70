// Battery data and status of a station: capacity, battery date, used percentage, the work-time estimate,
// voltages.
#include "stationdata/battery.h"

#include "app/language.h"
#include "link/link_globals.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"

#include <cmath>

namespace qv {

namespace {

void requireElements(const QByteArray& block, int count, const char* name)
{
    if (block.size() < count)
        throw VbError(ErrSubscriptOutOfRange,
                      QStringLiteral("Subscript out of range: block %1 needs %2 elements, got %3")
                          .arg(QLatin1String(name))
                          .arg(count)
                          .arg(block.size()));
}

uint8_t at(const QByteArray& block, int index)
{
    return uint8_t(block[index]);
}

uint32_t bigEndian32(const QByteArray& block, int first)
{
    return (uint32_t(at(block, first)) << 24) | (uint32_t(at(block, first + 1)) << 16) |
           (uint32_t(at(block, first + 2)) << 8) | uint32_t(at(block, first + 3));
}

const QString kUnknownPercent = QStringLiteral("??? %");

QString percentText(float value)
{
    return CStr(value) + QLatin1Char('%');
}

QString description(int index)
{
    return GetControlText(gLangIndex, QStringLiteral("frmMain"), QStringLiteral("Label"),
                          QStringLiteral("lblConsumptionDes"), QString::number(index),
                          QStringLiteral("Caption"), QString());
}

} // namespace

BatteryDataView ShowBatteryDataValues()
{
    const QByteArray& b = gSysBlock1;
    requireElements(b, 14, "0x10");
    BatteryDataView view;
    gK1 = at(b, 2);
    gK2 = at(b, 3);
    gConsumptionFactor = at(b, 4);

    const int y = at(b, 7);
    const int month = at(b, 8);
    const int day = at(b, 9);
    const int fullYear = y < 90 ? y + 2000 : y + 1900;
    // A month or day of 0 is an unset date, not the end of the month before.
    const bool invalid =
        fullYear > clock().now().date().year() || month == 0 || month > 12 || day == 0 || day > 31;
    if (invalid)
        view.dateText = gTextInvalid;
    else if (gStationFunctions)
        view.dateText = Format(DateSerial(fullYear, month, day), QStringLiteral("Short Date"));

    gBattCapacity = bigEndian32(b, 10) / 3600.0;
    if (gStationFunctions)
        view.capacityText = CStr(gBattCapacity) + (gBattCapacity > 9999 ? QString() : QStringLiteral(" ")) +
                            QStringLiteral("mAh");
    return view;
}

BatteryStatusView ShowBatteryStatusValues(const MainWindowReadState& window)
{
    const QByteArray& b = gSysBlock3;
    requireElements(b, 10, "0x30");
    BatteryStatusView view;
    gCard6mit192Read = at(b, 5) == 0xFF ? 1 : 0;
    view.card192Visible = window.expertView && gModelFlag;
    view.card192Value = gCard6mit192Read;
    view.switchToExpert = gCard6mit192Read == 1;

    gRtcRead = (gModelFlag ? 1 : at(b, 2)) & 1;
    view.rtcValue = gRtcRead;

    gBattUsed = at(b, 6) == 0xFF ? -1.0 : bigEndian32(b, 6) / 3600.0;
    gBattConsumption = gBattCapacity > 0 ? float(std::floor(gBattUsed * 100 / gBattCapacity)) : 0.0f;
    if (gBattConsumption > 100) {
        gBattConsumption = std::min(gBattConsumption, 300.0f);
        gConsumptionPct = 100;
    } else {
        gConsumptionPct = gBattConsumption;
    }

    QString caption = window.readConsumptionCaption;
    if (gStationFunctions) {
        caption = gBattUsed < 0 ? kUnknownPercent : percentText(gBattConsumption);
        view.consumptionCaption = caption;
    }
    view.consumptionDesCaption = caption + QLatin1Char(' ') + description(0) + QLatin1Char(' ');

    view.barVisible = gStationFunctions;
    if (gConsumptionPct < 0) {
        view.dimmed = true;
    } else {
        view.barScale = gConsumptionPct / 100.0;
        view.dimmed = window.hardwareText.contains(QStringLiteral("(USB)"));
    }
    return view;
}

BatteryConsumptionView ShowBatteryConsumptionValues(const MainWindowReadState& window)
{
    BatteryConsumptionView view;
    if (gModelFlag) {
        view.newBoard = true;
        view.consumptionCaption = QStringLiteral("######");
        view.readBarVisible = gStationFunctions;
        return view;
    }

    QString caption = window.writeConsumptionCaption;
    if (gBattUsed < 0) {
        // Nothing is known to add the estimate to.
        if (gStationFunctions) {
            caption = kUnknownPercent;
            view.consumptionCaption = caption;
        }
        view.consumptionDesCaption = QLatin1Char(' ') + description(1) + QLatin1Char(' ') + caption;
        return view;
    }

    const int64_t hours = std::clamp<int64_t>(int64_t(Round(Val(window.writeWorkTimeText.left(2)))), 0, 99);
    if (gBattCapacity > 0) {
        // Up to 99 h at the largest constants: beyond 32 bits.
        const int64_t e = (hours * 3600 * gK1 + hours * 200 * gConsumptionFactor) * 100;
        gBattConsumption += float(std::floor(double(e) / gBattCapacity / 3600.0));
    }

    double p = std::min(Round(Val(window.readConsumptionCaption)), 100.0);
    if (gBattConsumption < p)
        p = Round(gBattConsumption);
    double share;
    if (gBattConsumption > 100) {
        gBattConsumption = std::min(gBattConsumption, 300.0f);
        share = 100 - p;
    } else {
        share = gBattConsumption - p;
    }

    if (gStationFunctions) {
        caption = percentText(gBattConsumption);
        view.consumptionCaption = caption;
    }
    view.consumptionDesCaption = QLatin1Char(' ') + description(1) + QLatin1Char(' ') + caption;
    view.expectedBarVisible = true;
    view.expectedShare = share / 100.0;
    return view;
}

float BatteryVoltage(uint8_t code)
{
    if (code == 0)
        return 1.9f;
    if (code <= 15)
        return 1.9f + 0.09f * float(code);
    return 0.0f;
}

uint8_t VoltageLevel(float volts)
{
    if (volts == 0.0f)
        return 5;
    if (volts < 2.5f)
        return 2;
    if (volts < 2.9f)
        return 3;
    return 4;
}

} // namespace qv
