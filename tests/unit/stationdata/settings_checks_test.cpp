// The checks after a settings read: the findings about the station and about the values to write, with
// their texts, and the choice of the default settings.
#include <optional>

#include "app/language.h"
#include "link/link_globals.h"
#include "stationdata/settings_checks.h"
#include "stationdata_test_support.h"

using namespace qv;
using namespace qv::test;

namespace {

// Short texts for the ids the checks show, so a test can read which finding it got.
class CheckTexts
{
  public:
    CheckTexts()
    {
        gXmlDoc.setContent(QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<Config><Languages><ENU>English</ENU></Languages><WithoutForm>
<s1828>RTC</s1828><s1831>BATT</s1831><s1832>BATT?</s1832><s1834>AUTOREAD</s1834><s1838>EXTPROT</s1838>
<s1855>Warning, check</s1855><s1867>UNSUPPORTED</s1867><s1868>SPRINT</s1868><s1874>BACKUP</s1874>
<s1877>FW551</s1877><s1879>GO ON?</s1879><s1931>DEFAULTS?</s1931><s1955>NP</s1955><s1914>NO INTERFACE</s1914><s1915>NO AUTO SEND</s1915><s1916>CLEARS %1</s1916>
</WithoutForm></Config>)"));
    }
    ~CheckTexts() { gXmlDoc.clear(); }
    CheckTexts(const CheckTexts&) = delete;
    CheckTexts& operator=(const CheckTexts&) = delete;
};

std::array<QString, 32> modeNames()
{
    std::array<QString, 32> n;
    for (int i = 0; i < 32; ++i)
        n[size_t(i)] = QStringLiteral("---");
    n[0] = QStringLiteral("Instruction");
    n[2] = QStringLiteral("Control");
    n[3] = QStringLiteral("Start");
    n[4] = QStringLiteral("Finish");
    n[5] = QStringLiteral("Readout");
    n[11] = QStringLiteral("Printout");
    n[12] = QStringLiteral("Start trig");
    n[13] = QStringLiteral("Finish trig");
    return n;
}

// A station of the newer board in the Control mode with nothing to find.
SettingsCheckInput quietStation(int16_t action)
{
    SettingsCheckInput in;
    in.actionCode = action;
    in.modelId = 0x97;
    in.modelFlag = true;
    in.modelVariant = 8;
    in.modelCode = 0x97;
    in.modelSubByte = 1;
    in.productType = 0x97;
    in.firmware = 656;
    in.battCapacity = 1000;
    in.lastFwVersionA = 559;
    in.lastFwVersionB = 300;
    in.modeCode = 2;
    in.modeChoice = QStringLiteral("Control");
    in.modeRead = QStringLiteral("Control");
    in.codeRead = QStringLiteral("31");
    in.codeWrite = QStringLiteral("32");
    in.software = QStringLiteral("656");
    in.hardware = QStringLiteral("QV 10");
    in.workTimeWrite = QStringLiteral("02:00:00");
    in.softwareCaption = QStringLiteral("SW");
    in.workTimeCaption = QStringLiteral("WT");
    in.card192Caption = QStringLiteral("Card 192");
    in.modeNames = modeNames();
    in.modeTextSpecial = QStringLiteral("Special");
    in.modeTextControl = QStringLiteral("Control");
    in.modeTextStart = QStringLiteral("Start");
    in.modeTextFinish = QStringLiteral("Finish");
    in.modeTextStartTrig = QStringLiteral("Start trig");
    in.modeTextFinishTrig = QStringLiteral("Finish trig");
    in.modeTextReadout = QStringLiteral("Readout");
    in.modeTextPrintout = QStringLiteral("Printout");
    return in;
}

const QString kHeading = QStringLiteral("Warning!") + QString(20, QLatin1Char(' ')) + QStringLiteral("\r\n");

} // namespace

class SettingsChecks : public StationDataTest
{
  protected:
    // The texts are loaded after the base set-up, whose reset of the program's state empties them.
    void SetUp() override
    {
        StationDataTest::SetUp();
        m_texts.emplace();
    }
    void TearDown() override
    {
        m_texts.reset();
        StationDataTest::TearDown();
    }
    std::optional<CheckTexts> m_texts;
};
QV_BOTH_LOCALES(SettingsChecks);

