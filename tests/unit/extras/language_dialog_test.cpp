// The language dialog: its list from the country list, and the switch of the running program's language.
#include "app/language.h"
#include "app/settings.h"
#include "receiver/receiver_globals.h"
#include "stationdata/modes.h"
#include "ui/main/main_module.h"
#include "unit/extras/help_windows_fixture.h"

using namespace qv;

namespace {

class LanguageDialogTest : public test::HelpWindowsTest
{
  protected:
    // Opens the dialog from the main window's menu, as the user does.
    FrmLanguage& openDialog(FrmMain& f)
    {
        f.mnuLanguage.Click();
        EXPECT_TRUE(FormInstance<FrmLanguage>::loaded());
        return frmLanguage();
    }

    static QStringList entries(const FrmLanguage& d)
    {
        QStringList items;
        for (int i = 0; i < d.lblLanguage.ListCount(); ++i)
            items << d.lblLanguage.List(i);
        return items;
    }

    // Highlights the entry and presses OK.
    static void choose(FrmLanguage& d, const QString& entry)
    {
        const int index = entries(d).indexOf(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        d.lblLanguage.setListIndex(index);
        d.cmdOK.setValue(true);
    }

    static int codeIndex(const char* code) { return gLangCodes.indexOf(QString::fromLatin1(code)); }
};

} // namespace

TEST_F(LanguageDialogTest, SwitchesTheRunningWindowFromGermanToEnglishAndBack)
{
    gCommandLine = QStringLiteral("de");
    FrmMain& f = startWindow();
    ASSERT_EQ(gLangCodes.at(gLangIndex), QStringLiteral("DEU"));
    EXPECT_EQ(f.mnuSet.Caption(), QStringLiteral("&Einstellung"));
    gModeCodeSet = 2;
    const QString protocol = gProtocolPath;

    FrmLanguage& d = openDialog(f);
    EXPECT_TRUE(d.Visible());
    EXPECT_EQ(entries(d), (QStringList{QStringLiteral("Deutsch   "), QStringLiteral("English   ")}));
    choose(d, QStringLiteral("English   "));

    EXPECT_FALSE(FormInstance<FrmLanguage>::loaded());
    EXPECT_EQ(gLangIndex, codeIndex("ENU"));
    EXPECT_EQ(gHelpFile, QStringLiteral("QV-Config_ENU.html"));
    EXPECT_EQ(f.mnuSet.Caption(), QStringLiteral("&Settings"));
    EXPECT_EQ(f.coMO.List(0), QStringLiteral("Instruction"));
    EXPECT_EQ(gModeTextControl, QStringLiteral("Control"));
    EXPECT_EQ(f.coMode.List(1).trimmed(), QStringLiteral("direct"));
    EXPECT_EQ(f.txtMO.Text(), QStringLiteral("Control"));
    EXPECT_EQ(f.coMO.Text(), QStringLiteral("Control"));
    EXPECT_EQ(f.frVEK_QVEL_Func.Caption(), QStringLiteral("QVEL functions"));
    EXPECT_EQ(f.Aktion().Text(), QStringLiteral("Language selected: English"));
    EXPECT_TRUE(f.rtbox(0).Text().contains(QStringLiteral("Language selected: English\r\n")));
    EXPECT_EQ(gMainCaption, QStringLiteral("QV-Config station configuration V:0.1.0"));
    EXPECT_TRUE(f.Caption().startsWith(gMainCaption + gBuildDateText + QStringLiteral(" - ")));
    EXPECT_TRUE(f.Caption().endsWith(protocol));
    // The tolerances stand once before the translated tooltip, however often the language changes.
    EXPECT_TRUE(
        f.cmdTime.ToolTipText().endsWith(QStringLiteral(") set the station clock from the PC clock")));
    EXPECT_EQ(f.cmdTime.ToolTipText().count(u'('), 1);
    // "used" ends right-aligned where "after work time" begins: a blank on each side keeps them apart.
    EXPECT_EQ(f.lblConsumptionDes(0).Caption(), QStringLiteral("used "));
    EXPECT_EQ(f.lblConsumptionDes(1).Caption(), QStringLiteral(" after work time"));

    FrmLanguage& again = openDialog(f);
    choose(again, QStringLiteral("Deutsch   "));
    EXPECT_EQ(gLangIndex, codeIndex("DEU"));
    EXPECT_EQ(gHelpFile, QStringLiteral("QV-Config_DEU.html"));
    EXPECT_EQ(f.mnuSet.Caption(), QStringLiteral("&Einstellung"));
    EXPECT_EQ(f.coMO.List(2), QStringLiteral("Posten"));
    EXPECT_EQ(gModeTextControl, QStringLiteral("Posten"));
    EXPECT_EQ(f.coMode.List(1).trimmed(), QStringLiteral("direkt"));
    EXPECT_EQ(f.txtMO.Text(), QStringLiteral("Posten"));
    EXPECT_EQ(f.Aktion().Text(), QStringLiteral("Sprache gewählt: Deutsch"));
    EXPECT_EQ(f.cmdTime.ToolTipText().count(u'('), 1);
    EXPECT_TRUE(f.Caption().startsWith(QStringLiteral("QV-Config Stationskonfiguration V:0.1.0")));
}

TEST_F(LanguageDialogTest, ModeOneLeavesTheModeTextBoxAlone)
{
    FrmMain& f = startWindow();
    gModeCodeSet = 1;
    f.txtMO.setText(QStringLiteral("as it was"));
    choose(openDialog(f), QStringLiteral("English   "));
    EXPECT_EQ(f.txtMO.Text(), QStringLiteral("as it was"));
    EXPECT_EQ(f.coMO.Text(), GetLangText(gLangIndex, kModeTextBase + 1, QString()));
}

TEST_F(LanguageDialogTest, ANameThatMatchesNoEntryReappliesTheCurrentLanguage)
{
    // A name longer than the ten characters an entry shows, and a name with a blank in front, never match.
    writeProgramFile(QStringLiteral("Country.TXT"), "DEU= Deutsch\r\nENU=English language\r\n");
    gCommandLine = QStringLiteral("de");
    FrmMain& f = startWindow();
    const uint8_t german = gLangIndex;

    FrmLanguage& d = openDialog(f);
    EXPECT_EQ(entries(d), (QStringList{QStringLiteral(" Deutsch  "), QStringLiteral("English la")}));
    choose(d, QStringLiteral("English la"));
    EXPECT_EQ(gLangIndex, german);
    EXPECT_FALSE(FormInstance<FrmLanguage>::loaded());
    // The language file rebuilt the names; the choice still ran through to its end.
    EXPECT_EQ(f.Aktion().Text(), QStringLiteral("Sprache gewählt: Deutsch"));
    EXPECT_EQ(f.mnuSet.Caption(), QStringLiteral("&Einstellung"));

    // Enter with nothing highlighted does the same.
    FrmLanguage& again = openDialog(f);
    int key = vbKeyReturn;
    again.Form_KeyDown(key, 0);
    EXPECT_EQ(gLangIndex, german);
    EXPECT_FALSE(FormInstance<FrmLanguage>::loaded());
}

TEST_F(LanguageDialogTest, TwoLanguagesOfOneNameChooseTheLaterOne)
{
    writeProgramFile(QStringLiteral("Country.TXT"), "DEU=Sprache\nENU=Sprache");
    gCommandLine = QStringLiteral("de");
    FrmMain& f = startWindow();
    FrmLanguage& d = openDialog(f);
    ASSERT_EQ(d.lblLanguage.ListCount(), 2);
    d.lblLanguage.setListIndex(0);
    d.lblLanguage_DblClick();
    EXPECT_EQ(gLangIndex, codeIndex("ENU"));
    EXPECT_EQ(f.mnuSet.Caption(), QStringLiteral("&Settings"));
}

TEST_F(LanguageDialogTest, WithoutACountryListTheListIsEmptyAndOkDoesNothing)
{
    ASSERT_TRUE(QFile::remove(programFolderPath() + QStringLiteral("/Country.TXT")));
    FrmMain& f = startWindow();
    const uint8_t before = gLangIndex;
    const QString action = f.Aktion().Text();
    FrmLanguage& d = openDialog(f);
    EXPECT_EQ(d.lblLanguage.ListCount(), 0);
    d.cmdOK.setValue(true);
    EXPECT_TRUE(FormInstance<FrmLanguage>::loaded());
    EXPECT_EQ(gLangIndex, before);
    EXPECT_EQ(f.Aktion().Text(), action);
    d.cmdCancel.setValue(true);
    EXPECT_FALSE(FormInstance<FrmLanguage>::loaded());
}

TEST_F(LanguageDialogTest, DialogSitsCentredBelowTheToolbar)
{
    FrmMain& f = startWindow();
    FrmLanguage& d = openDialog(f);
    EXPECT_NEAR(d.Left(), f.Left() + (f.Width() - d.Width()) / 2, 15);
    EXPECT_NEAR(d.Top(), f.Top() + f.tbar.Height() + 700, 15);
}

TEST_F(LanguageDialogTest, TheChosenLanguageIsSavedAndUsedAtTheNextStart)
{
    FrmMain& f = startWindow();
    ASSERT_EQ(gLangCodes.at(gLangIndex), QStringLiteral("ENU"));
    choose(openDialog(f), QStringLiteral("Deutsch   "));
    closeWindow();
    EXPECT_TRUE(readSettings().contains(QStringLiteral("InitLang=DEU")));

    resetWindowState();
    FrmMain& g = startWindow();
    EXPECT_EQ(gLangCodes.at(gLangIndex), QStringLiteral("DEU"));
    EXPECT_EQ(g.mnuSet.Caption(), QStringLiteral("&Einstellung"));
}
