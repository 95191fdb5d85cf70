// The radio-card dialog on its own: how a card's patterns fill the grids, what clicks change, when OK may be
// pressed, what one press of OK sends and leaves pending, the one-shot options and the typed fields. The
// station conversation around it is in the end-to-end tests.
#include "app/settings.h"
#include "cards/card_interpreter.h"
#include "link/link_globals.h"
#include "platform/controls/screen.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/clock.h"
#include "receiver/air_card.h"
#include "receiver/fixed_requests.h"
#include "stationdata/radio_card.h"
#include "support/main_window_fixture.h"
#include "support/test_support.h"
#include "ui/dialogs/frm_batt.h"
#include "ui/dialogs/frm_config_qvel.h"
#include "ui/main/program_state.h"

#include <gtest/gtest.h>
#include <memory>

using namespace qv;

namespace {

QByteArray hex(const char* h)
{
    return QByteArray::fromHex(h);
}

// The dialog reaches the main window (its port, its texts), so the main window's own set-up and closing
// keep a window it loads from staying behind for the next test.
class RadioDialog : public test::MainWindowTest
{
  protected:
    FakeClock clock{QDateTime(QDate(2026, 12, 10), QTime(10, 30, 0))};
    std::unique_ptr<ScopedClock> scoped;

    void SetUp() override
    {
        test::MainWindowTest::SetUp();
        startWindow();
        // A dialog an earlier test of another suite left loaded would not load again under this test's clock.
        if (FormInstance<FrmConfigQVEL>::loaded())
            Unload(frmConfigQVEL());
        DialogHooks::reset();
        scoped = std::make_unique<ScopedClock>(clock);
        gCardType = kAirCardType;
        gActionCode = ActConfigAirCard;
    }
    void TearDown() override
    {
        if (FormInstance<FrmConfigQVEL>::loaded())
            Unload(frmConfigQVEL());
        DialogHooks::reset();
        scoped.reset();
        test::MainWindowTest::TearDown();
    }

    // The dialog filled from a card with these patterns, as the reply receiver fills it.
    FrmConfigQVEL& filled(const QByteArray& sel, const QByteArray& brd,
                          const QByteArray& partner = hex("00000000"))
    {
        FrmConfigQVEL& d = frmConfigQVEL();
        d.lblCardNo(1).setCaption(QStringLiteral("8000001"));
        gFillingControls = true;
        d.SetCtrlValue(sel, &brd, &partner);
        gFillingControls = false;
        return d;
    }

    static QByteArray boxes(FrmConfigQVEL& d, int grid)
    {
        ControlArray<CheckBox>* rows[2][3] = {{&d.chkSEL_LedG, &d.chkSEL_LedR, &d.chkSEL_Beep},
                                              {&d.chkBRD_LedG, &d.chkBRD_LedR, &d.chkBRD_Beep}};
        QByteArray bits(3, '\0');
        for (int r = 0; r < 3; ++r)
            for (int k = 0; k < 8; ++k)
                if ((*rows[grid][r])(k).Value() == 1)
                    bits[r] = char(uint8_t(bits[r]) | (1 << k));
        return bits;
    }

