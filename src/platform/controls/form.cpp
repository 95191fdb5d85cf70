// Form: window properties, load/activate/unload sequence, modal show with its answer hook, pop-up menus.
#include "platform/controls/form.h"

#include "platform/controls/buttons.h"
#include "platform/controls/control.h"
#include "platform/controls/menuitem.h"
#include "platform/controls/screen.h"
#include "platform/runtime/vberror.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>

namespace qv {

namespace {
QList<Form*> gLoadedForms;
QList<std::function<void(Form&)>> gModalAnswers;
QList<QPair<QString, int>> gPopupAnswers;

template <class Fn> void raiseFormEvent(const Form& form, const char* event, Fn&& fn)
{
    raiseEvent(form.Name() + QLatin1Char('.') + QLatin1String(event), std::forward<Fn>(fn));
}
} // namespace

Form::Form(const QString& name) : QWidget(nullptr), m_name(name), m_client(new QWidget(this))
{
    setObjectName(name);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->installEventFilter(this);
    m_client->setMouseTracking(true);
    setMouseTracking(true);
    resize(320, 240);
    layoutClient();
}

Form::~Form()
{
    // A window deleted without Unload must not stay behind in its accessor.
    if (detachInstance)
        detachInstance();
    gLoadedForms.removeAll(this);
    Screen.formGone(this);
}

int Form::Left() const
{
    return pixelsToTwips(x());
}

int Form::Top() const
{
    return pixelsToTwips(y());
}

int Form::Width() const
{
    return pixelsToTwips(width());
}

int Form::Height() const
{
    return pixelsToTwips(height());
}

void Form::setLeft(int twips)
{
    move(twipsToPixels(twips), y());
}

void Form::setTop(int twips)
{
    move(x(), twipsToPixels(twips));
}

void Form::setWidth(int twips)
{
    Move(Left(), Top(), twips, Height());
}

void Form::setHeight(int twips)
{
    Move(Left(), Top(), Width(), twips);
}

void Form::Move(int left, std::optional<int> top, std::optional<int> width, std::optional<int> height)
{
    move(twipsToPixels(left), top ? twipsToPixels(*top) : y());
    if (width || height) {
        resize(width ? std::max(1, twipsToPixels(*width)) : this->width(),
               height ? std::max(1, twipsToPixels(*height)) : this->height());
        // A hidden window gets its resize event only when shown; the inner
        // area must follow at once.
        layoutClient();
    }
}

int Form::ScaleWidth() const
{
    return pixelsToTwips(width());
}

int Form::ScaleHeight() const
{
    const int bar = m_menuBar && !m_menuBar->isHidden() ? m_menuBar->sizeHint().height() : 0;
    return pixelsToTwips(std::max(0, height() - bar));
}

void Form::setVisible(bool visible)
{
    if (visible)
        Show(vbModeless);
    else
        Hide();
}

int Form::WindowState() const
{
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized)
        return vbMinimized;
    if (state & Qt::WindowMaximized)
        return vbMaximized;
    return vbNormal;
}

void Form::setWindowState(int state)
{
    const Qt::WindowState qtState = state == vbMinimized   ? Qt::WindowMinimized
                                    : state == vbMaximized ? Qt::WindowMaximized
                                                           : Qt::WindowNoState;
    QWidget::setWindowState(qtState);
}

void Form::setBackColor(OleColor color)
{
    m_backColor = color;
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    m_client->setPalette(palette);
    m_client->setAutoFillBackground(true);
}

void Form::Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_placePending = true;
    gLoadedForms.append(this);
    raiseFormEvent(*this, "Form_Load", [this] { Form_Load(); });
}

void Form::Show(int modal)
{
    Load();
    if (!m_loaded)
        return; // Form_Load unloaded the window again
    if (modal == vbModal) {
        if (isVisible() && !m_modalLoop)
            throw VbError(400, QStringLiteral("Form already displayed; can't show modally"));
        showModal();
        return;
    }
    const bool wasVisible = isVisible();
    placeAtFirstShow();
    applyTabOrder();
    QWidget::setVisible(true);
    if (wasVisible)
        raise(); // a window shown anew comes to the front by itself
    activateWindow();
    activateForm();
}

