// Fuzz target: arbitrary bytes as a code-number list file, read as the load reads it: the file's text in its
// code page, its lines, and the code numbers they give. Every number taken is a code number.
#include "app/fso.h"
#include "platform/system/textfile.h"
#include "ui/main/code_number_list.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    qv::TextStream stream(qv::decodeText(bytes));
    const QStringList numbers = qv::ReadCodeNumberList(stream);
    if (numbers.size() > bytes.size())
        std::abort();
    for (const QString& n : numbers) {
        bool ok = false;
        const int v = n.toInt(&ok);
        if (!ok || v < 1 || v > 1023 || QString::number(v) != n)
            std::abort();
    }
    return 0;
}
