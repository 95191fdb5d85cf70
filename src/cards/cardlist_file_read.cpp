// Card-list files read back into the card list: splitting lines, recognising headings, filling rows.
#include "cards/cardlist_file_read.h"

#include "app/file_helpers.h"
#include "app/language.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_file_write.h"
#include "cards/cardlist_main_window.h"
#include "cards/cardlist_state.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/strings.h"
#include "platform/runtime/vberror.h"
#include "platform/system/textfile.h"

#include <QStringView>
#include <functional>
#include <vector>

namespace qv {

namespace {

// Every column number whose heading is a language text: 101 to 161.
constexpr int kFirstHeadingColumn = 1;
constexpr int kLastHeadingColumn = 61;
// The per-punch groups among them: code number, weekday, time.
constexpr int kFirstPunchGroup = 41;
constexpr int kLastPunchGroup = 43;
// The width of a column read from a card-list file, in twips.
constexpr double kReadColumnWidth = 810;

struct HeadingCandidate
{
    QString text;
    int column;    // j: the column number minus 100
    QString shown; // the column's heading in the language in use ("" when it has none)
};

// The headings of one language, in the order they are tried: the column headings by number (the per-punch
// ones behind "..."), then the punch view's headings of its punch columns and its fixed headings of the
// columns 134 to 140.
std::vector<HeadingCandidate> languageCandidates(const std::function<QString(int)>& text)
{
    std::vector<HeadingCandidate> candidates;
    for (int j = kFirstHeadingColumn; j <= kLastHeadingColumn; ++j) {
        QString heading = text(1600 + j);
        QString shown = cardListText(1600 + j);
        if (j >= kFirstPunchGroup && j <= kLastPunchGroup) {
            heading.prepend(QStringLiteral("..."));
            shown.prepend(QStringLiteral("..."));
        }
        candidates.push_back({heading, j, shown});
    }
    for (int g = 0; g < 3; ++g)
        candidates.push_back({text(1641 + g), 31 + g, cardListText(1641 + g)});
    const QStringList station = punchViewStationHeadings();
    for (int k = 0; k < station.size(); ++k)
        candidates.push_back({station[k], 34 + k, station[k]});
    return candidates;
}

// The key of a heading ("" when none matches) and, in `shown`, the heading the column gets: the heading of
// its column in the language in use when the file's heading is another language's, else the file's.
QString keyOfHeading(const QString& heading, const std::vector<HeadingCandidate>& candidates, int& punch,
                     QString* shown = nullptr)
{
    // "12." followed by a per-punch heading: punch 12 of that group.
    punch = 0;
    const qsizetype dot = heading.indexOf(QLatin1Char('.'));
    if (dot >= 1 && dot <= 3) {
        // At most three characters before the ".": a punch number up to 999.
        const double number = Val(heading.left(dot));
        if (number > 0 && number < 1000)
            punch = static_cast<int>(number);
    }
    if (shown)
        *shown = heading;
    for (const HeadingCandidate& c : candidates) {
        if (c.text.isEmpty() || c.text == QLatin1String("..."))
            continue; // a text the language file lacks names no column
        const bool match =
            punch > 0 ? QStringView(heading).mid(dot) == QStringView(c.text).mid(2) : heading == c.text;
        if (!match)
            continue;
        if (shown && c.shown != c.text && !c.shown.isEmpty() && c.shown != QLatin1String("..."))
            *shown = punch > 0 ? QString::number(punch) + c.shown.mid(2) : c.shown;
        return QLatin1Char('N') + QString::number(100000 + 1000 * c.column + punch);
    }
    return {};
}

// The headings a card-list file may hold: those of the language in use, then those of every language file
// beside the program (a list saved under one language opens under another). With the file's headings, the
// language that recognises most of them is tried first, so that a heading two languages use for different
// columns names the column of the file's own language.
std::vector<HeadingCandidate> headingCandidates(const QStringList& headings = {})
{
    std::vector<std::vector<HeadingCandidate>> languages;
    languages.push_back(languageCandidates([](int id) { return cardListText(id); }));
    for (const QDomDocument& doc : ShippedLanguageFiles())
        languages.push_back(languageCandidates([&doc](int id) { return GetLangTextOf(doc, id, QString()); }));
    size_t best = 0;
    int bestCount = -1;
    for (size_t l = 0; l < languages.size() && !headings.isEmpty(); ++l) {
        int count = 0;
        for (const QString& heading : headings) {
            int punch = 0;
            count += !keyOfHeading(heading, languages[l], punch).isEmpty();
        }
        if (count > bestCount) {
            best = l;
            bestCount = count;
        }
    }
    std::vector<HeadingCandidate> candidates = languages[best];
    for (size_t l = 0; l < languages.size(); ++l) {
        if (l != best)
            candidates.insert(candidates.end(), languages[l].begin(), languages[l].end());
    }
    return candidates;
}

// Appends the card number as the repeated-card list holds it: right-aligned in 8 characters (its last 8
// when longer), then ";".
void appendCardNumberEntry(QString& entries, QStringView number)
{
    constexpr qsizetype width = 8;
    for (qsizetype i = number.size(); i < width; ++i)
        entries += QLatin1Char(' ');
    entries += number.right(width);
    entries += QLatin1Char(';');
}

// The field without one qualifier at its start and one at its end (each only when there).
QStringView withoutQualifier(QStringView field, QStringView qualifier)
{
    if (qualifier.isEmpty())
        return field;
    if (field.startsWith(qualifier))
        field = field.sliced(qualifier.size());
    if (field.endsWith(qualifier))
        field.chop(qualifier.size());
    return field;
}

// Splits a line as splitCardListLine does. The fields are views into the line, or into `held` for a
// qualified text whose doubled qualifiers had to be made single; both must outlive the fields.
void splitCardListFields(QStringView line, QStringView separator, QStringView qualifier,
                         QList<QStringView>& fields, QStringList& held)
{
    fields.clear();
    held.clear();
    const QStringView sep = separator.isEmpty() ? QStringView(u";") : separator;
    const QChar quote = qualifier.isEmpty() ? QChar(kFallbackQualifier) : qualifier.front();
    const qsizetype n = line.size();
    qsizetype pos = 0;
    while (true) {
        qsizetype p = pos;
        while (p < n && line[p] == QLatin1Char(' '))
            ++p;
        if (p < n && line[p] == quote) {
            // A qualified field ends at a qualifier followed by the separator or the line end. Its text is
            // the line from p + 1 on until a doubled qualifier turns up; from then on it is built in `built`.
            const qsizetype from = p + 1;
            QString built;
            bool building = false;
            qsizetype j = from;
            bool closed = false;
            while (j < n) {
                const qsizetype q = line.indexOf(quote, j);
                if (q < 0)
                    break;
                if (q + 1 < n && line[q + 1] == quote) {
                    if (!building)
                        built = line.sliced(from, q - from).toString();
                    else
                        built += line.sliced(j, q - j);
                    building = true;
                    built += quote;
                    j = q + 2;
                    continue;
                }
                qsizetype k = q + 1;
                while (k < n && line[k] == QLatin1Char(' '))
                    ++k;
                if (k == n || line.sliced(k).startsWith(sep)) {
                    if (building) {
                        built += line.sliced(j, q - j);
                        held.append(built);
                        fields.append(Trim(QStringView(held.back())));
                    } else {
                        fields.append(Trim(line.sliced(from, q - from)));
                    }
                    if (k == n)
                        return;
                    pos = k + sep.size();
                    closed = true;
                    break;
                }
                // A lone qualifier inside the text belongs to it.
                if (building) {
                    built += line.sliced(j, q - j);
                    built += quote;
                }
                j = q + 1;
            }
            if (closed)
                continue;
        }
        qsizetype end = line.indexOf(sep, pos);
        if (end < 0)
            end = n;
        fields.append(Trim(withoutQualifier(Trim(line.sliced(pos, end - pos)), qualifier)));
        if (end == n)
            return;
        pos = end + sep.size();
    }
}

void showReadError(const QString& path, const VbError& error)
{
    MsgBox(cardListText(1842) + QStringLiteral(" \"") + path + QStringLiteral("\"\r\r") + gFileMsgText +
               QLatin1Char(' ') + QString::number(error.Number()) + QLatin1Char('\r') + cardListText(1844) +
               QLatin1Char(' ') +
               (error.Description().isEmpty() ? VbErrorText(error.Number()) : error.Description()),
           vbExclamation);
}

} // namespace

QString GetLineField(const QString& field, const QString& qualifier)
{
    return withoutQualifier(field, qualifier).toString();
}

QStringList splitCardListLine(const QString& line, const QString& separator, const QString& qualifier)
{
    QList<QStringView> fields;
    QStringList held;
    splitCardListFields(line, separator, qualifier, fields, held);
    QStringList texts;
    texts.reserve(fields.size());
    for (QStringView field : fields)
        texts.append(field.toString());
    return texts;
}

QString columnKeyOfHeading(const QString& heading)
{
    int punch = 0;
    return keyOfHeading(heading, headingCandidates(), punch);
}

CardListReadResult readCardListFile(CardListAccess& list, const QString& path, uint8_t separatorType,
                                    uint8_t qualifierCode, bool keepColumns)
{
    CardListReadResult result;
    const ListFieldForm form = listFieldForm(separatorType, qualifierText(qualifierCode));
    gPunchColumnCount = 0;
    if (!fileExists(path))
        return result;

    // The first line gives the headings; every further line is a row, taken as it is read.
    bool headerTaken = false;
    int columns = 0;
    int cardNumberColumn = 0;
    const auto takeHeader = [&](const QStringList& header) {
        headerTaken = true;
        if (keepColumns) {
            // A heading of another language still names the same column.
            const std::vector<HeadingCandidate> candidates = headingCandidates(header);
            for (int i = 1; i <= header.size() && !header[i - 1].isEmpty(); ++i) {
                int punch = 0;
                if (i > list.columnCount() ||
                    (list.column(i).text != header[i - 1] &&
                     keyOfHeading(header[i - 1], candidates, punch) != list.column(i).key))
                    ++result.mismatches;
            }
        } else {
            list.clearRows();
            list.clearColumns();
            const std::vector<HeadingCandidate> candidates = headingCandidates(header);
            int previousPunch = 0;
            for (int i = 1; i <= header.size() && !header[i - 1].isEmpty(); ++i) {
                const QString& heading = header[i - 1];
                int punch = 0;
                QString shown;
                QString key = keyOfHeading(heading, candidates, punch, &shown);
                const QString positionKey = QLatin1Char('X') + QString::number(100000 + 1000 * i);
                if (key.isEmpty()) {
                    ++result.mismatches;
                    key = positionKey;
                }
                gCardsFormWidth += kReadColumnWidth;
                // A heading that appears twice keeps its column under its position's key.
                if (!list.addColumn(key, shown, kReadColumnWidth))
                    list.addColumn(positionKey, shown, kReadColumnWidth);
                if (punch > 0 && punch != previousPunch) {
                    ++gPunchColumnCount;
                    previousPunch = punch;
                }
            }
        }
        columns = list.columnCount();
        for (int i = 1; i <= columns && cardNumberColumn == 0; ++i) {
            if (list.column(i).key == QLatin1String("N103000"))
                cardNumberColumn = i;
        }
    };

    QList<QStringView> fields;
    QStringList held;
    QList<QStringView> cells;
    const auto takeRow = [&](QStringView line) {
        if (columns == 0)
            return;
        splitCardListFields(line, form.separator, form.qualifier, fields, held);
        // Missing fields are empty; fields beyond the last column are not read.
        cells.resize(columns);
        for (int i = 0; i < columns; ++i)
            cells[i] = i < fields.size() ? fields[i] : QStringView();
        // Rows appended to a list may meet a key already taken; the row comes in all the same.
        if (!list.addRowCells(QLatin1Char('p') + QString::number(list.rowCount() + 1), cells))
            list.addRowCells(QString(), cells);
        ++result.rowsAdded;
        if (cardNumberColumn > 0)
            appendCardNumberEntry(result.cardNumbers, cells[cardNumberColumn - 1]);
    };

    // A file that cannot be opened changes nothing; a failure once the lines come is the list's own.
    const auto takeFirstLine = [&](QStringView line) {
        result.read = true;
        gCardsFormWidth = kCardsFormFrameWidth;
        takeHeader(splitCardListLine(line.toString(), form.separator, form.qualifier));
    };
    try {
        forEachTextLine(path, [&](QStringView line) { headerTaken ? takeRow(line) : takeFirstLine(line); });
    } catch (const VbError& error) {
        if (result.read)
            throw;
        showReadError(path, error);
        return result;
    }
    if (!headerTaken)
        takeFirstLine(QStringView()); // an empty file: no headings, no rows

    if (result.mismatches > 0) {
        const QString count = result.mismatches >= columns ? cardListText(1010, QStringLiteral("alle"))
                                                           : QString::number(result.mismatches);
        MsgBox(count + QLatin1Char(' ') + cardListText(result.mismatches == 1 ? 1011 : 1012), vbCritical);
    }
    return result;
}

} // namespace qv
