// The battery dialog, the extended settings dialog and the mobile-network data dialog used in the real program on an X display, in English
// and in German: the dialog opens from the main window with the station's values, a person types and clicks,
// and what is written shows in the next Read.
#include "link/link_globals.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "sim_test_support.h"
#include "station_window_fixture.h"
#include "window_support.h"
#include "ui/dialogs/apn_data_file.h"
#include "ui/dialogs/frm_apn_data.h"
#include "ui/dialogs/frm_batt.h"
#include "ui/dialogs/frm_ext_set.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>
#include <QTableView>

using namespace qv;

namespace {

struct Language
{
    const char* code;
    const char* commandLine;
    const char* locale;
};

class OptionDialogsWindowTest : public test::StationWindowTest, public ::testing::WithParamInterface<Language>
{
  protected:
    void SetUp() override
    {
        test::StationWindowTest::SetUp();
        gCommandLine = QString::fromLatin1(GetParam().commandLine);
    }
    // The program with the station on its port: the answer kept for a port dialog is not needed.
    FrmMain& start()
    {
        FrmMain& f = startProgram();
        Form::clearModalAnswers();
        return f;
    }
    bool operationEnded()
    {
        return sim::waitUntil([] { return gActionCode == ActNone && !frmMain().MSComm1.PortOpen(); }, 20000);
    }
    void saveShot(QWidget& w, const char* name)
    {
        const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (shots.isEmpty())
            return;
        QDir().mkpath(shots);
        QApplication::processEvents();
        EXPECT_TRUE(w.grab().save(shots + QStringLiteral("/%1_%2.png").arg(QString::fromLatin1(name),
                                                                          QString::fromLatin1(GetParam().code))));
    }
    static void typeInto(Control& box, const QString& text)
    {
        auto* edit = qobject_cast<QLineEdit*>(box.widget());
        ASSERT_NE(edit, nullptr);
        test::typeInto(edit, text);
    }
    static void click(Control& button)
    {
        auto* b = qobject_cast<QAbstractButton*>(button.widget());
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isEnabled());
        b->click();
    }
    // Moves to a row of the list with the keys: Home to the first, then down.
    static void keyToRow(ListView& list, int row)
    {
        QTableView* view = list.tableView();
        list.flush();
        view->setFocus();
        QApplication::processEvents();
        auto key = [view](int k) {
            QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
            QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
            QApplication::sendEvent(view, &press);
            QApplication::sendEvent(view, &release);
        };
        key(Qt::Key_Home);
        for (int i = 0; i < row; ++i)
            key(Qt::Key_Down);
        QApplication::processEvents();
    }

    test::ScopedLocale locale{QString::fromLatin1(GetParam().locale)};
};

} // namespace

TEST_P(OptionDialogsWindowTest, ANewBatteryFromTheCommandsMenuIsWrittenAndTheNextReadShowsIt)
{
    FrmMain& f = start();
    f.mnuRead.action()->trigger();
    ASSERT_TRUE(operationEnded());
    const QString shownCap = f.txtCap.Text();

    QString dialogCap;
    Form::queueModalAnswer([&](Form& form) {
        auto& d = dynamic_cast<FrmBatt&>(form);
        dialogCap = d.txtCap.Text();
        typeInto(d.txtCap, QStringLiteral("1800"));
        typeInto(d.txtConsumption, QStringLiteral("10"));
        saveShot(d, "frmBatt");
        click(d.cmdOK);
    });
    ASSERT_TRUE(f.mnuBatt.action()->isEnabled());
    f.mnuBatt.action()->trigger();
    ASSERT_TRUE(operationEnded()) << f.Aktion().Text().toStdString();
    EXPECT_EQ(Form::pendingModalAnswers(), 0);
    EXPECT_EQ(QStringLiteral("%1 mAh").arg(dialogCap), shownCap);
    EXPECT_EQ(sim->station.memory().read(0x18, 4), test::bytes({0x00, 0x62, 0xE0, 0x80}));
    EXPECT_EQ(sim->station.memory().read(0x34, 4), test::bytes({0x00, 0x09, 0xE3, 0x40})); // 180 mAh

    f.txtCap.setText(QString());
    DialogHooks::queue(DialogAnswer::press(vbOK)); // the reminder that the capacity is not the rated one
    f.mnuRead.action()->trigger();
    ASSERT_TRUE(operationEnded());
    EXPECT_EQ(f.txtCap.Text(), QStringLiteral("1800 mAh"));
}

