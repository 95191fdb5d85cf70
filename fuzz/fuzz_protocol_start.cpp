// Fuzz target: arbitrary bytes as the first line of an existing protocol file.
#include "fuzz_check.h"
#include "link/protocol_file.h"
#include "platform/system/textfile.h"

#include <QByteArray>
#include <cstdint>

using namespace qv;

using qv::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray line(reinterpret_cast<const char*>(data), qsizetype(size));
    const ProtocolFileStart start = CheckProtocolFileStart(line);
    check((start == ProtocolFileStart::Empty) == line.isEmpty());
    if (start == ProtocolFileStart::Current) {
        // Records only go below the header or a piece of it.
        QByteArray text = line;
        while (text.endsWith('\n') || text.endsWith('\r'))
            text.chop(1);
        check(ProtocolHeader.startsWith(decodeText(text)));
    }
    // The header itself, whole or cut anywhere, with either line end, is always the current one.
    const QByteArray header = encodeText(ProtocolHeader);
    const qsizetype cut = qsizetype(size) % (header.size() + 1);
    if (cut > 0) {
        check(CheckProtocolFileStart(header.left(cut)) == ProtocolFileStart::Current);
        check(CheckProtocolFileStart(header.left(cut) + "\r\n") == ProtocolFileStart::Current);
    }
    return 0;
}
