// Every help topic a control can carry has its place in the help page of each shipped language, and the
// code sets no topic outside that list.
#include "app/help_topics.h"
#include "support/test_support.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace qv {
namespace {

QString fileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

TEST(HelpTopics, EveryTopicHasItsPlaceInTheHelpOfBothLanguages)
{
    for (const char* language : {"ENU", "DEU"}) {
        const QString page = fileText(test::resourcesDir() +
                                      QStringLiteral("/QV-Config_%1.html").arg(QLatin1String(language)));
        ASSERT_FALSE(page.isEmpty()) << language;
        for (const int topic : kHelpTopics) {
            EXPECT_TRUE(page.contains(QStringLiteral("id=\"%1\"").arg(helpTopicAnchor(topic))))
                << language << " help has no place for topic " << topic;
        }
    }
}

// A topic written as a number where the code sets a control's HelpContextID, or decides one, must be one
// of the listed topics (the list is what the help pages are checked against).
TEST(HelpTopics, TheCodeSetsOnlyListedTopics)
{
    const QString src = QDir(test::resourcesDir() + QStringLiteral("/../src")).canonicalPath();
    ASSERT_FALSE(src.isEmpty());
    static const QRegularExpression literal(
        QStringLiteral(R"((?:\.setHelpContextID\(|helpContextId\s*=\s*|HelpContextID\(\)\s*==\s*)(\d+))"));
    int files = 0;
    QDirIterator it(src, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        // The menus keep the number of their caption's language text in this property.
        if (path.endsWith(QLatin1String("/ui/main/frm_main.cpp")))
            continue;
        ++files;
        const QString text = fileText(path);
        for (auto m = literal.globalMatch(text); m.hasNext();) {
            const int id = m.next().captured(1).toInt();
            if (id == 0)
                continue;
            EXPECT_NE(std::find(std::begin(kHelpTopics), std::end(kHelpTopics), id), std::end(kHelpTopics))
                << path.toStdString() << " sets help topic " << id << ", which is not in the list";
        }
    }
    EXPECT_GT(files, 100);
}

} // namespace
} // namespace qv
