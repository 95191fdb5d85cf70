// A card-list file the program writes, read by a real spreadsheet reader (Python's csv module).
#include "cardlist_test_support.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_file_write.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>

namespace qv::test {
namespace {

using CardListSpreadsheetTest = CardListTest;

struct SheetFile
{
    QString path, delimiter, quote;
};

// Reads files with the csv module as a spreadsheet would: Windows-1252, the given delimiter and quote
// character, a doubled quote inside a quoted field standing for one. Gives each file's rows of fields.
QList<QList<QStringList>> readWithPythonCsv(const QString& python, const QList<SheetFile>& files)
{
    const QString script = QStringLiteral(
        "import csv, json, sys\n"
        "out = []\n"
        "for path, delimiter, quote in zip(*[iter(sys.argv[1:])] * 3):\n"
        "    with open(path, newline='', encoding='cp1252') as f:\n"
        "        out.append(list(csv.reader(f, delimiter=delimiter, quotechar=quote, doublequote=True)))\n"
        "sys.stdout.write(json.dumps(out))\n");
    QStringList arguments{QStringLiteral("-c"), script};
    for (const SheetFile& f : files)
        arguments << f.path << f.delimiter << f.quote;
    QProcess process;
    process.start(python, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << "python3 failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    QList<QList<QStringList>> result;
    for (const QJsonValue& file : QJsonDocument::fromJson(process.readAllStandardOutput()).array()) {
        QList<QStringList> rows;
        for (const QJsonValue& row : file.toArray()) {
            QStringList fields;
            for (const QJsonValue& field : row.toArray())
                fields.append(field.toString());
            rows.append(fields);
        }
        result.append(rows);
    }
    return result;
}

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
