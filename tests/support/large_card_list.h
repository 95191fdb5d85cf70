// A large, realistic card-list file for the speed and memory benchmarks and the window tests: many
// different cards (numbers, names, read-out times, up to 64 punches each) in the default column set, written
// by the program's own list writer with the default separator and no text qualifier.
#pragma once
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_file_write.h"
#include "cards/cardlist_model.h"
#include "cards/cardlist_rows.h"
#include "cards/cardlist_state.h"
#include "stationdata/station_data.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <tuple>

namespace qv::test {

// The punches of the largest card: with them the default columns and 64 per-punch groups make 221 columns.
inline constexpr int kLargeListPunches = 64;

// Card `n` of the generated list: different numbers, owners, times and punch counts from card to card, the
// first card with the most punches (so the list has all its columns from its first row on).
inline CardRecord largeListCard(int n)
{
    static const char* const firstNames[] = {"Anna",  "Jonas", "Marie", "Lukas", "Sofie", "Björn",
                                             "Chloé", "Mateo", "Zoë",   "Ida",   "Noah",  "Léa"};
    static const char* const lastNames[] = {"Müller", "Schmidt", "Öberg",  "Dubois", "Rossi",   "Novák",
                                            "Hansen", "García",  "Larsen", "Weber",  "Nielsen", "Šimek"};
    static const char* const clubs[] = {"OK Nordwald",    "SC Bergen", "Lauftreff Süd",
                                        "Club de Course", "IFK Skog",  "TV Ost"};
    static const char* const countries[] = {"GER", "SWE", "FRA", "ITA", "CZE", "NOR", "ESP", "DEN"};
    static const char* const days[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
    // A small pseudo-random sequence per card, its start mixed from the card's number: the same list on
    // every run, with neighbouring cards unlike each other.
    uint32_t seed = uint32_t(n + 1) * 0x9E3779B9u;
    seed = (seed ^ (seed >> 16)) * 0x85EBCA6Bu;
    seed = (seed ^ (seed >> 13)) * 0xC2B2AE35u;
    seed ^= seed >> 16;
    const auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % uint32_t(range));
    };
    const auto clock = [](int seconds) {
        return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600 % 24, 2, 10, QLatin1Char('0'))
            .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    };

    CardRecord card;
    card.CardNo = QString::number(n % 3 == 0 ? 7000000 + 37 * n : 200000 + 11 * n);
    const int readAt = 36000 + 3 * n;
    card.ReadAt = QStringLiteral("15.06.2024 ") + clock(readAt);
    card.Owner106 = QString::fromUtf8(firstNames[next(12)]);
    card.Owner107 = QString::fromUtf8(lastNames[next(12)]);
    card.Owner108 = QString::fromUtf8(clubs[next(6)]);
    card.Owner109 = QString::fromLatin1(countries[next(8)]);
    card.Owner110 = next(2) == 0 ? QStringLiteral("F") : QStringLiteral("M");
    card.Owner111 = QString::number(1950 + next(60));
    const QString day = QString::fromLatin1(days[(n / 5000) % 7]);
    const int start = 32400 + 30 * (n % 600);
    card.ClearCN = QStringLiteral("1");
    card.ClearDay = day;
    card.ClearTime = clock(start - 900 - next(600));
    card.CheckCN = QStringLiteral("2");
    card.CheckDay = day;
    card.CheckTime = clock(start - 300 - next(300));
    card.StartCN = QStringLiteral("10");
    card.StartDay = day;
    // Some stations give the start to the thousandth.
    card.StartTime = next(4) == 0
                         ? clock(start) + QStringLiteral(",%1").arg(next(1000), 3, 10, QLatin1Char('0'))
                         : clock(start);
    const int punches = n == 0 ? kLargeListPunches : 40 + next(kLargeListPunches - 39);
    card.PunchCount = QString::number(punches);
    int t = start;
    for (int i = 1; i <= punches; ++i) {
        t += 40 + next(400);
        card.Punches[i] = {QString::number(31 + next(220)), day, clock(t)};
    }
    card.FinishCN = QStringLiteral("20");
    card.FinishDay = day;
    card.FinishTime = clock(t + 20 + next(60));
    return card;
}

// Writes the generated list of `cards` cards to `path` as the card-list writer writes the card list window:
// header line, one line per card, CR LF between lines, the default separator and no text qualifier (the
// separator choices are left so). Rows are built one at a time, so making the file takes no more memory than
// its text; the program-wide state the row builder and the writer change is put back. True when the whole
// file was written.
inline bool writeLargeCardListFile(const QString& path, int cards)
{
    const auto kept =
        std::make_tuple(gCardCount, gCardListChanged, gCardComplete, gWarnPunchCap, gPunchColumnCount,
                        gPunchCountColumn, gCardsFormWidth, gStartTimeColumn, gFinishTimeColumn, gListFields);
    gSeparatorType = kSeparatorSemicolon;
    gTextQualifier = 0;
    gCardCount = 0;
    CardListTable list;
    appendDefaultColumns(list);
    QString text;
    bool built = true;
    for (int n = 0; n < cards && built; ++n) {
        list.clearRows();
        addCardListRow(list, largeListCard(n));
        // The writer's text of a one-row list: the header line, CR LF, the row's line.
        const QString one = buildCardListText(list).value_or(QString());
        const qsizetype lineBreak = one.indexOf(QStringLiteral("\r\n"));
        built = lineBreak >= 0;
        if (n == 0)
            text += one.left(lineBreak);
        text += QStringView(one).mid(lineBreak);
    }
    std::tie(gCardCount, gCardListChanged, gCardComplete, gWarnPunchCap, gPunchColumnCount, gPunchCountColumn,
             gCardsFormWidth, gStartTimeColumn, gFinishTimeColumn, gListFields) = kept;
    QFile file(path);
    const QByteArray bytes = cardListFileBytes(text);
    return built && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace qv::test
