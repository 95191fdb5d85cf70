// The battery dialog frmBatt. Station mode: OK patches the battery fields of the write-back images of blocks
// 0x10 and 0x30 and writes them (one combined write with the extended commands, else block 0x10 first and the
// reply handler sends block 0x30). Air-card mode: OK sends the card its new battery date and the dialog stays
// open for the next card.
#include "ui/dialogs/frm_batt.h"

#include "app/bytes.h"
#include "app/language.h"
#include "app/settings.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/sender.h"
#include "platform/controls/screen.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/dates.h"
#include "platform/runtime/format.h"
#include "platform/runtime/numbers.h"
#include "receiver/air_card.h"
#include "receiver/battery_dialog.h"
#include "stationdata/modes.h"
#include "stationdata/settings_write.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"
#include "ui/main/frm_main.h"
#include "ui/main/read_column_apply.h"
#include "ui/main/window_sides.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv {

namespace {

constexpr int kTextCapacityCaption = 1907;
constexpr int kTextRated = 1908;
constexpr int kTextCheckCapacity = 1831;
constexpr int kTextBatteryWritten = 1833;

constexpr uint8_t kAirCardConfig = 0xEA;
constexpr uint8_t kAirCardBatteryCode = 0x6F;

// Image layout of the write-back blocks: command, address, then the 16 station bytes.
constexpr int kImageLength = 18;
constexpr int kCapacityIndex = 10; // 0x18-0x1B in block 0x10
constexpr int kYearIndex = 7;      // 0x15
constexpr int kMonthIndex = 8;     // 0x16
constexpr int kDayIndex = 9;       // 0x17
constexpr int kUsedIndex = 6;      // 0x34-0x37 in block 0x30
constexpr int kStatusIndexA = 3;   // 0x31
constexpr int kStatusIndexB = 4;   // 0x32
// The station counts capacities in milliampere-seconds.
constexpr double kSecondsPerHour = 3600;

// Whether the station's four-byte field takes mAh (as milliampere-seconds, rounded as the byte conversion
// rounds them).
bool fitsField(double mAh)
{
    const double mAs = Round(mAh * kSecondsPerHour);
    return std::isfinite(mAs) && mAs >= 0 && mAs <= double(std::numeric_limits<int32_t>::max());
}

QString mainControlText(const QString& type, const QString& control, const QString& index)
{
    return GetControlText(gLangIndex, QStringLiteral("frmMain"), type, control, index,
                          QStringLiteral("Caption"), QString());
}

// Set by the station-mode OK; read when the modal dialog returns.
bool sStationWriteSent = false;

class BatteryDialog final : public BatteryDialogSide
{
  public:
    bool showBatteryDialog() override
    {
        sStationWriteSent = false;
        frmBatt().Show(vbModal);
        return sStationWriteSent;
    }

    void setCardNumber(const QString& text) override
    {
        if (FrmBatt* d = dialog())
            d->lblCardNo.setCaption(text);
    }
    void setBatteryPicture(int level) override
    {
        FrmBatt* d = dialog();
        if (!d)
            return;
        d->imBatt.setPicture(BatteryLevelPicture(level));
    }
    void setVoltText(const QString& text) override
    {
        if (FrmBatt* d = dialog())
            d->lblVolt.setCaption(text);
    }
    void setOldDate(const QString& text) override
    {
        if (FrmBatt* d = dialog())
            d->txtBdat(1).setText(text);
    }
    void disableOk() override
    {
        // The card took its new battery date: the dialog says so and is closed, not cancelled.
        if (FrmBatt* d = dialog()) {
            d->cmdOK.setEnabled(false);
            d->lblCardNo.setCaption(d->lblCardNo.Caption() + QStringLiteral(": ") +
                                    GetLangText(gLangIndex, 1758, QStringLiteral("written to the card")));
            d->cmdCancel.setCaption(GetLangText(gLangIndex, 1757, QStringLiteral("&Close")));
        }
    }

  private:
    // The card's fields are filled only while the dialog is open.
    static FrmBatt* dialog() { return FormInstance<FrmBatt>::loaded() ? &frmBatt() : nullptr; }
};

} // namespace

void InstallBatteryDialog()
{
    static BatteryDialog side;
    WindowSide<BatteryDialogSide>::install(&side);
}

