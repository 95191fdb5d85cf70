// A started main window without a port, for the command starters and buttons: each conversation first asks
// for a port, and the test cancels that dialog to see that the conversation was opened.
#pragma once
#include "link/link_globals.h"
#include "support/main_window_fixture.h"

namespace qv::test {

inline const QString kIdleText = QStringLiteral("idle");
inline const QString kRunningText = QStringLiteral("Another station operation is running.");
inline constexpr int kUntouchedHeight = 765;

class StartersTest : public MainWindowTest
{
  protected:
    // The started program with no port chosen: every conversation first asks for a port.
    FrmMain& start()
    {
        FrmMain& f = startWindow();
        Form::clearModalAnswers();
        DialogHooks::reset();
        gActionCode = ActNone;
        gConnMode = ConnRemote;
        gSavedConnMode = ConnRemote;
        return f;
    }

    // The port dialog that opens a conversation without a port is cancelled; true when it was shown, which
    // tells that the starter went on to open the conversation.
    template <typename Action> bool opensConversation(Action action)
    {
        Form::clearModalAnswers();
        Form::queueModalAnswer([](Form& dialog) {
            auto* settings = dynamic_cast<FrmSettings*>(&dialog);
            ASSERT_NE(settings, nullptr) << dialog.Name().toStdString();
            settings->cmdCancel_Click();
        });
        action();
        const bool shown = Form::pendingModalAnswers() == 0;
        Form::clearModalAnswers();
        return shown;
    }

    // The state every case starts from: an identity read, an untouched progress bar, the data listing
    // shown with DISK offered and the backup view buttons hidden, Stop hidden.
    void prepareIdle(FrmMain& f)
    {
        gActionCode = ActNone;
        gConnMode = ConnRemote;
        gSavedConnMode = ConnRemote;
        gStopRequested = true;
        f.Timer1.setEnabled(false);
        f.Aktion().setText(kIdleText);
        f.txtSerNo.setText(QStringLiteral("4027031840"));
        f.lblProgress(0).setHeight(kUntouchedHeight);
        f.lblProgress(1).setHeight(kUntouchedHeight);
        f.cmdStop.setVisible(false);
        f.tbar.Buttons().Item(QStringLiteral("HEX")).setVisible(false);
        f.mnuViewAction.setVisible(false);
        f.mnuViewTZ.setVisible(false);
        f.tbar.Buttons().Item(QStringLiteral("DISK")).setVisible(true);
        f.mnuDisk.setVisible(true);
        gShowActionLog = false;
        f.ShowActionLogPane();
    }
};

} // namespace qv::test
