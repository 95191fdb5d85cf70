// The help menu's windows: the about box, the text viewer for the protocol and read-me files, the language
// dialog.
#include "app/language.h"
#include "app/settings.h"
#include "app/system_helpers.h"
#include "extras/frm_about.h"
#include "extras/frm_language.h"
#include "extras/frm_log.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/paths.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"

namespace qv {

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
    // Without a help file of any language there is nothing to open.
    if (!gHelpFile.isEmpty())
        OpenWithDesktop(programFolder() + u'/' + gHelpFile);
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
