// The Time button's service functions: the typed station time (the test-time button) and the synchronism
// tolerance (a right click on the Time button).
#include "app/language.h"
#include "app/settings.h"
#include "link/link_globals.h"
#include "link/requests.h"
#include "link/sender.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/inputbox.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "receiver/receiver_globals.h"
#include "receiver/receiver_window.h"
#include "stationdata/station_clock.h"
#include "ui/main/frm_main.h"
#include "ui/main/starters.h"

namespace qv {

namespace {

// Where the typed-time box stands, in twips: centred across, somewhat below the middle.
constexpr int kTestTimeBoxWidth = 10100;
constexpr int kTestTimeBoxHeight = 7550;
constexpr int kTestTimeBoxDrop = 2600;
// The typed-time box's texts: its prompt, the week after the time, the request to type again, the refusal.
constexpr int32_t kTextTestTimePrompt = 1562;
constexpr int32_t kTextWeek = 1563;
constexpr int32_t kTextOnceMore = 1564;
constexpr int32_t kTextTestTimeRefused = 1565;

} // namespace

void FrmMain::cmdTestTime_Click()
{
    if (RefuseWhileRunning())
        return;
    const QString prompt =
        GetLangText(gLangIndex, kTextTestTimePrompt, QStringLiteral("Set this time in the station")) +
        QStringLiteral("  (hh:mm:ss") +
        (gWeekTimeMode ? QLatin1Char('/') + GetLangText(gLangIndex, kTextWeek, QStringLiteral("week"))
                       : QString()) +
        QLatin1Char(')');
    gWeekNumber = 0;
    QString message = prompt;
    QString proposed = CStr(Time());
    const int x = (Screen.Width() - kTestTimeBoxWidth) / 2;
    const int y = (Screen.Height() - kTestTimeBoxHeight) / 2 + kTestTimeBoxDrop;
    for (;;) {
        const QString answer = InputBox(message, QString(), proposed, x, y);
        // Cancel starts nothing, also when a typed time is still held from before.
        if (answer.isEmpty())
            return;
        const TypedTime typed = ReadTypedTime(answer);
        if (typed.valid) {
            gTestTime = typed.normalised;
            gWeekNumber = typed.week;
            break;
        }
        message = prompt + QStringLiteral(", ") +
                  GetLangText(gLangIndex, kTextOnceMore, QStringLiteral("please once more!"));
        proposed = typed.normalised + typed.weekPart;
    }
    const std::optional<QString> checked = CheckedTestTime(gTestTime);
    if (!checked) {
        gTestTime.clear();
        gWeekNumber = 0;
        MsgBox(GetLangText(gLangIndex, kTextTestTimeRefused,
                           QStringLiteral("Error: this time cannot be set in the station")),
               vbOKOnly);
        return;
    }
    gTestTime = *checked;
    gActionCode = ActTestTime;
    BeginStationAction();
    cmdStop.setVisible(true);
}

void FrmMain::cmdTime_MouseDown(int Button, int /*Shift*/, float /*X*/, float /*Y*/)
{
    if (Button != vbRightButton)
        return;
    const QString answer =
        InputBox(GetLangText(gLangIndex, 1772, QStringLiteral("Tolerance for synchronism")), QString(),
                 ToleranceDefault(gWaitToReturnCur));
    const std::optional<float> tolerance = ReadTolerance(answer);
    if (!tolerance)
        return;
    gWaitToReturn = *tolerance;
    gWaitToReturnCur = *tolerance;
    receiverWindow().showTimeSyncStep(
        SyncStepText(gWaitToReturn, gCountBeforeInc, gStepInc, gSyncStepCount, gWaitToReturnCur));
}

} // namespace qv
