#include "olt/OltConnection.h"
#include "olt/OltDisconnect.h"
#include "olt/OltLink.h"
#include "olt/TestConnection.h"

#include "TestDoubles.h"
#include "common/ActivityLog.h"
#include "common/Gbk.h"
#include "common/PasswordCodec.h"
#include "common/SettingsStore.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace tw;

namespace {

QByteArray gbk(const char *utf8) {
    return toGbk(QString::fromUtf8(utf8));
}

const QByteArray Offers("\xff\xfb\x01\xff\xfd\x1f");   // WILL ECHO, DO NAWS
const QByteArray Refusals("\xff\xfe\x01\xff\xfc\x1f"); // DONT ECHO, WONT NAWS
const QByteArray Banner = "\r\n  Huawei Integrated Access Software.";
const QByteArray Rejected = "\r\n  Username or password invalid.";

// The far end on 127.0.0.1: accepts connections and keeps what each one received.
struct Peer {
    QTcpServer server;
    std::vector<QTcpSocket *> sockets;
    std::vector<QByteArray> received;
    // When set, every line received is echoed and answered with this prompt, as a CLI would.
    QByteArray cliPrompt;

    Peer() {
        EXPECT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket *s = server.nextPendingConnection()) {
                const size_t i = sockets.size();
                sockets.push_back(s);
                received.emplace_back();
                QObject::connect(s, &QTcpSocket::readyRead, [this, s, i] {
                    const QByteArray bytes = s->readAll();
                    received[i] += bytes;
                    if (cliPrompt.isEmpty()) return;
                    for (const QByteArray &line : bytes.split('\n').mid(0, bytes.count('\n')))
                        s->write(line.trimmed() + "\r\n" + cliPrompt);
                });
            }
        });
    }
    quint16 port() const { return server.serverPort(); }
    bool waitConnections(size_t n) {
        return QTest::qWaitFor([&] { return sockets.size() >= n; }, 5000);
    }
    bool waitReceived(const QByteArray &bytes, size_t i = 0) {
        return QTest::qWaitFor([&] { return i < received.size() && received[i] == bytes; }, 5000);
    }
    // One chunk for the client: written, and given time to be read on its own.
    void say(const QByteArray &bytes, size_t i = 0) {
        sockets.at(i)->write(bytes);
        sockets.at(i)->flush();
        QTest::qWait(50);
    }
};

quint16 closedPort() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort(); // closed again when s goes
}

struct ConnectionTest : ::testing::Test {
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "olt_tests";
        static char *argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    }

    test::TempRunDir run;
    SettingsStore settings{run.config()};
    test::ScriptedOperator op;
    Peer peer;

    void SetUp() override {
        settings.write(settings::OltAddress, QStringLiteral("127.0.0.1"));
        settings.write(settings::OltPort, QString::number(peer.port()) + QStringLiteral(".7"));
        settings.write(settings::OltAccount, QStringLiteral("admin"));
        settings.write(settings::OltPassword, encodePassword(QStringLiteral("s3cret")));
        settings.writeSwitch(settings::AutoReconnect, false);
    }

    static QByteArray joined(const QSignalSpy &spy) {
        QByteArray all;
        for (const auto &args : spy)
            all += args.at(0).toByteArray();
        return all;
    }
};

} // namespace

