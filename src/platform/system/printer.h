// The old Printer object (text lines, font, print position, pages) over QPrinter and QPainter.
#pragma once
#include <QFont>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;

namespace qv {

// Orientation values of the old Printer object.
inline constexpr int vbPRORPortrait = 1;
inline constexpr int vbPRORLandscape = 2;
// The old runtime's error for a printer that cannot print.
inline constexpr int ErrPrinterError = 482;

// Positions and sizes are in twips (1440 per inch) from the top left corner of
// the page's printable area, as on the old platform. The document starts with
// the first output and goes to the printer at EndDoc (or when the program ends).
class PrinterObject
{
  public:
    PrinterObject();
    ~PrinterObject();
    PrinterObject(const PrinterObject&) = delete;
    PrinterObject& operator=(const PrinterObject&) = delete;

    // The printer the output goes to; the printer dialog configures it.
    QPrinter& device();
    // Sends the next documents into a PDF file instead of a printer.
    void setPdfOutput(const QString& path);

    // The font of the next output; an empty name stands for the desktop's font.
    QString FontName() const { return m_fontName; }
    void setFontName(const QString& name);
    double FontSize() const { return m_fontSize; }
    void setFontSize(double points);
    bool FontBold() const { return m_bold; }
    void setFontBold(bool bold);
    bool FontItalic() const { return m_italic; }
    void setFontItalic(bool italic);
    bool FontUnderline() const { return m_underline; }
    void setFontUnderline(bool underline);

    double CurrentX() const { return m_x; }
    void setCurrentX(double twips) { m_x = twips; }
    double CurrentY() const { return m_y; }
    void setCurrentY(double twips) { m_y = twips; }

    // vbPRORPortrait or vbPRORLandscape; a change takes effect from the next page.
    int Orientation() const;
    void setOrientation(int orientation);

    // The printable area of a page.
    double ScaleWidth();
    double ScaleHeight();
    // The number of the page being printed (1 for the first).
    int Page() const { return m_page; }

    double TextWidth(const QString& text);
    double TextHeight(const QString& text = QStringLiteral("X"));

    // Prints the text at the print position. With newLine the position then
    // goes to the start of the next line (each CR LF or LF in the text starts
    // one as well), else it stays behind the text. A line that does not fit
    // below the page's end starts a new page. Tabs move to the next tab stop.
    // Raises VbError ErrPrinterError when the printer cannot start the document.
    void Print(const QString& text = QString(), bool newLine = true);
    // Ends the page; the next output goes to the top of a new one.
    void NewPage();
    // Ends the document and sends it to the printer.
    void EndDoc();

    // Gives up the printer device (the program calls this when it ends).
    void releaseDevice();

  private:
    QPainter& painter();
    double toDevice(double twips);
    double toTwips(double pixels);
    void printLine(const QString& line, bool newLine);
    QFont font() const;
    void applyFont();

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    QString m_fontName;
    double m_fontSize = 10;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    double m_x = 0;
    double m_y = 0;
    int m_page = 1;
    bool m_newPagePending = false;
};

// The program's printer.
inline PrinterObject Printer;

} // namespace qv
