// libFuzzer target: arbitrary bytes into the simulated station's frame parser and command handlers.
#include "sim_frame.h"
#include "sim_station.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

using namespace qv::sim;

namespace {

QCoreApplication& application()
{
    static int argc = 1;
    static char name[] = "fuzz_sim_frame";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    application();
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));

    // The same bytes in two pieces, cut where the first byte says: the result
    // must not depend on how the line delivered them.
    const qsizetype cut = size ? qsizetype(data[0] % (size + 1)) : 0;
    FrameParser whole;
    QList<Frame> a = whole.feed(input);
    a += whole.flush();
    FrameParser pieces;
    QList<Frame> b = pieces.feed(input.left(cut));
    b += pieces.feed(input.mid(cut));
    b += pieces.flush();
    check(a.size() == b.size());

    qsizetype rawBytes = 0;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const Frame& f = a[i];
        check(f.raw == b[i].raw && f.data == b[i].data && f.form == b[i].form);
        check(f.raw.size() >= 3 && quint8(f.raw.front()) == kStx && quint8(f.raw.back()) == kEtx);
        if (f.form == FrameForm::Extended && f.crcOk)
            check(encodeFrame(f.command, f.data, FrameForm::Extended) == f.raw);
        rawBytes += f.raw.size();
    }
    check(rawBytes <= input.size());

    // The station answers whatever came without falling over.
    SimStation station;
    qsizetype out = 0;
    station.setOutputSink([&out](const QByteArray& bytes) { out += bytes.size(); });
    station.receiveBytes(input);
    return 0;
}
