// Fuzz target: the providers' access-data list as a person may have edited it: any bytes as the file's text,
// every data line split into its fields and every field through the placeholder map.
#include "platform/system/textfile.h"
#include "ui/dialogs/apn_data_file.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace qv;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // With and without the header in front, so the data lines are reached as often as the header test.
    for (const QByteArray& file : {bytes, kApnDataHeader.toLatin1() + "\r\n" + bytes}) {
        for (const QString& line : ReadApnLines(decodeText(file))) {
            if (line.isEmpty() || line.front() == u' ' || line.back() == u' ')
                std::abort(); // lines are trimmed and none is empty
            const ApnFieldsRow row = SplitApnLine(line);
            for (const QString& field : {row.apn, row.user, row.password}) {
                const QString value = MapApnPlaceholder(field);
                if (value.size() > field.size())
                    std::abort(); // a placeholder never grows into more than it stood for
            }
        }
    }
    return 0;
}
