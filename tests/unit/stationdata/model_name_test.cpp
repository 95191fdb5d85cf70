// The station model name: fixed texts, computed names with option tags, interface words, the KUV rule,
// "????".
#include "link/link_globals.h"
#include "stationdata/model_name.h"
#include "stationdata_test_support.h"

using namespace qv;
using namespace qv::test;

namespace {

class ModelName : public StationDataTest
{
};
QV_BOTH_LOCALES(ModelName);

struct NameCase
{
    int s, f, memKb, firmware, modelId, iface;
    bool flagOnEntry;
    const char* text;
    bool flagAfter;
    bool stationFunctions;
};

TEST_P(ModelName, TextsOfEveryBranch)
{
    const NameCase cases[] = {
        // Fixed texts.
        {0x8A, 0, 0, 0, 0, 0, false, "VEKR JOX reader QV-GOLF", false, false},
        {0x8B, 0, 0, 0, 0, 0, true, "VEKR JOX reader Quarvelink", true, false},
        {0x9A, 0, 0, 329, 0, 0, false, "VEKT  large", false, true},
        {0x9A, 0, 0, 330, 0, 0, false, "VEKT", false, true},
        {0x9B, 0, 0, 329, 0, 0, false, "VEKT small", false, true},
        {0xF1, 0, 0, 0, 0, 0, false, "QV-Point", false, true},
        {0x9D, 0, 0, 0, 0, 0, false, "QVGSM, KUV", false, true},
        // Computed names, older boards: variant digits and tags.
        {0x80, 0x00, 32, 0, 0, 0, false, "VEKO0", false, true}, // 0x80 is not above 0x80
        {0x81, 0x01, 128, 0, 0, 0, false, "VEKU1 RTC-5", false, true},
        {0x43, 0x21, 128, 0, 0, 0, false, "VEKO3 RTC BVT-P", false, true}, // -P, never -5 with it
        {0x84, 0x04, 0, 0, 0, 0, false, "VEKU4-S", false, true},
        {0x82, 0x03, 0, 0, 0, 0, false, "VEKU2 RTC RFMOD", false, true},
        {0x86, 0x18, 64, 0, 0, 0, false, "VEKU6-5 RSPOW ACTION", false, true},
        {0x46, 0x01, 0, 0, 0, 0, false, "VEKO6", false, true}, // no RTC or BVT beyond variant 4
        // Newer boards: family text without digits, interface words.
        {0x85, 0x18, 128, 0, 0, 0x36, false, "VEKU UART0(USB) & 1(USB)", true, true},
        {0x85, 0x08, 128, 0, 0, 0x00, false, "VEKU UART0", true, true},
        {0x8F, 0x10, 0, 0, 0, 0x08, false, "VEKU UART1(RS232)", true, true},
        {0x87, 0x00, 128, 0, 0, 0, false, "VEKO", true, true},
        {0x02, 0x01, 0, 0, 0xF1, 0, false, "VEKO RTC", true, true}, // board byte 0xF1
        {0x42, 0x00, 0, 0, 0xF1, 0, false, "VEKO RTC BVT", true, true},
        {0x87, 0x81, 0, 0, 0, 0, false, "VEKO Pomtrel", true, true},
        {0x88, 0x81, 0, 0, 0, 0, true, "VEKO Pomtrel", true, true},
        // The prefix depends on the flag as it stood before.
        {0x87, 0x00, 0, 0, 0, 0, true, "????VEKO", true, true},
        {0x03, 0x00, 0, 0, 0, 0, true, "????VEKO3", false, true},
        {0x96, 0x00, 0, 0, 0, 0, true, "VEKU6", false, true}, // a known type: no prefix
        // The short-range radio: all four conditions at once.
        {0x98, 0x91, 0, 0, 0, 0x08, true, "VEKO UART1(KUV)", true, true},
        {0x98, 0x91, 0, 0, 0, 0x30, true, "VEKU UART1(USB)", true, false},
        {0x98, 0x91, 0, 0, 0, 0x08, false, "VEKO UART1(KUV)", true, true},
        {0x98, 0x90, 0, 0, 0, 0x08, true, "VEKU UART1(RS232)", true, true},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "S " << c.s << " F " << c.f);
        const ModelIdentity id{int16_t(c.s),        int16_t(c.f),       int16_t(c.memKb),
                               int16_t(c.firmware), uint8_t(c.modelId), int16_t(c.iface)};
        const ModelNameResult r = DecideModelName(id, c.flagOnEntry, ModelOptions{});
        EXPECT_EQ(r.text, QString::fromLatin1(c.text));
        EXPECT_EQ(r.modelFlag, c.flagAfter);
        EXPECT_EQ(r.stationFunctions, c.stationFunctions);
        EXPECT_EQ(r.modelCode, c.s);
        EXPECT_EQ(r.memorySize, int64_t(c.memKb) * 1024);
    }
}

