// The mobile-network data dialog frmAPN_Data. It sends nothing to a station: the main window's Write does,
// after checking the copied values again.
#include "ui/dialogs/frm_apn_data.h"

#include "app/language.h"
#include "app/system_helpers.h"
#include "link/sender.h"
#include "platform/runtime/strings.h"
#include "ui/dialogs/apn_data_file.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"

namespace qv {

namespace {

constexpr int kTextReadIn = 1014;
// A page that explains the access point name and where a network's values are found.
constexpr char kApnSettingsUrl[] = "https://en.wikipedia.org/wiki/Access_Point_Name";
// Space kept between the window's edges and the button panel, in twips.
constexpr int kEdge = 50;

struct Column
{
    const char* key;
    const char* text;
    int width;
};
const Column kColumns[] = {{"Nr", "lfd.Nr.", 750},           {"Country", "Country", 2500},
                           {"Network", "Network", 3000},     {"APN", "APN", 3500},
                           {"User_name", "User name", 2400}, {"Pass_word", "Pass word", 1200}};

QString columnText(const Column& c)
{
    const QString key = QString::fromLatin1(c.key);
    return GetControlText(gLangIndex, QStringLiteral("frmAPN_Data"), QStringLiteral("ColumnHeader"), key,
                          QString(), QStringLiteral("Text"), QString::fromLatin1(c.text));
}

} // namespace

FrmAPN_Data::FrmAPN_Data() : Form(QStringLiteral("frmAPN_Data"))
{
    setCaption(QStringLiteral("new APN data"));
    Move(0, 0, 11000, 7200);
    setStartUpPosition(vbStartUpOwner);
    lvAPN_Data.setLabelEdit(lvwManual);
    lvAPN_Data.setGridLines(true);

    Picture1.setBorderStyle(0);
    Picture1.Move(0, 0, 6600, 2700);
    Frame& fr = frAPN_Data(1);
    fr.setContainer(&Picture1);
    fr.setCaption(QStringLiteral("Provider"));
    fr.Move(0, 0, 6600, 1560);
    lblPIN.setContainer(&fr);
    lblPIN.setCaption(QStringLiteral("SIM-PIN"));
    lblPIN.Move(120, 300, 1980, 255);
    txtPIN(1).setContainer(&fr);
    txtPIN(1).Move(2160, 270, 900, 315);
    txtPIN(1).setMaxLength(4);
    lblProvider.setContainer(&fr);
    lblProvider.setCaption(QStringLiteral("APN"));
    lblProvider.Move(120, 690, 1980, 255);
    txtAPN(1).setContainer(&fr);
    txtAPN(1).Move(2160, 660, 4320, 315);
    lblUserPass.setContainer(&fr);
    lblUserPass.setCaption(QStringLiteral("User  /  Password"));
    lblUserPass.Move(120, 1080, 1980, 255);
    txtUser(1).setContainer(&fr);
    txtUser(1).Move(2160, 1050, 2100, 315);
    txtPass(1).setContainer(&fr);
    txtPass(1).Move(4380, 1050, 2100, 315);

    lblSettings.setContainer(&Picture1);
    lblSettings.setCaption(QStringLiteral("APN Settings:"));
    lblSettings.Move(0, 1680, 6600, 255);
    lblURL.setContainer(&Picture1);
    lblURL.setCaption(QString::fromLatin1(kApnSettingsUrl));
    lblURL.Move(0, 1980, 6600, 255);
    QFont link = lblURL.Font();
    link.setUnderline(true);
    lblURL.setFont(link);
    lblURL.setForeColor(RGB(0, 0, 192));

    cmdOK.setContainer(&Picture1);
    cmdOK.setCaption(QStringLiteral("&OK"));
    cmdOK.Move(3000, 2340, 1680, 360);
    cmdOK.setDefault(true);
    cmdCancel.setContainer(&Picture1);
    cmdCancel.setCaption(QStringLiteral("&Abbrechen"));
    cmdCancel.Move(4920, 2340, 1680, 360);
    cmdCancel.setCancel(true);

    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    lblURL.onClick = [this] { lblURL_Click(); };
    // A row clicked or reached with the keys; the selection may follow the current row only afterwards.
    lvAPN_Data.onItemClick = [this](ListItem& item) {
        item.setSelected(true);
        lvAPN_Data_Click();
    };
    txtAPN.onChange = [this](int Index) { txtAPN_Change(Index); };
    txtUser.onChange = [this](int Index) { txtUser_Change(Index); };
    txtPass.onChange = [this](int Index) { txtPass_Change(Index); };
    txtPIN.onChange = [this](int Index) { txtPIN_Change(Index); };
    // The default SIM PIN.
    txtPIN(1).setText(QStringLiteral("9463"));
}

void FrmAPN_Data::Form_Load()
{
    ApplyLanguage(*this);
    for (const Column& c : kColumns)
        lvAPN_Data.ColumnHeaders().Add({}, QString::fromLatin1(c.key), columnText(c), c.width);

    LoadApnDataFile(gApnDataFile);
    if (gApnListLoaded) {
        for (const QString& line : gApnLines) {
            const ApnFieldsRow f = SplitApnLine(line);
            const int n = lvAPN_Data.ListItems().Count() + 1;
            ListItem& item = lvAPN_Data.ListItems().Add(
                {}, QStringLiteral("p%1").arg(n), Right(QStringLiteral("     ") + QString::number(n), 5));
            item.setSubItems(1, f.country);
            item.setSubItems(2, f.network);
            item.setSubItems(3, f.apn);
            item.setSubItems(4, f.user);
            item.setSubItems(5, f.password);
        }
        SetActionText(gApnDataFile + u' ' + GetLangText(gLangIndex, kTextReadIn, QStringLiteral("read in")));
    }
    Form_Resize();
}

void FrmAPN_Data::Form_Resize()
{
    const int left = ScaleWidth() - Picture1.Width() - kEdge;
    const int top = ScaleHeight() - Picture1.Height() - kEdge;
    Picture1.Move(left, top);
    const int width = ScaleWidth() - 100;
    const int height = Picture1.Top();
    lvAPN_Data.Move(0, 0, width > 0 ? width : lvAPN_Data.Width(), height > 0 ? height : lvAPN_Data.Height());
}

void FrmAPN_Data::lvAPN_Data_Click()
{
    ListItem* item = lvAPN_Data.SelectedItem();
    if (!item)
        return;
    txtAPN(1).setText(MapApnPlaceholder(item->SubItems(3)));
    txtUser(1).setText(MapApnPlaceholder(item->SubItems(4)));
    txtPass(1).setText(MapApnPlaceholder(item->SubItems(5)));
}

void FrmAPN_Data::cmdOK_Click()
{
    FrmMain& f = frmMain();
    f.txtPIN(1).setText(txtPIN(1).Text());
    f.txtAPN(1).setText(txtAPN(1).Text());
    f.txtUser(1).setText(txtUser(1).Text());
    f.txtPass(1).setText(txtPass(1).Text());
    cmdCancel_Click();
}

void FrmAPN_Data::cmdCancel_Click()
{
    Unload(*this);
}

void FrmAPN_Data::lblURL_Click()
{
    OpenUrl(0, lblURL.Caption());
}

void FrmAPN_Data::txtAPN_Change(int Index)
{
    ValidateBracketText(txtAPN(Index));
}

void FrmAPN_Data::txtUser_Change(int Index)
{
    ValidateBracketText(txtUser(Index));
}

void FrmAPN_Data::txtPass_Change(int Index)
{
    ValidateBracketText(txtPass(Index));
}

void FrmAPN_Data::txtPIN_Change(int Index)
{
    ValidatePinText(txtPIN(Index));
}

} // namespace qv
