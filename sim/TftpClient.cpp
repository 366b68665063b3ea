#include "TftpClient.h"

#include "common/Gbk.h"

#include <QNetworkDatagram>

#include <algorithm>

namespace tw::sim {

namespace {

enum Opcode : quint16 { Rrq = 1, Wrq = 2, Data = 3, Ack = 4, Error = 5, OptionAck = 6 };

constexpr int kPlainBlock = 512;
constexpr int kAskedBlock = 1428; // fits an Ethernet frame with the IP and UDP headers

QByteArray u16(quint16 v) {
    const char bytes[2] = {char(v >> 8), char(v & 0xFF)};
    return QByteArray(bytes, 2);
}

quint16 readU16(const QByteArray &p, qsizetype at) {
    return quint16((uchar(p[at]) << 8) | uchar(p[at + 1]));
}

// The NUL-terminated strings of a packet from `at` on.
QList<QByteArray> strings(const QByteArray &p, qsizetype at) {
    QList<QByteArray> out = p.mid(at).split('\0');
    if (!out.isEmpty() && out.last().isEmpty()) out.removeLast();
    return out;
}

bool usableName(const QString &file) {
    if (file.isEmpty() || tw::toGbk(file).size() > 255) return false;
    return std::none_of(file.begin(), file.end(), [](QChar c) { return c.unicode() < 0x20; });
}

} // namespace

TftpClient::TftpClient(TftpSettings settings, QObject *parent) : QObject(parent), settings_(settings) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &TftpClient::onTimeout);
    connect(&socket_, &QUdpSocket::readyRead, this, &TftpClient::onReadyRead);
}

void TftpClient::start(const TransferRequest &request, Done done) {
    request_ = request;
    done_ = std::move(done);
    // Dotted quads only: "10.1" would otherwise be taken for 10.0.0.1.
    if (request.server.count('.') != 3 || !server_.setAddress(request.server) ||
        server_.protocol() != QAbstractSocket::IPv4Protocol)
        return finishLater(TransferResult::Outcome::Failed, "bad server address");
    if (!usableName(request.file)) return finishLater(TransferResult::Outcome::Failed, "bad file name");
    if (!socket_.bind(QHostAddress(QHostAddress::AnyIPv4), 0))
        return finishLater(TransferResult::Outcome::Failed, socket_.errorString());
    const bool get = request.direction == TransferRequest::Direction::Get;
    QByteArray packet = u16(get ? Rrq : Wrq) + tw::toGbk(request.file) + '\0' + "octet" + '\0';
    packet += QByteArray("blksize") + '\0' + QByteArray::number(kAskedBlock) + '\0';
    sendNew(packet);
}

void TftpClient::onReadyRead() {
    while (!finished_ && socket_.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket_.receiveDatagram();
        bool sameHost = false;
        const quint32 from = datagram.senderAddress().toIPv4Address(&sameHost);
        if (!sameHost || from != server_.toIPv4Address()) continue; // not the server: not for us
        handle(datagram.data(), quint16(datagram.senderPort()));
    }
}

void TftpClient::handle(const QByteArray &packet, quint16 fromPort) {
    if (packet.size() < 2) return;
    if (peerPort_ == 0) {
        peerPort_ = fromPort; // the server answers from the port of this transfer
    } else if (fromPort != peerPort_) {
        sendError(5, "Unknown transfer ID", fromPort);
        return;
    }
    const quint16 op = readU16(packet, 0);
    if (op == Error) {
        const QByteArray text = packet.size() > 4 ? strings(packet, 4).value(0) : QByteArray();
        finish(TransferResult::Outcome::Refused,
               text.isEmpty() ? QStringLiteral("error %1").arg(packet.size() >= 4 ? readU16(packet, 2) : 0)
                              : tw::fromGbk(text));
        return;
    }
    if (op == OptionAck) return handleOptionAck(packet);
    if (packet.size() < 4) return;
    const bool get = request_.direction == TransferRequest::Direction::Get;
    if (op == Data && get) return handleData(readU16(packet, 2), packet.mid(4));
    if (op == Ack && !get) return handleAck(readU16(packet, 2));
    sendError(4, "Illegal TFTP operation", fromPort);
    finish(TransferResult::Outcome::Failed, "unexpected packet from the server");
}

