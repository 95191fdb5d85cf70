// Benchmarks of the settings file: the key reads of a start-up and the writes of a close, on a large file.
#include "platform/profile/profile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A settings file of about 5 MB: the program's sections among many sections a user or a tool added.
QString benchIniFile(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("QV-Config.INI"));
    QByteArray text = "[COMCTRL]\r\nPort=COM3\r\nBaud=38400\r\n";
    for (int s = 0; s < 20000; ++s) {
        text += "[Extra" + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < 10; ++k)
            text += "Key" + QByteArray::number(k) + "=some value " + QByteArray::number(s * 10 + k) + "\r\n";
    }
    text += "[STATION]\r\nlastCodeNo=31\r\n";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}

// The 60 key reads of a start-up.
void BM_ProfileReads(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = benchIniFile(dir);
    for (auto _ : state) {
        for (int i = 0; i < 60; ++i)
            benchmark::DoNotOptimize(
                qv::GetPrivateProfileStringA(i % 2 ? QStringLiteral("STATION") : QStringLiteral("COMCTRL"),
                                             QStringLiteral("lastCodeNo"), QString(), 256, path));
    }
}
BENCHMARK(BM_ProfileReads)->Unit(benchmark::kMillisecond);

// Ten writes of a close, each a changed value.
void BM_ProfileWrites(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = benchIniFile(dir);
    int n = 0;
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i)
            qv::WritePrivateProfileStringA(QStringLiteral("STATION"), QStringLiteral("lastCodeNo"),
                                           QString::number(++n), path);
    }
}
BENCHMARK(BM_ProfileWrites)->Unit(benchmark::kMillisecond);

} // namespace
