// A person sets the station's clock in the real program on an X display: the Time button against the
// simulated station, the time check's question answered on the real box, and the typed test time.
#include "platform/runtime/vbruntime.h"
#include "station_window_fixture.h"
#include "window_support.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>
#include <functional>

using namespace qv;

namespace {

class TimeWindowTest : public test::StationWindowTest
{
  protected:
    void SetUp() override
    {
        StationWindowTest::SetUp();
        // The station's clock runs on the test's clock, as the PC's does; a busy station lets it run on.
        sim->station.setTimeSource([this] { return m_clock.peek(); },
                                   [this](qint64 ms) { m_clock.advance(ms); });
        // The boxes show for real; the test answers them on the screen as a person would.
        DialogHooks::setNoModal(false);
        m_poll.setInterval(20);
        QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] { answerAnOpenBox(); });
    }
    void TearDown() override
    {
        m_poll.stop();
        DialogHooks::setNoModal(std::nullopt);
        StationWindowTest::TearDown();
    }

    // Answers the next box that opens with `answer`; a box left open by a failing answer is closed.
    void whenABoxOpens(std::function<void(QWidget*)> answer)
    {
        m_answer = std::move(answer);
        m_poll.start();
    }
    void answerAnOpenBox()
    {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || !box->isVisible())
            return;
        m_poll.stop();
        ++boxesSeen;
        m_answer(box);
        if (QApplication::activeModalWidget() == box)
            box->close();
    }

    static void saveShot(QWidget* w, const QString& name)
    {
        const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (shots.isEmpty())
            return;
        QDir().mkpath(shots);
        EXPECT_TRUE(w->grab().save(shots + u'/' + name));
    }

    static QPushButton* buttonCalled(QWidget* box, const QString& text)
    {
        for (QPushButton* b : box->findChildren<QPushButton*>())
            if (b->text().remove(u'&') == text)
                return b;
        return nullptr;
    }

    bool operationEnded()
    {
        return sim::waitUntil([] { return gActionCode == ActNone && !frmMain().MSComm1.PortOpen(); }, 15000);
    }

    qint64 stationAheadMs() const { return m_clock.peek().msecsTo(sim->station.clock()); }

    int boxesSeen = 0;
    QTimer m_poll;
    std::function<void(QWidget*)> m_answer;
    test::ScopedLocale locale{QStringLiteral("en_US")};
};

} // namespace

TEST_F(TimeWindowTest, TheTimeButtonSetsAStationThatRunsAhead)
{
    FrmMain& f = startProgram();
    ASSERT_TRUE(f.isVisible());
    sim->station.setClock(m_clock.peek().addSecs(5));
    QString question;
    whenABoxOpens([&question](QWidget* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        question = message->text();
        saveShot(box, QStringLiteral("settime_question_ENU.png"));
        QPushButton* ok = buttonCalled(box, QStringLiteral("OK"));
        ASSERT_NE(ok, nullptr);
        test::clickWith(ok);
    });
    auto* button = qobject_cast<QPushButton*>(f.cmdTime.widget());
    ASSERT_NE(button, nullptr);
    test::clickWith(button);
    ASSERT_TRUE(operationEnded());
    QApplication::processEvents();

    // The question showed both clocks and offered to set the station's.
    EXPECT_EQ(boxesSeen, 1);
    EXPECT_TRUE(question.contains(QStringLiteral("station"))) << question.toStdString();
    EXPECT_TRUE(question.contains(CStr(m_clock.peek().date()))) << question.toStdString();
    // The station's clock now agrees with the PC's.
    EXPECT_LE(std::abs(stationAheadMs()), 1000);
    // The status of a finished set-time: the station time set to the PC's date.
    EXPECT_TRUE(
        f.Aktion().Text().startsWith(QStringLiteral("Set Station time ") + CStr(m_clock.peek().date())))
        << f.Aktion().Text().toStdString();
    EXPECT_FALSE(f.cmdStop.Visible());
    // The protocol file records the check and the setting.
    const QStringList lines = protocolLines();
    ASSERT_EQ(lines.size(), 3);
    // The difference as measured: five seconds, to the station's 1/256 s.
    const QString check = lines[1].split(u';').value(23);
    EXPECT_TRUE(check.startsWith(QStringLiteral("Get time (diff:"))) << check.toStdString();
    EXPECT_NEAR(Val(check.mid(check.indexOf(u':') + 1)), 5.0, 0.01) << check.toStdString();
    EXPECT_EQ(lines[2].split(u';').value(23), QStringLiteral("Set time"));
    EXPECT_EQ(lines[2].split(u';').value(2), QStringLiteral("201537"));
    // The log pane ends the operation with its duration, leading zero and unit included.
    const QStringList log = f.rtbox(0).Text().split(QRegularExpression(QStringLiteral("[\r\n]+")));
    const QRegularExpression duration(QStringLiteral("^\\d+(\\.\\d+)? s$"));
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const QString& l) {
        return duration.match(l).hasMatch();
    })) << log.join(u'|').toStdString();
}

