#pragma once
// One transfer of the built-in TFTP server, on a UDP port of its own (its transfer ID): a file sent
// to a peer (a read request) or received from one (a write request) in lock-step blocks, with
// retransmission on time-out and a bound on its whole life. The port is given back the moment the
// transfer ends.

#include "admin/TftpPacket.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUdpSocket>

#include <memory>

class QFileDevice;
class QSaveFile;

namespace tw {

// An IPv4 peer seen through a dual-stack socket (::ffff:a.b.c.d) as the plain a.b.c.d.
QHostAddress tftpPlainAddress(const QHostAddress &address);

// How a transfer ended, for the status bar and for tests.
struct TftpReport {
    bool upload = false; // a write request: the peer sent the file
    QString file;
    QHostAddress peer; // IPv4 peers as plain IPv4 addresses
    quint16 peerPort = 0;
    qint64 bytes = 0;
    bool ok = false;
    QString error; // what went wrong, as sent or received in the ERROR packet
};

class TftpTransfer : public QObject {
    Q_OBJECT
  public:
    struct Setup {
        QHostAddress peer;
        quint16 peerPort = 0;
        QHostAddress local; // the address the request came to: replies come from it
        QString file;
        bool upload = false;
        int blockSize = 512;
        int timeoutMs = 1000;
        int retries = 5;
        int maxLifeMs = 0;      // the transfer ends as failed after this long (0: no bound)
        qint64 maxBytes = 0;    // uploads: larger files are refused
        tftp::Options accepted; // options to acknowledge (OACK); none: the transfer starts at once
    };

    // Takes over the open file: a QFile to read, or a QSaveFile to write (committed only when the
    // last block has come, so a failed upload leaves the old file as it was).
    TftpTransfer(Setup setup, std::unique_ptr<QFileDevice> file, QObject *parent = nullptr);
    ~TftpTransfer() override;

    // Binds the transfer's own port and sends the first packet; false when no port could be had.
    bool begin();
    // Ends the transfer without a word to the peer and without a report; an upload leaves no file.
    // The transfer deletes itself later.
    void abort();
    bool isActive() const { return !reported_; }
    bool comesFrom(const QHostAddress &peer, quint16 port) const;
    bool uploads(const QString &file) const { return setup_.upload && setup_.file == file && !reported_; }
    const Setup &setup() const { return setup_; }

  signals:
    // Once per transfer, with its port already closed; the transfer deletes itself afterwards.
    void finished(const tw::TftpReport &report);

  private:
    void readPackets();
    void handle(const QByteArray &packet);
    void acknowledged(quint16 block);
    void received(quint16 block, QByteArrayView payload);
    void sendNextBlock();
    void send(const QByteArray &packet);
    void timedOut();
    void fail(quint16 code, const QByteArray &message, bool tellPeer = true);
    void finish(bool ok, const QString &error);
    void close();

    Setup setup_;
    std::unique_ptr<QFileDevice> file_;
    QSaveFile *upload_ = nullptr; // file_, when receiving
    QUdpSocket socket_;
    QTimer timer_;
    QTimer life_;
    QByteArray last_; // what a time-out sends again
    int tries_ = 0;
    quint16 block_ = 0; // last block sent (download) or received (upload)
    bool lastBlockSent_ = false;
    bool reported_ = false;
    qint64 bytes_ = 0;
};

} // namespace tw
