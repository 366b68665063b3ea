#pragma once
// The built-in TFTP server (RFC 1350, octet mode, with the blksize, tsize and timeout options): it
// serves the files of one directory (the run directory) to the OLT and takes the OLT's backups
// (MA5680T.cfg and MA5680T.dat) into it. Several transfers run at once, each on its own port; a
// hostile or vanished peer holds a port for a bounded time only.

#include "admin/TftpTransfer.h"

#include <QAbstractSocket>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUdpSocket>

namespace tw {

inline constexpr quint16 TftpDefaultPort = 69;

class TftpServer : public QObject {
    Q_OBJECT
  public:
    explicit TftpServer(QString root, QObject *parent = nullptr);
    ~TftpServer() override;

    // Listens on the port (0: any free one); false when it cannot (see startError()).
    bool start(quint16 port, const QHostAddress &address = QHostAddress::Any);
    // Ends every transfer; an upload that had not finished leaves no file.
    void stop();
    bool isRunning() const { return socket_.state() == QAbstractSocket::BoundState; }
    quint16 port() const { return socket_.localPort(); }
    QHostAddress address() const { return socket_.localAddress(); }
    const QString &root() const { return root_; }
    QAbstractSocket::SocketError startError() const { return startError_; }
    QString startErrorString() const { return startErrorString_; }
    // Transfers under way, each holding a socket of its own.
    int activeTransfers() const { return int(transfers_.size()); }

    // Tunables (tests shorten the times).
    int timeoutMs = 1000;
    int retries = 5;
    // A peer may ask for a longer time-out (the "timeout" option) up to this; a longer one is left
    // out of the answer, so a silent peer holds its transfer (timeout × (retries + 1)) a minute at most.
    int maxTimeoutMs = 10 * 1000;
    // Even a peer that keeps answering, slowly, gives its transfer up after this long.
    int maxTransferMs = 15 * 60 * 1000;
    qint64 maxUploadBytes = qint64(512) * 1024 * 1024;
    int maxTransfers = 32;

  signals:
    void transferFinished(const tw::TftpReport &report);

  private:
    void readRequests();
    void answer(const QByteArray &packet, const QHostAddress &peer, quint16 peerPort,
                const QHostAddress &local);
    void refuse(quint16 code, const QByteArray &message, const QHostAddress &peer, quint16 peerPort);
    void negotiate(const tftp::Request &r, qint64 fileSize, TftpTransfer::Setup &setup) const;
    void ended(TftpTransfer *t, const TftpReport &report);

    QString root_;
    QUdpSocket socket_;
    QList<TftpTransfer *> transfers_;
    QAbstractSocket::SocketError startError_ = QAbstractSocket::UnknownSocketError;
    QString startErrorString_;
};

// Why the server could not start, for the operator: for a privileged port refused by the system,
// the two ways out (the capability for the program, or the system's tftpd-hpa serving the run
// directory).
QString tftpStartProblem(QAbstractSocket::SocketError error, const QString &errorString, quint16 port,
                         const QString &executable, const QString &root);

// "--tftp-port N" or "--tftp-port=N": 0 when not given, -1 when N is not a port number.
int tftpPortArgument(const QStringList &arguments);

} // namespace tw
