// Card records in a station's backup memory: block planning, the block store and the summary lines.
#include "cards/backup_cards.h"

#include "app/bytes.h"
#include "app/path_helpers.h"
#include "cards/card_detect.h"
#include "cards/card_fields.h"
#include "cards/card_record.h"
#include "link/link_globals.h"
#include "platform/runtime/strings.h"
#include "platform/system/codepage.h"
#include "stationdata/backup_memory.h"
#include "stationdata/bit_helpers.h"

namespace qv {

namespace {

// Card kinds of the planner: the oldest layout, the 64/192-punch layout and its 192-punch card, and the
// newer layouts.
constexpr uint8_t kKindOldest = 5;
constexpr uint8_t kKind60 = 6;
constexpr uint8_t kKind192 = 0x61;
constexpr uint8_t kKindNewer = 0;
// Bytes of a card block, and the part of a base-protocol block the summary gathers.
constexpr int kBlockBytes = 128;
constexpr int kPieceBytes = 88;
// An oldest-layout card whose series byte is this letter carries an owner name.
constexpr uint8_t kSeriesWithName = 'R';
// A series-4 card's owner data fill the next block unless they hold this many fields.
constexpr int kOwnerFieldsInFirstBlock = 11;

uint8_t at(const QByteArray& b, int i)
{
    return i >= 0 && i < b.size() ? static_cast<uint8_t>(b.at(i)) : 0;
}

QByteArray pick(const QByteArray& b, std::initializer_list<int> indices)
{
    QByteArray out;
    for (int i : indices)
        out.append(char(at(b, i)));
    return out;
}

QString textOf(const QByteArray& image, int from, int count = -1)
{
    if (from >= image.size())
        return QString();
    return cp1252ToString(image.mid(from, count));
}

QString numberedLine(const QString& rest)
{
    return Right(QString(8, QLatin1Char(' ')) + QString::number(gListLineNo), 8) + QLatin1Char('\t') + rest;
}

// "Family name, given name" of the 64/192-punch layout (and of oldest-layout cards of series 'R').
QString twoFieldName(const QByteArray& image)
{
    return Trim(textOf(image, 48, 20)) + QStringLiteral(", ") + Trim(textOf(image, 68, 20));
}

// The newer layouts keep the owner data from byte 32 as ";"-separated fields, family name first, given name
// second, ended by unwritten (0xEE) or zero bytes; without a ";" the card holds no name.
QString newerOwnerName(const QByteArray& image)
{
    QString s = textOf(image, 32);
    qsizetype cut = s.indexOf(QChar(0xEE));
    if (cut < 0)
        cut = s.indexOf(QChar(0));
    if (cut >= 0)
        s.truncate(cut);
    if (!s.contains(QLatin1Char(';')))
        return QString();
    if (!gCodePageDiffers)
        s = ConvertCardCharset(GetField(s, 2, QStringLiteral(";")) + QStringLiteral(", ") +
                               GetField(s, 1, QStringLiteral(";")));
    // The name stands between tabs in its line.
    return s.remove(QLatin1Char('\t')).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
}

// Counts down a block that carries data of the current card.
void countStoredBlock()
{
    --gRecordBlocksNeeded;
    if (!gBlockList.isEmpty() && static_cast<uint8_t>(gBlockList.at(0)) > 0)
        gBlockList[0] = char(static_cast<uint8_t>(gBlockList.at(0)) - 1);
    if (gRecordBlocksLeft > 0)
        --gRecordBlocksLeft;
}

void startOldestCard()
{
    gCardKind = kKindOldest;
    gLayoutCardType = kKindOldest;
    gRecordBlocksLeft = 0;
    gRecordBlocksNeeded = 0;
    gBlockList = QByteArray(1, '\0');
}

// The blocks a first block of the 64/192-punch layout brings with it.
void plan60(const QByteArray& image)
{
    int n = at(image, 18);
    gRecordBlocksLeft = 7;
    gCardKind = kKind60;
    if (pick(image, {0, 1, 2, 3}) == QByteArray("\x01\x01\x01\x02", 4)) {
        gCardKind = kKind192;
        gRecordBlocksNeeded = 7;
    } else if (gAutoSendRead != 0) {
        gRecordBlocksNeeded = 7;
    } else {
        n = std::min(n, 64);
        gRecordBlocksNeeded = n == 0 ? 0 : n <= 32 ? 6 : 7;
    }
    gLayoutCardType = gCardKind;
}

// The blocks a first block of the newer layouts brings with it.
void planNewer(const QByteArray& image)
{
    gCardKind = kKindNewer;
    gLayoutCardType = GetLayoutCardType(image);
    int n = at(image, 22);
    gRecordBlocksLeft = 0;
    gRecordBlocksNeeded = 0;
    switch (gLayoutCardType) {
    case 0xA1:
        gRecordBlocksLeft = 7;
        if (gAutoSendRead != 0) {
            gRecordBlocksNeeded = 7;
        } else {
            n = std::min(n, 128);
            gRecordBlocksNeeded = n == 0 ? 3 : 3 + (n + 31) / 32;
        }
        break;
    case 0xA0:
        gRecordBlocksLeft = 1;
        if (n > 0 || image.mid(24, kBlockBytes - 24).count(';') < kOwnerFieldsInFirstBlock)
            gRecordBlocksNeeded = 1;
        break;
    case 0xB0:
    case 0x80:
    case 0x90:
        gRecordBlocksLeft = 1;
        if (n > 0)
            gRecordBlocksNeeded = 1;
        break;
    default:
        break;
    }
}

// The summary step of the base-protocol walk: 88-byte pieces of the blocks are gathered, and an oldest-layout
// card is summarised from the pieces.
void legacySummary(const QByteArray& image, bool firstBlock, QString& pane)
{
    if (gCardKind == kKind60 || gCardKind == kKind192) {
        while (gBlockList.size() >= kPieceBytes + 2) {
            if (gBlockList.size() == kPieceBytes + 2)
                gBlockList = QByteArray(1, '\0');
            else
                gBlockList.remove(0, kPieceBytes);
        }
        if (firstBlock)
            pane += DecodeCardHeader(gCardKind, 0, image);
    } else if (gCardKind == kKindOldest) {
        while (gBlockList.size() > kPieceBytes) {
            const QByteArray piece = gBlockList.left(kPieceBytes);
            pane += DecodeCardHeader(gCardKind, at(piece, 6), piece);
            gBlockList.remove(0, kPieceBytes);
        }
    } else {
        return;
    }
    gBlockList += image.left(kPieceBytes);
}

// The summary step of the extended read-out: the first block of each card gives its line.
void extendedSummary(const QByteArray& image, bool firstBlock, QString& pane)
{
    switch (gCardKind) {
    case kKind60:
        if (firstBlock)
            pane += DecodeCardHeader(kKind60, 0, image);
        gBlockList = QByteArray(1, char(2));
        break;
    case kKind192:
        if (firstBlock)
            pane += DecodeCardHeader(kKind192, 0, image);
        gBlockList = QByteArray(1, char(7));
        break;
    case kKindNewer:
        if (firstBlock)
            pane += DecodeCardHeader(kKindNewer, 0, image);
        gBlockList = QByteArray(1, char(gRecordBlocksNeeded));
        break;
    case kKindOldest:
        if (gBlockList.size() == 1 && static_cast<uint8_t>(gBlockList.at(0)) > 0) {
            gBlockList[0] = char(static_cast<uint8_t>(gBlockList.at(0)) - 1);
        } else {
            const char series = char(at(image, 6));
            const uint8_t mark = series >= '0' && series <= '9' ? uint8_t(series - '0') : 0;
            pane += DecodeCardHeader(kKindOldest, mark, image);
        }
        break;
    default:
        break;
    }
}

} // namespace

QByteArray BackupCardImage(const QByteArray& frame, bool extended)
{
    if (extended) {
        if (frame.size() < 2)
            return QByteArray();
        // LEN counts the code number and the address (five bytes) before the data; the CRC follows them.
        const qsizetype length = std::min<qsizetype>(qsizetype(at(frame, 1)) - 5, frame.size() - 2 - 7);
        return length > 0 ? frame.mid(7, length) : QByteArray();
    }
    QByteArray image;
    const QByteArray data = frame.mid(kBackupDataIndexLegacy, kBlockBytes);
    image.reserve(data.size());
    for (qsizetype i = data.size() - 1; i >= 0; --i)
        image.append(data.at(i));
    return image;
}

bool PlanCardBlocks(uint8_t command, const QByteArray& frame, QString& pane)
{
    if (frame.isEmpty())
        return false;
    const bool legacy = command == kBackupBlockReplyLegacy;
    const QByteArray image = BackupCardImage(frame, !legacy);
    bool store = true;
    bool firstBlock = false;
    switch (DetectCardLayout(image)) {
    case kLayout60:
        plan60(image);
        firstBlock = true;
        break;
    case kLayoutNewFirst:
        planNewer(image);
        firstBlock = true;
        break;
    default:
        if (IsValidCardBlock(image)) {
            startOldestCard();
            firstBlock = true;
        } else if (gRecordBlocksNeeded > 0) {
            countStoredBlock();
        } else {
            // A block past the card's data, or one that belongs to no card: not stored, its slot given back.
            if (gRecordBlocksLeft > 0)
                --gRecordBlocksLeft;
            --gReadoutPending;
            gCardKindLast = gCardKind;
            return false;
        }
        break;
    }
    if (legacy)
        legacySummary(image, firstBlock, pane);
    else
        extendedSummary(image, firstBlock, pane);
    gCardKindLast = gCardKind;
    return store;
}

void StoreReceivedBlock(const QByteArray& block, int32_t slot)
{
    if (block.isEmpty() || slot < 1)
        return;
    if (gDataBlocks.isEmpty())
        gDataBlocks.append(QByteArray(1, '\0'));
    while (gDataBlocks.size() <= slot)
        gDataBlocks.append(QByteArray(1, '\0'));
    gDataBlocks[slot] = block;
}

QString DecodeCardHeader(uint8_t kind, uint8_t mark, const QByteArray& image)
{
    if (image.isEmpty())
        return QString();
    QString number;
    QString time;
    if (kind == kKind60 || kind == kKind192) {
        number = CardNumberText(pick(image, {11, 12, 13}));
        gCardRecord.PunchCount = QString::number(at(image, 18));
        gCardImage = pick(image, {20, 21, 22, 23});
        time = CardTimeFieldText(6, gCardImage);
    } else if (kind == kKindOldest) {
        number = CardNumberText(pick(image, {6, 4, 5}));
        gCardImage = pick(image, {21, 22});
        time = CardTimeFieldText(5, gCardImage);
    } else {
        number = CardNumberText(pick(image, {25, 26, 27}));
        gCardRecord.PunchCount = QString::number(at(image, 22));
        gCardImage = pick(image, {16, 17, 18, 19});
        time = CardTimeFieldText(6, gCardImage);
    }
    QString name;
    if (kind == kKind60 || kind == kKind192 || mark == kSeriesWithName) {
        name = twoFieldName(image);
    } else if (kind == kKindNewer) {
        name = newerOwnerName(image);
    }
    ++gListLineNo;
    return numberedLine(number + QStringLiteral("   ") + time + QStringLiteral("    ") + name +
                        QStringLiteral("\t\r\n"));
}

QString BuildReadoutLine()
{
    QString pane;
    gReadoutPending = 0;
    gListLineNo = 0;
    const qsizetype last = gDataBlocks.size() - 1;
    const int step = gUseExtCommands ? 1 : -1;
    qsizetype i = gUseExtCommands ? 1 : last;
    for (; i >= 1 && i <= last; i += step) {
        const QByteArray& slot = gDataBlocks.at(i);
        const QByteArray image = BackupCardImage(slot, gUseExtCommands);
        gReadoutLineFlag = slot.size() <= 1 || image.isEmpty() || IsAllBytes(image, 0xFF);
        if (gReadoutLineFlag)
            continue;
        QString number;
        QString time;
        QString name;
        if (HasMarkerBytes(image, 0xED, 4)) {
            number = CardNumberText(pick(image, {11, 12, 13}));
            time = CardTimeFieldText(6, pick(image, {20, 21, 22, 23}));
            name = twoFieldName(image);
        } else if (HasMarkerBytes(image, 0xEA, 4)) {
            number = CardNumberText(pick(image, {25, 26, 27}));
            time = CardTimeFieldText(6, pick(image, {16, 17, 18, 19}));
            name = newerOwnerName(image);
        } else if (IsValidCardBlock(image)) {
            number = CardNumberText(pick(image, {6, 4, 5}));
            time = CardTimeFieldText(5, pick(image, {21, 22}));
            if (at(image, 6) == kSeriesWithName)
                name = twoFieldName(image);
        } else {
            // A following block of a card: its data belong to the line of the card's first block.
            continue;
        }
        ++gReadoutPending;
        ++gListLineNo;
        if (time.isEmpty())
            time = QStringLiteral("\t");
        pane += numberedLine(number + QLatin1Char('\t') + time + QLatin1Char('\t') + name +
                             QStringLiteral("\r\n"));
    }
    return pane;
}

void ResetBackupCards()
{
    gBlockList = QByteArray(1, '\0');
    gDataBlocks = {QByteArray(1, '\0')};
    gReadoutPending = 0;
    gRecordBlocksLeft = 0;
    gRecordBlocksNeeded = 0;
    gCardKindLast = 0;
    gReadoutLineFlag = false;
    gCardImage.clear();
}

} // namespace qv