TEST_P(SettingsChecks, NothingToFind)
{
    for (int16_t action : {ActRead, ActWrite}) {
        const SettingsFindings f = CheckSettings(quietStation(action));
        EXPECT_EQ(f.actionMessage2, QString()) << action;
        EXPECT_EQ(f.actionMessage, QString()) << action;
        EXPECT_FALSE(f.writeRefused);
        EXPECT_EQ(f.capacityMax, 1000);
    }
}

// The findings about the station as read, each with the text it shows.
TEST_P(SettingsChecks, StationFindings)
{
    struct Case
    {
        const char* what;
        std::function<void(SettingsCheckInput&)> change;
        QString expected; // after the heading
    };
    const Case cases[] = {
        {"code number above 255 on old firmware",
         [](SettingsCheckInput& in) {
             in.modelFlag = false;
             in.software = QStringLiteral("450");
             in.codeRead = QStringLiteral("300");
         },
         QStringLiteral("CN > 255 NP")},
        {"firmware older than the newest known",
         [](SettingsCheckInput& in) {
             in.lastFwVersionA = 600;
             in.software = QStringLiteral("550");
         },
         QStringLiteral("SW < 559")},
        {"firmware and code number both shown",
         [](SettingsCheckInput& in) {
             in.software = QStringLiteral("450");
             in.codeRead = QStringLiteral("300");
         },
         QStringLiteral("SW < 559\r\nCN > 255 NP")},
        {"the code-number range joins them",
         [](SettingsCheckInput& in) {
             in.codeRangeRead = QStringLiteral("RANGE 1 - 127");
             in.software = QStringLiteral("550");
         },
         QStringLiteral("RANGE 1 - 127\r\nSW < 559")},
        {"VEKU unit without auto send in a control mode",
         [](SettingsCheckInput& in) { in.hardware = QStringLiteral("VEKU 2"); },
         QStringLiteral("NO AUTO SEND")},
        {"non-VEKU unit in the read-out mode",
         [](SettingsCheckInput& in) { in.modeRead = QStringLiteral("Readout"); },
         QStringLiteral("NO INTERFACE")},
        {"ZOK boards take the punch-timing limit",
         [](SettingsCheckInput& in) {
             in.modelId = 0x8A;
             in.punchTimingVisible = true;
             in.software = QStringLiteral("299");
         },
         QStringLiteral("SW < 300")},
    };
    for (const Case& k : cases) {
        SettingsCheckInput in = quietStation(ActRead);
        k.change(in);
        EXPECT_EQ(CheckSettings(in).actionMessage2, kHeading + k.expected) << k.what;
    }
    // Without a version check the firmware limit of the newer board is 0: no finding.
    SettingsCheckInput in = quietStation(ActRead);
    in.lastFwVersionA = 0;
    in.software = QStringLiteral("100");
    EXPECT_EQ(CheckSettings(in).actionMessage2, QString());
    // In a Write the mode and the code number to write are checked.
    in = quietStation(ActWrite);
    in.modelFlag = false;
    in.modelSubByte = 1;
    in.software = QStringLiteral("450");
    in.codeRead = QStringLiteral("300");
    in.codeWrite = QStringLiteral("31");
    in.workTimeWrite = QStringLiteral("05:00:00");
    EXPECT_EQ(CheckSettings(in).actionMessage2, QString());
}

TEST_P(SettingsChecks, HeadingOfText1855)
{
    EXPECT_EQ(FindingsHeading(QStringLiteral("Warning, check")), QStringLiteral("Warning"));
    EXPECT_EQ(FindingsHeading(QStringLiteral("Attention please")), QStringLiteral("Attentio"));
    EXPECT_EQ(FindingsHeading(QStringLiteral(",abcdefghij")), QStringLiteral(",abcdefg"));
}

