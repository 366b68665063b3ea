// The full scenario's biggest listing ("display ont info 0 all", 32,768 ONTs, about 3.8 MB) read
// through the console's transports from the simulator on loopback: telnet over TcpTransport and
// SSH over SshTransport, with paging off ("scroll 0", arg 0) or every page answered as the console
// does (arg 1). Simulator and client share this thread, so its CPU time is the whole cost of a
// listing. The SSH figures carry "x_telnet": their time over the same listing over telnet, to
// check that SSH stays within 1.5 times telnet.
#include "BenchSupport.h"

#include "Scenario.h"
#include "Server.h"

#include "olt/SshTransport.h"
#include "olt/TcpTransport.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <map>
#include <memory>

using namespace tw;

namespace {

const QByteArray Prompt = QByteArrayLiteral("\r\nMA5680T(config)#");
const QByteArray PagingPrompt = QByteArrayLiteral("---- More ( Press 'Q' to break ) ----");
const QByteArray PagingAnswer = QByteArrayLiteral("    \r\n\r\n");

QCoreApplication &app() {
    static int argc = 1;
    static char name[] = "transport_bench";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *instance =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    return instance ? *instance : *QCoreApplication::instance();
}

// The simulator with the full chassis, serving telnet and SSH; one per process.
struct Olt {
    QCoreApplication &application = app(); // before the server's timers
    sim::Device device = sim::fullScenario(1);
    sim::Faults faults;
    sim::OltServer server{device, faults, sim::SessionOptions{.gapMs = 0}};
    QTemporaryDir run;
    bool up = false;

    Olt() {
        up = server.listen(QHostAddress::LocalHost, 0) && server.listenSsh(QHostAddress::LocalHost, 0);
    }
    static Olt &get() {
        static Olt olt;
        return olt;
    }
};

// A CLI in configuration mode over one transport; reads only keep the stream's tail.
class Cli {
  public:
    explicit Cli(bool ssh) {
        Olt &olt = Olt::get();
        if (ssh) {
            auto t = std::make_unique<SshTransport>();
            t->setCredentials("root", "admin");
            t->setKnownHostsFile(olt.run.path() + "/known_hosts");
            t->setTrustNewKey([](const QString &, const QString &) { return true; });
            transport_ = std::move(t);
        } else {
            transport_ = std::make_unique<TcpTransport>();
        }
        QObject::connect(transport_.get(), &Transport::failed, [this](const QString &why) { error_ = why; });
        transport_->connectToHost("127.0.0.1", ssh ? olt.server.sshPort() : olt.server.port());
        if (!ssh) {
            if (!readUntil(">>User name:", false)) return;
            transport_->write("root\r\n");
            if (!readUntil(">>User password:", false)) return;
            transport_->write("admin\r\n");
        }
        if (!readUntil("MA5680T>", false)) return;
        transport_->write("enable\r\nconfig\r\n");
        ready_ = readUntil(Prompt, false);
    }

    QString error() const { return ready_ ? QString() : error_.isEmpty() ? QStringLiteral("no prompt") : error_; }

    void setPaging(bool answerPages) {
        transport_->write(answerPages ? "scroll\r\n" : "scroll 0\r\n");
        readUntil(Prompt, false);
    }

    // Lists the chassis to its prompt; returns the bytes read, 0 when it did not end.
    qint64 listChassis(bool answerPages) {
        bytes_ = 0;
        transport_->write("display ont info 0 all\r\n");
        return readUntil(Prompt, answerPages) ? bytes_ : 0;
    }

  private:
    // Waits for events rather than polling, so that the thread's CPU time is the work alone.
    bool readUntil(const QByteArray &end, bool answerPages) {
        tail_.clear();
        bool stalled = false;
        QTimer watchdog; // a minute without progress ends the wait
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] { stalled = true; });
        watchdog.start(60000);
        while (!stalled && error_.isEmpty()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            const QByteArray got = transport_->readAll();
            if (got.isEmpty()) continue;
            watchdog.start(60000);
            bytes_ += got.size();
            tail_ = (tail_ + got).right(256);
            if (tail_.endsWith(end)) return true;
            if (answerPages && tail_.endsWith(PagingPrompt)) transport_->write(PagingAnswer);
        }
        return false;
    }

    std::unique_ptr<Transport> transport_;
    QString error_;
    QByteArray tail_;
    qint64 bytes_ = 0;
    bool ready_ = false;
};

// CPU seconds of the best of three telnet listings, for the SSH figures to be divided by.
double telnetSeconds(bool answerPages) {
    static std::map<bool, double> best;
    if (!best.count(answerPages)) {
        Cli cli(false);
        cli.setPaging(answerPages);
        double seconds = 1e9;
        for (int run = 0; run < 3; ++run) {
            const double start = bench::cpuSeconds();
            cli.listChassis(answerPages);
            seconds = std::min(seconds, bench::cpuSeconds() - start);
        }
        best[answerPages] = seconds;
    }
    return best[answerPages];
}

void listing(benchmark::State &state, bool ssh) {
    const bool answerPages = state.range(0) != 0;
    if (!Olt::get().up) {
        state.SkipWithError("the simulator cannot listen");
        return;
    }
    const double telnet = ssh ? telnetSeconds(answerPages) : 0;
    Cli cli(ssh);
    if (!cli.error().isEmpty()) {
        state.SkipWithError(cli.error().toStdString().c_str());
        return;
    }
    cli.setPaging(answerPages);
    qint64 bytes = 0;
    double spent = 0;
    for (auto _ : state) {
        const double start = bench::cpuSeconds();
        const qint64 got = cli.listChassis(answerPages);
        spent += bench::cpuSeconds() - start;
        if (got == 0) {
            state.SkipWithError("the listing did not end at its prompt");
            return;
        }
        bytes += got;
    }
    state.SetBytesProcessed(bytes);
    if (ssh && state.iterations() > 0 && telnet > 0)
        state.counters["x_telnet"] = spent / double(state.iterations()) / telnet;
}

void BM_ChassisListingTelnet(benchmark::State &state) {
    listing(state, false);
}
BENCHMARK(BM_ChassisListingTelnet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ChassisListingSsh(benchmark::State &state) {
    listing(state, true);
}
BENCHMARK(BM_ChassisListingSsh)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
