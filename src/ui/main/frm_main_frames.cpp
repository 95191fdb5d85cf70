// The main window's construction: special frames, hover help pictures, scroll bars, and the option rows'
// flow.
#include "ui/main/frm_main.h"
#include "ui/main/starters.h"

#include "ui/main/frm_main_geometry.h"

#include <QApplication>
#include <QEvent>
#include <QStyle>

namespace qv {

using namespace mainlayout;

namespace {

// Runs the main window's re-flow of the option rows when one of the watched widgets is shown, hidden or
// moved.
class OptionRowWatcher : public QObject
{
  public:
    OptionRowWatcher(FrmMain* form) : QObject(form), m_form(form) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
        case QEvent::Move:
            m_form->ArrangeOptionRows();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    FrmMain* m_form;
};

void designCaptioned(Control& c, Control& container, const QString& caption, int left, int top, int width,
                     int height)
{
    c.setContainer(&container);
    c.setCaption(caption);
    c.Move(left, top, width, height);
}

} // namespace

void FrmMain::buildSpecialFrames()
{
    // The air card's special functions; the tags keep the function codes.
    frVEK_QVEL_Func.setContainer(&Picture1);
    frVEK_QVEL_Func.setCaption(QStringLiteral("QVEL Funktionen"));
    frVEK_QVEL_Func.setBackColor(kWriteColumnColor);
    frVEK_QVEL_Func.Move(kColumnLeft[1], kCodeNoTop, kColumnWidth, 1380);
    frVEK_QVEL_Func.setVisible(false);
    const char* functions[4][2] = {{"einschalten (124)", "124"},
                                   {"ausschalten (125)", "125"},
                                   {"auslesen (127)", "127"},
                                   {"Batterie (123)", "123"}};
    for (int k = 0; k <= 3; ++k) {
        designCaptioned(opQVEL_Func(k), frVEK_QVEL_Func, QString::fromLatin1(functions[k][0]), 120,
                        270 + k * 270, kColumnWidth - 240, 255);
        opQVEL_Func(k).setTag(QString::fromLatin1(functions[k][1]));
        opQVEL_Func(k).setBackColor(kWriteColumnColor);
    }

    // The GSM station's mobile-network data, placed where the clock option stands when shown.
    const OleColor columnColor[2] = {kReadColumnColor, kWriteColumnColor};
    for (int i = 0; i <= 1; ++i) {
        Frame& fr = frAPN_Data(i);
        fr.setContainer(&Picture1);
        fr.setCaption(QStringLiteral("APN"));
        fr.setBackColor(columnColor[i]);
        fr.Move(kColumnLeft[i], kOptionFirstRowTop, kColumnWidth, i == 0 ? 1500 : 1830);
        fr.setVisible(false);
        struct Field
        {
            Label* label;
            TextBox* box;
            const char* caption;
        };
        const Field fields[] = {{&lblPIN(i), &txtPIN(i), "SIM-PIN"},
                                {&lblAPN(i), &txtAPN(i), "Provider"},
                                {&lblUser(i), &txtUser(i), "User"},
                                {&lblPass(i), &txtPass(i), "Password"}};
        int y = 240;
        for (const Field& f : fields) {
            designCaptioned(*f.label, fr, QString::fromLatin1(f.caption), 60, y + 30, 840, kTextHeight - 30);
            f.box->setContainer(&fr);
            f.box->Move(900, y, kColumnWidth - 960, kTextHeight);
            f.box->setLocked(i == 0);
            y += kRowPitch - 15;
        }
        txtPIN(i).setMaxLength(4);
    }
    txtPIN(1).setText(QStringLiteral("9463"));
    cmdAPN_Data.setContainer(&frAPN_Data(1));
    cmdAPN_Data.setCaption(QStringLiteral("new APN data"));
    cmdAPN_Data.Move(900, 1500, kColumnWidth - 960, 300);

    // The short-range radio module, one band across both columns per setting; parked until such hardware
    // is read.
    for (int k = 0; k <= 2; ++k) {
        Frame& band = frQVMKUV(k);
        band.setContainer(&Picture1);
        band.setBorderStyle(0);
        band.Move(kParkedLeft, kOptionFirstRowTop + (5 + k) * kOptionPitch, k == 2 ? 4980 : 4900,
                  k == 2 ? 2 * kOptionPitch : kOptionPitch);
    }
    const char* radioCaptions[2] = {"Send card", "Time sync by radio"};
    for (int i = 0; i <= 1; ++i) {
        designCaptioned(chkQVMKUV_ReadCard(i), frQVMKUV(0), QString::fromLatin1(radioCaptions[0]),
                        kColumnLeft[i] + 80, 0, kColumnWidth - 135, kCheckHeight);
        chkQVMKUV_ReadCard(i).setTag(QStringLiteral("1141"));
        chkQVMKUV_ReadCard(i).setBackColor(columnColor[i]);
        designCaptioned(chkQVMKUV_RTC(i), frQVMKUV(1), QString::fromLatin1(radioCaptions[1]),
                        kColumnLeft[i] + 80, 0, kColumnWidth - 135, kCheckHeight);
        chkQVMKUV_RTC(i).setTag(QStringLiteral("1141"));
        chkQVMKUV_RTC(i).setBackColor(columnColor[i]);
    }
    designCaptioned(lblKanal, frQVMKUV(2), QStringLiteral("Kanal"), 80, 30, 1000, kTextHeight - 30);
    for (int i = 0; i <= 1; ++i) {
        txtKanal(i).setContainer(&frQVMKUV(2));
        txtKanal(i).setMaxLength(1);
        txtKanal(i).Move(kColumnLeft[i] + 1215 - 10, 0, 450, kTextHeight - 15);
    }
    txtKanal(0).setLocked(true);
    txtKanal(1).setBackColor(kChannelWriteColor);
    lblQVMKUV_Old_OSoftware.setContainer(&frQVMKUV(2));
    lblQVMKUV_Old_OSoftware.Move(80, kOptionPitch + 15, kColumnWidth - 135, kTextHeight - 45);
    designCaptioned(optQVMKUV_Old_OSoftware(0), frQVMKUV(2), QStringLiteral("basic"), kColumnLeft[1] - 10,
                    kOptionPitch, 1000, kCheckHeight);
    designCaptioned(optQVMKUV_Old_OSoftware(1), frQVMKUV(2), QStringLiteral("air + ext."),
                    kColumnLeft[1] + 1000, kOptionPitch, 1300, kCheckHeight);
}

void FrmMain::buildHoverPictures()
{
    // Wider than a column, so that the rows' texts fit on one line each.
    const int width = kColumnWidth * 3 / 2;
    for (int i = 0; i <= 1; ++i) {
        PictureBox& pic = piErwProt(i);
        pic.setBorderStyle(1);
        pic.setBackColor(RGB(255, 255, 225));
        pic.Move(chkQv6mit192(i).Left() + 120, kPanelTop + kOptionFirstRowTop, width, 2880);
        pic.setVisible(false);
        designCaptioned(lblPicErwProt(i), pic, QStringLiteral("nur vekp..q"), 60, 45, width - 120, 240);
        lblPicErwProt(i).setFontBold(true);
        designCaptioned(lblPicCard(i), pic, QStringLiteral("auch für neue karten"), 60, 300, width - 120,
                        240);
        designCaptioned(lblPicWarning(i), pic, QString(), 60, 555, width - 120, 450);
        lblPicWarning(i).setForeColor(vbRed);
        designCaptioned(lblPicMo(i), pic, QStringLiteral("mo"), 60, 1035, width - 120, 240);
        ControlArray<Label>& rowText = i == 0 ? lblPic0Txt : lblPic1Txt;
        ControlArray<CheckBox>& rowBox = i == 0 ? chkPic0 : chkPic1;
        for (int k = 0; k <= 3; ++k) {
            rowBox(k).setContainer(&pic);
            rowBox(k).setCaption(QString());
            rowBox(k).Move(60, 1320 + k * 270, 240, 240);
            designCaptioned(rowText(k), pic, QString(), 330, 1335 + k * 270, width - 420, 240);
        }
        rowBox(1).setVisible(false);
        rowText(1).setVisible(false);
        designCaptioned(cmdErwProtOK(i), pic, QStringLiteral("OK"), width - 900, 2445, 780, 330);
        cmdPicHelp(i).setContainer(&pic);
        cmdPicHelp(i).setPicture(
            QApplication::style()->standardIcon(QStyle::SP_DialogHelpButton).pixmap(16, 16));
        cmdPicHelp(i).Move(60, 2445, 420, 330);
    }
}

void FrmMain::buildScrollBars()
{
    VScroll1.Move(kVScrollLeft, kPanelTop, kScrollBarSize, 6000);
    VScroll1.setVisible(false);
    HScroll1.Move(0, 10000, kVScrollLeft, kScrollBarSize);
    HScroll1.setVisible(false);
    picEcke.setBorderStyle(0);
    picEcke.Move(kVScrollLeft, 10000, kScrollBarSize, kScrollBarSize);
    picEcke.setVisible(false);
    // The bars and boxes that frame the scrolled panel stay in front of it.
    for (Control* c :
         std::initializer_list<Control*>{&tbar, &Picture2, &VScroll1, &HScroll1, &picEcke, &lblProgress(0),
                                         &lblProgress(1), &piErwProt(0), &piErwProt(1)})
        c->ZOrder(0);
    // The panel scrolled up passes under the toolbar and the top box: they cover it (their children keep
    // their own colours, so only the fill is switched on).
    for (Control* c : {static_cast<Control*>(&tbar), static_cast<Control*>(&Picture2)})
        c->widget()->setAutoFillBackground(true);
}

void FrmMain::wireHandlers()
{
    Timer1.onTimer = [this] { Timer1_Timer(); };
    Timer2.onTimer = [this] { Timer2_Timer(); };
    cmdStop.onClick = [this] { cmdStop_Click(); };
    coMode.onClick = [this] { coMode_Click(); };
    // The port and its speed stay as they are while a station operation uses them.
    mnuCom.onClick = [this] {
        if (!RefuseWhileRunning())
            mnuCOM_Click();
    };
    mnuBaud.onClick = [this] {
        if (!RefuseWhileRunning())
            mnuBaud_Click();
    };
    mnuProt.onClick = [this] { mnuProt_Click(); };
    mnuExit.onClick = [this] { mnuExit_Click(); };
    mnuHelpCheckVersion.onClick = [this] { mnuHelpCheckVersion_Click(); };
    wireStarterHandlers();
    wireMenuHandlers();
    wireHelpMenuHandlers();
    wireOptionHandlers();
    wireCheckBoxHandlers();
    wireModeHandlers();
    wireHoverHandlers();
    wireEntryHandlers();
    wireFieldHandlers();
    wireViewHandlers();
    wireToolbarGestures();
}

void FrmMain::watchOptionVisibility()
{
    m_optionWatcher = new OptionRowWatcher(this);
    for (ControlArray<CheckBox>* arr :
         {&chkCPC, &chkCPC0, &chkCPC7, &chkFCG, &chkQv6mit192, &chk4ms, &chkBackupCtrl, &chkPunchTimingMode,
          &chkAllNewRadio_stamp, &chkRadio_stamp, &chkRadio_appmem, &chkSpeed, &chkBeacon, &chkSelective}) {
        for (CheckBox& box : *arr)
            box.widget()->installEventFilter(m_optionWatcher);
    }
    for (Frame& band : frQVMKUV)
        band.widget()->installEventFilter(m_optionWatcher);
    for (Frame& fr : frAPN_Data)
        fr.widget()->installEventFilter(m_optionWatcher);
    // The code-number scroll bar takes room below the panel while it shows.
    HScroll1.widget()->installEventFilter(m_optionWatcher);
    ArrangeOptionRows();
}

void FrmMain::ArrangeOptionRows()
{
    if (m_arranging)
        return;
    m_arranging = true;
    // The rows in their order; a row takes a place when either column shows its box. The clock option is
    // never offered: it keeps the first place, where the GSM station's data frame goes.
    ControlArray<CheckBox>* rows[] = {&chkCPC,
                                      &chkCPC0,
                                      &chkCPC7,
                                      &chkQv6mit192,
                                      &chk4ms,
                                      &chkBackupCtrl,
                                      &chkPunchTimingMode,
                                      &chkAllNewRadio_stamp,
                                      &chkRadio_stamp,
                                      &chkRadio_appmem,
                                      &chkSpeed,
                                      &chkBeacon,
                                      &chkSelective};
    int top = kOptionFirstRowTop;
    // The GSM data frame, when shown, takes the first rows.
    for (const Frame& fr : frAPN_Data) {
        if (fr.Visible() && fr.Top() >= kOptionFirstRowTop)
            top = std::max(top, fr.Top() + fr.Height() + 30);
    }
    for (ControlArray<CheckBox>* arr : rows) {
        if (!(*arr)(0).Visible() && !(*arr)(1).Visible())
            continue;
        for (CheckBox& box : *arr)
            box.setTop(top);
        top += kOptionPitch;
    }
    // The radio module's bands, while shown, follow the options.
    for (Frame& band : frQVMKUV) {
        if (band.Left() < 0)
            continue;
        band.setTop(top);
        top += band.Height();
    }
    chkOff.setTop(top);
    top += kOptionPitch;
    const int blockHeight = top + 45 - kOptionBlockTop;
    for (int index : {0, 6})
        Label1(index).setHeight(blockHeight);
    for (Frame& fr : frLeer)
        fr.setHeight(blockHeight);
    Picture1.setHeight(kOptionBlockTop + blockHeight + kPanelBottomMargin);
    // A taller or shorter panel needs another scroll range (the expert view adds rows).
    if (WindowState() != vbMinimized)
        applyPanelScroll();
    m_arranging = false;
}

} // namespace qv
