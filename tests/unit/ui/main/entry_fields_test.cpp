// The typed fields of the write column: the code number's key filter and typed flag, the work time's key
// filter, typing aid and the check when the box is left.
#include "app/language.h"
#include "app/settings.h"
#include "app/text_utils.h"
#include "platform/controls/screen.h"
#include "support/main_window_fixture.h"
#include "unit/ui/main/mode_choice_support.h"

using namespace qv;

namespace {

class EntryFieldsTest : public test::MainWindowTest
{
  protected:
    void TearDown() override
    {
        MainWindowTest::TearDown();
        gWorkTime = m_workTime;
        gCodeNoTyped = false;
    }

  private:
    QString m_workTime = gWorkTime;
};

// Passes one key through the box's KeyPress handling; true when the key is let through.
bool codeNoTakes(FrmMain& f, const QString& text, int selLength, int key)
{
    TextBox& box = f.txtCodeNo(1);
    box.setText(text);
    box.setSelStart(0);
    box.setSelLength(selLength);
    f.txtCodeNo_KeyPress(1, key);
    return key != 0;
}

} // namespace

TEST_F(EntryFieldsTest, CodeNumberTakesDigitsOnlyAtMostFour)
{
    FrmMain& f = startWindow();
    struct Case
    {
        const char* text;
        int sel;
        char key;
        bool taken;
    };
    const Case cases[] = {
        {"", 0, '5', true},      {"", 0, '0', false},    {"1", 0, '0', true},     {"102", 0, '3', true},
        {"1023", 0, '4', false}, {"1023", 4, '4', true}, {"1023", 4, '0', false}, {"12", 0, 'a', false},
        {"12", 0, ' ', false},   {"12", 0, 8, true},     {"1023", 0, 8, true},
    };
    for (const Case& c : cases) {
        f.Aktion().setText(QStringLiteral("x"));
        EXPECT_EQ(codeNoTakes(f, QString::fromLatin1(c.text), c.sel, c.key), c.taken)
            << c.text << " " << c.key;
        EXPECT_EQ(f.Aktion().Text(), QString());
    }
}

TEST_F(EntryFieldsTest, TypedFlagAndSpecialFunctionNames)
{
    FrmMain& f = startWindow();
    f.txtCodeNo(1).setText(QStringLiteral("44"));
    EXPECT_FALSE(gCodeNoTyped);
    f.txtCodeNo(1).SetFocus();
    f.txtCodeNo(1).setText(QStringLiteral("45"));
    EXPECT_TRUE(gCodeNoTyped);
    // A typed number stays through a mode choice; one set by the program does not.
    gCodeNo = 31;
    test::chooseMode(f, 3);
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("45"));

    test::chooseMode(f, 1);
    f.txtCodeNo(1).setText(QStringLiteral("127"));
    EXPECT_EQ(f.txtCodeNo(1).ToolTipText(), f.opQVEL_Func(2).Caption());
    EXPECT_EQ(f.lblCodeNo(1).ToolTipText(), f.opQVEL_Func(2).Caption());
    f.txtCodeNo(1).setText(QStringLiteral("126"));
    EXPECT_EQ(f.txtCodeNo(1).ToolTipText(), QString());
}

TEST_F(EntryFieldsTest, WorkTimeLaidOutFromWhatWasTyped)
{
    struct Case
    {
        const char* typed;
        const char* laidOut;
    };
    const Case cases[] = {
        {"2", "02:00:00"},
        {"12", "12:00:00"},
        {"1:30", "01:30:00"},
        {"12:30", "12:30:00"},
        {"12:3", "12:03:00"},
        {"12:30:00", "12:30:00"},
        {"1230", "12:30:00"},
        {" 0:02 ", "00:02:00"},
        {"100:00", ""},
        {":30", ""},
        {"", ""},
        {"012:00", "12:00:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WorkTimeFromTyped(QString::fromLatin1(c.typed)), QString::fromLatin1(c.laidOut)) << c.typed;
}

TEST_F(EntryFieldsTest, LeavingTheWorkTimeChecksIt)
{
    FrmMain& f = startWindow();
    test::chooseMode(f, 2);
    struct Case
    {
        const char* typed;
        const char* shown;
        bool valid;
    };
    const Case cases[] = {
        {"2", "02:00:00", true},         {"12:30", "12:30:00", true},    {"1:30", "01:30:00", true},
        {"95:00:00", "95:00:00", true},  {"00:02:00", "00:02:00", true}, {"00:01:00", "00:01:00", false},
        {"96:00:00", "96:00:00", false}, {"100:00", "100:00", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        f.txtWtime(1).SetFocus();
        f.txtWtime(1).setText(QString::fromLatin1(c.typed));
        f.Aktion().setText(QString());
        const int beeps = BeepCount();
        f.txtCodeNo(1).SetFocus();
        EXPECT_EQ(f.txtWtime(1).Text(), QString::fromLatin1(c.shown));
        if (c.valid) {
            EXPECT_EQ(f.Aktion().Text(), QString());
            EXPECT_EQ(Control::focusedControl(), &f.txtCodeNo(1));
        } else {
            EXPECT_EQ(f.Aktion().Text(), GetLangText(gLangIndex, 1827, QString()));
            EXPECT_EQ(BeepCount(), beeps + 1);
            EXPECT_EQ(Control::focusedControl(), &f.txtWtime(1));
        }
    }
    // The last accepted time comes back at the next mode choice.
    f.txtWtime(1).SetFocus();
    f.txtWtime(1).setText(QStringLiteral("3:15"));
    f.txtCodeNo(1).SetFocus();
    f.txtWtime(1).setText(QStringLiteral("05:00:00"));
    test::chooseMode(f, 3);
    EXPECT_EQ(f.txtWtime(1).Text(), QStringLiteral("03:15:00"));
}

TEST_F(EntryFieldsTest, WorkTimeKeysAndTypingAid)
{
    FrmMain& f = startWindow();
    TextBox& box = f.txtWtime(1);
    struct Key
    {
        const char* text;
        char key;
        bool taken;
    };
    for (const Key& k : {Key{"12", ':', true}, Key{"12:3", ':', false}, Key{"1", 'x', false},
                         Key{"1", '7', true}, Key{"1", 8, true}}) {
        box.setText(QString::fromLatin1(k.text));
        int key = k.key;
        f.txtWtime_KeyPress(1, key);
        EXPECT_EQ(key != 0, k.taken) << k.text << " " << k.key;
    }
    // The third digit ends the hours; a sixth character gives the seconds.
    box.setText(QStringLiteral("12"));
    box.setSelStart(2);
    box.setText(QStringLiteral("123"));
    box.setSelStart(3);
    f.txtWtime_Change(1);
    EXPECT_EQ(box.Text(), QStringLiteral("12:3"));
    EXPECT_EQ(box.SelStart(), 4);
    box.setText(QStringLiteral("12:305"));
    box.setSelStart(6);
    const int beeps = BeepCount();
    f.txtWtime_Change(1);
    EXPECT_EQ(box.Text(), QStringLiteral("12:30:00"));
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_EQ(BeepCount(), beeps + 1);
}
