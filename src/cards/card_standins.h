// Stand-ins for helpers of other subsystems that the card interpreter calls, until their owners land.
#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

// Each function keeps the name and meaning of the shared helper it stands for,
// in its own namespace so that it never clashes with the real one: switching
// means dropping the `cardsaux::` qualifier and deleting this file.
namespace qv::cardsaux {

// Hexadecimal text of bytes (station link).
QString BytesToHex(const QByteArray& bytes, const QString& separator = QStringLiteral("-"));

// Time, weekday, character-set and battery texts (station data interpretation).
QString FormatSeconds(const QString& seconds);     // "hh:mm:ss"; "" for no time (0xEEEEEE)
QString FormatCardSeconds(const QString& seconds); // the same; no time is 0xEEEE
QString SubSecondText(uint8_t b);                  // "," and thousandths of b/256 s
QString WeekdayText(int td, int length);
QString PunchTimeText(int td, int th, int tl);
QString ReadoutTimestamp();
QString ConvertCardCharset(const QString& text);
float BatteryVoltage(uint8_t code);

} // namespace qv::cardsaux
