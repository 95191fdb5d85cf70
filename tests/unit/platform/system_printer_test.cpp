// The Printer object printing into PDF files.
#include "platform/runtime/vberror.h"
#include "platform/system/printer.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qv {
namespace {

int pdfPageCount(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = f.readAll();
    if (!pdf.startsWith("%PDF"))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(pdf).count(page));
}

class SystemPrinter : public ::testing::Test
{
  protected:
    QTemporaryDir dir;
    QString pdf = dir.filePath("details.pdf");
    PrinterObject printer;
};

TEST_F(SystemPrinter, LinesAdvanceThePrintPositionAndPagesReachThePdf)
{
    printer.setPdfOutput(pdf);
    printer.setFontName("DejaVu Sans");
    printer.setFontSize(12);
    printer.setFontBold(true);
    const double line = printer.TextHeight();
    EXPECT_GT(line, 0);
    printer.Print("QV-Config");
    EXPECT_DOUBLE_EQ(printer.CurrentY(), line);
    EXPECT_DOUBLE_EQ(printer.CurrentX(), 0);
    printer.setFontBold(false);
    printer.Print("Card:\t", false);
    EXPECT_GT(printer.CurrentX(), printer.TextWidth("Card:") - 1);
    printer.Print("123456");
    printer.Print("two\r\nlines");
    EXPECT_NEAR(printer.CurrentY(), printer.TextHeight() * 4, 1e-6);
    printer.NewPage();
    EXPECT_EQ(printer.Page(), 2);
    EXPECT_DOUBLE_EQ(printer.CurrentY(), 0);
    printer.setCurrentX(1440);
    printer.setCurrentY(1440);
    printer.Print("one inch in");
    printer.EndDoc();
    EXPECT_EQ(pdfPageCount(pdf), 2);
    EXPECT_EQ(printer.Page(), 1);
}

TEST_F(SystemPrinter, ALongTextBreaksOntoNewPages)
{
    printer.setPdfOutput(pdf);
    const int perPage = int(printer.ScaleHeight() / printer.TextHeight());
    ASSERT_GT(perPage, 10);
    for (int i = 0; i < perPage + 5; ++i)
        printer.Print(QStringLiteral("line %1").arg(i));
    EXPECT_EQ(printer.Page(), 2);
    EXPECT_NEAR(printer.CurrentY(), printer.TextHeight() * 5, 1e-6);
    printer.EndDoc();
    EXPECT_EQ(pdfPageCount(pdf), 2);
}

TEST_F(SystemPrinter, NewPageRightBeforeEndDocAddsNoBlankPage)
{
    printer.setPdfOutput(pdf);
    printer.Print("only page");
    printer.NewPage();
    printer.EndDoc();
    EXPECT_EQ(pdfPageCount(pdf), 1);
}

TEST_F(SystemPrinter, OrientationTurnsThePrintableArea)
{
    printer.setPdfOutput(pdf);
    EXPECT_EQ(printer.Orientation(), vbPRORPortrait);
    EXPECT_GT(printer.ScaleHeight(), printer.ScaleWidth());
    printer.setOrientation(vbPRORLandscape);
    EXPECT_EQ(printer.Orientation(), vbPRORLandscape);
    EXPECT_GT(printer.ScaleWidth(), printer.ScaleHeight());
    printer.Print("landscape");
    printer.EndDoc();
    EXPECT_EQ(pdfPageCount(pdf), 1);
}

TEST_F(SystemPrinter, APrinterThatCannotStartRaisesThePrinterError)
{
    printer.setPdfOutput(dir.filePath("no/such/folder/x.pdf"));
    try {
        printer.Print("x");
        FAIL() << "no error raised";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), ErrPrinterError);
    }
}

// The program's own printer lives until the application ends; its release then
// (after every test of this program) must not crash.
TEST(SystemProgramPrinter, PrintsAndIsReleasedWithTheApplication)
{
    QTemporaryDir dir;
    Printer.setPdfOutput(dir.filePath("program.pdf"));
    Printer.Print("program printer");
    Printer.EndDoc();
    EXPECT_EQ(pdfPageCount(dir.filePath("program.pdf")), 1);
}

} // namespace
} // namespace qv
