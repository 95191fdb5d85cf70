// The main window's side of the card read-out replies.
#include "receiver/card_reply_window.h"

#include "ui/main/frm_main.h"

namespace qv {

namespace {
QString plainCaption(const MenuItem& item)
{
    QString c = item.Caption();
    return c.remove(QLatin1Char('&'));
}
} // namespace

QString viewPunchMenuCaption()
{
    return plainCaption(frmMain().mnuViewPunch);
}

QString readCardsMenuCaption()
{
    return plainCaption(frmMain().mnuReadCards);
}

QString extendedProtocolBoxCaption()
{
    return frmMain().chkCPC0(0).Caption();
}

void setReplyTimeout(int milliseconds)
{
    frmMain().Timer1.setInterval(milliseconds);
}

void showReadColumnSoftware(const QString& software)
{
    FrmMain& f = frmMain();
    for (TextBox* t : {&f.txtSerNo, &f.txtDate, &f.txtFUNC, &f.txtHardware, &f.txtBMS})
        t->setText(QString());
    f.txtSoftware.setText(software);
}

void setMainReadoutButtonsEnabled(bool enabled)
{
    FrmMain& f = frmMain();
    for (const char* key : {"ReadCards", "ViewPunch"}) {
        if (ToolbarButton* b = f.tbar.Buttons().find(QString::fromLatin1(key)))
            b->setEnabled(enabled);
    }
}

void hideMainStopButton()
{
    frmMain().cmdStop.setVisible(false);
}

} // namespace qv
