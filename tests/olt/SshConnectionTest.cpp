// The connection and "测试连接" over SSH against the simulator on loopback: the login without
// prompts, the host-key questions through the operator, and refusals that are shown once and never
// dialled again behind the operator's back.
#include "olt/OltConnection.h"
#include "olt/TestConnection.h"
#include "olt/TransportTexts.h"

#include "SimDriver.h"
#include "TestDoubles.h"
#include "common/Operator.h"
#include "common/PasswordCodec.h"
#include "common/SettingsStore.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace tw;
using namespace tw::sim;
using namespace tw::sim::testing;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// A simulator serving SSH (with the host key in `keyFile`) on `port`, 0 for any.
struct SshOlt : LoopbackSim {
    explicit SshOlt(const QString &keyFile, quint16 port = 0) {
        EXPECT_TRUE(server->listenSsh(QHostAddress::LocalHost, port, keyFile, {}))
            << server->sshError().toStdString();
    }
    quint16 port() const { return server->sshPort(); }
    QString fingerprint() const { return server->sshFingerprint(); }
};

// The console's side: config.ini saying SSH to the simulator, with 自动重连 on, and its connection.
struct SshConsole {
    const test::TempRunDir &run;
    SettingsStore settings{run.config()};
    test::ScriptedOperator op;
    OltConnection conn{settings, op};
    QByteArray received;

    SshConsole(const test::TempRunDir &r, quint16 port, const QString &password = QStringLiteral("admin"))
        : run(r) {
        settings.write(settings::OltAddress, QStringLiteral("127.0.0.1"));
        settings.write(settings::OltProtocol, QStringLiteral("SSH"));
        settings.write(settings::OltSshPort, QString::number(port));
        settings.write(settings::OltAccount, QStringLiteral("root"));
        settings.write(settings::OltPassword, encodePassword(password));
        settings.writeSwitch(settings::AutoReconnect, true);
        conn.setRetryDelay(100);
        QObject::connect(&conn, &OltConnection::chunkReceived,
                         [this](const QByteArray &c) { received += c; });
    }
    QString target() const { return QStringLiteral("127.0.0.1:%1").arg(settings.read(settings::OltSshPort)); }
    bool loggedIn() {
        return QTest::qWaitFor([&] { return received.endsWith("MA5680T(config)#"); }, 5000);
    }
    // Nothing more happens for a while: no box, no connection.
    void quietly(qsizetype boxes) {
        QTest::qWait(600); // several retry delays
        EXPECT_EQ(op.boxes.size(), boxes);
        EXPECT_FALSE(conn.isConnected());
    }
};

} // namespace

// First use: asked, with the fingerprint, and stored; then known and silent. A changed key is
// refused naming both fingerprints, and neither 自动重连 nor a later connect dials it again
// until the operator does.
TEST(SshConnection, HostKeyAskedOnFirstUseKnownThenAndAChangedKeyRefusedOnce) {
    test::TempRunDir run;
    const QString keyA = run.path() + "/a.key", keyB = run.path() + "/b.key";
    auto olt = std::make_unique<SshOlt>(keyA);
    const quint16 port = olt->port();
    const QString fingerprintA = olt->fingerprint();
    SshConsole console(run, port);
    QSignalSpy answered(&console.conn, &OltConnection::loginAnswered);

    console.op.answer(true);
    ASSERT_TRUE(console.conn.connectToOlt());
    ASSERT_EQ(console.op.boxes.size(), 1);
    EXPECT_EQ(console.op.boxes[0].title, Operator::HostKeyTitle);
    EXPECT_EQ(console.op.boxes[0].text, Operator::hostKeyQuestion(console.target(), fingerprintA));
    EXPECT_TRUE(
        run.readFile("known_hosts").startsWith(QStringLiteral("[127.0.0.1]:%1 ").arg(port).toLatin1()));
    // No user-name prompt over SSH: the banner's user prompt starts the post-login lines.
    ASSERT_TRUE(console.loggedIn()) << console.received.right(300).toStdString();
    EXPECT_EQ(answered.count(), 1);
    EXPECT_FALSE(console.received.contains("User name"));

    ASSERT_TRUE(console.conn.connectToOlt());
    EXPECT_EQ(console.op.boxes.size(), 1) << "a known key is not asked about";
    ASSERT_TRUE(console.loggedIn());

    // The OLT goes; another key answers at its address: 自动重连 meets it and stops there.
    const QByteArray known = run.readFile("known_hosts");
    olt.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !console.conn.isConnected(); }, 5000));
    SshOlt impostor(keyB, port);
    ASSERT_NE(impostor.fingerprint(), fingerprintA);
    ASSERT_TRUE(QTest::qWaitFor([&] { return console.op.boxes.size() > 1; }, 5000));
    ASSERT_EQ(console.op.boxes.size(), 2);
    EXPECT_EQ(console.op.boxes[1].icon, BoxIcon::Error);
    EXPECT_EQ(console.op.boxes[1].text,
              transport::hostKeyChanged(console.target(), fingerprintA, impostor.fingerprint()));
    console.quietly(2);
    EXPECT_FALSE(console.conn.connectToOlt()) << "a timer's connect does not dial after a refusal";
    console.quietly(2);
    EXPECT_EQ(run.readFile("known_hosts"), known);

    console.conn.allowRedial(); // 重连OLT
    EXPECT_FALSE(console.conn.connectToOlt());
    EXPECT_EQ(console.op.boxes.size(), 3) << "the operator's own try is told";
    console.quietly(3);
}

