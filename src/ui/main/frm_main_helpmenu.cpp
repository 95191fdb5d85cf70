// The help menu's windows: the about box, the text viewer for the protocol and read-me files, the language
// dialog; the help pages, from the menu and by F1.
#include "app/help_topics.h"
#include "app/language.h"
#include "app/settings.h"
#include "app/system_helpers.h"
#include "extras/frm_about.h"
#include "extras/frm_language.h"
#include "extras/frm_log.h"
#include "platform/controls/control.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/paths.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"

#include <QUrl>

namespace qv {

namespace {

// The help page of the language (gHelpFile, beside the program) in the user's browser, at a topic's anchor
// (0: the page's start); a computer without a program for it is told so. Without a help file of any
// language there is nothing to open.
void openHelpAt(int topic)
{
    if (gHelpFile.isEmpty())
        return;
    const QString path = programFolder() + u'/' + gHelpFile;
    if (topic == 0) {
        OpenWithDesktop(path);
        return;
    }
    QUrl page = QUrl::fromLocalFile(path);
    page.setFragment(helpTopicAnchor(topic));
    OpenWithDesktop(page.toString(QUrl::FullyEncoded));
}

} // namespace

void InstallHelpKey()
{
    helpKeyHandler = openHelpAt;
}

void FrmMain::wireHelpMenuHandlers()
{
    mnuLogDat.onClick = [this] { mnuLogDat_Click(); };
    mnuReadMe.onClick = [this] { mnuReadMe_Click(); };
    mnuHelpHelp.onClick = [this] { mnuHelpHelp_Click(); };
    mnuAbout.onClick = [this] { mnuAbout_Click(); };
    mnuLanguage.onClick = [this] { mnuLanguage_Click(); };
}

void FrmMain::mnuLogDat_Click()
{
    ShowFileInViewer(gProtocolPath, QStringLiteral(" "), vbCritical);
}

void FrmMain::mnuReadMe_Click()
{
    ShowFileInViewer(programFolder() + u'/' + GetLangText(gLangIndex, 1063, QString()), QStringLiteral(" "),
                     vbCritical);
}

void FrmMain::mnuHelpHelp_Click()
{
    openHelpAt(0);
}

void FrmMain::mnuAbout_Click()
{
    frmAbout().Show(vbModal);
}

void FrmMain::mnuLanguage_Click()
{
    frmLanguage().Show(vbModeless);
}

} // namespace qv
