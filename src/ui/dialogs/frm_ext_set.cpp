// The extended settings dialog frmExtSet. OK works out what changed against the values read from the station
// and sends one write: the settings block alone for a feedback change, or, for a timing change, the blocks
// from 0x10 on with the radio timing constants (in one request with the extended commands; block by block
// without them, the reply handler sending the next block). Nothing changed sends nothing and ends the
// operation.
#include "ui/dialogs/frm_ext_set.h"

#include "app/bytes.h"
#include "app/language.h"
#include "app/settings.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/sender.h"
#include "platform/controls/screen.h"
#include "platform/runtime/numbers.h"
#include "receiver/ext_settings_dialog.h"
#include "receiver/receiver_globals.h"
#include "receiver/write_replies.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/ext_timing.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/window_sides.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int kTextOnlyWithAutoSend = 1875;
constexpr int kTextModeTip = 1930;

constexpr int kModeSprint = 1;
constexpr int kModeStandard = 2;
constexpr int kModeEconomy = 3;

// Image layout of the write-back blocks: command, address, then the 16 station bytes.
constexpr int kImageLength = 18;
constexpr int kBlockBytes = 16;
constexpr int kK1Index = 2; // 0x10 and 0x11 of block 0x10
constexpr int kK2Index = 3;
constexpr int kTimingIndex = 10;  // 0x48 to 0x4B of block 0x40: Act, then STB, two bytes each
constexpr int kFeedbackIndex = 5; // settings byte 3: bit 0 LED, bit 1 second LED, bit 2 beep
// The settings write of the mode case: command, address and settings bytes 0 to 4.
constexpr int kShortSettingsWrite = 7;
// The tail of a combined write with a feedback change: 0x50 to 0x6F of the slice from 0x40, then settings
// bytes 0 to 3.
constexpr int kSliceTailFrom = 16;
constexpr int kSettingsHead = 4;

// Set by OK when a request went out, and by OK or Cancel when they ended the dialog themselves.
bool sWriteSent = false;
bool sEndedByButton = false;

class ExtSettingsDialog final : public ExtSettingsDialogSide
{
  public:
    bool showExtSettingsDialog() override
    {
        sWriteSent = false;
        sEndedByButton = false;
        frmExtSet().Show(vbModal);
        // Closed from its title bar: the operation ends as with Cancel rather than waiting on.
        if (!sEndedByButton)
            EndStationAction();
        return sWriteSent;
    }
};

QByteArray twoBytes(int32_t v)
{
    QByteArray b(2, '\0');
    b[0] = char((v >> 8) & 0xFF);
    b[1] = char(v & 0xFF);
    return b;
}

} // namespace

void InstallExtSettingsDialog()
{
    static ExtSettingsDialog side;
    WindowSide<ExtSettingsDialogSide>::install(&side);
}

