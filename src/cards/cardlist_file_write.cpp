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
void appendField(QString& line, QString text, const ListFieldForm& form)
{
    QString qualifier = form.qualifier;
    if (qualifier.isEmpty() && !form.separator.isEmpty() &&
        (text.contains(form.separator) || text.startsWith(kFallbackQualifier)))
        qualifier = QString(kFallbackQualifier);
    if (!qualifier.isEmpty() && text.contains(qualifier))
        text.replace(qualifier, qualifier + qualifier);
    line += qualifier;
    line += text;
    line += qualifier;
    line += form.separator;
}

// A line break inside a text would split its row in two: it is written as a blank.
QString withoutLineBreaks(QString text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
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
    for (int i = 1; i <= count; ++i) {
        QString text = Trim(withoutLineBreaks(fieldAt(fields, i)));
        if ((i == gStartTimeColumn || i == gFinishTimeColumn) && text.contains(QLatin1Char(',')))
            text.prepend(QLatin1Char(' '));
        appendField(line, text, form);
    }
    return line;
}

std::optional<QString> buildCardListText(const CardListAccess& list)
{
    const QString startHeading = cardListText(1629);
    const QString finishHeading = cardListText(1632);
    gStartTimeColumn = 0;
    gFinishTimeColumn = 0;
    const int n = list.columnCount();
    if (n < 1) {
        MsgBox(cardListText(1009, QStringLiteral("No date for save")), vbOKOnly);
        return std::nullopt;
    }
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
    const auto count = static_cast<int16_t>(n);
    QString text = BuildReadoutRecordLine(gListFields, count, gSeparatorType, qualifier);
    for (int j = 1; j <= list.rowCount(); ++j) {
        gListFields[0] = list.rowText(j);
        for (int i = 2; i <= n; ++i)
            gListFields[i - 1] = list.subItem(j, i - 1);
        text += kCrLf;
        text += BuildReadoutRecordLine(gListFields, count, gSeparatorType, qualifier);
    }
    return text;
}

} // namespace qv
