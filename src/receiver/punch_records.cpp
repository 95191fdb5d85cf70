// Punch records a station transmits as it punches, shown as rows of the card list.
#include "app/language.h"
#include "cards/card_fields.h"
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "cards/cardlist_state.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/runtime/vbruntime.h"
#include "receiver/card_replies.h"
#include "receiver/card_reply_window.h"
#include "receiver/receiver_globals.h"
#include "receiver/rx_access.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

namespace qv {

namespace {

constexpr uint8_t kPunchExtended = 0xD3;
constexpr uint8_t kPunchNoCard = 0x54;
// From this firmware on the record flag says whether the mode byte is valid.
constexpr int16_t kFlagFirmware = 230;
// The station-view columns exist when the list has more than this many columns.
constexpr int kPlainPunchColumns = 6;
// The code word of an air card's activation record.
constexpr const char* kActivationWord = "AKT";
// The narrowest the weekday column may be when it shows an air card's state, in twips.
constexpr int kKezColumnWidth = 850;

bool bit(uint8_t value, int n)
{
    return (value >> n) & 1;
}

QString modeWord(uint8_t modeBits, uint8_t codeLow)
{
    switch (modeBits) {
    case 1:
        return GetSpecialCodeWord(codeLow);
    case 7:
        return QStringLiteral("CLR");
    case 10:
        return QStringLiteral("CHK");
    case 3:
    case 19:
        return QStringLiteral("STA");
    case 4:
    case 20:
        return QStringLiteral("FIN");
    case 2:
    case 17:
    case 18:
        return QStringLiteral("CN ");
    default:
        return modeBits <= 15 ? QString::number(modeBits, 16).toUpper() + QLatin1Char('-')
                              : QStringLiteral("???");
    }
}

bool batteryMarker(const QByteArray& f, int off, bool extended)
{
    const QByteArray marker = RxBytes(f, off + 2, 4);
    if (marker == QByteArray("\x0F\x00\x00\x01", 4))
        return true;
    return extended && bit(RxByte(f, 2), 7) && RxBytes(f, 4, 4) == QByteArray("\x00\x12\x7A\x0F", 4);
}

} // namespace

QString GetSpecialCodeWord(uint8_t code)
{
    switch (code) {
    case 123:
        return QStringLiteral("Bat");
    case 124:
        return QStringLiteral("ON");
    case 125:
        return QStringLiteral("OFF");
    case 127:
        return QStringLiteral("RDO");
    case 255:
        return QString::fromLatin1(kActivationWord);
    default:
        return {};
    }
}

QString SetCardListKezState(CardListAccess& list, int selectedRow, uint8_t value1, uint8_t value2,
                            uint8_t state)
{
    cardReplyWindow().widenCardListColumn(5, kKezColumnWidth);
    // A waiting card's two settings, in the code-number column of the row selected (none: nowhere).
    if (state == 1 && selectedRow >= 1 && selectedRow <= list.rowCount())
        list.setSubItem(selectedRow, 3, QString::number(value1) + QLatin1Char(' ') + QString::number(value2));
    switch (state) {
    case 0:
        return QStringLiteral("KEZOFF");
    case 1:
        return QStringLiteral("KEZWAIT");
    case 2:
        return QStringLiteral("KEZON");
    case 0x20:
    case 0x22:
        return QStringLiteral("+KEZON");
    default:
        return {};
    }
}

QString PunchSubSecondText(double fraction)
{
    return Right(Format(fraction, QStringLiteral("0.000")), 4);
}

ReplyEnd PunchRecordReply()
{
    EndReplyWait();
    // While the card list is loaded the records go into it, also when another window is in front: the
    // station sends each record once.
    if (!gCardsFormOpen) {
        ResetReceiver();
        return ReplyEnd::CommonEnd;
    }
    const QByteArray& f = gRxFrame;
    const bool extended = gRxCommand == kPunchExtended;
    const int off = extended ? 2 : 0;
    // Every field is read before the row is added, so a short record adds no half row.
    const uint8_t dayByte = RxByte(f, extended ? 8 : 1);
    const uint8_t th = RxByte(f, off + 7);
    const uint8_t tl = RxByte(f, off + 8);
    const uint8_t sub = RxByte(f, off + 9);
    uint8_t modeByte = 0, b13 = 0, b14 = 0;
    if (extended) {
        modeByte = RxByte(f, 12);
        b13 = RxByte(f, 13);
        b14 = RxByte(f, 14);
    }

    CardReplyWindow& cards = cardReplyWindow();
    CardListAccess* shown = cards.cardList();
    if (!shown) {
        ResetReceiver();
        return ReplyEnd::CommonEnd;
    }
    CardListAccess& list = *shown;
    gDataOffset = uint8_t(off);
    gPunchRecordCount += 1;
    const QString count = QString::number(gPunchRecordCount);
    // The card rows of a read-out count their "p" keys on their own: a record whose key a card row already
    // took (an air card read in the radio-card list, then its activation record) still gets its row.
    if (!list.addRow(QStringLiteral("p") + count, count))
        list.addRow(QString(), count);
    const int row = list.rowCount();
    list.selectRow(row);
    list.setSubItem(row, 1, CStr(Date()) + QLatin1Char(' ') + CStr(Time()));

    QString t;
    if (gRxCommand != kPunchNoCard) {
        t = CardNumberText(RxBytes(f, off + 3, 3));
        if (batteryMarker(f, off, extended))
            t = QStringLiteral("QVEL Batt.On");
        else if (gCardNumber == 0)
            t.clear();
    }
    list.setSubItem(row, 2, t);

    QString s;
    QString m;
    bool flag = false;
    if (extended) {
        const uint8_t high = RxByte(f, 2);
        const uint8_t low = RxByte(f, 3);
        flag = bit(high, 7);
        if ((bit(high, 0) && low == 0xFF) || t == u"QVEL Batt.On") {
            s = QStringLiteral("-");
        } else {
            s = QString::number(high * 256 + low);
            if ((b14 == 0xFF && gFirmware < kFlagFirmware) || (flag && gFirmware >= kFlagFirmware)) {
                m = modeWord(modeByte & 0x1F, low);
                s = QString::number((high & 1) * 256 + low);
            }
        }
    } else {
        s = QString::number(RxByte(f, 2));
    }
    list.setSubItem(row, 3, s);

    if (s != u"-") {
        if (extended && flag && list.columnCount() > kPlainPunchColumns) {
            list.setSubItem(row, 6, m);
            if (m != QLatin1String(kActivationWord)) {
                list.setSubItem(row, 7, QString::number(b13));
                list.setSubItem(row, 8, QString::number(b14));
            }
            static const char* const kRadio[] = {"no", "Last", "All", "???"};
            list.setSubItem(row, 9, QString::fromLatin1(kRadio[(modeByte >> 6) & 3]));
            list.setSubItem(row, 10, bit(dayByte, 5) ? QStringLiteral("Low") : QStringLiteral("OK"));
            list.setSubItem(row, 11, bit(modeByte, 5) ? QStringLiteral("Punch") : QStringLiteral("Timing"));
            list.setSubItem(row, 12, bit(dayByte, 7) ? QStringLiteral("1") : QStringLiteral("0"));
        }
        list.setSubItem(row, 4, WeekdayText(dayByte, 2));
        // Thousandths of the sub-second byte: 1/256 s in the extended record, 1/20 s in the legacy one.
        const double fraction = extended ? (sub * 1000 / 256) / 1000.0 : sub / 20.0;
        const QString p = PunchTimeText(dayByte, th, tl);
        if (extended && list.columnCount() > 4 && list.subItem(row, 6) == QLatin1String(kActivationWord)) {
            list.setSubItem(row, 4, SetCardListKezState(list, row, th, tl, RxByte(f, 11)));
            list.setSubItem(row, 5, FormatSeconds(QString::number((b13 * 256 + b14) * 4)));
        } else {
            list.setSubItem(row, 5, p + PunchSubSecondText(fraction));
        }
    }
    list.selectRow(row);
    gCardListChanged = true;
    cards.markCardListUnsaved();
    ResetReceiver();
    return ReplyEnd::CommonEnd;
}

} // namespace qv