// No to the question refuses and stores nothing; a wrong password is one notice. Either way
// nothing dials again until the operator does, and then it is asked or tried afresh.
TEST(SshConnection, RefusalsAreShownOnceAndNotRedialled) {
    test::TempRunDir run;
    SshOlt olt({});
    {
        SshConsole console(run, olt.port());
        console.op.answer(false);
        EXPECT_FALSE(console.conn.connectToOlt());
        ASSERT_EQ(console.op.boxes.size(), 2);
        EXPECT_EQ(console.op.boxes[1].text, transport::hostKeyRefused(console.target(), olt.fingerprint()));
        EXPECT_FALSE(QFile::exists(run.path() + "/known_hosts"));
        EXPECT_FALSE(console.conn.connectToOlt());
        console.quietly(2);

        console.conn.allowRedial();
        console.op.answer(true);
        ASSERT_TRUE(console.conn.connectToOlt());
        EXPECT_EQ(console.op.boxes.size(), 3) << "asked again, and trusted";
        ASSERT_TRUE(console.loggedIn());
    }
    SshConsole console(run, olt.port(), QStringLiteral("wrong"));
    EXPECT_FALSE(console.conn.connectToOlt());
    ASSERT_EQ(console.op.boxes.size(), 1) << "the key is known by now";
    EXPECT_EQ(console.op.boxes[0].text, transport::sshLoginRejected(console.target()));
    EXPECT_EQ(console.op.boxes[0].icon, BoxIcon::Error);
    EXPECT_FALSE(console.conn.connectToOlt());
    console.quietly(1);
}

TEST(SshConnection, TestConnectionReportsTheLoginOrItsRefusal) {
    test::TempRunDir run;
    SshOlt olt({});
    const QString port = QString::number(olt.port());
    const QString knownHosts = run.path() + "/known_hosts";
    test::ScriptedOperator op;
    TestConnection test(op, knownHosts);

    op.answer(true);
    test.start("127.0.0.1", port, "root", "admin", "SSH");
    ASSERT_TRUE(QTest::qWaitFor([&] { return op.boxes.size() >= 2; }, 5000));
    QTest::qWait(300); // and nothing more: the banner does not count twice
    ASSERT_EQ(op.boxes.size(), 2);
    EXPECT_EQ(op.boxes[0].title, Operator::HostKeyTitle);
    EXPECT_EQ(op.boxes[1].text, QStringLiteral("测试连接成功！"));

    op.boxes.clear();
    test.start("127.0.0.1", port, "root", "wrong", "ssh");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !op.boxes.isEmpty(); }, 5000));
    QTest::qWait(300);
    ASSERT_EQ(op.boxes.size(), 1);
    EXPECT_EQ(op.boxes[0].text, transport::sshLoginRejected("127.0.0.1:" + port));
    EXPECT_EQ(op.boxes[0].icon, BoxIcon::Error);
}
