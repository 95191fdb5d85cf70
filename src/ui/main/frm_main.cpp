// The main window's construction: window, menus, toolbar, status bar and the pictures they show.
#include "ui/main/frm_main.h"

#include "ui/main/frm_main_geometry.h"

#include <QApplication>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QStyle>

namespace qv {

using namespace mainlayout;

namespace {

// A menu item's German design caption and its help-context id (a text id).
void designMenu(MenuItem& item, const QString& caption, int helpContextId = 0, bool visible = true)
{
    item.setCaption(caption);
    item.setHelpContextID(helpContextId);
    item.setVisible(visible);
}

// The two items of a hidden setting submenu that fix a value and release it.
void designFixMenu(MenuItem& menu, const QString& caption, MenuItem& fix, MenuItem& release)
{
    designMenu(menu, caption, 0, false);
    designMenu(fix, QStringLiteral("fix"));
    designMenu(release, QStringLiteral("fix aufheben"));
}

QPixmap standardPixmap(QStyle::StandardPixmap which, int size = 24)
{
    return QApplication::style()->standardIcon(which).pixmap(size, size);
}

// A battery with `bars` of four bars filled; level 5 (no voltage) is drawn crossed out.
QPixmap batteryPixmap(int level)
{
    QPixmap pm(32, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(1, 2, 26, 11);
    p.fillRect(28, 5, 3, 5, Qt::black);
    const int bars = level == 4 ? 4 : level == 3 ? 2 : level == 2 ? 1 : 0;
    const QColor fill = bars >= 2 ? QColor(0, 170, 0) : QColor(220, 0, 0);
    for (int i = 0; i < bars; ++i)
        p.fillRect(3 + i * 6, 4, 5, 8, fill);
    if (level == 5) {
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(3, 13, 25, 3);
    }
    return pm;
}

QPixmap bannerPixmap(int width, int height)
{
    QPixmap pm(width, height);
    QPainter p(&pm);
    QLinearGradient g(0, 0, width, 0);
    g.setColorAt(0, QColor(0, 70, 140));
    g.setColorAt(1, QColor(0, 140, 200));
    p.fillRect(pm.rect(), g);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(height * 11 / 20);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(pm.rect().adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("Quarvelink"));
    return pm;
}

} // namespace

FrmMain::FrmMain() : Form(QStringLiteral("frmMain"))
{
    setCaption(QStringLiteral("QV-Config"));
    setFontPoints(kFontPoints);
    Move(0, 0, 15360, 11190);

    buildMenus();
    buildBars();
    buildTopBox();
    buildIdentityBlock();
    buildSettingRows();
    buildOptionBlock();
    buildSpecialFrames();
    buildHoverPictures();
    buildScrollBars();
    setTabStops();
    wireHandlers();
    watchOptionVisibility();
}

FrmMain::~FrmMain() = default;

void FrmMain::setFontPoints(double points)
{
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
}

void FrmMain::buildMenus()
{
    designMenu(mnuSet, QStringLiteral("&einstellung"), 1010);
    designMenu(mnuProt, QStringLiteral("protokoll"), 1022);
    designMenu(mnuCom, QStringLiteral("serielle schnittstelle"), 1011);
    designMenu(mnuMode, QStringLiteral("mode"), 1021);
    designMenu(mnuBaud, QStringLiteral("baudrate"), 1024);
    designMenu(mnuLanguage, QStringLiteral("sprache"), 1012);
    designMenu(mnuLoadCN, QStringLiteral("code nr. as datei"), 1028);
    designMenu(mnuSetSep1, QStringLiteral("-"));
    designMenu(mnuExtSet, QStringLiteral("erweiterte "), 1017);
    designMenu(mnuConfQVEL, QStringLiteral("config QVEL"));
    designMenu(mnuNewBattQVEL, QStringLiteral("new batt QVEL"));
    designMenu(mnuSetSep2, QStringLiteral("-"));
    designMenu(mnuCN, QStringLiteral("code nr."), 0, false);
    designMenu(mnuFixCN, QStringLiteral("fix"));
    designMenu(mnuNoFixCN, QStringLiteral("fix aufheben"));
    designMenu(mnuAddCN, QStringLiteral("hochzählen nach schreiben"));
    designMenu(mnuAllFix, QStringLiteral("alle fix"));
    designFixMenu(mnuWTime, QStringLiteral("arbeitszeit"), mnuWTimeFix, mnuWTimeNoFix);
    designFixMenu(mnuMO, QStringLiteral("mode"), mnuMOFix, mnuMONoFix);
    designFixMenu(mnuFCG, QStringLiteral("echtzeituhr"), mnuFCGFix, mnuFCGNoFix);
    designFixMenu(mnuCPC, QStringLiteral("autosend"), mnuCPCFix, mnuCPCNoFix);
    designFixMenu(mnuCPC7, QStringLiteral("auto Karten lesen"), mnuCPC7Fix, mnuCPC7NoFix);
    designFixMenu(mnuCPC0, QStringLiteral("erw. prot."), mnuCPC0Fix, mnuCPC0NoFix);
    designFixMenu(mnuQv6mit192, QStringLiteral("card6 mit 192"), mnuQv6mit192Fix, mnuQv6mit192NoFix);
    designFixMenu(mnu4ms, QStringLiteral("sprint 4ms"), mnu4msFix, mnu4msNoFix);
    designFixMenu(mnuBackupCtrl, QStringLiteral("halt, wenn speicher voll"), mnuBackupCtrlFix,
                  mnuBackupCtrlNoFix);
    designFixMenu(mnuBeacon, QStringLiteral("bc broadcast"), mnuBeaconFix, mnuBeaconNoFix);
    designFixMenu(mnuSelective, QStringLiteral("bc selective"), mnuSelectiveFix, mnuSelectiveNoFix);
    designFixMenu(mnuAllNewRadio_stamp, QStringLiteral("all new Radio"), mnuAllNewRadio_stampFix,
                  mnuAllNewRadio_stampNoFix);
    designFixMenu(mnuRadio_stamp, QStringLiteral("Radio_stamp"), mnuRadio_stampFix, mnuRadio_stampNoFix);
    designFixMenu(mnuRadio_appmem, QStringLiteral("Radio_appmem"), mnuRadio_appmemFix, mnuRadio_appmemNoFix);
    designFixMenu(mnuPunchTimingMode, QStringLiteral("Timing Mode"), mnuPunchTimingModeFix,
                  mnuPunchTimingModeNoFix);

    designMenu(mnuView, QStringLiteral("ansic&ht"), 450);
    designMenu(mnuViewStandard, QStringLiteral("&standard"), 452);
    mnuViewStandard.setChecked(true);
    designMenu(mnuViewExpert, QStringLiteral("&expert"), 453);

    designMenu(mnuComm, QStringLiteral("&kommandos"), 1007);
    designMenu(mnuViewAction, QStringLiteral("actions view change"), 1013);
    designMenu(mnuViewTZ, QStringLiteral("-"));
    designMenu(mnuSetBaud, QStringLiteral("baudrate"), 1024);
    designMenu(mnuSetDefault, QStringLiteral("setdefault"), 1023);
    designMenu(mnuCommSep1, QStringLiteral("-"));
    designMenu(mnuRead, QStringLiteral("lesen"), 1035);
    designMenu(mnuWrite, QStringLiteral("schreiben"), 1033);
    designMenu(mnuCommSep2, QStringLiteral("-"));
    designMenu(mnuTime, QStringLiteral("zeit stellen"), 1037);
    designMenu(mnuBatt, QStringLiteral("batteriewechsel"), 1031);
    designMenu(mnuCommSep3, QStringLiteral("-"));
    designMenu(mnuClearBackup, QStringLiteral("speicher löschen"), 1075);
    designMenu(mnuReadBackup, QStringLiteral("speicher lesen"), 1041);
    designMenu(mnuDisk, QStringLiteral("schnittstelle"), 1043);
    designMenu(mnuCommSep4, QStringLiteral("-"));
    designMenu(mnuQVEL_List, QStringLiteral("qvel list"));
    designMenu(mnuCommSep5, QStringLiteral("-"));
    designMenu(mnuReadCards, QStringLiteral("qv-card lesen"), 1071);
    designMenu(mnuViewPunch, QStringLiteral("view punch"), 1076);
    designMenu(mnuCommSep6, QStringLiteral("-"));
    designMenu(mnuOff, QStringLiteral("ausschalten"), 1039);

    designMenu(mnuHelp, QStringLiteral("&hilfe"), 1060);
    designMenu(mnuHelpHelp, QStringLiteral("hilfe"), 1060);
    designMenu(mnuReadMe, QStringLiteral("liesmich"), 1062, false);
    designMenu(mnuHelpSep1, QStringLiteral("-"));
    designMenu(mnuHelpCheckVersion, QStringLiteral("check version"));
    designMenu(mnuHelpSep2, QStringLiteral("-"));
    designMenu(mnuAbout, QStringLiteral("&über"), 1061);
    designMenu(mnuLogDat, QStringLiteral("logdatei"), 1064);
    designMenu(mnuCardsFile, QStringLiteral("card datei"), 1074);

    designMenu(mnuExit, QStringLiteral("&beenden"), 1020);
}

void FrmMain::buildBars()
{
    struct ToolButtonDesign
    {
        const char* key;
        const char* tag;
        QStyle::StandardPixmap picture;
        const char* toolTip;
    };
    const ToolButtonDesign buttons[] = {
        {"COM", "1021", QStyle::SP_ComputerIcon, "comeinstellung"},
        {"ReadCards", "1072", QStyle::SP_FileDialogDetailedView, "qv-card lesen"},
        {"ViewPunch", "", QStyle::SP_FileDialogContentsView, "view punch"},
        {"READ", "1023", QStyle::SP_DriveHDIcon, "speicher lesen"},
        {"HEX", "1045", QStyle::SP_FileDialogInfoView, "ansicht wechseln"},
        {"DISK", "1044", QStyle::SP_DialogSaveButton, "schnittstelle"},
        {"EXIT", "1029", QStyle::SP_DialogCloseButton, "beenden"},
    };
    for (const ToolButtonDesign& b : buttons)
        imlTbar.ListImages().Add({}, QString::fromLatin1(b.key), standardPixmap(b.picture));
    tbar.setImageList(&imlTbar);
    tbar.setHeight(kToolbarHeight);
    for (const ToolButtonDesign& b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        ToolbarButton& button = tbar.Buttons().Add({}, key, QString(), key == u"HEX" ? tbrCheck : tbrDefault);
        button.setTag(QString::fromLatin1(b.tag));
        button.setToolTipText(QString::fromUtf8(b.toolTip));
        button.setImage(key);
    }

    for (int level = 1; level <= 5; ++level)
        imLBat.ListImages().Add({}, QString(), batteryPixmap(level));

    StatusBar.setHeight(kStatusBarHeight);
    Panel& action = StatusBar.Panels().Add({}, QStringLiteral("Aktion"));
    action.setAutoSize(sbrSpring);

    PicBanner.setBorderStyle(0);
    PicBanner.Move(15360 - 3000, 60, 3000, 450);
    PicBanner.setPicture(bannerPixmap(200, 30));
    picClient.setBorderStyle(0);
    picClient.Move(kPaneLeft, 30, 1800, 510);
    picClient.setVisible(false);

    for (int i = 0; i <= 1; ++i) {
        rtbox(i).Move(kPaneLeft, i == 0 ? kPaneTop : kPaneTop + kDataPaneHeadHeight, 9810,
                      9000 - (i == 0 ? 0 : kDataPaneHeadHeight));
        rtbox(i).setLocked(true);
    }
    rtbox(1).setVisible(false);
    lblRTBHead.setCaption(QStringLiteral(" lfd.-Nr. | QV-Card |"));
    lblRTBHead.Move(kPaneLeft, kPaneTop, 9810, kDataPaneHeadHeight);
    lblRTBHead.setBackColor(kHeadingColor);
    lblRTBHead.setVisible(false);

    lblMousePointer.setVisible(false);
    lblMousePointer.setMousePointer(vbCrosshair);

    // The progress bar grows downward, one step of 200 twips at a time; the start-up empties it.
    lblProgress(0).Move(kProgressLeft, kPanelTop + 60, kProgressWidth, 2200);
    lblProgress(0).setBorderStyle(1);
    lblProgress(1).Move(kProgressLeft + 15, kPanelTop + 75, kProgressWidth - 30, 0);

    // The reply timer runs only while an operation waits for the station's answer; idle, it would send the
    // last request again (and open the port) whenever the start-up's first message box stays open.
    Timer1.setEnabled(false);
    Timer1.setInterval(2500);
    Timer2.setInterval(1000);
}

} // namespace qv
