#pragma once
// The device's TFTP client (RFC 1350, octet mode, asking for larger blocks as RFC 2348 allows):
// one transfer per object, driven by the event loop, never blocking it. A packet that goes
// unanswered is sent again a few times before the transfer gives up.

#include "Transfer.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

#include <functional>

namespace tw::sim {

class TftpClient : public QObject {
  public:
    using Done = std::function<void(const TransferResult &)>;

    explicit TftpClient(TftpSettings settings, QObject *parent = nullptr);
    // `done` runs once, from the event loop, never from inside start(); it may deleteLater() the client.
    void start(const TransferRequest &request, Done done);

  private:
    void onReadyRead();
    void onTimeout();
    void handle(const QByteArray &packet, quint16 fromPort);
    void handleData(quint16 block, const QByteArray &payload);
    void handleAck(quint16 block);
    void handleOptionAck(const QByteArray &packet);
    void sendNew(const QByteArray &packet); // a packet that moves the transfer on: retries start again
    void sendPacket(const QByteArray &packet);
    void sendBlock(qint64 index);
    void sendError(quint16 code, const char *text, quint16 toPort);
    void finish(TransferResult::Outcome outcome, const QString &error = {});
    void finishLater(TransferResult::Outcome outcome, const QString &error);

    TftpSettings settings_;
    TransferRequest request_;
    Done done_;
    QUdpSocket socket_;
    QTimer timer_;
    QHostAddress server_;
    quint16 peerPort_ = 0; // the server's port for this transfer, known from its first answer
    bool answered_ = false;
    bool finished_ = false;
    int blockSize_ = 512;
    int retriesLeft_ = 0;
    QByteArray last_;     // the packet sent last, sent again on a time-out
    QByteArray received_; // what a get has received so far
    quint16 lastBlock_ = 0;
    qint64 sentBlock_ = 0; // the block a put has sent last, counted without wrapping
    bool sentFinal_ = false;
};

} // namespace tw::sim