FrmBatt::FrmBatt() : Form(QStringLiteral("frmBatt"))
{
    setCaption(QStringLiteral("neue batterie"));
    Move(0, 0, 5400, 2820);

    lblCap.setCaption(QStringLiteral("mAh kapazität"));
    lblCap.Move(120, 150, 3540, 255);
    txtCap.Move(3720, 120, 1440, 315);
    lblConsumption.setCaption(QStringLiteral("% verbrauch"));
    lblConsumption.Move(120, 570, 3540, 255);
    txtConsumption.Move(3720, 540, 1440, 315);

    lblCardNo.setCaption(QStringLiteral("no Card"));
    lblCardNo.Move(120, 150, 3540, 255);
    lblVolt.setCaption(QStringLiteral("Volt"));
    lblVolt.Move(120, 570, 3540, 255);
    imBatt.Move(4560, 120, 600, 600);

    optBdat(0).setCaption(QStringLiteral("neues datum speichern"));
    optBdat(0).Move(120, 1005, 3540, 285);
    txtBdat(0).setText(QStringLiteral("10.10.2003"));
    txtBdat(0).Move(3720, 990, 1440, 315);
    optBdat(1).setCaption(QStringLiteral("altes datum bebeihalten"));
    optBdat(1).Move(120, 1425, 3540, 285);
    txtBdat(1).setText(QStringLiteral("30.12.2003"));
    txtBdat(1).Move(3720, 1410, 1440, 315);

    Picture1.setBorderStyle(0);
    Picture1.Move(0, 1860, 5280, 540);
    cmdOK.setContainer(&Picture1);
    cmdOK.setCaption(QStringLiteral("&OK"));
    cmdOK.Move(2040, 60, 1440, 375);
    cmdOK.setDefault(true);
    cmdCancel.setContainer(&Picture1);
    cmdCancel.setCaption(QStringLiteral("&Abbrechen"));
    cmdCancel.Move(3720, 60, 1440, 375);
    cmdCancel.setCancel(true);

    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    optBdat.onClick = [this](int Index) { optBdat_Click(Index); };
    txtBdat.onChange = [this](int Index) { txtBdat_Change(Index); };
    txtBdat.onLostFocus = [this](int Index) { txtBdat_LostFocus(Index); };
    txtCap.onChange = [this] { txtCap_Change(); };
    txtConsumption.onChange = [this] { txtConsumption_Change(); };
}

void FrmBatt::Form_Load()
{
    FrmMain& f = frmMain();
    ApplyLanguage(*this);
    Move(f.Left() + f.lblBMS.Left(), f.Top() + f.cmdWrite.Top());

    bStationMode = gActionCode == ActBattery;
    lblCardNo.setVisible(!bStationMode);
    lblVolt.setVisible(!bStationMode);
    imBatt.setVisible(!bStationMode);
    lblCap.setVisible(bStationMode);
    lblConsumption.setVisible(bStationMode);
    txtCap.setVisible(bStationMode);
    txtConsumption.setVisible(bStationMode);

    optBdat(0).setValue(true);
    gBattDateText = CStr(Date());
    txtBdat(0).setText(gBattDateText);
    txtBdat(0).setBackColor(f.txtSerNo.BackColor());

    txtBdat(1).setText(bStationMode ? f.txtBDate.Text() : QString());
    txtBdat(1).setBackColor(BackColor());

    txtCap.setText(CStr(Val(f.txtCap.Text())));
    txtCap.setForeColor(f.txtBDate.ForeColor());

    if (!gActionMessage.isEmpty()) {
        lblCap.setCaption(ratedCapacityCaption());
        txtCap.setForeColor(vbRed);
        SetActionText(gActionMessage);
        Beep();
    }

    sLoadedCap = txtCap.Text();
    sLoadedConsumption = txtConsumption.Text();
    sLoadedDate = txtBdat(0).Text();

    cmdOK.setEnabled(true);
    txtConsumption.setText(QStringLiteral("0"));

    gVoltCaption = lblVolt.Caption() + u' ';
    lblVolt.setCaption(QString());

    cmdOK.setEnabled(!gGsmDevice);
    // Without a card record and a date to send, the air card's OK has nothing to build its command from.
    if (!bStationMode)
        pruefOKvisi();
}

void FrmBatt::Form_Unload(int& /*Cancel*/)
{
    if (bStationMode)
        return;
    // The air-card command forced the direct connection; the user's own mode comes back.
    gConnMode = gSavedConnMode;
    linkWindow().showConnectionMode(gConnModeNames[size_t(std::clamp<int>(gConnMode, 0, 2))]);
}

