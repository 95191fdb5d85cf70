// An INI file in memory with the Windows profile functions' rules.
#include "platform/profile/profile_document.h"

#include "platform/system/textfile.h"

namespace qv {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Only blanks and tabs count: a no-break space (code 160) is part of a value.
QString trimBlanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text[start]))
        ++start;
    while (end > start && isBlank(text[end - 1]))
        --end;
    return text.mid(start, end - start);
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

QString cutAtLineBreak(const QString& text)
{
    qsizetype end = 0;
    while (end < text.size() && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
        ++end;
    return text.left(end);
}

// A name as the file will hold it; empty optional when the file cannot hold it.
std::optional<QString> sectionName(const QString& section)
{
    const QString name = trimBlanks(section);
    if (hasLineBreak(name) || name.contains(QLatin1Char(']')))
        return std::nullopt;
    return name;
}

std::optional<QString> keyName(const QString& key)
{
    const QString name = trimBlanks(key);
    if (hasLineBreak(name) || name.contains(QLatin1Char('=')) || name.startsWith(QLatin1Char('[')) ||
        name.startsWith(QLatin1Char(';')))
        return std::nullopt;
    return name;
}

} // namespace

ProfileDocument::Line ProfileDocument::parseLine(const QString& text)
{
    Line line;
    line.text = text;
    const QString trimmed = trimBlanks(text);
    if (trimmed.isEmpty()) {
        line.kind = Kind::Blank;
    } else if (trimmed.startsWith(QLatin1Char(';'))) {
        line.kind = Kind::Comment;
    } else if (trimmed.startsWith(QLatin1Char('['))) {
        line.kind = Kind::Header;
        qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (close < 0)
            close = trimmed.size();
        line.name = trimBlanks(trimmed.mid(1, close - 1));
    } else if (const qsizetype eq = trimmed.indexOf(QLatin1Char('=')); eq >= 0) {
        line.kind = Kind::Key;
        line.name = trimBlanks(trimmed.left(eq));
    } else {
        line.kind = Kind::Other;
    }
    return line;
}

ProfileDocument ProfileDocument::fromBytes(const QByteArray& bytes)
{
    ProfileDocument doc;
    const DecodedText decoded = decodeTextBytes(bytes);
    doc.m_utf8 = decoded.utf8;
    doc.m_bom = decoded.bom;
    const QStringList lines = splitLines(decoded.text, LoneCr::EndsLine);
    doc.m_lines.reserve(lines.size());
    for (const QString& text : lines)
        doc.m_lines.append(parseLine(text));
    return doc;
}

QByteArray ProfileDocument::toBytes() const
{
    QString text;
    for (const Line& line : m_lines) {
        text += line.text;
        text += QLatin1String("\r\n");
    }
    return encodeText(text, m_utf8, m_bom);
}

qsizetype ProfileDocument::findSection(const QString& section) const
{
    const QString name = trimBlanks(section);
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Kind::Header && sameName(m_lines[i].name, name))
            return i;
    }
    return -1;
}

qsizetype ProfileDocument::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Header)
        ++i;
    return i;
}

std::optional<QString> ProfileDocument::value(const QString& section, const QString& key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const QString name = trimBlanks(key);
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind != Kind::Key || !sameName(line.name, name))
            continue;
        QString v = trimBlanks(line.text.mid(line.text.indexOf(QLatin1Char('=')) + 1));
        if (v.size() >= 2 && v.front() == v.back() &&
            (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')))
            v = v.mid(1, v.size() - 2);
        return v;
    }
    return std::nullopt;
}

QStringList ProfileDocument::sectionNames() const
{
    QStringList names;
    for (const Line& line : m_lines) {
        // A nameless section "[]" is left out: in the NUL-separated list form its empty name would end
        // the list and hide every section after it.
        if (line.kind == Kind::Header && !line.name.isEmpty() &&
            !names.contains(line.name, Qt::CaseInsensitive))
            names.append(line.name);
    }
    return names;
}

QStringList ProfileDocument::keyNames(const QString& section) const
{
    QStringList names;
    const qsizetype header = findSection(section);
    if (header < 0)
        return names;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (m_lines[i].kind == Kind::Key && !names.contains(m_lines[i].name, Qt::CaseInsensitive))
            names.append(m_lines[i].name);
    }
    return names;
}

void ProfileDocument::appendSection(const QString& section, const QStringList& body)
{
    // A blank line keeps the new section apart from the one before it.
    if (!m_lines.isEmpty() && m_lines.back().kind != Kind::Blank)
        m_lines.append(Line{});
    m_lines.append(parseLine(QLatin1Char('[') + section + QLatin1Char(']')));
    for (const QString& text : body)
        m_lines.append(parseLine(text));
}

bool ProfileDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    const auto secName = sectionName(section);
    const auto name = keyName(key);
    if (!secName || !name)
        return false;
    const QString stored = cutAtLineBreak(value);

    const qsizetype header = findSection(*secName);
    if (header < 0) {
        appendSection(*secName, {*name + QLatin1Char('=') + stored});
        return true;
    }
    const qsizetype end = sectionEnd(header);
    qsizetype lastFilled = header;
    for (qsizetype i = header + 1; i < end; ++i) {
        Line& line = m_lines[i];
        if (line.kind == Kind::Key && sameName(line.name, *name)) {
            // The key keeps its spelling and its place; only the value changes.
            line = parseLine(line.name + QLatin1Char('=') + stored);
            return true;
        }
        if (line.kind != Kind::Blank)
            lastFilled = i;
    }
    m_lines.insert(lastFilled + 1, parseLine(*name + QLatin1Char('=') + stored));
    return true;
}

void ProfileDocument::removeKey(const QString& section, const QString& key)
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return;
    const QString name = trimBlanks(key);
    qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end;) {
        if (m_lines[i].kind == Kind::Key && sameName(m_lines[i].name, name)) {
            m_lines.removeAt(i);
            --end;
        } else {
            ++i;
        }
    }
}

void ProfileDocument::removeSection(const QString& section)
{
    for (qsizetype header = findSection(section); header >= 0; header = findSection(section))
        m_lines.remove(header, sectionEnd(header) - header);
}

bool ProfileDocument::replaceSection(const QString& section, const QStringList& lines)
{
    const auto secName = sectionName(section);
    if (!secName)
        return false;
    for (const QString& text : lines) {
        const QString trimmed = trimBlanks(text);
        if (hasLineBreak(text) || trimmed.startsWith(QLatin1Char('[')))
            return false;
    }
    const qsizetype header = findSection(*secName);
    if (header < 0) {
        if (!lines.isEmpty())
            appendSection(*secName, lines);
        return true;
    }
    // Every copy of a section written twice loses its keys, as deleting the section removes every copy;
    // the new keys go into the first copy, where reading finds them.
    qsizetype insertAt = -1;
    bool inSection = true;
    for (qsizetype i = header + 1; i < m_lines.size();) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Header) {
            inSection = sameName(line.name, *secName);
            if (insertAt < 0)
                insertAt = header + 1;
            ++i;
        } else if (inSection && (line.kind == Kind::Key || line.kind == Kind::Other)) {
            if (insertAt < 0)
                insertAt = i;
            m_lines.removeAt(i);
        } else {
            ++i;
        }
    }
    if (insertAt < 0)
        insertAt = header + 1;
    for (const QString& text : lines)
        m_lines.insert(insertAt++, parseLine(text));
    return true;
}

} // namespace qv
