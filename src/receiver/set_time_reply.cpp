// The set-time reply: the round-trip loop that repeats the command until the station answers quickly
// enough, and the end of the operation that set the clock (a settings write, the defaults, the typed time).
#include "app/language.h"
#include "app/settings.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_globals.h"
#include "link/requests.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/runtime/vbruntime.h"
#include "receiver/fixed_requests.h"
#include "receiver/receiver_globals.h"
#include "receiver/reply_texts.h"
#include "receiver/write_replies.h"
#include "receiver/write_window.h"
#include "link/link_window.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"

namespace qv {

namespace {

constexpr ReplyText TextNoClock{1815, ""};
constexpr ReplyText TextStationClock{1936, ""};
constexpr ReplyText TextSetTo{1824, ""};
constexpr ReplyText TextWeek{1978, ""};
constexpr uint8_t kSwitchOffData = 0x60;

bool accepted()
{
    return gActionCode == ActTestTime || gSetTimeSentAt < gWaitToReturnCur;
}

// One more attempt with a limit that widens every few failures.
ReplyEnd tryAgain()
{
    ++gSyncStepCount;
    // A settings file with no count between widenings widens after every attempt.
    const int32_t every = std::max<int32_t>(1, CLng(double(gCountBeforeInc)));
    if (gSyncStepCount % every == 0) {
        gWaitToReturnCur += gStepInc;
        const QString step = CStr(gWaitToReturn) + QStringLiteral(" / ") + CStr(gCountBeforeInc) + QStringLiteral(" / ") +
                             CStr(gStepInc) + QStringLiteral("  #") + CStr(double(gSyncStepCount)) + QStringLiteral("# ") +
                             CStr(Round(double(gWaitToReturnCur), 2)) + QStringLiteral(" s");
        SetActionText(step);
        writeWindow().showSyncStep(step);
    }
    ResetReceiver();
    SendSetTime();
    return ReplyEnd::NoReset;
}

void sendRequest(const QByteArray& request)
{
    gSendBuffer = BuildFrame(request);
    SendFrame();
}

} // namespace

ReplyEnd SetTimeReply()
{
    gSetTimeAux = Timer();
    gSetTimeSentAt = gSetTimeAux - gSetTimeSentAt;
    EndReplyWait();
    if (!accepted())
        return tryAgain();

    if (gActionCode == ActWrite) {
        if (gKuvModule)
            EndStationAction();
        else
            writeWindow().nextCodeNumber();
    }
    if (gActionCode == ActTestTime) {
        QString text = LangText(TextStationClock) + QLatin1Char(' ') + LangText(TextSetTo) + QLatin1Char(' ') + gTestTime;
        if (gWeekNumber > 0)
            text += Str(gWeekNumber) + QLatin1Char('.') + LangText(TextWeek);
        SetActionText(text);
        EndStationAction();
        return ReplyEnd::NoReset;
    }

    QString text = gModelSubByte == 0 ? LangText(TextNoClock) + QStringLiteral(". ") : QString();
    text += LangText(TextStationClock) + QLatin1Char(' ') + LangText(TextSetTo) + QLatin1Char(' ') + CStr(Date()) +
            QLatin1Char(' ') + CStr(Time());
    if (gWeekTimeMode)
        text += Str(gTimeReplyCode + 1) + QLatin1Char('.') + LangText(TextWeek);
    SetActionText(text);

    if (gActionCode == ActSetDefaults) {
        // The defaults are read back at once, as a Read.
        gActionCode = ActRead;
        sendRequest(gUseExtCommands ? MakeReadSystemRequest() : MakeLegacyReadRequest());
        return ReplyEnd::NoReset;
    }
    if ((linkWindow().switchOffTicked() && gModelFlag && !gDongleHardware) || (gActionCode == ActWrite && !gModelFlag)) {
        QByteArray request(1, char(gUseExtCommands ? CmdTurnOff : CmdTurnOffLegacy));
        request.append(char(kSwitchOffData));
        AppendLogLine(linkWindow().actionText());
        sendRequest(request);
        return ReplyEnd::NoReset;
    }
    if (gModelFlag) {
        if (writeWindow().writeColumn().modeChoice == gModeTextPrintout && gBaud == BaudHigh) {
            gNewStationBaud = BaudLow;
            sendRequest(QByteArray::fromHex("FE00"));
        } else {
            EndStationAction();
        }
        return ReplyEnd::NoReset;
    }
    if (gActionCode == ActSetTime) {
        EndStationAction();
        return ReplyEnd::NoReset;
    }
    AppendLogLine(linkWindow().actionText());
    CloseLink();
    return ReplyEnd::NoReset;
}

} // namespace qv
