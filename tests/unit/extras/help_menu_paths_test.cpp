// The help pages name only menu items a person can meet: every main-window path they give ("Settings →
// serial port") leads, in the started window of the same language, to an item of that menu that is shown.
#include "help_windows_fixture.h"
#include "receiver/backup_readout.h"
#include "receiver/backup_window.h"

#include <QRegularExpression>

namespace qv::test {
namespace {

using HelpMenuPathsTest = HelpWindowsTest;

QString plain(const QString& caption)
{
    return QString(caption).remove(u'&').trimmed();
}

TEST_F(HelpMenuPathsTest, EveryMainWindowPathOfTheHelpLeadsToAShownItem)
{
    for (const auto& [language, page] :
         {std::pair{"en", "QV-Config_ENU.html"}, std::pair{"de", "QV-Config_DEU.html"}}) {
        SCOPED_TRACE(page);
        gCommandLine = QString::fromLatin1(language);
        FrmMain& f = startWindow();
        // The menus of the menu bar that show, each with the items it shows once dropped down: at the start
        // (a remote station), with a station connected directly, and with a backup listing in the data pane.
        QMap<QString, QStringList> shown;
        const auto collect = [&] {
            for (Control* c : f.Controls()) {
                auto* menu = dynamic_cast<MenuItem*>(c);
                if (!menu || menu->ParentMenu() || !menu->Visible() || menu->items().isEmpty())
                    continue;
                menu->Click(); // the items are set up as the menu drops down
                QStringList& items = shown[plain(menu->Caption())];
                for (MenuItem* item : menu->items())
                    if (item->Visible())
                        items << plain(item->Caption());
            }
        };
        collect();
        gConnMode = ConnDirect;
        f.stellFürMode();
        collect();
        gBackupFlag = true;
        backupWindow().updateViewButtons();
        collect();
        gBackupFlag = false;
        ASSERT_FALSE(shown.isEmpty());

        QFile file(QDir(programFolderPath()).filePath(QString::fromLatin1(page)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll())
                                 .replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
        const QRegularExpression path(QStringLiteral("<i>([^<]*?) &rarr; ([^<]*?)</i>"));
        QStringList missing;
        int checked = 0;
        for (auto m = path.globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            const auto menu = shown.constFind(match.captured(1).trimmed());
            if (menu == shown.constEnd())
                continue; // not a menu of the main window (the card list's own menus)
            const QString item = match.captured(2).trimmed();
            ++checked;
            const bool found = std::any_of(menu->begin(), menu->end(), [&](const QString& caption) {
                return caption.startsWith(item, Qt::CaseInsensitive) ||
                       item.startsWith(caption, Qt::CaseInsensitive);
            });
            if (!found)
                missing << match.captured(1) + QStringLiteral(" -> ") + item;
        }
        EXPECT_GT(checked, 10);
        EXPECT_TRUE(missing.isEmpty()) << missing.join(u'|').toStdString();
        closeWindow();
        resetWindowState();
    }
}

} // namespace
} // namespace qv::test
