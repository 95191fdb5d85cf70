// Program-wide values of other subsystems that the link reads or clears; they move to their owners' headers
// when those land.
#pragma once
#include "app/settings.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

namespace qv {

// ---- Station time (filled by the time replies and the main window) ----

// The time typed for ActTestTime ("hh:mm:ss"), "" when the PC clock is used.
inline QString gTestTime;
// The week counter typed after the test time, 0 when none.
inline int32_t gWeekNumber = 0;
// A value taken from the station's last time reply.
inline int16_t gTimeReplyCode = 0;
// A set-time request waits for its reply.
inline bool gSetTimePending = false;
// Send time of the set-time request, in seconds of the day.
inline float gSetTimeSentAt = 0.0f;
inline float gSetTimeBase = 0.0f;
inline float gSetTimeAux = 0.0f;
// The PC's date and time when the set-time payload was made, as text.
inline QString gSetTimePcText;

// ---- Replies and station header ----

// The card data of the last card-data reply.
inline QByteArray gHexPayload;
// The station header of the last read-out.
inline QString gStationTimeText;
inline QString gStationDateText;
inline QString gStationExtraText;
inline int32_t gStationCodeNo = 0;
// The read replies already sent their follow-up read.
inline bool gFollowUpReadSent = false;
// The text collected by a backup read.
inline QString gBackupText;
// The station's backup-memory pointer.
inline int64_t gBackupPointer = 0;

// ---- Kind of station and connection ----

// The unit runs the beacon modes.
inline bool gBeaconMode = false;
// A card is in the station; the hardware is the dongle kind.
inline bool gCardInserted = false;
inline bool gDongleHardware = false;
// The connected unit offers the station functions (battery, backup memory).
inline bool gStationFunctions = false;
// Cards read go straight into the card list.
inline bool gDirectCardsMode = false;
// The connection-mode names, indexed by gConnMode (1 remote, 2 direct).
inline std::array<QString, 3> gConnModeNames{QString(), QStringLiteral("remote"), QStringLiteral("direct")};
// The connection-mode names of the current language (texts 1951 and 1952).
inline QString gConnTextRemote = QStringLiteral("remote");
inline QString gConnTextDirect = QStringLiteral("direct");
// Shows the card list window modally; set by the card list window.
inline std::function<void()> gShowCardListModal;
// The reply time-out of the connection mode in use, in ms.
inline int32_t gReplyTimeout = 3000;

} // namespace qv
