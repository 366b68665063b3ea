// The simulator over loopback: telnet server, control channel, faults, idle time-out, the program.
#include "SimDriver.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

TEST(SimLoopback, LoginPromptsArriveAsChunksOfTheirOwn) {
    LoopbackSim sim;
    Client client(sim.server->port());
    ASSERT_TRUE(client.waitFor(">>User name:"));
    EXPECT_EQ(client.chunks.last(), "\r\n>>User name:");
    client.send("root\r\n");
    ASSERT_TRUE(client.waitFor(">>User password:"));
    EXPECT_EQ(client.chunks.last(), "\r\n>>User password:");
    client.send(consoleLogin());
    ASSERT_TRUE(client.waitFor("MA5680T(config)#"));
    EXPECT_TRUE(client.chunks.contains("\r\n  Huawei Integrated Access Software."));
}

TEST(SimLoopback, RejectedLoginArrivesAsAChunkOfItsOwn) {
    LoopbackSim sim;
    ASSERT_EQ(controlCommand(sim.control->port(), "fault reject-logins"), "ok");
    Client client(sim.server->port());
    ASSERT_TRUE(client.waitFor(">>User name:"));
    client.send("root\r\n");
    ASSERT_TRUE(client.waitFor(">>User password:"));
    client.send(consoleLogin());
    ASSERT_TRUE(client.waitFor(">>User name:"));
    EXPECT_TRUE(client.chunks.contains("\r\n  Username or password invalid."));
}

TEST(SimLoopback, SeveralClientsAtOnceShareOneDevice) {
    LoopbackSim sim;
    Client a(sim.server->port()), b(sim.server->port());
    a.login();
    b.login();
    a.send("interface gpon 0/1\r\nont add 1 sn-auth 4857544311E70E9A omci ont-lineprofile-id 1 "
           "ont-srvprofile-id 1"
           "\r\n\r\nquit\r\n");
    ASSERT_TRUE(a.waitFor(QString::fromUtf8("ONT号 :0")));
    b.send("display ont info 0 1 1 all\r\n");
    EXPECT_TRUE(b.waitFor("4857544311E70E9A"));
}

TEST(SimLoopback, ChunkFaultCutsEveryWrite) {
    LoopbackSim sim;
    ASSERT_EQ(controlCommand(sim.control->port(), "fault chunk 7 2"), "ok");
    Client client(sim.server->port());
    client.login();
    client.chunks.clear();
    client.send("display board 0\r\n");
    ASSERT_TRUE(client.waitFor("H801GICF"));
    ASSERT_TRUE(client.waitFor("MA5680T(config)#"));
    for (const QByteArray &chunk : client.chunks)
        EXPECT_LE(chunk.size(), 7);
}

TEST(SimLoopback, SplitPagingPutsThePagingPromptInTwoChunks) {
    LoopbackSim sim;
    ASSERT_EQ(controlCommand(sim.control->port(), "fault split-paging"), "ok");
    Client client(sim.server->port());
    client.login();
    client.send("scroll 5\r\n");
    ASSERT_TRUE(client.waitFor("MA5680T(config)#"));
    client.chunks.clear();
    client.send("display board 0\r\n");
    ASSERT_TRUE(client.waitFor(kChinesePaging));
    const QByteArray prompt = tw::toGbk(kChinesePaging);
    for (const QByteArray &chunk : client.chunks)
        EXPECT_FALSE(chunk.contains(prompt)) << "the whole prompt never arrives in one chunk";
}

TEST(SimLoopback, DropAfterClosesMidOutput) {
    LoopbackSim sim;
    Client client(sim.server->port());
    client.login();
    const qsizetype before = client.all.size();
    ASSERT_EQ(controlCommand(sim.control->port(), "fault drop-after 100"), "ok");
    client.send("display ont info 0 1 0 all\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.closed; }, 3000));
    EXPECT_EQ(client.all.size() - before, 100);
}

TEST(SimLoopback, AlarmFaultAppearsInsideTheNextOutput) {
    LoopbackSim sim;
    Client client(sim.server->port());
    client.login();
    ASSERT_EQ(controlCommand(sim.control->port(), "fault alarm"), "ok");
    client.send("display board 0\r\n");
    ASSERT_TRUE(client.waitFor("MA5680T(config)#"));
    const QString out = client.text();
    const qsizetype alarm = out.indexOf(QString::fromUtf8("! 告警 "));
    ASSERT_GE(alarm, 0) << out.toStdString();
    EXPECT_LT(out.lastIndexOf("display board 0"), alarm);
    EXPECT_LT(alarm, out.lastIndexOf("H801GICF"));
}

TEST(SimLoopback, IdleTimeOutNoticeThenClose) {
    Device d = smallDevice();
    d.idleSeconds = 1;
    LoopbackSim sim(std::move(d));
    Client client(sim.server->port());
    client.login();
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.closed; }, 4000));
    EXPECT_TRUE(client.text().contains(QString::fromUtf8("请重建连接后登录")));
}

