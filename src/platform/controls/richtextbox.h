// RichTextBox: formatted text with insertion at the caret, SelColor, SelBold and the selection properties.
#pragma once
#include "platform/controls/control.h"

class QPrinter;
class QTextDocument;
class QTextEdit;

namespace qv {

class RichTextBox : public Control
{
  public:
    RichTextBox(Form* form, const QString& name, int index = -1);
    QString TypeName() const override { return QStringLiteral("RichTextBox"); }

    // The plain text with CR LF line breaks. A different text runs Change,
    // drops all formatting and leaves the caret at 0.
    QString Text() const;
    void setText(const QString& text);

    // The selection (the caret when nothing is selected), counted in
    // characters with one per line break.
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    // Replaces the selection, or inserts at the caret, in the current
    // SelColor and SelBold; the caret ends behind it. Runs Change.
    void setSelText(const QString& text);
    // The colour and weight of the selection; without a selection, of the
    // text inserted next.
    OleColor SelColor() const;
    void setSelColor(OleColor color);
    bool SelBold() const;
    void setSelBold(bool bold);
    double SelFontSize() const;
    void setSelFontSize(double points);

    // Prints the selection, or the whole text when nothing is selected, on
    // the printer, with its colours and weights, breaking it into pages
    // inside a margin. Raises VbError ErrPrinterError when the printer
    // cannot start the document.
    void SelPrint(QPrinter& printer);

    bool Locked() const { return m_locked; }
    void setLocked(bool locked);

    QTextEdit* textEdit() const;
    QTextDocument* document() const;

  protected:
    OleColor defaultBackColor() const override { return vbWindowBackground; }
    OleColor defaultForeColor() const override { return vbWindowText; }

  private:
    bool m_locked = false;
    bool m_setting = false;
};

} // namespace qv
