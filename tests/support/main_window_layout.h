// What a person sees of the main window's station panel and the bars below it, for the layout tests of the
// offscreen platform and of the X display.
#pragma once
#include "support/layout_check.h"
#include "ui/main/frm_main.h"

#include "platform/dialogs/dialog_hooks.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QString>
#include <QStringList>

namespace qv::test {

// Controls of the main window meant to lie under others: the coloured option blocks, the full consumption
// bar, the mode combo's help strip, the blank panels, the scrolled panel and the banner on the toolbar.
inline const QSet<QString> kMainWindowBackgrounds{
    QStringLiteral("Label1(0)"), QStringLiteral("Label1(6)"), QStringLiteral("lblConsumptionGreen"),
    QStringLiteral("lblHelpMO"), QStringLiteral("frLeer"),    QStringLiteral("Picture1"),
    QStringLiteral("PicBanner"), QStringLiteral("picClient"), QStringLiteral("tbar")};

// Faults of the panel and the bars below it as the window stands: a control over the status bar, anything
// showing through the bar (stacked behind it is not enough, the bar must paint over what runs on under
// it), and, with the panel scrolled to its end, a control still hidden under the status bar or the
// code-number scroll bar. The panel is scrolled back to its top afterwards.
inline QStringList panelFaults(FrmMain& f)
{
    QStringList faults;
    for (const QString& c : controlsOverStatusBar(f, f.StatusBar))
        faults << c + QStringLiteral(" lies over the status bar");
    if (!f.StatusBar.widget()->isVisible())
        faults << QStringLiteral("the status bar is hidden");
    else if (!shownAsItPaints(f, f.StatusBar))
        faults << QStringLiteral("something shows through the status bar");
    if (f.VScroll1.Visible())
        f.VScroll1.setValue(f.VScroll1.Max());
    QApplication::processEvents();
    for (const Control* cover :
         {static_cast<const Control*>(&f.StatusBar), static_cast<const Control*>(&f.HScroll1)}) {
        if (!cover->Visible())
            continue;
        for (const QString& c : controlsCoveredBy(f, *cover, kMainWindowBackgrounds))
            faults << c + QStringLiteral(" lies hidden under ") + cover->Name();
    }
    f.VScroll1.setValue(0);
    QApplication::processEvents();
    return faults;
}

// Loads a code-number list of three numbers, written into `folder`, as Settings > code numbers from file
// does; its scroll bar then shows below the panel. False when the bar does not show.
inline bool loadCodeNumberList(FrmMain& f, const QString& folder)
{
    const QString list = QDir(folder).filePath(QStringLiteral("codes.CNo"));
    QFile file(list);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("31\r\n32\r\n33\r\n");
    file.close();
    DialogHooks::queue(DialogAnswer::chooseFile(list));
    f.mnuLoadCN.action()->trigger();
    return f.HScroll1.Visible();
}

} // namespace qv::test
