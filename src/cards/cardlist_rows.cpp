// A decoded card becomes one row of the card list, one line of the direct-cards file or the clipboard.
#include "cards/cardlist_rows.h"
#include "stationdata/station_time.h"

#include "app/file_helpers.h"
#include "app/settings.h"
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_file_write.h"
#include "cards/cardlist_keys.h"
#include "cards/cardlist_state.h"
#include "link/link_globals.h"
#include "link/protocol_file.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/numbers.h"
#include "platform/system/clipboard.h"
#include "platform/system/textfile.h"
#include "stationdata/station_data.h"

#include <algorithm>
#include <vector>

namespace qv {

namespace {

// The number of punches the card needs columns for.
int neededPunchColumns(const CardRecord& card)
{
    if (gNodrelMode && gOpenColHeadAnswer == vbNo && !gColumnsChanged)
        return kNodrelPunchCount;
    // No card holds more than kMaxPunches; a count beyond it cannot come from a card.
    return static_cast<int>(std::clamp(leadingValue(card.PunchCount), 0.0, double(kMaxPunches)));
}

// Older stations hand over only the first 64 punches of a card.
int cappedPunchColumns(int n)
{
    if (gModelId < kPunchCapModel && gFirmware >= 1 && gFirmware <= kPunchCapFirmware &&
        gActionCode != ActCardsFile && !gEvaluatingDumpFile && n > kPunchCapCount) {
        if (gWarnPunchCap || gActionCode == ActReadCards || gActionCode == ActViewPunch)
            MsgBox(cardListText(1935), vbOKOnly);
        gWarnPunchCap = false;
        return kPunchCapCount;
    }
    return n;
}

void growPunchColumns(CardListAccess& list, int n)
{
    if (n <= gPunchColumnCount || gPunchCountColumn == 0)
        return;
    list.setListVisible(false);
    for (int i = gPunchColumnCount + 1; i <= n; ++i) {
        for (int group = kPunchGroupCodeNo; group <= kPunchGroupTime; ++group) {
            if (group == kPunchGroupDay && gPunchCountColumn < 2)
                continue;
            const int width = perPunchWidth(group, i);
            list.addColumn(perPunchKey(group, i), perPunchHeading(group, i), gNodrelMode ? 0 : width,
                           QString::number(width));
        }
    }
    gPunchColumnCount = static_cast<int16_t>(n);
    list.setListVisible(true);
}

// What the key of column c stands for, worked out once while the column keeps its key: a list of many
// thousand cards asks it for every cell.
const CardListKey& resolvedKey(int c, const QString& key)
{
    static QStringList keys;
    static std::vector<CardListKey> resolved;
    const auto i = size_t(c - 1);
    if (resolved.size() <= i) {
        resolved.resize(i + 1);
        while (keys.size() <= qsizetype(i))
            keys.append(QString());
        keys[qsizetype(i)] = key;
        resolved[i] = resolveCardListKey(key);
    } else if (keys[qsizetype(i)] != key) {
        keys[qsizetype(i)] = key;
        resolved[i] = resolveCardListKey(key);
    }
    return resolved[i];
}

} // namespace

AddedCardRow addCardListRow(CardListAccess& list, const CardRecord& card)
{
    AddedCardRow result;
    ++gCardCount;
    if (list.rowCount() > 0) {
        // The numbering goes on from the last row's number (a list read from a file included).
        const double last = leadingValue(list.rowText(list.rowCount()));
        if (last > INT32_MIN && last < INT32_MAX - 1)
            gCardCount = static_cast<int32_t>(CLng(last)) + 1;
    }

    growPunchColumns(list, cappedPunchColumns(neededPunchColumns(card)));

    // The row's cells are gathered first and handed to the list in one step, so the list keeps them in
    // exactly the room they need; a cell the card does not write stays empty.
    const int columns = list.columnCount();
    QStringList texts(columns);
    for (int c = 1; c <= columns; ++c) {
        const CardListColumn column = list.column(c);
        const CardListCell cell = cardListCell(card, resolvedKey(c, column.key), gCardCount);
        if (!cell.written)
            continue;
        texts[c - 1] = cell.text;
        // A hidden column opens when a card writes a cell in it.
        if (c > 1 && column.width == 0)
            list.setColumnWidth(c, leadingValue(column.tag));
        result.line += cell.text + QLatin1Char(';');
    }
    if (columns >= 1) {
        const QList<QStringView> cells(texts.cbegin(), texts.cend());
        // The card gets its row even when its first cell is skipped or its key is taken.
        if (!list.addRowCells(QLatin1Char('p') + QString::number(gCardCount), cells))
            list.addRowCells(QString(), cells);
        result.added = true;
        gCardListChanged = true;
    }

    if (list.rowCount() >= 1) {
        list.selectRow(list.rowCount());
        gCardComplete = true;
        if (gActionCode == ActReadCards) {
            if (!gDirectCardsFile.isEmpty()) {
                writeDirectCardsLine(list, gDirectCardsFile, result.line);
            } else if (gAutoClipBoard) {
                Clipboard.Clear();
                Clipboard.SetText(QString(result.line).replace(QChar(0), QLatin1Char(' ')));
            }
        }
    }
    return result;
}

QString cardListHeadingLine(const CardListAccess& list)
{
    QString line;
    for (int i = 1; i <= list.columnCount(); ++i)
        line += list.column(i).text + QLatin1Char(';');
    return line;
}

void writeDirectCardsLine(const CardListAccess& list, const QString& path, const QString& line)
{
    const bool exists = fileExists(path);
    const bool firstCards = list.rowCount() < 2 || gColumnsChanged;
    const QString header = !exists || firstCards ? cardListHeadingLine(list) : QString();
    const QString first = firstCards ? ReadFileLine(path, 1) : QString();
    if (exists && header == first) {
        WriteListLine(path, line, QString());
        return;
    }
    if (exists) {
        QString name = path;
        if (!RenameToBackup(name))
            MsgBox(path + QLatin1Char(' ') + cardListText(1841) + QLatin1Char(' '), vbExclamation);
    }
    WriteListLine(path, line, header);
}

} // namespace qv
