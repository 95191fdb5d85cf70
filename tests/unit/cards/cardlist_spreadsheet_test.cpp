// A card-list file the program writes, read by a real spreadsheet reader (Python's csv module).
#include "cardlist_test_support.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_file_write.h"
#include "python_csv.h"

#include <QStandardPaths>

namespace qv::test {
namespace {

using CardListSpreadsheetTest = CardListTest;

TEST_F(CardListSpreadsheetTest, SavedFileOpensWithTheSameFields)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        GTEST_SKIP() << "python3 is not installed: no spreadsheet reader to check the files with";

    CardListTable list;
    appendDefaultColumns(list);
    const QStringList texts = {"Müller, Anna", "O'Brien; \"Junior\"", "tab\there", "'quoted'",
                               "\"lead",       "10:15:30,250",        "ÄÖÜß€",     "",
                               "plain"};
    for (int r = 1; r <= 5; ++r) {
        list.addRow(QString(), QString::number(r));
        for (int i = 2; i <= list.columnCount(); ++i)
            list.setSubItem(r, i - 1, texts[(r * 5 + i) % texts.size()]);
    }
    QList<QStringList> expected{headingsOf(list)};
    expected.append(cellsOf(list));

    const QString delimiters[] = {";", ",", "\t"};
    QList<SheetFile> files;
    for (uint8_t type = 1; type <= 3; ++type) {
        for (uint8_t qualifier : {uint8_t(0), uint8_t(34), uint8_t(39)}) {
            gSeparatorType = type;
            gTextQualifier = qualifier;
            const QString file = path(QStringLiteral("sheet%1_%2.CSV").arg(type).arg(qualifier));
            QString text;
            ASSERT_TRUE(saveCardListFile(&list, file, text, true));
            files.append(
                {file, delimiters[type - 1], qualifier == 39 ? QStringLiteral("'") : QStringLiteral("\"")});
        }
    }
    const QList<QList<QStringList>> read = readWithPythonCsv(python, files);
    ASSERT_EQ(read.size(), files.size());
    for (qsizetype f = 0; f < files.size(); ++f) {
        SCOPED_TRACE(files[f].path.toStdString());
        QList<QStringList> rows = read[f];
        ASSERT_EQ(rows.size(), expected.size());
        for (QStringList& row : rows) {
            // Every field is followed by the separator: the reader sees one empty field after the last.
            ASSERT_EQ(row.size(), list.columnCount() + 1);
            EXPECT_EQ(row.takeLast(), QString());
            // The start and finish times with a sub-second part carry a blank in front.
            for (QString& field : row)
                field = field.trimmed();
        }
        EXPECT_EQ(rows, expected);
    }
}

} // namespace
} // namespace qv::test
