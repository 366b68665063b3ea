// The transports against the simulator on loopback: SSH (login, host keys, password, one session
// per account, reboot) and plain TCP for telnet.
#include "olt/SshTransport.h"
#include "olt/TcpTransport.h"
#include "olt/TransportTexts.h"

#include "SimDriver.h"
#include "TestDoubles.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTcpServer>

using namespace tw;
using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

} // namespace

QT_BEGIN_NAMESPACE
// Readable failures: QString and QStringList as text.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList &l, std::ostream *os) {
    *os << '[' << l.join(" | ").toStdString() << ']';
}
QT_END_NAMESPACE

namespace {

// Waits for pred without the pauses of QTest::qWaitFor: SSH's window and the paging answers make
// many short round trips, each of which would wait out one.
template <class Pred> bool await(Pred pred, int ms) {
    QDeadlineTimer deadline(ms);
    QTimer tick; // wakes the loop to look at the deadline
    tick.start(20);
    while (!pred()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Records everything a transport says.
struct Probe {
    Transport &transport;
    QByteArray all;
    QStringList failures;
    int connects = 0;
    int disconnects = 0;
    qsizetype consumed = 0;

    explicit Probe(Transport &t) : transport(t) {
        QObject::connect(&t, &Transport::connected, [this] { ++connects; });
        QObject::connect(&t, &Transport::readyRead, [this] { all += transport.readAll(); });
        QObject::connect(&t, &Transport::disconnected, [this] {
            all += transport.readAll();
            ++disconnects;
        });
        QObject::connect(&t, &Transport::failed, [this](const QString &why) { failures << why; });
    }
    // Connected (true) or failed (false), whichever comes first.
    bool open(quint16 port) {
        transport.connectToHost("127.0.0.1", port);
        EXPECT_TRUE(await([this] { return connects > 0 || !failures.isEmpty(); }, 5000));
        return connects > 0;
    }
    bool waitFor(const QString &text, int ms = 3000) {
        const QByteArray bytes = tw::toGbk(text);
        qsizetype at = -1;
        if (!await([&] { return (at = all.indexOf(bytes, consumed)) >= 0; }, ms)) return false;
        consumed = at + bytes.size();
        return true;
    }
    bool waitClosed(int ms = 3000) {
        return await([this] { return disconnects > 0; }, ms);
    }
};

// An SSH transport for root/admin with its known-hosts file in a fresh run directory; every
// question about a new key is recorded and answered with `trust`.
struct SshClient {
    SshTransport transport;
    Probe probe{transport};
    QStringList asked; // "host fingerprint"
    bool trust = true;

    explicit SshClient(const test::TempRunDir &run, const QString &password = "admin") {
        transport.setCredentials("root", password);
        transport.setKnownHostsFile(run.path() + "/known_hosts");
        transport.setTrustNewKey([this](const QString &host, const QString &fingerprint) {
            asked << host + " " + fingerprint;
            return trust;
        });
    }
};

// A simulator serving SSH beside telnet, with its host key in `keyFile` (made when missing).
struct SshSim : LoopbackSim {
    explicit SshSim(const QString &keyFile = {}, SshSettings settings = {}, quint16 port = 0,
                    Device device = smallDevice())
        : LoopbackSim(std::move(device)) {
        EXPECT_TRUE(server->listenSsh(QHostAddress::LocalHost, port, keyFile, settings)) << server->sshError().toStdString();
    }
    quint16 port() const { return server->sshPort(); }
};

// The fingerprint as OpenSSH prints it, worked out from the key file's public half by hand.
QString opensshFingerprint(const QString &keyFile) {
    QProcess keygen;
    keygen.start("ssh-keygen", {"-y", "-f", keyFile});
    if (!keygen.waitForFinished(5000) || keygen.exitCode() != 0) return {};
    const QByteArray blob = QByteArray::fromBase64(keygen.readAllStandardOutput().split(' ').value(1));
    const QByteArray hash = QCryptographicHash::hash(blob, QCryptographicHash::Sha256);
    return "SHA256:" + QString::fromLatin1(hash.toBase64(QByteArray::OmitTrailingEquals));
}

TEST(SshTransport, LogsInToTheUserPromptAndReachesConfigurationMode) {
    test::TempRunDir run;
    SshSim sim({}, {}, 0, fullScenario(1));
    SshClient client(run);
    ASSERT_TRUE(client.probe.open(sim.port())) << client.probe.failures.join('\n').toStdString();
    EXPECT_TRUE(client.transport.isConnected());
    ASSERT_TRUE(client.probe.waitFor("Huawei Integrated Access Software."));
    ASSERT_TRUE(client.probe.waitFor("Access Type : SSH"));
    ASSERT_TRUE(client.probe.waitFor("MA5680T>"));
    EXPECT_FALSE(client.probe.all.contains(char(0xFF))) << "no telnet negotiation over SSH";
    EXPECT_FALSE(client.probe.all.contains("User name")) << "SSH checked the account already";

    ASSERT_TRUE(client.transport.write("enable\r\nconfig\r\n"));
    ASSERT_TRUE(client.probe.waitFor("MA5680T(config)#"));
    // The whole chassis (megabytes, many times the channel's window) comes through whole.
    client.transport.write("scroll 0\r\n");
    ASSERT_TRUE(client.probe.waitFor("MA5680T(config)#"));
    const qsizetype before = client.probe.all.size();
    client.transport.write("display ont info 0 all\r\n");
    ASSERT_TRUE(client.probe.waitFor("MA5680T(config)#", 20000));
    EXPECT_GT(client.probe.all.size() - before, 3'000'000);
    EXPECT_EQ(client.probe.all.count("the total of ONTs are"), 256) << "every port's listing";
    EXPECT_EQ(client.probe.disconnects, 0);
    EXPECT_TRUE(client.probe.failures.isEmpty());

    client.transport.write("quit\r\nquit\r\ny\r\n");
    ASSERT_TRUE(client.probe.waitClosed());
    EXPECT_TRUE(client.probe.all.endsWith("Thank you for using the system.\r\n"));
    EXPECT_FALSE(client.transport.isConnected());
    EXPECT_FALSE(client.transport.write("x"));
}

// Every page answered as the console does: the answers make the device send several pages in one
// write, packets bigger than libssh reads at once, and each must come through to the end.
TEST(SshTransport, PagedListingAnsweredToItsEnd) {
    test::TempRunDir run;
    SshSim sim({}, {}, 0, fullScenario(1));
    SshClient client(run);
    ASSERT_TRUE(client.probe.open(sim.port()));
    ASSERT_TRUE(client.probe.waitFor("MA5680T>"));
    client.transport.write("enable\r\nconfig\r\ndisplay ont info 0 1 all\r\n");
    const QByteArray paging = kEnglishPaging.toLatin1();
    int pages = 0;
    for (qsizetype seen = 0;;) {
        const QByteArray &all = client.probe.all;
        ASSERT_TRUE(
            await([&] { return all.size() > seen && (all.endsWith(paging) || all.endsWith("(config)#")); }, 3000))
            << "stalled after " << pages << " pages";
        seen = all.size();
        if (!all.endsWith(paging)) break;
        ++pages;
        client.transport.write("    \r\n\r\n");
    }
    EXPECT_GT(pages, 10);
    EXPECT_EQ(client.probe.all.count("the total of ONTs are"), 16) << "every port of the board";
    EXPECT_TRUE(client.probe.all.endsWith("MA5680T(config)#"));
}

TEST(SshTransport, HostKeyIsAskedOnFirstUseThenKnownAndAChangedKeyIsRefused) {
    test::TempRunDir run;
    const QString keyA = run.path() + "/a.key", keyB = run.path() + "/b.key";
    quint16 port = 0;
    QString fingerprintA;
    {
        SshSim sim(keyA);
        port = sim.port();
        fingerprintA = sim.server->sshFingerprint();
        EXPECT_EQ(fingerprintA, opensshFingerprint(keyA)) << "the fingerprint as OpenSSH prints it";

        SshClient first(run);
        ASSERT_TRUE(first.probe.open(port));
        EXPECT_EQ(first.asked, QStringList{QStringLiteral("127.0.0.1:%1 %2").arg(port).arg(fingerprintA)});
        EXPECT_EQ(first.transport.serverFingerprint(), fingerprintA);
        const QByteArray stored = run.readFile("known_hosts");
        EXPECT_TRUE(stored.startsWith(QStringLiteral("[127.0.0.1]:%1 ssh-ed25519 ").arg(port).toLatin1()))
            << stored.toStdString();

        SshClient again(run);
        ASSERT_TRUE(again.probe.open(port));
        EXPECT_TRUE(again.asked.isEmpty()) << "a known key is not asked about";
        EXPECT_TRUE(again.probe.waitFor("MA5680T>"));
    }
    const QByteArray known = run.readFile("known_hosts");
    // The same address now answers with another key.
    SshSim impostor(keyB, {}, port);
    ASSERT_EQ(impostor.port(), port);
    const QString fingerprintB = impostor.server->sshFingerprint();
    ASSERT_NE(fingerprintA, fingerprintB);
    SshClient client(run);
    EXPECT_FALSE(client.probe.open(port));
    QTest::qWait(200);
    EXPECT_EQ(client.probe.failures, QStringList{transport::hostKeyChanged(
                                         QStringLiteral("127.0.0.1:%1").arg(port), fingerprintA, fingerprintB)});
    EXPECT_TRUE(client.asked.isEmpty()) << "a changed key is never offered for trust";
    EXPECT_EQ(client.probe.connects, 0);
    EXPECT_EQ(run.readFile("known_hosts"), known) << "the stored key stays as it was";
}

TEST(SshTransport, AnUntrustedNewKeyIsRefusedAndNotStored) {
    test::TempRunDir run;
    SshSim sim;
    SshClient client(run);
    client.trust = false;
    EXPECT_FALSE(client.probe.open(sim.port()));
    QTest::qWait(200);
    ASSERT_EQ(client.asked.size(), 1);
    const QString fingerprint = sim.server->sshFingerprint();
    EXPECT_EQ(client.probe.failures,
              QStringList{transport::hostKeyRefused(QStringLiteral("127.0.0.1:%1").arg(sim.port()), fingerprint)});
    EXPECT_FALSE(QFile::exists(run.path() + "/known_hosts"));
    EXPECT_EQ(sim.server->findChildren<Connection *>().size(), 0) << "no session was opened";

    // Asked again on the next try, and this time trusted.
    client.trust = true;
    client.probe.failures.clear();
    EXPECT_TRUE(client.probe.open(sim.port()));
    EXPECT_EQ(client.asked.size(), 2);
}

// Lines the file had (comments, other hosts, damage, no line end at the end) stay; the new key
// is added after them and is known the next time.
TEST(SshTransport, KnownHostsFileKeepsWhatItHad) {
    const QByteArray lines = "# kept by hand\n"
                             "not a known-hosts line at all\n"
                             "[10.0.0.9]:2222 ssh-ed25519 "
                             "AAAAC3NzaC1lZDI1NTE5AAAAIOMqqnkVzrm0SdG6UOoqKLsabgH5C9okWi0dh2l9GKJl\n"
                             "\xff\xfe";
    for (const QByteArray &before : {lines + "\n", lines}) {
        test::TempRunDir run;
        run.writeFile("known_hosts", before);
        SshSim sim;
        SshClient first(run);
        ASSERT_TRUE(first.probe.open(sim.port())) << first.probe.failures.join('\n').toStdString();
        EXPECT_EQ(first.asked.size(), 1);
        const QByteArray after = run.readFile("known_hosts");
        EXPECT_TRUE(after.startsWith(before)) << "nothing of the file is lost";
        SshClient second(run);
        ASSERT_TRUE(second.probe.open(sim.port()));
        EXPECT_TRUE(second.asked.isEmpty()) << after.toStdString();
    }
}

TEST(SshTransport, PasswordAndKeyboardInteractiveLogins) {
    struct Case {
        SshSettings::Auth offered;
        const char *password;
        bool accepted;
    };
    const Case cases[] = {
        {SshSettings::Auth::Password, "admin", true},
        {SshSettings::Auth::Password, "wrong", false},
        {SshSettings::Auth::KeyboardInteractive, "admin", true},
        {SshSettings::Auth::KeyboardInteractive, "wrong", false},
        {SshSettings::Auth::Both, "wrong", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.password) + " offered " + std::to_string(int(c.offered)));
        test::TempRunDir run;
        SshSim sim({}, {.auth = c.offered});
        SshClient client(run, c.password);
        EXPECT_EQ(client.probe.open(sim.port()), c.accepted);
        QTest::qWait(300); // nothing more follows
        if (c.accepted) {
            EXPECT_TRUE(client.probe.waitFor("MA5680T>"));
            EXPECT_TRUE(client.probe.failures.isEmpty());
        } else {
            EXPECT_EQ(client.probe.failures,
                      QStringList{transport::sshLoginRejected(QStringLiteral("127.0.0.1:%1").arg(sim.port()))});
            EXPECT_EQ(client.probe.connects, 0);
        }
    }
}

TEST(SshTransport, OneSessionPerAccountTurnsASecondAway) {
    test::TempRunDir run;
    SshSim sim({}, {.oneSession = true});
    SshClient first(run), second(run);
    ASSERT_TRUE(first.probe.open(sim.port()));
    ASSERT_TRUE(first.probe.waitFor("MA5680T>"));

    second.probe.open(sim.port());
    ASSERT_TRUE(second.probe.waitClosed());
    EXPECT_TRUE(second.probe.all.contains("reached the limit")) << second.probe.all.toStdString();
    EXPECT_FALSE(second.probe.all.contains("MA5680T>"));

    first.transport.write("enable\r\n");
    EXPECT_TRUE(first.probe.waitFor("MA5680T#")) << "the first session goes on";

    // Once the first has left, the account may log in again.
    first.transport.abort();
    SshClient third(run);
    ASSERT_TRUE(await([&] { return sim.server->findChildren<Connection *>().isEmpty(); }, 3000));
    ASSERT_TRUE(third.probe.open(sim.port()));
    EXPECT_TRUE(third.probe.waitFor("MA5680T>"));
}

TEST(SshTransport, RebootEndsSshSessionsAndTheSshPortWaitsForTheBoot) {
    const std::pair<const char *, bool> cases[] = {{"over SSH", true}, {"over telnet", false}};
    for (const auto &[name, rebootOverSsh] : cases) {
        SCOPED_TRACE(name);
        test::TempRunDir run;
        SshSim sim;
        sim.server->setRestartMs(500);
        SshClient ssh(run);
        ASSERT_TRUE(ssh.probe.open(sim.port()));
        ASSERT_TRUE(ssh.probe.waitFor("MA5680T>"));
        Client telnet(sim.server->port());
        telnet.login();

        const QByteArray reboot = "reboot system\r\ny\r\n";
        if (rebootOverSsh)
            ssh.transport.write("enable\r\nconfig\r\n" + reboot);
        else
            telnet.send(reboot);
        ASSERT_TRUE(ssh.probe.waitClosed());
        ASSERT_TRUE(await([&] { return telnet.closed; }, 3000));
        if (rebootOverSsh) {
            EXPECT_TRUE(ssh.probe.all.endsWith("System is rebooting, please wait...\r\n"));
        }

        SshClient early(run);
        EXPECT_FALSE(early.probe.open(sim.port())) << "no SSH while the device boots";
        ASSERT_TRUE(await([&] { return !sim.server->booting(); }, 3000));
        SshClient later(run);
        ASSERT_TRUE(later.probe.open(sim.port()));
        EXPECT_TRUE(later.probe.waitFor("MA5680T>"));
    }
}

TEST(SshTransport, SilentServerAndClosedPortFailOnce) {
    QTcpServer silent; // accepts, never says a word
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    test::TempRunDir run;
    SshClient client(run);
    client.transport.setConnectTimeout(300);
    EXPECT_FALSE(client.probe.open(silent.serverPort()));
    EXPECT_EQ(client.probe.failures,
              QStringList{transport::timedOut(QStringLiteral("127.0.0.1:%1").arg(silent.serverPort()))});

    const quint16 closed = silent.serverPort();
    silent.close();
    client.probe.failures.clear();
    EXPECT_FALSE(client.probe.open(closed));
    QTest::qWait(200);
    EXPECT_EQ(client.probe.failures.size(), 1);
    EXPECT_TRUE(client.probe.failures.value(0).startsWith(QStringLiteral("无法连接到 127.0.0.1:")));
}

// Whatever a client sends, the SSH port drops it and goes on serving.
TEST(SshTransport, GarbageOnTheSshPortIsDropped) {
    test::TempRunDir run;
    SshSim sim;
    for (const QByteArray &junk : {QByteArray("GET / HTTP/1.0\r\n\r\n"), QByteArray("SSH-2.0-x\r\n") + QByteArray(5000, '\xff'),
                                   QByteArray(70000, 'A')}) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, sim.port());
        ASSERT_TRUE(socket.waitForConnected(3000));
        socket.write(junk);
        EXPECT_TRUE(await([&] { return socket.state() == QAbstractSocket::UnconnectedState; }, 3000));
    }
    SshClient client(run);
    ASSERT_TRUE(client.probe.open(sim.port()));
    EXPECT_TRUE(client.probe.waitFor("MA5680T>"));
}

