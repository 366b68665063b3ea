#include "admin/TftpServer.h"
#include "common/Gbk.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkDatagram>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::tftp;

namespace {

QByteArray request(quint16 op, const QByteArray &name, const QByteArray &mode = "octet",
                   const Options &options = {}) {
    QByteArray p;
    p.append(char(0)).append(char(op)).append(name).append('\0').append(mode).append('\0');
    for (const auto &[n, v] : options)
        p.append(n).append('\0').append(v).append('\0');
    return p;
}

QByteArray bytes(int size, char seed = 'a') {
    QByteArray b(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        b[i] = char(seed + i % 23);
    return b;
}

// A TFTP peer on loopback, driven packet by packet.
struct Peer {
    QUdpSocket socket;
    quint16 serverPort;
    quint16 tid = 0; // the transfer's port, learnt from the first reply

    explicit Peer(quint16 port) : serverPort(port) { socket.bind(QHostAddress::LocalHost, 0); }
    void ask(const QByteArray &packet) { socket.writeDatagram(packet, QHostAddress::LocalHost, serverPort); }
    void send(const QByteArray &packet) { socket.writeDatagram(packet, QHostAddress::LocalHost, tid); }
    // The next packet; empty when none came in time.
    QByteArray next(int ms = 3000) {
        if (!socket.hasPendingDatagrams()) {
            // The server runs in this thread: wait in its event loop.
            QEventLoop loop;
            QObject::connect(&socket, &QUdpSocket::readyRead, &loop, &QEventLoop::quit);
            QTimer::singleShot(ms, &loop, &QEventLoop::quit);
            loop.exec();
        }
        if (!socket.hasPendingDatagrams()) return {};
        const QNetworkDatagram d = socket.receiveDatagram();
        if (!tid) tid = quint16(d.senderPort());
        return d.data();
    }
    // Reads a whole file, acknowledging each block; what came, or nullopt on an error packet.
    std::optional<QByteArray> download(const QByteArray &name, int blockSize = 512) {
        ask(request(Rrq, name));
        QByteArray got;
        for (quint16 block = 1;; ++block) {
            const QByteArray p = next();
            if (opcodeOf(p) != Data || blockOf(p) != block) return std::nullopt;
            got += p.mid(4);
            send(ackPacket(block));
            if (p.size() - 4 < blockSize) return got;
        }
    }
    // Writes a whole file; the final reply (ACK of the last block, or an ERROR).
    QByteArray upload(const QByteArray &name, const QByteArray &content) {
        ask(request(Wrq, name));
        QByteArray reply = next();
        for (quint16 block = 1; opcodeOf(reply) == Ack && blockOf(reply) == block - 1; ++block) {
            const qsizetype at = qsizetype(block - 1) * 512;
            if (at > content.size()) break;
            send(dataPacket(
                block, QByteArrayView(content).sliced(at, std::min<qsizetype>(512, content.size() - at))));
            reply = next();
        }
        return reply;
    }
};

struct Served : ::testing::Test {
    QTemporaryDir root;
    TftpServer server{root.path()};
    QList<TftpReport> reports;

    void SetUp() override {
        ASSERT_TRUE(server.start(0, QHostAddress::LocalHost)) << server.startErrorString().toStdString();
        QObject::connect(&server, &TftpServer::transferFinished,
                         [this](const TftpReport &r) { reports << r; });
    }
    bool reported(qsizetype n) {
        return QTest::qWaitFor([&] { return reports.size() >= n; }, 3000);
    }
    void put(const QString &name, const QByteArray &content) {
        QFile f(root.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray read(const QString &name) {
        QFile f(root.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // Everything in the served directory, hidden files included: a failed upload leaves nothing.
    QStringList entries() const {
        return QDir(root.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
};

} // namespace

TEST(TftpPacket, RequestsParseOrAreRefused) {
    const std::optional<Request> r =
        parseRequest(request(Wrq, "MA5680T.cfg", "OCTET", {{"BLKSIZE", "1428"}, {"tsize", "0"}}));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->opcode, Wrq);
    EXPECT_EQ(r->file, "MA5680T.cfg");
    EXPECT_EQ(r->mode, "octet");
    EXPECT_EQ(r->options, (Options{{"blksize", "1428"}, {"tsize", "0"}}));
    // A repeated option is one option with the last value sent.
    const std::optional<Request> repeated =
        parseRequest(request(Rrq, "ont.bin", "octet",
                             {{"timeout", "255"}, {"blksize", "1024"}, {"TIMEOUT", "5"}, {"timeout", "3"}}));
    ASSERT_TRUE(repeated);
    EXPECT_EQ(repeated->options, (Options{{"timeout", "3"}, {"blksize", "1024"}}));
    const QByteArray malformed[] = {
        QByteArray(),
        QByteArray("\0\1ont.bin", 9),                    // the name without its NUL
        QByteArray("\0\1ont.bin\0octet", 15),            // the mode without its NUL
        QByteArray("\0\1ont.bin\0octet\0blksize\0", 24), // an option without its value
        ackPacket(1),
    };
    for (const QByteArray &p : malformed)
        EXPECT_FALSE(parseRequest(p)) << p.toHex().toStdString();
    EXPECT_EQ(errorOf(errorPacket(AccessViolation, "Access violation")),
              (QPair<quint16, QByteArray>{AccessViolation, "Access violation"}));
}

TEST_F(Served, ServesFilesOfAnySize) {
    // Sizes around the block size: a file of whole blocks ends with an empty one.
    for (const int size : {0, 100, 512, 1024, 1300}) {
        SCOPED_TRACE(size);
        put(QStringLiteral("ont.bin"), bytes(size));
        Peer peer(server.port());
        EXPECT_EQ(peer.download("ont.bin"), bytes(size));
    }
    ASSERT_TRUE(reported(5));
    const TftpReport &last = reports.last();
    EXPECT_TRUE(last.ok);
    EXPECT_FALSE(last.upload);
    EXPECT_EQ(last.file, QStringLiteral("ont.bin"));
    EXPECT_EQ(last.bytes, 1300);
}

TEST_F(Served, NegotiatesBlockSizeAndTellsTheSize) {
    put(QStringLiteral("ont.bin"), bytes(3000));
    Peer peer(server.port());
    peer.ask(request(Rrq, "ont.bin", "octet", {{"blksize", "1428"}, {"tsize", "0"}, {"unknown", "1"}}));
    const QByteArray oack = peer.next();
    EXPECT_EQ(oack, oackPacket({{"blksize", "1428"}, {"tsize", "3000"}}));
    peer.send(ackPacket(0));
    QByteArray got;
    for (quint16 block = 1; block <= 3; ++block) {
        const QByteArray p = peer.next();
        ASSERT_EQ(opcodeOf(p), Data);
        ASSERT_EQ(blockOf(p), block);
        EXPECT_EQ(p.size() - 4, block < 3 ? 1428 : 3000 - 2 * 1428);
        got += p.mid(4);
        peer.send(ackPacket(block));
    }
    EXPECT_EQ(got, bytes(3000));
}

TEST_F(Served, AcknowledgesEachOptionOnceAndCapsTheTimeout) {
    put(QStringLiteral("ont.bin"), bytes(100));
    const struct {
        Options asked;
        Options answered;
    } cases[] = {
        {{{"timeout", "3"}, {"tsize", "0"}}, {{"timeout", "3"}, {"tsize", "100"}}},
        {{{"timeout", "10"}, {"tsize", "0"}}, {{"timeout", "10"}, {"tsize", "100"}}},
        // Longer than the server waits, or none at all: not taken (the answer may only repeat it).
        {{{"timeout", "11"}, {"tsize", "0"}}, {{"tsize", "100"}}},
        {{{"timeout", "255"}, {"tsize", "0"}}, {{"tsize", "100"}}},
        {{{"timeout", "0"}, {"tsize", "0"}}, {{"tsize", "100"}}},
        {{{"timeout", "9223372036854775807"}, {"tsize", "0"}}, {{"tsize", "100"}}},
        // Repeated: the last counts and is answered once.
        {{{"timeout", "255"}, {"tsize", "0"}, {"timeout", "4"}}, {{"timeout", "4"}, {"tsize", "100"}}},
        {{{"timeout", "4"}, {"tsize", "0"}, {"timeout", "255"}}, {{"tsize", "100"}}},
        {{{"blksize", "8"}, {"blksize", "1428"}, {"tsize", "0"}, {"tsize", "7"}},
         {{"blksize", "1428"}, {"tsize", "100"}}},
    };
    for (const auto &c : cases) {
        Peer peer(server.port());
        peer.ask(request(Rrq, "ont.bin", "octet", c.asked));
        EXPECT_EQ(peer.next(), oackPacket(c.answered)) << oackPacket(c.asked).toHex().toStdString();
        peer.send(errorPacket(NotDefined, "enough"));
    }
}

TEST_F(Served, AbandonedRequestsGiveTheirSlotsBackWithinTheCap) {
    server.timeoutMs = 40;
    server.retries = 2;
    put(QStringLiteral("ont.bin"), bytes(5000));
    // Every slot taken by a peer that asks for the longest time-out and then says nothing more.
    std::vector<std::unique_ptr<Peer>> silent;
    for (int i = 0; i < server.maxTransfers; ++i) {
        silent.push_back(std::make_unique<Peer>(server.port()));
        silent.back()->ask(request(Rrq, "ont.bin", "octet", {{"timeout", "255"}, {"blksize", "1428"}}));
        ASSERT_EQ(opcodeOf(silent.back()->next()), Oack); // the transfer exists once it has answered
    }
    Peer olt(server.port());
    olt.ask(request(Wrq, "MA5680T.dat"));
    EXPECT_EQ(errorOf(olt.next()).second, "Server busy, try again later");

    // They end at the server's own time-out, not the one they asked for.
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.activeTransfers() == 0; }, 5000));
    ASSERT_EQ(reports.size(), server.maxTransfers + 1);
    for (qsizetype i = 0; i < server.maxTransfers; ++i)
        EXPECT_EQ(reports[i + 1].error, QStringLiteral("Transfer timed out"));
    Peer later(server.port());
    EXPECT_EQ(later.upload("MA5680T.dat", "the backup"), ackPacket(1));
    EXPECT_EQ(read(QStringLiteral("MA5680T.dat")), "the backup");
}

TEST_F(Served, APeerThatKeepsATransferAliveIsCutOffAtItsLifeCap) {
    server.timeoutMs = 30;
    server.maxTransferMs = 200;
    put(QStringLiteral("ont.bin"), bytes(512 * 40));
    Peer slow(server.port());
    slow.ask(request(Rrq, "ont.bin"));
    // Each block is acknowledged only once it has come a second time: never a time-out, always late.
    QByteArray p = slow.next();
    int blocks = 0;
    while (opcodeOf(p) == Data) {
        const QByteArray again = slow.next();
        ASSERT_EQ(again.isEmpty() || opcodeOf(again) == Error || again == p, true);
        if (opcodeOf(again) == Error) {
            p = again;
            break;
        }
        slow.send(ackPacket(blockOf(p)));
        ++blocks;
        p = slow.next();
    }
    EXPECT_EQ(errorOf(p).second, "Transfer took too long");
    EXPECT_LT(blocks, 40);
    ASSERT_TRUE(reported(1));
    EXPECT_FALSE(reports[0].ok);
    EXPECT_EQ(server.activeTransfers(), 0);
}

// Descriptors this process holds open.
int openDescriptors() {
    return int(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

TEST_F(Served, FinishedTransfersHoldNoSocket) {
    if (!QDir(QStringLiteral("/proc/self/fd")).exists()) GTEST_SKIP() << "no /proc/self/fd";
    put(QStringLiteral("ont.bin"), "firmware");
    const int before = openDescriptors();
    // Far more than the process may hold open at once (1,024 by default).
    for (int i = 0; i < 2000; ++i) {
        Peer peer(server.port());
        if (i % 2) {
            peer.ask(request(Wrq, "MA5680T.dat", "octet", {{"timeout", "10"}}));
            ASSERT_EQ(peer.next(), oackPacket({{"timeout", "10"}})) << i;
            peer.send(dataPacket(1, QByteArray::number(i)));
            ASSERT_EQ(peer.next(), ackPacket(1)) << i;
        } else {
            peer.ask(request(Rrq, "ont.bin", "octet", {{"timeout", "10"}}));
            ASSERT_EQ(peer.next(), oackPacket({{"timeout", "10"}})) << i;
            peer.send(ackPacket(0));
            ASSERT_EQ(peer.next(), dataPacket(1, "firmware")) << i;
            peer.send(ackPacket(1));
        }
        ASSERT_TRUE(reported(i + 1)) << i;
        ASSERT_TRUE(reports.last().ok) << i << reports.last().error.toStdString();
    }
    EXPECT_EQ(server.activeTransfers(), 0);
    EXPECT_LE(openDescriptors(), before + 2);
    EXPECT_EQ(read(QStringLiteral("MA5680T.dat")), "1999");
}

TEST_F(Served, TakesOnlyTheBackupsAsUploads) {
    for (const char *name : {"MA5680T.cfg", "MA5680T.dat"}) {
        SCOPED_TRACE(name);
        Peer peer(server.port());
        const QByteArray content = bytes(1000, 'k');
        EXPECT_EQ(peer.upload(name, content), ackPacket(2));
        EXPECT_EQ(read(QString::fromLatin1(name)), content);
    }
    ASSERT_TRUE(reported(2));
    EXPECT_TRUE(reports[0].ok);
    EXPECT_TRUE(reports[0].upload);
    EXPECT_EQ(reports[1].bytes, 1000);

    // Anything else is refused with an access violation and never created.
    for (const char *name : {"ont.bin", "ma5680t.cfg", "config.ini", "../MA5680T.cfg", "sub/MA5680T.cfg"}) {
        SCOPED_TRACE(name);
        Peer peer(server.port());
        const QByteArray reply = peer.upload(name, "x");
        EXPECT_EQ(opcodeOf(reply), Error);
        EXPECT_EQ(errorOf(reply).first, AccessViolation);
    }
    EXPECT_EQ(entries(), (QStringList{"MA5680T.cfg", "MA5680T.dat"}));
    ASSERT_TRUE(reported(7));
    EXPECT_FALSE(reports.last().ok) << "a refusal is reported too";
}

TEST_F(Served, AnUploadThatFailsLeavesTheOldFile) {
    server.timeoutMs = 40;
    server.retries = 2;
    put(QStringLiteral("MA5680T.cfg"), "the last good backup");

    // The peer goes silent after the first block: the server gives up after its retries.
    Peer silent(server.port());
    silent.ask(request(Wrq, "MA5680T.cfg"));
    EXPECT_EQ(silent.next(), ackPacket(0));
    silent.send(dataPacket(1, bytes(512)));
    EXPECT_EQ(silent.next(), ackPacket(1));
    EXPECT_EQ(silent.next(), ackPacket(1)) << "sent again on time-out";
    ASSERT_TRUE(reported(1));
    EXPECT_FALSE(reports[0].ok);
    EXPECT_EQ(reports[0].error, QStringLiteral("Transfer timed out"));
    EXPECT_EQ(read(QStringLiteral("MA5680T.cfg")), "the last good backup");

    // The peer breaks off with an error.
    Peer quitting(server.port());
    quitting.ask(request(Wrq, "MA5680T.cfg"));
    EXPECT_EQ(quitting.next(), ackPacket(0));
    quitting.send(dataPacket(1, bytes(512)));
    EXPECT_EQ(quitting.next(), ackPacket(1));
    quitting.send(errorPacket(DiskFull, "no more"));
    ASSERT_TRUE(reported(2));
    EXPECT_FALSE(reports[1].ok);

    // The server is stopped halfway.
    Peer cut(server.port());
    cut.ask(request(Wrq, "MA5680T.cfg"));
    EXPECT_EQ(cut.next(), ackPacket(0));
    cut.send(dataPacket(1, bytes(512)));
    EXPECT_EQ(cut.next(), ackPacket(1));
    server.stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.activeTransfers() == 0; }, 5000));

    EXPECT_EQ(read(QStringLiteral("MA5680T.cfg")), "the last good backup");
    EXPECT_EQ(entries(), QStringList{"MA5680T.cfg"}) << "no partial file anywhere";
}

TEST_F(Served, ServesOnlyPlainFilesOfItsDirectory) {
    QTemporaryDir outside;
    QFile secret(outside.filePath(QStringLiteral("secret")));
    ASSERT_TRUE(secret.open(QIODevice::WriteOnly));
    secret.write("not for the network");
    secret.close();
    put(QStringLiteral("ont.bin"), "firmware");
    put(QStringLiteral("固件.bin"), "firmware");
    put(QStringLiteral("config.ini"), "[OLT]\r\n");
    put(QStringLiteral(".hidden"), "hidden");
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("日志")));
    put(QStringLiteral("日志/2024-05-06.txt"), "log");
    ASSERT_TRUE(QFile::link(secret.fileName(), root.filePath(QStringLiteral("out.bin"))));
    ASSERT_TRUE(
        QFile::link(root.filePath(QStringLiteral("ont.bin")), root.filePath(QStringLiteral("in.bin"))));
    // Links whose names pass, to what is never served under its own name.
    ASSERT_TRUE(
        QFile::link(root.filePath(QStringLiteral("config.ini")), root.filePath(QStringLiteral("cfg.bin"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("config.ini"), root.filePath(QStringLiteral("relative.bin"))));
    ASSERT_TRUE(
        QFile::link(root.filePath(QStringLiteral(".hidden")), root.filePath(QStringLiteral("hid.bin"))));
    ASSERT_TRUE(
        QFile::link(root.filePath(QStringLiteral("cfg.bin")), root.filePath(QStringLiteral("chain.bin"))));

    const struct {
        QByteArray name;
        quint16 error; // 0: served
    } cases[] = {
        {"ont.bin", 0},
        {"in.bin", 0}, // a link to a served file
        {"固件.bin", 0},
        {toGbk(u"固件.bin"), 0}, // the OLT writes names in GBK
        {"\xff\xfe.bin", AccessViolation},
        {"out.bin", AccessViolation},
        {"cfg.bin", AccessViolation},
        {"relative.bin", AccessViolation},
        {"hid.bin", AccessViolation},
        {"chain.bin", AccessViolation},
        {"../secret", AccessViolation},
        {"日志/2024-05-06.txt", AccessViolation},
        {"日志", AccessViolation},
        {"config.ini", AccessViolation},
        {".hidden", AccessViolation},
        {"..", AccessViolation},
        {"", AccessViolation},
        {"..\\secret", AccessViolation},
        {"missing.bin", FileNotFound},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name.toHex().toStdString());
        Peer peer(server.port());
        peer.ask(request(Rrq, c.name));
        const QByteArray reply = peer.next();
        if (c.error == 0) {
            EXPECT_EQ(reply, dataPacket(1, "firmware"));
            continue;
        }
        EXPECT_EQ(opcodeOf(reply), Error);
        EXPECT_EQ(errorOf(reply).first, c.error);
    }
    // An absolute name is a path too.
    Peer absolute(server.port());
    absolute.ask(request(Rrq, secret.fileName().toUtf8()));
    EXPECT_EQ(errorOf(absolute.next()).first, AccessViolation);

    // An upload never goes through a link, wherever it leads; nothing it leads to changes.
    const struct {
        const char *name;
        QString target;
    } links[] = {
        {"MA5680T.cfg", secret.fileName()},
        {"MA5680T.dat", root.filePath(QStringLiteral("config.ini"))},
    };
    for (const auto &l : links) {
        SCOPED_TRACE(l.name);
        ASSERT_TRUE(QFile::link(l.target, root.filePath(QString::fromLatin1(l.name))));
        Peer writer(server.port());
        EXPECT_EQ(errorOf(writer.upload(l.name, "overwrite")).first, AccessViolation);
        EXPECT_TRUE(QFileInfo(root.filePath(QString::fromLatin1(l.name))).isSymLink());
    }
    QFile check(secret.fileName());
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), "not for the network");
    EXPECT_EQ(read(QStringLiteral("config.ini")), "[OLT]\r\n");
    // Even to a file that is served: the link is not replaced either.
    ASSERT_TRUE(QFile::remove(root.filePath(QStringLiteral("MA5680T.cfg"))));
    ASSERT_TRUE(
        QFile::link(root.filePath(QStringLiteral("ont.bin")), root.filePath(QStringLiteral("MA5680T.cfg"))));
    Peer inside(server.port());
    EXPECT_EQ(errorOf(inside.upload("MA5680T.cfg", "overwrite")).first, AccessViolation);
    EXPECT_EQ(read(QStringLiteral("ont.bin")), "firmware");

    Peer ascii(server.port());
    ascii.ask(request(Rrq, "ont.bin", "netascii"));
    EXPECT_EQ(errorOf(ascii.next()).first, IllegalOperation);
}

