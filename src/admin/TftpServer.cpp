#include "admin/TftpServer.h"

#include "admin/TftpAccess.h"
#include "common/Gbk.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkDatagram>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <memory>

namespace tw {

using namespace tftp;

namespace {

constexpr int MaxBlockSize = 65464; // RFC 2348

// Names come as the peer's bytes: UTF-8 when they are valid UTF-8, else GBK as the OLT writes text.
QString nameOf(const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString name = utf8.decode(bytes);
    return utf8.hasError() ? fromGbk(bytes) : name;
}

qint64 announcedSize(const Request &r) {
    for (const auto &[name, value] : r.options)
        if (name == "tsize") return value.toLongLong();
    return 0;
}

} // namespace

TftpServer::TftpServer(QString root, QObject *parent) : QObject(parent), root_(std::move(root)) {
    connect(&socket_, &QUdpSocket::readyRead, this, &TftpServer::readRequests);
}

TftpServer::~TftpServer() {
    stop();
}

bool TftpServer::start(quint16 port, const QHostAddress &address) {
    stop();
    if (socket_.bind(address, port, QUdpSocket::DontShareAddress)) {
        startError_ = QAbstractSocket::UnknownSocketError;
        startErrorString_.clear();
        return true;
    }
    startError_ = socket_.error();
    startErrorString_ = socket_.errorString();
    return false;
}

void TftpServer::stop() {
    socket_.close();
    // Not deleted here: stop() may be called from a slot of a transfer's own report.
    for (TftpTransfer *t : std::as_const(transfers_)) {
        disconnect(t, nullptr, this, nullptr);
        t->abort();
    }
    transfers_.clear();
}

void TftpServer::readRequests() {
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram d = socket_.receiveDatagram();
        if (!d.isValid() || d.senderPort() <= 0) continue;
        answer(d.data(), tftpPlainAddress(d.senderAddress()), quint16(d.senderPort()),
               d.destinationAddress());
    }
}

// The options we take, with the values we answer; the transfer's settings follow them.
void TftpServer::negotiate(const Request &r, qint64 fileSize, TftpTransfer::Setup &setup) const {
    for (const auto &[name, value] : r.options) {
        bool ok = false;
        const qlonglong n = value.toLongLong(&ok);
        if (!ok) continue;
        if (name == "blksize" && n >= 8) {
            setup.blockSize = int(std::min<qlonglong>(n, MaxBlockSize));
            setup.accepted.append({name, QByteArray::number(setup.blockSize)});
        } else if (name == "timeout" && n >= 1 && n <= maxTimeoutMs / 1000) {
            // The answer must repeat the value asked for (RFC 2349): a longer one is not taken at all.
            setup.timeoutMs = int(n) * 1000;
            setup.accepted.append({name, value});
        } else if (name == "tsize" && n >= 0) {
            // A reader learns the size; a writer tells it.
            setup.accepted.append({name, r.opcode == Rrq ? QByteArray::number(fileSize) : value});
        }
    }
}

void TftpServer::ended(TftpTransfer *t, const TftpReport &report) {
    // Its socket is closed already: it no longer counts against the limit.
    transfers_.removeOne(t);
    emit transferFinished(report);
}

void TftpServer::refuse(quint16 code, const QByteArray &message, const QHostAddress &peer, quint16 peerPort) {
    socket_.writeDatagram(errorPacket(code, message), peer, peerPort);
}

