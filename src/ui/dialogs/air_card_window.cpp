// The radio-card dialog's side of the reply handlers (receiver/air_card_window.h).
#include "receiver/air_card_window.h"
#include "app/language.h"

#include "ui/dialogs/frm_batt.h"
#include "ui/dialogs/frm_config_qvel.h"
#include "ui/main/frm_main.h"
#include "ui/main/window_sides.h"

namespace qv {

namespace {

constexpr OleColor kRed = 0xFF;

// The dialog when it is loaded: the handlers fill it only while it is open.
FrmConfigQVEL* dialog()
{
    return FormInstance<FrmConfigQVEL>::loaded() ? &frmConfigQVEL() : nullptr;
}

class ConfigDialogSide : public AirCardWindow
{
  public:
    void showModal() override { frmConfigQVEL().Show(vbModal); }
    bool loaded() override { return dialog() != nullptr; }
    bool inFront() override { return dialog() && Screen.ActiveForm() == dialog(); }

    RadioCardConfigChoice choices() override
    {
        RadioCardConfigChoice c;
        FrmConfigQVEL* d = dialog();
        if (!d)
            return c;
        c.forAllCards = d->chkDefault.Value() == 1;
        for (int k = 0; k < 4 && c.preset < 0; ++k)
            if (d->opDefault(k).Value())
                c.preset = k;
        c.selCountText = d->txtAnz(0).Text();
        c.brdCountText = d->txtAnz(1).Text();
        c.kezWaitOn = d->chkKEZWAITon.Value() == 1;
        c.kezWaitOff = d->chkKEZWAIToff.Value() == 1;
        c.interfaceOn = d->chkOn.Value() == 1;
        c.interfaceOff = d->chkOff.Value() == 1;
        c.sliderValue = d->Slider1.Value();
        return c;
    }

    RadioCardLogInput logInput() override
    {
        RadioCardLogInput in;
        FrmConfigQVEL* d = dialog();
        if (!d)
            return in;
        in.versions = d->lblSWHW(1).Caption();
        in.batteryDate = d->lblBatt(1).Caption();
        in.voltText = d->lblVolt.Caption();
        in.partnerText = d->txtPartnerCard.Text();
        in.startText = d->lblStartKEZON.Caption();
        in.kezWaitText = d->lblKEZWAIT(1).Caption();
        in.kezWaitOn = d->chkKEZWAITon.Value() == 1;
        in.kezWaitOff = d->chkKEZWAIToff.Value() == 1;
        in.interfaceOn = d->chkOn.Value() == 1;
        in.interfaceOff = d->chkOff.Value() == 1;
        return in;
    }

    bool stateBoxTicked() override
    {
        const RadioCardConfigChoice c = choices();
        return c.kezWaitOn || c.kezWaitOff || c.interfaceOn || c.interfaceOff;
    }

