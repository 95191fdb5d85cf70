// Label, Frame, PictureBox and Image over QLabel and QGroupBox.
#include "platform/controls/labels.h"

#include <QGroupBox>
#include <QLabel>

namespace qv {

namespace {
Qt::Alignment qtAlignment(int alignment)
{
    switch (alignment) {
    case vbRightJustify:
        return Qt::AlignRight | Qt::AlignTop;
    case vbCenter:
        return Qt::AlignHCenter | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}
} // namespace

Label::Label(Form* form, const QString& name, int index) : Control(form, name, index)
{
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(qtAlignment(vbLeftJustify));
    setWidget(label);
}

QLabel* Label::label() const
{
    return static_cast<QLabel*>(widget());
}

void Label::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    label()->setText(stripAccessKeys(caption));
    if (m_autoSize)
        fitToCaption();
    fire(onChange, "Change");
}

void Label::setAlignment(int alignment)
{
    m_alignment = alignment;
    label()->setAlignment(qtAlignment(alignment));
}

void Label::setBorderStyle(int style)
{
    m_borderStyle = style;
    label()->setFrameShape(style == 0 ? QFrame::NoFrame : QFrame::Box);
}

void Label::setAutoSize(bool on)
{
    m_autoSize = on;
    label()->setWordWrap(!on);
    if (on)
        fitToCaption();
}

void Label::fitToCaption()
{
    const QSize hint = label()->sizeHint();
    Move(Left(), Top(), pixelsToTwips(hint.width()), pixelsToTwips(hint.height()));
}

Frame::Frame(Form* form, const QString& name, int index) : Control(form, name, index)
{
    setWidget(new QGroupBox);
}

QGroupBox* Frame::groupBox() const
{
    return static_cast<QGroupBox*>(widget());
}

void Frame::setCaption(const QString& caption)
{
    m_caption = caption;
    groupBox()->setTitle(caption);
}

void Frame::setBorderStyle(int style)
{
    m_borderStyle = style;
    groupBox()->setFlat(style == 0);
    groupBox()->setStyleSheet(
        style == 0 ? QStringLiteral("QGroupBox { border: none; margin: 0; padding: 0; }") : QString());
}

PictureBox::PictureBox(Form* form, const QString& name, int index) : Control(form, name, index)
{
    auto* label = new QLabel;
    label->setFrameShape(QFrame::Box);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidget(label);
}

QLabel* PictureBox::label() const
{
    return static_cast<QLabel*>(widget());
}

void PictureBox::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    label()->setPixmap(picture);
}

void PictureBox::setBorderStyle(int style)
{
    m_borderStyle = style;
    label()->setFrameShape(style == 0 ? QFrame::NoFrame : QFrame::Box);
}

int PictureBox::ScaleWidth() const
{
    return pixelsToTwips(label()->contentsRect().width());
}

int PictureBox::ScaleHeight() const
{
    return pixelsToTwips(label()->contentsRect().height());
}

Image::Image(Form* form, const QString& name, int index) : Control(form, name, index)
{
    auto* label = new QLabel;
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidget(label);
}

QLabel* Image::label() const
{
    return static_cast<QLabel*>(widget());
}

void Image::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    label()->setPixmap(picture);
}

void Image::setStretch(bool on)
{
    m_stretch = on;
    label()->setScaledContents(on);
}

} // namespace qv
