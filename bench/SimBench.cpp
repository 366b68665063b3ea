// How fast the simulator streams the biggest listing: "display ont info 0 all" of the full
// scenario (16 boards, 16 ports, 128 ONTs each), paged the way the console answers it.
#include "Scenario.h"
#include "Server.h"
#include "Session.h"

#include <QCoreApplication>
#include <QTcpSocket>

#include <benchmark/benchmark.h>

using namespace tw::sim;

namespace {

const Device &fullDevice() {
    static const Device device = fullScenario(1);
    return device;
}

// In-process: the session renders, pages and answers as it would on a socket.
void BM_FrameListingInProcess(benchmark::State &state) {
    Device device = fullDevice();
    Faults faults;
    qint64 bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Session session(device, faults);
        session.start();
        session.receive("root\r\nadmin\r\n\r\nQ\r\n\r\nenable\r\nconfig\r\nswitch language-mode\r\n\r\n");
        state.ResumeTiming();
        for (const Write &w : session.receive("display ont info 0 all\r\n"))
            bytes += w.bytes.size();
        while (session.paging())
            for (const Write &w : session.receive("    \r\n\r\n"))
                bytes += w.bytes.size();
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_FrameListingInProcess)->Unit(benchmark::kMillisecond);

// Its first page alone: a listing is made as its pages are asked for, so this does not grow with
// the chassis.
void BM_FrameListingFirstPage(benchmark::State &state) {
    Device device = fullDevice();
    Faults faults;
    qint64 bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Session session(device, faults);
        session.start();
        session.receive("root\r\nadmin\r\n\r\nQ\r\n\r\nenable\r\nconfig\r\nswitch language-mode\r\n\r\n");
        state.ResumeTiming();
        for (const Write &w : session.receive("display ont info 0 all\r\n"))
            bytes += w.bytes.size();
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_FrameListingFirstPage)->Unit(benchmark::kMicrosecond);

// Over loopback: a telnet client logs in, turns paging off and reads the listing to its prompt.
void BM_FrameListingOverLoopback(benchmark::State &state) {
    int argc = 0;
    static QCoreApplication *app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, nullptr);
    (void)app;
    Device device = fullDevice();
    Faults faults;
    OltServer server(device, faults, SessionOptions{.gapMs = 0});
    if (!server.listen(QHostAddress::LocalHost, 0)) {
        state.SkipWithError("cannot listen");
        return;
    }
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server.port());
    auto readUntil = [&](const QByteArray &end) {
        QByteArray got;
        while (!got.endsWith(end)) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            got += socket.readAll();
            if (got.size() > end.size()) got = got.right(end.size() * 2); // keep only the tail we compare
        }
        return got;
    };
    readUntil(">>User name:");
    socket.write("root\r\nadmin\r\nenable\r\nconfig\r\nscroll 0\r\n");
    readUntil("(config)#");
    qint64 bytes = 0;
    for (auto _ : state) {
        socket.write("display ont info 0 all\r\n");
        QByteArray tail;
        while (!tail.endsWith("MA5680T(config)#")) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            const QByteArray chunk = socket.readAll();
            bytes += chunk.size();
            tail = (tail + chunk).right(64);
        }
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_FrameListingOverLoopback)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
