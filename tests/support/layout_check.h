// Checks of a laid-out window for the layout tests: overlapping controls and captions that do not fit.
#pragma once
#include "platform/controls/controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QRect>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStyle>

namespace qv::test {

inline QString controlId(const Control* c)
{
    return c->Index() < 0 ? c->Name() : QStringLiteral("%1(%2)").arg(c->Name()).arg(c->Index());
}

// A control the user sees: its widget and every container up to the window are shown.
inline bool shownOnScreen(const Control* c)
{
    return c->widget() && c->widget()->isVisibleTo(c->Parent().clientWidget()) &&
           c->widget()->geometry().right() >= 0 && c->widget()->geometry().bottom() >= 0;
}

// Pairs of shown controls in the same container whose rectangles overlap, except controls named in
// `backgrounds` (pictures and bands meant to lie under others).
inline QStringList overlappingControls(const Form& form, const QSet<QString>& backgrounds)
{
    QList<const Control*> shown;
    for (const Control* c : form.Controls()) {
        if (c->TypeName() == u"Menu" || c->TypeName() == u"Timer" || c->TypeName() == u"ImageList")
            continue;
        if (!shownOnScreen(c) || backgrounds.contains(c->Name()) || backgrounds.contains(controlId(c)))
            continue;
        shown.append(c);
    }
    QStringList found;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        for (qsizetype j = i + 1; j < shown.size(); ++j) {
            const Control* a = shown[i];
            const Control* b = shown[j];
            if (a->Container() != b->Container())
                continue;
            if (a->widget()->geometry().intersects(b->widget()->geometry()))
                found << controlId(a) + QStringLiteral(" / ") + controlId(b);
        }
    }
    return found;
}

// Shown controls that lie over the window's status bar: a control of the window's client area (or the
// container it sits in) that meets the bar's rectangle and stands in front of it.
inline QStringList controlsOverStatusBar(const Form& form, const Control& statusBar)
{
    QStringList found;
    const QWidget* bar = statusBar.widget();
    const QWidget* client = bar->parentWidget();
    const QObjectList stack = client->children(); // bottom to top
    const qsizetype barAt = stack.indexOf(const_cast<QWidget*>(bar));
    for (const Control* c : form.Controls()) {
        if (c == &statusBar || !shownOnScreen(c))
            continue;
        // The child of the client area that carries the control, and where the control lies in it.
        const QWidget* w = c->widget();
        while (w && w->parentWidget() != client)
            w = w->parentWidget();
        if (!w || !w->isVisible())
            continue;
        const QRect onClient(c->widget()->mapTo(client, QPoint(0, 0)), c->widget()->size());
        if (stack.indexOf(const_cast<QWidget*>(w)) > barAt && onClient.intersects(bar->geometry()))
            found << controlId(c);
    }
    return found;
}

// Shown controls hidden under `cover`, a control placed on the window's client area (a docked bar, a scroll
// bar below the panel): a control of another child of the client area that meets the cover's rectangle and
// stands behind it. Controls named in `backgrounds` (panels meant to run on under the bars) do not count.
inline QStringList controlsCoveredBy(const Form& form, const Control& cover, const QSet<QString>& backgrounds)
{
    QStringList found;
    const QWidget* top = cover.widget();
    const QWidget* client = top->parentWidget();
    const QObjectList stack = client->children(); // bottom to top
    const qsizetype coverAt = stack.indexOf(const_cast<QWidget*>(top));
    for (const Control* c : form.Controls()) {
        if (c == &cover || !shownOnScreen(c) || backgrounds.contains(c->Name()) ||
            backgrounds.contains(controlId(c)))
            continue;
        const QWidget* w = c->widget();
        while (w && w->parentWidget() != client)
            w = w->parentWidget();
        if (!w || !w->isVisible() || w == top)
            continue;
        const QRect onClient(c->widget()->mapTo(client, QPoint(0, 0)), c->widget()->size());
        if (stack.indexOf(const_cast<QWidget*>(w)) < coverAt && onClient.intersects(top->geometry()))
            found << controlId(c);
    }
    return found;
}

// Whether the window shows a control as the control paints itself: nothing lying under it shows through
// and nothing is drawn over it. Compared pixel by pixel in the window's own picture.
inline bool shownAsItPaints(const Form& form, const Control& control)
{
    const QWidget* w = control.widget();
    const QImage window = const_cast<Form&>(form).grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage own = const_cast<QWidget*>(w)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal scale = own.devicePixelRatio();
    const QPoint at = w->mapTo(&form, QPoint(0, 0)) * scale;
    QImage there = window.copy(QRect(at, own.size()));
    there.setDevicePixelRatio(own.devicePixelRatio());
    return there == own;
}

// Shown controls whose caption needs more room than the control has on one line.
inline QStringList captionsThatDoNotFit(const Form& form)
{
    QStringList found;
    const int indicator = QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                          QApplication::style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 4;
    for (const Control* c : form.Controls()) {
        if (!shownOnScreen(c) || !c->hasCaption() || c->TypeName() == u"Menu" || c->TypeName() == u"Frame")
            continue;
        const QString text = stripAccessKeys(c->Caption()).trimmed();
        if (text.isEmpty())
            continue;
        const QFontMetrics metrics(c->widget()->font());
        // A label that wraps its caption needs the height of the wrapped lines.
        if (const auto* label = qobject_cast<const QLabel*>(c->widget()); label && label->wordWrap()) {
            const QRect wrapped = metrics.boundingRect(QRect(0, 0, label->contentsRect().width(), 100000),
                                                       int(Qt::TextWordWrap), text);
            if (wrapped.height() > label->contentsRect().height() ||
                wrapped.width() > label->contentsRect().width())
                found << QStringLiteral("%1 \"%2\" needs %3x%4 px, has %5x%6")
                             .arg(controlId(c), text)
                             .arg(wrapped.width())
                             .arg(wrapped.height())
                             .arg(label->contentsRect().width())
                             .arg(label->contentsRect().height());
            continue;
        }
        int needed = 0;
        for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
            needed = std::max(needed, metrics.horizontalAdvance(line));
        const QString type = c->TypeName();
        if (type == u"CheckBox" || type == u"OptionButton")
            needed += indicator;
        else if (type == u"CommandButton")
            needed += 8;
        if (needed > c->widget()->width())
            found << QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                         .arg(controlId(c), text)
                         .arg(needed)
                         .arg(c->widget()->width());
    }
    return found;
}

} // namespace qv::test
