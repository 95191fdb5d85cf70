// Station option enabling of the main window: which option boxes the mode and the option set allow, and the
// beacon/classic layout switch.
#include "app/language.h"
#include "app/settings.h"
#include "link/link_globals.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"

#include <QApplication>
#include <QPainter>
#include <QPolygonF>
#include <initializer_list>

namespace qv {

namespace {

const QString kCaptionClassic = QStringLiteral("_");
const QString kCaptionBeacon = QStringLiteral("^");

// The arrow a caption of the layout switch stands for (its captions were meant for a symbol font): up for
// the beacon options, down for the classic ones. Any other caption is written as it is.
QIcon switchArrow(const QString& caption)
{
    if (caption != kCaptionBeacon && caption != kCaptionClassic)
        return {};
    constexpr qreal kWidth = 12;
    constexpr qreal kHeight = 14;
    // The head over the shaft; the down arrow is the same turned over.
    QPolygonF arrow{{kWidth / 2, 0},           {kWidth, kHeight / 2}, {kWidth * 2 / 3, kHeight / 2},
                    {kWidth * 2 / 3, kHeight}, {kWidth / 3, kHeight}, {kWidth / 3, kHeight / 2},
                    {0, kHeight / 2}};
    if (caption == kCaptionClassic) {
        for (QPointF& point : arrow)
            point.setY(kHeight - point.y());
    }
    QIcon icon;
    for (const qreal scale : {1.0, 2.0}) {
        QPixmap pixmap((QSizeF(kWidth, kHeight) * scale).toSize());
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QApplication::palette().buttonText());
        painter.drawPolygon(arrow);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// Language texts of the option block's heading.
constexpr int32_t kTextBeaconOptions = 1985;
constexpr int32_t kTextClassicOptions = 1986;

// Names are compared exactly, as the language file spells them.
bool isOneOf(const QString& text, std::initializer_list<const QString*> names)
{
    for (const QString* name : names) {
        if (text == *name)
            return true;
    }
    return false;
}

// The mode shown by the read column (txtMO) for "read", else by the write column (coMO).
QString modeTextOf(const FrmMain& f, const QString& sWho)
{
    return sWho == QLatin1String("read") ? f.txtMO.Text() : f.coMO.Text();
}

// A remembered byte beyond the three states of a check box shows as ticked instead of failing.
int checkBoxValue(uint8_t byte)
{
    return byte > vbGrayed ? vbChecked : byte;
}

// A device that is not yet known as the ZOK kind becomes one when the instruction mode is chosen.
void noteInstructionDevice(const QString& modeText)
{
    if (!gZokDevice)
        gZokDevice = !modeText.isEmpty() && modeText == gModeTextInstruction;
}

bool isBeaconModeName(const QString& modeText)
{
    return !modeText.isEmpty() &&
           isOneOf(modeText, {&gModeTextBcControl, &gModeTextBcStart, &gModeTextBcFinish});
}

} // namespace

void FrmMain::wireOptionHandlers()
{
    cmdSwitch.onClick = [this] { cmdSwitch_Click(); };
    cmdSwitch.setCaptionDrawing(switchArrow);
}

bool FrmMain::pruef4msEnabled(uint8_t b4ms, const QString& sWho)
{
    const QString mode = modeTextOf(*this, sWho);
    if (isOneOf(mode, {&gModeTextStart, &gModeTextPrintout, &gModeTextFinish, &gModeTextBcStart,
                       &gModeTextBcFinish, &gModeTextStartTrig, &gModeTextFinishTrig}))
        return true;
    // Whichever column was asked about, the box to write takes the remembered value.
    chk4ms(kWriteColumn).setValue(checkBoxValue(b4ms));
    return false;
}

bool FrmMain::pruefBackupCtrlEnabled(uint8_t bBackupC, const QString& sWho)
{
    const QString mode = modeTextOf(*this, sWho);
    if (isOneOf(mode, {&gModeTextReadout, &gModeTextPrintout}))
        return true;
    chkBackupCtrl(kWriteColumn).setValue(checkBoxValue(bBackupC));
    return false;
}

bool FrmMain::pruefCPCEnabled()
{
    // A printing station always sends the cards on by itself.
    if (coMO.Text() == gModeTextPrintout) {
        chkCPC(kWriteColumn).setValue(vbChecked);
        return false;
    }
    return true;
}

bool FrmMain::pruefCPC0Enabled()
{
    // A printing station always speaks the extended protocol.
    if (coMO.Text() == gModeTextPrintout) {
        chkCPC0(kWriteColumn).setValue(vbChecked);
        return false;
    }
    return true;
}

void FrmMain::SetEnabledZOK(std::optional<bool> Beacon)
{
    if (mEnablingGuard) {
        mEnablingGuard = false;
        return;
    }

    bool beacon = false;
    if (Beacon) {
        beacon = *Beacon;
    } else if (coMO.ForeColor() != vbRed) {
        // A red mode box holds no valid mode name: it keeps the classic set.
        noteInstructionDevice(coMO.Text());
        beacon = isBeaconModeName(coMO.Text());
    }

    // Selecting the classic button makes its click choose the classic set again; the guard lets that
    // nested call return at once.
    if (!beacon) {
        mEnablingGuard = true;
        cmdSwitch.setCaption(kCaptionClassic);
        opClassic(kReadColumn).setValue(true);
    } else {
        cmdSwitch.setCaption(kCaptionBeacon);
        opBeacon(kReadColumn).setValue(true);
    }

    if (gMainFormReady) {
        chkCPC(kReadColumn).setEnabled(!beacon);
        chkRadio_appmem(kReadColumn).setEnabled(beacon);
        chkAllNewRadio_stamp(kReadColumn).setEnabled(beacon);
        chkRadio_stamp(kReadColumn).setEnabled(beacon);
        chkPunchTimingMode(kReadColumn).setEnabled(!gBeaconMode || gZokDevice);
    }

    if (!beacon) {
        noteInstructionDevice(coMO.Text());
        cmdSwitch.setCaption(kCaptionClassic);
    } else {
        cmdSwitch.setCaption(kCaptionBeacon);
        chkAlt(2).setValue(vbChecked);
        chkFCG(kWriteColumn).setValue(vbUnchecked);
        chkSelective(kWriteColumn).setEnabled(false);
        chkBeacon(kWriteColumn).setEnabled(false);
    }

    Label1(0).setCaption(QString());
    if (gMainFormReady) {
        Label1(0).setCaption(QString(8, u' ') + GetLangText(gLangIndex,
                                                            beacon ? kTextBeaconOptions : kTextClassicOptions,
                                                            QString()));
        if (beacon)
            opBeacon(kReadColumn).setValue(true);
        else
            opClassic(kReadColumn).setValue(true);
        Label1(6).setCaption(Label1(0).Caption());
    }
    mEnablingGuard = false;

    chkQv6mit192(kReadColumn).setEnabled(!beacon);
    chkQv6mit192(kWriteColumn).setEnabled(!beacon);
    chk4ms(kReadColumn).setEnabled(pruef4msEnabled(gSprint4msWrite, QStringLiteral("read")));
    chkBackupCtrl(kReadColumn).setEnabled(pruefBackupCtrlEnabled(gBackupCtrlWrite, QStringLiteral("read")));
    chk4ms(kWriteColumn).setEnabled(pruef4msEnabled(gSprint4msWrite, QStringLiteral("write")));
    chkBackupCtrl(kWriteColumn).setEnabled(pruefBackupCtrlEnabled(gBackupCtrlWrite, QStringLiteral("write")));
    for (ControlArray<CheckBox>* beaconRow :
         {&chkPunchTimingMode, &chkAllNewRadio_stamp, &chkRadio_stamp, &chkSpeed, &chkRadio_appmem}) {
        for (CheckBox& box : *beaconRow)
            box.setVisible(beacon);
    }
    for (ControlArray<CheckBox>* classicRow : {&chkCPC, &chkCPC0}) {
        for (CheckBox& box : *classicRow)
            box.setVisible(!gGsmDevice && !beacon);
    }
    for (MenuItem* item : {&mnuAllNewRadio_stamp, &mnuRadio_stamp, &mnuRadio_appmem, &mnuPunchTimingMode})
        item->setVisible(beacon);
}

void FrmMain::cmdSwitch_Click()
{
    if (cmdSwitch.Caption() != kCaptionClassic) {
        cmdSwitch.setCaption(kCaptionClassic);
        SetEnabledZOK(false);
    } else {
        cmdSwitch.setCaption(kCaptionBeacon);
        SetEnabledZOK(true);
    }
}

} // namespace qv
