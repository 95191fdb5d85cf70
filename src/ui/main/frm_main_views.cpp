// The standard and the expert view of the station panel, and the backup listing in the data pane.
#include "link/link_globals.h"
#include "platform/runtime/strings.h"
#include "ui/main/frm_main.h"
#include "ui/main/menus.h"

#include <limits>

namespace qv {

void FrmMain::zeigExpert(uint8_t byChange)
{
    if (byChange == 1) {
        mnuViewStandard.setChecked(false);
        mnuViewExpert.setChecked(true);
        cmdBatt.setVisible(true);
    } else if (byChange == 2) {
        cmdBatt.setVisible(false);
        mnuViewStandard.setChecked(true);
        mnuViewExpert.setChecked(false);
    } else {
        mnuViewStandard.setChecked(!mnuViewStandard.Checked());
        mnuViewExpert.setChecked(!mnuViewExpert.Checked());
        cmdBatt.setVisible(!cmdBatt.Visible());
    }
    const bool expert = mnuViewExpert.Checked();
    for (int i : {kReadColumn, kWriteColumn}) {
        // A ZOK device has no extended protocol to choose.
        chkCPC0(i).setVisible(!gZokDevice);
        chk4ms(i).setVisible(expert);
        chkQv6mit192(i).setVisible(expert);
        chkBackupCtrl(i).setVisible(expert);
    }
    if (!gZokDevice)
        ShowVEK();
}

void SetDirectMode(int16_t flag)
{
    if (flag == 0)
        return;
    gConnMode = ConnDirect;
    frmMain().coMode.setListIndex(gConnMode - 1);
}

void ShowBackupDump()
{
    RichTextBox& pane = frmMain().rtbox(1);
    pane.setText(QString());
    gListLineNo = 0;
    QString buffer;
    const auto handOver = [&pane, &buffer] {
        // Behind everything the pane holds (the caret stops at the end), so the pieces stay in order.
        pane.setSelStart(std::numeric_limits<int>::max());
        pane.setSelText(buffer);
        buffer.clear();
    };
    for (qsizetype n = gBackupLines.size() - 1; n >= 1; --n) {
        ++gListLineNo;
        buffer += Right(QString(8, u' ') + QString::number(gListLineNo), 8) + gBackupLines.at(n) +
                  QStringLiteral("\r\n");
        if (buffer.size() > kBackupDumpChunk)
            handOver();
    }
    if (!buffer.isEmpty())
        handOver();
}

} // namespace qv
