#pragma once
// The byte pipe under one CLI session: a telnet client's TCP socket or an SSH client's shell
// channel. The connection that runs the session sees only this.

#include <QByteArray>
#include <QObject>
#include <QTcpSocket>

namespace tw::sim {

class Link : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    virtual void write(const QByteArray &bytes) = 0;
    // Written but not yet taken by the client's side of the pipe.
    virtual qint64 bytesToWrite() const = 0;
    // Ends the link once what was written has gone out; closed() follows.
    virtual void close() = 0;

  signals:
    void received(const QByteArray &bytes);
    void written(); // some output went out: room for more
    void closed();
};

class TcpLink : public Link {
    Q_OBJECT
  public:
    TcpLink(QTcpSocket *socket, QObject *parent = nullptr) : Link(parent), socket_(socket) {
        socket_->setParent(this);
        socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket_, &QTcpSocket::readyRead, this, [this] { emit received(socket_->readAll()); });
        connect(socket_, &QTcpSocket::bytesWritten, this, &Link::written);
        connect(socket_, &QTcpSocket::disconnected, this, &Link::closed);
    }
    void write(const QByteArray &bytes) override { socket_->write(bytes); }
    qint64 bytesToWrite() const override { return socket_->bytesToWrite(); }
    void close() override { socket_->disconnectFromHost(); }

  private:
    QTcpSocket *socket_;
};

} // namespace tw::sim
