// The battery dialog, the extended settings dialog, the mobile-network data dialog and the radio-card dialog
// used in the real program on an X display, in English and in German: the dialog opens from the main window
// with the station's (or the radio card's) values, a person types and clicks, and what is written shows in
// the next Read (or on the card).
#include "link/link_globals.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "sim_air_card.h"
#include "sim_cards.h"
#include "sim_test_support.h"
#include "station_window_fixture.h"
#include "ui/dialogs/apn_data_file.h"
#include "ui/dialogs/frm_apn_data.h"
#include "ui/dialogs/frm_batt.h"
#include "ui/dialogs/frm_config_qvel.h"
#include "ui/dialogs/frm_ext_set.h"
#include "window_support.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSlider>
#include <QTableView>
#include <algorithm>

using namespace qv;

namespace {

struct Language
{
    const char* code;
    const char* commandLine;
    const char* locale;
};

// Radio card 8000001 queued to be put on the station, the station's air-card commands going to the card in
// its slot.
struct RadioCardOnStation
{
    explicit RadioCardOnStation(sim::SimStation& station) : slot(station), commands(station)
    {
        commands.followSlot(slot);
        card.family = sim::CardFamily::CardAir;
        card.number = 8000001;
        card.radio = &radio;
        slot.queue(card);
    }
    sim::SimCardSlot slot;
    sim::SimAirCardCommands commands;
    sim::SimRadioCard radio;
    sim::SimCard card;
};

class OptionDialogsWindowTest : public test::StationWindowTest, public ::testing::WithParamInterface<Language>
{
  protected:
    void SetUp() override
    {
        test::StationWindowTest::SetUp();
        gCommandLine = QString::fromLatin1(GetParam().commandLine);
    }
    void TearDown() override
    {
        // A test stopped half-way leaves the radio-card dialog loaded: the next one starts with a new one.
        if (FormInstance<FrmConfigQVEL>::loaded())
            Unload(frmConfigQVEL());
        test::StationWindowTest::TearDown();
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
        EXPECT_TRUE(
            w.grab().save(shots + QStringLiteral("/%1_%2.png")
                                      .arg(QString::fromLatin1(name), QString::fromLatin1(GetParam().code))));
    }
    static void typeInto(Control& box, const QString& text)
    {
        auto* edit = qobject_cast<QLineEdit*>(box.widget());
        ASSERT_NE(edit, nullptr);
        test::typeInto(edit, text);
    }
    // Opens a menu of the main window's menu bar and clicks one of its items, as a person does.
    static void chooseMenuItem(FrmMain& f, MenuItem& menu, MenuItem& item)
    {
        QMenuBar* bar = f.existingMenuBar();
        ASSERT_NE(bar, nullptr);
        test::mouseClick(bar, bar->actionGeometry(menu.action()).center());
        QMenu* popup = menu.menu();
        ASSERT_TRUE(sim::waitUntil([popup] { return popup->isVisible(); }));
        const QRect at = popup->actionGeometry(item.action());
        ASSERT_TRUE(at.isValid());
        test::mouseClick(popup, at.center());
    }
    // A click on the box of a check box or option button (the rest of a wide one takes no click).
    static void tick(QAbstractButton* box) { test::mouseClick(box, QPointF(8, box->height() / 2.0)); }
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

TEST_P(OptionDialogsWindowTest, ABeepAddedToTheRadioCardsPatternIsWrittenToTheCardOnTheStation)
{
    // A radio card of the older software, which reports no activation state: the dialog keeps its number for
    // the person's changes.
    RadioCardOnStation on(sim->station);
    on.radio.swMajor = 3;
    on.radio.sel = QByteArray::fromHex("1800054a");
    sim::SimCardSlot& slot = on.slot;
    sim::SimAirCardCommands& commands = on.commands;
    sim::SimRadioCard& radio = on.radio;
    FrmMain& f = start();

    QString shownNumber, shownCount;
    bool beepBefore = true;
    Form::queueModalAnswer([&](Form& form) {
        auto& d = dynamic_cast<FrmConfigQVEL&>(form);
        ASSERT_TRUE(slot.insertNext());
        ASSERT_TRUE(sim::waitUntil([&] { return !d.lblSWHW(1).Caption().isEmpty(); }, 10000));
        test::settle(100);
        shownNumber = d.lblCardNo(1).Caption();
        shownCount = d.txtAnz(0).Text();
        beepBefore = d.chkSEL_Beep(7).Value() == 1;
        saveShot(d, "frmConfigQVEL");

        // The free pattern shows the card's grid; one more beep at its last step.
        tick(d.opDefault(3).radioButton());
        ASSERT_TRUE(d.piSEL.Visible());
        tick(d.chkSEL_Beep(7).checkBox());
        ASSERT_EQ(d.chkSEL_Beep(7).Value(), 1);
        saveShot(d, "frmConfigQVEL_grid");
        click(d.cmdOK);
        // The station's reply to the write ends the card's configuration.
        ASSERT_TRUE(sim::waitUntil([&] { return d.cardDone(); }, 10000));

        // The start time of the waiting option, for the next card put on.
        tick(d.chkKEZWAITon.checkBox());
        ASSERT_TRUE(d.frKEZWAIT.Visible());
        saveShot(d, "frmConfigQVEL_start");
        click(d.cmdCancel);
    });
    chooseMenuItem(f, f.mnuSet, f.mnuConfQVEL);
    ASSERT_TRUE(operationEnded()) << f.Aktion().Text().toStdString();
    EXPECT_EQ(Form::pendingModalAnswers(), 0);
    EXPECT_EQ(shownNumber, QStringLiteral("8000001"));
    EXPECT_EQ(shownCount, QStringLiteral("24"));
    EXPECT_FALSE(beepBefore);
    EXPECT_EQ(radio.sel, QByteArray::fromHex("180005ca"));
    EXPECT_EQ(commands.applied().last(), QByteArray::fromHex("73180005ca"));
    // The card's protocol record holds the pattern written.
    const QStringList lines = protocolLines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QString& l) {
        return l.contains(QStringLiteral("8000001")) &&
               l.contains(QStringLiteral("SEL_FEEDBACK=18-00-05-CA"));
    })) << lines.join(u'\n').toStdString();
}

