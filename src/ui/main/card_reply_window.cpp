// The main window's side of the card read-out replies (receiver/card_reply_window.h).
#include "receiver/card_reply_window.h"

#include "cards/frm_cards.h"
#include "ui/main/frm_main.h"
#include "ui/main/window_sides.h"

namespace qv {

namespace {

QString plainCaption(const MenuItem& item)
{
    QString c = item.Caption();
    return c.remove(QLatin1Char('&'));
}

class MainCardReplyWindow final : public CardReplyWindow
{
  public:
    QString viewPunchMenuCaption() override { return plainCaption(frmMain().mnuViewPunch); }
    QString readCardsMenuCaption() override { return plainCaption(frmMain().mnuReadCards); }
    QString extendedProtocolBoxCaption() override { return frmMain().chkCPC0(0).Caption(); }
    void setReplyTimeout(int milliseconds) override { frmMain().Timer1.setInterval(milliseconds); }

    void showReadColumnSoftware(const QString& software) override
    {
        FrmMain& f = frmMain();
        for (TextBox* t : {&f.txtSerNo, &f.txtDate, &f.txtFUNC, &f.txtHardware, &f.txtBMS})
            t->setText(QString());
        f.txtSoftware.setText(software);
    }

    void setReadoutButtonsEnabled(bool enabled) override
    {
        for (const char* key : {"ReadCards", "ViewPunch"}) {
            if (ToolbarButton* b = frmMain().tbar.Buttons().find(QString::fromLatin1(key)))
                b->setEnabled(enabled);
        }
    }

    void hideStopButton() override { frmMain().cmdStop.setVisible(false); }
    void askOpenColumnFile() override { AskOpenColumnFile(); }

    CardListAccess* cardList() override { return &frmCards().cardList(); }
    void updateCardListStatus(const QString& letters) override { UpdateCardListStatus(letters); }
    void markCardListUnsaved() override
    {
        FrmCards& cards = frmCards();
        cards.saveButton().setEnabled(true);
        cards.changedPanel().setVisible(true);
    }
    void widenCardListColumn(int index, int twips) override
    {
        ColumnHeaderList& columns = frmCards().lvCards.ColumnHeaders();
        if (index >= 1 && index <= columns.Count() && columns.Item(index).Width() < twips)
            columns.Item(index).setWidth(twips);
    }
};

MainCardReplyWindow side;

} // namespace

void InstallCardReplyWindow()
{
    CardReplyWindowSide::install(&side);
}

} // namespace qv
