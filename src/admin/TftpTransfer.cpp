#include "admin/TftpTransfer.h"

#include <QFileDevice>
#include <QNetworkDatagram>
#include <QSaveFile>

namespace tw {

using namespace tftp;

QHostAddress tftpPlainAddress(const QHostAddress &address) {
    bool v4 = false;
    const quint32 ip = address.toIPv4Address(&v4);
    return v4 ? QHostAddress(ip) : address;
}

TftpTransfer::TftpTransfer(Setup setup, std::unique_ptr<QFileDevice> file, QObject *parent)
    : QObject(parent), setup_(std::move(setup)), file_(std::move(file)) {
    setup_.peer = tftpPlainAddress(setup_.peer);
    if (setup_.upload) upload_ = static_cast<QSaveFile *>(file_.get());
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &TftpTransfer::timedOut);
    life_.setSingleShot(true);
    connect(&life_, &QTimer::timeout, this, [this] { fail(NotDefined, "Transfer took too long"); });
    connect(&socket_, &QUdpSocket::readyRead, this, &TftpTransfer::readPackets);
}

TftpTransfer::~TftpTransfer() {
    if (upload_ && !reported_) upload_->cancelWriting(); // the partial file goes with it
}

bool TftpTransfer::begin() {
    const QHostAddress local = tftpPlainAddress(setup_.local);
    const bool bound = (!local.isNull() && socket_.bind(local, 0, QUdpSocket::DontShareAddress)) ||
                       socket_.bind(setup_.peer.protocol() == QAbstractSocket::IPv6Protocol
                                        ? QHostAddress(QHostAddress::AnyIPv6)
                                        : QHostAddress(QHostAddress::AnyIPv4),
                                    0, QUdpSocket::DontShareAddress);
    if (!bound) return false;
    if (setup_.maxLifeMs > 0) life_.start(setup_.maxLifeMs);
    if (!setup_.accepted.isEmpty())
        send(oackPacket(setup_.accepted)); // the peer answers ACK 0 (read) or DATA 1 (write)
    else if (setup_.upload)
        send(ackPacket(0));
    else
        sendNextBlock();
    return true;
}

void TftpTransfer::abort() {
    if (upload_ && !reported_) upload_->cancelWriting();
    reported_ = true;
    close();
    deleteLater();
}

bool TftpTransfer::comesFrom(const QHostAddress &peer, quint16 port) const {
    return port == setup_.peerPort && tftpPlainAddress(peer) == setup_.peer;
}

void TftpTransfer::readPackets() {
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram d = socket_.receiveDatagram();
        if (!d.isValid()) continue;
        if (!comesFrom(d.senderAddress(), quint16(d.senderPort()))) {
            // Another peer (or another port of this one) has no business with this transfer.
            if (opcodeOf(d.data()) != Error && d.senderPort() > 0)
                socket_.writeDatagram(errorPacket(UnknownTransferId, "Unknown transfer ID"),
                                      d.senderAddress(), quint16(d.senderPort()));
            continue;
        }
        handle(d.data());
        if (reported_) return;
    }
}

void TftpTransfer::handle(const QByteArray &packet) {
    switch (opcodeOf(packet)) {
    case Ack:
        if (!setup_.upload) acknowledged(blockOf(packet));
        return;
    case Data:
        if (setup_.upload && packet.size() >= 4) received(blockOf(packet), QByteArrayView(packet).sliced(4));
        return;
    case Error: {
        const auto [code, message] = errorOf(packet);
        fail(code, QByteArray("peer: ") + message, false);
        return;
    }
    default:
        fail(IllegalOperation, "Illegal TFTP operation");
    }
}

void TftpTransfer::acknowledged(quint16 block) {
    // Only the ACK of the block in flight moves on: answering a duplicate ACK would send every
    // later block twice (the "Sorcerer's Apprentice" fault).
    if (block != block_) return;
    if (lastBlockSent_) return finish(true, {});
    sendNextBlock();
}

void TftpTransfer::sendNextBlock() {
    const QByteArray payload = file_->read(setup_.blockSize);
    if (file_->error() != QFileDevice::NoError) return fail(NotDefined, "Read error");
    ++block_; // wraps from 65535 to 0 as the common clients expect
    bytes_ += payload.size();
    lastBlockSent_ = payload.size() < setup_.blockSize;
    tries_ = 0;
    send(dataPacket(block_, payload));
}

void TftpTransfer::received(quint16 block, QByteArrayView payload) {
    if (block == block_) {
        // Our ACK was lost: the peer sends the block again.
        socket_.writeDatagram(ackPacket(block_), setup_.peer, setup_.peerPort);
        return;
    }
    if (block != quint16(block_ + 1)) return;
    if (payload.size() > setup_.blockSize) return fail(IllegalOperation, "Block larger than negotiated");
    if (bytes_ + payload.size() > setup_.maxBytes) return fail(DiskFull, "File too large");
    if (upload_->write(payload.data(), payload.size()) != payload.size())
        return fail(DiskFull, "Write error");
    block_ = block;
    bytes_ += payload.size();
    tries_ = 0;
    if (payload.size() == setup_.blockSize) return send(ackPacket(block_));
    // The last block: the file takes its name before the peer hears that it arrived.
    if (!upload_->commit()) return fail(DiskFull, "Cannot save the file");
    socket_.writeDatagram(ackPacket(block_), setup_.peer, setup_.peerPort);
    finish(true, {});
}

void TftpTransfer::send(const QByteArray &packet) {
    last_ = packet;
    socket_.writeDatagram(packet, setup_.peer, setup_.peerPort);
    timer_.start(setup_.timeoutMs);
}

void TftpTransfer::timedOut() {
    if (tries_ >= setup_.retries) return fail(NotDefined, "Transfer timed out");
    ++tries_;
    socket_.writeDatagram(last_, setup_.peer, setup_.peerPort);
    timer_.start(setup_.timeoutMs);
}

void TftpTransfer::fail(quint16 code, const QByteArray &message, bool tellPeer) {
    if (reported_) return;
    if (tellPeer) socket_.writeDatagram(errorPacket(code, message), setup_.peer, setup_.peerPort);
    if (upload_) upload_->cancelWriting();
    finish(false, QString::fromLatin1(message));
}

void TftpTransfer::finish(bool ok, const QString &error) {
    if (reported_) return;
    reported_ = true;
    if (!upload_) file_->close(); // a save file closes by committing or is discarded with it
    // The port goes back at once: a finished transfer holds no descriptor while it waits to be
    // deleted. A repeated last block is the server's to answer.
    close();
    emit finished({setup_.upload, setup_.file, setup_.peer, setup_.peerPort, bytes_, ok, error});
    deleteLater();
}

void TftpTransfer::close() {
    timer_.stop();
    life_.stop();
    socket_.close();
}

} // namespace tw
