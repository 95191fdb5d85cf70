// The shipped help files describe the program as it is: every menu path they name ("Settings → serial
// port") is a menu item of the main window in the same language, and every path marked as the card list's
// (<i class="cards">) one of the card list window's menu.
#include "support/test_support.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// The captions of a window's menu items in a language file, without access-key marks.
QStringList menuCaptions(const QString& languageFile, const QString& form)
{
    QStringList captions;
    QFile f(languageFile);
    QDomDocument doc;
    if (!f.open(QIODevice::ReadOnly) || !doc.setContent(&f))
        return captions;
    const QDomElement menu =
        doc.documentElement().firstChildElement(form).firstChildElement(QStringLiteral("Menu"));
    for (QDomElement item = menu.firstChildElement(); !item.isNull(); item = item.nextSiblingElement())
        captions << item.firstChildElement(QStringLiteral("Caption")).text().remove(QStringLiteral("__"));
    return captions;
}

} // namespace

TEST(HelpFiles, NameOnlyMenuItemsTheProgramHas)
{
    const QDir resources(qv::test::resourcesDir());
    for (const char* code : {"ENU", "DEU"}) {
        SCOPED_TRACE(code);
        const QString languageFile =
            resources.filePath(QStringLiteral("QV-Config%1.xml").arg(QLatin1String(code)));
        const QStringList mainCaptions = menuCaptions(languageFile, QStringLiteral("frmMain"));
        const QStringList cardsCaptions = menuCaptions(languageFile, QStringLiteral("frmCards"));
        ASSERT_FALSE(mainCaptions.isEmpty());
        ASSERT_FALSE(cardsCaptions.isEmpty());
        QFile help(resources.filePath(QStringLiteral("QV-Config_%1.html").arg(QLatin1String(code))));
        ASSERT_TRUE(help.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(help.readAll());
        static const QRegularExpression path(QStringLiteral("<i( class=\"cards\")?>([^<]*&rarr;[^<]*)</i>"));
        int mainPaths = 0;
        int cardsPaths = 0;
        for (auto m = path.globalMatch(text); m.hasNext();) {
            const QRegularExpressionMatch match = m.next();
            const bool cards = !match.captured(1).isEmpty();
            ++(cards ? cardsPaths : mainPaths);
            const QString found = match.captured(2);
            for (const QString& step : found.split(QStringLiteral("&rarr;"))) {
                const QString name = step.simplified();
                EXPECT_TRUE((cards ? cardsCaptions : mainCaptions).contains(name, Qt::CaseInsensitive))
                    << "\"" << name.toStdString() << "\" in \"" << found.simplified().toStdString() << "\""
                    << (cards ? " (card list)" : "");
            }
        }
        EXPECT_GT(mainPaths, 2);
        EXPECT_GT(cardsPaths, 2);
    }
}
