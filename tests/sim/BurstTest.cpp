// Long listings are made page by page as the client asks for them, with the same bytes on the
// wire; and a burst of clients listing the whole chassis leaves the simulator answering new logins.
#include "ListingBurst.h"
#include "SimDriver.h"

#include <QFile>
#include <QProcess>

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

const QByteArray kEnglishErase = "\x1b[37D" + QByteArray(37, ' ') + "\x1b[37D";

// A listing read to its end with the screen length given: the pages, and the text without paging.
struct Listing {
    QStringList pages;
    QString text;
};

Listing list(Cli &cli, const QString &command) {
    QString out = cli.run(command);
    Listing l;
    l.pages = out.split("  " + kEnglishPaging + QString::fromLatin1(kEnglishErase));
    l.text = l.pages.join(QString());
    return l;
}

TEST(SimPaging, LongListingsComeAPageAtATimeWithTheirWholeText) {
    struct Case {
        const char *command;
        std::function<QString(const Device &)> whole;
    };
    const Case cases[] = {
        {"display ont info 0 all",
         [](const Device &d) {
             QString out;
             renderOntTable(out, d, Lang::English, 0, std::nullopt, std::nullopt);
             return out;
         }},
        {"display ont info 0 2 all",
         [](const Device &d) {
             QString out;
             renderOntTable(out, d, Lang::English, 0, 2, std::nullopt);
             return out;
         }},
        {"display ont version 0 all",
         [](const Device &d) {
             QString out;
             renderOntVersionTable(out, d, Lang::English, 0, std::nullopt, std::nullopt);
             return out;
         }},
    };
    for (const Case &c : cases)
        for (int screen : {0, 7, 40}) {
            SCOPED_TRACE(std::string(c.command) + ", screen length " + std::to_string(screen));
            Cli cli(demoScenario(1));
            cli.login(false);
            cli.run(QStringLiteral("scroll %1").arg(screen));
            const Listing l = list(cli, c.command);
            EXPECT_EQ(l.text, QString(c.command) + "\r\n" + c.whole(cli.device) + "\r\nMA5680T(config)#");
            ASSERT_EQ(l.pages.size() > 1, screen > 0);
            for (qsizetype i = 0; i + 1 < l.pages.size(); ++i) // the echo's line end counts on the first
                EXPECT_EQ(l.pages[i].count("\r\n"), screen + (i == 0)) << "page " << i;
        }
}

// Pages are made when they are asked for: what another session changed meanwhile shows, and an ONT
// deleted under a listing is never looked at again.
TEST(SimPaging, EachPageShowsTheDeviceAsItIsThen) {
    Cli cli(demoScenario(1));
    cli.login(false);
    cli.run("scroll 20");
    const QString first = cli.send("display ont info 0 all\r\n");
    ASSERT_TRUE(cli.session->paging());
    ASSERT_FALSE(first.contains("0/ 2/")) << "board 2 comes later";
    std::vector<std::pair<PortRef, int>> onBoard2;
    for (const Ont &o : cli.device.onts)
        if (o.at.slot == 2) onBoard2.emplace_back(o.at, o.id);
    ASSERT_FALSE(onBoard2.empty());
    std::erase_if(cli.device.servicePorts, [](const ServicePort &sp) { return sp.at.slot == 2; });
    for (const auto &[at, id] : onBoard2)
        ASSERT_EQ(deleteOnt(cli.device, at, id), Failure::None);

    QString rest;
    while (cli.session->paging())
        rest += cli.send(" ");
    EXPECT_FALSE(rest.contains("0/ 2/"));
    EXPECT_TRUE(rest.contains("0/ 3/"));
    EXPECT_TRUE(rest.endsWith("MA5680T(config)#"));
}

TEST(SimPaging, QuitStopsAListingAndTheNextCommandRuns) {
    Cli cli(demoScenario(1));
    cli.login(false);
    cli.run("scroll 10");
    cli.send("display ont info 0 all\r\n");
    ASSERT_TRUE(cli.session->paging());
    EXPECT_EQ(cli.send("Q"), QString::fromLatin1(kEnglishErase) + "\r\nMA5680T(config)#");
    EXPECT_TRUE(cli.run("display board 0").contains("H806GPBD"));
}

// Without paging a long output goes out as the client reads it; what it typed meanwhile follows.
TEST(SimPaging, WithoutPagingTheOutputStreamsAndTypedLinesWait) {
    Device device = fullScenario(1);
    Faults faults;
    Session s(device, faults);
    s.start();
    s.receive("root\r\nadmin\r\nenable\r\nconfig\r\nscroll 0\r\n");
    QString out = decode(s.receive("display ont info 0 all\r\nsysname Y\r\n"));
    ASSERT_TRUE(s.streaming()) << "the listing does not come at once";
    EXPECT_LT(out.size(), 200 * 1024);
    while (s.streaming())
        out += decode(s.continueOutput());
    EXPECT_EQ(device.sysname, "Y");
    EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#sysname Y\r\n\r\nY(config)#"));
    EXPECT_EQ(out.count("In port"), 256);
}

qint64 residentKb(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Load test (exclude with ctest -E SimLoad): 200 clients log in and list the whole full chassis at
// once; half hang up, half never read. A new client still logs in and is answered, and the
// simulator does not make the listings nobody reads. How fast that login is answered is measured
// by sim_bench (BM_LoginDuringBurst).
TEST(SimLoad, ANewLoginIsAnsweredDuringABurstOfFullListings) {
    QProcess sim;
    sim.start(TW_BINARY_DIR "/sim/tarnwick-olt-sim", {"--listen", "127.0.0.1:0", "--scenario", "full"});
    ASSERT_TRUE(sim.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.canReadLine(); }, 10000));
    const quint16 port = QString::fromUtf8(sim.readLine()).trimmed().section(':', -1).toUShort();
    ASSERT_NE(port, 0);

    constexpr int kClients = 200;
    ListingBurst burst;
    burst.start(port, kClients);
    ASSERT_TRUE(QTest::qWaitFor([&] { return burst.listing == kClients; }, 10000))
        << burst.listing << " clients listing";

    Client late(port);
    ASSERT_TRUE(late.waitFor(">>User name:", 5000));
    late.consumed = 0;
    late.login();
    late.send("display board 0\r\n");
    EXPECT_TRUE(late.waitFor("H801SCUN"));

    const qint64 kb = residentKb(sim.processId());
    if (kb > 0) {
        EXPECT_LT(kb, 512 * 1024) << "nothing is made for clients that do not read";
    }
    sim.kill();
    sim.waitForFinished();
}

} // namespace
