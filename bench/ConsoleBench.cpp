// How fast the console takes in the biggest listing: "display ont info 0 all" of the full scenario
// (32,768 ONTs), as the OLT sends it, through the receive path (telnet layer, prompt joiner, chunk
// stage), the response router and the ONT list parser into the grid model, and how fast the grid
// sorts it. No widgets: the console text is only counted.
#include "BenchSupport.h"

#include "common/ActivityLog.h"
#include "common/GridModel.h"
#include "common/GridSortFilter.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "olt/ChunkStage.h"
#include "olt/ReceivePath.h"
#include "olt/ResponseRouter.h"
#include "olt/SharedValues.h"
#include "response/OntRowParser.h"
#include "response/ReplyHandlers.h"
#include "session/OltSession.h"

#include <QTemporaryDir>

using namespace tw;
using tw::bench::FloorRatio;
using tw::bench::frameListingStream;

namespace {

constexpr qsizetype ChunkBytes = 1460; // one TCP segment on an Ethernet link

// The first `part` of the listing, cut at a line end, closed by the prompt so it completes.
QByteArray listingPart(double part) {
    const QByteArray &all = frameListingStream();
    const qsizetype end = all.lastIndexOf("\r\n", qsizetype(double(all.size()) * part));
    return all.left(end) + bench::Prompt;
}

// The collected output as the router hands it to the parser: the stream after the chunk stage.
const QByteArray &collectedOutput(const SettingsStore &settings) {
    static const QByteArray output = [&] {
        QByteArray out;
        const QByteArray &all = frameListingStream();
        for (qsizetype at = 0; at < all.size(); at += ChunkBytes) {
            ChunkOutcome o = runChunkStage(all.mid(at, ChunkBytes), settings);
            if (!o.discarded) out += o.passOn;
        }
        return out;
    }();
    return output;
}

struct Settings {
    QTemporaryDir dir;
    SettingsStore store{dir.path() + QStringLiteral("/config.ini")};
};

// The console's own session, fresh for each pass: "ONT 列表" on 0/1/1, the console only counted
// (the text pane is measured by the pane benchmark).
struct Session {
    explicit Session(SettingsStore &settings) : log(settings, QString()), session(settings, log, nobody) {
        session.view.setField(RouterFields::ListFrame, [] { return QStringLiteral("0"); });
        session.view.setField(RouterFields::ListBoard, [] { return QStringLiteral("1"); });
        session.view.setField(RouterFields::ListPort, [] { return QStringLiteral("1"); });
        session.view.setConsole([this](const QString &text) { console += text.size(); });
    }
    NoOperator nobody;
    ActivityLog log;
    OltSession session;
    qsizetype console = 0;
};

// Chunk stage + router + ONT list parser over 1/4, 1/2 and all of the listing: linear in its size.
void BM_ListingThroughRouter(benchmark::State &state) {
    Settings settings;
    const QByteArray stream = listingPart(double(state.range(0)) / 4.0);
    FloorRatio floor;
    qsizetype rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto s = std::make_unique<Session>(settings.store);
        state.ResumeTiming();
        floor.start();
        for (qsizetype at = 0; at < stream.size(); at += ChunkBytes) {
            ChunkOutcome o = runChunkStage(stream.mid(at, ChunkBytes), settings.store);
            if (!o.discarded) s->session.receive(o.passOn);
        }
        rows = s->session.ontListGrid.count();
        benchmark::DoNotOptimize(s->console);
        floor.stop();
        state.PauseTiming();
        s.reset(); // the rows of this pass are freed outside the measurement
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.SetComplexityN(stream.size());
    state.counters["rows"] = double(rows);
    floor.report(state, stream);
}
BENCHMARK(BM_ListingThroughRouter)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

struct RouteActions : ReceiveActions {
    OltSession &session;
    explicit RouteActions(OltSession &s) : session(s) {}
    void write(const QByteArray &) override {}
    void reconnect() override {}
    void passwordSent() override {}
    void loginRejected() override {}
    void deliver(const QByteArray &chunk) override { session.receive(chunk); }
};

// The whole listing through the receive path the connection drives and the router, in reads of
// 1 byte, 1,460 bytes (a TCP segment) and the whole output at once (0).
void BM_ReceiveAndRoute(benchmark::State &state) {
    Settings settings;
    const QByteArray &stream = frameListingStream();
    const qsizetype chunk = state.range(0) > 0 ? state.range(0) : stream.size();
    FloorRatio floor;
    qsizetype rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto s = std::make_unique<Session>(settings.store);
        state.ResumeTiming();
        floor.start();
        RouteActions actions(s->session);
        ReceivePath path(settings.store);
        const QByteArrayView all(stream);
        for (qsizetype at = 0; at < all.size(); at += chunk)
            path.feed(all.sliced(at, std::min(chunk, all.size() - at)), actions);
        path.finish(actions);
        floor.stop();
        rows = s->session.ontListGrid.count();
        benchmark::DoNotOptimize(s->console);
        state.PauseTiming();
        s.reset(); // the rows of this pass are freed outside the measurement
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.counters["rows"] = double(rows);
    floor.report(state, stream);
}
BENCHMARK(BM_ReceiveAndRoute)->ArgName("chunk")->Arg(1)->Arg(1460)->Arg(0)->Unit(benchmark::kMillisecond);

// The 32,768-row reply parsed into the grid model, as the ONT list handler does it (the rows of the
// previous pass are freed in it too).
void BM_ParseOntListIntoGrid(benchmark::State &state) {
    Settings settings;
    const QByteArray &output = collectedOutput(settings.store);
    GridModel grid{ontListColumns()};
    FloorRatio floor;
    for (auto _ : state) {
        floor.start();
        grid.replaceRows(ontListRows(output, 8));
        floor.stop();
    }
    state.SetBytesProcessed(state.iterations() * output.size());
    state.counters["rows"] = double(grid.count());
    floor.report(state, output);
}
BENCHMARK(BM_ParseOntListIntoGrid)->Unit(benchmark::kMillisecond);

// The 32,768 rows sorted by a clicked column: 0 frame/slot/port, 1 ONT id, 2 serial (a text),
// ascending and descending in turn as the operator clicks.
void BM_SortOntGrid(benchmark::State &state) {
    Settings settings;
    const QByteArray &output = collectedOutput(settings.store);
    GridModel grid{ontListColumns()};
    grid.replaceRows(ontListRows(output, 8));
    GridSortFilter proxy;
    proxy.setSourceModel(&grid);
    const int column = int(state.range(0));
    FloorRatio floor;
    bool descending = false;
    for (auto _ : state) {
        floor.start();
        proxy.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        floor.stop();
        descending = !descending;
    }
    state.counters["rows"] = double(proxy.rowCount());
    floor.report(state, output);
}
BENCHMARK(BM_SortOntGrid)->ArgName("column")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
