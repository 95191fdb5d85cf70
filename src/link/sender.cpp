// Sending requests, opening a conversation with a station, aborting it and the waits of the link.
#include "link/sender.h"

#include "app/app_info.h"
#include "app/language.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_ui.h"
#include "link/traffic_log.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "ui/main/frm_main.h"

#include <cmath>

namespace qv {

namespace {

// The longest a busy wait for a fraction of the second may take.
constexpr float kFractionWaitLimit = 1.0f;

} // namespace

QString ActionText()
{
    return frmMain().Aktion().Text();
}

void SetActionText(const QString& text)
{
    frmMain().Aktion().setText(text);
}

void PauseSeconds(float seconds)
{
    const float started = Timer();
    while (TimerElapsed(started) < seconds) {
    }
}

void WaitForSecondFraction(float from, float to)
{
    const float started = Timer();
    float now = started;
    for (;;) {
        const float fraction = now - std::floor(now);
        if ((fraction > from && fraction < to) || TimerElapsed(started) >= kFractionWaitLimit)
            return;
        now = Timer();
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
    frmMain().Timer1.setEnabled(false);
    gRetryCount = 0;
    gExpectedLen = 0;
}

void CloseLink()
{
    FrmMain& f = frmMain();
    f.Timer1.setEnabled(false);
    Screen.setMousePointer(vbDefault);
    ResetReceiver();
    try {
        if (f.MSComm1.PortOpen())
            f.MSComm1.setPortOpen(false);
    } catch (const VbError&) {
        // A port that is gone is closed already.
    }
    f.cmdStop.setVisible(false);
}

void SendFrame()
{
    if (gStopRequested) {
        CloseLink();
        return;
    }
    ResetReceiver();
    FrmMain& f = frmMain();
    try {
        if (!f.MSComm1.PortOpen())
            f.MSComm1.setPortOpen(true);
        Screen.setMousePointer(vbHourglass);
        const auto cmd = gSendBuffer.size() > 2 ? static_cast<uint8_t>(gSendBuffer.at(2)) : uint8_t(0);
        if (cmd == CmdGetTime || cmd == CmdGetTimeLegacy) {
            // The station answers with its time at the start of the next second.
            WaitForSecondFraction(0.43f, 0.45f);
        }
        if (gTraceOn)
            AppendLogLine(SendLogLine(gSendBuffer, f.Timer1.Interval(), gBaud));
        f.Timer1.setEnabled(false);
        f.MSComm1.Output(gSendBuffer);
        f.Timer1.setEnabled(true);
    } catch (const VbError& e) {
        MsgBox(QString::number(e.Number()) + QLatin1Char(' ') + errorText(e), vbCritical,
               AppTitle() + QLatin1Char(' ') + GetLangText(gLangIndex, 1837, QString()));
        CloseLink();
    }
}

void BeginStationAction()
{
    FrmMain& f = frmMain();
    if (gComPort == 0) {
        // The port dialog's OK sets the baud-change action; the operation
        // that asked for a port goes on as itself.
        const int16_t action = gActionCode;
        f.mnuCOM_Click();
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
    gActionStart = Timer();
    gRetryCount = 0;
    SetActionText(GetLangText(gLangIndex, 1812, QString()));
    RestartTimer1(gBaud == BaudLow ? kSelectTimeoutLowMs : kSelectTimeoutHighMs);
    gNakCount = 0;
    gNakGaveUp = false;
    QByteArray request(2, '\0');
    // Any tick of the oldest-generation box, a greyed one too, selects the legacy command.
    request[0] = static_cast<char>(f.chkAlt(0).Value() == 0 ? CmdSetMsMode : CmdSetMsModeLegacy);
    request[1] = gConnMode == ConnDirect ? 'M' : 'S';
    gSendBuffer = BuildFrame(request);
    SendFrame();
}

} // namespace qv
