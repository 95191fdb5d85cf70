// The old Printer object over QPrinter and QPainter.
#include "platform/system/printer.h"

#include "platform/runtime/vberror.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>

namespace qv {

namespace {

constexpr double kTwipsPerInch = 1440.0;

void releaseProgramPrinter()
{
    Printer.releaseDevice();
}

[[noreturn]] void raisePrinterError()
{
    throw VbError(ErrPrinterError, QStringLiteral("Printer error"));
}

} // namespace

PrinterObject::PrinterObject() = default;

PrinterObject::~PrinterObject()
{
    releaseDevice();
}

QPrinter& PrinterObject::device()
{
    if (!m_printer) {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            raisePrinterError();
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The program's printer must be gone before the application is: its
        // print engine belongs to a plug-in.
        if (this == &Printer)
            qAddPostRoutine(releaseProgramPrinter);
    }
    return *m_printer;
}

void PrinterObject::setPdfOutput(const QString& path)
{
    device().setOutputFormat(QPrinter::PdfFormat);
    device().setOutputFileName(path);
}

void PrinterObject::releaseDevice()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_printer.reset();
}

QFont PrinterObject::font() const
{
    QFont f = QGuiApplication::font();
    if (!m_fontName.isEmpty())
        f.setFamily(m_fontName);
    f.setPointSizeF(m_fontSize > 0 ? m_fontSize : 10);
    f.setBold(m_bold);
    f.setItalic(m_italic);
    f.setUnderline(m_underline);
    return f;
}

void PrinterObject::applyFont()
{
    if (m_painter && m_painter->isActive())
        m_painter->setFont(font());
}

void PrinterObject::setFontName(const QString& name)
{
    m_fontName = name;
    applyFont();
}

void PrinterObject::setFontSize(double points)
{
    m_fontSize = points;
    applyFont();
}

void PrinterObject::setFontBold(bool bold)
{
    m_bold = bold;
    applyFont();
}

void PrinterObject::setFontItalic(bool italic)
{
    m_italic = italic;
    applyFont();
}

void PrinterObject::setFontUnderline(bool underline)
{
    m_underline = underline;
    applyFont();
}

int PrinterObject::Orientation() const
{
    if (!m_printer)
        return vbPRORPortrait;
    return m_printer->pageLayout().orientation() == QPageLayout::Landscape ? vbPRORLandscape : vbPRORPortrait;
}

void PrinterObject::setOrientation(int orientation)
{
    device().setPageOrientation(orientation == vbPRORLandscape ? QPageLayout::Landscape
                                                               : QPageLayout::Portrait);
}

double PrinterObject::toDevice(double twips)
{
    return twips * device().resolution() / kTwipsPerInch;
}

double PrinterObject::toTwips(double pixels)
{
    return pixels * kTwipsPerInch / device().resolution();
}

double PrinterObject::ScaleWidth()
{
    return toTwips(device().pageLayout().paintRectPixels(device().resolution()).width());
}

double PrinterObject::ScaleHeight()
{
    return toTwips(device().pageLayout().paintRectPixels(device().resolution()).height());
}

double PrinterObject::TextWidth(const QString& text)
{
    return toTwips(QFontMetricsF(font(), &device()).horizontalAdvance(text));
}

double PrinterObject::TextHeight(const QString& text)
{
    const int lines = int(text.count(QLatin1Char('\n'))) + 1;
    return toTwips(QFontMetricsF(font(), &device()).lineSpacing() * lines);
}

QPainter& PrinterObject::painter()
{
    if (!m_painter)
        m_painter = std::make_unique<QPainter>();
    if (!m_painter->isActive()) {
        if (!m_painter->begin(&device()))
            raisePrinterError();
        m_painter->setFont(font());
        m_page = 1;
        m_newPagePending = false;
    }
    if (m_newPagePending) {
        if (!device().newPage())
            raisePrinterError();
        m_newPagePending = false;
    }
    return *m_painter;
}

void PrinterObject::printLine(const QString& line, bool newLine)
{
    const double height = TextHeight();
    // A line that would run past the page's end goes to the top of the next page.
    if (m_y > 0 && m_y + height > ScaleHeight())
        NewPage();
    QPainter& p = painter();
    const QRectF box(toDevice(m_x), toDevice(m_y), toDevice(ScaleWidth()) * 4, toDevice(height));
    QRectF used;
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs, line, &used);
    if (newLine) {
        m_x = 0;
        m_y += height;
    } else {
        m_x += toTwips(used.width());
    }
}

void PrinterObject::Print(const QString& text, bool newLine)
{
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QStringList lines = normalised.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i)
        printLine(lines[i], newLine || i + 1 < lines.size());
}

void PrinterObject::NewPage()
{
    painter();
    m_newPagePending = true;
    ++m_page;
    m_x = 0;
    m_y = 0;
}

void PrinterObject::EndDoc()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_newPagePending = false;
    m_page = 1;
    m_x = 0;
    m_y = 0;
}

} // namespace qv
