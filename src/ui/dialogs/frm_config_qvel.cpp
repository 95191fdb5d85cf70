// The radio-card dialog frmConfigQVEL: layout, loading, the pattern grids and what OK sends.
#include "ui/dialogs/frm_config_qvel.h"

#include "app/language.h"
#include "cards/card_interpreter.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/sender.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"
#include "receiver/air_card.h"
#include "receiver/fixed_requests.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/radio_card.h"
#include "ui/main/frm_main.h"

namespace qv {

namespace {

// The grids: eight steps side by side.
constexpr int kSteps = 8;
constexpr int kGridLeft = 1500;
constexpr int kGridStep = 420;
constexpr int kRowTop[] = {360, 660, 960};
// The partner field turns this red while its number is not acceptable.
constexpr OleColor kPartnerRed = 0xFF;
// The step buttons run far either way: their own position means nothing.
constexpr int kScrollRange = 32767;
// What became of the card on the station: written; its state read and nothing written; why OK stays off.
constexpr int32_t kTextCardWritten = 1566;
constexpr int32_t kTextStateReadOnly = 1567;
constexpr int32_t kTextWhyOkOff = 1568;

} // namespace

FrmConfigQVEL::FrmConfigQVEL() : Form(QStringLiteral("frmConfigQVEL"))
{
    layOut();
    wireHandlers();
}

void FrmConfigQVEL::layOut()
{
    setCaption(QStringLiteral("config QVEL"));
    Move(0, 0, 7200, 7400);
    setStartUpPosition(vbStartUpOwner);

    lblCardNo(0).setCaption(QStringLiteral("card no"));
    lblCardNo(0).Move(120, 150, 1300, 255);
    lblCardNo(1).Move(1500, 150, 1500, 255);
    lblCardNo(1).setFontBold(true);
    lblSWHW(0).setCaption(QStringLiteral("HW / SW"));
    lblSWHW(0).Move(3300, 150, 1000, 255);
    lblSWHW(1).Move(4350, 150, 2500, 255);
    lblCardNo(3).setCaption(QStringLiteral("qvid partner card"));
    lblCardNo(3).Move(120, 540, 1900, 255);
    txtPartnerCard.Move(2050, 500, 1300, 315);
    txtPartnerCard.setMaxLength(kPartnerCardMaxLength);
    lblWarnung.setCaption(QStringLiteral("nur f\u00fcr qv-card6, -8, -9, -10, zcard, kcard"));
    lblWarnung.Move(3450, 540, 3500, 255);
    lblWarnung.setForeColor(kPartnerRed);
    lblWarnung.setVisible(false);

    chkOn.setCaption(QStringLiteral("Tessom interface on"));
    chkOn.Move(120, 960, 3300, 285);
    chkOff.setCaption(QStringLiteral("Tessom interface off"));
    chkOff.Move(3600, 960, 3300, 285);
    chkKEZWAITon.setCaption(QStringLiteral("KEZWAIT on"));
    chkKEZWAITon.Move(120, 1290, 3300, 285);
    chkKEZWAIToff.setCaption(QStringLiteral("KEZWAIT off"));
    chkKEZWAIToff.Move(3600, 1290, 3300, 285);

    frBatt.Move(120, 1650, 6850, 900);
    lblKEZWAIT(0).setContainer(&frBatt);
    lblKEZWAIT(0).setCaption(QStringLiteral("KEZWAIT"));
    lblKEZWAIT(0).Move(120, 240, 1300, 255);
    lblKEZWAIT(1).setContainer(&frBatt);
    lblKEZWAIT(1).Move(1500, 240, 5200, 255);
    lblBatt(0).setContainer(&frBatt);
    lblBatt(0).setCaption(QStringLiteral("batterie date"));
    lblBatt(0).Move(120, 540, 1300, 255);
    lblBatt(1).setContainer(&frBatt);
    lblBatt(1).Move(1500, 540, 1500, 255);
    imBatt.setContainer(&frBatt);
    imBatt.Move(3200, 480, 480, 330);
    lblVolt.setContainer(&frBatt);
    lblVolt.setCaption(QStringLiteral("Volt"));
    lblVolt.Move(3800, 540, 1800, 255);

    // The default-value panel and the SEL grid take the same place; one of them shows.
    frDefaultValue.setCaption(QStringLiteral("default"));
    frDefaultValue.Move(120, 2650, 6850, 1400);
    piSetValue.setContainer(&frDefaultValue);
    piSetValue.Move(50, 240, 6750, 1100);
    const char* const presets[] = {"short", "long", "standard", "flexible"};
    for (int k = 0; k < 4; ++k) {
        opDefault(k).setContainer(&piSetValue);
        opDefault(k).setCaption(QString::fromLatin1(presets[k]));
        opDefault(k).Move(120 + k * 1650, 120, 1550, 285);
    }
    chkDefault.setContainer(&piSetValue);
    chkDefault.setCaption(QStringLiteral("for all following cards"));
    chkDefault.Move(120, 600, 4500, 285);

    const char* const rows[] = {"LED green", "LED red", "beep"};
    PictureBox* grids[] = {&piSEL, &piBRD};
    const int gridTops[] = {2650, 4150};
    for (int g = 0; g < 2; ++g) {
        PictureBox& grid = *grids[g];
        grid.Move(120, gridTops[g], 6850, 1400);
        grid.setBorderStyle(1);
        lblKopf(g).setContainer(&grid);
        lblKopf(g).setCaption(g == 0 ? QStringLiteral("&SEL-FEEDBACK") : QStringLiteral("&BRD-FEEDBACK"));
        lblKopf(g).Move(60, 60, 2500, 255);
        lblKopf(g).setFontBold(true);
        lblAnz(g).setContainer(&grid);
        lblAnz(g).setCaption(QStringLiteral("cycle"));
        lblAnz(g).Move(kGridLeft + kSteps * kGridStep + 100, 360, 700, 255);
        txtAnz(g).setContainer(&grid);
        txtAnz(g).Move(kGridLeft + kSteps * kGridStep + 800, 330, 600, 315);
        txtAnz(g).setMaxLength(3);
        for (int r = 0; r < 3; ++r) {
            lblRow(g * 3 + r).setContainer(&grid);
            lblRow(g * 3 + r).setCaption(QString::fromLatin1(rows[r]));
            lblRow(g * 3 + r).Move(60, kRowTop[r], kGridLeft - 120, 255);
        }
    }
    ControlArray<CheckBox>* boxes[2][3] = {{&chkSEL_LedG, &chkSEL_LedR, &chkSEL_Beep},
                                           {&chkBRD_LedG, &chkBRD_LedR, &chkBRD_Beep}};
    for (int g = 0; g < 2; ++g)
        for (int r = 0; r < 3; ++r)
            for (int k = 0; k < kSteps; ++k) {
                CheckBox& box = (*boxes[g][r])(k);
                box.setContainer(grids[g]);
                box.Move(kGridLeft + k * kGridStep, kRowTop[r], 300, 255);
                box.setToolTipText(QString::number(k + 1));
            }
    cmdBack.setContainer(&piSEL);
    cmdBack.setCaption(QStringLiteral("&zur\u00fcck"));
    cmdBack.Move(kGridLeft + kSteps * kGridStep + 100, 900, 1300, 375);
    piSEL.setVisible(false);

    frKEZWAIT.setCaption(QStringLiteral("Start KEZON"));
    frKEZWAIT.Move(50, 2650, 6850, 1400);
    Slider1.setContainer(&frKEZWAIT);
    Slider1.setMax(kKezSliderMax);
    Slider1.setLargeChange(30);
    Slider1.setTickFrequency(720);
    Slider1.Move(120, 300, 6600, 450);
    for (int k = 0; k < 2; ++k) {
        HScroll1(k).setContainer(&frKEZWAIT);
        HScroll1(k).setMin(-kScrollRange);
        HScroll1(k).setMax(kScrollRange);
        HScroll1(k).Move(120 + k * 1500, 900, 1300, 285);
    }
    HScroll1(0).setToolTipText(QStringLiteral("24 h"));
    HScroll1(1).setToolTipText(QStringLiteral("1 h"));
    lblStartKEZON.setContainer(&frKEZWAIT);
    lblStartKEZON.Move(3300, 920, 3000, 255);
    lblStartKEZON.setFontBold(true);

    Picture1.Move(0, 5700, 7200, 1550);
    cmdDefault(1).setContainer(&Picture1);
    cmdDefault(1).setCaption(QStringLiteral("last value"));
    cmdDefault(1).Move(120, 120, 1500, 375);
    cmdDefault(0).setContainer(&Picture1);
    cmdDefault(0).setCaption(QStringLiteral("default value"));
    cmdDefault(0).Move(1740, 120, 1500, 375);
    cmdCancel.setContainer(&Picture1);
    cmdCancel.setCaption(QStringLiteral("&Abbrechen"));
    cmdCancel.Move(3840, 120, 1500, 375);
    cmdCancel.setCancel(true);
    cmdOK.setContainer(&Picture1);
    cmdOK.setCaption(QStringLiteral("&OK"));
    cmdOK.Move(5460, 120, 1500, 375);
    lblInfo.setContainer(&Picture1);
    lblInfo.setCaption(QStringLiteral("legen sie jetzt die karten auf!"));
    lblInfo.Move(120, 600, 6800, 255);
    lblInfo.setVisible(false);
    lblCardState.setContainer(&Picture1);
    lblCardState.Move(120, 900, 6800, 510);
    lblCardState.setVisible(false);
}

void FrmConfigQVEL::wireHandlers()
{
    chkSEL_LedR.onClick = [this](int i) { chkSEL_LedR_Click(i); };
    chkSEL_LedG.onClick = [this](int i) { chkSEL_LedG_Click(i); };
    chkSEL_Beep.onClick = [this](int i) { chkSEL_Beep_Click(i); };
    chkBRD_LedR.onClick = [this](int i) { chkBRD_LedR_Click(i); };
    chkBRD_LedG.onClick = [this](int i) { chkBRD_LedG_Click(i); };
    chkBRD_Beep.onClick = [this](int i) { chkBRD_Beep_Click(i); };
    lblCardNo.onChange = [this](int i) { lblCardNo_Change(i); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    chkDefault.onClick = [this] { chkDefault_Click(); };
    chkOn.onClick = [this] { chkOn_Click(); };
    chkOff.onClick = [this] { chkOff_Click(); };
    chkKEZWAITon.onClick = [this] { chkKEZWAITon_Click(); };
    chkKEZWAIToff.onClick = [this] { chkKEZWAIToff_Click(); };
    cmdBack.onClick = [this] { cmdBack_Click(); };
    cmdDefault.onClick = [this](int i) { cmdDefault_Click(i); };
    HScroll1.onChange = [this](int i) { HScroll1_Change(i); };
    HScroll1.onGotFocus = [this](int i) { HScroll1_GotFocus(i); };
    lblKopf.onMouseUp = [this](int i, int button, int shift, float x, float y) {
        lblKopf_MouseUp(i, button, shift, x, y);
    };
    opDefault.onClick = [this](int i) { opDefault_Click(i); };
    // The start time follows every change of the slider, also those made by the step buttons and at load.
    Slider1.onChange = [this] { Slider1_Scroll(); };
    txtAnz.onChange = [this](int i) { txtAnz_Change(i); };
    txtAnz.onGotFocus = [this](int i) { txtAnz_GotFocus(i); };
    txtAnz.onKeyPress = [this](int i, int& key) { txtAnz_KeyPress(i, key); };
    txtPartnerCard.onChange = [this] { txtPartnerCard_Change(); };
    txtPartnerCard.onGotFocus = [this] { txtPartnerCard_GotFocus(); };
    txtPartnerCard.onKeyPress = [this](int& key) { txtPartnerCard_KeyPress(key); };
    txtPartnerCard.onLostFocus = [this] { txtPartnerCard_LostFocus(); };
}

OleColor FrmConfigQVEL::mainBackColor() const
{
    return FormInstance<FrmMain>::loaded() ? frmMain().BackColor() : vbButtonFace;
}

void FrmConfigQVEL::Form_Load()
{
    const bool expert = FormInstance<FrmMain>::loaded() && frmMain().mnuViewExpert.Checked();
    // The caption kept here is the one the card's kind and number are appended to: in the chosen language.
    ApplyLanguage(*this);
    gAirCardCaption = Caption();
    cmdOK.setEnabled(false);
    if (FormInstance<FrmMain>::loaded()) {
        for (int k = 0; k < 2; ++k) {
            lblKopf(k).setMouseIcon(frmMain().lblMousePointer.MouseIcon());
            lblKopf(k).setMousePointer(frmMain().lblMousePointer.MousePointer());
        }
    }
    gVoltCaption = QLatin1Char(' ') + lblVolt.Caption();
    lblVolt.setCaption(QString());
    lblKEZWAIT(1).setCaption(QString());
    lblCardNo(3).setVisible(expert);
    txtPartnerCard.setVisible(expert);
    frDefaultValue.setWidth(piSEL.Width());
    piSetValue.setWidth(piSEL.Width() - 100);

    const QDateTime now = Now();
    gAirCardDate = AirCardReferenceDate(now);
    HScroll1(0).setValue(2);
    HScroll1(1).setValue(720);
    Slider1.setValue(InitialKezSliderValue(now));
    lblStartKEZON.setCaption(KezTimeText(KezStartTime(gAirCardDate, Slider1.Value())));
    frKEZWAIT.setVisible(false);
    frKEZWAIT.setLeft(50);
}

void FrmConfigQVEL::Form_Activate()
{
    // The caption names the card on the station; the language file knows only its first part.
    const QString caption = Caption();
    ApplyLanguage(*this);
    if (caption.startsWith(gAirCardCaption))
        setCaption(caption);
}

void FrmConfigQVEL::Form_Unload(int& /*Cancel*/)
{
    // A command left pending would be sent to whichever card the station's next reply comes from.
    ClearAirCardPending();
    gConnMode = gSavedConnMode;
    if (gConnMode >= 0 && size_t(gConnMode) < gConnModeNames.size())
        linkWindow().showConnectionMode(gConnModeNames[size_t(gConnMode)]);
    EndStationAction();
}

ControlArray<CheckBox>& FrmConfigQVEL::checkArray(const QString& name)
{
    ControlArray<CheckBox>* const arrays[] = {&chkSEL_LedG, &chkSEL_LedR, &chkSEL_Beep,
                                              &chkBRD_LedG, &chkBRD_LedR, &chkBRD_Beep};
    for (ControlArray<CheckBox>* a : arrays)
        if (a->Name().compare(name, Qt::CaseInsensitive) == 0)
            return *a;
    throw VbError(ErrControlArrayElementMissing, name);
}

void FrmConfigQVEL::SetCtrlValue(const QByteArray& aSEL, const QByteArray* xBRD, const QByteArray* xPartCard)
{
    if (xPartCard)
        for (int j = 0; j < 4; ++j)
            mReadCfg[j] = j < xPartCard->size() ? xPartCard->at(j) : '\0';
    if (chkDefault.Value() == 1) {
        // The patterns in force stay those of the boxes: they are re-derived, the card's are not shown.
        gFillingControls = false;
        for (int k = 0; k < kSteps; ++k) {
            FEEDBACK_Korr(QStringLiteral("chkSEL_LedG"), k, gSelFeedback, kPatternGreen);
            FEEDBACK_Korr(QStringLiteral("chkSEL_LedR"), k, gSelFeedback, kPatternRed);
            FEEDBACK_Korr(QStringLiteral("chkSEL_Beep"), k, gSelFeedback, kPatternBeep);
            if (xBRD) {
                FEEDBACK_Korr(QStringLiteral("chkBRD_LedG"), k, gBrdFeedback, kPatternGreen);
                FEEDBACK_Korr(QStringLiteral("chkBRD_LedR"), k, gBrdFeedback, kPatternRed);
                FEEDBACK_Korr(QStringLiteral("chkBRD_Beep"), k, gBrdFeedback, kPatternBeep);
            }
        }
        return;
    }
    const auto byteOf = [](const QByteArray& a, int i) {
        return i < a.size() ? uint8_t(a.at(i)) : uint8_t(0);
    };
    const auto boxValue = [&](const QByteArray& a, int row, int k) { return (byteOf(a, row) >> k) & 1; };
    txtAnz(0).setText(QString::number(byteOf(aSEL, kPatternCount)));
    for (int k = 0; k < kSteps; ++k) {
        chkSEL_LedG(k).setValue(boxValue(aSEL, kPatternGreen, k));
        chkSEL_LedR(k).setValue(boxValue(aSEL, kPatternRed, k));
        chkSEL_Beep(k).setValue(boxValue(aSEL, kPatternBeep, k));
        if (xBRD) {
            chkBRD_LedG(k).setValue(boxValue(*xBRD, kPatternGreen, k));
            chkBRD_LedR(k).setValue(boxValue(*xBRD, kPatternRed, k));
            chkBRD_Beep(k).setValue(boxValue(*xBRD, kPatternBeep, k));
        }
    }
    if (xBRD)
        txtAnz(1).setText(QString::number(byteOf(*xBRD, kPatternCount)));
    for (int j = 0; j < 4; ++j) {
        gSelFeedback[j] = char(byteOf(aSEL, j));
        if (xBRD)
            gBrdFeedback[j] = char(byteOf(*xBRD, j));
        if (gFillingControls) {
            mReadSel[j] = char(byteOf(aSEL, j));
            mReadSelCount = byteOf(aSEL, kPatternCount);
            if (xBRD) {
                mReadBrd[j] = char(byteOf(*xBRD, j));
                mReadBrdCount = byteOf(*xBRD, kPatternCount);
            }
        }
    }
}

void FrmConfigQVEL::FEEDBACK_Korr(const QString& sCtlName, int i, QByteArray& aCardPage, int byI)
{
    CheckBox& box = checkArray(sCtlName)(i);
    if (gFillingControls)
        return;
    if (aCardPage.size() < 4)
        aCardPage.resize(4, '\0');
    aCardPage[byI] = char(SetBit(i, uint8_t(aCardPage.at(byI)), box.Value() == 1));
    setOkEnabledFromPattern();
}

bool FrmConfigQVEL::countsValid() const
{
    return CountByte(txtAnz(0).Text()) && (gCardType != kAirCardType || CountByte(txtAnz(1).Text()));
}

void FrmConfigQVEL::setOkEnabledFromPattern()
{
    // An empty count cannot be sent: OK stays disabled until the count is typed.
    cmdOK.setEnabled(!partnerRed() && isFEEDBACKnew() && countsValid());
}

bool FrmConfigQVEL::isFEEDBACKnew()
{
    FeedbackCompare c;
    c.cardPresent = !mCardDone && Val(lblCardNo(1).Caption()) > 0;
    c.selCountText = txtAnz(0).Text();
    c.brdCountText = txtAnz(1).Text();
    c.readSelCount = mReadSelCount;
    c.readBrdCount = mReadBrdCount;
    c.readSel = mReadSel;
    c.readBrd = mReadBrd;
    c.selFeedback = gSelFeedback;
    c.brdFeedback = gBrdFeedback;
    return IsFeedbackNew(c);
}

void FrmConfigQVEL::uncheckOther(ControlArray<CheckBox>& other, int Index)
{
    if (!gFillingControls)
        other(Index).setValue(0);
}

void FrmConfigQVEL::chkSEL_LedR_Click(int Index)
{
    FEEDBACK_Korr(QStringLiteral("chkSEL_LedR"), Index, gSelFeedback, kPatternRed);
    if (chkSEL_LedR(Index).Value() == 1)
        uncheckOther(chkSEL_LedG, Index);
}

void FrmConfigQVEL::chkSEL_LedG_Click(int Index)
{
    FEEDBACK_Korr(QStringLiteral("chkSEL_LedG"), Index, gSelFeedback, kPatternGreen);
    if (chkSEL_LedG(Index).Value() == 1)
        uncheckOther(chkSEL_LedR, Index);
}

void FrmConfigQVEL::chkSEL_Beep_Click(int Index)
{
    FEEDBACK_Korr(QStringLiteral("chkSEL_Beep"), Index, gSelFeedback, kPatternBeep);
}

void FrmConfigQVEL::chkBRD_LedR_Click(int Index)
{
    FEEDBACK_Korr(QStringLiteral("chkBRD_LedR"), Index, gBrdFeedback, kPatternRed);
}

void FrmConfigQVEL::chkBRD_LedG_Click(int Index)
{
    FEEDBACK_Korr(QStringLiteral("chkBRD_LedG"), Index, gBrdFeedback, kPatternGreen);
}

void FrmConfigQVEL::chkBRD_Beep_Click(int Index)
{
    FEEDBACK_Korr(QStringLiteral("chkBRD_Beep"), Index, gBrdFeedback, kPatternBeep);
}

void FrmConfigQVEL::lblCardNo_Change(int Index)
{
    // A new card's number: the one before is no longer the one on the station.
    if (Index == 1 && !lblCardNo(1).Caption().isEmpty()) {
        mCardDone = false;
        lblCardState.setVisible(false);
    }
    const bool air = gCardType == kAirCardType;
    opDefault(1).setVisible(air);
    for (int k = 0; k < kSteps; ++k) {
        chkSEL_Beep(k).setEnabled(air);
        chkSEL_LedG(k).setEnabled(air);
    }
}

void FrmConfigQVEL::showCardDone(bool written)
{
    mCardDone = true;
    const QString number = lblCardNo(1).Caption().trimmed();
    QString state = number.isEmpty() ? QString() : number + QStringLiteral(": ");
    if (written) {
        state += GetLangText(gLangIndex, kTextCardWritten, QStringLiteral("written - put on the next card"));
    } else {
        // Such a card takes a change only as one of all the cards that follow: OK has nothing to send it.
        state += GetLangText(gLangIndex, kTextStateReadOnly, QStringLiteral("state read, nothing written.")) +
                 QLatin1Char(' ') +
                 GetLangText(gLangIndex, kTextWhyOkOff,
                             QStringLiteral("OK stays off for cards with software 4.0 or later: they are "
                                            "changed through")) +
                 QStringLiteral(" \"") + QString(chkDefault.Caption()).remove(QLatin1Char('&')) +
                 QStringLiteral("\".");
    }
    lblCardState.setCaption(state);
    lblCardState.setVisible(true);
}

void FrmConfigQVEL::cmdOK_Click()
{
    gAirCmd7E05Pending = false;
    gAirCmdMPending = false;
    const bool air = gCardType == kAirCardType;
    for (int k = 0; k <= 2; ++k) {
        if (!opDefault(k).Value())
            continue;
        if (air) {
            const QByteArray brd = AirPreset(k, PresetColumn::AirBrd);
            SetCtrlValue(AirPreset(k, PresetColumn::AirSel), &brd);
        } else {
            SetCtrlValue(AirPreset(k, PresetColumn::Card11Sel));
        }
        break;
    }
    RadioCardOkInput in;
    in.airCard = air;
    in.partnerSeries = mPartnerSeries;
    in.partnerText = txtPartnerCard.Text();
    in.readCfg = mReadCfg;
    in.readSel = mReadSel;
    in.readBrd = mReadBrd;
    in.selFeedback = gSelFeedback;
    in.brdFeedback = gBrdFeedback;
    in.selCountText = txtAnz(0).Text();
    in.brdCountText = txtAnz(1).Text();
    in.defaultPanelVisible = frDefaultValue.Visible();
    AirCardStores s{gAirSelData,       gAirBrdData,       gCard11SelData, gAirCmdMData,
                    gAirCmdSelPending, gAirCmdBrdPending, gAirCmdMPending};
    const QByteArray command = RadioCardOkCommand(in, s);
    gAirSelData = s.airSel;
    gAirBrdData = s.airBrd;
    gCard11SelData = s.card11Sel;
    gAirCmdMData = s.mData;
    gAirCmdSelPending = s.selPending;
    gAirCmdBrdPending = s.brdPending;
    gAirCmdMPending = s.mPending;
    if (command.isEmpty())
        return;
    gSendBuffer = BuildFrame(command);
    SendFrame();
}

void FrmConfigQVEL::cmdCancel_Click()
{
    ClearAirCardPending();
    Unload(*this);
}

} // namespace qv
