// Answer hooks of the modal dialogs: the answer queue, the record of requests and the no-block mode.
#include "platform/dialogs/dialog_hooks.h"

#include <QApplication>
#include <QGuiApplication>
#include <QQueue>
#include <QWidget>
#include <QtGlobal>

namespace qv {

namespace {

struct HookState
{
    QQueue<DialogAnswer> answers;
    QList<DialogRequest> asked;
    QStringList errors;
    std::optional<bool> noModalOverride;
};

HookState& state()
{
    static HookState s;
    return s;
}

bool haveWidgets()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

QString describe(const DialogRequest& r)
{
    QString what = r.prompt.isEmpty() ? r.title : r.prompt;
    what.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QStringLiteral("%1 \"%2\"").arg(dialogKindName(r.kind), what.left(80));
}

} // namespace

QString dialogKindName(DialogKind kind)
{
    switch (kind) {
    case DialogKind::MsgBox:
        return QStringLiteral("MsgBox");
    case DialogKind::CaptionMsgBox:
        return QStringLiteral("CaptionMsgBox");
    case DialogKind::InputBox:
        return QStringLiteral("InputBox");
    case DialogKind::OpenFile:
        return QStringLiteral("ShowOpen");
    case DialogKind::SaveFile:
        return QStringLiteral("ShowSave");
    case DialogKind::Printer:
        return QStringLiteral("ShowPrinter");
    }
    return QString();
}

DialogAnswer DialogAnswer::press(int returnCode)
{
    DialogAnswer a;
    a.action = Action::PressCode;
    a.value = returnCode;
    return a;
}

DialogAnswer DialogAnswer::pressButton(int number)
{
    DialogAnswer a;
    a.action = Action::PressButton;
    a.value = number;
    return a;
}

DialogAnswer DialogAnswer::cancel()
{
    return DialogAnswer();
}

DialogAnswer DialogAnswer::type(const QString& text)
{
    DialogAnswer a;
    a.action = Action::Type;
    a.text = text;
    return a;
}

DialogAnswer DialogAnswer::chooseFile(const QString& path, int filterIndex)
{
    DialogAnswer a;
    a.action = Action::ChooseFile;
    a.text = path;
    a.filterIndex = filterIndex;
    return a;
}

DialogAnswer DialogAnswer::acceptPrinter(const QString& pdfFile)
{
    DialogAnswer a;
    a.action = Action::AcceptPrinter;
    a.text = pdfFile;
    return a;
}

void DialogHooks::queue(const DialogAnswer& answer)
{
    state().answers.enqueue(answer);
}

int DialogHooks::pending()
{
    return int(state().answers.size());
}

const QList<DialogRequest>& DialogHooks::asked()
{
    return state().asked;
}

const QStringList& DialogHooks::errors()
{
    return state().errors;
}

void DialogHooks::reset()
{
    state() = HookState();
}

void DialogHooks::setNoModal(std::optional<bool> on)
{
    state().noModalOverride = on;
}

bool DialogHooks::noModal()
{
    if (state().noModalOverride)
        return *state().noModalOverride;
    return qEnvironmentVariable("QV_NO_MODAL") == QLatin1String("1");
}

namespace dialogs_detail {

HookResult consult(DialogRequest request, bool (*accepts)(const DialogAnswer&))
{
    HookState& s = state();
    request.answered = false;
    s.asked.append(request);
    HookResult result;
    result.record = s.asked.size() - 1;
    if (!s.answers.isEmpty()) {
        if (accepts(s.answers.head())) {
            result.answer = s.answers.dequeue();
            s.asked.last().answered = true;
            return result;
        }
        // A test that queued the wrong kind of answer: leave it queued for the dialog it was meant for.
        reportError(QStringLiteral("the next queued answer does not fit %1").arg(describe(request)));
        return result;
    }
    if (DialogHooks::noModal()) {
        reportError(QStringLiteral("no answer queued for %1 (QV_NO_MODAL)").arg(describe(request)));
        return result;
    }
    if (!haveWidgets()) {
        reportError(QStringLiteral("no window system to show %1").arg(describe(request)));
        return result;
    }
    result.showReal = true;
    return result;
}

void markAnswered(qsizetype record)
{
    // A reset while the dialog was open leaves nothing to mark.
    if (record >= 0 && record < state().asked.size())
        state().asked[record].answered = true;
}

void reportError(const QString& message)
{
    state().errors.append(message);
    qWarning("Dialog hooks: %s", qUtf8Printable(message));
}

QWidget* dialogParent()
{
    if (!haveWidgets())
        return nullptr;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QString applicationTitle()
{
    return QGuiApplication::applicationDisplayName();
}

QString normalizedPrompt(const QString& prompt)
{
    QString text = prompt;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace dialogs_detail

} // namespace qv