// The findings about the values to write: which ask, which refuse.
TEST_P(SettingsChecks, WriteFindings)
{
    struct Case
    {
        const char* what;
        std::function<void(SettingsCheckInput&)> change;
        QString message;
        bool refused;
        bool rtc;
    };
    const Case cases[] = {
        {"battery only asks", [](SettingsCheckInput& in) { in.battCapacity = 1500; }, QStringLiteral("BATT?"),
         false, false},
        {"clock option only asks",
         [](SettingsCheckInput& in) {
             in.rtcWrite = 1;
             in.modelSubByte = 0;
         },
         QStringLiteral("RTC "), false, true},
        {"two option findings refuse",
         [](SettingsCheckInput& in) {
             in.modelFlag = false;
             in.sprint4msWrite = 1;
             in.extProtWrite = 1;
             in.workTimeWrite = QStringLiteral("05:00:00");
         },
         QStringLiteral("SPRINT EXTPROT "), true, false},
        {"code number out of range refuses",
         [](SettingsCheckInput& in) { in.codeRangeWrite = QStringLiteral("RANGE 1 - 127"); },
         QStringLiteral("RANGE 1 - 127"), true, false},
        {"auto read in the read-out mode",
         [](SettingsCheckInput& in) {
             in.autoReadCardsWrite = 1;
             in.modeCode = 5;
             in.modeChoice = QStringLiteral("Readout");
             in.hardware = QStringLiteral("VEKU");
         },
         QStringLiteral("AUTOREAD "), true, false},
        {"backup control outside read-out", [](SettingsCheckInput& in) { in.backupCtrlWrite = 1; },
         QStringLiteral("BACKUP "), true, false},
        {"192 punches on old firmware",
         [](SettingsCheckInput& in) {
             in.card6mit192Write = 1;
             in.firmware = 550;
         },
         QStringLiteral(" Card 192 FW551 "), true, false},
        {"mode not among the supported ones",
         [](SettingsCheckInput& in) {
             in.configBitsText = QStringLiteral("11100000000000000000000000000000");
             in.modeChoice = QStringLiteral("Finish");
             in.modeCode = 4;
         },
         QStringLiteral("Finish UNSUPPORTED "), true, false},
        {"short work time on an old board",
         [](SettingsCheckInput& in) {
             in.modelFlag = false;
             in.workTimeWrite = QStringLiteral("01:00:00");
         },
         QStringLiteral("WT < 04:00:00 h, GO ON?"), false, false},
        {"short work time before the battery question",
         [](SettingsCheckInput& in) {
             in.modelFlag = false;
             in.modelVariant = 4;
             in.battCapacity = 500;
             in.workTimeWrite = QStringLiteral("01:00:00");
         },
         QStringLiteral("WT < 04:00:00 h, BATT?"), false, false},
    };
    for (const Case& k : cases) {
        SettingsCheckInput in = quietStation(ActWrite);
        k.change(in);
        const SettingsFindings f = CheckSettings(in);
        EXPECT_EQ(f.actionMessage, k.message) << k.what;
        EXPECT_EQ(f.writeRefused, k.refused) << k.what;
        EXPECT_EQ(f.rtcWarning, k.rtc) << k.what;
    }
}

