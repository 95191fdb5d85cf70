// Shared fixture of the station-data tests: program-wide values reset, a fixed clock, both locales.
#pragma once
#include "app/language.h"
#include "app/settings.h"
#include "platform/runtime/clock.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "support/test_support.h"
#include "ui/main/program_state.h"

#include <QByteArray>
#include <QDateTime>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <utility>

#include <ostream>

namespace qv::test {

// Every program-wide value back at its start value, with the mode names and the receive frame the decoders'
// tests expect.
inline void resetStationData()
{
    resetProgramState();
    gRxFrame.clear();
    gModeTextReadout = QStringLiteral("Readout");
    gModeTextBcControl = QStringLiteral("Beacon control");
    gModeTextBcStart = QStringLiteral("Beacon start");
    gModeTextBcFinish = QStringLiteral("Beacon finish");
    gModeTextBcFinish2 = QStringLiteral("Beacon finish 2");
}

// Runs each test in the locale named by the parameter, with the station data
// reset and the clock standing at a fixed moment (Wednesday 9 December 2026,
// 08:42:17.400) unless the test moves it.
class StationDataTest : public ::testing::TestWithParam<const char*>
{
  protected:
    void SetUp() override
    {
        resetStationData();
        m_locale = std::make_unique<ScopedLocale>(QString::fromLatin1(GetParam()));
        m_clockInUse = std::make_unique<ScopedClock>(m_clock);
        setClock(QDateTime(QDate(2026, 12, 9), QTime(8, 42, 17, 400)));
    }
    void TearDown() override
    {
        resetStationData();
        m_clockInUse.reset();
        m_locale.reset();
    }
    void setClock(const QDateTime& at)
    {
        m_now = at;
        m_clock.set(at);
    }
    bool german() const { return QLatin1String(GetParam()) == QLatin1String("de_DE"); }
    // The same text in the German or the English locale.
    QString byLocale(const char* de, const char* en) const { return QString::fromUtf8(german() ? de : en); }

    QDateTime m_now;
    FakeClock m_clock;

  private:
    std::unique_ptr<ScopedLocale> m_locale;
    std::unique_ptr<ScopedClock> m_clockInUse;
};

// A small language file with the texts the decoders look up, loaded for the
// lifetime of the object.
class ScopedLanguageTexts
{
  public:
    ScopedLanguageTexts()
    {
        const QString xml = QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<Config>
  <Languages><DEU>Deutsch</DEU><ENU>English</ENU></Languages>
  <WithoutForm>
    <s1250>Normal</s1250><s1253>Protocol</s1253><s1254>Bit4</s1254><s1255>Extended</s1255>
    <s1256>Bit6</s1256><s1257>Bit7</s1257><s1258>Over</s1258>
    <s1302>Control</s1302><s1305>Readout</s1305><s1311>Printout</s1311><s1319>Beacon start</s1319>
  </WithoutForm>
  <frmMain>
    <Label>
      <lblConsumptionDes Index="0"><Caption>used</Caption></lblConsumptionDes>
      <lblConsumptionDes Index="1"><Caption>after the work time</Caption></lblConsumptionDes>
    </Label>
  </frmMain>
</Config>)");
        gXmlDoc.setContent(xml);
    }
    ~ScopedLanguageTexts() { gXmlDoc.clear(); }
    ScopedLanguageTexts(const ScopedLanguageTexts&) = delete;
    ScopedLanguageTexts& operator=(const ScopedLanguageTexts&) = delete;
};

// A block held as a write-back request: command and address, then `size`
// data bytes of 0, with the given data bytes (offset, value) set.
inline QByteArray requestBlock(int size, std::initializer_list<std::pair<int, int>> data)
{
    QByteArray b(2 + size, '\0');
    b[0] = char(0x82);
    for (const auto& [offset, value] : data)
        b[2 + offset] = char(value);
    return b;
}

} // namespace qv::test

#define QV_BOTH_LOCALES(suite) INSTANTIATE_TEST_SUITE_P(Locales, suite, ::testing::Values("de_DE", "en_US"))
