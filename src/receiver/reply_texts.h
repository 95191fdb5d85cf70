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
constexpr ReplyText TextStepNotAvailable{1885, "The station answered; this program cannot finish this operation yet."};
constexpr ReplyText TextWriteRefused{1955, "cannot be written with this program."};

// The station's state byte 0 to 6 names itself by text 1200 + state.
constexpr int kStationStatusTextBase = 1200;
constexpr int kStationStatusMax = 6;

inline QString LangText(const ReplyText& t)
{
    return GetLangText(gLangIndex, t.id, QString::fromUtf8(t.fallback));
}

} // namespace qv