TEST_F(ConnectionTest, LogsInAndHandsOutputOn) {
    OltConnection conn(settings, op);
    QSignalSpy passed(&conn, &OltConnection::chunkReceived);
    QSignalSpy answered(&conn, &OltConnection::loginAnswered);
    ASSERT_TRUE(conn.connectToOlt());
    ASSERT_TRUE(peer.waitConnections(1));

    peer.say(Offers + "\r\n>>User name:");
    EXPECT_TRUE(peer.waitReceived(Refusals + "admin\r\n"));
    EXPECT_EQ(answered.count(), 0);
    // The post-login lines go one at a time, each once the one before has its prompt.
    peer.cliPrompt = "MA5680T(config)#";
    peer.say("\r\n>>User password:");
    EXPECT_TRUE(peer.waitReceived(Refusals + "admin\r\ns3cret\r\n\r\nQ\r\n\r\nenable\r\nconfig\r\n"
                                             "switch language-mode\r\n\r\n"));
    EXPECT_EQ(answered.count(), 1);
    QTest::qWait(100);
    peer.cliPrompt.clear();

    peer.say(gbk("display vlan all\r\n  共 1 个\r\nMA5680T(config)#"));
    const QByteArray expected = gbk("display vlan all\r\n  共 1 个\r\nMA5680T(config)#");
    EXPECT_TRUE(QTest::qWaitFor([&] { return joined(passed).endsWith(expected); }, 5000))
        << joined(passed).data();
    EXPECT_TRUE(joined(passed).startsWith("\r\n>>User name:\r\n>>User password:"));
    EXPECT_TRUE(op.boxes.isEmpty());

    peer.received[0].clear();
    EXPECT_TRUE(conn.send(QStringLiteral("display ont info 0 1 0 all\r\n")));
    EXPECT_TRUE(peer.waitReceived("display ont info 0 1 0 all\r\n"));
}

// The OLT asks for the account again after a refused login: answering would be refused again, box
// after box (and may lock the account). One box, the link closed, and no dialling until 重连.
TEST_F(ConnectionTest, RejectedLoginShowsOneBoxClosesTheLinkAndWaitsForTheOperator) {
    OltConnection conn(settings, op);
    QSignalSpy states(&conn, &OltConnection::stateChanged);
    ASSERT_TRUE(conn.connectToOlt());
    ASSERT_TRUE(peer.waitConnections(1));
    EXPECT_EQ(conn.state(), LinkState::LoggingIn);

    peer.say("\r\n>>User name:");
    ASSERT_TRUE(peer.waitReceived("admin\r\n"));
    peer.say("\r\n>>User password:");
    ASSERT_TRUE(peer.waitReceived("admin\r\ns3cret\r\n"));
    peer.say(Rejected);
    peer.say("\r\n>>User name:");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return peer.sockets[0]->state() != QAbstractSocket::ConnectedState; }, 5000));
    QTest::qWait(200);
    ASSERT_EQ(op.boxes.size(), 1);
    EXPECT_EQ(op.boxes[0].text, QStringLiteral("用户名或密码不正确，或该用户已在其他地方登录！"));
    EXPECT_EQ(op.boxes[0].title, QStringLiteral("错误"));
    EXPECT_EQ(op.boxes[0].icon, BoxIcon::Error);
    EXPECT_EQ(peer.received[0], "admin\r\ns3cret\r\n") << "the second account prompt is not answered";
    EXPECT_EQ(conn.state(), LinkState::LoginFailed);
    EXPECT_FALSE(conn.isConnected());

    // 自动重连, the idle notice or a timer's query dial no more; the operator's 重连 does.
    EXPECT_FALSE(conn.connectToOlt());
    EXPECT_EQ(peer.sockets.size(), 1u);
    conn.allowRedial();
    EXPECT_TRUE(conn.connectToOlt());
    ASSERT_TRUE(peer.waitConnections(2));

    QList<LinkState> seen;
    for (const QList<QVariant> &s : states)
        seen.append(s[0].value<LinkState>());
    EXPECT_EQ(seen, (QList<LinkState>{LinkState::Connecting, LinkState::LoggingIn, LinkState::LoginFailed,
                                      LinkState::Connecting, LinkState::LoggingIn}));
}

TEST_F(ConnectionTest, IdleNoticeReconnectsOnlyWhenSwitchedOn) {
    OltConnection conn(settings, op);
    conn.setLoginGrace(100); // this far end asks no login
    ASSERT_TRUE(conn.connectToOlt());
    ASSERT_TRUE(peer.waitConnections(1));

    peer.say(gbk("请重建连接后登录"));
    EXPECT_TRUE(conn.send(QStringLiteral("ping")));
    EXPECT_TRUE(peer.waitReceived("ping", 0)) << "still on the first connection";
    EXPECT_EQ(peer.sockets.size(), 1u);

    settings.writeSwitch(settings::AutoReconnect, true);
    peer.say(gbk("请重建连接后登录"));
    ASSERT_TRUE(peer.waitConnections(2));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return peer.sockets[0]->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_TRUE(conn.send(QStringLiteral("pong")));
    EXPECT_TRUE(peer.waitReceived("pong", 1));
}

