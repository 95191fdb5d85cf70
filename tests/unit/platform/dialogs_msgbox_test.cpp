// MsgBox and the caption message box: return codes, default buttons, Escape, captions, real and hooked.
#include "dialogs_test_util.h"
#include "platform/dialogs/msgbox.h"

#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

using namespace qv;
using namespace qv::test;

namespace {

// The buttons of a real box, left to right as laid out.
QList<QAbstractButton*> buttonsLeftToRight(QWidget* w)
{
    auto* box = qobject_cast<QMessageBox*>(w);
    if (!box)
        return {};
    QList<QAbstractButton*> list = box->buttons();
    std::sort(list.begin(), list.end(), [](QAbstractButton* a, QAbstractButton* b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    return list;
}

QAbstractButton* standardButton(QWidget* w, QMessageBox::StandardButton which)
{
    auto* box = qobject_cast<QMessageBox*>(w);
    return box ? box->button(which) : nullptr;
}

} // namespace

using MsgBoxHooks = DialogHookTest;
using MsgBoxReal = RealDialogTest;

TEST_F(MsgBoxHooks, EachButtonSetGivesItsCodesInOrder)
{
    struct Case
    {
        int buttons;
        QList<int> codes;
    };
    const Case cases[] = {
        {vbOKOnly, {vbOK}},
        {vbOKCancel, {vbOK, vbCancel}},
        {vbAbortRetryIgnore, {vbAbort, vbRetry, vbIgnore}},
        {vbYesNoCancel, {vbYes, vbNo, vbCancel}},
        {vbYesNo, {vbYes, vbNo}},
        {vbRetryCancel, {vbRetry, vbCancel}},
        {vbYesNo | vbQuestion | vbDefaultButton2, {vbYes, vbNo}},
        {9, {vbOK}}, // an unknown set shows OK only
    };
    for (const Case& c : cases) {
        for (int i = 0; i < c.codes.size(); ++i) {
            DialogHooks::queue(DialogAnswer::pressButton(i + 1));
            EXPECT_EQ(MsgBox(QStringLiteral("q"), c.buttons), c.codes.at(i))
                << c.buttons << " button " << i + 1;
            DialogHooks::queue(DialogAnswer::press(c.codes.at(i)));
            EXPECT_EQ(MsgBox(QStringLiteral("q"), c.buttons), c.codes.at(i)) << c.buttons;
        }
    }
    EXPECT_TRUE(DialogHooks::errors().isEmpty()) << DialogHooks::errors().join('\n').toStdString();
}

TEST_F(MsgBoxHooks, RecordsPromptTitleStyleAndDefaultButton)
{
    DialogHooks::queue(DialogAnswer::press(vbNo));
    MsgBox(QStringLiteral("Clear the backup?\r\rSure?"), vbYesNo | vbQuestion | vbDefaultButton2);
    DialogHooks::queue(DialogAnswer::press(vbOK));
    MsgBox(QStringLiteral("Done"), vbOKOnly | vbDefaultButton3, QStringLiteral("My title"));

    ASSERT_EQ(DialogHooks::asked().size(), 2);
    const DialogRequest& first = DialogHooks::asked().at(0);
    EXPECT_EQ(first.kind, DialogKind::MsgBox);
    EXPECT_EQ(first.prompt, QStringLiteral("Clear the backup?\r\rSure?"));
    EXPECT_EQ(first.title, QGuiApplication::applicationDisplayName());
    EXPECT_EQ(first.style, vbYesNo | vbQuestion | vbDefaultButton2);
    EXPECT_EQ(first.defaultButton, 2);
    EXPECT_TRUE(first.answered);
    const DialogRequest& second = DialogHooks::asked().at(1);
    EXPECT_EQ(second.title, QStringLiteral("My title"));
    EXPECT_EQ(second.defaultButton, 1); // a default beyond the buttons falls back to the first
}

TEST_F(MsgBoxHooks, CancelActsAsEscape)
{
    DialogHooks::queue(DialogAnswer::cancel());
    EXPECT_EQ(MsgBox(QStringLiteral("q"), vbYesNoCancel), vbCancel);
    DialogHooks::queue(DialogAnswer::cancel());
    EXPECT_EQ(MsgBox(QStringLiteral("q"), vbOKOnly), vbOK);
    // Escape answers a question No.
    DialogHooks::queue(DialogAnswer::cancel());
    EXPECT_EQ(MsgBox(QStringLiteral("q"), vbYesNo), vbNo);
    EXPECT_TRUE(DialogHooks::errors().isEmpty());
    // Escape cannot answer an Abort/Retry/Ignore box: the test is told.
    DialogHooks::queue(DialogAnswer::cancel());
    MsgBox(QStringLiteral("q"), vbAbortRetryIgnore);
    EXPECT_EQ(DialogHooks::errors().size(), 1);
}

TEST_F(MsgBoxHooks, AnswerTheBoxDoesNotHaveIsReported)
{
    DialogHooks::queue(DialogAnswer::press(vbYes));
    EXPECT_EQ(MsgBox(QStringLiteral("q"), vbOKCancel), vbCancel);
    DialogHooks::queue(DialogAnswer::pressButton(3));
    EXPECT_EQ(MsgBox(QStringLiteral("q"), vbRetryCancel), vbCancel);
    EXPECT_EQ(DialogHooks::errors().size(), 2);
}

TEST_F(MsgBoxHooks, CaptionBoxReturnsButtonNumbers)
{
    const QStringList three = {QStringLiteral("Stations-Zeit"), QStringLiteral("PC-Zeit"),
                               QStringLiteral("Abbruch")};
    for (int n = 1; n <= 3; ++n) {
        DialogHooks::queue(DialogAnswer::pressButton(n));
        EXPECT_EQ(CaptionMsgBox(QStringLiteral("p"), QStringLiteral("t"), three, vbCritical), n);
    }
    DialogHooks::queue(DialogAnswer::cancel());
    EXPECT_EQ(CaptionMsgBox(QStringLiteral("p"), QString(), three), 0);
    DialogHooks::queue(DialogAnswer::cancel());
    EXPECT_EQ(CaptionMsgBox(QStringLiteral("p"), QString(), {QStringLiteral("OK")}), 1);
    DialogHooks::queue(DialogAnswer::pressButton(4));
    EXPECT_EQ(CaptionMsgBox(QStringLiteral("p"), QString(), three), 0);
    EXPECT_EQ(DialogHooks::errors().size(), 1);

    const DialogRequest& r = DialogHooks::asked().first();
    EXPECT_EQ(r.kind, DialogKind::CaptionMsgBox);
    EXPECT_EQ(r.captions, three);
    EXPECT_EQ(r.style, vbCritical);
    EXPECT_EQ(r.title, QStringLiteral("t"));
}

TEST_F(MsgBoxReal, ClickedButtonGivesItsCode)
{
    struct Case
    {
        int buttons;
        QMessageBox::StandardButton click;
        int expected;
    };
    const Case cases[] = {
        {vbOKOnly, QMessageBox::Ok, vbOK},
        {vbOKCancel, QMessageBox::Cancel, vbCancel},
        {vbAbortRetryIgnore, QMessageBox::Abort, vbAbort},
        {vbAbortRetryIgnore, QMessageBox::Retry, vbRetry},
        {vbAbortRetryIgnore, QMessageBox::Ignore, vbIgnore},
        {vbYesNoCancel, QMessageBox::Yes, vbYes},
        {vbYesNoCancel, QMessageBox::No, vbNo},
        {vbYesNo, QMessageBox::No, vbNo},
        {vbRetryCancel, QMessageBox::Retry, vbRetry},
    };
    for (const Case& c : cases) {
        int buttonCount = 0;
        ModalStep step([&](QWidget* w) {
            buttonCount = int(qobject_cast<QMessageBox*>(w)->buttons().size());
            standardButton(w, c.click)->click();
        });
        EXPECT_EQ(MsgBox(QStringLiteral("q"), c.buttons), c.expected) << c.buttons;
        EXPECT_EQ(buttonCount, msgBoxButtonCodes(c.buttons).size());
    }
    ASSERT_EQ(DialogHooks::asked().size(), std::size(cases));
    EXPECT_TRUE(DialogHooks::asked().last().answered);
}

TEST_F(MsgBoxReal, EnterPressesTheDefaultButton)
{
    struct Case
    {
        int buttons;
        int expected;
    };
    const Case cases[] = {
        {vbYesNo | vbDefaultButton2, vbNo},
        {vbYesNoCancel | vbDefaultButton3, vbCancel},
        {vbOKCancel | vbInformation | vbDefaultButton2, vbCancel}, // the style 0x141
        {vbOKCancel, vbOK},
        {vbOKOnly | vbDefaultButton2, vbOK},
    };
    for (const Case& c : cases) {
        ModalStep step([](QWidget* w) { sendKey(w, Qt::Key_Return); });
        EXPECT_EQ(MsgBox(QStringLiteral("q"), c.buttons), c.expected) << c.buttons;
    }
}

TEST_F(MsgBoxReal, EscapeGivesCancelOrNo)
{
    struct Case
    {
        int buttons;
        int expected; // 0: Escape leaves the box open
    };
    const Case cases[] = {
        {vbOKCancel, vbCancel}, {vbYesNoCancel, vbCancel},          {vbRetryCancel, vbCancel},
        {vbOKOnly, vbOK},       {vbYesNo | vbDefaultButton1, vbNo}, {vbAbortRetryIgnore, 0},
    };
    for (const Case& c : cases) {
        bool stayedOpen = false;
        ModalStep step([&](QWidget* w) {
            sendKey(w, Qt::Key_Escape);
            w->close();
            stayedOpen = w->isVisible();
            if (stayedOpen)
                buttonsLeftToRight(w).first()->click();
        });
        const int result = MsgBox(QStringLiteral("q"), c.buttons);
        if (c.expected) {
            EXPECT_EQ(result, c.expected) << c.buttons;
            EXPECT_FALSE(stayedOpen);
        } else {
            EXPECT_TRUE(stayedOpen) << c.buttons;
        }
    }
}

TEST_F(MsgBoxReal, ShowsPlainTextWithLineBreaksIconAndTitle)
{
    QString text, title;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool onTop = false;
    ModalStep step([&](QWidget* w) {
        onTop = w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        auto* box = qobject_cast<QMessageBox*>(w);
        text = box->text();
        format = box->textFormat();
        icon = box->icon();
        title = box->windowTitle();
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(MsgBox(QStringLiteral("<b>A</b>\r\nB\rC"), vbYesNo | vbQuestion | vbSystemModal), vbYes);
    EXPECT_EQ(text, QStringLiteral("<b>A</b>\nB\nC"));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_TRUE(onTop);
    EXPECT_EQ(title, QGuiApplication::applicationDisplayName());
}

TEST_F(MsgBoxReal, BelongsToTheActiveWindow)
{
    QWidget window;
    window.show();
    QApplication::setActiveWindow(&window);
    QWidget* parent = nullptr;
    ModalStep step([&](QWidget* w) {
        parent = w->parentWidget();
        qobject_cast<QMessageBox*>(w)->buttons().first()->click();
    });
    MsgBox(QStringLiteral("q"));
    EXPECT_EQ(parent, &window);
}

TEST_F(MsgBoxReal, CaptionBoxShowsCaptionsInOrder)
{
    struct Case
    {
        QStringList captions;
        int press; // 1-based position clicked
    };
    const Case cases[] = {
        {{QStringLiteral("Stations-Zeit"), QStringLiteral("PC-Zeit"), QStringLiteral("Abbruch")}, 2},
        {{QStringLiteral("Stations-Zeit"), QStringLiteral("PC-Zeit"), QStringLiteral("Abbruch")}, 3},
        {{QStringLiteral("OK"), QStringLiteral("Abbruch")}, 1},
        {{QStringLiteral("OK"), QStringLiteral("Abbruch")}, 2},
        {{QStringLiteral("OK")}, 1},
        {{QStringLiteral("One"), QString(), QStringLiteral("Three")}, 2},
    };
    for (const Case& c : cases) {
        QStringList shown;
        ModalStep step([&](QWidget* w) {
            const QList<QAbstractButton*> buttons = buttonsLeftToRight(w);
            for (QAbstractButton* b : buttons)
                shown.append(b->text());
            buttons.at(c.press - 1)->click();
        });
        EXPECT_EQ(CaptionMsgBox(QStringLiteral("p"), QStringLiteral("t"), c.captions, vbCritical), c.press);
        EXPECT_EQ(shown, c.captions);
    }
}

TEST_F(MsgBoxReal, CaptionBoxDefaultButtonAndEscape)
{
    const QStringList three = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    {
        ModalStep step([](QWidget* w) { sendKey(w, Qt::Key_Return); });
        EXPECT_EQ(CaptionMsgBox(QStringLiteral("p"), QString(), three, vbDefaultButton2), 2);
    }
    {
        // Several buttons: Escape closes the box without one (the caller's cancel).
        bool closed = false;
        ModalStep step([&](QWidget* w) {
            sendKey(w, Qt::Key_Escape);
            closed = !w->isVisible();
        });
        EXPECT_EQ(CaptionMsgBox(QStringLiteral("p"), QString(), three), 0);
        EXPECT_TRUE(closed);
    }
    {
        ModalStep step([](QWidget* w) { w->close(); });
        EXPECT_EQ(CaptionMsgBox(QStringLiteral("p"), QString(), {QStringLiteral("OK"), QStringLiteral("X")}),
                  0);
    }
    {
        ModalStep step([](QWidget* w) { sendKey(w, Qt::Key_Escape); });
        EXPECT_EQ(CaptionMsgBox(QStringLiteral("p"), QString(), {QStringLiteral("Fine")}), 1);
    }
}