void Form::showModal()
{
    setWindowModality(Qt::ApplicationModal);
    placeAtFirstShow();
    applyTabOrder();
    QWidget::setVisible(true);
    activateForm();
    QEventLoop loop;
    m_modalLoop = &loop;
    if (!gModalAnswers.isEmpty()) {
        const auto answer = gModalAnswers.takeFirst();
        raiseFormEvent(*this, "modal answer", [&] { answer(*this); });
        if (isVisible())
            Hide();
    } else if (isVisible()) {
        loop.exec(QEventLoop::DialogExec);
    }
    m_modalLoop = nullptr;
    setWindowModality(Qt::NonModal);
    if (m_deletePending)
        deleteLater();
}

void Form::placeAtFirstShow()
{
    if (!m_placePending)
        return;
    m_placePending = false;
    if (m_startUpPosition == vbStartUpScreen) {
        const QRect area = Screen.availableArea(QCursor::pos());
        move(placedOver(frameGeometry().size(), area, area).topLeft());
        return;
    }
    if (m_startUpPosition != vbStartUpOwner)
        return;
    // The owner is the window in front when this one is shown, else the one shown last.
    const QWidget* owner = Screen.ActiveForm();
    if (owner == this || (owner && !owner->isVisible()))
        owner = nullptr;
    for (qsizetype i = gLoadedForms.size() - 1; !owner && i >= 0; --i)
        if (gLoadedForms.at(i) != this && gLoadedForms.at(i)->isVisible())
            owner = gLoadedForms.at(i);
    if (owner)
        placeOver(*owner);
}

void Form::placeOver(const QWidget& owner)
{
    const QRect ownerFrame = owner.frameGeometry();
    const QRect area = Screen.availableArea(ownerFrame.center());
    move(placedOver(frameGeometry().size(), ownerFrame, area).topLeft());
}

void Form::Hide()
{
    if (m_modalLoop)
        m_modalLoop->quit();
    if (!isVisible())
        return;
    QWidget::setVisible(false);
    deactivated();
}

void Form::deactivated()
{
    if (Screen.ActiveForm() != this)
        return;
    Form* previous = Screen.previousActiveForm();
    raiseFormEvent(*this, "Form_Deactivate", [this] { Form_Deactivate(); });
    if (Screen.ActiveForm() != this)
        return;
    Screen.setActiveForm(nullptr);
    if (previous)
        previous->activateForm();
}

void Form::activateForm()
{
    Form* previous = Screen.ActiveForm();
    if (previous == this || !m_loaded)
        return;
    Screen.setActiveForm(this);
    if (previous)
        raiseFormEvent(*previous, "Form_Deactivate", [previous] { previous->Form_Deactivate(); });
    if (Screen.ActiveForm() == this)
        raiseFormEvent(*this, "Form_Activate", [this] { Form_Activate(); });
}

void Form::Refresh()
{
    // Redrawn at the next turn of the event loop: a synchronous repaint in the middle of a station
    // conversation would hold back the next request.
    update();
}

void Form::PopupMenu(MenuItem& menu)
{
    if (!gPopupAnswers.isEmpty()) {
        const auto [name, index] = gPopupAnswers.takeFirst();
        // The menu opens before the choice, as the real pop-up does.
        menu.Click();
        if (name.isEmpty())
            return;
        for (MenuItem* item : menu.items())
            if (item->Name().compare(name, Qt::CaseInsensitive) == 0 && item->Index() == index)
                item->Click();
        return;
    }
    menu.menu()->exec(QCursor::pos());
}

