// StatusBar over a row of QLabels.
#include "platform/controls/statusbar.h"

#include "platform/controls/form.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace qv {

namespace {
// Reports clicks on a panel's label; the click then goes on to the bar,
// which raises its own mouse events.
class PanelClickFilter : public QObject
{
  public:
    explicit PanelClickFilter(std::function<void(QLabel*, bool)> clicked) : m_clicked(std::move(clicked)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_clicked(static_cast<QLabel*>(watched), false);
        else if (event->type() == QEvent::MouseButtonDblClick)
            m_clicked(static_cast<QLabel*>(watched), true);
        return false;
    }

  private:
    std::function<void(QLabel*, bool)> m_clicked;
};
} // namespace

Panel::Panel(StatusBar* bar) : m_bar(bar), m_label(new QLabel)
{
    m_label->setTextFormat(Qt::PlainText);
    m_label->setFrameShape(QFrame::Panel);
    m_label->setFrameShadow(QFrame::Sunken);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    m_label->installEventFilter(bar->m_clickFilter);
}

Panel::~Panel()
{
    delete m_label;
}

void Panel::setText(const QString& text)
{
    m_text = text;
    m_label->setText(text);
    applySize();
}

void Panel::setToolTipText(const QString& text)
{
    m_toolTip = text;
    m_label->setToolTip(text);
}

void Panel::setVisible(bool visible)
{
    m_visible = visible;
    m_label->setVisible(visible);
}

void Panel::setEnabled(bool enabled)
{
    m_enabled = enabled;
    m_label->setEnabled(enabled);
}

int Panel::Width() const
{
    if (m_autoSize == sbrNoAutoSize)
        return m_width;
    return std::max(m_minWidth, pixelsToTwips(m_label->width()));
}

void Panel::setWidth(int twips)
{
    m_width = std::max(0, twips);
    applySize();
}

void Panel::setMinWidth(int twips)
{
    m_minWidth = std::max(0, twips);
    applySize();
}

void Panel::setAutoSize(int autoSize)
{
    m_autoSize = autoSize;
    applySize();
}

void Panel::setAlignment(int alignment)
{
    m_alignment = alignment;
    m_label->setAlignment((alignment == vbRightJustify ? Qt::AlignRight
                           : alignment == vbCenter     ? Qt::AlignHCenter
                                                       : Qt::AlignLeft) |
                          Qt::AlignVCenter);
}

void Panel::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    if (picture.isNull())
        m_label->setText(m_text);
    else
        m_label->setPixmap(picture);
}

void Panel::applySize()
{
    QHBoxLayout* layout = m_bar->layout();
    const int at = layout->indexOf(m_label);
    switch (m_autoSize) {
    case sbrSpring:
        m_label->setMinimumWidth(twipsToPixels(m_minWidth));
        m_label->setMaximumWidth(QWIDGETSIZE_MAX);
        if (at >= 0)
            layout->setStretch(at, 1);
        break;
    case sbrContents:
        m_label->setMinimumWidth(std::max(twipsToPixels(m_minWidth), m_label->sizeHint().width()));
        m_label->setMaximumWidth(std::max(twipsToPixels(m_minWidth), m_label->sizeHint().width()));
        if (at >= 0)
            layout->setStretch(at, 0);
        break;
    default:
        m_label->setFixedWidth(twipsToPixels(m_width));
        if (at >= 0)
            layout->setStretch(at, 0);
        break;
    }
}

Panel& PanelList::Add(std::optional<int> index, const QString& key, const QString& text)
{
    Panel& panel = insert(index, key, std::make_unique<Panel>(m_bar));
    m_bar->layout()->insertWidget(panel.Index() - 1, panel.m_label);
    panel.m_label->show();
    panel.setText(text);
    return panel;
}

StatusBar::StatusBar(Form* form, const QString& name, int index)
    : Control(form, name, index), m_panels(this),
      m_clickFilter(new PanelClickFilter([this](QLabel* label, bool twice) { panelClicked(label, twice); }))
{
    auto* bar = new QWidget;
    // The bar paints its own face, so a panel that runs on under it never shows through its texts.
    bar->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(2);
    layout->addStretch(0);
    setWidget(bar);
    Move(0, 0, Width(), pixelsToTwips(22));
    formResized();
}

StatusBar::~StatusBar()
{
    m_panels.Clear();
    delete m_clickFilter;
}

QHBoxLayout* StatusBar::layout() const
{
    return static_cast<QHBoxLayout*>(widget()->layout());
}

void StatusBar::setAlign(int align)
{
    m_align = align;
    formResized();
}

void StatusBar::formResized()
{
    if (m_align == 0 || Container())
        return;
    const QWidget* client = Parent().clientWidget();
    const int width = pixelsToTwips(client->width());
    const int top = m_align == 2 ? pixelsToTwips(client->height()) - Height() : 0;
    Move(0, top, width, Height());
    // A docked bar stays in front of the controls placed freely: a window made smaller than its contents
    // pushes them under the bar, never over its texts.
    widget()->raise();
}

void StatusBar::panelClicked(QLabel* label, bool doubleClick)
{
    if (!Enabled())
        return;
    for (const auto& panel : m_panels) {
        if (panel->label() == label) {
            raiseEvent(where(doubleClick ? "PanelDblClick" : "PanelClick"),
                       doubleClick ? onPanelDblClick : onPanelClick, *panel);
            return;
        }
    }
}

} // namespace qv
