// Language files: text lookup by id, control texts and the files' escapes.
#include "app/language.h"

#include "app/language_internal.h"

namespace qv {

namespace {

// The element of a window under the root "Config" (the first of that name).
QDomElement windowElement(const QString& form)
{
    const QDomElement root = gXmlDoc.documentElement();
    if (root.isNull() || root.tagName() != u"Config")
        return {};
    return root.firstChildElement(form);
}

} // namespace

QString UnescapeLangText(const QString& text)
{
    QString s = text;
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("__"), QStringLiteral("&"));
    return s;
}

QString GetLangText(uint8_t /*lang*/, int32_t id, const QString& def)
{
    lang_internal::warnIfNoLanguages();
    return GetLangTextOf(gXmlDoc, id, def);
}

QString GetLangTextOf(const QDomDocument& doc, int32_t id, const QString& def)
{
    const QDomElement root = doc.documentElement();
    if (root.isNull() || root.tagName() != u"Config")
        return def;
    const QDomElement text = root.firstChildElement(QStringLiteral("WithoutForm"))
                                 .firstChildElement(QStringLiteral("s%1").arg(id));
    if (text.isNull())
        return def;
    return UnescapeLangText(text.text());
}

QString GetControlText(uint8_t /*lang*/, const QString& form, const QString& type, const QString& control,
                       const QString& index, const QString& property, const QString& def)
{
    const QDomElement win = windowElement(form);
    if (win.isNull() || !win.hasChildNodes())
        return {};
    if (control.isEmpty()) {
        const QDomElement prop = win.firstChildElement(property);
        return prop.isNull() ? QString() : UnescapeLangText(prop.text());
    }
    QDomElement ctl = win.firstChildElement(type).firstChildElement(control);
    if (index.isEmpty()) {
        const QDomElement prop = ctl.firstChildElement(property);
        return prop.isNull() ? def : UnescapeLangText(prop.text());
    }
    for (; !ctl.isNull(); ctl = ctl.nextSiblingElement(control)) {
        if (ctl.attribute(QStringLiteral("Index")) != index)
            continue;
        const QDomElement prop = ctl.firstChildElement(property);
        return prop.isNull() ? def : UnescapeLangText(prop.text());
    }
    return def;
}

QString GetControlText(uint8_t lang, const QString& form, const QString& type, const QString& control,
                       const QString& index, const QString& property, const QString& /*further*/,
                       const QString& def)
{
    return GetControlText(lang, form, type, control, index, property, def);
}

} // namespace qv
