// The message box with caller-supplied captions: button sets, results, texts from the language file.
#include "app/custom_msgbox.h"
#include "app/language.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace qv;

TEST(CustomButtonMsgBox, ButtonSetsAndResults)
{
    struct Case
    {
        const char* c1;
        const char* c2;
        const char* c3;
        DialogAnswer answer;
        QStringList shown;
        int expected;
    };
    const Case cases[] = {
        {"Set", "Cancel", "Keep", DialogAnswer::pressButton(2), {"Set", "Cancel", "Keep"}, 2},
        {"Set", "Cancel", "Keep", DialogAnswer::pressButton(3), {"Set", "Cancel", "Keep"}, 3},
        {"Yes", "No", "", DialogAnswer::pressButton(1), {"Yes", "No"}, 1},
        {"Yes", "No", "", DialogAnswer::pressButton(2), {"Yes", "No"}, 2},
        {"Yes", "No", "", DialogAnswer::cancel(), {"Yes", "No"}, 3}, // closed another way
        {"Fine", "", "", DialogAnswer::pressButton(1), {"Fine"}, 1},
        {"A", "", "C", DialogAnswer::pressButton(2), {"A", "", "C"}, 2}, // an empty second caption
    };
    for (const Case& c : cases) {
        DialogHooks::reset();
        DialogHooks::queue(c.answer);
        EXPECT_EQ(CustomButtonMsgBox(0, QStringLiteral("Station time?"), QStringLiteral("Time"),
                                     QString::fromUtf8(c.c1), QString::fromUtf8(c.c2),
                                     QString::fromUtf8(c.c3), vbQuestion),
                  c.expected)
            << c.c1 << c.c2 << c.c3;
        ASSERT_EQ(DialogHooks::asked().size(), 1);
        EXPECT_EQ(DialogHooks::asked()[0].captions, c.shown);
        EXPECT_EQ(DialogHooks::asked()[0].prompt, QStringLiteral("Station time?"));
        EXPECT_EQ(DialogHooks::asked()[0].style & 0xF0, vbQuestion);
    }
}

TEST(CustomButtonMsgBox, CaptionsFromTheLanguageFile)
{
    ASSERT_TRUE(gXmlDoc.setContent(QStringLiteral(
        "<Config><Languages><DEU>Deutsch</DEU></Languages><WithoutForm><s1824>Stations-Zeit</s1824>"
        "<s1825>PC-Zeit</s1825></WithoutForm></Config>")));
    DialogHooks::queue(DialogAnswer::pressButton(2));
    EXPECT_EQ(CustomButtonMsgBox(0, QStringLiteral("?"), QString(),
                                 GetLangText(gLangIndex, 1824, "Station time"),
                                 GetLangText(gLangIndex, 1825, "PC time"), QString(), 0),
              2);
    EXPECT_EQ(DialogHooks::asked()[0].captions, (QStringList{"Stations-Zeit", "PC-Zeit"}));
    gXmlDoc.clear();
}

// The real box shows the captions on its buttons, in order.
TEST(CustomButtonMsgBox, RealBoxShowsTheCaptions)
{
    DialogHooks::setNoModal(false);
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QPushButton* third = nullptr;
        for (QPushButton* b : box->findChildren<QPushButton*>()) {
            seen << b->text();
            if (b->text() == QStringLiteral("Three"))
                third = b;
        }
        ASSERT_NE(third, nullptr);
        third->click();
    });
    EXPECT_EQ(CustomButtonMsgBox(0, QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("One"),
                                 QStringLiteral("Two"), QStringLiteral("Three"), 0),
              3);
    DialogHooks::setNoModal(std::nullopt);
    seen.sort();
    EXPECT_EQ(seen, (QStringList{"One", "Three", "Two"}));
}