TEST_F(ConnectionTest, ConnectReadsTheSettingsAndReplacesTheSocket) {
    OltConnection conn(settings, op);
    conn.setLoginGrace(100); // this far end asks no login
    ASSERT_TRUE(conn.connectToOlt());
    Peer other;
    settings.write(settings::OltPort, QString::number(other.port()));
    ASSERT_TRUE(conn.connectToOlt());
    ASSERT_TRUE(other.waitConnections(1));
    ASSERT_TRUE(peer.waitConnections(1));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return peer.sockets[0]->state() == QAbstractSocket::UnconnectedState; }));

    EXPECT_TRUE(conn.send(QStringLiteral("display board 0\r\n")));
    EXPECT_TRUE(other.waitReceived("display board 0\r\n"));
    EXPECT_TRUE(peer.received[0].isEmpty());
}

TEST_F(ConnectionTest, SendFailsWhileNotConnected) {
    OltConnection conn(settings, op);
    EXPECT_FALSE(conn.send(QStringLiteral("display board 0\r\n")));

    for (const QString &port : {QString::number(closedPort()), QStringLiteral("0"), QStringLiteral("端口")}) {
        SCOPED_TRACE(port.toStdString());
        settings.write(settings::OltPort, port);
        EXPECT_FALSE(conn.connectToOlt());
        EXPECT_FALSE(conn.isConnected());
        EXPECT_FALSE(conn.send(QStringLiteral("display board 0\r\n")));
    }
}

TEST_F(ConnectionTest, DisconnectButton) {
    const QDateTime at(QDate(2024, 5, 6), QTime(8, 9, 10));
    ActivityLog log(settings, run.path(), test::FixedClock{at});
    test::RecordingSink sink;

    settings.writeSwitch(settings::AutoReconnect, true);
    EXPECT_FALSE(disconnectOlt(settings, sink, op, log));
    ASSERT_EQ(op.boxes.size(), 1);
    EXPECT_EQ(op.boxes[0].text, QStringLiteral("您已开启超时自动重连功能，此功能无效，请关闭后再试！"));
    EXPECT_EQ(op.boxes[0].title, QStringLiteral("信息："));
    EXPECT_EQ(op.boxes[0].icon, BoxIcon::None);
    EXPECT_TRUE(sink.writes.isEmpty());
    EXPECT_TRUE(run.readFile(QStringLiteral("日志/2024-05-06.txt")).isEmpty());

    settings.writeSwitch(settings::AutoReconnect, false);
    EXPECT_TRUE(disconnectOlt(settings, sink, op, log));
    EXPECT_EQ(sink.writes, QList<QByteArray>{"quit\r\nquit\r\ny\r\n"});
    EXPECT_EQ(run.readFile(QStringLiteral("日志/2024-05-06.txt")), gbk("08:09:10   手动与OLT断开连接！\r\n"));
    EXPECT_EQ(op.boxes.size(), 1);
}

TEST_F(ConnectionTest, TestConnectionWalksTheLogin) {
    TestConnection test(op);
    test.start(QStringLiteral("127.0.0.1"), QString::number(peer.port()) + QStringLiteral(".5"),
               QStringLiteral("admin"), QStringLiteral("pass word"));
    ASSERT_TRUE(peer.waitConnections(1));

    peer.say(Offers); // a real OLT's option offers come as a chunk of their own
    peer.say("\r\n>>User name:");
    EXPECT_TRUE(peer.waitReceived(Refusals + "admin\r\npass word\r\n\r\n\r\n\r\n"));
    EXPECT_TRUE(op.boxes.isEmpty());

    peer.received[0].clear();
    peer.say(Banner);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !op.boxes.isEmpty(); }, 5000));
    ASSERT_EQ(op.boxes.size(), 1);
    EXPECT_EQ(op.boxes[0].text, QStringLiteral("测试连接成功！"));
    EXPECT_EQ(op.boxes[0].title, QStringLiteral("信息："));
    EXPECT_EQ(op.boxes[0].icon, BoxIcon::Information);
    EXPECT_TRUE(peer.waitReceived("quit\r\ny\r\n\r\n\r\n"));
}

