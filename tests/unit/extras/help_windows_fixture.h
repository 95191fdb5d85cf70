// A started main window for the tests of the help menu's windows, which closes any of them left open.
#pragma once
#include "extras/frm_about.h"
#include "extras/frm_language.h"
#include "extras/frm_log.h"
#include "extras/help_windows.h"
#include "platform/system/shell.h"
#include "support/main_window_fixture.h"

#include <QFile>

namespace qv::test {

class HelpWindowsTest : public MainWindowTest
{
  protected:
    void TearDown() override
    {
        unloadIfLoaded<FrmLanguage>();
        unloadIfLoaded<FrmAbout>();
        unloadIfLoaded<FrmLog>();
        gSysInfoProgram.clear();
        shellOpenHook = nullptr;
        MainWindowTest::TearDown();
    }

    template <class F> static void unloadIfLoaded()
    {
        if (FormInstance<F>::loaded())
            Unload(FormInstance<F>::get());
    }

    // Writes bytes to a file beside the program.
    void writeProgramFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(programFolderPath() + u'/' + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // The last message box's prompt and style; fails the test when none was asked.
    static DialogRequest lastMessage()
    {
        EXPECT_FALSE(DialogHooks::asked().isEmpty());
        return DialogHooks::asked().isEmpty() ? DialogRequest{} : DialogHooks::asked().last();
    }
};

} // namespace qv::test
