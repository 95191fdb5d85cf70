// The Windows profile functions over an INI file, with atomic writes.
#include "platform/profile/profile.h"

#include "platform/profile/profile_document.h"
#include "platform/system/textfile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

#include <sys/stat.h>

namespace qv {

namespace {

// Texts reach the profile functions as NUL-terminated strings.
QString cutAtNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

enum class FileState { Missing, Read, Unreadable };

// What identifies one version of a file on the disk: a write by anyone changes at least one of these.
struct FileStamp
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileStamp& o) const
    {
        return device == o.device && inode == o.inode && size == o.size &&
               modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
               changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
    }
};

std::optional<FileStamp> stampOf(const QString& fileName)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileStamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

// The last file read or written, parsed: every key read of a settings file would otherwise read and parse
// the whole file again. It is used as long as the file on the disk is the same version.
struct ParsedFile
{
    QString name;
    FileStamp stamp;
    QByteArray bytes;
    ProfileDocument doc;
};

ParsedFile& parsedFile()
{
    static ParsedFile cache;
    return cache;
}

qint64& readCount()
{
    static qint64 count = 0;
    return count;
}

void remember(const QString& fileName, const QByteArray& bytes, const ProfileDocument& doc)
{
    ParsedFile& cache = parsedFile();
    const auto stamp = stampOf(fileName);
    if (!stamp) {
        cache = ParsedFile{};
        return;
    }
    cache = ParsedFile{fileName, *stamp, bytes, doc};
}

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

// A file changed within this time may change again without its times moving (they tick coarsely), so its
// bytes are compared before the kept document is used.
constexpr qint64 kRacyMs = 2000;

bool changedRecently(const FileStamp& stamp)
{
    const qint64 modifiedMs = qint64(stamp.modified.tv_sec) * 1000 + stamp.modified.tv_nsec / 1000000;
    const qint64 changedMs = qint64(stamp.changed.tv_sec) * 1000 + stamp.changed.tv_nsec / 1000000;
    return QDateTime::currentMSecsSinceEpoch() - std::max(modifiedMs, changedMs) < kRacyMs;
}

// The file's bytes and document: parsed once, and kept while the file stays the same.
FileState loadFile(const QString& fileName, QByteArray& bytes, ProfileDocument& doc)
{
    ParsedFile& cache = parsedFile();
    const auto before = stampOf(fileName);
    const bool sameFile = before && cache.name == fileName && cache.stamp == *before;
    if (sameFile && !changedRecently(*before)) {
        bytes = cache.bytes;
        doc = cache.doc;
        return FileState::Read;
    }
    const FileState state = readFile(fileName, bytes);
    if (state != FileState::Read) {
        cache = ParsedFile{};
        doc = ProfileDocument();
        return state;
    }
    if (sameFile && bytes == cache.bytes) {
        doc = cache.doc;
        return state;
    }
    doc = ProfileDocument::fromBytes(bytes);
    ++readCount();
    // A file that changed while it was read is read again next time.
    if (before && stampOf(fileName) == before)
        cache = ParsedFile{fileName, *before, bytes, doc};
    else
        cache = ParsedFile{};
    return state;
}

// The changes a ProfileWriteBatch holds, by file.
struct HeldFile
{
    FileState state = FileState::Missing;
    QByteArray before;
    ProfileDocument doc;
    bool created = false; // a missing file the batch will create
    bool replaceable = true;
};

struct Batch
{
    bool active = false;
    std::vector<std::pair<QString, HeldFile>> files;

    HeldFile* find(const QString& fileName)
    {
        for (auto& f : files)
            if (f.first == fileName)
                return &f.second;
        return nullptr;
    }
};

Batch& batch()
{
    static Batch b;
    return b;
}

std::optional<ProfileDocument> loadDocument(const QString& fileName)
{
    if (const HeldFile* held = batch().active ? batch().find(fileName) : nullptr) {
        if (held->state == FileState::Read || held->created)
            return held->doc;
        if (held->state == FileState::Unreadable)
            return std::nullopt;
    }
    QByteArray bytes;
    ProfileDocument doc;
    if (loadFile(fileName, bytes, doc) != FileState::Read)
        return std::nullopt;
    return doc;
}

template <typename Change> int holdChange(const QString& fileName, Change change, bool createWhenMissing)
{
    Batch& b = batch();
    HeldFile* held = b.find(fileName);
    if (!held) {
        HeldFile f;
        f.state = loadFile(fileName, f.before, f.doc);
        f.replaceable = f.state != FileState::Unreadable && canReplaceFile(fileName);
        b.files.emplace_back(fileName, std::move(f));
        held = &b.files.back().second;
    }
    if (held->state == FileState::Unreadable)
        return 0;
    if (held->state == FileState::Missing && !held->created && !createWhenMissing)
        return 1;
    if (!change(held->doc))
        return 0;
    if (held->state == FileState::Missing)
        held->created = true;
    return held->replaceable ? 1 : 0;
}

// Loads the file, applies the change and writes it back when it changed.
// A file that exists but cannot be read is never replaced: its keys would be lost.
template <typename Change> int modifyFile(const QString& fileName, Change change, bool createWhenMissing)
{
    if (batch().active)
        return holdChange(fileName, change, createWhenMissing);
    QByteArray before;
    ProfileDocument doc;
    const FileState state = loadFile(fileName, before, doc);
    if (state == FileState::Unreadable)
        return 0;
    if (state == FileState::Missing && !createWhenMissing)
        return 1;
    if (!change(doc))
        return 0;
    const QByteArray after = doc.toBytes();
    // A change that changes nothing still tells whether the file could take one: a read-only file or
    // folder must not report success for what the caller meant to store.
    if (state == FileState::Read && after == before)
        return canReplaceFile(fileName) ? 1 : 0;
    if (!writeFileAtomically(fileName, after))
        return 0;
    // Kept as the file holds it: the code page may have changed what the change asked for.
    remember(fileName, after, ProfileDocument::fromBytes(after));
    return 1;
}

} // namespace

ProfileWriteBatch::ProfileWriteBatch()
{
    batch().active = true;
}

ProfileWriteBatch::~ProfileWriteBatch()
{
    commit();
}

bool ProfileWriteBatch::commit()
{
    Batch& b = batch();
    if (!b.active)
        return true;
    b.active = false;
    bool ok = true;
    for (auto& [fileName, held] : b.files) {
        if (held.state == FileState::Unreadable) {
            ok = false;
            continue;
        }
        if (held.state == FileState::Missing && !held.created)
            continue;
        const QByteArray after = held.doc.toBytes();
        if (held.state == FileState::Read && after == held.before)
            continue;
        if (!writeFileAtomically(fileName, after)) {
            ok = false;
            continue;
        }
        remember(fileName, after, ProfileDocument::fromBytes(after));
    }
    b.files.clear();
    return ok;
}

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

qint64 profileFileReads()
{
    return readCount();
}

QStringList profileKeyNames(const QString& section, const QString& fileName)
{
    const auto doc = loadDocument(fileName);
    return doc ? doc->keyNames(cutAtNul(section)) : QStringList();
}

} // namespace qv