TEST_F(Served, RetransmitsAndIgnoresDuplicateAcks) {
    server.timeoutMs = 600;
    put(QStringLiteral("ont.bin"), bytes(1300));
    Peer peer(server.port());
    peer.ask(request(Rrq, "ont.bin"));
    EXPECT_EQ(peer.next(), dataPacket(1, bytes(512)));
    EXPECT_EQ(peer.next(), dataPacket(1, bytes(512))) << "no ACK: the block comes again";
    peer.send(ackPacket(1));
    peer.send(ackPacket(1));
    EXPECT_EQ(blockOf(peer.next()), 2);
    EXPECT_EQ(peer.next(150), QByteArray()) << "a duplicate ACK sends nothing";
    peer.send(ackPacket(2));
    EXPECT_EQ(blockOf(peer.next()), 3);
    // A request repeated while its transfer runs starts no second transfer.
    peer.ask(request(Rrq, "ont.bin"));
    EXPECT_EQ(peer.next(150), QByteArray());
    EXPECT_EQ(server.activeTransfers(), 1);
    peer.send(ackPacket(3));
    ASSERT_TRUE(reported(1));
    EXPECT_TRUE(reports[0].ok);
}

TEST_F(Served, APacketFromAnotherPeerGetsErrorFiveAndTheTransferGoesOn) {
    put(QStringLiteral("ont.bin"), bytes(700));
    Peer peer(server.port());
    peer.ask(request(Rrq, "ont.bin"));
    EXPECT_EQ(blockOf(peer.next()), 1);

    Peer intruder(server.port());
    intruder.tid = peer.tid;
    intruder.send(ackPacket(1));
    const QByteArray refused = intruder.next();
    EXPECT_EQ(opcodeOf(refused), Error);
    EXPECT_EQ(errorOf(refused).first, UnknownTransferId);

    peer.send(ackPacket(1));
    const QByteArray last = peer.next();
    EXPECT_EQ(last, dataPacket(2, bytes(700).mid(512)));
    peer.send(ackPacket(2));

    // Packets of a transfer sent to the request port belong to no transfer either.
    Peer lost(server.port());
    lost.ask(ackPacket(1));
    EXPECT_EQ(errorOf(lost.next()).first, UnknownTransferId);
}

