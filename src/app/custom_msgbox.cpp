// A message box whose buttons carry the caller's captions, already in the user's language.
#include "app/custom_msgbox.h"

#include "platform/dialogs/msgbox.h"

#include <QStringList>

namespace qv {

int16_t CustomButtonMsgBox(intptr_t /*owner*/, const QString& prompt, const QString& title,
                           const QString& caption1, const QString& caption2, const QString& caption3,
                           int32_t style)
{
    QStringList captions{caption1};
    if (!caption3.isEmpty())
        captions << caption2 << caption3;
    else if (!caption2.isEmpty())
        captions << caption2;
    const int pressed = CaptionMsgBox(prompt, title, captions, style);
    return static_cast<int16_t>(pressed >= 1 && pressed <= 3 ? pressed : 3);
}

} // namespace qv
