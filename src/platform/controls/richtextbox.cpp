// RichTextBox over QTextEdit.
#include "platform/controls/richtextbox.h"

#include "platform/controls/textbox.h"
#include "platform/runtime/vberror.h"
#include "platform/system/printer.h"

#include <QPrinter>
#include <QTextFrame>
#include <QTextFrameFormat>

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTimer>

#include <memory>
#include <utility>

namespace qv {

namespace {

// Gathered text comes in this long after the first piece of it: the pane stays live to the eye.
constexpr int kAppendBatchMs = 40;

[[noreturn]] void throwInvalidValue()
{
    throw VbError(ErrInvalidPropertyValue, QStringLiteral("Invalid property value"));
}
} // namespace

RichTextBox::RichTextBox(Form* form, const QString& name, int index) : Control(form, name, index)
{
    auto* edit = new QTextEdit;
    edit->setAcceptRichText(false);
    QObject::connect(edit->document(), &QTextDocument::contentsChange, edit,
                     [this](int, int removed, int added) {
                         if (!m_setting && (removed > 0 || added > 0))
                             fire(onChange, "Change");
                     });
    setWidget(edit);
    addEventSource(edit->viewport(), true);
    m_flushTimer = new QTimer(edit);
    m_flushTimer->setSingleShot(true);
    m_flushTimer->setInterval(kAppendBatchMs);
    QObject::connect(m_flushTimer, &QTimer::timeout, edit, [this] { flushAppends(); });
}

QTextEdit* RichTextBox::edit() const
{
    return static_cast<QTextEdit*>(widget());
}

QTextEdit* RichTextBox::textEdit() const
{
    flushAppends();
    return edit();
}

void RichTextBox::appendLater(const QString& text, Append where)
{
    if (text.isEmpty())
        return;
    // Behind text that goes in at the caret the caret stands at the end: whatever follows goes there too.
    if (where == Append::AtCaret && m_pendingAtCaret.isEmpty() && m_pendingAtEnd.isEmpty())
        m_pendingAtCaret = text;
    else
        m_pendingAtEnd += text;
    if (!m_flushTimer->isActive())
        m_flushTimer->start();
}

void RichTextBox::insertAtCursor(const QString& text, bool toEndFirst) const
{
    QTextEdit* e = edit();
    QTextCursor cursor = e->textCursor();
    if (toEndFirst)
        cursor.movePosition(QTextCursor::End);
    cursor.insertText(toLf(text), e->currentCharFormat());
    cursor.movePosition(QTextCursor::End);
    e->setTextCursor(cursor);
}

void RichTextBox::flushAppends() const
{
    if (m_pendingAtCaret.isEmpty() && m_pendingAtEnd.isEmpty())
        return;
    m_flushTimer->stop();
    const QString atCaret = std::exchange(m_pendingAtCaret, QString());
    const QString atEnd = std::exchange(m_pendingAtEnd, QString());
    m_setting = true;
    if (!atCaret.isEmpty())
        insertAtCursor(atCaret, false);
    if (!atEnd.isEmpty())
        insertAtCursor(atEnd, true);
    m_setting = false;
    fire(onChange, "Change");
}

QTextDocument* RichTextBox::document() const
{
    return textEdit()->document();
}

QString RichTextBox::Text() const
{
    return documentTextCrLf(document());
}

void RichTextBox::setText(const QString& text)
{
    if (toCrLf(text) == Text())
        return;
    m_setting = true;
    textEdit()->setPlainText(toLf(text));
    QTextCursor cursor = textEdit()->textCursor();
    cursor.movePosition(QTextCursor::Start);
    textEdit()->setTextCursor(cursor);
    m_setting = false;
    fire(onChange, "Change");
}

int RichTextBox::SelStart() const
{
    return textEdit()->textCursor().selectionStart();
}

void RichTextBox::setSelStart(int start)
{
    if (start < 0)
        throwInvalidValue();
    QTextCursor cursor = textEdit()->textCursor();
    cursor.setPosition(std::min(start, document()->characterCount() - 1));
    textEdit()->setTextCursor(cursor);
}

int RichTextBox::SelLength() const
{
    const QTextCursor cursor = textEdit()->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void RichTextBox::setSelLength(int length)
{
    if (length < 0)
        throwInvalidValue();
    QTextCursor cursor = textEdit()->textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(std::min(start + length, document()->characterCount() - 1), QTextCursor::KeepAnchor);
    textEdit()->setTextCursor(cursor);
}

QString RichTextBox::SelText() const
{
    QString text = textEdit()->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return toCrLf(text);
}

void RichTextBox::setSelText(const QString& text)
{
    QTextCursor cursor = textEdit()->textCursor();
    if (text.isEmpty() && !cursor.hasSelection())
        return;
    m_setting = true;
    cursor.insertText(toLf(text), textEdit()->currentCharFormat());
    textEdit()->setTextCursor(cursor);
    m_setting = false;
    fire(onChange, "Change");
}

OleColor RichTextBox::SelColor() const
{
    const QTextCharFormat format = textEdit()->currentCharFormat();
    if (!format.hasProperty(QTextFormat::ForegroundBrush))
        return ForeColor();
    return fromQColor(format.foreground().color());
}

void RichTextBox::setSelColor(OleColor color)
{
    QTextCharFormat format;
    format.setForeground(toQColor(color));
    textEdit()->mergeCurrentCharFormat(format);
}

bool RichTextBox::SelBold() const
{
    return textEdit()->currentCharFormat().fontWeight() >= QFont::Bold;
}

void RichTextBox::setSelBold(bool bold)
{
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    textEdit()->mergeCurrentCharFormat(format);
}

double RichTextBox::SelFontSize() const
{
    const QTextCharFormat format = textEdit()->currentCharFormat();
    return format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : Font().pointSizeF();
}

void RichTextBox::setSelFontSize(double points)
{
    if (points <= 0)
        throwInvalidValue();
    QTextCharFormat format;
    format.setFontPointSize(points);
    textEdit()->mergeCurrentCharFormat(format);
}

void RichTextBox::setLocked(bool locked)
{
    m_locked = locked;
    textEdit()->setReadOnly(locked);
}

void RichTextBox::SelPrint(QPrinter& printer)
{
    std::unique_ptr<QTextDocument> copy;
    const QTextCursor cursor = textEdit()->textCursor();
    if (cursor.hasSelection()) {
        copy = std::make_unique<QTextDocument>();
        copy->setDefaultFont(document()->defaultFont());
        copy->setDefaultTextOption(document()->defaultTextOption());
        QTextCursor(copy.get()).insertFragment(cursor.selection());
    } else {
        copy.reset(document()->clone());
    }
    // The page is given in the screen's measure, so the text, its tab stops and the margin keep their
    // proportions on the printer's finer grid.
    constexpr double kScreenDpi = 96.0;
    constexpr double kMarginMm = 20.0;
    const QSizeF pagePoints = printer.pageLayout().paintRect(QPageLayout::Point).size();
    copy->setPageSize(pagePoints * (kScreenDpi / 72.0));
    QTextFrameFormat frame = copy->rootFrame()->frameFormat();
    frame.setMargin(kMarginMm / 25.4 * kScreenDpi);
    copy->rootFrame()->setFrameFormat(frame);
    if (!printer.isValid())
        throw VbError(ErrPrinterError, QStringLiteral("Printer error"));
    copy->print(&printer);
    if (printer.printerState() == QPrinter::Error)
        throw VbError(ErrPrinterError, QStringLiteral("Printer error"));
}

} // namespace qv
