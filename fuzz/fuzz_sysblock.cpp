// Fuzz target: arbitrary system blocks (up to 128 bytes and beyond) to every station-data decoder.
#include "app/settings.h"
#include "platform/runtime/vberror.h"
#include "platform/system/codepage.h"
#include "stationdata/battery.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/model_name.h"
#include "stationdata/panel_views.h"
#include "stationdata/settings_block.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"
#include "ui/main/read_column_apply.h"

#include "link/link_globals.h"
#include "platform/dialogs/dialog_hooks.h"
#include "ui/main/frm_main.h"

#include <QApplication>
#include <QByteArray>
#include <QDateTime>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace qv;

// Runs one decoder; a short block may only be refused with the runtime's error.
template <typename F> void guarded(F&& f)
{
    try {
        f();
    } catch (const VbError& e) {
        if (e.Number() != ErrSubscriptOutOfRange && e.Number() != ErrOverflow && e.Number() != ErrInvalidCall)
            std::abort();
    }
}

uint8_t at(const QByteArray& b, int i)
{
    return i < b.size() ? uint8_t(b[i]) : 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The last-write line goes to the main window's log pane.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    DialogHooks::setNoModal(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray block(reinterpret_cast<const char*>(data), qsizetype(std::min<size_t>(size, 300)));

    frmMain().rtbox(0).setText(QString());
    // The block as each of the write-back requests the decoders read.
    gSysBlock1 = gSysBlock3 = gSysBlock7 = block;
    gStationFunctions = at(block, 0) & 1;
    gModelFlag = at(block, 0) & 2;
    gZokDevice = at(block, 0) & 4;
    gGsmDevice = at(block, 0) & 8;
    gUseExtCommands = at(block, 0) & 16;
    gActionCode = int16_t(at(block, 1) % 25);
    gRxFrame = block;

    // The identity bytes of the system data.
    gProductType = at(block, 2);
    gProductFamily = at(block, 3);
    gMemoryKb = int16_t(at(block, 4) * 256 + at(block, 5));
    gFirmware = int16_t(at(block, 6) * 256 + at(block, 7));
    gModelId = at(block, 8);
    gInterfaceByte = at(block, 9);

    MainWindowReadState window;
    window.expertView = at(block, 10) & 1;
    window.writeWorkTimeText = QString::fromLatin1(block.mid(11, 8));
    window.readConsumptionCaption = cp1252ToString(block.mid(19, 6));
    window.hardwareText = cp1252ToString(block.mid(25, 8));

    guarded([&] { BuildModelNameView(); });
    guarded([&] { ShowBatteryDataValues(); });
    guarded([&] { ShowBatteryStatusValues(window); });
    guarded([&] { ShowBatteryConsumptionValues(window); });
    guarded([&] { DecodeSystemDataValues(window); });
    guarded([&] { ShowVEKLayout(window); });
    guarded([&] { ShowVEKWDataLayout(at(block, 12) & 1); });
    guarded([&] { DecodeActStb(block.mid(40, 4)); });
    // The same into the main window.
    guarded([&] { frmMain().txtHardware.setText(BuildModelName()); });
    guarded([&] { ShowBatteryData(); });
    guarded([&] { ShowBatteryStatus(); });
    guarded([&] { DecodeSystemData(); });
    guarded([&] { ShowBatteryConsumption(); });

    // Every station time and date in the block, at every offset.
    for (int i = 0; i + 2 < block.size(); ++i) {
        const int td = at(block, i), th = at(block, i + 1), tl = at(block, i + 2);
        guarded([&] {
            const int32_t week = DecodePunchDayTime(block.mid(i, 3));
            if (week != kNoTime && (week < 0 || week > 713535))
                std::abort();
            PunchTimeText(td, th, tl);
            WeekdayText(td, tl % 12);
            FormatSeconds(QString::number(week));
            DateText(uint8_t(td), uint8_t(th), int16_t(tl));
        });
    }
    guarded([&] { ConvertToBitString(block.left(9)); });
    guarded([&] { ConvertCardCharset(cp1252ToString(block)); });
    guarded([&] { FormatSeconds(cp1252ToString(block.left(16))); });
    guarded(
        [&] { StatusFlagsText(at(block, 13), int32_t(at(block, 14)) << 12, QDateTime::currentDateTime()); });
    return 0;
}
