// The language texts of the reply receiver: their ids and the defaults shown without a language file.
#pragma once
#include "app/language.h"

#include <QString>

namespace qv {

struct ReplyText
{
    int id;
    const char* fallback;
};

constexpr ReplyText TextBaud{1024, "Baud"};
constexpr ReplyText TextDongleWrite{1033, "Write"};
constexpr ReplyText TextDongleWriteTip{1034, "Write the radio-module settings"};
constexpr ReplyText TextSwitchedOff{1808, "Station switched off"};
constexpr ReplyText TextConnected{1814, "Connection"};
constexpr ReplyText TextNakGiveUp{1816, "The station refused the command."};
constexpr ReplyText TextNoAnswer{1826, "No answer from the station."};
constexpr ReplyText TextBatteryExtended{1859, "Change the battery data in the battery dialog."};
constexpr ReplyText TextShowCardList{1881, "Show the card list?"};
constexpr ReplyText TextCardListWait{1882, "The station does not answer."};
constexpr ReplyText TextWriteRefused{1955, "cannot be written with this program."};

// The station clock: the time check's dialog, the week question and the status texts of set time.
constexpr ReplyText TextSetTimeLine{1800, "          Zeit stellen"};
constexpr ReplyText TextTimeDifference{1803, "Achtung Zeitdifferenz!"};
constexpr ReplyText TextCheckTime{1804, "Bitte Zeit prüfen"};
constexpr ReplyText TextTimeSent{1806, "sent"};
constexpr ReplyText TextNoRealTimeClock{1815, "Station without real-time clock"};
constexpr ReplyText TextPcClockSetTo{1817, "The PC clock was set to"};
constexpr ReplyText TextPcClockFromStation{1818, "from the station clock."};
constexpr ReplyText TextWeekQuestion1{1819, "The station counts the weeks 1 to 4."};
constexpr ReplyText TextWeekQuestion2{1820, "The number shown is the station's week."};
constexpr ReplyText TextWeekQuestion3{1821, "Which week is it now?"};
constexpr ReplyText TextStationTimeMark{1822, "station"};
constexpr ReplyText TextPcTimeMark{1823, "PC"};
constexpr ReplyText TextStationTime{1824, "Stations-Zeit"};
constexpr ReplyText TextSetPcTime{1825, "PC-Zeit"};
constexpr ReplyText TextCancel{1870, "Abbruch"};
constexpr ReplyText TextOk{1871, "OK"};
constexpr ReplyText TextTimeSet{1936, "Set"};
constexpr ReplyText TextWeek{1978, "week"};
constexpr ReplyText TextWeekRange{1979, "week"};

// The station's state byte 0 to 6 names itself by text 1200 + state.
constexpr int kStationStatusTextBase = 1200;
constexpr int kStationStatusMax = 6;

inline QString LangText(const ReplyText& t)
{
    return GetLangText(gLangIndex, t.id, QString::fromUtf8(t.fallback));
}

} // namespace qv