TEST_F(Served, SeveralTransfersRunAtOnce) {
    put(QStringLiteral("a.bin"), bytes(1500, 'a'));
    put(QStringLiteral("b.bin"), bytes(1500, 'b'));
    Peer a(server.port()), b(server.port()), c(server.port());
    a.ask(request(Rrq, "a.bin"));
    b.ask(request(Rrq, "b.bin"));
    c.ask(request(Wrq, "MA5680T.cfg"));
    EXPECT_EQ(c.next(), ackPacket(0));
    QByteArray gotA, gotB;
    for (quint16 block = 1; block <= 3; ++block) {
        const QByteArray pa = a.next(), pb = b.next();
        ASSERT_EQ(blockOf(pa), block);
        ASSERT_EQ(blockOf(pb), block);
        gotA += pa.mid(4);
        gotB += pb.mid(4);
        c.send(dataPacket(block, block < 3 ? bytes(512, 'c') : QByteArray("end")));
        EXPECT_EQ(c.next(), ackPacket(block));
        b.send(ackPacket(block));
        a.send(ackPacket(block));
    }
    EXPECT_EQ(gotA, bytes(1500, 'a'));
    EXPECT_EQ(gotB, bytes(1500, 'b'));
    EXPECT_EQ(read(QStringLiteral("MA5680T.cfg")), bytes(512, 'c') + bytes(512, 'c') + "end");
    EXPECT_NE(a.tid, b.tid);
    EXPECT_NE(a.tid, server.port());
}

