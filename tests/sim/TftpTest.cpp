// Transfers over loopback against a real TFTP server (tftpd-hpa's in.tftpd, skipped when it is not
// installed): backups land on it, restores and firmware come from it, and a missing file or a
// server that never answers ends in the device's failure text and the prompt.
#include "SimDriver.h"

#include <QDir>
#include <QNetworkDatagram>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUdpSocket>

#include <pwd.h>
#include <unistd.h>

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

// in.tftpd on a free loopback port, serving (and taking new files into) a fresh directory.
struct TftpServer {
    QTemporaryDir root;
    QProcess process;
    quint16 port = 0;

    // Empty when it runs, else why not.
    QString start() {
        const QString program =
            QStandardPaths::findExecutable("in.tftpd", {"/usr/sbin", "/sbin", "/usr/local/sbin"});
        if (program.isEmpty()) return "in.tftpd is not installed (Debian package tftpd-hpa)";
        QUdpSocket probe;
        if (!probe.bind(QHostAddress::LocalHost, 0)) return "no free UDP port";
        port = probe.localPort();
        probe.close();
        const passwd *user = getpwuid(getuid());
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program,
                      {"--foreground", "--listen", "--address", QStringLiteral("127.0.0.1:%1").arg(port),
                       "--user", QString::fromLocal8Bit(user ? user->pw_name : "root"), "--secure",
                       "--create", "--permissive", root.path()});
        if (!process.waitForStarted(3000)) return "in.tftpd does not start";
        // Up once it holds the port.
        const bool up = QTest::qWaitFor(
            [&] {
                QUdpSocket taken;
                return process.state() != QProcess::Running || !taken.bind(QHostAddress::LocalHost, port);
            },
            3000);
        if (!up || process.state() != QProcess::Running)
            return "in.tftpd stopped: " + QString::fromLocal8Bit(process.readAll());
        return {};
    }

    ~TftpServer() {
        process.terminate();
        if (!process.waitForFinished(2000)) process.kill();
        process.waitForFinished(1000);
    }

    QString path(const QString &name) const { return QDir(root.path()).filePath(name); }
    QByteArray file(const QString &name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void put(const QString &name, const QByteArray &bytes) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

SessionOptions towards(quint16 tftpPort) {
    SessionOptions options;
    options.tftp.port = tftpPort;
    options.tftp.timeoutMs = 250;
    options.tftp.retries = 2;
    options.ontLoadMs = 300;
    return options;
}

// The small device with two more ONTs on the fibre of 0/1/2, registered.
Device withAFullerPort() {
    Cli cli;
    for (const char *sn : {"48575443000000C1", "48575443000000C2"}) {
        AutofindEntry e;
        e.at = {0, 1, 2};
        e.sn = sn;
        plugOnt(cli.device, e);
    }
    cli.login();
    cli.send(
        "interface gpon 0/1\r\n"
        "ont add 2 sn-auth 48575443000000C1 omci ont-lineprofile-id 1 ont-srvprofile-id 1\r\n\r\n"
        "ont add 2 sn-auth 48575443000000C2 omci ont-lineprofile-id 1 ont-srvprofile-id 1\r\n\r\nquit\r\n");
    return std::move(cli.device);
}

class SimTftp : public ::testing::Test {
  protected:
    void SetUp() override {
        const QString why = tftp.start();
        if (!why.isEmpty()) GTEST_SKIP() << why.toStdString();
    }
    TftpServer tftp;
};

TEST_F(SimTftp, BackupsLandOnTheServerAndTheDatabaseComesBack) {
    LoopbackSim sim(smallDevice(), towards(tftp.port));
    Client client(sim.server->port());
    client.login();
    client.send("backup configuration tftp 127.0.0.1 MA5680T.cfg\r\ny\r\n");
    ASSERT_TRUE(client.waitFor(QString::fromUtf8("文件备份成功")));
    ASSERT_TRUE(client.waitFor("MA5680T(config)#"));
    const QString cfg = tw::fromGbk(tftp.file("MA5680T.cfg"));
    const QStringList inOrder = {
        "[gpon]",
        " interface gpon 0/1",
        " ont add 0 0 sn-auth \"485754430A1B2C3D\" omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc "
        "\"li_100-1\"",
        "[epon]",
        " interface epon 0/3",
        " ont add 0 0 mac-auth 00E0-FC11-2233 oam ont-lineprofile-id 2 ont-srvprofile-id 2 desc "
        "\"chen_300-1\"",
        "[bbs-config]",
        " service-port 12 vlan 100 epon 0/3/0 ont 0 multi-service user-vlan 41 tag-transform translate",
        "return",
    };
    const QStringList lines = cfg.split("\r\n");
    qsizetype from = 0;
    for (const QString &want : inOrder) {
        const qsizetype found = lines.indexOf(want, from);
        EXPECT_GE(found, 0) << want.toStdString() << " missing or out of order";
        if (found >= 0) from = found + 1;
    }

    const QJsonObject before = dump(sim.device);
    client.send("backup data tftp 127.0.0.1 MA5680T.dat\r\ny\r\n");
    ASSERT_TRUE(client.waitFor(QString::fromUtf8("文件备份成功")));
    client.send("interface gpon 0/1\r\nont modify 0 0 desc \"changed\"\r\nquit\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.device.ont({0, 1, 0}, 0)->desc == "changed"; }, 3000));
    client.send("load data tftp 127.0.0.1 MA5680T.dat all\r\ny\r\n");
    ASSERT_TRUE(client.waitFor(QString::fromUtf8("数据文件加载成功")));
    EXPECT_EQ(dump(sim.device), before);
}

TEST_F(SimTftp, ALoadedConfigurationBringsBackADeletedOnt) {
    LoopbackSim sim(smallDevice(), towards(tftp.port));
    sim.server->setRestartMs(300);
    Client client(sim.server->port());
    client.login();
    client.send("backup configuration tftp 127.0.0.1 MA5680T.cfg\r\ny\r\n");
    ASSERT_TRUE(client.waitFor(QString::fromUtf8("文件备份成功")));
    client.send("undo service-port 12\r\ninterface epon 0/3\r\nont delete 0 0\r\ny\r\nquit\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.device.ont({0, 3, 0}, 0) == nullptr; }, 3000));

    client.send("load configuration tftp 127.0.0.1 MA5680T.cfg all\r\ny\r\n");
    ASSERT_TRUE(client.waitFor(QString::fromUtf8("配置文件加载成功")));
    client.send("active  configuration  system\r\ny\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.closed; }, 3000)) << "the device restarts";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sim.server->booting(); }, 3000));

    Client again(sim.server->port());
    again.login();
    again.send("display ont info 0 3 0 all\r\n");
    EXPECT_TRUE(again.waitFor("00E0-FC11-2233"));
    const Ont *back = sim.device.ont({0, 3, 0}, 0);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->online());
    EXPECT_NE(sim.device.servicePort(12), nullptr);
}

TEST_F(SimTftp, FirmwareLoadsOntoOneOntAndOntoAWholePort) {
    tftp.put("ont.bin", QByteArray("V5R020C00S100\n") + QByteArray(3000, '\x5a'));
    tftp.put("port.bin", QByteArray(5000, '\x01'));
    LoopbackSim sim(withAFullerPort(), towards(tftp.port));
    Client client(sim.server->port());
    client.login();
    // As the firmware page sends it: one ONT, then every ONT of a port.
    client.send(
        "diagnose\r\nont-load info program ont.bin tftp 127.0.0.1\r\n\r\nont-load select 0/1 0 0\r\n\r\n"
        "ont-load start activemode immediate\r\n\r\n");
    ASSERT_TRUE(client.waitFor(QString::fromUtf8("开始加载")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.device.ontLoad.phase == OntLoad::Phase::Ended; }, 3000));
    EXPECT_EQ(sim.device.ont({0, 1, 0}, 0)->software, "V5R020C00S100");

    client.send("ont-load stop\r\n\r\nont-load info program port.bin tftp 127.0.0.1\r\n\r\n"
                "ont-load select 0/1 2 \r\n\r\nont-load start \r\n\r\n");
    ASSERT_TRUE(client.waitFor(QString::fromUtf8("开始加载")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.device.ontLoad.phase == OntLoad::Phase::Ended; }, 3000));
    client.send(
        "display ont-load select 0/1 2 \r\n\r\n\r\nquit\r\nconfig\r\n\r\ndisplay ont version 0 1 all\r\n");
    ASSERT_TRUE(client.waitFor(QString::fromUtf8("ONT总数：2，成功：2，失败：0")));
    ASSERT_TRUE(client.waitFor(QString::fromUtf8("ONT总数")));
    const QString versions = client.text().mid(client.text().lastIndexOf("display ont version"));
    EXPECT_EQ(versions.count("port "), 2) << "the package without a version line is named after its file";
    EXPECT_EQ(versions.count("V5R020C00S100"), 1) << versions.toStdString();
}

// A missing file and a server that never answers: the failure text, then the prompt; meanwhile
// another session is served.
TEST_F(SimTftp, MissingFileAndSilentServerEndInTheFailureAndThePrompt) {
    QUdpSocket silent;
    ASSERT_TRUE(silent.bind(QHostAddress::LocalHost, 0));
    const std::pair<quint16, const char *> cases[] = {
        {tftp.port, "失败：TFTP服务器拒绝传输：File not found"},
        {silent.localPort(), "失败：TFTP服务器无响应，操作超时"},
    };
    for (const auto &[port, text] : cases) {
        SCOPED_TRACE(text);
        LoopbackSim sim(smallDevice(), towards(port));
        Client waiting(sim.server->port()), other(sim.server->port());
        waiting.login();
        other.login();
        waiting.send("load data tftp 127.0.0.1 nothing.dat all\r\ny\r\ndisplay board 0\r\n");
        other.send("display board 0\r\n");
        EXPECT_TRUE(other.waitFor("H801GICF")) << "the other session is served meanwhile";
        ASSERT_TRUE(waiting.waitFor(QString::fromUtf8(text)));
        EXPECT_TRUE(waiting.waitFor("MA5680T(config)#display board 0"))
            << "the prompt, then what was typed meanwhile";
        EXPECT_TRUE(waiting.waitFor("H801GICF"));
    }
    int tries = 0;
    while (silent.hasPendingDatagrams()) {
        silent.receiveDatagram();
        ++tries;
    }
    EXPECT_EQ(tries, 3) << "the request, then two more tries";
}

} // namespace
