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
// and a third of the way down.
QPoint boxPosition(const QSize& size, std::optional<int> xpos, std::optional<int> ypos)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QPoint(xpos.value_or(0) / kTwipsPerPixel, ypos.value_or(0) / kTwipsPerPixel);
    const QRect whole = screen->geometry();
    const QRect free = screen->availableGeometry();
    const int x =
        xpos ? whole.left() + *xpos / kTwipsPerPixel : free.left() + (free.width() - size.width()) / 2;
    const int y =
        ypos ? whole.top() + *ypos / kTwipsPerPixel : free.top() + (free.height() - size.height()) / 3;
    return QPoint(x, y);
}

// The input dialog, moved back onto the screen when asked to stand partly off it. The check waits for the
// window to show, when its frame is known.
class PlacedInputDialog : public QInputDialog
{
  public:
    using QInputDialog::QInputDialog;

  protected:
    void showEvent(QShowEvent* event) override
    {
        QInputDialog::showEvent(event);
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return;
        const QRect free = screen->availableGeometry();
        const QRect frame = frameGeometry();
        const int x = qMax(free.left(), qMin(frame.left(), free.right() + 1 - frame.width()));
        const int y = qMax(free.top(), qMin(frame.top(), free.bottom() + 1 - frame.height()));
        if (QPoint(x, y) != frame.topLeft())
            move(x, y);
    }
};

} // namespace

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText,
                 std::optional<int> xpos, std::optional<int> ypos)
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

    PlacedInputDialog box(dialogParent());
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
