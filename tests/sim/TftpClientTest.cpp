// The device's TFTP client against a scripted server: the plain protocol of servers that ignore
// the block-size option, the empty last block, and servers that send what they should not.
#include "TftpClient.h"

#include <QNetworkDatagram>
#include <QTest>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <optional>

using namespace tw::sim;

namespace {

QByteArray u16(quint16 v) {
    const char bytes[2] = {char(v >> 8), char(v & 0xFF)};
    return QByteArray(bytes, 2);
}

QByteArray data(quint16 block, const QByteArray &payload) {
    return u16(3) + u16(block) + payload;
}

QByteArray ack(quint16 block) {
    return u16(4) + u16(block);
}

QByteArray optionAck(const QByteArray &blockSize) {
    return u16(6) + "blksize" + '\0' + blockSize + '\0';
}

// A server played by the test: requests come to `listen`, the transfer runs from `tid`, its own port.
struct ScriptedServer {
    QUdpSocket listen, tid, stranger;
    quint16 client = 0;

    ScriptedServer() {
        EXPECT_TRUE(listen.bind(QHostAddress::LocalHost, 0));
        EXPECT_TRUE(tid.bind(QHostAddress::LocalHost, 0));
        EXPECT_TRUE(stranger.bind(QHostAddress::LocalHost, 0));
    }
    static QByteArray receive(QUdpSocket &s, quint16 *from = nullptr) {
        if (!QTest::qWaitFor([&] { return s.hasPendingDatagrams(); }, 2000)) return {};
        const QNetworkDatagram d = s.receiveDatagram();
        if (from) *from = quint16(d.senderPort());
        return d.data();
    }
    QByteArray request() { return receive(listen, &client); }
    QByteArray next() { return receive(tid); }
    void send(const QByteArray &packet) { tid.writeDatagram(packet, QHostAddress::LocalHost, client); }
};

struct Transfer {
    ScriptedServer server;
    TftpClient client;
    std::optional<TransferResult> result;

    explicit Transfer(qint64 maxBytes = 1 << 20)
        : client(TftpSettings{
              .port = server.listen.localPort(), .timeoutMs = 300, .retries = 1, .maxBytes = maxBytes}) {}
    void start(TransferRequest::Direction direction, const QByteArray &payload = {}) {
        client.start({direction, "127.0.0.1", "f.bin", payload},
                     [this](const TransferResult &r) { result = r; });
    }
    bool ended() {
        return QTest::qWaitFor([&] { return result.has_value(); }, 3000);
    }
};

TEST(SimTftpClient, AServerWithoutOptionsGetsPlainBlocks) {
    Transfer run;
    run.start(TransferRequest::Direction::Get);
    const QByteArray request = run.server.request();
    EXPECT_EQ(request, u16(1) + "f.bin" + '\0' + "octet" + '\0' + "blksize" + '\0' + "1428" + '\0');
    run.server.send(data(1, QByteArray(512, 'a')));
    EXPECT_EQ(run.server.next(), ack(1));
    run.server.send(data(1, QByteArray(512, 'a'))); // our acknowledgement got lost
    EXPECT_EQ(run.server.next(), ack(1));
    run.server.stranger.writeDatagram(data(2, "x"), QHostAddress::LocalHost, run.server.client);
    EXPECT_TRUE(ScriptedServer::receive(run.server.stranger).startsWith(u16(5) + u16(5)))
        << "another port is not this transfer";
    run.server.send(data(2, "end"));
    EXPECT_EQ(run.server.next(), ack(2));
    ASSERT_TRUE(run.ended());
    EXPECT_TRUE(run.result->ok());
    EXPECT_EQ(run.result->data, QByteArray(512, 'a') + "end");
}

TEST(SimTftpClient, AnUploadOfWholeBlocksEndsWithAnEmptyOne) {
    Transfer run;
    run.start(TransferRequest::Direction::Put, "0123456789abcdef");
    EXPECT_TRUE(run.server.request().startsWith(u16(2) + "f.bin"));
    run.server.send(optionAck("8"));
    EXPECT_EQ(run.server.next(), data(1, "01234567"));
    run.server.send(ack(1));
    EXPECT_EQ(run.server.next(), data(2, "89abcdef"));
    run.server.send(ack(1)); // a late repeat moves nothing
    run.server.send(ack(2));
    EXPECT_EQ(run.server.next(), data(3, ""));
    EXPECT_FALSE(run.result.has_value());
    run.server.send(ack(3));
    ASSERT_TRUE(run.ended());
    EXPECT_TRUE(run.result->ok());
}

// What a server must not do ends the transfer with a reason, never with a crash or a hang.
TEST(SimTftpClient, WrongAnswersEndTheTransfer) {
    struct Case {
        const char *name;
        std::vector<QByteArray> answers;
        qint64 maxBytes;
        TransferResult::Outcome outcome;
        const char *error;
    };
    const Case cases[] = {
        {"refused",
         {u16(5) + u16(1) + "File not found" + '\0'},
         1 << 20,
         TransferResult::Outcome::Refused,
         "File not found"},
        {"block size beyond the one asked",
         {optionAck("99999")},
         1 << 20,
         TransferResult::Outcome::Failed,
         "the server offered a bad block size"},
        {"block larger than agreed",
         {optionAck("8"), data(1, "123456789")},
         1 << 20,
         TransferResult::Outcome::Failed,
         "the server sent an oversized block"},
        {"file beyond the limit",
         {data(1, QByteArray(512, 'a')), data(2, QByteArray(512, 'a'))},
         600,
         TransferResult::Outcome::Failed,
         "the file is too large"},
        {"an upload's acknowledgement to a download",
         {ack(0)},
         1 << 20,
         TransferResult::Outcome::Failed,
         "unexpected packet from the server"},
        {"silence after the first block",
         {data(1, QByteArray(512, 'a'))},
         1 << 20,
         TransferResult::Outcome::TimedOut,
         ""},
        {"runt packets only",
         {QByteArray("\x00", 1), u16(3)},
         1 << 20,
         TransferResult::Outcome::TimedOut,
         ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Transfer run(c.maxBytes);
        run.start(TransferRequest::Direction::Get);
        ASSERT_FALSE(run.server.request().isEmpty());
        for (const QByteArray &answer : c.answers)
            run.server.send(answer);
        ASSERT_TRUE(run.ended());
        EXPECT_EQ(run.result->outcome, c.outcome);
        EXPECT_EQ(run.result->error, QString::fromUtf8(c.error));
        EXPECT_TRUE(run.result->data.isEmpty());
    }
}

TEST(SimTftpClient, BadRequestsFailWithoutSending) {
    for (const TransferRequest &r :
         {TransferRequest{TransferRequest::Direction::Get, "10.0.0", "f", {}},
          TransferRequest{TransferRequest::Direction::Get, "127.0.0.1", "", {}},
          TransferRequest{TransferRequest::Direction::Get, "127.0.0.1", "a\nb", {}}}) {
        SCOPED_TRACE(r.server.toStdString() + " " + r.file.toStdString());
        ScriptedServer server;
        TftpClient client(TftpSettings{.port = server.listen.localPort()});
        std::optional<TransferResult> result;
        client.start(r, [&](const TransferResult &x) { result = x; });
        EXPECT_FALSE(result.has_value()) << "never from inside start()";
        ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 2000));
        EXPECT_EQ(result->outcome, TransferResult::Outcome::Failed);
        EXPECT_FALSE(server.listen.hasPendingDatagrams());
    }
}

} // namespace