QString FrmBatt::ratedCapacityCaption() const
{
    return GetLangText(gLangIndex, kTextCapacityCaption, QStringLiteral("mAh kapazität")) + u' ' +
           GetLangText(gLangIndex, kTextRated, QString()) + CStr(gCapacityMax) + u')';
}

void FrmBatt::markInvalid(TextBox& box)
{
    box.setForeColor(vbRed);
    SetActionText(gTextInvalid);
    Beep();
}

void FrmBatt::markNormal(TextBox& box)
{
    SetActionText(QString());
    box.setForeColor(frmMain().txtBDate.ForeColor());
}

bool FrmBatt::isRed(const TextBox& box) const
{
    return box.ForeColor() == vbRed;
}

void FrmBatt::txtCap_Change()
{
    const double v = Val(txtCap.Text());
    if (v != gCapacityMax) {
        if (v <= 0)
            txtCap.setText(CStr(gCapacityMax));
        lblCap.setCaption(ratedCapacityCaption());
        if (!fitsField(Val(txtCap.Text()))) {
            // More than the station's four bytes hold: it could not be written.
            markInvalid(txtCap);
        } else {
            txtCap.setForeColor(vbRed);
            SetActionText(GetLangText(gLangIndex, kTextCheckCapacity, QString()) + u' ');
            Beep();
        }
    } else {
        markNormal(txtCap);
    }
    pruefOKvisi();
}

void FrmBatt::txtConsumption_Change()
{
    const double v = Val(txtConsumption.Text());
    if (v <= 100 && v >= 0)
        markNormal(txtConsumption);
    else
        markInvalid(txtConsumption);
    pruefOKvisi();
}

void FrmBatt::optBdat_Click(int /*Index*/)
{
    const OleColor entry = frmMain().txtSerNo.BackColor();
    if (optBdat(0).Value()) {
        txtBdat(0).setBackColor(entry);
        txtBdat(0).setLocked(false);
        txtBdat(1).setBackColor(BackColor());
    } else {
        txtBdat(0).setLocked(true);
        txtBdat(0).setBackColor(BackColor());
        txtBdat(1).setBackColor(entry);
    }
    pruefOKvisi();
}

void FrmBatt::txtBdat_Change(int Index)
{
    if (Index == 0) {
        const QString text = txtBdat(0).Text();
        bool valid = IsDate(text);
        if (valid) {
            const QDate d = DateValue(text);
            valid = DateText(uint8_t(d.day()), uint8_t(d.month()), int16_t(d.year())) != gTextInvalid;
        }
        if (!valid) {
            markInvalid(txtBdat(0));
            return;
        }
        // DateText has kept the date in gBattDateText.
        markNormal(txtBdat(0));
    }
    pruefOKvisi();
}

void FrmBatt::txtBdat_LostFocus(int Index)
{
    txtBdat(0).setText(Format(txtBdat(0).Text(), QStringLiteral("Short Date")));
    cmdOK.setEnabled(!isRed(txtBdat(Index)));
    if (cmdOK.Enabled())
        pruefOKvisi();
}

bool FrmBatt::chosenDate(int& day, int& month, int& year) const
{
    const QString text = optBdat(0).Value() ? txtBdat(0).Text() : txtBdat(1).Text();
    if (!IsDate(text))
        return false;
    const QDate d = DateValue(text);
    day = d.day();
    month = d.month();
    year = d.year();
    return true;
}

bool FrmBatt::valuesFit() const
{
    const double cap = Val(txtCap.Text());
    const double consumption = Val(txtConsumption.Text());
    return consumption >= 0 && fitsField(cap) && fitsField(float(consumption) * cap / 100);
}

void FrmBatt::pruefOKvisi()
{
    const bool keepOld = optBdat(1).Value();
    const bool a = (txtConsumption.Text().trimmed() != sLoadedConsumption.trimmed()) ||
                   (Val(txtCap.Text()) != Val(sLoadedCap)) ||
                   ((txtBdat(0).Text() != sLoadedDate) && !keepOld);
    const bool b = (!txtBdat(1).Text().trimmed().isEmpty() && keepOld) || (txtBdat(1).Text() != sLoadedDate);
    // The mobile-network station's blocks 0x20 and 0x30 are not read, so nothing could be written back.
    const bool station = a && bStationMode && !gGsmDevice;
    int day = 0, month = 0, year = 0;
    const bool card =
        b && gAirCardInserted && !bStationMode && gAirCardBattery.size() >= 4 && chosenDate(day, month, year);
    cmdOK.setEnabled(station || card);
}

