// Card-list files read back by a real spreadsheet reader: Python's csv module, run as python3.
#pragma once
#include <QJsonArray>
#include <QJsonDocument>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace qv::test {

struct SheetFile
{
    QString path, delimiter, quote;
};

// Reads files with the csv module as a spreadsheet would: Windows-1252, the given delimiter and quote
// character, a doubled quote inside a quoted field standing for one. Gives each file's rows of fields.
inline QList<QList<QStringList>> readWithPythonCsv(const QString& python, const QList<SheetFile>& files)
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

} // namespace qv::test
