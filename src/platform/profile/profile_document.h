// An INI file in memory with the Windows profile functions' rules.
#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace qv {

// Sections and keys are found without regard to case, the first match winning;
// values are trimmed; every line that a change does not touch stays as it was.
class ProfileDocument
{
  public:
    ProfileDocument() = default;

    // Reads file bytes: Windows-1252, or UTF-8 after a UTF-8 byte-order mark;
    // lines end in CRLF, LF or a lone CR.
    static ProfileDocument fromBytes(const QByteArray& bytes);
    // The file bytes: every line followed by CRLF, in the form the file was read
    // in (Windows-1252 for a new file).
    QByteArray toBytes() const;

    // The value of the key in the first section of that name: trimmed of blanks
    // and tabs, one pair of enclosing quotes (" or ') removed. nullopt when
    // there is no such section or key.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // Section names in file order, each name once (as first spelt); a nameless
    // section is left out.
    QStringList sectionNames() const;
    // Key names of the first section of that name, in file order, each once.
    QStringList keyNames(const QString& section) const;

    // Sets a key: replaces the value of the key where it stands, adds the key at
    // the end of the section, or adds the section at the end of the file. A
    // value is cut at its first line break. False (nothing changed) for a
    // section or key name that the file could not hold.
    bool setValue(const QString& section, const QString& key, const QString& value);
    // Removes the key from the section (every line of that key name).
    void removeKey(const QString& section, const QString& key);
    // Removes every section of that name with all its lines.
    void removeSection(const QString& section);
    // Replaces all keys of the section with the given "key=value" lines (every
    // copy of a section written twice loses its keys, the first gets the new
    // ones); comments and blank lines of the section stay. An empty list leaves the section
    // empty. False (nothing changed) for a line that would break the file.
    bool replaceSection(const QString& section, const QStringList& lines);

  private:
    enum class Kind { Blank, Comment, Header, Key, Other };
    struct Line
    {
        QString text;
        Kind kind = Kind::Blank;
        QString name; // section name of a header, key name of a key line
    };

    static Line parseLine(const QString& text);
    qsizetype findSection(const QString& section) const;
    qsizetype sectionEnd(qsizetype header) const;
    void appendSection(const QString& section, const QStringList& body);

    QList<Line> m_lines;
    bool m_utf8 = false;
    bool m_bom = false;
};

} // namespace qv