TEST_P(OptionDialogsWindowTest, ExtendedSettingsFromTheSettingsMenuAreWrittenAndShownAgain)
{
    FrmMain& f = start();
    f.mnuRead.action()->trigger();
    ASSERT_TRUE(operationEnded());

    bool shownStandard = false, shownBeep = false;
    Form::queueModalAnswer([&](Form& form) {
        auto& d = dynamic_cast<FrmExtSet&>(form);
        shownStandard = d.opMode(2).Value();
        shownBeep = d.chkBeep.Value() == vbChecked;
        click(d.opMode(1));
        // The activity time down to its shortest with the keyboard.
        QSlider* act = d.slAct.slider();
        act->setFocus();
        QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
        QApplication::sendEvent(act, &home);
        QApplication::processEvents();
        click(d.chkBeep);
        saveShot(d, "frmExtSet");
        click(d.OKButton);
    });
    ASSERT_TRUE(f.mnuExtSet.action()->isEnabled());
    f.mnuExtSet.action()->trigger();
    ASSERT_TRUE(operationEnded()) << f.Aktion().Text().toStdString();
    EXPECT_EQ(Form::pendingModalAnswers(), 0);
    EXPECT_TRUE(shownStandard);
    EXPECT_TRUE(shownBeep);
    EXPECT_EQ(sim->station.memory().actTicks(), 393); // 12 ms
    EXPECT_EQ(sim->station.memory().at(0x73) & 0x04, 0);

    f.mnuRead.action()->trigger();
    ASSERT_TRUE(operationEnded());
    int act = 0;
    bool sprint = false, beep = true;
    Form::queueModalAnswer([&](Form& form) {
        auto& d = dynamic_cast<FrmExtSet&>(form);
        sprint = d.opMode(1).Value();
        act = d.slAct.Value();
        beep = d.chkBeep.Value() == vbChecked;
        click(d.CancelButton);
    });
    f.mnuExtSet.action()->trigger();
    ASSERT_TRUE(operationEnded());
    EXPECT_TRUE(sprint);
    EXPECT_EQ(act, 12);
    EXPECT_FALSE(beep);
}

TEST_P(OptionDialogsWindowTest, APickFromTheProvidersListIsWrittenToTheMobileNetworkStation)
{
    sim->station.memory().makeGsmStation("9463old.example,anna,alt;");
    // The user's data folder was made before this run (the settings are in it): the shipped list is put there
    // as the first run would have put it.
    ASSERT_TRUE(QFile::copy(programFolderPath() + QStringLiteral("/APN_Data.csv"),
                            dataFolder() + QStringLiteral("/APN_Data.csv")));
    FrmMain& f = start();
    f.mnuRead.action()->trigger();
    ASSERT_TRUE(operationEnded());
    ASSERT_TRUE(f.cmdAPN_Data.Visible());

    Form::queueModalAnswer([&](Form& form) {
        auto& d = dynamic_cast<FrmAPN_Data&>(form);
        ASSERT_EQ(d.lvAPN_Data.ListItems().Count(), 5);
        keyToRow(d.lvAPN_Data, 4); // the fifth provider of the shipped list
        typeInto(d.txtPIN(1), QStringLiteral("1234"));
        saveShot(d, "frmAPN_Data");
        click(d.cmdOK);
    });
    click(f.cmdAPN_Data);
    EXPECT_EQ(Form::pendingModalAnswers(), 0);
    EXPECT_EQ(f.txtAPN(1).Text(), QStringLiteral("mobile.example.co.uk"));
    EXPECT_EQ(f.txtPass(1).Text(), QStringLiteral("pass"));

    f.mnuWrite.action()->trigger();
    ASSERT_TRUE(operationEnded()) << f.Aktion().Text().toStdString();
    EXPECT_EQ(sim->station.memory().apnText(), QByteArray("1234mobile.example.co.uk,user,pass;"));
    f.txtAPN(0).setText(QString());
    f.mnuRead.action()->trigger();
    ASSERT_TRUE(operationEnded());
    EXPECT_EQ(f.txtAPN(0).Text(), QStringLiteral("mobile.example.co.uk"));
    EXPECT_EQ(f.txtUser(0).Text(), QStringLiteral("user"));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, OptionDialogsWindowTest,
                         ::testing::Values(Language{"ENU", "en", "en_US"}, Language{"DEU", "de", "de_DE"}),
                         [](const ::testing::TestParamInfo<Language>& info) {
                             return std::string(info.param.code);
                         });
