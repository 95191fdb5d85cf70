// The language dialog frmLanguage: offers the languages of the language file and switches the program to one.
#include "extras/frm_language.h"

#include "app/app_info.h"
#include "app/fso.h"
#include "app/language.h"
#include "app/settings.h"
#include "extras/extras_window.h"
#include "extras/help_windows.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/strings.h"
#include "platform/runtime/vberror.h"
#include "platform/system/paths.h"
#include "platform/system/textfile.h"
#include "receiver/receiver_globals.h"
#include "stationdata/modes.h"

namespace qv {

namespace {

// The dialog sits this far below the main window's toolbar, in twips.
constexpr int kBelowToolbar = 700;

// The whole country list beside the program; "" when there is none or it cannot be read.
QString readCountryList()
{
    const QString path = programFolder() + u'/' + QString::fromLatin1(kCountryListFile);
    if (!gFso.FileExists(path))
        return {};
    try {
        return readTextFile(path);
    } catch (const VbError&) {
        return {};
    }
}

// The entry of a list at an index, "" beyond its end (a language file may declare fewer languages).
QString entryAt(const QStringList& list, int index)
{
    return index >= 0 && index < list.size() ? list.at(index) : QString();
}

} // namespace

FrmLanguage::FrmLanguage() : Form(QStringLiteral("frmLanguage"))
{
    setCaption(QStringLiteral("Sprache"));
    Move(0, 0, 4365, 2895);
    setFixedSize(size());
    setKeyPreview(true);
    lblLanguage.Move(120, 120, 4125, 2055);
    Picture2.setBorderStyle(0);
    Picture2.Move(0, 2295, 4365, 600);
    cmdOK.setContainer(&Picture2);
    cmdOK.setCaption(QStringLiteral("OK"));
    cmdOK.Move(720, 105, 1335, 375);
    cmdOK.setDefault(true);
    cmdCancel.setContainer(&Picture2);
    cmdCancel.setCaption(QStringLiteral("&Abbrechen"));
    cmdCancel.Move(2310, 105, 1335, 375);
    cmdCancel.setCancel(true);

    lblLanguage.onDblClick = [this] { lblLanguage_DblClick(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
}

void FrmLanguage::Form_Load()
{
    ApplyLanguage(*this);
    bMerkSprache = gLangIndex;
    ExtrasMainWindow& f = extrasMainWindow();
    Move(f.left() + (f.width() - Width()) / 2, f.top() + f.toolbarHeight() + kBelowToolbar);

    const QString countries = readCountryList();
    while (gLangNames.size() < gLangCodes.size())
        gLangNames.append(QString());
    for (int i = 1; i < gLangCodes.size(); ++i) {
        const std::optional<QString> name = CountryListName(countries, gLangCodes.at(i));
        if (!name)
            continue;
        gLangNames[i] = *name;
        lblLanguage.AddItem(LanguageListEntry(*name));
    }
}

void FrmLanguage::Form_KeyDown(int& KeyCode, int Shift)
{
    if (KeyCode == vbKeyReturn && Shift == 0) {
        KeyCode = 0;
        lblLanguage_DblClick();
    }
}

void FrmLanguage::cmdOK_Click()
{
    if (!lblLanguage.Text().isEmpty())
        lblLanguage_DblClick();
}

void FrmLanguage::cmdCancel_Click()
{
    Unload(*this);
}

void FrmLanguage::lblLanguage_DblClick()
{
    // An entry shows at most ten characters of a name: a longer name, or one with blanks around it, matches
    // none, and the current language is applied again.
    const QString chosen = Trim(lblLanguage.Text());
    for (int i = 1; i < gLangNames.size(); ++i) {
        if (chosen == gLangNames.at(i))
            gLangIndex = static_cast<uint8_t>(i);
    }
    gHelpFile = ChooseHelpFile(entryAt(gLangCodes, gLangIndex));
    if (gLangIndex == 0)
        gLangIndex = bMerkSprache;
    LoadLanguageFile(true);

    const QString actionText = GetLangText(gLangIndex, 1801, QStringLiteral("Language selected")) + u' ' +
                               entryAt(gLangNames, gLangIndex);
    extrasMainWindow().applyLanguage(actionText);

    Unload(*this);
    AppendLogLine(ActionText());
    extrasMainWindow().retitle();
}

} // namespace qv
