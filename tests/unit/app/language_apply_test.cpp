// ApplyLanguage: a window's title and its controls' texts by type, name and Index.
#include "app/language.h"
#include "platform/controls/controls.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

class FrmSample : public Form
{
  public:
    FrmSample() : Form(QStringLiteral("frmSample"))
    {
        setCaption(QStringLiteral("design title"));
        for (int i = 0; i < 8; ++i)
            tbar.Buttons().Add();
        StatusBar1.Panels().Add();
        StatusBar1.Panels().Add();
        tabs.Tabs().Add();
        tabs.Tabs().Add();
        lblKeep.setCaption(QStringLiteral("design"));
    }
    CommandButton cmdOK{this, "cmdOK"};
    ControlArray<CommandButton> cmdPick{this, "cmdPick", {0, 1}};
    Label lblKeep{this, "lblKeep"};
    CheckBox chkCPC{this, "chkCPC"};
    TextBox txtName{this, "txtName"};
    MenuItem mnuFile{this, "mnuFile"};
    MenuItem mnuExit{&mnuFile, "mnuExit"};
    Toolbar tbar{this, "tbar"};
    StatusBar StatusBar1{this, "StatusBar1"};
    TabStrip tabs{this, "tabs"};
};

void load(const char* body)
{
    const QString xml = QStringLiteral("<Config><Languages><ENU>English</ENU></Languages>") +
                        QString::fromUtf8(body) + QStringLiteral("</Config>");
    ASSERT_TRUE(gXmlDoc.setContent(xml));
}

class LanguageApply : public ::testing::Test
{
  protected:
    void TearDown() override { gXmlDoc.clear(); }
    FrmSample frm;
};

} // namespace

TEST_F(LanguageApply, SetsCaptionsAndTooltipsByTypeNameAndIndex)
{
    load(R"(<frmSample>
      <Caption>Settings</Caption>
      <CommandButton>
        <cmdOK><Caption>__OK</Caption><ToolTipText>Close &amp;gt; save</ToolTipText></cmdOK>
        <cmdPick Index="1"><Caption>Second</Caption></cmdPick>
        <cmdGone><Caption>nobody</Caption></cmdGone>
      </CommandButton>
      <CheckBox><chkCPC><Caption>Autosend</Caption><Value>1</Value></chkCPC></CheckBox>
      <TextBox><txtName><ToolTipText>Your name</ToolTipText><Caption>ignored</Caption></txtName></TextBox>
      <Menu><mnuFile><Caption>__File</Caption></mnuFile><mnuExit><Caption>E__xit</Caption></mnuExit></Menu>
    </frmSample>)");
    ApplyLanguage(frm);
    EXPECT_EQ(frm.Caption(), QStringLiteral("QV-Config Settings"));
    EXPECT_EQ(frm.cmdOK.Caption(), QStringLiteral("&OK"));
    EXPECT_EQ(frm.cmdOK.ToolTipText(), QStringLiteral("Close > save"));
    EXPECT_EQ(frm.cmdPick(1).Caption(), QStringLiteral("Second"));
    EXPECT_EQ(frm.cmdPick(0).Caption(), QString());
    EXPECT_EQ(frm.chkCPC.Caption(), QStringLiteral("Autosend"));
    EXPECT_EQ(frm.chkCPC.Value(), 0); // other property names are ignored
    EXPECT_EQ(frm.txtName.ToolTipText(), QStringLiteral("Your name"));
    EXPECT_EQ(frm.txtName.Text(), QString());
    EXPECT_EQ(frm.mnuFile.Caption(), QStringLiteral("&File"));
    EXPECT_EQ(frm.mnuExit.Caption(), QStringLiteral("E&xit"));
    EXPECT_EQ(frm.lblKeep.Caption(), QStringLiteral("design")); // no entry: keeps its text
}

TEST_F(LanguageApply, ToolbarStatusBarAndTabItems)
{
    load(R"(<frmSample>
      <Caption></Caption>
      <Toolbar><tbar><Buttons>
        <ToolTipText Index="2">Read</ToolTipText>
        <ToolTipText Index="9">beyond the buttons</ToolTipText>
        <Caption Index="1">not for buttons</Caption>
      </Buttons></tbar></Toolbar>
      <StatusBar><StatusBar1><Panels><ToolTipText Index="2">Action</ToolTipText></Panels></StatusBar1></StatusBar>
      <TabStrip><tabs><Tabs><Caption Index="1">General</Caption><ToolTipText Index="2">More</ToolTipText>
        <Caption Index="3">no such tab</Caption></Tabs></tabs></TabStrip>
    </frmSample>)");
    ApplyLanguage(frm);
    EXPECT_EQ(frm.Caption(), QStringLiteral("design title")); // an empty caption leaves the title
    EXPECT_EQ(frm.tbar.Buttons().Item(2).ToolTipText(), QStringLiteral("Read"));
    EXPECT_EQ(frm.tbar.Buttons().Item(1).Caption(), QString());
    for (int i : {1, 3, 4, 5, 6, 7, 8})
        EXPECT_EQ(frm.tbar.Buttons().Item(i).ToolTipText(), QString()) << i;
    EXPECT_EQ(frm.StatusBar1.Panels().Item(2).ToolTipText(), QStringLiteral("Action"));
    EXPECT_EQ(frm.tabs.Tabs().Item(1).Caption(), QStringLiteral("General"));
    EXPECT_EQ(frm.tabs.Tabs().Item(2).ToolTipText(), QStringLiteral("More"));
    EXPECT_EQ(frm.tabs.Tabs().Count(), 2);
}

TEST_F(LanguageApply, WithoutAnEntryNothingChanges)
{
    load("<frmOther><Caption>Other</Caption></frmOther>");
    ApplyLanguage(frm);
    EXPECT_EQ(frm.Caption(), QStringLiteral("design title"));
    gXmlDoc.clear();
    ApplyLanguage(frm);
    EXPECT_EQ(frm.Caption(), QStringLiteral("design title"));
}
