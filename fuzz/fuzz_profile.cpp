// Fuzz target: arbitrary bytes as an INI file, read whole, rewritten and written to.
#include "platform/profile/profile_document.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

using qv::ProfileDocument;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Every section's keys and values, to compare two readings of a file.
QStringList everything(const ProfileDocument& doc)
{
    QStringList all;
    for (const QString& section : doc.sectionNames()) {
        all.append(QLatin1Char('[') + section + QLatin1Char(']'));
        for (const QString& key : doc.keyNames(section)) {
            const auto value = doc.value(section, key);
            check(value.has_value());
            all.append(key + QLatin1Char('=') + *value);
        }
    }
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ProfileDocument doc = ProfileDocument::fromBytes(bytes);
    const QStringList before = everything(doc);

    // Writing the file back unchanged keeps every section, key and value.
    check(everything(ProfileDocument::fromBytes(doc.toBytes())) == before);

    // A key written into the first section (or a new one) reads back, also
    // after a round trip through the file's bytes.
    const QStringList sections = doc.sectionNames();
    const QString section = sections.isEmpty() ? QStringLiteral("Fz") : sections.first();
    if (doc.setValue(section, QStringLiteral("fuzzkey"), QStringLiteral("v1"))) {
        check(doc.value(section, QStringLiteral("fuzzkey")) == QStringLiteral("v1"));
        const ProfileDocument reread = ProfileDocument::fromBytes(doc.toBytes());
        check(reread.value(section, QStringLiteral("fuzzkey")) == QStringLiteral("v1"));
        // Other sections are untouched.
        for (const QString& other : sections.mid(1))
            for (const QString& key : ProfileDocument::fromBytes(bytes).keyNames(other))
                check(reread.value(other, key) == ProfileDocument::fromBytes(bytes).value(other, key));
    }

    // A removed section is gone.
    doc.removeSection(section);
    check(!doc.sectionNames().contains(section, Qt::CaseInsensitive));
    doc.replaceSection(QStringLiteral("Fz2"), {QStringLiteral("a=1")});
    check(ProfileDocument::fromBytes(doc.toBytes()).value(QStringLiteral("fz2"), QStringLiteral("A")) ==
          QStringLiteral("1"));
    return 0;
}
