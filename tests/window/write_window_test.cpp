// A person's Write in the real program on an X display: the mode and the code number changed in the write
// column, Write from the Commands menu, then a Read shows the station's new values.
#include "link/link_globals.h"
#include "platform/system/textfile.h"
#include "receiver/receiver.h"
#include "sim_on_port.h"
#include "sim_test_support.h"
#include "station_window_fixture.h"
#include "stationdata/modes.h"
#include "window_support.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <optional>

using namespace qv;

namespace {

class WriteWindowTest : public test::StationWindowTest
{
  protected:
    bool operationEnded()
    {
        return sim::waitUntil([] { return gActionCode == ActNone && !frmMain().MSComm1.PortOpen(); }, 20000);
    }
    QStringList recordActions() const
    {
        QStringList actions;
        const QStringList lines = protocolLines();
        for (int i = 1; i < lines.size(); ++i)
            actions << lines[i].split(u';').value(23);
        return actions;
    }

    test::ScopedLocale locale{QStringLiteral("en_US")};
};

} // namespace

TEST_F(WriteWindowTest, WriteFromTheCommandsMenuThenReadShowsTheNewValues)
{
    FrmMain& f = startProgram();
    ASSERT_TRUE(f.isVisible());
    // A Read first, as a user does before changing a station.
    f.mnuRead.action()->trigger();
    ASSERT_TRUE(operationEnded());
    ASSERT_EQ(f.txtCodeNo(0).Text(), QStringLiteral("31"));

    // The mode Start chosen from the list, the code number typed.
    auto* modes = qobject_cast<QComboBox*>(f.coMO.widget());
    ASSERT_NE(modes, nullptr);
    const int start = modes->findText(gModeTextStart);
    ASSERT_GE(start, 0);
    // As a person's choice in the list arrives: the entry becomes current and the list reports it chosen.
    modes->setCurrentIndex(start);
    emit modes->activated(start);
    QApplication::processEvents();
    auto* code = qobject_cast<QLineEdit*>(f.txtCodeNo(1).widget());
    ASSERT_NE(code, nullptr);
    test::typeInto(code, QStringLiteral("300"));
    ASSERT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("300"));

    ASSERT_TRUE(f.mnuWrite.action()->isEnabled());
    f.mnuWrite.action()->trigger();
    ASSERT_TRUE(operationEnded()) << f.Aktion().Text().toStdString();
    QApplication::processEvents();
    EXPECT_EQ(sim->station.memory().codeNumber(), 300);
    EXPECT_EQ(sim->station.memory().mode(), 3);
    EXPECT_EQ(f.Aktion().Text(), QStringLiteral("Write"));
    EXPECT_EQ(f.txtCodeNo(0).Text(), QStringLiteral("300"));
    EXPECT_EQ(f.txtMO.Text(), gModeTextStart);

    const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        EXPECT_TRUE(f.grab().save(shots + QStringLiteral("/mainwin_write_ENU.png")));
    }

    f.txtCodeNo(0).setText(QString());
    f.mnuRead.action()->trigger();
    ASSERT_TRUE(operationEnded());
    EXPECT_EQ(f.txtCodeNo(0).Text(), QStringLiteral("300"));
    EXPECT_EQ(f.txtMO.Text(), gModeTextStart);
    EXPECT_EQ(recordActions(),
              (QStringList{QStringLiteral("Read"), QStringLiteral("Write"), QStringLiteral("Read")}));
}
