// What tarnwick-replay costs on a large capture: the full scenario's biggest listing (3.8 MB) fed
// in chunks of 1 byte, 1,460 bytes and whole outputs. "peak_MB" is how far the process's peak
// resident memory rose during one replay (Linux: the peak is reset before it through
// /proc/self/clear_refs, after the heap gave its free pages back); "peak_per_byte" the same per
// byte of capture.
#include "BenchSupport.h"

#include "ReplaySession.h"

#include <QFile>

#include <malloc.h>

using namespace tw;
using tw::bench::FloorRatio;
using tw::bench::frameListingStream;

namespace {

// A field of /proc/self/status in kB, 0 when unknown.
qint64 statusKb(const char *field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// Starts a new peak at what is resident now, with the free heap handed back first so that memory
// freed by an earlier pass does not hide this pass's growth.
bool resetPeak() {
    malloc_trim(0);
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

void BM_ReplayListing(benchmark::State &state) {
    const QByteArray &capture = frameListingStream();
    replay::Options options;
    options.listFrame = QStringLiteral("0");
    options.chunkSize = state.range(0);
    FloorRatio floor;
    qint64 peakKb = 0;
    int completed = 0;
    for (auto _ : state) {
        const bool peakKnown = resetPeak();
        const qint64 before = statusKb("VmRSS:");
        floor.start();
        const replay::Result result = replay::replay(capture, options);
        floor.stop();
        if (peakKnown) peakKb = std::max(peakKb, statusKb("VmHWM:") - before);
        completed = result.completed;
        benchmark::DoNotOptimize(result.out.size());
    }
    state.SetBytesProcessed(state.iterations() * capture.size());
    state.counters["outputs"] = completed;
    state.counters["peak_MB"] = double(peakKb) / 1024.0;
    state.counters["peak_per_byte"] = double(peakKb) * 1024.0 / double(capture.size());
    floor.report(state, capture);
}
BENCHMARK(BM_ReplayListing)->ArgName("chunk")->Arg(1)->Arg(1460)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
