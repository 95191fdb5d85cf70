// Language files: loading a file and its language list.
#include "app/language.h"

#include "app/app_info.h"
#include "app/language_internal.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/paths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QUrl>
#include <QXmlStreamReader>
#include <memory>

namespace qv {

namespace {

// The empty-language-list message has been shown since the last load.
bool gNoLanguagesShown = false;

QDomElement languagesElement()
{
    const QDomElement root = gXmlDoc.documentElement();
    if (root.tagName() != u"Config")
        return {};
    return root.firstChildElement(QStringLiteral("Languages"));
}

void showNoLanguages()
{
    gNoLanguagesShown = true;
    MsgBox(QStringLiteral("No languages configures"), vbOKOnly, AppTitle());
}

// The parser's account of a file that does not parse.
QString parseErrorText(const QString& path, const QByteArray& content, const QXmlStreamReader& reader,
                       const QString& reason, int line, int column)
{
    const QList<QByteArray> lines = content.split('\n');
    QString source;
    if (line >= 1 && line <= lines.size())
        source = QString::fromUtf8(lines[line - 1]).remove(u'\r');
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Your XML Document failed to load") + QStringLiteral("due the following error.") +
           crlf + QStringLiteral("Error #: ") + QString::number(static_cast<int>(reader.error())) +
           QStringLiteral(": ") + reason + QStringLiteral("Line #: ") + QString::number(line) + crlf +
           QStringLiteral("Line Position: ") + QString::number(column) + crlf +
           QStringLiteral("Position In File: ") + QString::number(reader.characterOffset()) + crlf +
           QStringLiteral("Source Text: ") + source + crlf + QStringLiteral("Document URL: ") +
           QUrl::fromLocalFile(path).toString();
}

} // namespace

namespace lang_internal {

void warnIfNoLanguages()
{
    if (gNoLanguagesShown)
        return;
    const QDomElement langs = languagesElement();
    if (!langs.isNull() && langs.firstChildElement().isNull())
        showNoLanguages();
}

void resetNoLanguagesWarning()
{
    gNoLanguagesShown = false;
}

} // namespace lang_internal

QString LanguageFileName(const QString& code)
{
    return AppTitle() + code + QStringLiteral(".xml");
}

bool LoadLanguageFile(bool flag)
{
    const QString code = gLangIndex < gLangCodes.size() ? gLangCodes[gLangIndex] : QString();
    const QString path = programFolder() + u'/' + LanguageFileName(code);
    if (!QFileInfo(path).isFile()) {
        MsgBox(QStringLiteral("Missing ") + path, vbCritical, AppTitle());
        return false;
    }

    QByteArray content;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        content = file.readAll();
    QXmlStreamReader reader(content);
    QDomDocument doc;
    QString reason;
    int line = 0;
    int column = 0;
    const bool parsed =
        file.error() == QFileDevice::NoError && doc.setContent(&reader, false, &reason, &line, &column);
    lang_internal::resetNoLanguagesWarning();
    if (!parsed) {
        if (file.error() != QFileDevice::NoError)
            reason = file.errorString();
        // Nothing of a broken file is kept: every lookup gives its default.
        gXmlDoc.clear();
        MsgBox(parseErrorText(path, content, reader, reason, line, column), vbExclamation, AppTitle());
        return false;
    }
    gXmlDoc = doc;
    InstallQtTranslations(code);

    const QDomElement langs = languagesElement();
    if (langs.isNull() || langs.firstChildElement().isNull()) {
        showNoLanguages();
        return true;
    }
    if (flag) {
        gLangCodes = QStringList{QString()};
        gLangNames = QStringList{QString()};
        for (QDomElement e = langs.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            gLangCodes.append(e.tagName());
            gLangNames.append(e.text());
        }
    }
    return true;
}

QList<QDomDocument> ShippedLanguageFiles()
{
    // Parsed once per file and kept while the file stays as it was.
    struct Parsed
    {
        QDateTime modified;
        qint64 size = -1;
        QDomDocument doc;
    };
    static QHash<QString, Parsed> parsed;
    QList<QDomDocument> docs;
    const QDir folder(programFolder());
    const QStringList names =
        folder.entryList({AppTitle() + QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QFileInfo info(folder.filePath(name));
        Parsed& entry = parsed[info.absoluteFilePath()];
        if (entry.size != info.size() || entry.modified != info.lastModified()) {
            entry.size = info.size();
            entry.modified = info.lastModified();
            entry.doc.clear();
            QFile file(info.absoluteFilePath());
            QDomDocument doc;
            if (file.open(QIODevice::ReadOnly) && doc.setContent(&file))
                entry.doc = doc;
        }
        if (!entry.doc.isNull())
            docs.append(entry.doc);
    }
    return docs;
}

QString QtLanguageOfCode(const QString& code)
{
    // The language files are named by the three-letter language abbreviations of the system they came from.
    static const QHash<QString, QString> languages{
        {QStringLiteral("DEU"), QStringLiteral("de")},    {QStringLiteral("DES"), QStringLiteral("de")},
        {QStringLiteral("DEA"), QStringLiteral("de")},    {QStringLiteral("ENU"), QStringLiteral("en")},
        {QStringLiteral("ENG"), QStringLiteral("en")},    {QStringLiteral("FRA"), QStringLiteral("fr")},
        {QStringLiteral("FRB"), QStringLiteral("fr")},    {QStringLiteral("FRS"), QStringLiteral("fr")},
        {QStringLiteral("ITA"), QStringLiteral("it")},    {QStringLiteral("ESP"), QStringLiteral("es")},
        {QStringLiteral("ESN"), QStringLiteral("es")},    {QStringLiteral("NLD"), QStringLiteral("nl")},
        {QStringLiteral("SVE"), QStringLiteral("sv")},    {QStringLiteral("NOR"), QStringLiteral("nb")},
        {QStringLiteral("DAN"), QStringLiteral("da")},    {QStringLiteral("FIN"), QStringLiteral("fi")},
        {QStringLiteral("CSY"), QStringLiteral("cs")},    {QStringLiteral("PLK"), QStringLiteral("pl")},
        {QStringLiteral("HUN"), QStringLiteral("hu")},    {QStringLiteral("PTG"), QStringLiteral("pt")},
        {QStringLiteral("PTB"), QStringLiteral("pt_BR")}, {QStringLiteral("RUS"), QStringLiteral("ru")},
        {QStringLiteral("SKY"), QStringLiteral("sk")},    {QStringLiteral("SLV"), QStringLiteral("sl")},
        {QStringLiteral("JPN"), QStringLiteral("ja")},
    };
    return languages.value(code.trimmed().toUpper());
}

void InstallQtTranslations(const QString& code)
{
    static QTranslator* installed = nullptr;
    if (!QCoreApplication::instance())
        return;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    const QString language = QtLanguageOfCode(code);
    if (language.isEmpty() || language == u"en")
        return;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator.get()))
        installed = translator.release();
}

} // namespace qv
