// What the station link needs of the main window: its serial control MSComm1, its reply time-out Timer1, its
// status panel and log pane, and the few controls an operation's end reads. The main window's side
// (ui/main/link_window.cpp) implements it; without a main window each answers as a window with empty
// controls would, and the port, the common dialog and the time-out are the link's own.
#pragma once
#include "app/window_side.h"
#include "link/protocol_file.h"

#include <QString>
#include <cstdint>

namespace qv {

class CommControl;
class CommonDialog;

class LinkWindow
{
  public:
    virtual ~LinkWindow() = default;

    // The serial control MSComm1.
    virtual CommControl& MSComm1();
    // The common dialog CommonDialog1 (the protocol file's choice).
    virtual CommonDialog& CommonDialog1();

    // The reply time-out Timer1.
    virtual void setTimer1Enabled(bool enabled) { m_timerEnabled = enabled; }
    // The time-out runs: a reply is awaited.
    virtual bool timer1Enabled() { return m_timerEnabled; }
    virtual int timer1Interval() { return m_interval; }
    // Stops the time-out, sets its interval in ms and starts it again.
    virtual void restartTimer1(int32_t interval)
    {
        m_interval = interval;
        m_timerEnabled = true;
    }

    // The status panel "Aktion".
    virtual QString actionText() { return m_actionText; }
    virtual void setActionText(const QString& text) { m_actionText = text; }
    // One line (text and CR LF) at the log pane's insertion point; the insertion point goes to the end.
    virtual void appendLogLine(const QString& /*text*/) {}
    // The log pane shows the action log instead of the data listing (rtbox 0 instead of rtbox 1).
    virtual void showActionLogInsteadOfData() {}
    // The Stop button.
    virtual void setStopVisible(bool /*visible*/) {}
    // The progress bar of the station panel runs to its end.
    virtual void fillProgressBar() {}

    // The port dialog (the main window's port menu), when an operation finds no port chosen.
    virtual void askForPort() {}
    // The port label lblViewCOM shows GetPortText().
    virtual void showPortText() {}
    // The captions of the two baud-rate menu items: each offers the rate the PC does not use.
    virtual void updateBaudMenus() {}
    // The connection combo coMode shows a connection-mode name, centred.
    virtual void showConnectionMode(const QString& /*name*/) {}
    // The connection combo's text, trimmed.
    virtual QString connectionName() { return {}; }
    // The mode box of the read column (txtMO).
    virtual void setModeText(const QString& /*text*/) {}

    // Value of the oldest-generation box (chkAlt index 0): 0, 1 or 2 (greyed).
    virtual int16_t oldestGenerationBoxValue() { return 0; }
    // The "switch off after the operation" box chkOff is ticked.
    virtual bool switchOffTicked() { return false; }
    // The read column's serial number and code number.
    virtual QString serialNumberText() { return {}; }
    virtual QString codeNumberText() { return {}; }
    // The protocol record of a station operation, from the read column (the action name filled in).
    virtual ProtocolRecord stationRecord(const QString& action);

  private:
    int m_interval = 0;
    bool m_timerEnabled = false;
    QString m_actionText;
};

using LinkWindowSide = WindowSide<LinkWindow>;

inline LinkWindow& linkWindow()
{
    return LinkWindowSide::get();
}

// Stops the reply time-out, sets its interval in ms and starts it again.
void RestartTimer1(int32_t interval);
// "COM", the port number, CR LF and the port's settings when a port is set, else "".
QString GetPortText();
// The captions of the two baud-rate menu items: each offers the rate the PC does not use.
void UpdateBaudMenus();
// The settings text of a baud rate: "38400,n,8,1".
QString BaudSettings(int32_t baud);

} // namespace qv
