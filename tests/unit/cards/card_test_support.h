// Card blocks built byte by byte, and a fixture that pins a locale and resets the card interpreter's state.
#pragma once
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "cards/card_steps.h"
#include "link/card_list_window.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/codepage.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "support/test_support.h"
#include "ui/main/program_state.h"

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <gtest/gtest.h>
#include <initializer_list>
#include <map>
#include <memory>
#include <ostream>
#include <vector>

// Readable punches in failure messages.
namespace qv {
inline void PrintTo(const PunchEntry& p, std::ostream* os)
{
    *os << "{" << p.CN.toStdString() << " | " << p.Day.toStdString() << " | " << p.Time.toStdString() << "}";
}
} // namespace qv

namespace qv::test {

// A card-memory block, unwritten (0xEE) unless told otherwise.
class CardBlock
{
  public:
    explicit CardBlock(int fill = 0xEE, int size = 128) : m_bytes(size, char(fill)) {}

    CardBlock& set(int offset, std::initializer_list<int> values)
    {
        for (int v : values)
            m_bytes[offset++] = char(v);
        return *this;
    }
    CardBlock& text(int offset, const QByteArray& chars)
    {
        for (char c : chars)
            m_bytes[offset++] = c;
        return *this;
    }
    // A 4-byte punch record [TD, CN, TH, TL] for code number cn (up to 1023) at
    // `seconds` since midnight, on weekday slot `day`.
    CardBlock& punch(int offset, int cn, int seconds, int day = 1)
    {
        const int td =
            (cn & 0x200 ? 0x80 : 0) | (cn & 0x100 ? 0x40 : 0) | (day << 1) | (seconds >= 43200 ? 1 : 0);
        const int s = seconds % 43200;
        return set(offset, {td, cn & 0xFF, s >> 8, s & 0xFF});
    }
    QByteArray bytes() const { return m_bytes; }
    operator QByteArray() const { return m_bytes; }

  private:
    QByteArray m_bytes;
};

inline QString hms(int seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// A date in the user's short date form.
inline QString shortDate(int y, int m, int d)
{
    return Format(QDate(y, m, d), QStringLiteral("Short Date"));
}

// Runs every test in a German and an English locale (with the weekday names of
// that language), from a clean interpreter state, and collects the card rows
// that the interpreter hands to the card list.
class CardTest : public ::testing::TestWithParam<const char*>
{
  protected:
    void SetUp() override
    {
        m_locale = std::make_unique<ScopedLocale>(QString::fromLatin1(GetParam()));
        resetState();
        german = QLocale().language() == QLocale::German;
        gWeekdayNames = german ? QStringLiteral("Sonntag   Montag    Dienstag  Mittwoch  Donnerstag"
                                                "Freitag   Samstag   ")
                               : QStringLiteral("Sunday    Monday    Tuesday   Wednesday Thursday  "
                                                "Friday    Saturday  ");
        m_previousSide = CardListWindowSide::installed() ? &cardListWindow() : nullptr;
        CardListWindowSide::install(&m_rowSink);
    }
    void TearDown() override
    {
        CardListWindowSide::install(m_previousSide);
        resetState();
        m_locale.reset();
    }

    static void resetState() { resetProgramState(); }

    // Weekday text of slot w as the card list shows it (two characters).
    QString day(int w) const { return gWeekdayNames.mid(w * 10, 2); }
    QString decimalPoint() const { return QLocale().decimalPoint(); }

    // Reads a card as the readout station's block requests do: block 0 first,
    // then whatever gNextBlockNo names, until the card is complete.
    std::vector<int> readCard(uint8_t code, const std::map<int, QByteArray>& blocks)
    {
        std::vector<int> order;
        gCardType = code;
        int block = 0;
        for (int step = 0; step < 16; ++step) {
            order.push_back(block);
            const auto it = blocks.find(block);
            DecodeCardData(code, uint8_t(block), it == blocks.end() ? CardBlock().bytes() : it->second);
            if (gCardComplete)
                break;
            block = gNextBlockNo;
        }
        return order;
    }

    bool german = false;
    std::vector<CardRecord> rows;

  private:
    // Takes the card rows in place of the card list window.
    class RowSink final : public CardListWindow
    {
      public:
        explicit RowSink(std::vector<CardRecord>& rows) : m_rows(rows) {}
        void addCardRow() override { m_rows.push_back(gCardRecord); }

      private:
        std::vector<CardRecord>& m_rows;
    };
    RowSink m_rowSink{rows};
    CardListWindow* m_previousSide = nullptr;

  private:
    std::unique_ptr<ScopedLocale> m_locale;
};

#define QV_CARD_LOCALES(Suite) INSTANTIATE_TEST_SUITE_P(Locales, Suite, ::testing::Values("de_DE", "en_US"))

} // namespace qv::test
