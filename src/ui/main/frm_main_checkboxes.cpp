// The station option check boxes of the main window: each option is a pair, the read column (what the
// station reported, not editable) and the write column (what the next write sends, kept in a write byte).
#include "app/settings.h"
#include "link/link_globals.h"
#include "receiver/receiver_globals.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"

#include <cstdlib>

namespace qv {

namespace {

// A value beyond the three states of a check box (True as -1 included) shows as ticked.
int shownValue(int byte)
{
    return byte < vbUnchecked || byte > vbGrayed ? vbChecked : byte;
}

} // namespace

void FrmMain::wireCheckBoxHandlers()
{
    chkCPC.onClick = [this](int Index) { chkCPC_Click(Index); };
    chkCPC0.onClick = [this](int Index) { chkCPC0_Click(Index); };
    chkCPC7.onClick = [this](int Index) { chkCPC7_Click(Index); };
    chkBackupCtrl.onClick = [this](int Index) { chkBackupCtrl_Click(Index); };
    chkFCG.onClick = [this](int Index) { chkFCG_Click(Index); };
    chk4ms.onClick = [this](int Index) { chk4ms_Click(Index); };
    chkQv6mit192.onClick = [this](int Index) { chkQv6mit192_Click(Index); };
    chkAllNewRadio_stamp.onClick = [this](int Index) { chkAllNewRadio_stamp_Click(Index); };
    chkRadio_stamp.onClick = [this](int Index) { chkRadio_stamp_Click(Index); };
    chkRadio_appmem.onClick = [this](int Index) { chkRadio_appmem_Click(Index); };
    chkPunchTimingMode.onClick = [this](int Index) { chkPunchTimingMode_Click(Index); };
    chkSpeed.onClick = [this](int Index) { chkSpeed_Click(Index); };
    chkQVMKUV_ReadCard.onClick = [this](int Index) { chkQVMKUV_ReadCard_Click(Index); };
    chkQVMKUV_RTC.onClick = [this](int Index) { chkQVMKUV_RTC_Click(Index); };

    chkCPC0.onKeyPress = [this](int Index, int& KeyAscii) { chkCPC0_KeyPress(Index, KeyAscii); };
    chkCPC0.onMouseUp = [this](int Index, int, int, float, float) { chkCPC0_MouseUp(Index); };
    for (ControlArray<CheckBox>* arr :
         {&chkCPC, &chkCPC7, &chkBackupCtrl, &chkFCG, &chk4ms, &chkQv6mit192, &chkAllNewRadio_stamp,
          &chkRadio_stamp, &chkRadio_appmem, &chkPunchTimingMode}) {
        const QString name = arr->Name();
        arr->onMouseUp = [this, name](int Index, int, int, float, float) {
            HandleOptionMouseUp(name, Index);
        };
    }
    // Moving onto another option cancels the extended protocol's help picture.
    for (ControlArray<CheckBox>* arr : {&chkCPC, &chkBackupCtrl, &chkFCG, &chk4ms, &chkQv6mit192})
        arr->onMouseMove = [this](int, int, int, float, float) { noShowPic(); };
}

void FrmMain::HandleOptionClick(const QString& ctlName, int Index, uint8_t& readValue, uint8_t& writeValue)
{
    ControlArray<CheckBox>* arrays[] = {&chkCPC,
                                        &chkCPC0,
                                        &chkCPC7,
                                        &chkBackupCtrl,
                                        &chkFCG,
                                        &chk4ms,
                                        &chkQv6mit192,
                                        &chkAllNewRadio_stamp,
                                        &chkRadio_stamp,
                                        &chkRadio_appmem,
                                        &chkPunchTimingMode,
                                        &chkSpeed};
    ControlArray<CheckBox>* arr = nullptr;
    for (ControlArray<CheckBox>* candidate : arrays) {
        if (candidate->Name() == ctlName)
            arr = candidate;
    }
    if (!arr)
        return;
    CheckBox& box = (*arr)(Index);

    if (Index == kReadColumn) {
        // The read column shows the station; a click there is undone. Reading cards automatically is the
        // one option whose read box follows the user.
        if (ctlName != QLatin1String("chkCPC7"))
            box.setValue(shownValue(readValue));
        Aktion().setText(QString());
        return;
    }

    if (ctlName == QLatin1String("chkCPC"))
        box.setEnabled(pruefCPCEnabled());
    else if (ctlName == QLatin1String("chkCPC0"))
        box.setEnabled(pruefCPC0Enabled());
    else if (ctlName == QLatin1String("chkBackupCtrl") && gModeCodeSet != 5)
        box.setValue(vbUnchecked); // only a station reading out cards stops on a full memory

    if (ctlName == QLatin1String("chk4ms")) {
        // Both rules get the write bytes from before this click: where 4 ms is not allowed, the box goes
        // back.
        chk4ms(kWriteColumn).setEnabled(pruef4msEnabled(gSprint4msWrite, QString()));
        chkBackupCtrl(kWriteColumn).setEnabled(pruefBackupCtrlEnabled(gBackupCtrlWrite, QString()));
    }
    writeValue = static_cast<uint8_t>(box.Value());
}

void FrmMain::HandleOptionMouseUp(const QString& /*ctlName*/, int /*Index*/)
{
    Aktion().setText(QString());
}

void FrmMain::chkCPC_Click(int Index)
{
    HandleOptionClick(QStringLiteral("chkCPC"), Index, gAutoSendRead, gAutoSendWrite);
    gAutoSendSaved = static_cast<uint8_t>(chkCPC(kWriteColumn).Value());
}

void FrmMain::chkCPC0_Click(int Index)
{
    HandleOptionClick(QStringLiteral("chkCPC0"), Index, gExtProtRead, gExtProtWrite);
    gExtProtSaved = static_cast<uint8_t>(chkCPC0(kWriteColumn).Value());
    // The help pictures' row boxes show the option of their column.
    for (int k = 0; k <= 3; ++k) {
        chkPic1(k).setValue(chkCPC0(kWriteColumn).Value());
        chkPic0(k).setValue(chkCPC0(kReadColumn).Value());
        chkPic0(k).setEnabled(false);
    }
}

void FrmMain::chkCPC0_MouseUp(int Index)
{
    HandleOptionMouseUp(QStringLiteral("chkCPC0"), Index);
    if (Index == kWriteColumn)
        gExtProtUsed = static_cast<uint8_t>(chkCPC0(kWriteColumn).Value());
}

void FrmMain::chkCPC0_KeyPress(int Index, int& /*KeyAscii*/)
{
    // The key arrives before Space toggles the box: the user's choice is the value the toggle gives.
    if (Index == kWriteColumn)
        gExtProtUsed = static_cast<uint8_t>(std::abs(chkCPC0(kWriteColumn).Value() - 1));
}

void FrmMain::chkCPC7_Click(int Index)
{
    HandleOptionClick(QStringLiteral("chkCPC7"), Index, gAutoReadCardsRead, gAutoReadCardsWrite);
}

void FrmMain::chkBackupCtrl_Click(int Index)
{
    HandleOptionClick(QStringLiteral("chkBackupCtrl"), Index, gBackupCtrlRead, gBackupCtrlWrite);
}

void FrmMain::chkFCG_Click(int Index)
{
    HandleOptionClick(QStringLiteral("chkFCG"), Index, gRtcRead, gRtcWrite);
}

void FrmMain::chk4ms_Click(int Index)
{
    HandleOptionClick(QStringLiteral("chk4ms"), Index, gSprint4msRead, gSprint4msWrite);
}

void FrmMain::chkQv6mit192_Click(int Index)
{
    HandleOptionClick(QStringLiteral("chkQv6mit192"), Index, gCard6mit192Read, gCard6mit192Write);
}

// The three radio options are two bits of one byte in the station: in the write column one excludes the
// others. Only the boxes to write are cleared (their own Click clears their write bytes); what the station
// reported stays as read.
void FrmMain::chkAllNewRadio_stamp_Click(int Index)
{
    if (Index == kWriteColumn && chkAllNewRadio_stamp(kWriteColumn).Value() >= vbChecked) {
        chkRadio_stamp(kWriteColumn).setValue(vbUnchecked);
        chkRadio_appmem(kWriteColumn).setValue(vbUnchecked);
    }
    HandleOptionClick(QStringLiteral("chkAllNewRadio_stamp"), Index, gAllNewRadioStampRead,
                      gAllNewRadioStampWrite);
}

void FrmMain::chkRadio_stamp_Click(int Index)
{
    if (Index == kWriteColumn && chkRadio_stamp(kWriteColumn).Value() >= vbChecked) {
        chkAllNewRadio_stamp(kWriteColumn).setValue(vbUnchecked);
        chkRadio_appmem(kWriteColumn).setValue(vbUnchecked);
    }
    HandleOptionClick(QStringLiteral("chkRadio_stamp"), Index, gRadioStampRead, gRadioStampWrite);
}

void FrmMain::chkRadio_appmem_Click(int Index)
{
    if (Index == kWriteColumn && chkRadio_appmem(kWriteColumn).Value() >= vbChecked) {
        chkRadio_stamp(kWriteColumn).setValue(vbUnchecked);
        chkAllNewRadio_stamp(kWriteColumn).setValue(vbUnchecked);
    }
    HandleOptionClick(QStringLiteral("chkRadio_appmem"), Index, gRadioAppmemRead, gRadioAppmemWrite);
}

void FrmMain::chkPunchTimingMode_Click(int Index)
{
    HandleOptionClick(QStringLiteral("chkPunchTimingMode"), Index, gPunchTimingModeRead,
                      gPunchTimingModeWrite);
}

void FrmMain::chkSpeed_Click(int Index)
{
    HandleOptionClick(QStringLiteral("chkSpeed"), Index, gEcoModeRead, gEcoModeWrite);
    // A later click on the read box then shows the value chosen here.
    if (Index == kWriteColumn)
        gEcoModeRead = static_cast<uint8_t>(chkSpeed(kWriteColumn).Value());
}

void FrmMain::chkQVMKUV_ReadCard_Click(int Index)
{
    if (Index == kReadColumn)
        chkQVMKUV_ReadCard(kReadColumn).setValue(shownValue(gKuvSendCardRead));
}

void FrmMain::chkQVMKUV_RTC_Click(int Index)
{
    if (Index == kReadColumn)
        chkQVMKUV_RTC(kReadColumn).setValue(shownValue(gKuvTimeSyncRead));
}

} // namespace qv
