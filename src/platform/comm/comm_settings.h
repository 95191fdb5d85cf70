// The serial settings text of the communications control ("38400,n,8,1") and its parts.
#pragma once
#include <QString>
#include <optional>

namespace qv {

// One serial line set-up as the settings text describes it.
struct CommSettings
{
    int baud = 9600;
    char parity = 'n'; // n none, e even, o odd, m mark, s space
    int dataBits = 8;  // 5 to 8
    int stopBits = 1;  // 1 or 2 (one and a half is not offered by this platform's serial devices)

    bool operator==(const CommSettings&) const = default;
};

// Reads "baud,parity,data,stop" (blanks around the parts and upper-case letters
// are accepted). Returns nothing when a part is missing or out of range.
std::optional<CommSettings> parseCommSettings(const QString& text);

} // namespace qv
