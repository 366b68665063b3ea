#pragma once
// What the console benchmarks share: the biggest listing of the full scenario (32,768 ONTs) as the
// simulator sends it, and the one-pass floor a figure is divided by so that it reads the same on a
// faster or slower machine: "x_floor" is how many memchr line counts over the same bytes the
// measured work costs.

#include "Scenario.h"
#include "Session.h"

#include <QByteArray>
#include <QByteArrayView>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>

namespace tw::bench {

inline const QByteArray Prompt = QByteArrayLiteral("\r\nMA5680T(config)#");

// Everything the simulator writes for "display ont info 0 all", paging prompts and erase sequences
// included, from the echo to the prompt after it (about 3.8 MB).
inline const QByteArray &frameListingStream() {
    static const QByteArray stream = [] {
        sim::Device device = sim::fullScenario(1);
        sim::Faults faults;
        sim::Session session(device, faults);
        session.start();
        session.receive("root\r\nadmin\r\n\r\nQ\r\n\r\nenable\r\nconfig\r\nswitch language-mode\r\n\r\n");
        QByteArray all;
        for (const sim::Write &w : session.receive("display ont info 0 all\r\n"))
            all += w.bytes;
        while (session.paging())
            for (const sim::Write &w : session.receive("    \r\n\r\n"))
                all += w.bytes;
        return all;
    }();
    return stream;
}

// CPU time of this thread, in seconds: the machine is shared, wall time is not ours.
inline double cpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

inline qsizetype memchrLineCount(QByteArrayView bytes) {
    qsizetype lines = 0;
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    while (p < end) {
        const void *nl = std::memchr(p, '\n', size_t(end - p));
        if (!nl) break;
        ++lines;
        p = static_cast<const char *>(nl) + 1;
    }
    return lines;
}

// CPU seconds of one memchr line count over `bytes`, the best of a few runs.
inline double floorSeconds(QByteArrayView bytes) {
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const double start = cpuSeconds();
        benchmark::DoNotOptimize(memchrLineCount(bytes));
        best = std::min(best, cpuSeconds() - start);
    }
    return std::max(best, 1e-9);
}

// Measures the CPU time of the loop body it wraps, to set "x_floor" at the end.
class FloorRatio {
  public:
    void start() { started_ = cpuSeconds(); }
    void stop() { spent_ += cpuSeconds() - started_; }
    void report(benchmark::State &state, QByteArrayView bytes) const {
        if (state.iterations() == 0) return;
        state.counters["x_floor"] = spent_ / double(state.iterations()) / floorSeconds(bytes);
    }

  private:
    double started_ = 0;
    double spent_ = 0;
};

} // namespace tw::bench
