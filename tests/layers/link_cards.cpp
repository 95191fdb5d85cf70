// Links against the card layer and the layers below it only: the card interpreter needs no window.
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "platform/runtime/vberror.h"

#include <QByteArray>

int main()
{
    // A block of an unknown card type: the interpreter keeps to its record and asks for nothing more.
    try {
        qv::DecodeCardData(0x00, 0, QByteArray(128, '\xEE'));
    } catch (const qv::VbError&) {
        // A block too short for its layout: the caller's error trap reports it.
    }
    return 0;
}
