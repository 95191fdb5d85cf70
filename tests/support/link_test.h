// The set-up of the tests of the station link and the reply receiver: the program at its start values,
// dialogs answered only by the answer hooks, and the main window (which the link writes into) unloaded
// afterwards.
#pragma once
#include "platform/controls/controls.h"
#include "platform/dialogs/dialog_hooks.h"
#include "support/card_list_close.h"
#include "ui/main/frm_main.h"
#include "ui/main/program_state.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace qv::test {

// Unloads every window a test loaded (the main window's time-out timer stopped first, the card list's unsaved
// changes let go) and lets them go.
inline void unloadWindows()
{
    if (FormInstance<FrmMain>::loaded())
        frmMain().Timer1.setEnabled(false);
    letCardListChangesGo();
    const QList<Form*> forms = Form::loadedForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        if ((*it)->loaded())
            Unload(**it);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class LinkTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        resetProgramState();
        DialogHooks::reset();
        DialogHooks::setNoModal(true);
        Form::clearModalAnswers();
    }

    void TearDown() override
    {
        unloadWindows();
        EXPECT_TRUE(DialogHooks::errors().isEmpty()) << DialogHooks::errors().join("\n").toStdString();
        DialogHooks::reset();
        DialogHooks::setNoModal(std::nullopt);
        Form::clearModalAnswers();
        resetProgramState();
    }
};

} // namespace qv::test
