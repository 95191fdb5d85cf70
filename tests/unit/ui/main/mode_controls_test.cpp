// The mode combo, the connection combo and the write column's option boxes as the language and settings fill
// them.
#include "app/settings.h"
#include "link/link_globals.h"
#include "stationdata/modes.h"
#include "support/main_window_fixture.h"
#include "ui/main/main_module.h"

#include <QDomDocument>

using namespace qv;

namespace {

class ModeControlsTest : public test::MainWindowTest
{
};

// Replaces one message of the loaded language file for the rest of the test.
void setLangText(int id, const QString& text)
{
    QDomElement messages = gXmlDoc.documentElement().firstChildElement(QStringLiteral("WithoutForm"));
    QDomElement e = messages.firstChildElement(QStringLiteral("s%1").arg(id));
    if (e.isNull()) {
        e = gXmlDoc.createElement(QStringLiteral("s%1").arg(id));
        messages.appendChild(e);
    }
    while (e.hasChildNodes())
        e.removeChild(e.firstChild());
    e.appendChild(gXmlDoc.createTextNode(text));
}

QStringList comboItems(const ComboBox& box)
{
    QStringList items;
    for (int i = 0; i < box.ListCount(); ++i)
        items << box.List(i);
    return items;
}

} // namespace

TEST_F(ModeControlsTest, ModeNamesPerLanguageInModeOrder)
{
    FrmMain& f = startWindow();
    EXPECT_EQ(comboItems(f.coMO).first(), QStringLiteral("Instruction"));
    EXPECT_TRUE(comboItems(f.coMO).contains(QStringLiteral("BC FINISH")));
    EXPECT_EQ(f.coMO.ListCount(), 15);
    EXPECT_EQ(gModeTextPrintout, QStringLiteral("Printout"));
    EXPECT_EQ(gConnModeNames[2], QStringLiteral("direct"));
    closeWindow();

    gCommandLine = QStringLiteral("de");
    FrmMain& g = startWindow();
    EXPECT_EQ(comboItems(g.coMO).at(2), QStringLiteral("Posten"));
    EXPECT_EQ(gModeTextBcFinish, QStringLiteral("BC Ziel"));
    EXPECT_EQ(gConnModeNames[1], QStringLiteral("fern"));
    EXPECT_EQ(g.coMode.List(1).trimmed(), QStringLiteral("direkt"));
}

TEST_F(ModeControlsTest, MarkedAndEmptyNamesAreLeftOutAndRefillLeavesTheRestAlone)
{
    FrmMain& f = startWindow();
    setLangText(1302, QStringLiteral("---"));
    setLangText(1306, QStringLiteral("Service"));
    setLangText(1307, QStringLiteral("   "));
    gBeaconWrite = 1;
    f.coMode.setListIndex(1);
    FillModeControls(false);
    const QStringList items = comboItems(f.coMO);
    EXPECT_FALSE(items.contains(QStringLiteral("Control")));
    EXPECT_EQ(items.indexOf(QStringLiteral("Service")), items.indexOf(QStringLiteral("Finish")) + 2);
    EXPECT_EQ(items.size(), 14);
    // Without refill the connection combo and the option boxes keep what they show.
    EXPECT_EQ(f.coMode.ListIndex(), 1);
    EXPECT_EQ(f.chkBeacon(1).Value(), vbUnchecked);
    gBeaconWrite = 0;
}

TEST_F(ModeControlsTest, WriteColumnFromTheRememberedBytes)
{
    writeSettings(QStringLiteral("[STATION]\r\nlastBeacon=2\r\nlastAutoSend=2\r\nlastExtProt=1\r\n"));
    FrmMain& f = startWindow();
    EXPECT_EQ(f.chkBeacon(1).Value(), vbGrayed);
    EXPECT_EQ(f.chkCPC(1).Value(), vbChecked);
    EXPECT_EQ(f.chkCPC0(1).Value(), vbChecked);
    EXPECT_EQ(f.chkSelective(1).Value(), vbUnchecked);
    EXPECT_EQ(gAutoSendSaved, vbChecked);
}

TEST_F(ModeControlsTest, CodeNumberRangesByModeInUse)
{
    startWindow();
    struct Case
    {
        int mode;
        const char* text;
        bool valid;
        int stored;
    };
    const Case cases[] = {
        {1, "127", true, 127},    {1, "128", false, 0},  {2, "1023", true, 1023}, {2, "0", false, 0},
        {2, "-5", false, 0},      {2, "", false, 0},     {20, "600", false, 0},   {20, "511", true, 511},
        {31, "1023", true, 1023}, {3, "12.5", true, 12}, {3, "13.5", true, 14},   {4, "31abc", true, 31},
        {2, "1e999", false, 0},
    };
    for (const Case& c : cases) {
        gModeCodeSet = static_cast<uint8_t>(c.mode);
        gCodeNo = 77;
        resetBeepCount();
        const QString r = CheckCodeNumber(QString::fromLatin1(c.text));
        if (c.valid) {
            EXPECT_EQ(r, QString()) << c.mode << " " << c.text;
            EXPECT_EQ(gCodeNo, c.stored) << c.text;
            EXPECT_EQ(gSpecialFuncIndex, c.stored) << c.text;
            EXPECT_EQ(BeepCount(), 0);
        } else {
            EXPECT_TRUE(r.endsWith(QStringLiteral(" 1 - ") + QString::number(CodeNoMaximum(c.mode))))
                << c.mode << " " << c.text << " " << r.toStdString();
            EXPECT_TRUE(r.startsWith(QStringLiteral("Code number outside the range")));
            EXPECT_EQ(gCodeNo, 77) << c.text;
            EXPECT_EQ(BeepCount(), 1);
        }
    }
}

TEST_F(ModeControlsTest, FunctionCodeCaptionsAndAutoSendOfTheColumnInUse)
{
    FrmMain& f = startWindow();
    EXPECT_EQ(GetFuncCodeCaption(123), f.opQVEL_Func(3).Caption());
    EXPECT_EQ(GetFuncCodeCaption(124), QStringLiteral("switch on (124)"));
    EXPECT_EQ(GetFuncCodeCaption(127), f.opQVEL_Func(2).Caption());
    EXPECT_EQ(GetFuncCodeCaption(126), QString());
    EXPECT_EQ(GetFuncCodeCaption(0), QString());

    // The read column shows the station's byte, stored first.
    gAutoSendRead = 1;
    f.chkCPC(0).setValue(vbChecked);
    f.chkCPC(1).setValue(vbUnchecked);
    gActionCode = ActRead;
    EXPECT_TRUE(IsCpcChecked());
    gActionCode = ActWrite;
    EXPECT_FALSE(IsCpcChecked());
    gActionCode = ActNone;
    gAutoSendRead = 0;
}
