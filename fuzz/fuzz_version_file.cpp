// Fuzz target: arbitrary bytes as the body of the update server's answer (a version file or an error page).
#include "extras/update_check.h"
#include "fuzz_check.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

using namespace qv;

using qv::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The update check reads the body as Latin-1 text.
    const QString body = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool html = IsHtmlPage(body);
    if (body.startsWith(QLatin1String(kVersionFileHeader)))
        check(!html);
    const QString version = VersionFileText(body);
    // One line, trimmed: never a line break of the body.
    check(!version.contains(u'\r') && !version.contains(u'\n'));
    check(version == version.trimmed());

    const QList<int> parts = VersionParts(version);
    // Comparing is a total order on what the parts say.
    const QList<int> own = ProgramVersionParts();
    check(CompareVersions(parts, parts) == 0);
    const int a = CompareVersions(parts, own);
    const int b = CompareVersions(own, parts);
    check((a > 0) == (b < 0) && (a == 0) == (b == 0));
    return 0;
}
