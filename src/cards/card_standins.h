// Stand-ins for helpers of other subsystems that the card interpreter calls, until their owners land.
#pragma once
#include <QString>

// Each function keeps the name and meaning of the shared helper it stands for,
// in its own namespace so that it never clashes with the real one: switching
// means dropping the `cardsaux::` qualifier and deleting this file.
namespace qv::cardsaux {

// Date and time of a card read-out (station data interpretation).
QString ReadoutTimestamp();

} // namespace qv::cardsaux