void TftpServer::answer(const QByteArray &packet, const QHostAddress &peer, quint16 peerPort,
                        const QHostAddress &local) {
    const quint16 op = opcodeOf(packet);
    if (op == Error) return; // never answer an error
    if (op == Data || op == Ack || op == Oack)
        return refuse(UnknownTransferId, "Unknown transfer ID", peer, peerPort);
    const std::optional<Request> r = parseRequest(packet);
    if (!r) return refuse(IllegalOperation, "Illegal TFTP operation", peer, peerPort);
    // A request repeated while its transfer runs (the first reply was slow): the transfer answers.
    for (TftpTransfer *t : std::as_const(transfers_))
        if (t->isActive() && t->comesFrom(peer, peerPort)) return;
    const QString name = nameOf(r->file);
    const bool upload = r->opcode == Wrq;
    // A refused request is told to the peer and reported like a failed transfer.
    const auto refused = [&](quint16 code, const QByteArray &message) {
        refuse(code, message, peer, peerPort);
        emit transferFinished({upload, name, peer, peerPort, 0, false, QString::fromLatin1(message)});
    };
    if (r->mode != "octet") return refused(IllegalOperation, "Only octet mode is supported");
    if (activeTransfers() >= maxTransfers) return refused(NotDefined, "Server busy, try again later");
    const TftpAccess access = upload ? tftpWriteAccess(root_, name) : tftpReadAccess(root_, name);
    if (!access.allowed()) return refused(access.error, access.message);

    std::unique_ptr<QFileDevice> file;
    qint64 size = 0;
    if (upload) {
        for (TftpTransfer *t : std::as_const(transfers_))
            if (t->uploads(name)) return refused(AccessViolation, "The file is being uploaded");
        if (announcedSize(*r) > maxUploadBytes) return refused(DiskFull, "File too large");
        auto save = std::make_unique<QSaveFile>(access.path);
        save->setDirectWriteFallback(false);
        if (!save->open(QIODevice::WriteOnly)) return refused(AccessViolation, "Cannot create the file");
        // The save follows a link made since the check: look again now that its target is fixed.
        if (QFileInfo(access.path).isSymLink()) {
            save->cancelWriting();
            return refused(AccessViolation, "Access violation: the name is a link");
        }
        file = std::move(save);
    } else {
        auto read = std::make_unique<QFile>(access.path);
        if (!read->open(QIODevice::ReadOnly) || read->isSequential())
            return refused(AccessViolation, "Cannot read the file");
        size = read->size();
        file = std::move(read);
    }

    TftpTransfer::Setup setup;
    setup.peer = peer;
    setup.peerPort = peerPort;
    setup.local = local.isNull() ? socket_.localAddress() : local;
    setup.file = name;
    setup.upload = upload;
    setup.timeoutMs = timeoutMs;
    setup.retries = retries;
    setup.maxLifeMs = maxTransferMs;
    setup.maxBytes = maxUploadBytes;
    negotiate(*r, size, setup);

    auto *t = new TftpTransfer(std::move(setup), std::move(file), this);
    connect(t, &TftpTransfer::finished, this, [this, t](const TftpReport &report) { ended(t, report); });
    connect(t, &QObject::destroyed, this, [this, t] { transfers_.removeOne(t); });
    transfers_.append(t);
    if (!t->begin()) {
        transfers_.removeOne(t);
        delete t;
        refused(NotDefined, "No port for the transfer");
    }
}

QString tftpStartProblem(QAbstractSocket::SocketError error, const QString &errorString, quint16 port,
                         const QString &executable, const QString &root) {
    const QString head = QStringLiteral("TFTP服务器无法启动：");
    const QString systemServer =
        QStringLiteral("使用系统的 tftpd-hpa 服务，以运行目录为根目录：在 /etc/default/tftpd-hpa 中设置\r\n"
                       "   TFTP_DIRECTORY=\"%1\"\r\n   TFTP_OPTIONS=\"--secure --create\"\r\n"
                       "   然后执行 sudo systemctl restart tftpd-hpa（运行目录须允许 tftp 用户读写）。")
            .arg(root);
    switch (error) {
    case QAbstractSocket::SocketAccessError:
        return head +
               QStringLiteral("没有权限使用 UDP 端口 %1（Linux 下 1024 以下的端口需要特权）。\r\n\r\n"
                              "可任选一种办法：\r\n"
                              "1. 给程序绑定低端口的能力（一次即可，之后重新启动本程序）：\r\n"
                              "   sudo setcap cap_net_bind_service=+ep %2\r\n2. ")
                   .arg(port)
                   .arg(executable) +
               systemServer;
    case QAbstractSocket::AddressInUseError:
        return head +
               QStringLiteral("UDP 端口 %1 已被其他程序占用（例如系统的 tftpd-hpa 服务）。\r\n\r\n"
                              "请先停止该程序，或者直接")
                   .arg(port) +
               systemServer;
    default:
        break;
    }
    return head + errorString;
}

int tftpPortArgument(const QStringList &arguments) {
    const QString option = QStringLiteral("--tftp-port");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i] == option)
            value = i + 1 < arguments.size() ? arguments[i + 1] : QString();
        else if (arguments[i].startsWith(option + u'='))
            value = arguments[i].mid(option.size() + 1);
        else
            continue;
        bool ok = false;
        const int port = value.toInt(&ok);
        return ok && port >= 1 && port <= 65535 ? port : -1;
    }
    return 0;
}

} // namespace tw
