// Sending requests, opening a conversation with a station, aborting it and the waits of the link.
#include "link/sender.h"

#include "app/app_info.h"
#include "app/language.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_ui.h"
#include "link/link_window.h"
#include "link/traffic_log.h"
#include "platform/comm/comm_control.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/wait.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace qv {

namespace {

// The longest a wait for a fraction of the second may take.
constexpr qint64 kFractionWaitLimitMs = 1000;
// The steps the protocol's waits sleep in: short against their length, long enough not to keep a core busy.
constexpr qint64 kPauseStepMs = 10;
constexpr qint64 kFractionStepMs = 1;

} // namespace

QString ActionText()
{
    return linkWindow().actionText();
}

void SetActionText(const QString& text)
{
    linkWindow().setActionText(text);
}

void PauseSeconds(float seconds)
{
    // Station events stay blocked for the whole pause, as before; only the processor is left alone.
    const qint64 pauseMs = std::llround(double(seconds) * 1000.0);
    const qint64 started = TimerMs();
    for (qint64 elapsed = 0; elapsed < pauseMs; elapsed = TimerElapsedMs(started))
        Sleep(std::min(kPauseStepMs, pauseMs - elapsed));
}

QDateTime WaitForSecondFraction(int fromMs, int toMs)
{
    // Date, time and fraction come from one reading, and the span from the same whole milliseconds: a
    // reading can never lie before the start, so the one-second limit ends only a wait that has run.
    QDateTime reading = clock().now();
    const qint64 started = reading.time().msecsSinceStartOfDay();
    for (;;) {
        const int fraction = reading.time().msec();
        if ((fraction > fromMs && fraction < toMs) ||
            MsBetween(started, reading.time().msecsSinceStartOfDay()) >= kFractionWaitLimitMs)
            return reading;
        Sleep(kFractionStepMs);
        reading = clock().now();
    }
}

void ResetReceiver()
{
    gRxFrame = QByteArray(1, '\0');
    gRxIndex = -1;
    gRxEscape = false;
    gRxInFrame = false;
    gRxComplete = false;
    gRxStoreByte = false;
    gRxCount = 0;
    gRxStationCode = 0;
    gRxCommand = 0;
}

void EndReplyWait()
{
    gNakGaveUp = false;
    Screen.setMousePointer(vbDefault);
    linkWindow().setTimer1Enabled(false);
    gRetryCount = 0;
    gExpectedLen = 0;
}

void CloseLink()
{
    LinkWindow& w = linkWindow();
    w.setTimer1Enabled(false);
    Screen.setMousePointer(vbDefault);
    ResetReceiver();
    try {
        if (w.MSComm1().PortOpen())
            w.MSComm1().setPortOpen(false);
    } catch (const VbError&) {
        // A port that is gone is closed already.
    }
    w.setStopVisible(false);
}

void SendFrame()
{
    if (gStopRequested) {
        CloseLink();
        return;
    }
    ResetReceiver();
    LinkWindow& w = linkWindow();
    // The request goes out first; its trace line follows (also when sending failed).
    QString traceLine;
    try {
        if (!w.MSComm1().PortOpen())
            w.MSComm1().setPortOpen(true);
        const auto cmd = gSendBuffer.size() > 2 ? static_cast<uint8_t>(gSendBuffer.at(2)) : uint8_t(0);
        if (cmd == CmdGetTime || cmd == CmdGetTimeLegacy) {
            // The station answers with its time at the start of the next second.
            WaitForSecondFraction(430, 450);
        }
        if (gTraceOn)
            traceLine = SendLogLine(gSendBuffer, w.timer1Interval(), gBaud);
        w.setTimer1Enabled(false);
        w.MSComm1().Output(gSendBuffer);
        w.setTimer1Enabled(true);
        Screen.setMousePointer(vbHourglass);
        if (cmd == CmdWriteMemory || cmd == CmdWriteMemoryLegacy)
            gWriteRequestSent = true;
        if (gTraceOn)
            AppendLogLine(std::exchange(traceLine, QString()));
    } catch (const VbError& e) {
        if (!traceLine.isEmpty())
            AppendLogLine(traceLine);
        // The port is gone (a device removed) or refuses: the operation ends, and the message says which.
        const QString message =
            OperationFaultText(QString::number(e.Number()) + QLatin1Char(' ') + errorText(e));
        CloseLink();
        EndFaultedAction(message);
        MsgBox(message, vbCritical, AppTitle() + QLatin1Char(' ') + GetLangText(gLangIndex, 1837, QString()));
    }
}

void BeginStationAction()
{
    gWriteRequestSent = false;
    if (gComPort == 0) {
        // The port dialog's OK sets the baud-change action; the operation
        // that asked for a port goes on as itself.
        const int16_t action = gActionCode;
        linkWindow().askForPort();
        gActionCode = action;
        if (gComPort == 0)
            return;
    }
    gStationTimeText.clear();
    gStationDateText.clear();
    gStationExtraText.clear();
    gStationCodeNo = 0;
    gFollowUpReadSent = false;
    gBaudFallback = false;
    gActionStart = TimerMs();
    gRetryCount = 0;
    SetActionText(GetLangText(gLangIndex, 1812, QString()));
    RestartTimer1(gBaud == BaudLow ? kSelectTimeoutLowMs : kSelectTimeoutHighMs);
    gNakCount = 0;
    gNakGaveUp = false;
    QByteArray request(2, '\0');
    // Any tick of the oldest-generation box, a greyed one too, selects the legacy command.
    request[0] =
        static_cast<char>(linkWindow().oldestGenerationBoxValue() == 0 ? CmdSetMsMode : CmdSetMsModeLegacy);
    request[1] = gConnMode == ConnDirect ? 'M' : 'S';
    gSendBuffer = BuildFrame(request);
    SendFrame();
}

} // namespace qv