FrmExtSet::FrmExtSet() : Form(QStringLiteral("frmExtSet"))
{
    setCaption(QStringLiteral("erweiterte einstellungen"));
    Move(0, 0, 5520, 5400);
    setStartUpPosition(vbStartUpOwner);

    frMode.setCaption(QStringLiteral("modus"));
    frMode.Move(120, 120, 5160, 2940);
    Picture1.setContainer(&frMode);
    Picture1.setBorderStyle(0);
    Picture1.Move(120, 300, 4920, 375);
    const char* modeNames[] = {"sprint", "standard", "spar"};
    for (int i = kModeSprint; i <= kModeEconomy; ++i) {
        opMode(i).setContainer(&Picture1);
        opMode(i).setCaption(QString::fromLatin1(modeNames[i - 1]));
        opMode(i).Move((i - 1) * 1640, 0, 1560, 315);
    }
    picSet.setContainer(&frMode);
    picSet.setBorderStyle(0);
    picSet.Move(120, 780, 4920, 1500);
    slAct.setContainer(&picSet);
    slAct.setMin(12);
    slAct.setMax(100);
    slAct.setLargeChange(10);
    slAct.setTickFrequency(4);
    slAct.setSelectRange(true);
    slAct.Move(0, 0, 3480, 450);
    lblAct.setContainer(&picSet);
    lblAct.setCaption(QStringLiteral("lblAct"));
    lblAct.Move(3600, 90, 1320, 255);
    slSTB.setContainer(&picSet);
    slSTB.setMin(100);
    slSTB.setMax(2000);
    slSTB.setSmallChange(10);
    slSTB.setLargeChange(100);
    slSTB.setTickFrequency(100);
    slSTB.setSelectRange(true);
    slSTB.Move(0, 540, 3480, 450);
    lblSTB.setContainer(&picSet);
    lblSTB.setCaption(QStringLiteral("lblSTB"));
    lblSTB.Move(3600, 630, 1320, 255);
    lblK1K2.setContainer(&picSet);
    lblK1K2.setCaption(QStringLiteral("Label1"));
    lblK1K2.Move(0, 1140, 3480, 255);
    lblWarning.setContainer(&frMode);
    lblWarning.setCaption(QStringLiteral(" lblWarnung"));
    lblWarning.Move(120, 2340, 4920, 495);

    frFeedBack.setCaption(QStringLiteral("feedback"));
    frFeedBack.Move(120, 3180, 5160, 1380);
    chkBeep.setContainer(&frFeedBack);
    chkBeep.setCaption(QStringLiteral("beep on"));
    chkBeep.Move(120, 300, 2400, 285);
    chkLED.setContainer(&frFeedBack);
    chkLED.setCaption(QStringLiteral("led on"));
    chkLED.Move(120, 630, 2400, 285);
    chkLED2.setContainer(&frFeedBack);
    chkLED2.setCaption(QStringLiteral("led on"));
    chkLED2.Move(2640, 960, 2400, 285);
    lblHinweis.setContainer(&frFeedBack);
    lblHinweis.setCaption(QStringLiteral("nur bei autosend"));
    lblHinweis.Move(2640, 300, 2400, 315);
    lblVekR_T.setContainer(&frFeedBack);
    lblVekR_T.setCaption(QStringLiteral("Speichern noch nicht fertig!"));
    lblVekR_T.Move(2640, 630, 2400, 435);

    Picture2.setBorderStyle(0);
    Picture2.Move(0, 4620, 5400, 540);
    OKButton.setContainer(&Picture2);
    OKButton.setCaption(QStringLiteral("OK"));
    OKButton.Move(2160, 60, 1440, 375);
    OKButton.setDefault(true);
    CancelButton.setContainer(&Picture2);
    CancelButton.setCaption(QStringLiteral("Abbrechen"));
    CancelButton.Move(3840, 60, 1440, 375);
    CancelButton.setCancel(true);

    OKButton.onClick = [this] { OKButton_Click(); };
    CancelButton.onClick = [this] { CancelButton_Click(); };
    chkBeep.onClick = [this] { chkBeep_Click(); };
    chkLED.onClick = [this] { chkLED_Click(); };
    chkLED2.onClick = [this] { chkLED2_Click(); };
    opMode.onClick = [this](int Index) { opMode_Click(Index); };
    // A move with the keys ends in Change without Scroll: both show the value.
    slAct.onScroll = [this] { slAct_Scroll(); };
    slAct.onChange = [this] { slAct_Scroll(); };
    slSTB.onScroll = [this] { slSTB_Scroll(); };
    slSTB.onChange = [this] { slSTB_Scroll(); };
}