// A radio card of the software that reports its activation state: reading it writes nothing. The dialog keeps
// the card's number, says that only its state was read, and why OK stays off for it; nothing is sent to it.
TEST_P(OptionDialogsWindowTest, ACardThatReportsItsStateSaysNothingWasWrittenAndWhyOkIsOff)
{
    RadioCardOnStation on(sim->station); // software 4.0
    sim::SimCardSlot& slot = on.slot;
    sim::SimAirCardCommands& commands = on.commands;
    FrmMain& f = start();

    QString number, state, forAll;
    bool stateShown = false, okEnabled = true, stateWhole = false;
    Form::queueModalAnswer([&](Form& form) {
        auto& d = dynamic_cast<FrmConfigQVEL&>(form);
        ASSERT_TRUE(slot.insertNext());
        ASSERT_TRUE(sim::waitUntil([&] { return d.cardDone(); }, 10000));
        test::settle(100);
        number = d.lblCardNo(1).Caption();
        state = d.lblCardState.Caption();
        stateShown = d.lblCardState.widget()->isVisible();
        forAll = d.chkDefault.Caption().remove(u'&');
        okEnabled = d.cmdOK.Enabled();
        QLabel* label = d.lblCardState.label();
        const QRect text = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 100000),
                                                             int(Qt::TextWordWrap), state);
        stateWhole =
            text.height() <= label->height() && d.Picture1.widget()->rect().contains(label->geometry());
        saveShot(d, "frmConfigQVEL_state");
        click(d.cmdCancel);
    });
    chooseMenuItem(f, f.mnuSet, f.mnuConfQVEL);
    ASSERT_TRUE(operationEnded()) << f.Aktion().Text().toStdString();

    EXPECT_EQ(number, QStringLiteral("8000001"));
    EXPECT_TRUE(stateShown);
    EXPECT_TRUE(stateWhole) << state.toStdString();
    EXPECT_TRUE(state.startsWith(QStringLiteral("8000001: ") + GetLangText(gLangIndex, 1567, QString())))
        << state.toStdString();
    EXPECT_TRUE(state.contains(GetLangText(gLangIndex, 1568, QString()))) << state.toStdString();
    EXPECT_TRUE(state.contains(u'"' + forAll + u'"')) << state.toStdString();
    EXPECT_FALSE(okEnabled);
    EXPECT_TRUE(commands.applied().isEmpty() ||
                std::all_of(commands.applied().begin(), commands.applied().end(),
                            [](const QByteArray& c) { return uint8_t(c.at(0)) == 0x7E; }));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, OptionDialogsWindowTest,
                         ::testing::Values(Language{"ENU", "en", "en_US"}, Language{"DEU", "de", "de_DE"}),
                         [](const ::testing::TestParamInfo<Language>& info) {
                             return std::string(info.param.code);
                         });
