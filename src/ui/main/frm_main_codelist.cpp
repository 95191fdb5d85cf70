// Settings > code numbers as a file: a list of code numbers that the write column offers one after another,
// browsed with HScroll1 and stepped on after each completed write.
#include "app/app_info.h"
#include "app/file_helpers.h"
#include "app/fso.h"
#include "app/language.h"
#include "app/path_helpers.h"
#include "link/link_globals.h"
#include "link/link_ui.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vberror.h"
#include "ui/main/code_number_list.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"

namespace qv {

namespace {

// Overwrite prompt off in an open dialog, no change of folder, the path and the file must exist, no
// read-only return, long names.
constexpr int32_t kCodeListDialogFlags = 0x20980A;
constexpr int32_t kTextCodeNumberList = 1125;
constexpr int32_t kTextAllFiles = 1769;
constexpr int32_t kTextChoose = 1836;
constexpr int32_t kTextFileError = 1837;

} // namespace

void FrmMain::mnuLoadCN_Click()
{
    try {
        CommonDialog1.DialogTitle = GetLangText(gLangIndex, kTextChoose, QString()) + QLatin1Char(' ') +
                                    GetLangText(gLangIndex, kTextCodeNumberList, QString());
        CommonDialog1.Filter = QStringLiteral("(*.CNo)|*.CNo|") +
                               GetLangText(gLangIndex, kTextAllFiles, QString()) +
                               QStringLiteral("(*.*)|*.*");
        CommonDialog1.FilterIndex = 1;
        CommonDialog1.FileName.clear();
        CommonDialog1.Flags = kCodeListDialogFlags;
        CommonDialog1.InitDir = gDataFolder;
        CommonDialog1.CancelError = true;
        // A list is loaded, never written: the open dialog, so choosing an existing file asks nothing.
        CommonDialog1.ShowOpen();
        // The list in hand goes only now that another file was chosen: a cancelled dialog keeps it.
        gCodeNoList = QStringList{QString()};
        gCodeNoIndex = 0;
        HScroll1.setVisible(false);
        const QString path = CommonDialog1.FileName;
        gLastFolder = GetFolder(path);
        gFsoFile = gFso.GetFile(path);
        gTextStream = gFsoFile.OpenAsTextStream(ForReading);
    } catch (const VbError& e) {
        if (e.Number() != cdlCancel)
            MsgBox(QString::number(e.Number()) + QLatin1Char(' ') + errorText(e), vbCritical,
                   AppTitle() + QLatin1Char(' ') + GetLangText(gLangIndex, kTextFileError, QString()));
        return;
    }

    gCodeNoList.append(ReadCodeNumberList(gTextStream));
    gTextStream.Close();
    if (gCodeNoList.size() <= 1)
        return;
    gCodeNoIndex = 1;
    if (txtCodeNo(kWriteColumn).Enabled())
        txtCodeNo(kWriteColumn).setText(gCodeNoList.at(1));
    HScroll1.setVisible(true);
    HScroll1.setValue(1);
}

} // namespace qv