TEST_F(ConnectionTest, TestConnectionComparesWholeChunks) {
    TestConnection test(op);
    test.start(QStringLiteral("127.0.0.1"), QString::number(peer.port()), QStringLiteral("admin"),
               QStringLiteral("x"));
    ASSERT_TRUE(peer.waitConnections(1));

    peer.say("\r\n>>User name: ");
    peer.say("Press any key\r\n>>User name:");
    peer.say(Banner + "\r\n");
    peer.say(Rejected);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !op.boxes.isEmpty(); }, 5000));
    ASSERT_EQ(op.boxes.size(), 1);
    EXPECT_EQ(op.boxes[0].text, QStringLiteral("用户名或密码不正确！"));
    EXPECT_EQ(op.boxes[0].title, QStringLiteral("错误"));
    EXPECT_EQ(op.boxes[0].icon, BoxIcon::Error);
    EXPECT_TRUE(peer.received[0].isEmpty());
}

TEST_F(ConnectionTest, TestConnectionReportsABadAddressOrPort) {
    TestConnection test(op);
    for (const QString &port : {QString::number(closedPort()), QStringLiteral("abc")}) {
        SCOPED_TRACE(port.toStdString());
        op.boxes.clear();
        test.start(QStringLiteral("127.0.0.1"), port, QStringLiteral("admin"), QStringLiteral("x"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !op.boxes.isEmpty(); }, 5000));
        QTest::qWait(50); // and only once
        ASSERT_EQ(op.boxes.size(), 1);
        EXPECT_EQ(op.boxes[0].text, QStringLiteral("IP地址或端口不正确！"));
        EXPECT_EQ(op.boxes[0].title, QStringLiteral("错误"));
        EXPECT_EQ(op.boxes[0].icon, BoxIcon::Error);
    }
}

// A script that fails its "interface" line leaves the CLI at the privileged prompt after its
// "quit": once the OLT stays quiet there, "config" goes out once and the console is told.
TEST_F(ConnectionTest, StrandedAtThePrivilegedPromptReturnsToConfigurationOnce) {
    OltConnection conn(settings, op);
    conn.setStrandedDelay(200);
    QSignalSpy restored(&conn, &OltConnection::configurationRestored);
    ASSERT_TRUE(conn.connectToOlt());
    ASSERT_TRUE(peer.waitConnections(1));

    // Before the login, and on the way through it, the privileged prompt is no cause.
    peer.say("MA5680T#");
    QTest::qWait(400);
    peer.cliPrompt = "MA5680T#";
    peer.say("\r\n>>User password:");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return peer.received[0].endsWith("switch language-mode\r\n\r\n"); }, 5000));
    peer.cliPrompt.clear();
    peer.received[0].clear();
    peer.say("\r\nMA5680T>enable\r\n\r\nMA5680T#config\r\n\r\nMA5680T(config)#");
    QTest::qWait(400);
    EXPECT_EQ(restored.count(), 0);

    peer.say("quit\r\n\r\nMA5680T#");
    ASSERT_TRUE(peer.waitReceived("config\r\n"));
    ASSERT_EQ(restored.count(), 1);
    EXPECT_TRUE(restored[0][0].toString().contains(QStringLiteral("config")));
    // Refused again: not sent twice until configuration mode is back.
    peer.say("\r\n  % Unknown command\r\n\r\nMA5680T#");
    QTest::qWait(400);
    EXPECT_EQ(peer.received[0], "config\r\n");
    peer.say("config\r\n\r\nMA5680T(config)#quit\r\nMA5680T#");
    EXPECT_TRUE(peer.waitReceived("config\r\nconfig\r\n"));
    // Output that goes on is no stranding: a prompt-like line followed by more text.
    peer.received[0].clear();
    peer.say("config\r\nMA5680T(config)#display x\r\n  total#\r\n");
    QTest::qWait(400);
    EXPECT_TRUE(peer.received[0].isEmpty());
}