TEST_P(ModelName, InterfaceWords)
{
    const struct
    {
        int iface;
        uint8_t port;
        const char* word;
    } cases[] = {{0x00, 0, ""},        {0x06, 0, "(USB)"},  {0x01, 0, "(RS232)"}, {0x07, 0, "(RS232)"},
                 {0xC6, 0, "(USB)"},   {0x30, 1, "(USB)"},  {0x08, 1, "(RS232)"}, {0x06, 1, ""},
                 {0x38, 5, "(RS232)"}, {0x3F, 0, "(RS232)"}};
    for (const auto& c : cases)
        EXPECT_EQ(InterfaceWord(int16_t(c.iface), c.port), QString::fromLatin1(c.word))
            << c.iface << ' ' << int(c.port);
}

TEST_P(ModelName, FixedTextsKeepTheFamilyOptions)
{
    const ModelOptions previous{1, 1, 0, 1, 0, 1};
    const ModelNameResult r = DecideModelName({0xF1, 0x3F, 16, 0, 0, 0}, false, previous);
    EXPECT_EQ(r.modelVariant, 0);
    EXPECT_EQ(r.options.optP, 1);
    EXPECT_EQ(r.options.optRspow, 0);
    EXPECT_EQ(r.options.modelSubByte, 1);
    EXPECT_EQ(r.optBvt, 1); // bit 6 of 0xF1 is still taken
    EXPECT_TRUE(r.forceDirect);
    EXPECT_FALSE(r.zokDevice);
    EXPECT_EQ(r.memorySize, 16 * 1024);

    const ModelNameResult reader = DecideModelName({0x8A, 0, 0, 0, 0, 0}, false, previous);
    EXPECT_TRUE(reader.zokDevice);
    EXPECT_TRUE(reader.setAltDevice);
    EXPECT_FALSE(reader.forceDirect);
}

TEST_P(ModelName, ComputedNameSetsEveryOptionByte)
{
    const ModelNameResult r = DecideModelName({0xC3, 0x3F, 0, 0, 0, 0}, false, ModelOptions{});
    EXPECT_EQ(r.modelVariant, 3);
    EXPECT_TRUE(r.subTypeAbove80);
    EXPECT_EQ(r.optBvt, 1);
    EXPECT_EQ(r.options.optP, 1);
    EXPECT_EQ(r.options.optAction, 1);
    EXPECT_EQ(r.options.optRspow, 1);
    EXPECT_EQ(r.options.optS, 1);
    EXPECT_EQ(r.options.optRfmod, 1);
    EXPECT_EQ(r.options.modelSubByte, 1);
    EXPECT_FALSE(r.consumptionHashes);
    EXPECT_EQ(r.text, QStringLiteral("VEKU3 BVT-P-S RFMOD RSPOW ACTION"));
    // A newer board shows "######" for the consumption.
    EXPECT_TRUE(DecideModelName({0x85, 0, 0, 0, 0, 0}, false, ModelOptions{}).consumptionHashes);
}

TEST_P(ModelName, BuildModelNameStoresTheDerivedValues)
{
    gProductType = 0x9D;
    gMemoryKb = 2;
    gOptP = 1;
    gModelFlag = true;
    gZokDevice = true;
    EXPECT_EQ(BuildModelNameView().text, QStringLiteral("QVGSM, KUV"));
    EXPECT_EQ(gConnMode, ConnDirect);
    EXPECT_FALSE(gZokDevice);
    EXPECT_TRUE(gModelFlag); // unchanged by a fixed text
    EXPECT_EQ(gOptP, 1);
    EXPECT_EQ(gMemorySize, 2048);
    EXPECT_EQ(gModelCode, 0x9D);
    EXPECT_TRUE(gStationFunctions);

    // The next read recomputes the flag; the prefix follows the flag left by the call before.
    gProductType = 0x03;
    gProductFamily = 0x01;
    EXPECT_EQ(BuildModelNameView().text, QStringLiteral("????VEKO3 RTC"));
    EXPECT_FALSE(gModelFlag);
    EXPECT_EQ(BuildModelNameView().text, QStringLiteral("VEKO3 RTC"));
    EXPECT_EQ(gModelSubByte, 1);
    EXPECT_EQ(gOptP, 0);
    EXPECT_EQ(gModelVariant, 3);

    gProductType = 0x8B;
    EXPECT_EQ(BuildModelNameView().text, QStringLiteral("VEKR JOX reader Quarvelink"));
    EXPECT_TRUE(gZokDevice);
    EXPECT_FALSE(gStationFunctions);
}

} // namespace
