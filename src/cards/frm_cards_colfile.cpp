// The card list window's column-header file commands (open and save a column set) and the question that
// offers unsaved changes for saving before they are lost.
#include "app/app_info.h"
#include "app/file_helpers.h"
#include "app/path_helpers.h"
#include "app/settings.h"
#include "cards/card_interpreter.h"
#include "cards/cardlist_colhead.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_main_window.h"
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vberror.h"

namespace qv {

namespace {

// Long names, no read-only file, path (and for opening the file) must exist, keep the current folder,
// ask before replacing.
constexpr int32_t kOpenDialogFlags = cdlOFNLongNames | cdlOFNNoReadOnlyReturn | cdlOFNFileMustExist |
                                     cdlOFNPathMustExist | cdlOFNNoChangeDir | cdlOFNOverwritePrompt;
constexpr int32_t kSaveDialogFlags = kOpenDialogFlags & ~cdlOFNFileMustExist;

// A file command that failed: the error number and its description.
void showColumnFileError(int number, const QString& description)
{
    MsgBox(QString::number(number) + QLatin1Char(' ') +
               (description.isEmpty() ? VbErrorText(number) : description),
           vbCritical, AppTitle() + QLatin1Char(' ') + cardListText(1837));
}

// Lets the user choose a column-header file; the chosen path, or "" when the dialog was cancelled or failed
// (a failure has been reported).
QString chooseColumnHeaderFile(bool save)
{
    CommonDialog& dialog = linkWindow().CommonDialog1();
    try {
        dialog.DialogTitle = cardListText(1836) + QLatin1Char(' ') + cardListText(1600);
        dialog.Filter = QStringLiteral("(*.CSV)|*.CSV|") + cardListText(1769) + QStringLiteral("(*.*)|*.*");
        dialog.FilterIndex = 1;
        const QString folder = GetFolder(gColHeadFile);
        dialog.InitDir = folder.isEmpty() ? gDataFolder : folder;
        dialog.FileName = gColHeadFile;
        dialog.Flags = save ? kSaveDialogFlags : kOpenDialogFlags;
        dialog.CancelError = true;
        if (save)
            dialog.ShowSave();
        else
            dialog.ShowOpen();
    } catch (const VbError& error) {
        if (error.Number() != cdlCancel)
            showColumnFileError(error.Number(), error.Description());
        return {};
    }
    return dialog.FileName;
}

void useColumnHeaderFile(const QString& path)
{
    gColHeadFile = path;
    gColHeadFolder = path;
}

} // namespace

void FrmCards::mnuOpen_Click()
{
    const QString path = chooseColumnHeaderFile(false);
    if (path.isEmpty())
        return;
    useColumnHeaderFile(path);
    LoadColumnHeaders(QString());
}

void FrmCards::mnuSave_Click()
{
    const QString path = chooseColumnHeaderFile(true);
    if (path.isEmpty())
        return;
    // A failed save changes nothing: the file in use, the status texts and the unsaved-changes mark stay.
    if (const int error = writeColumnHeaderFile(cardList(), path); error != 0) {
        showColumnFileError(error, QString());
        return;
    }
    useColumnHeaderFile(path);
    setMainActionText(cardListText(1600) + QStringLiteral(": ") + gColHeadFile + QLatin1Char(' ') +
                      cardListText(1767));
    gColumnsChanged = false;
    UpdateCardListStatus(QString());
}

bool FrmCards::unsavedChanges()
{
    return gColumnsChanged || gCardListChanged || changedPanel().Visible();
}

void FrmCards::evtlSave()
{
    if (!unsavedChanges())
        return;
    if (MsgBox(cardListText(1761), vbYesNo + vbQuestion) == vbYes) {
        // Each save clears its own mark once it is done; a cancelled or failed one leaves it set, so the
        // changes are still shown as unsaved.
        if (gColumnsChanged)
            mnuSave_Click();
        if (gCardListChanged)
            mnuSaveFile_Click();
    } else {
        setMainActionText(cardListText(1762));
        gColumnsChanged = false;
        gCardListChanged = false;
    }
}

void AskOpenColumnFile()
{
    if (gActionCode != ActReadCards || gColHeadAsked)
        return;
    if (FormInstance<FrmCards>::loaded() && frmCards().lvCards.ListItems().Count() > 0)
        return;
    if (!gColHeadFolder.isEmpty() || (gCardType != 0xF9 && gCardType != 0xA1))
        return;
    // Asked once per opening of the card list; marked before the question, as the station's next report can
    // arrive while it is open.
    gColHeadAsked = true;
    const QString question =
        cardListText(1980, QStringLiteral("Soll für spezielle QVEL Informationen eine")) +
        QStringLiteral("\r\n") + cardListText(1981, QStringLiteral("Spaltenkopf-Datei geöffnet werden?")) +
        QStringLiteral("\r\n");
    if (MsgBox(question, vbYesNo + vbQuestion) == vbYes)
        frmCards().mnuOpen_Click();
}

} // namespace qv
