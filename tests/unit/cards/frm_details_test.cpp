// Tests of the card details view: the layout of a row's text, the window built from the selected row, and
// its print into a PDF file looked at as a page.
#include "cardlist_test_support.h"
#include "cards/card_details.h"
#include "cards/frm_cards.h"
#include "cards/frm_details.h"
#include "support/card_list_close.h"
#include "ui/main/frm_main.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QKeyEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTextEdit>

namespace qv::test {
namespace {

// Every character 100 twips wide: captions are padded to 12 characters.
double hundredPerChar(const QString& s)
{
    return 100.0 * s.size();
}

DetailsTexts englishTexts(const QString& cardNo = QStringLiteral("Card"))
{
    DetailsTexts t;
    t.fixedCaptions = QStringList{QStringLiteral("Name"), QStringLiteral("First")};
    t.punchCaption = QStringLiteral("CN");
    t.cardNoCaption = cardNo;
    return t;
}

QString layout(const QList<DetailsColumn>& columns, bool colHeadInUse = false)
{
    return DetailsPlainText(BuildDetailsText(columns, englishTexts(), colHeadInUse, hundredPerChar).pieces);
}

TEST(DetailsLayout, SingleFieldsStandAloneAndGroupedFieldsShareALine)
{
    const QList<DetailsColumn> columns{{"No.", 500, "1"},
                                       {"St_CN", 500, "31"},
                                       {"St_time", 500, "10:00:00"},
                                       {"Zi_time", 500, "10:30:00"},
                                       {"Card", 500, "12345"}};
    // The first single field after the heading starts with a line break of its own.
    EXPECT_EQ(layout(columns), QStringLiteral("\r\n         No.:\t1\r\n"
                                              "       St_CN:\t31\t10:00:00\r\n"
                                              "     Zi_time:\t10:30:00\r\n"
                                              "        Card:\t12345\r\n"));
}

TEST(DetailsLayout, EachPunchHasALineHeadedByItsNumberAndEmptyCellsAreLeftOut)
{
    const QList<DetailsColumn> columns{
        {"1 CN", 500, "31"}, {"1 Time", 500, "10:00"}, {"2 CN", 500, ""},   {"2 Time", 500, "10:05"},
        {"3 CN", 500, ""},   {"3 Time", 500, ""},      {"Name", 500, "Ann"}};
    EXPECT_EQ(layout(columns), QStringLiteral("\r\n          1.:\t31\t10:00"
                                              "\r\n          2.:\t10:05"
                                              "\r\n        Name:\tAnn\r\n"));
}

TEST(DetailsLayout, OwnerDataComesLastUnlessAColumnFileSetsTheOrder)
{
    const QList<DetailsColumn> columns{{"Name", 500, "Ann"}, {"Card", 500, "7"}, {"First", 500, "Lee"}};
    EXPECT_EQ(layout(columns),
              QStringLiteral("\r\n        Card:\t7\r\n        Name:\tAnn\r\n       First:\tLee\r\n"));
    EXPECT_EQ(layout(columns, true),
              QStringLiteral("\r\n        Name:\tAnn\r\n        Card:\t7\r\n       First:\tLee\r\n"));
}

TEST(DetailsLayout, ShownColumnsCountVisibleColumnsOfTheFirstPass)
{
    const QList<DetailsColumn> columns{
        {"Card", 500, "7"}, {"Hidden", 0, "x"}, {"1 CN", 500, ""}, {"Name", 500, "Ann"}};
    // The empty punch cell still counts (it is counted before it is left out); owner data does not.
    EXPECT_EQ(BuildDetailsText(columns, englishTexts(), false, hundredPerChar).shownColumns, 2);
    EXPECT_EQ(BuildDetailsText(columns, englishTexts(), true, hundredPerChar).shownColumns, 3);
}

TEST(DetailsLayout, OnlyNumbersOfTheCardsPunchesMakePunchColumns)
{
    const struct
    {
        const char* caption;
        int punch;
    } cases[] = {{"12 CN", 12},   {"  7 Time", 7},      {"1", 1},       {"192", 192},
                 {"192.4", 192},  {"0.6", 1},           {"4abc", 4},    {"0", 0},
                 {"193", 0},      {"192.6", 0},         {"-3 laps", 0}, {"256", 0},
                 {"300 laps", 0}, {"99999999999 x", 0}, {"abc 5", 0},   {"", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(DetailsPunchNumber(QString::fromLatin1(c.caption)), c.punch) << c.caption;
}

TEST(DetailsLayout, NumbersBeyondThePunchesAreOrdinaryFields)
{
    // A leading number above 255, a negative one and one past the last punch each stand on a line of their
    // own with their caption; an empty cell there is shown, not left out.
    const QList<DetailsColumn> columns{
        {"300 laps", 500, "x"}, {"-2 extra", 500, "y"}, {"193 z", 500, ""}, {"4abc", 500, "v"}};
    EXPECT_EQ(layout(columns), QStringLiteral("\r\n    300 laps:\tx\r\n"
                                              "    -2 extra:\ty\r\n"
                                              "       193 z:\t\r\n"
                                              "\r\n          4.:\tv"));
}

TEST(DetailsLayout, TitleCarriesTheCardNumberWhenItsCaptionIsKnown)
{
    const QList<DetailsColumn> columns{{"No.", 500, "1"}, {"Card", 500, "12345"}};
    EXPECT_EQ(BuildDetailsText(columns, englishTexts(), false, hundredPerChar).titleSuffix,
              QStringLiteral(" Card=12345"));
    // Without a caption for the card number no column can be told to hold it, not even one without caption.
    const QList<DetailsColumn> blank{{"", 500, "1"}};
    EXPECT_TRUE(
        BuildDetailsText(blank, englishTexts(QString()), false, hundredPerChar).titleSuffix.isEmpty());
}

TEST(DetailsLayout, CaptionsAlreadyWideEnoughAreNotPadded)
{
    const QList<DetailsColumn> columns{{"A very long caption", 500, "v"}};
    EXPECT_EQ(layout(columns), QStringLiteral("\r\nA very long caption:\tv\r\n"));
    // A font whose blank has no width cannot pad: the caption stays as it is.
    const DetailsText t = BuildDetailsText(columns, englishTexts(), false,
                                           [](const QString& s) { return 10.0 * s.trimmed().size(); });
    EXPECT_EQ(t.pieces.value(0).caption, QStringLiteral("\r\nA very long caption:\t"));
}

QMap<int, QString> detailsLanguageTexts()
{
    QMap<int, QString> t = cardListLanguageTexts();
    t.insert(1452, QStringLiteral("Row:"));
    t.insert(1768, QStringLiteral("No card"));
    return t;
}

// The window on the card list window's selected row.
class FrmDetailsTest : public CardListWindowTest
{
  protected:
    ScopedLanguageTexts m_detailsTexts{detailsLanguageTexts()};

    void SetUp() override
    {
        CardListWindowTest::SetUp();
        DialogHooks::setNoModal(true);
    }
    void TearDown() override
    {
        Form::clearModalAnswers();
        if (FormInstance<FrmDetails>::loaded())
            Unload(frmDetails());
        CardListWindowTest::TearDown();
        DialogHooks::reset();
    }

    // A list of these columns and rows only, in place of the columns the card list window opens with.
    static void fillOnly(const QStringList& headings, const QList<QStringList>& rows)
    {
        frmCards().cardList().clearRows();
        frmCards().cardList().clearColumns();
        fillList(frmCards().cardList(), headings, rows);
    }
    // Two cards under the card list's own headings (texts 1601, 1603, 1605 and punch columns).
    void fillCards()
    {
        fillOnly({"No.", "Card", "Name", "Start time", "1 CN", "1 Time", "2 CN", "2 Time"},
                 {{"1", "12345", "Ann", "10:00:00", "31", "10:01:10", "32", "10:02:20"},
                  {"2", "67890", "Bob", "10:05:00", "31", "10:06:00", "", ""}});
    }

    // Shows the details view modally, running `look` on it while it is up.
    void showDetails(const std::function<void(FrmDetails&)>& look)
    {
        Form::queueModalAnswer([look](Form& f) {
            auto& d = static_cast<FrmDetails&>(f);
            look(d);
            Unload(d);
        });
        frmCards().mnuDetails_Click();
        EXPECT_EQ(Form::pendingModalAnswers(), 0);
    }
};

TEST_F(FrmDetailsTest, ShowsTheFirstSelectedRowWithHeadingAndCardNumberInTheTitle)
{
    fillCards();
    frmCards().lvCards.ListItems().Item(2).setSelected(true);
    QString text, frame, title;
    showDetails([&](FrmDetails& d) {
        text = d.rtbox.Text();
        frame = d.frDetails.Caption();
        title = d.Caption();
        EXPECT_EQ(d.rtbox.SelStart(), 0);
        EXPECT_EQ(d.rtbox.SelLength(), 10);
    });
    EXPECT_EQ(frame, QStringLiteral("Row: 2"));
    EXPECT_TRUE(title.endsWith(QStringLiteral(" Card=67890"))) << title.toStdString();
    EXPECT_TRUE(text.startsWith(QStringLiteral("QV-Config          "))) << text.toStdString();
    // Heading, then two empty lines before the first field.
    EXPECT_EQ(text.section(QStringLiteral("\r\n"), 1, 2), QStringLiteral("\r\n"));
    EXPECT_TRUE(text.contains(QStringLiteral("Card:\t67890\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("1.:\t31\t10:06:00")));
    EXPECT_FALSE(text.contains(QStringLiteral("2.:"))); // the second punch is empty in this row
    // The owner data comes after the punches.
    EXPECT_GT(text.indexOf(QStringLiteral("Name:\tBob")), text.indexOf(QStringLiteral("1.:")));
}

TEST_F(FrmDetailsTest, CaptionsArePlainAndValuesBold)
{
    fillCards();
    frmCards().lvCards.ListItems().Item(1).setSelected(true);
    showDetails([&](FrmDetails& d) {
        // Positions count a line break as one character.
        const QString t = d.rtbox.Text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const int caption = int(t.indexOf(QStringLiteral("Card:")));
        const int value = int(t.indexOf(QStringLiteral("12345")));
        d.rtbox.setSelStart(caption);
        d.rtbox.setSelLength(4);
        EXPECT_FALSE(d.rtbox.SelBold());
        d.rtbox.setSelStart(value);
        d.rtbox.setSelLength(5);
        EXPECT_TRUE(d.rtbox.SelBold());
    });
}

TEST_F(FrmDetailsTest, EscapeInTheTextClosesTheView)
{
    fillCards();
    frmCards().lvCards.ListItems().Item(1).setSelected(true);
    bool closed = false;
    Form::queueModalAnswer([&](Form& f) {
        auto& d = static_cast<FrmDetails&>(f);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
        QCoreApplication::sendEvent(d.rtbox.textEdit(), &escape);
        closed = !FormInstance<FrmDetails>::loaded();
    });
    frmCards().mnuDetails_Click();
    EXPECT_TRUE(closed);
}

TEST_F(FrmDetailsTest, NoCardTellsTheUserAndShowsNothing)
{
    frmCards().mnuDetails_Click();
    EXPECT_FALSE(FormInstance<FrmDetails>::loaded());
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked()[0].prompt, QStringLiteral("No card"));
    EXPECT_EQ(DialogHooks::asked()[0].style, vbOKOnly);
}

TEST_F(FrmDetailsTest, WindowGrowsWithTheColumnsUpToTheUsableScreen)
{
    QStringList headings;
    QStringList cells;
    for (int i = 1; i <= 120; ++i) {
        headings << QStringLiteral("Field %1").arg(i);
        cells << QStringLiteral("v%1").arg(i);
    }
    fillOnly(headings, {cells});
    frmCards().lvCards.ListItems().Item(1).setSelected(true);
    int height = 0, top = 0;
    showDetails([&](FrmDetails& d) {
        height = d.Height();
        top = d.Top();
    });
    EXPECT_LE(height, 11520);
    EXPECT_GE(top, 0);
    EXPECT_LE(top + height, 11520);

    Screen.pinSize(15360, 30000);
    showDetails([&](FrmDetails& d) {
        const double points = d.rtbox.Font().pointSizeF();
        EXPECT_NEAR(d.Height(), int(std::lround(points * 7.85 * 120)) + 3750, 15); // to the pixel
    });
}

// The print of the details view, into a PDF file.
class DetailsPrintTest : public FrmDetailsTest
{
  protected:
    static QString tool(const char* name)
    {
        return QStandardPaths::findExecutable(QString::fromLatin1(name));
    }

    // The first page of the PDF as an image at 50 dots per inch.
    QImage renderPage(const QString& pdf)
    {
        const QString prefix = path(QStringLiteral("page"));
        QProcess p;
        p.start(tool("pdftoppm"),
                {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-f"), QStringLiteral("1"),
                 QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, prefix});
        EXPECT_TRUE(p.waitForFinished(30000));
        return QImage(prefix + QStringLiteral(".png"));
    }
    QString pdfText(const QString& pdf)
    {
        QProcess p;
        p.start(tool("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        EXPECT_TRUE(p.waitForFinished(30000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    void SetUp() override
    {
        FrmDetailsTest::SetUp();
        ASSERT_FALSE(tool("pdftoppm").isEmpty()) << "poppler-utils is missing (setup.sh installs it)";
    }
};

// The smallest rectangle holding every pixel that is not white.
QRect inkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 200)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST_F(DetailsPrintTest, PrintsTheWholeTextReadablyInsideTheMargins)
{
    fillCards();
    frmCards().lvCards.ListItems().Item(1).setSelected(true);
    const QString pdf = path(QStringLiteral("details.pdf"));
    DialogHooks::queue(DialogAnswer::acceptPrinter(pdf));
    showDetails([&](FrmDetails& d) {
        d.rtbox.setSelStart(3);
        d.rtbox.setSelLength(5); // a selection does not narrow the print
        d.cmdPrint_Click();
    });
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked()[0].kind, DialogKind::Printer);
    EXPECT_EQ(DialogHooks::asked()[0].style, cdlPDReturnDC | cdlPDNoPageNums);
    EXPECT_TRUE(DialogHooks::errors().isEmpty());

    const QString words = pdfText(pdf);
    for (const char* expected : {"QV-Con", "Card:", "12345", "Name:", "Ann", "1.:", "10:01:10", "2.:"})
        EXPECT_TRUE(words.contains(QString::fromLatin1(expected))) << expected << "\n" << words.toStdString();

    const QImage page = renderPage(pdf);
    ASSERT_FALSE(page.isNull());
    const QRect ink = inkBox(page);
    ASSERT_FALSE(ink.isEmpty()) << "blank page";
    // A margin of at least 1 cm (20 pixels at 50 dpi) all round: nothing is clipped at the paper's edge.
    const QRect inside = page.rect().adjusted(20, 20, -20, -20);
    EXPECT_TRUE(inside.contains(ink))
        << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
}

TEST_F(DetailsPrintTest, PrintCommandOfTheListPrintsTheSelectedRowAtOnce)
{
    fillCards();
    frmCards().lvCards.ListItems().Item(2).setSelected(true);
    const QString pdf = path(QStringLiteral("list-print.pdf"));
    DialogHooks::queue(DialogAnswer::acceptPrinter(pdf));
    Form::queueModalAnswer([](Form& f) { Unload(f); });
    frmCards().mnuPrint_Click();
    EXPECT_EQ(DialogHooks::pending(), 0);
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("67890")));
}

TEST_F(DetailsPrintTest, CancelledPrinterDialogPrintsAndSaysNothing)
{
    fillCards();
    frmCards().lvCards.ListItems().Item(1).setSelected(true);
    DialogHooks::queue(DialogAnswer::cancel());
    showDetails([&](FrmDetails& d) { d.cmdPrint_Click(); });
    ASSERT_EQ(DialogHooks::asked().size(), 1); // the printer dialog, no message after it
    EXPECT_EQ(DialogHooks::asked()[0].kind, DialogKind::Printer);
}

TEST_F(DetailsPrintTest, PrinterThatCannotPrintIsReported)
{
    fillCards();
    frmCards().lvCards.ListItems().Item(1).setSelected(true);
    // A PDF file in a folder that does not exist cannot be written.
    DialogHooks::queue(DialogAnswer::acceptPrinter(path(QStringLiteral("missing/folder/x.pdf"))));
    DialogHooks::queue(DialogAnswer::press(vbOK));
    showDetails([&](FrmDetails& d) { d.cmdPrint_Click(); });
    ASSERT_EQ(DialogHooks::asked().size(), 2);
    EXPECT_EQ(DialogHooks::asked()[1].kind, DialogKind::MsgBox);
    EXPECT_TRUE(DialogHooks::asked()[1].prompt.startsWith(QStringLiteral("482\r\n")))
        << DialogHooks::asked()[1].prompt.toStdString();
}

} // namespace
} // namespace qv::test
