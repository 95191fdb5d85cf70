// F1 in the real program on an X display: the help page of the language opens at the topic of the field
// the focus is in, as the field's content decides it.
#include "link/link_globals.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/shell.h"
#include "station_window_fixture.h"
#include "window_support.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QUrl>

using namespace qv;

namespace {

class HelpWindowTest : public test::StationWindowTest
{
  protected:
    void SetUp() override
    {
        StationWindowTest::SetUp();
        // What F1 would open, in place of the browser.
        shellOpenHook = [this](const QUrl& url) {
            opened << url;
            return true;
        };
    }
    void TearDown() override
    {
        shellOpenHook = nullptr;
        StationWindowTest::TearDown();
    }

    void readStation(FrmMain& f)
    {
        f.mnuRead.action()->trigger();
        ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 15000));
        test::settle(50);
    }

    // The focus comes into the field, as a person's Tab or click brings it, and F1 is pressed there.
    QUrl pressF1In(FrmMain& f, TextBox& field)
    {
        f.txtCodeNo(1).SetFocus();
        field.SetFocus();
        test::settle(30);
        EXPECT_EQ(Control::focusedControl(), &field);
        const qsizetype before = opened.size();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(field.widget(), &press);
        QApplication::sendEvent(field.widget(), &release);
        test::settle(30);
        return opened.size() == before + 1 ? opened.last() : QUrl();
    }

    QList<QUrl> opened;
    test::ScopedLocale locale{QStringLiteral("en_US")};
};

} // namespace

TEST_F(HelpWindowTest, F1InTheModeBoxOpensTheTopicOfTheModeShown)
{
    sim->station.memory().setMode(5); // Read QV cards
    FrmMain& f = startProgram();
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    f.activateWindow();
    test::settle(150);
    // The read-out mode on this hardware is reported once, in an information box.
    DialogHooks::queue(DialogAnswer::press(vbOK));
    readStation(f);
    ASSERT_EQ(f.txtMO.Text(), QStringLiteral("Read QV cards"));
    QUrl help = pressF1In(f, f.txtMO);
    EXPECT_TRUE(help.isLocalFile());
    EXPECT_EQ(help.fileName(), QStringLiteral("QV-Config_ENU.html"));
    EXPECT_EQ(help.fragment(), QStringLiteral("topic-50"));

    sim->station.memory().setMode(10); // Check
    readStation(f);
    ASSERT_EQ(f.txtMO.Text(), QStringLiteral("Check"));
    EXPECT_EQ(pressF1In(f, f.txtMO).fragment(), QStringLiteral("topic-40"));

    // The status box of a station at work has its topic; a field without one opens the page at its start.
    ASSERT_FALSE(f.txtStatus.Text().isEmpty());
    EXPECT_EQ(pressF1In(f, f.txtStatus).fragment(), QStringLiteral("topic-430"));
    help = pressF1In(f, f.txtSerNo);
    EXPECT_EQ(help.fileName(), QStringLiteral("QV-Config_ENU.html"));
    EXPECT_FALSE(help.hasFragment());
}
