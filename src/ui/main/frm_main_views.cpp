// The standard and the expert view of the station panel, the scrolling of the panel, the help topics and
// pictures that follow the pointer and the focus, clearing the log pane, and the backup listing in the data
// pane.
#include "app/app_info.h"
#include "app/help_topics.h"
#include "app/language.h"
#include "link/link_globals.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/strings.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"
#include "ui/main/menus.h"

#include <QApplication>
#include <QTextEdit>
#include <limits>

namespace qv {

namespace {

// The help picture closes when the pointer comes this near (twips) to its left edge, to its right or bottom
// edge, or moves up through this band at its top.
constexpr float kPicLeftEdge = 140;
constexpr float kPicTopBand = 170;
constexpr float kPicFarEdge = 300;
// The question before the log pane is cleared.
constexpr int32_t kTextClearQuestion = 1932;
constexpr int32_t kTextClearLog = 1933;
// The action log; the other pane (1) lists the data read and is not cleared by the user.
constexpr int kActionLogPane = 0;

// The mouse wheel over the station panel scrolls it as its scroll bar does (a box in the panel that takes
// the wheel itself keeps it).
class PanelWheel : public QObject
{
  public:
    PanelWheel(QObject* parent, ScrollBar& bar) : QObject(parent), m_bar(bar) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Wheel && m_bar.Visible() && m_bar.widget()) {
            QApplication::sendEvent(m_bar.widget(), event);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    ScrollBar& m_bar;
};

} // namespace

void FrmMain::wireViewHandlers()
{
    // The pointer on the log pane, the status bar and the boxes around the panel cancels a help picture.
    rtbox.onMouseMove = [this](int, int, int, float, float) { noShowPic(); };
    StatusBar.onMouseMove = [this](int, int, float, float) { noShowPic(); };
    txtCurrTime.onMouseMove = [this](int, int, float, float) { noShowPic(); };
    txtMO.onMouseMove = [this](int, int, float, float) { noShowPic(); };
    txtStatus.onMouseMove = [this](int, int, float, float) { noShowPic(); };
    txtWtime.onMouseMove = [this](int, int, int, float, float) { noShowPic(); };
    piErwProt.onMouseMove = [this](int Index, int Button, int Shift, float X, float Y) {
        piErwProt_MouseMove(Index, Button, Shift, X, Y);
    };
    rtbox.onDblClick = [this](int Index) { rtbox_DblClick(Index); };
    rtbox.onMouseDown = [this](int Index, int Button, int Shift, float X, float Y) {
        rtbox_MouseDown(Index, Button, Shift, X, Y);
    };
    // The right button asks to clear the log; no menu of the toolkit's own follows it.
    if (QTextEdit* edit = rtbox(kActionLogPane).textEdit()) {
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->viewport()->setContextMenuPolicy(Qt::NoContextMenu);
    }
    txtHardware.onGotFocus = [this] { txtHardware_GotFocus(); };
    txtMO.onGotFocus = [this] { txtMO_GotFocus(); };
    txtStatus.onGotFocus = [this] { txtStatus_GotFocus(); };
    VScroll1.onChange = [this] { VScroll1_Change(); };
    VScroll1.onScroll = [this] { VScroll1_Scroll(); };
    Picture1.widget()->installEventFilter(new PanelWheel(this, VScroll1));
}

void FrmMain::piErwProt_MouseMove(int Index, int /*Button*/, int /*Shift*/, float X, float Y)
{
    PictureBox& pic = piErwProt(Index);
    const float w = float(pic.Width());
    const float h = float(pic.Height());
    const bool movingUp = mPicLastY > Y;
    if (X < kPicLeftEdge || (Y < kPicTopBand && movingUp) || X > w - kPicFarEdge || Y > h - kPicFarEdge) {
        pic.setVisible(false);
        mPicLastX = 0;
        mPicLastY = 0;
        return;
    }
    mPicLastX = X;
    mPicLastY = Y;
}

void FrmMain::rtbox_DblClick(int Index)
{
    if (Index == kActionLogPane)
        AskClearActionLog();
}

void FrmMain::rtbox_MouseDown(int Index, int Button, int /*Shift*/, float /*X*/, float /*Y*/)
{
    if (Index == kActionLogPane && Button == vbRightButton)
        AskClearActionLog();
}

void FrmMain::AskClearActionLog()
{
    const QString clearLog = GetLangText(gLangIndex, kTextClearLog, QString());
    const QString prompt = GetLangText(gLangIndex, kTextClearQuestion, QString()) + QLatin1Char(' ') +
                           clearLog + QLatin1Char('?');
    if (MsgBox(prompt, vbYesNo + vbQuestion, AppTitle() + QLatin1Char(' ') + clearLog) == vbYes)
        rtbox(kActionLogPane).setText(QString());
}

void FrmMain::txtHardware_GotFocus()
{
    txtHardware.setHelpContextID(txtHardware.Text().contains(QLatin1String("Master")) ? HelpTopic::Master
                                                                                      : 0);
}

void FrmMain::txtMO_GotFocus()
{
    const int mode = ModeNumberOfText(txtMO.Text());
    if (mode < 0)
        return;
    switch (mode) {
    case 2:
    case 3:
    case 4:
    case 6:
    case 7:
    case 10:
        txtMO.setHelpContextID(HelpTopic::ControlModes);
        break;
    case 5:
        txtMO.setHelpContextID(HelpTopic::Readout);
        break;
    case 11:
        txtMO.setHelpContextID(HelpTopic::Printout);
        break;
    case 12:
    case 13:
        txtMO.setHelpContextID(HelpTopic::TimeTrigger);
        break;
    default:
        txtMO.setHelpContextID(HelpTopic::OtherModes);
        break;
    }
}

void FrmMain::txtStatus_GotFocus()
{
    if (txtStatus.Text().isEmpty())
        txtStatus.setHelpContextID(0);
}

void FrmMain::VScroll1_Change()
{
    Picture1.setTop(VScroll1.Top() - VScroll1.Value());
}

void FrmMain::VScroll1_Scroll()
{
    VScroll1_Change();
}

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
