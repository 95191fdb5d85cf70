// TextBox: single- or multi-line text with MaxLength, Locked and the selection properties.
#pragma once
#include "platform/controls/control.h"

class QLineEdit;
class QPlainTextEdit;
class QTextDocument;

namespace qv {

class TextBox : public Control
{
  public:
    TextBox(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("TextBox"); }

    // A different text runs Change, nested; afterwards the caret stands at 0.
    // A multi-line box reports its line breaks as CR LF.
    QString Text() const;
    void setText(const QString& text);

    // Set while the window is built: a multi-line box wraps and takes Enter.
    bool MultiLine() const { return m_multiLine; }
    void setMultiLine(bool multiLine);
    // The most characters the user may type (0: no limit); code may assign longer texts.
    int MaxLength() const { return m_maxLength; }
    void setMaxLength(int length);
    // A locked box shows and selects its text but does not take typing.
    bool Locked() const { return m_locked; }
    void setLocked(bool locked);
    int Alignment() const { return m_alignment; }
    void setAlignment(int alignment);
    // A non-empty character hides what is typed.
    const QString& PasswordChar() const { return m_passwordChar; }
    void setPasswordChar(const QString& character);

    // The selection: its start (the caret when nothing is selected), its
    // length and its text. Assigning SelText replaces the selection (Change).
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    void setSelText(const QString& text);

    QLineEdit* lineEdit() const;
    QPlainTextEdit* plainTextEdit() const;

  protected:
    OleColor defaultBackColor() const override { return vbWindowBackground; }
    OleColor defaultForeColor() const override { return vbWindowText; }
    bool refusesTypedChar(int keyAscii) const override;

  private:
    void buildWidget();
    void userEdited();
    void setWidgetText(const QString& text);
    QString m_lastText;
    bool m_multiLine = false;
    int m_maxLength = 0;
    bool m_locked = false;
    int m_alignment = vbLeftJustify;
    QString m_passwordChar;
    bool m_settingText = false;
};

// Line breaks as the old platform's texts carry them (CR LF), and as Qt's
// plain-text editors take them (LF).
QString toCrLf(const QString& text);
QString toLf(const QString& text);
// A text document's text with CR LF line breaks (no-break spaces kept).
QString documentTextCrLf(const QTextDocument* document);

} // namespace qv
