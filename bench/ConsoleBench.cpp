// How fast the console takes in the biggest listing: "display ont info 0 all" of the full scenario
// (32,768 ONTs), as the OLT sends it, through the chunk stage, the response router and the ONT list
// parser into the grid model. No widgets: the console text is kept in a string.
#include "Scenario.h"
#include "Session.h"

#include "common/GridModel.h"
#include "common/SettingsStore.h"
#include "olt/ChunkStage.h"
#include "olt/ResponseRouter.h"
#include "olt/SharedValues.h"
#include "response/OntRowParser.h"
#include "response/ReplyHandlers.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tw;

namespace {

constexpr qsizetype ChunkBytes = 1460; // one TCP segment on an Ethernet link
const QByteArray Prompt = QByteArrayLiteral("\r\nMA5680T(config)#");

// Everything the simulator writes for the listing, paging prompts and erase sequences included,
// from the echo to the prompt after it.
const QByteArray &frameListingStream() {
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

// The first `part` of the listing, cut at a line end, closed by the prompt so it completes.
QByteArray listingPart(double part) {
    const QByteArray &all = frameListingStream();
    const qsizetype end = all.lastIndexOf("\r\n", qsizetype(double(all.size()) * part));
    return all.left(end) + Prompt;
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

struct ListFields : RouterFields {
    QString text(Field field) const override {
        return field == ListBoard || field == ListPort ? QStringLiteral("1") : QStringLiteral("0");
    }
};

// The panes and the console as plain text.
struct TextTargets : RouterTargets {
    QString console, query;
    void replacePaneText(Pane, const QString &text) override { query = text; }
    void appendQueryPane(const QString &text) override { query += text; }
    void appendConsole(const QString &text) override { console += text; }
};

struct Settings {
    QTemporaryDir dir;
    SettingsStore store{dir.path() + QStringLiteral("/config.ini")};
};

// Chunk stage + router + ONT list parser over 1/4, 1/2 and all of the listing.
void BM_ListingThroughRouter(benchmark::State &state) {
    Settings settings;
    const QByteArray stream = listingPart(double(state.range(0)) / 4.0);
    ListFields fields;
    qsizetype rows = 0;
    for (auto _ : state) {
        GridModel list{ontListColumns()}, discovery{ontDiscoveryColumns()}, versions{ontVersionColumns()};
        SharedValues shared;
        ReplyHandlers handlers{list, discovery, versions, shared};
        TextTargets targets;
        ResponseRouter router{fields, targets, handlers, shared, settings.store};
        for (qsizetype at = 0; at < stream.size(); at += ChunkBytes) {
            ChunkOutcome o = runChunkStage(stream.mid(at, ChunkBytes), settings.store);
            if (!o.discarded) router.route(o.passOn);
        }
        rows = list.count();
        benchmark::DoNotOptimize(targets.console.size());
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.SetComplexityN(stream.size());
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_ListingThroughRouter)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// The 32,768-row reply parsed and appended to the grid model.
void BM_ParseOntListIntoGrid(benchmark::State &state) {
    Settings settings;
    const QByteArray &output = collectedOutput(settings.store);
    GridModel grid{ontListColumns()};
    for (auto _ : state) {
        grid.clearRows();
        grid.appendRows(parseOntList(output, 8));
    }
    state.SetBytesProcessed(state.iterations() * output.size());
    state.counters["rows"] = double(grid.count());
}
BENCHMARK(BM_ParseOntListIntoGrid)->Unit(benchmark::kMillisecond);

} // namespace
