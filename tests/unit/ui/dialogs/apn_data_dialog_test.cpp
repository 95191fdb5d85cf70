// The mobile-network data dialog and its list file: the rows read from the shipped list, a pick translated
// into the boxes, OK copying into the main window's write column, and the colours of invalid texts.
#include "link/link_globals.h"
#include "support/layout_check.h"
#include "support/main_window_fixture.h"
#include "ui/dialogs/apn_data_file.h"
#include "ui/dialogs/frm_apn_data.h"

using namespace qv;

namespace {

TEST(ApnDataFile, OnlyTheExactHeaderOpensTheListAndBlankLinesTakeNoRow)
{
    const QString h = kApnDataHeader;
    const struct
    {
        const char* name;
        QString text;
        QStringList lines;
    } cases[] = {
        {"two rows, a blank line between", h + "\r\n A;B;c \r\n   \r\nD;E\r\n", {"A;B;c", "D;E"}},
        {"LF line ends, no end at the last", h + "\nA;B", {"A;B"}},
        {"header with a blank more", h + " \r\nA;B\r\n", {}},
        {"header in other case", h.toLower() + "\r\nA;B\r\n", {}},
        {"header only", h + "\r\n", {}},
        {"empty file", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadApnLines(c.text), c.lines);
    }
}

TEST(ApnDataFile, FieldsAndPlaceholders)
{
    const ApnFieldsRow seven = SplitApnLine(QStringLiteral("A;B;apn;u;p;6;7"));
    EXPECT_EQ(seven.password, QStringLiteral("p"));
    const ApnFieldsRow two = SplitApnLine(QStringLiteral("Country;Net"));
    EXPECT_EQ(two.network, QStringLiteral("Net"));
    EXPECT_TRUE(two.apn.isEmpty() && two.user.isEmpty() && two.password.isEmpty());

    const struct
    {
        const char* field;
        const char* value;
    } cases[] = {{"[none]", ""},
                 {"[NONE]", ""},
                 {"[blank]", ""},
                 {"[SPACE]", " "},
                 {"[Supplied]", "[supplied]"},
                 {"[Mobile Number]", "[mobile number]"},
                 {"Web.Example", "Web.Example"},
                 {"[other]", "[other]"}};
    for (const auto& c : cases)
        EXPECT_EQ(MapApnPlaceholder(QString::fromLatin1(c.field)), QString::fromLatin1(c.value)) << c.field;
}

class ApnDataDialogTest : public test::MainWindowTest
{
  protected:
    void SetUp() override
    {
        test::MainWindowTest::SetUp();
        // A main window an earlier test left loaded would not run the start-up again.
        closeWindow();
        gCommandLine = commandLine();
        ASSERT_TRUE(startWindow().startupCompleted());
        ASSERT_FALSE(gApnDataFile.isEmpty());
    }
    void TearDown() override
    {
        if (FormInstance<FrmAPN_Data>::loaded())
            Unload(frmAPN_Data());
        test::MainWindowTest::TearDown();
    }
    virtual QString commandLine() const { return QStringLiteral("en"); }
    void writeList(const QByteArray& bytes)
    {
        QFile file(gApnDataFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    FrmAPN_Data& open()
    {
        FrmAPN_Data& d = frmAPN_Data();
        d.Show();
        return d;
    }
    static QStringList row(ListItem& item)
    {
        QStringList r{item.Text()};
        for (int k = 1; k <= 5; ++k)
            r << item.SubItems(k);
        return r;
    }
    void pick(FrmAPN_Data& d, int n)
    {
        d.lvAPN_Data.ListItems().Item(n).setSelected(true);
        d.lvAPN_Data_Click();
    }
};

} // namespace

TEST_F(ApnDataDialogTest, TheShippedListIsListedWithItsPlaceholdersAsWritten)
{
    // The first run put the shipped list into the data folder.
    FrmAPN_Data& d = open();
    ListItemList& rows = d.lvAPN_Data.ListItems();
    ASSERT_EQ(rows.Count(), 5);
    EXPECT_EQ(row(rows.Item(1)),
              (QStringList{"    1", "Germany", "Example Mobil", "internet.example.de", "[none]", "[none]"}));
    EXPECT_EQ(rows.Item(5).Text(), QStringLiteral("    5"));
    EXPECT_EQ(d.lvAPN_Data.ColumnHeaders().Count(), 6);
    EXPECT_EQ(d.lvAPN_Data.ColumnHeaders().Item(5).Text(), QStringLiteral("User name"));
    EXPECT_EQ(frmMain().Aktion().Text(), gApnDataFile + QStringLiteral(" read in"));
    EXPECT_EQ(d.txtPIN(1).Text(), QStringLiteral("9463"));
}

TEST_F(ApnDataDialogTest, APickFillsTheBoxesAndOkCopiesThemIntoTheWriteColumn)
{
    writeList(
        kApnDataHeader.toLatin1() +
        "\r\nLand;Netz;web.example;[NONE];[none]\r\n\r\nLand;Nur Netz\r\nX;Y;a.example;u;[SPACE];z;z\r\n");
    FrmAPN_Data& d = open();
    ASSERT_EQ(d.lvAPN_Data.ListItems().Count(), 3);
    EXPECT_EQ(d.lvAPN_Data.ListItems().Item(3).SubItems(5), QStringLiteral("[SPACE]"));
    pick(d, 3);
    EXPECT_EQ(d.txtAPN(1).Text(), QStringLiteral("a.example"));
    EXPECT_EQ(d.txtUser(1).Text(), QStringLiteral("u"));
    EXPECT_EQ(d.txtPass(1).Text(), QStringLiteral(" "));
    pick(d, 2);
    EXPECT_EQ(d.txtAPN(1).Text() + d.txtUser(1).Text() + d.txtPass(1).Text(), QString());
    pick(d, 1);
    EXPECT_EQ(d.txtAPN(1).Text(), QStringLiteral("web.example"));
    EXPECT_EQ(d.txtUser(1).Text() + d.txtPass(1).Text(), QString());
    d.txtPIN(1).setText(QStringLiteral("1234"));

    FrmMain& f = frmMain();
    f.txtUser(1).setText(QStringLiteral("old"));
    d.cmdOK_Click();
    EXPECT_FALSE(FormInstance<FrmAPN_Data>::loaded());
    EXPECT_EQ(f.txtPIN(1).Text(), QStringLiteral("1234"));
    EXPECT_EQ(f.txtAPN(1).Text(), QStringLiteral("web.example"));
    EXPECT_EQ(f.txtUser(1).Text(), QString());
    EXPECT_EQ(f.txtPass(1).Text(), QString());
}

TEST_F(ApnDataDialogTest, CancelCopiesNothing)
{
    FrmAPN_Data& d = open();
    pick(d, 5);
    frmMain().txtAPN(1).setText(QStringLiteral("mine.example"));
    d.cmdCancel_Click();
    EXPECT_EQ(frmMain().txtAPN(1).Text(), QStringLiteral("mine.example"));
}

TEST_F(ApnDataDialogTest, InvalidTextsTurnTheirBoxRed)
{
    FrmAPN_Data& d = open();
    const struct
    {
        TextBox& box;
        const char* text;
        bool red;
    } cases[] = {{d.txtPIN(1), "1234", false},      {d.txtPIN(1), "123", true},
                 {d.txtPIN(1), "12a4", true},       {d.txtAPN(1), "web.example", false},
                 {d.txtAPN(1), "[supplied]", true}, {d.txtUser(1), "a]", true},
                 {d.txtPass(1), "[", true},         {d.txtPass(1), "secret", false}};
    for (const auto& c : cases) {
        c.box.setText(QString::fromLatin1(c.text));
        EXPECT_EQ(c.box.BackColor() == vbRed, c.red) << c.box.Name().toStdString() << " " << c.text;
    }
}

TEST_F(ApnDataDialogTest, AListGoneLaterShowsTheRowsReadBeforeAndAListWithoutRowsShowsNone)
{
    writeList(kApnDataHeader.toLatin1() + "\r\nA;B;c\r\n");
    Unload(open());
    QFile::remove(gApnDataFile);
    FrmAPN_Data& again = open();
    ASSERT_EQ(again.lvAPN_Data.ListItems().Count(), 1);
    EXPECT_EQ(again.lvAPN_Data.ListItems().Item(1).SubItems(3), QStringLiteral("c"));
    Unload(again);

    for (const QByteArray& text : {QByteArray(), kApnDataHeader.toLatin1() + " \r\nA;B;c\r\n"}) {
        writeList(text);
        FrmAPN_Data& d = open();
        EXPECT_EQ(d.lvAPN_Data.ListItems().Count(), 0);
        Unload(d);
    }
}

class ApnDataDialogLayout : public ApnDataDialogTest, public ::testing::WithParamInterface<const char*>
{
  protected:
    QString commandLine() const override
    {
        return QString::fromLatin1(GetParam()) == QLatin1String("DEU") ? QStringLiteral("de")
                                                                       : QStringLiteral("en");
    }
};

TEST_P(ApnDataDialogLayout, NoCaptionCutOffAndNothingOverlaps)
{
    FrmAPN_Data& d = open();
    QApplication::processEvents();
    for (const QString& pair : test::overlappingControls(d, {}))
        ADD_FAILURE() << "overlap: " << pair.toStdString();
    for (const QString& caption : test::captionsThatDoNotFit(d))
        ADD_FAILURE() << caption.toStdString();
    // The list fills the window above the buttons' panel, which keeps to the bottom right corner.
    EXPECT_EQ(d.Picture1.Left() + d.Picture1.Width(), d.ScaleWidth() - 50);
    EXPECT_EQ(d.lvAPN_Data.Height(), d.Picture1.Top());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ApnDataDialogLayout, ::testing::Values("ENU", "DEU"));
