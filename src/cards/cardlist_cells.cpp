// The cells of a card's row: what each column key shows of the card record.
#include "cards/card_record.h"
#include "cards/cardlist_keys.h"
#include "platform/runtime/numbers.h"

#include <QHash>

namespace qv {

namespace {

enum class Special { None, RunningNumber, TimeWithBlank, Empty };

struct KeyMeaning
{
    QString CardRecord::*member = nullptr;
    Special special = Special::None;
};

// The ordinary keys: one member of the card record each.
const QHash<QString, KeyMeaning>& vocabulary()
{
    static const QHash<QString, KeyMeaning> table = [] {
        QHash<QString, KeyMeaning> t;
        t.insert(QStringLiteral("N101000"), {nullptr, Special::RunningNumber});
        const std::pair<const char*, QString CardRecord::*> members[] = {
            {"N102000", &CardRecord::ReadAt},       {"N103000", &CardRecord::CardNo},
            {"N104000", &CardRecord::CardExtraNo},  {"N105000", &CardRecord::Owner105},
            {"N106000", &CardRecord::Owner106},     {"N107000", &CardRecord::Owner107},
            {"N108000", &CardRecord::Owner108},     {"N109000", &CardRecord::Owner109},
            {"N110000", &CardRecord::Owner110},     {"N111000", &CardRecord::Owner111},
            {"N112000", &CardRecord::Owner112},     {"N113000", &CardRecord::Owner113},
            {"N114000", &CardRecord::Owner114},     {"N115000", &CardRecord::Owner115},
            {"N116000", &CardRecord::Owner116},     {"N121000", &CardRecord::ClearCN},
            {"N122000", &CardRecord::ClearDay},     {"N123000", &CardRecord::ClearTime},
            {"N124000", &CardRecord::CheckCN},      {"N125000", &CardRecord::CheckDay},
            {"N126000", &CardRecord::CheckTime},    {"N127000", &CardRecord::StartCN},
            {"N128000", &CardRecord::StartDay},     {"N130000", &CardRecord::FinishCN},
            {"N131000", &CardRecord::FinishDay},    {"N133000", &CardRecord::PunchCount},
            {"N133002", &CardRecord::PunchCount},   {"N144000", &CardRecord::AuxCN1},
            {"N145000", &CardRecord::AuxDay1},      {"N146000", &CardRecord::AuxTime1},
            {"N147000", &CardRecord::AuxCN2},       {"N148000", &CardRecord::AuxDay2},
            {"N149000", &CardRecord::AuxTime2},     {"N150000", &CardRecord::AuxCN3},
            {"N151000", &CardRecord::AuxDay3},      {"N152000", &CardRecord::AuxTime3},
            {"N153000", &CardRecord::Hardware},     {"N154000", &CardRecord::Software},
            {"N155000", &CardRecord::CardDate},     {"N156000", &CardRecord::BattDate},
            {"N157000", &CardRecord::Volt},         {"N158000", &CardRecord::InfoByte},
            {"N159000", &CardRecord::DeletedCount}, {"N160000", &CardRecord::HexData1},
            {"N161000", &CardRecord::HexData2},
        };
        for (const auto& [key, member] : members)
            t.insert(QString::fromLatin1(key), {member, Special::None});
        t.insert(QStringLiteral("N129000"), {&CardRecord::StartTime, Special::TimeWithBlank});
        t.insert(QStringLiteral("N132000"), {&CardRecord::FinishTime, Special::TimeWithBlank});
        // The punch view's station columns show nothing of a card.
        for (int n = 134; n <= 140; ++n)
            t.insert(QLatin1Char('N') + QString::number(n) + QStringLiteral("000"),
                     {nullptr, Special::Empty});
        return t;
    }();
    return table;
}

} // namespace

CardListKey resolveCardListKey(const QString& key)
{
    CardListKey resolved;
    const QString k = normalizeColumnKey(key);
    const auto found = vocabulary().constFind(k);
    if (found != vocabulary().constEnd()) {
        resolved.ordinary = true;
        resolved.member = found->member;
        resolved.special = int(found->special);
        return resolved;
    }
    // Any other key: its last three characters may name a punch.
    resolved.punch = leadingValue(k.right(3));
    if (resolved.punch >= 1 && resolved.punch <= kMaxPunches)
        resolved.punchIndex = static_cast<int>(CLng(resolved.punch));
    const QString group = k.left(4);
    if (group == QLatin1String("N141"))
        resolved.group = 1;
    else if (group == QLatin1String("N142"))
        resolved.group = 2;
    else if (group == QLatin1String("N143"))
        resolved.group = 3;
    return resolved;
}

CardListCell cardListCell(const CardRecord& card, const CardListKey& key, int32_t runningNumber)
{
    if (key.ordinary) {
        switch (Special(key.special)) {
        case Special::RunningNumber:
            return {QString::number(runningNumber)};
        case Special::Empty:
            return {};
        case Special::TimeWithBlank: {
            const QString& time = card.*key.member;
            return {time.contains(QLatin1Char(',')) ? QLatin1Char(' ') + time : time};
        }
        case Special::None:
            return {card.*key.member};
        }
    }
    const double punchCount = leadingValue(card.PunchCount);
    QString text;
    if (key.punchIndex > 0) {
        const PunchEntry& punch = card.Punches[key.punchIndex];
        if (punchCount >= key.punch || !punch.CN.isEmpty()) {
            switch (key.group) {
            case 1:
                text = punch.CN;
                break;
            case 2:
                text = punch.Day;
                break;
            case 3:
                text = punch.Time;
                break;
            default:
                text = QStringLiteral("??????");
                break;
            }
        }
    }
    return {text, punchCount >= key.punch || !text.isEmpty()};
}

CardListCell cardListCell(const CardRecord& card, const QString& key, int32_t runningNumber)
{
    return cardListCell(card, resolveCardListKey(key), runningNumber);
}

} // namespace qv