    QString cardNumber() override { return dialog() ? dialog()->lblCardNo(1).Caption() : QString(); }
    void setCardNumber(const QString& text) override
    {
        if (FrmConfigQVEL* d = dialog())
            d->lblCardNo(1).setCaption(text);
    }
    void showCardDone(bool written) override
    {
        if (FrmConfigQVEL* d = dialog())
            d->showCardDone(written);
    }
    void setCaption(const QString& caption) override
    {
        if (FrmConfigQVEL* d = dialog())
            d->setCaption(caption);
    }
    void setPartnerShown(bool shown) override
    {
        if (FrmConfigQVEL* d = dialog()) {
            d->txtPartnerCard.setVisible(shown);
            d->lblCardNo(3).setVisible(shown);
        }
    }
    void setPartnerText(const QString& text) override
    {
        if (FrmConfigQVEL* d = dialog())
            d->txtPartnerCard.setText(text);
    }
    QString partnerText() override { return dialog() ? dialog()->txtPartnerCard.Text() : QString(); }
    bool okVisible() override { return dialog() && dialog()->cmdOK.Visible(); }
    void disableOk() override
    {
        // The card took the change: nothing is left to send, and the dialog is closed, not cancelled.
        if (FrmConfigQVEL* d = dialog()) {
            d->cmdOK.setEnabled(false);
            d->cmdCancel.setCaption(GetLangText(gLangIndex, 1757, QStringLiteral("&Close")));
        }
    }
    void showPartnerField(bool airCard) override
    {
        FrmConfigQVEL* d = dialog();
        if (!d)
            return;
        const bool shown = airCard && FormInstance<FrmMain>::loaded() && frmMain().mnuViewExpert.Checked();
        d->txtPartnerCard.setText(QString());
        d->txtPartnerCard.setVisible(shown);
        d->lblCardNo(3).setVisible(shown);
    }
    void resetCardFields() override
    {
        FrmConfigQVEL* d = dialog();
        if (!d)
            return;
        d->cmdOK.setEnabled(false);
        d->lblCardNo(1).setCaption(QString());
        d->lblSWHW(1).setCaption(QString());
        d->lblBatt(1).setCaption(QString());
        d->lblVolt.setCaption(QString());
        d->lblKEZWAIT(1).setCaption(QString());
        d->txtPartnerCard.setText(QString());
        d->imBatt.setPicture(QPixmap());
    }
    void updateOkFromCard() override
    {
        if (FrmConfigQVEL* d = dialog())
            d->cmdOK.setEnabled(d->txtPartnerCard.BackColor() != kRed && d->isFEEDBACKnew());
    }
    void showCardValues(const QByteArray& sel, const QByteArray& brd, const QByteArray& partner) override
    {
        if (FrmConfigQVEL* d = dialog())
            d->SetCtrlValue(sel, &brd, &partner);
    }
    void setVersionsText(const QString& text) override
    {
        if (FrmConfigQVEL* d = dialog())
            d->lblSWHW(1).setCaption(text);
    }
    void markVersionsRefused() override
    {
        if (FrmConfigQVEL* d = dialog())
            d->lblSWHW(1).setForeColor(kRed);
    }
    void markStartRefused() override
    {
        if (FrmConfigQVEL* d = dialog())
            d->lblStartKEZON.setForeColor(kRed);
    }
    void setBatteryDateText(const QString& text) override
    {
        if (FrmConfigQVEL* d = dialog())
            d->lblBatt(1).setCaption(text);
    }
    void setBatteryPicture(int level) override
    {
        FrmConfigQVEL* d = dialog();
        if (!d)
            return;
        d->imBatt.setPicture(BatteryLevelPicture(level));
    }
    void showBattery(const RadioCardBatteryView& view) override
    {
        FrmConfigQVEL* d = dialog();
        if (!d)
            return;
        if (view.voltText)
            d->lblVolt.setCaption(*view.voltText);
        d->frBatt.setVisible(view.frameVisible);
        setBatteryPicture(view.level);
    }
    void setKezWaitText(const QString& text) override
    {
        if (FrmConfigQVEL* d = dialog())
            d->lblKEZWAIT(1).setCaption(text);
    }
    void clearCardFields() override
    {
        FrmConfigQVEL* d = dialog();
        if (!d)
            return;
        d->imBatt.setPicture(QPixmap());
        d->lblSWHW(1).setCaption(QString());
        d->lblBatt(1).setCaption(QString());
        d->lblSWHW(1).setBackColor(d->lblInfo.BackColor());
    }
    void focusCancel() override
    {
        if (FrmConfigQVEL* d = dialog(); d && d->cmdCancel.canFocus())
            d->cmdCancel.SetFocus();
    }
    void unload() override
    {
        if (FrmConfigQVEL* d = dialog())
            Unload(*d);
    }
};

} // namespace

void InstallAirCardWindow()
{
    static ConfigDialogSide side;
    AirCardWindowSide::install(&side);
}

} // namespace qv