// The server takes the options it knows; a block size is only ever made smaller.
void TftpClient::handleOptionAck(const QByteArray &packet) {
    if (answered_) return; // a repeated one: the answer to it went out already
    answered_ = true;
    const QList<QByteArray> options = strings(packet, 2);
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
        if (options[i].toLower() != "blksize") continue;
        bool ok = false;
        const int size = options[i + 1].toInt(&ok);
        if (!ok || size < 8 || size > kAskedBlock) {
            sendError(8, "Bad block size", peerPort_);
            return finish(TransferResult::Outcome::Failed, "the server offered a bad block size");
        }
        blockSize_ = size;
    }
    if (request_.direction == TransferRequest::Direction::Get)
        sendNew(u16(Ack) + u16(0));
    else
        sendBlock(1);
}

void TftpClient::handleData(quint16 block, const QByteArray &payload) {
    if (!answered_) { // no option acknowledgement: the server keeps to plain blocks
        answered_ = true;
        blockSize_ = kPlainBlock;
    }
    if (block == lastBlock_ && block != 0) { // our acknowledgement was lost: say it again
        sendPacket(u16(Ack) + u16(block));
        return;
    }
    if (block != quint16(lastBlock_ + 1)) return;
    if (payload.size() > blockSize_) {
        sendError(4, "Block too large", peerPort_);
        return finish(TransferResult::Outcome::Failed, "the server sent an oversized block");
    }
    if (received_.size() + payload.size() > settings_.maxBytes) {
        sendError(3, "Disk full or allocation exceeded", peerPort_);
        return finish(TransferResult::Outcome::Failed, "the file is too large");
    }
    received_ += payload;
    lastBlock_ = block;
    sendNew(u16(Ack) + u16(block));
    if (payload.size() < blockSize_) finish(TransferResult::Outcome::Done);
}

void TftpClient::handleAck(quint16 block) {
    if (!answered_) {
        answered_ = true;
        blockSize_ = kPlainBlock;
        if (block == 0) sendBlock(1);
        return;
    }
    // Only the acknowledgement of the block just sent moves on; a late repeat of an earlier one
    // is ignored, so that blocks are not sent twice over.
    if (block != quint16(sentBlock_)) return;
    if (sentFinal_) return finish(TransferResult::Outcome::Done);
    sendBlock(sentBlock_ + 1);
}

void TftpClient::sendBlock(qint64 index) {
    const QByteArray chunk = request_.data.mid((index - 1) * blockSize_, blockSize_);
    sentBlock_ = index;
    sentFinal_ = chunk.size() < blockSize_; // an exact multiple ends with an empty block
    sendNew(u16(Data) + u16(quint16(index)) + chunk);
}

void TftpClient::sendNew(const QByteArray &packet) {
    retriesLeft_ = settings_.retries;
    sendPacket(packet);
}

void TftpClient::sendPacket(const QByteArray &packet) {
    last_ = packet;
    socket_.writeDatagram(packet, server_, peerPort_ ? peerPort_ : settings_.port);
    timer_.start(settings_.timeoutMs);
}

void TftpClient::sendError(quint16 code, const char *text, quint16 toPort) {
    socket_.writeDatagram(u16(Error) + u16(code) + QByteArray(text) + '\0', server_, toPort);
}

void TftpClient::onTimeout() {
    if (finished_) return;
    if (retriesLeft_-- > 0) {
        sendPacket(last_);
        return;
    }
    finish(TransferResult::Outcome::TimedOut);
}

void TftpClient::finish(TransferResult::Outcome outcome, const QString &error) {
    if (finished_) return;
    finished_ = true;
    timer_.stop();
    socket_.close();
    TransferResult result{outcome, outcome == TransferResult::Outcome::Done ? received_ : QByteArray(),
                          error};
    received_.clear();
    if (done_) std::exchange(done_, nullptr)(result);
}

void TftpClient::finishLater(TransferResult::Outcome outcome, const QString &error) {
    QTimer::singleShot(0, this, [this, outcome, error] { finish(outcome, error); });
}

} // namespace tw::sim