TEST(SimLoopback, RestartDropsEverySessionAndRefusesLoginsUntilBooted) {
    const std::pair<QByteArray, const char *> cases[] = {
        {"reboot system\r\ny\r\n", "  系统正在复位，请稍候...\r\n"},
        {"system switch-over\r\ny\r\n", "  正在进行主备倒换，请稍后重新登录\r\n"},
    };
    for (const auto &[script, notice] : cases) {
        SCOPED_TRACE(script.constData());
        Device d = smallDevice();
        d.boards[10].state = BoardState::StandbyNormal;
        LoopbackSim sim(std::move(d));
        sim.server->setRestartMs(500);
        Client a(sim.server->port()), b(sim.server->port());
        a.login();
        b.login();
        a.send(script);
        ASSERT_TRUE(QTest::qWaitFor([&] { return a.closed && b.closed; }, 3000));
        EXPECT_TRUE(a.text().endsWith(QString::fromUtf8(notice))) << "the notice, then the close";

        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, sim.server->port());
        EXPECT_FALSE(probe.waitForConnected(1000)) << "the port is closed while the device boots";
        EXPECT_EQ(controlCommand(sim.control->port(), "fault off"), "ok") << "the control channel stays";

        ASSERT_TRUE(QTest::qWaitFor([&] { return !sim.server->booting(); }, 3000));
        Client again(sim.server->port());
        again.login();
        again.send("display board 0\r\n");
        EXPECT_TRUE(again.waitFor("H801SCUN"));
    }
}

TEST(SimLoopback, ControlChannelChangesWhatTheCliShows) {
    LoopbackSim sim;
    const quint16 control = sim.control->port();
    EXPECT_EQ(controlCommand(control, "plug 0/1/5 sn 48575443CAFE0001"), "ok");
    EXPECT_EQ(controlCommand(control, "bogus"), "error unknown command bogus");
    Client client(sim.server->port());
    client.login();
    client.send("display ont autofind all\r\n");
    EXPECT_TRUE(client.waitFor("48575443CAFE0001 (HWTC-CAFE0001)"));
    const QJsonObject dump = QJsonDocument::fromJson(controlCommand(control, "dump").toUtf8()).object();
    EXPECT_EQ(dump["autofind"].toArray().size(), 3);
}

TEST(SimProgram, PrintsItsPortsAndServesTelnetAndControl) {
    QProcess sim;
    sim.start(TW_BINARY_DIR "/sim/tarnwick-olt-sim",
              {"--listen", "127.0.0.1:0", "--scenario", "demo", "--control", "127.0.0.1:0", "--seed", "7"});
    ASSERT_TRUE(sim.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.canReadLine(); }, 5000));
    const QString first = QString::fromUtf8(sim.readLine()).trimmed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.canReadLine(); }, 5000));
    const QString second = QString::fromUtf8(sim.readLine()).trimmed();
    ASSERT_TRUE(first.startsWith("listening 127.0.0.1:")) << first.toStdString();
    ASSERT_TRUE(second.startsWith("control 127.0.0.1:")) << second.toStdString();
    Client client(first.section(':', 1).toUShort());
    client.login();
    client.send("display ont info 0 1 0 all\r\n\r\n");
    EXPECT_TRUE(client.waitFor(QString::fromUtf8("在端口 0/ 1/0 上")));
    EXPECT_EQ(controlCommand(second.section(':', 1).toUShort(), "fault off"), "ok");
    sim.kill();
    sim.waitForFinished();

    QProcess bad;
    bad.start(TW_BINARY_DIR "/sim/tarnwick-olt-sim",
              {"--listen", "127.0.0.1:0", "--scenario", "/no/such.json"});
    ASSERT_TRUE(bad.waitForFinished(5000));
    EXPECT_NE(bad.exitCode(), 0);
    EXPECT_TRUE(bad.readAllStandardError().contains("cannot read scenario"));
}

} // namespace
