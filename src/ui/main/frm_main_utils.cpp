// Small utilities of the main window's module: the work time to write, colouring typed GSM data, start-up.
#include "app/number_text.h"
#include "app/settings.h"
#include "app/text_utils.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_module.h"

namespace qv {

namespace {

// The work time a beacon mode raises to; it is not remembered as the work time to write.
const QString kBeaconWorkTime = QStringLiteral("12:00:00");

} // namespace

QString NormalizeWorkTime(const QString& text, int32_t maxHours)
{
    if (HourFieldTooLong(text))
        return {};
    const QString result = CheckWorkTime(text, maxHours);
    if (result.isEmpty())
        return {};
    // The beacon modes are recognised by their names in the current language.
    const QString mode = FormInstance<FrmMain>::loaded() ? frmMain().coMO.Text() : QString();
    const bool beaconMode =
        mode == gModeTextBcFinish || mode == gModeTextBcStart || mode == gModeTextBcControl;
    if (gWorkTime.isEmpty() || (!beaconMode && result != kBeaconWorkTime))
        gWorkTime = result;
    return result;
}

void ValidatePinText(TextBox& box)
{
    const QString text = box.Text();
    bool numeric = false;
    if (text.size() == 4) {
        try {
            CDbl(text);
            numeric = true;
        } catch (const VbError&) {
        }
    }
    box.setBackColor(numeric ? vbWindowBackground : vbRed);
}

void ValidateBracketText(TextBox& box)
{
    const QString text = box.Text();
    const bool bracket = text.contains(u'[') || text.contains(u']');
    box.setBackColor(bracket ? vbRed : vbWindowBackground);
}

bool InitCommonCtrls()
{
    return true;
}

} // namespace qv
