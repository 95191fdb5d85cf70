// Toolbar over a row of QToolButtons.
#include "platform/controls/toolbar.h"

#include "platform/controls/form.h"
#include "platform/controls/imagelist.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QToolButton>

namespace qv {

ToolbarButton::ToolbarButton(Toolbar* toolbar, int style)
    : m_toolbar(toolbar), m_button(new QToolButton), m_style(style)
{
    m_button->setAutoRaise(true);
    m_button->setCheckable(true); // pressed state shown by the old platform's Value
    m_button->setFocusPolicy(Qt::NoFocus);
    if (style == tbrSeparator || style == tbrPlaceholder) {
        m_button->setEnabled(false);
        m_button->setFixedWidth(8);
    }
    QObject::connect(m_button, &QToolButton::clicked, m_button, [this] { m_toolbar->buttonClicked(*this); });
}

ToolbarButton::~ToolbarButton()
{
    delete m_button;
}

void ToolbarButton::setCaption(const QString& caption)
{
    m_caption = caption;
    m_button->setText(caption);
    m_button->setToolButtonStyle(m_button->icon().isNull() ? Qt::ToolButtonTextOnly
                                                           : Qt::ToolButtonTextUnderIcon);
}

void ToolbarButton::setToolTipText(const QString& text)
{
    m_toolTip = text;
    m_button->setToolTip(text);
}

void ToolbarButton::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (m_style != tbrSeparator && m_style != tbrPlaceholder)
        m_button->setEnabled(enabled);
}

void ToolbarButton::setVisible(bool visible)
{
    m_visible = visible;
    m_button->setVisible(visible);
}

void ToolbarButton::showValue()
{
    const QSignalBlocker block(m_button);
    m_button->setChecked(m_value == tbrPressed);
}

void ToolbarButton::setValue(int value)
{
    m_value = value == tbrPressed ? tbrPressed : tbrUnpressed;
    showValue();
}

void ToolbarButton::setImage(int index)
{
    if (m_toolbar->imageList())
        m_button->setIcon(m_toolbar->imageList()->icon(index));
    setCaption(m_caption);
}

void ToolbarButton::setImage(const QString& key)
{
    if (m_toolbar->imageList())
        m_button->setIcon(m_toolbar->imageList()->icon(key));
    setCaption(m_caption);
}

int ToolbarButton::Left() const
{
    m_toolbar->layout()->activate();
    return pixelsToTwips(m_button->geometry().left());
}

int ToolbarButton::Top() const
{
    m_toolbar->layout()->activate();
    return pixelsToTwips(m_button->geometry().top());
}

int ToolbarButton::Width() const
{
    m_toolbar->layout()->activate();
    return pixelsToTwips(m_button->geometry().width());
}

int ToolbarButton::Height() const
{
    m_toolbar->layout()->activate();
    return pixelsToTwips(m_button->geometry().height());
}

ToolbarButton& ToolbarButtonList::Add(std::optional<int> index, const QString& key, const QString& caption,
                                      int style)
{
    ToolbarButton& button = insert(index, key, std::make_unique<ToolbarButton>(m_toolbar, style));
    if (!caption.isEmpty())
        button.setCaption(caption);
    QHBoxLayout* layout = m_toolbar->layout();
    // The stretch at the end keeps the buttons at the left.
    layout->insertWidget(button.Index() - 1, button.m_button);
    button.m_button->show();
    m_toolbar->addEventSource(button.m_button);
    return button;
}

void ToolbarButtonList::Remove(int index)
{
    take(index);
}

void ToolbarButtonList::Clear()
{
    takeAll();
}

Toolbar::Toolbar(Form* form, const QString& name, int index) : Control(form, name, index), m_buttons(this)
{
    auto* bar = new QWidget;
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    layout->addStretch(1);
    bar->setFocusPolicy(Qt::NoFocus);
    setWidget(bar);
    Move(0, 0, Width(), pixelsToTwips(30));
    formResized();
}

Toolbar::~Toolbar()
{
    m_buttons.Clear();
}

QHBoxLayout* Toolbar::layout() const
{
    return static_cast<QHBoxLayout*>(widget()->layout());
}

void Toolbar::setAlign(int align)
{
    m_align = align;
    formResized();
}

void Toolbar::formResized()
{
    if (m_align == 0 || Container())
        return;
    const QWidget* client = Parent().clientWidget();
    const int width = pixelsToTwips(client->width());
    const int top = m_align == 2 ? pixelsToTwips(client->height()) - Height() : 0;
    Move(0, top, width, Height());
}

void Toolbar::buttonClicked(ToolbarButton& button)
{
    if (button.m_style == tbrCheck)
        button.m_value = button.m_value == tbrPressed ? tbrUnpressed : tbrPressed;
    else if (button.m_style == tbrButtonGroup)
        button.m_value = tbrPressed;
    button.showValue();
    raiseEvent(where("ButtonClick"), onButtonClick, button);
}

} // namespace qv
