// The optical history's two costs that grow with the network: reading a whole board in (parse the
// simulator's listings of 16 ports, 2,048 ONTs, and store them as one reading; and the same as the
// page's reading does it, port by port, joined with the ONT list), and drawing one ONT's trend out
// of 100 readings of a full chassis (32,768 ONTs, 3.3 million samples). The chassis database is
// built once, in the build directory, and reused while it is complete.
#include "common/CommandSink.h"
#include "common/GridModel.h"
#include "monitor/OpticalHistory.h"
#include "monitor/OpticalParser.h"
#include "monitor/OpticalReading.h"

#include "Scenario.h"
#include "Session.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

using namespace tw;

namespace {

const QDateTime T0 = QDateTime::fromString("2024-05-20T08:00:00Z", Qt::ISODate);

sim::Device &chassis() {
    static sim::Device device = [] {
        sim::Device d = sim::fullScenario(1);
        for (sim::Ont &o : d.onts) // every ONT online: the board reading holds all 2,048
            o.plugged = true;
        return d;
    }();
    return device;
}

// What the simulator sends for "display ont optical-info <p> all" on each port of board 0/1:
// Chinese, paged, with the prompts.
const QList<QByteArray> &portListings() {
    static const QList<QByteArray> listings = [] {
        sim::Faults faults;
        sim::Session session(chassis(), faults);
        session.start();
        session.receive("root\r\nadmin\r\n\r\nQ\r\n\r\nenable\r\nconfig\r\nswitch language-mode\r\n\r\n");
        sim::readToEnd(session, "interface gpon 0/1\r\n");
        QList<QByteArray> all;
        for (int port = 0; port < 16; ++port)
            all << sim::readToEnd(session,
                                  "display ont optical-info " + QByteArray::number(port) + " all\r\ny\r\n");
        return all;
    }();
    return listings;
}

// The board's listings one port after the other, as one output.
const QByteArray &boardListing() {
    static const QByteArray bytes = portListings().join();
    return bytes;
}

// Serials by place, as the ONT list gives them to the reading.
const std::map<std::tuple<int, int, int>, QString> &serials() {
    static const auto map = [] {
        std::map<std::tuple<int, int, int>, QString> m;
        for (const sim::Ont &o : chassis().onts)
            m[{o.at.slot, o.at.port, o.id}] = o.sn;
        return m;
    }();
    return map;
}

OpticalSnapshot readingOf(const std::vector<OpticalRow> &rows, const QDateTime &taken, const QString &scope) {
    OpticalSnapshot r{taken, scope, {}};
    r.samples.reserve(rows.size());
    for (const OpticalRow &row : rows) {
        const auto it = serials().find({row.slot, row.port, row.ontId});
        r.samples.push_back({it == serials().end() ? QString() : it->second, row});
    }
    return r;
}

void BM_ParseBoardReading(benchmark::State &state) {
    const QByteArray &bytes = boardListing();
    size_t rows = 0;
    for (auto _ : state)
        rows = parseOpticalInfo(bytes).size();
    state.counters["rows"] = double(rows);
    state.SetBytesProcessed(qint64(state.iterations()) * bytes.size());
}
BENCHMARK(BM_ParseBoardReading)->Unit(benchmark::kMillisecond);

// Parse and store, as the console does with each board it reads, into a history that grows.
void BM_ParseAndStoreBoardReading(benchmark::State &state) {
    QTemporaryDir dir;
    OpticalHistory history(RunDirectory{dir.path()});
    if (!history.open()) return state.SkipWithError(history.error().toStdString().c_str());
    const QByteArray &bytes = boardListing();
    int n = 0;
    size_t rows = 0;
    for (auto _ : state) {
        const std::vector<OpticalRow> parsed = parseOpticalInfo(bytes);
        rows = parsed.size();
        if (!history.store(readingOf(parsed, T0.addSecs(3600 * n++), "0/1")))
            return state.SkipWithError(history.error().toStdString().c_str());
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_ParseAndStoreBoardReading)->Unit(benchmark::kMillisecond)->UseRealTime();

// Answers each port's script at once with the simulator's listing of that port, as the runner
// reports it: the listing is the answer to the display line.
struct ListingSink : CommandSink {
    bool send(const QString &) override { return true; }
    bool run(const QString &script, ScriptDone done, RunOptions) override {
        const QString display = script.section(QStringLiteral("\r\n"), 1, 1);
        const int port = display.section(u' ', 3, 3).toInt();
        ScriptOutcome outcome;
        outcome.lines.append({display, display, portListings().value(port), {}});
        done(outcome);
        return true;
    }
};

// The whole reading of the board as the page runs it: every port's listing parsed, joined with an
// ONT list of the chassis' 2,048 ONTs of that board, and stored as one reading.
void BM_BoardReadingJoinedAndStored(benchmark::State &state) {
    QTemporaryDir dir;
    OpticalHistory history(RunDirectory{dir.path()});
    if (!history.open()) return state.SkipWithError(history.error().toStdString().c_str());
    GridModel ontList(ontListColumns());
    for (const sim::Ont &o : chassis().onts)
        if (o.at.slot == 1)
            ontList.appendRow({QStringLiteral("0/1/%1").arg(o.at.port), QString::number(o.id), o.sn});
    ListingSink sink;
    OpticalReading reading(sink, &history, &ontList);
    int n = 0;
    reading.clock = [&n] { return T0.addSecs(3600 * n); };
    size_t rows = 0;
    QString failed;
    reading.finished = [&](const OpticalResult &r) {
        rows = r.entries.size();
        failed = r.storeError;
    };
    const QList<PonBoard> board{{0, 1, PonKind::Gpon, 16}};
    for (auto _ : state) {
        reading.start({OpticalScope::Board, 0, 1, 0}, board);
        ++n;
        if (!failed.isEmpty()) return state.SkipWithError(failed.toStdString().c_str());
    }
    if (rows != 2048) state.SkipWithError("the reading does not hold the board's 2,048 ONTs");
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_BoardReadingJoinedAndStored)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr int kReadings = 100;

// The run directory of the chassis history: 100 hourly readings of every ONT, each level a little
// off the model's so that no two samples are alike.
QString chassisHistoryDir() {
    const QString path = QStringLiteral(TW_BENCH_DIR "/optical-history");
    {
        OpticalHistory existing(RunDirectory{path});
        if (QFile::exists(RunDirectory{path}.file(OpticalHistory::fileName())) && existing.open() &&
            existing.readingCount() == kReadings)
            return path;
    }
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    OpticalHistory history(RunDirectory{path});
    if (!history.open()) return {};
    std::vector<OpticalRow> rows;
    for (const sim::Ont &o : chassis().onts) {
        OpticalRow r;
        r.frame = o.at.frame;
        r.slot = o.at.slot;
        r.port = o.at.port;
        r.ontId = o.id;
        r.txPower = o.txPower;
        r.temperature = o.temperature;
        r.voltage = o.voltage;
        r.biasCurrent = o.biasCurrent;
        r.distance = o.distance;
        rows.push_back(r);
    }
    for (int n = 0; n < kReadings; ++n) {
        for (size_t i = 0; i < rows.size(); ++i) {
            const sim::Ont &o = chassis().onts[i];
            const double drift = double((i * 7 + size_t(n) * 13) % 41 - 20) / 100;
            rows[i].rxPower = o.rxPower + drift;
            rows[i].oltRxPower = o.oltRxPower + drift;
        }
        if (!history.store(readingOf(rows, T0.addSecs(3600 * n), "0"))) return {};
    }
    return path;
}

void BM_TrendOfOneOntInAFullChassisHistory(benchmark::State &state) {
    const QString path = chassisHistoryDir();
    if (path.isEmpty()) return state.SkipWithError("the chassis history could not be built");
    OpticalHistory history(RunDirectory{path});
    if (!history.open()) return state.SkipWithError(history.error().toStdString().c_str());
    const QString serial = chassis().onts[chassis().onts.size() / 2 + 77].sn;
    size_t points = 0;
    for (auto _ : state)
        points = history.trend(serial).size();
    if (points != kReadings) state.SkipWithError("the trend does not have a point per reading");
    state.counters["points"] = double(points);
}
BENCHMARK(BM_TrendOfOneOntInAFullChassisHistory)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
