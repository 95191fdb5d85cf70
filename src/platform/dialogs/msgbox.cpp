// MsgBox and the caption message box over QMessageBox, answered by the dialog hooks when a test queued one.
#include "platform/dialogs/msgbox.h"

#include "platform/dialogs/dialog_hooks.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace qv {

using namespace dialogs_detail;

namespace {

// What Escape and the window's close button do on a box.
enum class EscapeRule {
    PressEscapeButton,  // the box's escape button answers
    CloseWithoutButton, // the box closes and no button was pressed
    Ignore,             // nothing: the user has to choose (Abort/Retry/Ignore)
};

// A message box whose Escape and close button follow the box's rule instead of letting Qt pick a button.
class ChoiceMessageBox : public QMessageBox
{
  public:
    ChoiceMessageBox(EscapeRule rule, QWidget* parent) : QMessageBox(parent), m_rule(rule) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape && m_rule != EscapeRule::PressEscapeButton) {
            event->accept();
            if (m_rule == EscapeRule::CloseWithoutButton)
                reject();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (m_rule == EscapeRule::Ignore) {
            event->ignore();
            return;
        }
        if (m_rule == EscapeRule::CloseWithoutButton) {
            event->accept();
            reject();
            return;
        }
        QMessageBox::closeEvent(event);
    }

  private:
    EscapeRule m_rule;
};

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// 1-based default button of a style value, falling back to the first when the box has fewer buttons.
int defaultButtonOf(int style, int buttonCount)
{
    const int n = ((style >> 8) & 3) + 1;
    return n <= buttonCount ? n : 1;
}

QMessageBox::StandardButton standardButton(int code)
{
    switch (code) {
    case vbOK:
        return QMessageBox::Ok;
    case vbCancel:
        return QMessageBox::Cancel;
    case vbAbort:
        return QMessageBox::Abort;
    case vbRetry:
        return QMessageBox::Retry;
    case vbIgnore:
        return QMessageBox::Ignore;
    case vbYes:
        return QMessageBox::Yes;
    case vbNo:
        return QMessageBox::No;
    default:
        return QMessageBox::NoButton;
    }
}

// What Escape gives on a standard box: the negative answer of a question (Cancel, else No), OK on a box that
// only informs; 0 where Escape does nothing.
int escapeCode(const QList<int>& codes)
{
    if (codes.contains(vbCancel))
        return vbCancel;
    if (codes.contains(vbNo))
        return vbNo;
    if (codes == QList<int>{vbOK})
        return vbOK;
    return 0;
}

// The answer of a box that no one answered: the cautious choice (Cancel, No, the only OK, else the first).
int fallbackCode(const QList<int>& codes)
{
    if (const int esc = escapeCode(codes))
        return esc;
    if (codes.contains(vbNo))
        return vbNo;
    return codes.first();
}

bool msgBoxAccepts(const DialogAnswer& a)
{
    using A = DialogAnswer::Action;
    return a.action == A::PressCode || a.action == A::PressButton || a.action == A::Cancel;
}

bool captionBoxAccepts(const DialogAnswer& a)
{
    using A = DialogAnswer::Action;
    return a.action == A::PressButton || a.action == A::Cancel;
}

QString effectiveTitle(const QString& title)
{
    return title.isEmpty() ? applicationTitle() : title;
}

void prepareBox(QMessageBox& box, const QString& prompt, const QString& title, int style)
{
    box.setWindowTitle(effectiveTitle(title));
    // Prompts carry file names and station texts; they are never markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(normalizedPrompt(prompt));
    box.setIcon(iconOf(style));
    if (style & vbSystemModal)
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

int msgBoxHookAnswer(const DialogAnswer& a, const QList<int>& codes)
{
    using A = DialogAnswer::Action;
    switch (a.action) {
    case A::PressCode:
        if (codes.contains(a.value))
            return a.value;
        reportError(QStringLiteral("MsgBox has no button with return code %1").arg(a.value));
        return fallbackCode(codes);
    case A::PressButton:
        if (a.value >= 1 && a.value <= codes.size())
            return codes.at(a.value - 1);
        reportError(QStringLiteral("MsgBox has no button number %1").arg(a.value));
        return fallbackCode(codes);
    default:
        if (const int esc = escapeCode(codes))
            return esc;
        reportError(QStringLiteral("Escape does not close a MsgBox without Cancel"));
        return fallbackCode(codes);
    }
}

} // namespace