TEST_F(TimeWindowTest, CancelOnTheQuestionLeavesTheStationsClockAndTheButtonWorksAgain)
{
    FrmMain& f = startProgram();
    sim->station.setClock(m_clock.peek().addSecs(-3));
    auto pressOn = [this](const QString& caption) {
        whenABoxOpens([caption](QWidget* box) {
            QPushButton* button = buttonCalled(box, caption);
            ASSERT_NE(button, nullptr);
            test::clickWith(button);
        });
    };
    auto* time = qobject_cast<QPushButton*>(f.cmdTime.widget());
    ASSERT_NE(time, nullptr);
    pressOn(QStringLiteral("Cancel"));
    test::clickWith(time);
    // Cancel closes the link and leaves the station's clock as it was.
    ASSERT_TRUE(sim::waitUntil([&f] { return !f.MSComm1.PortOpen() && !f.cmdStop.Visible(); }, 15000));
    EXPECT_EQ(boxesSeen, 1);
    EXPECT_NEAR(double(stationAheadMs()), -3000.0, 1000.0);
    EXPECT_FALSE(f.Aktion().Text().startsWith(QStringLiteral("Set Station time")))
        << f.Aktion().Text().toStdString();

    // The next press of the button is not refused as a running operation: this time the clock is set.
    pressOn(QStringLiteral("OK"));
    test::clickWith(time);
    ASSERT_TRUE(operationEnded());
    EXPECT_EQ(boxesSeen, 2);
    EXPECT_LE(std::abs(stationAheadMs()), 1000);
}

TEST_F(TimeWindowTest, TheTypedTestTimeIsSetInTheStation)
{
    FrmMain& f = startProgram();
    ASSERT_TRUE(f.cmdTestTime.Visible());
    QString prompt;
    whenABoxOpens([&prompt](QWidget* box) {
        auto* line = box->findChild<QLineEdit*>();
        ASSERT_NE(line, nullptr);
        if (auto* label = box->findChild<QLabel*>())
            prompt = label->text();
        line->selectAll();
        line->setText(QStringLiteral("12.30.15"));
        saveShot(box, QStringLiteral("testtime_box_ENU.png"));
        auto* buttons = box->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        test::clickWith(buttons->button(QDialogButtonBox::Ok));
    });
    test::clickWith(qobject_cast<QPushButton*>(f.cmdTestTime.widget()));
    ASSERT_TRUE(operationEnded());
    QApplication::processEvents();

    EXPECT_EQ(boxesSeen, 1);
    EXPECT_TRUE(prompt.startsWith(QStringLiteral("Set this time in the station"))) << prompt.toStdString();
    // The station runs from the typed time on the PC's day; the typed time is forgotten afterwards.
    const QDateTime station = sim->station.clock();
    EXPECT_EQ(station.date(), m_clock.peek().date());
    EXPECT_LE(std::abs(QTime(12, 30, 15).msecsTo(station.time())), 5000) << station.toString().toStdString();
    EXPECT_EQ(f.Aktion().Text(), QStringLiteral("Set Station time 12:30:15"));
    EXPECT_TRUE(gTestTime.isEmpty());
}

TEST_F(TimeWindowTest, TheTypedTimeBoxAsksInTheLanguageInUse)
{
    gCommandLine = QStringLiteral("de");
    FrmMain& f = startProgram();
    ASSERT_EQ(gLangCodes.value(gLangIndex), QStringLiteral("DEU"));
    QString prompt;
    whenABoxOpens([&prompt](QWidget* box) {
        if (auto* label = box->findChild<QLabel*>())
            prompt = label->text();
        saveShot(box, QStringLiteral("testtime_box_DEU.png"));
        auto* buttons = box->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        test::clickWith(buttons->button(QDialogButtonBox::Cancel));
    });
    test::clickWith(qobject_cast<QPushButton*>(f.cmdTestTime.widget()));
    QApplication::processEvents();
    EXPECT_EQ(boxesSeen, 1);
    EXPECT_TRUE(prompt.startsWith(QStringLiteral("Diese Zeit in der Station stellen  (hh:mm:ss")))
        << prompt.toStdString();
    EXPECT_EQ(gActionCode, ActNone);
}

// Clocks that agree: the box's title names the tolerance as a person writes it.
TEST_F(TimeWindowTest, TheEqualClocksBoxNamesTheToleranceInSeconds)
{
    FrmMain& f = startProgram();
    sim->station.setClock(m_clock.peek());
    QString title;
    whenABoxOpens([&](QWidget* box) {
        title = box->windowTitle();
        saveShot(box, QStringLiteral("settime_equal_ENU.png"));
        QPushButton* ok = buttonCalled(box, QStringLiteral("OK"));
        ASSERT_NE(ok, nullptr);
        test::clickWith(ok);
    });
    test::clickWith(qobject_cast<QPushButton*>(f.cmdTime.widget()));
    ASSERT_TRUE(sim::waitUntil([&] { return boxesSeen == 1 && !f.MSComm1.PortOpen(); }, 15000));
    EXPECT_TRUE(title.endsWith(QStringLiteral(" (ok \u2264 0.5 s)"))) << title.toStdString();
}