Control* Form::control(const QString& name, int index) const
{
    for (Control* c : m_controls)
        if (c->Index() == index && c->Name().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

Control* Form::ActiveControl() const
{
    Control* focused = Control::focusedControl();
    return focused && &focused->Parent() == this ? focused : nullptr;
}

QMenuBar* Form::menuBar()
{
    if (!m_menuBar) {
        m_menuBar = new QMenuBar(this);
        m_menuBar->show();
        layoutClient();
    }
    return m_menuBar;
}

void Form::menuBarChanged()
{
    if (!m_menuBar)
        return;
    const QList<QAction*> menus = m_menuBar->actions();
    const bool any = std::any_of(menus.begin(), menus.end(), [](const QAction* a) { return a->isVisible(); });
    if (any == m_menuBar->isHidden()) {
        m_menuBar->setVisible(any);
        layoutClient();
    }
}

void Form::queueModalAnswer(std::function<void(Form&)> answer)
{
    gModalAnswers.append(std::move(answer));
}

int Form::pendingModalAnswers()
{
    return int(gModalAnswers.size());
}

void Form::clearModalAnswers()
{
    gModalAnswers.clear();
}

void Form::queuePopupAnswer(const QString& itemName, int index)
{
    gPopupAnswers.append({itemName, index});
}

void Form::clearPopupAnswers()
{
    gPopupAnswers.clear();
}

QList<Form*> Form::loadedForms()
{
    return gLoadedForms;
}

int Form::registerControl(Control* control)
{
    m_controls.append(control);
    return m_nextTabIndex++;
}

void Form::unregisterControl(Control* control)
{
    m_controls.removeAll(control);
    if (static_cast<Control*>(m_defaultButton) == control)
        m_defaultButton = nullptr;
    if (static_cast<Control*>(m_cancelButton) == control)
        m_cancelButton = nullptr;
    // Controls left in a destroyed container go back onto the form.
    for (Control* c : std::as_const(m_controls)) {
        if (c->m_container == control) {
            c->m_container = nullptr;
            c->reparentWidget();
        }
    }
}

void Form::setDefaultButton(CommandButton* button, bool on)
{
    if (on)
        m_defaultButton = button;
    else if (m_defaultButton == button)
        m_defaultButton = nullptr;
}

void Form::setCancelButton(CommandButton* button, bool on)
{
    if (on)
        m_cancelButton = button;
    else if (m_cancelButton == button)
        m_cancelButton = nullptr;
}

CommandButton* Form::defaultButton() const
{
    return m_defaultButton;
}

CommandButton* Form::cancelButton() const
{
    return m_cancelButton;
}

bool Form::pressDefaultButton()
{
    if (!m_defaultButton || !m_defaultButton->Enabled() || !m_defaultButton->Visible())
        return false;
    m_defaultButton->setValue(true);
    return true;
}

bool Form::pressCancelButton()
{
    if (!m_cancelButton || !m_cancelButton->Enabled() || !m_cancelButton->Visible())
        return false;
    m_cancelButton->setValue(true);
    return true;
}

void Form::previewKeyDown(int& keyCode, int shift)
{
    if (m_keyPreview)
        raiseFormEvent(*this, "Form_KeyDown", [&] { Form_KeyDown(keyCode, shift); });
}

void Form::previewKeyUp(int& keyCode, int shift)
{
    if (m_keyPreview)
        raiseFormEvent(*this, "Form_KeyUp", [&] { Form_KeyUp(keyCode, shift); });
}

void Form::previewKeyPress(int& keyAscii)
{
    if (m_keyPreview)
        raiseFormEvent(*this, "Form_KeyPress", [&] { Form_KeyPress(keyAscii); });
}

bool Form::unload(int unloadMode)
{
    if (!m_loaded)
        return true;
    if (m_unloading)
        return false;
    m_unloading = true;
    int cancel = 0;
    raiseFormEvent(*this, "Form_QueryUnload", [&] { Form_QueryUnload(cancel, unloadMode); });
    if (cancel == 0)
        raiseFormEvent(*this, "Form_Unload", [&] { Form_Unload(cancel); });
    m_unloading = false;
    if (cancel != 0)
        return false;

    m_loaded = false;
    gLoadedForms.removeAll(this);
    Control::dropFocus(this);
    if (m_modalLoop)
        m_modalLoop->quit();
    if (isVisible()) {
        QWidget::setVisible(false);
        deactivated();
    }
    Screen.formGone(this);
    raiseFormEvent(*this, "Form_Terminate", [this] { Form_Terminate(); });
    if (detachInstance) {
        const auto detach = std::move(detachInstance);
        detachInstance = nullptr;
        detach();
        // A modal Show still on the stack deletes the window when it returns.
        if (m_modalLoop)
            m_deletePending = true;
        else
            deleteLater();
    }
    return true;
}

bool Unload(Form& form)
{
    return form.unload(vbFormCode);
}

bool Form::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        activateForm();
        break;
    case QEvent::KeyPress: {
        // Keys reach the window itself only when no control has the focus.
        auto* key = static_cast<QKeyEvent*>(event);
        int keyCode = vbKeyCodeFromQt(key->key(), key->modifiers());
        const int shift = vbShiftFromQt(key->modifiers());
        if (keyCode == vbKeyEscape && pressCancelButton())
            return true;
        if (keyCode == vbKeyReturn && pressDefaultButton())
            return true;
        raiseFormEvent(*this, "Form_KeyDown", [&] { Form_KeyDown(keyCode, shift); });
        int keyAscii = keyAsciiFromEvent(*key);
        if (keyAscii != 0)
            raiseFormEvent(*this, "Form_KeyPress", [&] { Form_KeyPress(keyAscii); });
        break;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat())
            break;
        int keyCode = vbKeyCodeFromQt(key->key(), key->modifiers());
        const int shift = vbShiftFromQt(key->modifiers());
        raiseFormEvent(*this, "Form_KeyUp", [&] { Form_KeyUp(keyCode, shift); });
        break;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

bool Form::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_client)
        return false;
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonDblClick)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const float x = float(mouse->position().x() * kTwipsPerPixel);
    const float y = float(mouse->position().y() * kTwipsPerPixel);
    const int shift = vbShiftFromQt(mouse->modifiers());
    const int button = vbButtonFromQt(mouse->button());
    switch (type) {
    case QEvent::MouseButtonPress:
        raiseFormEvent(*this, "Form_MouseDown", [&] { Form_MouseDown(button, shift, x, y); });
        break;
    case QEvent::MouseMove: {
        const int buttons = vbButtonsFromQt(mouse->buttons());
        raiseFormEvent(*this, "Form_MouseMove", [&] { Form_MouseMove(buttons, shift, x, y); });
        break;
    }
    case QEvent::MouseButtonRelease:
        if (button == vbLeftButton && !m_afterDblClick &&
            m_client->rect().contains(mouse->position().toPoint()))
            raiseFormEvent(*this, "Form_Click", [this] { Form_Click(); });
        m_afterDblClick = false;
        raiseFormEvent(*this, "Form_MouseUp", [&] { Form_MouseUp(button, shift, x, y); });
        break;
    default:
        m_afterDblClick = true;
        raiseFormEvent(*this, "Form_DblClick", [this] { Form_DblClick(); });
        break;
    }
    return true;
}

void Form::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutClient();
    raiseFormEvent(*this, "Form_Resize", [this] { Form_Resize(); });
}

void Form::closeEvent(QCloseEvent* event)
{
    if (unload(vbFormControlMenu))
        event->accept();
    else
        event->ignore();
}

void Form::layoutClient()
{
    int top = 0;
    if (m_menuBar && !m_menuBar->isHidden()) {
        top = m_menuBar->sizeHint().height();
        m_menuBar->setGeometry(0, 0, width(), top);
    }
    m_client->setGeometry(0, top, width(), std::max(0, height() - top));
    for (Control* c : std::as_const(m_controls))
        c->formResized();
}

void Form::applyTabOrder()
{
    QList<Control*> order;
    for (Control* c : std::as_const(m_controls))
        if (c->widget() && c->widget()->focusPolicy() != Qt::NoFocus)
            order.append(c);
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1)->widget(), order.at(i)->widget());
}

} // namespace qv
