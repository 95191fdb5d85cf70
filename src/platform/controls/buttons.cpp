// CommandButton, CheckBox and OptionButton over QPushButton, QCheckBox and QRadioButton.
#include "platform/controls/buttons.h"

#include "platform/controls/form.h"
#include "platform/runtime/vberror.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace qv {

CommandButton::CommandButton(Form* form, const QString& name, int index) : Control(form, name, index)
{
    auto* button = new QPushButton;
    // A focused button answers Enter itself, as it answers Space.
    button->setAutoDefault(true);
    QObject::connect(button, &QPushButton::clicked, button, [this] { click(); });
    setWidget(button);
}

QPushButton* CommandButton::button() const
{
    return static_cast<QPushButton*>(widget());
}

void CommandButton::setCaption(const QString& caption)
{
    m_caption = caption;
    const QIcon drawn = m_captionDrawing ? m_captionDrawing(caption) : QIcon();
    if (drawn.isNull()) {
        button()->setIcon(QIcon(m_picture));
        button()->setText(caption);
    } else {
        button()->setIcon(drawn);
        button()->setText(QString());
    }
}

void CommandButton::setCaptionDrawing(std::function<QIcon(const QString& caption)> drawing)
{
    m_captionDrawing = std::move(drawing);
    setCaption(m_caption);
}

void CommandButton::click()
{
    auto alive = aliveToken();
    m_clicking = true;
    fire(onClick, "Click");
    if (*alive)
        m_clicking = false;
}

void CommandButton::setValue(bool value)
{
    if (value)
        click();
}

bool CommandButton::Default() const
{
    return Parent().defaultButton() == this;
}

void CommandButton::setDefault(bool on)
{
    Parent().setDefaultButton(this, on);
}

bool CommandButton::Cancel() const
{
    return Parent().cancelButton() == this;
}

void CommandButton::setCancel(bool on)
{
    Parent().setCancelButton(this, on);
}

void CommandButton::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    button()->setIcon(QIcon(picture));
    if (!picture.isNull())
        button()->setIconSize(picture.size());
}

CheckBox::CheckBox(Form* form, const QString& name, int index) : Control(form, name, index)
{
    auto* box = new QCheckBox;
    box->setTristate(true);
    QObject::connect(box, &QCheckBox::clicked, box, [this] { userClicked(); });
    setWidget(box);
}

QCheckBox* CheckBox::checkBox() const
{
    return static_cast<QCheckBox*>(widget());
}

void CheckBox::setCaption(const QString& caption)
{
    m_caption = caption;
    checkBox()->setText(caption);
}

void CheckBox::showValue()
{
    const QSignalBlocker block(checkBox());
    checkBox()->setCheckState(m_value == vbChecked  ? Qt::Checked
                              : m_value == vbGrayed ? Qt::PartiallyChecked
                                                    : Qt::Unchecked);
}

void CheckBox::userClicked()
{
    // Qt has already stepped the box through its own cycle; the old platform
    // toggles between clear and ticked, a greyed box becoming ticked.
    setValue(m_value == vbChecked ? vbUnchecked : vbChecked);
}

void CheckBox::setValue(int value)
{
    if (value < vbUnchecked || value > vbGrayed)
        throw VbError(ErrInvalidPropertyValue, QStringLiteral("Invalid property value"));
    if (value == m_value) {
        showValue();
        return;
    }
    m_value = value;
    showValue();
    fire(onClick, "Click");
}

OptionButton::OptionButton(Form* form, const QString& name, int index) : Control(form, name, index)
{
    auto* button = new QRadioButton;
    QObject::connect(button, &QRadioButton::clicked, button, [this] { userClicked(); });
    setWidget(button);
}

QRadioButton* OptionButton::radioButton() const
{
    return static_cast<QRadioButton*>(widget());
}

void OptionButton::setCaption(const QString& caption)
{
    m_caption = caption;
    radioButton()->setText(caption);
}

void OptionButton::userClicked()
{
    if (m_value) {
        radioButton()->setChecked(true);
        return;
    }
    setValue(true);
}

void OptionButton::setValue(bool value)
{
    QRadioButton* button = radioButton();
    if (value == m_value) {
        const QSignalBlocker block(button);
        button->setChecked(value);
        return;
    }
    if (!value) {
        m_value = false;
        const QSignalBlocker block(button);
        // Qt keeps one button of a group checked; step outside the group to clear it.
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
        return;
    }
    for (Control* c : Parent().Controls()) {
        auto* other = dynamic_cast<OptionButton*>(c);
        if (other && other != this && other->Container() == Container())
            other->m_value = false;
    }
    m_value = true;
    {
        const QSignalBlocker block(button);
        button->setChecked(true);
    }
    fire(onClick, "Click");
}

} // namespace qv
