// A person looks at one card of a read-out in the real program on an X display: Read cards, one card put into
// the simulated station, a double click on its row opens the details view, whose print button prints it
// into a PDF file that is then looked at as a page.
#include "cards/frm_cards.h"
#include "cards/frm_details.h"
#include "platform/dialogs/dialog_hooks.h"
#include "sim_cards.h"
#include "station_window_fixture.h"
#include "support/card_list_close.h"
#include "support/layout_check.h"
#include "window_support.h"

#include <QAction>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>

using namespace qv;

namespace {

constexpr int kReadoutMode = 5;

// A double click of the left button on a row of the list, as a person's arrives.
void doubleClickRow(ListView& list, int row)
{
    QTableView* table = list.tableView();
    QWidget* viewport = table->viewport();
    const QPointF at = table->visualRect(table->model()->index(row - 1, 0)).center();
    const QPointF global = viewport->mapToGlobal(at);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(viewport, &e);
    }
}

class DetailsWindowTest : public test::StationWindowTest, public ::testing::WithParamInterface<const char*>
{
  protected:
    void SetUp() override
    {
        StationWindowTest::SetUp();
        sim->station.memory().setMode(kReadoutMode);
        slot.emplace(sim->station);
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override
    {
        if (FormInstance<FrmDetails>::loaded())
            Unload(frmDetails());
        test::unloadCardListWithoutSaving();
        slot.reset();
        StationWindowTest::TearDown();
    }

    std::optional<sim::SimCardSlot> slot;
    QTemporaryDir dir;
};

QString runTool(const char* name, const QStringList& args)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(QString::fromLatin1(name)), args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

TEST_P(DetailsWindowTest, DoubleClickOnARowShowsItsDetailsAndPrintsThem)
{
    const QString language = QString::fromLatin1(GetParam());
    const bool german = language == QLatin1String("DEU");
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        << "poppler-utils is missing (setup.sh installs it)";
    gCommandLine = german ? QStringLiteral("de") : QStringLiteral("en");
    test::ScopedLocale locale(german ? QStringLiteral("de_DE") : QStringLiteral("en_US"));
    FrmMain& f = startProgram();
    // The main window away from the screen's corner: the card list and its details open over it.
    f.move(100, 80);
    test::settle(50);
    const QRect mainWindow = f.frameGeometry();
    const QRect screenArea = f.screen()->availableGeometry();

    sim::SimCard c;
    c.family = sim::CardFamily::Card8;
    c.number = 2100011;
    for (int i = 0; i < 4; ++i)
        c.punches << sim::SimPunch{31 + i, 36000 + 75 * i, 3};
    slot->queue({c});
    slot->setAutoRun(true, 30);

    const QString pdf = dir.filePath(QStringLiteral("details.pdf"));
    QString title, frame, text;
    QStringList layout;
    bool detailsShown = false;
    QRect listPlace, detailsPlace;
    Form::clearModalAnswers();
    Form::queueModalAnswer([&](Form& w) {
        auto& list = static_cast<FrmCards&>(w);
        listPlace = list.frameGeometry();
        ASSERT_TRUE(slot->insertNext());
        ASSERT_TRUE(sim::waitUntil(
            [&] { return slot->acknowledges() == 1 && list.lvCards.ListItems().Count() == 1; }, 20000));
        sim::pumpEvents(50);

        // The details view: looked at, printed with its print button, closed with OK.
        Form::queueModalAnswer([&](Form& d) {
            auto& details = static_cast<FrmDetails&>(d);
            detailsShown = details.isVisible();
            QApplication::processEvents();
            detailsPlace = details.frameGeometry();
            title = details.Caption();
            frame = details.frDetails.Caption();
            text = details.rtbox.Text();
            layout = test::overlappingControls(details, {}) + test::captionsThatDoNotFit(details);
            const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
            if (!shots.isEmpty()) {
                QDir().mkpath(shots);
                EXPECT_TRUE(details.grab().save(shots + QStringLiteral("/carddetails_") + language +
                                                QStringLiteral(".png")));
            }
            DialogHooks::queue(DialogAnswer::acceptPrinter(pdf));
            test::clickWith(details.cmdPrint.widget());
            test::clickWith(details.OKButton.widget());
        });
        doubleClickRow(list.lvCards, 1);
        EXPECT_EQ(Form::pendingModalAnswers(), 0);
        // Closing offers the read card for saving; the person lets it go.
        DialogHooks::queue(DialogAnswer::press(vbNo));
        list.mnuExit.action()->trigger();
    });

    f.mnuReadCards.action()->trigger();
    ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 20000));
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 20000));

    EXPECT_TRUE(detailsShown);
    // The card list stands over the main window (as wide as the screen when its columns want more), the
    // details over the card list, each on the screen.
    EXPECT_LE(std::abs(listPlace.center().y() - mainWindow.center().y()), 2) << listPlace.y();
    if (listPlace.width() < screenArea.width())
        EXPECT_LE(std::abs(listPlace.center().x() - mainWindow.center().x()), 2) << listPlace.x();
    else
        EXPECT_EQ(listPlace.left(), screenArea.left());
    EXPECT_LE(std::abs(detailsPlace.center().x() - listPlace.center().x()), 2) << detailsPlace.x();
    EXPECT_TRUE(screenArea.contains(listPlace));
    EXPECT_TRUE(screenArea.contains(detailsPlace));
    EXPECT_TRUE(
        title.endsWith(german ? QStringLiteral(" QV-Karte=2100011") : QStringLiteral(" QV card=2100011")))
        << title.toStdString();
    EXPECT_EQ(frame, german ? QStringLiteral("Zeile: 1") : QStringLiteral("row: 1"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("QV-Config"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1.:\t31"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("4.:\t34"))) << text.toStdString();
    EXPECT_TRUE(layout.isEmpty()) << layout.join(u'\n').toStdString();
    EXPECT_TRUE(DialogHooks::errors().isEmpty()) << DialogHooks::errors().join(u'\n').toStdString();

    // The print, looked at as a page: the card's number and punches are on it, nothing reaches the edge.
    const QString words = runTool("pdftotext", {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(words.contains(QStringLiteral("2100011"))) << words.toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("10:03:45"))) << words.toStdString();
    const QString prefix = dir.filePath(QStringLiteral("page"));
    runTool("pdftoppm", {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-singlefile"),
                         QStringLiteral("-png"), pdf, prefix});
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200)
                ink |= QRect(x, y, 1, 1);
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_TRUE(page.rect().adjusted(24, 24, -24, -24).contains(ink));
    const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        EXPECT_TRUE(
            page.save(shots + QStringLiteral("/carddetails_print_") + language + QStringLiteral(".png")));
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, DetailsWindowTest, ::testing::Values("ENU", "DEU"));
