// The decoded card (CardRecord, PunchEntry) and the card-type and card-kind values beside it.
#pragma once
#include "stationdata/station_data.h" // gCardNumber

#include <QString>
#include <array>
#include <cstdint>

namespace qv {

// One punch: code number, weekday (or date) and time of day, as list texts.
struct PunchEntry
{
    QString CN;
    QString Day;
    QString Time;

    bool operator==(const PunchEntry&) const = default;
};

// Punches 1 to 192; any other index raises "Subscript out of range".
class PunchArray
{
  public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 192;

    PunchEntry& operator[](int index);
    const PunchEntry& operator[](int index) const;

    bool operator==(const PunchArray&) const = default;

  private:
    std::array<PunchEntry, kLast> m_entries;
};

// Every value the card list can show about one card, as texts; an empty text
// means the card does not hold the value.
struct CardRecord
{
    QString CardExtraNo;
    QString CardNo;
    QString Owner105;
    QString Owner106;
    QString Owner107;
    QString Owner108;
    QString Owner109;
    QString OwnerExtra; // no list column shows it
    QString Owner113;
    QString Owner112;
    QString Owner115;
    QString Owner114;
    QString Owner116;
    QString Owner110;
    QString Owner111;
    QString ReadAt;
    QString ClearCN, ClearDay, ClearTime;
    QString CheckCN, CheckDay, CheckTime;
    QString StartCN, StartDay, StartTime;
    QString FinishCN, FinishDay, FinishTime;
    QString PunchCount;
    PunchArray Punches;
    QString AuxCN1, AuxDay1, AuxTime1;
    QString AuxCN2, AuxDay2, AuxTime2;
    QString AuxCN3, AuxDay3, AuxTime3;
    QString Hardware;
    QString Software;
    QString CardDate;
    QString BattDate;
    QString Volt;
    QString InfoByte;
    QString DeletedCount;
    QString HexData1;
    QString HexData2;

    bool operator==(const CardRecord&) const = default;
};

// The card being decoded; cleared from gEmptyCardRecord at the first block of each card.
inline CardRecord gCardRecord;
inline const CardRecord gEmptyCardRecord{};

// Memory layout of the card image in hand, set by the backup read-out planner:
// 5 the oldest layout, 6 the 0x60 layout, 0x61 its 192-punch variant, 0 the newer layouts.
inline uint8_t gCardKind = 0;
// gCardKind, except for the newer layouts: the card-type code read from the image.
inline uint8_t gLayoutCardType = 0;

} // namespace qv
