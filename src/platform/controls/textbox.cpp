// TextBox over QLineEdit (single line) or QPlainTextEdit (multi-line).
#include "platform/controls/textbox.h"

#include "platform/runtime/vberror.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace qv {

QString toLf(const QString& text)
{
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

QString toCrLf(const QString& text)
{
    return toLf(text).replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

// Unlike toPlainText this keeps no-break spaces.
QString documentTextCrLf(const QTextDocument* document)
{
    QString text = document->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')) && document->blockCount() == text.count(QLatin1Char('\n')))
        text.chop(1); // raw text of a non-empty document may end in a separator
    return toCrLf(text);
}

namespace {
void throwInvalidValue()
{
    throw VbError(ErrInvalidPropertyValue, QStringLiteral("Invalid property value"));
}
} // namespace

TextBox::TextBox(Form* form, const QString& name, int index) : Control(form, name, index)
{
    buildWidget();
}

QLineEdit* TextBox::lineEdit() const
{
    return m_multiLine ? nullptr : static_cast<QLineEdit*>(widget());
}

QPlainTextEdit* TextBox::plainTextEdit() const
{
    return m_multiLine ? static_cast<QPlainTextEdit*>(widget()) : nullptr;
}

void TextBox::buildWidget()
{
    if (m_multiLine) {
        auto* edit = new QPlainTextEdit;
        edit->setReadOnly(m_locked);
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this] {
            if (!m_settingText)
                userEdited();
        });
        setWidget(edit);
        addEventSource(edit->viewport(), true);
    } else {
        auto* edit = new QLineEdit;
        edit->setReadOnly(m_locked);
        edit->setAlignment(m_alignment == vbRightJustify ? Qt::AlignRight
                           : m_alignment == vbCenter     ? Qt::AlignHCenter
                                                         : Qt::AlignLeft);
        edit->setEchoMode(m_passwordChar.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this] { userEdited(); });
        setWidget(edit);
    }
    setWidgetText(m_lastText);
}

void TextBox::setWidgetText(const QString& text)
{
    m_settingText = true;
    if (QLineEdit* edit = lineEdit()) {
        const QSignalBlocker block(edit);
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (QPlainTextEdit* edit = plainTextEdit()) {
        edit->setPlainText(toLf(text));
        QTextCursor cursor = edit->textCursor();
        cursor.movePosition(QTextCursor::Start);
        edit->setTextCursor(cursor);
    }
    m_settingText = false;
}

QString TextBox::Text() const
{
    if (QLineEdit* edit = lineEdit())
        return edit->text();
    return documentTextCrLf(plainTextEdit()->document());
}

void TextBox::setText(const QString& text)
{
    const QString value = m_multiLine ? toCrLf(text) : text;
    if (value == Text())
        return;
    m_lastText = value;
    setWidgetText(value);
    fire(onChange, "Change");
}

void TextBox::userEdited()
{
    const QString now = Text();
    if (QLineEdit* edit = lineEdit();
        edit && m_maxLength > 0 && now.size() > m_maxLength && now.size() > m_lastText.size()) {
        // A paste beyond MaxLength is refused; what the box held stays.
        const int caret = int(m_lastText.size());
        const QSignalBlocker block(edit);
        edit->setText(m_lastText);
        edit->setCursorPosition(std::min(caret, edit->cursorPosition()));
        return;
    }
    if (now == m_lastText)
        return;
    m_lastText = now;
    fire(onChange, "Change");
}

void TextBox::setMultiLine(bool multiLine)
{
    if (multiLine == m_multiLine)
        return;
    m_lastText = Text();
    m_multiLine = multiLine;
    buildWidget();
}

void TextBox::setMaxLength(int length)
{
    if (length < 0)
        throwInvalidValue();
    m_maxLength = length;
}

bool TextBox::refusesTypedChar(int keyAscii) const
{
    if (m_maxLength <= 0 || m_locked || keyAscii == 8 || (keyAscii < 32 && !(m_multiLine && keyAscii == 13)))
        return false;
    return Text().size() - SelLength() >= m_maxLength;
}

void TextBox::setLocked(bool locked)
{
    m_locked = locked;
    if (QLineEdit* edit = lineEdit())
        edit->setReadOnly(locked);
    else
        plainTextEdit()->setReadOnly(locked);
}

void TextBox::setAlignment(int alignment)
{
    m_alignment = alignment;
    if (QLineEdit* edit = lineEdit())
        edit->setAlignment(alignment == vbRightJustify ? Qt::AlignRight
                           : alignment == vbCenter     ? Qt::AlignHCenter
                                                       : Qt::AlignLeft);
}

void TextBox::setPasswordChar(const QString& character)
{
    m_passwordChar = character.left(1);
    if (QLineEdit* edit = lineEdit())
        edit->setEchoMode(m_passwordChar.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
}

int TextBox::SelStart() const
{
    if (QLineEdit* edit = lineEdit())
        return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    return plainTextEdit()->textCursor().selectionStart();
}

void TextBox::setSelStart(int start)
{
    if (start < 0)
        throwInvalidValue();
    if (QLineEdit* edit = lineEdit()) {
        edit->setCursorPosition(std::min(start, int(edit->text().size())));
        return;
    }
    QPlainTextEdit* edit = plainTextEdit();
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(std::min(start, edit->document()->characterCount() - 1));
    edit->setTextCursor(cursor);
}

int TextBox::SelLength() const
{
    if (QLineEdit* edit = lineEdit())
        return edit->selectionLength();
    const QTextCursor cursor = plainTextEdit()->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TextBox::setSelLength(int length)
{
    if (length < 0)
        throwInvalidValue();
    const int start = SelStart();
    if (QLineEdit* edit = lineEdit()) {
        edit->setSelection(start, std::min(length, int(edit->text().size()) - start));
        return;
    }
    QPlainTextEdit* edit = plainTextEdit();
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(std::min(start + length, edit->document()->characterCount() - 1),
                       QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
}

QString TextBox::SelText() const
{
    if (QLineEdit* edit = lineEdit())
        return edit->selectedText();
    return toCrLf(
        plainTextEdit()->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
}

void TextBox::setSelText(const QString& text)
{
    if (text.isEmpty() && SelLength() == 0)
        return;
    m_settingText = true;
    if (QLineEdit* edit = lineEdit()) {
        const QSignalBlocker block(edit);
        edit->insert(text);
    } else {
        QTextCursor cursor = plainTextEdit()->textCursor();
        cursor.insertText(toLf(text));
        plainTextEdit()->setTextCursor(cursor);
    }
    m_settingText = false;
    m_lastText = Text();
    fire(onChange, "Change");
}

} // namespace qv
