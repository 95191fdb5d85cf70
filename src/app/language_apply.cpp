// ApplyLanguage: a window's title and its controls' captions and tooltips from the language file.
#include "app/app_info.h"
#include "app/language.h"
#include "app/language_internal.h"
#include "platform/controls/controls.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"

namespace qv {

namespace {

// The control an element names: by name and index, else by name alone.
Control* findControl(Form& form, const QDomElement& element)
{
    const QString name = element.tagName();
    if (element.hasAttribute(QStringLiteral("Index"))) {
        int index = -1;
        try {
            index = static_cast<int>(CLng(Val(element.attribute(QStringLiteral("Index")))));
        } catch (const VbError&) {
        }
        if (Control* c = form.control(name, index))
            return c;
    }
    return form.control(name);
}

// The 1-based item number of a list entry; 0 when it names none.
int itemIndex(const QDomElement& entry)
{
    try {
        return static_cast<int>(CLng(Val(entry.attribute(QStringLiteral("Index")))));
    } catch (const VbError&) {
        return 0;
    }
}

// Buttons, Tabs or Panels: each property element goes to the item its Index names.
void applyItems(Control& control, const QDomElement& list)
{
    for (QDomElement entry = list.firstChildElement(); !entry.isNull(); entry = entry.nextSiblingElement()) {
        const int i = itemIndex(entry);
        const QString text = UnescapeLangText(entry.text());
        const bool tip = entry.tagName() == u"ToolTipText";
        const bool caption = entry.tagName() == u"Caption";
        if (auto* bar = dynamic_cast<Toolbar*>(&control)) {
            if (tip && i >= 1 && i <= bar->Buttons().Count())
                bar->Buttons().Item(i).setToolTipText(text);
        } else if (auto* strip = dynamic_cast<TabStrip*>(&control)) {
            if (i >= 1 && i <= strip->Tabs().Count()) {
                if (tip)
                    strip->Tabs().Item(i).setToolTipText(text);
                else if (caption)
                    strip->Tabs().Item(i).setCaption(text);
            }
        } else if (auto* status = dynamic_cast<StatusBar*>(&control)) {
            if (tip && i >= 1 && i <= status->Panels().Count())
                status->Panels().Item(i).setToolTipText(text);
        }
    }
}

void applyProperty(Control& control, const QDomElement& property)
{
    const QString text = UnescapeLangText(property.text());
    if (property.tagName() == u"Caption") {
        if (control.hasCaption())
            control.setCaption(text);
    } else if (property.tagName() == u"ToolTipText") {
        control.setToolTipText(text);
    }
}

// The child that lists a toolbar's buttons, a tab strip's tabs or a status
// bar's panels; null for other control types.
QDomElement itemList(const QString& type, const QDomElement& element)
{
    if (type == u"Toolbar")
        return element.firstChildElement(QStringLiteral("Buttons"));
    if (type == u"TabStrip")
        return element.firstChildElement(QStringLiteral("Tabs"));
    if (type == u"StatusBar")
        return element.firstChildElement(QStringLiteral("Panels"));
    return {};
}

} // namespace

void ApplyLanguage(Form& form)
{
    lang_internal::warnIfNoLanguages();
    const QDomElement root = gXmlDoc.documentElement();
    if (root.isNull() || root.tagName() != u"Config")
        return;
    const QDomElement win = root.firstChildElement(form.Name());
    for (QDomElement child = win.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (child.tagName() == u"Caption") {
            const QString text = UnescapeLangText(child.text());
            if (!text.isEmpty())
                form.setCaption(AppTitle() + u' ' + text);
            continue;
        }
        const QString type = child.tagName();
        for (QDomElement element = child.firstChildElement(); !element.isNull();
             element = element.nextSiblingElement()) {
            Control* control = findControl(form, element);
            if (!control)
                continue;
            try {
                const QDomElement list = itemList(type, element);
                if (!list.isNull()) {
                    applyItems(*control, list);
                    continue;
                }
                for (QDomElement p = element.firstChildElement(); !p.isNull(); p = p.nextSiblingElement())
                    applyProperty(*control, p);
            } catch (const VbError&) {
                // A text the control cannot take leaves it as it was.
            }
        }
    }
}

} // namespace qv