void FrmExtSet::Form_Load()
{
    ApplyLanguage(*this);

    lblHinweis.setCaption(QString());
    chkBeep.setEnabled(true);
    chkLED.setEnabled(true);
    gBeepSetLoaded = gBeepSet;
    gLedSetLoaded = gLedSet;
    // Taken at every load: a copy left from another station would make OK see a change nobody made.
    gLed2SetLoaded = gLed2Set;

    frMode.setVisible(!gZokDevice);
    lblWarning.setVisible(!gZokDevice);
    chkLED2.setVisible(gZokDevice);
    lblVekR_T.setVisible(gZokDevice);

    if (gZokDevice) {
        chkLED2.setLeft(chkLED.Left());
        chkLED2.setCaption(QStringLiteral("&2.") + QString(chkLED.Caption()).remove(u'&'));
        chkLED2.setValue(gLed2Set ? vbChecked : vbUnchecked);
    }
    chkBeep.setValue(gBeepSetLoaded ? vbChecked : vbUnchecked);
    chkLED.setValue(gLedSetLoaded ? vbChecked : vbUnchecked);

    if (gModelFlag && !gZokDevice) {
        bModeLoaded = gExtOpMode;
        lActLoaded = gActTime;
        lSTBLoaded = gStbTime;
        lblK1K2.setVisible(gTraceOn);
        lblK1K2.setCaption(QStringLiteral("K1=%1 K2=%2").arg(gK1).arg(gK2));
        if (gExtOpMode >= kModeSprint && gExtOpMode <= kModeEconomy) {
            const QString tip = GetLangText(gLangIndex, kTextModeTip, QString()) + QStringLiteral(" Act=") +
                                CStr(Round(double(gActTime) * 1000 / 32768)) + QStringLiteral("ms STB=") +
                                CStr(Round(double(gStbTime) / 32768, 3)) + QStringLiteral("s  K1=") +
                                QString::number(gK1) + QStringLiteral(" K2=") + QString::number(gK2);
            opMode(gExtOpMode).setValue(true);
            opMode(gExtOpMode).setToolTipText(tip);
        }
        berechneK();
    } else {
        if (frmMain().chkCPC(0).Value() == vbUnchecked && !gZokDevice) {
            chkBeep.setEnabled(false);
            chkLED.setEnabled(false);
            lblHinweis.setCaption(GetLangText(gLangIndex, kTextOnlyWithAutoSend, QString()));
        }
        frMode.setVisible(false);
        frFeedBack.setTop(frMode.Top());
    }
    Picture2.setTop(frFeedBack.Top() + frFeedBack.Height() + 60);
    setHeight(frFeedBack.Top() + frFeedBack.Height() + Picture2.Height() + 400);
}

void FrmExtSet::chkBeep_Click()
{
    gBeepSet = chkBeep.Value() == vbChecked;
}

void FrmExtSet::chkLED_Click()
{
    gLedSet = chkLED.Value() == vbChecked;
}

void FrmExtSet::chkLED2_Click()
{
    gLed2Set = chkLED2.Value() == vbChecked;
}

void FrmExtSet::setWithin(Slider& slider, int32_t value)
{
    slider.setValue(std::clamp<int32_t>(value, slider.Min(), slider.Max()));
}

void FrmExtSet::opMode_Click(int Index)
{
    slAct.setMin(12);
    slAct.setMax(100);
    setWithin(slAct, TicksToMs(gActTime));
    setWithin(slSTB, TicksToMs(gStbTime));
    if (opMode(Index).Value())
        gExtOpMode = uint8_t(Index);
    picSet.setVisible(Index != kModeStandard);
    lblWarning.setVisible(Index != kModeStandard && !gZokDevice);
    const bool changed = bModeLoaded != gExtOpMode;
    switch (Index) {
    case kModeSprint:
        slAct.setMax(40);
        if (changed) {
            slAct.setSelStart(12);
            slSTB.setSelStart(1000);
        }
        break;
    case kModeStandard:
        if (changed) {
            slAct.setValue(40);
            slSTB.setValue(1000);
        }
        slAct.setSelStart(slAct.Value());
        slSTB.setSelStart(slSTB.Value());
        break;
    case kModeEconomy:
        slAct.setMin(40);
        if (changed) {
            slAct.setSelStart(80);
            slSTB.setSelStart(2000);
        }
        break;
    default:
        break;
    }
    showAct();
    showStb();
    berechneK();
}

void FrmExtSet::showAct()
{
    lblAct.setCaption(QStringLiteral("Act:") + QString::number(slAct.Value()) + QStringLiteral("ms"));
}

void FrmExtSet::showStb()
{
    lblSTB.setCaption(QStringLiteral("STB:") + CStr(Round(slSTB.Value() / 1000.0, 2)) + QStringLiteral("s"));
}

void FrmExtSet::slAct_Scroll()
{
    showAct();
    berechneK();
}

void FrmExtSet::slSTB_Scroll()
{
    showStb();
    berechneK();
}

