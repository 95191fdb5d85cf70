// Checks of a laid-out window for the layout tests: overlapping controls and captions that do not fit.
#pragma once
#include "platform/controls/controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
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