TEST(TftpServer, SaysWhyItCannotStart) {
    QUdpSocket taken;
    ASSERT_TRUE(taken.bind(QHostAddress::LocalHost, 0, QUdpSocket::DontShareAddress));
    QTemporaryDir root;
    TftpServer server(root.path());
    EXPECT_FALSE(server.start(taken.localPort(), QHostAddress::LocalHost));
    EXPECT_EQ(server.startError(), QAbstractSocket::AddressInUseError);
    const QString inUse =
        tftpStartProblem(server.startError(), server.startErrorString(), 69,
                         QStringLiteral("/opt/tarnwick/tarnwick"), QStringLiteral("/srv/run"));
    EXPECT_TRUE(inUse.contains(QStringLiteral("已被其他程序占用"))) << inUse.toStdString();
    EXPECT_TRUE(inUse.contains(QStringLiteral("TFTP_DIRECTORY=\"/srv/run\"")));

    // Port 69 without the privilege: both ways out, ready to copy.
    const QString denied =
        tftpStartProblem(QAbstractSocket::SocketAccessError, QString(), 69,
                         QStringLiteral("/opt/tarnwick/tarnwick"), QStringLiteral("/srv/run"));
    for (const char *piece :
         {"UDP 端口 69", "sudo setcap cap_net_bind_service=+ep /opt/tarnwick/tarnwick",
          "/etc/default/tftpd-hpa", "TFTP_DIRECTORY=\"/srv/run\"", "TFTP_OPTIONS=\"--secure --create\""})
        EXPECT_TRUE(denied.contains(QString::fromUtf8(piece))) << piece;
}

