// Fuzz target: arbitrary text as a settings value read as a date or a number (hand-edited INI values).
#include "app/number_text.h"
#include "fuzz_check.h"
#include "platform/runtime/dates.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"

#include <QString>
#include <cmath>
#include <cstdint>

using namespace qv;

using qv::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    // The date reader and its test agree: what IsDate accepts converts to a valid date, the rest raises.
    if (IsDate(text)) {
        check(CDate(text).isValid());
    } else {
        bool raised = false;
        try {
            CDate(text);
        } catch (const VbError&) {
            raised = true;
        }
        check(raised);
    }

    // The number readers: Val never fails; the conversions fail only with the runtime's errors.
    try {
        Val(text);
    } catch (const VbError&) {
        // Overflow of a number too large for a Double.
    }
    NormalizeNumberText(text);
    if (IsNumeric(text)) {
        const double v = CDbl(text);
        check(!std::isnan(v));
    }
    try {
        const uint8_t b = CByte(text);
        (void)b;
    } catch (const VbError&) {
    }
    try {
        CSng(text);
        CInt(text);
        CLng(text);
    } catch (const VbError&) {
    }
    return 0;
}
