// Language files: loading a file and its language list.
#include "app/language.h"

#include "app/app_info.h"
#include "app/language_internal.h"

namespace qv {

namespace {

bool gNoLanguagesShown = false;

} // namespace

namespace lang_internal {

void warnIfNoLanguages()
{
    if (gNoLanguagesShown)
        return;
    const QDomElement langs = gXmlDoc.documentElement().firstChildElement(QStringLiteral("Languages"));
    if (gXmlDoc.documentElement().tagName() != u"Config" || langs.isNull() || !langs.firstChildElement().isNull())
        return;
    gNoLanguagesShown = true;
    // XXX-DIALOGS: MsgBox("No languages configures", vbOKOnly)
}

void resetNoLanguagesWarning()
{
    gNoLanguagesShown = false;
}

} // namespace lang_internal

QString LanguageFileName(const QString& code)
{
    return AppTitle() + code + QStringLiteral(".xml");
}

} // namespace qv