TEST(TftpServer, PortArgument) {
    const struct {
        QStringList args;
        int port;
    } cases[] = {
        {{"tarnwick"}, 0},
        {{"tarnwick", "--tftp-port", "6969"}, 6969},
        {{"tarnwick", "--run-dir", "/x", "--tftp-port=1069"}, 1069},
        {{"tarnwick", "--tftp-port"}, -1},
        {{"tarnwick", "--tftp-port", "0"}, -1},
        {{"tarnwick", "--tftp-port", "65536"}, -1},
        {{"tarnwick", "--tftp-port", "69x"}, -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tftpPortArgument(c.args), c.port) << c.args.join(u' ').toStdString();
}

TEST(TftpServer, NamesIpv4PeersPlainly) {
    // Listening on every address as the console does, a dual-stack socket sees an IPv4 peer as
    // ::ffff:127.0.0.1; the reports say 127.0.0.1. (The peers still talk over loopback only.)
    QTemporaryDir root;
    TftpServer server(root.path());
    ASSERT_TRUE(server.start(0)) << server.startErrorString().toStdString();
    QList<TftpReport> reports;
    QObject::connect(&server, &TftpServer::transferFinished, [&](const TftpReport &r) { reports << r; });
    QFile firmware(root.filePath(QStringLiteral("ont.bin")));
    ASSERT_TRUE(firmware.open(QIODevice::WriteOnly));
    firmware.write("firmware");
    firmware.close();

    Peer refused(server.port());
    refused.ask(request(Rrq, "missing.bin"));
    EXPECT_EQ(errorOf(refused.next()).first, FileNotFound);
    Peer served(server.port());
    EXPECT_EQ(served.download("ont.bin"), QByteArray("firmware"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return reports.size() == 2; }, 3000));
    for (const TftpReport &r : reports)
        EXPECT_EQ(r.peer.toString().toStdString(), "127.0.0.1");
}
