// The Windows profile functions over an INI file, with atomic writes.
#include "platform/profile/profile.h"

#include "platform/profile/profile_document.h"
#include "platform/system/textfile.h"

#include <QFile>
#include <QFileInfo>

namespace qv {

namespace {

// Texts reach the profile functions as NUL-terminated strings.
QString cutAtNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

enum class FileState { Missing, Read, Unreadable };

FileState readFile(const QString& fileName, QByteArray& bytes)
{
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists())
        return FileState::Missing;
    QFile file(fileName);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return FileState::Unreadable;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError ? FileState::Read : FileState::Unreadable;
}

std::optional<ProfileDocument> loadDocument(const QString& fileName)
{
    QByteArray bytes;
    if (readFile(fileName, bytes) != FileState::Read)
        return std::nullopt;
    return ProfileDocument::fromBytes(bytes);
}

// Loads the file, applies the change and writes it back when it changed.
// A file that exists but cannot be read is never replaced: its keys would be lost.
template <typename Change> int modifyFile(const QString& fileName, Change change, bool createWhenMissing)
{
    QByteArray before;
    const FileState state = readFile(fileName, before);
    if (state == FileState::Unreadable)
        return 0;
    if (state == FileState::Missing && !createWhenMissing)
        return 1;
    ProfileDocument doc = ProfileDocument::fromBytes(before);
    if (!change(doc))
        return 0;
    const QByteArray after = doc.toBytes();
    if (state == FileState::Read && after == before)
        return 1;
    return writeFileAtomically(fileName, after) ? 1 : 0;
}

} // namespace

QString GetPrivateProfileStringA(const QString& section, const QString& key, const QString& defaultValue,
                                 int size, const QString& fileName)
{
    if (size <= 0)
        return QString();
    QString result;
    const auto doc = loadDocument(fileName);
    const auto found = doc ? doc->value(cutAtNul(section), cutAtNul(key)) : std::nullopt;
    if (found) {
        result = *found;
    } else {
        // Only blanks are trimmed from a default; a trailing tab is part of it.
        result = cutAtNul(defaultValue);
        while (result.endsWith(QLatin1Char(' ')))
            result.chop(1);
    }
    return result.left(size - 1);
}

int WritePrivateProfileStringA(const QString& section, const std::optional<QString>& key,
                               const std::optional<QString>& value, const QString& fileName)
{
    const QString sec = cutAtNul(section);
    if (!key) {
        return modifyFile(
            fileName,
            [&](ProfileDocument& doc) {
                doc.removeSection(sec);
                return true;
            },
            false);
    }
    const QString k = cutAtNul(*key);
    if (!value) {
        return modifyFile(
            fileName,
            [&](ProfileDocument& doc) {
                doc.removeKey(sec, k);
                return true;
            },
            false);
    }
    const QString v = cutAtNul(*value);
    return modifyFile(
        fileName, [&](ProfileDocument& doc) { return doc.setValue(sec, k, v); }, true);
}

int WritePrivateProfileSectionA(const QString& section, const QStringList& lines, const QString& fileName)
{
    const QString sec = cutAtNul(section);
    QStringList cut;
    for (const QString& line : lines)
        cut.append(cutAtNul(line));
    return modifyFile(
        fileName, [&](ProfileDocument& doc) { return doc.replaceSection(sec, cut); }, !cut.isEmpty());
}

QStringList profileSectionNames(const QString& fileName)
{
    const auto doc = loadDocument(fileName);
    return doc ? doc->sectionNames() : QStringList();
}

QStringList profileKeyNames(const QString& section, const QString& fileName)
{
    const auto doc = loadDocument(fileName);
    return doc ? doc->keyNames(cutAtNul(section)) : QStringList();
}

} // namespace qv
