// The set-time reply: the round-trip loop that repeats the command until the station answers quickly
// enough, and the end of the operation that set the clock (a settings write, the defaults, the typed time).
#include "app/language.h"
#include "app/settings.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_shared.h"
#include "link/requests.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/runtime/vbruntime.h"
#include "receiver/fixed_requests.h"
#include "receiver/receiver_globals.h"
#include "receiver/reply_texts.h"
#include "receiver/write_replies.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/modes.h"

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
        FrmMain& f = frmMain();
        const QString step = CStr(gWaitToReturn) + QStringLiteral(" / ") + CStr(gCountBeforeInc) + QStringLiteral(" / ") +
                             CStr(gStepInc) + QStringLiteral("  #") + CStr(double(gSyncStepCount)) + QStringLiteral("# ") +
                             CStr(Round(double(gWaitToReturnCur), 2)) + QStringLiteral(" s");
        const QString tip = GetControlText(gLangIndex, QStringLiteral("frmMain"), QStringLiteral("CommandButton"),
                                           QStringLiteral("cmdTime"), QString(), QStringLiteral("ToolTipText"), QString());
        SetActionText(step);
        f.cmdTime.setToolTipText(QStringLiteral("(") + step + QStringLiteral(") ") + tip);
    }
    ResetReceiver();
    SendSetTime();
    return ReplyEnd::NoReset;
}

// After a settings write the write column offers the next code number: the list's next entry, or one more.
void nextCodeNumber()
{
    FrmMain& f = frmMain();
    if (f.txtCodeNo(1).ForeColor() != f.txtSerNo.ForeColor())
        return;
    const int32_t upper = int32_t(gCodeNoList.size()) - 1;
    if (upper > 0) {
        if (upper > gCodeNoIndex) {
            ++gCodeNoIndex;
            f.HScroll1.setValue(gCodeNoIndex);
            f.txtCodeNo(1).setText(gCodeNoList.at(gCodeNoIndex));
        }
        return;
    }
    if (f.coMO.Text() == gModeTextSpecial || f.coMO.Text() == gModeTextBcFinish2)
        return;
    gCodeNo = int16_t(CInt(Val(f.txtCodeNo(1).Text()) + 1));
    f.txtCodeNo(1).setText(QString::number(gCodeNo));
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

    FrmMain& f = frmMain();
    if (gActionCode == ActWrite) {
        if (gKuvModule)
            EndStationAction();
        else
            nextCodeNumber();
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
    if ((f.chkOff.Value() == vbChecked && gModelFlag && !gDongleHardware) || (gActionCode == ActWrite && !gModelFlag)) {
        QByteArray request(1, char(gUseExtCommands ? CmdTurnOff : CmdTurnOffLegacy));
        request.append(char(kSwitchOffData));
        AppendLogLine(f.Aktion().Text());
        sendRequest(request);
        return ReplyEnd::NoReset;
    }
    if (gModelFlag) {
        if (f.coMO.Text() == gModeTextPrintout && gBaud == BaudHigh) {
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
    AppendLogLine(f.Aktion().Text());
    CloseLink();
    return ReplyEnd::NoReset;
}

} // namespace qv
