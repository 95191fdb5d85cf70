// What several benchmarks share: the shipped English language texts, the process's resident memory, and a
// failure that cannot go unnoticed.
#pragma once
#include "app/language.h"

#include <QDomDocument>
#include <QFile>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace qv::bench {

// Set by fail(); the benchmark program then ends with a non-zero exit code.
inline bool gBenchFailed = false;

// Ends a benchmark with an error that the report shows and the exit code carries: a benchmark that measured
// less than it was given must not pass for a fast one.
inline void fail(benchmark::State& state, const std::string& what)
{
    std::fprintf(stderr, "\n*** BENCHMARK FAILED: %s ***\n\n", what.c_str());
    gBenchFailed = true;
    state.SkipWithError(what.c_str());
}

// Loads the English language file the program ships: headings, modes and messages as a user sees them.
inline bool loadShippedLanguage()
{
    QFile file(QStringLiteral(QV_RESOURCES_DIR "/QV-ConfigENU.xml"));
    QDomDocument doc;
    if (!file.open(QIODevice::ReadOnly) || !doc.setContent(&file))
        return false;
    gXmlDoc = doc;
    return true;
}

// The process's resident memory in MB (from /proc/self/statm); 0 where the system does not tell.
inline double residentMB()
{
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr)
        return 0;
    long size = 0;
    long resident = 0;
    const int read = std::fscanf(f, "%ld %ld", &size, &resident);
    std::fclose(f);
    return read == 2 ? double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

} // namespace qv::bench
