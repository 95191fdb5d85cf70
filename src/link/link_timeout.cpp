// The reply time-out: resend, baud and command search, giving up.
#include "app/language.h"
#include "app/text_utils.h"
#include "link/card_list_window.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_ui.h"
#include "link/link_window.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/comm/comm_control.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"

namespace qv {

namespace {

// The next request of the baud and command search after an unanswered
// master/slave selection; returns the command to send.
uint8_t searchBaudAndCommand(uint8_t cmd)
{
    if (cmd == CmdSetMsMode) {
        if (gBaud == BaudHigh) {
            gBaud = BaudLow;
            gBaudFallback = true;
        } else if (gBaudFallback) {
            cmd = CmdSetMsModeLegacy;
        } else {
            gBaud = BaudHigh;
        }
        return cmd;
    }
    // The legacy selection waits a little longer each time, then gives way to
    // the extended one at the high rate.
    const int interval = linkWindow().timer1Interval();
    if (interval < kLegacySelectLimitMs) {
        RestartTimer1(interval + kLegacySelectStepMs);
        return cmd;
    }
    gBaud = BaudHigh;
    return CmdSetMsMode;
}

void giveUp(LinkWindow& w)
{
    Screen.setMousePointer(vbDefault);
    CardListWindow& cards = cardListWindow();
    const bool cardListInFront = cards.inFront();
    int answer = vbNo;
    if (gActionCode == ActViewPunch) {
        answer = MsgBox(GetLangText(gLangIndex, 1826, QString()) + QStringLiteral("\r\n") +
                            GetLangText(gLangIndex, 1879, QString()),
                        vbYesNo + vbQuestion);
        w.setModeText(QStringLiteral("???"));
    } else if (cardListInFront) {
        if (cards.waitShown()) {
            cards.setWaitText(GetLangText(gLangIndex, 1882, QString()));
        } else {
            MsgBox(GetLangText(gLangIndex, 1882, QString()), vbCritical);
        }
    } else {
        // The operation ends: its name and what became of it stay in the status bar.
        const QString message =
            OperationFaultText(GetLangText(gLangIndex, 1826, QStringLiteral("No reply from the station.")));
        // A read-out's status keeps where it stopped.
        const QString where =
            gActionCode == ActReadBackup ? QStringLiteral(" (") + ActionText() + QLatin1Char(')') : QString();
        CloseLink();
        EndFaultedAction(message + where);
        MsgBox(message, vbCritical);
    }
    // The card list keeps its port open: it goes on listening for cards.
    if (!cardListInFront)
        CloseLink();

    if (answer == vbYes) {
        gDirectCardsMode = false;
        w.setModeText(QStringLiteral("???"));
        gBaud = gConfiguredBaud;
        try {
            w.MSComm1().setSettings(BaudSettings(gBaud));
        } catch (const VbError&) {
        }
        UpdateBaudMenus();
        w.showPortText();
        try {
            w.MSComm1().setPortOpen(true);
        } catch (const VbError&) {
        }
        cards.showModal();
        try {
            w.MSComm1().setPortOpen(false);
        } catch (const VbError&) {
        }
        return;
    }
    if (gActionCode == ActReadCards || gActionCode == ActViewPunch || gActionCode == ActAirCardBattery) {
        gConnMode = gSavedConnMode;
        w.showConnectionMode(gConnModeNames[gConnMode == ConnDirect ? 2 : 1]);
    }
}

} // namespace

void ResendOrGiveUp()
{
    LinkWindow& w = linkWindow();
    w.setTimer1Enabled(false);
    gRetryCount = static_cast<uint8_t>(gRetryCount + 1);
    try {
        if (CardListWindow& cards = cardListWindow(); cards.inFront() && cards.waitShown())
            cards.advanceReadProgress();

        uint8_t cmd = gSendBuffer.size() > 2 ? static_cast<uint8_t>(gSendBuffer.at(2)) : uint8_t(0);
        // The radio-card configuration is resent once only.
        const bool resend = gRetryCount <= kMaxResends && (cmd != CmdAirCardConfig || gRetryCount == 1);
        if (!resend) {
            giveUp(w);
            return;
        }
        if (gNoResend) {
            // The link stays silent; the pointer must not go on showing a wait.
            Screen.setMousePointer(vbDefault);
            return;
        }
        PauseSeconds(cmd == CmdSetMsMode ? 0.3f : 1.0f);

        if (cmd == CmdSetMsMode || cmd == CmdSetMsModeLegacy) {
            cmd = searchBaudAndCommand(cmd);
            UpdateBaudMenus();
            w.MSComm1().setSettings(BaudSettings(gBaud));
            SetActionText(QStringLiteral("COM") + QString::number(gComPort) + QLatin1Char(' ') +
                          QString::number(gBaud) + QLatin1Char(' ') +
                          GetLangText(gLangIndex, 1024, QString()));
            w.showPortText();
            QByteArray request(2, '\0');
            request[0] = static_cast<char>(cmd);
            request[1] = gConnMode == ConnDirect ? 'M' : 'S';
            gSendBuffer = BuildFrame(request);
        }
        if (gTraceOn)
            AppendLogLine(TimeOutLogLine(gStopRequested));
        ResetReceiver();
        SendFrame();
    } catch (const VbError& e) {
        // A port that cannot take the new speed ends the conversation.
        MsgBox(QString::number(e.Number()) + QLatin1Char(' ') + errorText(e), vbCritical);
        CloseLink();
    }
}

} // namespace qv