TEST_P(SettingsChecks, DefaultSettingsChoice)
{
    struct Case
    {
        const char* what;
        std::function<void(DefaultSettingsInput&)> change;
        uint8_t mode;
        QString code, walk, autoSend, extProt;
        bool refused;
    };
    const Case cases[] = {
        {"mode name from the file, blanks around it",
         [](DefaultSettingsInput& in) { in.current.mode = QStringLiteral("  Finish "); }, 4,
         QStringLiteral("31"), QStringLiteral("01:00:00"), QString(), QString(), false},
        {"unknown name: Control", [](DefaultSettingsInput& in) { in.current.mode = QStringLiteral("x"); }, 2,
         QStringLiteral("31"), QStringLiteral("01:00:00"), QString(), QString(), false},
        {"printer option: printout", [](DefaultSettingsInput& in) { in.optP = 1; }, 11, QStringLiteral("30"),
         QStringLiteral("01:00:00"), QStringLiteral("Auto send"), QStringLiteral("Ext. protocol"), false},
        {"S option", [](DefaultSettingsInput& in) { in.optS = 1; }, 13, QStringLiteral("15"),
         QStringLiteral("01:00:00"), QStringLiteral("Auto send"), QString(), false},
        {"action option: read-out", [](DefaultSettingsInput& in) { in.optAction = 1; }, 5,
         QStringLiteral("15"), QStringLiteral("01:00:00"), QString(), QString(), false},
        {"older board refused, four hours", [](DefaultSettingsInput& in) { in.modelFlag = false; }, 2,
         QStringLiteral("31"), QStringLiteral("04:00:00"), QString(), QString(), true},
        {"model 0x9A refused", [](DefaultSettingsInput& in) { in.modelId = 0x9A; }, 2, QStringLiteral("31"),
         QStringLiteral("01:00:00"), QString(), QString(), true},
    };
    for (const Case& k : cases) {
        DefaultSettingsInput in;
        in.modelFlag = true;
        in.modelId = 0x97;
        in.current.mode = QStringLiteral("Control");
        in.current.codeNumber = QStringLiteral("31");
        in.current.walkingTime = QStringLiteral("01:00:00");
        in.modeNames = modeNames();
        in.modeTextReadout = QStringLiteral("Readout");
        in.modeTextPrintout = QStringLiteral("Printout");
        in.modeTextStartTrig = QStringLiteral("Start trig");
        in.modeTextFinishTrig = QStringLiteral("Finish trig");
        in.autoSendCaption = QStringLiteral("Auto send");
        in.extProtCaption = QStringLiteral("Ext. protocol");
        k.change(in);
        const DefaultSettings d = ChooseDefaultSettings(in);
        EXPECT_EQ(d.modeNumber, k.mode) << k.what;
        EXPECT_EQ(d.mode, in.modeNames[k.mode]) << k.what;
        EXPECT_EQ(d.codeNumber, k.code) << k.what;
        EXPECT_EQ(d.walkingTime, k.walk) << k.what;
        EXPECT_EQ(d.autoSendText, k.autoSend) << k.what;
        EXPECT_EQ(d.extProtText, k.extProt) << k.what;
        EXPECT_EQ(d.refused, k.refused) << k.what;
    }
}

TEST_P(SettingsChecks, DefaultsQuestionText)
{
    DefaultSettings d;
    d.mode = QStringLiteral("Printout");
    d.codeNumber = QStringLiteral("30");
    d.walkingTime = QStringLiteral("01:00:00");
    d.autoSendText = QStringLiteral("Auto send");
    d.extProtText = QStringLiteral("Ext. protocol");
    EXPECT_EQ(DefaultsQuestion(d, QStringLiteral("Mode"), QStringLiteral("CN"), QStringLiteral("WT")),
              QStringLiteral(
                  "DEFAULTS?\r\n\r\nMode=Printout\r\nCN=30\r\nWT=01:00:00\r\nAuto send, Ext. protocol\r"));
    d.autoSendText.clear();
    d.extProtText.clear();
    EXPECT_TRUE(DefaultsQuestion(d, QStringLiteral("Mode"), QStringLiteral("CN"), QStringLiteral("WT"))
                    .endsWith(QStringLiteral("WT=01:00:00\r\n\r")));
}

// The records a Write or Set defaults would clear, from the backup pointer the system data report.
TEST_P(SettingsChecks, BackupRecordsTheClearingLoses)
{
    struct Case
    {
        const char* what;
        int64_t pointer;
        bool full;
        bool readout;
        std::optional<int64_t> records;
    };
    const Case cases[] = {
        {"not read in this operation", -1, false, false, std::nullopt},
        {"empty", 256, false, false, 0},
        {"300 punches of 8 bytes", 256 + 300 * 8, false, false, 300},
        {"a full ring of 64 KB", 256 + 100 * 8, true, false, 65536 / 8},
        {"3 cards on a read-out station", 256 + 3 * 128, false, true, 3},
    };
    for (const Case& k : cases) {
        SettingsCheckInput in = quietStation(ActWrite);
        in.backupPointer = k.pointer;
        in.backupFull = k.full;
        in.memorySize = 65536;
        in.extProtRead = 1;
        in.modeTextReadout = QStringLiteral("Readout");
        in.modeRead = k.readout ? in.modeTextReadout : QStringLiteral("Control");
        EXPECT_EQ(BackupRecordsHeld(in), k.records) << k.what;
        for (int16_t action : {ActWrite, ActSetDefaults, ActRead}) {
            in.actionCode = action;
            const bool told = action != ActRead && k.records.value_or(0) > 0;
            EXPECT_EQ(CheckSettings(in).backupClearNote,
                      told ? QStringLiteral("CLEARS %1").arg(*k.records) : QString())
                << k.what << " " << action;
        }
    }
}