QList<int> msgBoxButtonCodes(int buttons)
{
    switch (buttons & 0x0F) {
    case vbOKCancel:
        return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
        return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    case vbRetryCancel:
        return {vbRetry, vbCancel};
    default:
        return {vbOK};
    }
}

int MsgBox(const QString& prompt, int buttons, const QString& title)
{
    const QList<int> codes = msgBoxButtonCodes(buttons);
    DialogRequest request;
    request.kind = DialogKind::MsgBox;
    request.prompt = prompt;
    request.title = effectiveTitle(title);
    request.style = buttons;
    request.defaultButton = defaultButtonOf(buttons, int(codes.size()));

    const HookResult hook = consult(request, msgBoxAccepts);
    if (hook.answer)
        return msgBoxHookAnswer(*hook.answer, codes);
    if (!hook.showReal)
        return fallbackCode(codes);

    ChoiceMessageBox box(escapeCode(codes) != 0 ? EscapeRule::PressEscapeButton : EscapeRule::Ignore,
                         dialogParent());
    prepareBox(box, prompt, title, buttons);
    QList<QAbstractButton*> added;
    for (int code : codes)
        added.append(box.addButton(standardButton(code)));
    box.setDefaultButton(qobject_cast<QPushButton*>(added.at(request.defaultButton - 1)));
    if (const int esc = escapeCode(codes))
        box.setEscapeButton(added.at(codes.indexOf(esc)));
    box.exec();
    markAnswered(hook.record);
    const qsizetype pressed = added.indexOf(box.clickedButton());
    return pressed >= 0 ? codes.at(pressed) : fallbackCode(codes);
}

int CaptionMsgBox(const QString& prompt, const QString& title, const QStringList& captions, int style)
{
    const QStringList shown = captions.isEmpty() ? QStringList{QStringLiteral("OK")} : captions;
    DialogRequest request;
    request.kind = DialogKind::CaptionMsgBox;
    request.prompt = prompt;
    request.title = effectiveTitle(title);
    request.style = style;
    request.captions = shown;
    request.defaultButton = defaultButtonOf(style, int(shown.size()));

    const HookResult hook = consult(request, captionBoxAccepts);
    if (hook.answer) {
        const DialogAnswer& a = *hook.answer;
        if (a.action == DialogAnswer::Action::Cancel)
            return shown.size() == 1 ? 1 : 0;
        if (a.value >= 1 && a.value <= shown.size())
            return a.value;
        reportError(QStringLiteral("CaptionMsgBox has no button number %1").arg(a.value));
        return 0;
    }
    if (!hook.showReal)
        return 0;

    const bool single = shown.size() == 1;
    // Escape presses the only button, or closes a box of several without one (the caller's "other").
    ChoiceMessageBox box(single ? EscapeRule::PressEscapeButton : EscapeRule::CloseWithoutButton,
                         dialogParent());
    prepareBox(box, prompt, title, style);
    QList<QAbstractButton*> added;
    // One role for all keeps the buttons in the caller's order whatever the desktop's button layout.
    for (const QString& caption : shown)
        added.append(box.addButton(caption, QMessageBox::ActionRole));
    box.setDefaultButton(qobject_cast<QPushButton*>(added.at(request.defaultButton - 1)));
    if (single)
        box.setEscapeButton(added.first());
    box.exec();
    markAnswered(hook.record);
    const qsizetype pressed = added.indexOf(box.clickedButton());
    return pressed >= 0 ? int(pressed) + 1 : 0;
}

} // namespace qv
