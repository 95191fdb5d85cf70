// Fuzz target: arbitrary bytes as a card-list file and as a column-header file; what was read saves and
// reads back the same.
#include "app/settings.h"
#include "cards/card_record.h"
#include "cards/cardlist_colhead.h"
#include "cards/cardlist_file_read.h"
#include "cards/cardlist_file_write.h"
#include "cards/cardlist_model.h"
#include "cards/cardlist_rows.h"
#include "cards/cardlist_state.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/system/codepage.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    check(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QList<QStringList> contentsOf(const qv::CardListAccess& list)
{
    QList<QStringList> all;
    QStringList headings;
    for (int i = 1; i <= list.columnCount(); ++i)
        headings.append(list.column(i).text);
    all.append(headings);
    for (int j = 1; j <= list.rowCount(); ++j) {
        QStringList row{list.rowText(j)};
        for (int i = 1; i < list.columnCount(); ++i)
            row.append(list.subItem(j, i));
        all.append(row);
    }
    return all;
}

// A text the single-byte code page holds as it is.
bool survivesCodePage(const QString& text)
{
    return qv::cp1252ToString(qv::stringToCp1252(text)) == text;
}

// The columns of a column-header file saved from `list` and read again are the list's own: keys, captions
// (a ";" as ",", a line break as a blank) and widths to the whole twip. Keys and captions outside the code
// page are not checked (the file cannot hold them).
void checkColumnHeaderRoundTrip(const qv::CardListAccess& list, const QString& path)
{
    for (int i = 1; i <= list.columnCount(); ++i) {
        const qv::CardListColumn c = list.column(i);
        if (!survivesCodePage(c.key) || !survivesCodePage(c.text))
            return;
    }
    writeFile(path, qv::columnHeaderFileBytes(list, qv::gColHeadTitle));
    qv::CardListTable back;
    qv::gColHeadFile = path;
    qv::loadColumnHeaders(back, QString());
    check(back.columnCount() == list.columnCount());
    for (int i = 1; i <= list.columnCount(); ++i) {
        const qv::CardListColumn was = list.column(i);
        const qv::CardListColumn now = back.column(i);
        QString caption = was.text;
        caption.replace(QLatin1Char(';'), QLatin1Char(',')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        caption.replace(QLatin1Char('\n'), QLatin1Char(' '));
        check(now.key == was.key);
        check(now.text == caption);
        check(now.width == std::round(was.width));
    }
}

bool holdsCarriageReturn(const QList<QStringList>& contents)
{
    for (const QStringList& row : contents)
        for (const QString& text : row)
            if (text.contains(QLatin1Char('\r')))
                return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace qv;
    static QTemporaryDir dir;
    static const QString listPath = dir.filePath(QStringLiteral("list.CSV"));
    static const QString againPath = dir.filePath(QStringLiteral("again.CSV"));
    static const QString colPath = dir.filePath(QStringLiteral("cols.CSV"));
    DialogHooks::setNoModal(true);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    // As a card-list file, under a separator and a qualifier chosen by the first two bytes.
    const uint8_t type = size > 0 ? uint8_t(1 + data[0] % 5) : 1;
    const uint8_t qualifiers[] = {0, 34, 39};
    const uint8_t qualifier = size > 1 ? qualifiers[data[1] % 3] : 0;
    writeFile(listPath, bytes);
    CardListTable list;
    readCardListFile(list, listPath, type, qualifier, false);

    // What was read saves and reads back the same (a lone CR in a text is saved as a blank).
    const QList<QStringList> contents = contentsOf(list);
    if (type <= 3 && list.columnCount() > 0 && !holdsCarriageReturn(contents)) {
        gSeparatorType = type;
        gTextQualifier = qualifier;
        const std::optional<QString> text = buildCardListText(list);
        check(text.has_value());
        writeFile(againPath, cardListFileBytes(*text));
        CardListTable again;
        readCardListFile(again, againPath, type, qualifier, false);
        check(contentsOf(again) == contents);
    }

    // A card added under the columns read.
    CardRecord card;
    card.PunchCount = QString::number(size % 200);
    card.Punches[1].CN = QStringLiteral("31");
    addCardListRow(list, card);

    // As a column-header file, and as the text form of one.
    gColHeadFile = colPath;
    writeFile(colPath, bytes);
    CardListTable columns;
    loadColumnHeaders(columns, QString());
    checkColumnHeaderRoundTrip(columns, dir.filePath(QStringLiteral("cols_again.CSV")));
    loadColumnHeaders(columns, QString::fromLatin1(bytes));
    addCardListRow(columns, card);

    DialogHooks::reset();
    return 0;
}