    // The framed 0xEA command OK put out, unframed again (extended frame: FF 02 EA 05 sub d0-d3 crc 03).
    static QByteArray sentCommand()
    {
        if (gSendBuffer.size() < 10)
            return QByteArray();
        return QByteArray(1, gSendBuffer.at(2)) + gSendBuffer.mid(4, 5);
    }
};

TEST_F(RadioDialog, AFillShowsTheCardAndLeavesNothingNew)
{
    FrmConfigQVEL& d = filled(hex("1800054a"), hex("0800050a"));
    EXPECT_EQ(d.txtAnz(0).Text(), QStringLiteral("24"));
    EXPECT_EQ(d.txtAnz(1).Text(), QStringLiteral("8"));
    EXPECT_EQ(boxes(d, 0), hex("00054a"));
    EXPECT_EQ(boxes(d, 1), hex("00050a"));
    EXPECT_EQ(gSelFeedback, hex("1800054a"));
    EXPECT_FALSE(d.isFEEDBACKnew());
}

TEST_F(RadioDialog, SelStepLightsRedOrGreenBrdStepMayLightBoth)
{
    FrmConfigQVEL& d = filled(hex("18000000"), hex("08000000"));
    d.chkSEL_LedR(3).setValue(1);
    d.chkSEL_LedG(3).setValue(1);
    EXPECT_EQ(d.chkSEL_LedR(3).Value(), 0);
    EXPECT_EQ(uint8_t(gSelFeedback[kPatternGreen]), 0x08);
    EXPECT_EQ(uint8_t(gSelFeedback[kPatternRed]), 0x00);
    d.chkBRD_LedR(3).setValue(1);
    d.chkBRD_LedG(3).setValue(1);
    EXPECT_EQ(d.chkBRD_LedR(3).Value(), 1);
    EXPECT_EQ(gBrdFeedback, hex("08080800"));
    EXPECT_TRUE(d.isFEEDBACKnew());
    EXPECT_TRUE(d.cmdOK.Enabled());
}

TEST_F(RadioDialog, WithoutACardNothingIsNew)
{
    FrmConfigQVEL& d = filled(hex("18000000"), hex("08000000"));
    d.lblCardNo(1).setCaption(QString());
    d.chkSEL_Beep(0).setValue(1);
    EXPECT_FALSE(d.isFEEDBACKnew());
    EXPECT_FALSE(d.cmdOK.Enabled());
}

TEST_F(RadioDialog, FillWithoutBrdLeavesTheBrdGridAndForAllCardsKeepsTheBoxes)
{
    FrmConfigQVEL& d = filled(hex("18000000"), hex("08000102"));
    gFillingControls = true;
    d.SetCtrlValue(hex("30000500"));
    gFillingControls = false;
    EXPECT_EQ(d.txtAnz(1).Text(), QStringLiteral("8"));
    EXPECT_EQ(gBrdFeedback, hex("08000102"));

    d.chkDefault.setValue(1);
    const QByteArray partner = hex("02262500");
    const QByteArray brd = hex("ff0f0f0f");
    gFillingControls = true;
    d.SetCtrlValue(hex("ff0f0f0f"), &brd, &partner);
    EXPECT_FALSE(gFillingControls);
    EXPECT_EQ(boxes(d, 0), hex("000500"));
    EXPECT_EQ(gSelFeedback.mid(1), hex("000500"));
    EXPECT_EQ(gBrdFeedback.mid(1), hex("000102"));
}

TEST_F(RadioDialog, OkSendsOneCommandAndTheRepliesTheRest)
{
    FrmConfigQVEL& d = filled(hex("1800054a"), hex("0800050a"));
    d.chkSEL_Beep(7).setValue(1);
    d.txtAnz(1).setText(QStringLiteral("9"));
    ASSERT_TRUE(d.cmdOK.Enabled());
    d.cmdOK_Click();
    EXPECT_EQ(sentCommand(), hex("ea73180005ca"));
    EXPECT_EQ(gAirSelData, hex("180005ca"));
    EXPECT_EQ(gAirBrdData, hex("0900050a"));
    EXPECT_TRUE(gAirCmdBrdPending);
    EXPECT_FALSE(gAirCmdSelPending);
}

TEST_F(RadioDialog, NothingChangedSendsNothing)
{
    FrmConfigQVEL& d = filled(hex("1800054a"), hex("0800050a"));
    gSendBuffer.clear();
    d.opDefault(3).setValue(true); // the grids instead of the default panel
    d.cmdOK_Click();
    EXPECT_TRUE(gSendBuffer.isEmpty());
    // With the default panel shown the SEL pattern goes out even when the card holds it.
    d.cmdBack_Click();
    d.cmdOK_Click();
    EXPECT_EQ(sentCommand(), hex("ea731800054a"));
}

TEST_F(RadioDialog, PresetOnTheOtherCardShowsItsSelPresetAlone)
{
    gCardType = kCard11Type;
    FrmConfigQVEL& d = filled(hex("10000200"), hex("0800050a"));
    d.lblCardNo(1).setCaption(QStringLiteral("9000001"));
    EXPECT_FALSE(d.opDefault(1).Visible());
    EXPECT_FALSE(d.chkSEL_LedG(0).Enabled());
    d.opDefault(2).setValue(true);
    EXPECT_EQ(d.txtAnz(0).Text(), QStringLiteral("96"));
    EXPECT_EQ(gSelFeedback, hex("60000200"));
    EXPECT_EQ(gBrdFeedback, hex("0800050a"));
    d.cmdOK_Click();
    EXPECT_EQ(sentCommand(), hex("ea7360000200"));
    EXPECT_EQ(gCard11SelData, hex("60000200"));
}

TEST_F(RadioDialog, ClearingAGridFromItsHeaderKeepsOkDisabledUntilACountIsTyped)
{
    FrmConfigQVEL& d = filled(hex("1800054a"), hex("0800050a"));
    DialogHooks::queue(DialogAnswer::press(vbYes));
    d.lblKopf_MouseUp(1, vbRightButton, 0, 0, 0);
    EXPECT_EQ(d.txtAnz(1).Text(), QString());
    EXPECT_EQ(boxes(d, 1), hex("000000"));
    EXPECT_FALSE(d.cmdOK.Enabled());
    d.cmdOK_Click();
    EXPECT_TRUE(gSendBuffer.isEmpty());
    d.txtAnz(1).setText(QStringLiteral("0"));
    EXPECT_TRUE(d.cmdOK.Enabled());

    // A left click asks nothing; No changes nothing.
    d.lblKopf_MouseUp(0, vbLeftButton, 0, 0, 0);
    DialogHooks::queue(DialogAnswer::press(vbNo));
    d.lblKopf_MouseUp(0, vbRightButton, 0, 0, 0);
    EXPECT_EQ(d.txtAnz(0).Text(), QStringLiteral("24"));
    EXPECT_EQ(DialogHooks::asked().size(), 2);
}

TEST_F(RadioDialog, CountsAreRememberedPerBoxAndNeverAbove255)
{
    FrmConfigQVEL& d = filled(hex("1800054a"), hex("0800050a"));
    d.txtAnz(0).setText(QStringLiteral("12"));
    const int beeps = BeepCount();
    d.txtAnz(1).setText(QStringLiteral("256"));
    EXPECT_EQ(d.txtAnz(1).Text(), QStringLiteral("8"));
    EXPECT_EQ(BeepCount(), beeps + 1);
    d.txtAnz(1).setText(QStringLiteral("1x"));
    EXPECT_EQ(d.txtAnz(1).Text(), QStringLiteral("8"));

    int key = '4';
    d.txtAnz(0).setText(QStringLiteral("123"));
    d.txtAnz(0).setSelLength(0);
    d.txtAnz_KeyPress(0, key);
    EXPECT_EQ(key, 0);
    for (int refused : {int('a'), 13, 22}) {
        key = refused;
        d.txtAnz_KeyPress(0, key);
        EXPECT_EQ(key, 0) << refused;
    }
    key = 8;
    d.txtAnz_KeyPress(0, key);
    EXPECT_EQ(key, 8);
}

TEST_F(RadioDialog, PartnerNumberSeriesColourAndOk)
{
    FrmConfigQVEL& d = filled(hex("1800054a"), hex("0800050a"));
    d.txtPartnerCard.setText(QStringLiteral("2500000"));
    EXPECT_EQ(d.partnerSeries(), 2);
    EXPECT_FALSE(d.lblWarnung.Visible());
    d.txtPartnerCard.setText(QStringLiteral("3500000"));
    EXPECT_EQ(d.partnerSeries(), -1);
    EXPECT_EQ(d.txtPartnerCard.BackColor(), 0xFFu);
    EXPECT_TRUE(d.lblWarnung.Visible());
    EXPECT_FALSE(d.cmdOK.Enabled());
    d.txtPartnerCard.setText(QStringLiteral("16777215"));
    EXPECT_EQ(d.partnerSeries(), 0);
    d.txtPartnerCard.setText(QString());
    EXPECT_EQ(d.txtPartnerCard.Text(), QStringLiteral("0"));
    EXPECT_EQ(d.txtPartnerCard.SelLength(), 1);
    // Pasted text that is no number, or too long for the field, is refused.
    d.txtPartnerCard.setText(QStringLiteral("1234567890123"));
    EXPECT_EQ(d.txtPartnerCard.Text(), QStringLiteral("0"));
    d.txtPartnerCard.setText(QStringLiteral("12ab"));
    EXPECT_EQ(d.txtPartnerCard.Text(), QStringLiteral("0"));
}

TEST_F(RadioDialog, PartnerChangeSendsTheSettingsCommand)
{
    FrmConfigQVEL& d = filled(hex("1800054a"), hex("0800050a"), hex("01000000"));
    gPartnerCardText = QStringLiteral("1000000");
    d.txtPartnerCard.setText(QStringLiteral("1000000"));
    d.opDefault(3).setValue(true);
    d.txtPartnerCard.setText(QStringLiteral("1234567"));
    EXPECT_TRUE(d.cmdOK.Enabled());
    d.cmdOK_Click();
    EXPECT_EQ(sentCommand(), hex("ea6d0112d687"));
    EXPECT_FALSE(gAirCmdMPending);
}

TEST_F(RadioDialog, CancelAndUnloadClearEveryPendingStep)
{
    FrmConfigQVEL& d = filled(hex("1800054a"), hex("0800050a"));
    gAirCmdMPending = true;
    gAirCmdBrdPending = true;
    gAirCmd7E05Pending = true;
    gAirCmd7E08Pending = true;
    gSavedConnMode = ConnRemote;
    d.cmdCancel_Click();
    EXPECT_FALSE(FormInstance<FrmConfigQVEL>::loaded());
    EXPECT_FALSE(gAirCmdMPending || gAirCmdBrdPending || gAirCmd7E05Pending || gAirCmd7E08Pending);
    EXPECT_EQ(gConnMode, ConnRemote);
}

TEST_F(RadioDialog, OneShotOptionsExcludeEachOtherAndHideTheButtons)
{
    FrmConfigQVEL& d = frmConfigQVEL();
    d.chkKEZWAITon.setValue(1);
    EXPECT_TRUE(d.frKEZWAIT.Visible());
    EXPECT_FALSE(d.frDefaultValue.Visible());
    EXPECT_FALSE(d.cmdOK.Visible());
    EXPECT_TRUE(d.lblInfo.Visible());
    EXPECT_FALSE(d.lblKEZWAIT(0).Visible());
    d.chkKEZWAIToff.setValue(1);
    EXPECT_EQ(d.chkKEZWAITon.Value(), 0);
    EXPECT_FALSE(d.frKEZWAIT.Visible());
    EXPECT_FALSE(d.frDefaultValue.Visible());
    EXPECT_FALSE(d.cmdOK.Visible());
    EXPECT_FALSE(d.cmdDefault(0).Visible());
    d.chkKEZWAIToff.setValue(0);
    EXPECT_FALSE(d.frDefaultValue.Visible());
    EXPECT_TRUE(d.cmdOK.Visible());
    EXPECT_TRUE(d.lblKEZWAIT(0).Visible());
    d.chkOn.setValue(1);
    d.chkOff.setValue(1);
    EXPECT_EQ(d.chkOn.Value(), 0);
    d.chkOff.setValue(0);
    EXPECT_TRUE(d.frDefaultValue.Visible());
}

TEST_F(RadioDialog, ForAllFollowingCardsTurnsRedAndHidesOk)
{
    FrmConfigQVEL& d = frmConfigQVEL();
    d.chkDefault.setValue(1);
    EXPECT_EQ(d.BackColor(), 0xFFu);
    EXPECT_FALSE(d.cmdOK.Visible());
    EXPECT_FALSE(d.chkOn.Visible());
    EXPECT_TRUE(d.chkKEZWAIToff.Visible());
    EXPECT_FALSE(d.txtPartnerCard.Enabled());
    d.chkDefault.setValue(0);
    EXPECT_TRUE(d.cmdOK.Visible());
    EXPECT_TRUE(d.txtPartnerCard.Enabled());
}

TEST_F(RadioDialog, FlexibleShowsTheGridAndBackReturns)
{
    FrmConfigQVEL& d = frmConfigQVEL();
    d.opDefault(3).setValue(true);
    EXPECT_TRUE(d.piSEL.Visible());
    EXPECT_FALSE(d.frDefaultValue.Visible());
    EXPECT_TRUE(d.cmdDefault(1).Visible());
    d.cmdBack_Click();
    EXPECT_FALSE(d.piSEL.Visible());
    EXPECT_TRUE(d.frDefaultValue.Visible());
    EXPECT_FALSE(d.cmdDefault(0).Enabled());
}

TEST_F(RadioDialog, LastValueRecallsTheStoresOfTheCardsKind)
{
    gAirSelData = hex("0a000102");
    gAirBrdData = hex("0b000304");
    FrmConfigQVEL& d = frmConfigQVEL();
    d.cmdDefault_Click(1);
    EXPECT_EQ(gSelFeedback, gAirSelData);
    EXPECT_EQ(gBrdFeedback, gAirBrdData);
    gCardType = 0x80;
    d.txtAnz(0).setText(QStringLiteral("1"));
    d.cmdDefault_Click(1);
    EXPECT_EQ(d.txtAnz(0).Text(), QStringLiteral("1"));
}

TEST_F(RadioDialog, StartTimeSliderAndItsStepButtons)
{
    FrmConfigQVEL& d = frmConfigQVEL();
    // Loaded at 10:30: the reference time stays, the slider stands at 08:00 of the next day.
    EXPECT_EQ(gAirCardDate, QDateTime(QDate(2026, 12, 10), QTime(10, 30)));
    EXPECT_EQ(d.Slider1.Value(), 645);
    EXPECT_EQ(d.lblStartKEZON.Caption(), QStringLiteral("11.12.2026 08:00"));
    d.HScroll1(0).setValue(d.HScroll1(0).Value() + 1);
    EXPECT_EQ(d.lblStartKEZON.Caption(), QStringLiteral("12.12.2026 08:00"));
    // Down past the start: the slider stops at 0, whose start is refused while the reference time is not
    // two minutes ahead, so the slider goes back.
    for (int k = 0; k < 3; ++k)
        d.HScroll1(0).setValue(d.HScroll1(0).Value() - 1);
    EXPECT_GE(d.Slider1.Value(), 0);
    d.Slider1.setValue(kKezSliderMax);
    d.HScroll1(1).setValue(d.HScroll1(1).Value() + 1);
    EXPECT_EQ(d.Slider1.Value(), kKezSliderMax);
    // A start already passed is refused and the label keeps its time.
    clock.advance(9 * 86400 * 1000LL);
    const QString shown = d.lblStartKEZON.Caption();
    d.Slider1.setValue(100);
    EXPECT_EQ(d.Slider1.Value(), kKezSliderMax);
    EXPECT_EQ(d.lblStartKEZON.Caption(), shown);
}

TEST_F(RadioDialog, LoadedAtAnOddMinuteTheReferenceMovesOn)
{
    clock.set(QDateTime(QDate(2026, 12, 10), QTime(10, 31, 12)));
    frmConfigQVEL();
    EXPECT_EQ(gAirCardDate, QDateTime(QDate(2026, 12, 10), QTime(10, 32, 12)));
}

// A card put on the station: the partner field is emptied, and offered only for a radio card in the
// expert view (another card has no partner to show).
TEST_F(RadioDialog, PartnerFieldOnlyForARadioCardInTheExpertView)
{
    struct Case
    {
        int32_t code;
        bool expert;
        bool shown;
    };
    const Case cases[] = {
        {kAirCardType, true, true}, {kAirCardType, false, false}, {kCard11Type, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " expert " << c.expert);
        frmMain().mnuViewExpert.setChecked(c.expert);
        FrmConfigQVEL& d = frmConfigQVEL();
        d.txtPartnerCard.setText(QStringLiteral("1234567"));
        ShowConfigFormField(c.code);
        // Emptied: the field itself reads an empty text as "no partner", 0.
        EXPECT_EQ(d.txtPartnerCard.Text().toInt(), 0);
        EXPECT_EQ(d.txtPartnerCard.Visible(), c.shown);
        EXPECT_EQ(d.lblCardNo(3).Visible(), c.shown);
    }
}

// The card was taken out: the configuration dialog forgets it and cannot write; in the battery change the
// battery dialog's OK goes off; in any other operation neither dialog is touched.
TEST_F(RadioDialog, CardTakenOutClearsTheDialogOfItsOperation)
{
    FrmConfigQVEL& d = filled(hex("1800054a"), hex("0800050a"), hex("007a1201"));
    d.lblSWHW(1).setCaption(QStringLiteral("4.1 / 2.0"));
    d.lblBatt(1).setCaption(QStringLiteral("01.01.2026"));
    d.lblVolt.setCaption(QStringLiteral(" 3.0 V"));
    d.txtPartnerCard.setText(QStringLiteral("8000002"));
    d.imBatt.setPicture(QPixmap(8, 8));
    d.cmdOK.setEnabled(true);

    gActionCode = ActReadCards;
    UpdateDialogAfterReply(gActionCode);
    EXPECT_TRUE(d.cmdOK.Enabled());
    EXPECT_EQ(d.lblCardNo(1).Caption(), QStringLiteral("8000001"));

    gActionCode = ActConfigAirCard;
    UpdateDialogAfterReply(gActionCode);
    EXPECT_FALSE(d.cmdOK.Enabled());
    for (Label* l : {&d.lblCardNo(1), &d.lblSWHW(1), &d.lblBatt(1), &d.lblVolt, &d.lblKEZWAIT(1)})
        EXPECT_EQ(l->Caption(), QString()) << l->Name().toStdString();
    EXPECT_EQ(d.txtPartnerCard.Text().toInt(), 0);
    EXPECT_TRUE(d.imBatt.Picture().isNull());
    Unload(d);

    FrmBatt& b = frmBatt();
    b.cmdOK.setEnabled(true);
    gActionCode = ActAirCardBattery;
    UpdateDialogAfterReply(gActionCode);
    EXPECT_FALSE(b.cmdOK.Enabled());
    Unload(b);
}

} // namespace
