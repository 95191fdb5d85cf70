// InputBox over QInputDialog, placed in twips, answered by the dialog hooks when a test queued an answer.
#include "platform/dialogs/inputbox.h"

#include "platform/dialogs/dialog_hooks.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QScreen>

namespace qv {

using namespace dialogs_detail;

namespace {

constexpr int kTwipsPerPixel = 15;

bool inputBoxAccepts(const DialogAnswer& a)
{
    return a.action == DialogAnswer::Action::Type || a.action == DialogAnswer::Action::Cancel;
}

// Where a box of `size` stands: at the asked position (twips from the screen's corner), else centred across
// and a third of the way down; always kept within the screen's free area.
QPoint boxPosition(const QSize& size, std::optional<int> xpos, std::optional<int> ypos)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QPoint(xpos.value_or(0) / kTwipsPerPixel, ypos.value_or(0) / kTwipsPerPixel);
    const QRect whole = screen->geometry();
    const QRect free = screen->availableGeometry();
    int x = xpos ? whole.left() + *xpos / kTwipsPerPixel : free.left() + (free.width() - size.width()) / 2;
    int y = ypos ? whole.top() + *ypos / kTwipsPerPixel : free.top() + (free.height() - size.height()) / 3;
    x = qMax(free.left(), qMin(x, free.right() + 1 - size.width()));
    y = qMax(free.top(), qMin(y, free.bottom() + 1 - size.height()));
    return QPoint(x, y);
}

} // namespace

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText, std::optional<int> xpos,
                 std::optional<int> ypos)
{
    DialogRequest request;
    request.kind = DialogKind::InputBox;
    request.prompt = prompt;
    request.title = title.isEmpty() ? applicationTitle() : title;
    request.defaultText = defaultText;
    request.xpos = xpos;
    request.ypos = ypos;

    const HookResult hook = consult(request, inputBoxAccepts);
    if (hook.answer)
        return hook.answer->action == DialogAnswer::Action::Type ? hook.answer->text : QString();
    if (!hook.showReal)
        return QString();

    QInputDialog box(dialogParent());
    box.setWindowTitle(request.title);
    box.setInputMode(QInputDialog::TextInput);
    box.setLabelText(normalizedPrompt(prompt));
    // Prompts carry file names and station texts; they are never markup.
    if (QLabel* label = box.findChild<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    box.setTextValue(defaultText);
    box.adjustSize();
    box.move(boxPosition(box.size(), xpos, ypos));
    const int result = box.exec();
    markAnswered(hook.record);
    return result == QDialog::Accepted ? box.textValue() : QString();
}

} // namespace qv
