// How long a new client waits for its login prompt while 200 others list the whole full chassis
// at once, half of them gone before the reply and half never reading it. The simulator runs as a
// process of its own, as it does for the console, so the wait is wall time across two processes.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>

#include <benchmark/benchmark.h>

#include "ListingBurst.h"

namespace {

// Runs the event loop until `done` holds or `ms` pass; says whether it held.
template <class Done> bool spin(Done done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// The simulator as a process on a free loopback port, serving the full scenario.
struct Simulator {
    QProcess process;
    quint16 port = 0;

    bool start() {
        process.start(TW_SIM_BINARY, {"--listen", "127.0.0.1:0", "--scenario", "full"});
        if (!process.waitForStarted() || !spin([&] { return process.canReadLine(); }, 10000)) return false;
        port = QString::fromUtf8(process.readLine()).trimmed().section(':', -1).toUShort();
        return port != 0;
    }
    ~Simulator() {
        process.kill();
        process.waitForFinished();
    }
};

void BM_LoginDuringBurst(benchmark::State &state) {
    int argc = 0;
    static QCoreApplication *app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, nullptr);
    (void)app;
    Simulator sim;
    tw::sim::testing::ListingBurst burst;
    if (sim.start()) burst.start(sim.port, 200);
    if (!sim.port || !spin([&] { return burst.listing == 200; }, 20000)) {
        state.SkipWithError("the burst did not start");
        return;
    }
    for (auto _ : state) {
        QTcpSocket late;
        QByteArray got;
        QObject::connect(&late, &QTcpSocket::readyRead, [&] { got += late.readAll(); });
        late.connectToHost(QHostAddress::LocalHost, sim.port);
        if (!spin([&] { return got.contains(">>User name:"); }, 10000)) {
            state.SkipWithError("no login prompt");
            return;
        }
        late.abort();
    }
}
BENCHMARK(BM_LoginDuringBurst)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

} // namespace