void FrmExtSet::berechneK()
{
    if (opMode(kModeStandard).Value()) {
        gK1 = 75;
        gK2 = 8;
    } else {
        gK1 = TimingK1(slAct.Value());
        gK2 = TimingK2(slSTB.Value());
    }
    lblK1K2.setCaption(QStringLiteral("K1=%1 K2=%2").arg(gK1).arg(gK2));
}

QByteArray FrmExtSet::buildWrite()
{
    const bool flagsOnly = !frMode.Visible();
    if (gExtFlagsChanged && gSysBlock7.size() >= kImageLength) {
        uint8_t b = uint8_t(gSysBlock7.at(kFeedbackIndex));
        b = SetBit(2, b, gBeepSet);
        b = SetBit(0, b, gLedSet);
        if (gZokDevice)
            b = SetBit(1, b, gLed2Set);
        gSysBlock7[kFeedbackIndex] = char(b);
    }
    if (flagsOnly)
        return gExtFlagsChanged ? gSysBlock7.left(kImageLength) : QByteArray();

    int32_t act = kStandardActTicks;
    int32_t stb = kStandardStbTicks;
    if (!opMode(kModeStandard).Value()) {
        act = ActMsToTicks(slAct.Value());
        stb = StbMsToTicks(slSTB.Value());
    }
    // Compared in the milliseconds the dialog shows: a station value a tick away from the written one (1311
    // against 1310) is the same setting and is not written again.
    gExtTimingChanged = TicksToMs(lActLoaded) != TicksToMs(act) || TicksToMs(lSTBLoaded) != TicksToMs(stb);
    if (!gExtTimingChanged) {
        gActTime = lActLoaded;
        gStbTime = lSTBLoaded;
        if (!gExtFlagsChanged)
            return {};
        return gUseExtCommands ? gSysBlock7.left(kShortSettingsWrite) : gSysBlock7;
    }
    gActTime = act;
    gStbTime = stb;
    PutBytes(gSysBlock4, kTimingIndex, twoBytes(gActTime) + twoBytes(gStbTime));
    gSysBlock1[kK1Index] = char(gK1);
    gSysBlock1[kK2Index] = char(gK2);
    QByteArray request = gSysBlock1.left(kImageLength);
    if (!gUseExtCommands)
        // The reply handler writes block 0x40 next, and the settings block after it when a feedback option
        // changed.
        return request;
    request +=
        gSysBlock2.mid(2, kBlockBytes) + gSysBlock3.mid(2, kBlockBytes) + gSysBlock4.mid(2, kBlockBytes);
    if (gExtFlagsChanged)
        request += gSysBlock6.mid(kSliceTailFrom) + gSysBlock7.mid(2, kSettingsHead);
    return request;
}

void FrmExtSet::OKButton_Click()
{
    gActionCode = ActExtSettings;
    gExtTimingChanged = false;
    gExtFlagsChanged = gBeepSetLoaded != gBeepSet || gLedSetLoaded != gLedSet || gLed2SetLoaded != gLed2Set;

    // The blocks a write goes back into must have been read in this operation.
    const bool timing = frMode.Visible();
    const bool extended = timing && gUseExtCommands;
    const bool readComplete =
        gSysBlock7.size() >= kImageLength &&
        (!timing || (gSysBlock1.size() >= kImageLength && gSysBlock4.size() >= kImageLength)) &&
        (!extended || (gSysBlock2.size() >= kImageLength && gSysBlock3.size() >= kImageLength &&
                       gSysBlock6.size() >= kSliceTailFrom + 2 * kBlockBytes));
    if (!readComplete) {
        SetActionText(gTextInvalid);
        Beep();
        return;
    }

    const QByteArray request = buildWrite();
    sEndedByButton = true;
    if (request.isEmpty()) {
        Unload(*this);
        EndStationAction();
        return;
    }
    gSendBuffer = BuildFrame(request);
    sWriteSent = true;
    SendFrame();
    Unload(*this);
}

void FrmExtSet::CancelButton_Click()
{
    sEndedByButton = true;
    Unload(*this);
    EndStationAction();
}

} // namespace qv