void FrmBatt::cmdOK_Click()
{
    if (gActionCode == ActAirCardBattery)
        writeAirCard();
    else
        writeStation();
}

void FrmBatt::writeAirCard()
{
    int day = 0, month = 0, year = 0;
    if (gAirCardBattery.size() < 4 || !chosenDate(day, month, year)) {
        cmdOK.setEnabled(false);
        return;
    }
    QByteArray command;
    command.append(char(kAirCardConfig)).append(char(kAirCardBatteryCode));
    command.append(char(year % 100)).append(char(month)).append(char(day)).append(gAirCardBattery.at(3));
    gSendBuffer = BuildFrame(command);
    SendFrame();
}

void FrmBatt::writeStation()
{
    FrmMain& f = frmMain();
    // Everything is checked before any value or window field changes: a refused OK leaves all as it was.
    if (!valuesFit()) {
        markInvalid(Val(txtConsumption.Text()) < 0 ? txtConsumption : txtCap);
        return;
    }
    const QString dateText = optBdat(1).Value() ? txtBdat(1).Text() : gBattDateText;
    if (!IsDate(dateText)) {
        markInvalid(txtBdat(0));
        return;
    }
    if (gSysBlock1.size() < kImageLength || gSysBlock3.size() < kImageLength ||
        (gUseExtCommands && gSysBlock2.size() < kImageLength)) {
        // The blocks were not read in this operation: nothing to write back.
        SetActionText(gTextInvalid);
        Beep();
        return;
    }

    const double cap = Val(txtCap.Text());
    f.txtCap.setText(CStr(cap) + (cap <= 9999 ? QStringLiteral(" ") : QString()) + QStringLiteral("mAh"));
    gBattCapacity = cap;
    gBattConsumption = float(Val(txtConsumption.Text()));
    gConsumptionPct = gBattConsumption;
    gBattUsed = gBattConsumption * gBattCapacity / 100;

    if (gStationFunctions)
        f.lblConsumption(0).setCaption(CStr(gBattConsumption) + u'%');
    f.lblConsumptionDes(0).setCaption(
        f.lblConsumption(0).Caption() + u' ' +
        mainControlText(QStringLiteral("Label"), QStringLiteral("lblConsumptionDes"), QStringLiteral("0")) +
        u' ');
    f.lblConsumptionRot(0).setVisible(gStationFunctions);
    const int full = f.lblConsumptionGreen(0).Width() - 25;
    f.lblConsumptionRot(0).setWidth(
        std::clamp(int(std::lround(full * double(gConsumptionPct) / 100)), 0, std::max(full, 0)));
    ShowBatteryConsumption(f);

    txtBdat(0).setText(gBattDateText);
    f.txtBDate.setText(optBdat(1).Value() ? txtBdat(1).Text() : txtBdat(0).Text());
    SetActionText(GetLangText(gLangIndex, kTextBatteryWritten, QString()));

    PutBytes(gSysBlock1, kCapacityIndex, Number2Bytes(4, gBattCapacity * kSecondsPerHour));
    const QDate d = DateValue(f.txtBDate.Text());
    gSysBlock1[kDayIndex] = char(d.day());
    gSysBlock1[kMonthIndex] = char(d.month());
    gSysBlock1[kYearIndex] = char(d.year() % 100);
    gSysBlock3[kStatusIndexB] = 0;
    gSysBlock3[kStatusIndexA] = 0;
    PutBytes(gSysBlock3, kUsedIndex, Number2Bytes(4, gBattUsed * kSecondsPerHour));

    if (gUseExtCommands)
        gSendBuffer = gSysBlock1.left(kImageLength) + gSysBlock2.mid(2, 16) + gSysBlock3.mid(2, 16);
    else
        gSendBuffer = gSysBlock1;
    gSendBuffer = BuildFrame(gSendBuffer);
    sStationWriteSent = true;
    SendFrame();
    Unload(*this);
}

void FrmBatt::cmdCancel_Click()
{
    CloseLink();
    Unload(*this);
}

QPixmap BatteryLevelPicture(int level)
{
    // The battery pictures are drawn this large.
    constexpr int kSize = 16;
    if (level <= 0 || !FormInstance<FrmMain>::loaded())
        return QPixmap();
    return frmMain().imLBat.icon(level).pixmap(kSize, kSize);
}

} // namespace qv
