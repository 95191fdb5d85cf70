// The clipboard over QClipboard.
#include "platform/system/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace qv {

namespace {

QClipboard* systemClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                        : nullptr;
}

} // namespace

void ClipboardObject::Clear()
{
    if (QClipboard* clipboard = systemClipboard())
        clipboard->clear();
}

void ClipboardObject::SetText(const QString& text)
{
    if (QClipboard* clipboard = systemClipboard())
        clipboard->setText(text);
}

QString ClipboardObject::GetText() const
{
    if (QClipboard* clipboard = systemClipboard())
        return clipboard->text();
    return QString();
}

} // namespace qv
