// The shipped help files describe the program as it is: every menu path they name ("Settings → serial
// port") is a menu item of the main window in the same language.
#include "support/test_support.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// The captions of the main window's menu items in a language file, without access-key marks.
QStringList menuCaptions(const QString& languageFile)
{
    QStringList captions;
    QFile f(languageFile);
    QDomDocument doc;
    if (!f.open(QIODevice::ReadOnly) || !doc.setContent(&f))
        return captions;
    const QDomElement menu =
        doc.documentElement().firstChildElement(QStringLiteral("frmMain")).firstChildElement(QStringLiteral("Menu"));
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
        const QStringList captions =
            menuCaptions(resources.filePath(QStringLiteral("QV-Config%1.xml").arg(QLatin1String(code))));
        ASSERT_FALSE(captions.isEmpty());
        QFile help(resources.filePath(QStringLiteral("QV-Config_%1.html").arg(QLatin1String(code))));
        ASSERT_TRUE(help.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(help.readAll());
        static const QRegularExpression path(QStringLiteral("<i>([^<]*&rarr;[^<]*)</i>"));
        int paths = 0;
        for (auto m = path.globalMatch(text); m.hasNext(); ++paths) {
            const QString found = m.next().captured(1);
            for (const QString& step : found.split(QStringLiteral("&rarr;"))) {
                const QString name = step.simplified();
                EXPECT_TRUE(captions.contains(name, Qt::CaseInsensitive))
                    << "\"" << name.toStdString() << "\" in \"" << found.simplified().toStdString() << "\"";
            }
        }
        EXPECT_GT(paths, 2);
    }
}
