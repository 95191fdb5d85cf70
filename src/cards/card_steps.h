// Steps shared by the arms of the card interpreter, and the arms themselves (internal to the interpreter).
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace qv {

// Owner data of the newer cards: the text of block 0 (96 bytes) extended by
// block 1 (32 bytes), its ";"-separated parts, and the parts' upper bound after block 0.
inline QString gOwnerText;
inline QStringList gOwnerParts;
inline int16_t gOwnerFirstCount = 0;

// `counter` is the arm's punch-or-length counter that the steps read and write.
void CardHeadStep(const QByteArray& image, int16_t& counter);
void CheckSlotStep(uint8_t code, const QByteArray& image);
void OwnerSplitStep(int16_t& counter);
void OwnerFieldsStep(int16_t counter);
void OwnerContinuationStep(uint8_t code, const QByteArray& image, int16_t& counter);

namespace cards {

constexpr int kBlockSize = 128;

// Texts of one 4-byte slot [TD, CN, TH, TL].
struct SlotTexts
{
    QString day;
    QString time;
    QString cn;
    uint8_t td = 0;
    uint8_t cnByte = 0;
};

// Decodes the slot at `offset`; false (and nothing decoded) when it is blank
// (all 0x00, 0xFF or 0xEE). With `mask` bit 7 of TD is no part of the code number.
bool DecodeSlot(const QByteArray& image, int offset, SlotTexts& slot, bool mask);
// The air card (gCardType 0xA1) uses bit 7 of TD for something else than the code number.
bool airCardMask();
// Decodes a slot whose CN byte holds 1/256 s when TD bit 7 is set or the card list
// says the cards carry sprint times: the time then gets the sub-seconds and the
// code number stays empty. A blank slot leaves the three texts alone.
void timedSlot(const QByteArray& image, int offset, bool mask, QString& cn, QString& day, QString& time);
// Decodes a slot that always holds a code number.
void plainSlot(const QByteArray& image, int offset, bool mask, QString& cn, QString& day, QString& time);

uint8_t byteAt(const QByteArray& image, int offset); // bounds-checked
QString charText(const QByteArray& image, int offset, int count);
int punchCountValue();                                 // value of gCardRecord.PunchCount
void requireBytes(const QByteArray& image, int count); // raises "Subscript out of range"
void appendDeletedCard();                              // gCardRecord.CardNo into gDeletedCards
void finishCard();

void decodeOldestCard(uint8_t code, const QByteArray& image);
void decode192Card(uint8_t block, const QByteArray& image);
void decodeTwoBlockCard(uint8_t code, uint8_t block, const QByteArray& image);
void decode128Card(uint8_t code, uint8_t& block, const QByteArray& image);

} // namespace cards
} // namespace qv
