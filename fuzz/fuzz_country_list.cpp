// Fuzz target: arbitrary bytes as the country list (the first line is taken as the language code looked up).
#include "extras/help_windows.h"
#include "fuzz_check.h"
#include "platform/system/textfile.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

using namespace qv;

using qv::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype cut = bytes.indexOf('\n');
    const QString code = decodeText(cut < 0 ? bytes : bytes.left(cut)).left(8);
    const QString text = decodeText(cut < 0 ? QByteArray() : bytes.mid(cut + 1));

    const auto name = CountryListName(text, code);
    if (name) {
        // A name is one line of the list, found where the code and "=" stand.
        check(!name->contains(u'\n'));
        check(text.contains(code + u'='));
        check(LanguageListEntry(*name).size() == kLanguageEntryWidth);
    }
    for (const QString& probe : {QStringLiteral("ENU"), QStringLiteral("DEU"), QString()})
        CountryListName(text, probe);
    return 0;
}
