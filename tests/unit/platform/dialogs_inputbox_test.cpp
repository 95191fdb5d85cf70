// InputBox: typed text, Cancel, the proposed answer and the placement in twips, real and hooked.
#include "dialogs_test_util.h"
#include "platform/dialogs/inputbox.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QScreen>

using namespace qv;
using namespace qv::test;

using InputBoxHooks = DialogHookTest;
using InputBoxReal = RealDialogTest;

TEST_F(InputBoxHooks, TypedTextOrEmptyOnCancel)
{
    DialogHooks::queue(DialogAnswer::type(QStringLiteral("3")));
    DialogHooks::queue(DialogAnswer::cancel());
    DialogHooks::queue(DialogAnswer::type(QString()));
    EXPECT_EQ(InputBox(QStringLiteral("Week?"), QString(), QStringLiteral("2")), QStringLiteral("3"));
    EXPECT_EQ(InputBox(QStringLiteral("Week?"), QString(), QStringLiteral("2")), QString());
    EXPECT_EQ(InputBox(QStringLiteral("Search "), QString(), QStringLiteral("x"), 30, 600), QString());
    EXPECT_TRUE(DialogHooks::errors().isEmpty());

    ASSERT_EQ(DialogHooks::asked().size(), 3);
    const DialogRequest& first = DialogHooks::asked().at(0);
    EXPECT_EQ(first.kind, DialogKind::InputBox);
    EXPECT_EQ(first.prompt, QStringLiteral("Week?"));
    EXPECT_EQ(first.title, QGuiApplication::applicationDisplayName());
    EXPECT_EQ(first.defaultText, QStringLiteral("2"));
    EXPECT_FALSE(first.xpos.has_value());
    const DialogRequest& third = DialogHooks::asked().at(2);
    EXPECT_EQ(third.xpos, 30);
    EXPECT_EQ(third.ypos, 600);
}

TEST_F(InputBoxReal, OkReturnsTheTextAndCancelEmpty)
{
    QString proposed, label;
    {
        ModalStep step([&](QWidget* w) {
            auto* box = qobject_cast<QInputDialog*>(w);
            proposed = box->textValue();
            label = box->labelText();
            box->setTextValue(QStringLiteral("4"));
            box->accept();
        });
        EXPECT_EQ(InputBox(QStringLiteral("Week\r\n 1 - 4"), QStringLiteral("T"), QStringLiteral("2")),
                  QStringLiteral("4"));
    }
    EXPECT_EQ(proposed, QStringLiteral("2"));
    EXPECT_EQ(label, QStringLiteral("Week\n 1 - 4"));
    {
        ModalStep step([](QWidget* w) {
            qobject_cast<QInputDialog*>(w)->setTextValue(QStringLiteral("typed"));
            sendKey(w, Qt::Key_Escape);
        });
        EXPECT_EQ(InputBox(QStringLiteral("p"), QString(), QStringLiteral("x")), QString());
    }
    EXPECT_TRUE(DialogHooks::asked().last().answered);
}

TEST_F(InputBoxReal, PlacedInTwipsAndKeptOnTheScreen)
{
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    QRect at, centred, clamped;
    auto grab = [](QRect& where) {
        return [&where](QWidget* w) {
            where = w->frameGeometry();
            qobject_cast<QDialog*>(w)->reject();
        };
    };
    {
        ModalStep step(grab(at));
        InputBox(QStringLiteral("p"), QString(), QString(), 1500, 3000);
    }
    EXPECT_EQ(at.topLeft(), QPoint(100, 200));
    {
        ModalStep step(grab(centred));
        InputBox(QStringLiteral("p"));
    }
    EXPECT_NEAR(centred.center().x(), free.center().x(), 2);
    EXPECT_LT(centred.top(), free.center().y() - centred.height() / 2);
    {
        ModalStep step(grab(clamped));
        InputBox(QStringLiteral("p"), QString(), QString(), 15 * (free.right() + 500), -3000);
    }
    EXPECT_TRUE(free.contains(clamped)) << clamped.x() << "," << clamped.y();
}
