// The text of an error as the link shows it.
#pragma once
#include <QString>

namespace qv {

class VbError;
// The text of an error as the user sees it: its description, else the runtime's text of its number.
QString errorText(const VbError& e);

} // namespace qv
