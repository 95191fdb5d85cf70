// The about box frmAbout: title and version, the maker's web pages, the release notes, system information.
#include "extras/frm_about.h"

#include "app/app_info.h"
#include "app/fso.h"
#include "app/language.h"
#include "app/system_helpers.h"
#include "extras/frm_log.h"
#include "extras/help_windows.h"
#include "extras/update_check.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/paths.h"

#include <QApplication>
#include <QFont>
#include <QProcess>
#include <QStyle>

namespace qv {

namespace {

// The right-hand column of buttons, in twips.
constexpr int kButtonLeft = 6360;
constexpr int kButtonWidth = 1650;
constexpr int kButtonHeight = 345;
// The column of texts beside the icon.
constexpr int kTextLeft = 1050;
// Wide enough for the longest line of either language, also at twice the scale.
constexpr int kTextWidth = 5100;

// The program's icon, or the platform's picture of a computer while the program has none of its own.
QPixmap programIcon()
{
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    return icon.pixmap(32, 32);
}

// A label that opens a web page: underlined, with the pointing hand the form keeps for links.
void makeLink(Label& label)
{
    QFont font = label.Font();
    font.setUnderline(true);
    label.setFont(font);
    label.setForeColor(RGB(0, 0, 192));
    label.widget()->setCursor(Qt::PointingHandCursor);
}

} // namespace

FrmAbout::FrmAbout() : Form(QStringLiteral("frmAbout"))
{
    setCaption(AppTitle());
    Move(0, 0, kButtonLeft + kButtonWidth + 240, 3495);
    setStartUpPosition(vbStartUpOwner);
    picIcon.setBorderStyle(0);
    picIcon.Move(240, 240, 540, 540);
    picIcon.setPicture(programIcon());

    lblTitle.setCaption(QStringLiteral("Anwendungstitel"));
    lblTitle.Move(kTextLeft, 240, kTextWidth, 480);
    QFont titleFont = lblTitle.Font();
    titleFont.setPointSizeF(14);
    titleFont.setBold(true);
    lblTitle.setFont(titleFont);
    lblVersion.setCaption(QStringLiteral("Version"));
    lblVersion.Move(kTextLeft, 780, kTextWidth, 225);
    for (int i = 0; i <= 2; ++i) {
        lblDescription(i).setCaption(QStringLiteral("Anwendungsbeschreibung"));
        lblDescription(i).Move(kTextLeft, 1110 + i * 255, kTextWidth, 240);
    }
    lblURL.setCaption(QString::fromLatin1(kDefaultUpdateHost));
    lblURL.Move(kTextLeft, 1950, kTextWidth, 240);
    makeLink(lblURL);
    lblDownLoad.setCaption(QStringLiteral("QV-Config setup archive: software download"));
    lblDownLoad.Move(kTextLeft, 2220, kTextWidth, 240);
    makeLink(lblDownLoad);
    lblWarning.setCaption(QStringLiteral("Warnung: ..."));
    lblWarning.Move(240, 2640, kTextLeft + kTextWidth - 240, 780);

    cmdOK.setCaption(QStringLiteral("OK"));
    cmdOK.Move(kButtonLeft, 240, kButtonWidth, kButtonHeight);
    cmdOK.setDefault(true);
    cmdOK.setCancel(true);
    cmdVersion.Move(kButtonLeft, 705, kButtonWidth, kButtonHeight);
    cmdSysInfo.setCaption(QStringLiteral("&System-Info..."));
    cmdSysInfo.Move(kButtonLeft, 3075 - kButtonHeight - 60, kButtonWidth, kButtonHeight);

    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdVersion.onClick = [this] { cmdVersion_Click(); };
    cmdSysInfo.onClick = [this] { cmdSysInfo_Click(); };
    lblURL.onClick = [this] { lblURL_Click(); };
    lblDownLoad.onClick = [this] { lblDownLoad_Click(); };
}

void FrmAbout::Form_Load()
{
    ApplyLanguage(*this);
    // The language file names the label; the number is the program's own, so it is never out of date.
    lblVersion.setCaption(lblVersion.Caption() + u' ' + ProgramVersionText());
    cmdVersion.setCaption(lblVersion.Caption());
    lblTitle.setCaption(AppTitle());
}

void FrmAbout::cmdOK_Click()
{
    Unload(*this);
}

void FrmAbout::cmdVersion_Click()
{
    ShowFileInViewer(ReleaseNotesPath(gLangIndex < gLangCodes.size() ? gLangCodes[gLangIndex] : QString()),
                     QStringLiteral("\r\n"), vbInformation | vbOKOnly);
}

void FrmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void FrmAbout::StartSysInfo()
{
    if (!gSysInfoProgram.isEmpty() && gFso.FileExists(gSysInfoProgram) &&
        QProcess::startDetached(gSysInfoProgram, {}))
        return;
    MsgBox(GetLangText(gLangIndex, 1858, QString()), vbOKOnly);
}

void FrmAbout::lblURL_Click()
{
    OpenUrl(0, QString::fromLatin1(kDefaultUpdateHost));
}

void FrmAbout::lblDownLoad_Click()
{
    OpenUrl(0, DownloadPageUrl());
}

} // namespace qv