TEST(SshTransport, AbortWhileAskingAboutTheKeyEndsQuietly) {
    test::TempRunDir run;
    SshSim sim;
    SshClient client(run);
    client.transport.setTrustNewKey([&](const QString &, const QString &) {
        client.transport.abort(); // the operator closed the console meanwhile
        return true;
    });
    client.transport.connectToHost("127.0.0.1", sim.port());
    QTest::qWait(500);
    EXPECT_EQ(client.probe.connects, 0);
    EXPECT_TRUE(client.probe.failures.isEmpty());
    EXPECT_FALSE(QFile::exists(run.path() + "/known_hosts"));
}

TEST(SshProgram, ServesSshWithTheKeyItKeepsInItsFile) {
    test::TempRunDir run;
    const QString key = run.path() + "/host.key";
    QString fingerprint;
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE(start == 0 ? "key made" : "key read back");
        QProcess sim;
        sim.start(TW_BINARY_DIR "/sim/tarnwick-olt-sim",
                  {"--listen", "127.0.0.1:0", "--ssh", "127.0.0.1:0", "--ssh-key", key, "--ssh-one-session"});
        ASSERT_TRUE(sim.waitForStarted());
        QStringList lines;
        ASSERT_TRUE(await(
            [&] {
                while (sim.canReadLine())
                    lines << QString::fromUtf8(sim.readLine()).trimmed();
                return lines.size() >= 2;
            },
            5000));
        ASSERT_TRUE(lines[0].startsWith("listening 127.0.0.1:")) << lines[0].toStdString();
        ASSERT_TRUE(lines[1].startsWith("ssh 127.0.0.1:")) << lines[1].toStdString();
        const quint16 port = lines[1].section(':', 1).toUShort();

        SshClient client(run);
        ASSERT_TRUE(client.probe.open(port));
        EXPECT_TRUE(client.probe.waitFor("MA5680T>"));
        if (start == 0) {
            ASSERT_EQ(client.asked.size(), 1);
            fingerprint = client.transport.serverFingerprint();
            EXPECT_EQ(fingerprint, opensshFingerprint(key));
        } else {
            EXPECT_EQ(client.transport.serverFingerprint(), fingerprint);
        }
        SshClient second(run);
        second.probe.open(port);
        EXPECT_TRUE(second.probe.waitClosed()) << "--ssh-one-session";
        sim.kill();
        sim.waitForFinished();
    }
}

TEST(TcpTransport, CarriesTelnetBytesUnchanged) {
    LoopbackSim sim;
    TcpTransport transport;
    Probe probe(transport);
    ASSERT_TRUE(probe.open(sim.server->port()));
    ASSERT_TRUE(probe.waitFor(">>User name:"));
    EXPECT_TRUE(probe.all.startsWith("\xFF\xFB\x01\xFF\xFB\x03")) << "the telnet options, as sent";
    transport.write("root\r\n");
    ASSERT_TRUE(probe.waitFor(">>User password:"));
    transport.write("admin\r\nquit\r\ny\r\n");
    ASSERT_TRUE(probe.waitClosed());
    EXPECT_TRUE(probe.all.endsWith("Thank you for using the system.\r\n"));
    EXPECT_FALSE(transport.write("x"));

    const quint16 closed = sim.server->port();
    sim.server.reset();
    TcpTransport refused;
    Probe failed(refused);
    EXPECT_FALSE(failed.open(closed));
    QTest::qWait(100);
    EXPECT_EQ(failed.failures.size(), 1);
}

} // namespace