// A reboot or switch-over closes the connection from the OLT's side: with 自动重连 on the console
// dials again in the background until the OLT answers; with it off, it stays disconnected.
TEST_F(ConnectionTest, AutoReconnectDialsAgainAfterTheOltClosesTheConnection) {
    settings.writeSwitch(settings::AutoReconnect, true);
    OltConnection conn(settings, op);
    conn.setRetryDelay(100);
    ASSERT_TRUE(conn.connectToOlt());
    ASSERT_TRUE(peer.waitConnections(1));

    // The OLT goes away for a while: refused tries do not stop the retrying.
    const quint16 port = peer.port();
    peer.server.close();
    peer.sockets[0]->disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !conn.isConnected(); }, 5000));
    QTest::qWait(500);
    EXPECT_FALSE(conn.isConnected());
    ASSERT_TRUE(peer.server.listen(QHostAddress::LocalHost, port));
    ASSERT_TRUE(peer.waitConnections(2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return conn.isConnected(); }, 5000));

    settings.writeSwitch(settings::AutoReconnect, false);
    peer.sockets[1]->disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !conn.isConnected(); }, 5000));
    QTest::qWait(500);
    EXPECT_EQ(peer.sockets.size(), 2u);
}

// A script sent while the OLT is still in its login dialogue would be taken for the user name or
// password: it goes out right after the login instead.
TEST_F(ConnectionTest, ScriptsSentDuringTheLoginFollowIt) {
    OltConnection conn(settings, op);
    ASSERT_TRUE(conn.connectToOlt());
    ASSERT_TRUE(peer.waitConnections(1));
    peer.say("\r\n>>User name:");
    ASSERT_TRUE(peer.waitReceived("admin\r\n"));
    EXPECT_TRUE(conn.send(QStringLiteral("display ont autofind all\r\n")));
    QTest::qWait(100);
    EXPECT_EQ(peer.received[0], "admin\r\n");
    peer.cliPrompt = "MA5680T(config)#";
    peer.say("\r\n>>User password:");
    EXPECT_TRUE(
        peer.waitReceived("admin\r\ns3cret\r\n\r\nQ\r\n\r\nenable\r\nconfig\r\nswitch language-mode\r\n\r\n"
                          "display ont autofind all\r\n"));
    EXPECT_TRUE(op.boxes.isEmpty());
}

// Which protocol and port config.ini means. Files from before SSH (no 协议) dial telnet on 端口.
TEST(OltLink, ProtocolAndPortAsTheFileSays) {
    const struct {
        const char *ini;
        LinkProtocol protocol;
        quint16 port;
    } cases[] = {
        {"端口=23", LinkProtocol::Telnet, 23},
        {"端口=2323.5\nSSH端口=2222", LinkProtocol::Telnet, 2323},
        {"协议=SSH\n端口=23", LinkProtocol::Ssh, 22},
        {"协议= ssh \n端口=23\nSSH端口=2222", LinkProtocol::Ssh, 2222},
        {"协议=SSH\nSSH端口=0", LinkProtocol::Ssh, 0},
        {"协议=Telnett\n端口=70000", LinkProtocol::Telnet, 0},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.ini);
        test::TempRunDir run;
        run.writeConfig(QStringLiteral("[OLT]\nIP地址=olt.example\n") + QString::fromUtf8(k.ini) + '\n');
        const SettingsStore settings(run.config());
        const OltLink link = oltLink(settings);
        EXPECT_EQ(link.protocol, k.protocol);
        EXPECT_EQ(link.port, k.port);
        EXPECT_EQ(link.host, QStringLiteral("olt.example"));
    }
}
