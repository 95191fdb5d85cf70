// Links against the receiver layer and the layers below it only: the frame receiver's byte entry needs no
// window and no port. A complete frame that no operation asked for is dropped, and the receiver is ready
// for the next.
#include "link/link_globals.h"
#include "receiver/receiver.h"
#include "receiver/receiver_globals.h"

#include <QByteArray>

int main()
{
    qv::RxBufferSource source(QByteArray("\x02\xF9\x01\x00\x01\xAA\xBB\x03", 8));
    qv::ReceiveFrom(source);
    return source.rest().isEmpty() && !qv::gRxInFrame ? 0 : 1;
}
