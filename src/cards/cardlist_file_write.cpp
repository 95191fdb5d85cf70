// Card-list files: the field and line forms of every separator type and the text of a whole list.
#include "cards/cardlist_file_write.h"

#include "app/settings.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_main_window.h"
#include "cards/cardlist_state.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/dates.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/strings.h"
#include "platform/runtime/vberror.h"
#include "stationdata/modes.h"

#include <algorithm>

namespace qv {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString fieldAt(const QStringList& fields, int i)
{
    return i >= 1 && i <= fields.size() ? fields[i - 1] : QString();
}

// Appends one field as written, separator included. Qualifying a field that holds the separator keeps every
// later column in its place when the file is read again; a doubled qualifier inside stands for one.
void appendField(QString& line, QStringView text, const ListFieldForm& form)
{
    static const QString fallback(kFallbackQualifier);
    const bool needsQualifier = form.qualifier.isEmpty() && !form.separator.isEmpty() &&
                                (text.contains(form.separator) || text.startsWith(kFallbackQualifier));
    const QString& qualifier = needsQualifier ? fallback : form.qualifier;
    line += qualifier;
    if (!qualifier.isEmpty() && text.contains(qualifier))
        line += text.toString().replace(qualifier, qualifier + qualifier);
    else
        line += text;
    line += qualifier;
    line += form.separator;
}

// Appends field `text` of a line of every type but the read-out record: trimmed, a line break inside written
// as a blank (it would split its row in two), and in the start-time and finish-time columns a text with a
// "," given one blank in front.
void appendListField(QString& line, QStringView text, bool timeColumn, const ListFieldForm& form)
{
    QString changed;
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) {
        changed = text.toString();
        changed.replace(QLatin1Char('\r'), QLatin1Char(' '));
        changed.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text = changed;
    }
    text = Trim(text);
    if (timeColumn && text.contains(QLatin1Char(','))) {
        changed = QLatin1Char(' ') + text.toString();
        text = changed;
    }
    appendField(line, text, form);
}

// Appends fields 1 to count of a line of every type but the read-out record; field(i) gives field i.
template <class Field> void appendListFields(QString& line, int count, const ListFieldForm& form, Field field)
{
    for (int i = 1; i <= count; ++i)
        appendListField(line, field(i), i == gStartTimeColumn || i == gFinishTimeColumn, form);
}

// The weekday (Sunday 0) of field 3 of a read-out record: a two-letter weekday name, or a date.
int readoutWeekday(const QString& field)
{
    if (field.size() == 2)
        return InStr(gWeekdayNames, field) / 10;
    if (!IsDate(field))
        throw VbError(ErrTypeMismatch);
    return Weekday(CDate(field), vbSunday) - 1;
}

// The time of the week in 1/256 s from a time of day with an optional "," and thousandths; a text that is no
// time stays as it is (cut at the ","), a text starting with "Err" too.
QString readoutTime(QString text, int weekday)
{
    int sub = 0;
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0) {
        sub = CLng(Val(text.mid(comma + 1)) * 256) / 1000;
        text.truncate(comma);
    }
    if (text.startsWith(QLatin1String("Err")) || !IsDate(text))
        return text;
    const QDateTime time = CDate(text);
    const qint64 seconds =
        qint64(weekday) * 86400 + qint64(Hour(time)) * 3600 + qint64(Minute(time)) * 60 + Second(time);
    return QString::number(seconds * 256 + sub);
}

} // namespace

QString BuildReadoutRecordLine(const QStringList& fields, int16_t count, uint8_t separatorType,
                               const QString& qualifier)
{
    const ListFieldForm form = listFieldForm(separatorType, qualifier);
    QString line;
    if (form.readout) {
        // The record has exactly four fields; later ones have no place in it.
        int weekday = 0;
        for (int i = 1; i <= std::min<int>(count, 4); ++i) {
            QString text;
            if (i == 1) {
                text = QStringLiteral("readout");
            } else if (i == 2) {
                text = Trim(fieldAt(fields, 2));
            } else if (i == 3) {
                weekday = readoutWeekday(fieldAt(fields, 3));
                text = QLatin1Char(';') + mainStationCodeNoText() + QStringLiteral(";;");
            } else {
                text = readoutTime(Trim(fieldAt(fields, 4)), weekday);
            }
            line += text + form.separator;
        }
        return line;
    }
    appendListFields(line, count, form, [&fields](int i) {
        return i <= fields.size() ? QStringView(fields[i - 1]) : QStringView();
    });
    return line;
}

bool cardListHasColumnsToSave(const CardListAccess& list)
{
    if (list.columnCount() >= 1)
        return true;
    MsgBox(cardListText(1009, QStringLiteral("No date for save")), vbOKOnly);
    return false;
}

bool forEachCardListPiece(const CardListAccess& list, const std::function<void(const QString&)>& take)
{
    const QString startHeading = cardListText(1629);
    const QString finishHeading = cardListText(1632);
    gStartTimeColumn = 0;
    gFinishTimeColumn = 0;
    if (!cardListHasColumnsToSave(list))
        return false;
    const int n = list.columnCount();
    gListFields = QStringList();
    gListFields.reserve(n);
    for (int i = 1; i <= n; ++i) {
        const QString heading = list.column(i).text;
        gListFields.append(heading);
        if (heading == startHeading)
            gStartTimeColumn = static_cast<int16_t>(i);
        else if (heading == finishHeading)
            gFinishTimeColumn = static_cast<int16_t>(i);
    }
    const QString qualifier = qualifierText(gTextQualifier);
    const ListFieldForm form = listFieldForm(gSeparatorType, qualifier);
    const auto count = static_cast<int16_t>(n);
    QString piece = BuildReadoutRecordLine(gListFields, count, gSeparatorType, qualifier);
    take(piece);
    // The rows' cells go into the text straight from the list, without a copy of each; one row's text at a
    // time is held.
    QList<QStringView> cells;
    const auto cellTexts = [&cells] {
        QStringList fields;
        fields.reserve(cells.size());
        for (QStringView cell : cells)
            fields.append(cell.toString());
        return fields;
    };
    const int rows = list.rowCount();
    for (int j = 1; j <= rows; ++j) {
        list.rowCells(j, cells);
        piece = kCrLf;
        if (form.readout) {
            gListFields = cellTexts();
            piece += BuildReadoutRecordLine(gListFields, count, gSeparatorType, qualifier);
        } else {
            appendListFields(piece, n, form, [&cells](int i) { return cells[i - 1]; });
        }
        take(piece);
    }
    // The fields of the line built last, as the read-out record's builder leaves them.
    if (rows > 0 && !form.readout)
        gListFields = cellTexts();
    return true;
}

std::optional<QString> buildCardListText(const CardListAccess& list)
{
    QString text;
    if (!forEachCardListPiece(list, [&text](const QString& piece) { text += piece; }))
        return std::nullopt;
    return text;
}

} // namespace qv
