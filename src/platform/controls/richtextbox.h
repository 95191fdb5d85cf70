// RichTextBox: formatted text with insertion at the caret, SelColor, SelBold and the selection properties.
#pragma once
#include "platform/controls/control.h"

class QPrinter;
class QTextDocument;
class QTextEdit;

class QTimer;

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

    // How appended text comes in: at the end, or at the caret (over a selection the user made) with the caret
    // going to the end behind it, the way a log pane is written.
    enum class Append { AtEnd, AtCaret };
    // Appends text the way setSelStart and setSelText would, but gathered: the text reaches the pane in one
    // insertion (one layout) a few tens of milliseconds later, or at once when anything reads or changes the
    // pane. A pane that takes many lines a second costs one layout per batch instead of one per line.
    void appendLater(const QString& text, Append where);
    // Takes the gathered text in now.
    void flushAppends() const;

    QTextEdit* textEdit() const;
    QTextDocument* document() const;

  protected:
    OleColor defaultBackColor() const override { return vbWindowBackground; }
    OleColor defaultForeColor() const override { return vbWindowText; }

  private:
    QTextEdit* edit() const;
    void insertAtCursor(const QString& text, bool toEndFirst) const;

    bool m_locked = false;
    mutable bool m_setting = false;
    // Text waiting to come in: first what goes at the caret, then what goes at the end.
    mutable QString m_pendingAtCaret;
    mutable QString m_pendingAtEnd;
    QTimer* m_flushTimer = nullptr;
};

} // namespace qv
