// How the operator console's text pane copes with a long day: the full scenario's biggest listing
// appended again and again until the pane has taken 50 MB, as the router hands it over (one piece
// per 1,460-byte read, about 64 KB per event-loop turn), the pane shown and painted offscreen.
// Run with QT_QPA_PLATFORM=offscreen (set here when unset).
#include "BenchSupport.h"

#include "common/SettingsStore.h"
#include "olt/ReceivePath.h"
#include "olt/ResponseRouter.h"
#include "olt/SharedValues.h"
#include "widgets/OperatorConsole.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <memory>

using namespace tw;
using tw::bench::cpuSeconds;
using tw::bench::FloorRatio;
using tw::bench::frameListingStream;

namespace {

constexpr qsizetype ChunkBytes = 1460;
constexpr int PiecesPerTurn = 44; // about 64 KB of reads per event-loop turn
constexpr qsizetype PaneBytes = 50'000'000;

struct NoFields : RouterFields {
    QString text(Field) const override { return {}; }
};

struct ConsolePieces : RouterTargets, ReceiveActions {
    QStringList pieces;
    ResponseRouter *router = nullptr;
    void replacePaneText(Pane, const QString &) override {}
    void appendQueryPane(const QString &) override {}
    void appendConsole(const QString &text) override {
        if (!text.isEmpty()) pieces << text;
    }
    void write(const QByteArray &) override {}
    void reconnect() override {}
    void passwordSent() override {}
    void loginRejected() override {}
    void deliver(const QByteArray &chunk) override { router->route(chunk); }
};

// The listing as the router appends it to the console, one piece per read.
const QStringList &consolePieces() {
    static const QStringList pieces = [] {
        QTemporaryDir dir;
        SettingsStore settings(dir.path() + QStringLiteral("/config.ini"));
        NoFields fields;
        RouterHandlers handlers;
        SharedValues shared;
        ConsolePieces sink;
        ResponseRouter router(fields, sink, handlers, shared, settings);
        sink.router = &router;
        ReceivePath path(settings);
        const QByteArray &stream = frameListingStream();
        for (qsizetype at = 0; at < stream.size(); at += ChunkBytes)
            path.feed(QByteArrayView(stream).sliced(at, std::min(ChunkBytes, stream.size() - at)), sink);
        return sink.pieces;
    }();
    return pieces;
}

int listingsFor(qsizetype bytes) {
    return int((bytes + frameListingStream().size() - 1) / frameListingStream().size());
}

// The bytes the pane takes in, for the floor: the listing as often as it is appended.
const QByteArray &appendedBytes() {
    static const QByteArray all = frameListingStream().repeated(listingsFor(PaneBytes));
    return all;
}

std::unique_ptr<OperatorConsole> shownConsole() {
    auto console = std::make_unique<OperatorConsole>();
    console->resize(1000, 320);
    console->show();
    QApplication::processEvents();
    return console;
}

// CPU seconds to append one listing and let the pane show it.
double appendListing(OperatorConsole &console) {
    const double start = cpuSeconds();
    int n = 0;
    for (const QString &piece : consolePieces()) {
        console.append(piece);
        if (++n % PiecesPerTurn == 0) QApplication::processEvents();
    }
    // The last batch waits for its turn without using the processor.
    while (console.hasPendingText())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();
    return cpuSeconds() - start;
}

// 50 MB into a fresh pane. "slowdown" is the last listing's time over the first one's: a pane that
// is full must take a listing as fast as an empty one.
void BM_ConsoleAppend50MB(benchmark::State &state) {
    const int listings = listingsFor(PaneBytes);
    FloorRatio floor;
    double first = 0, last = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto console = shownConsole();
        consolePieces();
        state.ResumeTiming();
        floor.start();
        for (int i = 0; i < listings; ++i) {
            const double t = appendListing(*console);
            if (i == 0) first = t;
            last = t;
        }
        floor.stop();
        state.PauseTiming();
        console.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * appendedBytes().size());
    state.counters["first_listing_ms"] = first * 1e3;
    state.counters["last_listing_ms"] = last * 1e3;
    state.counters["slowdown"] = last / std::max(first, 1e-9);
    floor.report(state, appendedBytes());
}
BENCHMARK(BM_ConsoleAppend50MB)->Unit(benchmark::kMillisecond)->Iterations(1);

// The whole listing handed over at once, as one huge read would bring it: the longest event-loop
// turn until it is in the pane, which is how long typing may wait.
void BM_ConsoleWholeListingAtOnce(benchmark::State &state) {
    const QString listing = consolePieces().join(QString());
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    FloorRatio floor;
    double longest = 0;
    int turns = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto console = shownConsole();
        state.ResumeTiming();
        floor.start();
        console->append(listing);
        turns = 0;
        for (bool busy = true; busy; ++turns) {
            const double start = cpuSeconds();
            busy = dispatcher->processEvents(QEventLoop::AllEvents);
            longest = std::max(longest, cpuSeconds() - start);
        }
        floor.stop();
        state.PauseTiming();
        console.reset();
        state.ResumeTiming();
    }
    state.counters["longest_turn_ms"] = longest * 1e3;
    state.counters["turns"] = turns;
    floor.report(state, frameListingStream());
}
BENCHMARK(BM_ConsoleWholeListingAtOnce)->Unit(benchmark::kMillisecond)->Iterations(3);

// One key typed into the command entry, and the window brought up to date, while the pane holds
// what 50 MB of listings left in it.
void BM_ConsoleTypingWhenFull(benchmark::State &state) {
    auto console = shownConsole();
    for (int i = 0; i < listingsFor(PaneBytes); ++i)
        appendListing(*console);
    console->entry->setFocus();
    FloorRatio floor; // over one listing: a key costs this part of a pass over it
    int typed = 0;
    for (auto _ : state) {
        floor.start();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(console->entry, &press);
        QApplication::sendEvent(console->entry, &release);
        QApplication::processEvents();
        floor.stop();
        if (++typed % 200 == 0) console->entry->clear();
    }
    state.counters["pane_lines"] = double(console->pane->blockCount());
    floor.report(state, frameListingStream());
}
BENCHMARK(BM_ConsoleTypingWhenFull)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform says it cannot do this for every window shown: not about the pane.
    static const QtMessageHandler standard = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (!message.contains(u"propagateSizeHints")) standard(type, context, message);
    });
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
